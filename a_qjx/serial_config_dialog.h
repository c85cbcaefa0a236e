// The configuration of one serial channel: bits per second, data bits,
// parity and stop bits, stored in the family's serial settings on OK.
#pragma once
#include "a_qjx/board_family.h"
#include "platform/ui/afxdlg.h"

class CSerialConfigDialog : public CDialog {
 public:
  CSerialConfigDialog(CBoardFamily& family, WORD channel, CWnd* parent);
  BOOL OnInitDialog() override;

 protected:
  void OnOK() override;

 private:
  CBoardFamily& family_;
  WORD channel_;
  int baudIndex_ = -1, dataBitsIndex_ = -1, parityIndex_ = -1, stopBitsIndex_ = -1;
};
