// The main frame's debug commands and the start and end of its sessions.
#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/main_frame.h"
#include "debugger/ui/edit_bp_dialog.h"
#include "debugger/ui/io_port_dialog.h"
#include "debugger/ui/watch_expr_dialog.h"
#include "debugger/kalven_board.h"
#include "debugger/session/debugger.h"
#include "debugger/session_globals.h"
#include "disasm/view/disview0view.h"
#include "editor/view/cmirt2view.h"
#include "platform/ui/afxcommdlg.h"

namespace {

constexpr const char* kFrameDebugEndText = "End of debugging";
constexpr const char* kFrameDebugOpenTitle = "Open Debugee";
constexpr const char* kFrameDebugOpenFilter = "Executable Files *.exe|*.exe|All Files *.*|*.*||";
// Trace Into and Step Over by source line or by instruction.
constexpr uint8_t kFrameDebugSourceStep = 1, kFrameDebugInstructionStep = 2;
constexpr DWORD kFrameDebugStartRun = 1, kFrameDebugStartQuiet = 0;

}  // namespace

CString CMainFrame::ProjectProgramPath() const {
  CString path;
  path.Format("%s/%s", g_project.projectDir ? g_project.projectDir : "",
              g_project.exeFile ? g_project.exeFile : "");
  return path;
}

void CMainFrame::SessionStarted() { g_pSourceDebugPort = m_bSessionActive ? &m_sourcePort : nullptr; }

BOOL CMainFrame::StartDebugger(const char* path, int* pSessionActive, int* pSpare, DWORD startFlag) {
  const bool up = m_debugSession.StartDebugger(path, pSessionActive, pSpare, startFlag);
  SessionStarted();
  return up ? TRUE : FALSE;
}

void CMainFrame::StopDebugSession() {
  m_debugSession.StopDebugSession(&m_bSessionActive);
  g_pSourceDebugPort = nullptr;
}

void CMainFrame::DeleteDebugger() {
  if (g_pSourceDebugPort == &m_sourcePort) g_pSourceDebugPort = nullptr;
  CDebugger* debugger = g_pCurrentDebugger;
  g_pCurrentDebugger = nullptr;
  delete debugger;
}

void CMainFrame::OnDebugStart() {
  int spare = 0;
  StartDebugger(ProjectProgramPath(), &m_bSessionActive, &spare, kFrameDebugStartRun);
}

void CMainFrame::OnDebugGo() {
  int spare = 0;
  const BOOL wasActive = m_bSessionActive;
  m_debugSession.Go(ProjectProgramPath(), &m_bSessionActive, &spare);
  if (wasActive) return;
  SessionStarted();
  PrepareSourceViews();
}

void CMainFrame::StepCommand(int (CDebugger::*step)(uint8_t)) {
  if (!m_bSessionActive) {
    int spare = 0;
    StartDebugger(ProjectProgramPath(), &m_bSessionActive, &spare, kFrameDebugStartQuiet);
  }
  if (!m_bSessionActive || !g_pCurrentDebugger) return;
  ClearExecutionMarkers();
  const bool disassembly = dynamic_cast<CDisview0View*>(GetActiveMDIView()) != nullptr;
  (g_pCurrentDebugger->*step)(disassembly ? kFrameDebugInstructionStep : kFrameDebugSourceStep);
}

void CMainFrame::OnDebugTraceInto() { StepCommand(&CDebugger::TraceInto); }
void CMainFrame::OnDebugStepOver() { StepCommand(&CDebugger::StepOver); }

void CMainFrame::OnDebugStepOut() {
  ClearExecutionMarkers();
  if (g_pCurrentDebugger) g_pCurrentDebugger->StepOut();
}

void CMainFrame::OnDebugBreak() {
  if (g_pCurrentDebugger) g_pCurrentDebugger->Break();
}

void CMainFrame::OnDebugEnd() {
  StopDebugSession();
  OnDebuggingFinished(0, reinterpret_cast<LPARAM>(kFrameDebugEndText));
  delete g_pBoard;
  g_pBoard = nullptr;
}

CMainFrame::CaretPlace CMainFrame::ActiveCaretPlace() {
  CaretPlace place;
  CView* active = GetActiveMDIView();
  if (auto* source = dynamic_cast<CMirt2View*>(active)) {
    source->GetCursorLocation(place.file, place.line);
    place.kind = CaretPlace::Kind::kLine;
  } else if (auto* disassembly = dynamic_cast<CDisview0View*>(active)) {
    if (disassembly->CursorLineAddress(&place.address)) place.kind = CaretPlace::Kind::kAddress;
  }
  return place;
}

void CMainFrame::OnDebugSetIP() {
  if (!g_pCurrentDebugger) return;
  const CaretPlace place = ActiveCaretPlace();
  if (place.kind == CaretPlace::Kind::kLine)
    g_pCurrentDebugger->SetIPToLine(place.file, place.line);
  else if (place.kind == CaretPlace::Kind::kAddress)
    g_pCurrentDebugger->SetIPToAddress(place.address);
}

void CMainFrame::OnDebugRunToCursor() { OnRunToCursor(0, 0); }

void CMainFrame::OnDebugReset() {
  if (g_pCurrentDebugger) g_pCurrentDebugger->Reset();
}

void CMainFrame::OnDebugWatchExpression() {
  CWatchExprDialog dialog(this);
  if (dialog.DoModal() != IDOK) return;
  OnWatchSelection(0, reinterpret_cast<LPARAM>(static_cast<const char*>(g_watchExpression)));
}

void CMainFrame::OnDebugIOPorts() {
  CIOPortDialog dialog(g_pBoard, this);
  dialog.DoModal();
}

void CMainFrame::OnDebugOpenDebugee() {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kFrameDebugOpenFilter, this);
  dialog.m_ofn.lpstrTitle = kFrameDebugOpenTitle;
  if (dialog.DoModal() == IDOK && !dialog.GetPathName().IsEmpty()) {
    int spare = 0;
    StartDebugger(dialog.GetPathName(), &m_bSessionActive, &spare, kFrameDebugStartRun);
  }
  Invalidate();
}

void CMainFrame::OnEditBreakpoints() {
  CEditBPDialog dialog(this);
  dialog.DoModal();
}

void CMainFrame::RequestWatchValue(const char* expression, HTREEITEM node) {
  if (!g_pCurrentDebugger || !m_pVariableBar) return;
  g_pCurrentDebugger->EvaluateWatch(expression);
  m_pVariableBar->AddPendingRequest(expression, node);
}
