#include "a_qjx/clock_dialogs.h"

#include "a_qjx/board_type_codes.h"
#include "a_qjx/tool_ids.h"
#include "platform/afx/afxres.h"
#include "platform/ui/afxcmn.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

constexpr UINT kClockYearBase = 1900;
constexpr UINT kClockLastYear = 2155;
constexpr const char* kClockWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
// Legend: spin control id, lowest and highest value of its field.
struct ClockSpin {
  int id, low, high;
};
constexpr ClockSpin kClockSpins[] = {{1005, 0, 23}, {1004, 0, 59},
                                     {1003, 0, 59}, {1008, 1, 31},
                                     {1010, 1, 12}, {1012, int(kClockYearBase), int(kClockLastYear)}};
constexpr int kTimerFields[3] = {1007, 1008, 1009};
constexpr int kTimerRanges[3] = {1032, 1033, 1034};
constexpr int kTimerRuns[3] = {1063, 1064, 1065};
constexpr int kTimerGroupC[] = {1035, 1036, 1037, 1038, 1039, 1009, 1034, 1065};

}  // namespace

BEGIN_MESSAGE_MAP(CTimeDateDialog, CModelessToolDialog)
ON_CONTROL(BN_CLICKED, IDC_TD_OK, OnWrite)
ON_CONTROL(BN_CLICKED, IDC_TD_CANCEL, OnExit)
ON_CONTROL(BN_CLICKED, IDC_TD_UPDATE, ReadClock)
ON_CONTROL(BN_CLICKED, IDC_TD_SYSTEM, OnSystemTime)
ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_TD_HOUR, IDC_TD_YEAR, OnFieldLeft)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CTimeDateDialog::CTimeDateDialog(CBoardFamily& family)
    : CModelessToolDialog(IDD_TIME_DATE, ToolWindow::TimeDate, family) {}

BOOL CTimeDateDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  for (const char* day : kClockWeekdays) SendDlgItemMessage(IDC_TD_WEEKDAY, CB_ADDSTRING, 0, LPARAM(day));
  for (const ClockSpin& s : kClockSpins) SendDlgItemMessage(s.id, UDM_SETRANGE32, s.low, s.high);
  ReadClock();
  return TRUE;
}

void CTimeDateDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_TD_DAY, values.day);
  DDV_MinMaxUInt(dx, values.day, 1, 31);
  DDX_Text(dx, IDC_TD_HOUR, values.hour);
  DDV_MinMaxUInt(dx, values.hour, 0, 23);
  DDX_Text(dx, IDC_TD_MINUTE, values.minute);
  DDV_MinMaxUInt(dx, values.minute, 0, 59);
  DDX_Text(dx, IDC_TD_MONTH, values.month);
  DDV_MinMaxUInt(dx, values.month, 1, 12);
  DDX_Text(dx, IDC_TD_SECOND, values.second);
  DDV_MinMaxUInt(dx, values.second, 0, 59);
  DDX_Text(dx, IDC_TD_YEAR, values.year);
  DDV_MinMaxUInt(dx, values.year, kClockYearBase, kClockLastYear);
  DDX_CBIndex(dx, IDC_TD_WEEKDAY, values.weekday);
}

void CTimeDateDialog::ReadClock() {
  WORD hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0, weekday = 0;
  family_.ReadClockTime(&hour, &minute, &second);
  if (family_.CheckDriverError() == 1) {
    PostMessage(WM_CLOSE);
    return;
  }
  family_.ReadClockDate(&day, &month, &year, &weekday);
  if (family_.CheckDriverError() == 1) {
    PostMessage(WM_CLOSE);
    return;
  }
  values = {hour, minute, second, day, month, UINT(year) + kClockYearBase, int(weekday)};
  UpdateData(FALSE);
}

