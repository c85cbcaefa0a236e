// The serial terminal: channels A (1) and B (2, not on Kora-DESK/2) opened
// while it is open, typed text sent byte by byte as the transmitter takes
// it, and every received byte shown as it arrives.
#pragma once
#include <string>

#include "a_qjx/modeless_tool_dialog.h"

class CSerialInterfaceDialog : public CModelessToolDialog {
 public:
  explicit CSerialInterfaceDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;

 protected:
  void PostNcDestroy() override;
  void OnDestroy();
  void OnTimer(UINT_PTR id);
  void OnTransmitA();
  void OnTransmitB();
  void OnTransmitHex();
  void OnConfigurationA();
  void OnConfigurationB();
  void OnClearA();
  void OnClearB();
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  bool HasChannelB() const;
  void PollReceive();
  void Transmit(WORD channel, const std::string& bytes);
  void SendWaiting(WORD channel);
  void SendTick();
  void Configure(WORD channel);

  // Bytes still to send per channel (index 1, 2) and the send-timer ticks
  // the transmitter has been busy.
  std::string waiting_[3];
  int busyTicks_[3] = {};
};
