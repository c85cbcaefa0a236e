#include "app/debug_state_report.h"

#include <string>

#include "app/main_frame.h"
#include "editor/editline.h"
#include "editor/view/cmirt2view.h"
#include "platform/ui/test_hook.h"

namespace {

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

void DebugReportState(std::string& out) {
  CMainFrame* frame = g_pMainFrame;
  if (!frame || !::IsWindow(frame->m_hWnd)) return;
  out += std::string("debug-session ") + (frame->m_bSessionActive ? "1" : "0") + "\n";
  if (auto* view = dynamic_cast<CMirt2View*>(frame->GetActiveMDIView())) DebugReportSourceLines(*view, out);
  CVariableControlBar* bar = frame->GetVariableBar();
  if (!bar || !::IsWindow(bar->m_tree.m_hWnd)) return;
  CVariableTree& tree = bar->m_tree;
  for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
    out += "watch " + std::string(tree.GetItemText(item)) + "=" + std::string(tree.ValueOf(item)) + "\n";
}

}  // namespace

void AddDebugStateReport() {
  static const bool added = [] {
    mirt_ui::AddTestStateReporter(DebugReportState);
    return true;
  }();
  (void)added;
}