// The time first, then the date; a midnight passing between the two
// writes would leave the day before, so the date is then set once more.
void CTimeDateDialog::WriteClock() {
  family_.WriteClockTime(WORD(values.hour), WORD(values.minute), WORD(values.second));
  family_.CheckDriverError();
  const WORD year = WORD(values.year - kClockYearBase);
  family_.WriteClockDate(WORD(values.day), WORD(values.month), year, WORD(values.weekday));
  family_.CheckDriverError();
  WORD hour = 0, minute = 0, second = 0;
  family_.ReadClockTime(&hour, &minute, &second);
  const UINT written = values.hour * 3600 + values.minute * 60 + values.second;
  if (family_.CheckDriverError() == 0 && UINT(hour) * 3600 + minute * 60 + second < written) {
    UINT day = values.day + 1, month = values.month, fullYear = values.year;
    if (day > DaysInMonth(month, fullYear)) day = 1, ++month;
    if (month > 12) month = 1, ++fullYear;
    family_.WriteClockDate(WORD(day), WORD(month), WORD(fullYear - kClockYearBase),
                           WORD((values.weekday + 1) % 7));
    family_.CheckDriverError();
  }
}

void CTimeDateDialog::OnWrite() {
  if (!UpdateData(TRUE)) return;
  // The day must exist in its month.
  if (values.day > DaysInMonth(values.month, values.year)) {
    ytn1::ShowMessage("The day does not exist in this month.", A_QJX_BOX_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(IDC_TD_DAY));
    return;
  }
  WriteClock();
  DestroyWindow();
}

void CTimeDateDialog::OnSystemTime() {
  values = SystemClockValues();
  UpdateData(FALSE);
}

// A refused field takes the focus back, which makes another field lose it:
// that one is not checked again meanwhile.
void CTimeDateDialog::OnFieldLeft(UINT) {
  if (checking_) return;
  checking_ = true;
  UpdateData(TRUE);
  checking_ = false;
}

void CTimeDateDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_timedate.htm", 0); }

void CTimeDateDialog::PostNcDestroy() {
  family_.CloseClockChannel();
  family_.CheckDriverError();
  CModelessToolDialog::PostNcDestroy();
}

BEGIN_MESSAGE_MAP(CTimerDialog, CModelessToolDialog)
ON_CONTROL_RANGE(BN_CLICKED, 1063, 1065, OnRunClicked)
ON_CONTROL_RANGE(EN_KILLFOCUS, 1007, 1009, OnIntervalLeft)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CTimerDialog::CTimerDialog(CBoardFamily& family)
    : CModelessToolDialog(IDD_TIMER, ToolWindow::Timer, family) {}

BOOL CTimerDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  family_.ReadParameterWord();
  family_.CheckDriverError();
  clock = family_.timerClock;
  for (int i = 0; i < 3; ++i) range[i] = family_.timerMax[i];
  if (family_.typeCode == kTypeKoraDesk2)
    for (int id : kTimerGroupC) GetDlgItem(id)->ShowWindow(SW_HIDE);
  UpdateData(FALSE);
  return TRUE;
}

void CTimerDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_TIMER_CLOCK, clock);
  for (int i = 0; i < 3; ++i) {
    DDX_Text(dx, kTimerRanges[i], range[i]);
    DDX_Text(dx, kTimerFields[i], interval[i]);
  }
}

void CTimerDialog::OnRunClicked(UINT id) {
  if (!UpdateData(TRUE)) return;
  const int i = int(id) - kTimerRuns[0];
  const bool start = IsDlgButtonChecked(id) == BST_CHECKED;
  if (start)
    family_.StartTimer(WORD(i), interval[i]);
  else
    family_.StopTimer(WORD(i));
  started_[i] = start;
  SetDlgItemText(id, start ? "Started" : "Stopped");
  GetDlgItem(kTimerFields[i])->EnableWindow(!start);
  if (family_.CheckDriverError() == 1) PostMessage(WM_CLOSE);
}

void CTimerDialog::OnIntervalLeft(UINT id) {
  if (checking_) return;
  checking_ = true;
  if (UpdateData(TRUE)) {
    const int i = int(id) - kTimerFields[0];
    if (interval[i] > range[i]) interval[i] = range[i];
    UpdateData(FALSE);
  }
  checking_ = false;
}

void CTimerDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_timer.htm", 0); }

// The timers this dialog started stop with it.
void CTimerDialog::PostNcDestroy() {
  for (int i = 0; i < 3; ++i)
    if (started_[i]) family_.StopTimer(WORD(i));
  family_.CloseTimerChannel();
  family_.CheckDriverError();
  CModelessToolDialog::PostNcDestroy();
}
