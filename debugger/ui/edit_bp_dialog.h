// The Edit Breakpoints dialog: the source breakpoints as "file <name>,
// line <n>", of which the user removes some or all. OK makes the edited
// list the breakpoints of the program, of the running session and of the
// margins of open documents; Cancel changes nothing.
#pragma once

#include "debugger/breakpoint_list.h"
#include "platform/ui/afxdlg.h"

class CEditBPDialog : public CDialog {
 public:
  static const UINT kTemplate = 148;
  static const int kList = 1014, kRemove = 1015, kRemoveAll = 1016;

  explicit CEditBPDialog(CWnd* parent = nullptr) : CDialog(kTemplate, parent) {}
  BOOL OnInitDialog() override;

 protected:
  void OnOK() override;
  void OnRemove();
  void OnRemoveAll();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableRemoving(BOOL enable);

  CBreakpointList m_working;
};
