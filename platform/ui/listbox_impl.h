// Private: the list of a combo box is a list box that reports to it.
#pragma once

#include "platform/ui/wintypes.h"

namespace mirt_ui {
bool IsComboList(HWND list);
HWND ComboOfList(HWND list);  // null for other windows
// The user picked (or, with `ok` false, dismissed) in a dropped list.
void ComboListChosen(HWND list, bool ok);
// True while the list stands dropped below its combo box. Pointer input
// that reaches a closed list (a click read after the list closed) does
// nothing: it neither selects nor takes the capture.
bool IsComboListDropped(HWND list);
}  // namespace mirt_ui
