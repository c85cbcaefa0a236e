#include "framework/sec_new_tool_bar.h"

#include "framework/sec_tool_bars_dlg_res.h"
#include "platform/ui/ui.h"

BEGIN_MESSAGE_MAP(SECNewToolBar, CDialog)
ON_CONTROL(EN_CHANGE, IDC_SEC_NEWTOOLBAR_NAME, OnNameChange)
END_MESSAGE_MAP()

SECNewToolBar::SECNewToolBar(CWnd* pParent) : CDialog(IDD_SEC_NEWTOOLBAR, pParent) {}

BOOL SECNewToolBar::OnInitDialog() {
  CDialog::OnInitDialog();
  OnNameChange();
  return TRUE;
}

void SECNewToolBar::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_SEC_NEWTOOLBAR_NAME, m_strName); }

void SECNewToolBar::OnNameChange() {
  CWnd* edit = GetDlgItem(IDC_SEC_NEWTOOLBAR_NAME);
  if (!edit) return;
  CString text;
  edit->GetWindowText(text);
  if (text.GetLength() > kSECToolBarNameMax) {
    text = text.Left(kSECToolBarNameMax);
    edit->SetWindowText(text);
  }
  if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(!text.IsEmpty());
}
