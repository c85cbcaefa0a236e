// Start-up and exit: the bars the "Views" flags show, the project to
// open, the documents of the last run, and what the close writes back.
#include <filesystem>
#include <vector>

#include "app/command_ids.h"
#include "app/frame_messages.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "ui_test_support.h"
#include "shell_fixture.h"
#include "tests/support/test_support.h"

namespace shell_test {
namespace {

constexpr auto kViews = "Views";
constexpr auto kOpenFiles = "Open Files";
constexpr auto kInvisible = "invisible";

bool Visible(CWnd* bar) { return bar && bar->m_hWnd && bar->IsWindowVisible(); }

TEST_F(ShellTest, StartUpShowsTheBarsThatTheViewsFlagsDoNotHide) {
  app().WriteProfileString(kViews, "OutputBar", kInvisible);
  app().WriteProfileString(kViews, "ToolBar", "Invisible");  // only the exact word hides
  Start();
  EXPECT_FALSE(Visible(&frame->GetOutputBar()));
  EXPECT_TRUE(Visible(&frame->GetToolBar()));
  EXPECT_TRUE(Visible(&frame->GetStatusBar()));
  EXPECT_FALSE(Visible(frame->GetProjectBar())) << "no project is open";
  EXPECT_FALSE(Visible(&frame->GetCallStackBar()));
  EXPECT_FALSE(Visible(frame->GetVariableBar()));
  EXPECT_FALSE(Visible(frame->GetRegistersBar()));
  EXPECT_EQ(frame->GetOutputBar().GetDlgCtrlID(), static_cast<int>(ID_OUTPUT_BAR));
  EXPECT_EQ(frame->GetProjectBar()->GetDlgCtrlID(), static_cast<int>(ID_PROJECT_BAR));
  EXPECT_TRUE(frame->GetDocumentTabs());
  Close();
  EXPECT_EQ(std::string(app().GetProfileString(kViews, "OutputBar")), kInvisible);
  EXPECT_EQ(std::string(app().GetProfileString(kViews, "ToolBar", "unset")), "");
  EXPECT_EQ(std::string(app().GetProfileString(kViews, "ProjectBar", "unset")), "");
}

TEST_F(ShellTest, TheMainWindowWithItsBarsAndAFileOpen) {
  std::string path = MakeFile("main.c", "int main(void)\n{\n  return 0;\n}\n");
  Start();
  frame->ShowControlBar(&frame->GetOutputBar(), TRUE, FALSE);
  constexpr auto kBuildLine = "gcc -c main.c -o main.o\n";
  frame->SendMessage(WM_OUTPUT_TEXT, kOutputPaneBuild, reinterpret_cast<LPARAM>(kBuildLine));
  frame->SendMessage(WM_BUILD_OK);
  ASSERT_NE(app().OpenDocumentFile(path.c_str()), nullptr);
  Picture(frame->m_hWnd, "main_window");
  CString pane;
  frame->GetStatusBar().GetPaneText(1, pane);
  EXPECT_EQ(std::string(pane), "L: 1");
}

TEST_F(ShellTest, AProjectOnTheCommandLineReplacesTheOneOfTheLastRun) {
  app().WriteProfileString("Open Project", "1", "/old/last.kpj");
  Start({"/work/next.kpj"});
  EXPECT_EQ(std::string(app().m_projectToOpen), "/work/next.kpj");
  EXPECT_EQ(OpenDocumentCount(), 0) << "a project on the command line opens no document";
}

TEST_F(ShellTest, WithoutArgumentsTheProjectOfTheLastRunIsTheOneToOpen) {
  app().WriteProfileString("Open Project", "1", "/old/last.kpj");
  Start();
  EXPECT_EQ(std::string(app().m_projectToOpen), "/old/last.kpj");
}

TEST_F(ShellTest, ReopeningStopsAtTheFirstMissingNumberAndSkipsFilesThatAreGone) {
  constexpr int kSavedLine = 3;
  std::string one = MakeFile("one.c", "a\nb\nc\nd\n");
  std::string two = MakeFile("two.h", "x\n");
  std::string four = MakeFile("four.c", "y\n");
  app().WriteProfileString(kOpenFiles, "1", one.c_str());
  app().WriteProfileInt(kOpenFiles, "Line1", kSavedLine);
  app().WriteProfileString(kOpenFiles, "2", (dir + "/gone.c").c_str());
  app().WriteProfileString(kOpenFiles, "3", two.c_str());
  app().WriteProfileString(kOpenFiles, "5", four.c_str());
  Start();
  ASSERT_EQ(OpenDocumentCount(), 2);
  EXPECT_EQ(std::string(CMirt2Doc::OpenDocuments()[0]->GetPathName()), one);
  EXPECT_EQ(std::string(CMirt2Doc::OpenDocuments()[1]->GetPathName()), two);
  POSITION pos = CMirt2Doc::OpenDocuments()[0]->GetFirstViewPosition();
  auto* view = dynamic_cast<CMirt2View*>(CMirt2Doc::OpenDocuments()[0]->GetNextView(pos));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetCaretLineNumber(), kSavedLine);
  EXPECT_EQ(app().m_nReopenStatus, -1);
}

// Documents the last run left shown come back shown, the last one active
// and painted, with their frames' active and inactive captions.
TEST_F(ShellTest, DocumentsSavedShownReopenShownWithTheLastActive) {
  constexpr int kShowNormal = 1;  // as the close saves a normal child window
  const std::vector<std::string> files = {
      MakeFile("first.c", "int first;\n"),
      MakeFile("second.h", "#define SECOND 2\n"),
      MakeFile("third.c", "void third(void)\n{\n}\n"),
  };
  for (size_t i = 0; i < files.size(); ++i) {
    CString key, status;
    key.Format("%d", static_cast<int>(i + 1));
    status.Format("status%d", static_cast<int>(i + 1));
    app().WriteProfileString(kOpenFiles, key, files[i].c_str());
    app().WriteProfileInt(kOpenFiles, status, kShowNormal);
  }
  Start();
  ASSERT_EQ(OpenDocumentCount(), static_cast<int>(files.size()));
  CMDIChildWnd* active = frame->MDIGetActive();
  ASSERT_NE(active, nullptr);
  EXPECT_EQ(std::string(active->GetActiveDocument()->GetPathName()), files.back());
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = doc->GetNextView(pos);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->GetParentFrame()->IsWindowVisible()) << doc->GetPathName();
    EXPECT_FALSE(::GetUpdateRect(view->GetParentFrame()->m_hWnd, nullptr, FALSE)) << "painted";
  }
  Picture(frame->m_hWnd, "documents_reopened");
}

