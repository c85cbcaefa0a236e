// The 3-D tab strip: label fitting and tool tips, layout along each edge,
// disabled tabs, keys, clicks, dragging the active tab, and pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/sec_3d_tab_control.h"
#include "platform/ui/cdc.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/sysmetrics.h"
#include "tests/controls/tab_fixture.h"
#include "ui_test_support.h"

namespace tab_test {
namespace {

constexpr int kParentSize = 320;
constexpr int kStripLength = 300;
constexpr int kStripThickness = 34;
constexpr UINT kStripId = 9;
constexpr int kEnlarge = 3;
constexpr const char* kLabels[] = {"Registers", "Memory", "Breakpoints", "Watch"};
constexpr int kLabelCount = 4;

class Tab3DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, kParentSize, kParentSize,
                                nullptr, nullptr));
  }
  void TearDown() override {
    delete strip;
    if (icons.GetSafeHandle()) {
      for (HICON icon : iconHandles) ::DestroyIcon(icon);
    }
    parent.DestroyWindow();
  }
  // A strip along the edge the style names, long or short along its edge.
  void Make(DWORD style, int length = kStripLength) {
    strip = new SEC3DTabControl;
    const bool horizontal = (style & (kSEC3DTabTop | kSEC3DTabBottom)) != 0;
    const CRect rect =
        horizontal ? CRect(0, 0, length, kStripThickness) : CRect(0, 0, kStripThickness, length);
    ASSERT_TRUE(strip->Create(style | WS_VISIBLE, rect, &parent, kStripId));
    for (const char* label : kLabels) strip->AddTab(label);
    strip->ActivateTab(0);
    parent.notices.clear();
  }
  void Press(UINT message, CPoint at, UINT keys = 0) {
    strip->SendMessage(message, keys, MAKELPARAM(at.x, at.y));
  }
  CRect TabRect(int i) {
    CRect r;
    strip->GetTabRect(i, &r);
    return r;
  }
  HICON Icon(int index) {
    if (!icons.GetSafeHandle()) {
      ui_test::MakeSquareImages(&parent, icons, RGB(200, 40, 40), RGB(40, 60, 180));
      for (int i = 0; i < 2; ++i) iconHandles.push_back(icons.ExtractIcon(i));
    }
    return iconHandles[static_cast<size_t>(index)];
  }

  TabParent parent;
  SEC3DTabControl* strip = nullptr;
  CImageList icons;
  std::vector<HICON> iconHandles;
};

TEST_F(Tab3DTest, LabelsThatFitAreShownWholeWithoutTips) {
  Make(kSEC3DTabTop);
  for (int i = 0; i < kLabelCount; ++i) {
    const SEC3DTab* tab = strip->Get3DTab(i);
    EXPECT_EQ(tab->m_csLabel, CString(kLabels[i]));
    EXPECT_FALSE(tab->m_bShortened);
    TOOLINFO ti{};
    EXPECT_EQ(strip->OnToolHitTest(TabRect(i).CenterPoint(), &ti), -1);
  }
  EXPECT_TRUE(strip->AreLabelsShown());
}

TEST_F(Tab3DTest, ANarrowStripShortensLabelsToFitAndTipsShowTheFullOnes) {
  constexpr int kNarrow = 200;
  Make(kSEC3DTabTop, kNarrow);
  int shortened = 0;
  for (int i = 0; i < kLabelCount; ++i) {
    const SEC3DTab* tab = strip->Get3DTab(i);
    EXPECT_EQ(tab->m_csFullLabel, CString(kLabels[i]));
    if (!tab->m_bShortened) continue;
    ++shortened;
    EXPECT_EQ(tab->m_csLabel.Right(3), CString(kSEC3DTabEllipsis)) << i;
    EXPECT_LT(tab->m_csLabel.GetLength(), tab->m_csFullLabel.GetLength() + 3) << i;
    TOOLINFO ti{};
    const CRect rect = TabRect(i);
    EXPECT_EQ(strip->OnToolHitTest(rect.CenterPoint(), &ti), i + 1);
    ASSERT_NE(ti.lpszText, nullptr);
    EXPECT_STREQ(ti.lpszText, kLabels[i]);
    std::free(ti.lpszText);
  }
  EXPECT_GT(shortened, 0);
  // The shortened tabs fit the strip (the active one grows a little past).
  EXPECT_LE(TabRect(kLabelCount - 1).right, kNarrow);
}

