// The interrupt dialog: the request and mask registers of the board's two
// interrupt controllers bit by bit, read once or continuously, and the
// edge on which the external interrupt lines trigger.
#pragma once
#include "a_qjx/modeless_tool_dialog.h"

class CInterruptDialog : public CModelessToolDialog {
 public:
  explicit CInterruptDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;
  void ReadRegisters();

 protected:
  void OnRead();
  void OnAutomatic();
  void OnTimer(UINT_PTR id);
  void OnEdgeChosen();
  void OnMaskBit(UINT id);
  void OnHelp();
  DECLARE_MESSAGE_MAP()
};
