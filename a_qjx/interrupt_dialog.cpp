#include "a_qjx/interrupt_dialog.h"

#include "a_qjx/board_type_codes.h"
#include "platform/afx/afxres.h"
#include "ytn1/ytn1.h"

namespace {

constexpr UINT kInterruptTemplate = 168;
constexpr int kInterruptRead = 1034, kInterruptAutomatic = 1060, kInterruptEdge = 1181;
constexpr UINT_PTR kInterruptPoll = 1;
constexpr UINT kInterruptFirstPollMs = 1, kInterruptPollMs = 10;
constexpr int kInterruptFirstLineName = 1123;

// The bit statics of the four registers, bits 0 to 7.
constexpr int kMasterIrr[8] = {1032, 1040, 1041, 1042, 1043, 1044, 1045, 1046};
constexpr int kSlaveIrr[8] = {1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054};
constexpr int kMasterImr[8] = {1033, 1035, 1036, 1037, 1038, 1039, 1055, 1056};
constexpr int kSlaveImr[8] = {1057, 1065, 1066, 1067, 1068, 1069, 1070, 1071};

// Line names by board type: master IRQ-0 to IRQ-7, then slave.
constexpr const char* kInterruptLinesLine[16] = {"IRQ-0 (PC - RBF)",
                                                 "IRQ-1 (Temp.)",
                                                 "IRQ-2 (Slave)",
                                                 "IRQ-3 (Res.)",
                                                 "IRQ-4 (SCC3)",
                                                 "IRQ-5 (SCC2)",
                                                 "IRQ-6 (SCC1)",
                                                 "IRQ-7 (Cooler)",
                                                 "IRQ-0 (SCC1)",
                                                 "IRQ-1 (Timer-A)",
                                                 "IRQ-2 (Timer-B)",
                                                 "IRQ-3 (Timer-C)",
                                                 "IRQ-4 (Clock - Timer-D)",
                                                 "IRQ-5 (St3 - IRQ-G)",
                                                 "IRQ-6 (IRQ-H)",
                                                 "IRQ-7 (PC - TBE)"};
constexpr const char* kInterruptLinesTessera[16] = {
    "IRQ-0 (PC - RBF)",        "IRQ-1 (SPB - IRQ-F)", "IRQ-2 (Slave)",
    "IRQ-3 (SPB - IRQ-A)",     "IRQ-4 (SPB - IRQ-B)", "IRQ-5 (SPB - IRQ-C)",
    "IRQ-6 (SPB - IRQ-D)",     "IRQ-7 (SPB - IRQ-E)", "IRQ-0 (SCC)",
    "IRQ-1 (Timer-A)",         "IRQ-2 (Timer-B)",     "IRQ-3 (Timer-C)",
    "IRQ-4 (Clock - Timer-D)", "IRQ-5 (St1 - IRQ-G)", "IRQ-6 (RS232 B - IRQ-H)",
    "IRQ-7 (PC - TBF)"};

void ShowInterruptBits(CWnd* dialog, const int (&ids)[8], BYTE value) {
  for (int bit = 0; bit < 8; ++bit) dialog->SetDlgItemText(ids[bit], BITxy(value, bit, bit) ? "1" : "0");
}

}  // namespace

BEGIN_MESSAGE_MAP(CInterruptDialog, CModelessToolDialog)
ON_WM_TIMER()
ON_CONTROL(BN_CLICKED, kInterruptRead, OnRead)
ON_CONTROL(BN_CLICKED, kInterruptAutomatic, OnAutomatic)
ON_CONTROL(CBN_SELENDOK, kInterruptEdge, OnEdgeChosen)
ON_CONTROL_RANGE(STN_CLICKED, 1033, 1071, OnMaskBit)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CInterruptDialog::CInterruptDialog(CBoardFamily& family)
    : CModelessToolDialog(kInterruptTemplate, ToolWindow::Interrupt, family) {}

BOOL CInterruptDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  const char* const* names = family_.typeCode == kTypeKoraLine ? kInterruptLinesLine : kInterruptLinesTessera;
  for (int i = 0; i < 16; ++i) SetDlgItemText(kInterruptFirstLineName + i, names[i]);
  for (const char* edge : {"positive", "negative"}) {
    const LRESULT at = SendDlgItemMessage(kInterruptEdge, CB_ADDSTRING, 0, LPARAM(edge));
    SendDlgItemMessage(kInterruptEdge, CB_SETITEMDATA, WPARAM(at), at);
  }
  // The edge the board has is shown; opening the dialog does not set it.
  SendDlgItemMessage(kInterruptEdge, CB_SETCURSEL, WPARAM(family_.ReadInterruptEdge()), 0);
  return TRUE;
}

void CInterruptDialog::ReadRegisters() {
  const BYTE masterIrr = family_.ReadInterruptRequestLow();
  const BYTE slaveIrr = family_.ReadInterruptRequestHigh();
  const BYTE masterImr = family_.ReadInterruptMaskLow();
  const BYTE slaveImr = family_.ReadInterruptMaskHigh();
  ShowInterruptBits(this, kMasterIrr, masterIrr);
  ShowInterruptBits(this, kSlaveIrr, slaveIrr);
  ShowInterruptBits(this, kMasterImr, masterImr);
  ShowInterruptBits(this, kSlaveImr, slaveImr);
}

void CInterruptDialog::OnRead() {
  ReadRegisters();
  if (family_.CheckDriverError() == 1) PostMessage(WM_CLOSE);
}

void CInterruptDialog::OnAutomatic() {
  KillTimer(kInterruptPoll);
  const bool automatic = IsDlgButtonChecked(kInterruptAutomatic) == BST_CHECKED;
  GetDlgItem(kInterruptRead)->EnableWindow(!automatic);
  if (automatic) SetTimer(kInterruptPoll, kInterruptFirstPollMs, nullptr);
}

void CInterruptDialog::OnTimer(UINT_PTR id) {
  if (id != kInterruptPoll) return;
  KillTimer(kInterruptPoll);
  ReadRegisters();
  if (family_.CheckDriverError() == 1)
    PostMessage(WM_CLOSE);
  else
    SetTimer(kInterruptPoll, kInterruptPollMs, nullptr);
}

void CInterruptDialog::OnEdgeChosen() {
  const LRESULT entry = SendDlgItemMessage(kInterruptEdge, CB_GETCURSEL, 0, 0);
  if (entry == CB_ERR) return;
  family_.ClearInterruptPorts(SendDlgItemMessage(kInterruptEdge, CB_GETITEMDATA, WPARAM(entry), 0) == 1);
  family_.CheckDriverError();
}

// The mask bits are shown only; clicking one changes nothing on the board.
void CInterruptDialog::OnMaskBit(UINT) {}

void CInterruptDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_interrupt.htm", 0); }
