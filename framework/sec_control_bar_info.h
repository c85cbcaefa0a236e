// SECControlBarInfo: the saved state of one framework bar: the base record
// plus the per-state sizes, share, styles and names that SECControlBar
// fills (GetBarInfo) and applies (SetBarInfo).
#pragma once

#include "platform/afx/afx.h"

class SECControlBarManager;

class SECControlBarInfo : public CControlBarInfo {
 public:
  explicit SECControlBarInfo(SECControlBarManager* pManager = nullptr) : m_pManager(pManager) {}
  SECControlBarInfo(const SECControlBarInfo&) = delete;
  SECControlBarInfo& operator=(const SECControlBarInfo&) = delete;

  CSize m_szMRUHorzDock{0, 0};
  CSize m_szUnused{0, 0};
  CSize m_szMRUVertDock{0, 0};
  CSize m_szMRUFloat{0, 0};
  DWORD m_dwMRUDockingState = 0;
  DWORD m_dwDockStyle = 0;
  double m_dblPctWidth = 0.0;
  DWORD m_dwStyle = 0;
  DWORD m_dwExStyle = 0;
  BOOL m_bPrevFloating = FALSE;
  BOOL m_bMDIChild = FALSE;
  WINDOWPLACEMENT m_wpMDIChild{};
  CString m_strClassName;
  CString m_strWindowName;
  UINT m_nResourceID = 0;  // the dialog template of a dialog bar
  UINT m_nTypeID = 0;
  SECControlBarManager* m_pManager = nullptr;
};
