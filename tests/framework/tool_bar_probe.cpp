// A program with two managed tool bars for the real-input tests: it reports
// the commands it ran and every button (screen rectangle and state). With
// the argument "--customize" the bars start in customise mode.
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_docking.h"
#include "framework/sec_tool_bar_manager.h"
#include "platform/ui/test_hook.h"
#include "platform/ui/ui.h"

namespace {

constexpr UINT kProbeFirstCommand = 100;
constexpr int kProbeCommands = 4;
constexpr UINT kProbeStandard = 0xE810;
constexpr UINT kProbeMore = 0xE811;
constexpr UINT kProbeStandardRes = 200;
constexpr UINT kProbeMoreRes = 201;

int g_commands[kProbeCommands] = {};
SECToolBarManager* g_manager = nullptr;

class ProbeFrame : public CFrameWnd {
 public:
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nID >= kProbeFirstCommand && nID < kProbeFirstCommand + kProbeCommands) {
      if (nCode == CN_COMMAND && !pHandlerInfo) ++g_commands[nID - kProbeFirstCommand];
      return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
};

void ProbeReport(std::string& out) {
  out += "commands";
  for (int n : g_commands) out += " " + std::to_string(n);
  out += "\n";
  for (SECCustomToolBar* bar : g_manager->GetToolBars()) {
    for (int i = 0; i < bar->GetBtnCount(); ++i) {
      const SECStdBtn* b = bar->GetBtn(i);
      CRect r = b->GetRect();
      bar->ClientToScreen(&r);
      char line[160];
      std::snprintf(line, sizeof line, "button %u %d %u %ld %ld %ld %ld %x\n", bar->GetDlgCtrlID(), i,
                    (b->m_nStyle & TBBS_SEPARATOR) ? 0u : b->m_nID, r.left, r.top, r.Width(), r.Height(),
                    b->m_nStyle);
      out += line;
    }
  }
}

class ProbeApp : public CWinApp {
 public:
  ProbeApp() : CWinApp("ToolBarProbe") {}
  BOOL InitInstance() override {
    auto* frame = new ProbeFrame;
    if (!frame->Create(nullptr, "Tool bar probe", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440))) return FALSE;
    m_pMainWnd = frame;
    SECEnableDocking(frame, CBRS_ALIGN_ANY);
    g_manager = new SECToolBarManager(frame);
    g_manager->SetCoolLook(TRUE);
    g_manager->DefineDefaultToolBar(kProbeStandard, "Standard", kProbeStandardRes);
    g_manager->DefineDefaultToolBar(kProbeMore, "More", kProbeMoreRes, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                    kProbeStandard);
    g_manager->CreateDefaultToolBars();
    if (m_lpCmdLine && std::strstr(m_lpCmdLine, "--customize")) g_manager->SetCustomizeMode(TRUE);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    mirt_ui::AddTestStateReporter(ProbeReport);
    return TRUE;
  }
};

ProbeApp g_app;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
