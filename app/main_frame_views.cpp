// The main frame's View commands and its command states.
#include "a_qjx/a_qjx.h"
#include "app/command_ids.h"
#include "app/command_rules.h"
#include "app/core/project_data.h"
#include "app/debug_state_report.h"
#include "app/main_frame.h"
#include "app/mirt2_app.h"
#include "app/options_dialog.h"
#include "debugger/kalven_board_qjx.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "disasm/mem_addr_list.h"
#include "disasm/view/disview0doc.h"
#include "disasm/view/disview0view.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "debugger/session/debugger.h"
#include "debugger/ui/go_to_dialog.h"
#include "ytn1/ytn1.h"

namespace {

constexpr const char* kFrameViewsTabSize = "Tab size";
constexpr const char* kFrameViewsFontSize = "Font size";
constexpr int kFrameViewsDefaultTabSize = 3;
constexpr int kFrameViewsDefaultFontSize = 9;
constexpr WORD kFrameViewsMemoryUserMode = 1;

bool FrameViewsVisible(CWnd* bar) { return bar && bar->m_hWnd && bar->IsWindowVisible(); }

ActiveViewKind FrameViewsKindOf(CView* view) {
  if (!view) return ActiveViewKind::kNone;
  return dynamic_cast<CMirt2View*>(view) ? ActiveViewKind::kSource : ActiveViewKind::kOther;
}

}  // namespace

void CMainFrame::ToggleBar(CControlBar* bar) {
  if (bar) ShowControlBar(bar, !bar->IsWindowVisible(), TRUE);
}

void CMainFrame::OnViewProjectTree() { ToggleBar(m_pProjectBar.get()); }

// A bar shown by the View commands appears with the next layout: it is
// asked for its contents when it is to be visible (IsVisible), not only
// once its window is.
void CMainFrame::OnViewCallStack() {
  ToggleBar(&m_wndCallStackBar);
  if (!m_wndCallStackBar.IsVisible()) return;
  m_wndCallStackBar.Clear();
  if (g_pCurrentDebugger) g_pCurrentDebugger->RequestCallStack();
}

void CMainFrame::OnViewOutput() { ToggleBar(&m_wndOutputBar); }
void CMainFrame::OnViewVariables() {
  ToggleBar(m_pVariableBar.get());
  if (m_pVariableBar && m_pVariableBar->IsVisible()) m_pVariableBar->RefreshAll();
}

void CMainFrame::OnViewRegisters() {
  ToggleBar(m_pRegistersBar.get());
  if (m_pRegistersBar && m_pRegistersBar->IsVisible() && g_pCurrentDebugger)
    g_pCurrentDebugger->RequestRegisters();
}
void CMainFrame::OnViewToolBar() { ToggleBar(&m_wndToolBar); }
void CMainFrame::OnViewStatusBar() { ToggleBar(&m_wndStatusBar); }

void CMainFrame::OnViewDocumentTabs() {
  m_bDocumentTabs = !m_bDocumentTabs;
  SetWorkbookMode(m_bDocumentTabs);
}

void CMainFrame::OnViewDisassembly() { ShowDisassembly(); }

void CMainFrame::ShowDisassembly() {
  CMirt2App* app = GetMirt2App();
  if (!app || !app->m_pDisassemblyTemplate) return;
  if (CDisview0Doc::IsOpen() && m_pDisassemblyDoc) {
    POSITION pos = m_pDisassemblyDoc->GetFirstViewPosition();
    CView* view = pos ? m_pDisassemblyDoc->GetNextView(pos) : nullptr;
    if (view && view->GetParentFrame()) view->GetParentFrame()->ActivateFrame();
    return;
  }
  delete g_pMemAddrList;
  g_pMemAddrList = new CMemAddrList;
  m_pDisassemblyDoc = new CDisview0Doc;
  CFrameWnd* frame = app->m_pDisassemblyTemplate->CreateNewFrame(m_pDisassemblyDoc, nullptr);
  if (!frame) {
    m_pDisassemblyDoc->OnCloseDocument();
    m_pDisassemblyDoc = nullptr;
    return;
  }
  app->m_pDisassemblyTemplate->InitialUpdateFrame(frame, m_pDisassemblyDoc, TRUE);
  if (g_pRegisters) MarkStopAddress(g_pRegisters->code);
}