TEST_F(Tab3DTest, AStripTooShortForAnyLabelHidesThemAndEnds) {
  constexpr int kTiny = 60;
  Make(kSEC3DTabBottom, kTiny);
  EXPECT_FALSE(strip->AreLabelsShown());
}

// Tabs sit along their edge in a row, the active one standing out.
TEST_F(Tab3DTest, LayoutAlongEachEdge) {
  struct Case {
    DWORD edge;
    const char* name;
  };
  const Case kCases[] = {
      {kSEC3DTabTop, "top"}, {kSEC3DTabBottom, "bottom"}, {kSEC3DTabRight, "right"}, {kSEC3DTabLeft, "left"}};
  for (const Case& c : kCases) {
    Make(c.edge, kParentSize - 20);
    CRect client;
    strip->GetClientRect(&client);
    const bool horizontal = (c.edge & (kSEC3DTabTop | kSEC3DTabBottom)) != 0;
    for (int i = 1; i < kLabelCount; ++i) {
      const CRect r = TabRect(i);
      // The side of the tab along the strip's edge, and where it must lie.
      const int side = c.edge == kSEC3DTabTop      ? r.top
                       : c.edge == kSEC3DTabBottom ? r.bottom
                       : c.edge == kSEC3DTabRight  ? r.right
                                                   : r.left;
      const int expected = c.edge == kSEC3DTabTop      ? client.top + 2
                           : c.edge == kSEC3DTabBottom ? client.bottom - 3
                           : c.edge == kSEC3DTabRight  ? client.right - 3
                                                       : client.left + 2;
      EXPECT_EQ(side, expected) << c.name;
      if (i >= 2) {
        const CRect before = TabRect(i - 1);
        EXPECT_EQ(horizontal ? before.right : before.bottom, horizontal ? r.left : r.top) << c.name;
      }
    }
    const CRect active = TabRect(0), other = TabRect(1);
    const int activeThickness = horizontal ? active.Height() : active.Width();
    const int otherThickness = horizontal ? other.Height() : other.Width();
    EXPECT_EQ(activeThickness, otherThickness + kEnlarge) << c.name;
    delete strip;
    strip = nullptr;
    Make(c.edge | kSEC3DTabNoEnlarge, kParentSize - 20);
    EXPECT_EQ(TabRect(0).Width(), strip->Get3DTab(0)->m_nWidth) << c.name;
    EXPECT_EQ(TabRect(0).Height(), strip->Get3DTab(0)->m_nHeight) << c.name;
    delete strip;
    strip = nullptr;
  }
}

TEST_F(Tab3DTest, ArrowKeysAndClicksPassOverDisabledTabs) {
  Make(kSEC3DTabTop);
  strip->EnableTab(1, FALSE);
  EXPECT_FALSE(strip->IsTabEnabled(1));
  strip->SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
  int active = -1;
  EXPECT_TRUE(strip->GetActiveTab(active));
  EXPECT_EQ(active, 2);
  strip->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
  strip->GetActiveTab(active);
  EXPECT_EQ(active, 0);
  strip->SendMessage(WM_KEYDOWN, VK_UP, 0);  // nothing before the first
  strip->GetActiveTab(active);
  EXPECT_EQ(active, 0);
  parent.notices.clear();
  Press(WM_LBUTTONDOWN, TabRect(1).CenterPoint(), MK_LBUTTON);
  Press(WM_LBUTTONUP, TabRect(1).CenterPoint());
  strip->GetActiveTab(active);
  EXPECT_EQ(active, 0);
  EXPECT_TRUE(parent.notices.empty());
  Press(WM_LBUTTONDOWN, TabRect(3).CenterPoint(), MK_LBUTTON);
  Press(WM_LBUTTONUP, TabRect(3).CenterPoint());
  ExpectNotices(parent, {{WM_TABSEL, 3}});
  Press(WM_LBUTTONDOWN, TabRect(3).CenterPoint(), MK_LBUTTON);
  Press(WM_LBUTTONDBLCLK, TabRect(3).CenterPoint(), MK_LBUTTON);
  ExpectNotices(parent, {{WM_TABSEL, 3}, {WM_TABREACTIVATE, 3}, {WM_TABDBLCLK, 3}});
}

