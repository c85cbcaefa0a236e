#include "a_qjx/ins_editor_dialog.h"

#include <string>
#include <vector>

#include "a_qjx/ins_editor_lines.h"
#include "a_qjx/ins_editor_style.h"
#include "a_qjx/ins_flags.h"
#include "a_qjx/ins_flags_dialog.h"
#include "a_qjx/ins_interpreter.h"
#include "a_qjx/ins_text_file.h"
#include "a_qjx/tool_ids.h"
#include "platform/afx/afxres.h"
#include "platform/afx/winapp.h"
#include "platform/sys/file.h"
#include "platform/ui/menu.h"
#include "platform/ui/scintilla.h"
#include "ytn1/prompt.h"
#include "ytn1/settings_state.h"
#include "ytn1/ytn1.h"

namespace {

constexpr const char* kInsHeaderLine = "'KALVEN - INSTALLATION FILE";
constexpr const char* kInsFilter = "KALVEN installation files (*.ins) |*.ins||";
constexpr int kInsMessagesLimit = 0x7FFFFFFD;

CString InsString(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CInsEditorDialog, CDialog)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_COMMAND(ID_FILE_NEW, OnNew)
ON_COMMAND(ID_FILE_OPEN, OnOpen)
ON_COMMAND(ID_FILE_SAVE, OnSave)
ON_COMMAND(IDM_INS_SAVE_AS, OnSaveAs)
ON_COMMAND(IDM_INS_EXIT, OnExit)
ON_COMMAND(IDC_INS_EXIT, OnExit)
ON_COMMAND(ID_EDIT_COPY, OnCopy)
ON_COMMAND(ID_EDIT_CUT, OnCut)
ON_COMMAND(ID_EDIT_PASTE, OnPaste)
ON_COMMAND(IDC_INS_SYNTAX_CHECK, OnSyntaxCheck)
ON_COMMAND(IDM_INS_SYNTAX_CHECK, OnSyntaxCheck)
ON_COMMAND(IDC_INS_EXECUTE_LINE, OnExecuteLine)
ON_COMMAND(IDM_INS_EXECUTE_LINE, OnExecuteLine)
ON_COMMAND(IDC_INS_EXECUTE_ALL, OnExecuteAll)
ON_COMMAND(IDM_INS_EXECUTE_ALL, OnExecuteAll)
ON_COMMAND(IDC_INS_INSERT_FLAGS, OnInsertFlags)
ON_COMMAND(IDM_INS_INSERT_FLAGS, OnInsertFlags)
ON_COMMAND(IDC_INS_DELETE_MESSAGES, OnDeleteMessages)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CInsEditorDialog::CInsEditorDialog(InsInterpreter& interpreter, CWnd* parent)
    : CDialog(IDD_INS_EDITOR, parent), interpreter_(interpreter) {}

void RunInsEditor(InsInterpreter& interpreter) {
  CInsEditorDialog dialog(interpreter, AfxGetMainWnd());
  dialog.DoModal();
}

LRESULT CInsEditorDialog::Sci(UINT message, WPARAM wParam, LPARAM lParam) const {
  return editor_ ? ::SendMessage(editor_, message, wParam, lParam) : 0;
}

BOOL CInsEditorDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (HMENU menu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_INS_EDITOR_MENU)))
    ::SetMenu(m_hWnd, menu);
  SendDlgItemMessage(IDC_INS_MESSAGES, EM_LIMITTEXT, kInsMessagesLimit, 0);
  char folder[ytn1::kFolderBufferSize] = {};
  GetInsPath(folder);
  GetCurrentDirectory(sizeof savedDirectory_, savedDirectory_);
  SetCurrentDirectory(folder);
  CreateEditor();
  Sci(SCI_ADDTEXT, std::char_traits<char>::length(kInsHeaderLine), LPARAM(kInsHeaderLine));
  SetWindowText(InsString(IDS_INS_CAPTION_NEW));
  SetUpEditor();
  Sci(SCI_SETSAVEPOINT);
  modified_ = 0;
  shownValid_ = true;
  return TRUE;
}

