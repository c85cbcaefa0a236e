// SECNewToolBar: asks for the name of a new tool bar (template 20511); OK
// is enabled only while the name is not empty.
#pragma once

#include "platform/afx/afx.h"
#include "platform/ui/afxdlg.h"

// The longest tool bar name.
constexpr int kSECToolBarNameMax = 128;

class SECNewToolBar : public CDialog {
 public:
  explicit SECNewToolBar(CWnd* pParent = nullptr);
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnNameChange();

  CString m_strName;
  DECLARE_MESSAGE_MAP()
};
