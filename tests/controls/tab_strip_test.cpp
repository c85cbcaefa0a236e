// The flat tab strip: geometry, scroll buttons, activation and deletion.
#include <gtest/gtest.h>

#include "controls/sec_tab_control.h"
#include "tests/controls/tab_fixture.h"
#include "ui_test_support.h"

namespace tab_test {
namespace {

constexpr int kStripWidth = 300;
constexpr int kStripHeight = 18;
constexpr UINT kStripId = 7;
constexpr DWORD kFourButtons = 2;

class TabStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, kStripWidth, 60, nullptr,
                                nullptr));
  }
  void TearDown() override {
    delete strip;
    parent.DestroyWindow();
  }
  void Make(DWORD style, int tabs, int width = kStripWidth) {
    strip = new SECTabControl;
    ASSERT_TRUE(strip->Create(style | WS_VISIBLE, CRect(0, 0, width, kStripHeight), &parent, kStripId));
    for (int i = 0; i < tabs; ++i) strip->AddTab(("Tab " + std::to_string(i)).c_str());
    parent.notices.clear();
  }
  void Press(UINT message, CPoint at, UINT keys = 0) {
    strip->SendMessage(message, keys, MAKELPARAM(at.x, at.y));
  }
  CPoint ButtonCentre(DWORD b) const { return strip->GetButtonRect(b).CenterPoint(); }
  CPoint TabCentre(int i) const {
    const CRect box = strip->GetTabBox(i);
    return CPoint(box.CenterPoint().x, box.top + 2);
  }

  TabParent parent;
  SECTabControl* strip = nullptr;
};

TEST_F(TabStripTest, NeighboursOverlapAndTheLowerIndexWinsTheShared) {
  Make(0, 3);
  for (int i = 0; i + 1 < strip->GetTabCount(); ++i) {
    EXPECT_EQ(strip->GetTabBox(i).right - strip->GetTabBox(i + 1).left, kSECTabOverlap);
  }
  // Top edge where tabs 0 and 1 overlap.
  const CPoint shared(strip->GetTabBox(1).left + 1, 1);
  EXPECT_EQ(strip->HitTestTab(shared), 0);
  // The slanted corners at the bottom belong to no tab.
  const CRect box = strip->GetTabBox(0);
  EXPECT_EQ(strip->HitTestTab(CPoint(box.left + 1, box.bottom - 1)), -1);
}

TEST_F(TabStripTest, WithoutTabsOrWhenAllFitEveryButtonIsDisabled) {
  Make(kFourButtons, 0);
  EXPECT_EQ(strip->GetButtons(), 15u);
  EXPECT_EQ(strip->GetDisabledButtons(), 15u);
  strip->AddTab("One");
  EXPECT_EQ(strip->GetScrollOffset(), 0);
  EXPECT_EQ(strip->GetDisabledButtons(), 15u);
}

TEST_F(TabStripTest, LastPutsTheLastTabAtTheRightEdgeAndFirstGoesBack) {
  constexpr int kTabs = 12;
  Make(kFourButtons, kTabs);
  EXPECT_EQ(strip->GetDisabledButtons(), DWORD{kSECTabButtonFirst | kSECTabButtonPrev});
  Press(WM_LBUTTONDOWN, ButtonCentre(kSECTabButtonLast));
  Press(WM_LBUTTONUP, ButtonCentre(kSECTabButtonLast));
  EXPECT_EQ(strip->GetTabBox(kTabs - 1).right, strip->GetTabsArea().right);
  EXPECT_EQ(strip->GetDisabledButtons(), DWORD{kSECTabButtonNext | kSECTabButtonLast});
  SaveTabPicture(parent.m_hWnd, "strip_scrolled");
  Press(WM_LBUTTONDOWN, ButtonCentre(kSECTabButtonFirst));
  Press(WM_LBUTTONUP, ButtonCentre(kSECTabButtonFirst));
  EXPECT_EQ(strip->GetScrollOffset(), 0);
}

TEST_F(TabStripTest, HoldingPreviousRepeatsOnTheTimerAndStopsAtZero) {
  Make(kFourButtons, 12);
  strip->ScrollToTab(11);
  const int start = strip->GetScrollOffset();
  ASSERT_LT(start, -3 * kSECTabScrollStep);
  Press(WM_LBUTTONDOWN, ButtonCentre(kSECTabButtonPrev));
  EXPECT_EQ(strip->GetScrollOffset(), start + kSECTabScrollStep);
  strip->SendMessage(WM_TIMER, kSECTabRepeatTimer, 0);
  EXPECT_EQ(strip->GetScrollOffset(), start + 2 * kSECTabScrollStep);
  for (int i = 0; i < 200 && strip->GetScrollOffset() < 0; ++i)
    strip->SendMessage(WM_TIMER, kSECTabRepeatTimer, 0);
  EXPECT_EQ(strip->GetScrollOffset(), 0);
  Press(WM_LBUTTONUP, ButtonCentre(kSECTabButtonPrev));
  EXPECT_EQ(strip->GetPressedButton(), 0u);
  // After the release, a late timer message moves nothing.
  strip->ScrollToTab(11);
  const int end = strip->GetScrollOffset();
  strip->SendMessage(WM_TIMER, kSECTabRepeatTimer, 0);
  EXPECT_EQ(strip->GetScrollOffset(), end);
}

