// The CPU dialog and the information (FPGA text) dialog: texts the family
// prepared before the tool opened, read once.
#pragma once
#include "a_qjx/modeless_tool_dialog.h"

class CCpuDialog : public CModelessToolDialog {
 public:
  explicit CCpuDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;

 protected:
  void OnHelp();
  DECLARE_MESSAGE_MAP()
};

class CInfoDialog : public CModelessToolDialog {
 public:
  explicit CInfoDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;
};
