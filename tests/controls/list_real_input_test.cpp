// The list under a real X server, driven by real pointer and key input.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

// Row geometry of the probe's list with the layer's fixed font.
constexpr int kHeaderHeight = 20;
constexpr int kLabelX = 20;
constexpr int kFirstColumnWidth = 120;

class ListRealInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display = std::make_unique<RealDisplay>(WindowManager::kNone);
    ASSERT_TRUE(display->Start(mirt_test::ProgramDir() + "/list_probe")) << display->Error();
    const ProgramState s =
        display->WaitFor([](const ProgramState& p) { return !p.Value("list").empty(); }, "the list");
    std::istringstream in(s.Value("list"));
    in >> originX >> originY;
  }
  // A point on a row's label, from the list's measured row height.
  void ClickRow(int row, int height) {
    display->Click(originX + kLabelX, originY + kHeaderHeight + row * height + height / 2);
  }
  std::unique_ptr<RealDisplay> display;
  int originX = 0, originY = 0;
};

// The row height: clicking down the rows until row 1 takes the focus.
int FindRowHeight(RealDisplay& display, int x, int y0) {
  for (int dy = 1; dy < 40; ++dy) {
    display.Click(x, y0 + dy);
    if (display.Sync().Value("listfocus") == "1") return dy;
  }
  return 0;
}

TEST_F(ListRealInputTest, ClicksKeysEditingAndADividerDrag) {
  const int height = FindRowHeight(*display, originX + kLabelX, originY + kHeaderHeight);
  ASSERT_GT(height, 0) << "list at " << originX << "," << originY << " focus "
                       << display->Sync().Value("listfocus") << " selected "
                       << display->Sync().Value("selected");
  ClickRow(2, height);
  ProgramState s = display->Sync();
  EXPECT_EQ(s.Value("selected"), "2");
  display->KeyDown("shift");
  ClickRow(5, height);
  display->KeyUp("shift");
  s = display->Sync();
  EXPECT_EQ(s.Value("selected"), "2,3,4,5");
  display->KeyDown("ctrl");
  ClickRow(3, height);
  display->KeyUp("ctrl");
  s = display->Sync();
  EXPECT_EQ(s.Value("selected"), "2,4,5");
  ClickRow(1, height);
  display->Key("Down");
  s = display->Sync();
  EXPECT_EQ(s.Value("selected"), "2");
  EXPECT_EQ(s.Value("listfocus"), "2");
  display->Key("Up");
  s = display->Sync();
  EXPECT_EQ(s.Value("listfocus"), "1");
  // F2 opens the editor on the focused row; typing replaces the label.
  display->Key("F2");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("editing") == "1"; }, "the editor");
  display->Type("renamed");
  display->Key("Return");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("editing") == "-1"; }, "the edit to end");
  EXPECT_EQ(s.Value("label1"), "renamed");
  display->SavePicture("list_after_edit");
  // The divider between the first two columns, dragged 40 pixels right.
  const int divider = originX + kFirstColumnWidth;
  display->Drag(divider, originY + kHeaderHeight / 2, divider + 40, originY + kHeaderHeight / 2);
  s = display->Sync();
  EXPECT_EQ(s.Value("width0"), std::to_string(kFirstColumnWidth + 40));
}

}  // namespace
