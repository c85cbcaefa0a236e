#include "platform/afx/minidockframe.h"

#include "platform/afx/dockcontext.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) { m_wndDockBar.m_bAutoDelete = FALSE; }

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  m_bInRecalcLayout = TRUE;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
  if (dwBarStyle & CBRS_SIZE_DYNAMIC) style &= ~MFS_MOVEFRAME;
  if (!CreateEx(0, nullptr, "", style, rectDefault, pParent)) {
    m_bInRecalcLayout = FALSE;
    return FALSE;
  }
  DWORD dockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  dockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
  // Made with the docking frame as parent (so it joins that frame's bars), then moved here.
  if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
    m_bInRecalcLayout = FALSE;
    return FALSE;
  }
  m_wndDockBar.SetParent(this);
  m_bInRecalcLayout = FALSE;
  return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  CMiniFrameWnd::RecalcLayout(bNotify);
  CString title;
  GetDockBar()->GetWindowText(title);
  if (title.GetLength() > 260) title = title.Left(260);
  SetWindowText(title);
}

void CMiniDockFrameWnd::RecalcLayoutAt(int x, int y, BOOL) {
  if (m_bInRecalcLayout) return;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  m_bInRecalcLayout = TRUE;
  CRect rect(0, 0, 32767, 32767);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
  CalcWindowRect(&rect);
  SetWindowPos(nullptr, x, y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  m_bInRecalcLayout = FALSE;
  CString title;
  GetDockBar()->GetWindowText(title);
  SetWindowText(title);
}

void CMiniDockFrameWnd::OnClose() { GetDockBar()->ShowAll(FALSE); }

CControlBar* CMiniDockFrameWnd::FirstBar() {
  CDockBar* dock = GetDockBar();
  for (int i = 1; i < dock->m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = dock->GetDockedControlBar(i)) return bar;
  return nullptr;
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION) {
    if (!(GetDockBar()->m_dwStyle & CBRS_FLOAT_MULTI)) {
      CControlBar* bar = FirstBar();
      if (bar && bar->m_pDockContext) {
        bar->m_pDockContext->StartDrag(point);
        return;
      }
    }
  } else if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
    CControlBar* bar = FirstBar();
    if (bar && bar->m_pDockContext) {
      bar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
      return;
    }
  }
  CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && !(GetDockBar()->m_dwStyle & CBRS_FLOAT_MULTI)) {
    CControlBar* bar = FirstBar();
    if (bar && bar->m_pDockContext) {
      bar->m_pDockContext->ToggleDocking();
      return;
    }
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

LRESULT CMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) {
    // A dynamic bar resizes from every border.
    LRESULT hit = CMiniFrameWnd::WindowProc(message, wParam, lParam);
    if (hit == HTBORDER && (GetDockBar()->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
      CRect w;
      GetWindowRect(&w);
      CPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      int b = ::GetSystemMetrics(SM_CXFRAME);
      if (p.x < w.left + b) return HTLEFT;
      if (p.x >= w.right - b) return HTRIGHT;
      if (p.y < w.top + b) return HTTOP;
      return HTBOTTOM;
    }
    return hit;
  }
  return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
