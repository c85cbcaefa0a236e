#include "a_qjx/info_dialogs.h"

#include "a_qjx/tool_ids.h"
#include "platform/afx/afxres.h"
#include "ytn1/ytn1.h"

BEGIN_MESSAGE_MAP(CCpuDialog, CModelessToolDialog)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CCpuDialog::CCpuDialog(CBoardFamily& family) : CModelessToolDialog(IDD_CPU, ToolWindow::Cpu, family) {}

BOOL CCpuDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  SetDlgItemText(IDC_CPU_TYPE, family_.cpuType);
  SetDlgItemText(IDC_CPU_REVISION, family_.cpuRevision);
  SetDlgItemText(IDC_CPU_MAKER, family_.cpuMaker);
  SetDlgItemText(IDC_CPU_CLOCK, family_.cpuClock);
  SetDlgItemText(IDC_CPU_COPROCESSOR, family_.coprocessorType);
  return TRUE;
}

void CCpuDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_cpu.htm", 0); }

CInfoDialog::CInfoDialog(CBoardFamily& family) : CModelessToolDialog(IDD_INFO, ToolWindow::Fpga, family) {}

BOOL CInfoDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  SetDlgItemText(IDC_INFO_TEXT, family_.GetFpgaTextCopy());
  return TRUE;
}
