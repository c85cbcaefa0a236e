// The disassembly window offscreen, over a fake board memory and a fake
// debug session, driven by window messages: the editor core over the line
// source (keys, scrolling, the scroll scale, Go To Address), the 21000
// message ids, the debugger's commands against a recording debugger,
// search, clipboard and bookmarks over bounded walks, painting by pixels
// and pictures into the build tree.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/sys/msgbox.h"
#include "platform/sys/profile.h"
#include "tests/disasm_view/disview_fixture.h"

namespace disview_test {
namespace {

TEST(DisviewIds, CommandsAndMessagesHaveTheirOwnNumbers) {
  EXPECT_EQ(DisassToEditCommand(24600), UINT(ID_EDIT_DOWN));
  EXPECT_EQ(DisassToEditCommand(24634), UINT(ID_EDIT_SELECT_ALL_TEXT));
  EXPECT_EQ(DisassToEditCommand(57634), 57634u);
  const struct {
    int edit;
    int disass;
  } kMessages[] = {{EDIT_READ_ONLY, 21000},   {EDIT_END_OF_FILE, 21005},
                   {EDIT_TOP_OF_FILE, 21008}, {EDIT_NOT_FOUND, 21011},
                   {EDIT_DELETE_LINE, 21015}, {EDIT_NULLS_IN_FILE, EDIT_NULLS_IN_FILE}};
  for (const auto& m : kMessages) EXPECT_EQ(DisassMessageId(m.edit), m.disass) << m.edit;
}

TEST_F(DisviewTest, WithoutSessionPaintsBlankAndCommandsDoNothing) {
  view->OnInitialUpdate();
  Pump();
  EXPECT_EQ(view->m_nVScrollFactor, 1);
  EXPECT_EQ(view->m_window.m_nLineCount, DisassLineWindow::kEmptyLineCount);
  DWORD address = 0x1234;
  EXPECT_FALSE(view->CursorLineAddress(&address));
  EXPECT_EQ(address, 0x1234u);
  for (UINT id : {ID_DISASS_SET_IP, ID_DISASS_TOGGLE_BREAKPOINT, ID_DISASS_RUN_TO_CURSOR}) Command(id);
  EXPECT_TRUE(debugger.calls.empty());
  Command(kCmdPageDown);
  Command(kCmdBottom);
  EXPECT_EQ(view->m_nCaretLine, DisassLineWindow::kEmptyLineCount);
  EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), RGB(255, 255, 255));
  Picture("no_session");
}

TEST_F(DisviewTest, ScrollRangeCoversEveryLine) {
  StartSession();
  view->OnInitialUpdate();
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ::GetScrollInfo(view->m_hWnd, SB_VERT, &si);
  constexpr int kScale = 9;
  EXPECT_EQ(view->m_nVScrollFactor, kScale);
  EXPECT_GE((si.nMax + 1) * kScale, CMemAddrList::kLineCount - 1);
  Command(kCmdBottom);
  EXPECT_EQ(view->m_nCaretLine, CMemAddrList::kLineCount);
  EXPECT_EQ(view->m_nTopLine + view->GetLinesPerPage() - 1, CMemAddrList::kLineCount);
  // The line records carry the real numbers.
  EXPECT_EQ(view->m_pCaretLine->lineNumber, view->m_nCaretLine);
  EXPECT_EQ(view->m_pTopLine->lineNumber, view->m_nTopLine);
  Command(kCmdTop);
  EXPECT_EQ(view->m_nTopLine, 1);
  constexpr UINT kThumb = 1000;
  Scroll(SB_THUMBPOSITION, kThumb);
  EXPECT_EQ(view->m_nTopLine, static_cast<int>(kThumb) * kScale + 1);
  EXPECT_EQ(view->m_pTopLine->lineNumber, view->m_nTopLine);
}