TEST_F(TabStripTest, ScrollToTabLeavesAMargin) {
  constexpr int kTabs = 12;
  constexpr int kMiddle = 8;
  Make(kFourButtons, kTabs);
  strip->ScrollToTab(kMiddle);
  EXPECT_EQ(strip->GetTabsArea().right - strip->GetTabBox(kMiddle).right, kSECTabScrollMargin);
  // The last tab never scrolls past the right edge.
  strip->ScrollToTab(kTabs - 1);
  EXPECT_EQ(strip->GetTabsArea().right, strip->GetTabBox(kTabs - 1).right);
  strip->ScrollToTab(2);
  EXPECT_EQ(strip->GetTabBox(2).left - strip->GetTabsArea().left, kSECTabScrollMargin);
}

struct DeleteCase {
  const char* name;
  int active;
  int deleted;
  int activeAfter;  // index of the active tab afterwards
  const char* labelAfter;
  bool told;  // the parent hears WM_TABSEL
};

TEST_F(TabStripTest, DeletingKeepsOrMovesTheActiveTab) {
  const DeleteCase cases[] = {
      {"before the active", 2, 0, 1, "Tab 2", false}, {"after the active", 1, 3, 1, "Tab 1", false},
      {"the active", 1, 1, 1, "Tab 2", true},         {"the active and last", 3, 3, 2, "Tab 2", true},
      {"out of range", 1, 9, 1, "Tab 1", false},      {"negative", 1, -1, 1, "Tab 1", false},
  };
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.name);
    delete strip;
    Make(0, 4);
    strip->ActivateTab(c.active);
    parent.notices.clear();
    strip->DeleteTab(c.deleted);
    int active = -1;
    ASSERT_TRUE(strip->GetActiveTab(active));
    EXPECT_EQ(active, c.activeAfter);
    EXPECT_STREQ(strip->GetTab(active)->m_csLabel, c.labelAfter);
    EXPECT_TRUE(strip->GetTab(active)->m_bSelected);
    if (c.told) {
      ExpectNotices(parent, {{WM_TABSEL, static_cast<WPARAM>(c.activeAfter)}});
    } else {
      ExpectNotices(parent, {});
    }
  }
}

TEST_F(TabStripTest, ClicksActivateReactivateAndSelect) {
  Make(0, 4);
  Press(WM_LBUTTONDOWN, TabCentre(1));
  Press(WM_LBUTTONDOWN, TabCentre(1));
  Press(WM_LBUTTONDOWN, TabCentre(3), MK_SHIFT);
  ExpectNotices(parent, {{WM_TABSEL, 1}, {WM_TABREACTIVATE, 1}, {WM_TABSEL, 3}});
  EXPECT_EQ(parent.notices[0].oldTab, -1);
  EXPECT_EQ(parent.notices[0].ctrlId, static_cast<int>(kStripId));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(strip->GetTab(i)->m_bSelected, i >= 1) << "tab " << i;
  // Ctrl on the active tab leaves no tab active.
  Press(WM_LBUTTONDOWN, TabCentre(3), MK_CONTROL);
  int active = 0;
  EXPECT_FALSE(strip->GetActiveTab(active));
  EXPECT_FALSE(strip->GetTab(3)->m_bSelected);
}

TEST_F(TabStripTest, DoubleClickOutsideEveryTabReportsTabZero) {
  Make(0, 2);
  parent.notices.clear();
  Press(WM_LBUTTONDBLCLK, CPoint(kStripWidth - 2, 2));
  ExpectNotices(parent, {{WM_TABDBLCLK, 0}});
}

TEST_F(TabStripTest, TheTopLineRunsAcrossTheStripButOpensUnderTheActiveTab) {
  constexpr COLORREF kBlack = RGB(0, 0, 0);
  Make(kFourButtons, 0);
  strip->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const CRect area = strip->GetTabsArea();
  EXPECT_EQ(ui_test::Pixel(strip->m_hWnd, area.CenterPoint().x, area.top), kBlack);
  strip->AddTab("One");
  strip->AddTab("Two");
  strip->ActivateTab(1);
  strip->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const CRect active = strip->GetTabBox(1);
  EXPECT_NE(ui_test::Pixel(strip->m_hWnd, active.CenterPoint().x, area.top), kBlack);
  EXPECT_EQ(ui_test::Pixel(strip->m_hWnd, area.right - 2, area.top), kBlack);
  SaveTabPicture(parent.m_hWnd, "strip_active");
}

TEST_F(TabStripTest, IndicesOutOfRangeAreRefused) {
  Make(0, 2);
  strip->ActivateTab(5);
  strip->SelectTab(-1);
  strip->RenameTab(2, "x");
  EXPECT_EQ(strip->InsertTab(4, "x"), nullptr);
  EXPECT_EQ(strip->GetTab(2), nullptr);
  EXPECT_EQ(strip->GetTabCount(), 2);
  ExpectNotices(parent, {});
}

}  // namespace
}  // namespace tab_test
