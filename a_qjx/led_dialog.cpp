#include "a_qjx/led_dialog.h"

#include "a_qjx/board_type_codes.h"
#include "a_qjx/tool_ids.h"
#include "platform/afx/afxres.h"
#include "ytn1/ytn1.h"

BEGIN_MESSAGE_MAP(CLedDialog, CModelessToolDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_LED_EXTERNAL, IDC_LED_INTERNAL, OnLedClicked)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CLedDialog::CLedDialog(CBoardFamily& family) : CModelessToolDialog(IDD_LED, ToolWindow::Led, family) {}

BOOL CLedDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  if (family_.typeCode == kTypeKoraDesk2) {
    GetDlgItem(IDC_LED_EXTERNAL_LABEL)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_LED_EXTERNAL)->ShowWindow(SW_HIDE);
  }
  family_.SetLed(0, 0);
  family_.SetLed(1, 0);
  if (family_.CheckDriverError() == 1) PostMessage(WM_CLOSE);
  return TRUE;
}

void CLedDialog::OnLedClicked(UINT id) {
  const bool on = IsDlgButtonChecked(id) == BST_CHECKED;
  SetDlgItemText(id, on ? "1" : "0");
  family_.SetLed(id == IDC_LED_INTERNAL ? 0 : 1, on ? 1 : 0);
  family_.CheckDriverError();
}

void CLedDialog::PostNcDestroy() {
  family_.CloseLedChannel();
  family_.CheckDriverError();
  CModelessToolDialog::PostNcDestroy();
}

void CLedDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_led.htm", 0); }
