// A small MDI application with two document types, two dockable bars and
// a status bar: documents open, change, save and close with the save
// question answered by the test; views follow updates; status panes and
// menu items follow their update handlers; a view prints to a PDF; the
// application's picture is written as a PNG.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "afx_test_ids.h"
#include "afx_test_support.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/menu.h"
#include "platform/ui/modal.h"
#include "platform/ui/print.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

using afx_test::FixedBar;
using afx_test::Pump;

namespace {

// A document of one line of text, stored as it is.
class TextDoc : public CDocument {
  DECLARE_DYNCREATE(TextDoc)
 public:
  CString text;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteString(text);
    } else {
      ar.ReadString(text);
    }
  }
  void DeleteContents() override { text.Empty(); }
};
IMPLEMENT_DYNCREATE(TextDoc, CDocument)

class ListDoc : public TextDoc {
  DECLARE_DYNCREATE(ListDoc)
};
IMPLEMENT_DYNCREATE(ListDoc, TextDoc)

class TextView : public CView {
  DECLARE_DYNCREATE(TextView)
 public:
  int updates = 0;
  LPARAM lastHint = 0;
  int printedPages = 0;
  void OnDraw(CDC* dc) override {
    auto* doc = static_cast<TextDoc*>(GetDocument());
    dc->TextOut(4, 4, doc ? static_cast<LPCSTR>(doc->text) : "", doc ? doc->text.GetLength() : 0);
  }
  void OnUpdate(CView* sender, LPARAM hint, CObject* obj) override {
    ++updates;
    lastHint = hint;
    CView::OnUpdate(sender, hint, obj);
  }
  BOOL OnPreparePrinting(CPrintInfo* info) override {
    info->SetMaxPage(2);
    return DoPreparePrinting(info);
  }
  void OnPrint(CDC* dc, CPrintInfo* info) override {
    ++printedPages;
    CView::OnPrint(dc, info);
  }
  void OnTestCommand() { static_cast<TextDoc*>(GetDocument())->text += "!"; }
  void OnUpdateLine(CCmdUI* ui) { ui->SetText("Ln 1"); }
  void OnUpdateMode(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnUpdateTestCommand(CCmdUI* ui) { ui->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TextView, CView)

BEGIN_MESSAGE_MAP(TextView, CView)
ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_COMMAND, OnUpdateTestCommand)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINE, OnUpdateLine)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_MODE, OnUpdateMode)
END_MESSAGE_MAP()

class ChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(ChildFrame)
};
IMPLEMENT_DYNCREATE(ChildFrame, CMDIChildWnd)

class MainFrame : public CMDIFrameWnd {
 public:
  FixedBar one, two;
  CStatusBar status;
  int OnCreate(LPCREATESTRUCT cs) {
    if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_LINE, ID_INDICATOR_MODE, ID_INDICATOR_CAPS};
    if (!status.Create(this) || !status.SetIndicators(indicators, 4)) return -1;
    if (!one.CreateBar(this, IDW_BAR_ONE, "One") || !two.CreateBar(this, IDW_BAR_TWO, "Two")) return -1;
    one.EnableDocking(CBRS_ALIGN_ANY);
    two.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&one, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&two, AFX_IDW_DOCKBAR_LEFT);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MainFrame, CMDIFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("AfxDocTest") {}
  CMultiDocTemplate* text = nullptr;
  CMultiDocTemplate* list = nullptr;
  BOOL InitInstance() override {
    text = new CMultiDocTemplate(IDR_TEXTTYPE, RUNTIME_CLASS(TextDoc), RUNTIME_CLASS(ChildFrame),
                                 RUNTIME_CLASS(TextView));
    list = new CMultiDocTemplate(IDR_LISTTYPE, RUNTIME_CLASS(ListDoc), RUNTIME_CLASS(ChildFrame),
                                 RUNTIME_CLASS(TextView));
    AddDocTemplate(text);
    AddDocTemplate(list);
    LoadStdProfileSettings(4);
    auto* frame = new MainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME)) return FALSE;
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    frame->MoveWindow(0, 0, 640, 480);
    return TRUE;
  }
};

