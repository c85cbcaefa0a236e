// A whole gdb session driven through the main frame's commands and
// messages: a program built by gcc -g at test time, a breakpoint set in
// its source view, the stop with its execution mark, a step over, a
// watch whose value changes, the call stack, and the end of the session.
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "debugger/breakpoint_list.h"
#include "debugger/session/debugger.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "debugger/ui/go_to_dialog.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "shell_fixture.h"
#include "tests/support/host_debug_program.h"
#include "tests/support/test_support.h"

namespace shell_test {
namespace {

// Lines of kDebugProgram the session stops at.
constexpr int kCallLine = mirt_test::kHostCallLine, kPrintLine = mirt_test::kHostPrintLine;
constexpr auto kDebugProgram = mirt_test::kHostDebugProgram;
constexpr auto kProgramName = "prog";
constexpr auto kWatched = "total";
constexpr auto kValueBefore = "0", kValueAfter = "3";
constexpr auto kEndText = "End of debugging";
constexpr auto kDebugWaitMs = std::chrono::milliseconds(20000);

class DebugSessionTest : public ShellTest {
 protected:
  void TearDown() override {
    if (frame && g_pCurrentDebugger) frame->SendMessage(WM_COMMAND, ID_DEBUG_END);
    g_breakpointList.RemoveAll();
    ShellTest::TearDown();
  }

  // Builds the program in the test's folder and makes it the project's.
  bool BuildProgram() {
    source = MakeFile("prog.c", kDebugProgram);
    const std::string compile = "gcc -g -O0 -o '" + dir + "/" + kProgramName + "' '" + source + "'";
    if (std::system(compile.c_str()) != 0) return false;
    g_project.SetProjectDir(dir.c_str());
    g_project.SetExeFile(kProgramName);
    return true;
  }

  bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + kDebugWaitMs;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      Pump();
    }
    return true;
  }

  void Command(UINT id) {
    frame->SendMessage(WM_COMMAND, id);
    Pump();
  }

  CMirt2View* SourceView() {
    auto docs = CMirt2Doc::OpenDocuments();
    if (docs.empty()) return nullptr;
    POSITION pos = docs[0]->GetFirstViewPosition();
    return pos ? dynamic_cast<CMirt2View*>(docs[0]->GetNextView(pos)) : nullptr;
  }

  bool StoppedAt(int line) {
    CMirt2View* view = SourceView();
    return view && view->GetCaretLineNumber() == line && view->m_pCaretLine &&
           (view->m_pCaretLine->flags & LINE_EXECUTION) && !g_pCurrentDebugger->IsRunning();
  }

  std::string WatchValue(const char* name) {
    CVariableTree& tree = frame->GetVariableBar()->m_tree;
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
      if (std::string(tree.GetItemText(item)) == name) return std::string(tree.ValueOf(item));
    return "";
  }

  std::string DebugPane() {
    CString text;
    frame->GetOutputBar().GetDebugPane().GetWindowText(text);
    return std::string(text);
  }

  std::string source;
};

