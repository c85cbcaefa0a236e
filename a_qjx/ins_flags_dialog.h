// The Installation Flags dialog: the flags word of an installation command
// composed from seven lists, or typed as hex.
#pragma once
#include "platform/ui/afxdlg.h"

class CInstallationFlagsDialog : public CDialog {
 public:
  CInstallationFlagsDialog(DWORD value, CWnd* parent);
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  DWORD value;

 protected:
  void OnOK() override;
  void OnCancel() override;
  void OnSelChange(UINT id);
  void OnValueKillFocus();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowValue(DWORD shown);
  DWORD ValueOfLists() const;
  void ShowValueText(DWORD shown);
  DWORD entryValue_;
};
