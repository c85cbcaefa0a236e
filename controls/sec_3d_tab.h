// SEC3DTab: one tab of the 3-D strip: its rectangle, icon, enabled state
// and the full label beside the shown (possibly shortened) one.
#pragma once

#include "controls/sec_tab.h"

inline constexpr int kSEC3DTabDefaultWidth = 90;

class SEC3DTab : public SECTab {
  DECLARE_DYNAMIC(SEC3DTab)
 public:
  SEC3DTab() { m_nWidth = kSEC3DTabDefaultWidth; }

  CRect m_rcTab{0, 0, 0, 0};
  HICON m_hIcon = nullptr;  // not owned
  BOOL m_bEnabled = TRUE;
  CString m_csFullLabel;
  BOOL m_bShortened = FALSE;
};
