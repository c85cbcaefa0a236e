// The source view under a real X server, driven by real pointer and key
// input, bare and under a window manager: a file opened, a click into it, a
// line typed, selections made with Shift+arrows and with a mouse drag, copy
// and paste with Ctrl+C/Ctrl+V, undo with Ctrl+Z, Ctrl+F and the find
// dialog, and the found word dragged to another place. The buffer's text is
// read back after each step.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

constexpr auto kFile = "alpha beta\ngamma delta\nepsilon\n";
constexpr auto kTypedLine = "int x;";
// Line ends are "|" in the probe's lines.
constexpr auto kAfterTyping = "alpha beta|gamma delta|epsilon|int x;|";
constexpr auto kAfterPaste = "alpha beta|alphagamma delta|epsilon|int x;|";
constexpr auto kAfterDrop = "alpha beta|gamma |deltaepsilon|int x;|";
constexpr int kAlphaLine = 1;
constexpr int kDeltaLine = 2;
constexpr int kEpsilonLine = 3;
constexpr int kEpsilonLength = 7;
constexpr int kAlphaLength = 5;
constexpr int kDeltaColumn = 6;

class EditRealInput : public ::testing::TestWithParam<WindowManager> {
 protected:
  void SetUp() override {
    path_ = mirt_test::WriteFile(mirt_test::MakeTempDir("editview") + "/probe.c", kFile);
    ASSERT_TRUE(display_.Start(mirt_test::ProgramDir() + "/editview_probe", {path_})) << display_.Error();
    ProgramState s =
        display_.WaitFor([](const ProgramState& p) { return !p.Value("view").empty(); }, "the view");
    std::istringstream(s.Value("view")) >> x0_ >> y0_;
    height_ = Number(s, "lineheight");
    width_ = Number(s, "charwidth");
    margin_ = Number(s, "margin");
    ASSERT_GT(height_, 0);
    ASSERT_GT(width_, 0);
    ASSERT_EQ(s.Value("top"), "1");
  }

  static int Number(const ProgramState& s, const char* key) { return std::stoi("0" + s.Value(key)); }

  // Under a window manager the window gets the keys in the manager's time.
  void WaitForKeys() {
    if (GetParam() != WindowManager::kOpenbox) return;
    display_.WaitFor(
        [this](const ProgramState& p) {
          for (const auto& w : p.windows)
            if (w.text == "source" && w.xid != 0) return display_.HasInputFocus(w.xid);
          return false;
        },
        "the keys going to the window");
  }

  // The screen point at the left edge of a cell (column from the left) of
  // a line, with the view's top line as the program last reported it.
  int X(int column) const { return x0_ + margin_ + column * width_ + 1; }
  int Y(int line) {
    const int top = Number(display_.Sync(), "top");
    return y0_ + (line - top) * height_ + height_ / 2;
  }

  ProgramState WaitForValue(const char* key, const std::string& value) {
    ProgramState s = display_.WaitFor([&](const ProgramState& p) { return p.Value(key) == value; },
                                      std::string(key) + " \"" + value + "\"");
    EXPECT_EQ(s.Value(key), value);
    return s;
  }

  std::string Picture(const std::string& name) {
    return display_.SavePicture("editview_" + name +
                                (GetParam() == WindowManager::kOpenbox ? "_openbox" : ""));
  }

  RealDisplay display_{GetParam()};
  std::string path_;
  int x0_ = 0, y0_ = 0, height_ = 0, width_ = 0, margin_ = 0;
};

TEST_P(EditRealInput, TypeSelectCopyPasteUndoFindAndDrag) {
  WaitForKeys();

  // A click behind "epsilon" and a new line typed under it.
  display_.Click(X(kEpsilonLength), Y(kEpsilonLine));
  WaitForValue("caret", "3 7");
  display_.Key("Return");
  display_.Type(kTypedLine);
  ProgramState s = WaitForValue("text", kAfterTyping);
  EXPECT_EQ(s.Value("caret"), "4 6");

  // Shift+arrows select the start of the typed line; Ctrl+C copies it.
  display_.Key("Home");
  for (int i = 0; i < 3; ++i) display_.Key("shift+Right");
  WaitForValue("selected", "int");
  display_.Key("ctrl+c");
  WaitForValue("clip", "int");

  // A mouse drag over "alpha", copied and pasted at the start of line 2.
  display_.Drag(X(0), Y(kAlphaLine), X(kAlphaLength), Y(kAlphaLine));
  WaitForValue("selected", "alpha");
  display_.Key("ctrl+c");
  WaitForValue("clip", "alpha");
  display_.Click(X(0), Y(kDeltaLine));
  WaitForValue("caret", "2 0");
  display_.Key("ctrl+v");
  WaitForValue("text", kAfterPaste);
  Picture("pasted");

  // Ctrl+Z takes the paste back.
  display_.Key("ctrl+z");
  WaitForValue("text", kAfterTyping);

  // Ctrl+F, "delta", Return: the word is selected; Escape closes the dialog.
  display_.Key("ctrl+f");
  WaitForValue("finddialog", "1");
  display_.Type("delta");
  display_.Key("Return");
  s = WaitForValue("selected", "delta");
  EXPECT_EQ(s.Value("caret").substr(0, 2), "2 ");
  Picture("found");
  display_.Key("Escape");
  s = WaitForValue("finddialog", "0");
  EXPECT_EQ(s.Value("selected"), "delta");

  // The found word dragged to the start of the next line moves there.
  WaitForKeys();
  display_.Drag(X(kDeltaColumn + 2), Y(kDeltaLine), X(0), Y(kEpsilonLine));
  s = WaitForValue("text", kAfterDrop);
  Picture("dropped");
  EXPECT_EQ(mirt_test::ReadFile(path_), kFile);  // nothing saved
}

INSTANTIATE_TEST_SUITE_P(Display, EditRealInput,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
