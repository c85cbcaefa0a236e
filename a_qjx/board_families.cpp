#include "a_qjx/board_families.h"
#include "a_qjx/board_type_codes.h"

#include "drivers/dovi32/dovi32.h"
#include "drivers/rizo32/rizo32.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

// --- Kora-DESK/2 -----------------------------------------------------------

int16_t CBoardFamilyQJ2::EnsureBoardRunning() { return StartOrResetBoard(2); }

int16_t CBoardFamilyQJ2::InstallMdd() {
  return InstallMddWith("QJ2D0000.LIB", false,
                        "Module Device Driver could not be installed!\r\nThere is already a programm "
                        "installed under the default tasknumber of the MDD.",
                        "Module Device Driver could not be installed!\r\nPlease check your path settings.");
}

void CBoardFamilyQJ2::GetCpuText() { GetCpuTextWith(false); }

void CBoardFamilyQJ2::GetFpgaText() {
  WORD ic14 = 0, ic21 = 0;
  usxyBIT(&ic14, 0, 3, qj8_in8_port(66));
  WORD ic16 = qj8_in8_port(139);
  usxyBIT(&ic21, 0, 5, qj8_in8_port(3));
  fpgaText.Format("IC14: Version %hu\r\nIC16: Version %hu\r\nIC21: Version %hu", (unsigned short)ic14,
                  (unsigned short)ic16, (unsigned short)ic21);
}

CString CBoardFamilyQJ2::GetDataAreaText(WORD task) { return GetDataAreaTextA(task); }
void CBoardFamilyQJ2::OpenLedChannel() { OpenLedChannelA(); }
void CBoardFamilyQJ2::CloseLedChannel() { CBoardFamily::CloseLedChannel(); }
void CBoardFamilyQJ2::SetLed(WORD led, BYTE value) { SetLedA(led, value); }
void CBoardFamilyQJ2::OpenClockChannel() { NotImplemented(); }
void CBoardFamilyQJ2::ReadClockTime(WORD* a, WORD* b, WORD* c) { *a = *b = *c = 0; }
void CBoardFamilyQJ2::ReadClockDate(WORD* a, WORD* b, WORD* c, WORD* d) { *a = *b = *c = *d = 0; }
void CBoardFamilyQJ2::ReadParameterWord() { ReadParameterWordA(); }
void CBoardFamilyQJ2::OpenTimerChannel() { OpenTimerChannelA(); }
void CBoardFamilyQJ2::CloseTimerChannel() { CloseTimerChannelA(); }
void CBoardFamilyQJ2::OpenSerialChannel(WORD index) { OpenSerialChannelA(index); }
void CBoardFamilyQJ2::WriteSerialByte(WORD, BYTE value) { WriteSerialByteA(value); }
BYTE CBoardFamilyQJ2::ReadSerialByte(WORD index) { return ReadSerialByteA(index); }
int CBoardFamilyQJ2::GetSerialTxState(WORD) { return GetSerialTxStateA(); }
int CBoardFamilyQJ2::GetSerialRxState(WORD) { return GetSerialRxStateA(); }
int16_t CBoardFamilyQJ2::TestInterruptChannel() { return TestInterruptChannelWith(false); }
void CBoardFamilyQJ2::ReadTaskParameters() { ReadTaskParametersA(); }
void CBoardFamilyQJ2::WriteTaskParameters() { WriteTaskParametersA(); }
int16_t CBoardFamilyQJ2::TransferAndInstall() { return TransferAndInstallA(); }

void CBoardFamilyQJ2::GetEepromText() {
  eepromText = "Base Board";
  CString line;
  for (WORD w = 0; w <= 61; ++w) {
    line.Format("EEPROM Word %.2hu: %.4hx hex\n", (unsigned short)w,
                (unsigned short)qj8_read_eeprom_direct(0, w));
    eepromText += line;
  }
}

// --- Kora-LINE and TESSERA -------------------------------------------------

namespace {

// Version whose bit i is bit 0 of port first + i.
WORD BitPortVersion(WORD first) {
  WORD v = 0;
  for (BYTE i = 0; i < 8; ++i) usxyBIT(&v, i, i, qj8_in8_port(WORD(first + i)) & 1);
  return v;
}

CString IcLines(int count) {
  CString text, line;
  const WORD ports[] = {0xB0, 0xC0, 0xD0};
  for (int i = 0; i < count; ++i) {
    line.Format("IC%d: Version %hu", 3 + i, (unsigned short)BitPortVersion(ports[i]));
    if (i) text += "\r\n";
    text += line;
  }
  return text;
}

}  // namespace

int16_t CBoardFamilyQJ6::EnsureBoardRunning() { return StartOrResetBoard(6); }
void CBoardFamilyQJ6::GetFpgaText() { fpgaText = IcLines(3); }

void CBoardFamilyQJ6::GetEepromText() {
  eepromText.Empty();
  AppendEepromModules(4, 32);
}

int16_t CBoardFamilyQJ78::EnsureBoardRunning() { return StartOrResetBoard(typeCode == kTypeTessera ? 8 : 7); }

void CBoardFamilyQJ78::GetFpgaText() {
  if (typeCode == kTypeTessera)
    fpgaText.Empty();
  else
    fpgaText = IcLines(2);
}

void CBoardFamilyQJ78::GetEepromText() {
  eepromText.Empty();
  AppendEepromModules(11, 32);
}

// --- ZOR -------------------------------------------------------------------

int16_t CBoardFamilyZOR::EnsureBoardRunning() {
  if (zor_board_reacting(boardNumber) == 0) return 0;
  zor_clear_error();
  CString question;
  question.Format("Can't start board no. %lu.\nDo you want to reset board?", (unsigned long)boardNumber);
  if (ytn1::ShowMessage(question, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES) return 1;
  uint16_t r = zor_reset_board(boardNumber, 30);
  zor_clear_error();
  if (r != 0) {
    CString text;
    text.Format("Can't reset board no. %lu.\nCan't get board information.", (unsigned long)boardNumber);
    ytn1::ShowMessage(text, nullptr, MB_OK | MB_ICONSTOP);
    return 1;
  }
  return 0;
}

int16_t CBoardFamilyZOR::InstallMdd() {
  ytn1::ShowMessage("This module is not implemented.", "A_QJX", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  return 1;
}
