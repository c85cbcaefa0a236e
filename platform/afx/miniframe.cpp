#include "platform/afx/miniframe.h"

#include <algorithm>

#include "platform/afx/track_loop.h"
#include "platform/afx/winthread.h"

#include "platform/ui/cdc.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

int CMiniFrameWnd::BorderWidth(DWORD style) {
  if (style & (WS_THICKFRAME | MFS_THICKFRAME | MFS_4THICKFRAME)) return ::GetSystemMetrics(SM_CXFRAME);
  if (style & (WS_BORDER | WS_DLGFRAME)) return ::GetSystemMetrics(SM_CXBORDER);
  return 0;
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT r, DWORD style, DWORD) {
  int b = BorderWidth(style);
  int cap = (style & WS_CAPTION) == WS_CAPTION ? ::GetSystemMetrics(SM_CYSMCAPTION) : 0;
  r->left -= b;
  r->right += b;
  r->top -= b + cap;
  r->bottom += b;
}

void CMiniFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT) {
  CalcBorders(lpClientRect, GetStyle(), GetExStyle());
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  if (cs.style & (MFS_4THICKFRAME | MFS_THICKFRAME)) cs.style |= WS_THICKFRAME;
  if ((cs.style & WS_CAPTION) == WS_CAPTION) cs.dwExStyle |= WS_EX_TOOLWINDOW;
  return TRUE;
}

BOOL CMiniFrameWnd::Create(LPCSTR cls, LPCSTR name, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateEx(0, cls, name, style, rect, parent, id);
}

BOOL CMiniFrameWnd::CreateEx(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, const RECT& rect, CWnd* parent,
                             UINT id) {
  m_strTitle = name ? name : "";
  // Widths in 64 bits: CW_USEDEFAULT is the smallest int.
  int x = rect.left, y = rect.top;
  int w = static_cast<int>(int64_t{rect.right} - rect.left),
      h = static_cast<int>(int64_t{rect.bottom} - rect.top);
  if (rect.left == CW_USEDEFAULT) {
    x = y = 0;
    w = h = 0;
  }
  HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
  return CWnd::CreateEx(ex, cls, name, style, x, y, w, h, parent ? parent->m_hWnd : nullptr, menu, nullptr);
}

BOOL CMiniFrameWnd::IsSizable() const {
  DWORD style = GetStyle();
  return (style & (WS_THICKFRAME | MFS_THICKFRAME)) &&
         !((style & MFS_4THICKFRAME) && !(style & MFS_THICKFRAME));
}

CRect CMiniFrameWnd::CaptionRect() const {
  CRect w;
  GetWindowRect(&w);
  int b = BorderWidth(GetStyle());
  if ((GetStyle() & WS_CAPTION) != WS_CAPTION) return CRect(b, b, b, b);
  return CRect(b, b, w.Width() - b, b + ::GetSystemMetrics(SM_CYSMCAPTION));
}

CRect CMiniFrameWnd::CloseBoxRect() const {
  CRect cap = CaptionRect();
  if (!(GetStyle() & WS_SYSMENU) || cap.IsRectEmpty()) return CRect(0, 0, 0, 0);
  int s = cap.Height() - 4;
  return CRect(cap.right - s - 2, cap.top + 2, cap.right - 2, cap.top + 2 + s);
}

LRESULT CMiniFrameWnd::HitTest(CPoint screen) const {
  CRect w;
  GetWindowRect(&w);
  if (!w.PtInRect(screen)) return HTNOWHERE;
  CPoint p(screen.x - w.left, screen.y - w.top);
  int b = BorderWidth(GetStyle());
  CRect cap = CaptionRect();
  if (CloseBoxRect().PtInRect(p)) return HTCLOSE;
  if (cap.PtInRect(p)) return HTCAPTION;
  bool left = p.x < b, right = p.x >= w.Width() - b, top = p.y < b, bottom = p.y >= w.Height() - b;
  if (!(left || right || top || bottom)) return HTCLIENT;
  if (!IsSizable()) return (GetStyle() & MFS_MOVEFRAME) ? HTCAPTION : HTBORDER;
  int c = ::GetSystemMetrics(SM_CXSIZE);
  bool nl = p.x < c, nr = p.x >= w.Width() - c, nt = p.y < c, nb = p.y >= w.Height() - c;
  if ((top && nl) || (left && nt)) return HTTOPLEFT;
  if ((top && nr) || (right && nt)) return HTTOPRIGHT;
  if ((bottom && nl) || (left && nb)) return HTBOTTOMLEFT;
  if ((bottom && nr) || (right && nb)) return HTBOTTOMRIGHT;
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  if (top) return HTTOP;
  return HTBOTTOM;
}

