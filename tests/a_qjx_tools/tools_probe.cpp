// The board tools probe: a board tool against the simulated boards, driven
// by the real-input tests. The first argument names the tool:
//   memory              the memory tool (modeless)
//   eeprom              the EEPROM editor (modal)
//   ins <file>          the installation-file editor (modal) with the file open
// It reports through the test hook:
//   tool <window handle of the tool's dialog>
//   view <address of the first row, hex>
//   row1 <the first row of the memory list>
//   hexvalue <the value of the EEPROM editor's hex-digit field>
//   editor <the installation-file editor's text, lines joined by "|">
//   edit<id> <the text of each edit field of the tool, lines joined by "|">
//   list<id> <the rows of each list box of the tool, joined by "|">
//   clicks <count of left button releases handled so far>
#include <string>
#include <vector>

#include "a_qjx/a_qjx.h"
#include "a_qjx/board_family.h"
#include "drivers/rizo32/rizo32.h"
#include "drivers/sim/simulator.h"
#include "platform/afx/afx.h"
#include "platform/afx/afxres.h"
#include "platform/ui/modal.h"
#include "platform/ui/scintilla.h"
#include "platform/ui/test_hook.h"
#include "ytn1/prompt.h"
#include "ytn1/settings_state.h"

namespace {

constexpr WORD kProbeTesseraType = 8;
constexpr uint16_t kProbeTesseraBoard = 0;
constexpr int kProbeMemoryList = 1017, kProbeEepromHex = 1013;
constexpr UINT kProbeOpenTool = WM_APP + 1;

std::vector<std::string> g_args;
HWND g_tool = nullptr;
int g_clicks = 0;

// Line ends as "|", so that a text is one line of the report.
std::string ProbeOneLine(std::string text) {
  std::erase(text, '\r');
  for (char& c : text)
    if (c == '\n') c = '|';
  return text;
}

std::string ProbeItemText(HWND window) {
  std::vector<char> text(size_t(SendMessage(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  GetWindowText(window, text.data(), int(text.size()));
  return ProbeOneLine(text.data());
}

std::string ProbeRows(HWND list) {
  std::string rows;
  const LRESULT count = SendMessage(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessage(list, LB_GETTEXTLEN, WPARAM(i), 0);
    if (length < 0) continue;
    std::vector<char> row(size_t(length) + 1, '\0');
    SendMessage(list, LB_GETTEXT, WPARAM(i), LPARAM(row.data()));
    rows += (i ? "|" : "") + ProbeOneLine(row.data());
  }
  return rows;
}

HWND ProbeEditor(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassName(child, name, sizeof name);
    if (std::string(name) == SCINTILLA_CLASS) return child;
  }
  return nullptr;
}

void ProbeReport(std::string& out) {
  out += "clicks " + std::to_string(g_clicks) + "\n";
  if (!g_tool || !IsWindow(g_tool)) return;
  char handle[32];
  std::snprintf(handle, sizeof handle, "%p", static_cast<void*>(g_tool));
  out += std::string("tool ") + handle + "\n";
  if (HWND list = GetDlgItem(g_tool, kProbeMemoryList); list && g_currentFamily) {
    char view[16];
    std::snprintf(view, sizeof view, "%lX", (unsigned long)g_currentFamily->viewAddress);
    out += std::string("view ") + view + "\n";
    char row[128] = {};
    if (SendMessage(list, LB_GETTEXTLEN, 1, 0) < LRESULT(sizeof row))
      SendMessage(list, LB_GETTEXT, 1, LPARAM(row));
    out += std::string("row1 ") + row + "\n";
  }
  if (HWND hex = GetDlgItem(g_tool, kProbeEepromHex)) out += "hexvalue " + ProbeItemText(hex) + "\n";
  if (HWND editor = ProbeEditor(g_tool)) {
    std::vector<char> text(size_t(SendMessage(editor, SCI_GETLENGTH, 0, 0)) + 1, '\0');
    SendMessage(editor, SCI_GETTEXT, text.size(), LPARAM(text.data()));
    out += "editor " + ProbeOneLine(text.data()) + "\n";
  }
  for (HWND child = GetWindow(g_tool, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassName(child, name, sizeof name);
    if (std::string(name) == "EDIT")
      out += "edit" + std::to_string(GetDlgCtrlID(child)) + " " + ProbeItemText(child) + "\n";
    if (std::string(name) == "LISTBOX")
      out += "list" + std::to_string(GetDlgCtrlID(child)) + " " + ProbeRows(child) + "\n";
  }
}

// The hidden main window: it opens a modal tool once the message loop runs.
class ProbeMainWindow : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kProbeOpenTool) {
      OpenModalTool();
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }

 private:
  static void OpenModalTool() {
    const std::string& tool = g_args[0];
    plat::PushDialogAction([](HWND dialog) {
      g_tool = dialog;
      if (g_args[0] == "ins" && g_args.size() > 1) {
        ytn1::PushFileAnswer(g_args[1]);
        ::SendMessage(dialog, WM_COMMAND, ID_FILE_OPEN, 0);
      }
    });
    if (tool == "eeprom") a_qjx_eeprom(kProbeTesseraType);
    if (tool == "ins") a_qjx_ins(0);
    g_tool = nullptr;
    PostQuitMessage(0);
  }
};

class ToolsProbeApp : public CWinApp {
 public:
  ToolsProbeApp() : CWinApp("ToolsProbe") {}
  BOOL InitInstance() override {
    sim::Simulator::Instance().Configure();
    ytn1::LibraryStartup();
    qj8_select_card(kProbeTesseraBoard);
    auto* main = new ProbeMainWindow;
    // Modal tools centre on it: it sits hidden in the middle of the screen.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    main->CreateEx(0, nullptr, "Tools probe", WS_POPUP, x, y, 1, 1, nullptr, nullptr);
    m_pMainWnd = main;
    mirt_ui::AddTestStateReporter(ProbeReport);
    if (g_args.empty()) return FALSE;
    if (g_args[0] == "memory")
      g_tool = a_qjx_memory(kProbeTesseraType);
    else
      main->PostMessage(kProbeOpenTool);
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_LBUTTONUP) ++g_clicks;
    return CWinApp::PreTranslateMessage(msg);
  }
};

ToolsProbeApp g_app;

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) g_args.push_back(argv[i]);
  return AfxWinMain(argc, argv);
}