void CInsEditorDialog::CreateEditor() {
  RECT frame{};
  ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_INS_EDITOR_FRAME), &frame);
  ScreenToClient(&frame);
  if (IsScintillaAvailable())
    editor_ = ::CreateWindowEx(WS_EX_ACCEPTFILES, SCINTILLA_CLASS, "Source",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, frame.left + 2,
                               frame.top + 3, frame.right - frame.left - 5, frame.bottom - frame.top - 5,
                               m_hWnd, nullptr, AfxGetResourceHandle(), nullptr);
  if (!editor_) {
    ytn1::ShowMessage("The Scintilla DLL could not be loaded.", "Error loading Scintilla",
                      MB_OK | MB_ICONSTOP);
    return;
  }
  // Above the placeholder, whose sunken frame stays around it.
  ::SetWindowPos(editor_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CInsEditorDialog::SetUpEditor() {
  if (!editor_) return;
  for (const InsEditorSetting& s : InsEditorSettings()) Sci(s.message, s.wParam, s.lParam);
}

BOOL CInsEditorDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (editor_ && hdr && hdr->hwndFrom == editor_) {
    switch (hdr->code) {
      case SCN_MODIFIED:
      case SCN_UPDATEUI:
        ShowCaretLine();
        break;
      case SCN_SAVEPOINTLEFT:
        modified_ = 1;
        break;
      case SCN_SAVEPOINTREACHED:
        modified_ = 0;
        break;
      default:
        break;
    }
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

int CInsEditorDialog::LineCount() const { return int(Sci(SCI_GETLINECOUNT)); }

CString CInsEditorDialog::LineText(int line) const {
  const LRESULT length = Sci(SCI_LINELENGTH, WPARAM(line));
  if (length <= 0) return CString();
  std::vector<char> text(size_t(length) + 1, '\0');
  Sci(SCI_GETLINE, WPARAM(line), LPARAM(text.data()));
  return CString(text.data(), int(length));
}

CString CInsEditorDialog::WholeText() const {
  const LRESULT length = Sci(SCI_GETLENGTH);
  if (length <= 0) return CString();
  std::vector<char> text(size_t(length) + 1, '\0');
  Sci(SCI_GETTEXT, WPARAM(length + 1), LPARAM(text.data()));
  return CString(text.data(), int(length));
}

void CInsEditorDialog::ShowCaretLine() {
  const int line = int(Sci(SCI_LINEFROMPOSITION, WPARAM(Sci(SCI_GETCURRENTPOS))));
  CString position;
  position.Format("%ld/%ld", long(line), long(LineCount()));
  const InsLineVerdict verdict = VerdictOfLine(interpreter_, LineText(line));
  // Fields are rewritten only when their text changes.
  SetFieldText(IDC_INS_LINE_POSITION, position, &shownPosition_);
  SetFieldText(IDC_INS_SYNTAX, verdict.syntax, &shownSyntax_);
  SetFieldText(IDC_INS_HELP, verdict.help, &shownHelp_);
}

void CInsEditorDialog::SetFieldText(int id, const CString& text, CString* shown) {
  if (*shown == text && shownValid_) return;
  *shown = text;
  SetDlgItemText(id, text);
}

void CInsEditorDialog::StartMessages(LPCSTR head) {
  SetDlgItemText(IDC_INS_MESSAGES, head);
  ::UpdateWindow(::GetDlgItem(m_hWnd, IDC_INS_MESSAGES));
}

void CInsEditorDialog::AppendMessage(const CString& text) {
  if (text.IsEmpty()) return;
  HWND messages = ::GetDlgItem(m_hWnd, IDC_INS_MESSAGES);
  const LRESULT end = ::SendMessage(messages, WM_GETTEXTLENGTH, 0, 0);
  ::SendMessage(messages, EM_SETSEL, WPARAM(end), LPARAM(end));
  ::SendMessage(messages, EM_SCROLLCARET, 0, 0);
  ::SendMessage(messages, EM_REPLACESEL, FALSE, LPARAM(LPCSTR(text)));
}

void CInsEditorDialog::OnSyntaxCheck() {
  BeginWaitCursor();
  StartMessages("----------Syntax Check----------");
  unsigned long errors = 0;
  const int count = LineCount();
  for (int line = 0; line < count; ++line) {
    Sci(SCI_GOTOLINE, WPARAM(line));
    CString report;
    if (CheckInsLine(interpreter_, line, LineText(line), InsExecute::CheckOnly, &report) ==
        InsLineOutcome::Error)
      ++errors;
    AppendMessage(report);
  }
  AppendMessage(SyntaxCheckEnd(errors));
  EndWaitCursor();
}

void CInsEditorDialog::OnExecuteLine() {
  BeginWaitCursor();
  StartMessages("----------Installation----------");
  const int line = int(Sci(SCI_LINEFROMPOSITION, WPARAM(Sci(SCI_GETCURRENTPOS))));
  CString report;
  const InsLineOutcome outcome = CheckInsLine(interpreter_, line, LineText(line), InsExecute::Run, &report);
  AppendMessage(report);
  AppendMessage(outcome == InsLineOutcome::Error ? "\r\n----------Error----------"
                                                 : "\r\n----------OK----------");
  EndWaitCursor();
}

void CInsEditorDialog::OnExecuteAll() {
  BeginWaitCursor();
  StartMessages("----------Installation----------");
  const int count = LineCount();
  InsLineOutcome outcome = InsLineOutcome::Good;
  for (int line = 0; line < count && outcome == InsLineOutcome::Good; ++line) {
    CString report;
    outcome = CheckInsLine(interpreter_, line, LineText(line), InsExecute::Run, &report);
    AppendMessage(report);
  }
  AppendMessage(outcome == InsLineOutcome::Error ? "\r\n----------Error----------"
                                                 : "\r\n----------OK----------");
  EndWaitCursor();
}

void CInsEditorDialog::OnInsertFlags() {
  if (!editor_) return;
  const LRESULT length = Sci(SCI_GETSELECTIONEND) - Sci(SCI_GETSELECTIONSTART);
  std::vector<char> selection(size_t(std::max<LRESULT>(length, 0)) + 1, '\0');
  Sci(SCI_GETSELTEXT, 0, LPARAM(selection.data()));
  CInstallationFlagsDialog flags(InsFlagsStartValue(selection.data()), this);
  if (flags.DoModal() != IDOK) return;
  CString text;
  text.Format("%lX", (unsigned long)flags.value);
  Sci(SCI_REPLACESEL, 0, LPARAM(LPCSTR(text)));
}

void CInsEditorDialog::OnDeleteMessages() { SetDlgItemText(IDC_INS_MESSAGES, ""); }

void CInsEditorDialog::ClearEditor() {
  Sci(SCI_CLEARALL);
  Sci(EM_EMPTYUNDOBUFFER);
  Sci(SCI_SETSAVEPOINT);
}

void CInsEditorDialog::SetFileCaption() {
  SetWindowText(InsString(IDS_INS_CAPTION_FILE) + "[" + path_ + "]");
}

void CInsEditorDialog::SavePrompt() {
  if (modified_ == 1 && ytn1::ShowMessage("Do you want to save changes?", A_QJX_BOX_CAPTION,
                                          MB_YESNO | MB_ICONQUESTION) == IDYES)
    OnSave();
}

void CInsEditorDialog::OnNew() {
  SavePrompt();
  ClearEditor();
  path_.Empty();
  Sci(SCI_ADDTEXT, std::char_traits<char>::length(kInsHeaderLine), LPARAM(kInsHeaderLine));
  SetWindowText(InsString(IDS_INS_CAPTION_NEW));
  modified_ = 0;
  Sci(SCI_SETSAVEPOINT);
}

void CInsEditorDialog::OnOpen() {
  SavePrompt();
  std::string chosen;
  if (!ytn1::AskFileName(false, "*.ins", kInsFilter, &chosen)) return;
  CString text;
  if (!ReadInsText(chosen.c_str(), &text)) {
    // The document and its path stay as they were.
    ytn1::ShowMessage(CString("Could not open file. ") + chosen.c_str(), "ERROR", MB_OK);
    return;
  }
  path_ = chosen.c_str();
  ClearEditor();
  Sci(SCI_CANCEL);
  Sci(SCI_SETUNDOCOLLECTION, 0);
  Sci(SCI_ADDTEXT, WPARAM(text.GetLength()), LPARAM(LPCSTR(text)));
  Sci(SCI_SETUNDOCOLLECTION, 1);
  if (editor_) ::SetFocus(editor_);
  Sci(EM_EMPTYUNDOBUFFER);
  Sci(SCI_GOTOPOS, 0);
  SetFileCaption();
  modified_ = 0;
  Sci(SCI_SETSAVEPOINT);
}

bool CInsEditorDialog::SaveTo(const CString& path, UINT failureBox) {
  if (!WriteInsText(path, WholeText())) {
    if (failureBox == IDS_INS_FILE_ERROR)
      ytn1::ShowMessage(InsString(IDS_INS_FILE_ERROR), "ERROR", MB_OK | MB_ICONEXCLAMATION);
    else
      ytn1::ShowMessage(CString("Could not save file: ") + path, "ERROR", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  path_ = path;
  SetFileCaption();
  modified_ = 0;
  Sci(SCI_SETSAVEPOINT);
  return true;
}

void CInsEditorDialog::OnSave() {
  if (path_.IsEmpty()) {
    OnSaveAs();
    return;
  }
  SaveTo(path_, IDS_INS_FILE_ERROR);
}

void CInsEditorDialog::OnSaveAs() {
  std::string chosen;
  if (!ytn1::AskFileName(true, path_.IsEmpty() ? "*.ins" : LPCSTR(path_), kInsFilter, &chosen)) return;
  SaveTo(InsFileName(chosen.c_str()), 0);
}

void CInsEditorDialog::OnExit() {
  SavePrompt();
  EndDialog(IDOK);
}

void CInsEditorDialog::OnOK() { OnExit(); }

void CInsEditorDialog::OnCancel() {
  // Esc asks about unsaved changes too.
  SavePrompt();
  EndDialog(IDCANCEL);
}

void CInsEditorDialog::OnClose() { OnExit(); }

void CInsEditorDialog::OnDestroy() {
  char folder[ytn1::kFolderBufferSize] = {};
  GetCurrentDirectory(sizeof folder, folder);
  SetInsPath(folder);
  SetCurrentDirectory(savedDirectory_);
  CDialog::OnDestroy();
}

void CInsEditorDialog::OnCopy() { Sci(SCI_COPY); }
void CInsEditorDialog::OnCut() { Sci(SCI_CUT); }
void CInsEditorDialog::OnPaste() { Sci(SCI_PASTE); }
void CInsEditorDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_insfile.htm", 0); }
