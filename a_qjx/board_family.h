// One object per board family over the driver libraries: the data that the
// board tools show and edit, and the operations on the board.
#pragma once
#include <cstdint>

#include "platform/base/afxcoll.h"
#include "platform/base/coll_array.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

struct TaskSlot {
  WORD programNumber = 0;
  CString taskType;
};

struct BoardInfoLine {
  CString text;
  int kind = 0;    // 2 task or program, 4 parameter area, 8 data area
  int index = -1;  // byte offset in the area, -1 for other lines
  int value = 0;
};

constexpr int kInfoTask = 2, kInfoParameter = 4, kInfoData = 8;
constexpr int kEepromSlots = 100;

class CBoardFamily {
 public:
  CBoardFamily() = default;
  CBoardFamily(const CBoardFamily&) = delete;
  CBoardFamily& operator=(const CBoardFamily&) = delete;
  virtual ~CBoardFamily() = default;

  // The operations, in their table order.
  virtual int16_t EnsureBoardRunning() = 0;
  virtual int16_t InstallMdd();
  virtual void GetCpuText();
  virtual void GetFpgaText() = 0;
  virtual int16_t GetFreeRamSize();
  virtual void ReadMemory(DWORD first, DWORD last, BYTE* dest);
  virtual void ReadRamPage();
  virtual CString GetParameterAreaText(WORD task);
  virtual CString GetDataAreaText(WORD task);
  virtual void OpenLedChannel();
  virtual void CloseLedChannel();
  virtual void SetLed(WORD led, BYTE value);
  virtual void OpenClockChannel();
  virtual void CloseClockChannel();
  virtual void ReadClockTime(WORD* a, WORD* b, WORD* c);
  virtual void WriteClockTime(WORD a, WORD b, WORD c);
  virtual void ReadClockDate(WORD* a, WORD* b, WORD* c, WORD* d);
  virtual void WriteClockDate(WORD a, WORD b, WORD c, WORD d);
  virtual void ReadParameterWord();
  virtual void OpenTimerChannel();
  virtual void CloseTimerChannel();
  virtual void StartTimer(WORD index, DWORD value);
  virtual void StopTimer(WORD index);
  virtual void OpenSerialChannel(WORD index);
  virtual void CloseSerialChannel(WORD index);
  virtual void WriteSerialByte(WORD index, BYTE value);
  virtual BYTE ReadSerialByte(WORD index);
  virtual int GetSerialTxState(WORD index);
  virtual int GetSerialRxState(WORD index);
  virtual int16_t TestInterruptChannel();
  virtual void ReadTaskParameters();
  virtual void WriteTaskParameters();
  virtual int16_t TransferAndInstall();
  virtual void GetEepromText() = 0;

  // Members used by the dialogs.
  int16_t CheckDriverError();
  CString GetFpgaTextCopy() const { return fpgaText; }
  CString GetEepromTextCopy() const { return eepromText; }
  void ReadProgramTable();
  CString DescribeTask(WORD task);
  CString DescribeProgram(WORD task);
  CString DescribeTaskDescriptor(WORD task);
  void WriteParameterByte(WORD task, WORD index, BYTE value);
  void WriteDataByte(WORD task, WORD index, BYTE value);
  void ReadEepromWords(WORD module);
  void WriteEepromWord(WORD module, WORD word, WORD value);
  CString DriverErrorText(WORD error);
  void CallKernelProc2();
  void CallKernelProc3();
  BYTE ReadInterruptRequestLow();
  BYTE ReadInterruptRequestHigh();
  BYTE ReadInterruptMaskLow();
  BYTE ReadInterruptMaskHigh();
  void ClearInterruptPorts(bool odd);
  // The edge the external interrupt lines trigger on, as the edge ports
  // read: 1 negative when the negative ports hold the cleared value and
  // the positive ones do not, else 0 positive.
  int ReadInterruptEdge();

