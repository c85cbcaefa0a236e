// SECGripperInfo: the metrics and tool tips of a docked bar's gripper strip.
#pragma once

#include "platform/afx/afxdefs.h"

class SECGripperInfo : public CObject {
 public:
  SECGripperInfo();
  // The strip beside a bar docked at the top or bottom: its width.
  int GetWidth() const { return m_cxOffset + m_cxBar1 + m_cxGap + m_cxBar2 + m_cxTrailing; }
  // The strip above a bar docked left or right: its height.
  int GetHeight() const { return m_cyOffset + m_cyBar1 + m_cyGap + m_cyBar2 + m_cyTrailing; }

  int m_cxOffset = 4, m_cxBar1 = 3, m_cxGap = 1, m_cxBar2 = 3, m_cxTrailing = 6;
  int m_cyOffset = 4, m_cyBar1 = 3, m_cyGap = 1, m_cyBar2 = 3, m_cyTrailing = 6;
  int m_nInset = 3;  // from the bar's edges to the gripper bars and the inside area
  CString m_strCloseTip;
  CString m_strExpandTip;
  CString m_strContractTip;
};