void CMainFrame::OnViewMemory() {
  // Only a QJ board object carries a board type; without one (a gdb
  // session, a ZOR board) there is no memory tool to open.
  auto* board = dynamic_cast<CKalvenBoardQJx*>(g_pBoard);
  if (!board) return;
  SetUserMode(kFrameViewsMemoryUserMode);
  ReportMemoryTool(a_qjx_memory(board->typeCode));
}

void CMainFrame::OnOptions() {
  CWinApp* app = AfxGetApp();
  COptionsDialog dialog(this);
  dialog.m_nTabWidth = app->GetProfileInt("", kFrameViewsTabSize, kFrameViewsDefaultTabSize);
  dialog.m_nFontSize = app->GetProfileInt("", kFrameViewsFontSize, kFrameViewsDefaultFontSize);
  if (dialog.DoModal() != IDOK) return;
  app->WriteProfileInt("", kFrameViewsTabSize, static_cast<int>(dialog.m_nTabWidth));
  app->WriteProfileInt("", kFrameViewsFontSize, static_cast<int>(dialog.m_nFontSize));
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    doc->GetEditBuffer().ReadSettings();
    doc->UpdateAllViews(nullptr);
  }
  if (CDisview0Doc::IsOpen() && m_pDisassemblyDoc) m_pDisassemblyDoc->UpdateAllViews(nullptr);
}

void CMainFrame::OnUpdateCommand(CCmdUI* pCmdUI) {
  CommandContext context;
  context.project = g_project.filePath != nullptr;
  context.session = m_bSessionActive != FALSE;
  context.debugger = g_pCurrentDebugger != nullptr;
  context.running = g_pCurrentDebugger && g_pCurrentDebugger->IsRunning();
  context.breakFlag = g_pCurrentDebugger && g_pCurrentDebugger->CanInterrupt();
  context.breakpointsAllowed = g_pCurrentDebugger && g_pCurrentDebugger->CanSetBreakpoints();
  context.view = FrameViewsKindOf(GetActiveMDIView());
  context.callStackBarVisible = FrameViewsVisible(&m_wndCallStackBar);
  context.variableBarVisible = FrameViewsVisible(m_pVariableBar.get());
  context.registersBarVisible = FrameViewsVisible(m_pRegistersBar.get());
  context.projectBarVisible = FrameViewsVisible(m_pProjectBar.get());
  context.outputBarVisible = FrameViewsVisible(&m_wndOutputBar);
  context.toolBarVisible = FrameViewsVisible(&m_wndToolBar);
  context.statusBarVisible = FrameViewsVisible(&m_wndStatusBar);
  context.documentTabs = m_bDocumentTabs != FALSE;
  context.disassemblyOpen = CDisview0Doc::IsOpen() != FALSE;
  CommandState state = CommandStateFor(pCmdUI->m_nID, context);
  if (!state.known) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->Enable(state.enabled);
  if (state.check != CommandCheck::kUntouched)
    pCmdUI->SetCheck(state.check == CommandCheck::kChecked ? 1 : 0);
  const bool recent = pCmdUI->m_nID >= ID_RECENT_PROJECT_FIRST && pCmdUI->m_nID <= ID_RECENT_PROJECT_LAST;
  if (recent && state.enabled) m_pRecentProjects->UpdateMenu(pCmdUI);
}

void CMainFrame::OnUpdateLinePane(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TRUE);
  auto* view = dynamic_cast<CMirt2View*>(GetActiveMDIView());
  if (!view) return;
  CString text;
  text.Format("L: %d", view->GetCaretLineNumber());
  pCmdUI->SetText(text);
}

void CMainFrame::OnGoTo() {
  CView* view = GetActiveMDIView();
  if (!view) return;
  g_goToLabel = dynamic_cast<CDisview0View*>(view) ? "Memory Address" : "Line Number";
  CGoToDialog dialog(this, view, this);
  dialog.DoModal();
}
