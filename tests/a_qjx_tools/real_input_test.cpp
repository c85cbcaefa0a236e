// The board tools under a real X server, driven by real pointer and key
// input through the tools probe.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;

constexpr int kMemoryList = 1017, kMemoryGotoText = 1026, kMemoryPhysical = 1007, kMemorySegment = 1030,
              kMemoryOffset = 1031;
constexpr int kEepromHex = 1013, kEepromDec = 1014;
constexpr int kInsLinePosition = 1022, kInsSyntax = 1016, kInsSyntaxCheck = 1024, kInsMessages = 1176;
constexpr unsigned long kPageBytes = 0xA0;
constexpr unsigned long kGotoDistance = 0x1000;

std::string Probe() { return mirt_test::ProgramDir() + "/tools_probe"; }

// The text of an edit field of the tool, as the probe reports it.
std::string EditText(const ProgramState& s, int id) { return s.Value("edit" + std::to_string(id)); }

unsigned long Hex(const std::string& text) { return std::stoul(text.empty() ? "0" : text, nullptr, 16); }

std::string HexText(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%lX", value);
  return text;
}

// Each test runs bare and under a window manager.
class ToolsRealInputTest : public ::testing::TestWithParam<WindowManager> {
 protected:
  ProgramState StartTool(const std::vector<std::string>& args) {
    display = std::make_unique<RealDisplay>(GetParam());
    EXPECT_TRUE(display->Start(Probe(), args)) << display->Error();
    ProgramState s = display->WaitFor(
        [](const ProgramState& p) { return !p.Value("tool").empty() && p.Find("#32770") != nullptr; },
        "the tool");
    // A window manager places the dialog and hands it the keys in its own time.
    if (GetParam() == WindowManager::kOpenbox) {
      s = display->WaitFor(
          [this](const ProgramState& p) {
            const auto* dialog = p.Find("#32770");
            return dialog && display->HasInputFocus(dialog->xid);
          },
          "the keys going to the tool");
    }
    return s;
  }
  // Clicks a window of the tool where it is now (a window manager may have
  // moved it) and waits until the program has handled the click (a window
  // manager may pass it on later) and the window has the focus it gives,
  // under a window manager also the keys, so that keys sent next reach it.
  void ClickOn(const char* className, int id) {
    const ProgramState s = display->Sync();
    const auto* w = s.Find(className, id);
    ASSERT_TRUE(w) << className << " " << id;
    const std::string clicked = w->hwnd;
    const std::string clicksBefore = s.Value("clicks");
    display->Click(w->rect.CenterX(), w->rect.CenterY());
    const bool managed = GetParam() == WindowManager::kOpenbox;
    // The editing component takes its clicks itself: only its focus shows them.
    const bool counted = std::string(className) != "Scintilla";
    display->WaitFor(
        [&](const ProgramState& p) {
          const auto* dialog = p.Find("#32770");
          return (!counted || p.Value("clicks") != clicksBefore) && p.focus == clicked &&
                 (!managed || (dialog && display->HasInputFocus(dialog->xid)));
        },
        std::string("the click on ") + className);
  }
  // Types one key at a time, each handled before the next, as a person types.
  void TypeKeys(const std::string& text) {
    for (char c : text) {
      display->Type(std::string(1, c));
      display->Sync();
    }
  }
  void TearDown() override {
    if (HasFailure() && display) display->SavePicture(std::string("a_qjx_failed_") + CurrentTestName());
  }
  static std::string CurrentTestName() {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name)
      if (c == '/') c = '_';
    return name;
  }
  std::unique_ptr<RealDisplay> display;
};

// Page Down and Page Up in the list move the view a page; an address typed
// into the goto field and Enter show it; the converter follows typing.
TEST_P(ToolsRealInputTest, MemoryToolPagesWithKeysAndGoesToATypedAddress) {
  ProgramState s = StartTool({"memory"});
  const unsigned long start = Hex(s.Value("view"));
  ClickOn("LISTBOX", kMemoryList);
  display->Key("Next");

  s = display->Sync();
  EXPECT_EQ(Hex(s.Value("view")), start + kPageBytes);
  display->Key("Next");
  display->Key("Prior");
  s = display->Sync();
  EXPECT_EQ(Hex(s.Value("view")), start + kPageBytes);
  EXPECT_EQ(s.Value("row1").substr(0, 9),
            std::string(8 - HexText(start + kPageBytes).size(), '0') + HexText(start + kPageBytes) + ":");

  const unsigned long target = start + kGotoDistance;
  ClickOn("EDIT", kMemoryGotoText);
  display->Type(HexText(target));
  display->Key("Return");
  s = display->Sync();
  EXPECT_EQ(Hex(s.Value("view")), target);

  ClickOn("EDIT", kMemoryPhysical);
  display->Type("B8000");
  s = display->Sync();
  EXPECT_EQ(EditText(s, kMemorySegment), "B800");
  EXPECT_EQ(EditText(s, kMemoryOffset), "0000");
  display->SavePicture("a_qjx_memory_tool");
}

