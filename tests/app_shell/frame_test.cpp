// The main frame's operations and its private messages, sent as the
// debugger's and the build's threads send them.
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "disasm/view/disview0doc.h"
#include "disasm/view/disview0view.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/ui.h"
#include "shell_fixture.h"
#include "ui_test_support.h"
#include "tests/support/test_support.h"

namespace shell_test {
namespace {

constexpr auto kTwentyLines =
    "l1\nl2\nl3\nl4\nl5\nl6\nl7\nl8\nl9\nl10\nl11\nl12\nl13\nl14\nl15\nl16\nl17\nl18\nl19\nl20\n";

std::string PaneText(CTextDisplay& pane) {
  CString text;
  pane.GetWindowText(text);
  return std::string(text);
}

bool ListHas(const ProjectFileList& list, const char* name) {
  POSITION pos = list.GetHeadPosition();
  while (pos)
    if (list.GetNext(pos) == name) return true;
  return false;
}

CMirt2View* SourceViewOf(CMirt2Doc* doc) {
  POSITION pos = doc->GetFirstViewPosition();
  return pos ? dynamic_cast<CMirt2View*>(doc->GetNextView(pos)) : nullptr;
}

TEST_F(ShellTest, OpenFileAtLineGoesToTheLineOfAnExistingFile) {
  constexpr int kLine = 12;
  std::string path = MakeFile("main.c", kTwentyLines);
  Start();
  auto* view = dynamic_cast<CMirt2View*>(frame->OpenFileAtLine(path.c_str(), kLine));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetCaretLineNumber(), kLine);
  EXPECT_EQ(frame->GetActiveMDIView(), view);
}

TEST_F(ShellTest, OpenFileAtLineCreatesOnlyAFileThatDoesNotExist) {
  std::string missing = dir + "/new.c";
  Start();
  ASSERT_NE(frame->OpenFileAtLine(missing.c_str(), -1), nullptr);
  EXPECT_TRUE(std::filesystem::exists(missing));
  EXPECT_EQ(mirt_test::ReadFile(missing), "");
}

TEST_F(ShellTest, OpenFileAtLineReportsAnExistingFileItCannotReadAndLeavesItWhole) {
  std::string path = MakeFile("locked.c", kTwentyLines);
  // Another handle holds the file without sharing it: reading is refused.
  HANDLE holder =
      CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Start();
  EXPECT_EQ(frame->OpenFileAtLine(path.c_str(), 1), nullptr);
  CloseHandle(holder);
  EXPECT_EQ(mirt_test::ReadFile(path), kTwentyLines);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_FALSE(boxes.empty());
  EXPECT_NE(boxes.back().text.find("locked.c"), std::string::npos);
  EXPECT_EQ(OpenDocumentCount(), 0);
}

TEST_F(ShellTest, OutputForAPaneThatDoesNotExistIsIgnored) {
  constexpr auto kText = "text";
  constexpr WPARAM kNoSuchPane = 2;
  Start();
  frame->SendMessage(WM_OUTPUT_TEXT, kNoSuchPane, reinterpret_cast<LPARAM>(kText));
  EXPECT_EQ(PaneText(frame->GetOutputBar().GetBuildPane()), "");
  EXPECT_EQ(PaneText(frame->GetOutputBar().GetDebugPane()), "");
  int active = -1;
  ASSERT_TRUE(frame->GetOutputBar().GetTabWnd().GetActiveTab(active));
  EXPECT_EQ(active, kOutputTabBuild);
}

TEST_F(ShellTest, TextSentFromAnotherThreadReachesItsPaneAndBringsItsTabToTheFront) {
  constexpr auto kFirst = "gcc -c ma";
  constexpr auto kSecond = "in.c\n";
  constexpr auto kDebugText = "program starts at 0000:0100";
  Start();
  std::thread sender([&] {
    ::SendMessage(frame->m_hWnd, WM_OUTPUT_TEXT, kOutputPaneBuild, reinterpret_cast<LPARAM>(kFirst));
    ::SendMessage(frame->m_hWnd, WM_OUTPUT_TEXT, kOutputPaneBuild, reinterpret_cast<LPARAM>(kSecond));
    ::SendMessage(frame->m_hWnd, WM_OUTPUT_TEXT, kOutputPaneDebug, reinterpret_cast<LPARAM>(kDebugText));
  });
  while (PaneText(frame->GetOutputBar().GetDebugPane()).empty()) ::PumpWaitingMessages();
  sender.join();
  EXPECT_EQ(PaneText(frame->GetOutputBar().GetBuildPane()), "gcc -c main.c\r\n");
  EXPECT_EQ(PaneText(frame->GetOutputBar().GetDebugPane()), std::string(kDebugText) + "\r\n");
  int active = -1;
  ASSERT_TRUE(frame->GetOutputBar().GetTabWnd().GetActiveTab(active));
  EXPECT_EQ(active, kOutputTabDebug);
}

TEST_F(ShellTest, APaneKeepsItsWholeTextBeyondAnEditsUsualLimit) {
  constexpr size_t kLines = 2000;
  constexpr auto kLine = "gcc -c a_rather_long_source_file_name.c -o a_rather_long_object_name.o\n";
  Start();
  for (size_t i = 0; i < kLines; ++i)
    frame->SendMessage(WM_OUTPUT_TEXT, kOutputPaneBuild, reinterpret_cast<LPARAM>(kLine));
  CTextDisplay& pane = frame->GetOutputBar().GetBuildPane();
  EXPECT_GT(pane.GetStoredText().size(), 30000u);
  EXPECT_EQ(PaneText(pane), pane.GetStoredText());
  EXPECT_EQ(pane.GetLineCount(), static_cast<int>(kLines) + 1);
}

struct BuildResultCase {
  UINT message;
  WORD kind;
  const char* expected;
};

const BuildResultCase kBuildResultCases[] = {
    {WM_BUILD_OK, kProjectKindMake, "Build terminated successfully\r\n"},
    {WM_BUILD_UP_TO_DATE, kProjectKindMake, "Executable is up to date\r\n"},
    {WM_BUILD_FAILED, kProjectKindMake, "Executable could not be built\r\n"},
    {WM_BUILD_UP_TO_DATE, kProjectKindPascal,
     "Unable to read output of build process\r\nBuild terminated successfully\r\n"},
    {WM_BUILD_FAILED, kProjectKindPascal,
     "Unable to read output of build process\r\nExecutable could not be built\r\n"},
};

TEST_F(ShellTest, EachBuildResultEndsTheBuildPane) {
  Start();
  for (const BuildResultCase& c : kBuildResultCases) {
    g_project.kind = c.kind;
    frame->GetOutputBar().ClearBuild();
    frame->SendMessage(c.message);
    EXPECT_EQ(PaneText(frame->GetOutputBar().GetBuildPane()), c.expected) << c.message << " " << c.kind;
  }
}

TEST_F(ShellTest, APascalBuildShowsTheCompilersOutputFileLineByLine) {
  constexpr auto kOut = "demo.pas(3): Error 3: Unknown identifier\r\nsecond\r\nno line end";
  MakeFile("out", kOut);
  Start();
  g_project.kind = kProjectKindPascal;
  frame->SendMessage(WM_BUILD_FAILED);
  EXPECT_EQ(PaneText(frame->GetOutputBar().GetBuildPane()),
            "demo.pas(3): Error 3: Unknown identifier\r\nsecond\r\nExecutable could not be built\r\n");
}

TEST_F(ShellTest, AStopInAFileNamedWithoutAFolderOpensItInTheProjectFolderAndMarksTheLine) {
  constexpr int16_t kStopLine = 7;
  MakeFile("main.c", kTwentyLines);
  Start();
  g_project.SetProjectDir(dir.c_str());
  StopLocation stop;
  stop.file = "main.c";
  stop.line = kStopLine;
  std::thread worker(
      [&] { ::SendMessage(frame->m_hWnd, WM_STOP_LOCATION, 0, reinterpret_cast<LPARAM>(&stop)); });
  while (OpenDocumentCount() == 0) ::PumpWaitingMessages();
  worker.join();
  CMirt2View* view = SourceViewOf(CMirt2Doc::OpenDocuments()[0]);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetCaretLineNumber(), kStopLine);
  ASSERT_NE(view->m_pCaretLine, nullptr);
  EXPECT_TRUE(view->m_pCaretLine->flags & LINE_EXECUTION);
  frame->ClearExecutionMarkers();
  EXPECT_FALSE(view->m_pCaretLine->flags & LINE_EXECUTION);
}

