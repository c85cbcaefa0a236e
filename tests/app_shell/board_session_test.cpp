// A host session on the simulated board driven through the main frame: the
// debug kernel installed by the frame, a breakpoint from the source view,
// the stop with its execution mark, a watch that changes with a step over,
// and End Debugging with the board's stop handshake.
#include <chrono>
#include <functional>
#include <string>

#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "debugger/breakpoint_list.h"
#include "debugger/driver_binding.h"
#include "debugger/kalven_board.h"
#include "debugger/session/debugger.h"
#include "debugger/session_globals.h"
#include "drivers/sim/simulator.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/msgbox.h"
#include "shell_fixture.h"
#include "tests/debugger_session/board_program.h"
#include "tests/support/test_support.h"

namespace shell_test {
namespace {

constexpr uint16_t kBoardKernelTask = 10;
// Lines of the board program (tests/debugger_session/board_program.h).
constexpr int kIncrementLine = 13, kReturnLine = 14;
constexpr auto kBoardWatched = "counter";
// The Borland interpreter shows a number with its hexadecimal form.
constexpr auto kCounterBefore = "7 (0x7)", kCounterAfter = "8 (0x8)";
constexpr int kSourceLines = 25;
// The Registers bar's row of the instruction pointer at line 14 (offset 0x40).
constexpr auto kReturnLineIp = "IP=0x0040";
constexpr auto kBoardWaitMs = std::chrono::milliseconds(20000);

class BoardSessionTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    sim::Simulator::Instance().Configure();
    sim::Simulator::Instance().SetRealTime(true);
    SetDriverLibraryName(DriverLibrary::Rizo, "rizo32.dll");
    g_breakpointList.RemoveAll();
  }
  void TearDown() override {
    if (frame && g_pCurrentDebugger) frame->SendMessage(WM_COMMAND, ID_DEBUG_END);
    g_breakpointList.RemoveAll();
    delete g_pBoard;
    g_pBoard = nullptr;
    ShellTest::TearDown();
    g_project.SetExeFile(nullptr);
    sim::Simulator::Instance().Configure();
  }

  // The program installed on board 0 and its source beside it; the
  // project's connection names both tasks.
  std::string PrepareBoardProject() {
    const std::string program = session_test::WriteBoardProgram();
    session_test::StartBoard();
    session_test::InstallOnBoard(program);
    const std::string folder = program.substr(0, program.rfind('/'));
    std::string text;
    for (int i = 1; i <= kSourceLines; ++i) text += "line " + std::to_string(i) + "\n";
    const std::string source = mirt_test::WriteFile(folder + "/" + session_test::kProgramSource, text);
    g_project.SetProjectDir(folder.c_str());
    g_project.SetExeFile(session_test::kProgramName);
    g_project.SetCardClass(kCardClassQJ);
    g_project.SetCardNumber(0);
    g_project.SetPcPort(0);
    g_project.SetDebuggeeNum(session_test::kProgramTask);
    g_project.SetKernelNum(kBoardKernelTask);
    return source;
  }

  bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + kBoardWaitMs;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      Pump();
    }
    return true;
  }

  bool StoppedAt(CMirt2View* view, int line) {
    return g_pCurrentDebugger && !g_pCurrentDebugger->IsRunning() && view->GetCaretLineNumber() == line &&
           view->m_pCaretLine && (view->m_pCaretLine->flags & LINE_EXECUTION);
  }

  std::string WatchValue(const char* name) {
    CVariableTree& tree = frame->GetVariableBar()->m_tree;
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
      if (std::string(tree.GetItemText(item)) == name) return std::string(tree.ValueOf(item));
    return "";
  }

  // "NAME=VALUE " for each top-level row.
  static std::string Rows(CVariableTree& tree) {
    std::string rows;
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
      rows += std::string(tree.GetItemText(item)) + "=" + std::string(tree.ValueOf(item)) + " ";
    return rows;
  }

  std::string CallStack() {
    CString text;
    frame->GetCallStackBar().GetDisplay().GetWindowText(text);
    return std::string(text);
  }

  std::string DebugPane() {
    CString text;
    frame->GetOutputBar().GetDebugPane().GetWindowText(text);
    return std::string(text);
  }
};

TEST_F(BoardSessionTest, HostSessionFromTheFrameInstallsTheKernelStopsStepsAndEnds) {
  Start();
  const std::string source = PrepareBoardProject();
  auto* view = dynamic_cast<CMirt2View*>(frame->OpenFileAtLine(source.c_str(), kIncrementLine));
  ASSERT_NE(view, nullptr);
  view->OnToggleBreakpoint();

  frame->SendMessage(WM_COMMAND, ID_DEBUG_START);
  Pump();
  ASSERT_TRUE(frame->m_bSessionActive)
      << (plat::MessageBoxRecords().empty() ? std::string() : plat::MessageBoxRecords()[0].text);
  ASSERT_NE(g_pCurrentDebugger, nullptr);
  EXPECT_NE(DebugPane().find("debug kernel succesfully installed"), std::string::npos) << DebugPane();
  EXPECT_EQ(g_pSourceDebugPort != nullptr, true);

  // The Registers and Call Stack bars follow every stop.
  frame->ShowControlBar(frame->GetRegistersBar(), TRUE, FALSE);
  frame->ShowControlBar(&frame->GetCallStackBar(), TRUE, FALSE);
  frame->ShowControlBar(frame->GetVariableBar(), TRUE, FALSE);
  frame->SendMessage(WM_COMMAND, ID_DEBUG_GO);
  ASSERT_TRUE(PumpUntil([&] { return StoppedAt(view, kIncrementLine); }));
  ASSERT_TRUE(PumpUntil([&] { return !Rows(frame->GetRegistersBar()->m_tree).empty(); }));
  ASSERT_TRUE(PumpUntil([&] { return CallStack().find("main") != std::string::npos; })) << CallStack();
  frame->SendMessage(WM_WATCH_SELECTION, 0, reinterpret_cast<LPARAM>(kBoardWatched));
  ASSERT_TRUE(PumpUntil([&] { return WatchValue(kBoardWatched) == kCounterBefore; }))
      << WatchValue(kBoardWatched);

  frame->SendMessage(WM_COMMAND, ID_DEBUG_STEP_OVER);
  ASSERT_TRUE(PumpUntil([&] { return StoppedAt(view, kReturnLine); }));
  ASSERT_TRUE(PumpUntil([&] { return WatchValue(kBoardWatched) == kCounterAfter; }))
      << WatchValue(kBoardWatched);

  ASSERT_TRUE(PumpUntil([&] {
    return Rows(frame->GetRegistersBar()->m_tree).find(kReturnLineIp) != std::string::npos;
  })) << Rows(frame->GetRegistersBar()->m_tree);
  EXPECT_EQ(CallStack().rfind("main()", 0), 0u) << CallStack();
  EXPECT_TRUE(plat::MessageBoxRecords().empty()) << plat::MessageBoxRecords().front().text;
  Picture(frame->m_hWnd, "board_session_stopped");

  frame->SendMessage(WM_COMMAND, ID_DEBUG_END);
  Pump();
  EXPECT_FALSE(frame->m_bSessionActive);
  EXPECT_EQ(g_pCurrentDebugger, nullptr);
  EXPECT_EQ(g_pBoard, nullptr);
  EXPECT_NE(DebugPane().find("End of debugging"), std::string::npos) << DebugPane();
  EXPECT_FALSE(view->m_pCaretLine->flags & LINE_EXECUTION);
}

}  // namespace
}  // namespace shell_test
