#include "a_qjx/serial_interface_dialog.h"

#include <cstdio>

#include "a_qjx/board_type_codes.h"
#include "a_qjx/serial_config_dialog.h"
#include "platform/afx/afxres.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

constexpr UINT kSerialTemplate = 149;
constexpr int kSerialTransmitFieldA = 1048, kSerialTransmitFieldB = 1051, kSerialReceiveA = 1050,
              kSerialReceiveB = 1049, kSerialTransmitA = 1052, kSerialTransmitB = 1053, kSerialConfigA = 1056,
              kSerialConfigB = 1057, kSerialClearA = 1054, kSerialClearB = 1055, kSerialTransmitHex = 1058,
              kSerialGroupB = 1185;
constexpr UINT_PTR kSerialPoll = 1, kSerialSend = 2;
constexpr UINT kSerialPollMs = 10, kSerialPollAfterConfigMs = 100, kSerialSendMs = 10;
// A transmitter busy for this many send ticks (100 ms) ends the sending.
constexpr int kSerialBusyTicks = 10;
// Bytes taken from one channel per poll, so a peer that never stops
// sending cannot hold the dialog.
constexpr int kSerialMaxBytesPerPoll = 4096;
// How a received NUL is shown (a middle dot).
constexpr char kSerialNulShown = '\xB7';

constexpr int ReceiveField(WORD channel) { return channel == 1 ? kSerialReceiveA : kSerialReceiveB; }

}  // namespace

BEGIN_MESSAGE_MAP(CSerialInterfaceDialog, CModelessToolDialog)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_CONTROL(BN_CLICKED, kSerialTransmitA, OnTransmitA)
ON_CONTROL(BN_CLICKED, kSerialTransmitB, OnTransmitB)
ON_CONTROL(BN_CLICKED, kSerialTransmitHex, OnTransmitHex)
ON_CONTROL(BN_CLICKED, kSerialConfigA, OnConfigurationA)
ON_CONTROL(BN_CLICKED, kSerialConfigB, OnConfigurationB)
ON_CONTROL(BN_CLICKED, kSerialClearA, OnClearA)
ON_CONTROL(BN_CLICKED, kSerialClearB, OnClearB)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CSerialInterfaceDialog::CSerialInterfaceDialog(CBoardFamily& family)
    : CModelessToolDialog(kSerialTemplate, ToolWindow::Serial, family) {}

bool CSerialInterfaceDialog::HasChannelB() const { return family_.typeCode != kTypeKoraDesk2; }

BOOL CSerialInterfaceDialog::OnInitDialog() {
  CModelessToolDialog::OnInitDialog();
  if (!HasChannelB()) {
    for (int id : {kSerialGroupB, kSerialTransmitFieldB, kSerialTransmitB, kSerialConfigB, kSerialClearB,
                   kSerialReceiveB})
      GetDlgItem(id)->ShowWindow(SW_HIDE);
  }
  for (WORD channel : {WORD(1), WORD(2)}) {
    family_.serialSetting[0][channel] = 224;
    family_.serialSetting[1][channel] = 3;
    family_.serialSetting[2][channel] = 0;
    family_.serialSetting[3][channel] = 0;
  }
  if (!HasChannelB()) family_.serialSetting[0][1] = 2;
  family_.OpenSerialChannel(1);
  if (HasChannelB()) family_.OpenSerialChannel(2);
  SetTimer(kSerialPoll, kSerialPollMs, nullptr);
  if (GetUserMode() != 0) {
    GetDlgItem(kSerialTransmitHex)->ShowWindow(SW_SHOW);
    GetDlgItem(kSerialTransmitHex)->EnableWindow(TRUE);
  }
  return TRUE;
}

void CSerialInterfaceDialog::OnDestroy() {
  CModelessToolDialog::OnDestroy();
  KillTimer(kSerialPoll);
  KillTimer(kSerialSend);
}

void CSerialInterfaceDialog::PostNcDestroy() {
  family_.CloseSerialChannel(1);
  if (HasChannelB()) family_.CloseSerialChannel(2);
  CModelessToolDialog::PostNcDestroy();
}

void CSerialInterfaceDialog::OnTimer(UINT_PTR id) {
  if (id == kSerialPoll)
    PollReceive();
  else if (id == kSerialSend)
    SendTick();
}

