#include "controls/sec_tab_wnd.h"

#include <algorithm>

#include "controls/sec_tab_control.h"
#include "platform/afx/winapp.h"
#include "platform/ui/cdc.h"
#include "platform/ui/input.h"
#include "platform/ui/resources.h"
#include "platform/ui/scrollbar.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/window.h"

IMPLEMENT_DYNCREATE(SECTabWnd, SECTabWndBase)
IMPLEMENT_DYNCREATE(SEC2DTabWnd, SECTabWnd)

BEGIN_MESSAGE_MAP(SECTabWnd, SECTabWndBase)
ON_WM_NCCREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_HSCROLL, OnHScrollForward)
ON_MESSAGE(WM_VSCROLL, OnVScrollForward)
ON_MESSAGE(WM_TABSEL, OnTabSelForward)
END_MESSAGE_MAP()

namespace {

SCROLLINFO* SECTabWndNewRecord(UINT fMask) {
  auto* rec = new SCROLLINFO{};
  if (fMask) {
    rec->cbSize = sizeof(SCROLLINFO);
    rec->fMask = fMask;
  }
  return rec;
}

// Children moved while the sizer is dragged: the strip and the horizontal bar.
constexpr int kSECTabWndBatch = 4;
constexpr int kSECTabWndDragBatch = 2;

}  // namespace

SECTabWnd::~SECTabWnd() {
  if (m_hWnd) DestroyWindow();
  FreeScrollRecords();
}

void SECTabWnd::FreeScrollRecords() {
  for (INT_PTR i = m_arrHScrollInfo.GetSize() - 1; i >= 0; --i)
    delete static_cast<SCROLLINFO*>(m_arrHScrollInfo[i]);
  for (INT_PTR i = m_arrVScrollInfo.GetSize() - 1; i >= 0; --i)
    delete static_cast<SCROLLINFO*>(m_arrVScrollInfo[i]);
  m_arrHScrollInfo.RemoveAll();
  m_arrVScrollInfo.RemoveAll();
  m_arrScrollStyle.RemoveAll();
}

BOOL SECTabWnd::Create(CWnd* pParent, DWORD dwStyle, UINT nID) {
  m_nButtonStyle = (dwStyle & kSECTabWndFourButtons) ? 2 : (dwStyle & kSECTabWndTwoButtons) ? 1 : 0;
  SECTabWndBase::Create(pParent, dwStyle & ~(kSECTabWndTwoButtons | kSECTabWndFourButtons), nID);
  m_hSizerCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kSECTabWndSizerCursor));
  m_hArrowCursor = ::LoadCursor(nullptr, IDC_ARROW);
  if (!CreateScrollBarCtrl(SBS_HORZ, kSECTabWndHScrollId)) AfxThrowResourceException();
  if (!CreateScrollBarCtrl(SBS_VERT, kSECTabWndVScrollId)) AfxThrowResourceException();
  m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
  m_cyHScroll = m_cyTabCtrl = ::GetSystemMetrics(SM_CYHSCROLL);
  return TRUE;
}

BOOL SECTabWnd::CreateTabCtrl(DWORD, UINT nID) {
  auto* strip = new SECTabControl;
  delete m_pTabCtrl;
  m_pTabCtrl = strip;
  return strip->Create(static_cast<DWORD>(m_nButtonStyle) | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID);
}

// ---- per-tab scroll state

void SECTabWnd::SetScrollStyle(int nTab, DWORD dwStyle) {
  if (nTab < 0) return;
  if (nTab < m_arrScrollStyle.GetSize()) {
    m_arrScrollStyle[nTab] = dwStyle;
    return;
  }
  m_arrScrollStyle.Add(dwStyle);
  m_arrHScrollInfo.Add(SECTabWndNewRecord(SIF_ALL));
  m_arrVScrollInfo.Add(SECTabWndNewRecord(SIF_ALL));
}

DWORD SECTabWnd::GetScrollStyle(int nTab) const {
  return nTab >= 0 && nTab < m_arrScrollStyle.GetSize() ? m_arrScrollStyle[nTab] : 0;
}

