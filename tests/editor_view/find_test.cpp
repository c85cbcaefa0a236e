// Find and replace driven through the dialog's controls: Find Next with
// and without wrap, Mark All, Replace, Replace All, the history and F3.
#include <gtest/gtest.h>

#include "editor/findhistory.h"
#include "editor/view/oefinddlg.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/profile.h"
#include "ui_test_support.h"
#include "view_fixture.h"

namespace view_test {
namespace {

class FindTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    plat::Profile::App().WriteProfileString("Settings\\Find", nullptr, nullptr);
    plat::ClearMessageBoxRecords();
  }
  void Put(int line, int column) {
    view->m_pCaretLine = buf->GetLine(line);
    view->m_nCaretLine = line;
    view->m_nCaretColumn = column;
  }
  OEFindDlg* Open(UINT command) {
    Command(command);
    OEFindDlg* d = command == ID_EDIT_REPLACE_TEXT ? view->m_pReplaceDialog : view->m_pFindDialog;
    EXPECT_NE(d, nullptr);
    return d;
  }
  void SetText(OEFindDlg* d, int id, const char* text) { d->SetDlgItemText(id, text); }
  void Check(OEFindDlg* d, int id, bool on) { d->CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED); }
  void Press(OEFindDlg* d, int id) { ui_test::PressButton(d->m_hWnd, id); }
  std::vector<std::string> Messages() { return ui_test::TakeMessageBoxTexts(); }
  std::string Selected() { return view->SelectionClipText(); }
};

TEST_F(FindTest, FindNextWrapsAndEndsTheSequence) {
  Load("alpha\nbeta\nalpha beta\n");
  Put(2, 0);
  OEFindDlg* d = Open(ID_EDIT_FIND_TEXT);
  SetText(d, IDC_FIND_TEXT, "alpha");
  Check(d, IDC_FIND_WRAP, true);
  Press(d, IDOK);
  EXPECT_EQ(view->m_nCaretLine, 3);
  EXPECT_EQ(Selected(), "alpha");
  Press(d, IDOK);  // on past the end to the first line
  EXPECT_EQ(view->m_nCaretLine, 1);
  Press(d, IDOK);
  EXPECT_EQ(view->m_nCaretLine, 3);
  EXPECT_TRUE(Messages().empty());
  Press(d, IDCANCEL);

  Load("once here\n");
  d = Open(ID_EDIT_FIND_TEXT);
  SetText(d, IDC_FIND_TEXT, "once");
  Check(d, IDC_FIND_WRAP, true);
  Press(d, IDOK);
  Press(d, IDOK);  // the only match is where the search began
  EXPECT_EQ(Messages(), std::vector<std::string>{"Finished searching for 'once'."});
  EXPECT_EQ(view->m_pFindDialog, nullptr);
}

TEST_F(FindTest, AMissWithoutWrapKeepsTheDialogOpen) {
  Load("abc\n");
  OEFindDlg* d = Open(ID_EDIT_FIND_TEXT);
  SetText(d, IDC_FIND_TEXT, "zzz");
  Check(d, IDC_FIND_WRAP, false);
  Press(d, IDOK);
  EXPECT_EQ(Messages(), std::vector<std::string>{"The string 'zzz' was not found."});
  EXPECT_EQ(view->m_pFindDialog, d);
  Press(d, IDCANCEL);
  EXPECT_EQ(view->m_pFindDialog, nullptr);
}

TEST_F(FindTest, MarkAllBookmarksEachLineOnce) {
  Load("x x\nno\nx\n");
  OEFindDlg* d = Open(ID_EDIT_FIND_TEXT);
  SetText(d, IDC_FIND_TEXT, "x");
  Press(d, IDC_FIND_MARK_ALL);
  EXPECT_EQ(view->m_pFindDialog, nullptr);
  EXPECT_EQ(buf->m_nBookmarks, 2);  // lines, not matches
  EXPECT_TRUE(buf->GetLine(1)->flags & LINE_BOOKMARK);
  EXPECT_FALSE(buf->GetLine(2)->flags & LINE_BOOKMARK);
  EXPECT_EQ(view->m_nCaretLine, 1);
  Command(ID_EDIT_NEXT_BOOKMARK);
  Command(ID_EDIT_NEXT_BOOKMARK);
  EXPECT_EQ(view->m_nCaretLine, 1);  // two marks, wrapping
}

TEST_F(FindTest, ReplaceOnlyTheFoundTextThenFindsTheNext) {
  Load("cat dog cat\n");
  OEFindDlg* d = Open(ID_EDIT_REPLACE_TEXT);
  SetText(d, IDC_FIND_TEXT, "cat");
  SetText(d, IDC_FIND_REPLACE_TEXT, "cow");
  Press(d, IDC_FIND_REPLACE);  // nothing found yet: only finds
  EXPECT_EQ(Text(), "cat dog cat\n");
  EXPECT_EQ(Selected(), "cat");
  Press(d, IDC_FIND_REPLACE);
  EXPECT_EQ(Text(), "cow dog cat\n");
  EXPECT_EQ(Selected(), "cat");
  EXPECT_EQ(view->m_nCaretColumn, 11);
}

