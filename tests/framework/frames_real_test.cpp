// The framework's test application under a real X server: each frame kind
// comes up, and a real click on a workbook tab activates that worksheet.
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

}  // namespace
