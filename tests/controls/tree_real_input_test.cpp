// The tree under a real X server, driven by real pointer and key input:
// the buttons, the keys that expand, collapse and climb, and a label edit.
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

constexpr std::chrono::milliseconds kDoubleClickGap{700};
constexpr int kFirstClickAttempts = 3, kSettleSyncs = 10;

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

ScreenPoint PointOf(const ProgramState& s, const std::string& key) {
  ScreenPoint p;
  std::istringstream in(s.Value(key));
  in >> p.x >> p.y;
  return p;
}

class TreeRealInputTest : public ::testing::TestWithParam<WindowManager> {
 protected:
  void SetUp() override {
    display = std::make_unique<RealDisplay>(GetParam());
    ASSERT_TRUE(display->Start(mirt_test::ProgramDir() + "/tree_probe")) << display->Error();
    display->WaitFor([](const ProgramState& p) { return !p.Value("row0").empty(); }, "the tree");
  }
  // Clicks closer together than the double-click time make one double click.
  static void PauseBetweenClicks() { std::this_thread::sleep_for(kDoubleClickGap); }
  void ClickAt(const ProgramState& s, const std::string& key) {
    const ScreenPoint p = PointOf(s, key);
    display->Click(p.x, p.y);
  }
  std::unique_ptr<RealDisplay> display;
};

TEST_P(TreeRealInputTest, ButtonsKeysAndALabelEdit) {
  ProgramState s = display->Sync();
  ASSERT_EQ(s.Value("rows"), "3");
  ASSERT_FALSE(s.Value("button0").empty());
  // The button opens "sources": its two children get rows below it. A
  // window manager may take the first click on a new window for itself, so
  // the click is repeated until the tree has taken one.
  const auto opened = [](const ProgramState& p) { return p.Value("rows") == "5"; };
  for (int attempt = 0; attempt < kFirstClickAttempts && !opened(s); ++attempt) {
    if (attempt > 0) PauseBetweenClicks();
    ClickAt(s, "button0");
    for (int i = 0; i < kSettleSyncs && !opened(s); ++i) s = display->Sync();
  }
  s = display->WaitFor(opened, "sources to open");
  EXPECT_EQ(s.Value("text1"), "main.c");
  EXPECT_EQ(s.Value("text3"), "headers");
  // A click on a child's label selects it; Left climbs to the parent, and
  // Left again closes it.
  PauseBetweenClicks();
  ClickAt(s, "row2");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("selected") == "board.c"; },
                       "board.c selected");
  display->Key("Left");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("selected") == "sources"; }, "the parent");
  display->Key("Left");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("rows") == "3"; }, "sources to close");
  // Right opens it again; the keypad plus would too, but typing '+' adds nothing.
  display->Key("Right");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("rows") == "5"; }, "sources to open again");
  // The button closes it.
  PauseBetweenClicks();
  ClickAt(s, "button0");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("rows") == "3"; },
                       "sources to close again");
  // F2 edits the caret item's label; typing replaces it and Return keeps it.
  PauseBetweenClicks();
  ClickAt(s, "row2");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("selected") == "notes"; },
                       "notes selected");
  display->Key("F2");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("editing") == "2"; }, "the editor");
  display->Type("todo");
  display->Key("Return");
  s = display->WaitFor([](const ProgramState& p) { return p.Value("editing") == "-1"; }, "the edit to end");
  EXPECT_EQ(s.Value("text2"), "todo");
  EXPECT_EQ(s.Value("endedits"), "1");
  display->SavePicture(GetParam() == WindowManager::kNone ? "tree_after_edit" : "tree_after_edit_wm");
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutWindowManager, TreeRealInputTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
