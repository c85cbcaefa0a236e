// The source editor probe: a source view on the file named by its first
// argument, in a top-level window, driven by the real-input tests. It
// reports through the test hook:
//   view <x> <y>          the view's client origin on the screen
//   lineheight <n>, charwidth <n>, margin <n>   the cell grid
//   top <n>               the first visible line
//   caret <line> <column> the caret (line 1-based, column 0-based)
//   selected <text>       the selected text, line ends as "|" ("" without one)
//   clip <text>           the clipboard's text, line ends as "|"
//   text <text>           the buffer's text, line ends as "|"
//   finddialog <0|1>      whether the find dialog is open
#include <cstring>
#include <string>

#include "editor/view/cmirt2view.h"
#include "platform/afx/afx.h"
#include "platform/ui/test_hook.h"

namespace {

std::string g_probePath;
CMirt2View* g_probeView = nullptr;

// The top window hands the focus to the view, as a frame does.
class EditProbeFrame : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETFOCUS && g_probeView != nullptr && g_probeView->m_hWnd != nullptr) {
      g_probeView->SetFocus();
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// Line ends shown as "|", CR dropped.
std::string EditProbeShown(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '\r') continue;
    shown += c == '\n' ? '|' : c;
  }
  return shown;
}

std::string EditProbeClipboard() {
  std::string text;
  if (!::OpenClipboard(g_probeView->m_hWnd)) return text;
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(::GlobalLock(h)))
      text.assign(p, strnlen(p, ::GlobalSize(h)));
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return EditProbeShown(text);
}

std::string EditProbeBufferText() {
  std::string text;
  EditBuffer& buffer = g_probeView->GetDocument()->m_editBuffer;
  for (EditLine* l = buffer.m_pLines; l != nullptr; l = l->next) text.append(l->text, l->length);
  return EditProbeShown(text);
}

void EditProbeReport(std::string& out) {
  if (g_probeView == nullptr || g_probeView->m_hWnd == nullptr) return;
  CPoint origin(0, 0);
  g_probeView->ClientToScreen(&origin);
  out += "view " + std::to_string(origin.x) + " " + std::to_string(origin.y) + "\n";
  out += "lineheight " + std::to_string(g_probeView->m_nLineHeight) + "\n";
  out += "charwidth " + std::to_string(g_probeView->m_nCharWidth) + "\n";
  out += "margin " + std::to_string(g_probeView->m_nMarginWidth) + "\n";
  out += "top " + std::to_string(g_probeView->m_nTopLine) + "\n";
  out += "caret " + std::to_string(g_probeView->m_nCaretLine) + " " +
         std::to_string(g_probeView->m_nCaretColumn) + "\n";
  std::string selected = g_probeView->HasSelection() ? g_probeView->SelectionClipText() : "";
  out += "selected " + EditProbeShown(selected) + "\n";
  out += "clip " + EditProbeClipboard() + "\n";
  out += "text " + EditProbeBufferText() + "\n";
  out += "finddialog " + std::string(g_probeView->m_pFindDialog != nullptr ? "1" : "0") + "\n";
}

class EditProbeApp : public CWinApp {
 public:
  EditProbeApp() : CWinApp("EditviewProbe") {}
  BOOL InitInstance() override {
    AfxOleInit();
    auto* frame = new EditProbeFrame;
    frame->CreateEx(0, nullptr, "source", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 560, 400, nullptr,
                    nullptr);
    m_pMainWnd = frame;
    CRect client;
    frame->GetClientRect(&client);
    auto* doc = new CMirt2Doc;
    g_probeView = new CMirt2View;
    g_probeView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, client, frame,
                        AFX_IDW_PANE_FIRST);
    doc->AddView(g_probeView);
    if (!doc->LoadSourceFile(g_probePath.c_str())) return FALSE;
    EditBuffer& buffer = doc->m_editBuffer;
    buffer.m_strFontName = "Courier New";
    buffer.m_nFontSize = 10;
    buffer.m_nTabSize = 4;
    g_probeView->OnInitialUpdate();
    g_probeView->SetFocus();
    mirt_ui::AddTestStateReporter(EditProbeReport);
    return TRUE;
  }
};

EditProbeApp g_editProbeApp;

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g_probePath = argv[1];
  return AfxWinMain(argc, argv);
}