TEST_F(FindTest, ReplaceAllIsUndoneAndRedoneMatchByMatch) {
  constexpr auto kText = "a-b-c\n-\n";
  constexpr auto kReplaced = "abc\n\n";
  Load(kText);
  OEFindDlg* d = Open(ID_EDIT_REPLACE_TEXT);
  SetText(d, IDC_FIND_TEXT, "-");
  SetText(d, IDC_FIND_REPLACE_TEXT, "");
  Press(d, IDC_FIND_REPLACE_ALL);
  EXPECT_EQ(Text(), kReplaced);
  EXPECT_EQ(view->m_pReplaceDialog, nullptr);
  EXPECT_TRUE(buf->m_bModified);
  // Each step's text, and the caret at the start of the replacement it
  // changed, as the undo of a delete would leave it.
  const struct {
    UINT command;
    const char* text;
    int caretLine;
    int caretColumn;
    bool modified;
  } kSteps[] = {
      {ID_EDIT_UNDO_TEXT, "abc\n-\n", 2, 0, true},  {ID_EDIT_UNDO_TEXT, "ab-c\n-\n", 1, 2, true},
      {ID_EDIT_UNDO_TEXT, kText, 1, 1, false},      {ID_EDIT_UNDO_TEXT, kText, 1, 1, false},
      {ID_EDIT_REDO_TEXT, "ab-c\n-\n", 1, 1, true}, {ID_EDIT_REDO_TEXT, "abc\n-\n", 1, 2, true},
      {ID_EDIT_REDO_TEXT, kReplaced, 2, 0, true},   {ID_EDIT_REDO_TEXT, kReplaced, 2, 0, true},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(std::string(step.command == ID_EDIT_UNDO_TEXT ? "undo to " : "redo to ") + step.text);
    Command(step.command);
    EXPECT_EQ(Text(), step.text);
    EXPECT_EQ(view->m_nCaretLine, step.caretLine);
    EXPECT_EQ(view->m_nCaretColumn, step.caretColumn);
    EXPECT_EQ(buf->m_bModified != FALSE, step.modified);
  }
  // An empty replacement is kept as its placeholder.
  EXPECT_EQ(std::string(plat::Profile::App().GetProfileString("Settings\\Find", "Replace1", "")),
            kEmptyReplacement);
}

TEST_F(FindTest, ReplaceAllWithAnEmptyMatchEnds) {
  Load("ab\nc\n");
  OEFindDlg* d = Open(ID_EDIT_REPLACE_TEXT);
  SetText(d, IDC_FIND_TEXT, "x*");
  SetText(d, IDC_FIND_REPLACE_TEXT, "");
  Check(d, IDC_FIND_REGEX, true);
  Press(d, IDC_FIND_REPLACE_ALL);
  EXPECT_EQ(Text(), "ab\nc\n");
  Load("axxb\n");
  d = Open(ID_EDIT_REPLACE_TEXT);
  SetText(d, IDC_FIND_TEXT, "x*");
  SetText(d, IDC_FIND_REPLACE_TEXT, "-");
  Check(d, IDC_FIND_REGEX, true);
  Press(d, IDC_FIND_REPLACE_ALL);
  EXPECT_EQ(Text().find("xx"), std::string::npos);
}

TEST_F(FindTest, TheWordAtTheCaretAndTheHistory) {
  Load("int counter;\n");
  Put(1, 6);
  OEFindDlg* d = Open(ID_EDIT_FIND_TEXT);
  CString text;
  d->GetDlgItemText(IDC_FIND_TEXT, text);
  EXPECT_EQ(std::string(text), "counter");
  Press(d, IDOK);
  EXPECT_EQ(LastSearchText(), CString("counter"));
  Press(d, IDCANCEL);
  // F3 repeats the last search without the dialog.
  Put(1, 0);
  Key(VK_F3);
  EXPECT_EQ(Selected(), "counter");
  EXPECT_EQ(view->m_pFindDialog, nullptr);
}

TEST_F(FindTest, PickingAHistoryEntryFindsIt) {
  constexpr auto kWord = "beta";
  Load("alpha\nbeta\n");
  OEFindDlg* d = Open(ID_EDIT_FIND_TEXT);
  SetText(d, IDC_FIND_TEXT, kWord);
  Press(d, IDOK);  // found: the word enters the history
  Press(d, IDCANCEL);
  Put(1, 0);
  d = Open(ID_EDIT_FIND_TEXT);
  SetText(d, IDC_FIND_TEXT, "");
  const LRESULT entry = d->SendDlgItemMessage(IDC_FIND_TEXT, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(kWord));
  ASSERT_GE(entry, 0);
  d->SendDlgItemMessage(IDC_FIND_TEXT, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND_TEXT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(::GetDlgItem(d->m_hWnd, IDC_FIND_TEXT)));
  Press(d, IDOK);
  EXPECT_EQ(view->m_nCaretLine, 2);
  EXPECT_EQ(Selected(), kWord);
  Press(d, IDCANCEL);
}

}  // namespace
}  // namespace view_test