void CMiniFrameWnd::PaintNonClient() {
  CWindowDC dc(this);
  CRect w;
  GetWindowRect(&w);
  CRect r(0, 0, w.Width(), w.Height());
  int b = BorderWidth(GetStyle());
  if (b > 1) {
    dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
    dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    r.DeflateRect(1, 1);
    for (int i = 2; i < b; ++i) {
      dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
      r.DeflateRect(1, 1);
    }
  } else if (b == 1) {
    dc.Draw3dRect(&r, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_WINDOWFRAME));
  }
  CRect cap = CaptionRect();
  if (cap.Height() <= 0) return;
  BOOL active = m_bActive || ::GetActiveWindow() == m_hWnd;
  dc.FillSolidRect(&cap, ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  CString text;
  GetWindowText(text);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  HGDIOBJ old = dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
  CRect t = cap;
  t.left += 2;
  CRect close = CloseBoxRect();
  if (!close.IsRectEmpty()) t.right = close.left - 1;
  dc.DrawText(text, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  dc.SelectObject(old);
  if (!close.IsRectEmpty()) ::DrawFrameControl(dc.GetSafeHdc(), &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

LRESULT CMiniFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCALCSIZE: {
      auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
      if (!p) return 0;
      RECT& r = p->rgrc[0];
      int b = BorderWidth(GetStyle());
      int cap = (GetStyle() & WS_CAPTION) == WS_CAPTION ? ::GetSystemMetrics(SM_CYSMCAPTION) : 0;
      r.left += b;
      r.right -= b;
      r.top += b + cap;
      r.bottom -= b;
      if (r.right < r.left) r.right = r.left;
      if (r.bottom < r.top) r.bottom = r.top;
      return 0;
    }
    case WM_NCHITTEST:
      return HitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    case WM_NCPAINT:
      PaintNonClient();
      return 0;
    case WM_NCACTIVATE:
      m_bActive = wParam != 0 || ((GetStyle() & MFS_SYNCACTIVE) && m_bActive);
      PaintNonClient();
      return TRUE;
    case WM_SETTEXT: {
      LRESULT r = CFrameWnd::WindowProc(message, wParam, lParam);
      PaintNonClient();
      return r;
    }
    default:
      return CFrameWnd::WindowProc(message, wParam, lParam);
  }
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & MFS_SYNCACTIVE)) return 0;
  if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
    m_bActive = (wParam & FS_ACTIVATE) != 0;
    PaintNonClient();
  }
  if (wParam & FS_SHOW) {
    // Shown again with its owner, unless it was hidden on purpose.
  }
  return TRUE;
}

void CMiniFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  switch (nHitTest) {
    case HTCAPTION:
      TrackMove(point);
      return;
    case HTCLOSE:
      SendMessage(WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(point.x, point.y));
      return;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTBOTTOM:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
      TrackSize(nHitTest, point);
      return;
    default:
      Default();
  }
}

void CMiniFrameWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }

void CMiniFrameWnd::TrackMove(CPoint start) { afx::TrackWindowMove(m_hWnd, start); }

void CMiniFrameWnd::TrackSize(UINT hit, CPoint start) {
  SIZE min{::GetSystemMetrics(SM_CXMIN), ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * BorderWidth(GetStyle())};
  afx::TrackWindowSize(m_hWnd, hit, start, min);
}
