// Drag outlines while docking: drawn on the screen in a window of their own
// that covers nothing else, shows on a bare server and under a window
// manager, and goes when the drag ends; the floating frame lands where the
// outline was.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "probe_fixture.h"

namespace display_test {
namespace {

constexpr unsigned kScreenBackground = 0x000000;  // the bare server's and openbox's root
constexpr int kGrab = 2;                          // a press this far inside the bar misses its list
// The drop point, in the empty part of the screen right of and below the
// main frame and below the floating bar; the outline is searched for from
// kLookBefore pixels left of and above it to the screen's right and bottom.
constexpr int kDragX = 1000, kDragY = 560;
constexpr int kLookBefore = 100;
constexpr int kDragSteps = 12;

using DragOutlineTest = ProbeTest;

// The bounding box of what is not background in an area (empty when all is).
mirt_test::ScreenRect DrawnBox(RealDisplay& d, const mirt_test::ScreenRect& area) {
  std::vector<unsigned> px = d.Pixels(area);
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = 0; y < area.height; ++y)
    for (int x = 0; x < area.width; ++x)
      if (px[static_cast<size_t>(y * area.width + x)] != kScreenBackground) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < 0) return {};
  return {area.x + left, area.y + top, right - left + 1, bottom - top + 1};
}

mirt_test::ScreenRect AroundDrop() {
  return {kDragX - kLookBefore, kDragY - kLookBefore, RealDisplay::kScreenWidth - (kDragX - kLookBefore),
          RealDisplay::kScreenHeight - (kDragY - kLookBefore)};
}

ProgramState WaitForOutline(RealDisplay& d) {
  return d.WaitFor([&](const ProgramState&) { return DrawnBox(d, AroundDrop()).width > 0; }, "the outline");
}

// Presses on the docked bar and drags it to the empty part of the screen.
void StartDrag(RealDisplay& d, const WindowState& bar) {
  d.MoveTo(bar.rect.x + kGrab, bar.rect.y + kGrab);
  d.Press();
  for (int i = 1; i <= kDragSteps; ++i)
    d.MoveTo(bar.rect.x + kGrab + (kDragX - bar.rect.x - kGrab) * i / kDragSteps,
             bar.rect.y + kGrab + (kDragY - bar.rect.y - kGrab) * i / kDragSteps);
}

TEST_P(DragOutlineTest, TheOutlineShowsAloneWhileDraggingAndGoesOnEscape) {
  ProgramState s = display->Sync();
  const WindowState* bar = ListBar(s);
  ASSERT_NE(bar, nullptr);
  const mirt_test::ScreenRect docked = bar->rect;
  ASSERT_TRUE(DrawnBox(*display, AroundDrop()).width == 0) << "the drop area is not empty";
  const int menuX = MenuItem(s, 0).CenterX(), menuY = MenuItem(s, 0).y + 1;
  const unsigned menuPixel = display->PixelAt(menuX, menuY);
  StartDrag(*display, *bar);
  // The display shows a new window when it has exposed it.
  s = WaitForOutline(*display);
  EXPECT_FALSE(s.capture.empty() || s.capture == "0") << "the drag holds the capture";
  auto outline = DrawnBox(*display, AroundDrop());
  EXPECT_TRUE(outline.Contains(kDragX, kDragY));
  // Nothing else changes: the screen is not covered.
  EXPECT_EQ(display->PixelAt(menuX, menuY), menuPixel);
  Picture("dragging");
  display->Key("Escape");
  display->Release();
  s = display->WaitFor([&](const ProgramState& st) { return DrawnBox(*display, AroundDrop()).width == 0; },
                       "the outline gone");
  bar = ListBar(s);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->rect.x, docked.x);
  EXPECT_EQ(bar->rect.y, docked.y);
  // The outline took no input: the main frame still has the keys.
  display->Type("z");
  s = display->Sync();
  EXPECT_EQ(TypedInto(s, s.focus), "z");
}

TEST_P(DragOutlineTest, TheFloatingFrameLandsExactlyOnTheOutline) {
  ProgramState s = display->Sync();
  const WindowState* bar = ListBar(s);
  ASSERT_NE(bar, nullptr);
  const std::string barHwnd = bar->hwnd;
  StartDrag(*display, *bar);
  WaitForOutline(*display);
  auto outline = DrawnBox(*display, AroundDrop());
  display->Release();
  s = display->WaitFor(
      [&](const ProgramState& st) {
        const WindowState* b = st.ByHandle(barHwnd);
        const WindowState* frame =
            b ? st.ByHandle(st.ByHandle(b->parent) ? st.ByHandle(b->parent)->parent : "") : nullptr;
        return frame && frame->parent == "0";
      },
      "the bar floating");
  const WindowState* dockBar = s.ByHandle(s.ByHandle(barHwnd)->parent);
  const WindowState* frame = s.ByHandle(dockBar->parent);
  ASSERT_NE(frame, nullptr);
  auto placed = display->FrameRect(frame->xid);
  EXPECT_EQ(placed.x, outline.x);
  EXPECT_EQ(placed.y, outline.y);
  EXPECT_EQ(placed.width, outline.width);
  EXPECT_EQ(placed.height, outline.height);
  Picture("floating");
}

INSTANTIATE_TEST_SUITE_P(Display, DragOutlineTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
