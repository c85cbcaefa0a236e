#include "app/debug_state_report.h"

#include <string>

#include "app/main_frame.h"
#include "disasm/view/disview0view.h"
#include "editor/editline.h"
#include "editor/view/cmirt2view.h"
#include "platform/ui/test_hook.h"

namespace {

// The board memory tool opened last, and its list of memory rows.
HWND g_reportedMemoryTool = nullptr;
constexpr int kReportMemoryList = 1017;

// The memory tool's first row of memory (the list begins with a blank row)
// while it is open.
void DebugReportMemoryTool(std::string& out) {
  if (!g_reportedMemoryTool || !::IsWindow(g_reportedMemoryTool)) return;
  HWND list = ::GetDlgItem(g_reportedMemoryTool, kReportMemoryList);
  const LRESULT rows = list ? ::SendMessage(list, LB_GETCOUNT, 0, 0) : 0;
  for (LRESULT i = 0; i < rows; ++i) {
    const LRESULT length = ::SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length <= 0) continue;
    std::string row(static_cast<size_t>(length) + 1, '\0');
    ::SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row.data()));
    row.resize(static_cast<size_t>(length));
    if (row.find_first_not_of(' ') == std::string::npos) continue;
    out += "memory-first-row " + row + "\n";
    return;
  }
}

void DebugReportSourceLines(CMirt2View& view, std::string& out) {
  out += "source-caret-line " + std::to_string(view.GetCaretLineNumber()) + "\n";
  out += std::string("source-has-keys ") + (::GetFocus() == view.m_hWnd ? "1" : "0") + "\n";
  EditBuffer* buffer = view.GetEditBuffer();
  if (!buffer) return;
  CRect client;
  view.GetClientRect(&client);
  const int height = view.m_nLineHeight;
  const int last = view.GetLastVisibleLine();
  EditLine* line = buffer->GetLine(view.m_nTopLine);
  for (int n = view.m_nTopLine; line && n <= last; ++n, line = line->next) {
    CRect row(view.m_nMarginWidth, (n - view.m_nTopLine) * height, client.right,
              (n - view.m_nTopLine + 1) * height);
    view.ClientToScreen(&row);
    out += "source-line " + std::to_string(row.left) + " " + std::to_string(row.top) + " " +
           std::to_string(row.Width()) + " " + std::to_string(row.Height()) + " " + std::to_string(n) + "\n";
    if (line->flags & LINE_EXECUTION) out += "source-execution-line " + std::to_string(n) + "\n";
    if (line->flags & LINE_BREAKPOINT) out += "source-breakpoint-line " + std::to_string(n) + "\n";
  }
}

// The disassembly view's rows on the screen with their text, its caret,
// execution and breakpoint lines.
void DebugReportDisassemblyLines(CDisview0View& view, std::string& out) {
  out += "disass-caret-line " + std::to_string(view.CaretLineNumber()) + "\n";
  if (view.m_nExecutionLine) out += "disass-execution-line " + std::to_string(view.m_nExecutionLine) + "\n";
  CRect client;
  view.GetClientRect(&client);
  const int height = view.m_nLineHeight;
  const int top = view.TopLineNumber();
  EditLine* line = view.LineAt(top);
  for (int n = top; line && n <= view.GetLastVisibleLine(); ++n, line = view.NextLine(line)) {
    CRect row(view.m_nMarginWidth, (n - top) * height, client.right, (n - top + 1) * height);
    view.ClientToScreen(&row);
    std::string text(line->text, static_cast<size_t>(line->length));
    text.erase(text.find_last_not_of("\r\n") + 1);
    out += "disass-line " + std::to_string(row.left) + " " + std::to_string(row.top) + " " +
           std::to_string(row.Width()) + " " + std::to_string(row.Height()) + " " + std::to_string(n) + " " +
           text + "\n";
    view.m_window.RefreshFlags(line);
    if (line->flags & LINE_BREAKPOINT) out += "disass-breakpoint-line " + std::to_string(n) + "\n";
  }
}

// "NAME=VALUE" of each top-level row of a watch bar's tree, under `key`.
void DebugReportTreeRows(CVariableControlBar* bar, const char* key, std::string& out) {
  if (!bar || !::IsWindow(bar->m_tree.m_hWnd)) return;
  CVariableTree& tree = bar->m_tree;
  for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
    out += std::string(key) + " " + std::string(tree.GetItemText(item)) + "=" +
           std::string(tree.ValueOf(item)) + "\n";
}

void DebugReportState(std::string& out) {
  CMainFrame* frame = g_pMainFrame;
  if (!frame || !::IsWindow(frame->m_hWnd)) return;
  out += std::string("debug-session ") + (frame->m_bSessionActive ? "1" : "0") + "\n";
  DebugReportMemoryTool(out);
  CView* active = frame->GetActiveMDIView();
  if (auto* view = dynamic_cast<CMirt2View*>(active)) DebugReportSourceLines(*view, out);
  if (auto* view = dynamic_cast<CDisview0View*>(active)) DebugReportDisassemblyLines(*view, out);
  DebugReportTreeRows(frame->GetVariableBar(), "watch", out);
  CVariableControlBar* registers = frame->GetRegistersBar();
  if (registers && registers->IsWindowVisible()) DebugReportTreeRows(registers, "register", out);
}

}  // namespace

void AddDebugStateReport() {
  static const bool added = [] {
    mirt_ui::AddTestStateReporter(DebugReportState);
    return true;
  }();
  (void)added;
}

void ReportMemoryTool(HWND tool) { g_reportedMemoryTool = tool; }
