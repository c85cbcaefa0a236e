// The LED dialog: switches the board's internal and external LED over the
// LED channel that a_qjx_led opened; closing it closes the channel.
#pragma once
#include "a_qjx/modeless_tool_dialog.h"

class CLedDialog : public CModelessToolDialog {
 public:
  explicit CLedDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;

 protected:
  void PostNcDestroy() override;
  void OnLedClicked(UINT id);
  void OnHelp();
  DECLARE_MESSAGE_MAP()
};
