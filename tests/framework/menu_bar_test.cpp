// The menu bar: buttons from menu resources, per-menu bits and masks, and the
// mnemonic search.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/sec_menu_bar.h"
#include "framework/sec_std_btn_menu.h"
#include "tool_bar_fixture.h"

using namespace tb_test;

namespace {

// Menus of res/toolbars.rc.
constexpr UINT kMenuEdit = 300;     // "&File", "&Edit"
constexpr UINT kMenuView = 301;     // "&File", "&View", "&Help"
constexpr UINT kMenuTools = 302;    // "&Tools"
constexpr UINT kMenuMissing = 399;  // no such resource

class MenuBarTest : public ToolBarTest {
 protected:
  void SetUp() override {
    ToolBarTest::SetUp();
    bar = new SECMenuBar;
    bar->m_bAutoDelete = TRUE;  // the bar goes with its window
    ASSERT_TRUE(bar->CreateEx(0, frame));
  }
  // The texts of the shown buttons, in order.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (int i = 0; i < bar->GetBtnCount(); ++i) {
      const SECStdBtn* btn = bar->GetBtn(i);
      if (btn->m_nType == SECBtnMenu && !(btn->m_nStyle & TBBS_HIDDEN))
        texts.emplace_back(static_cast<const SECTBMenuBtn*>(btn)->m_strText);
    }
    return texts;
  }
  SECMenuBar* bar = nullptr;
};

TEST_F(MenuBarTest, EachMenuGetsTheNextBitInRegistrationOrder) {
  ASSERT_TRUE(bar->SetMenus(3, kMenuEdit, kMenuView, kMenuTools));
  EXPECT_EQ(bar->GetMenuBit(kMenuEdit), 1u);
  EXPECT_EQ(bar->GetMenuBit(kMenuView), 2u);
  EXPECT_EQ(bar->GetMenuBit(kMenuTools), 4u);
  EXPECT_EQ(bar->GetBtnCount(), 6);  // one button per top-level popup of every menu
}

TEST_F(MenuBarTest, SelectingAMenuShowsOnlyItsButtons) {
  ASSERT_TRUE(bar->SetMenus(3, kMenuEdit, kMenuView, kMenuTools));
  struct Case {
    UINT id;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {kMenuView, {"&File", "&View", "&Help"}}, {kMenuTools, {"&Tools"}}, {kMenuEdit, {"&File", "&Edit"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_TRUE(bar->SelectMenu(c.id));
    EXPECT_EQ(bar->GetCurrentMenuID(), c.id);
    EXPECT_EQ(Shown(), c.shown);
  }
  // An unknown id leaves the bar as it was.
  EXPECT_FALSE(bar->SelectMenu(kMenuMissing));
  EXPECT_EQ(bar->GetCurrentMenuID(), kMenuEdit);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"&File", "&Edit"}));
}

TEST_F(MenuBarTest, AMissingMenuGetsNoBit) {
  ASSERT_TRUE(bar->SetMenus(2, kMenuMissing, kMenuTools));
  EXPECT_EQ(bar->GetMenuBit(kMenuMissing), 0u);
  EXPECT_EQ(bar->GetMenuBit(kMenuTools), 1u);
  // Nothing to build: FALSE, and the bar keeps its buttons.
  EXPECT_FALSE(bar->SetMenus(1, kMenuMissing));
  EXPECT_EQ(bar->GetBtnCount(), 1);
  EXPECT_EQ(bar->GetMenuBit(kMenuTools), 1u);
}

TEST_F(MenuBarTest, MnemonicsMatchWhateverTheCaseAndOnlyShownButtons) {
  ASSERT_TRUE(bar->SetMenus(2, kMenuEdit, kMenuView));
  ASSERT_TRUE(bar->SelectMenu(kMenuView));
  struct Case {
    int c;
    int index;
  };
  // Buttons: 0 File(300), 1 Edit(300), 2 File(301), 3 View, 4 Help.
  const Case cases[] = {{'f', 2}, {'F', 2}, {'v', 3}, {'H', 4}, {'e', -1}, {'x', -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.c);
    EXPECT_EQ(bar->FindMnemonic(c.c), c.index);
  }
}

TEST_F(MenuBarTest, ShownButtonsAreLaidOutInARow) {
  ASSERT_TRUE(bar->SetMenus(2, kMenuEdit, kMenuView));
  ASSERT_TRUE(bar->SelectMenu(kMenuView));
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
  Layout();
  EXPECT_TRUE(bar->IsCoolLook());
  int right = 0;
  for (int i = 2; i < bar->GetBtnCount(); ++i) {
    const CRect r = bar->GetBtn(i)->GetRect();
    EXPECT_GE(r.left, right) << i;  // side by side, no overlap
    right = r.right;
  }
  Picture(bar, "menu_bar");
}

TEST_F(MenuBarTest, FloatingTheBarTakesTheSystemMenuOffItsFrame) {
  ASSERT_TRUE(bar->SetMenus(1, kMenuEdit));
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
  frame->FloatControlBar(bar, CPoint(300, 300));
  Pump();
  ASSERT_TRUE(bar->IsFloating());
  CFrameWnd* mini = bar->GetParentFrame();
  ASSERT_NE(mini, frame);
  EXPECT_FALSE(mini->GetStyle() & WS_SYSMENU);
}

TEST_F(MenuBarTest, AStretchedBarIsAsWideAsTheScreen) {
  ASSERT_TRUE(bar->SetMenus(1, kMenuEdit));
  const CSize natural = bar->CalcFixedLayout(FALSE, TRUE);
  bar->SetStretch(TRUE);
  const CSize stretched = bar->CalcFixedLayout(FALSE, TRUE);
  EXPECT_LT(natural.cx, stretched.cx);
  EXPECT_EQ(stretched.cx, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(stretched.cy, natural.cy);
}

}  // namespace
