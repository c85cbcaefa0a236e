// Debugging in the IDE under a real X server, as a person does it: the
// tool bar's Make builds a host-gcc project, its Step Over starts gdb and
// stops in main, a click and the caret keys reach a line where F9 sets a
// breakpoint, F5 runs to it (the execution mark), a watch from the Debug
// menu, F10 steps over and the watch changes, Shift+F5 ends the session.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/host_debug_program.h"
#include "tests/app_project/real_ide.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::HasValue;
using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::Reported;
using real_ide::ScreenRect;
using real_ide::Shows;
using real_ide::WindowManager;

constexpr int kMainFirstLine = mirt_test::kHostMainFirstLine, kCallLine = mirt_test::kHostCallLine,
              kPrintLine = mirt_test::kHostPrintLine;
constexpr auto kDebugSource = mirt_test::kHostDebugProgram;
constexpr auto kDebugProject =
    "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=demo.elf\r\nSOURCEFILES=demo.c \r\n"
    "TOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nCFLAGS=-g "
    "-O0\r\nOBJSUFFIX=o\r\nCARDCLASS=QJX\r\nCARDNUMBER=0\r\n";
constexpr auto kWatchBefore = "total=0", kWatchAfter = "total=3";
constexpr int kDebugWaitMs = 20000;
constexpr int kEndWaitSteps = 200;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);

class DebugRealInput : public ::testing::TestWithParam<WindowManager> {};

TEST_P(DebugRealInput, BuildBreakStepWatchAndStop) {
  const std::string folder = mirt_test::MakeTempDir("debugreal");
  mirt_test::WriteFile(folder + "/demo.c", kDebugSource);
  const std::string project = mirt_test::WriteFile(folder + "/demo.kpj", kDebugProject);
  RealIde ide(GetParam());
  ASSERT_TRUE(ide.Start({project}));
  RealDisplay& display = ide.Display();
  ProgramState s = ide.Make();
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
  // A click on the line before main's first (main's opening line, shown
  // in the smallest frame too), then the caret goes down to the call. The
  // stop put the caret on main's first line, so the caret on the clicked
  // line shows the click was taken: a window manager may hold a click a
  // while and let keys typed after it through first.
  constexpr int kClickedLine = kMainFirstLine - 1;
  ScreenRect clicked;
  ASSERT_TRUE(Reported(s, "source-line", std::to_string(kClickedLine), clicked));
  display.Click(clicked.x + clicked.width / 2, clicked.CenterY());
  display.WaitFor(Shows("source-caret-line", std::to_string(kClickedLine)), "the caret on the clicked line");
  for (int line = kClickedLine; line < kCallLine; ++line) display.Key("Down");
  display.WaitFor(Shows("source-caret-line", std::to_string(kCallLine)), "the caret on the call");
  display.Key("F9");
  display.WaitFor(Shows("source-breakpoint-line", std::to_string(kCallLine)), "the breakpoint mark");

  display.Key("F5");
  display.WaitFor(Shows("source-execution-line", std::to_string(kCallLine)), "the stop at the breakpoint",
                  kDebugWaitMs);

  ide.WatchExpression("total");
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