// Reports sent from the debugger's and the build's threads start no idle
// pass by themselves: the frame asks for one, so the bars' command states
// follow (Go enabled again after a stop, Make after a build).
TEST_F(ShellTest, DebuggerAndBuildReportsAskForAnIdlePass) {
  constexpr auto kFinished = "Debugging finished\r\n";
  Start();
  StopLocation stop;
  const struct {
    const char* what;
    UINT message;
    LPARAM lParam;
  } kReports[] = {
      {"stop", WM_STOP_LOCATION, reinterpret_cast<LPARAM>(&stop)},
      {"session end", WM_DEBUG_FINISHED, reinterpret_cast<LPARAM>(kFinished)},
      {"build done", WM_BUILD_OK, 0},
      {"build failed", WM_BUILD_FAILED, 0},
  };
  for (const auto& report : kReports) {
    SCOPED_TRACE(report.what);
    MSG waiting;
    while (::PeekMessage(&waiting, frame->m_hWnd, WM_KICKIDLE, WM_KICKIDLE, PM_REMOVE)) {
    }
    std::atomic<bool> handled{false};
    std::thread sender([&] {
      ::SendMessage(frame->m_hWnd, report.message, 0, report.lParam);
      handled = true;
    });
    while (!handled) {
      ::ServeSentMessages();
      std::this_thread::yield();
    }
    sender.join();
    EXPECT_TRUE(::PeekMessage(&waiting, frame->m_hWnd, WM_KICKIDLE, WM_KICKIDLE, PM_NOREMOVE));
  }
}

