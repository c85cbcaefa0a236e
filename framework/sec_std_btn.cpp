#include "framework/sec_std_btn.h"

#include <cstring>

#include "framework/sec_custom_tool_bar.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/ui.h"

namespace {
SECStdBtn* SECStdBtnCreate() { return new SECStdBtn; }
}  // namespace

const SECButtonCreate SECStdBtn::s_pfnCreate = &SECStdBtnCreate;

void SECStdBtn::SetPos(int x, int y) {
  m_x = x;
  m_y = y;
}

void SECStdBtn::Invalidate(BOOL bErase) const {
  if (!m_pBar || !m_pBar->m_hWnd) return;
  CRect r = GetRect();
  m_pBar->InvalidateRect(&r, bErase);
}

void SECStdBtn::Redraw() const {
  Invalidate(FALSE);
  if (m_pBar && m_pBar->m_hWnd) m_pBar->UpdateWindow();
}

int SECStdBtn::GetIndex() const { return m_pBar ? m_pBar->FindButton(this) : -1; }

void SECStdBtn::Init(SECCustomToolBar* pBar, const UINT_PTR* params) {
  m_pBar = pBar;
  AdjustSize();
}

void SECStdBtn::AdjustSize() {
  if (!m_pBar) return;
  if (m_nStyle & TBBS_SEPARATOR) {
    m_cx = m_pBar->GetSeparatorWidth();
    m_cy = m_pBar->GetSeparatorHeight();
  } else {
    m_cx = m_pBar->GetButtonWidth();
    m_cy = m_pBar->GetButtonHeight();
  }
  m_pBar->RaiseWidestButton(m_cx);
}

void SECStdBtn::ChangeState(int nCode, UINT nSet, UINT nClear) {
  if (nCode != 1) return;
  m_nStyle = (m_nStyle & ~nClear) | nSet;
  Invalidate(FALSE);
}

BOOL SECStdBtn::OnLButtonDown(CPoint point) {
  if (m_nStyle & TBBS_DISABLED) return FALSE;
  if (!(m_nStyle & TBSTYLE_DROPDOWN)) {
    m_nStyle |= TBBS_PRESSED;
    return TRUE;
  }
  m_nStyle |= TBBS_PRESSED;
  Redraw();
  SECCustomToolBar::SetDispatchingCommand(TRUE);
  SendNotify(TBN_DROPDOWN, 0, 0);
  SECCustomToolBar::SetDispatchingCommand(FALSE);
  m_nStyle &= ~TBBS_PRESSED;
  Redraw();
  if (m_pBar) m_pBar->UpdateHotButton(FALSE);
  return FALSE;
}

void SECStdBtn::OnMouseMove(CPoint point) {
  // Edges count as inside.
  const BOOL inside = point.x >= m_x && point.x <= m_x + m_cx && point.y >= m_y && point.y <= m_y + m_cy;
  if (inside)
    m_nStyle |= TBBS_PRESSED;
  else
    m_nStyle &= ~TBBS_PRESSED;
}

void SECStdBtn::OnCancelMode() {
  m_nStyle &= ~TBBS_PRESSED;
  Invalidate(FALSE);
}

UINT SECStdBtn::OnLButtonUp(CPoint point) {
  m_nStyle &= ~TBBS_PRESSED;
  const BOOL inside = point.x >= m_x && point.x <= m_x + m_cx && point.y >= m_y && point.y <= m_y + m_cy;
  if (!inside) return 0;
  if ((m_nStyle & TBBS_CHECKBOX) && !(m_nStyle & TBBS_DISABLED) && m_pBar) {
    const UINT checked = (m_nStyle & TBBS_CHECKED) ? 0 : TBBS_CHECKED;
    const UINT clear = TBBS_INDETERMINATE | (checked ? 0 : TBBS_CHECKED);
    m_pBar->SetButtonState(m_nID, 1, checked, clear, TRUE);
  }
  return m_nID;
}

INT_PTR SECStdBtn::OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const {
  if (pTI) {
    pTI->uFlags = 0;
    pTI->hwnd = m_pBar ? m_pBar->m_hWnd : nullptr;
    pTI->uId = m_nID;
    pTI->rect = GetRect();
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  return m_nID;
}

void SECStdBtn::SendNotify(int nCode, DWORD dwValue1, DWORD dwValue2) const {
  if (!m_pBar || !m_pBar->m_hWnd) return;
  SECBtnNotify note;
  std::memset(&note, 0, sizeof note);
  note.hdr.hwndFrom = m_pBar->m_hWnd;
  note.hdr.idFrom = m_pBar->GetDlgCtrlID();
  note.hdr.code = static_cast<UINT>(nCode);
  note.iItem = static_cast<int>(m_nID);
  note.nIndex = GetIndex();
  note.dwValue1 = dwValue1;
  note.dwValue2 = dwValue2;
  CWnd* target = m_pBar->GetOwner();
  if (!target) target = m_pBar->GetParent();
  if (target)
    target->SendMessage(WM_NOTIFY, static_cast<WPARAM>(note.hdr.idFrom), reinterpret_cast<LPARAM>(&note));
}
