// SECTab: one tab of a tab strip; TabActivateInfo and the strip's messages
// to its parent.
#pragma once

#include "platform/afx/afx.h"

// Messages a tab strip sends to its parent (WM_USER + 1000 onwards).
constexpr UINT WM_TABSEL = 0x7E8;         // wParam: active index, lParam: TabActivateInfo*
constexpr UINT WM_TABDBLCLK = 0x7E9;      // wParam: tab hit, 0 when none
constexpr UINT WM_TABSELCLEAR = 0x7EA;    // the selection was cleared
constexpr UINT WM_TABREACTIVATE = 0x7EB;  // wParam: the active tab, clicked again

// Built on the stack by the strip, passed by pointer with WM_TABSEL.
struct TabActivateInfo {
  int nCtrlID;
  int nNewTab;
  int nOldTab;  // -1 when no tab was active
  CObject* pNewClient;
  CObject* pOldClient;  // NULL when no tab was active
};

class SECTab : public CObject {
  DECLARE_DYNAMIC(SECTab)
 public:
  SECTab() = default;

  CString m_csLabel;
  int m_nWidth = 0;
  int m_nHeight = 0;
  BOOL m_bSelected = FALSE;
  CObject* m_pClient = nullptr;
  DWORD m_dwData1 = 0;
  DWORD m_dwData2 = 0;
};
