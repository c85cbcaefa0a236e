// The disassembly window's find dialog driven through its registered
// message (regular expressions, backwards, Mark All, Replace All on the
// read-only text), drops, printing of the bounded region, and two panes of
// a splitter.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/platform/afx/afx_test_support.h"
#include "disasm/view/disass_find_dlg.h"
#include "platform/afx/printinfo.h"
#include "platform/ui/afxole.h"
#include "tests/disasm_view/disview_fixture.h"

namespace disview_test {
namespace {

constexpr UINT kCmdFind = 57636;
constexpr UINT kCmdReplace = 57641;

class DisviewFindTest : public DisviewTest {
 protected:
  OEFindDlg* Open(UINT command) {
    Command(command);
    OEFindDlg* d = command == kCmdReplace ? view->m_pReplaceDialog : view->m_pFindDialog;
    EXPECT_NE(d, nullptr);
    return d;
  }
  void Press(OEFindDlg* d, int id) { ui_test::PressButton(d->m_hWnd, id); }
  std::vector<std::string> Messages() { return ui_test::TakeMessageBoxTexts(); }
};

// Code of "int 21" every 16 bytes and NOPs between.
std::vector<BYTE> IntCode() {
  constexpr size_t kIntEvery = 16;
  std::vector<BYTE> code(kCodeBytes, kNop);
  for (size_t i = 0; i + 1 < code.size(); i += kIntEvery) {
    code[i] = 0xCD;
    code[i + 1] = 0x21;
  }
  return code;
}

TEST_F(DisviewFindTest, ARegularExpressionFoundBackwards) {
  StartSession(IntCode());
  int first = ShowCode();
  constexpr int kDown = 20;
  view->GoToLine(first + kDown);
  OEFindDlg* d = Open(kCmdFind);
  d->SetDlgItemText(IDC_FIND_TEXT, "i.t");
  d->CheckDlgButton(IDC_FIND_REGEX, BST_CHECKED);
  d->CheckDlgButton(IDC_DISASS_FIND_UP, BST_CHECKED);
  d->CheckDlgButton(IDC_DISASS_FIND_DOWN, BST_UNCHECKED);
  Press(d, IDOK);
  ASSERT_TRUE(view->m_bSelection);
  EXPECT_EQ(view->SelectionClipText(), "int");
  // The int before the caret: the one at 0x1010 (line 15 of the code).
  EXPECT_EQ(std::strtoul(view->m_pCaretLine->text, nullptr, 16), kCodeBase + 0x10);
  EXPECT_TRUE(Messages().empty());
  // The search text heads the history.
  EXPECT_STREQ(plat::Profile::App().GetProfileString("Settings\\Find", "Find1", ""), "i.t");
}

TEST_F(DisviewFindTest, TheDialogsAreTheDisassemblysOwn) {
  StartSession();
  ShowCode();
  // Legend: the command, the template's caption, a control only it has.
  const struct {
    UINT command;
    const char* caption;
    int own;
  } kDialogs[] = {{kCmdFind, "Find", IDC_FIND_MARK_ALL}, {kCmdReplace, "Replace", IDC_FIND_REPLACE_ALL}};
  for (const auto& k : kDialogs) {
    OEFindDlg* d = Open(k.command);
    ASSERT_NE(d, nullptr);
    EXPECT_NE(dynamic_cast<DisassOEFindDlg*>(d), nullptr);
    CString caption;
    d->GetWindowText(caption);
    EXPECT_STREQ(caption, k.caption);
    EXPECT_NE(::GetDlgItem(d->m_hWnd, k.own), nullptr);
    for (int id : {IDC_DISASS_FIND_MATCH_CASE, IDC_DISASS_FIND_UP, IDC_DISASS_FIND_HIDDEN_TEXT})
      EXPECT_NE(::GetDlgItem(d->m_hWnd, id), nullptr) << id;
    EXPECT_EQ(::GetDlgItem(d->m_hWnd, IDC_FIND_MATCH_CASE), nullptr);
    // Find Next is on although the common dialog's own search edit is absent.
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d->m_hWnd, IDOK)));
    Press(d, IDCANCEL);
    EXPECT_EQ(view->m_pFindDialog, nullptr);
    EXPECT_EQ(view->m_pReplaceDialog, nullptr);
  }
}

