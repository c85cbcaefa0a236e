#include <QImage>
#include <functional>
#include <string>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/eeprom_editor_dialog.h"
#include "a_qjx/tool_ids.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/prompt.h"

namespace {

constexpr uint16_t kLineBoard = 2;
constexpr WORD kLineType = 6;
constexpr int kLineModules = 9;
constexpr WORD kLineWords = 32;
constexpr auto kNotThisModule = "This file is not a correct EEPROM file for this module.";

class EepromEditorTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    Select(kLineType, kLineBoard);
  }
  // Runs the editor on the Kora-LINE board; its result.
  static WORD Run(std::function<void(HWND)> act) {
    plat::PushDialogAction(std::move(act));
    return a_qjx_eeprom(kLineType);
  }
  static std::string ListLine(HWND dialog, int id, int line) {
    char text[64] = {};
    SendDlgItemMessage(dialog, id, LB_GETTEXT, WPARAM(line), LPARAM(text));
    return text;
  }
  static WORD BoardWord(WORD module, WORD word) { return board(kLineBoard).eeprom[module][word]; }
  static void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static void ChooseModule(HWND dialog, int entry) {
    SendDlgItemMessage(dialog, IDC_EEPROM_MODULE, CB_SETCURSEL, WPARAM(entry), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_EEPROM_MODULE, CBN_SELCHANGE),
                LPARAM(GetDlgItem(dialog, IDC_EEPROM_MODULE)));
  }
  static void ChooseWord(HWND dialog, int line) {
    SendDlgItemMessage(dialog, IDC_EEPROM_VALUES, LB_SETCURSEL, WPARAM(line), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_EEPROM_VALUES, LBN_SELCHANGE),
                LPARAM(GetDlgItem(dialog, IDC_EEPROM_VALUES)));
  }
  // A key as the modal loop offers it to the dialog first.
  static void Key(HWND dialog, int id, UINT key) {
    MSG msg{GetDlgItem(dialog, id), WM_KEYDOWN, key, 0, 0, {}};
    CWnd::FromHandlePermanent(dialog)->PreTranslateMessage(&msg);
  }
  static void TypeHex(HWND dialog, const char* keys) {
    HWND hex = GetDlgItem(dialog, IDC_EEPROM_HEX);
    SendMessage(hex, EM_SETSEL, 0, 0);
    for (const char* k = keys; *k; ++k) {
      SendMessage(hex, WM_KEYDOWN, WPARAM(*k), 0);
      SendMessage(hex, WM_CHAR, WPARAM(*k), 0);
    }
  }
  static bool Checked(HWND dialog, int bit) {
    const int id = bit == 0 ? IDC_EEPROM_BIT0 : IDC_EEPROM_BIT1 + bit - 1;
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED && ui_test::ItemText(dialog, id) == "1";
  }
};

TEST_F(EepromEditorTest, ListsTheModulesAndTheWordsOfTheFirst) {
  board(kLineBoard).eeprom[0][0] = 0x1234;
  Run([](HWND dialog) {
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_MODULE, CB_GETCOUNT, 0, 0), kLineModules);
    for (int i = 0; i < kLineModules; ++i)
      EXPECT_NE(SendDlgItemMessage(dialog, IDC_EEPROM_MODULE, CB_GETITEMDATA, WPARAM(i), 0), 33);
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_VALUES, LB_GETCOUNT, 0, 0), kLineWords);
    EXPECT_EQ(ListLine(dialog, IDC_EEPROM_VALUES, 0), "00\t1234");
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_HEX), "1234");
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_DEC), "4660");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_EEPROM_WRITE_FILE)));
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(dialog);
    ui_test::Picture(dialog).save(
        QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_eeprom_editor.png"));
    ChooseModule(dialog, 1);  // SCC1
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_VALUES, LB_GETCOUNT, 0, 0), 16);
    g_currentFamily->eepromWordCount[1] = 0;  // a module without EEPROM
    ChooseModule(dialog, 1);
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_VALUES, LB_GETCOUNT, 0, 0), 0);
    for (int id : {IDC_EEPROM_CHANGE, IDC_EEPROM_LOAD, IDC_EEPROM_SAVE})
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_HEX), "0000");
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_DEC), "0");
    EndDialog(dialog, IDOK);
  });
}

TEST_F(EepromEditorTest, HexDecimalAndBitsFollowEachOther) {
  Run([](HWND dialog) {
    TypeHex(dialog, "001A");
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_HEX), "001A");
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_DEC), "26");
    for (int bit = 0; bit < 16; ++bit)
      EXPECT_EQ(Checked(dialog, bit), bit == 1 || bit == 3 || bit == 4) << bit;
    SetDlgItemText(dialog, IDC_EEPROM_DEC, "65535");
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_HEX), "FFFF");
    Click(dialog, IDC_EEPROM_BIT0);  // clears bit 0
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_HEX), "FFFE");
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_DEC), "65534");
    TypeHex(dialog, "G");  // refused
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_EEPROM_HEX), "FFFE");
    EndDialog(dialog, IDOK);
  });
}

