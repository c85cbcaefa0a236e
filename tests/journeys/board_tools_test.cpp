// The board tools on the simulated board, as a person works with them in the
// board tools' host program (bin/tools_probe, the way every program reaches
// the a_qjx exports): the installation-file editor takes two typed lines,
// checks their syntax and runs them on the board; the EEPROM editor changes
// a word, saves the module's words to an .eep file named in the file dialog,
// and loads them back after a second change: the saved word comes back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;
using mirt_test::WindowState;

// The installation-file editor's controls.
constexpr long long kInsSyntaxCheck = 1024, kInsExecuteAll = 1018, kInsMessages = 1176;
// Two lines: start board 0, then a macro command whose answer (three
// bytes, counting up from the command code) comes from the board.
constexpr auto kHeaderLine = "'KALVEN - INSTALLATION FILE";
constexpr auto kStartLine = "Q8DEVICE 0", kMacroLine = "Q8CMD 05 30";
constexpr auto kMacroAnswer = "Answer (hex): 05 06 07";
constexpr auto kCheckHead = "----------Syntax Check----------", kRunHead = "----------Installation----------",
               kOkEnd = "----------OK----------";

// The EEPROM editor's controls.
constexpr long long kEepromValues = 1000, kEepromHex = 1013, kEepromSave = 1021, kEepromLoad = 1020,
                    kEepromFileValues = 1104, kEepromWriteBack = 1022;
// The word changed is not word 0, whose low byte heads the file.
constexpr int kChangedWord = 2;
constexpr auto kSavedWord = "BEEF", kLaterWord = "1234";
// The file dialog's file name field and OK button.
constexpr long long kFileNameField = 1152, kFileDialogOk = 1;
constexpr int kClickAttempts = 3, kSettleSyncs = 20;

std::string Probe() { return mirt_test::ProgramDir() + "/tools_probe"; }

std::string Field(const ProgramState& s, const std::string& kind, long long id) {
  return s.Value(kind + std::to_string(id));
}

// The rows of a list box of the tool as the probe reports them.
std::vector<std::string> Rows(const ProgramState& s, long long list) {
  std::vector<std::string> rows;
  const std::string all = Field(s, "list", list);
  for (size_t start = 0; start <= all.size() && !all.empty();) {
    size_t end = all.find('|', start);
    if (end == std::string::npos) end = all.size();
    rows.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return rows;
}

std::string Row(const ProgramState& s, long long list, size_t index) {
  const std::vector<std::string> rows = Rows(s, list);
  return index < rows.size() ? rows[index] : "";
}

// The values list writes "%.2d\t%.4hX", the file-values list "%hu\t%.4hX".
std::string ValueRow(int index, const std::string& word) {
  return (index < 10 ? "0" : "") + std::to_string(index) + "\t" + word;
}
std::string FileRow(int index, const std::string& word) { return std::to_string(index) + "\t" + word; }

class BoardToolsJourney : public ::testing::TestWithParam<WindowManager> {
 protected:
  // Starts the host program with one tool and waits until it has the keys.
  void StartTool(const std::string& tool) {
    display = std::make_unique<RealDisplay>(GetParam());
    ASSERT_TRUE(display->Start(Probe(), {tool})) << display->Error();
    display->WaitFor(
        [this](const ProgramState& p) {
          const WindowState* dialog = p.Find("#32770");
          return !p.Value("tool").empty() && dialog && display->HasInputFocus(dialog->xid);
        },
        "the " + tool + " tool with the keys");
  }
  // Clicks a control of the tool until it has the focus (a window manager
  // may take a click on a new window for itself).
  void ClickOn(const char* className, long long id) {
    for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
      const ProgramState s = display->Sync();
      const WindowState* w = s.Find(className, id);
      ASSERT_TRUE(w) << className << " " << id;
      if (s.focus == w->hwnd) return;
      display->Click(w->rect.CenterX(), w->rect.CenterY());
      for (int i = 0; i < kSettleSyncs; ++i)
        if (display->Sync().focus == w->hwnd) return;
    }
    FAIL() << "no focus in " << className << " " << id;
  }
  // Presses a button of the tool until `done` shows its effect.
  void Press(long long id, const std::function<bool(const ProgramState&)>& done, const std::string& what) {
    for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
      const ProgramState s = display->Sync();
      if (done(s)) return;
      const WindowState* button = s.Find("BUTTON", id);
      ASSERT_TRUE(button) << "button " << id;
      display->Click(button->rect.CenterX(), button->rect.CenterY());
      for (int i = 0; i < kSettleSyncs; ++i)
        if (done(display->Sync())) return;
    }
    display->WaitFor(done, what);
  }
  // Types one key at a time, each handled before the next.
  void TypeKeys(const std::string& text) {
    for (char c : text) {
      display->Type(std::string(1, c));
      display->Sync();
    }
  }
  // Answers the file dialog that a button opens with a typed name.
  void NameInFileDialog(long long button, const std::string& path, const std::string& picture) {
    auto shown = [](const ProgramState& p) { return p.Find("Edit", kFileNameField) != nullptr; };
    Press(button, shown, "the file dialog");
    ProgramState s = display->WaitFor(
        [this](const ProgramState& p) {
          const WindowState* name = p.Find("Edit", kFileNameField);
          const WindowState* dialog = name ? p.ByHandle(name->parent) : nullptr;
          return dialog && display->HasInputFocus(dialog->xid);
        },
        "the keys in the file dialog");
    const WindowState* name = s.Find("Edit", kFileNameField);
    ASSERT_TRUE(name);
    display->Click(name->rect.CenterX(), name->rect.CenterY());
    display->Key("ctrl+a");
    // One key at a time: the dialog follows the typed folders as they come.
    TypeKeys(path);
    display->WaitFor(
        [&path](const ProgramState& p) {
          const WindowState* field = p.Find("Edit", kFileNameField);
          return field && field->text == path;
        },
        "the typed name in the file dialog");
    display->SavePicture(Picture(picture));
    // Its OK button (Save or Open); a click may first close the field's
    // completion list, so it is clicked until the dialog has gone.
    auto closed = [](const ProgramState& p) { return p.Find("Edit", kFileNameField) == nullptr; };
    for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
      s = display->Sync();
      const WindowState* ok = s.Find("Button", kFileDialogOk);
      if (closed(s) || !ok) break;
      display->Click(ok->rect.CenterX(), ok->rect.CenterY());
      for (int i = 0; i < kSettleSyncs && !closed(display->Sync()); ++i) {
      }
    }
    display->WaitFor(closed, "the file dialog closed");
  }
  // A new word for the selected word of the EEPROM editor through its hex
  // field, Enter writing it.
  void ChangeWord(const std::string& word) {
    ClickOn("EDIT", kEepromHex);
    display->Key("Home");
    TypeKeys(word);
    display->Key("Return");
    display->WaitFor(
        [&word](const ProgramState& p) {
          return Row(p, kEepromValues, kChangedWord) == ValueRow(kChangedWord, word);
        },
        "the word " + word + " on the board");
  }
  std::string Picture(const std::string& name) const {
    return name + (GetParam() == WindowManager::kNone ? "" : "_openbox");
  }

  std::unique_ptr<RealDisplay> display;
};

