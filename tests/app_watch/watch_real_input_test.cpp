// The Variable bar under a real X server: a person selects a value, edits
// it with F2, typing and Enter, moves to another watch with the arrow keys
// and removes it with Delete.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

// Rows of the probe: s, s.a, s.b, n.
constexpr int kMemberRow = 1, kNumberRow = 3;

class WatchRealInputTest : public ::testing::TestWithParam<WindowManager> {
 protected:
  void SetUp() override {
    display = std::make_unique<RealDisplay>(GetParam());
    ASSERT_TRUE(display->Start(mirt_test::ProgramDir() + "/watch_probe")) << display->Error();
    display->WaitFor([](const ProgramState& p) { return !p.Value("cell3.1").empty(); }, "the watch rows");
    // A window manager places the frame and hands it the input in its own time.
    if (GetParam() == WindowManager::kOpenbox) {
      display->WaitFor(
          [this](const ProgramState& p) {
            for (const auto& w : p.windows)
              if (w.text == "Watch probe" && w.xid) return display->HasInputFocus(w.xid);
            return false;
          },
          "the input going to the probe's frame");
    }
  }
  void ClickCell(int row, int column) {
    std::istringstream in(display->Sync().Value("cell" + std::to_string(row) + "." + std::to_string(column)));
    int x = 0, y = 0;
    in >> x >> y;
    display->Click(x, y);
  }
  std::unique_ptr<RealDisplay> display;
};

TEST_P(WatchRealInputTest, AnEditedValueIsAssignedAndDeleteRemovesAWatch) {
  ClickCell(kMemberRow, 1);
  // A window manager may hand the click on after the sync that follows it.
  const std::string memberCell = std::to_string(kMemberRow) + ".1";
  display->WaitFor([&](const ProgramState& p) { return p.Value("row") == memberCell; }, "the clicked row");
  display->Key("F2");
  display->WaitFor([](const ProgramState& p) { return p.Value("editing") == "1"; }, "the value editor");
  display->Key("ctrl+a");
  display->Type("42");
  display->Key("Return");
  ProgramState s =
      display->WaitFor([](const ProgramState& p) { return p.Value("editing") == "-1"; }, "the edit to end");
  EXPECT_EQ(s.Value("writes"), "s.a=42;");
  EXPECT_EQ(s.Value("value1"), "42");
  display->SavePicture("watch_value_edited");

  display->Key("Down");
  display->Key("Down");
  EXPECT_EQ(display->Sync().Value("row"), std::to_string(kNumberRow) + ".1");
  display->Key("Delete");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("watches") == "1"; }, "the watch to go");
  EXPECT_EQ(s.Value("watches"), "1");
}

INSTANTIATE_TEST_SUITE_P(Bare, WatchRealInputTest, ::testing::Values(WindowManager::kNone));
INSTANTIATE_TEST_SUITE_P(Openbox, WatchRealInputTest, ::testing::Values(WindowManager::kOpenbox));

}  // namespace
