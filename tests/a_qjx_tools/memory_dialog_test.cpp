#include <QImage>
#include <string>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/memory_view.h"
#include "a_qjx/tool_ids.h"
#include "a_qjx/tool_windows.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/ytn1.h"

namespace {

constexpr uint16_t kTesseraBoard = 0;
constexpr WORD kTesseraType = 8;
constexpr WORD kDeskType = 2;
constexpr int kFirstRowLine = 1;

class MemoryDialogTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    SetUserMode(0);
    Select(kTesseraType, kTesseraBoard);
  }
  void TearDown() override {
    HWND open = nullptr;
    if (IsToolWindowOpen(ToolWindow::Memory, &open)) DestroyWindow(open);
    SetUserMode(0);
  }
  static std::string Line(HWND dialog, int index) {
    HWND list = GetDlgItem(dialog, IDC_MEMORY_LIST);
    char text[256] = {};
    SendMessage(list, LB_GETTEXT, WPARAM(index), LPARAM(text));
    return text;
  }
  static CBoardFamily& Family() { return *g_currentFamily; }
  static std::string RowAt(DWORD address) {
    BYTE bytes[kMemoryRowBytes];
    board(kTesseraBoard).memory.Read(address, bytes, kMemoryRowBytes);
    return std::string(MemoryRowText(address, bytes));
  }
  static void Scroll(HWND dialog, WORD code, WORD position = 0) {
    SendMessage(dialog, WM_VSCROLL, MAKEWPARAM(code, position),
                LPARAM(GetDlgItem(dialog, IDC_MEMORY_SCROLL)));
  }
  static void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static void Picture(HWND window, const std::string& name) {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(window);
    ui_test::Picture(window).save(
        QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_" + name + ".png"));
  }
};

TEST_F(MemoryDialogTest, OpensOnceShowingTwentyRowsFromTheViewStart) {
  board(kTesseraBoard).memory.Write32(0x10000, 0x7E7D2041);
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(a_qjx_memory(kDeskType), dialog);  // the open tool, whatever the type
  EXPECT_EQ(SendDlgItemMessage(dialog, IDC_MEMORY_LIST, LB_GETCOUNT, 0, 0), kMemoryRows + 2);
  EXPECT_EQ(Line(dialog, 0), "");
  EXPECT_EQ(Line(dialog, kFirstRowLine), RowAt(0x10000));
  EXPECT_EQ(Line(dialog, kFirstRowLine).substr(0, 12), "00010000:\t41");
  EXPECT_EQ(Line(dialog, kMemoryRows), RowAt(0x10000 + (kMemoryRows - 1) * kMemoryRowBytes));
  EXPECT_EQ(Line(dialog, kMemoryRows + 1), "");
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_SIZE), std::string(MemorySizeText(Family().ramSize)));
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_FREE_RANGE),
            std::string(FreeRangeText(Family().freeStart, Family().freeEnd)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_MEMORY_SAVE)));
  Picture(dialog, "memory");
}

TEST_F(MemoryDialogTest, ScrollBarPageKeysAndGotoMoveTheView) {
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  const DWORD start = Family().viewStart;
  const DWORD last = Family().viewEnd - kMemoryPageBytes;
  struct Step {
    const char* what;
    std::function<void()> act;
    DWORD address;
  };
  HWND list = GetDlgItem(dialog, IDC_MEMORY_LIST);
  const Step steps[] = {
      {"line down", [&] { Scroll(dialog, SB_LINEDOWN); }, start + kMemoryRowBytes},
      {"page down", [&] { Scroll(dialog, SB_PAGEDOWN); }, start + kMemoryRowBytes + kMemoryPageBytes},
      {"line up", [&] { Scroll(dialog, SB_LINEUP); }, start + kMemoryPageBytes},
      {"page key up", [&] { SendMessage(list, WM_KEYDOWN, VK_PRIOR, 0); }, start},
      {"page key down", [&] { SendMessage(list, WM_KEYDOWN, VK_NEXT, 0); }, start + kMemoryPageBytes},
      {"thumb at the end", [&] { Scroll(dialog, SB_THUMBPOSITION, kMemoryScrollMax); }, last},
      {"goto below",
       [&] {
         SetDlgItemText(dialog, IDC_MEMORY_GOTO_TEXT, "100");
         Click(dialog, IDC_MEMORY_GOTO);
       },
       start},
      {"goto 20000",
       [&] {
         SetDlgItemText(dialog, IDC_MEMORY_GOTO_TEXT, "20000");
         Click(dialog, IDC_MEMORY_GOTO);
       },
       0x20000},
      {"goto text not hex",
       [&] {
         SetDlgItemText(dialog, IDC_MEMORY_GOTO_TEXT, "xyz");
         Click(dialog, IDC_MEMORY_GOTO);
       },
       0x20000},
      {"goto past the end",
       [&] {
         SetDlgItemText(dialog, IDC_MEMORY_GOTO_TEXT, "FFFFFFFF");
         Click(dialog, IDC_MEMORY_GOTO);
       },
       last},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(Family().viewAddress, s.address) << s.what;
    EXPECT_EQ(Line(dialog, kFirstRowLine), RowAt(Family().viewAddress)) << s.what;
  }
}

