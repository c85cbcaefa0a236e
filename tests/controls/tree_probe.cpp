// The tree probe: a window with a tree control (buttons, lines, editable
// labels), driven by the real-input tests. It reports through the test hook:
//   rows <number of rows>
//   row<i> <x> <y>          a point on row i's label, on the screen (rows 0 to 5)
//   button<i> <x> <y>       the centre of row i's button, on the screen, when it has one
//   text<i> <label>         row i's label
//   selected <label of the caret item, empty when none>
//   editing <row being edited, -1 when none>
//   endedits <number of end-of-edit messages the owner got>
#include <string>

#include "controls/sec_tree_ctrl.h"
#include "platform/afx/afx.h"
#include "platform/ui/test_hook.h"

namespace {

constexpr int kTreeProbeReportedRows = 6;
constexpr UINT kTreeProbeId = 100;
constexpr int kTreeProbeLabelInset = 8;  // into the label from its left edge

// The tree's owner: it takes every edited label and counts the edits.
class TreeProbeWindow : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == SECTreeBaseC::GetEndLabelEditMessage()) {
      ++endEdits;
      return 0;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(TVN_ENDLABELEDIT))
      return 1;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  SECTreeCtrl tree;
  int endEdits = 0;
};

TreeProbeWindow* g_treeProbe = nullptr;

std::string TreeProbeScreenPoint(SECTreeCtrl& tree, CPoint at) {
  tree.CWnd::ClientToScreen(&at);
  return std::to_string(at.x) + " " + std::to_string(at.y);
}

void TreeProbeReport(std::string& out) {
  if (g_treeProbe == nullptr) return;
  SECTreeCtrl& tree = g_treeProbe->tree;
  out += "rows " + std::to_string(tree.GetItemCount()) + "\n";
  for (int row = 0; row < kTreeProbeReportedRows && row < tree.GetItemCount(); ++row) {
    const HTREEITEM item = tree.GetItemAt(row);
    CRect rect;
    tree.GetItemRect(row, &rect);
    const CPoint label(tree.GetIndentWidth(item) + kTreeProbeLabelInset, rect.CenterPoint().y);
    out += "row" + std::to_string(row) + " " + TreeProbeScreenPoint(tree, label) + "\n";
    CRect button;
    if (tree.ItemHasChildren(item) && tree.GetButtonRect(row, &button))
      out += "button" + std::to_string(row) + " " + TreeProbeScreenPoint(tree, button.CenterPoint()) + "\n";
    out += "text" + std::to_string(row) + " " + std::string(tree.GetItemText(item)) + "\n";
  }
  const HTREEITEM caret = tree.GetSelectedItem();
  out += "selected " + (caret ? std::string(tree.GetItemText(caret)) : std::string()) + "\n";
  out += "editing " + std::to_string(tree.GetEditIndex()) + "\n";
  out += "endedits " + std::to_string(g_treeProbe->endEdits) + "\n";
}

class TreeProbeApp : public CWinApp {
 public:
  TreeProbeApp() : CWinApp("TreeProbe") {}
  BOOL InitInstance() override {
    g_treeProbe = new TreeProbeWindow;
    g_treeProbe->CreateEx(0, nullptr, "Tree probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 360, 300,
                          nullptr, nullptr);
    m_pMainWnd = g_treeProbe;
    CRect client;
    g_treeProbe->GetClientRect(&client);
    SECTreeCtrl& tree = g_treeProbe->tree;
    tree.Create(WS_CHILD | WS_VISIBLE, 0, client, g_treeProbe, kTreeProbeId);
    tree.SetTreeStyle(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS);
    tree.SetColumnWidth(0, client.Width() - 20);
    tree.EnableRedraw(TRUE);
    const HTREEITEM sources = tree.InsertItem("sources");
    tree.InsertItem("main.c", sources);
    tree.InsertItem("board.c", sources);
    const HTREEITEM headers = tree.InsertItem("headers");
    tree.InsertItem("board.h", headers);
    tree.InsertItem("notes");
    tree.SetFocus();
    mirt_ui::AddTestStateReporter(TreeProbeReport);
    return TRUE;
  }
};

TreeProbeApp g_treeProbeApp;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