TEST_P(BoardToolsJourney, InstallationLinesRunAndAnEepromWordSavedAndLoadedBack) {
  // The installation-file editor: two lines typed, checked, run.
  StartTool("ins");
  ASSERT_FALSE(HasFailure());
  // A new file holds the header comment without a line end: the lines go
  // below it.
  ClickOn("Scintilla", -1);
  display->Key("ctrl+End");
  display->Key("Return");
  display->Type(kStartLine);
  display->Key("Return");
  display->Type(kMacroLine);
  const std::string typed = std::string(kHeaderLine) + "|" + kStartLine + "|" + kMacroLine;
  display->WaitFor([&typed](const ProgramState& p) { return p.Value("editor") == typed; }, "the two lines");
  Press(
      kInsSyntaxCheck,
      [](const ProgramState& p) {
        return Field(p, "edit", kInsMessages).find(kCheckHead) != std::string::npos;
      },
      "the syntax check");
  ProgramState s = display->Sync();
  EXPECT_NE(Field(s, "edit", kInsMessages).find(kOkEnd), std::string::npos) << Field(s, "edit", kInsMessages);
  display->SavePicture(Picture("journey_tools_ins_checked"));
  Press(
      kInsExecuteAll,
      [](const ProgramState& p) {
        return Field(p, "edit", kInsMessages).find(kRunHead) != std::string::npos;
      },
      "the run");
  s = display->Sync();
  const std::string run = Field(s, "edit", kInsMessages);
  EXPECT_NE(run.find(kMacroAnswer), std::string::npos) << run;
  EXPECT_NE(run.find(kOkEnd), std::string::npos) << run;
  display->SavePicture(Picture("journey_tools_ins_run"));
  ASSERT_FALSE(HasFailure());

  // The EEPROM editor: the hex field has the keys; Down moves to the word.
  const std::string file = mirt_test::MakeTempDir("jtools") + "/module.eep";
  StartTool("eeprom");
  ASSERT_FALSE(HasFailure());
  ClickOn("EDIT", kEepromHex);
  for (int i = 0; i < kChangedWord; ++i) display->Key("Down");
  ChangeWord(kSavedWord);
  ASSERT_FALSE(HasFailure());
  NameInFileDialog(kEepromSave, file, "journey_tools_eeprom_save_dialog");
  display->WaitFor(
      [&file](const ProgramState&) {
        return mirt_test::ReadFile(file).find(kSavedWord) != std::string::npos;
      },
      "the saved file");
  ASSERT_FALSE(HasFailure());

  // A later change, then Load shows the file's words and "<<" writes them.
  ChangeWord(kLaterWord);
  NameInFileDialog(kEepromLoad, file, "journey_tools_eeprom_load_dialog");
  s = display->WaitFor(
      [](const ProgramState& p) {
        return Row(p, kEepromFileValues, kChangedWord) == FileRow(kChangedWord, kSavedWord);
      },
      "the file's words");
  ASSERT_FALSE(HasFailure()) << Field(s, "list", kEepromFileValues);
  Press(
      kEepromWriteBack,
      [](const ProgramState& p) {
        return Row(p, kEepromValues, kChangedWord) == ValueRow(kChangedWord, kSavedWord);
      },
      "the saved word back on the board");
  display->SavePicture(Picture("journey_tools_eeprom_loaded"));
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, BoardToolsJourney,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
