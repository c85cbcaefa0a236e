// The back end of a debug session: reads the command pipe on its own
// thread, carries each command out through the session objects and
// reports to the main frame with the frame messages.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "debugger/addr.h"
#include "platform/base/windef.h"

struct TargetRegisters;
class CDisass;

// Opcodes of the command pipe.
enum DebugOpcode : uint8_t {
  kOpEvaluateWatch = 1,
  kOpSetLineBreakpoint = 2,
  kOpClearLineBreakpoint = 3,
  kOpGo = 4,
  kOpTraceInto = 5,
  kOpStepOver = 6,
  kOpStepOut = 7,
  kOpCallStack = 8,
  kOpSetIPToLine = 9,
  kOpRegisters = 10,
  kOpReset = 11,
  kOpStartProgram = 12,
  kOpQuit = 13,
  kOpBreak = 14,
  kOpSetIPToAddress = 15,
  kOpSetAddressBreakpoint = 16,
  kOpClearAddressBreakpoint = 17,
  kOpRunToAddress = 18,
  kOpRunToLine = 19,
  // Records of the session's own, handed to the worker thread by
  // PostInternal (events the board reports on another thread).
  kOpFirstInternal = 0x80,
};

// Step modes (the mode byte).
enum : uint8_t { kStepSourceLine = 1, kStepInstruction = 2 };
// Worker states.
enum : uint16_t { kWorkerRunning = 2, kWorkerStopped = 3 };

class CDebugWorker {
 public:
  // The call stack walk stops after this many frames.
  static constexpr int kMaxCallStackDepth = 256;

  CDebugWorker(const char* exePath, HWND frame, HANDLE pipeRead);
  virtual ~CDebugWorker();
  CDebugWorker(const CDebugWorker&) = delete;
  CDebugWorker& operator=(const CDebugWorker&) = delete;

  virtual int IsRunning();
  virtual int CanSetBreakpoints();
  virtual void ReadFrameAddress();
  virtual void SetQuietStop(int flag);
  virtual void LineToAddress(const char* file, uint16_t line, CAddr* out);
  virtual int StoppedAtBreakpoint();
  virtual void GetBreakAddress(CAddr* out);
  virtual void SetResumeAddress(const CAddr* address);
  // The thread body; returns when opcode 13 was read or the pipe closed.
  virtual DWORD CommandLoop();
  virtual int Go();
  virtual int StepOver(uint8_t mode);
  virtual int StepOut();
  virtual int TraceInto(uint8_t mode);
  virtual void OnTargetStopped();
  virtual void EvaluateWatch(const char* expression);
  virtual void FindSymbolAddress(const char* name, CAddr* out);
  virtual void GetReturnAddress(const CAddr* at, CAddr* out);
  virtual void SetReturnAddress(const CAddr* at, CAddr* address);
  virtual void SetLineBreakpoint(const char* file, uint16_t line);
  virtual void ClearLineBreakpoint(const char* file, uint16_t line);
  virtual void SetAddressBreakpoint(uint32_t linear);
  virtual void ClearAddressBreakpoint(uint32_t linear);
  virtual void SendCallStack();
  virtual void SendRegisters();
  virtual void GetFrameAddress(const CAddr* at, CAddr* out);
  virtual void ReadFrameLink(const CAddr* at, CAddr* out);
  virtual void SetIPToLine(const char* file, uint16_t line);
  virtual void SetIPToAddress(uint32_t linear);
  virtual void SaveStartRegisters();
  virtual void RestoreStartRegisters();
  virtual void Reset();
  virtual void StartProgram(uint32_t flag);
  virtual bool IsFunctionEndPoint(const CAddr* at);
  virtual void Break();
  virtual int RunToLine(const char* file, uint16_t line);
  virtual int RunToAddress(uint32_t linear);
  virtual int RunTo(const CAddr* address);
  virtual void OnKernelNoAnswer();

  // Before each opcode is read; a variant may serve its target meanwhile.
  virtual void WaitForCommand() {}
  // A record of the session's own (kOpFirstInternal and up).
  virtual void OnInternalOpcode(uint8_t) {}

  // True when the address is one of the program's line starts.
  bool IsLineStart(const CAddr& address);

  CAddr m_exitAddress = CAddr::Invalid();
  CAddr m_frameAddress;
  CAddr m_resumeAddress = CAddr::Invalid();
  CAddr m_spareAddress;
  TargetRegisters* m_pSavedRegisters = nullptr;  // owned
  std::atomic<uint16_t> m_state{kWorkerStopped};
  std::atomic<int> m_bQuietStop{0};
  HWND m_pFrame;
  HANDLE m_hPipeRead;
  int* m_pCanInterrupt = nullptr;
  // The session's disassembler for instruction steps; null without one.
  CDisass* m_pDisassembler = nullptr;

 protected:
  // The common tail of every command that lets the program run.
  int LetRun();
  // Sends the stop record of an address to the frame.
  void ReportStopAt(const CAddr& address);
  // To the frame, when there is one.
  void SendToFrame(UINT message, WPARAM wParam, LPARAM lParam);
  void PostToFrame(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  enum class PipeRead { Ok, Closed };
  PipeRead ReadExactly(void* buffer, DWORD size);
  // Reads the arguments of one opcode and runs it; Closed when the pipe
  // ended under it.
  PipeRead Dispatch(uint8_t opcode);
  bool StepOverInstruction();
  // "name(), line n" and CR LF for the function at the address; false
  // when the function has no name or the address no line.
  bool AppendFrameLine(std::string& text, const CAddr& address);
  CAddr CurrentIP() const;
};

extern CDebugWorker* g_pDebugWorker;
