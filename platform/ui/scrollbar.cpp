// Scroll bars: built-in bars in the non-client area and the scroll-bar
// control, with their geometry, drawing and mouse tracking.
#include "platform/ui/scrollbar.h"

#include "platform/ui/gdi.h"
#include "platform/ui/input.h"
#include "platform/ui/message.h"
#include "platform/ui/paint.h"
#include "platform/ui/scrollbar_impl.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/system_classes.h"
#include "platform/ui/window.h"

namespace mirt_ui {
namespace {

// The highest position the thumb can reach.
int MaxPos(const ScrollBarState& s) { return s.max - std::max<int>(static_cast<int>(s.page) - 1, 0); }

bool Scrollable(const ScrollBarState& s) {
  if (s.max <= s.min) return false;
  return s.page == 0 || static_cast<int>(s.page) <= s.max - s.min;
}

void Clamp(ScrollBarState& s) {
  int hi = std::max(s.min, MaxPos(s));
  s.pos = std::clamp(s.pos, s.min, hi);
}

ScrollBarState* BarState(HWND h, int bar, WndPtr* keep) {
  auto w = Find(h);
  if (!w) return nullptr;
  *keep = w;
  if (bar == SB_HORZ) return &w->bars[0];
  if (bar == SB_VERT) return &w->bars[1];
  if (bar == SB_CTL) return &w->bars[0];
  return nullptr;
}

bool IsControlVertical(const Wnd& w) { return (w.style & SBS_VERT) != 0; }

void Redraw(HWND h, int bar) {
  if (bar == SB_CTL) {
    InvalidateRect(h, nullptr, FALSE);
    return;
  }
  auto w = Find(h);
  if (!w) return;
  if (DeferFramePaint(*w)) return;
  HDC dc = GetWindowDC(h);
  DrawBuiltInScrollBars(*w, dc);
  ReleaseDC(h, dc);
}

}  // namespace

ScrollGeometry ComputeScrollGeometry(const QRect& bar, bool vertical, const ScrollBarState& s) {
  ScrollGeometry g;
  g.bar = bar;
  g.vertical = vertical;
  int len = vertical ? bar.height() : bar.width();
  int thick = vertical ? bar.width() : bar.height();
  int arrow = std::min(thick, len / 2);
  if (vertical) {
    g.arrowLo = QRect(bar.left(), bar.top(), bar.width(), arrow);
    g.arrowHi = QRect(bar.left(), bar.top() + len - arrow, bar.width(), arrow);
  } else {
    g.arrowLo = QRect(bar.left(), bar.top(), arrow, bar.height());
    g.arrowHi = QRect(bar.left() + len - arrow, bar.top(), arrow, bar.height());
  }
  int track = len - 2 * arrow;
  if (!Scrollable(s) || s.disabledArrows == ESB_DISABLE_BOTH || track < 8) return g;
  int span = s.max - s.min + 1;
  int thumb = s.page ? std::max(8, static_cast<int>(static_cast<long long>(track) * s.page / span))
                     : std::min(thick, track);
  thumb = std::min(thumb, track);
  int range = MaxPos(s) - s.min;
  int pos = s.tracking ? s.trackPos : s.pos;
  int off = range > 0 ? static_cast<int>(static_cast<long long>(pos - s.min) * (track - thumb) / range) : 0;
  if (vertical)
    g.thumb = QRect(bar.left(), bar.top() + arrow + off, bar.width(), thumb);
  else
    g.thumb = QRect(bar.left() + arrow + off, bar.top(), thumb, bar.height());
  return g;
}

ScrollPart HitScrollPart(const ScrollGeometry& g, QPoint p) {
  if (!g.bar.contains(p)) return kPartNone;
  if (g.arrowLo.contains(p)) return kPartArrowLo;
  if (g.arrowHi.contains(p)) return kPartArrowHi;
  if (g.thumb.isEmpty()) return kPartNone;
  if (g.thumb.contains(p)) return kPartThumb;
  int c = g.vertical ? p.y() : p.x();
  int t = g.vertical ? g.thumb.top() : g.thumb.left();
  return c < t ? kPartPageLo : kPartPageHi;
}

QRect BuiltInBarRect(const Wnd& w, int bar) {
  const QRect& c = w.client;
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  if (bar == SB_VERT) return QRect(c.right() + 1, c.top(), cx, c.height());
  return QRect(c.left(), c.bottom() + 1, c.width(), cy);
}

void DrawScrollBar(HDC dc, const ScrollGeometry& g, const ScrollBarState& s, bool enabled) {
  auto rectOf = [](const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  };
  // Track: the classic dither of button face and highlight.
  RECT all = rectOf(g.bar);
  WORD bits[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP pat = CreateBitmap(8, 8, 1, 1, bits);
  HBRUSH track = CreatePatternBrush(pat);
  COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
  COLORREF oldBk = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  FillRect(dc, &all, track);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
  DeleteObject(track);
  DeleteObject(pat);
  bool inactive = !enabled || !Scrollable(s);
  UINT lo = g.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT;
  UINT hi = g.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT;
  RECT a = rectOf(g.arrowLo), b = rectOf(g.arrowHi);
  DrawFrameControl(dc, &a, DFC_SCROLL, lo | ((inactive || (s.disabledArrows & 1)) ? DFCS_INACTIVE : 0));
  DrawFrameControl(dc, &b, DFC_SCROLL, hi | ((inactive || (s.disabledArrows & 2)) ? DFCS_INACTIVE : 0));
  if (!g.thumb.isEmpty() && !inactive) {
    RECT t = rectOf(g.thumb);
    DrawEdge(dc, &t, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void DrawBuiltInScrollBars(Wnd& w, HDC dc) {
  bool enabled = !(w.style & WS_DISABLED);
  if (w.style & WS_VSCROLL) {
    QRect r = BuiltInBarRect(w, SB_VERT);
    DrawScrollBar(dc, ComputeScrollGeometry(r, true, w.bars[1]), w.bars[1], enabled);
  }
  if (w.style & WS_HSCROLL) {
    QRect r = BuiltInBarRect(w, SB_HORZ);
    DrawScrollBar(dc, ComputeScrollGeometry(r, false, w.bars[0]), w.bars[0], enabled);
  }
  if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL)) {
    QRect v = BuiltInBarRect(w, SB_VERT), h = BuiltInBarRect(w, SB_HORZ);
    RECT box{v.left(), h.top(), v.left() + v.width(), h.top() + h.height()};
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void TrackScrollBar(HWND owner, int bar, HWND notify, POINT screenPt) {
  auto w = Find(owner);
  if (!w) return;
  bool vertical = bar == SB_VERT || (bar == SB_CTL && IsControlVertical(*w));
  ScrollBarState& s = bar == SB_VERT ? w->bars[1] : w->bars[0];
  auto geometry = [&]() {
    auto cur = Find(owner);
    QRect r = bar == SB_CTL ? QRect(cur->client.topLeft(), cur->client.size()) : BuiltInBarRect(*cur, bar);
    return ComputeScrollGeometry(r, vertical, s);
  };
  auto toWindow = [&](POINT screen) {
    auto cur = Find(owner);
    return QPoint(screen.x, screen.y) - WindowOriginOnScreen(*cur);
  };
  ScrollGeometry g = geometry();
  ScrollPart part = HitScrollPart(g, toWindow(screenPt));
  if (part == kPartNone) return;
  UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
  LPARAM ctl = bar == SB_CTL ? reinterpret_cast<LPARAM>(owner) : 0;
  auto send = [&](int code, int pos) {
    if (IsWindow(notify)) SendMessage(notify, msg, MAKEWPARAM(code, static_cast<WORD>(pos)), ctl);
  };
  int code = part == kPartArrowLo   ? SB_LINEUP
             : part == kPartArrowHi ? SB_LINEDOWN
             : part == kPartPageLo  ? SB_PAGEUP
                                    : SB_PAGEDOWN;
  SetCapture(owner);
  constexpr UINT_PTR kRepeat = 0x5C0;
  int grab = 0;
  if (part == kPartThumb) {
    QPoint p = toWindow(screenPt);
    grab = vertical ? p.y() - g.thumb.top() : p.x() - g.thumb.left();
    s.tracking = true;
    s.trackPos = s.pos;
  } else {
    send(code, 0);
    SetTimer(owner, kRepeat, 400, nullptr);
  }
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) {
    if (!IsWindow(owner) || GetCapture() != owner) break;
    if (m.message == WM_LBUTTONUP) break;
    if (m.message == WM_MOUSEMOVE && part == kPartThumb) {
      POINT sp{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(owner, &sp);
      QPoint p = toWindow(sp);
      ScrollGeometry cur = geometry();
      int trackStart = vertical ? cur.arrowLo.bottom() + 1 : cur.arrowLo.right() + 1;
      int trackLen = (vertical ? cur.arrowHi.top() : cur.arrowHi.left()) - trackStart;
      int thumbLen = vertical ? cur.thumb.height() : cur.thumb.width();
      int off = (vertical ? p.y() : p.x()) - grab - trackStart;
      int room = std::max(1, trackLen - thumbLen);
      int range = MaxPos(s) - s.min;
      int pos = s.min + static_cast<int>(static_cast<long long>(std::clamp(off, 0, room)) * range / room);
      if (pos != s.trackPos) {
        s.trackPos = pos;
        Redraw(owner, bar);
        send(SB_THUMBTRACK, pos);
      }
      continue;
    }
    if (m.message == WM_TIMER && m.hwnd == owner && m.wParam == kRepeat) {
      SetTimer(owner, kRepeat, 50, nullptr);
      POINT cp;
      GetCursorPos(&cp);
      if (HitScrollPart(geometry(), toWindow(cp)) == part) send(code, 0);
      continue;
    }
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) break;
    if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (m.message == WM_QUIT) PostQuitMessage(static_cast<int>(m.wParam));
  if (IsWindow(owner)) {
    KillTimer(owner, kRepeat);
    if (part == kPartThumb) {
      s.tracking = false;
      send(SB_THUMBPOSITION, s.trackPos);
    }
    send(SB_ENDSCROLL, 0);
    if (GetCapture() == owner) ReleaseCapture();
    Redraw(owner, bar);
  }
}

namespace {

LRESULT CALLBACK ScrollBarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto w = Find(h);
  if (!w) return 0;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      QRect r(QPoint(0, 0), w->client.size());
      bool vertical = IsControlVertical(*w);
      // The control draws in client coordinates.
      DrawScrollBar(dc, ComputeScrollGeometry(r, vertical, w->bars[0]), w->bars[0],
                    !(w->style & WS_DISABLED));
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(h, &pt);
      // TrackScrollBar works in window coordinates; the control has no frame.
      TrackScrollBar(h, SB_CTL, GetParent(h), pt);
      return 0;
    }
    case SBM_SETPOS:
      return SetScrollPos(h, SB_CTL, static_cast<int>(wp), static_cast<BOOL>(lp));
    case SBM_GETPOS:
      return GetScrollPos(h, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      SetScrollRange(h, SB_CTL, static_cast<int>(wp), static_cast<int>(lp), msg == SBM_SETRANGEREDRAW);
      return GetScrollPos(h, SB_CTL);
    case SBM_GETRANGE:
      GetScrollRange(h, SB_CTL, reinterpret_cast<LPINT>(wp), reinterpret_cast<LPINT>(lp));
      return 0;
    case SBM_ENABLE_ARROWS:
      return EnableScrollBar(h, SB_CTL, static_cast<UINT>(wp));
    case SBM_SETSCROLLINFO:
      return SetScrollInfo(h, SB_CTL, reinterpret_cast<LPCSCROLLINFO>(lp), static_cast<BOOL>(wp));
    case SBM_GETSCROLLINFO:
      return GetScrollInfo(h, SB_CTL, reinterpret_cast<LPSCROLLINFO>(lp));
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterScrollBarClass() {
  WNDCLASS wc{};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  wc.lpfnWndProc = ScrollBarProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  wc.lpszClassName = "SCROLLBAR";
  RegisterClass(&wc);
}

const bool kScrollbarRegistered = AddSystemClass(&RegisterScrollBarClass);

}  // namespace
}  // namespace mirt_ui

using namespace mirt_ui;

int SetScrollInfo(HWND h, int bar, LPCSCROLLINFO si, BOOL redraw) {
  WndPtr keep;
  ScrollBarState* s = BarState(h, bar, &keep);
  if (!s || !si) return 0;
  bool wasScrollable = Scrollable(*s);
  const ScrollBarState before = *s;
  if (si->fMask & SIF_RANGE) {
    s->min = si->nMin;
    s->max = si->nMax;
  }
  if (si->fMask & SIF_PAGE) {
    long long span = static_cast<long long>(s->max) - s->min + 1;
    s->page = static_cast<UINT>(std::clamp<long long>(si->nPage, 0, std::max<long long>(span, 0)));
  }
  if (si->fMask & SIF_POS) s->pos = si->nPos;
  Clamp(*s);
  const DWORD styleBefore = keep->style;
  if (bar != SB_CTL && (si->fMask & (SIF_RANGE | SIF_PAGE))) {
    bool now = Scrollable(*s);
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    bool shown = (keep->style & bit) != 0;
    if (si->fMask & SIF_DISABLENOSCROLL) {
      if (!shown) ShowScrollBar(h, bar, TRUE);
    } else if (now != shown || now != wasScrollable) {
      if (now != shown) ShowScrollBar(h, bar, now);
    }
  }
  // A bar that stays as it was shows the same image: nothing to draw.
  const bool same = s->min == before.min && s->max == before.max && s->page == before.page &&
                    s->pos == before.pos && keep->style == styleBefore;
  if (redraw && !same) Redraw(h, bar);
  return s->pos;
}

BOOL GetScrollInfo(HWND h, int bar, LPSCROLLINFO si) {
  WndPtr keep;
  ScrollBarState* s = BarState(h, bar, &keep);
  if (!s || !si) return FALSE;
  if (si->fMask & SIF_RANGE) {
    si->nMin = s->min;
    si->nMax = s->max;
  }
  if (si->fMask & SIF_PAGE) si->nPage = s->page;
  if (si->fMask & SIF_POS) si->nPos = s->pos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = s->tracking ? s->trackPos : s->pos;
  return TRUE;
}

int SetScrollPos(HWND h, int bar, int pos, BOOL redraw) {
  WndPtr keep;
  ScrollBarState* s = BarState(h, bar, &keep);
  if (!s) return 0;
  int old = s->pos;
  if (pos == old) return old;  // nothing moves, nothing to draw
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(h, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND h, int bar) {
  WndPtr keep;
  ScrollBarState* s = BarState(h, bar, &keep);
  return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND h, int bar, int lo, int hi, BOOL redraw) {
  if (static_cast<long long>(hi) - lo > 0x7FFFFFFF) return FALSE;
  SCROLLINFO si{sizeof si, SIF_RANGE, lo, hi, 0, 0, 0};
  WndPtr keep;
  if (!BarState(h, bar, &keep)) return FALSE;
  SetScrollInfo(h, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND h, int bar, LPINT lo, LPINT hi) {
  WndPtr keep;
  ScrollBarState* s = BarState(h, bar, &keep);
  if (!s) return FALSE;
  if (lo) *lo = s->min;
  if (hi) *hi = s->max;
  return TRUE;
}

BOOL ShowScrollBar(HWND h, int bar, BOOL show) {
  auto w = Find(h);
  if (!w) return FALSE;
  if (bar == SB_CTL) return ShowWindow(h, show ? SW_SHOW : SW_HIDE), TRUE;
  DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : (WS_VSCROLL | WS_HSCROLL);
  DWORD style = show ? (w->style | bits) : (w->style & ~bits);
  if (style == w->style) return TRUE;
  w->style = style;
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

BOOL EnableScrollBar(HWND h, UINT bar, UINT arrows) {
  WndPtr keep;
  if (bar == SB_BOTH) return EnableScrollBar(h, SB_HORZ, arrows) && EnableScrollBar(h, SB_VERT, arrows);
  ScrollBarState* s = BarState(h, static_cast<int>(bar), &keep);
  if (!s) return FALSE;
  if (s->disabledArrows == arrows) return FALSE;
  s->disabledArrows = arrows;
  Redraw(h, static_cast<int>(bar));
  return TRUE;
}
