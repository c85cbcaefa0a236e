// The macro dialog: one board macro command typed as hex bytes, checked
// while typing and sent through the interpreter's macro command, with the
// board's answers collected in a field.
#pragma once
#include "a_qjx/board_family.h"
#include "a_qjx/ins_interpreter.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/ui/afxdlg.h"

// Whether a macro is only checked or also sent to the board.
enum class MacroRun { Check, Send };

class CMacroDialog : public CDialog {
 public:
  explicit CMacroDialog(WORD boardType, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnEntryChosen();
  void OnMacroTyped();
  void OnSend();
  void OnDeleteList();
  void OnHelp();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void RunMacro(MacroRun run);
  void AppendAnswer(const CString& line);

  WORD boardType_;
  QJ_CALLBACK previousErrorHandling_ = nullptr;
};

// The modal run of a_qjx_macro for the selected family.
void RunMacroDialog();