TEST_F(ShellTest, ClosingWritesTheOpenFilesWithoutUnsavedOnesAndClearsAnOlderLongerList) {
  constexpr int kOlderRunFiles = 5;
  for (int n = 1; n <= kOlderRunFiles; ++n) {
    CString key;
    key.Format("%d", n);
    app().WriteProfileString(kOpenFiles, key, "/older/run.c");
  }
  std::string one = MakeFile("one.c", "a\n");
  std::string two = MakeFile("two.c", "b\n");
  Start();
  ASSERT_NE(app().OpenDocumentFile(one.c_str()), nullptr);
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);  // never saved: no path
  ASSERT_NE(app().OpenDocumentFile(two.c_str()), nullptr);
  ASSERT_EQ(OpenDocumentCount(), 3);
  Close();
  EXPECT_EQ(std::string(app().GetProfileString(kOpenFiles, "1")), one);
  EXPECT_EQ(std::string(app().GetProfileString(kOpenFiles, "2")), two)
      << "the untitled document leaves no gap";
  for (int n = 3; n <= kOlderRunFiles; ++n) {
    CString key;
    key.Format("%d", n);
    EXPECT_EQ(std::string(app().GetProfileString(kOpenFiles, key)), "") << n;
  }
  EXPECT_EQ(app().GetProfileInt(kOpenFiles, "status1", -1), app().GetProfileInt(kOpenFiles, "status2", -2));
  EXPECT_EQ(app().GetProfileInt(kOpenFiles, "status3", -1), 0u);
  EXPECT_FALSE(std::string(app().GetProfileString("Window size", "Rect")).empty());
}

TEST_F(ShellTest, NewDocumentsAreCountedUntitledOneTwoThree) {
  Start();
  for (int i = 0; i < 3; ++i) frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  ASSERT_EQ(OpenDocumentCount(), 3);
  EXPECT_EQ(std::string(CMirt2Doc::OpenDocuments()[0]->GetTitle()), "untitled 1");
  EXPECT_EQ(std::string(CMirt2Doc::OpenDocuments()[1]->GetTitle()), "untitled 2");
  EXPECT_EQ(std::string(CMirt2Doc::OpenDocuments()[2]->GetTitle()), "untitled 3");
}

