// LED, clock, timer, serial and interrupt operations through the channels
// of the board-side Module Device Driver (Kora-DESK/2: partly its ports).
#include <cstring>
#include <vector>

#include "a_qjx/board_family.h"
#include "drivers/rizo32/rizo32.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {
constexpr WORD kLed = 0x402, kTimer = 0x501, kTime = 0x701, kDate = 0x702, kSerial = 0x801;
constexpr WORD kTimerStart = 166, kTimerStop = 167, kSerialInfo = 72;
}  // namespace

void CBoardFamily::CloseIfOpen(DWORD* handle) {
  if (*handle && mdd8_check_handle_valid(*handle)) mdd8_close_channel(*handle);
  *handle = 0;
}

// Opens a channel; a handle still open in the slot is closed first, so
// that opening again never loses a channel.
DWORD CBoardFamily::OpenChannel(std::initializer_list<WORD> words, WORD blockSize) {
  std::vector<WORD> block(blockSize / 2, 0);
  std::copy(words.begin(), words.end(), block.begin());
  return mdd8_open_channel(mddTask, blockSize, block.data());
}

void CBoardFamily::OpenLedChannel() {
  CloseIfOpen(&ledChannel[0]);
  CloseIfOpen(&ledChannel[1]);
  ledChannel[0] = OpenChannel({kLed, 1, 1, 0}, 18);
  ledChannel[1] = OpenChannel({kLed, 0, 0, 0}, 18);
}

void CBoardFamily::OpenLedChannelA() {
  CloseIfOpen(&ledChannel[0]);
  ledChannel[0] = OpenChannel({kLed, 0, 0, 0}, 16);
}

void CBoardFamily::CloseLedChannel() {
  CloseIfOpen(&ledChannel[0]);
  CloseIfOpen(&ledChannel[1]);
}

void CBoardFamily::SetLed(WORD led, BYTE value) { mdd8_write_channel_byte(ledChannel[led ? 1 : 0], value); }

void CBoardFamily::SetLedA(WORD led, BYTE value) {
  if (led == 0) mdd8_write_channel_byte(ledChannel[0], value);
}

void CBoardFamily::OpenClockChannel() {
  CloseClockChannel();
  clockChannel[0] = OpenChannel({kTime}, 18);
  clockChannel[1] = OpenChannel({kDate}, 18);
}

void CBoardFamily::CloseClockChannel() {
  CloseIfOpen(&clockChannel[0]);
  CloseIfOpen(&clockChannel[1]);
}

void CBoardFamily::ReadClockTime(WORD* a, WORD* b, WORD* c) {
  DWORD t = mdd8_read_channel_dword(clockChannel[0]);
  *a = WORD(ulBITxy(t, 24, 31));
  *b = WORD(ulBITxy(t, 16, 23));
  *c = WORD(ulBITxy(t, 8, 15));
}

void CBoardFamily::WriteClockTime(WORD a, WORD b, WORD c) {
  DWORD t = 0;
  ulxyBIT(&t, 24, 31, a);
  ulxyBIT(&t, 16, 23, b);
  ulxyBIT(&t, 8, 15, c);
  mdd8_write_channel_dword(clockChannel[0], t);
}

void CBoardFamily::ReadClockDate(WORD* a, WORD* b, WORD* c, WORD* d) {
  DWORD t = mdd8_read_channel_dword(clockChannel[1]);
  *a = WORD(ulBITxy(t, 8, 15));
  *b = WORD(ulBITxy(t, 16, 23));
  *c = WORD(ulBITxy(t, 24, 31));
  *d = WORD(ulBITxy(t, 0, 7));
}

void CBoardFamily::WriteClockDate(WORD a, WORD b, WORD c, WORD d) {
  DWORD t = 0;
  ulxyBIT(&t, 8, 15, a);
  ulxyBIT(&t, 16, 23, b);
  ulxyBIT(&t, 24, 31, c);
  ulxyBIT(&t, 0, 7, d);
  mdd8_write_channel_dword(clockChannel[1], t);
}

void CBoardFamily::ReadParameterWord() {
  timerClock = WORD(qj8_read_par_word(0, 150) * 10);
  // A board that reports no timer clock accepts no timer value.
  DWORD max = timerClock ? DWORD(65535000.0 / timerClock) : 0;
  for (DWORD& m : timerMax) m = max;
}

void CBoardFamily::ReadParameterWordA() {
  timerClock = WORD(qj8_read_par_word(0, 150) * 10);
  timerMax[0] = 8191;
  timerMax[1] = 0x1FFFF;
  timerMax[2] = 0;
}

void CBoardFamily::OpenTimerChannel() {
  CloseTimerChannel();
  for (WORD i = 0; i < 3; ++i) timerChannel[i] = OpenChannel({kTimer, i, i}, 18);
}

void CBoardFamily::OpenTimerChannelA() {
  CloseTimerChannelA();
  for (WORD i = 0; i < 2; ++i) timerChannel[i] = OpenChannel({kTimer, i, i}, 16);
}

void CBoardFamily::CloseTimerChannel() {
  for (DWORD& h : timerChannel) CloseIfOpen(&h);
}

void CBoardFamily::CloseTimerChannelA() {
  CloseIfOpen(&timerChannel[0]);
  CloseIfOpen(&timerChannel[1]);
}

void CBoardFamily::StartTimer(WORD index, DWORD value) {
  if (index > 2) return;
  mdd8_write_channel_dword(timerChannel[index], value);
  mdd8_send_channel_command(timerChannel[index], kTimerStart);
}

