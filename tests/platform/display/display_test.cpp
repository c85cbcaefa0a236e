// The window layer under a real X display, driven by real pointer and
// keyboard input, bare and under a window manager.
#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(Display, ProbeTest, ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         WindowManagerName);

}  // namespace
}  // namespace display_test
