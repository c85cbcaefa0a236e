// The tab probe: a tab window with the four-button strip and twelve tabs,
// driven by the real-input tests. It reports through the test hook:
//   activetab <index of the active tab, -1 when none>
//   offset <the strip's scroll offset>
//   tab<n> <x> <y>                 a point on tab n's top edge, on the screen
//   button<b> <x> <y>              the centre of scroll button b, on the screen
//   lastright <right of the last tab>  arearight <right of the tabs area>
#include <string>

#include "controls/sec_tab_control.h"
#include "controls/sec_tab_wnd.h"
#include "platform/afx/afx.h"
#include "platform/ui/test_hook.h"

namespace {

constexpr int kProbeTabs = 12;
constexpr UINT kProbeTabWndId = 100;

CWnd* g_frame = nullptr;
SECTabWnd* g_tabs = nullptr;

std::string ProbeScreenPoint(CWnd* wnd, CPoint p) {
  wnd->ClientToScreen(&p);
  return std::to_string(p.x) + " " + std::to_string(p.y);
}

void Report(std::string& out) {
  if (g_tabs == nullptr) return;
  auto* strip = static_cast<SECTabControl*>(g_tabs->GetTabControl());
  int active = -1;
  if (!strip->GetActiveTab(active)) active = -1;
  out += "activetab " + std::to_string(active) + "\n";
  out += "offset " + std::to_string(strip->GetScrollOffset()) + "\n";
  for (int i = 0; i < strip->GetTabCount(); ++i) {
    const CRect box = strip->GetTabBox(i);
    out += "tab" + std::to_string(i) + " " +
           ProbeScreenPoint(strip, CPoint(box.CenterPoint().x, box.top + 2)) + "\n";
  }
  for (DWORD b = kSECTabButtonFirst; b <= kSECTabButtonLast; b <<= 1)
    out += "button" + std::to_string(b) + " " +
           ProbeScreenPoint(strip, strip->GetButtonRect(b).CenterPoint()) + "\n";
  out += "lastright " + std::to_string(strip->GetTabBox(strip->GetTabCount() - 1).right) + "\n";
  out += "arearight " + std::to_string(strip->GetTabsArea().right) + "\n";
}

class TabProbeApp : public CWinApp {
 public:
  TabProbeApp() : CWinApp("TabProbe") {}
  BOOL InitInstance() override {
    g_frame = new CWnd;
    g_frame->CreateEx(0, nullptr, "Tab probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 360, 200, nullptr,
                      nullptr);
    m_pMainWnd = g_frame;
    g_tabs = new SECTabWnd;
    g_tabs->Create(g_frame, WS_CHILD | WS_VISIBLE | kSECTabWndFourButtons, kProbeTabWndId);
    for (int i = 0; i < kProbeTabs; ++i) {
      auto* client = new CWnd;
      const std::string label = "Pane " + std::to_string(i);
      client->Create(nullptr, label.c_str(), WS_CHILD, CRect(0, 0, 0, 0), g_tabs, 200 + i);
      g_tabs->AddTab(client, label.c_str());
    }
    CRect client;
    g_frame->GetClientRect(&client);
    g_tabs->MoveWindow(&client);
    mirt_ui::AddTestStateReporter(Report);
    return TRUE;
  }
};

TabProbeApp g_app;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
