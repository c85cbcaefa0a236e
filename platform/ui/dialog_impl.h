// Private: the state of a dialog window.
#pragma once

#include "platform/ui/wintypes.h"

namespace mirt_ui {
struct DialogState {
  HFONT font = nullptr;
  bool ownFont = false;
  SIZE base{0, 0};  // dialog base units
  int defId = 0;
  HWND lastFocus = nullptr;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
};
DialogState* DialogStateOf(HWND h);  // null for other windows
// Focus to a control as the dialog manager moves it (edit text selected,
// default button shown on the focused push button).
void DialogSetFocus(HWND dlg, HWND ctl);
}  // namespace mirt_ui
