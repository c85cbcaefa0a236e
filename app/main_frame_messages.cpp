// The main frame's private messages from the build reader, the debugger's
// threads and the source views. Texts and records belong to the sender.
#include <cstdio>

#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "app/main_frame.h"
#include "disasm/view/disview0doc.h"
#include "debugger/session/debugger.h"
#include "disasm/view/disview0view.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr const char* kFrameMsgPascalOutput = "out";

const char* FrameMsgText(LPARAM lParam) { return reinterpret_cast<const char*>(lParam); }

}  // namespace

LRESULT CMainFrame::OnOutputText(WPARAM wParam, LPARAM lParam) {
  const char* text = FrameMsgText(lParam);
  if (wParam == kOutputPaneBuild) {
    m_wndOutputBar.AppendBuildText(text);
    m_wndOutputBar.ScrollBuildToEnd();
  } else if (wParam == kOutputPaneDebug) {
    m_wndOutputBar.AppendDebugText(text);
    m_wndOutputBar.ScrollDebugToEnd();
  }
  m_wndOutputBar.SelectTab(static_cast<int>(wParam));
  return 0;
}

LRESULT CMainFrame::OnDebuggingFinished(WPARAM, LPARAM lParam) {
  ClearExecutionMarkers();
  OnOutputText(kOutputPaneDebug, lParam);
  DeleteDebugger();
  m_bSessionActive = FALSE;
  RequestIdleUpdate();
  return 0;
}

LRESULT CMainFrame::OnCallStackText(WPARAM, LPARAM lParam) {
  if (m_wndCallStackBar.IsVisible()) m_wndCallStackBar.AppendText(FrameMsgText(lParam));
  return 0;
}

LRESULT CMainFrame::OnStopLocation(WPARAM, LPARAM lParam) {
  const auto* stop = reinterpret_cast<const StopLocation*>(lParam);
  if (!stop) return 0;
  ClearExecutionMarkers();
  CString path;
  if (stop->file) {
    const bool bare = !std::strchr(stop->file, '\\') && !std::strchr(stop->file, '/');
    if (bare && g_project.projectDir)
      path.Format("%s/%s", g_project.projectDir, stop->file);
    else
      path = stop->file;
    // gdb names files with '\': the same file as an open document's "/" path.
    path.Replace('\\', '/');
  }
  ShowStopLocation(path, stop->line, stop->address);
  if (m_wndCallStackBar.IsVisible()) {
    m_wndCallStackBar.Clear();
    if (g_pCurrentDebugger) g_pCurrentDebugger->RequestCallStack();
  }
  if (g_pCurrentDebugger && m_pRegistersBar && m_pRegistersBar->IsVisible())
    g_pCurrentDebugger->RequestRegisters();
  if (m_pVariableBar) m_pVariableBar->RefreshAll();
  RequestIdleUpdate();
  return 0;
}

LRESULT CMainFrame::OnWatchValue(WPARAM wParam, LPARAM lParam) {
  if (m_pVariableBar)
    m_pVariableBar->OnWatchValue(FrameMsgText(lParam), reinterpret_cast<const char*>(wParam));
  return 0;
}

LRESULT CMainFrame::OnRegisterText(WPARAM, LPARAM lParam) {
  if (m_pRegistersBar && m_pRegistersBar->IsVisible()) m_pRegistersBar->SetRegisterText(FrameMsgText(lParam));
  return 0;
}

LRESULT CMainFrame::OnProgramEnd(WPARAM, LPARAM) {
  ClearExecutionMarkers();
  ::MessageBox(m_hWnd, "End of Program reached", "Message", MB_OK);
  return 0;
}

LRESULT CMainFrame::OnSystemCrashed(WPARAM, LPARAM) {
  ClearExecutionMarkers();
  ::MessageBox(m_hWnd, "System seems to have crashed", "Message", MB_OK);
  return 0;
}