// Page after page every line of the list is the page's, no line stays
// selected, and the bar stands where the view is.
TEST_F(MemoryDialogTest, PagingShowsEveryRowAndMovesTheBar) {
  constexpr int kPages = 3;
  constexpr int kSelectedLine = 4;
  for (int i = 0; i < int(kMemoryPageBytes * (kPages + 2)); ++i)
    board(kTesseraBoard).memory.Write8(0x10000 + DWORD(i), BYTE(i * 7 + 3));
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  HWND list = GetDlgItem(dialog, IDC_MEMORY_LIST);
  HWND bar = GetDlgItem(dialog, IDC_MEMORY_SCROLL);
  const WORD codes[] = {SB_PAGEDOWN, SB_PAGEDOWN, SB_LINEDOWN, SB_PAGEDOWN, SB_PAGEUP};
  for (WORD code : codes) {
    SendMessage(list, LB_SETCURSEL, kSelectedLine, 0);
    Scroll(dialog, code);
    const DWORD address = Family().viewAddress;
    ASSERT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), kMemoryRows + 2) << code;
    EXPECT_EQ(Line(dialog, 0), "") << code;
    for (int r = 0; r < kMemoryRows; ++r)
      EXPECT_EQ(Line(dialog, kFirstRowLine + r), RowAt(address + DWORD(r) * kMemoryRowBytes)) << code;
    EXPECT_EQ(Line(dialog, kMemoryRows + 1), "") << code;
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR) << code;
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), ViewScrollPosition({Family().viewStart, Family().viewEnd, address}))
        << code;
  }
}

TEST_F(MemoryDialogTest, EmptyEndLinesScrollByARow) {
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  const DWORD start = Family().viewStart;
  HWND list = GetDlgItem(dialog, IDC_MEMORY_LIST);
  SendMessage(list, LB_SETCURSEL, kMemoryRows + 1, 0);
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_MEMORY_LIST, LBN_SELCHANGE), LPARAM(list));
  EXPECT_EQ(Family().viewAddress, start + kMemoryRowBytes);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), kMemoryRows);
  SendMessage(list, LB_SETCURSEL, 0, 0);
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_MEMORY_LIST, LBN_SELCHANGE), LPARAM(list));
  EXPECT_EQ(Family().viewAddress, start);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), kFirstRowLine);
}

TEST_F(MemoryDialogTest, AddressFieldsFollowEachOther) {
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  SetDlgItemText(dialog, IDC_MEMORY_PHYSICAL, "12345");
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_SEGMENT), "1234");
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_OFFSET), "0005");
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_PHYSICAL), "12345");
  SetDlgItemText(dialog, IDC_MEMORY_SEGMENT, "B800");
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_PHYSICAL), "B8005");
}

TEST_F(MemoryDialogTest, RowEditorWritesBytesOnlyInUserMode) {
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  HWND list = GetDlgItem(dialog, IDC_MEMORY_LIST);
  auto doubleClickRow = [&](int line) {
    SendMessage(list, LB_SETCURSEL, line, 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_MEMORY_LIST, LBN_DBLCLK), LPARAM(list));
  };
  doubleClickRow(kFirstRowLine);
  EXPECT_TRUE(plat::ModalRecords().empty());  // no editor without user mode

  SetUserMode(1);
  const DWORD row = Family().viewAddress + kMemoryRowBytes;  // the second row
  board(kTesseraBoard).memory.Write8(row, 0x99);
  Click(dialog, IDC_MEMORY_UPDATE);
  plat::PushDialogAction([](HWND editor) {
    EXPECT_EQ(ui_test::ItemText(editor, IDC_MEMORY_BYTES).substr(0, 3), "99 ");
    SetDlgItemText(editor, IDC_MEMORY_BYTES, "1 22 3ff");  // a token of three digits
    Picture(editor, "memory_editor");
    SendMessage(editor, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(editor));  // refused, the editor stays
    SetDlgItemText(editor, IDC_MEMORY_BYTES, "1 22 ff");
    SendMessage(editor, WM_COMMAND, IDOK, 0);
  });
  doubleClickRow(kFirstRowLine + 1);
  EXPECT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(board(kTesseraBoard).memory.Read8(row), 0x01);
  EXPECT_EQ(board(kTesseraBoard).memory.Read8(row + 1), 0x22);
  EXPECT_EQ(board(kTesseraBoard).memory.Read8(row + 2), 0xFF);
  EXPECT_EQ(Line(dialog, kFirstRowLine + 1), RowAt(row));  // refreshed
}