// Takes every byte waiting on each channel (NUL bytes too) into its
// receive field, then checks the driver: an error closes the terminal.
void CSerialInterfaceDialog::PollReceive() {
  for (WORD channel : {WORD(1), WORD(2)}) {
    if (channel == 2 && !HasChannelB()) break;
    std::string received;
    while (int(received.size()) < kSerialMaxBytesPerPoll && family_.GetSerialRxState(channel) == 1) {
      const char byte = char(family_.ReadSerialByte(channel));
      received += byte == '\0' ? kSerialNulShown : byte;
    }
    if (received.empty()) continue;
    CWnd* field = GetDlgItem(ReceiveField(channel));
    const int end = field->GetWindowTextLength();
    field->SendMessage(EM_SETSEL, WPARAM(end), LPARAM(end));
    field->SendMessage(EM_REPLACESEL, FALSE, LPARAM(received.c_str()));
  }
  KillTimer(kSerialPoll);
  if (family_.CheckDriverError() == 1)
    PostMessage(WM_CLOSE);
  else
    SetTimer(kSerialPoll, kSerialPollMs, nullptr);
}

void CSerialInterfaceDialog::Transmit(WORD channel, const std::string& bytes) {
  waiting_[channel] += bytes;
  SendWaiting(channel);
}

// Sends what the transmitter takes now; the rest waits for the send timer.
void CSerialInterfaceDialog::SendWaiting(WORD channel) {
  std::string& waiting = waiting_[channel];
  size_t sent = 0;
  while (sent < waiting.size() && family_.GetSerialTxState(channel) != 0) {
    family_.WriteSerialByte(channel, BYTE(waiting[sent++]));
    busyTicks_[channel] = 0;
    PollReceive();
    if (!m_hWnd) return;
  }
  waiting.erase(0, sent);
  if (!waiting.empty()) SetTimer(kSerialSend, kSerialSendMs, nullptr);
}

// A transmitter still busy after 100 ms ends the sending with a message
// that says how much was not sent.
void CSerialInterfaceDialog::SendTick() {
  bool more = false;
  for (WORD channel : {WORD(1), WORD(2)}) {
    if (waiting_[channel].empty()) continue;
    if (family_.GetSerialTxState(channel) != 0) {
      SendWaiting(channel);
    } else if (++busyTicks_[channel] >= kSerialBusyTicks) {
      CString text;
      text.Format("The transmitter of channel %c is busy: %d characters were not sent.",
                  channel == 1 ? 'A' : 'B', int(waiting_[channel].size()));
      waiting_[channel].clear();
      busyTicks_[channel] = 0;
      ytn1::ShowMessage(text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
    more = more || !waiting_[channel].empty();
  }
  if (!more) KillTimer(kSerialSend);
}

void CSerialInterfaceDialog::OnTransmitA() {
  CString text;
  GetDlgItemText(kSerialTransmitFieldA, text);
  Transmit(1, std::string(text));
}

void CSerialInterfaceDialog::OnTransmitB() {
  CString text;
  GetDlgItemText(kSerialTransmitFieldB, text);
  Transmit(2, std::string(text));
}

void CSerialInterfaceDialog::OnTransmitHex() {
  CString text;
  GetDlgItemText(kSerialTransmitFieldA, text);
  unsigned short value = 0;
  if (std::sscanf(text, "%hx", &value) == 1) Transmit(1, std::string(1, char(value & 0xFF)));
}

void CSerialInterfaceDialog::Configure(WORD channel) {
  KillTimer(kSerialPoll);
  CSerialConfigDialog dialog(family_, channel, this);
  if (dialog.DoModal() == IDOK) family_.OpenSerialChannel(channel);
  SetTimer(kSerialPoll, kSerialPollAfterConfigMs, nullptr);
}

void CSerialInterfaceDialog::OnConfigurationA() { Configure(1); }
void CSerialInterfaceDialog::OnConfigurationB() { Configure(2); }
void CSerialInterfaceDialog::OnClearA() { SetDlgItemText(kSerialReceiveA, ""); }
void CSerialInterfaceDialog::OnClearB() { SetDlgItemText(kSerialReceiveB, ""); }

void CSerialInterfaceDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_serialinterface.htm", 0); }
