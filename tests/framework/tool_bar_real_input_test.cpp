// Tool bars driven with real pointer input on a private X server: hovering
// and clicking a button runs its command once, and in customise mode a
// button dragged onto the other bar moves there.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::ScreenRect;
using mirt_test::WindowManager;

namespace {

constexpr unsigned kStandard = 0xE810, kMore = 0xE811;
constexpr unsigned kIdNew = 100, kIdOpen = 101, kIdPrint = 103;
constexpr unsigned kHotBit = 0x2000000;

struct Button {
  unsigned bar;
  int index;
  unsigned id;
  ScreenRect rect;
  unsigned style;
};

std::vector<Button> Buttons(const ProgramState& s) {
  std::vector<Button> out;
  for (const auto& [key, value] : s.values) {
    if (key != "button") continue;
    std::istringstream in(value);
    Button b{};
    in >> b.bar >> b.index >> b.id >> b.rect.x >> b.rect.y >> b.rect.width >> b.rect.height >> std::hex >>
        b.style;
    out.push_back(b);
  }
  return out;
}

const Button* Find(const std::vector<Button>& buttons, unsigned bar, unsigned id) {
  for (const Button& b : buttons)
    if (b.bar == bar && b.id == id) return &b;
  return nullptr;
}

std::vector<unsigned> Ids(const std::vector<Button>& buttons, unsigned bar) {
  std::vector<unsigned> ids;
  for (const Button& b : buttons)
    if (b.bar == bar) ids.push_back(b.id);
  return ids;
}

std::vector<int> Commands(const ProgramState& s) {
  std::istringstream in(s.Value("commands"));
  std::vector<int> out;
  for (int n; in >> n;) out.push_back(n);
  return out;
}

ProgramState Started(RealDisplay& display, const std::vector<std::string>& args) {
  EXPECT_TRUE(display.Start(mirt_test::ProgramDir() + "/tool_bar_probe", args)) << display.Error();
  return display.WaitFor([](const ProgramState& s) { return Find(Buttons(s), kMore, kIdPrint) != nullptr; },
                         "the probe's tool bars");
}

}  // namespace

TEST(ToolBarRealInputTest, HoverAndClickRunTheCommandOnce) {
  RealDisplay display(WindowManager::kNone);
  ProgramState s = Started(display, {});
  const std::vector<Button> buttons = Buttons(s);
  const Button* button = Find(buttons, kStandard, kIdNew);
  ASSERT_NE(button, nullptr);
  display.MoveTo(button->rect.CenterX(), button->rect.CenterY());
  s = display.WaitFor(
      [](const ProgramState& st) {
        const std::vector<Button> now = Buttons(st);
        const Button* b = Find(now, kStandard, kIdNew);
        return b && (b->style & kHotBit);
      },
      "the hot button under the pointer");
  display.SavePicture("toolbar_hover");
  display.Click(button->rect.CenterX(), button->rect.CenterY());
  s = display.WaitFor([](const ProgramState& st) { return Commands(st).size() == 4 && Commands(st)[0] >= 1; },
                      "the button's command");
  EXPECT_EQ(Commands(s), (std::vector<int>{1, 0, 0, 0}));
}

TEST(ToolBarRealInputTest, ACustomiseDragMovesAButtonToTheOtherBar) {
  RealDisplay display(WindowManager::kNone);
  ProgramState s = Started(display, {"--customize"});
  const std::vector<Button> before = Buttons(s);
  const Button* from = Find(before, kMore, kIdPrint);
  const Button* onto = Find(before, kStandard, kIdNew);
  ASSERT_NE(from, nullptr);
  ASSERT_NE(onto, nullptr);
  // The dragged outline's left edge lands a few pixels into "New": the button goes after it.
  const int dx = onto->rect.x + 5 - from->rect.x;
  display.Drag(from->rect.CenterX(), from->rect.CenterY(), from->rect.CenterX() + dx, onto->rect.CenterY());
  s = display.WaitFor(
      [](const ProgramState& st) { return Find(Buttons(st), kStandard, kIdPrint) != nullptr; },
      "the button on the other bar");
  EXPECT_EQ(Ids(Buttons(s), kStandard), (std::vector<unsigned>{kIdNew, kIdPrint, kIdOpen, 0, 102}));
  EXPECT_EQ(Ids(Buttons(s), kMore), (std::vector<unsigned>{kIdOpen}));
  EXPECT_EQ(Commands(s), (std::vector<int>{0, 0, 0, 0}));
  display.SavePicture("toolbar_customise_drag");
}