  // The not-implemented box.
  void NotImplemented();

  WORD typeCode = 0;
  WORD boardNumber = 0;
  char errorTitle[80] = {};
  WORD mddTask = 0;
  char mddFolder[88] = {};
  CString cpuType, cpuClock, cpuMaker, coprocessorType, cpuRevision;
  CString fpgaText;
  BYTE pageBuffer[160] = {};
  DWORD viewAddress = 0;
  DWORD viewStart = 0, viewEnd = 0, ramSize = 0, freeStart = 0, freeEnd = 0;
  WORD programCount = 0;
  TaskSlot programTable[1024];
  CArray<BoardInfoLine, const BoardInfoLine&> infoLines;
  DWORD ledChannel[2] = {};
  DWORD clockChannel[2] = {};
  BYTE driverErrorClass = 0, driverErrorCode = 0;
  WORD timerClock = 0;
  DWORD timerMax[3] = {};
  DWORD timerChannel[3] = {};
  WORD eepromModuleCount = 0;
  WORD eepromWordCount[kEepromSlots] = {};
  WORD eepromWords[kEepromSlots] = {};
  DWORD serialChannel[3] = {};
  WORD serialSetting[4][3] = {};
  CString kernelFolder;
  int kernelFound = 0;
  CString kernelFile;
  WORD kernelTask = 0;
  WORD kernelProgram = 0;
  BYTE kernelPar0 = 0, kernelPar1 = 0;
  WORD kernelPar2 = 0, kernelPar4 = 0;
  BYTE kernelPar6 = 0;
  int commFound = 0;
  CString commFile;
  WORD commTask = 0;
  WORD commProgram = 0;
  BYTE commPar0 = 0, commPar1 = 0, commPar2 = 0, commPar3 = 0, commPar4 = 0, commPar11 = 0;
  DWORD kernelParDword = 0;
  CString eepromText;
  DWORD serialCtrlPort = 0, serialDataOutPort = 0, serialDataInPort = 0, serialStatusPort = 0;

 protected:
  // The two variants of the shared table (A: Kora-DESK/2).
  int16_t InstallMddWith(const char* library, bool variantB, const char* occupiedText, const char* pathText);
  int16_t StartOrResetBoard(int generation);
  void AddInfo(const CString& text, int kind, int index = -1, int value = 0);
  void ListAreaBytes(const BYTE* bytes, DWORD size, int kind);
  CString AreaHeader(WORD task, int kind);
  void CloseIfOpen(DWORD* handle);
  DWORD OpenChannel(std::initializer_list<WORD> words, WORD blockSize);
  void GetCpuTextWith(bool variantB);
  void AppendEepromModules(WORD modules, WORD words);
  void ReadTaskParametersA();
  void WriteTaskParametersA();
  int16_t TransferAndInstallA();
  // Installs a program of the kernel folder; a failure is shown after the
  // failure text and gives false.
  bool InstallFromKernelFolder(const CString& file, WORD task, WORD program, WORD interrupt, DWORD flags,
                               const char* failure);
  CString GetDataAreaTextA(WORD task);
  void OpenLedChannelA();
  void SetLedA(WORD led, BYTE value);
  void ReadParameterWordA();
  void OpenTimerChannelA();
  void CloseTimerChannelA();
  void OpenSerialChannelA(WORD index);
  void WriteSerialByteA(BYTE value);
  BYTE ReadSerialByteA(WORD index);
  int GetSerialTxStateA();
  int GetSerialRxStateA();
  int16_t TestInterruptChannelWith(bool variantB);
};

// Splits text at any of the separators (trimmed pieces, the separator
// starting the rest); returns the number of parts.
int16_t SplitString(CString text, LPCTSTR separators, CStringArray* out);

// The family object chosen by the last export call.
extern CBoardFamily* g_currentFamily;
// The family object for a board type code (low 16 bits), or null.
CBoardFamily* FamilyForType(DWORD type);
