#include "a_qjx/debugger_settings_dialog.h"

#include <vector>

#include "a_qjx/board_type_codes.h"
#include "a_qjx/combo_choices.h"
#include "a_qjx/debugger_settings.h"
#include "platform/afx/afxres.h"
#include "platform/afx/winapp.h"
#include "ytn1/ytn1.h"

namespace {

constexpr UINT kDebuggerTemplate = 166;
constexpr int kDebuggerKernelLabel = 1144, kDebuggerCommLabel = 1139, kDebuggerQuartzLabel = 1141,
              kDebuggerInterfaceLabel = 1140;
constexpr int kDebuggerKernelState = 1119, kDebuggerCommState = 1120, kDebuggerPath = 1121,
              kDebuggerStack = 1122;
constexpr int kDebuggerStop = 1118, kDebuggerStart = 1117;
constexpr int kDebuggerVersion = 1116, kDebuggerQuartz = 1115, kDebuggerBaud = 1055,
              kDebuggerInterface = 1113;
constexpr UINT_PTR kDebuggerPoll = 1;
constexpr UINT kDebuggerPollMs = 1000;
constexpr int kDebuggerStackLimit = 65520;
constexpr const char* kDebuggerNotLoaded = "not loaded";

// The lists: entry text and the member's value it stands for.
const ComboChoice kDebuggerBauds[] = {{"9600", 9600}, {"19200", 19200}, {"38400", 38400}, {"115200", 115200}};
const ComboChoice kDebuggerInterfaces[] = {{"A", 0}, {"B", 1}};
const ComboChoice kDebuggerVersions[] = {{"2.0 ... 3.1", 2}, {"3.2", 3}, {"4.0 ... 4.5", 4}, {"4.6 ... ", 5}};
const ComboChoice kDebuggerQuartzClocks[] = {{"4.9152", 0}, {"7.3728", 1}};
// Kora-DESK/2 has no 115200 baud and no communication program.
constexpr size_t kDebuggerDeskBauds = 3;
constexpr int kDebuggerDeskHidden[] = {kDebuggerCommLabel, kDebuggerInterfaceLabel, kDebuggerQuartzLabel,
                                       kDebuggerCommState, kDebuggerInterface,      kDebuggerQuartz};

std::span<const ComboChoice> DebuggerBauds(WORD type) {
  std::span<const ComboChoice> all(kDebuggerBauds);
  return type == kTypeKoraDesk2 ? all.first(kDebuggerDeskBauds) : all;
}

}  // namespace

void RunDebuggerSettings() {
  if (!g_currentFamily) return;
  CDebuggerSettingsDialog dialog(*g_currentFamily, AfxGetMainWnd());
  dialog.DoModal();
}

BEGIN_MESSAGE_MAP(CDebuggerSettingsDialog, CDialog)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_CONTROL(BN_CLICKED, kDebuggerStart, OnStart)
ON_CONTROL(BN_CLICKED, kDebuggerStop, OnStop)
ON_CONTROL(EN_KILLFOCUS, kDebuggerPath, OnPathEdited)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CDebuggerSettingsDialog::CDebuggerSettingsDialog(CBoardFamily& family, CWnd* parent)
    : CDialog(kDebuggerTemplate, parent), family_(family) {}

void CDebuggerSettingsDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kDebuggerStack, stackSize);
  DDV_MinMaxInt(dx, stackSize, 0, kDebuggerStackLimit);
}

BOOL CDebuggerSettingsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (family_.typeCode == kTypeKoraDesk2)
    for (int id : kDebuggerDeskHidden) ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
  SetDebuggerDefaults(family_);
  LoadDebuggerSettings(family_);
  family_.ReadTaskParameters();
  family_.CheckDriverError();
  EnableStartStop(!(family_.kernelFound && family_.commFound));
  ShowValues();
  SetTimer(kDebuggerPoll, kDebuggerPollMs, nullptr);
  return TRUE;
}

void CDebuggerSettingsDialog::OnDestroy() {
  KillTimer(kDebuggerPoll);
  CDialog::OnDestroy();
}

void CDebuggerSettingsDialog::EnableStartStop(BOOL start) {
  ::EnableWindow(::GetDlgItem(m_hWnd, kDebuggerStart), start);
  ::EnableWindow(::GetDlgItem(m_hWnd, kDebuggerStop), !start);
}

