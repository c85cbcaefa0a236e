#include "debugger/session/debugger.h"

#include <cstring>
#include <vector>

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

// One pipe record: the opcode and its arguments in order. A text goes as
// a pointer to a new[] copy, which the worker frees; a record that never
// reached the pipe frees it here.
class CDebugger::Record {
 public:
  explicit Record(uint8_t opcode) { m_bytes.push_back(opcode); }
  ~Record() { delete[] m_text; }
  Record& Add(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    m_bytes.insert(m_bytes.end(), b, b + n);
    return *this;
  }
  Record& Text(const char* text) {
    const size_t n = std::strlen(text ? text : "");
    m_text = new char[n + 1];
    std::memcpy(m_text, text ? text : "", n + 1);
    return Add(&m_text, sizeof m_text);
  }
  template <typename T>
  Record& Value(T v) {
    return Add(&v, sizeof v);
  }
  const std::vector<uint8_t>& Bytes() const { return m_bytes; }
  void Delivered() const { m_text = nullptr; }

 private:
  std::vector<uint8_t> m_bytes;
  mutable char* m_text = nullptr;
};

CDebugger::CDebugger(const char*, HWND) {
  CreatePipe(&m_hPipeRead, &m_hPipeWrite, nullptr, 0);
  g_pDebugWorker = nullptr;
}

CDebugger::~CDebugger() { QuitWorker(); }

void CDebugger::QuitWorker() {
  if (m_bQuit) return;
  m_bQuit = true;
  if (m_bThreadStarted) {
    WriteRecord(Record(kOpQuit));
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
      {
        std::lock_guard<std::mutex> lock(m_writeMutex);
        CloseHandle(m_hPipeWrite);
        m_hPipeWrite = nullptr;
      }
      WaitServingMessages(ended, INFINITE);
    }
    CloseHandle(m_hThread);
    m_hThread = nullptr;
  }
  delete g_pDebugWorker;
  g_pDebugWorker = nullptr;
  std::lock_guard<std::mutex> lock(m_writeMutex);
  if (m_hPipeWrite) CloseHandle(m_hPipeWrite);
  if (m_hPipeRead) CloseHandle(m_hPipeRead);
  m_hPipeWrite = m_hPipeRead = nullptr;
}

void CDebugger::StartWorkerThread() {
  DWORD id = 0;
  m_hThread = CreateThread(nullptr, 0, DebugWorkerThreadProc, g_pDebugWorker, 0, &id);
  m_bThreadStarted = 1;
}

int CDebugger::WriteRecord(const Record& record) {
  std::lock_guard<std::mutex> lock(m_writeMutex);
  DWORD written = 0;
  const DWORD size = DWORD(record.Bytes().size());
  if (!m_hPipeWrite || !WriteFile(m_hPipeWrite, record.Bytes().data(), size, &written, nullptr) ||
      written != size)
    return 0;
  record.Delivered();
  return 1;
}

int CDebugger::Send(const Record& record) {
  if (!m_bThreadStarted) {
    if (!g_pDebugWorker) return 0;
    StartWorkerThread();
  }
  return WriteRecord(record);
}

int CDebugger::PostInternal(uint8_t opcode) { return WriteRecord(Record(opcode)); }

int CDebugger::Go() {
  if (!m_bProgramStarted) return StartProgram(0);
  return Send(Record(kOpGo));
}

int CDebugger::TraceInto(uint8_t mode) { return Send(Record(kOpTraceInto).Value(mode)); }

int CDebugger::SetLineBreakpoint(const char* file, uint16_t line, uint8_t set) {
  return Send(Record(set ? kOpSetLineBreakpoint : kOpClearLineBreakpoint).Text(file).Value(line));
}

int CDebugger::SetAddressBreakpoint(uint32_t linear, uint8_t set) {
  return Send(Record(set ? kOpSetAddressBreakpoint : kOpClearAddressBreakpoint).Value(linear));
}

int CDebugger::StepOver(uint8_t mode) { return Send(Record(kOpStepOver).Value(mode)); }

int CDebugger::StepOut() { return Send(Record(kOpStepOut)); }

int CDebugger::StopProgram() {
  int result = 1;
  if (m_bThreadStarted && g_pDebugWorker) g_pDebugWorker->SetQuietStop(1);
  if (m_bCanInterrupt && IsRunning()) result = Send(Record(kOpBreak));
  m_bProgramStarted = 0;
  return result;
}

int CDebugger::Break() {
  if (m_bThreadStarted && g_pDebugWorker) g_pDebugWorker->SetQuietStop(0);
  return m_bCanInterrupt ? Send(Record(kOpBreak)) : 1;
}

int CDebugger::RequestCallStack() { return Send(Record(kOpCallStack)); }

int CDebugger::RequestRegisters() { return Send(Record(kOpRegisters)); }

int CDebugger::EvaluateWatch(const char* expression) {
  return Send(Record(kOpEvaluateWatch).Text(expression));
}

int CDebugger::IsRunning() { return g_pDebugWorker ? g_pDebugWorker->IsRunning() : 0; }

int CDebugger::CanSetBreakpoints() { return g_pDebugWorker ? g_pDebugWorker->CanSetBreakpoints() : 0; }

int CDebugger::SetIPToLine(const char* file, uint16_t line) {
  return Send(Record(kOpSetIPToLine).Text(file).Value(line));
}

int CDebugger::SetIPToAddress(uint32_t linear) { return Send(Record(kOpSetIPToAddress).Value(linear)); }

int CDebugger::StartProgram(uint32_t flag) {
  const int result = Send(Record(kOpStartProgram).Value(flag));
  m_bProgramStarted = 1;
  return result;
}

int CDebugger::Reset() { return Send(Record(kOpReset)); }

int CDebugger::RunToLine(const char* file, uint16_t line) {
  return Send(Record(kOpRunToLine).Text(file).Value(line));
}

int CDebugger::RunToAddress(uint32_t linear) { return Send(Record(kOpRunToAddress).Value(linear)); }

int CDebugger::CanInterrupt() { return m_bCanInterrupt; }