TEST_F(DebugSessionTest, GdbSessionFromTheFrameStopsStepsWatchesAndEnds) {
  Start();
  ASSERT_TRUE(BuildProgram()) << "gcc could not build the test program";
  auto* view = dynamic_cast<CMirt2View*>(frame->OpenFileAtLine(source.c_str(), kCallLine));
  ASSERT_NE(view, nullptr);
  view->OnToggleBreakpoint();
  ASSERT_EQ(g_breakpointList.GetCount(), 1);

  // The first Go brings gdb up; the program runs with the next one.
  Command(ID_DEBUG_GO);
  ASSERT_NE(g_pCurrentDebugger, nullptr);
  EXPECT_TRUE(frame->m_bSessionActive);
  EXPECT_TRUE(plat::MessageBoxRecords().empty()) << plat::MessageBoxRecords().front().text;
  frame->ShowControlBar(&frame->GetCallStackBar(), TRUE, FALSE);
  Command(ID_DEBUG_GO);
  ASSERT_TRUE(PumpUntil([&] { return StoppedAt(kCallLine); }));

  // A watch asked for at the stop, then the call stack arrives.
  frame->SendMessage(WM_WATCH_SELECTION, 0, reinterpret_cast<LPARAM>(kWatched));
  ASSERT_TRUE(PumpUntil([&] { return WatchValue(kWatched) == kValueBefore; })) << WatchValue(kWatched);
  EXPECT_TRUE(frame->GetVariableBar()->IsWindowVisible());
  ASSERT_TRUE(PumpUntil([&] {
    CString text;
    frame->GetCallStackBar().GetDisplay().GetWindowText(text);
    return std::string(text).find("main") != std::string::npos;
  }));

  Command(ID_DEBUG_STEP_OVER);
  ASSERT_TRUE(PumpUntil([&] { return StoppedAt(kPrintLine); }));
  EXPECT_EQ(OpenDocumentCount(), 1) << "the stops show the open document";
  ASSERT_TRUE(PumpUntil([&] { return WatchValue(kWatched) == kValueAfter; })) << WatchValue(kWatched);
  EXPECT_EQ(frame->GetVariableBar()->PendingCount(), 0);
  Picture(frame->m_hWnd, "debug_session_stopped");

  Command(ID_DEBUG_END);
  EXPECT_FALSE(frame->m_bSessionActive);
  EXPECT_EQ(g_pCurrentDebugger, nullptr);
  EXPECT_EQ(g_pSourceDebugPort, nullptr);
  EXPECT_FALSE(view->m_pCaretLine->flags & LINE_EXECUTION);
  EXPECT_NE(DebugPane().find(kEndText), std::string::npos) << DebugPane();
  EXPECT_FALSE(frame->GetVariableBar()->IsWindowVisible());
}

TEST_F(DebugSessionTest, RunToCursorStartsASessionAndNoAnswerFromTheKernelEndsIt) {
  Start();
  ASSERT_TRUE(BuildProgram()) << "gcc could not build the test program";
  ASSERT_NE(frame->OpenFileAtLine(source.c_str(), kCallLine), nullptr);
  Command(ID_DEBUG_RUN_TO_CURSOR);
  ASSERT_NE(g_pCurrentDebugger, nullptr);
  EXPECT_TRUE(frame->m_bSessionActive);
  EXPECT_EQ(g_pSourceDebugPort != nullptr, true);

  frame->PostMessage(WM_KERNEL_NO_ANSWER);
  Pump();
  EXPECT_EQ(g_pCurrentDebugger, nullptr);
  EXPECT_FALSE(frame->m_bSessionActive);
  EXPECT_EQ(g_pSourceDebugPort, nullptr);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "no answer from debug kernel,\ndebugging is stopped");
}

TEST_F(DebugSessionTest, GoToAndEditBreakpointsComeFromTheFrame) {
  constexpr auto kTargetLine = "12";
  constexpr int kTargetLineNumber = 12;
  Start();
  // Without a view Go To shows nothing.
  Command(ID_EDIT_GOTO);
  EXPECT_TRUE(plat::ModalRecords().empty());

  ASSERT_TRUE(BuildProgram());
  auto* view = dynamic_cast<CMirt2View*>(frame->OpenFileAtLine(source.c_str(), 1));
  ASSERT_NE(view, nullptr);
  std::string label;
  plat::PushDialogAction([&](HWND dialog) {
    char text[64] = {};
    ::GetDlgItemText(dialog, CGoToDialog::kLabel, text, sizeof text);
    label = text;
    ::SetDlgItemText(dialog, CGoToDialog::kEntry, kTargetLine);
    ::SendMessage(dialog, WM_COMMAND, CGoToDialog::kGoTo, 0);
    ::EndDialog(dialog, IDCANCEL);
  });
  Command(ID_EDIT_GOTO);
  EXPECT_EQ(label, "Line Number");
  EXPECT_EQ(view->GetCaretLineNumber(), kTargetLineNumber);

  // Edit Breakpoints wants a project as well as a view.
  const std::string projectFile = dir + "/prog.kpj";
  g_project.SetFilePath(projectFile.c_str());
  plat::PushDialogAction([](HWND dialog) { ::EndDialog(dialog, IDCANCEL); });
  Command(ID_DEBUG_EDIT_BREAKPOINTS);
  auto modals = plat::ModalRecords();
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[1].caption, "Breakpoints");
}

}  // namespace
}  // namespace shell_test