TEST_F(DisviewFindTest, MarkAllBookmarksTheMatchingLinesNearby) {
  StartSession(IntCode());
  ShowCode();
  OEFindDlg* d = Open(kCmdFind);
  d->SetDlgItemText(IDC_FIND_TEXT, "int");
  Press(d, IDC_FIND_MARK_ALL);
  // Every held line with "int" and no other is bookmarked; no message box.
  int expected = 0;
  for (EditLine* l = view->m_window.m_pLines; l != nullptr; l = l->next) {
    bool hasInt = std::strstr(l->text, "int") != nullptr;
    expected += hasInt;
    EXPECT_EQ((l->flags & LINE_BOOKMARK) != 0, hasInt) << l->lineNumber;
  }
  EXPECT_GT(expected, 0);
  EXPECT_EQ(view->m_bookmarks.Count(), expected);
  EXPECT_LT(view->m_window.Last() - view->m_window.First(), 3 * DisassEditCore<CView>::kWalkWindow);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DisviewFindTest, ReplaceAllSaysTheTextIsReadOnly) {
  StartSession(IntCode());
  ShowCode();
  OEFindDlg* d = Open(kCmdReplace);
  d->SetDlgItemText(IDC_FIND_TEXT, "nop");
  d->SetDlgItemText(IDC_FIND_REPLACE_TEXT, "xx");
  Press(d, IDC_FIND_REPLACE_ALL);
  EXPECT_EQ(Messages(), std::vector<std::string>{"The file is read only."});
  EXPECT_NE(std::strstr(view->LineAt(view->m_nTopLine + 2)->text, "nop"), nullptr);
  if (view->m_pReplaceDialog != nullptr) Press(view->m_pReplaceDialog, IDCANCEL);
}

std::shared_ptr<const OleFormats> TextData(const char* s) {
  auto f = std::make_shared<OleFormats>();
  f->items.push_back({CF_TEXT, std::vector<unsigned char>(s, s + std::strlen(s) + 1)});
  return f;
}

