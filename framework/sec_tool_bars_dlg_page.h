// SECToolBarsPage: the "Toolbars" property page (template 20513) of a
// customisation property sheet; the same logic as SECToolBarsDlg, with
// customise mode while the page is active and Cancel restoring the
// settings that held when it was made.
#pragma once

#include "framework/sec_tool_bars_dlg_base.h"
#include "platform/ui/afxdlg.h"

// The registered message "WM_TOOLBARSTYLECHANGING" other pages of the sheet
// get when the button look changes (wParam 1 large buttons, 2 cool look).
UINT SECGetToolBarStyleChangingMessage();

class SECToolBarsPage : public CPropertyPage, public SECToolBarsBase {
 public:
  explicit SECToolBarsPage(SECToolBarManager* pManager);
  ~SECToolBarsPage() override;
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void OnOK() override;
  void OnCancel() override;
  void OnReset() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void OnSelChange() { UpdateNameField(); }
  void OnCheckChange() { ShowSelectedBar(); }
  void OnNameKillFocus() { RenameSelectedBar(); }
  void OnNew() { NewToolBar(); }
  void OnResetBar() { ResetOrDeleteSelectedBar(); }
  void OnToolTips();
  void OnCoolLook();
  void OnLargeButtons();

 protected:
  // Sends the style change to the other pages among the page's siblings.
  void Broadcast(WPARAM nWhat);
  BOOL IsChecked(UINT nID) const;
  DECLARE_MESSAGE_MAP()
};