// The EEPROM editor's hex field keeps four hex digits: typing writes over
// them, a letter that is not hex is refused, Backspace puts the prompt back;
// the decimal field follows.
TEST_P(ToolsRealInputTest, HexDigitEditTypesOverItsMask) {
  ProgramState s = StartTool({"eeprom"});
  ClickOn("EDIT", kEepromHex);
  display->Key("Home");
  TypeKeys("1a2b");
  s = display->Sync();
  EXPECT_EQ(s.Value("hexvalue"), "1A2B");
  EXPECT_EQ(EditText(s, kEepromDec), "6699");
  display->Key("Home");
  TypeKeys("g");
  s = display->Sync();
  EXPECT_EQ(s.Value("hexvalue"), "1A2B");
  TypeKeys("5");  // the refused letter moved the caret on
  s = display->Sync();
  EXPECT_EQ(s.Value("hexvalue"), "152B");
  display->Key("End");
  display->Key("BackSpace");
  s = display->Sync();
  EXPECT_EQ(s.Value("hexvalue"), "1520");
  EXPECT_EQ(EditText(s, kEepromDec), "5408");
  display->SavePicture("a_qjx_hex_digit_edit");
}

// A line typed at the end shows its verdict, the verdict follows the caret,
// the syntax check reports the bad line, Enter starts a new line, and
// File > Save from the keyboard writes the file.
TEST_P(ToolsRealInputTest, InsEditorTypingVerdictCheckAndSave) {
  const std::string file = mirt_test::MakeTempDir("ins") + "/board.ins";
  mirt_test::WriteFile(file, "Q8DEVICE 1\r\n");
  ProgramState s = StartTool({"ins", file});
  s = display->WaitFor([](const ProgramState& p) { return p.Value("editor") == "Q8DEVICE 1|"; }, "the file");
  ClickOn("Scintilla", -1);
  display->Key("ctrl+End");
  display->Type("Q5DEVICE 1");
  s = display->WaitFor([](const ProgramState& p) { return EditText(p, kInsLinePosition) == "1/2"; },
                       "the caret line");
  EXPECT_EQ(EditText(s, kInsSyntax), "No Keyword");
  display->Key("Up");

  s = display->WaitFor([](const ProgramState& p) { return EditText(p, kInsLinePosition) == "0/2"; },
                       "the first line");
  EXPECT_EQ(EditText(s, kInsSyntax), "OK");
  ClickOn("BUTTON", kInsSyntaxCheck);
  s = display->WaitFor([](const ProgramState& p) { return !EditText(p, kInsMessages).empty(); }, "the check");
  EXPECT_NE(EditText(s, kInsMessages).find("----------1 Error(s)----------"), std::string::npos);
  // Enter in the editor starts a line (the dialog's default button stays).
  ClickOn("Scintilla", -1);
  display->Key("ctrl+End");
  display->Key("Return");
  display->Type("Q8PAR 10 0 1");
  s = display->WaitFor(
      [](const ProgramState& p) { return p.Value("editor") == "Q8DEVICE 1|Q5DEVICE 1|Q8PAR 10 0 1"; },
      "the third line");
  EXPECT_EQ(EditText(s, kInsLinePosition), "2/3");
  display->SavePicture("a_qjx_ins_editor");
  // File > Save from the keyboard.
  display->Key("alt+f");
  display->WaitFor([](const ProgramState& p) { return p.Value("menu") == "0 0"; }, "the File menu");
  display->Key("s");
  display->WaitFor(
      [&](const ProgramState&) { return mirt_test::ReadFile(file).find("Q5DEVICE 1") != std::string::npos; },
      "the saved file");
  EXPECT_EQ(mirt_test::ReadFile(file), "Q8DEVICE 1\r\nQ5DEVICE 1\r\nQ8PAR 10 0 1");
}

INSTANTIATE_TEST_SUITE_P(Display, ToolsRealInputTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
