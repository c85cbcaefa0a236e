#include <string>
#include <vector>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/macro_commands.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/afxdlg.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint16_t kTesseraBoard = 0, kDeskBoard = 1;
constexpr WORD kDeskType = 2, kLineType = 6, kMiniType = 7, kTesseraType = 8, kZorType = 16;
constexpr int kList = 1094, kMacro = 1091, kSend = 1092, kStatus = 1105, kAnswer = 1110, kDeleteList = 1170;

std::vector<std::string> EntriesWithCode(WORD type, const std::string& code) {
  std::vector<std::string> found;
  for (const char* entry : MacroCommandEntries(type))
    if (std::string(entry).rfind(code + "\t", 0) == 0) found.push_back(entry);
  return found;
}

TEST(MacroCommands, ListsByBoardType) {
  struct Case {
    WORD type;
    size_t entries;
  };
  for (const Case& c : {Case{kDeskType, 55}, Case{kLineType, 74}, Case{kMiniType, 74}, Case{kTesseraType, 74},
                        Case{kZorType, 0}})
    EXPECT_EQ(MacroCommandEntries(c.type).size(), c.entries) << c.type;
  EXPECT_TRUE(EntriesWithCode(kDeskType, "26 F4").empty());
  EXPECT_EQ(EntriesWithCode(kTesseraType, "26 F4").size(), 1u);
  for (WORD type : {kDeskType, kLineType})
    EXPECT_EQ(EntriesWithCode(type, "59 34"), std::vector<std::string>{"59 34\tread parameter word"});
  for (WORD type : {kMiniType, kTesseraType})
    EXPECT_EQ(EntriesWithCode(type, "59 34"), std::vector<std::string>{"59 34\tRead parameter word"});
}

TEST(MacroCommands, FieldTakesHexDigitsAndEditingKeysOnly) {
  struct Case {
    WPARAM key;
    bool taken;
  };
  constexpr WPARAM kBackspace = 8, kTab = 9, kEnter = 13, kEsc = 27, kSpace = 32, kHome = 36, kLeft = 37,
                   kUp = 38, kRight = 39, kDown = 40, kDelete = 46, kMinus = 189;
  for (const Case& c : {Case{'0', true}, Case{'9', true}, Case{'A', true}, Case{'F', true}, Case{'G', false},
                        Case{kMinus, false}, Case{kBackspace, true}, Case{kSpace, true}, Case{kHome, true},
                        Case{kLeft, true}, Case{kRight, true}, Case{kDelete, true}, Case{kTab, false},
                        Case{kEnter, false}, Case{kEsc, false}, Case{kUp, false}, Case{kDown, false}})
    EXPECT_EQ(MacroFieldTakesKey(c.key), c.taken) << c.key;
}

class MacroDialogTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    plat::ClearModalRecords();
  }
  static int EntryOf(HWND dialog, const std::string& text) {
    return int(SendDlgItemMessage(dialog, kList, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str())));
  }
};

TEST_F(MacroDialogTest, ChosenEntryIsCheckedAndSentWithTheBoardsAnswer) {
  Select(kTesseraType, kTesseraBoard);
  std::string status, answer, afterDelete;
  LRESULT entries = 0;
  plat::PushDialogAction([&](HWND dialog) {
    entries = SendDlgItemMessage(dialog, kList, LB_GETCOUNT, 0, 0);
    const int ready = EntryOf(dialog, "00 20\tBoard ready?");
    SendDlgItemMessage(dialog, kList, LB_SETCURSEL, WPARAM(ready), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kList, LBN_SELCHANGE), LPARAM(GetDlgItem(dialog, kList)));
    EXPECT_EQ(ui_test::ItemText(dialog, kMacro), "00 20");
    status = ui_test::ItemText(dialog, kStatus);
    EXPECT_TRUE(Args("qj8_send_macro").empty());  // checked, not sent
    SendMessage(GetDlgItem(dialog, kSend), BM_CLICK, 0, 0);
    answer = ui_test::ItemText(dialog, kAnswer);
    SetDlgItemText(dialog, kMacro, "00");
    EXPECT_NE(ui_test::ItemText(dialog, kStatus), "Parameter OK");
    SendMessage(GetDlgItem(dialog, kSend), BM_CLICK, 0, 0);
    EXPECT_NE(ui_test::ItemText(dialog, kAnswer).find("Command (hex): 00 - Error: "), std::string::npos);
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(dialog);
    ui_test::Picture(dialog).save(QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_macro.png"));
    SendMessage(GetDlgItem(dialog, kDeleteList), BM_CLICK, 0, 0);
    afterDelete = ui_test::ItemText(dialog, kAnswer);
    EndDialog(dialog, IDOK);
  });
  a_qjx_macro(kTesseraType);
  EXPECT_EQ(entries, 74);
  EXPECT_EQ(status, "Parameter OK");
  EXPECT_EQ(answer, "Command (hex): 00 20 - Answer (hex): 00 01 \r\n");
  EXPECT_EQ(Args("qj8_send_macro").size(), 1u);
  EXPECT_EQ(afterDelete, "");
}

TEST_F(MacroDialogTest, KeysOtherThanHexAndEditingNeverReachTheField) {
  Select(kDeskType, kDeskBoard);
  plat::PushDialogAction([&](HWND dialog) {
    HWND field = GetDlgItem(dialog, kMacro);
    SetFocus(field);
    CWnd* window = CWnd::FromHandlePermanent(dialog);
    ASSERT_TRUE(window);
    for (WPARAM key : {WPARAM('G'), WPARAM(189), WPARAM(13)}) {
      MSG msg{field, WM_KEYDOWN, key, 0, 0, {}};
      EXPECT_TRUE(window->PreTranslateMessage(&msg)) << key;
    }
    EXPECT_EQ(ui_test::ItemText(dialog, kMacro), "");
    EndDialog(dialog, IDOK);
  });
  a_qjx_macro(kDeskType);
  ASSERT_EQ(plat::ModalRecords().size(), 1u);
}

}  // namespace