TEST_F(MemoryDialogTest, SaveWritesTheDumpFile) {
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  const std::string path = dir + "/saved.txt";
  board(kTesseraBoard).memory.Write8(0x30000, 0x42);
  plat::PushDialogAction([&](HWND save) {
    SetDlgItemText(save, IDC_SAVE_START, "30001");
    SetDlgItemText(save, IDC_SAVE_STOP, "30000");
    SetDlgItemText(save, IDC_SAVE_FILE, path.c_str());
    Picture(save, "save_memory");
    SendMessage(save, WM_COMMAND, IDOK, 0);  // stop below start: refused
    SetDlgItemText(save, IDC_SAVE_START, "30000");
    SendMessage(save, WM_COMMAND, IDOK, 0);
  });
  Click(dialog, IDC_MEMORY_SAVE);
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0], "Stop address must be larger than start address!");
  EXPECT_EQ(mirt_test::ReadFile(path),
            "\r\n42 \r\n***************************\r\nMemory dump: 30000 hex to 30000 hex");
}

TEST_F(MemoryDialogTest, ExitEscAndCloseBoxEndTheTool) {
  const UINT ends[] = {WM_CLOSE, WM_COMMAND};
  for (UINT end : ends) {
    HWND dialog = a_qjx_memory(kTesseraType);
    ASSERT_TRUE(dialog);
    SendMessage(dialog, end, end == WM_COMMAND ? IDCANCEL : 0, 0);
    EXPECT_FALSE(IsWindow(dialog));
    HWND open = nullptr;
    EXPECT_FALSE(IsToolWindowOpen(ToolWindow::Memory, &open));
  }
  HWND dialog = a_qjx_memory(kTesseraType);
  Click(dialog, IDC_MEMORY_EXIT);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_NE(a_qjx_memory(kTesseraType), nullptr);  // opens afresh
}

TEST_F(MemoryDialogTest, ADriverErrorWhileReadingClosesTheTool) {
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  sim().Faults().Add({"qj8_read_ram", 2, 0x26, 1});
  Click(dialog, IDC_MEMORY_UPDATE);
  EXPECT_EQ(SendDlgItemMessage(dialog, IDC_MEMORY_LIST, LB_GETCOUNT, 0, 0), kMemoryRows + 2);
  for (int i = 0; i < 3; ++i) PumpWaitingMessages();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(BoxTexts().empty());
}

}  // namespace

namespace {

TEST_F(MemoryDialogTest, TheHostsMessageFilterGivesToolsTheirKeys) {
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  HWND gotoField = GetDlgItem(dialog, IDC_MEMORY_GOTO_TEXT);
  SetDlgItemText(dialog, IDC_MEMORY_GOTO_TEXT, "20000");
  MSG enter{gotoField, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_NE(a_qjx_filter_msg(&enter), 0);
  EXPECT_EQ(Family().viewAddress, 0x20000u);
  EXPECT_TRUE(IsWindow(dialog));  // Enter went to Goto, not to the default button

  HWND other = ui_test::MakeTop(50, 50);
  MSG foreign{other, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_EQ(a_qjx_filter_msg(&foreign), 0);
  DestroyWindow(other);
}

}  // namespace

namespace {

// Typed one character at a time, each field takes the conversion of the
// other and the typed text stays as typed.
TEST_F(MemoryDialogTest, ConverterFieldsFollowTyping) {
  struct Case {
    int typedInto;
    const char* typed;
    const char* physical;
    const char* segment;
    const char* offset;
  };
  const Case cases[] = {
      {IDC_MEMORY_PHYSICAL, "B8000", "B8000", "B800", "0000"},
      {IDC_MEMORY_PHYSICAL, "12345", "12345", "1234", "0005"},
      {IDC_MEMORY_OFFSET, "10", "12350", "1234", "10"},
  };
  HWND dialog = a_qjx_memory(kTesseraType);
  ASSERT_TRUE(dialog);
  for (const Case& c : cases) {
    HWND field = GetDlgItem(dialog, c.typedInto);
    SetWindowText(field, "");
    // As typed: each character goes in at the caret.
    for (const char* p = c.typed; *p; ++p) SendMessage(field, WM_CHAR, WPARAM(BYTE(*p)), 0);
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_PHYSICAL), c.physical) << c.typed;
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_SEGMENT), c.segment) << c.typed;
    EXPECT_EQ(ui_test::ItemText(dialog, IDC_MEMORY_OFFSET), c.offset) << c.typed;
  }
}

}  // namespace
