#include "framework/sec_mini_dock_frame_wnd.h"

#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(SECMiniDockFrameWnd, CMiniDockFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

namespace {
// The longest title a floating frame takes from its dock bar.
constexpr int kMaxTitle = 260;
}  // namespace

SECMiniDockFrameWnd::SECMiniDockFrameWnd() : m_wndSECDockBar(TRUE, FALSE) {
  m_wndSECDockBar.m_bAutoDelete = FALSE;
}

BOOL SECMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  m_bInRecalcLayout = TRUE;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_4THICKFRAME | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU |
                FWS_SNAPTOBARS;
  if (!(dwBarStyle & CBRS_SIZE_DYNAMIC)) style |= MFS_MOVEFRAME;
  if (!CMiniFrameWnd::CreateEx(0, nullptr, "", style, rectDefault, pParent)) {
    m_bInRecalcLayout = FALSE;
    return FALSE;
  }
  if (HMENU sys = ::GetSystemMenu(m_hWnd, FALSE)) {
    for (UINT cmd : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) ::DeleteMenu(sys, cmd, MF_BYCOMMAND);
    CString hide;
    if (hide.LoadString(AFX_IDS_HIDE)) {
      ::DeleteMenu(sys, SC_CLOSE, MF_BYCOMMAND);
      ::AppendMenu(sys, MF_STRING, SC_CLOSE, hide);
    }
  }
  DWORD dockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  dockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
  BOOL made = m_wndSECDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dockStyle, 0, AFX_IDW_DOCKBAR_FLOAT);
  if (made) m_wndSECDockBar.SetParent(this);
  m_bInRecalcLayout = FALSE;
  return made && m_hWnd;
}

void SECMiniDockFrameWnd::SyncTitle() {
  CString title;
  m_wndSECDockBar.GetWindowText(title);
  if (title.GetLength() > kMaxTitle) title = title.Left(kMaxTitle);
  SetWindowText(title);
}

void SECMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  CMiniFrameWnd::RecalcLayout(bNotify);
  SyncTitle();
}

void SECMiniDockFrameWnd::RecalcLayoutAt(int x, int y, BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  m_bInRecalcLayout = TRUE;
  if (GetStyle() & FWS_SNAPTOBARS) {
    CRect rect(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, x, y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  SyncTitle();
  m_bInRecalcLayout = FALSE;
}

void SECMiniDockFrameWnd::OnClose() { m_wndSECDockBar.ShowAll(FALSE); }

void SECMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  BringWindowToTop();
  CControlBar* bar = m_wndSECDockBar.GetDockedControlBar(1);
  for (int i = 1; !bar && i < m_wndSECDockBar.m_arrBars.GetSize(); ++i)
    bar = m_wndSECDockBar.GetDockedControlBar(i);
  if (nHitTest == HTCAPTION) {
    if (CWnd* top = GetTopLevelParent()) top->SetActiveWindow();
    if (!(m_wndSECDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && bar && bar->m_pDockContext) {
      bar->m_pDockContext->StartDrag(point);
      return;
    }
  } else if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
    if (CWnd* top = GetTopLevelParent()) top->SetActiveWindow();
    if (bar && bar->m_pDockContext) {
      bar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
      return;
    }
  }
  CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void SECMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && !(m_wndSECDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
    for (int i = 1; i < m_wndSECDockBar.m_arrBars.GetSize(); ++i)
      if (CControlBar* bar = m_wndSECDockBar.GetDockedControlBar(i); bar && bar->m_pDockContext) {
        bar->m_pDockContext->ToggleDocking();
        return;
      }
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void SECMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if (LOWORD(message) == WM_LBUTTONDOWN) BringWindowToTop();
  CMiniDockFrameWnd::OnParentNotify(message, lParam);
}