TEST_F(DisviewTest, DropsOnTheReadOnlyTextAreRefused) {
  StartSession();
  int first = ShowCode();
  CPoint cell(view->m_nMarginWidth + 4 * view->m_nCharWidth, view->m_nLineHeight + 1);
  DROPEFFECT effect =
      mirt_ui::DropOn(view->m_hWnd, TextData("xyz"), cell, 0, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  EXPECT_EQ(std::strstr(view->LineAt(first + 1)->text, "xyz"), nullptr);
}

class DisviewPrintTest : public DisviewTest {
 protected:
  // Lays out a print job on a bitmap at the screen's resolution and prints
  // its first page.
  QImage PrintFirstPage(CPrintInfo& info) {
    constexpr int kPageWidth = 600, kPageHeight = 400;
    return afx_test::PrintViewPage(view, info, 1, kPageWidth, kPageHeight);
  }
};

TEST_F(DisviewPrintTest, PrintingAllCoversTheListedRegionNotTheAddressSpace) {
  StartSession();
  int first = ShowCode();
  view->m_bPrintSelection = FALSE;
  CPrintInfo info;
  QImage page = PrintFirstPage(info);
  page.save(QString::fromStdString(mirt_test::ProgramDir() + "/disasm_view_printed_page.png"));
  ASSERT_FALSE(view->m_pageStarts.empty());
  EXPECT_LE(static_cast<int>(view->m_pageStarts.front()), first);
  EXPECT_LT(view->m_nPrintLastLine - static_cast<int>(view->m_pageStarts.front()),
            CMemAddrList::kLineCount / 100);
  for (unsigned start : view->m_pageStarts) EXPECT_TRUE(g_pMemAddrList->IsLineInMemory(int(start))) << start;
  bool ink = false;
  for (int y = 0; y < page.height() && !ink; ++y) {
    for (int x = 0; x < page.width() && !ink; ++x) ink = qGray(page.pixel(x, y)) < 128;
  }
  EXPECT_TRUE(ink);
}

TEST_F(DisviewPrintTest, PrintingTheSelectionStopsBeforeAnEndAtColumnZero) {
  StartSession();
  int first = ShowCode();
  constexpr int kLines = 3;
  view->GoToLine(first);
  view->StartSelection(SEL_STREAM);
  view->m_pCaretLine = view->LineAt(first + kLines);
  view->m_nCaretLine = first + kLines;
  view->m_nCaretColumn = 0;
  view->UpdateSelection(FALSE);
  view->m_bPrintSelection = TRUE;
  CPrintInfo info;
  PrintFirstPage(info);
  ASSERT_EQ(view->m_pageStarts.size(), 1u);
  EXPECT_EQ(static_cast<int>(view->m_pageStarts.front()), first);
  EXPECT_EQ(view->m_nPrintLastLine, first + kLines - 1);
}

TEST_F(DisviewPrintTest, PrintingTheSelectionWritesAPdf) {
  StartSession();
  int first = ShowCode();
  constexpr int kLines = 150;
  view->GoToLine(first);
  view->StartSelection(SEL_STREAM);
  view->m_pCaretLine = view->LineAt(first + kLines);
  view->m_nCaretLine = first + kLines;
  view->m_nCaretColumn = 4;
  view->UpdateSelection(FALSE);
  const std::string target = mirt_test::ProgramDir() + "/disasm_view_print.pdf";
  std::remove(target.c_str());
  afx_test::PrintJobsTo(target);
  Command(ID_FILE_PRINT);
  afx_test::PrintJobsTo("");
  std::string bytes = mirt_test::ReadFile(target);
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 4), "%PDF");
  EXPECT_TRUE(view->m_bPrintSelection);
  EXPECT_GT(view->m_pageStarts.size(), 1u);
  EXPECT_EQ(view->m_nPrintLastLine, first + kLines);
}

TEST_F(DisviewTest, PanesOfASplitterRowShareTheirTopLine) {
  StartSession();
  view->OnInitialUpdate();
  auto* splitter = new CSplitterWnd;
  ASSERT_TRUE(splitter->CreateStatic(CWnd::FromHandle(top), 1, 2));
  CCreateContext context;
  context.m_pCurrentDoc = doc;
  ASSERT_TRUE(splitter->CreateView(0, 0, RUNTIME_CLASS(CDisview0View), CSize(200, 200), &context));
  auto* left = static_cast<CDisview0View*>(splitter->GetPane(0, 0));
  left->OnInitialUpdate();
  ASSERT_TRUE(left->GoToAddress(kCodeBase));
  ASSERT_TRUE(splitter->CreateView(0, 1, RUNTIME_CLASS(CDisview0View), CSize(200, 200), &context));
  auto* right = static_cast<CDisview0View*>(splitter->GetPane(0, 1));
  right->OnInitialUpdate();
  splitter->MoveWindow(0, 0, 400, 200);
  splitter->SetActivePane(0, 0, left);
  EXPECT_EQ(right->m_nTopLine, left->m_nTopLine);  // taken from the neighbour
  left->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(right->m_nTopLine, left->m_nTopLine);
  // Each pane holds its own line records, with the same text.
  EXPECT_NE(right->m_pTopLine, left->m_pTopLine);
  EXPECT_STREQ(right->m_pTopLine->text, left->m_pTopLine->text);
  splitter->DestroyWindow();
  delete splitter;
}

}  // namespace
}  // namespace disview_test
