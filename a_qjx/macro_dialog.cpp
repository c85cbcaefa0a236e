#include "a_qjx/macro_dialog.h"

#include "a_qjx/macro_commands.h"
#include "platform/afx/afxres.h"
#include "platform/afx/winapp.h"
#include "ytn1/ytn1.h"

namespace {

constexpr UINT kMacroTemplate = 163;
constexpr int kMacroList = 1094, kMacroText = 1091, kMacroSend = 1092, kMacroStatus = 1105,
              kMacroAnswer = 1110, kMacroDeleteList = 1170;
constexpr int kMacroTabStop = 50;
constexpr int kMacroCodeLength = 5;  // "00 20"

}  // namespace

void RunMacroDialog() {
  if (!g_currentFamily) return;
  CMacroDialog dialog(g_currentFamily->typeCode, AfxGetMainWnd());
  dialog.DoModal();
}

BEGIN_MESSAGE_MAP(CMacroDialog, CDialog)
ON_WM_DESTROY()
ON_CONTROL(LBN_SELCHANGE, kMacroList, OnEntryChosen)
ON_CONTROL(EN_CHANGE, kMacroText, OnMacroTyped)
ON_CONTROL(BN_CLICKED, kMacroSend, OnSend)
ON_CONTROL(BN_CLICKED, kMacroDeleteList, OnDeleteList)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CMacroDialog::CMacroDialog(WORD boardType, CWnd* parent)
    : CDialog(kMacroTemplate, parent), boardType_(boardType) {}

BOOL CMacroDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  previousErrorHandling_ = qj8_set_error_handling(OnDriverErrorRequest);
  int stop = kMacroTabStop;
  SendDlgItemMessage(kMacroList, LB_SETTABSTOPS, 1, LPARAM(&stop));
  for (const char* entry : MacroCommandEntries(boardType_))
    SendDlgItemMessage(kMacroList, LB_ADDSTRING, 0, LPARAM(entry));
  return TRUE;
}

// The driver's error callback goes back to what it was.
void CMacroDialog::OnDestroy() {
  qj8_set_error_handling(previousErrorHandling_);
  CDialog::OnDestroy();
}

BOOL CMacroDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && ::GetFocus() == ::GetDlgItem(m_hWnd, kMacroText) &&
      !MacroFieldTakesKey(msg->wParam))
    return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

void CMacroDialog::OnEntryChosen() {
  const LRESULT at = SendDlgItemMessage(kMacroList, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR) return;
  char entry[128] = {};
  if (SendDlgItemMessage(kMacroList, LB_GETTEXTLEN, WPARAM(at), 0) >= LRESULT(sizeof entry)) return;
  SendDlgItemMessage(kMacroList, LB_GETTEXT, WPARAM(at), LPARAM(entry));
  entry[kMacroCodeLength] = '\0';
  SetDlgItemText(kMacroText, entry);  // its EN_CHANGE checks it
  RunMacro(MacroRun::Check);
}

void CMacroDialog::OnMacroTyped() { RunMacro(MacroRun::Check); }

void CMacroDialog::OnSend() {
  BeginWaitCursor();
  RunMacro(MacroRun::Send);
  EndWaitCursor();
}

void CMacroDialog::OnDeleteList() { SetDlgItemText(kMacroAnswer, ""); }

void CMacroDialog::AppendAnswer(const CString& line) {
  HWND answer = ::GetDlgItem(m_hWnd, kMacroAnswer);
  const LRESULT end = ::SendMessage(answer, WM_GETTEXTLENGTH, 0, 0);
  ::SendMessage(answer, EM_SETSEL, WPARAM(end), LPARAM(end));
  ::SendMessage(answer, EM_SCROLLCARET, 0, 0);
  ::SendMessage(answer, EM_REPLACESEL, FALSE, LPARAM(LPCSTR(line)));
}

// Each check or send uses its own interpreter, so nothing carries over.
void CMacroDialog::RunMacro(MacroRun run) {
  CString macro;
  GetDlgItemText(kMacroText, macro);
  macro.MakeUpper();
  InsInterpreter interpreter;
  CString help, answer, result;
  const BOOL execute = run == MacroRun::Send;
  const int16_t outcome = interpreter.ParseCmd("Q8CMD " + macro, execute, help, answer, result);
  if (outcome != 0) {
    if (run == MacroRun::Check)
      SetDlgItemText(kMacroStatus, result);
    else
      AppendAnswer("Command (hex): " + macro + " - Error: " + result + "\r\n");
    return;
  }
  SetDlgItemText(kMacroStatus, "Parameter OK");
  if (run == MacroRun::Send) AppendAnswer("Command (hex): " + macro + " - " + answer + "\r\n");
}

void CMacroDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_macro.htm", 0); }
