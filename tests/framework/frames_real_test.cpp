// The framework's test application under a real X server: each frame kind
// comes up, a real click on a workbook tab activates that worksheet, and in
// menu-bar mode real keys and pointer moves open and move across the menu
// bar's menus and work a maximised child's caption buttons.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

struct SheetTab {
  std::string hwnd;
  int x = 0, y = 0;
};

std::vector<SheetTab> Sheets(const ProgramState& s) {
  std::vector<SheetTab> out;
  for (const auto& [key, value] : s.values) {
    if (key != "sheet") continue;
    std::istringstream in(value);
    int index = 0;
    SheetTab tab;
    in >> index >> tab.hwnd >> tab.x >> tab.y;
    out.push_back(tab);
  }
  return out;
}

std::string AppProgram() { return mirt_test::ProgramDir() + "/framework_frames_app"; }

struct ScreenPoint {
  int x = 0, y = 0;
};

// The menu bar's state: in menu mode, the open or menu-mode button.
struct BarState {
  int menuMode = 0, dropIndex = -1;
};
BarState Bar(const ProgramState& s) {
  BarState b;
  std::istringstream in(s.Value("menubar"));
  in >> b.menuMode >> b.dropIndex;
  return b;
}

// The shown menu buttons by title: index and centre.
struct MenuButton {
  int index = -1;
  ScreenPoint at;
};
MenuButton Button(const ProgramState& s, const std::string& title) {
  for (const auto& [key, value] : s.values) {
    if (key != "menubtn") continue;
    std::istringstream in(value);
    MenuButton b;
    std::string name;
    in >> b.index >> name >> b.at.x >> b.at.y;
    if (name == title) return b;
  }
  return {};
}

ScreenPoint CaptionBox(const ProgramState& s, int box) {
  for (const auto& [key, value] : s.values) {
    if (key != "capbox") continue;
    std::istringstream in(value);
    int b = -1;
    ScreenPoint p;
    in >> b >> p.x >> p.y;
    if (b == box) return p;
  }
  return {};
}

// The titles of the shown menu buttons, left to right.
std::vector<std::string> Titles(const ProgramState& s) {
  std::vector<std::string> out;
  for (const auto& [key, value] : s.values) {
    if (key != "menubtn") continue;
    std::istringstream in(value);
    int index = 0;
    std::string name;
    in >> index >> name;
    out.push_back(name);
  }
  return out;
}

// A popup is open when the layer's menu line names a level after the bar item.
bool PopupOpen(const ProgramState& s) { return s.Value("menu").find(' ') != std::string::npos; }

// The open popup belongs to the button titled `title`.
bool Open(const ProgramState& s, const std::string& title) {
  return PopupOpen(s) && Bar(s).dropIndex == Button(s, title).index && Button(s, title).index >= 0;
}

