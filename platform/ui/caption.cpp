// Captions the layer draws: icon, title and buttons of child windows with a
// caption, painted active or inactive.
#include "platform/ui/caption.h"

#include "platform/ui/gdi.h"
#include "platform/ui/input.h"
#include "platform/ui/menu.h"
#include "platform/ui/paint.h"
#include "platform/ui/message.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {
namespace {

constexpr int kCaptionButtonGap = 2;  // around the buttons and before the close button

bool HasButtons(DWORD style) { return (style & WS_SYSMENU) != 0; }
bool HasSizeButtons(DWORD style) { return HasButtons(style) && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)); }

}  // namespace

CaptionParts CaptionLayout(const Wnd& w) {
  CaptionParts parts;
  int cap = CaptionHeight(w.style, w.exStyle);
  if (!cap || HasDesktopFrame(w.style, w.exStyle)) return parts;
  int b = FrameWidth(w.style, w.exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false);
  parts.bar = RECT{b, b, w.rect.width() - b, b + cap - 1};
  if (!HasButtons(w.style)) return parts;
  const RECT& bar = parts.bar;
  int h = bar.bottom - bar.top - 2 * kCaptionButtonGap;
  int cx = GetSystemMetrics(SM_CXSIZE) - kCaptionButtonGap;
  int top = bar.top + kCaptionButtonGap;
  parts.close = RECT{bar.right - kCaptionButtonGap - cx, top, bar.right - kCaptionButtonGap, top + h};
  if (HasSizeButtons(w.style)) {
    parts.maximize =
        RECT{parts.close.left - kCaptionButtonGap - cx, top, parts.close.left - kCaptionButtonGap, top + h};
    parts.minimize = RECT{parts.maximize.left - cx, top, parts.maximize.left, top + h};
  }
  if (!(w.exStyle & WS_EX_TOOLWINDOW)) {
    int icon = GetSystemMetrics(SM_CXSMICON);
    int y = bar.top + (bar.bottom - bar.top - icon) / 2;
    parts.icon = RECT{bar.left + 1, y, bar.left + 1 + icon, y + icon};
  }
  return parts;
}

LRESULT CaptionPartAt(const Wnd& w, POINT p) {
  CaptionParts parts = CaptionLayout(w);
  if (PtInRect(&parts.close, p)) return HTCLOSE;
  if (PtInRect(&parts.maximize, p)) return HTMAXBUTTON;
  if (PtInRect(&parts.minimize, p)) return HTMINBUTTON;
  if (PtInRect(&parts.icon, p)) return HTSYSMENU;
  return HTNOWHERE;
}

HICON CaptionIcon(HWND h) {
  auto w = Find(h);
  if (w && w->cls && w->cls->icon) return w->cls->icon;
  return LoadIcon(nullptr, IDI_APPLICATION);
}

UINT CaptionButtonState(DWORD style, UINT hit) {
  switch (hit) {
    case HTCLOSE:
      return DFCS_CAPTIONCLOSE;
    case HTMAXBUTTON:
      return ((style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
             ((style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE);
    case HTMINBUTTON:
      return ((style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN) |
             ((style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE);
  }
  return 0;
}

WPARAM CaptionButtonCommand(DWORD style, UINT hit) {
  switch (hit) {
    case HTCLOSE:
      return SC_CLOSE;
    case HTMAXBUTTON:
      return (style & WS_MAXIMIZEBOX) ? ((style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE) : 0;
    case HTMINBUTTON:
      return (style & WS_MINIMIZEBOX) ? ((style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE) : 0;
  }
  return 0;
}

void PaintCaption(Wnd& w, HDC dc, UINT pressed) {
  CaptionParts parts = CaptionLayout(w);
  if (IsRectEmpty(&parts.bar)) return;
  bool active = w.captionActive;
  FillRect(dc, &parts.bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  RECT text = parts.bar;
  text.left += 3;
  if (!IsRectEmpty(&parts.icon)) {
    DrawIconEx(dc, parts.icon.left, parts.icon.top, CaptionIcon(w.handle), parts.icon.right - parts.icon.left,
               parts.icon.bottom - parts.icon.top, 0, nullptr, DI_NORMAL);
    text.left = parts.icon.right + 3;
  }
  for (const RECT* b : {&parts.minimize, &parts.maximize, &parts.close})
    if (!IsRectEmpty(b)) text.right = std::min(text.right, b->left - kCaptionButtonGap);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  DrawText(dc, w.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  const struct {
    const RECT* rect;
    UINT hit;
  } buttons[] = {{&parts.minimize, HTMINBUTTON}, {&parts.maximize, HTMAXBUTTON}, {&parts.close, HTCLOSE}};
  for (const auto& b : buttons) {
    if (IsRectEmpty(b.rect)) continue;
    RECT r = *b.rect;
    DrawFrameControl(dc, &r, DFC_CAPTION,
                     CaptionButtonState(w.style, b.hit) | (pressed == b.hit ? DFCS_PUSHED : 0));
  }
}

bool TrackCaptionButton(HWND capture, const RECT& button, void (*paint)(HWND, CaptionPress, void*),
                        void* context) {
  SetCapture(capture);
  CaptionPress shown = CaptionPress::kDown;
  paint(capture, shown, context);
  bool released = false;
  MSG m;
  while (IsWindow(capture) && GetCapture() == capture) {
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP) {
      POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(m.hwnd, &p);
      bool inside = PtInRect(&button, p) != FALSE;
      if (m.message == WM_LBUTTONUP) {
        released = inside;
        break;
      }
      CaptionPress now = inside ? CaptionPress::kDown : CaptionPress::kUp;
      if (now != shown) paint(capture, shown = now, context);
      continue;
    }
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) break;
    if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (IsWindow(capture)) {
    if (GetCapture() == capture) ReleaseCapture();
    paint(capture, CaptionPress::kUp, context);
  }
  return released;
}

}  // namespace mirt_ui