TEST_F(Tab3DTest, DraggingTheActiveTabFarEnoughMovesIt) {
  Make(kSEC3DTabTop | kSEC3DTabDragMove);
  strip->ActivateTab(1);  // "Memory", narrower than the "Breakpoints" tab after it
  parent.notices.clear();
  const CRect active = TabRect(1);
  const CRect next = TabRect(2);
  const int y = next.CenterPoint().y;
  Press(WM_LBUTTONDOWN, active.CenterPoint(), MK_LBUTTON);
  EXPECT_EQ(::GetCapture(), strip->m_hWnd);
  // Just inside the next tab is not far enough.
  Press(WM_MOUSEMOVE, CPoint(next.left + 1, y), MK_LBUTTON);
  EXPECT_EQ(strip->Get3DTab(1)->m_csFullLabel, CString(kLabels[1]));
  // Past the active tab's start by the next tab's length: it moves there.
  const CPoint far(active.left + next.Width() + 1, y);
  ASSERT_TRUE(next.PtInRect(far));
  Press(WM_MOUSEMOVE, far, MK_LBUTTON);
  Press(WM_LBUTTONUP, far);
  EXPECT_EQ(strip->Get3DTab(2)->m_csFullLabel, CString(kLabels[1]));
  EXPECT_EQ(strip->Get3DTab(1)->m_csFullLabel, CString(kLabels[2]));
  int index = -1;
  strip->GetActiveTab(index);
  EXPECT_EQ(index, 2);
  ASSERT_FALSE(parent.notices.empty());
  EXPECT_EQ(parent.notices.back().message, static_cast<UINT>(WM_TABSEL));
  EXPECT_EQ(parent.notices.back().wParam, 2u);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Tab3DTest, ADisabledTabIsDrawnEmbossedWithoutItsInk) {
  Make(kSEC3DTabTop);
  strip->EnableTab(2, FALSE);
  SaveTabPicture(strip->m_hWnd, "3d_disabled");
  const CRect rect = TabRect(2);
  int hilight = 0, ink = 0;
  for (int y = rect.top + 3; y < rect.bottom - 3; ++y) {
    for (int x = rect.left + 3; x < rect.right - 3; ++x) {
      const COLORREF c = ui_test::Pixel(strip->m_hWnd, x, y);
      hilight += c == ::GetSysColor(COLOR_BTNHIGHLIGHT) ? 1 : 0;
      ink += c == RGB(0, 0, 0) ? 1 : 0;
    }
  }
  EXPECT_GT(hilight, 0);
  EXPECT_EQ(ink, 0);
}

TEST_F(Tab3DTest, PicturesOnAllFourEdges) {
  struct Case {
    DWORD edge;
    const char* name;
  };
  const Case kCases[] = {{kSEC3DTabTop, "3d_top"},
                         {kSEC3DTabBottom, "3d_bottom"},
                         {kSEC3DTabRight, "3d_right"},
                         {kSEC3DTabLeft, "3d_left"}};
  for (const Case& c : kCases) {
    Make(c.edge, kParentSize - 20);
    strip->SetTabIcon(0, Icon(0));
    strip->SetTabIcon(2, Icon(1));
    strip->EnableTab(3, FALSE);
    SaveTabPicture(strip->m_hWnd, c.name);
    delete strip;
    strip = nullptr;
  }
  Make(kSEC3DTabTop, 200);
  SaveTabPicture(strip->m_hWnd, "3d_shortened");
}

}  // namespace
}  // namespace tab_test