TEST_F(ShellTest, TheEditorDefaultsAreWrittenAtEveryStart) {
  app().WriteProfileString("Editor\\PAS Files", "Comment Start 1", "changed");
  Start();
  EXPECT_EQ(std::string(app().GetProfileString("Editor\\PAS Files", "Comment Start 1")), "{");
  EXPECT_EQ(app().GetProfileInt("Editor\\ASM Files", "Tab size", 0), 4u);
  EXPECT_EQ(std::string(app().GetProfileString("Editor\\ASM Files", "Extra word chars")), "@@");
  EXPECT_EQ(app().GetProfileInt("Editor\\C Files", "Case", 99), 99u) << "C files get no Case entry";
}

TEST_F(ShellTest, FilesDroppedOnTheFrameFromAnotherProgramOpen) {
  std::string path = MakeFile("dropped.c", "int x;\n");
  Start();
  ASSERT_TRUE(mirt_ui::DropFiles(frame->m_hWnd, {path}, POINT{10, 10}));
  Pump();
  ASSERT_EQ(OpenDocumentCount(), 1);
  EXPECT_EQ(std::string(CMirt2Doc::OpenDocuments()[0]->GetPathName()), path);
}

TEST_F(ShellTest, TheFrameTakesItsSavedPlaceAndSizeAndStartsMaximized) {
  constexpr auto kSavedRect = "0010 0020 0810 0620";
  constexpr int kSavedWidth = 800, kSavedHeight = 600;
  app().WriteProfileString("Window size", "Rect", kSavedRect);
  Start();
  EXPECT_TRUE(frame->IsZoomed());
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ASSERT_TRUE(frame->GetWindowPlacement(&placement));
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(placement.rcNormalPosition.left, 10 + work.left);
  EXPECT_EQ(placement.rcNormalPosition.top, 20 + work.top);
  EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, kSavedWidth);
  EXPECT_EQ(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top, kSavedHeight);
  Close();
  EXPECT_EQ(std::string(app().GetProfileString("Window size", "Rect")), kSavedRect)
      << "the close saves it back";
}

TEST_F(ShellTest, ViewCommandsToggleTheirBarsAndTheDocumentTabs) {
  Start();
  frame->SendMessage(WM_COMMAND, ID_VIEW_OUTPUT);
  Pump();
  EXPECT_FALSE(Visible(&frame->GetOutputBar()));
  frame->SendMessage(WM_COMMAND, ID_VIEW_OUTPUT);
  Pump();
  EXPECT_TRUE(Visible(&frame->GetOutputBar()));
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
  Pump();
  EXPECT_FALSE(Visible(&frame->GetStatusBar()));
  frame->SendMessage(WM_COMMAND, ID_VIEW_DOCUMENT_TABS);
  EXPECT_FALSE(frame->GetDocumentTabs());
  EXPECT_FALSE(frame->GetWorkbookMode());
  Close();
  EXPECT_EQ(std::string(app().GetProfileString(kViews, "StatusBar")), kInvisible);
  EXPECT_EQ(std::string(app().GetProfileString(kViews, "DocumentTabs")), kInvisible);
}

TEST_F(ShellTest, MemoryWithoutABoardObjectDoesNothing) {
  Start();
  frame->m_bSessionActive = TRUE;  // a session of the gdb variant: no board object
  frame->SendMessage(WM_COMMAND, ID_VIEW_MEMORY);
  EXPECT_TRUE(plat::ModalRecords().empty());
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(ShellTest, TheAboutBoxShowsTheVersionAndBuildDate) {
  Start();
  std::string version;
  plat::PushDialogAction([&](HWND h) {
    version = ui_test::ItemText(h, IDC_ABOUT_VERSION);
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
  });
  frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
  constexpr auto kVersion = "Version 2.0 ";
  EXPECT_EQ(version.rfind(kVersion, 0), 0u) << version;
  EXPECT_GT(version.size(), std::string(kVersion).size()) << "the build date follows";
}

}  // namespace
}  // namespace shell_test
