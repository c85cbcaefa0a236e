// Starting and ending sessions as the frame's commands do, on the
// simulated board with its debug kernel task: the kernel installed when
// missing, the newer-file question, the bars remembered across sessions,
// the stop handshake and the start's failures.
#include <gtest/gtest.h>
#include <sys/time.h>

#include <cstdio>
#include <memory>

#include "app/core/project_data.h"
#include "debugger/breakpoint_list.h"
#include "debugger/driver_binding.h"
#include "debugger/kalven_board.h"
#include "debugger/session/debug_session.h"
#include "debugger/session/debugger.h"
#include "debugger/session/frame_messages.h"
#include "debugger/session_globals.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "tests/debugger_session/board_program.h"
#include "tests/debugger_session/frame_recorder.h"
#include "tests/support/test_support.h"

namespace session_test {
namespace {

constexpr uint16_t kKernelTask = 10;
constexpr DWORD kWaitMs = 10000;

// The frame's side of the session, written down as it is asked.
class FakeSessionFrame : public DebugSessionFrame {
 public:
  explicit FakeSessionFrame(FakeFrame& window, ProjectData& project) : m_window(window), m_project(project) {}
  HWND Window() override { return m_window.Window(); }
  ProjectData* Project() override { return &m_project; }
  WORD InstallDebugKernel() override {
    log += "InstallDebugKernel\n";
    const std::string dir = plat::ProgramDir() + "/";
    return g_pBoard->LoadDebugKernel(0, 0, 0, m_project.kernelNum, dir.c_str());
  }
  void RunInstallationFile() override {
    log += "RunInstallationFile\n";
    if (onInstall) onInstall();
  }
  void ClearExecutionMarkers() override {}
  bool IsBarVisible(DebugBar bar) override { return visible[int(bar)]; }
  void ShowBar(DebugBar bar, bool show) override { visible[int(bar)] = show; }
  void RecalcLayout() override {}
  void GiveBarsEvaluators() override { log += "GiveBarsEvaluators\n"; }
  void CloseDisassembly() override { log += "CloseDisassembly\n"; }

  std::string log;
  bool visible[3] = {false, false, false};
  std::function<void()> onInstall;

 private:
  FakeFrame& m_window;
  ProjectData& m_project;
};

class SessionControlTest : public testing::Test {
 protected:
  void SetUp() override {
    sim::Simulator::Instance().Configure();
    sim::Simulator::Instance().SetRealTime(true);
    plat::ClearMessageBoxRecords();
    SetDriverLibraryName(DriverLibrary::Rizo, "rizo32.dll");
    g_breakpointList.RemoveAll();
    project.SetCardClass(kCardClassQJ);
    project.SetCardNumber(0);
    project.SetPcPort(0);
    project.SetDebuggeeNum(kProgramTask);
    project.SetKernelNum(kKernelTask);
    path = WriteBoardProgram();
    StartBoard();
    InstallOnBoard(path);
  }
  void TearDown() override {
    EndSession();
    g_breakpointList.RemoveAll();
    g_boardServiceCallback = nullptr;
    sim::Simulator::Instance().Configure();
  }
  // What End Debugging does after the session stop.
  void EndSession() {
    delete g_pCurrentDebugger;
    g_pCurrentDebugger = nullptr;
    delete g_pBoard;
    g_pBoard = nullptr;
  }
  // Moves the file's last write a day on: newer than the one on the board.
  void TouchNewer() {
    constexpr long kDay = 24 * 3600;
    struct timeval times[2];
    gettimeofday(&times[0], nullptr);
    times[0].tv_sec += kDay;
    times[1] = times[0];
    ASSERT_EQ(utimes(path.c_str(), times), 0);
  }
  static std::string Boxes() {
    std::string said;
    for (const plat::MessageBoxRecord& r : plat::MessageBoxRecords())
      said += "[" + r.caption + "] " + r.text + "\n";
    plat::ClearMessageBoxRecords();
    return said;
  }

