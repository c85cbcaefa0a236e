#include "a_qjx/ins_flags_dialog.h"

#include "a_qjx/ins_flags.h"
#include "a_qjx/tool_ids.h"
#include "platform/ui/afxctrl.h"
#include "ytn1/address_conversion.h"

BEGIN_MESSAGE_MAP(CInstallationFlagsDialog, CDialog)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_FLAGS_TASK_TYPE, IDC_FLAGS_ACTIVATE, OnSelChange)
ON_CONTROL(EN_KILLFOCUS, IDC_FLAGS_VALUE, OnValueKillFocus)
END_MESSAGE_MAP()

CInstallationFlagsDialog::CInstallationFlagsDialog(DWORD start, CWnd* parent)
    : CDialog(IDD_INS_FLAGS, parent), value(start), entryValue_(start) {}

BOOL CInstallationFlagsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  entryValue_ = value;
  for (int list = 0; list < kInsFlagLists; ++list) {
    const InsFlagList& l = InsFlagListAt(list);
    HWND combo = ::GetDlgItem(m_hWnd, l.controlId);
    for (int i = 0; i < l.entryCount; ++i) {
      const LRESULT at = ::SendMessage(combo, CB_ADDSTRING, 0, LPARAM(l.entries[i].text));
      ::SendMessage(combo, CB_SETITEMDATA, WPARAM(at), LPARAM(l.entries[i].value));
    }
  }
  ShowValue(value);
  return TRUE;
}

BOOL CInstallationFlagsDialog::PreTranslateMessage(MSG* msg) {
  // Enter in the hex field shows its value and goes no further.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
      msg->hwnd == ::GetDlgItem(m_hWnd, IDC_FLAGS_VALUE)) {
    OnValueKillFocus();
    return TRUE;
  }
  return CDialog::PreTranslateMessage(msg);
}

void CInstallationFlagsDialog::ShowValueText(DWORD shown) {
  CString text;
  text.Format("%lX", (unsigned long)shown);
  SetDlgItemText(IDC_FLAGS_VALUE, text);
}

void CInstallationFlagsDialog::ShowValue(DWORD shown) {
  for (int list = 0; list < kInsFlagLists; ++list)
    SendDlgItemMessage(InsFlagListAt(list).controlId, CB_SETCURSEL, WPARAM(InsFlagSelection(list, shown)), 0);
  ShowValueText(shown);
}

DWORD CInstallationFlagsDialog::ValueOfLists() const {
  int selections[kInsFlagLists];
  for (int list = 0; list < kInsFlagLists; ++list)
    selections[list] = int(::SendDlgItemMessage(m_hWnd, InsFlagListAt(list).controlId, CB_GETCURSEL, 0, 0));
  return InsFlagsValue(selections);
}

void CInstallationFlagsDialog::OnSelChange(UINT) { ShowValueText(ValueOfLists()); }

void CInstallationFlagsDialog::OnValueKillFocus() {
  CString text;
  GetDlgItemText(IDC_FLAGS_VALUE, text);
  ShowValue(ytn1::ReadHexText(text));
}

void CInstallationFlagsDialog::OnOK() {
  value = ValueOfLists();
  EndDialog(IDOK);
}

void CInstallationFlagsDialog::OnCancel() {
  value = entryValue_;
  EndDialog(IDCANCEL);
}
