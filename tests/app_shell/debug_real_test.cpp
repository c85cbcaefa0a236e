// Debugging in the IDE under a real X server, as a person does it: the
// tool bar's Make builds a host-gcc project, its Step Over starts gdb and
// stops in main, a click and the caret keys reach a line where F9 sets a
// breakpoint, F5 runs to it (the execution mark), a watch from the Debug
// menu, F10 steps over and the watch changes, Shift+F5 ends the session.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/host_debug_program.h"
#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::Reported;
using mirt_test::ScreenRect;
using mirt_test::WindowManager;
using mirt_test::WindowState;

constexpr int kMainFirstLine = mirt_test::kHostMainFirstLine, kCallLine = mirt_test::kHostCallLine,
              kPrintLine = mirt_test::kHostPrintLine;
constexpr auto kDebugSource = mirt_test::kHostDebugProgram;
constexpr auto kDebugProject =
    "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=demo.elf\r\nSOURCEFILES=demo.c \r\n"
    "TOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nCFLAGS=-g "
    "-O0\r\nOBJSUFFIX=o\r\nCARDCLASS=QJX\r\nCARDNUMBER=0\r\n";
constexpr auto kMakeCommand = "32794";
constexpr auto kWatchBefore = "total=0", kWatchAfter = "total=3";
constexpr int kStartWaitMs = 20000, kBuildWaitMs = 60000, kDebugWaitMs = 20000;
constexpr int kEndWaitSteps = 200;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);
// From the Debug menu's first item, Up wraps to its last: "Access
// I/O-Ports", then "Watch Selection", then "Watch Expression".
constexpr int kUpsToWatchExpression = 3;

unsigned long MainWindowXid(const ProgramState& s) {
  for (const WindowState& w : s.windows)
    if (w.parent == "0" && w.visible && w.text.rfind("MIRT", 0) == 0) return w.xid;
  return 0;
}

bool HasValue(const ProgramState& s, const std::string& key, const std::string& value) {
  for (const auto& [k, v] : s.values)
    if (k == key && v == value) return true;
  return false;
}

auto Shows(const std::string& key, const std::string& value) {
  return [key, value](const ProgramState& p) { return HasValue(p, key, value); };
}

class DebugRealInput : public ::testing::TestWithParam<WindowManager> {};

TEST_P(DebugRealInput, BuildBreakStepWatchAndStop) {
  const std::string folder = mirt_test::MakeTempDir("debugreal");
  mirt_test::WriteFile(folder + "/demo.c", kDebugSource);
  const std::string project = mirt_test::WriteFile(folder + "/demo.kpj", kDebugProject);
  RealDisplay display(GetParam());
  ASSERT_TRUE(display.Start(mirt_test::ProgramDir() + "/mirt2", {project})) << display.Error();
  ProgramState s = display.WaitFor([](const ProgramState& p) { return MainWindowXid(p) != 0; },
                                   "the main window", kStartWaitMs);
  const unsigned long mainWindow = MainWindowXid(s);
  for (int i = 0; i < kEndWaitSteps && !display.HasInputFocus(mainWindow); ++i)
    std::this_thread::sleep_for(kEndWaitStep);

  ScreenRect make;
  ASSERT_TRUE(Reported(s, "toolbar-button", kMakeCommand, make));
  display.Click(make.CenterX(), make.CenterY());
  s = display.WaitFor(
      [](const ProgramState& p) {
        return p.Value("build-pane-last-line").find("Build terminated") != std::string::npos;
      },
      "the build's end", kBuildWaitMs);
  ASSERT_NE(s.Value("build-pane-last-line").find("successfully"), std::string::npos)
      << s.Value("build-pane-last-line");

  // The tool bar's Step Over without a session starts gdb and stops at
  // main's first line.
  ScreenRect stepButton;
  ASSERT_TRUE(Reported(s, "toolbar-button", "32780", stepButton));
  display.Click(stepButton.CenterX(), stepButton.CenterY());
  display.WaitFor(Shows("source-execution-line", std::to_string(kMainFirstLine)), "the stop in main",
                  kDebugWaitMs);
  s = display.Sync();
  // A click on main's line, then the caret goes down to the call.
  ScreenRect first;
  ASSERT_TRUE(Reported(s, "source-line", std::to_string(kMainFirstLine), first));
  display.Click(first.x + first.width / 2, first.CenterY());
  display.WaitFor(Shows("source-caret-line", std::to_string(kMainFirstLine)), "the caret in main");
  for (int line = kMainFirstLine; line < kCallLine; ++line) display.Key("Down");
  display.WaitFor(Shows("source-caret-line", std::to_string(kCallLine)), "the caret on the call");
  display.Key("F9");
  display.WaitFor(Shows("source-breakpoint-line", std::to_string(kCallLine)), "the breakpoint mark");

  display.Key("F5");
  display.WaitFor(Shows("source-execution-line", std::to_string(kCallLine)), "the stop at the breakpoint",
                  kDebugWaitMs);

  display.Key("alt+d");
  for (int i = 0; i < kUpsToWatchExpression; ++i) display.Key("Up");
  display.Key("Return");
  display.WaitFor(
      [](const ProgramState& p) {
        for (const WindowState& w : p.windows)
          if (w.visible && w.className == "#32770" && w.text == "Watch Expression") return true;
        return false;
      },
      "the Watch Expression dialog");
  display.Type("total");
  display.Key("Return");
  display.WaitFor(Shows("watch", kWatchBefore), "the watch's first value", kDebugWaitMs);

  display.Key("F10");
  display.WaitFor(Shows("source-execution-line", std::to_string(kPrintLine)), "the step over", kDebugWaitMs);
  s = display.WaitFor(Shows("watch", kWatchAfter), "the watch's new value", kDebugWaitMs);
  EXPECT_TRUE(HasValue(s, "debug-session", "1"));
  display.SavePicture(GetParam() == WindowManager::kNone ? "debug_stopped" : "debug_stopped_openbox");

  display.Key("shift+F5");
  s = display.WaitFor(Shows("debug-session", "0"), "the end of the session", kDebugWaitMs);
  for (const auto& [k, v] : s.values) EXPECT_NE(k, "source-execution-line") << v;

  display.Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  if (display.ProgramRunning()) display.Key("Return");  // keep the project's changes
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  EXPECT_FALSE(display.ProgramRunning());
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, DebugRealInput,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
