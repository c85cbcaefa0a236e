// The shape the modeless tools share: made without owner by Open, ended by
// its Exit button, the close box or Esc (the window is destroyed, never
// only hidden), and on destruction it clears its tool's open flag and
// deletes itself.
#pragma once
#include "a_qjx/board_family.h"
#include "a_qjx/tool_windows.h"
#include "platform/ui/afxdlg.h"

class CModelessToolDialog : public CDialog {
 public:
  CModelessToolDialog(UINT templateId, ToolWindow tool, CBoardFamily& family);

  // Makes the dialog of type T for the current family with the title as
  // window text: its window, or null.
  template <class T>
  static HWND Open(LPCSTR title) {
    if (!g_currentFamily) return nullptr;
    return Show(new T(*g_currentFamily), title);
  }

 protected:
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  void OnClose();
  void OnExit();  // destroys the window
  DECLARE_MESSAGE_MAP()

  CBoardFamily& family_;

 private:
  static HWND Show(CModelessToolDialog* dialog, LPCSTR title);
  UINT templateId_;
  ToolWindow tool_;
};

// The Exit button of the modeless tools.
constexpr UINT kToolExitButton = 1014;
