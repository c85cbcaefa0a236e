#include "app/gdb_process.h"

#include <cstring>
#include <string>

#include "debugger/session/frame_messages.h"
#include "platform/sys/environment.h"
#include "platform/sys/file.h"
#include "platform/sys/process.h"
#include "platform/sys/thread.h"
#include "platform/ui/message.h"

namespace {

constexpr DWORD kGdbReadSize = 4095;
constexpr uint16_t kGdbStateEnded = 1, kGdbStateStopped = 3;

// The finish texts outlive the session that posted them.
char g_gdbFinishText[512];
// The stop record of the last annotation, sent while the reader waits.
char g_gdbStopFile[1024];

}  // namespace

std::string CGDBProcess::CommandLine() {
  char buffer[1024] = {};
  DWORD n = GetEnvironmentVariable("MIRT_GDB", buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer) : std::string("gdb");
}

CGDBProcess::CGDBProcess() : CExtConsoleProcess(CommandLine().c_str(), nullptr, nullptr), m_parser(*this) {}

CGDBProcess::~CGDBProcess() {
  InterlockedExchange(&m_quiet, 1);
  if (m_hProcess && IsRunning()) {
    DWORD written = 0;
    WriteFile(m_hInputWrite, "q\n", 2, &written, nullptr);
  }
  if (m_started) {
    // A report in flight is served; gdb reads "q" only while the program
    // stands still, so one that does not quit in time is ended.
    auto ended = [this] { return ReaderEnded(); };
    if (!WaitServingMessages(ended, kQuitWaitMs) && m_hProcess) {
      TerminateProcess(m_hProcess, 1);
      WaitServingMessages(ended, INFINITE);
    }
  }
  StopReader();
}

void CGDBProcess::Start(HWND frame, uint16_t* state) {
  m_pFrame = frame;
  m_pState = state;
  m_started = true;
  ResumeReader();
}

bool CGDBProcess::ReaderEnded() {
  DWORD code = STILL_ACTIVE;
  return !m_hReaderThread || !GetExitCodeThread(m_hReaderThread, &code) || code != STILL_ACTIVE;
}

void CGDBProcess::WriteCommand(const char* command, GdbAnswerKind kind) {
  // gdb reads lines: each command ends with a line feed and carries no NUL.
  std::string line = std::string(command) + "\n";
  m_parser.ExpectAnswer(kind);
  DWORD written = 0;
  WriteFile(m_hInputWrite, line.data(), DWORD(line.size()), &written, nullptr);
}

DWORD CGDBProcess::Run(LPVOID) {
  char buffer[kGdbReadSize + 1];
  for (;;) {
    DWORD read = 0;
    if (!ReadOutput(buffer, kGdbReadSize, &read)) break;
    if (read == 0) continue;
    m_parser.Feed(buffer, read);
  }
  m_parser.Finish();
  PostFinished(kGdbEnded);
  return 0;
}

bool CGDBProcess::Reporting() const {
  return m_pFrame && InterlockedCompareExchange(const_cast<LONG*>(&m_quiet), 0, 0) == 0;
}

void CGDBProcess::SetState(uint16_t state) {
  if (m_pState) *m_pState = state;
}

void CGDBProcess::PostFinished(const char* text) {
  if (!Reporting() || InterlockedExchange(&m_finishPosted, 1) != 0) return;
  std::strncpy(g_gdbFinishText, text, sizeof g_gdbFinishText - 1);
  PostMessage(m_pFrame, WM_DEBUG_FINISHED, 0, LPARAM(g_gdbFinishText));
}

void CGDBProcess::OnCallStackText(const char* text) {
  if (Reporting()) SendMessage(m_pFrame, WM_CALLSTACK_TEXT, 0, LPARAM(text));
}

void CGDBProcess::OnProgramExited(const char* line) {
  SetState(kGdbStateEnded);
  PostFinished(line);
}

void CGDBProcess::OnStopLocation(const char* file, int line) {
  SetState(kGdbStateStopped);
  std::strncpy(g_gdbStopFile, file, sizeof g_gdbStopFile - 1);
  StopLocation record;
  record.file = g_gdbStopFile;
  record.line = int16_t(line);
  record.address = CAddr(0, 0);
  if (Reporting()) SendMessage(m_pFrame, WM_STOP_LOCATION, 0, LPARAM(&record));
}

void CGDBProcess::OnWatchValue(const char* typeText, const char* valueText) {
  if (Reporting()) SendMessage(m_pFrame, WM_WATCH_VALUE, WPARAM(typeText), LPARAM(valueText));
}

void CGDBProcess::OnOutputText(const char* line) {
  if (!Reporting()) return;
  // The reader took the line feed off; the Build pane shows a line only
  // once its line feed has come, so it goes along again.
  const std::string whole = std::string(line) + "\n";
  SendMessage(m_pFrame, WM_OUTPUT_TEXT, kOutputPaneBuild, LPARAM(whole.c_str()));
}

void CGDBProcess::OnRunEnded() {
  if (m_pState && *m_pState != kGdbStateEnded) SetState(kGdbStateStopped);
}
