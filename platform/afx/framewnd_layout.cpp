// The layout of frames: the WM_SIZEPARENT passes over the bars, the client
// pane in what is left, delayed layout on idle.
#include "platform/afx/framewnd.h"
#include "platform/ui/ui.h"

namespace afx {
HWND FindDescendant(HWND parent, UINT nID) {
  for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
    if (static_cast<UINT>(::GetDlgCtrlID(child)) == nID) return child;
  }
  for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
    if (HWND found = FindDescendant(child, nID)) return found;
  }
  return nullptr;
}
}  // namespace afx

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  if (!hWnd || !lpRect) return;
  HWND parent = ::GetParent(hWnd);
  RECT old;
  ::GetWindowRect(hWnd, &old);
  if (parent) ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&old), 2);
  if (::EqualRect(&old, lpRect)) return;
  int w = lpRect->right - lpRect->left, h = lpRect->bottom - lpRect->top;
  if (lpLayout && lpLayout->hDWP) {
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, w, h,
                                      SWP_NOACTIVATE | SWP_NOZORDER);
  } else {
    ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, w, h, SWP_NOACTIVATE | SWP_NOZORDER);
  }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout{};
  layout.bStretch = bStretch;
  if (lpRectClient)
    layout.rect = *lpRectClient;
  else
    GetClientRect(&layout.rect);
  BOOL query = (nFlags & ~reposNoPosLeftOver) == reposQuery;
  if (!query) layout.hDWP = ::BeginDeferWindowPos(8);
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
    UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (id >= nIDFirst && id <= nIDLast && id != nIDLeftOver)
      ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if (query) {
    if (!lpRectParam) return;
    if (bStretch) {
      *lpRectParam = layout.rect;
    } else {
      lpRectParam->left = lpRectParam->top = 0;
      lpRectParam->right = layout.sizeTotal.cx;
      lpRectParam->bottom = layout.sizeTotal.cy;
    }
    return;
  }
  CRect rect = layout.rect;
  if ((nFlags & ~reposNoPosLeftOver) == reposExtra && lpRectParam) {
    rect.left += lpRectParam->left;
    rect.top += lpRectParam->top;
    rect.right -= lpRectParam->right;
    rect.bottom -= lpRectParam->bottom;
  }
  if (!(nFlags & reposNoPosLeftOver)) {
    if (HWND leftOver = ::GetDlgItem(m_hWnd, static_cast<int>(nIDLeftOver))) {
      CWnd::FromHandle(leftOver)->CalcWindowRect(&rect);
      AfxRepositionWindow(&layout, leftOver, &rect);
    }
  }
  if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout || !m_hWnd) return;
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  if (GetStyle() & FWS_SNAPTOBARS) {
    // The frame takes the size its bars need.
    CRect rect(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
  } else {
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }

BOOL CFrameWnd::NegotiateBorderSpace(UINT, LPRECT) { return FALSE; }

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

LRESULT CFrameWnd::OnSizeParent(WPARAM, LPARAM) { return 0; }

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleMenu) OnUpdateFrameMenu(m_hMenuAlt);
  if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
  if (m_nIdleFlags & idleLayout) {
    RecalcLayout(m_nIdleFlags & idleNotify);
    UpdateWindow();
  }
  m_nIdleFlags = 0;
  return 0;
}
