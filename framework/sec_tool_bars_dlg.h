// SECToolBarsDlg: the modal "Toolbars" dialog (template 20510) over a tool
// bar manager; it runs the bars in customise mode while it is open.
#pragma once

#include "framework/sec_tool_bars_dlg_base.h"
#include "platform/ui/afxdlg.h"

class SECToolBarsDlg : public CDialog, public SECToolBarsBase {
 public:
  SECToolBarsDlg(CWnd* pParent, SECToolBarManager* pManager);
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnCancel() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void OnSelChange() { UpdateNameField(); }
  void OnCheckChange() { ShowSelectedBar(); }
  void OnNameKillFocus() { RenameSelectedBar(); }
  void OnNew();
  void OnReset() { ResetOrDeleteSelectedBar(); }
  void OnCustomize() { Finish(IDC_SEC_CUSTOMIZE_RESULT); }
  void OnSettingClicked();

  // The result that asks the caller for the button customisation next.
  static constexpr int IDC_SEC_CUSTOMIZE_RESULT = 43099;

 protected:
  void Finish(int nResult);
  DECLARE_MESSAGE_MAP()
};

// Runs the dialog for a manager's frame; returns its result.
INT_PTR SECRunToolBarsDialog(SECToolBarManager* pManager);
