// Editing through the view: typing, Enter, Backspace, Delete, Tab,
// bookmarks, undo and the clipboard.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/ui/clipboard.h"
#include "platform/ui/globalmem.h"
#include "view_fixture.h"

namespace view_test {
namespace {

class EditTest : public ViewTest {
 protected:
  void Put(int line, int column) {
    view->m_pCaretLine = buf->GetLine(line);
    view->m_nCaretLine = line;
    view->m_nCaretColumn = column;
  }
  void SetClipboard(const std::string& text) {
    ASSERT_TRUE(::OpenClipboard(view->m_hWnd));
    ::EmptyClipboard();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(h), text.c_str(), text.size() + 1);
    ::GlobalUnlock(h);
    ::SetClipboardData(CF_TEXT, h);
    ::CloseClipboard();
  }
  void ClearClipboard() {
    ASSERT_TRUE(::OpenClipboard(view->m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  std::string Clipboard() {
    std::string out;
    if (!::OpenClipboard(view->m_hWnd)) return out;
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
      out = static_cast<const char*>(::GlobalLock(h));
      ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return out;
  }
};

TEST_F(EditTest, TypingInsertsAndOverwrites) {
  Load("ab\n");
  Put(1, 1);
  Type("XY");
  EXPECT_EQ(Text(), "aXYb\n");
  EXPECT_EQ(view->m_nCaretColumn, 3);
  Command(ID_EDIT_OVERWRITE);
  Type("Z");
  EXPECT_EQ(Text(), "aXYZ\n");
  Type("!");  // at the line end overwrite appends
  EXPECT_EQ(Text(), "aXYZ!\n");
  Command(ID_EDIT_OVERWRITE);
  view->m_bFreeCursor = TRUE;
  Put(1, 8);
  Type("e");  // beyond the end: padded with blanks first
  EXPECT_EQ(LineText(1), "aXYZ!   e");
}

TEST_F(EditTest, EnterSplitsAndIndentsLikeTheLineAbove) {
  Load("    if (x)\nend\n");
  buf->m_bKeepTabs = FALSE;
  Put(1, 10);
  Type("\n");
  EXPECT_EQ(Text(), "    if (x)\n\nend\n");
  EXPECT_EQ(view->m_nCaretColumn, 4);  // nothing inserted on an empty line
  Type("y;");
  EXPECT_EQ(LineText(2), "    y;");
  Put(3, 0);
  Type("\n");  // a line with text gets the indent inserted
  EXPECT_EQ(LineText(4), "    end");
}

TEST_F(EditTest, LinesTypedWithEnterCountForGoToLine) {
  constexpr auto kTyped = "one\ntwo\nthree\n";
  constexpr int kTypedLines = 4, kLastTyped = 3;
  auto linesInList = [this] {
    int n = 0;
    for (EditLine* l = buf->m_pLines; l; l = l->next) ++n;
    return n;
  };
  Load("");
  Put(1, 0);
  Type(kTyped);
  EXPECT_EQ(buf->m_nLineCount, kTypedLines);
  view->GoToLine(kLastTyped);
  EXPECT_EQ(view->GetCaretLineNumber(), kLastTyped);
  while (view->CanUndo()) Command(ID_EDIT_UNDO_TEXT);  // the lines joined again
  EXPECT_EQ(linesInList(), 1);
  EXPECT_EQ(buf->m_nLineCount, 1);
}

TEST_F(EditTest, EnterWithASelectionCutsItToTheClipboard) {
  Load("one two\n");
  buf->m_bAutoIndent = FALSE;
  Put(1, 3);
  view->StartSelection(SEL_STREAM);
  Put(1, 7);
  view->UpdateSelection(TRUE);
  Type("\n");
  EXPECT_EQ(Text(), "one\n\n");
  EXPECT_EQ(Clipboard(), " two");
  Command(ID_EDIT_UNDO_TEXT);
  EXPECT_EQ(Text(), "one two\n");  // one undo restores it
}

TEST_F(EditTest, BackspaceAndDelete) {
  Load("abc\ndef\n");
  Put(1, 0);
  Command(ID_EDIT_BACKSPACE);
  EXPECT_EQ(Text(), "abc\ndef\n");  // nothing before the first line
  Put(2, 0);
  Command(ID_EDIT_BACKSPACE);
  EXPECT_EQ(Text(), "abcdef\n");
  EXPECT_EQ(view->m_nCaretColumn, 3);
  Command(ID_EDIT_BACKSPACE);
  EXPECT_EQ(Text(), "abdef\n");
  Command(ID_EDIT_ERASE);
  EXPECT_EQ(Text(), "abef\n");
  Command(ID_EDIT_END);
  Command(ID_EDIT_ERASE);  // joins with the next line
  EXPECT_EQ(Text(), "abef\n");
  view->m_bFreeCursor = TRUE;
  Put(1, 6);
  Command(ID_EDIT_BACKSPACE);  // past the end: only the caret moves
  EXPECT_EQ(Text(), "abef\n");
  EXPECT_EQ(view->m_nCaretColumn, 5);
}

TEST_F(EditTest, TabInsertsToTheNextStopAndIndentsBlocks) {
  Load("abcd\nxy\n");
  buf->m_bKeepTabs = FALSE;
  buf->m_nTabSize = 3;
  Put(1, 4);
  Command(ID_EDIT_TAB);
  EXPECT_EQ(LineText(1), "abcd  ");
  Put(1, 3);
  Command(ID_EDIT_TAB);
  EXPECT_EQ(LineText(1), "abc   d  ");
  Load("abcd\nxy\nlast\n");
  buf->m_nTabSize = 4;
  buf->m_bKeepTabs = TRUE;
  Put(1, 1);
  view->StartSelection(SEL_STREAM);
  Put(2, 1);
  view->UpdateSelection(TRUE);
  Command(ID_EDIT_TAB);
  EXPECT_EQ(Text(), "\tabcd\n\txy\nlast\n");
  EXPECT_TRUE(view->m_bSelection);
  Command(ID_EDIT_BACKTAB);
  EXPECT_EQ(Text(), "abcd\nxy\nlast\n");
}

TEST_F(EditTest, BookmarksWrapAndCount) {
  Load("a\nb\nc\nd\n");
  Put(2, 0);
  Command(ID_EDIT_TOGGLE_BOOKMARK);
  Put(4, 0);
  Command(ID_EDIT_TOGGLE_BOOKMARK);
  EXPECT_EQ(buf->m_nBookmarks, 2);
  Command(ID_EDIT_NEXT_BOOKMARK);
  EXPECT_EQ(view->m_nCaretLine, 2);  // wrapped to the first
  Command(ID_EDIT_PREV_BOOKMARK);
  EXPECT_EQ(view->m_nCaretLine, 4);
  Command(ID_EDIT_CLEAR_BOOKMARKS);
  EXPECT_EQ(buf->m_nBookmarks, 0);
  Put(1, 0);
  Command(ID_EDIT_NEXT_BOOKMARK);  // disabled: nothing happens
  EXPECT_EQ(view->m_nCaretLine, 1);
}

TEST_F(EditTest, UndoAndRedoRestoreTextAndCaret) {
  Load("abc\n");
  Put(1, 3);
  Type("de");
  Command(ID_EDIT_UNDO_TEXT);  // a run of typing goes back at once
  EXPECT_EQ(Text(), "abc\n");
  EXPECT_EQ(view->m_nCaretColumn, 3);
  Command(ID_EDIT_REDO_TEXT);
  EXPECT_EQ(Text(), "abcde\n");
  EXPECT_EQ(view->m_nCaretColumn, 5);
}

TEST_F(EditTest, TheModifiedMarkFollowsTheSavedText) {
  Load("abc\n");
  Put(1, 3);
  Type("d");
  EXPECT_TRUE(buf->IsModified());
  Command(ID_EDIT_UNDO_TEXT);
  EXPECT_FALSE(buf->IsModified());  // back to the text as loaded
  Type("x");
  Put(1, 0);
  Type("y");
  ASSERT_EQ(buf->SaveFile(doc->GetPathName()), 0);
  EXPECT_FALSE(buf->IsModified());
  Command(ID_EDIT_UNDO_TEXT);  // undoing past the save
  EXPECT_TRUE(buf->IsModified());
  Command(ID_EDIT_REDO_TEXT);
  EXPECT_FALSE(buf->IsModified());
}

TEST_F(EditTest, StreamTextRoundTripsThroughTheClipboard) {
  Load("one two\nthree\n");
  Put(1, 4);
  view->StartSelection(SEL_STREAM);
  Put(2, 2);
  view->UpdateSelection(TRUE);
  Command(ID_EDIT_CUT_TEXT);
  EXPECT_EQ(Text(), "one ree\n");
  EXPECT_EQ(Clipboard(), "two\r\nth");
  Command(ID_EDIT_END);
  Command(ID_EDIT_PASTE_TEXT);
  EXPECT_EQ(Text(), "one reetwo\nth\n");
  EXPECT_EQ(view->m_nCaretLine, 2);
  EXPECT_EQ(view->m_nCaretColumn, 2);
  SetClipboard("X\nY\n");  // LF text goes in with the buffer's line ends
  Put(1, 0);
  Command(ID_EDIT_PASTE_TEXT);
  EXPECT_EQ(Text(), "X\nY\none reetwo\nth\n");
  EXPECT_EQ(view->m_nCaretLine, 3);
  EXPECT_EQ(view->m_nCaretColumn, 0);
}

TEST_F(EditTest, ColumnBlocksRoundTripThroughTheClipboard) {
  Load("abcdef\nab\nabcdef\n");
  Put(1, 1);
  view->StartSelection(SEL_COLUMN);
  Put(3, 4);
  view->UpdateSelection(TRUE);
  Command(ID_EDIT_COPY_TEXT);
  EXPECT_EQ(Clipboard(), "*SECEdit Column Block*\r\nbcd\r\nb  \r\nbcd");
  Command(ID_EDIT_ERASE);
  EXPECT_EQ(Text(), "aef\na\naef\n");
  Put(1, 0);
  Command(ID_EDIT_PASTE_TEXT);
  EXPECT_EQ(Text(), "bcdaef\nb  a\nbcdaef\n");
}

TEST_F(EditTest, PasteOfNothingKeepsTheSelectionAndShortMarkersAreSafe) {
  Load("keep me\n");
  Put(1, 0);
  view->StartSelection(SEL_STREAM);
  Put(1, 4);
  view->UpdateSelection(TRUE);
  ClearClipboard();
  Command(ID_EDIT_PASTE_TEXT);  // disabled without text
  view->OnEditPaste();          // and refused when run anyway
  EXPECT_EQ(Text(), "keep me\n");
  EXPECT_TRUE(view->m_bSelection);
  // A text that starts with the marker but has no block after it.
  constexpr auto kMarkerOnly = "*SECEdit Column Block*";
  int length = -1;
  EXPECT_NE(ColumnBlockText(kMarkerOnly, 22, &length), nullptr);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(ColumnBlockText(kMarkerOnly, 21, &length), nullptr);
  SetClipboard(kMarkerOnly);
  view->OnEditPaste();
  EXPECT_EQ(Text(), " me\n");
}

TEST_F(EditTest, ReadOnlyBuffersRefuseEditsSilently) {
  Load("fixed\n");
  buf->SetReadOnly(TRUE);
  Put(1, 0);
  Type("x\n");
  Command(ID_EDIT_BACKSPACE);
  Command(ID_EDIT_ERASE);
  Command(ID_EDIT_TAB);
  EXPECT_EQ(Text(), "fixed\n");
}

}  // namespace
}  // namespace view_test
