// The disassembly window under a real X server, driven by real pointer and
// key input, bare and under a window manager: paging, a click on a line,
// Ctrl+F to find "int", a selection dragged with the mouse and copied.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

int Number(const ProgramState& s, const char* key) { return std::stoi("0" + s.Value(key)); }

// Under a window manager the window gets the keys in the manager's time.
void WaitForKeys(RealDisplay& display, WindowManager wm) {
  if (wm != WindowManager::kOpenbox) return;
  display.WaitFor(
      [&display](const ProgramState& p) {
        for (const auto& w : p.windows)
          if (w.text == "disassembly" && w.xid != 0) return display.HasInputFocus(w.xid);
        return false;
      },
      "the keys going to the window");
}

void PageClickFindSelectAndCopy(WindowManager wm) {
  RealDisplay display(wm);
  ASSERT_TRUE(display.Start(mirt_test::ProgramDir() + "/disview_probe")) << display.Error();
  display.WaitFor([](const ProgramState& p) { return !p.Value("view").empty(); }, "the view");
  WaitForKeys(display, wm);
  ProgramState s = display.Sync();
  int x0 = 0, y0 = 0;
  std::istringstream(s.Value("view")) >> x0 >> y0;
  const int height = Number(s, "lineheight");
  const int margin = Number(s, "margin");
  ASSERT_GT(height, 0);
  const int first = Number(s, "top");
  EXPECT_EQ(s.Value("topaddress"), "00001000");

  display.Key("Next");
  s = display.Sync();
  const int page = Number(s, "top") - first;
  EXPECT_GT(page, 5);
  display.Key("Prior");
  s = display.Sync();
  EXPECT_EQ(Number(s, "top"), first);

  // A click on the fourth row puts the caret there (a window manager may
  // hold the press until it has looked at it).
  constexpr int kRow = 3;
  display.Click(x0 + margin + 60, y0 + kRow * height + height / 2);
  s = display.WaitFor([&](const ProgramState& p) { return Number(p, "caret") == first + kRow; },
                      "the caret on the clicked row");

  // Ctrl+F, "int", Return: the next "int" is selected.
  display.Key("ctrl+f");
  s = display.WaitFor([](const ProgramState& p) { return p.Value("finddialog") == "1"; }, "the find dialog");
  display.Type("int");
  display.Key("Return");
  s = display.WaitFor([](const ProgramState& p) { return p.Value("selected") == "int"; }, "the match");
  EXPECT_GT(Number(s, "caret"), first + kRow);
  display.SavePicture(wm == WindowManager::kNone ? "disview_found" : "disview_found_openbox");
  display.Key("Escape");
  s = display.WaitFor([](const ProgramState& p) { return p.Value("finddialog") == "0"; },
                      "the dialog closed");

  // Drag from the first row's start to the second's, and copy.
  WaitForKeys(display, wm);
  display.Drag(x0 + margin + 1, y0 + height / 2, x0 + margin + 1, y0 + height + height / 2);
  s = display.WaitFor([](const ProgramState& p) { return p.Value("selected").rfind("00001000", 0) == 0; },
                      "the selection");
  display.Key("ctrl+c");
  s = display.WaitFor([](const ProgramState& p) { return !p.Value("clip").empty(); }, "the copy");
  EXPECT_EQ(s.Value("clip").rfind("00001000: int", 0), 0u) << s.Value("clip");
  // From the start of the first row to the start of the second: one whole line.
  EXPECT_EQ(s.Value("clip").find('|'), s.Value("clip").size() - 1) << s.Value("clip");
  display.SavePicture(wm == WindowManager::kNone ? "disview_selection" : "disview_selection_openbox");
}

TEST(DisviewRealInput, PageClickFindSelectAndCopy) { PageClickFindSelectAndCopy(WindowManager::kNone); }

TEST(DisviewRealInput, PageClickFindSelectAndCopyUnderAWindowManager) {
  PageClickFindSelectAndCopy(WindowManager::kOpenbox);
}

}  // namespace
