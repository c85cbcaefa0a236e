// The four board families.
#pragma once
#include "a_qjx/board_family.h"

class CBoardFamilyQJ2 : public CBoardFamily {
 public:
  int16_t EnsureBoardRunning() override;
  int16_t InstallMdd() override;
  void GetCpuText() override;
  void GetFpgaText() override;
  CString GetDataAreaText(WORD task) override;
  void OpenLedChannel() override;
  void CloseLedChannel() override;
  void SetLed(WORD led, BYTE value) override;
  void OpenClockChannel() override;
  void CloseClockChannel() override {}
  void ReadClockTime(WORD* a, WORD* b, WORD* c) override;
  void WriteClockTime(WORD, WORD, WORD) override {}
  void ReadClockDate(WORD* a, WORD* b, WORD* c, WORD* d) override;
  void WriteClockDate(WORD, WORD, WORD, WORD) override {}
  void ReadParameterWord() override;
  void OpenTimerChannel() override;
  void CloseTimerChannel() override;
  void OpenSerialChannel(WORD index) override;
  void CloseSerialChannel(WORD) override {}
  void WriteSerialByte(WORD index, BYTE value) override;
  BYTE ReadSerialByte(WORD index) override;
  int GetSerialTxState(WORD index) override;
  int GetSerialRxState(WORD index) override;
  int16_t TestInterruptChannel() override;
  void ReadTaskParameters() override;
  void WriteTaskParameters() override;
  int16_t TransferAndInstall() override;
  void GetEepromText() override;
};

class CBoardFamilyQJ6 : public CBoardFamily {
 public:
  int16_t EnsureBoardRunning() override;
  void GetFpgaText() override;
  void GetEepromText() override;
};

class CBoardFamilyQJ78 : public CBoardFamily {
 public:
  int16_t EnsureBoardRunning() override;
  void GetFpgaText() override;
  void GetEepromText() override;
};

class CBoardFamilyZOR : public CBoardFamily {
 public:
  int16_t EnsureBoardRunning() override;
  int16_t InstallMdd() override;
  void GetFpgaText() override { fpgaText.Empty(); }
  CString GetParameterAreaText(WORD) override { return ""; }
  void OpenLedChannel() override { NotImplemented(); }
  void CloseLedChannel() override {}
  void SetLed(WORD, BYTE) override {}
  void OpenClockChannel() override { NotImplemented(); }
  void CloseClockChannel() override {}
  void ReadClockTime(WORD* a, WORD* b, WORD* c) override { *a = *b = *c = 0; }
  void WriteClockTime(WORD, WORD, WORD) override {}
  void ReadClockDate(WORD* a, WORD* b, WORD* c, WORD* d) override { *a = *b = *c = *d = 0; }
  void WriteClockDate(WORD, WORD, WORD, WORD) override {}
  void OpenTimerChannel() override { NotImplemented(); }
  void CloseTimerChannel() override { NotImplemented(); }
  void StartTimer(WORD, DWORD) override { NotImplemented(); }
  void StopTimer(WORD) override { NotImplemented(); }
  int16_t TestInterruptChannel() override { return 0; }
  void GetEepromText() override;
};
