#include "debugger/session/debug_session.h"

#include <cstring>
#include <thread>

#include "app/core/project_data.h"
#include "debugger/breakpoint_list.h"
#include "debugger/debug_access.h"
#include "debugger/debug_message.h"
#include "debugger/kalven_board_qjx.h"
#include "debugger/kalven_board_zor.h"
#include "debugger/session/debugger.h"
#include "debugger/session/debugger_borland.h"
#include "debugger/session/debugger_host.h"
#include "debugger/session_globals.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/time.h"

int g_bRegistersBarWasVisible = 0;
int g_bVariableBarWasVisible = 0;
int g_bCallStackBarWasVisible = 0;

namespace {

constexpr DWORD kSessionSignatureAt = 0x80;
constexpr WORD kSessionStartAbandoned = 519;
constexpr WORD kSessionHandshakeIndex = 0x34F1;
constexpr uint8_t kSessionStopAsked = 1, kSessionStopDone = 2, kSessionGoAllowed = 0;

HostProgramDebuggerFactory& SessionHostFactory() {
  static HostProgramDebuggerFactory factory;
  return factory;
}

struct SessionFileFacts {
  bool hostProgram = false;  // "PE" at 0x80, or an ELF file
  WORD date = 0, time = 0;   // last write, local, as DOS words
};

bool SessionReadFile(const char* path, SessionFileFacts* facts) {
  HANDLE h = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE || h == nullptr) return false;
  uint8_t head[4] = {}, signature[2] = {};
  DWORD n = 0;
  ReadFile(h, head, sizeof head, &n, nullptr);
  const bool elf = n == sizeof head && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' && head[3] == 'F';
  SetFilePointer(h, kSessionSignatureAt, nullptr, FILE_BEGIN);
  n = 0;
  ReadFile(h, signature, sizeof signature, &n, nullptr);
  const bool pe = n == sizeof signature && signature[0] == 'P' && signature[1] == 'E';
  FILETIME written{}, local{};
  GetFileTime(h, nullptr, nullptr, &written);
  FileTimeToLocalFileTime(&written, &local);
  FileTimeToDosDateTime(&local, &facts->date, &facts->time);
  CloseHandle(h);
  facts->hostProgram = elf || pe;
  return true;
}

void SessionNoCallback(WORD) {}

bool SessionAsk(const char* text, const char* caption, UINT icon = 0) {
  return DebugMessageBox(text, caption, MB_YESNO | icon) == IDYES;
}

// The program on the board is current: it is there and the file is not newer.
bool SessionProgramCurrent(const SessionFileFacts& file, uint16_t boardTime, uint16_t boardDate) {
  if (boardTime == 0 && boardDate == 0) return false;
  return file.date < boardDate || (file.date == boardDate && file.time <= boardTime);
}

struct SessionBarFlag {
  DebugBar bar;
  int* remembered;
};
const SessionBarFlag kSessionBars[] = {{DebugBar::Registers, &g_bRegistersBarWasVisible},
                                       {DebugBar::Variable, &g_bVariableBarWasVisible},
                                       {DebugBar::CallStack, &g_bCallStackBarWasVisible}};

}  // namespace

void SetHostProgramDebuggerFactory(HostProgramDebuggerFactory factory) {
  SessionHostFactory() = std::move(factory);
}

void CDebugSession::DropBoard() {
  delete g_pBoard;
  g_pBoard = nullptr;
}

CDebugSession::Outcome CDebugSession::BringUpBoard(ProjectData* project) {
  DropBoard();  // a board left from a failed start is replaced
  if (project->cardClass == kCardClassTRail)
    g_pBoard = new CKalvenBoardZOR(project->cardNumber, project);
  else
    g_pBoard = new CKalvenBoardQJx(project->cardNumber, project);
  const WORD result = g_pBoard->Open(SessionNoCallback);
  if (result == kSessionStartAbandoned) {
    DropBoard();
    return Outcome::Failed;
  }
  if (result == 0) return Outcome::Up;
  g_pBoard->ClearError();
  if (!SessionAsk("Card could not be started.\nReset Now?", "MIRT")) return Outcome::Failed;
  return g_pBoard->ResetAndLoadOS(SessionNoCallback) ? Outcome::Up : Outcome::Failed;
}

CDebugSession::Outcome CDebugSession::EnsureKernel(ProjectData* project, DWORD pauseMs) {
  if (g_pBoard->IsKernelPresent(project->kernelNum, project->pcPort)) return Outcome::Up;
  if (pauseMs) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
  return m_frame.InstallDebugKernel() == 0 ? Outcome::Up : Outcome::Failed;
}

CDebugger* CDebugSession::CreateFrontEnd(const char* path, ProjectData* project, int* pSpare,
                                         bool* communicating, uint16_t* time, uint16_t* date) {
  (void)pSpare;
  *time = *date = 0;
  if (project->pcPort == 0) {
    *communicating = true;
    return new CDebuggerHost(path, project->debuggeeNum, project->kernelNum, m_frame.Window(), &m_debugInfoOk,
                             time, date, g_pBoard);
  }
  int ok = 0;
  auto* frontEnd = new CDebuggerBorland(path, m_frame.Window(), &ok, &m_debugInfoOk, time, date,
                                        project->pcPort, project->baudRate, g_pBoard);
  *communicating = ok != 0;
  return frontEnd;
}

