// The IDE program under a real X server: its main window comes up and
// Alt+F4 closes it, ending the program.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

constexpr auto kMainTitle = "MIRT";
constexpr int kStartTimeoutMs = 20000;
constexpr int kEndWaitSteps = 100;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);

bool MainWindowShown(const ProgramState& s) { return s.TopLevelTitled(kMainTitle) != nullptr; }

class ShellRealInput : public ::testing::TestWithParam<WindowManager> {};

TEST_P(ShellRealInput, TheMainWindowComesUpAndAltF4EndsTheProgram) {
  RealDisplay display(GetParam());
  ASSERT_TRUE(display.Start(mirt_test::ProgramDir() + "/mirt2")) << display.Error();
  display.WaitFor(MainWindowShown, "the main window", kStartTimeoutMs);
  display.SavePicture(GetParam() == WindowManager::kNone ? "mirt2_started" : "mirt2_started_openbox");
  display.Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  EXPECT_FALSE(display.ProgramRunning());
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, ShellRealInput,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
