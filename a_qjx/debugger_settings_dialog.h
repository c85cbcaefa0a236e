// The debugger settings: the remote debug kernel and its communication
// program on a QJ board, their states polled every second, the link's
// settings, and Start and Stop of the kernel.
#pragma once
#include "a_qjx/board_family.h"
#include "platform/ui/afxdlg.h"

// Whether the dialog's values are taken with the stack size's validation.
enum class DebuggerValues { Taken, Refused };

class CDebuggerSettingsDialog : public CDialog {
 public:
  explicit CDebuggerSettingsDialog(CBoardFamily& family, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

  int stackSize = 0;

 protected:
  void OnOK() override;
  void OnStart();
  void OnStop();
  void OnPathEdited();
  void OnTimer(UINT_PTR id);
  void OnDestroy();
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  void FillLists();
  void ShowValues();
  void ShowStateTexts();
  DebuggerValues TakeValues();
  void EnableStartStop(BOOL start);

  CBoardFamily& family_;
};

// The modal run of a_qjx_debugger for the selected family.
void RunDebuggerSettings();
