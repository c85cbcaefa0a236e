// Menu buttons and keyboard menu mode of tool bars (the menu bar builds on
// them): open drop-downs, filtering mouse messages while one is open, and
// the menu-mode notifications.
#include "framework/sec_custom_tool_bar.h"
#include "platform/ui/ui.h"

namespace {
BOOL SECToolBarIsMenuKind(const SECStdBtn* b) {
  return b->m_nType == SECBtnMenu || b->m_nType == SECBtnChildSysMenu;
}

void SECToolBarSendMenuMode(SECCustomToolBar* bar, int nCode) {
  SECBtnNotify note{};
  note.hdr.hwndFrom = bar->m_hWnd;
  note.hdr.idFrom = bar->GetDlgCtrlID();
  note.hdr.code = static_cast<UINT>(nCode);
  note.iItem = -1;
  note.nIndex = -1;
  if (CWnd* owner = bar->GetOwner())
    owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(note.hdr.idFrom), reinterpret_cast<LPARAM>(&note));
}
}  // namespace

void SECCustomToolBar::NotifyDropDown(SECStdBtn* pBtn, DWORD dwValue1, DWORD dwValue2) {
  m_nDropBtn = FindButton(pBtn);
  UpdateHotButton(FALSE);
  pBtn->SendNotify(SEC_TBN_MENUDROPDOWN, dwValue1, dwValue2);
}

void SECCustomToolBar::DropDownButton(int nIndex) {
  if (m_bMenuMode) ExitMenuMode();
  if (nIndex < 0 || nIndex >= GetBtnCount() || !SECToolBarIsMenuKind(m_btns[nIndex])) return;
  if (m_nDropBtn >= 0 && m_nDropBtn < GetBtnCount()) {
    m_btns[m_nDropBtn]->OnCancelMode();
    m_nDropBtn = -1;
  }
  SECStdBtn* btn = m_btns[nIndex];
  btn->OnLButtonDown(CPoint(btn->m_x, btn->m_y));
}

BOOL SECCustomToolBar::FilterMenuMessage(MSG* pMsg) {
  if (m_nDropBtn < 0 || m_nDropBtn >= GetBtnCount()) return FALSE;
  if (pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_LBUTTONDOWN) return FALSE;
  CPoint pt(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
  ScreenToClient(&pt);
  const int hit = HitTestButton(pt.x, pt.y);
  if (pMsg->message == WM_MOUSEMOVE) {
    if (hit < 0 || hit == m_nDropBtn) return FALSE;
    if (m_btns[hit]->m_nType == SECBtnMenu)
      DropDownButton(hit);
    else
      m_btns[m_nDropBtn]->SendNotify(SEC_TBN_MENUCLOSE, 0, 0);
    return TRUE;
  }
  if (hit != m_nDropBtn) return FALSE;
  m_btns[m_nDropBtn]->SendNotify(SEC_TBN_MENUCLOSE, 0, 0);
  return TRUE;
}

void SECCustomToolBar::DropDownClosed() {
  if (m_nDropBtn >= 0 && m_nDropBtn < GetBtnCount()) m_btns[m_nDropBtn]->OnCancelMode();
  m_nDropBtn = -1;
  UpdateHotButton(FALSE);
}

void SECCustomToolBar::EnterMenuMode(int nIndex) {
  if (nIndex < 0 || nIndex >= GetBtnCount()) return;
  if (m_nDropBtn >= 0 && m_nDropBtn < GetBtnCount()) {
    m_btns[m_nDropBtn]->m_nStyle &= ~SEC_TBBS_HOT;
    InvalidateButton(m_nDropBtn);
  }
  m_nDropBtn = nIndex;
  m_btns[nIndex]->m_nStyle |= SEC_TBBS_HOT;
  InvalidateButton(nIndex);
  m_bMenuMode = TRUE;
  SECToolBarSendMenuMode(this, SEC_TBN_MENUMODEON);
  if (CWnd* owner = GetOwner()) owner->SendMessage(WM_SETMESSAGESTRING, 0);
}

void SECCustomToolBar::EnterMenuModeAt(CPoint point) {
  const int hit = HitTestButton(point.x, point.y);
  if (hit >= 0) EnterMenuMode(hit);
}

void SECCustomToolBar::ExitMenuMode() {
  m_bMenuMode = FALSE;
  SECToolBarSendMenuMode(this, SEC_TBN_MENUMODEOFF);
  if (m_nDropBtn >= 0 && m_nDropBtn < GetBtnCount()) {
    m_btns[m_nDropBtn]->m_nStyle &= ~SEC_TBBS_HOT;
    InvalidateButton(m_nDropBtn);
  }
  if (CWnd* owner = GetOwner()) owner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

int SECCustomToolBar::GetFirstMenuButton() const {
  for (int i = 0; i < GetBtnCount(); ++i)
    if (!(m_btns[i]->m_nStyle & TBBS_HIDDEN) && SECToolBarIsMenuKind(m_btns[i])) return i;
  return -1;
}

int SECCustomToolBar::GetLastMenuButton() const {
  for (int i = GetBtnCount() - 1; i >= 0; --i)
    if (!(m_btns[i]->m_nStyle & TBBS_HIDDEN) && SECToolBarIsMenuKind(m_btns[i])) return i;
  return -1;
}

int SECCustomToolBar::GetFirstDropButton() const {
  for (int i = 0; i < GetBtnCount(); ++i)
    if (!(m_btns[i]->m_nStyle & TBBS_HIDDEN) && m_btns[i]->m_nType == SECBtnMenu) return i;
  return -1;
}

int SECCustomToolBar::GetNextMenuButton(BOOL bForward) const {
  if (m_nDropBtn < 0) return bForward ? GetFirstMenuButton() : GetLastMenuButton();
  const int step = bForward ? 1 : -1;
  for (int i = m_nDropBtn + step; i >= 0 && i < GetBtnCount(); i += step)
    if (!(m_btns[i]->m_nStyle & TBBS_HIDDEN) && SECToolBarIsMenuKind(m_btns[i])) return i;
  return -1;
}
