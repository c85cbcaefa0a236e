// The gdb session end to end: this machine's gdb debugging a program
// built with gcc -g at test time, reported to a stand-in frame.
#include <gtest/gtest.h>

#include <filesystem>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/debugger_gdb.h"
#include "app/gdb_process.h"
#include "app/core/project_data.h"
#include "debugger/breakpoint_list.h"
#include "debugger/session/debug_session.h"
#include "debugger/session/frame_messages.h"
#include "tests/support/host_debug_program.h"
#include "tests/debugger_session/frame_recorder.h"
#include "tests/support/test_support.h"

namespace {

using session_test::FakeFrame;
using session_test::FrameRecord;

constexpr int kAddFirstLine = mirt_test::kHostAddFirstLine, kAddReturnLine = mirt_test::kHostAddReturnLine,
              kMainFirstLine = mirt_test::kHostMainFirstLine, kCallLine = mirt_test::kHostCallLine;
constexpr auto kProgram = mirt_test::kHostDebugProgram;
constexpr DWORD kWaitMs = 20000;

class GdbSessionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A folder deep enough that gdb's frame lines pass 80 characters (gdb
    // must not wrap them).
    dir_ = mirt_test::MakeTempDir("gdb") + "/a folder whose long name puts the frame lines past eighty";
    std::filesystem::create_directories(dir_);
    source_ = mirt_test::WriteFile(dir_ + "/prog.c", kProgram);
    exe_ = dir_ + "/prog";
    const std::string compile = "gcc -g -O0 -o '" + exe_ + "' '" + source_ + "'";
    built_ = std::system(compile.c_str()) == 0;
  }
  void SetUp() override {
    ASSERT_TRUE(built_) << "gcc could not build the test program";
    debugger_ = std::make_unique<CDebuggerGDB>(exe_.c_str(), frame_.Window(), &active_);
  }
  void TearDown() override { debugger_.reset(); }

  // The texts of the records of one message since the last Take.
  std::vector<std::string> Texts(UINT message) {
    std::vector<std::string> texts;
    for (const FrameRecord& r : frame_.Records())
      if (r.message == message) texts.push_back(r.text);
    return texts;
  }
  size_t Count(UINT message) { return Texts(message).size(); }
  // Pumps until `n` messages of the kind arrived since the last Take.
  bool WaitFor(UINT message, size_t n) {
    return frame_.PumpUntil([&] { return Count(message) >= n; }, kWaitMs);
  }
  bool WaitStopped() {
    return frame_.PumpUntil([&] { return debugger_->m_state == CDebuggerGDB::kStopped; }, kWaitMs);
  }
  // The stop as "<file name>:<line>"; the path comes with '\' separators.
  std::string LastStop() {
    auto stops = Texts(WM_STOP_LOCATION);
    if (stops.empty()) return "";
    std::string stop = stops.back().substr(0, stops.back().find('@'));
    EXPECT_EQ(stop.rfind("\\", 0), 0u) << stop;
    return stop.substr(stop.rfind('\\') + 1);
  }

  static std::string dir_, source_, exe_;
  static bool built_;
  FakeFrame frame_;
  int active_ = 0;
  std::unique_ptr<CDebuggerGDB> debugger_;
};
std::string GdbSessionTest::dir_, GdbSessionTest::source_, GdbSessionTest::exe_;
bool GdbSessionTest::built_ = false;

