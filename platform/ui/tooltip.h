// Tool tips of windows that enabled them (CWnd::EnableToolTips): the
// message loop (a frame's or a dialog's PreTranslateMessage) passes mouse
// messages here; the window's OnToolHitTest names the tool under the mouse.
#pragma once

#include "platform/ui/wintypes.h"

class CWnd;

namespace mirt_ui {
void FilterToolTipMessage(CWnd* owner, MSG* msg);
bool ToolTipsEnabled(HWND owner);
// The tool-tip control of a window with tool tips (null without).
HWND ToolTipControlOf(HWND owner);
}  // namespace mirt_ui
