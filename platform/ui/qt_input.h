// Private: Qt input events to WM_* messages, shared by every widget of
// the layer (windows and, later, controls).
#pragma once

#include "platform/ui/wintypes.h"

class QMouseEvent;
class QWheelEvent;
class QKeyEvent;

namespace mirt_ui {
// `windowPos` is the event position in the window's own coordinates.
void PostMouseInput(HWND hwnd, UINT clientMsg, const QMouseEvent* e, int windowX, int windowY);
void PostWheelInput(HWND hwnd, const QWheelEvent* e, int windowX, int windowY);
void PostKeyInput(HWND hwnd, const QKeyEvent* e, bool down);
UINT VirtualKeyFromQt(int qtKey, bool keypad);
}  // namespace mirt_ui
