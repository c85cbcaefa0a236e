// The framework's test application: one program that shows each kind of frame
// of the framework, chosen by its first argument:
//   workbook  a SECWorkbook with three worksheets in workbook mode (the default)
//   mdi       a SECMDIFrameWnd with two children and a bar floating as an MDI child
//   sdi       a SECFrameWnd with docked bars
// and the options "caption" (the painted gradient caption), "bmpmenus"
// (bitmap menus), "menubar" (menu-bar mode: a tool bar manager makes the
// menu bar) and "maximise" (the active MDI child starts maximised). Each
// frame has docked framework bars. Under the real-input driver it reports
// through the test hook:
//   kind <workbook|mdi|sdi>
//   sheet <index> <hwnd> <x> <y>   a worksheet and a point of its tab on the screen
//   mdiactive <hwnd of the active MDI child>
//   mdichildren <count> <1 when the active one is maximised, else 0>
//   menubar <1 in menu mode, else 0> <the open or menu-mode button, -1 none>
//   menubtn <index> <title without "&"> <x> <y>   a shown menu button's centre on the screen
//   capbox <box> <x> <y>           a maximised child's caption box (0 min, 1 restore, 2 close)
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/sec_control_bar.h"
#include "framework/sec_frame_wnd.h"
#include "framework/sec_menu_bar_feature.h"
#include "framework/sec_menu_bar_mdi.h"
#include "framework/sec_tool_bar_manager.h"
#include "framework/sec_workbook.h"
#include "framework/sec_worksheet.h"
#include "frames_test_ids.h"
#include "platform/afx/afx.h"
#include "platform/ui/cdc.h"
#include "platform/ui/test_hook.h"

