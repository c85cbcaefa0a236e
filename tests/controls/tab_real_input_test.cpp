// The tab window under a real X server: clicking tabs and scroll buttons.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

constexpr int kLastButton = 8;
constexpr int kFirstButton = 1;

class TabRealInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display = std::make_unique<RealDisplay>(WindowManager::kNone);
    ASSERT_TRUE(display->Start(mirt_test::ProgramDir() + "/tab_probe")) << display->Error();
    display->WaitFor([](const ProgramState& p) { return !p.Value("tab0").empty(); }, "the tabs");
  }
  void ClickAt(const std::string& key) {
    std::istringstream in(display->Sync().Value(key));
    int x = 0, y = 0;
    in >> x >> y;
    display->Click(x, y);
  }
  std::unique_ptr<RealDisplay> display;
};

TEST_F(TabRealInputTest, ClickingTabsAndScrollButtons) {
  ClickAt("tab2");
  ProgramState s = display->Sync();
  EXPECT_EQ(s.Value("activetab"), "2");
  ClickAt("button" + std::to_string(kLastButton));
  s = display->Sync();
  EXPECT_EQ(s.Value("lastright"), s.Value("arearight"));
  EXPECT_NE(s.Value("offset"), "0");
  display->SavePicture("tab_scrolled_by_click");
  ClickAt("button" + std::to_string(kFirstButton));
  s = display->Sync();
  EXPECT_EQ(s.Value("offset"), "0");
  ClickAt("tab1");
  EXPECT_EQ(display->Sync().Value("activetab"), "1");
}

}  // namespace
