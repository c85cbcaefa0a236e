// Drops of text on the view, moves within the view, and printing with a
// header and a footer.
#include <gtest/gtest.h>

#include <QImage>
#include <cstring>

#include "tests/platform/afx/afx_test_support.h"
#include "editor/view/oepagesetupdlg.h"
#include "platform/sys/profile.h"
#include "platform/ui/afxole.h"
#include "platform/ui/modal.h"
#include "tests/support/test_support.h"
#include "view_fixture.h"

namespace view_test {
namespace {

std::shared_ptr<const OleFormats> TextData(const char* s) {
  auto f = std::make_shared<OleFormats>();
  f->items.push_back({CF_TEXT, std::vector<unsigned char>(s, s + std::strlen(s) + 1)});
  return f;
}

class DropTest : public ViewTest {
 protected:
  void Select(int line, int from, int to) {
    view->m_pCaretLine = buf->GetLine(line);
    view->m_nCaretLine = line;
    view->m_nCaretColumn = from;
    view->StartSelection(SEL_STREAM);
    view->m_nCaretColumn = to;
    view->UpdateSelection(TRUE);
  }
  // Drags the selection to a cell and drops it there.
  DROPEFFECT DragTo(int row, int column, DWORD keys = 0) {
    plat::PushDropPlan({view->m_hWnd, Cell(row, column), keys});
    return view->BeginDrag();
  }
};

TEST_F(DropTest, DroppedTextGoesInAtTheCell) {
  Load("abc\n");
  EXPECT_EQ(mirt_ui::DropOn(view->m_hWnd, TextData("XY"), Cell(0, 1), 0, DROPEFFECT_COPY | DROPEFFECT_MOVE),
            DROPEFFECT_MOVE);
  EXPECT_EQ(Text(), "aXYbc\n");
  mirt_ui::DropOn(view->m_hWnd, TextData("1\n2"), Cell(0, 0), MK_CONTROL, DROPEFFECT_COPY);
  EXPECT_EQ(Text(), "1\n2aXYbc\n");
}

TEST_F(DropTest, MovingOnTheSameLineLandsWhereThePointerWas) {
  Load("one two three\n");
  Select(1, 0, 4);  // "one "
  EXPECT_EQ(DragTo(0, 8), DROPEFFECT_MOVE);
  EXPECT_EQ(Text(), "two one three\n");
  // Tabs before the drop point do not shift it (bytes, not columns).
  Load("a\tbc\tde\n");
  Select(1, 0, 1);  // "a"
  DragTo(0, 9);     // before the "e"
  EXPECT_EQ(Text(), "\tbc\tdae\n");
}

TEST_F(DropTest, CopyKeepsTheSourceAndDropsIntoItselfAreRefused) {
  Load("abc def\n");
  Select(1, 0, 3);
  EXPECT_EQ(DragTo(0, 7, MK_CONTROL), DROPEFFECT_COPY);
  EXPECT_EQ(Text(), "abc defabc\n");
  Select(1, 0, 3);
  DragTo(0, 1);  // onto the selection
  EXPECT_EQ(Text(), "abc defabc\n");
}

class PrintTest : public ViewTest {
 protected:
  // Prints one page into a bitmap at the screen's resolution.
  QImage PrintPage(int page, CPrintInfo& info) {
    constexpr int kWidth = 600, kHeight = 300;
    return afx_test::PrintViewPage(view, info, page, kWidth, kHeight);
  }
  static bool RowHasInk(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) return true;
    }
    return false;
  }
};

TEST_F(PrintTest, HeaderRuleTextAndFooterStandInTheirPlaces) {
  plat::Profile::App().WriteProfileString("PageSetup", nullptr, nullptr);
  std::string text;
  for (int i = 1; i <= 150; ++i) text += "line " + std::to_string(i) + "\n";
  Load(text);
  CPrintInfo info;
  QImage page = PrintPage(1, info);
  page.save(QString::fromStdString(mirt_test::ProgramDir() + "/editor_view_printed_page.png"));
  int lh = view->m_nPrintLineHeight;
  ASSERT_GT(lh, 0);
  EXPECT_GT(info.GetMaxPage(), 1u);
  EXPECT_TRUE(RowHasInk(page, lh + lh / 4)) << "the rule under the header";
  bool textBelow = false;
  for (int y = lh + lh / 2; y < 2 * lh + lh / 2; ++y) textBelow = textBelow || RowHasInk(page, y);
  EXPECT_TRUE(textBelow) << "the first line under the rule";
  CString footer;
  view->m_pageSetup.FormatFooter(footer, 0, "x", 2);
  EXPECT_EQ(std::string(footer), "Page: 2");
}

TEST_F(PrintTest, PageSetupIsWrittenOnlyWhenConfirmed) {
  auto& profile = plat::Profile::App();
  profile.WriteProfileString("PageSetup", "Header", "mine");
  Load("x\n");
  view->m_pageSetup.m_strHeader = "changed in this view only";
  // Another view closing must not write its copy back.
  EXPECT_EQ(std::string(profile.GetProfileString("PageSetup", "Header", "")), "mine");
  plat::PushDialogAction([](HWND dialog) {
    ::SetDlgItemText(dialog, 104, "confirmed");
    ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(ID_EDIT_PAGE_SETUP);
  EXPECT_EQ(std::string(profile.GetProfileString("PageSetup", "Header", "")), "confirmed");
}

}  // namespace
}  // namespace view_test