namespace {

enum class FramesAppKind { kWorkbook, kMDI, kSDI };
FramesAppKind g_kind = FramesAppKind::kWorkbook;
bool g_caption = false;
bool g_bmpMenus = false;
bool g_menuBar = false;
bool g_maximise = false;
SECMenuBar* g_pMenuBar = nullptr;
SECToolBarManager* g_pManager = nullptr;

std::string FramesAppHex(HWND h) {
  char s[24];
  std::snprintf(s, sizeof s, "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h)));
  return s;
}

class AppDoc : public CDocument {
  DECLARE_DYNCREATE(AppDoc)
};
IMPLEMENT_DYNCREATE(AppDoc, CDocument)

class AppView : public CView {
  DECLARE_DYNCREATE(AppView)
 public:
  void OnDraw(CDC* dc) override {
    const CString title = GetDocument()->GetTitle();
    dc->TextOut(4, 4, title, title.GetLength());
  }
};
IMPLEMENT_DYNCREATE(AppView, CView)

class AppSheet : public SECWorksheet {
  DECLARE_DYNCREATE(AppSheet)
};
IMPLEMENT_DYNCREATE(AppSheet, SECWorksheet)

class AppChild : public SECMDIChildWnd {
  DECLARE_DYNCREATE(AppChild)
};
IMPLEMENT_DYNCREATE(AppChild, SECMDIChildWnd)

// The bars every frame kind docks: a project bar on the left, an output bar
// at the bottom and a watch bar that floats.
struct AppBars {
  SECControlBar project, output, watch;
  template <class Frame>
  bool Make(Frame* frame) {
    // Made after the frame's window, so the frame's first layout places them.
    const struct {
      SECControlBar* bar;
      const char* title;
      UINT id;
    } bars[] = {{&project, "Project", IDW_FRAMES_BAR_LEFT},
                {&output, "Output", IDW_FRAMES_BAR_BOTTOM},
                {&watch, "Watch", IDW_FRAMES_BAR_FLOAT}};
    for (const auto& b : bars) {
      if (!b.bar->Create(frame, b.title, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                         SECBAR_GRIPPER | SECBAR_GRIPPERCLOSE | SECBAR_CONTEXTMENU | SECBAR_MDIFLOAT, b.id))
        return false;
      b.bar->m_szHorzDock = CSize(200, 80);
      b.bar->m_szVertDock = CSize(150, 200);
      b.bar->EnableDocking(CBRS_ALIGN_ANY);
    }
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&project, AFX_IDW_DOCKBAR_LEFT);
    frame->DockControlBar(&output, AFX_IDW_DOCKBAR_BOTTOM);
    return true;
  }
};

AppBars g_bars;

std::string FramesAppPoint(CWnd* wnd, CPoint at) {
  wnd->ClientToScreen(&at);
  return std::to_string(at.x) + " " + std::to_string(at.y);
}

void FramesAppReportMenuBar(std::string& out) {
  SECMenuBar* bar = g_pMenuBar;
  if (!bar || !bar->m_hWnd) return;
  out += "menubar " + std::to_string(bar->IsInMenuMode() ? 1 : 0) + " " +
         std::to_string(bar->GetDropDownButton()) + "\n";
  for (int i = 0; i < bar->GetBtnCount(); ++i) {
    SECStdBtn* btn = bar->GetBtn(i);
    if (btn->m_nStyle & TBBS_HIDDEN) continue;
    if (btn->m_nType == SECBtnMenu) {
      CString title = static_cast<SECTBMenuBtn*>(btn)->m_strText;
      title.Remove('&');
      out += "menubtn " + std::to_string(i) + " " + std::string(title) + " " +
             FramesAppPoint(bar, btn->GetRect().CenterPoint()) + "\n";
    } else if (btn->m_nType == SECBtnCaptionBoxes) {
      auto* caption = static_cast<SECBtnCaption*>(btn);
      for (int box = SECBtnCaption::kMinimize; box <= SECBtnCaption::kClose; ++box)
        out += "capbox " + std::to_string(box) + " " +
               FramesAppPoint(bar, caption->BoxRect(box).CenterPoint()) + "\n";
    }
  }
}

void FramesAppReport(std::string& out) {
  static const char* const kNames[] = {"workbook", "mdi", "sdi"};
  out += std::string("kind ") + kNames[static_cast<int>(g_kind)] + "\n";
  FramesAppReportMenuBar(out);
  CWnd* main = AfxGetApp()->m_pMainWnd;
  if (!main || !main->IsKindOf(RUNTIME_CLASS(SECMDIFrameWnd))) return;
  auto* frame = static_cast<SECMDIFrameWnd*>(main);
  BOOL maximised = FALSE;
  if (CMDIChildWnd* active = frame->MDIGetActive(&maximised))
    out += "mdiactive " + FramesAppHex(active->m_hWnd) + "\n";
  int children = 0;
  for (HWND h = ::GetTopWindow(frame->m_hWndMDIClient); h; h = ::GetNextWindow(h, GW_HWNDNEXT)) ++children;
  out += "mdichildren " + std::to_string(children) + " " + std::to_string(maximised ? 1 : 0) + "\n";
  if (!frame->IsKindOf(RUNTIME_CLASS(SECWorkbook))) return;
  auto* book = static_cast<SECWorkbook*>(frame);
  for (int i = 0; i < book->GetSheetCount(); ++i) {
    POINT* p = nullptr;
    int n = 0;
    book->GetTabPolygon(book->GetSheet(i), p, n);
    CPoint at((p[0].x + p[5].x) / 2, p[0].y + 8);
    delete[] p;
    book->ClientToScreen(&at);
    out += "sheet " + std::to_string(i) + " " + FramesAppHex(book->GetSheet(i)->m_hWnd) + " " +
           std::to_string(at.x) + " " + std::to_string(at.y) + "\n";
  }
}

class FramesApp : public CWinApp {
 public:
  FramesApp() : CWinApp("FramesApp") {}
  // Menu-bar mode: the manager makes the bar, which shows the frame's and the sheets' menus.
  template <class Frame>
  bool MakeMenuBar(Frame* frame) {
    if (!g_menuBar) return true;
    g_pManager = new SECToolBarManager(frame);
    frame->SetControlBarManager(g_pManager);
    g_pManager->CreateDefaultToolBars();
    auto* feature = dynamic_cast<SECMenuBarFeature*>(frame->GetPlugIn());
    if (!feature || !feature->SetMenus(2, IDR_FRAMES_MAIN, IDR_FRAMES_SHEET)) return false;
    frame->RecalcLayout();
    return true;
  }
  int ExitInstance() override {
    delete g_pManager;
    g_pManager = nullptr;
    return CWinApp::ExitInstance();
  }
  BOOL InitInstance() override {
    CFrameWnd* frame = nullptr;
    SECMDIFrameWnd* mdi = nullptr;
    if (g_kind == FramesAppKind::kSDI) {
      auto* sdi = new SECFrameWnd;
      sdi->EnableBmpMenus(g_bmpMenus);
      if (g_menuBar) sdi->SetMenuBar(g_pMenuBar = new SECMenuBar);
      if (!sdi->LoadFrame(IDR_FRAMES_MAIN) || !g_bars.Make(sdi) || !MakeMenuBar(sdi)) return FALSE;
      sdi->FloatControlBar(&g_bars.watch, CPoint(700, 200));
      if (g_caption) sdi->EnableCustomCaption(TRUE);
      frame = sdi;
    } else {
      const bool book = g_kind == FramesAppKind::kWorkbook;
      AddDocTemplate(new CMultiDocTemplate(IDR_FRAMES_SHEET, RUNTIME_CLASS(AppDoc),
                                           book ? RUNTIME_CLASS(AppSheet) : RUNTIME_CLASS(AppChild),
                                           RUNTIME_CLASS(AppView)));
      mdi = book ? new SECWorkbook : new SECMDIFrameWnd;
      mdi->EnableBmpMenus(g_bmpMenus);
      if (g_menuBar) mdi->SetMenuBar(g_pMenuBar = new SECMDIMenuBar);
      if (!mdi->LoadFrame(IDR_FRAMES_MAIN) || !g_bars.Make(mdi) || !MakeMenuBar(mdi)) return FALSE;
      if (g_caption) mdi->EnableCustomCaption(TRUE);
      frame = mdi;
    }
    m_pMainWnd = frame;
    frame->MoveWindow(20, 20, 1000, 700);
    frame->ShowWindow(SW_SHOW);
    if (mdi) {
      if (mdi->IsKindOf(RUNTIME_CLASS(SECWorkbook))) static_cast<SECWorkbook*>(mdi)->SetWorkbookMode(TRUE);
      POSITION pos = GetFirstDocTemplatePosition();
      CDocTemplate* tmpl = pos ? GetNextDocTemplate(pos) : nullptr;
      for (const char* title : {"main.c", "a_rather_long_document_name.asm", "board.h"}) {
        if (CDocument* doc = tmpl ? tmpl->OpenDocumentFile(nullptr) : nullptr) doc->SetTitle(title);
      }
      mdi->FloatControlBarInMDIChild(&g_bars.watch, CPoint(-1, -1));
      if (CMDIChildWnd* active = g_maximise && tmpl ? mdi->MDIGetActive() : nullptr) {
        // The last document's child, not the bar's.
        if (active->IsKindOf(RUNTIME_CLASS(SECControlBarMDIChildWnd))) mdi->MDINext();
        mdi->MDIMaximize(mdi->MDIGetActive());
      }
    }
    frame->UpdateWindow();
    mirt_ui::AddTestStateReporter(FramesAppReport);
    return TRUE;
  }
};

FramesApp theApp;

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "mdi") == 0) g_kind = FramesAppKind::kMDI;
    if (std::strcmp(argv[i], "sdi") == 0) g_kind = FramesAppKind::kSDI;
    if (std::strcmp(argv[i], "caption") == 0) g_caption = true;
    if (std::strcmp(argv[i], "bmpmenus") == 0) g_bmpMenus = true;
    if (std::strcmp(argv[i], "menubar") == 0) g_menuBar = true;
    if (std::strcmp(argv[i], "maximise") == 0) g_maximise = true;
  }
  return AfxWinMain(argc, argv);
}