TEST_F(DisviewTest, TheEndsReportTheirMessages) {
  StartSession();
  view->OnInitialUpdate();
  EXPECT_EQ(view->DoError(view->LineUp(FALSE), FALSE), 21008);
  Command(kCmdBottom);
  EXPECT_EQ(view->DoError(view->LineDown(FALSE), FALSE), 21005);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

// Rows below a jump each show the next instruction once, and the jump
// makes no more lines than the screen needs.
TEST_F(DisviewTest, AJumpShowsEachInstructionOnceAndMakesOnlyItsScreen) {
  constexpr size_t kIntEvery = 16;
  std::vector<BYTE> code(kCodeBytes, kNop);
  for (size_t i = 0; i + 1 < code.size(); i += kIntEvery) {
    code[i] = 0xCD;  // int 21
    code[i + 1] = 0x21;
  }
  StartSession(code);
  int first = ShowCode();
  EXPECT_LT(view->m_window.made, 3 * view->GetLinesPerPage());
  Key(VK_NEXT);
  Key(VK_PRIOR);
  Key(VK_UP);
  Pump();
  DWORD previous = 0;
  for (int line = first; line < first + view->GetLinesPerPage(); ++line) {
    DWORD address = std::strtoul(view->LineAt(line)->text, nullptr, 16);
    EXPECT_GT(address, previous) << line;
    previous = address;
  }
}

TEST_F(DisviewTest, KeysAndScrollMessagesMoveCaretAndTop) {
  StartSession();
  int first = ShowCode();
  int page = view->GetLinesPerPage();
  Key(VK_NEXT);
  EXPECT_EQ(view->m_nTopLine, first + page);
  EXPECT_EQ(view->m_nCaretLine, first + page);
  Key(VK_PRIOR);
  EXPECT_EQ(view->m_nTopLine, first);
  EXPECT_EQ(view->m_nCaretLine, first);
  Command(kCmdDown);
  Command(kCmdDown);
  EXPECT_EQ(view->m_nCaretLine, first + 2);
  Command(kCmdUp);
  EXPECT_EQ(view->m_nCaretLine, first + 1);
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(view->m_nTopLine, first + 1);
  Scroll(SB_PAGEDOWN);
  EXPECT_EQ(view->m_nTopLine, first + 1 + page);
  Command(kCmdPageDown);
  Command(kCmdPageUp);
  EXPECT_EQ(view->m_pTopLine->lineNumber, view->m_nTopLine);
}

TEST_F(DisviewTest, PagingFarLetsGoOfLinesLeftBehind) {
  StartSession();
  ShowCode();
  int pages = 2 * DisassEditCore<CView>::kMaxHeld / view->GetLinesPerPage();
  for (int i = 0; i < pages; ++i) Command(kCmdPageDown);
  EXPECT_LE(view->m_window.Size(), DisassEditCore<CView>::kMaxHeld + view->GetLinesPerPage());
  EXPECT_TRUE(view->m_window.Holds(view->m_nCaretLine));
  EXPECT_TRUE(view->m_window.Holds(view->m_nTopLine));
  // Back up a page: the lines are made again where needed.
  Command(kCmdPageUp);
  EXPECT_EQ(view->m_pTopLine->lineNumber, view->m_nTopLine);
}

TEST_F(DisviewTest, GoToAddressMakesTheLineTheTopRow) {
  StartSession();
  view->OnInitialUpdate();
  constexpr DWORD kTarget = kCodeBase + 0x200;
  ASSERT_TRUE(view->GoToAddress(kTarget));
  EXPECT_EQ(view->m_nTopLine, LineOf(kTarget));
  EXPECT_EQ(view->m_nCaretLine, view->m_nTopLine);
  DWORD address = 0;
  ASSERT_TRUE(view->CursorLineAddress(&address));
  EXPECT_EQ(address, kTarget);
}

TEST_F(DisviewTest, CommandsActAtTheCaretLineAddress) {
  StartSession();
  ShowCode();
  constexpr int kRow = 3;  // the fourth NOP
  LPARAM at = MAKELPARAM(view->m_nMarginWidth + 40, kRow * view->m_nLineHeight + 1);
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  view->SendMessage(WM_LBUTTONUP, 0, at);
  constexpr DWORD kAddress = kCodeBase + kRow;
  DWORD address = 0;
  ASSERT_TRUE(view->CursorLineAddress(&address));
  EXPECT_EQ(address, kAddress);
  Command(ID_DISASS_SET_IP);
  Command(ID_DISASS_RUN_TO_CURSOR);
  Command(ID_DISASS_TOGGLE_BREAKPOINT);
  breakpoints.user[kAddress] = true;
  Command(ID_DISASS_TOGGLE_BREAKPOINT);
  struct Expected {
    char what;
    BOOL set;
  };
  constexpr Expected kExpected[] = {{'I', FALSE}, {'R', FALSE}, {'B', TRUE}, {'B', FALSE}};
  ASSERT_EQ(debugger.calls.size(), std::size(kExpected));
  for (size_t i = 0; i < std::size(kExpected); ++i) {
    EXPECT_EQ(debugger.calls[i].what, kExpected[i].what) << i;
    EXPECT_EQ(debugger.calls[i].address, kAddress) << i;
    EXPECT_EQ(debugger.calls[i].set, kExpected[i].set) << i;
  }
}

TEST_F(DisviewTest, ALineTheLineSourceHasNotListedHasNoAddress) {
  // The caret line was made before the session: the new line source has
  // not listed it.
  view->OnInitialUpdate();
  StartSession();
  DWORD address = 0;
  EXPECT_FALSE(view->CursorLineAddress(&address));
  view->OnSetIPToCursor();
  view->OnToggleBreakpoint();
  view->OnRunToCursor();
  EXPECT_TRUE(debugger.calls.empty());
  // The next message makes the lines again from the session's line source.
  EXPECT_TRUE(view->m_window.IsStale());
  Command(ID_DISASS_SET_IP);
  EXPECT_FALSE(view->m_window.IsStale());
  EXPECT_EQ(view->m_window.m_nLineCount, CMemAddrList::kLineCount);
  ASSERT_EQ(debugger.calls.size(), 1u);
  EXPECT_TRUE(view->CursorLineAddress(&address));
  EXPECT_EQ(debugger.calls[0].address, address);
}

TEST_F(DisviewTest, MissingBreakpointListIsChecked) {
  StartSession();
  ShowCode();
  g_pDisassBreakpoints = nullptr;
  Command(ID_DISASS_TOGGLE_BREAKPOINT);
  EXPECT_TRUE(debugger.calls.empty());
}

TEST_F(DisviewTest, CaretSnapsToTabStopsOfASourceLine) {
  constexpr const char* kFile = "main.c";
  disasm_test::FakeSourceDoc::files = {{kFile, {"\tx = 1;"}}};
  g_pfnNewDisassSourceDoc = disasm_test::FakeSourceDoc::Create;
  disasm_test::FakeSourceInfo info;
  info.lines[kCodeBase] = {kFile, 1, 1};
  g_pDisassSourceInfo = &info;
  StartSession();
  int first = ShowCode();
  // The source line stands above its instruction.
  int sourceLine = first;
  if (!(view->m_pCaretLine->flags & LINE_SOURCE_TEXT)) sourceLine = first - 1;
  view->GoToLine(sourceLine);
  ASSERT_TRUE(view->m_pCaretLine->flags & LINE_SOURCE_TEXT);
  // One column into the tab: Right goes on to the next tab stop.
  const char* tab = std::strchr(view->m_pCaretLine->text, '\t');
  ASSERT_NE(tab, nullptr);
  int tabColumn = view->m_window.OffsetToColumn(view->m_pCaretLine, int(tab - view->m_pCaretLine->text));
  int tabSize = view->m_window.m_nTabSize;
  view->m_nCaretColumn = tabColumn;
  Command(kCmdRight);
  EXPECT_EQ(view->m_nCaretColumn, (tabColumn / tabSize + 1) * tabSize);
  g_pDisassSourceInfo = nullptr;
}

TEST_F(DisviewTest, PaintsMarginMarksAndColoursByKind) {
  constexpr const char* kFile = "main.c";
  disasm_test::FakeSourceDoc::files = {{kFile, {"int x;"}}};
  g_pfnNewDisassSourceDoc = disasm_test::FakeSourceDoc::Create;
  disasm_test::FakeSourceInfo info;
  constexpr DWORD kSourceAt = kCodeBase + 4;
  info.lines[kSourceAt] = {kFile, 1, 1};
  g_pDisassSourceInfo = &info;
  StartSession();
  int first = ShowCode();
  breakpoints.user[kCodeBase + 1] = true;
  view->MarkExecutionLine(TRUE);
  // A selection over rows 2 and 3.
  view->GoToLine(first + 2);
  view->StartSelection(SEL_STREAM);
  view->m_pCaretLine = view->LineAt(first + 3);
  view->m_nCaretLine = first + 3;
  view->m_nCaretColumn = 12;
  view->UpdateSelection(FALSE);
  view->SetFocus();
  doc->m_disassEdit.m_pActiveView = view;
  view->m_window.m_pActiveView = view;
  view->Invalidate(FALSE);
  Pump();
  auto red = [](COLORREF c) { return GetRValue(c) > 0 && GetGValue(c) == 0 && GetBValue(c) == 0; };
  auto yellow = [](COLORREF c) { return GetRValue(c) > 0 && GetGValue(c) > 0 && GetBValue(c) == 0; };
  EXPECT_TRUE(yellow(MarginMiddle(0)));
  EXPECT_TRUE(red(MarginMiddle(1)));
  EXPECT_FALSE(red(MarginMiddle(5)) || yellow(MarginMiddle(5)));
  // Text colours by the source flag: grey instructions, black source text.
  auto rowHas = [&](int row, COLORREF colour) {
    int h = view->m_nLineHeight;
    for (int y = row * h; y < (row + 1) * h; ++y) {
      for (int x = view->m_nMarginWidth; x < kWidth / 2; ++x) {
        if (Pixel(x, y) == colour) return true;
      }
    }
    return false;
  };
  for (int row : {0, 1, 5, 6}) EXPECT_TRUE(rowHas(row, RGB(128, 128, 128))) << row;
  EXPECT_FALSE(rowHas(6, RGB(0, 0, 0)));
  int sourceRow = -1;
  for (int row = 0; row < view->GetLinesPerPage(); ++row) {
    if (view->LineAt(first + row)->flags & LINE_SOURCE_TEXT) sourceRow = row;
  }
  ASSERT_GE(sourceRow, 0);
  EXPECT_TRUE(rowHas(sourceRow, RGB(0, 0, 0)));
  EXPECT_FALSE(rowHas(sourceRow, RGB(128, 128, 128)));
  // The selection is drawn inverted: white text cells turn black.
  EXPECT_EQ(Pixel(view->m_nMarginWidth + 1, 2 * view->m_nLineHeight + 1), RGB(0, 0, 0));
  Picture("markers_source_selection");
  g_pDisassSourceInfo = nullptr;
}

// A source line with a tab: with shown tabs its first cell holds the 0xBB
// mark, otherwise it stays blank; the margin is a checker pattern.
TEST_F(DisviewTest, ShownTabsAndTheMarginPattern) {
  constexpr const char* kFile = "tabs.c";
  disasm_test::FakeSourceDoc::files = {{kFile, {"\tx"}}};
  g_pfnNewDisassSourceDoc = disasm_test::FakeSourceDoc::Create;
  disasm_test::FakeSourceInfo info;
  info.lines[kCodeBase] = {kFile, 1, 1};
  g_pDisassSourceInfo = &info;
  StartSession();
  auto tabCellInk = [&](BOOL shown) {
    doc->m_disassEdit.m_bShowTabs = shown;
    int first = ShowCode();
    int line = first;
    while (!(view->LineAt(line)->flags & LINE_SOURCE_TEXT) && line > first - 3) --line;
    EXPECT_TRUE(view->LineAt(line)->flags & LINE_SOURCE_TEXT);
    view->SetTopLine(line, TRUE);
    Pump();
    const char* text = view->LineAt(line)->text;
    int column = static_cast<int>(std::strchr(text, '\t') - text);
    int x0 = view->m_nMarginWidth + column * view->m_nCharWidth;
    int ink = 0;
    for (int y = 0; y < view->m_nLineHeight; ++y) {
      for (int x = x0; x < x0 + view->m_nCharWidth; ++x) ink += Pixel(x, y) != RGB(255, 255, 255);
    }
    return ink;
  };
  EXPECT_EQ(tabCellInk(FALSE), 0);
  EXPECT_GT(tabCellInk(TRUE), 0);
  Picture("shown_tabs");
  // The margin's checker: neighbouring pixels differ.
  int row = 5 * view->m_nLineHeight;
  EXPECT_NE(Pixel(2, row + 2), Pixel(3, row + 2));
  EXPECT_EQ(Pixel(2, row + 2), Pixel(3, row + 3));
  g_pDisassSourceInfo = nullptr;
}

TEST_F(DisviewTest, FindNextFindsAndAMissStaysBounded) {
  StartSession();
  int first = ShowCode();
  plat::Profile::App().WriteProfileString("Settings\\Find", "Find1", "NOP");
  plat::Profile::App().WriteProfileInt("Settings\\Find", "Forward", 1);
  Command(kCmdFindNext);
  ASSERT_TRUE(view->m_bSelection);
  EXPECT_EQ(view->SelectionClipText(), "nop");
  EXPECT_EQ(view->m_nCaretLine, first);
  long before = view->m_window.made;
  plat::Profile::App().WriteProfileString("Settings\\Find", "Find1", "absent");
  Command(kCmdFindNext);
  std::vector<plat::MessageBoxRecord> boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The string 'absent' was not found.");
  // The walk read the held lines and a window on either side, no more.
  EXPECT_LE(view->m_window.made - before, 2 * DisassEditCore<CView>::kWalkWindow + 1);
  EXPECT_LT(view->m_window.Last() - view->m_window.First(), 3 * DisassEditCore<CView>::kWalkWindow);
}

TEST_F(DisviewTest, SelectAllAndCopyStayBoundedAndCutOnlyCopies) {
  StartSession();
  ShowCode();
  Command(kCmdSelectAll);
  ASSERT_TRUE(view->m_bSelection);
  EXPECT_LT(view->m_window.made, 3 * DisassEditCore<CView>::kWalkWindow);
  Command(ID_EDIT_CUT_TEXT);
  std::string copied = Clipboard();
  EXPECT_NE(copied.find("nop"), std::string::npos);
  EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n') + 1,
            view->m_pSelEndLine->lineNumber - view->m_pSelStartLine->lineNumber + 1);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(DisviewTest, ColumnCopyCarriesTheMarker) {
  StartSession();
  int first = ShowCode();
  view->GoToLine(first);
  view->m_nCaretColumn = 0;
  view->StartSelection(SEL_COLUMN);
  view->m_pCaretLine = view->LineAt(first + 1);
  view->m_nCaretLine = first + 1;
  view->m_nCaretColumn = 8;
  view->UpdateSelection(FALSE);
  Command(ID_EDIT_COPY_TEXT);
  std::string copied = Clipboard();
  EXPECT_EQ(copied.rfind("*DisassEdit Column Block*\r\n", 0), 0u) << copied;
  EXPECT_NE(copied.find("00001001"), std::string::npos);
}

TEST_F(DisviewTest, BookmarksAreKeptByTheViewAcrossJumps) {
  StartSession();
  int first = ShowCode();
  Command(kCmdToggleBookmark);
  EXPECT_EQ(view->m_bookmarks.Count(), 1);
  constexpr int kFar = 400000;
  view->GoToLine(kFar);
  ASSERT_EQ(view->m_nCaretLine, kFar);
  Command(kCmdNextBookmark);
  EXPECT_EQ(view->m_nCaretLine, first);
  EXPECT_TRUE(view->m_pCaretLine->flags & LINE_BOOKMARK);
  Command(kCmdClearBookmarks);
  EXPECT_EQ(view->m_bookmarks.Count(), 0);
  EXPECT_FALSE(view->m_pCaretLine->flags & LINE_BOOKMARK);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(DisviewTest, TheReadOnlyTextRefusesDropsAndEdits) {
  StartSession();
  ShowCode();
  view->SendMessage(WM_CHAR, 'x', 0);
  Command(24623);  // Backspace
  std::vector<plat::MessageBoxRecord> boxes = plat::MessageBoxRecords();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().text, "The file is read only.");
  EXPECT_EQ(view->m_window.m_pLines->lineNumber, view->m_window.First());
}

TEST_F(DisviewTest, TheContextMenuOffersEditingAndTheDebuggersCommands) {
  StartSession();
  ShowCode();
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(view->BuildContextMenu(&menu));
  // Legend: id 0 is a separator; grey is the state without a selection.
  const struct {
    UINT id;
    const char* text;
    bool grey;
  } kItems[] = {{ID_EDIT_UNDO_TEXT, "&Undo", true},
                {ID_EDIT_REDO_TEXT, "&Redo", true},
                {0, "", false},
                {ID_EDIT_CUT_TEXT, "Cu&t", true},
                {ID_EDIT_COPY_TEXT, "&Copy", true},
                {ID_EDIT_PASTE_TEXT, "&Paste", false},
                {0, "", false},
                {ID_DISASS_RUN_TO_CURSOR, "Run To Cursor", false},
                {ID_DISASS_SET_IP, "Set Instruction Pointer", false},
                {ID_DISASS_TOGGLE_BREAKPOINT, "Toggle Breakpoint", false}};
  ASSERT_EQ(menu.GetMenuItemCount(), static_cast<UINT>(std::size(kItems)));
  for (int i = 0; i < static_cast<int>(std::size(kItems)); ++i) {
    const auto& item = kItems[i];
    EXPECT_EQ(menu.GetMenuItemID(i), item.id) << i;
    if (item.id == 0) continue;
    CString text;
    menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
    EXPECT_STREQ(text, item.text) << i;
    if (item.id == ID_EDIT_PASTE_TEXT) continue;  // follows the clipboard
    EXPECT_EQ((menu.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0, item.grey) << i;
  }
  menu.DestroyMenu();
}

TEST_F(DisviewTest, FileOpenGoesToTheMainFramesDialog) {
  struct RecordingFrame : CDisassMainFrame {
    void OpenFileWithDialog() override { ++opened; }
    int opened = 0;
  } frame;
  g_pDisassMainFrame = &frame;
  Command(ID_FILE_OPEN);
  g_pDisassMainFrame = nullptr;
  EXPECT_EQ(frame.opened, 1);
  Command(ID_FILE_OPEN);  // no main frame: nothing happens
  EXPECT_EQ(frame.opened, 1);
}

TEST_F(DisviewTest, ClosingTheDocumentDeletesTheLineSource) {
  StartSession();
  EXPECT_TRUE(CDisview0Doc::IsOpen());
  auto* other = new CDisview0Doc;
  other->OnCloseDocument();
  EXPECT_FALSE(CDisview0Doc::IsOpen());
  EXPECT_EQ(g_pMemAddrList, nullptr);
}

}  // namespace
}  // namespace disview_test