TEST_F(GdbSessionTest, BreakpointStepCallStackWatchesAndTheEnd) {
  EXPECT_EQ(active_, 1);
  EXPECT_FALSE(debugger_->IsRunning());
  debugger_->SetLineBreakpoint(source_.c_str(), kAddFirstLine, 1);
  debugger_->Go();
  EXPECT_TRUE(debugger_->IsRunning());
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 1));
  EXPECT_EQ(LastStop(), "prog.c:" + std::to_string(kAddFirstLine));
  ASSERT_TRUE(WaitStopped());

  frame_.Take();
  debugger_->RequestCallStack();
  ASSERT_TRUE(WaitFor(WM_CALLSTACK_TEXT, 2));
  auto frames = Texts(WM_CALLSTACK_TEXT);
  EXPECT_EQ(frames[0].rfind("add (a=1, b=2) at ", 0), 0u) << frames[0];
  EXPECT_NE(frames[1].find("in main () at "), std::string::npos) << frames[1];
  EXPECT_NE(frames[1].find("prog.c:" + std::to_string(kCallLine) + "\r\n"), std::string::npos) << frames[1];

  frame_.Take();
  debugger_->EvaluateWatch("nosuch");
  debugger_->EvaluateWatch("a");
  debugger_->EvaluateWatch("*(int*)0");
  debugger_->EvaluateWatch("b");
  ASSERT_TRUE(WaitFor(WM_WATCH_VALUE, 4));
  const std::vector<std::string> values = {"|<not defined>", "int|1", "|<not defined>", "int|2"};
  EXPECT_EQ(Texts(WM_WATCH_VALUE), values);

  frame_.Take();
  debugger_->StepOver(1);
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 1));
  EXPECT_EQ(LastStop(), "prog.c:" + std::to_string(kAddReturnLine));
  ASSERT_TRUE(WaitStopped());
  debugger_->EvaluateWatch("s");
  ASSERT_TRUE(WaitFor(WM_WATCH_VALUE, 1));
  EXPECT_EQ(Texts(WM_WATCH_VALUE).back(), "int|3");

  frame_.Take();
  debugger_->Go();
  ASSERT_TRUE(frame_.WaitForMessage(WM_DEBUG_FINISHED, kWaitMs));
  auto finished = Texts(WM_DEBUG_FINISHED);
  EXPECT_NE(finished[0].find("exited normally"), std::string::npos) << finished[0];
  EXPECT_EQ(debugger_->m_state, CDebuggerGDB::kNotStarted);
  for (const FrameRecord& r : frame_.Records())
    if (r.message == WM_DEBUG_FINISHED) EXPECT_EQ(r.delivery, session_test::Delivery::Posted);
  auto output = Texts(WM_OUTPUT_TEXT);
  EXPECT_NE(std::find(output.begin(), output.end(), "total=3\n"), output.end())
      << "a whole line for the Build pane";
  // The frame ends the session when the program ended.
  debugger_.reset();
}

TEST_F(GdbSessionTest, FirstStepRunsToMainAndTypesSpanLines) {
  debugger_->TraceInto(1);
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 1));
  EXPECT_EQ(LastStop(), "prog.c:" + std::to_string(kMainFirstLine));
  ASSERT_TRUE(WaitStopped());
  debugger_->StepOver(1);
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 2));
  ASSERT_TRUE(WaitStopped());
  frame_.Take();
  debugger_->EvaluateWatch("p");
  ASSERT_TRUE(WaitFor(WM_WATCH_VALUE, 1));
  EXPECT_EQ(Texts(WM_WATCH_VALUE)[0], "struct pt {int x;int y;}|{x = 1, y = 2}");
  debugger_->StepOver(1);
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 1));
  ASSERT_TRUE(WaitStopped());
  frame_.Take();
  debugger_->TraceInto(1);
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 1));
  EXPECT_EQ(LastStop(), "prog.c:" + std::to_string(kAddFirstLine));
  ASSERT_TRUE(WaitStopped());
  EXPECT_EQ(debugger_->StopProgram(), 1);
  EXPECT_EQ(debugger_->m_state, CDebuggerGDB::kNotStarted);
  EXPECT_EQ(debugger_->StopProgram(), 0);  // nothing to stop
}

TEST_F(GdbSessionTest, AGdbThatDiesEndsTheSessionAndAnswersOpenWatches) {
  debugger_->StepOver(1);
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 1));
  ASSERT_TRUE(WaitStopped());
  frame_.Take();
  debugger_->Process()->WriteCommand("shell kill -9 $PPID");
  debugger_->EvaluateWatch("total");
  ASSERT_TRUE(frame_.WaitForMessage(WM_DEBUG_FINISHED, kWaitMs));
  EXPECT_EQ(Texts(WM_DEBUG_FINISHED), std::vector<std::string>{CGDBProcess::kGdbEnded});
  EXPECT_EQ(Texts(WM_WATCH_VALUE), std::vector<std::string>{"|<not defined>"});
  debugger_.reset();
}

TEST_F(GdbSessionTest, BreakpointsSetBeforeTheSessionStopTheProgram) {
  debugger_.reset();
  g_breakpointList.AddTail(CBreakpoint(source_.c_str(), kAddReturnLine));
  debugger_ = std::make_unique<CDebuggerGDB>(exe_.c_str(), frame_.Window(), &active_);
  g_breakpointList.RemoveAll();
  debugger_->Go();
  ASSERT_TRUE(WaitFor(WM_STOP_LOCATION, 1));
  EXPECT_EQ(LastStop(), "prog.c:" + std::to_string(kAddReturnLine));
}

