#include "platform/afx/track_loop.h"

#include "platform/afx/winthread.h"
#include "platform/ui/ui.h"

namespace afx {

BOOL TrackModal(HWND capture, HWND in, const TrackHandlers& handlers) {
  if (::GetCapture()) return FALSE;
  ::SetCapture(capture);
  BOOL result = FALSE;
  while (::GetCapture() == capture) {
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
      AfxPostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    bool done = false;
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        ::MapWindowPoints(msg.hwnd, in, &p, 1);
        bool up = msg.message == WM_LBUTTONUP;
        if (handlers.mouse) handlers.mouse(p, up);
        if (up) done = true, result = TRUE;
        break;
      }
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (handlers.key) handlers.key(static_cast<UINT>(msg.wParam), msg.message == WM_KEYDOWN);
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) done = true;
        break;
      case WM_RBUTTONDOWN:
        done = true;
        break;
      default:
        ::DispatchMessage(&msg);
    }
    if (done) break;
  }
  if (::GetCapture() == capture) ::ReleaseCapture();
  return result;
}

}  // namespace afx