TEST_F(ShellTest, ProgramEndAndCrashSayWhatHappenedAndKeepTheSession) {
  Start();
  frame->m_bSessionActive = TRUE;
  frame->SendMessage(WM_PROGRAM_END);
  frame->SendMessage(WM_SYSTEM_CRASHED);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "End of Program reached");
  EXPECT_EQ(boxes[0].caption, "Message");
  EXPECT_EQ(boxes[1].text, "System seems to have crashed");
  EXPECT_TRUE(frame->m_bSessionActive);
  frame->SendMessage(WM_KERNEL_NO_ANSWER);
  EXPECT_FALSE(frame->m_bSessionActive);
  EXPECT_EQ(plat::MessageBoxRecords().back().caption, "error");
}

TEST_F(ShellTest, FilesAddedToTheProjectGoToTheListOfTheirKind) {
  Start();
  g_project.SetProjectDir(dir.c_str());
  g_project.SetLibDirs("sub;lib");
  frame->AddFileToProject((dir + "/main.c").c_str());
  frame->AddFileToProject((dir + "/sub/x.LIB").c_str());
  frame->AddFileToProject((dir + "/start.o").c_str());
  frame->AddFileToProject((dir + "/defs.h").c_str());
  EXPECT_TRUE(ListHas(g_project.sources, "main.c"));
  EXPECT_TRUE(ListHas(g_project.libs, "x.LIB"));
  EXPECT_TRUE(ListHas(g_project.objs, "start.o"));
  EXPECT_TRUE(ListHas(g_project.headers, "defs.h"));
}

TEST_F(ShellTest, CtrlYDeletesTheCaretLineAsOneUndoableStep) {
  std::string path = MakeFile("lines.c", "one\ntwo\nthree\n");
  Start();
  auto* view = dynamic_cast<CMirt2View*>(frame->OpenFileAtLine(path.c_str(), 2));
  ASSERT_NE(view, nullptr);
  frame->SendMessage(WM_COMMAND, ID_EDIT_DELETE_LINE);
  EditBuffer* buffer = view->GetEditBuffer();
  std::string text;
  for (EditLine* l = buffer->m_pLines; l; l = l->next) text.append(l->text, static_cast<size_t>(l->length));
  EXPECT_EQ(text, "one\nthree\n");
  EXPECT_EQ(view->GetCaretLineNumber(), 2);
  view->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
  text.clear();
  for (EditLine* l = buffer->m_pLines; l; l = l->next) text.append(l->text, static_cast<size_t>(l->length));
  EXPECT_EQ(text, "one\ntwo\nthree\n") << "one undo brings the whole line back";
}

