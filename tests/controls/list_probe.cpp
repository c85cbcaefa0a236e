// The list probe: a window with an owner-drawn report list (labels editable,
// one line each), driven by the real-input tests. It reports through the
// test hook:
//   list <x> <y>                   the list's client origin on the screen
//   selected <rows separated by ",">
//   listfocus <row>
//   editing <row being edited, -1 when none>
//   label<row> <text>              for rows 0 to 3
//   width0 <width of the first column>
#include <string>

#include "controls/list_ctrl.h"
#include "platform/afx/afx.h"
#include "platform/ui/test_hook.h"

namespace {

constexpr int kProbeRows = 10;
constexpr int kProbeReportedLabels = 4;
constexpr UINT kProbeListId = 100;

// The list's owner: it takes every edited label.
class ProbeWindow : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ENDLABELEDITA) return 1;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  SECListCtrl list;
};

ProbeWindow* g_window = nullptr;

void Report(std::string& out) {
  if (g_window == nullptr) return;
  SECListCtrl& list = g_window->list;
  CPoint origin(0, 0);
  list.CWnd::ClientToScreen(&origin);
  out += "list " + std::to_string(origin.x) + " " + std::to_string(origin.y) + "\n";
  std::string selected;
  for (DWORD row : list.GetSelection().Rows()) {
    if (!selected.empty()) selected += ',';
    selected += std::to_string(row);
  }
  out += "selected " + selected + "\n";
  out += "listfocus " + std::to_string(list.GetFocusIndex()) + "\n";
  out += "editing " + std::to_string(list.GetEditIndex()) + "\n";
  for (int row = 0; row < kProbeReportedLabels; ++row)
    out += "label" + std::to_string(row) + " " + std::string(list.GetCellText(row, 0)) + "\n";
  out += "width0 " + std::to_string(list.GetColumnWidth(0)) + "\n";
}

class ListProbeApp : public CWinApp {
 public:
  ListProbeApp() : CWinApp("ListProbe") {}
  BOOL InitInstance() override {
    g_window = new ProbeWindow;
    g_window->CreateEx(0, nullptr, "List probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 320, nullptr,
                       nullptr);
    m_pMainWnd = g_window;
    CRect client;
    g_window->GetClientRect(&client);
    SECListCtrl& list = g_window->list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_NOLABELWRAP, client, g_window,
                kProbeListId);
    list.EnableRedraw(TRUE);
    list.AppendColumn("Name", LVCFMT_LEFT, 120);
    list.AppendColumn("Value", LVCFMT_LEFT, 100);
    for (int row = 0; row < kProbeRows; ++row) list.InsertItem(row, ("item " + std::to_string(row)).c_str());
    list.SetFocus();
    mirt_ui::AddTestStateReporter(Report);
    return TRUE;
  }
};

ListProbeApp g_app;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
