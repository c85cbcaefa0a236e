// The display probe: a small MDI program on the window layer, driven by the
// real-input tests. It has menus, an accelerator, a docked bar with a list
// box, a status bar, two documents whose views show typed text and keep a
// caret, a modal dialog with an edit, a list, a combo box and a check
// box, and a message box (Ctrl+M). It reports what it saw through the test hook:
//   view <hwnd> <text typed into it>
//   barlist <hwnd>
//   floatframe <hwnd of the floating bar's frame>
//   menuitem <n> <x> <y> <cx> <cy>   the menu bar's items on the screen
//   mdiactive <hwnd of the active MDI child>
//   commands <ids of the probe's commands run, in order>
//   dialogs <dialogs closed> <last result>
//   screen <cx> <cy> <work area left top right bottom>
//   status <the status bar's first pane>
//   dialogedit <the open dialog's edit text>
//   dialogcombo <the open dialog's combo selection> <its list's line height>
//   dialogkeys <key presses in dialogs the application's PreTranslateMessage saw>
//   msgbox <message boxes closed> <last answer>
// With "--bottom" the main frame stands with its menu bar near the
// screen's bottom.
#include <cstdio>
#include <string>

#include "platform/afx/afx.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/afxdlg.h"
#include "platform/ui/caret.h"
#include "platform/ui/cdc.h"
#include "platform/ui/menu.h"
#include "platform/ui/test_hook.h"
#include "probe_ids.h"