std::vector<std::string> MenuBarArgs(std::initializer_list<const char*> more) {
  std::vector<std::string> args = {"mdi", "menubar", "bmpmenus"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(FramesRealInput, EachFrameKindComesUp) {
  for (const char* kind : {"workbook", "mdi", "sdi"}) {
    RealDisplay display(WindowManager::kNone);
    ASSERT_TRUE(display.Start(AppProgram(), {kind, "caption", "bmpmenus"})) << display.Error();
    const ProgramState s =
        display.WaitFor([&](const ProgramState& st) { return st.Value("kind") == kind; }, "the frame kind");
    bool mainShown = false;
    for (const auto& w : s.windows)
      mainShown = mainShown || (w.parent == "0" && w.visible && w.text.rfind("Frames", 0) == 0);
    EXPECT_TRUE(mainShown) << kind;
    display.SavePicture(std::string("frames_app_") + kind);
  }
}

TEST(FramesRealInput, ClickingAWorkbookTabActivatesItsSheet) {
  RealDisplay display(WindowManager::kNone);
  ASSERT_TRUE(display.Start(AppProgram(), {"workbook"})) << display.Error();
  ProgramState s =
      display.WaitFor([](const ProgramState& st) { return Sheets(st).size() >= 3; }, "three sheets");
  const std::vector<SheetTab> tabs = Sheets(s);
  for (size_t target : {size_t{0}, size_t{1}, size_t{0}}) {
    display.Click(tabs[target].x, tabs[target].y);
    s = display.WaitFor([&](const ProgramState& st) { return st.Value("mdiactive") == tabs[target].hwnd; },
                        "sheet " + std::to_string(target) + " active");
    EXPECT_EQ(s.Value("mdiactive"), tabs[target].hwnd);
  }
  display.SavePicture("frames_app_workbook_clicked");
}

TEST(FramesRealInput, EachFrameKindComesUpInMenuBarMode) {
  for (const char* kind : {"workbook", "mdi", "sdi"}) {
    RealDisplay display(WindowManager::kNone);
    ASSERT_TRUE(display.Start(AppProgram(), {kind, "menubar"})) << display.Error();
    const ProgramState s = display.WaitFor(
        [&](const ProgramState& st) { return st.Value("kind") == kind && Button(st, "File").index >= 0; },
        "the menu bar's File menu");
    EXPECT_EQ(Bar(s).menuMode, 0) << kind;
    display.SavePicture(std::string("frames_app_menu_bar_") + kind);
  }
}

TEST(FramesRealInput, AltLetterOpensAMenuAndArrowsMoveAcrossMenus) {
  RealDisplay display(WindowManager::kNone);
  ASSERT_TRUE(display.Start(AppProgram(), MenuBarArgs({}))) << display.Error();
  ProgramState s =
      display.WaitFor([](const ProgramState& st) { return Button(st, "Window").index >= 0; }, "the menu bar");
  // The active sheet's menu: the first, the Window menu and the last.
  const std::vector<std::string> titles = Titles(s);
  ASSERT_GE(titles.size(), 3u);
  ASSERT_EQ(titles.back(), "Window");
  const std::string first = titles.front(), beforeWindow = titles[titles.size() - 2];
  display.Key("alt+w");
  s = display.WaitFor([](const ProgramState& st) { return Open(st, "Window"); }, "the Window menu open");
  display.SavePicture("frames_app_menu_bar_popup");
  // Right past the last menu wraps to the first, Left goes back.
  display.Key("Right");
  s = display.WaitFor([&](const ProgramState& st) { return Open(st, first); }, "the first menu open");
  display.Key("Left");
  s = display.WaitFor([](const ProgramState& st) { return Open(st, "Window"); }, "back on Window");
  display.Key("Left");
  s = display.WaitFor([&](const ProgramState& st) { return Open(st, beforeWindow); },
                      "the menu before Window");
  display.Key("Escape");
  s = display.WaitFor([](const ProgramState& st) { return !PopupOpen(st) && Bar(st).dropIndex < 0; },
                      "all menus closed");
  // Alt alone enters menu mode on the first menu; Left moves to the last; Down opens it.
  display.Key("alt");
  s = display.WaitFor([](const ProgramState& st) { return Bar(st).menuMode == 1; }, "menu mode");
  EXPECT_EQ(Bar(s).dropIndex, Button(s, first).index);
  display.Key("Left");
  s = display.WaitFor([&](const ProgramState& st) { return Bar(st).dropIndex == Button(st, "Window").index; },
                      "Window hot in menu mode");
  EXPECT_FALSE(PopupOpen(s));
  display.Key("Down");
  s = display.WaitFor([](const ProgramState& st) { return Open(st, "Window"); }, "Window opened by Down");
  display.Key("Escape");
  s = display.WaitFor([](const ProgramState& st) { return !PopupOpen(st); }, "closed again");
}

TEST(FramesRealInput, ClickingAMenuButtonOpensItAndHoveringSwitches) {
  constexpr int kHoverStep = 4;  // pixels between pointer moves
  RealDisplay display(WindowManager::kNone);
  ASSERT_TRUE(display.Start(AppProgram(), MenuBarArgs({}))) << display.Error();
  ProgramState s =
      display.WaitFor([](const ProgramState& st) { return Button(st, "Window").index >= 0; }, "the menu bar");
  const std::vector<std::string> titles = Titles(s);
  ASSERT_GE(titles.size(), 2u);
  const std::string left = titles[titles.size() - 2];  // Window's left neighbour
  const MenuButton from = Button(s, left), window = Button(s, "Window");
  display.Click(from.at.x, from.at.y);
  s = display.WaitFor([&](const ProgramState& st) { return Open(st, left); }, "the neighbour's menu open");
  // Along the bar onto Window, as a hand moves.
  for (int x = from.at.x; x <= window.at.x; x += kHoverStep) display.MoveTo(x, window.at.y);
  display.MoveTo(window.at.x, window.at.y);
  s = display.WaitFor([](const ProgramState& st) { return Open(st, "Window"); },
                      "Window open after hovering");
  // A click on the open button closes its menu.
  display.Click(window.at.x, window.at.y);
  s = display.WaitFor([](const ProgramState& st) { return !PopupOpen(st) && Bar(st).dropIndex < 0; },
                      "the menu closed");
}

TEST(FramesRealInput, AMaximisedChildsCaptionButtonsOnTheMenuBar) {
  RealDisplay display(WindowManager::kNone);
  ASSERT_TRUE(display.Start(AppProgram(), MenuBarArgs({"maximise"}))) << display.Error();
  ProgramState s = display.WaitFor(
      [](const ProgramState& st) { return CaptionBox(st, 2).x > 0 && st.Value("mdichildren").size() > 2; },
      "the caption buttons of the maximised child");
  display.SavePicture("frames_app_menu_bar_maximised");
  int children = 0, maximised = 0;
  std::istringstream(s.Value("mdichildren")) >> children >> maximised;
  EXPECT_EQ(maximised, 1);
  // Close: one child fewer.
  const ScreenPoint close = CaptionBox(s, 2);
  display.Click(close.x, close.y);
  s = display.WaitFor(
      [&](const ProgramState& st) {
        int n = 0;
        std::istringstream(st.Value("mdichildren")) >> n;
        return n == children - 1;
      },
      "a child closed");
  // The next child is maximised in its place; restore brings the boxes down.
  s = display.WaitFor([](const ProgramState& st) { return CaptionBox(st, 1).x > 0; },
                      "the next child's boxes");
  const ScreenPoint restore = CaptionBox(s, 1);
  display.Click(restore.x, restore.y);
  s = display.WaitFor(
      [](const ProgramState& st) {
        int n = 0, max = 1;
        std::istringstream(st.Value("mdichildren")) >> n >> max;
        return max == 0 && CaptionBox(st, 1).x == 0;
      },
      "the child restored");
}

}  // namespace
