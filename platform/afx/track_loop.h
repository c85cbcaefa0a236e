// The modal mouse loop of drags: while a window holds the capture, mouse
// moves and the left button's release go to a handler, Escape and the
// right button cancel, other keys go to a key handler, and everything else
// is dispatched.
#pragma once

#include <functional>

#include "platform/ui/wintypes.h"

namespace afx {
struct TrackHandlers {
  // The mouse position in the client coordinates of `in` (the screen when NULL).
  std::function<void(POINT pt, bool up)> mouse;
  std::function<void(UINT key, bool down)> key;
};
// Captures the mouse for `capture` and runs the loop; TRUE when the left
// button ended it, FALSE when it was cancelled or the capture was lost.
BOOL TrackModal(HWND capture, HWND in, const TrackHandlers& handlers);
// Moves a window with the mouse from the screen point `start` (a caption
// drag), or resizes it by the border named by the hit code (HTLEFT ..
// HTBOTTOMRIGHT), not below minSize; Escape or the right button put it
// back. Child windows stay in their parent's coordinates.
void TrackWindowMove(HWND wnd, POINT start);
void TrackWindowSize(HWND wnd, UINT hit, POINT start, SIZE minSize);
}  // namespace afx