TestApp& App() {
  static TestApp* app = new TestApp;
  return *app;
}

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    plat::ClearMessageBoxRecords();
    ASSERT_TRUE(App().InitInstance());
    main = static_cast<MainFrame*>(App().m_pMainWnd);
    Pump();
  }
  void TearDown() override {
    afx::SetFilePromptHandler(nullptr);
    afx::SetNewTemplateChooser(nullptr);
    if (App().m_pMainWnd) {
      App().CloseAllDocuments(TRUE);
      App().m_pMainWnd->DestroyWindow();
    }
    Pump();
    delete App().m_pDocManager;
    App().m_pDocManager = nullptr;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  TextDoc* NewDoc(CDocTemplate* t) {
    afx::SetNewTemplateChooser([t](const std::vector<CDocTemplate*>&) { return t; });
    main->SendMessage(WM_COMMAND, ID_FILE_NEW);
    Pump();
    CMDIChildWnd* child = main->MDIGetActive();
    return child ? static_cast<TextDoc*>(child->GetActiveDocument()) : nullptr;
  }
  int Children() {
    int n = 0;
    for (HWND h = ::GetTopWindow(main->m_hWndMDIClient); h; h = ::GetNextWindow(h, GW_HWNDNEXT)) ++n;
    return n;
  }
  MainFrame* main = nullptr;
};

