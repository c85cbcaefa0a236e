// The watch probe: a frame with the Variable bar holding a structure and a
// number, driven by the real-input test. Edited values go to a recording
// evaluator. It reports through the test hook:
//   cell<row>.<column> <x> <y>   the centre of a cell on the screen (rows 0-3)
//   editing <row being edited, -1 when none>
//   row <focus row>.<current column>
//   value<row> <text>            the Value column of rows 0-3
//   watches <number of watched expressions>
//   writes <expression=value;...>
#include <string>

#include "app/variable_control_bar.h"
#include "debugger/eval_8086regs.h"
#include "framework/sec_docking.h"
#include "platform/afx/afx.h"
#include "platform/ui/test_hook.h"

namespace {

constexpr int kProbeReportedRows = 4;
constexpr UINT kProbeBarId = 0xE810;

class ProbeEval : public CEval8086Regs {
 public:
  void Write(const char* text, const CAddr*, double value) override {
    writes += std::string(text) + "=" + std::to_string(int(value)) + ";";
  }
  std::string writes;
};

// Requests are answered at once with the value the evaluator holds: the
// probe has no debugger.
class ProbeRequester : public CWatchRequester {
 public:
  void RequestWatchValue(const char*, HTREEITEM) override {}
  void RefreshAll() override {}
};

CVariableControlBar* g_bar = nullptr;
ProbeEval g_eval;
ProbeRequester g_requester;

void ReportWatchProbe(std::string& out) {
  if (!g_bar) return;
  CVariableTree& tree = g_bar->m_tree;
  for (int row = 0; row < kProbeReportedRows && row < tree.GetItemCount(); ++row) {
    for (int column = 0; column < 2; ++column) {
      CRect cell;
      tree.GetCellRect(row, column, &cell, kSECListRectLabel);
      CPoint centre = cell.CenterPoint();
      tree.CWnd::ClientToScreen(&centre);
      out += "cell" + std::to_string(row) + "." + std::to_string(column) + " " + std::to_string(centre.x) +
             " " + std::to_string(centre.y) + "\n";
    }
    char text[64] = {};
    tree.GetItemText(row, CVariableTree::kValueColumn, text, sizeof text);
    out += "value" + std::to_string(row) + " " + text + "\n";
  }
  out += "editing " + std::to_string(tree.GetEditIndex()) + "\n";
  out += "row " + std::to_string(tree.GetFocusIndex()) + "." + std::to_string(tree.GetCurrentColumn()) + "\n";
  out += "watches " + std::to_string(tree.Variables().GetCount()) + "\n";
  out += "writes " + g_eval.writes + "\n";
}

class WatchProbeApp : public CWinApp {
 public:
  WatchProbeApp() : CWinApp("WatchProbe") {}
  BOOL InitInstance() override {
    auto* frame = new CFrameWnd;
    frame->Create(nullptr, "Watch probe", WS_OVERLAPPEDWINDOW, CRect(40, 40, 560, 440));
    m_pMainWnd = frame;
    SECEnableDocking(frame, CBRS_ALIGN_ANY);
    g_bar = new CVariableControlBar(WatchRefresh::kAfterEdit, WatchAssign::kEvaluator);
    g_bar->SetName("Variable");
    g_bar->Create(frame, "Variable", WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, SECBAR_GRIPPER, kProbeBarId);
    g_bar->m_szHorzDock = CSize(500, 250);
    g_bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(g_bar, AFX_IDW_DOCKBAR_BOTTOM);
    g_bar->SetFrameRequester(&g_requester);
    g_bar->SetEvaluator(&g_eval);
    g_bar->m_tree.SetValue("s", "{a = 1, b = 2}", "struct S", nullptr);
    g_bar->m_tree.SetValue("n", "5", "int", nullptr);
    g_bar->m_tree.ExpandAll(nullptr);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    g_bar->m_tree.SetFocus();
    mirt_ui::AddTestStateReporter(ReportWatchProbe);
    return TRUE;
  }
};

WatchProbeApp g_app;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