void CDebuggerSettingsDialog::ShowValues() {
  FillComboChoices(this, kDebuggerBaud, DebuggerBauds(family_.typeCode), family_.kernelParDword);
  FillComboChoices(this, kDebuggerInterface, kDebuggerInterfaces, family_.commPar4);
  FillComboChoices(this, kDebuggerVersion, kDebuggerVersions, family_.kernelPar6);
  FillComboChoices(this, kDebuggerQuartz, kDebuggerQuartzClocks, family_.commPar11);
  stackSize = family_.kernelPar2;
  UpdateData(FALSE);
  SetDlgItemText(kDebuggerPath, family_.kernelFolder);
  ShowStateTexts();
}

// A program that is not on the board shows "not loaded"; the states are
// shown only when both programs are there.
void CDebuggerSettingsDialog::ShowStateTexts() {
  if (!family_.kernelFound) SetDlgItemText(kDebuggerKernelState, kDebuggerNotLoaded);
  if (!family_.commFound) SetDlgItemText(kDebuggerCommState, kDebuggerNotLoaded);
  if (!family_.kernelFound || !family_.commFound) return;
  SetDlgItemText(kDebuggerKernelState, KernelStateText(family_.kernelPar0, family_.kernelPar1));
  SetDlgItemText(kDebuggerCommState, CommStateText(family_.commPar0, family_.commPar1));
}

DebuggerValues CDebuggerSettingsDialog::TakeValues() {
  if (!UpdateData(TRUE)) return DebuggerValues::Refused;
  family_.commPar4 = BYTE(ChosenComboCode(this, kDebuggerInterface, family_.commPar4));
  family_.kernelParDword = ChosenComboCode(this, kDebuggerBaud, family_.kernelParDword);
  family_.commPar11 = BYTE(ChosenComboCode(this, kDebuggerQuartz, family_.commPar11));
  family_.kernelPar6 = BYTE(ChosenComboCode(this, kDebuggerVersion, family_.kernelPar6));
  family_.kernelPar2 = WORD(stackSize);
  return DebuggerValues::Taken;
}

void CDebuggerSettingsDialog::OnStart() {
  family_.ReadTaskParameters();
  family_.CheckDriverError();
  if (!family_.kernelFound || !family_.commFound) {
    BeginWaitCursor();
    const int16_t result = family_.TransferAndInstall();
    EndWaitCursor();
    if (result != 0) return;
  }
  if (TakeValues() == DebuggerValues::Refused) return;
  family_.WriteTaskParameters();
  family_.CallKernelProc2();
  EnableStartStop(FALSE);
  ShowValues();
}

void CDebuggerSettingsDialog::OnStop() {
  family_.ReadTaskParameters();
  ShowValues();
  family_.CheckDriverError();
  if (family_.kernelFound != 1 || family_.commFound != 1) return;
  family_.CallKernelProc3();
  EnableStartStop(TRUE);
}

void CDebuggerSettingsDialog::OnPathEdited() {
  CString path;
  GetDlgItemText(kDebuggerPath, path);
  path.TrimLeft();
  path.TrimRight();
  if (path.IsEmpty() || (path.Right(1) != "\\" && path.Right(1) != "/")) path += "\\";
  family_.kernelFolder = path;
}

// The poll is re-armed only after a read without driver error; an error
// ends the dialog as Exit does, so the settings are still stored.
void CDebuggerSettingsDialog::OnTimer(UINT_PTR id) {
  if (id != kDebuggerPoll) return CDialog::OnTimer(id);
  KillTimer(kDebuggerPoll);
  family_.ReadTaskParameters();
  if (family_.CheckDriverError() != 0) {
    if (TakeValues() == DebuggerValues::Taken) StoreDebuggerSettings(family_);
    EndDialog(IDOK);
    return;
  }
  ShowStateTexts();
  SetTimer(kDebuggerPoll, kDebuggerPollMs, nullptr);
}

void CDebuggerSettingsDialog::OnOK() {
  if (TakeValues() == DebuggerValues::Refused) return;
  StoreDebuggerSettings(family_);
  EndDialog(IDOK);
}

void CDebuggerSettingsDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_debugging.htm", 0); }
