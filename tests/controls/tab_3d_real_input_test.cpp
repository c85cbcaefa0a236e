// The 3-D tab strip under a real X server: clicks (a disabled tab ignores
// them), the arrow keys passing over the disabled tab, and dragging the
// active tab onto its neighbour.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

// Clicks closer together than the double-click time make one double click.
constexpr std::chrono::milliseconds kTab3DDoubleClickGap{700};

class Tab3DRealInputTest : public ::testing::TestWithParam<WindowManager> {
 protected:
  void SetUp() override {
    display = std::make_unique<RealDisplay>(GetParam());
    ASSERT_TRUE(display->Start(mirt_test::ProgramDir() + "/tab_3d_probe")) << display->Error();
    display->WaitFor([](const ProgramState& p) { return !p.Value("tab0").empty(); }, "the strip");
  }
  void Centre(const ProgramState& s, int tab, int& x, int& y) {
    std::istringstream in(s.Value("tab" + std::to_string(tab)));
    in >> x >> y;
  }
  void ClickTab(int tab) {
    std::this_thread::sleep_for(kTab3DDoubleClickGap);
    int x = 0, y = 0;
    Centre(display->Sync(), tab, x, y);
    display->Click(x, y);
  }
  std::unique_ptr<RealDisplay> display;
};

TEST_P(Tab3DRealInputTest, ClicksKeysAndADraggedTab) {
  ClickTab(1);  // disabled
  ProgramState s = display->Sync();
  EXPECT_EQ(s.Value("activetab"), "0");
  ClickTab(2);
  s = display->WaitFor([](const ProgramState& p) { return p.Value("activetab") == "2"; }, "the third tab");
  display->Key("Left");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("activetab") == "0"; }, "the first tab");
  display->Key("Right");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("activetab") == "2"; },
                       "the third tab again");
  // The active "Stack" dragged onto the wider "Breakpoints" after it swaps the two.
  int fromX = 0, fromY = 0, toX = 0, toY = 0;
  Centre(s, 2, fromX, fromY);
  Centre(s, 3, toX, toY);
  std::this_thread::sleep_for(kTab3DDoubleClickGap);
  display->Drag(fromX, fromY, toX, toY);
  s = display->WaitFor([](const ProgramState& p) { return p.Value("activetab") == "3"; }, "the moved tab");
  EXPECT_EQ(s.Value("order"), "Registers,Memory,Breakpoints,Stack,Watch");
  display->SavePicture(GetParam() == WindowManager::kNone ? "tab_3d_after_drag" : "tab_3d_after_drag_wm");
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutWindowManager, Tab3DRealInputTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
