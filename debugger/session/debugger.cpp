#include "debugger/session/debugger.h"

#include <cstring>

#include "debugger/session/debug_worker.h"
#include "platform/sys/file.h"
#include "platform/sys/pipe.h"
#include "platform/sys/thread.h"
#include "platform/ui/message.h"

CDebugger* g_pCurrentDebugger = nullptr;
HWND g_pDebugFrame = nullptr;

namespace {

DWORD DebugWorkerThreadProc(LPVOID worker) { return static_cast<CDebugWorker*>(worker)->CommandLoop(); }

}  // namespace

CDebugger::CDebugger(const char*, HWND) {
  CreatePipe(&m_hPipeRead, &m_hPipeWrite, nullptr, 0);
  g_pDebugWorker = nullptr;
}

CDebugger::~CDebugger() { QuitWorker(); }

void CDebugger::QuitWorker() {
  if (m_bQuit) return;
  m_bQuit = true;
  if (m_bThreadStarted) {
    const uint8_t quit = kOpQuit;
    WriteBytes(&quit, sizeof quit);
    // Messages that the worker sends meanwhile are served, so that a worker
    // reporting a stop is not left waiting for this thread.
    auto ended = [this] {
      DWORD code = STILL_ACTIVE;
      return !GetExitCodeThread(m_hThread, &code) || code != STILL_ACTIVE;
    };
    WaitServingMessages(ended, kQuitPollMs * kQuitPolls);
    if (!ended()) {
      // A worker blocked in a wait for the target: end the wait, close the
      // pipe under its loop, and wait for it before its objects go.
      if (g_pDebugWorker) g_pDebugWorker->SetQuietStop(1);
      CloseHandle(m_hPipeWrite);
      m_hPipeWrite = nullptr;
      WaitServingMessages(ended, INFINITE);
    }
    CloseHandle(m_hThread);
    m_hThread = nullptr;
  }
  delete g_pDebugWorker;
  g_pDebugWorker = nullptr;
  if (m_hPipeWrite) CloseHandle(m_hPipeWrite);
  if (m_hPipeRead) CloseHandle(m_hPipeRead);
  m_hPipeWrite = m_hPipeRead = nullptr;
}

void CDebugger::StartWorkerThread() {
  DWORD id = 0;
  m_hThread = CreateThread(nullptr, 0, DebugWorkerThreadProc, g_pDebugWorker, 0, &id);
  m_bThreadStarted = 1;
}

int CDebugger::WriteBytes(const void* bytes, DWORD size) {
  DWORD written = 0;
  return m_hPipeWrite && WriteFile(m_hPipeWrite, bytes, size, &written, nullptr) && written == size;
}

int CDebugger::WriteOpcode(uint8_t opcode) {
  if (!m_bThreadStarted) {
    if (!g_pDebugWorker) return 0;
    StartWorkerThread();
  }
  return WriteBytes(&opcode, sizeof opcode);
}

int CDebugger::WriteText(const char* text) {
  const size_t n = std::strlen(text ? text : "");
  char* copy = new char[n + 1];
  std::memcpy(copy, text ? text : "", n + 1);
  if (WriteBytes(&copy, sizeof copy)) return 1;
  delete[] copy;  // never reached the worker
  return 0;
}

int CDebugger::Go() {
  if (!m_bProgramStarted) return StartProgram(0);
  return WriteOpcode(kOpGo);
}

int CDebugger::TraceInto(uint8_t mode) { return WriteOpcode(kOpTraceInto) && WriteBytes(&mode, sizeof mode); }

int CDebugger::SetLineBreakpoint(const char* file, uint16_t line, uint8_t set) {
  return WriteOpcode(set ? kOpSetLineBreakpoint : kOpClearLineBreakpoint) && WriteText(file) &&
         WriteBytes(&line, sizeof line);
}

int CDebugger::SetAddressBreakpoint(uint32_t linear, uint8_t set) {
  return WriteOpcode(set ? kOpSetAddressBreakpoint : kOpClearAddressBreakpoint) &&
         WriteBytes(&linear, sizeof linear);
}

int CDebugger::StepOver(uint8_t mode) { return WriteOpcode(kOpStepOver) && WriteBytes(&mode, sizeof mode); }

int CDebugger::StepOut() { return WriteOpcode(kOpStepOut); }

int CDebugger::StopProgram() {
  int result = 1;
  if (m_bThreadStarted && g_pDebugWorker) g_pDebugWorker->SetQuietStop(1);
  if (m_bCanInterrupt && IsRunning()) result = WriteOpcode(kOpBreak);
  m_bProgramStarted = 0;
  return result;
}

int CDebugger::Break() {
  if (m_bThreadStarted && g_pDebugWorker) g_pDebugWorker->SetQuietStop(0);
  return m_bCanInterrupt ? WriteOpcode(kOpBreak) : 1;
}

int CDebugger::RequestCallStack() { return WriteOpcode(kOpCallStack); }

int CDebugger::RequestRegisters() { return WriteOpcode(kOpRegisters); }

int CDebugger::EvaluateWatch(const char* expression) {
  return WriteOpcode(kOpEvaluateWatch) && WriteText(expression);
}

int CDebugger::IsRunning() { return g_pDebugWorker ? g_pDebugWorker->IsRunning() : 0; }

int CDebugger::CanSetBreakpoints() { return g_pDebugWorker ? g_pDebugWorker->CanSetBreakpoints() : 0; }

int CDebugger::SetIPToLine(const char* file, uint16_t line) {
  return WriteOpcode(kOpSetIPToLine) && WriteText(file) && WriteBytes(&line, sizeof line);
}

int CDebugger::SetIPToAddress(uint32_t linear) {
  return WriteOpcode(kOpSetIPToAddress) && WriteBytes(&linear, sizeof linear);
}

int CDebugger::StartProgram(uint32_t flag) {
  const int result = WriteOpcode(kOpStartProgram) && WriteBytes(&flag, sizeof flag);
  m_bProgramStarted = 1;
  return result;
}

int CDebugger::Reset() { return WriteOpcode(kOpReset); }

int CDebugger::RunToLine(const char* file, uint16_t line) {
  return WriteOpcode(kOpRunToLine) && WriteText(file) && WriteBytes(&line, sizeof line);
}

int CDebugger::RunToAddress(uint32_t linear) {
  return WriteOpcode(kOpRunToAddress) && WriteBytes(&linear, sizeof linear);
}

int CDebugger::CanInterrupt() { return m_bCanInterrupt; }
