// A host session on the simulated board driven through the main frame: the
// debug kernel installed by the frame, a breakpoint from the source view,
// the stop with its execution mark, a watch that changes with a step over,
// and End Debugging with the board's stop handshake.
#include <chrono>
#include <functional>
#include <string>

#include "app/command_ids.h"
#include "a_qjx/tool_windows.h"
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "debugger/breakpoint_list.h"
#include "debugger/driver_binding.h"
#include "debugger/kalven_board.h"
#include "debugger/session/debugger.h"
#include "debugger/session_globals.h"
#include "debugger/ui/io_port_dialog.h"
#include "drivers/sim/board.h"
#include "drivers/sim/simulator.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/modal.h"
#include "shell_fixture.h"
#include "tests/debugger_session/board_program.h"
#include "tests/support/test_support.h"
#include "ytn1/ytn1.h"

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

  // A session from the frame stopped at the breakpoint on line 13; the
  // source view, or null.
  CMirt2View* StopAtIncrementLine() {
    Start();
    const std::string source = PrepareBoardProject();
    auto* view = dynamic_cast<CMirt2View*>(frame->OpenFileAtLine(source.c_str(), kIncrementLine));
    if (!view) return nullptr;
    m_source = source;
    view->OnToggleBreakpoint();
    frame->SendMessage(WM_COMMAND, ID_DEBUG_START);
    Pump();
    if (!frame->m_bSessionActive || !g_pCurrentDebugger) return nullptr;
    frame->SendMessage(WM_COMMAND, ID_DEBUG_GO);
    return PumpUntil([&] { return StoppedAt(view, kIncrementLine); }) ? view : nullptr;
  }

  std::string m_source;

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

// Set IP moves the program to the caret line: the mark follows, and a step
// runs the line there (counter = 5 again).
TEST_F(BoardSessionTest, SetIPMovesTheProgramToTheCaretLine) {
  constexpr int kAssignLine = 11, kCallLine = 12;
  constexpr auto kCounterAssigned = "5 (0x5)";
  CMirt2View* view = StopAtIncrementLine();
  ASSERT_NE(view, nullptr);
  frame->SendMessage(WM_WATCH_SELECTION, 0, reinterpret_cast<LPARAM>(kBoardWatched));
  ASSERT_TRUE(PumpUntil([&] { return WatchValue(kBoardWatched) == kCounterBefore; }));

  view->GoToLine(kAssignLine);
  frame->SendMessage(WM_COMMAND, ID_DEBUG_SET_IP);
  ASSERT_TRUE(PumpUntil([&] { return StoppedAt(view, kAssignLine); }));
  frame->SendMessage(WM_COMMAND, ID_DEBUG_STEP_OVER);
  ASSERT_TRUE(PumpUntil([&] { return StoppedAt(view, kCallLine); }));
  EXPECT_TRUE(PumpUntil([&] { return WatchValue(kBoardWatched) == kCounterAssigned; }))
      << WatchValue(kBoardWatched);
  EXPECT_TRUE(plat::MessageBoxRecords().empty()) << plat::MessageBoxRecords().front().text;
}

// Access I/O-Ports reads and writes the session's board.
TEST_F(BoardSessionTest, IOPortsReadsAndWritesTheSessionsBoard) {
  constexpr uint16_t kPort = 0x80;
  constexpr uint8_t kPortValue = 0x3F, kWritten = 0x12;
  constexpr auto kPortText = "80h", kPortValueText = "63 (003fh)", kWrittenText = "12h";
  ASSERT_NE(StopAtIncrementLine(), nullptr);
  sim::Board* board = sim::Simulator::Instance().FindBoard(0);
  ASSERT_NE(board, nullptr);
  board->ports[kPort] = kPortValue;
  std::string read;
  plat::PushDialogAction([&](HWND h) {
    SetWindowText(GetDlgItem(h, CIOPortDialog::kAddress), kPortText);
    SendDlgItemMessage(h, CIOPortDialog::kRead, BM_CLICK, 0, 0);
    char text[64] = {};
    GetDlgItemText(h, CIOPortDialog::kValue, text, sizeof text);
    read = text;
    SetWindowText(GetDlgItem(h, CIOPortDialog::kValue), kWrittenText);
    SendDlgItemMessage(h, CIOPortDialog::kWrite, BM_CLICK, 0, 0);
    Picture(h, "board_session_io_ports");
    SendDlgItemMessage(h, IDCANCEL, BM_CLICK, 0, 0);
  });
  frame->SendMessage(WM_COMMAND, ID_DEBUG_IO_PORTS);
  EXPECT_EQ(read, kPortValueText);
  EXPECT_EQ(board->ports[kPort], kWritten);
}

// At a stop, a debug bar shown from the View menu is filled at once: its
// request goes out while the bar waits for the next layout to appear.
TEST_F(BoardSessionTest, ViewCommandsFillTheDebugBarsTheyShowAtAStop) {
  // The instruction pointer at line 13 (offset 0x38).
  constexpr auto kIncrementLineIp = "IP=0x0038";
  ASSERT_NE(StopAtIncrementLine(), nullptr);
  frame->ShowControlBar(frame->GetRegistersBar(), FALSE, FALSE);
  frame->ShowControlBar(&frame->GetCallStackBar(), FALSE, FALSE);
  Pump();
  struct Case {
    UINT command;
    std::function<std::string()> contents;
    const char* expected;
  };
  const Case cases[] = {
      {ID_VIEW_REGISTERS, [&] { return Rows(frame->GetRegistersBar()->m_tree); }, kIncrementLineIp},
      {ID_VIEW_CALLSTACK, [&] { return CallStack(); }, "main"},
  };
  for (const Case& c : cases) {
    frame->SendMessage(WM_COMMAND, c.command);
    EXPECT_TRUE(PumpUntil([&] { return c.contents().find(c.expected) != std::string::npos; }))
        << c.command << ": " << c.contents();
  }
}

// Memory sets the board software's user mode and opens the memory tool
// for the session board's type.
TEST_F(BoardSessionTest, MemoryOpensTheBoardsMemoryTool) {
  constexpr WORD kMemoryUserMode = 1;
  constexpr auto kTitleEnd = " - Memory informations";
  ASSERT_NE(StopAtIncrementLine(), nullptr);
  frame->SendMessage(WM_COMMAND, ID_VIEW_MEMORY);
  Pump();
  EXPECT_EQ(GetUserMode(), kMemoryUserMode);
  HWND tool = nullptr;
  ASSERT_TRUE(IsToolWindowOpen(ToolWindow::Memory, &tool));
  char title[128] = {};
  GetWindowText(tool, title, sizeof title);
  const std::string text = title;
  EXPECT_NE(text.find(kTitleEnd), std::string::npos) << text;
  Picture(tool, "board_session_memory");
  DestroyWindow(tool);
  Pump();
  EXPECT_FALSE(IsToolWindowOpen(ToolWindow::Memory, &tool));
}

}  // namespace
}  // namespace shell_test
