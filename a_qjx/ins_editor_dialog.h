// The installation-file editor: a modal dialog with the editing component
// over its frame, the verdict and help of the caret line, and commands to
// check and run lines on the board through the interpreter.
#pragma once
#include "platform/ui/afxdlg.h"

class InsInterpreter;

class CInsEditorDialog : public CDialog {
 public:
  CInsEditorDialog(InsInterpreter& interpreter, CWnd* parent);
  BOOL OnInitDialog() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // The editing component's window; null when it could not be made.
  HWND Editor() const { return editor_; }
  const CString& Path() const { return path_; }
  bool IsModified() const { return modified_ != 0; }

  // The commands.
  void OnNew();
  void OnOpen();
  void OnSave();
  void OnSaveAs();
  void OnExit();
  void OnSyntaxCheck();
  void OnExecuteLine();
  void OnExecuteAll();
  void OnInsertFlags();

 protected:
  void OnOK() override;
  void OnCancel() override;
  void OnClose();
  void OnDestroy();
  void OnCopy();
  void OnCut();
  void OnPaste();
  void OnDeleteMessages();
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  LRESULT Sci(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void CreateEditor();
  void SetUpEditor();
  void ShowCaretLine();
  void SetFieldText(int id, const CString& text, CString* shown);
  CString LineText(int line) const;
  CString WholeText() const;
  int LineCount() const;
  void ClearEditor();
  void SetFileCaption();
  void SavePrompt();
  bool SaveTo(const CString& path, UINT failureBox);
  void StartMessages(LPCSTR head);
  void AppendMessage(const CString& text);

  InsInterpreter& interpreter_;
  CString path_;
  char savedDirectory_[300] = {};
  HWND editor_ = nullptr;
  int modified_ = 0;
  // What the caret fields show (valid once the dialog is set up).
  CString shownPosition_, shownSyntax_, shownHelp_;
  bool shownValid_ = false;
};

// The modal run of a_qjx_ins, parent the main window.
void RunInsEditor(InsInterpreter& interpreter);
