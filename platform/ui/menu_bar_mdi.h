// Private: the parts a maximised MDI child adds to its frame's menu bar:
// the child's icon (its system menu) at the left and its minimise, restore
// and close buttons at the right.
#pragma once

#include "platform/ui/wintypes.h"

namespace mirt_ui {

struct Wnd;

struct MdiBarParts {
  HWND child = nullptr;  // the maximised child; null when there is none
  RECT icon{}, minimize{}, restore{}, close{};
};

// The parts for a frame whose bar lies at `bar` (window coordinates).
MdiBarParts MdiBarPartsOf(const Wnd& frame, const RECT& bar);
void PaintMdiBarParts(HDC dc, const MdiBarParts& parts, UINT pressed = 0);
// A press at a window point of the bar: true when it fell on one of the
// parts, which then does what it does (the system menu, or the button's
// command sent to the child when it is released on the button).
bool PressMdiBarPart(HWND frame, const MdiBarParts& parts, POINT windowPoint);

}  // namespace mirt_ui