TEST_F(EepromEditorTest, ChangeWritesTheWordAndAsksForAReset) {
  plat::PushMessageBoxAnswer(IDYES);
  const WORD result = Run([](HWND dialog) {
    ChooseWord(dialog, 2);
    SetDlgItemText(dialog, IDC_EEPROM_DEC, "4242");
    Key(dialog, IDC_EEPROM_DEC, VK_RETURN);  // Enter changes
    EXPECT_EQ(ListLine(dialog, IDC_EEPROM_VALUES, 2), "02\t1092");
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_VALUES, LB_GETCURSEL, 0, 0), 2);
    EndDialog(dialog, IDOK);
  });
  EXPECT_EQ(BoardWord(0, 2), 4242);
  EXPECT_EQ(result, 1);
}

TEST_F(EepromEditorTest, ArrowsAndPageKeysStepWithinTheirEnds) {
  Run([](HWND dialog) {
    ChooseWord(dialog, kLineWords - 1);
    Key(dialog, IDC_EEPROM_HEX, VK_DOWN);
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_VALUES, LB_GETCURSEL, 0, 0), kLineWords - 1);
    Key(dialog, IDC_EEPROM_HEX, VK_UP);
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_VALUES, LB_GETCURSEL, 0, 0), kLineWords - 2);
    Key(dialog, IDC_EEPROM_VALUES, VK_PRIOR);
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_MODULE, CB_GETCURSEL, 0, 0), 0);
    Key(dialog, IDC_EEPROM_VALUES, VK_NEXT);
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_MODULE, CB_GETCURSEL, 0, 0), 1);
    EndDialog(dialog, IDOK);
  });
}

TEST_F(EepromEditorTest, SaveLoadAndWriteBackAModulesWords) {
  const std::string path = dir + "/line.eep";
  board(kLineBoard).eeprom[0][0] = 0x1234;
  board(kLineBoard).eeprom[0][5] = 0xBEEF;
  plat::PushMessageBoxAnswer(IDNO);
  Run([&](HWND dialog) {
    ytn1::PushFileAnswer(path);
    Click(dialog, IDC_EEPROM_SAVE);
    EXPECT_EQ(mirt_test::ReadFile(path).substr(0, 8), "[1234]\r\n");  // the whole word 0
    board(kLineBoard).eeprom[0][5] = 0;
    ytn1::PushFileAnswer(path);
    Click(dialog, IDC_EEPROM_LOAD);
    EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_FILE_VALUES, LB_GETCOUNT, 0, 0), kLineWords);
    EXPECT_EQ(ListLine(dialog, IDC_EEPROM_FILE_VALUES, 5), "5\tBEEF");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_EEPROM_WRITE_FILE)));
    Click(dialog, IDC_EEPROM_WRITE_FILE);
    EXPECT_EQ(ListLine(dialog, IDC_EEPROM_VALUES, 5), "05\tBEEF");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_EEPROM_WRITE_FILE)));
    EndDialog(dialog, IDOK);
  });
  EXPECT_EQ(BoardWord(0, 5), 0xBEEF);
}

TEST_F(EepromEditorTest, FilesOfOtherModulesOrWithBadLinesAreRefused) {
  board(kLineBoard).eeprom[0][0] = 0x1234;
  std::string words;
  for (WORD i = 0; i < kLineWords; ++i) words += "0000\r\n";
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"same low byte, other word 0", "[0034]\r\n" + words},
      {"a line that is not hex", "[1234]\r\nXYZW\r\n" + words.substr(6)},
      {"too few lines", "[1234]\r\n0000\r\n"},
  };
  for (const Case& c : cases) {
    plat::ClearMessageBoxRecords();
    const std::string path = mirt_test::WriteFile(dir + "/bad.eep", c.text);
    Run([&](HWND dialog) {
      ytn1::PushFileAnswer(path);
      Click(dialog, IDC_EEPROM_LOAD);
      EXPECT_EQ(SendDlgItemMessage(dialog, IDC_EEPROM_FILE_VALUES, LB_GETCOUNT, 0, 0), 0) << c.what;
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_EEPROM_WRITE_FILE))) << c.what;
      EndDialog(dialog, IDOK);
    });
    ASSERT_FALSE(BoxTexts().empty()) << c.what;
    EXPECT_EQ(BoxTexts()[0], kNotThisModule) << c.what;
  }
}

}  // namespace