TEST_F(ShellTest, TheLinePaneFollowsTheSourceViewsCaret) {
  std::string path = MakeFile("main.c", kTwentyLines);
  Start();
  EXPECT_EQ(std::string(frame->GetStatusBar().GetPaneText(1)), "bla");
  ASSERT_NE(frame->OpenFileAtLine(path.c_str(), 9), nullptr);
  Pump();
  EXPECT_EQ(std::string(frame->GetStatusBar().GetPaneText(1)), "L: 9");
}

TEST_F(ShellTest, ShowingTheDisassemblyTwiceBringsTheOneWindowToTheFront) {
  std::string path = MakeFile("main.c", kTwentyLines);
  Start();
  frame->m_bSessionActive = TRUE;
  frame->SendMessage(WM_COMMAND, ID_VIEW_DISASSEMBLY);
  ASSERT_TRUE(CDisview0Doc::IsOpen());
  CDisview0Doc* first = frame->m_pDisassemblyDoc;
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(dynamic_cast<CDisview0View*>(frame->GetActiveMDIView()));
  ASSERT_NE(frame->OpenFileAtLine(path.c_str(), 1), nullptr);
  EXPECT_TRUE(dynamic_cast<CMirt2View*>(frame->GetActiveMDIView()));
  frame->SendMessage(WM_COMMAND, ID_VIEW_DISASSEMBLY);
  Pump();
  EXPECT_EQ(frame->m_pDisassemblyDoc, first) << "no second document";
  EXPECT_TRUE(dynamic_cast<CDisview0View*>(frame->GetActiveMDIView()));
  first->OnCloseDocument();
  EXPECT_FALSE(CDisview0Doc::IsOpen());
}

TEST_F(ShellTest, AStopWithoutASourceFileShowsTheDisassembly) {
  Start();
  frame->m_bSessionActive = TRUE;
  StopLocation stop;
  stop.address = CAddr(0x1000, 0x20);
  frame->SendMessage(WM_STOP_LOCATION, 0, reinterpret_cast<LPARAM>(&stop));
  Pump();
  EXPECT_TRUE(CDisview0Doc::IsOpen());
  EXPECT_TRUE(dynamic_cast<CDisview0View*>(frame->GetActiveMDIView()));
  EXPECT_EQ(OpenDocumentCount(), 0);
  if (frame->m_pDisassemblyDoc) frame->m_pDisassemblyDoc->OnCloseDocument();
}

TEST_F(ShellTest, TheTextViewIsMadeByNameAndDrawsItsLineInTheMiddle) {
  constexpr int kWidth = 400;
  constexpr int kHeight = 120;
  constexpr int kEdge = 40;  // left and right strips without text
  constexpr UINT kViewId = 0xE900 + 100;
  Start();
  CRuntimeClass* type = CRuntimeClass::FromName("CTextView");
  ASSERT_NE(type, nullptr);
  auto* view = dynamic_cast<CView*>(type->CreateObject());
  ASSERT_NE(view, nullptr);
  HWND top = ui_test::MakeTop(kWidth, kHeight);
  ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight),
                           CWnd::FromHandle(top), kViewId));
  view->OnInitialUpdate();
  view->Invalidate();
  view->UpdateWindow();
  auto inkInRows = [&](int x0, int x1, int y0, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (ui_test::Pixel(view->m_hWnd, x, y) != RGB(255, 255, 255)) return true;
    return false;
  };
  ui_test::Picture(top).save(QString::fromStdString(mirt_test::ProgramDir() + "/app_shell_text_view.png"));
  EXPECT_TRUE(inkInRows(kEdge, kWidth - kEdge, kHeight / 2 - 8, kHeight / 2 + 8)) << "the line in the middle";
  constexpr int kScrollBarRoom = 20;  // the horizontal scroll bar along the bottom
  EXPECT_FALSE(inkInRows(0, kEdge, 0, kHeight - kScrollBarRoom)) << "centred: nothing at the left edge";
  EXPECT_FALSE(inkInRows(kEdge, kWidth - kEdge, 0, kHeight / 4)) << "centred: nothing near the top";
  ::DestroyWindow(top);
}

}  // namespace
}  // namespace shell_test