namespace {

constexpr int kFloatX = 900;
constexpr int kFloatY = 120;
std::string g_commands;
int g_dialogsClosed = 0;
int g_dialogKeys = 0;
HWND g_dialog = nullptr;  // the open modal dialog
bool g_atBottom = false;
constexpr int kBottomRoom = 40;  // screen rows below the menu bar with "--bottom"
INT_PTR g_lastResult = 0;
int g_messageBoxes = 0;
int g_lastAnswer = 0;

std::string Hex(HWND h) {
  char s[24];
  std::snprintf(s, sizeof s, "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h)));
  return s;
}

class ProbeDoc : public CDocument {
  DECLARE_DYNCREATE(ProbeDoc)
};
IMPLEMENT_DYNCREATE(ProbeDoc, CDocument)

class ProbeView : public CView {
  DECLARE_DYNCREATE(ProbeView)
 public:
  std::string typed;
  void OnDraw(CDC* dc) override {
    std::string shown = "Typed: " + typed;
    dc->TextOut(4, 4, shown.c_str(), static_cast<int>(shown.size()));
  }
  void OnChar(UINT ch, UINT, UINT) {
    typed += static_cast<char>(ch);
    Invalidate();
  }
  void OnSetFocus(CWnd*) {
    ::CreateCaret(m_hWnd, nullptr, 2, 16);
    ::SetCaretPos(4, 22);
    ::ShowCaret(m_hWnd);
  }
  void OnKillFocus(CWnd*) { ::DestroyCaret(); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(ProbeView, CView)
BEGIN_MESSAGE_MAP(ProbeView, CView)
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

class ProbeChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(ProbeChild)
};
IMPLEMENT_DYNCREATE(ProbeChild, CMDIChildWnd)

// A bar standing at the left with a list box filling it.
class ListBar : public CControlBar {
 public:
  CListBox list;
  BOOL CreateBar(CWnd* parent, UINT id, const char* title) {
    m_dwStyle = 0;
    if (!CWnd::Create(AfxControlBarClass(), title, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent, id))
      return FALSE;
    if (!list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOTIFY, CRect(0, 0, 110, 200), this,
                     IDC_BAR_LIST))
      return FALSE;
    for (int i = 0; i < 8; ++i) list.AddString(("Item " + std::to_string(i)).c_str());
    return TRUE;
  }
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override {
    if (bHorz) return CSize(bStretch ? 32767 : 200, 120);
    return CSize(120, bStretch ? 32767 : 200);
  }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  void OnSize(UINT, int cx, int cy) {
    if (list.m_hWnd) list.MoveWindow(4, 4, cx - 8, cy - 8);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ListBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

class ProbeDialog : public CDialog {
 public:
  ProbeDialog() : CDialog(IDD_PROBE) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    g_dialog = m_hWnd;
    // The controls are filled by message: their window objects are plain CWnds.
    for (int i = 0; i < 20; ++i) {
      std::string line = "Line " + std::to_string(i);
      SendDlgItemMessage(IDC_PROBE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    for (const char* s : {"Red", "Green", "Blue", "Cyan", "Magenta"})
      SendDlgItemMessage(IDC_PROBE_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendDlgItemMessage(IDC_PROBE_COMBO, CB_SETCURSEL, 0);
    return TRUE;
  }
};

class ProbeFrame : public CMDIFrameWnd {
 public:
  CStatusBar status;
  ListBar bar, floating;
  int OnCreate(LPCREATESTRUCT cs) {
    if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
    if (!status.Create(this) || !status.SetIndicators(indicators, 2)) return -1;
    if (!bar.CreateBar(this, IDW_PROBE_BAR, "List") || !floating.CreateBar(this, IDW_PROBE_FLOAT, "Float"))
      return -1;
    bar.EnableDocking(CBRS_ALIGN_ANY);
    floating.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    FloatControlBar(&floating, CPoint(kFloatX, kFloatY));
    return 0;
  }
  void Note(UINT id) { g_commands += (g_commands.empty() ? "" : ",") + std::to_string(id); }
  void OnAlpha() { Note(ID_PROBE_ALPHA); }
  void OnBeta() { Note(ID_PROBE_BETA); }
  void OnGamma() { Note(ID_PROBE_GAMMA); }
  void OnDelta() { Note(ID_PROBE_DELTA); }
  void OnDialog() {
    Note(ID_PROBE_DIALOG);
    ProbeDialog dlg;
    g_lastResult = dlg.DoModal();
    g_dialog = nullptr;
    ++g_dialogsClosed;
  }
  void OnMessage() {
    g_lastAnswer = AfxMessageBox("Keep the probe's changes?", MB_YESNOCANCEL | MB_ICONQUESTION);
    ++g_messageBoxes;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ProbeFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_PROBE_ALPHA, OnAlpha)
ON_COMMAND(ID_PROBE_BETA, OnBeta)
ON_COMMAND(ID_PROBE_GAMMA, OnGamma)
ON_COMMAND(ID_PROBE_DELTA, OnDelta)
ON_COMMAND(ID_PROBE_DIALOG, OnDialog)
ON_COMMAND(ID_PROBE_MESSAGE, OnMessage)
END_MESSAGE_MAP()

void Report(std::string& out) {
  CWinApp* app = AfxGetApp();
  if (auto* frame = static_cast<ProbeFrame*>(app->m_pMainWnd)) {
    out += "barlist " + Hex(frame->bar.list.m_hWnd) + "\n";
    CFrameWnd* floatFrame = frame->floating.GetParentFrame();
    out += "floatframe " + Hex(floatFrame ? floatFrame->m_hWnd : nullptr) + "\n";
    HMENU menu = ::GetMenu(frame->m_hWnd);
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
      RECT r{};
      ::GetMenuItemRect(frame->m_hWnd, menu, i, &r);
      char line[96];
      std::snprintf(line, sizeof line, "menuitem %d %ld %ld %ld %ld\n", i, r.left, r.top, r.right - r.left,
                    r.bottom - r.top);
      out += line;
    }
    CMDIChildWnd* active = frame->MDIGetActive();
    out += "mdiactive " + Hex(active ? active->m_hWnd : nullptr) + "\n";
    out += "status " + std::string(static_cast<LPCSTR>(frame->status.GetPaneText(0))) + "\n";
  }
  POSITION tp = app->GetFirstDocTemplatePosition();
  while (tp) {
    CDocTemplate* t = app->GetNextDocTemplate(tp);
    POSITION dp = t->GetFirstDocPosition();
    while (dp) {
      CDocument* doc = t->GetNextDoc(dp);
      POSITION vp = doc->GetFirstViewPosition();
      while (vp) {
        auto* view = static_cast<ProbeView*>(doc->GetNextView(vp));
        out += "view " + Hex(view->m_hWnd) + " " + view->typed + "\n";
      }
    }
  }
  out += "commands " + g_commands + "\n";
  RECT work{};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  char screen[128];
  std::snprintf(screen, sizeof screen, "screen %d %d %ld %ld %ld %ld\n", ::GetSystemMetrics(SM_CXSCREEN),
                ::GetSystemMetrics(SM_CYSCREEN), work.left, work.top, work.right, work.bottom);
  out += screen;
  out += "dialogs " + std::to_string(g_dialogsClosed) + " " + std::to_string(g_lastResult) + "\n";
  out += "dialogkeys " + std::to_string(g_dialogKeys) + "\n";
  out += "msgbox " + std::to_string(g_messageBoxes) + " " + std::to_string(g_lastAnswer) + "\n";
  if (g_dialog && ::IsWindow(g_dialog)) {
    char edit[64] = {};
    ::GetDlgItemText(g_dialog, IDC_PROBE_EDIT, edit, sizeof edit);
    out += std::string("dialogedit ") + edit + "\n";
    const LRESULT chosen = ::SendDlgItemMessage(g_dialog, IDC_PROBE_COMBO, CB_GETCURSEL, 0, 0);
    const LRESULT lineHeight = ::SendDlgItemMessage(g_dialog, IDC_PROBE_COMBO, CB_GETITEMHEIGHT, 0, 0);
    out += "dialogcombo " + std::to_string(chosen) + " " + std::to_string(lineHeight) + "\n";
  }
}

class ProbeApp : public CWinApp {
 public:
  ProbeApp() : CWinApp("DisplayProbe") {}
  BOOL InitInstance() override {
    AddDocTemplate(new CMultiDocTemplate(IDR_PROBETYPE, RUNTIME_CLASS(ProbeDoc), RUNTIME_CLASS(ProbeChild),
                                         RUNTIME_CLASS(ProbeView)));
    auto* frame = new ProbeFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME)) return FALSE;
    m_pMainWnd = frame;
    int top = g_atBottom ? ::GetSystemMetrics(SM_CYSCREEN) - kBottomRoom - ::GetSystemMetrics(SM_CYMENU) : 40;
    frame->MoveWindow(40, top, 800, 600);
    frame->ShowWindow(SW_SHOW);
    OnFileNew();
    OnFileNew();
    mirt_ui::AddTestStateReporter(Report);
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    char cls[16] = {};
    if (msg->message == WM_KEYDOWN && ::GetClassName(::GetAncestor(msg->hwnd, GA_ROOT), cls, sizeof cls) &&
        std::string(cls) == "#32770")
      ++g_dialogKeys;
    return CWinApp::PreTranslateMessage(msg);
  }
};

ProbeApp g_app;

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--bottom") g_atBottom = true;
  return AfxWinMain(argc, argv);
}