SECTab* SECTabWnd::InsertTab(CWnd* pWnd, int nIndex, LPCSTR lpszLabel) {
  if (nIndex < 0 || nIndex > GetTabCount() || nIndex > m_arrScrollStyle.GetSize()) return nullptr;
  m_arrScrollStyle.InsertAt(nIndex, DWORD{0});
  m_arrHScrollInfo.InsertAt(nIndex, SECTabWndNewRecord(0));
  m_arrVScrollInfo.InsertAt(nIndex, SECTabWndNewRecord(0));
  SECTab* tab = SECTabWndBase::InsertTab(pWnd, nIndex, lpszLabel);
  if (!tab) {
    delete static_cast<SCROLLINFO*>(m_arrHScrollInfo[nIndex]);
    delete static_cast<SCROLLINFO*>(m_arrVScrollInfo[nIndex]);
    m_arrHScrollInfo.RemoveAt(nIndex);
    m_arrVScrollInfo.RemoveAt(nIndex);
    m_arrScrollStyle.RemoveAt(nIndex);
  }
  return tab;
}

void SECTabWnd::RemoveTab(int nIndex) {
  if (!m_pTabCtrl || !m_pTabCtrl->IsValidTab(nIndex)) return;
  if (nIndex < m_arrScrollStyle.GetSize()) {
    delete static_cast<SCROLLINFO*>(m_arrHScrollInfo[nIndex]);
    delete static_cast<SCROLLINFO*>(m_arrVScrollInfo[nIndex]);
    m_arrHScrollInfo.RemoveAt(nIndex);
    m_arrVScrollInfo.RemoveAt(nIndex);
    m_arrScrollStyle.RemoveAt(nIndex);
  }
  SECTabWndBase::RemoveTab(nIndex);
}

CWnd* SECTabWnd::GetScrollBar(int nBar, const CWnd* pWnd) const {
  if (!pWnd) pWnd = m_pActiveWnd;
  int index = 0;
  if (!pWnd || !FindTab(pWnd, index)) return nullptr;
  const DWORD style = GetScrollStyle(index);
  if (nBar == SB_HORZ && (style & WS_HSCROLL)) return GetDlgItem(kSECTabWndHScrollId);
  if (nBar == SB_VERT && (style & WS_VSCROLL)) return GetDlgItem(kSECTabWndVScrollId);
  return nullptr;
}

DWORD SECTabWnd::ActiveScrollStyle() const {
  int index = 0;
  return m_pActiveWnd && FindTab(m_pActiveWnd, index) ? GetScrollStyle(index) : 0;
}

void SECTabWnd::SaveScrollState(int nTab) {
  const DWORD style = GetScrollStyle(nTab);
  if (style & WS_HSCROLL) {
    auto* rec = static_cast<SCROLLINFO*>(m_arrHScrollInfo[nTab]);
    rec->cbSize = sizeof(SCROLLINFO);
    rec->fMask = SIF_ALL;
    ::GetScrollInfo(GetDlgItem(kSECTabWndHScrollId)->m_hWnd, SB_CTL, rec);
  }
  if (style & WS_VSCROLL) {
    auto* rec = static_cast<SCROLLINFO*>(m_arrVScrollInfo[nTab]);
    rec->cbSize = sizeof(SCROLLINFO);
    rec->fMask = SIF_ALL;
    ::GetScrollInfo(GetDlgItem(kSECTabWndVScrollId)->m_hWnd, SB_CTL, rec);
  }
}

void SECTabWnd::LoadScrollState(int nTab) {
  const DWORD style = GetScrollStyle(nTab);
  const struct {
    DWORD bit;
    UINT id;
    CPtrArray& records;
  } bars[] = {{WS_HSCROLL, kSECTabWndHScrollId, m_arrHScrollInfo},
              {WS_VSCROLL, kSECTabWndVScrollId, m_arrVScrollInfo}};
  for (const auto& bar : bars) {
    CWnd* wnd = GetDlgItem(bar.id);
    if (!wnd) continue;
    if (style & bar.bit) {
      ::SetScrollInfo(wnd->m_hWnd, SB_CTL, static_cast<SCROLLINFO*>(bar.records[nTab]), TRUE);
      wnd->ShowWindow(SW_SHOW);
    } else {
      wnd->ShowWindow(SW_HIDE);
    }
  }
}

