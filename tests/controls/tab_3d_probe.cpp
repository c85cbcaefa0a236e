// The 3-D tab probe: a window with a 3-D strip along its top edge (drag to
// move the active tab; the second tab disabled), driven by the real-input
// tests. It reports through the test hook:
//   activetab <index of the active tab>
//   order <the tabs' full labels, separated by ",">
//   tab<n> <x> <y>          the centre of tab n, on the screen
//   tabwidth<n> <width>     tab n's width
//   tipshown <1 when the strip's tool tip window is visible>
#include <string>

#include "controls/sec_3d_tab_control.h"
#include "platform/afx/afx.h"
#include "platform/ui/test_hook.h"
#include "platform/ui/tooltip.h"

namespace {

constexpr UINT kTab3DProbeId = 100;
constexpr int kTab3DProbeHeight = 30;
constexpr const char* kTab3DProbeLabels[] = {"Registers", "Memory", "Stack", "Breakpoints", "Watch"};

SEC3DTabControl* g_tab3DStrip = nullptr;

void Tab3DProbeReport(std::string& out) {
  if (g_tab3DStrip == nullptr || g_tab3DStrip->GetSafeHwnd() == nullptr) return;
  int active = -1;
  g_tab3DStrip->GetActiveTab(active);
  out += "activetab " + std::to_string(active) + "\n";
  std::string order;
  for (int i = 0; i < g_tab3DStrip->GetTabCount(); ++i) {
    if (i) order += ',';
    order += std::string(g_tab3DStrip->Get3DTab(i)->m_csFullLabel);
    CRect rect;
    g_tab3DStrip->GetTabRect(i, &rect);
    CPoint centre = rect.CenterPoint();
    g_tab3DStrip->ClientToScreen(&centre);
    out += "tab" + std::to_string(i) + " " + std::to_string(centre.x) + " " + std::to_string(centre.y) + "\n";
    out += "tabwidth" + std::to_string(i) + " " + std::to_string(rect.Width()) + "\n";
  }
  out += "order " + order + "\n";
  const HWND tip = mirt_ui::ToolTipControlOf(g_tab3DStrip->m_hWnd);
  out += std::string("tipshown ") + (tip && ::IsWindowVisible(tip) ? "1" : "0") + "\n";
}

class Tab3DProbeApp : public CWinApp {
 public:
  Tab3DProbeApp() : CWinApp("Tab3DProbe") {}
  BOOL InitInstance() override {
    auto* frame = new CWnd;
    frame->CreateEx(0, nullptr, "3-D tab probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 460, 120, nullptr,
                    nullptr);
    m_pMainWnd = frame;
    CRect client;
    frame->GetClientRect(&client);
    g_tab3DStrip = new SEC3DTabControl;
    g_tab3DStrip->Create(WS_VISIBLE | kSEC3DTabTop | kSEC3DTabDragMove,
                         CRect(0, 0, client.Width(), kTab3DProbeHeight), frame, kTab3DProbeId);
    for (const char* label : kTab3DProbeLabels) g_tab3DStrip->AddTab(label);
    g_tab3DStrip->EnableTab(1, FALSE);
    g_tab3DStrip->ActivateTab(0);
    mirt_ui::AddTestStateReporter(Tab3DProbeReport);
    return TRUE;
  }
};

Tab3DProbeApp g_tab3DProbeApp;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
