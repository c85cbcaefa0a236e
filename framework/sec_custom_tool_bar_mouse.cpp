// Tool bar input: pressing and releasing buttons (posting their commands),
// hover tracking in cool look, the window messages of the bar and the
// toolbar-control messages TB_ADDBUTTONS and TB_DELETEBUTTON.
#include <algorithm>

#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_tool_bar_manager.h"
#include "platform/ui/ui.h"

namespace {
BOOL SECToolBarKeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

BEGIN_MESSAGE_MAP(SECCustomToolBar, SECControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
ON_WM_SYSCOLORCHANGE()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(TB_ADDBUTTONS, OnAddButtons)
ON_MESSAGE(TB_DELETEBUTTON, OnDeleteButton)
END_MESSAGE_MAP()

LRESULT SECCustomToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING) OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
  if (message == SECGetNoDelayHideMessage()) return OnNoDelayHide(wParam, lParam);
  if (message == SECGetDestroyEmptyMessage()) return OnDestroyLater(wParam, lParam);
  return SECControlBar::WindowProc(message, wParam, lParam);
}

void SECCustomToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  if (lpWndPos->flags & SWP_SHOWWINDOW) ReportEvent(SECTBEventShown);
  if (lpWndPos->flags & SWP_HIDEWINDOW) ReportEvent(SECTBEventHidden);
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(lpWndPos->flags & SWP_NOSIZE)) {
    CRect rect;
    GetWindowRect(&rect);
    if (rect.Width() != lpWndPos->cx || rect.Height() != lpWndPos->cy) Invalidate();
  }
}

void SECCustomToolBar::OnShowWindow(BOOL bShow, UINT nStatus) {
  SECControlBar::OnShowWindow(bShow, nStatus);
  ReportEvent(bShow ? SECTBEventShown : SECTBEventHidden);
}

void SECCustomToolBar::OnDestroy() {
  ClearSelection(FALSE);
  KillTimer(SEC_TOOLBAR_HOVER_TIMER);
  ReportEvent(SECTBEventDestroyed);
  SECControlBar::OnDestroy();
}

int SECCustomToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  if (m_bCustomize && !(m_dwStyle & CBRS_FLOATING)) return MA_NOACTIVATE;
  return CControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

LRESULT SECCustomToolBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  FitToParent();
  return CControlBar::OnSizeParent(wParam, lParam);
}

void SECCustomToolBar::PressButton(int nIndex, CPoint point) {
  UpdateButton(nIndex);
  SECStdBtn* btn = m_btns[nIndex];
  if (!btn->OnLButtonDown(point)) return;
  m_nCurBtn = nIndex;
  InvalidateButton(nIndex);
  UpdateWindow();
  SetCapture();
  if (CWnd* owner = GetOwner()) owner->SendMessage(WM_SETMESSAGESTRING, btn->m_nID);
}

void SECCustomToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const int hit = s_bDispatching ? -1 : HitTestButton(point.x, point.y);
  if (hit < 0) {
    SECControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  SECStdBtn* btn = m_btns[hit];
  const BOOL alt = SECToolBarKeyDown(VK_MENU);
  SECToolBarManager* mgr = GetManager();
  if ((btn->m_nStyle & TBBS_DISABLED) && !alt && !m_bCustomize) {
    SECControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  if (m_bCustomize && mgr) {
    if (btn->CanDrag()) DragButton(hit, point);
    return;
  }
  if (alt && mgr) {
    s_bAltDrag = TRUE;
    const BOOL moved = btn->CanDrag() && DragButton(hit, point);
    s_bAltDrag = FALSE;
    if (moved && mgr->GetSelectedBar()) mgr->GetSelectedBar()->ClearSelection();
    return;
  }
  PressButton(hit, point);
}

void SECCustomToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const int hit = HitTestButton(point.x, point.y);
  if (hit >= 0 && !m_bCustomize && !SECToolBarKeyDown(VK_MENU) && !(m_btns[hit]->m_nStyle & TBBS_DISABLED)) {
    PressButton(hit, point);
    return;
  }
  SECControlBar::OnLButtonDblClk(nFlags, point);
}

void SECCustomToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_nCurBtn < 0 || m_nCurBtn >= GetBtnCount()) {
    UpdateHotButton(FALSE);
    return;
  }
  SECStdBtn* btn = m_btns[m_nCurBtn];
  const UINT before = btn->m_nStyle;
  if (GetCapture() == this) {
    btn->OnMouseMove(point);
  } else {
    btn->OnCancelMode();
    m_nCurBtn = -1;
    if (CWnd* owner = GetOwner()) owner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  }
  if (btn->m_nStyle != before) btn->Invalidate(FALSE);
}

void SECCustomToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_nCurBtn < 0 || m_nCurBtn >= GetBtnCount() || m_bCustomize) {
    SECControlBar::OnLButtonUp(nFlags, point);
    return;
  }
  ReleaseCapture();
  const int index = m_nCurBtn;
  SECStdBtn* btn = m_btns[index];
  UpdateButton(index);
  const UINT id = btn->OnLButtonUp(point);
  CWnd* owner = GetOwner();
  if (owner) owner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  UpdateButton(index);
  btn->Invalidate(FALSE);
  m_nCurBtn = -1;
  if (!id || !owner) return;
  SECToolBarManager* mgr = GetManager();
  if (mgr) {
    CRect rect = btn->GetRect();
    ClientToScreen(&rect);
    mgr->SetPressedButtonRect(rect);
  }
  s_bDispatching = TRUE;
  owner->PostMessage(WM_COMMAND, id);
  s_bDispatching = FALSE;
  if (mgr) mgr->SetPressedButtonRect(CRect(0, 0, 0, 0));
}

void SECCustomToolBar::OnCancelMode() {
  SECControlBar::OnCancelMode();
  if (m_bMenuMode) ExitMenuMode();
  if (m_bCustomize || m_nCurBtn < 0 || m_nCurBtn >= GetBtnCount()) return;
  if (GetCapture() == this) ReleaseCapture();
  m_btns[m_nCurBtn]->OnCancelMode();
  InvalidateButton(m_nCurBtn);
  m_nCurBtn = -1;
}

void SECCustomToolBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == SEC_TOOLBAR_HOVER_TIMER) {
    UpdateHotButton(FALSE);
    return;
  }
  SECControlBar::OnTimer(nIDEvent);
}

void SECCustomToolBar::UpdateHotButton(BOOL bUpdateNow) {
  if (!IsCoolLook() || !m_hWnd || !::GetActiveWindow() || s_bAltDrag || s_bDispatching) return;
  if (m_nCurBtn >= 0 && !m_bCustomize) return;
  int candidate = m_nDropBtn;
  if (candidate < 0) {
    CPoint pt;
    ::GetCursorPos(&pt);
    if (::WindowFromPoint(pt) == m_hWnd) {
      ScreenToClient(&pt);
      const int hit = HitTestButton(pt.x, pt.y);
      if (hit >= 0 && !(m_btns[hit]->m_nStyle & (TBBS_DISABLED | TBBS_SEPARATOR))) candidate = hit;
    }
  }
  if (candidate < 0) {
    if (m_nHotBtn >= 0 && m_nHotBtn < GetBtnCount()) {
      m_btns[m_nHotBtn]->m_nStyle &= ~SEC_TBBS_HOT;
      InvalidateButton(m_nHotBtn);
    }
    m_nHotBtn = -1;
    KillTimer(SEC_TOOLBAR_HOVER_TIMER);
  } else if (candidate != m_nHotBtn) {
    if (m_nHotBtn >= 0 && m_nHotBtn < GetBtnCount()) {
      m_btns[m_nHotBtn]->m_nStyle &= ~SEC_TBBS_HOT;
      InvalidateButton(m_nHotBtn);
    } else {
      SetTimer(SEC_TOOLBAR_HOVER_TIMER, SEC_TOOLBAR_HOVER_PERIOD, nullptr);
    }
    m_nHotBtn = candidate;
    m_btns[candidate]->m_nStyle |= SEC_TBBS_HOT;
    InvalidateButton(candidate);
  }
  if (bUpdateNow) UpdateWindow();
}

INT_PTR SECCustomToolBar::OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const {
  const INT_PTR base = SECControlBar::OnToolHitTest(point, pTI);
  if (base != -1) return base;
  const int hit = HitTestButton(point.x, point.y);
  return hit < 0 ? -1 : m_btns[hit]->OnToolHitTest(point, pTI);
}

LRESULT SECCustomToolBar::OnAddButtons(WPARAM wParam, LPARAM lParam) {
  const auto* recs = reinterpret_cast<const SECTBButton*>(lParam);
  const int count = recs ? static_cast<int>(wParam) : 0;
  for (int i = 0; i < count; ++i) {
    InsertButton(GetBtnCount(), recs[i].idCommand, recs[i].idCommand == 0, i + 1 < count);
    SECStdBtn* btn = m_btns.back();
    btn->m_nStyle |= (static_cast<UINT>(recs[i].fsState) << 16) | recs[i].fsStyle;
  }
  return TRUE;
}

LRESULT SECCustomToolBar::OnDeleteButton(WPARAM wParam, LPARAM lParam) {
  RemoveButton(static_cast<int>(wParam));
  return TRUE;
}