bool CDebugSession::StartDebugger(const char* path, int* pSessionActive, int* pSpare, uint32_t startFlag) {
  *pSessionActive = 0;
  g_pCurrentDebugger = nullptr;
  SessionFileFacts file;
  if (!SessionReadFile(path, &file)) {
    DebugMessageBox(".exe-file could not be opened", "Error", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (file.hostProgram) {
    if (!SessionHostFactory()) return false;
    g_pCurrentDebugger = SessionHostFactory()(path, m_frame.Window(), pSessionActive);
    return *pSessionActive != 0;
  }
  ProjectData* project = m_frame.Project();
  if (!project || BringUpBoard(project) == Outcome::Failed) return false;
  if (EnsureKernel(project, 0) == Outcome::Failed) return false;

  bool communicating = false;
  uint16_t time = 0, date = 0;
  CDebugger* frontEnd = CreateFrontEnd(path, project, pSpare, &communicating, &time, &date);
  while (!communicating) {
    delete frontEnd;
    frontEnd = nullptr;
    if (!SessionAsk("No communication with debug kernel. \nTry again?", "MIRT")) return false;
    frontEnd = CreateFrontEnd(path, project, pSpare, &communicating, &time, &date);
  }

  bool current = SessionProgramCurrent(file, time, date);
  if (!current) {
    const bool missing = time == 0 && date == 0;
    const bool reinstall =
        missing ? SessionAsk(
                      "Program could not be found on board!\nCheck installation file.\nCheck task number of "
                      "program at: Project\\Settings\\Connection.\n\nExecute installation file?",
                      "MIRT", MB_ICONSTOP)
                : SessionAsk("file on disk is newer than file on board.\nRe-install it?", "message");
    delete frontEnd;
    frontEnd = nullptr;
    if (!reinstall) return false;
    m_frame.RunInstallationFile();
    if (g_pBoard->Open(SessionNoCallback) != 0) {
      DebugMessageBox("Your .exe seems to make the board crash, aborting.", "MIRT", MB_OK);
      DropBoard();
      return false;
    }
    if (EnsureKernel(project, kReinstallPauseMs) == Outcome::Failed) return false;
    frontEnd = CreateFrontEnd(path, project, pSpare, &communicating, &time, &date);
    current = communicating && SessionProgramCurrent(file, time, date);
    if (!current) {
      delete frontEnd;
      DebugMessageBox("still no apropriate .exe on board, aborting.", "MIRT", MB_OK);
      DropBoard();
      return false;
    }
  }
  FinishStart(frontEnd, startFlag);
  *pSessionActive = 1;
  return true;
}

void CDebugSession::FinishStart(CDebugger* frontEnd, uint32_t startFlag) {
  g_pCurrentDebugger = frontEnd;
  m_frame.GiveBarsEvaluators();
  for (const SessionBarFlag& b : kSessionBars)
    if (*b.remembered) m_frame.ShowBar(b.bar, true);
  m_frame.RecalcLayout();
  frontEnd->StartProgram(startFlag);
  POSITION pos = g_breakpointList.GetHeadPosition();
  while (pos) {
    const CBreakpoint& bp = g_breakpointList.GetNext(pos);
    frontEnd->SetLineBreakpoint(bp.file, bp.line, 1);
  }
}

StopHandshake CDebugSession::StopDebugSession(int* pSessionActive) {
  m_frame.ClearExecutionMarkers();
  StopHandshake result = StopHandshake::NoBoard;
  if (g_pBoard) {
    ProjectData* project = m_frame.Project();
    const WORD kernel = project ? project->kernelNum : 0;
    const uint8_t ask = kSessionStopAsked;
    g_pBoard->WriteParBlock(kernel, kSessionHandshakeIndex, 1, &ask);
    result = StopHandshake::NoAnswer;
    for (int i = 0; i < kHandshakeReads; ++i) {
      uint8_t state = 0;
      g_pBoard->ReadParBlock(kernel, kSessionHandshakeIndex, 1, &state);
      if (state == kSessionStopDone) {
        result = StopHandshake::Done;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(kHandshakePauseMs));
    }
  }
  for (const SessionBarFlag& b : kSessionBars) *b.remembered = m_frame.IsBarVisible(b.bar) ? 1 : 0;
  if (g_pCurrentDebugger) g_pCurrentDebugger->StopProgram();
  for (DebugBar bar : {DebugBar::CallStack, DebugBar::Registers, DebugBar::Variable})
    m_frame.ShowBar(bar, false);
  m_frame.CloseDisassembly();
  m_frame.RecalcLayout();
  *pSessionActive = 0;
  return result;
}

void CDebugSession::Go(const char* path, int* pSessionActive, int* pSpare) {
  if (*pSessionActive) {
    m_frame.ClearExecutionMarkers();
    if (g_pCurrentDebugger) g_pCurrentDebugger->Go();
    return;
  }
  if (!StartDebugger(path, pSessionActive, pSpare, 0)) {
    DebugMessageBox("Error starting Debugger!\n", "Fatal error", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // A board session's program may go once the kernel is told so.
  if (g_pDebugAccess && g_pDebugAccess->m_bThroughBoard && g_pBoard) {
    ProjectData* project = m_frame.Project();
    const uint8_t go = kSessionGoAllowed;
    g_pBoard->WriteParBlock(project ? project->kernelNum : 0, kSessionHandshakeIndex, 1, &go);
  }
}
