// The default window procedure.
#include <QWidget>
#include <cstring>

#include "platform/ui/caption.h"
#include "platform/ui/gdi.h"
#include "platform/ui/input.h"
#include "platform/ui/menu_impl.h"
#include "platform/ui/message.h"
#include "platform/ui/paint.h"
#include "platform/ui/resources.h"
#include "platform/ui/scrollbar_impl.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/text1252.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"

using namespace mirt_ui;

namespace {

HBRUSH ClassBrush(HBRUSH b) {
  // Classes may name a system colour as COLOR_x + 1.
  uintptr_t v = reinterpret_cast<uintptr_t>(b);
  if (v > 0 && v <= 31) return GetSysColorBrush(static_cast<int>(v - 1));
  return b;
}

LRESULT HitTest(Wnd& w, POINT screen) {
  QPoint org = WindowOriginOnScreen(w);
  QPoint p(screen.x - org.x(), screen.y - org.y());
  if (!QRect(QPoint(0, 0), w.rect.size()).contains(p)) return HTNOWHERE;
  if (w.client.contains(p)) return HTCLIENT;
  if ((w.style & WS_VSCROLL) && BuiltInBarRect(w, SB_VERT).contains(p)) return HTVSCROLL;
  if ((w.style & WS_HSCROLL) && BuiltInBarRect(w, SB_HORZ).contains(p)) return HTHSCROLL;
  int b = FrameWidth(w.style, w.exStyle, HasDesktopFrame(w.style, w.exStyle));
  int cap = CaptionHeight(w.style, w.exStyle);
  if (LRESULT part = CaptionPartAt(w, POINT{p.x(), p.y()}); part != HTNOWHERE) return part;
  if (cap && p.y() >= b && p.y() < b + cap) return HTCAPTION;
  if (w.style & WS_THICKFRAME) {
    int W = w.rect.width(), H = w.rect.height(), c = GetSystemMetrics(SM_CXSIZE);
    bool left = p.x() < b, right = p.x() >= W - b, top = p.y() < b, bottom = p.y() >= H - b;
    bool nearLeft = p.x() < c, nearRight = p.x() >= W - c, nearTop = p.y() < c, nearBottom = p.y() >= H - c;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  return HTBORDER;
}

void PaintFrame(Wnd& w) {
  HDC dc = GetWindowDC(w.handle);
  if (!dc) return;
  RECT r{0, 0, w.rect.width(), w.rect.height()};
  if (!HasDesktopFrame(w.style, w.exStyle)) {
    if (w.style & (WS_THICKFRAME | WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
      int extra = FrameWidth(w.style, 0, false) - 2;
      HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
      for (int i = 0; i < extra; ++i) {
        FrameRect(dc, &r, face);
        InflateRect(&r, -1, -1);
      }
    } else if (w.style & WS_BORDER) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&r, -1, -1);
    }
    int cap = CaptionHeight(w.style, w.exStyle);
    if (cap) {
      PaintCaption(w, dc);
      RECT line{r.left, r.top + cap - 1, r.right, r.top + cap};
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
      r.top += cap;
    }
  }
  if (w.exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (w.exStyle & WS_EX_STATICEDGE) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  DrawBuiltInScrollBars(w, dc);
  ReleaseDC(w.handle, dc);
}

LRESULT SetCursorDefault(Wnd& w, WPARAM wp, LPARAM lp) {
  if (w.parent && SendMessage(w.parent, WM_SETCURSOR, wp, lp)) return TRUE;
  short ht = static_cast<short>(LOWORD(lp));
  LPCSTR id = IDC_ARROW;
  switch (ht) {
    case HTCLIENT:
      if (w.cls->cursor) {
        SetCursor(w.cls->cursor);
        return TRUE;
      }
      return FALSE;
    case HTLEFT:
    case HTRIGHT:
      id = IDC_SIZEWE;
      break;
    case HTTOP:
    case HTBOTTOM:
      id = IDC_SIZENS;
      break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      id = IDC_SIZENWSE;
      break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      id = IDC_SIZENESW;
      break;
  }
  SetCursor(LoadCursor(nullptr, id));
  return TRUE;
}

struct PressedCaptionButton {
  UINT hit;
};

void PaintPressedCaption(HWND h, CaptionPress press, void* context) {
  auto w = Find(h);
  HDC dc = w ? GetWindowDC(h) : nullptr;
  if (!dc) return;
  PaintCaption(*w, dc, press == CaptionPress::kDown ? static_cast<PressedCaptionButton*>(context)->hit : 0);
  ReleaseDC(h, dc);
}

// A press on the caption's icon or buttons: the system menu under the
// icon, or the button's command when it is released on the button.
bool CaptionPartPressed(Wnd& w, UINT hit) {
  HWND h = w.handle;
  CaptionParts parts = CaptionLayout(w);
  QPoint org = WindowOriginOnScreen(w);
  if (hit == HTSYSMENU) {
    TrackPopupMenuEx(GetSystemMenu(h, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN, org.x() + parts.bar.left,
                     org.y() + parts.bar.bottom, h, nullptr);
    return true;
  }
  const RECT* rect = hit == HTCLOSE ? &parts.close : hit == HTMAXBUTTON ? &parts.maximize : &parts.minimize;
  if (IsRectEmpty(rect)) return false;
  RECT onScreen = *rect;
  OffsetRect(&onScreen, org.x(), org.y());
  WPARAM command = CaptionButtonCommand(w.style, hit);
  PressedCaptionButton pressed{hit};
  if (TrackCaptionButton(h, onScreen, PaintPressedCaption, &pressed) && command && IsWindow(h))
    SendMessage(h, WM_SYSCOMMAND, command, 0);
  return true;
}

}  // namespace

namespace mirt_ui {
void PaintNonClient(Wnd& w) { PaintFrame(w); }
HBRUSH ResolveClassBrush(HBRUSH b) { return ClassBrush(b); }
}  // namespace mirt_ui

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto w = Find(h);
  if (!w) return 0;
  if (LRESULT r = 0; MenuBarMessage(h, msg, wp, lp, &r)) return r;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lp);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
        w->text = cs->lpszName;
        if (!w->parent && w->widget) w->widget->setWindowTitle(From1252(w->text.c_str()));
      }
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
      if (!p) return 0;
      RECT& r = p->rgrc[0];
      QRect c =
          DefaultClientRect(w->style, w->exStyle, QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
      r = RECT{c.left(), c.top(), c.left() + c.width(), c.top() + c.height()};
      return 0;
    }
    case WM_NCHITTEST: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      return HitTest(*w, pt);
    }
    case WM_NCPAINT:
      PaintFrame(*w);
      PaintMenuBar(h);
      return 0;
    case WM_NCACTIVATE:
      if (w->captionActive != (wp != 0)) {
        w->captionActive = wp != 0;
        if (CaptionHeight(w->style, w->exStyle) && !DeferFramePaint(*w)) PaintFrame(*w);
      }
      return TRUE;
    case WM_ERASEBKGND: {
      HBRUSH b = ClassBrush(w->cls->background);
      if (!b) return 0;
      RECT r{0, 0, w->client.width(), w->client.height()};
      FillRect(reinterpret_cast<HDC>(wp), &r, b);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      LPCSTR s = reinterpret_cast<LPCSTR>(lp);
      w->text = s ? s : "";
      if (!w->parent && w->widget) w->widget->setWindowTitle(From1252(w->text.c_str()));
      if (CaptionHeight(w->style, w->exStyle) && !DeferFramePaint(*w)) PaintFrame(*w);
      return TRUE;
    }
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lp);
      int n = static_cast<int>(wp);
      if (!buf || n <= 0) return 0;
      int len = std::min<int>(n - 1, static_cast<int>(w->text.size()));
      memcpy(buf, w->text.data(), len);
      buf[len] = 0;
      return len;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_SYSCOMMAND:
      switch (wp & 0xFFF0) {
        case SC_CLOSE:
          SendMessage(h, WM_CLOSE, 0, 0);
          break;
        case SC_MINIMIZE:
          ShowWindow(h, SW_MINIMIZE);
          break;
        case SC_MAXIMIZE:
          ShowWindow(h, SW_SHOWMAXIMIZED);
          break;
        case SC_RESTORE:
          ShowWindow(h, SW_RESTORE);
          break;
      }
      return 0;
    case WM_SETCURSOR:
      return SetCursorDefault(*w, wp, lp);
    case WM_MOUSEACTIVATE:
      if (w->parent) {
        LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wp, lp);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(h);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* p = reinterpret_cast<WINDOWPOS*>(lp);
      if (!p) return 0;
      if (!(p->flags & SWP_NOMOVE)) {
        QPoint o = w->rect.topLeft() + w->client.topLeft();
        SendMessage(h, WM_MOVE, 0, MAKELPARAM(o.x(), o.y()));
      }
      if (!(p->flags & SWP_NOSIZE) || ((p->flags & SWP_FRAMECHANGED) && !(p->flags & kSwpClientSizeKept))) {
        WPARAM kind = (w->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                      : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                 : SIZE_RESTORED;
        if (auto again = Find(h))
          SendMessage(h, WM_SIZE, kind, MAKELPARAM(again->client.width(), again->client.height()));
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
    case WM_HELP:
      if (w->parent) return SendMessage(w->parent, msg, wp, lp);
      return 0;
    case WM_RBUTTONUP: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(h, &pt);
      SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), MAKELPARAM(pt.x, pt.y));
      return 0;
    }
    case WM_NCRBUTTONUP:
      SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), lp);
      return 0;
    case WM_KEYUP:
      if (wp == VK_APPS) SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1);
      return 0;
    case WM_SYSKEYDOWN:
      if (wp == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000))
        SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1);
      // Alt+F4 closes the top-level window, wherever the focus is.
      if (wp == VK_F4 && (HIWORD(lp) & KF_ALTDOWN))
        SendMessage(GetAncestor(h, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (wp == HTVSCROLL) TrackScrollBar(h, SB_VERT, h, pt);
      if (wp == HTHSCROLL) TrackScrollBar(h, SB_HORZ, h, pt);
      if (msg == WM_NCLBUTTONDBLCLK && wp == HTSYSMENU)
        SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
      else if (wp == HTSYSMENU || wp == HTMINBUTTON || wp == HTMAXBUTTON || wp == HTCLOSE)
        CaptionPartPressed(*w, static_cast<UINT>(wp));
      return 0;
    }
    case WM_SETREDRAW:
      w->noRedraw = !wp;
      if (wp) MarkDirty(*w);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == h) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_NOTIFYFORMAT:
      return 1;  // NFR_ANSI
    case WM_GETFONT:
      return 0;
  }
  return 0;
}
