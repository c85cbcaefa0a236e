// COptionsDialog: the editor options (dialog 149): tab width and font size.
#pragma once

#include "platform/ui/afxdlg.h"

class COptionsDialog : public CDialog {
 public:
  explicit COptionsDialog(CWnd* parent = nullptr);
  void DoDataExchange(CDataExchange* pDX) override;

  UINT m_nTabWidth = 0;
  UINT m_nFontSize = 0;
};