  ProjectData project;
  std::string path;
  FakeFrame window;
  FakeSessionFrame frame{window, project};
  CDebugSession session{frame};
  int active = 0, spare = 0;
};

TEST_F(SessionControlTest, AStartInstallsTheKernelSetsTheBreakpointsAndTheStopShakesHands) {
  g_breakpointList.AddTail(CBreakpoint(kProgramSource, 13));
  ASSERT_TRUE(session.StartDebugger(path.c_str(), &active, &spare, 1));
  EXPECT_EQ(active, 1);
  ASSERT_NE(g_pCurrentDebugger, nullptr);
  EXPECT_EQ(frame.log, "InstallDebugKernel\nGiveBarsEvaluators\n");
  g_pCurrentDebugger->Go();
  ASSERT_TRUE(window.WaitForMessage(WM_STOP_LOCATION, kWaitMs));
  EXPECT_EQ(window.Records().back().text.substr(0, 9), "prog.c:13");

  frame.visible[int(DebugBar::Variable)] = true;
  EXPECT_EQ(session.StopDebugSession(&active), StopHandshake::Done);
  EXPECT_EQ(active, 0);
  EXPECT_FALSE(frame.visible[int(DebugBar::Variable)]) << "the bars are hidden";
  EndSession();

  // The next start shows the bar that was visible at the end.
  frame.log.clear();
  ASSERT_TRUE(session.StartDebugger(path.c_str(), &active, &spare, 0));
  EXPECT_EQ(frame.log, "GiveBarsEvaluators\n") << "the kernel is there now";
  EXPECT_TRUE(frame.visible[int(DebugBar::Variable)]);
  EXPECT_FALSE(frame.visible[int(DebugBar::Registers)]);
  EXPECT_EQ(Boxes(), "");
}

TEST_F(SessionControlTest, ANewerFileOnDiskIsReinstalledOnlyWhenTheUserSaysSo) {
  TouchNewer();
  plat::PushMessageBoxAnswer(IDNO);
  EXPECT_FALSE(session.StartDebugger(path.c_str(), &active, &spare, 0));
  EXPECT_EQ(Boxes(), "[message] file on disk is newer than file on board.\nRe-install it?\n");
  EXPECT_EQ(g_pCurrentDebugger, nullptr);
  EXPECT_EQ(active, 0);

  frame.onInstall = [&] { InstallOnBoard(path); };
  plat::PushMessageBoxAnswer(IDYES);
  EXPECT_TRUE(session.StartDebugger(path.c_str(), &active, &spare, 0));
  EXPECT_EQ(Boxes(), "[message] file on disk is newer than file on board.\nRe-install it?\n");
  EXPECT_NE(frame.log.find("RunInstallationFile"), std::string::npos);
  EXPECT_EQ(active, 1);
}

TEST_F(SessionControlTest, FailedStartsAreResultsWithTheirMessages) {
  struct Case {
    const char* what;
    std::function<std::string()> file;
    std::string boxes;
  } kCases[] = {
      {"missing file", [] { return std::string("/nonexistent/PROG.EXE"); },
       "[Error] .exe-file could not be opened\n[Fatal error] Error starting Debugger!\n\n"},
      {"program not on the board",
       [&] {
         const std::string other = path.substr(0, path.rfind('/') + 1) + "OTHER.EXE";
         mirt_test::WriteFile(other, mirt_test::ReadFile(path));
         return other;
       },
       "[MIRT] Program could not be found on board!\nCheck installation file.\nCheck task number of program "
       "at: "
       "Project\\Settings\\Connection.\n\nExecute installation file?\n[Fatal error] Error starting "
       "Debugger!\n\n"},
  };
  project.SetDebuggeeNum(0);  // the program is looked for by its name
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    plat::PushMessageBoxAnswer(IDNO);
    const std::string file = c.file();
    session.Go(file.c_str(), &active, &spare);
    EXPECT_EQ(Boxes(), c.boxes);
    EXPECT_EQ(g_pCurrentDebugger, nullptr);
    EXPECT_EQ(active, 0);
  }
  // A start that works shows no error.
  session.Go(path.c_str(), &active, &spare);
  EXPECT_EQ(active, 1);
  EXPECT_EQ(Boxes(), "");
}

TEST_F(SessionControlTest, AProgramOfTheHostGoesToItsOwnDebuggerWhateverTheBoardSettings) {
  const std::string elf = mirt_test::WriteFile(mirt_test::MakeTempDir("elf") + "/prog", std::string("\x7F"
                                                                                                    "ELF",
                                                                                                    4));
  std::string asked;
  SetHostProgramDebuggerFactory([&](const char* p, HWND, int* pActive) -> CDebugger* {
    asked = p;
    *pActive = 1;
    return nullptr;
  });
  EXPECT_TRUE(session.StartDebugger(elf.c_str(), &active, &spare, 1));
  EXPECT_EQ(asked, elf);
  EXPECT_EQ(g_pBoard, nullptr) << "no board is opened";
  SetHostProgramDebuggerFactory(nullptr);
}

}  // namespace
}  // namespace session_test
