// CCmdUI: the state of one command's user-interface item (menu item,
// tool-bar button, status pane or dialog control), set by update handlers.
#pragma once

#include "platform/afx/afxdefs.h"

class CMenu;

class CCmdUI {
 public:
  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;     // a menu item: the menu and the index
  CMenu* m_pSubMenu = nullptr;  // the item's popup, for popup items
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;  // a window item: a control or a bar
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
  UINT m_nIndexMax = 0;

  CCmdUI() = default;
  virtual ~CCmdUI() = default;
  virtual void Enable(BOOL bOn = TRUE);
  // 0 unchecked, 1 checked, 2 indeterminate.
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }
  // Asks the target's update handler; with bDisableIfNoHndler, an item
  // that no handler updated is enabled exactly when a command handler exists.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Records what an update handler did, without any item behind it.
class CTestCmdUI : public CCmdUI {
 public:
  BOOL m_bEnabled = TRUE;
  int m_nCheck = -1;  // -1: not set
  BOOL m_bTextSet = FALSE;
  CString m_strText;
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetRadio(BOOL bOn = TRUE) override;
  void SetText(LPCSTR lpszText) override;
};

namespace afx {
// Hooks for menu items: the menu layer installs them; without them menu
// items are left alone.
struct MenuItemOps {
  void (*enable)(CMenu* menu, UINT index, BOOL on) = nullptr;
  void (*check)(CMenu* menu, UINT index, int check, BOOL radio) = nullptr;
  void (*text)(CMenu* menu, UINT index, UINT id, LPCSTR text) = nullptr;
};
void SetMenuItemOps(const MenuItemOps& ops);
const MenuItemOps& GetMenuItemOps();
}  // namespace afx
