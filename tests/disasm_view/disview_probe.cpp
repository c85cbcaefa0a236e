// The disassembly probe: the disassembly window over a board memory of
// code (NOPs with an "int 21" every 16 bytes from 0x1000), driven by the
// real-input tests. It reports through the test hook:
//   view <x> <y>        the view's client origin on the screen
//   lineheight <n>      pixels per row; margin <n> the margin's width
//   top <n>, caret <n>  the first visible line and the caret line
//   topaddress <hex>    the address the top line shows
//   selected <text>     the selected text ("" without a selection)
//   clip <text>         the clipboard's text, line ends as "|"
//   finddialog <0|1>    whether the find dialog is open
#include <cstdio>
#include <string>
#include <vector>

#include "disasm/disass_neighbours.h"
#include "disasm/listing_line.h"
#include "disasm/mem_addr_list.h"
#include "disasm/view/disview0view.h"
#include "platform/afx/afx.h"
#include "platform/ui/test_hook.h"

namespace {

constexpr DWORD kProbeCodeBase = 0x1000;
constexpr int kProbeCodeBytes = 0x2000;
constexpr int kProbeIntEvery = 16;

class ProbeMemory : public CDisassTarget {
 public:
  ProbeMemory() : m_code(kProbeCodeBytes, 0x90) {
    for (size_t i = 0; i + 1 < m_code.size(); i += kProbeIntEvery) {
      m_code[i] = 0xCD;  // int 21
      m_code[i + 1] = 0x21;
    }
  }
  BOOL ReadMemory(DWORD linear, WORD count, BYTE* buffer) override {
    for (WORD i = 0; i < count; ++i) {
      DWORD at = linear + i - kProbeCodeBase;
      if (linear + i < kProbeCodeBase || at >= m_code.size()) return FALSE;
      buffer[i] = m_code[at];
    }
    return TRUE;
  }

 private:
  std::vector<BYTE> m_code;
};

ProbeMemory g_memory;
CDisassx86 g_disass(&g_memory);
CDisview0View* g_view = nullptr;

// The top window hands the focus to the view, as a frame does.
class ProbeFrame : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETFOCUS && g_view != nullptr && g_view->m_hWnd != nullptr) {
      g_view->SetFocus();
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

std::string ClipboardText() {
  std::string text;
  if (g_view == nullptr || !::OpenClipboard(g_view->m_hWnd)) return text;
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(::GlobalLock(h)))
      text.assign(p, strnlen(p, ::GlobalSize(h)));
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  std::string shown;
  for (char c : text) {
    if (c == '\r') continue;
    shown += c == '\n' ? '|' : c;
  }
  return shown;
}

void Report(std::string& out) {
  if (g_view == nullptr) return;
  CPoint origin(0, 0);
  g_view->ClientToScreen(&origin);
  out += "view " + std::to_string(origin.x) + " " + std::to_string(origin.y) + "\n";
  out += "lineheight " + std::to_string(g_view->m_nLineHeight) + "\n";
  out += "margin " + std::to_string(g_view->m_nMarginWidth) + "\n";
  out += "top " + std::to_string(g_view->m_nTopLine) + "\n";
  out += "caret " + std::to_string(g_view->m_nCaretLine) + "\n";
  std::string top = g_view->m_pTopLine != nullptr ? std::string(g_view->m_pTopLine->text, 8) : "";
  out += "topaddress " + top + "\n";
  out += "selected " + g_view->SelectionClipText() + "\n";
  out += "clip " + ClipboardText() + "\n";
  out += "finddialog " + std::string(g_view->m_pFindDialog != nullptr ? "1" : "0") + "\n";
}

class DisviewProbeApp : public CWinApp {
 public:
  DisviewProbeApp() : CWinApp("DisviewProbe") {}
  BOOL InitInstance() override {
    g_pDisass = &g_disass;
    g_pDisassTarget = &g_memory;
    g_pMemAddrList = new CMemAddrList;
    auto* frame = new ProbeFrame;
    frame->CreateEx(0, nullptr, "disassembly", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 560, 400, nullptr,
                    nullptr);
    m_pMainWnd = frame;
    CRect client;
    frame->GetClientRect(&client);
    auto* doc = new CDisview0Doc;
    g_view = new CDisview0View;
    doc->AddView(g_view);
    g_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, client, frame,
                   AFX_IDW_PANE_FIRST);
    g_view->OnInitialUpdate();
    g_view->GoToAddress(kProbeCodeBase);
    g_view->SetFocus();
    mirt_ui::AddTestStateReporter(Report);
    return TRUE;
  }
};

DisviewProbeApp g_app;

}  // namespace

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
