#include "app/debugger_gdb.h"

#include "app/gdb_process.h"
#include "debugger/breakpoint_list.h"
#include "debugger/session/debug_session.h"
#include "platform/base/cstring.h"

CDebuggerGDB::CDebuggerGDB(const char* path, HWND frame, int* pSessionActive) : CDebugger(path, frame) {
  m_pProcess = new CGDBProcess;
  m_pProcess->Start(frame, &m_state);
  m_pProcess->WriteCommand("set annotate 1");
  // One answer line per line gdb means: no wrapping at a screen width, no
  // paging.
  m_pProcess->WriteCommand("set width 0");
  m_pProcess->WriteCommand("set height 0");
  m_pProcess->WriteCommand(("file " + GdbPath(path)).c_str());
  // The source breakpoints the user set before the session.
  for (POSITION pos = g_breakpointList.GetHeadPosition(); pos;) {
    const CBreakpoint& bp = g_breakpointList.GetNext(pos);
    SetLineBreakpoint(bp.file, bp.line, 1);
  }
  m_state = kNotStarted;
  if (pSessionActive) *pSessionActive = 1;
}

CDebuggerGDB::~CDebuggerGDB() {
  delete m_pProcess;
  m_pProcess = nullptr;
}

std::string CDebuggerGDB::GdbPath(const char* path) {
  std::string out;
  const char* p = path ? path : "";
  if (p[0] && p[1] == ':') {
    out += "//";
    out += p[0];
    p += 2;
  }
  for (; *p; ++p) out += *p == '\\' ? '/' : *p;
  // gdb takes a name with blanks in quotes.
  if (out.find(' ') != std::string::npos) out = '"' + out + '"';
  return out;
}

void CDebuggerGDB::RunToMain() {
  m_pProcess->WriteCommand("b main");
  m_pProcess->WriteCommand("r", GdbAnswerKind::kRun);
}

int CDebuggerGDB::Go() {
  m_pProcess->WriteCommand(m_state == kNotStarted ? "r" : "c", GdbAnswerKind::kRun);
  m_state = kRunning;
  return 1;
}

int CDebuggerGDB::TraceInto(uint8_t) {
  if (m_state == kNotStarted)
    RunToMain();
  else
    m_pProcess->WriteCommand("s", GdbAnswerKind::kRun);
  m_state = kRunning;
  return 1;
}

int CDebuggerGDB::StepOver(uint8_t) {
  if (m_state == kNotStarted)
    RunToMain();
  else
    m_pProcess->WriteCommand("n", GdbAnswerKind::kRun);
  m_state = kRunning;
  return 1;
}

int CDebuggerGDB::SetLineBreakpoint(const char* file, uint16_t line, uint8_t set) {
  CString command;
  command.Format(set ? "b %s:%d" : "clear %s:%d", GdbPath(file).c_str(), int(line));
  m_pProcess->WriteCommand(command);
  return 1;
}

int CDebuggerGDB::StopProgram() {
  if (m_state == kNotStarted) return 0;
  m_pProcess->WriteCommand("kill");
  m_state = kNotStarted;
  return 1;
}

int CDebuggerGDB::RequestCallStack() {
  m_pProcess->WriteCommand("bt");
  return 1;
}

int CDebuggerGDB::EvaluateWatch(const char* expression) {
  CString command;
  command.Format("ptype %s", expression);
  m_pProcess->WriteCommand(command, GdbAnswerKind::kType);
  command.Format("p %s", expression);
  m_pProcess->WriteCommand(command, GdbAnswerKind::kValue);
  return 1;
}

int CDebuggerGDB::IsRunning() { return m_state == kRunning; }

void UseGdbForHostPrograms() {
  SetHostProgramDebuggerFactory([](const char* path, HWND frame, int* pSessionActive) -> CDebugger* {
    return new CDebuggerGDB(path, frame, pSessionActive);
  });
}
