// The window layer under a real X display, driven by real pointer and
// keyboard input, bare and under a window manager; the program's end.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "probe_fixture.h"

namespace display_test {
namespace {

TEST_P(ProbeTest, TypedKeysReachTheFocusedView) {
  constexpr auto kText = "abc";
  ProgramState s = display->Sync();
  auto views = Views(s);
  ASSERT_EQ(views.size(), 2u);
  const std::string focused = s.focus;
  ASSERT_TRUE(focused == views[0] || focused == views[1]) << "focus " << focused;
  display->Type(kText);
  s = display->Sync();
  EXPECT_EQ(TypedInto(s, focused), kText);
  Picture("typed");
}

TEST_P(ProbeTest, ScreenMetricsAreTheRealScreens) {
  ProgramState s = display->Sync();
  std::istringstream in(s.Value("screen"));
  int cx = 0, cy = 0, left = -1, top = -1, right = 0, bottom = 0;
  in >> cx >> cy >> left >> top >> right >> bottom;
  EXPECT_EQ(cx, RealDisplay::kScreenWidth);
  EXPECT_EQ(cy, RealDisplay::kScreenHeight);
  // The work area lies on the screen (a window manager may keep panels out of it).
  EXPECT_GE(left, 0);
  EXPECT_GE(top, 0);
  EXPECT_LE(right, RealDisplay::kScreenWidth);
  EXPECT_LE(bottom, RealDisplay::kScreenHeight);
  EXPECT_GT(right - left, RealDisplay::kScreenWidth / 2);
}

TEST_P(ProbeTest, TheStatusBarShowsTheIdlePromptFromTheStart) {
  constexpr auto kIdlePrompt = "Ready";
  // Nothing was done yet: no menu was opened.
  ProgramState s = display->WaitFor([&](const ProgramState& st) { return st.Value("status") == kIdlePrompt; },
                                    "the idle prompt");
  EXPECT_EQ(Commands(s), "");
}

// Alt+F4 ends the program normally; under LeakSanitizer its report at the
// end (libraries that talk to the display included) is clean, or the exit
// status says otherwise.
TEST_P(ProbeTest, AltF4EndsTheProgramWithoutLeaks) {
  constexpr int kEndWaitSteps = 250;
  constexpr auto kEndWaitStep = std::chrono::milliseconds(20);
  display->Sync();
  display->Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && display->ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  ASSERT_FALSE(display->ProgramRunning());
  const int status = display->ProgramExitStatus();
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

INSTANTIATE_TEST_SUITE_P(Display, ProbeTest, ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
