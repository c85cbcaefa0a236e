// Tool tips of bars: a frame passes the mouse messages of its bars to their
// tool tips, and the tip text comes from the bar's own hit test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "afx_test_ids.h"
#include "afx_test_support.h"
#include "platform/base/crtstring.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/tooltip.h"
#include "ui_test_support.h"

using afx_test::FixedBar;

namespace {

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("AfxBarTipTest") {}
};

// A bar with two drawn tools, named by its hit test.
class ToolBarLike : public FixedBar {
 public:
  struct Tool {
    CRect rect;
    INT_PTR id;
    const char* tip;
  };
  Tool tools[2] = {{{0, 0, 40, 24}, 11, "Left tool"}, {{80, 0, 120, 24}, 12, "Right tool"}};
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override {
    for (const Tool& t : tools) {
      if (!t.rect.PtInRect(point)) continue;
      if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(t.id);
        pTI->rect = t.rect;
        pTI->lpszText = _strdup(t.tip);  // the tip filter frees it
      }
      return t.id;
    }
    return CControlBar::OnToolHitTest(point, pTI);
  }
};

std::string TextOf(HWND wnd) {
  char buf[128] = {0};
  ::GetWindowText(wnd, buf, sizeof buf);
  return buf;
}

class BarTipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    static TestApp* app = new TestApp;
    (void)app;
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 400)));
    ASSERT_TRUE(bar.CreateBar(frame, IDW_BAR_ONE, "Bar"));
    bar.SetBarStyle(CBRS_ALIGN_TOP | CBRS_TOOLTIPS);
    frame->RecalcLayout();
  }
  void TearDown() override { frame->DestroyWindow(); }

  // The mouse moves to (x, y) of a window and rests there; the frame sees
  // the move first, as the message loop has it.
  void Hover(HWND wnd, int x, int y) {
    MSG m{wnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), 0, {0, 0}, 0};
    frame->PreTranslateMessage(&m);
    if (HWND tip = mirt_ui::ToolTipControlOf(bar.m_hWnd)) ::SendMessage(tip, WM_TIMER, 1, 0);
  }

  CFrameWnd* frame = nullptr;
  ToolBarLike bar;
};

TEST_F(BarTipTest, RestingOnAToolShowsTheBarsText) {
  struct Case {
    const char* where;
    CPoint at;
    const char* text;  // null: no tip
  };
  const Case cases[] = {
      {"left tool", {5, 5}, "Left tool"},
      {"right tool", {100, 10}, "Right tool"},
      {"bare bar", {60, 10}, nullptr},
      {"left tool again", {6, 6}, "Left tool"},
  };
  for (const Case& c : cases) {
    Hover(bar.m_hWnd, c.at.x, c.at.y);
    HWND tip = mirt_ui::ToolTipControlOf(bar.m_hWnd);
    ASSERT_NE(tip, nullptr) << c.where;
    EXPECT_EQ(::IsWindowVisible(tip) != 0, c.text != nullptr) << c.where;
    if (c.text) {
      EXPECT_EQ(TextOf(tip), c.text) << c.where;
    }
  }
}

TEST_F(BarTipTest, TipsFollowTheBarStyle) {
  EXPECT_TRUE(mirt_ui::ToolTipsEnabled(bar.m_hWnd));
  bar.SetBarStyle(CBRS_ALIGN_TOP);
  EXPECT_FALSE(mirt_ui::ToolTipsEnabled(bar.m_hWnd));
  Hover(bar.m_hWnd, 5, 5);
  EXPECT_EQ(mirt_ui::ToolTipControlOf(bar.m_hWnd), nullptr);
}

// A window inside another frame is that frame's to filter: the outer frame
// leaves it alone.
TEST_F(BarTipTest, OuterFrameLeavesAnInnerFramesBars) {
  CFrameWnd* inner = new CFrameWnd;
  ASSERT_TRUE(inner->Create(nullptr, "Inner", WS_CHILD | WS_VISIBLE, CRect(0, 100, 200, 200), frame));
  ToolBarLike innerBar;
  ASSERT_TRUE(innerBar.CreateBar(inner, IDW_BAR_TWO, "Inner bar"));
  innerBar.SetBarStyle(CBRS_ALIGN_TOP | CBRS_TOOLTIPS);
  MSG m{innerBar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 10), 0, {0, 0}, 0};
  frame->PreTranslateMessage(&m);
  EXPECT_EQ(mirt_ui::ToolTipControlOf(innerBar.m_hWnd), nullptr);
  inner->PreTranslateMessage(&m);
  EXPECT_NE(mirt_ui::ToolTipControlOf(innerBar.m_hWnd), nullptr);
  inner->DestroyWindow();
}

}  // namespace
