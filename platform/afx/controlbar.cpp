#include "platform/afx/controlbar.h"

#include <algorithm>

#include "platform/afx/dockbar.h"
#include "platform/afx/dockcontext.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/minidockframe.h"
#include "platform/ui/cdc.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {}

LPCSTR AfxControlBarClass() {
  static bool registered = [] {
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = AFX_WNDCONTROLBAR;
    WNDCLASS existing;
    if (!::GetClassInfo(nullptr, AFX_WNDCONTROLBAR, &existing)) ::RegisterClass(&wc);
    return true;
  }();
  (void)registered;
  return AFX_WNDCONTROLBAR;
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
  m_pDockSite = nullptr;
  delete m_pDockContext;
  m_pDockContext = nullptr;
  if (m_hWnd) DestroyWindow();
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxControlBarClass();
  cs.style |= WS_CLIPSIBLINGS;
  return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  // A bar created in a frame belongs to that frame's bars.
  CWnd* parent = GetParent();
  if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    m_pDockSite = static_cast<CFrameWnd*>(parent);
    m_pDockSite->AddControlBar(this);
  }
  if (m_dwStyle & CBRS_TOOLTIPS) EnableToolTips(TRUE);
  return 0;
}

void CControlBar::OnDestroy() {
  if (m_pDockBar) {
    m_pDockBar->ForgetBar(this);
    m_pDockBar = nullptr;
  }
  if (m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

// ---- Styles ----

void CControlBar::SetBarStyle(DWORD dwStyle) {
  dwStyle &= CBRS_ALL;
  if (m_dwStyle == dwStyle) return;
  DWORD old = m_dwStyle;
  m_dwStyle = dwStyle;
  if (m_hWnd && ((old ^ dwStyle) & CBRS_TOOLTIPS)) EnableToolTips((dwStyle & CBRS_TOOLTIPS) != 0);
  OnBarStyleChange(old, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBorders(LPCRECT r) { SetBorders(r->left, r->top, r->right, r->bottom); }

CRect CControlBar::GetBorders() const {
  return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

// ---- Docking ----

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (!m_pDockContext) m_pDockContext = new CDockContext(this);
  if (!m_hWndOwner && m_hWnd) {
    CWnd* parent = GetParent();
    if (parent) {
      m_hWndOwner = parent->m_hWnd;
      SetOwner(parent);
    }
  }
}

BOOL CControlBar::IsFloating() const {
  if (IsDockBar()) return static_cast<const CDockBar*>(this)->m_bFloating;
  return m_pDockBar && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  if (!m_hWnd) return FALSE;
  return (GetStyle() & WS_VISIBLE) || (m_nStateFlags & delayShow);
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  if (!m_hWnd) return;
  BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
  if (bShow && !visible)
    m_nStateFlags |= delayShow;
  else if (!bShow && visible)
    m_nStateFlags |= delayHide;
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CFrameWnd* frame = GetParentFrame();
  if (!frame) frame = m_pDockSite;
  if (frame && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
    CFrameWnd* owner = frame->GetParentFrame();
    frame = owner ? owner : m_pDockSite;
  }
  return frame;
}

// ---- Layout ----

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, bHorz);
  CSize size(-inside.Width(), -inside.Height());
  if (bStretch && bHorz) size.cx = 32767;
  if (bStretch && !bHorz) size.cy = 32767;
  return size;
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZDOCK);
  return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZ);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  DWORD style = m_dwStyle;
  if (style & CBRS_BORDER_LEFT) rect.left += afx::kBarBorder2;
  if (style & CBRS_BORDER_TOP) rect.top += afx::kBarBorder2;
  if (style & CBRS_BORDER_RIGHT) rect.right -= afx::kBarBorder2;
  if (style & CBRS_BORDER_BOTTOM) rect.bottom -= afx::kBarBorder2;
  if (bHorz) {
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder;
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  DWORD style = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
  BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
  UINT swp = 0;
  if ((m_nStateFlags & delayHide) && visible)
    swp = SWP_HIDEWINDOW;
  else if ((m_nStateFlags & delayShow) && !visible)
    swp = SWP_SHOWWINDOW;
  if (!lpLayout || !lpLayout->hDWP) {
    // A query sees the pending state without applying it.
    if (swp) style ^= WS_VISIBLE;
    return style;
  }
  m_nStateFlags &= ~(delayShow | delayHide);
  if (swp) {
    style ^= WS_VISIBLE;
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0,
                                      swp | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return style;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  DWORD style = RecalcDelayShow(layout);
  if (!(style & WS_VISIBLE) || !(style & CBRS_ALIGN_ANY)) return 0;
  CRect rect(layout->rect);
  CSize avail = rect.Size();
  DWORD mode = layout->bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
    mode |= LM_HORZ | LM_MRUWIDTH;
  else if (style & CBRS_ORIENT_HORZ)
    mode |= LM_HORZ | LM_HORZDOCK;
  else
    mode |= LM_VERTDOCK;
  CSize size = CalcDynamicLayout(-1, mode);
  size.cx = std::min(size.cx, avail.cx);
  size.cy = std::min(size.cy, avail.cy);
  if (style & CBRS_ORIENT_HORZ) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    if (style & CBRS_ALIGN_TOP) {
      layout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      layout->rect.bottom -= size.cy;
    }
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
    if (style & CBRS_ALIGN_LEFT) {
      layout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      layout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (layout->hDWP) AfxRepositionWindow(layout, m_hWnd, &rect);
  return 0;
}

// ---- Painting ----

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  DWORD style = m_dwStyle;
  if (!(style & CBRS_BORDER_ANY)) return;
  COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  int w = rect.Width(), h = rect.Height();
  if (style & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left, rect.top, 1, h, dark);
  if (style & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top, w, 1, dark);
  if (style & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 1, rect.top, 1, h, dark);
  if (style & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, rect.bottom - 1, w, 1, dark);
  if (style & CBRS_BORDER_3D) {
    if (style & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left + 1, rect.top + 1, 1, h - 2, light);
    if (style & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left + 1, rect.top + 1, w - 2, 1, light);
    if (style & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 2, rect.top + 1, 1, h - 2, light);
    if (style & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left + 1, rect.bottom - 2, w - 2, 1, light);
  }
  if (style & CBRS_BORDER_LEFT) rect.left += afx::kBarBorder2;
  if (style & CBRS_BORDER_TOP) rect.top += afx::kBarBorder2;
  if (style & CBRS_BORDER_RIGHT) rect.right -= afx::kBarBorder2;
  if (style & CBRS_BORDER_BOTTOM) rect.bottom -= afx::kBarBorder2;
}

void CControlBar::DrawGripper(CDC*, const CRect&) {}

void CControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  DrawBorders(pDC, rect);
  DrawGripper(pDC, rect);
}

void CControlBar::OnPaint() {
  CPaintDC dc(this);
  DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

// ---- Mouse ----

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
  } else {
    CWnd::OnLButtonDown(nFlags, point);
  }
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockContext && OnToolHitTest(point, nullptr) == -1)
    m_pDockContext->ToggleDocking();
  else
    CWnd::OnLButtonDblClk(nFlags, point);
}

int CControlBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg) {
  return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, nMsg);
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) { CWnd::OnWindowPosChanging(lpWndPos); }

// No tools of its own; a bar with tools names the one under the point and
// gives its tip text on the heap (malloc/_strdup: the tip filter frees it).
INT_PTR CControlBar::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }

BOOL CControlBar::SetStatusText(INT_PTR nHit) {
  CWnd* owner = GetOwner();
  if (!owner) return FALSE;
  if (nHit == -1) {
    if (!(m_nStateFlags & statusSet)) return FALSE;
    owner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    m_nStateFlags &= ~statusSet;
    return TRUE;
  }
  owner->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(nHit));
  m_nStateFlags |= statusSet;
  return TRUE;
}

void CControlBar::ResetTimer(UINT nEvent, UINT nTime) {
  KillTimer(1);
  KillTimer(2);
  SetTimer(nEvent, nTime, nullptr);
}

// ---- Commands ----

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
      // Controls on a bar talk to the bar's owner when the bar does not answer.
      LRESULT result = 0;
      if (OnWndMsg(message, wParam, lParam, &result)) return result;
      CWnd* owner = GetOwner();
      if (owner && owner != this && owner->m_hWnd) return owner->SendMessage(message, wParam, lParam);
      return 0;
    }
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
  UINT swp = 0;
  if ((m_nStateFlags & delayHide) && visible)
    swp = SWP_HIDEWINDOW;
  else if ((m_nStateFlags & delayShow) && !visible)
    swp = SWP_SHOWWINDOW;
  m_nStateFlags &= ~(delayShow | delayHide);
  if (swp) SetWindowPos(nullptr, 0, 0, 0, 0, swp | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if ((GetStyle() & WS_VISIBLE) && (!m_pDockBar || (m_pDockBar->GetStyle() & WS_VISIBLE))) {
    CWnd* owner = GetOwner();
    CFrameWnd* target = owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(owner)
                                                                           : GetParentFrame();
    if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  }
  return 0;
}

// ---- Saved state ----

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
  pInfo->m_pBar = this;
  pInfo->m_nBarID = static_cast<UINT>(LOWORD(GetDlgCtrlID()));
  pInfo->m_bVisible = IsVisible();
  pInfo->m_nMRUWidth = static_cast<UINT>(m_nMRUWidth);
  CRect rect;
  GetWindowRect(&rect);
  if (m_pDockBar) {
    m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
  }
  pInfo->m_bDocking = m_pDockContext != nullptr;
  if (m_pDockContext) {
    pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
  }
  if (IsDockBar()) static_cast<CDockBar*>(this)->GetDockBarInfo(pInfo);
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  if (IsDockBar()) {
    static_cast<CDockBar*>(this)->SetDockBarInfo(pInfo, pFrameWnd);
    return;
  }
  m_nMRUWidth = static_cast<int>(pInfo->m_nMRUWidth);
  CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
  if (pInfo->m_bDocking && m_pDockContext) {
    m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
  }
  UINT flags =
      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  if (!m_pDockBar) flags |= SWP_NOMOVE;
  m_nStateFlags &= ~(delayHide | delayShow);
  SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, flags);
}
