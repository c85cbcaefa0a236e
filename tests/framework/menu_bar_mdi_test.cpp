// The MDI menu bar: a maximised child's system-menu and caption buttons, the
// boxes its style allows, and the caption boxes acting on the child.
#include <gtest/gtest.h>

#include "framework/sec_control_bar_info.h"
#include "framework/sec_custom_tool_bar_info_ex.h"
#include "framework/sec_menu_bar_mdi.h"
#include "frames_fixture.h"

namespace frames_test {
namespace {

class MDIMenuBarTest : public WorkbookTest {
 protected:
  void SetUp() override {
    WorkbookTest::SetUp();
    bar = new SECMDIMenuBar;
    bar->m_bAutoDelete = TRUE;  // the bar goes with its window
    ASSERT_TRUE(bar->CreateEx(0, book));
    ASSERT_TRUE(bar->SetMenus(2, IDR_FRAMES_MAIN, IDR_FRAMES_SHEET));
    ASSERT_TRUE(bar->SelectMenu(IDR_FRAMES_SHEET));
    bar->EnableDocking(CBRS_ALIGN_ANY);
    book->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    book->RecalcLayout();
  }
  // Maximises a new sheet, its style trimmed by `clear`.
  Sheet* MaximisedSheet(DWORD clear) {
    Sheet* sheet = OpenSheet("max");
    if (clear) sheet->ModifyStyle(clear, 0);
    book->MDIMaximize(sheet);
    afx_test::Pump();
    return sheet;
  }
  BOOL Shown(const SECStdBtn& btn) const { return !(btn.m_nStyle & TBBS_HIDDEN); }
  CPoint BoxCentre(int box) { return bar->CaptionButton().BoxRect(box).CenterPoint(); }
  SECMDIMenuBar* bar = nullptr;
};

TEST_F(MDIMenuBarTest, AMaximisedChildPutsItsButtonsAtBothEnds) {
  EXPECT_FALSE(bar->UpdateMDIButtons(FALSE));  // nothing maximised: stays hidden
  EXPECT_FALSE(Shown(bar->SysMenuButton()));
  MaximisedSheet(0);
  EXPECT_TRUE(bar->UpdateMDIButtons(FALSE));
  EXPECT_FALSE(bar->UpdateMDIButtons(FALSE));  // no change the second time
  ASSERT_GE(bar->GetBtnCount(), 2);
  EXPECT_EQ(bar->GetBtn(0), &bar->SysMenuButton());
  EXPECT_EQ(bar->GetBtn(bar->GetBtnCount() - 1), &bar->CaptionButton());
  EXPECT_TRUE(Shown(bar->SysMenuButton()));
  EXPECT_TRUE(Shown(bar->CaptionButton()));
  for (int box : {SECBtnCaption::kMinimize, SECBtnCaption::kRestore, SECBtnCaption::kClose})
    EXPECT_EQ(bar->CaptionButton().HitTest(BoxCentre(box)), box);
  // Rebuilding the buttons keeps the two at the ends.
  bar->ResetButtons(FALSE);
  EXPECT_EQ(bar->GetBtn(0), &bar->SysMenuButton());
  EXPECT_EQ(bar->GetBtn(bar->GetBtnCount() - 1), &bar->CaptionButton());
  book->RecalcLayout();
  afx_test::Pump();
  CRect client;
  bar->GetClientRect(&client);
  // The shown buttons sit inside the bar, left to right without overlapping.
  int right = client.left;
  for (int i = 0; i < bar->GetBtnCount(); ++i) {
    const SECStdBtn* btn = bar->GetBtn(i);
    if (!Shown(*btn)) continue;
    const CRect r = btn->GetRect();
    EXPECT_GE(r.left, right) << i;
    EXPECT_LE(r.right, client.right) << i;
    right = r.right;
  }
  Picture(book->m_hWnd, "mdi_menu_bar");
  // Forced: both hidden.
  EXPECT_TRUE(bar->UpdateMDIButtons(TRUE));
  EXPECT_FALSE(Shown(bar->CaptionButton()));
}

TEST_F(MDIMenuBarTest, WithoutBoxesOnlyCloseWorks) {
  Sheet* sheet = MaximisedSheet(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  bar->UpdateMDIButtons(FALSE);
  SECBtnCaption& caption = bar->CaptionButton();
  EXPECT_EQ(caption.HitTest(BoxCentre(SECBtnCaption::kMinimize)), SECBtnCaption::kNone);
  EXPECT_EQ(caption.HitTest(BoxCentre(SECBtnCaption::kRestore)), SECBtnCaption::kNone);
  // A press on the close box and a release on it close the child.
  const HWND child = sheet->m_hWnd;
  EXPECT_TRUE(caption.OnLButtonDown(BoxCentre(SECBtnCaption::kClose)));
  caption.OnLButtonUp(BoxCentre(SECBtnCaption::kClose));
  afx_test::Pump();
  EXPECT_FALSE(::IsWindow(child));
}

TEST_F(MDIMenuBarTest, AReleaseOffThePressedBoxDoesNothing) {
  Sheet* sheet = MaximisedSheet(0);
  bar->UpdateMDIButtons(FALSE);
  SECBtnCaption& caption = bar->CaptionButton();
  EXPECT_TRUE(caption.OnLButtonDown(BoxCentre(SECBtnCaption::kClose)));
  caption.OnMouseMove(BoxCentre(SECBtnCaption::kMinimize));
  EXPECT_FALSE(caption.m_bPressedLook);
  caption.OnLButtonUp(BoxCentre(SECBtnCaption::kMinimize));
  afx_test::Pump();
  EXPECT_TRUE(::IsWindow(sheet->m_hWnd));
  BOOL maximised = FALSE;
  EXPECT_EQ(book->MDIGetActive(&maximised), sheet);
  EXPECT_TRUE(maximised);
}

TEST_F(MDIMenuBarTest, ASavedLayoutKeepsTheMenusAndTheMDIButtonsAtTheEnds) {
  MaximisedSheet(0);
  bar->UpdateMDIButtons(FALSE);
  const int count = bar->GetBtnCount();
  SECControlBarInfo info;
  bar->GetBarInfoEx(&info);
  auto* saved = dynamic_cast<SECCustomToolBarInfoEx*>(info.m_pBarInfoEx);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(static_cast<int>(saved->m_btnInfo.size()), count - 2);  // the MDI buttons are not saved
  EXPECT_EQ(bar->GetBtn(0), &bar->SysMenuButton());                 // and are back afterwards
  EXPECT_EQ(bar->GetBtn(count - 1), &bar->CaptionButton());
  bar->SetBarInfoEx(&info, book);
  ASSERT_EQ(bar->GetBtnCount(), count);
  EXPECT_EQ(bar->GetBtn(0), &bar->SysMenuButton());
  EXPECT_EQ(bar->GetBtn(count - 1), &bar->CaptionButton());
  for (int i = 1; i < count - 1; ++i) EXPECT_EQ(bar->GetBtn(i)->m_nType, SECBtnMenu) << i;
  EXPECT_EQ(bar->FindMnemonic('s'), 1 + 4);  // the sheet menu's "&Sheet" after the main menu's three
}

}  // namespace
}  // namespace frames_test