void CBoardFamily::StopTimer(WORD index) {
  if (index <= 2) mdd8_send_channel_command(timerChannel[index], kTimerStop);
}

void CBoardFamily::OpenSerialChannel(WORD index) {
  if (index > 2) return;
  WORD m = index == 2 ? 1 : 0;
  WORD setting =
      serialSetting[0][index] | serialSetting[1][index] | serialSetting[2][index] | serialSetting[3][index];
  CloseIfOpen(&serialChannel[index]);
  serialChannel[index] = OpenChannel({kSerial, m, m, 0, 0, 0, 0, 0, setting}, 18);
}

void CBoardFamily::CloseSerialChannel(WORD index) {
  if (index <= 2) CloseIfOpen(&serialChannel[index]);
}

void CBoardFamily::WriteSerialByte(WORD index, BYTE value) {
  if (index <= 2) mdd8_write_channel_byte(serialChannel[index], value);
}

BYTE CBoardFamily::ReadSerialByte(WORD index) {
  return index <= 2 ? mdd8_read_channel_byte(serialChannel[index]) : 0;
}

int CBoardFamily::GetSerialTxState(WORD index) {
  return index <= 2 ? (mdd8_get_channel_info(serialChannel[index], kSerialInfo) >> 1) & 1 : 0;
}

int CBoardFamily::GetSerialRxState(WORD index) {
  return index <= 2 ? mdd8_get_channel_info(serialChannel[index], kSerialInfo) & 1 : 0;
}

void CBoardFamily::OpenSerialChannelA(WORD index) {
  uint16_t a = 0, b = 0, c = 0;
  qj2_card_check(&a, &b, &c);
  serialCtrlPort = 14;
  if (c == 1)
    serialDataOutPort = 15, serialDataInPort = 6, serialStatusPort = 7;
  else
    serialDataOutPort = 78, serialDataInPort = 68, serialStatusPort = 69;
  qj8_out8_port(WORD(serialCtrlPort), BYTE(serialSetting[0][index <= 2 ? index : 0]));
}

void CBoardFamily::WriteSerialByteA(BYTE value) { qj8_out8_port(WORD(serialDataOutPort), value); }
BYTE CBoardFamily::ReadSerialByteA(WORD index) {
  return index == 1 ? qj8_in8_port(WORD(serialDataInPort)) : 0;
}
int CBoardFamily::GetSerialTxStateA() { return (qj8_in8_port(WORD(serialStatusPort)) >> 3) & 1; }
int CBoardFamily::GetSerialRxStateA() { return (qj8_in8_port(WORD(serialStatusPort)) & 4) ? 0 : 1; }

int16_t CBoardFamily::TestInterruptChannel() { return TestInterruptChannelWith(true); }

int16_t CBoardFamily::TestInterruptChannelWith(bool variantB) {
  BYTE block104[104] = {}, block28[28] = {};
  qj8_parameter_control(4, 1, block104);
  DWORD irq, before, after;
  std::memcpy(&irq, block104 + 24, 4);
  qj8_parameter_control(6, 1, block28);
  std::memcpy(&before, block28 + 12, 4);
  for (int i = 0; i < 5; ++i) {
    if (variantB) {
      qj8_out8_port(85, 0);
      qj8_out8_port(84, 0);
    } else {
      qj8_out8_port(133, BYTE((irq & 0x0F) | 0x60));
      qj8_out8_port(133, BYTE((irq & 0x0F) | 0x40));
    }
  }
  qj8_parameter_control(6, 1, block28);
  std::memcpy(&after, block28 + 12, 4);
  CString text;
  text.Format("IRQ %lu\r\n", (unsigned long)irq);
  bool ok = after - before == 5;
  text += ok ? "Interrupt-channel test was successful!\r\nYour interrupt settings are correct!"
             : "Interrupt-channel test has failed!\r\nPlease check your interrupt-channel settings!";
  ytn1::ShowMessage(text, "Interrupt-channel test",
                    MB_OK | MB_TASKMODAL | (ok ? MB_ICONINFORMATION : MB_ICONSTOP));
  return ok ? 0 : 1;
}

BYTE CBoardFamily::ReadInterruptRequestLow() {
  qj8_out8_port(0, 10);
  return qj8_in8_port(0);
}

BYTE CBoardFamily::ReadInterruptRequestHigh() {
  qj8_out8_port(8, 10);
  return qj8_in8_port(8);
}

BYTE CBoardFamily::ReadInterruptMaskLow() { return qj8_in8_port(1); }
BYTE CBoardFamily::ReadInterruptMaskHigh() { return qj8_in8_port(9); }

int CBoardFamily::ReadInterruptEdge() {
  constexpr WORD kPositiveEdgePort = 104, kNegativeEdgePort = 105;
  const BYTE positive = qj8_in8_port(kPositiveEdgePort);
  const BYTE negative = qj8_in8_port(kNegativeEdgePort);
  return negative == 0 && positive != 0 ? 1 : 0;
}

void CBoardFamily::ClearInterruptPorts(bool odd) {
  static const WORD kOdd[] = {105, 107, 109, 111, 79, 77, 73, 75};
  static const WORD kEven[] = {104, 106, 108, 110, 78, 76, 72, 74};
  for (WORD port : odd ? kOdd : kEven) qj8_out8_port(port, 0);
}