LRESULT CMainFrame::OnWatchSelection(WPARAM, LPARAM lParam) {
  const char* expression = FrameMsgText(lParam);
  if (!m_bSessionActive || !m_pVariableBar || !expression) return 0;
  if (g_pCurrentDebugger) g_pCurrentDebugger->EvaluateWatch(expression);
  if (!m_pVariableBar->IsWindowVisible()) ShowControlBar(m_pVariableBar.get(), TRUE, TRUE);
  m_pVariableBar->AddPendingRequest(expression, nullptr);
  return 0;
}

LRESULT CMainFrame::OnDisassemblyUpdate(WPARAM, LPARAM lParam) {
  if (!CDisview0Doc::IsOpen() || !m_pDisassemblyDoc) return 0;
  POSITION pos = m_pDisassemblyDoc->GetFirstViewPosition();
  while (pos)
    if (auto* view = dynamic_cast<CDisview0View*>(m_pDisassemblyDoc->GetNextView(pos)))
      view->RedrawAddressLine(static_cast<DWORD>(lParam));
  return 0;
}

LRESULT CMainFrame::OnDebugErrorRequest(WPARAM, LPARAM) {
  static const char kText[] = "An error request occured - Debugging has been terminated";
  if (m_bSessionActive) StopDebugSession();
  OnDebuggingFinished(0, reinterpret_cast<LPARAM>(kText));
  return 0;
}

LRESULT CMainFrame::OnRunToCursor(WPARAM, LPARAM) {
  if (!m_bSessionActive) {
    int spare = 0;
    StartDebugger(ProjectProgramPath(), &m_bSessionActive, &spare, 0);
  }
  if (!m_bSessionActive || !g_pCurrentDebugger) return 0;
  ClearExecutionMarkers();
  const CaretPlace place = ActiveCaretPlace();
  if (place.kind == CaretPlace::Kind::kLine)
    g_pCurrentDebugger->RunToLine(place.file, place.line);
  else if (place.kind == CaretPlace::Kind::kAddress)
    g_pCurrentDebugger->RunToAddress(place.address);
  return 0;
}

LRESULT CMainFrame::OnKernelNoAnswer(WPARAM, LPARAM) {
  ClearExecutionMarkers();
  ::MessageBox(m_hWnd, "no answer from debug kernel,\ndebugging is stopped", "error", MB_OK);
  DeleteDebugger();
  m_bSessionActive = FALSE;
  RequestIdleUpdate();
  return 0;
}

void CMainFrame::AppendBuildResult(const char* text) {
  ++m_nBuildsEnded;
  m_wndOutputBar.AppendBuildText(text);
  m_wndOutputBar.ScrollBuildToEnd();
  m_wndOutputBar.SelectTab(kOutputTabBuild);
  RequestIdleUpdate();
}

void CMainFrame::RequestIdleUpdate() {
  if (m_hWnd) PostMessage(WM_KICKIDLE);
}

LRESULT CMainFrame::OnBuildOk(WPARAM, LPARAM) {
  AppendBuildResult("Build terminated successfully\r\n");
  return 0;
}

LRESULT CMainFrame::OnBuildUpToDate(WPARAM, LPARAM) {
  if (g_project.kind == kProjectKindPascal) {
    CopyPascalOutput();
    AppendBuildResult("Build terminated successfully\r\n");
  } else {
    AppendBuildResult("Executable is up to date\r\n");
  }
  return 0;
}

LRESULT CMainFrame::OnBuildFailed(WPARAM, LPARAM) {
  if (g_project.kind == kProjectKindPascal) CopyPascalOutput();
  AppendBuildResult("Executable could not be built\r\n");
  return 0;
}

void CMainFrame::CopyPascalOutput() {
  FILE* file = std::fopen(kFrameMsgPascalOutput, "rb");
  if (!file) {
    m_wndOutputBar.AppendBuildText("Unable to read output of build process\r\n");
    return;
  }
  std::string line;
  int c;
  while ((c = std::fgetc(file)) != EOF) {
    if (c != '\r') {
      line += static_cast<char>(c);
      continue;
    }
    int next = std::fgetc(file);
    if (next == '\n') m_wndOutputBar.AppendBuildText((line + "\r\n").c_str());
    line.clear();
    if (next != '\n' && next != EOF) line += static_cast<char>(next);
    if (next == EOF) break;
  }
  std::fclose(file);
}
