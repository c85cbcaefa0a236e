// Docking with a real mouse: a docked bar dragged to another edge of the
// frame docks there exactly, and a double click floats a docked bar and
// docks a floating one back where it was.
#include <gtest/gtest.h>

#include "probe_fixture.h"

namespace display_test {
namespace {

constexpr int kGrab = 2;          // a press this far inside the bar misses its list
constexpr int kEdgeReach = 2;     // how far left of the frame's right edge the drag ends
constexpr int kCaptionReach = 6;  // a point this far into a floating frame lies on its caption
constexpr int kDragSteps = 12;
constexpr int kDockOverlap = 2;  // docked bars lie over their dock bar's edges by this much

using DockDragTest = ProbeTest;
using DockToggleTest = ProbeTest;

// The top-level window holding a bar: the main frame when docked, a floating frame else.
const WindowState* TopOf(const ProgramState& s, const WindowState* w) {
  while (w && w->parent != "0") w = s.ByHandle(w->parent);
  return w;
}

bool Floating(const ProgramState& s) {
  const WindowState* top = TopOf(s, ProbeTest::ListBar(s));
  return top && top != ProbeTest::MainFrame(s);
}

TEST_P(DockDragTest, ABarDraggedToTheRightEdgeDocksThereExactly) {
  ProgramState s = display->Sync();
  const WindowState* bar = ListBar(s);
  const WindowState* main = MainFrame(s);
  ASSERT_TRUE(bar && main);
  const mirt_test::ScreenRect left = bar->rect;
  ASSERT_EQ(left.x + kDockOverlap, main->rect.x) << "docked at the left edge first";
  const int frameRight = main->rect.x + main->rect.width;
  display->Drag(left.x + kGrab, left.y + kGrab, frameRight - kEdgeReach, left.y + kGrab, kDragSteps);
  s = display->WaitFor(
      [&](const ProgramState& st) {
        const WindowState* b = ListBar(st);
        return b && b->rect.x > left.x;
      },
      "the bar on the right");
  bar = ListBar(s);
  ASSERT_EQ(TopOf(s, bar), MainFrame(s)) << "docked, not floating";
  EXPECT_EQ(bar->rect.x + bar->rect.width, frameRight);
  EXPECT_EQ(bar->rect.y, left.y);
  EXPECT_EQ(bar->rect.width, left.width);
  Picture("right");
}

TEST_P(DockToggleTest, DoubleClicksFloatTheBarAndDockItBackWhereItWas) {
  ProgramState s = display->Sync();
  const WindowState* bar = ListBar(s);
  ASSERT_NE(bar, nullptr);
  const mirt_test::ScreenRect docked = bar->rect;
  display->DoubleClick(docked.x + kGrab, docked.y + kGrab);
  // A window manager maps the new frame in its own time.
  s = display->WaitFor(
      [&](const ProgramState& st) {
        const WindowState* top = Floating(st) ? TopOf(st, ListBar(st)) : nullptr;
        return top && top->xid && display->IsMapped(top->xid);
      },
      "the bar floating");
  const WindowState* frame = TopOf(s, ListBar(s));
  ASSERT_NE(frame, nullptr);
  auto placed = display->FrameRect(frame->xid);
  Picture("floating");
  display->DoubleClick(placed.CenterX(), placed.y + kCaptionReach);
  s = display->WaitFor([](const ProgramState& st) { return !Floating(st); }, "the bar docked again");
  bar = ListBar(s);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->rect.x, docked.x);
  EXPECT_EQ(bar->rect.y, docked.y);
  EXPECT_EQ(bar->rect.width, docked.width);
  EXPECT_EQ(bar->rect.height, docked.height);
}

INSTANTIATE_TEST_SUITE_P(Display, DockDragTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

// Under openbox a press on a floating frame just made is at times lost
// before it reaches the program (not yet understood): bare server only.
INSTANTIATE_TEST_SUITE_P(Display, DockToggleTest, ::testing::Values(WindowManager::kNone),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
