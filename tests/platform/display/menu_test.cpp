// Menus from the keyboard while a view (a child window) has the focus:
// Alt with a letter, F10, a lone Alt, Left and Right between the bar's
// menus, Esc closing one level; Ctrl+F6 and Ctrl+F4 for MDI children.
#include <gtest/gtest.h>

#include <string>

#include "probe_fixture.h"

namespace display_test {
namespace {

constexpr auto kAlpha = "32772";  // ID_PROBE_ALPHA, first item of the "Probe" menu
// The hook's menu line: the bar's highlighted item, then the hot item of
// each open popup level (-1: none).
constexpr auto kNoMenu = "-1";
constexpr auto kBarFileOnly = "0";
constexpr auto kBarProbeOnly = "1";
constexpr auto kProbeOpenFirstHot = "1 0";
constexpr auto kWindowOpenFirstHot = "2 0";

using MenuKeysTest = ProbeTest;

ProgramState WaitForMenu(RealDisplay& d, const std::string& want) {
  return d.WaitFor([&](const ProgramState& s) { return s.Value("menu") == want; }, "menu state " + want);
}

TEST_P(MenuKeysTest, AltWithALetterOpensTheMenuWithItsFirstItemHighlighted) {
  ProgramState s = display->Sync();
  const std::string view = s.focus;
  ASSERT_EQ(Views(s).size(), 2u);
  display->Key("alt+p");
  WaitForMenu(*display, kProbeOpenFirstHot);
  Picture("open");
  display->Key("Return");
  s = WaitForMenu(*display, kNoMenu);
  EXPECT_EQ(Commands(s), kAlpha);
  EXPECT_EQ(s.focus, view);
  EXPECT_EQ(TypedInto(s, view), "");
}

TEST_P(MenuKeysTest, F10HighlightsTheBarAndTheArrowsOpenTheNextMenu) {
  display->Sync();
  display->Key("F10");
  WaitForMenu(*display, kBarFileOnly);
  display->Key("Right");
  WaitForMenu(*display, kBarProbeOnly);
  display->Key("Down");
  WaitForMenu(*display, kProbeOpenFirstHot);
  display->Key("Return");
  ProgramState s = WaitForMenu(*display, kNoMenu);
  EXPECT_EQ(Commands(s), kAlpha);
}

TEST_P(MenuKeysTest, ALoneAltHighlightsTheBarAndEscLeaves) {
  display->Sync();
  display->Key("alt");
  WaitForMenu(*display, kBarFileOnly);
  display->Key("Escape");
  WaitForMenu(*display, kNoMenu);
  // The keys go to the view again.
  display->Type("k");
  ProgramState s = display->Sync();
  EXPECT_EQ(TypedInto(s, s.focus), "k");
}

TEST_P(MenuKeysTest, LeftAndRightMoveBetweenOpenMenusAndEscClosesOneLevel) {
  display->Sync();
  display->Key("alt+p");
  WaitForMenu(*display, kProbeOpenFirstHot);
  display->Key("Right");
  WaitForMenu(*display, kWindowOpenFirstHot);
  display->Key("Left");
  WaitForMenu(*display, kProbeOpenFirstHot);
  display->Key("Escape");
  WaitForMenu(*display, kBarProbeOnly);
  display->Key("Escape");
  ProgramState s = WaitForMenu(*display, kNoMenu);
  EXPECT_EQ(Commands(s), "");
}

TEST_P(MenuKeysTest, CtrlF6ActivatesTheNextChildAndCtrlF4ClosesIt) {
  ProgramState s = display->Sync();
  const std::string first = s.Value("mdiactive");
  display->Key("ctrl+F6");
  s = display->WaitFor([&](const ProgramState& st) { return st.Value("mdiactive") != first; },
                       "the next child");
  const std::string second = s.Value("mdiactive");
  ASSERT_FALSE(second.empty());
  display->Key("ctrl+F4");
  s = display->WaitFor([](const ProgramState& st) { return Views(st).size() == 1; }, "one child left");
  EXPECT_EQ(s.ByHandle(second), nullptr);
  EXPECT_EQ(s.Value("mdiactive"), first);
}

INSTANTIATE_TEST_SUITE_P(Display, MenuKeysTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

// The main frame with its menu bar near the screen's bottom: menus open
// upwards, whole on the screen.
class MenuAtBottomTest : public ProbeTest {
 protected:
  std::vector<std::string> ProbeArgs() const override { return {"--bottom"}; }
};

TEST_P(MenuAtBottomTest, AMenuWithNoRoomBelowOpensAboveItsItem) {
  constexpr auto kMenuClass = "#32768";
  ProgramState s = display->Sync();
  auto file = MenuItem(s, 0);
  display->Click(file.CenterX(), file.CenterY());
  s = display->WaitFor(
      [](const ProgramState& st) {
        const WindowState* m = st.Find(kMenuClass);
        return m && m->xid;
      },
      "the File menu");
  const WindowState* menu = s.Find(kMenuClass);
  ASSERT_NE(menu, nullptr);
  auto placed = display->FrameRect(menu->xid);
  Picture("open");
  EXPECT_EQ(Commands(s), "") << "the click chose nothing";
  EXPECT_GE(placed.y, 0);
  EXPECT_LE(placed.y + placed.height, RealDisplay::kScreenHeight);
  if (file.y + file.height + placed.height > RealDisplay::kScreenHeight)
    EXPECT_EQ(placed.y + placed.height, file.y) << "opens above its item";
  else
    EXPECT_EQ(placed.y, file.y + file.height);
  display->Key("Escape");
}

INSTANTIATE_TEST_SUITE_P(Display, MenuAtBottomTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
