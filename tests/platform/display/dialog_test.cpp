// The probe's modal dialog and message box under real input: the combo
// box's keys close only its list, the list box shows its scroll bar, closed
// dialogs give back their native windows and memory, the keys move the
// focus, and the message box shows in the state and takes clicks and keys.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "probe_fixture.h"
#include "tests/support/test_support.h"

namespace display_test {
namespace {

constexpr auto kDialogClass = "#32770";
constexpr auto kDropListClass = "ComboLBox";
constexpr int kComboId = 2003;  // IDC_PROBE_COMBO
constexpr int kListId = 2002;   // IDC_PROBE_LIST: 20 lines, room for about 5
constexpr unsigned kButtonFace = 0xC0C0C0;
constexpr int kArrowInset = 5;  // pixels into the scroll bar's up arrow, off its glyph
constexpr int kDialogRounds = 100;
constexpr int kWarmUpRounds = 10;  // caches of fonts and images fill in the first rounds
constexpr long kMaxGrowthKb = 4096;

using DialogTest = ProbeTest;

ProgramState OpenDialog(RealDisplay& d) {
  d.Key("ctrl+g");
  return d.WaitFor([](const ProgramState& s) { return s.Find(kDialogClass) != nullptr; }, "the dialog");
}

ProgramState DropTheCombo(RealDisplay& d, const ProgramState& s) {
  const WindowState* combo = s.Find("COMBOBOX", kComboId);
  EXPECT_NE(combo, nullptr);
  if (!combo) return s;
  d.Click(combo->rect.x + combo->rect.width - kArrowInset, combo->rect.CenterY());
  return d.WaitFor([](const ProgramState& st) { return st.Find(kDropListClass) != nullptr; },
                   "the drop-list");
}

ProgramState WaitListClosed(RealDisplay& d) {
  return d.WaitFor([](const ProgramState& st) { return st.Find(kDropListClass) == nullptr; },
                   "the list closed");
}

TEST_P(DialogTest, EnterAndEscInADroppedComboCloseOnlyItsList) {
  ProgramState s = OpenDialog(*display);
  s = DropTheCombo(*display, s);
  display->Key("Escape");
  s = WaitListClosed(*display);
  EXPECT_NE(s.Find(kDialogClass), nullptr) << "Esc closed the dialog";
  s = DropTheCombo(*display, s);
  display->Key("Down");
  display->Key("Return");
  s = WaitListClosed(*display);
  EXPECT_NE(s.Find(kDialogClass), nullptr) << "Enter closed the dialog";
  Picture("combo");
  display->Key("Escape");
  s = display->WaitFor([](const ProgramState& st) { return st.Find(kDialogClass) == nullptr; },
                       "the dialog closed");
  EXPECT_EQ(s.Value("dialogs"), "1 2");  // one dialog, IDCANCEL
}

// A person drops the list and picks a line at once, again and again: each
// pick chooses its line, closes only the list and leaves the dialog on top
// with the keys.
TEST_P(DialogTest, QuickPointerPicksInTheDropListEachChooseTheirLine) {
  constexpr int kPicks = 12;
  ProgramState s = OpenDialog(*display);
  const unsigned long dialog = s.Find(kDialogClass)->xid;
  for (int pick = 0; pick < kPicks; ++pick) {
    const int line = pick % 3;
    s = DropTheCombo(*display, s);
    const WindowState* list = s.Find(kDropListClass);
    ASSERT_NE(list, nullptr);
    const int lineHeight = std::stoi(s.Value("dialogcombo").substr(s.Value("dialogcombo").find(' ') + 1));
    display->Click(list->rect.x + list->rect.width / 3, list->rect.y + lineHeight * line + lineHeight / 2);
    s = WaitListClosed(*display);
    ASSERT_NE(s.Find(kDialogClass), nullptr) << "pick " << pick;
    EXPECT_EQ(s.Value("dialogcombo").substr(0, s.Value("dialogcombo").find(' ')), std::to_string(line))
        << "pick " << pick;
    s = display->WaitFor([&](const ProgramState&) { return display->HasInputFocus(dialog); },
                         "the keys back in the dialog");
  }
  display->Key("Escape");
}

TEST_P(DialogTest, AListWithMoreLinesThanFitShowsItsScrollBar) {
  ProgramState s = OpenDialog(*display);
  const WindowState* list = s.Find("LISTBOX", kListId);
  ASSERT_NE(list, nullptr);
  Picture("list");
  int right = list->rect.x + list->rect.width - 1, top = list->rect.y + 1;
  EXPECT_EQ(display->PixelAt(right - kArrowInset, top + kArrowInset), kButtonFace);
}

long ResidentKb(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  long value = 0;
  while (in >> key) {
    if (key == "VmRSS:") {
      in >> value;
      return value;
    }
    in.ignore(1 << 12, '\n');
  }
  return 0;
}

// Opens and closes the dialog; each round waits, as a person would, until
// the keys are back in the main frame (a window manager hands them back in
// its own time) before the next Ctrl+G.
ProgramState DialogRounds(RealDisplay& d, int first, int last) {
  ProgramState s = d.Sync();
  const unsigned long main = ProbeTest::MainFrame(s)->xid;
  for (int i = first; i < last; ++i) {
    d.Key("ctrl+g");
    d.WaitFor([](const ProgramState& st) { return st.Find(kDialogClass) != nullptr; }, "the dialog");
    d.Key("Escape");
    const std::string closed = std::to_string(i + 1) + " 2";  // IDCANCEL
    s = d.WaitFor(
        [&](const ProgramState& st) { return st.Value("dialogs") == closed && d.HasInputFocus(main); },
        "the dialog closed and the keys back in the main frame");
  }
  return s;
}

TEST_P(DialogTest, AHundredClosedDialogsLeaveNoNativeWindowsBehind) {
  ProgramState before = display->Sync();
  ProgramState warm = DialogRounds(*display, 0, kWarmUpRounds);
  long warmKb = ResidentKb(display->ProgramPid());
  ProgramState after = DialogRounds(*display, kWarmUpRounds, kDialogRounds);
  EXPECT_EQ(after.nativeWindows, before.nativeWindows);
  EXPECT_EQ(warm.nativeWindows, before.nativeWindows);
  if (!mirt_test::kAddressSanitizer) EXPECT_LT(ResidentKb(display->ProgramPid()) - warmKb, kMaxGrowthKb);
}

TEST_P(DialogTest, KeysInTheModalDialogPassTheApplicationsPreTranslateMessage) {
  constexpr auto kTyped = "ab";
  ProgramState s = OpenDialog(*display);
  const unsigned long dialog = s.Find(kDialogClass)->xid;
  // A window manager hands the dialog the keys in its own time.
  s = display->WaitFor([&](const ProgramState&) { return dialog && display->HasInputFocus(dialog); },
                       "the keys going to the dialog");
  const int before = std::stoi(s.Value("dialogkeys"));
  display->Type(kTyped);
  s = display->Sync();
  EXPECT_EQ(std::stoi(s.Value("dialogkeys")) - before, static_cast<int>(std::string(kTyped).size()));
  // The dialog still handles them: its edit took the text.
  EXPECT_EQ(s.Value("dialogedit"), kTyped);
  display->Key("Escape");
}

// The id of the control holding the keyboard focus (-1: none reported).
long long FocusId(const ProgramState& s) {
  const WindowState* w = s.ByHandle(s.focus);
  return w ? w->id : -1;
}

ProgramState WaitFocusId(RealDisplay& d, long long id, const char* what) {
  return d.WaitFor([id](const ProgramState& st) { return FocusId(st) == id; }, what);
}

// Tab and Shift+Tab walk the controls with a tab stop in their order and
// wrap; the check box's mnemonic reaches it; Enter presses the default
// button.
TEST_P(DialogTest, TabShiftTabAndMnemonicsMoveTheFocusAndEnterPressesTheDefault) {
  constexpr int kEditId = 2001;   // IDC_PROBE_EDIT
  constexpr int kCheckId = 2004;  // IDC_PROBE_CHECK
  constexpr int kOkId = 1;        // IDOK
  constexpr int kCancelId = 2;    // IDCANCEL
  const long long kTabOrder[] = {kEditId, kListId, kComboId, kCheckId, kOkId, kCancelId};
  ProgramState s = OpenDialog(*display);
  const unsigned long dialog = s.Find(kDialogClass)->xid;
  s = display->WaitFor([&](const ProgramState&) { return dialog && display->HasInputFocus(dialog); },
                       "the keys going to the dialog");
  s = WaitFocusId(*display, kEditId, "the focus on the edit");
  for (size_t i = 1; i <= std::size(kTabOrder); ++i) {
    display->Key("Tab");
    s = WaitFocusId(*display, kTabOrder[i % std::size(kTabOrder)], "Tab to the next control");
  }
  display->Key("shift+Tab");
  s = WaitFocusId(*display, kCancelId, "Shift+Tab back over the wrap");
  display->Key("shift+Tab");
  s = WaitFocusId(*display, kOkId, "Shift+Tab back");
  display->Key("alt+c");
  s = WaitFocusId(*display, kCheckId, "the check box's mnemonic");
  display->Key("Return");
  s = display->WaitFor([](const ProgramState& st) { return st.Find(kDialogClass) == nullptr; },
                       "the dialog closed by its default button");
  EXPECT_EQ(s.Value("dialogs"), "1 1");  // one dialog, IDOK
}

// A message box shows in the state with its text and buttons and answers a
// person's click or key; once it closes, the keys go back to the main frame.
TEST_P(DialogTest, AMessageBoxShowsItsTextAndButtonsAndTakesClicksAndKeys) {
  constexpr auto kMessageText = "Keep the probe's changes?";
  constexpr int kTextId = 0xFFFF;
  constexpr int kYes = 6, kNo = 7, kCancel = 2;  // IDYES, IDNO, IDCANCEL
  struct Case {
    const char* what;
    const char* key;  // pressed, or nullptr: click the button
    int button;       // clicked
    int answer;
  };
  const Case kCases[] = {
      {"a click on No", nullptr, kNo, kNo},
      {"Esc", "Escape", 0, kCancel},
      {"Enter on the default button", "Return", 0, kYes},
  };
  int closed = 0;
  const unsigned long main = MainFrame(display->Sync())->xid;
  for (const Case& c : kCases) {
    display->Key("ctrl+m");
    ProgramState s = display->WaitFor(
        [](const ProgramState& st) { return st.Find("Static", kTextId) && st.Find("Button", kCancel); },
        c.what);
    const WindowState* box = s.Find(kDialogClass);
    ASSERT_NE(box, nullptr) << c.what;
    EXPECT_EQ(s.Find("Static", kTextId)->text, kMessageText) << c.what;
    for (int id : {kYes, kNo, kCancel}) EXPECT_NE(s.Find("Button", id), nullptr) << c.what << " " << id;
    // A window manager shows and places the box in its own time.
    const unsigned long xid = box->xid;
    s = display->WaitFor([&](const ProgramState&) { return xid && display->HasInputFocus(xid); },
                         "the message box shown with the keys going to it");
    if (c.key) {
      display->Key(c.key);
    } else {
      const WindowState* button = s.Find("Button", c.button);
      display->Click(button->rect.CenterX(), button->rect.CenterY());
    }
    const std::string answered = std::to_string(++closed) + " " + std::to_string(c.answer);
    // The keys go back to the main frame, with or without a window manager.
    s = display->WaitFor(
        [&](const ProgramState& st) {
          return st.Value("msgbox") == answered && display->HasInputFocus(main);
        },
        c.what);
    EXPECT_EQ(s.Find("Static", kTextId), nullptr) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Display, DialogTest,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
