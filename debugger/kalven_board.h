// The IDE's door to a plug-in CPU board over the maker's driver libraries:
// start and reset, operating system and debug kernel, memory, I/O ports,
// task parameter blocks, tasks, kernel calls and service requests. One
// implementation per driver family (kalven_board_qjx.h, kalven_board_zor.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/afxcoll.h"
#include "platform/base/windef.h"

class ProjectData;

// Receives the 16-bit message word of a service request.
typedef void (*BoardServiceCallback)(WORD message);

// Driver results the callers test.
constexpr WORD kBoardLibraryMissing = 0x0207;  // 519
constexpr WORD kZorTaskMissing = 0x08E0;
constexpr WORD kZorNoCpuModule = 0x0502;
constexpr WORD kZorUnknownInterface = 0x0402;
constexpr WORD kZorInstallTaskRefused = 0x0701;
// The kernel's mined list could not be walked to its end (a cycle, too
// many records, or a record that could not be read).
constexpr WORD kMinedListBroken = 0x0F01;

// A code byte the debug kernel replaced in board memory, with its old value.
struct CMinedAddr {
  DWORD address = 0;  // linear
  BYTE saved = 0;
};

class CKalvenBoard {
 public:
  virtual ~CKalvenBoard() = default;
  virtual WORD ResetAndLoadOS(BoardServiceCallback cb) = 0;
  virtual WORD Open(BoardServiceCallback cb) = 0;
  virtual bool IsProgramInstalled(WORD task, WORD program) = 0;
  virtual bool IsTaskInstalled(WORD task) = 0;
  virtual void ReadInstalledTasks() = 0;
  virtual WORD InstallProgram(LPCSTR file, WORD task, WORD program, BYTE start, BYTE callInit) = 0;
  virtual WORD InstallTask(LPCSTR file, WORD task, WORD program, WORD mode, WORD priority) = 0;
  virtual WORD CallProc(WORD task, WORD procedure) = 0;
  virtual WORD ReadMemory(DWORD address, WORD length, BYTE* buffer) = 0;
  virtual WORD WriteMemory(DWORD address, WORD length, const BYTE* bytes) = 0;
  virtual void Out8(WORD port, BYTE value) = 0;
  virtual void Out16(WORD port, WORD value) = 0;
  virtual WORD In8(WORD port) = 0;
  virtual WORD In16(WORD port) = 0;
  virtual WORD WriteParBlock(WORD task, WORD index, WORD length, const void* data) = 0;
  virtual WORD ReadParBlock(WORD task, WORD index, WORD length, void* buffer) = 0;
  virtual WORD GetTaskInfo(WORD task, WORD index, void* buffer) = 0;
  virtual WORD GetErrorInfo() = 0;
  virtual WORD GetMessage() = 0;
  virtual void SetService(BoardServiceCallback cb) = 0;
  virtual WORD ReadEepromCopy() = 0;
  virtual WORD SelectCard() = 0;
  virtual void ClearError() = 0;
  virtual LPCSTR GetKernelFileName() = 0;
  virtual bool IsKernelPresent(WORD kernelTask, WORD pcPort) = 0;
  virtual WORD LoadDebugKernel(WORD pcPort, DWORD baudRate, BYTE cardInterface, WORD kernelTask,
                               LPCSTR kernelDir) = 0;
  // extra: the answer buffer of the driver call.
  virtual WORD CallFunc(WORD task, WORD function, WORD* length, const void* request, WORD* answer,
                        DWORD_PTR extra) = 0;

  // The bytes of the mined list that lie in [address, address + length)
  // go back into buffer, so the IDE sees the program's own code.
  static void RestoreMinedBytes(const CList<CMinedAddr, const CMinedAddr&>& mined, DWORD address, WORD length,
                                BYTE* buffer);
};

// Process-wide board state.
extern BoardServiceCallback g_boardServiceCallback;
extern DWORD g_zorHandle;
extern BYTE g_zorInstalledTasks[128];
extern CKalvenBoard* g_pBoard;

// Reads one record of the kernel's mined list: the next record's linear
// address, the mined address and the saved byte; false when the read
// failed.
typedef std::function<bool(DWORD at, DWORD* next, CMinedAddr* entry)> MinedRecordReader;
// Walks the chain from head into list; stops with kMinedListBroken at a
// record seen before, after too many records, or at a failed read.
WORD WalkMinedList(DWORD head, const MinedRecordReader& read, CList<CMinedAddr, const CMinedAddr&>& list);
// The 20-byte record's fields: next (u32 at 0), offset (u16 at 4), segment
// (u16 at 6), saved byte (at 10).
void DecodeMinedRecord(const BYTE* record, DWORD* next, CMinedAddr* entry);

// The Vantor file question's file dialog; set by the frame. Without it the
// question's Yes is taken as a cancelled dialog.
extern std::function<bool(std::string* path)> g_chooseVantorFile;
