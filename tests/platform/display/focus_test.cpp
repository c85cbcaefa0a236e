// Clicks activate and focus: WM_MOUSEACTIVATE reaches views and MDI
// children, and the keys follow the click.
#include <gtest/gtest.h>

#include "probe_fixture.h"

namespace display_test {
namespace {

constexpr auto kTyped = "xy";
constexpr int kInset = 6;  // pixels inside a window's visible edge

using FocusTest = ProbeTest;

TEST_P(FocusTest, ClickInAnInactiveChildsViewActivatesItAndTakesTheKeys) {
  ProgramState s = display->Sync();
  auto views = Views(s);
  ASSERT_EQ(views.size(), 2u);
  const std::string focused = s.focus;
  const std::string other = focused == views[0] ? views[1] : views[0];
  const WindowState* otherView = s.ByHandle(other);
  const WindowState* activeFrame = FrameOf(s, focused);
  ASSERT_TRUE(otherView && activeFrame);
  // The inactive child lies under the active one: click its uncovered left strip.
  int x = otherView->rect.x + kInset, y = otherView->rect.y + otherView->rect.height / 2;
  ASSERT_FALSE(activeFrame->rect.Contains(x, y));
  display->Click(x, y);
  // A window manager may hold the press until it has looked at it.
  WaitForKeysTo(other);
  display->Type(kTyped);
  s = display->Sync();
  EXPECT_EQ(TypedInto(s, other), kTyped);
  EXPECT_EQ(TypedInto(s, focused), "");
  // The clicked child is the active one now: it lies on top.
  const WindowState* otherFrame = FrameOf(s, other);
  ASSERT_NE(otherFrame, nullptr);
  EXPECT_EQ(s.Value("mdiactive"), otherFrame->hwnd);
  Picture("clicked");
}

TEST_P(FocusTest, ClickOnTheViewAfterTheBarsListGivesTheKeysBackToTheView) {
  ProgramState s = display->Sync();
  const std::string view = s.focus;
  const WindowState* list = s.ByHandle(s.Value("barlist"));
  ASSERT_NE(list, nullptr);
  const std::string listHwnd = list->hwnd;
  display->Click(list->rect.x + kInset * 2, list->rect.y + kInset * 2);
  s = display->WaitFor([&](const ProgramState& st) { return st.focus == listHwnd; }, "the focus on the list");
  const WindowState* v = s.ByHandle(view);
  ASSERT_NE(v, nullptr);
  display->Click(v->rect.CenterX(), v->rect.CenterY());
  WaitForKeysTo(view);
  display->Type(kTyped);
  s = display->Sync();
  EXPECT_EQ(TypedInto(s, view), kTyped);
}

TEST_P(FocusTest, KeysGoBackToTheViewWhenAModalDialogCloses) {
  ProgramState s = display->Sync();
  const std::string view = s.focus;
  display->Key("ctrl+g");
  s = display->WaitFor([](const ProgramState& st) { return st.Find("#32770") != nullptr; }, "the dialog");
  display->Key("Escape");
  s = display->WaitFor([](const ProgramState& st) { return st.Find("#32770") == nullptr; },
                       "the dialog closed");
  display->Type(kTyped);
  s = display->Sync();
  EXPECT_EQ(s.focus, view);
  EXPECT_EQ(TypedInto(s, view), kTyped);
}

INSTANTIATE_TEST_SUITE_P(Display, FocusTest, ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
