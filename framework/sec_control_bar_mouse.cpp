// SECControlBar's mouse, tool tips, context menu and commands.
#include <cstring>

#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_dock_context.h"
#include "framework/sec_res.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

void SECControlBar::RedrawButtons() {
  if (!(m_dwExStyle & SECBAR_GRIPPER) || !m_hWnd) return;
  CClientDC dc(this);
  if (m_dwExStyle & SECBAR_GRIPPERCLOSE)
    m_bClosePressed ? DrawCloseButtonPushed(&dc) : DrawCloseButtonNormal(&dc);
  if (m_dwExStyle & SECBAR_GRIPPEREXPAND)
    m_bExpandPressed ? DrawExpandButtonPushed(&dc) : DrawExpandButtonNormal(&dc);
}

void SECControlBar::UpdateExpandButton(BOOL bHorz) {
  m_bGripperHorz = bHorz;
  SECDockBar* dock = GetSECDockBar();
  if (!dock) return;
  m_bExpandState = dock->IsBarExpanded(this) ? FALSE : TRUE;
  m_bExpandEnabled = dock->IsBarAlone(this) ? FALSE : TRUE;
}

void SECControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if ((m_dwExStyle & SECBAR_GRIPPERCLOSE) && m_rcCloseBtn.PtInRect(point)) {
    if (IsFloating()) {
      m_bClosePressed = FALSE;
    } else if (!m_bClosePressed && CanGripperClose()) {
      m_bClosePressed = TRUE;
      RedrawButtons();
      SetCapture();
    }
    return;
  }
  if ((m_dwExStyle & SECBAR_GRIPPEREXPAND) && m_bExpandEnabled && m_rcExpandBtn.PtInRect(point)) {
    if (IsFloating()) {
      m_bExpandPressed = FALSE;
    } else if (!m_bExpandPressed && CanGripperExpand()) {
      m_bExpandPressed = TRUE;
      RedrawButtons();
      SetCapture();
    }
    return;
  }
  PressOutsideButtons(nFlags, point, FALSE);
}

void SECControlBar::PressOutsideButtons(UINT nFlags, CPoint point, BOOL bDouble) {
  if (m_bClosePressed || m_bExpandPressed) {
    m_bClosePressed = m_bExpandPressed = FALSE;
    RedrawButtons();
  }
  CFrameWnd* frame = IsFloating() ? GetParentFrame() : nullptr;
  if (frame && !frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
    Default();
    return;
  }
  if (bDouble)
    CControlBar::OnLButtonDblClk(nFlags, point);
  else
    CControlBar::OnLButtonDown(nFlags, point);
}

void SECControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (GetCapture() == this) ReleaseCapture();
  if (m_bClosePressed && m_rcCloseBtn.PtInRect(point)) {
    m_bClosePressed = FALSE;
    RedrawButtons();
    SendMessage(WM_COMMAND, ID_SEC_HIDE);
    return;
  }
  if (m_bExpandPressed && m_bExpandEnabled && m_rcExpandBtn.PtInRect(point)) {
    m_bExpandPressed = FALSE;
    RedrawButtons();
    if (SECDockBar* dock = GetSECDockBar())
      dock->ExpandBar(this, m_bExpandState ? SECDockBar::expand : SECDockBar::contract);
    return;
  }
  if (m_bClosePressed || m_bExpandPressed) {
    m_bClosePressed = m_bExpandPressed = FALSE;
    RedrawButtons();
  }
  Default();
}

void SECControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (((m_dwExStyle & SECBAR_GRIPPERCLOSE) && m_rcCloseBtn.PtInRect(point)) ||
      ((m_dwExStyle & SECBAR_GRIPPEREXPAND) && m_rcExpandBtn.PtInRect(point)))
    return;
  PressOutsideButtons(nFlags, point, TRUE);
}

INT_PTR SECControlBar::OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const {
  if (!(m_dwStyle & CBRS_TOOLTIPS)) return -1;
  INT_PTR hit = CControlBar::OnToolHitTest(point, pTI);
  if (hit != -1 || IsFloating()) return hit;
  const CString* tip = nullptr;
  CRect rect;
  if ((m_dwExStyle & SECBAR_GRIPPERCLOSE) && m_rcCloseBtn.PtInRect(point)) {
    hit = SEC_HIT_GRIPPER_CLOSE;
    tip = &m_gripperInfo.m_strCloseTip;
    rect = m_rcCloseBtn;
  } else if ((m_dwExStyle & SECBAR_GRIPPEREXPAND) && m_rcExpandBtn.PtInRect(point)) {
    hit = SEC_HIT_GRIPPER_EXPAND;
    tip = m_bExpandState ? &m_gripperInfo.m_strExpandTip : &m_gripperInfo.m_strContractTip;
    rect = m_rcExpandBtn;
  } else {
    return -1;
  }
  if (pTI) {
    pTI->hwnd = m_hWnd;
    pTI->uId = static_cast<UINT_PTR>(hit);
    pTI->rect = rect;
    pTI->lpszText = _strdup(static_cast<LPCSTR>(*tip));
  }
  return hit;
}

// ---- Context menu and commands ----

void SECControlBar::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (!(m_dwExStyle & SECBAR_CONTEXTMENU)) {
    Default();
    return;
  }
  CMenu menu;
  menu.CreatePopupMenu();
  UINT check = (m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : MF_UNCHECKED;
  menu.AppendMenu(MF_STRING | check, ID_SEC_ALLOWDOCKING, SECLoadString(ID_SEC_ALLOWDOCKING));
  menu.AppendMenu(MF_STRING, ID_SEC_HIDE, SECLoadString(ID_SEC_HIDE));
  AddContextMenuItems(&menu);
  if (m_pDockSite && m_pDockSite->m_hWnd)
    m_pDockSite->SendMessage(WM_SEC_BARCONTEXTMENU, reinterpret_cast<WPARAM>(this),
                             reinterpret_cast<LPARAM>(&menu));
  if (point.x == -1 && point.y == -1) {
    CWnd* target = pWnd ? pWnd : this;
    CRect client;
    target->GetClientRect(&client);
    point = CPoint(client.Width() / 4, 10);
    target->ClientToScreen(&point);
  }
  menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
  menu.DestroyMenu();
}

void SECControlBar::OnHide() {
  if (CFrameWnd* frame = GetDockingFrame()) frame->ShowControlBar(this, FALSE, FALSE);
}

void SECControlBar::OnAllowDocking() {
  if (m_dwDockStyle & CBRS_ALIGN_ANY) {
    m_dwMRUDockingState = m_dwDockStyle & CBRS_ALIGN_ANY;
    if (!IsFloating() && m_pDockContext) m_pDockContext->ToggleDocking();
    EnableDocking(0);
  } else {
    EnableDocking(m_dwMRUDockingState);
  }
}

void SECControlBar::OnFloatInMainWindow() {
  if (auto* context = dynamic_cast<SECDockContext*>(m_pDockContext)) context->ToggleMDIFloat();
}