TEST_F(DocTest, NewDocumentsOfBothTypesGetTheirFramesTitlesAndMenus) {
  TextDoc* a = NewDoc(App().text);
  ASSERT_NE(a, nullptr);
  TextDoc* b = NewDoc(App().list);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(b->IsKindOf(RUNTIME_CLASS(ListDoc)));
  EXPECT_EQ(a->GetTitle(), "Text1");
  EXPECT_EQ(b->GetTitle(), "List1");
  EXPECT_EQ(App().GetOpenDocumentCount(), 2);
  EXPECT_EQ(Children(), 2);
  Pump();
  CString title;
  main->GetWindowText(title);
  EXPECT_EQ(title, "Test Application - List1");

  // Activating the text document's child brings its template's menu.
  main->MDINext();
  Pump();
  EXPECT_EQ(main->MDIGetActive()->GetActiveDocument(), a);
  EXPECT_EQ(::GetMenu(main->m_hWnd), App().text->m_hMenuShared);
  main->GetWindowText(title);
  EXPECT_EQ(title, "Test Application - Text1");
  // The window popup lists both children, the active one checked.
  HMENU window = main->GetWindowMenuPopup(App().text->m_hMenuShared);
  ASSERT_NE(window, nullptr);
  int n = ::GetMenuItemCount(window);
  ASSERT_GE(n, 4);
  char text[64];
  ::GetMenuString(window, static_cast<UINT>(n - 2), text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&1 Text1");
  EXPECT_TRUE(::GetMenuState(window, static_cast<UINT>(n - 2), MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(DocTest, CtrlF4ClosesNoChildWhileTheFrameIsDisabledUnderAModalDialog) {
  ASSERT_NE(NewDoc(App().text), nullptr);
  HWND child = main->MDIGetActive()->m_hWnd;
  auto ctrlF4 = [this, child] {
    ui_test::Key(child, true, Qt::Key_Control, Qt::ControlModifier, "");
    Pump();
    MSG m{child, WM_KEYDOWN, VK_F4, 0, 0, {0, 0}, 0};
    const BOOL taken = main->PreTranslateMessage(&m);
    ui_test::Key(main->m_hWnd, false, Qt::Key_Control, 0, "");  // the child may be gone
    Pump();
    return taken;
  };
  main->EnableWindow(FALSE);  // as a modal dialog's owner
  EXPECT_FALSE(ctrlF4());
  EXPECT_EQ(Children(), 1);
  main->EnableWindow(TRUE);
  EXPECT_TRUE(ctrlF4());
  EXPECT_EQ(Children(), 0);
}

TEST_F(DocTest, ClosingAModifiedDocumentAsksAndTheAnswerDecides) {
  TextDoc* doc = NewDoc(App().text);
  ASSERT_NE(doc, nullptr);
  doc->text = "saved text";
  doc->SetModifiedFlag();
  CMDIChildWnd* child = main->MDIGetActive();

  // Cancel keeps everything open.
  plat::PushMessageBoxAnswer(IDCANCEL);
  child->SendMessage(WM_CLOSE);
  Pump();
  ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
  EXPECT_EQ(plat::MessageBoxRecords()[0].text, "Save changes to Text1?");
  EXPECT_EQ(App().GetOpenDocumentCount(), 1);

  // Yes asks for a name and saves there; the document takes the path.
  std::string path = mirt_test::MakeTempDir("save") + "/first.txt";
  afx::SetFilePromptHandler([&](CString& name, BOOL open, CDocTemplate*) {
    EXPECT_FALSE(open);
    EXPECT_EQ(name, "Text1.txt");  // the title with the template's extension
    name = path.c_str();
    return TRUE;
  });
  plat::PushMessageBoxAnswer(IDYES);
  child->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_EQ(mirt_test::ReadFile(path), "saved text");
  EXPECT_EQ(App().GetOpenDocumentCount(), 0);
  EXPECT_EQ(Children(), 0);
  EXPECT_EQ((*App().m_pRecentFileList)[0], path.c_str());
  // With the last child gone the frame has its own menu back.
  EXPECT_EQ(::GetMenu(main->m_hWnd), main->m_hMenuDefault);
}

TEST_F(DocTest, OpeningAFileReadsItOnceAndAFailedOpenLeavesNothingBehind) {
  std::string dir = mirt_test::MakeTempDir("open");
  std::string path = mirt_test::WriteFile(dir + "/note.lst", "a list\r\n");
  CDocument* doc = App().OpenDocumentFile(path.c_str());
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(ListDoc)));  // chosen by the extension
  EXPECT_EQ(static_cast<TextDoc*>(doc)->text, "a list");
  EXPECT_EQ(doc->GetTitle(), "note.lst");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(App().OpenDocumentFile(path.c_str()), doc);  // already open
  EXPECT_EQ(Children(), 1);
  // A name that differs in letter case is another file.
  std::string upper = mirt_test::WriteFile(dir + "/NOTE.lst", "another list\r\n");
  CDocument* other = App().OpenDocumentFile(upper.c_str());
  ASSERT_NE(other, nullptr);
  EXPECT_NE(other, doc);
  EXPECT_EQ(static_cast<TextDoc*>(other)->text, "another list");
  other->OnCloseDocument();
  EXPECT_EQ(Children(), 1);

  plat::PushMessageBoxAnswer(IDOK);
  EXPECT_EQ(App().OpenDocumentFile((dir + "/missing.txt").c_str()), nullptr);
  ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
  EXPECT_EQ(plat::MessageBoxRecords()[0].text, "Failed to open document.");
  EXPECT_EQ(App().GetOpenDocumentCount(), 1);
  EXPECT_EQ(Children(), 1);
}

TEST_F(DocTest, SavingAnUntitledDocumentAsksForItsFileInTheFileDialog) {
  const std::string path = mirt_test::MakeTempDir("saveas") + "/chosen.txt";
  constexpr auto kText = "saved through the dialog";
  TextDoc* doc = NewDoc(App().text);
  ASSERT_NE(doc, nullptr);
  doc->text = kText;
  plat::CommonDialogAnswer answer;
  answer.ok = true;
  answer.values = {path};
  plat::PushCommonDialogAnswer(answer);
  EXPECT_TRUE(doc->DoSave(nullptr, TRUE));
  EXPECT_EQ(std::string(static_cast<LPCSTR>(doc->GetPathName())), path);
  EXPECT_NE(mirt_test::ReadFile(path).find(kText), std::string::npos);
}

TEST_F(DocTest, AFailedSaveSaysWhy) {
  std::string dir = mirt_test::MakeTempDir("savefail");
  std::string missingFolder = dir + "/no/such/folder/t.txt";
  std::string tooBig = dir + "/big.txt";
  constexpr rlim_t kSizeLimit = 4;  // below the document's text
  struct Case {
    std::string path;
    rlim_t limit;
    std::string message;
  } cases[] = {
      {missingFolder, RLIM_INFINITY, missingFolder + " contains an incorrect path."},
      {tooBig, kSizeLimit, "A hardware I/O error was reported while accessing " + tooBig + "."},
  };
  for (const Case& c : cases) {
    TextDoc doc;
    doc.text = "a text longer than the limit";
    plat::ClearMessageBoxRecords();
    BOOL saved;
    {
      mirt_test::FileSizeLimit limit(c.limit);
      saved = doc.OnSaveDocument(c.path.c_str());
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
    EXPECT_EQ(plat::MessageBoxRecords()[0].text, c.message);
  }
}

TEST_F(DocTest, TheShellCommandOfTheCommandLineRuns) {
  std::string path =
      mirt_test::WriteFile(mirt_test::MakeTempDir("shell") + "/start.txt", "from the command line");
  struct Case {
    std::vector<std::string> args;
    BOOL result;
    int documents;
  } cases[] = {
      {{path}, TRUE, 1}, {{path + ".missing"}, FALSE, 1}, {{}, TRUE, 2},  // File New
  };
  afx::SetNewTemplateChooser([](const std::vector<CDocTemplate*>& all) { return all.front(); });
  for (const Case& c : cases) {
    App().SetCommandLineArguments(c.args);
    CCommandLineInfo info;
    App().ParseCommandLine(info);
    plat::PushMessageBoxAnswer(IDOK);  // the failure box of the missing file
    EXPECT_EQ(App().ProcessShellCommand(info), c.result);
    EXPECT_EQ(App().GetOpenDocumentCount(), c.documents);
  }
  plat::ClearMessageBoxRecords();
}

TEST_F(DocTest, AllViewsButTheSenderFollowAnUpdateAndWindowsAreNumbered) {
  TextDoc* doc = NewDoc(App().text);
  ASSERT_NE(doc, nullptr);
  main->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
  Pump();
  ASSERT_EQ(Children(), 2);
  std::vector<TextView*> views;
  for (POSITION pos = doc->GetFirstViewPosition(); pos;)
    views.push_back(static_cast<TextView*>(doc->GetNextView(pos)));
  ASSERT_EQ(views.size(), 2u);
  for (TextView* v : views) v->updates = 0;
  doc->UpdateAllViews(views[0], 49054);
  EXPECT_EQ(views[0]->updates, 0);
  EXPECT_EQ(views[1]->updates, 1);
  EXPECT_EQ(views[1]->lastHint, 49054);
  CString a, b;
  views[0]->GetParentFrame()->GetWindowText(a);
  views[1]->GetParentFrame()->GetWindowText(b);
  EXPECT_EQ(a, "Text1:1");
  EXPECT_EQ(b, "Text1:2");
  // Closing one of the two frames keeps the document without asking.
  doc->SetModifiedFlag();
  views[1]->GetParentFrame()->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
  EXPECT_EQ(App().GetOpenDocumentCount(), 1);
  doc->SetModifiedFlag(FALSE);
}

TEST_F(DocTest, StatusPanesAndMenuItemsFollowTheirHandlersOnIdle) {
  TextDoc* doc = NewDoc(App().text);
  ASSERT_NE(doc, nullptr);
  Pump(&App());
  EXPECT_EQ(main->status.GetPaneText(1), "Ln 1");
  EXPECT_TRUE(main->status.GetPaneStyle(2) & SBPS_DISABLED);
  EXPECT_FALSE(main->status.GetPaneStyle(1) & SBPS_DISABLED);
  // The pane for Caps Lock follows the key.
  EXPECT_EQ((main->status.GetPaneStyle(3) & SBPS_DISABLED) != 0, !(::GetKeyState(VK_CAPITAL) & 1));

  // The template's "Text" popup: handled items enabled, the unhandled one grey.
  HMENU popup = ::GetSubMenu(App().text->m_hMenuShared, 1);
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 1);
  EXPECT_FALSE(::GetMenuState(popup, ID_TEST_COMMAND, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(::GetMenuState(popup, ID_TEST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
  // A command from the menu reaches the active view.
  main->SendMessage(WM_COMMAND, ID_TEST_COMMAND);
  EXPECT_EQ(doc->text, "!");
  // Prompts of the status line.
  main->SendMessage(WM_SETMESSAGESTRING, ID_TEST_COMMAND);
  EXPECT_EQ(main->status.GetPaneText(0), "Runs the test command");
}

TEST_F(DocTest, PrintingAViewWritesAPdfWithItsPages) {
  TextDoc* doc = NewDoc(App().text);
  ASSERT_NE(doc, nullptr);
  doc->text = "printed";
  std::string pdf = mirt_test::MakeTempDir("print") + "/view.pdf";
  afx_test::PrintJobsTo(pdf);
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  afx_test::PrintJobsTo("");
  auto* view = static_cast<TextView*>(main->MDIGetActive()->GetActiveView());
  EXPECT_EQ(view->printedPages, 2);
  std::string bytes = mirt_test::ReadFile(pdf);
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 4), "%PDF");
}

TEST_F(DocTest, PrintPreviewShowsThePagesInPlaceOfTheViewAndCloses) {
  TextDoc* doc = NewDoc(App().text);
  ASSERT_NE(doc, nullptr);
  doc->text = "previewed";
  CMDIChildWnd* child = main->MDIGetActive();
  auto* view = static_cast<TextView*>(child->GetActiveView());
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  Pump();
  CView* active = child->GetActiveView();
  ASSERT_TRUE(active && active->IsKindOf(RUNTIME_CLASS(CPreviewView)));
  auto* preview = static_cast<CPreviewView*>(active);
  EXPECT_FALSE(view->IsWindowVisible());
  EXPECT_EQ(static_cast<int>(active->GetDlgCtrlID()), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(main->status.GetPaneText(0), "Page 1");
  view->printedPages = 0;
  active->Invalidate();
  active->UpdateWindow();
  EXPECT_GE(view->printedPages, 1);  // the page is drawn by the view's OnPrint

  struct Step {
    UINT command;
    UINT page;
  } steps[] = {
      {AFX_ID_PREVIEW_NEXT, 2}, {AFX_ID_PREVIEW_NEXT, 2}, {AFX_ID_PREVIEW_PREV, 1}, {AFX_ID_PREVIEW_PREV, 1}};
  for (const Step& s : steps) {
    main->SendMessage(WM_COMMAND, s.command);
    EXPECT_EQ(preview->GetCurrentPage(), s.page);
  }
  // Escape closes: the view comes back in its place.
  active->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(child->GetActiveView(), view);
  EXPECT_TRUE(view->IsWindowVisible());
  EXPECT_EQ(static_cast<int>(view->GetDlgCtrlID()), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(child->m_lpfnCloseProc, nullptr);
}

TEST_F(DocTest, ChildrenTileCascadeAndMaximise) {
  NewDoc(App().text);
  NewDoc(App().list);
  CRect client;
  ::GetClientRect(main->m_hWndMDIClient, &client);
  main->MDITile(MDITILE_HORIZONTAL);
  std::vector<CRect> rects;
  for (HWND h = ::GetTopWindow(main->m_hWndMDIClient); h; h = ::GetNextWindow(h, GW_HWNDNEXT)) {
    CRect r;
    ::GetWindowRect(h, &r);
    ::MapWindowPoints(nullptr, main->m_hWndMDIClient, reinterpret_cast<LPPOINT>(&r), 2);
    rects.push_back(r);
  }
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].Width(), client.Width());
  EXPECT_EQ(rects[0].Height() + rects[1].Height(), client.Height());

  CMDIChildWnd* active = main->MDIGetActive();
  main->MDIMaximize(active);
  BOOL maximised = FALSE;
  EXPECT_EQ(main->MDIGetActive(&maximised), active);
  EXPECT_TRUE(maximised);
  CRect inside;
  active->GetClientRect(&inside);
  EXPECT_EQ(inside.Size(), client.Size());
  // The next child inherits the maximised state.
  main->MDINext();
  EXPECT_NE(main->MDIGetActive(&maximised), active);
  EXPECT_TRUE(maximised);
  EXPECT_FALSE(active->GetStyle() & WS_MAXIMIZE);
  main->MDICascade();
  main->MDIGetActive(&maximised);
  EXPECT_FALSE(maximised);
}

TEST_F(DocTest, ChildrenMoveByTheirCaptionAndMaximiseByADoubleClick) {
  NewDoc(App().text);
  CMDIChildWnd* child = main->MDIGetActive();
  main->MDIRestore(child);
  CRect before;
  child->GetWindowRect(&before);
  constexpr int kCaptionX = 40;  // past the system-menu icon, short of the buttons
  constexpr int kCaptionY = 8;
  CPoint start(before.left + kCaptionX, before.top + kCaptionY);
  ASSERT_EQ(child->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(start.x, start.y)), HTCAPTION);
  CPoint target(start.x + 30, start.y + 20);
  child->ScreenToClient(&target);
  // Mouse positions are relative to the window when they happen: one release at the target.
  child->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
  child->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(start.x, start.y));
  CRect after;
  child->GetWindowRect(&after);
  EXPECT_EQ(after.TopLeft(), CPoint(before.left + 30, before.top + 20));
  EXPECT_EQ(after.Size(), before.Size());

  child->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION,
                     MAKELPARAM(after.left + kCaptionX, after.top + kCaptionY));
  BOOL maximised = FALSE;
  main->MDIGetActive(&maximised);
  EXPECT_TRUE(maximised);
}

TEST_F(DocTest, ThePictureOfTheApplication) {
  TextDoc* doc = NewDoc(App().text);
  doc->text = "Hello from the text view";
  doc->UpdateAllViews(nullptr);
  NewDoc(App().list);
  main->MDICascade();
  main->FloatControlBar(&main->two, CPoint(420, 300));
  Pump(&App());
  main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>("Ready"));
  main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
  Pump();
  QImage picture = ui_test::Picture(main->m_hWnd);
  ASSERT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save((mirt_test::ProgramDir() + "/afx_mdi_application.png").c_str()));
  EXPECT_EQ(picture.width(), 640);
}

}  // namespace
