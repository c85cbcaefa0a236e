#include "platform/afx/cmdui.h"

#include <strings.h>

#include "platform/ui/afxmenu.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui.h"

namespace afx {
namespace {
void EnableItem(CMenu* menu, UINT index, BOOL on) {
  ::EnableMenuItem(menu->GetSafeHmenu(), index,
                   MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}
void CheckItem(CMenu* menu, UINT index, int check, BOOL radio) {
  HMENU h = menu->GetSafeHmenu();
  if (radio && check)
    ::CheckMenuRadioItem(h, index, index, index, MF_BYPOSITION);
  else
    ::CheckMenuItem(h, index, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}
void TextItem(CMenu* menu, UINT index, UINT id, LPCSTR text) {
  HMENU h = menu->GetSafeHmenu();
  UINT state = ::GetMenuState(h, index, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
  ::ModifyMenu(h, index, MF_BYPOSITION | MF_STRING | state, id, text);
}
MenuItemOps g_menuOps{EnableItem, CheckItem, TextItem};
}  // namespace
void SetMenuItemOps(const MenuItemOps& ops) { g_menuOps = ops; }
const MenuItemOps& GetMenuItemOps() { return g_menuOps; }
}  // namespace afx

namespace {
bool IsButtonClass(HWND h) {
  char cls[32] = {};
  ::GetClassName(h, cls, sizeof cls);
  return strcasecmp(cls, "Button") == 0;
}
}  // namespace

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu) {
    if (!m_pSubMenu && afx::GetMenuItemOps().enable) afx::GetMenuItemOps().enable(m_pMenu, m_nIndex, bOn);
  } else if (m_pOther && m_pOther->m_hWnd) {
    // A control losing its enabled state must not keep the focus.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND parent = ::GetParent(m_pOther->m_hWnd);
      ::SetFocus(parent);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu) {
    if (!m_pSubMenu && afx::GetMenuItemOps().check)
      afx::GetMenuItemOps().check(m_pMenu, m_nIndex, nCheck, FALSE);
  } else if (m_pOther && m_pOther->m_hWnd && IsButtonClass(m_pOther->m_hWnd)) {
    m_pOther->SendMessage(0x00F1 /* BM_SETCHECK */, static_cast<WPARAM>(nCheck), 0);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu) {
    if (!m_pSubMenu && afx::GetMenuItemOps().check)
      afx::GetMenuItemOps().check(m_pMenu, m_nIndex, bOn ? 1 : 0, TRUE);
    return;
  }
  SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText) {
  if (!lpszText) lpszText = "";
  if (m_pMenu) {
    if (!m_pSubMenu && afx::GetMenuItemOps().text)
      afx::GetMenuItemOps().text(m_pMenu, m_nIndex, m_nID, lpszText);
  } else if (m_pOther && m_pOther->m_hWnd) {
    CString old;
    m_pOther->GetWindowText(old);
    if (old != lpszText) m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (!pTarget || m_nID == 0 || m_nID >= 0xF000) return TRUE;  // separators and system commands
  m_bEnableChanged = FALSE;
  m_bContinueRouting = FALSE;
  BOOL result = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return result;
}

void CTestCmdUI::Enable(BOOL bOn) {
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
}
void CTestCmdUI::SetCheck(int nCheck) { m_nCheck = nCheck; }
void CTestCmdUI::SetRadio(BOOL bOn) { m_nCheck = bOn ? 1 : 0; }
void CTestCmdUI::SetText(LPCSTR lpszText) {
  m_bTextSet = TRUE;
  m_strText = lpszText ? lpszText : "";
}

// Updates the child controls of a window whose ids have commands.
void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
    state.m_pOther = CWnd::FromHandle(child);
    // Only push buttons are disabled for lack of a handler; check boxes,
    // radio buttons and group boxes work on their own.
    BOOL disable = bDisableIfNoHndler;
    if (disable) {
      DWORD kind = static_cast<DWORD>(::GetWindowLong(child, GWL_STYLE)) & 0xF;
      if (!IsButtonClass(child) || kind == 3 /*BS_AUTOCHECKBOX*/ || kind == 6 /*BS_AUTO3STATE*/ ||
          kind == 7 /*BS_GROUPBOX*/ || kind == 9 /*BS_AUTORADIOBUTTON*/)
        disable = FALSE;
    }
    state.DoUpdate(pTarget, disable);
  }
}