void SECTabWnd::ActivateTab(CWnd* pWnd, int nIndex) {
  if (!m_pTabCtrl || !m_pTabCtrl->IsValidTab(nIndex)) return;
  if (pWnd != m_pActiveWnd) {
    int oldIndex = 0;
    if (m_pActiveWnd && FindTab(m_pActiveWnd, oldIndex)) SaveScrollState(oldIndex);
    if (pWnd) LoadScrollState(nIndex);
  }
  SECTabWndBase::ActivateTab(pWnd, nIndex);
}

// ---- layout

void SECTabWnd::GetInsideRect(LPRECT lpRect) const {
  GetClientRect(lpRect);
  lpRect->bottom -= m_cyTabCtrl;
  if (ActiveScrollStyle() & WS_VSCROLL) lpRect->right -= m_cxVScroll;
}

CRect SECTabWnd::GetSizerRect() const {
  CRect inside;
  GetInsideRect(&inside);
  const int left = inside.left + m_nSizerPos;
  return CRect(left, inside.bottom, left + m_cxSizer, inside.bottom + m_cyTabCtrl);
}

void SECTabWnd::PlaceChild(HDWP& hdwp, CWnd* pWnd, const CRect& rect, BOOL bScrollBar) {
  if (!pWnd || !pWnd->m_hWnd) return;
  CRect now;
  pWnd->GetWindowRect(&now);
  ScreenToClient(&now);
  if (now == rect) return;
  if (bScrollBar) {
    const BOOL thin = rect.Width() <= 1 || rect.Height() <= 1;
    pWnd->ModifyStyle(thin ? 0 : WS_BORDER, thin ? WS_BORDER : 0);
  }
  hdwp = ::DeferWindowPos(hdwp, pWnd->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void SECTabWnd::RecalcLayout() {
  if (!m_hWnd || !m_pTabCtrl) return;
  CRect inside;
  GetInsideRect(&inside);
  const DWORD style = ActiveScrollStyle();
  HDWP hdwp = ::BeginDeferWindowPos(m_bTracking ? kSECTabWndDragBatch : kSECTabWndBatch);
  int stripWidth = inside.Width();
  if (style & WS_HSCROLL) {
    // A window narrower than the room keeps the sizer at its left edge.
    m_nSizerPos = std::max(std::min(m_nSizerPos, inside.right - kSECTabWndSizerRoom), 0);
    const CRect sizer = GetSizerRect();
    PlaceChild(hdwp, GetDlgItem(kSECTabWndHScrollId),
               CRect(sizer.right, inside.bottom, inside.right + 1, inside.bottom + m_cyHScroll), TRUE);
    stripWidth = m_nSizerPos;
  }
  PlaceChild(hdwp, m_pTabCtrl,
             CRect(inside.left, inside.bottom, inside.left + stripWidth, inside.bottom + m_cyTabCtrl), FALSE);
  if (!m_bTracking) {
    if (style & WS_VSCROLL)
      PlaceChild(hdwp, GetDlgItem(kSECTabWndVScrollId),
                 CRect(inside.right, inside.top, inside.right + m_cxVScroll, inside.bottom), TRUE);
    PlaceChild(hdwp, m_pActiveWnd, inside, FALSE);
  }
  ::EndDeferWindowPos(hdwp);
}

void SECTabWnd::OnSize(UINT nType, int cx, int cy) {
  if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0) {
    const BOOL hbar = (ActiveScrollStyle() & WS_HSCROLL) != 0;
    if (hbar) {
      const int room = std::max(cx - kSECTabWndSizerRoom, 0);
      if (m_bFirstSize) {
        m_nSizerPos = room;
        m_bFirstSize = FALSE;
      } else if (m_nSizerPos > cx - kSECTabWndSizerRoom) {
        m_nSizerPos = room;
      }
    } else if (m_bFirstSize) {
      CRect inside;
      GetInsideRect(&inside);
      m_nSizerPos = inside.Width();
      m_bFirstSize = FALSE;
    }
    RecalcLayout();
    if (m_pTabCtrl && m_pTabCtrl->m_hWnd) m_pTabCtrl->Invalidate(TRUE);
    if (hbar) {
      const CRect sizer = GetSizerRect();
      InvalidateRect(&sizer, TRUE);
    }
  }
  SECTabWndBase::OnSize(nType, cx, cy);
}

// ---- painting

void SECTabWnd::OnPaint() {
  CPaintDC dc(this);
  CRect clip;
  dc.GetClipBox(&clip);
  if (m_pTabCtrl && m_pTabCtrl->m_hWnd) {
    MapWindowPoints(m_pTabCtrl, &clip);
    m_pTabCtrl->InvalidateRect(&clip, TRUE);
  }
  if (!(ActiveScrollStyle() & WS_HSCROLL)) return;
  const CRect sizer = GetSizerRect();
  const COLORREF lines[] = {RGB(0, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNFACE),
                            ::GetSysColor(COLOR_BTNSHADOW), RGB(0, 0, 0)};
  for (int i = 0; i < static_cast<int>(std::size(lines)) && i < m_cxSizer; ++i)
    dc.FillSolidRect(sizer.left + i, sizer.top, 1, sizer.Height(), lines[i]);
}

BOOL SECTabWnd::OnEraseBkgnd(CDC* pDC) {
  if (!m_pActiveWnd) return FALSE;
  const DWORD style = ActiveScrollStyle();
  if (!(style & (WS_HSCROLL | WS_VSCROLL))) return TRUE;
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(client.right - m_cxVScroll, client.top, m_cxVScroll, client.Height(),
                     ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

// ---- the sizer

BOOL SECTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (pWnd == this && nHitTest == HTCLIENT && m_bOverSizer && m_hSizerCursor) ::SetCursor(m_hSizerCursor);
  return SECTabWndBase::OnSetCursor(pWnd, nHitTest, message);
}

void SECTabWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bTracking) {
    if (point.x != m_nSizerPos) {
      const int oldPos = m_nSizerPos;
      m_nSizerPos = point.x - m_nDragOffset - 1;
      RecalcLayout();
      if (m_pTabCtrl && m_pTabCtrl->m_hWnd) {
        CRect strip;
        m_pTabCtrl->GetClientRect(&strip);
        const CRect moved(std::min(oldPos, m_nSizerPos), strip.top, std::max(oldPos, m_nSizerPos) + m_cxSizer,
                          strip.bottom);
        m_pTabCtrl->InvalidateRect(&moved, TRUE);
      }
      const CRect sizer = GetSizerRect();
      InvalidateRect(&sizer, TRUE);
      UpdateWindow();
    }
    return;
  }
  if (ActiveScrollStyle() & WS_HSCROLL) m_bOverSizer = GetSizerRect().PtInRect(point);
  SECTabWndBase::OnMouseMove(nFlags, point);
}

void SECTabWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  OnMouseMove(nFlags, point);
  if ((ActiveScrollStyle() & WS_HSCROLL) && GetSizerRect().PtInRect(point)) {
    SetCapture();
    m_bTracking = TRUE;
    m_nDragOffset = point.x - GetSizerRect().left;
    return;
  }
  SECTabWndBase::OnLButtonDown(nFlags, point);
}

void SECTabWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bTracking) {
    m_bTracking = FALSE;
    if (GetCapture() == this) ::ReleaseCapture();
    RecalcLayout();
  }
  SECTabWndBase::OnLButtonUp(nFlags, point);
}

// ---- messages

BOOL SECTabWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct) {
  if (!SECTabWndBase::OnNcCreate(lpCreateStruct)) return FALSE;
  if (CWnd* parent = GetParent()) parent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
  return TRUE;
}

// The shared bars scroll the active client.
LRESULT SECTabWnd::OnHScrollForward(WPARAM wParam, LPARAM lParam) {
  if (m_pActiveWnd && m_pActiveWnd->m_hWnd) m_pActiveWnd->SendMessage(WM_HSCROLL, wParam, lParam);
  return 0;
}

LRESULT SECTabWnd::OnVScrollForward(WPARAM wParam, LPARAM lParam) {
  if (m_pActiveWnd && m_pActiveWnd->m_hWnd) m_pActiveWnd->SendMessage(WM_VSCROLL, wParam, lParam);
  return 0;
}

LRESULT SECTabWnd::OnTabSelForward(WPARAM wParam, LPARAM lParam) {
  if (auto* info = reinterpret_cast<TabActivateInfo*>(lParam)) info->nCtrlID = GetDlgCtrlID();
  OnTabSel(wParam, lParam);
  if (m_pNotifyWnd && m_pNotifyWnd->m_hWnd) m_pNotifyWnd->SendMessage(WM_TABSEL, wParam, lParam);
  return 0;
}