// The frame's part of a session start, for a program of the host: no
// board, kernel or bars are involved.
class HostOnlySessionFrame : public DebugSessionFrame {
 public:
  explicit HostOnlySessionFrame(HWND window) : m_window(window) {}
  HWND Window() override { return m_window; }
  ProjectData* Project() override { return &m_project; }
  WORD InstallDebugKernel() override { return 1; }
  void RunInstallationFile() override {}
  void ClearExecutionMarkers() override {}
  bool IsBarVisible(DebugBar) override { return false; }
  void ShowBar(DebugBar, bool) override {}
  void RecalcLayout() override {}
  void GiveBarsEvaluators() override {}
  void CloseDisassembly() override {}

 private:
  HWND m_window;
  ProjectData m_project;
};

TEST_F(GdbSessionTest, AHostProgramStartsAGdbSession) {
  debugger_.reset();
  UseGdbForHostPrograms();
  HostOnlySessionFrame sessionFrame(frame_.Window());
  CDebugSession session(sessionFrame);
  int spare = 0;
  ASSERT_TRUE(session.StartDebugger(exe_.c_str(), &active_, &spare, 1));
  SetHostProgramDebuggerFactory(nullptr);
  auto* gdb = dynamic_cast<CDebuggerGDB*>(g_pCurrentDebugger);
  ASSERT_NE(gdb, nullptr);
  EXPECT_EQ(active_, 1);
  gdb->Go();
  EXPECT_TRUE(frame_.WaitForMessage(WM_DEBUG_FINISHED, kWaitMs));
  delete g_pCurrentDebugger;
  g_pCurrentDebugger = nullptr;
}

// A program that says its process id and then runs until it is stopped.
constexpr auto kEndlessProgram =
    "#include <stdio.h>\n"
    "#include <unistd.h>\n"
    "int main(void) {\n"
    "  printf(\"pid=%d\\n\", (int)getpid());\n"
    "  fflush(stdout);\n"
    "  for (;;) usleep(1000);\n"
    "}\n";

// Whether a process still runs (a zombie waiting for its parent does not).
bool GdbTestProcessRuns(int pid) {
  const std::string stat = mirt_test::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

TEST_F(GdbSessionTest, EndingASessionWhileTheProgramRunsLeavesNothingRunning) {
  debugger_.reset();
  const std::string dir = mirt_test::MakeTempDir("endless");
  const std::string source = mirt_test::WriteFile(dir + "/endless.c", kEndlessProgram);
  const std::string exe = dir + "/endless";
  ASSERT_EQ(std::system(("gcc -g -O0 -o '" + exe + "' '" + source + "'").c_str()), 0);
  debugger_ = std::make_unique<CDebuggerGDB>(exe.c_str(), frame_.Window(), &active_);
  debugger_->Go();
  int pid = 0;
  ASSERT_TRUE(frame_.PumpUntil(
      [&] {
        for (const std::string& line : Texts(WM_OUTPUT_TEXT))
          if (line.rfind("pid=", 0) == 0) pid = std::atoi(line.c_str() + 4);
        return pid != 0;
      },
      kWaitMs));
  EXPECT_TRUE(GdbTestProcessRuns(pid));
  EXPECT_TRUE(debugger_->IsRunning());
  const auto start = std::chrono::steady_clock::now();
  debugger_->StopProgram();
  debugger_.reset();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::milliseconds(CGDBProcess::kQuitWaitMs + kWaitMs / 4));
  EXPECT_TRUE(frame_.PumpUntil([&] { return !GdbTestProcessRuns(pid); }, kWaitMs));
}

TEST(GdbPath, DrivesAndBackslashesBecomeGdbForms) {
  struct Case {
    const char* path;
    const char* gdb;
  };
  const Case cases[] = {{"c:\\work\\app.exe", "//c/work/app.exe"},
                        {"/home/u/prog", "/home/u/prog"},
                        {"\\tmp\\gdbt\\t.c", "/tmp/gdbt/t.c"},
                        {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(CDebuggerGDB::GdbPath(c.path), c.gdb) << c.path;
}

}  // namespace
