#include "platform/afx/track_loop.h"

#include <algorithm>

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

namespace {
// The window's rectangle where SetWindowPos takes it.
RECT PlacedRect(HWND wnd) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  if (HWND parent = (::GetWindowLong(wnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(wnd) : nullptr)
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&r), 2);
  return r;
}
void Place(HWND wnd, const RECT& r, UINT flags) {
  ::SetWindowPos(wnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 flags | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

void TrackWindowMove(HWND wnd, POINT start) {
  RECT origin = PlacedRect(wnd);
  TrackHandlers h;
  h.mouse = [&](POINT p, bool) {
    RECT r = origin;
    ::OffsetRect(&r, p.x - start.x, p.y - start.y);
    Place(wnd, r, SWP_NOSIZE);
  };
  if (!TrackModal(wnd, nullptr, h)) Place(wnd, origin, SWP_NOSIZE);
}

void TrackWindowSize(HWND wnd, UINT hit, POINT start, SIZE minSize) {
  RECT origin = PlacedRect(wnd);
  bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
  bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
  bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
  TrackHandlers h;
  h.mouse = [&](POINT p, bool) {
    LONG dx = p.x - start.x, dy = p.y - start.y;
    RECT r = origin;
    if (left) r.left = std::min(r.left + dx, r.right - minSize.cx);
    if (right) r.right = std::max(r.right + dx, r.left + minSize.cx);
    if (top) r.top = std::min(r.top + dy, r.bottom - minSize.cy);
    if (bottom) r.bottom = std::max(r.bottom + dy, r.top + minSize.cy);
    Place(wnd, r, 0);
  };
  if (!TrackModal(wnd, nullptr, h)) Place(wnd, origin, 0);
}

}  // namespace afx
