// The rectangle tracker: hit testing of its handles and a modal move or
// resize that Escape undoes.
#include <gtest/gtest.h>

#include "afx_test_support.h"
#include "ui_test_support.h"

namespace {

TEST(RectTracker, HandlesAndInsideAreHit) {
  CRectTracker t(CRect(100, 100, 200, 180), CRectTracker::resizeInside | CRectTracker::solidLine);
  struct Case {
    CPoint pt;
    int hit;
  } cases[] = {
      {{101, 101}, CRectTracker::hitTopLeft},     {{198, 101}, CRectTracker::hitTopRight},
      {{198, 178}, CRectTracker::hitBottomRight}, {{101, 178}, CRectTracker::hitBottomLeft},
      {{150, 101}, CRectTracker::hitTop},         {{198, 140}, CRectTracker::hitRight},
      {{150, 178}, CRectTracker::hitBottom},      {{101, 140}, CRectTracker::hitLeft},
      {{150, 140}, CRectTracker::hitMiddle},      {{50, 50}, CRectTracker::hitNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(t.HitTest(c.pt), c.hit) << c.pt.x << "," << c.pt.y;
  // A rectangle drawn right to left swaps its handles.
  CRectTracker flipped(CRect(200, 100, 100, 180), CRectTracker::resizeInside);
  EXPECT_EQ(flipped.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitTopRight);
}

TEST(RectTracker, TrackingMovesOrResizesAndEscapeUndoes) {
  ui_test::EnsureApp();
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Tracker", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                           nullptr, nullptr));
  CRectTracker t(CRect(100, 100, 200, 180), CRectTracker::resizeInside);
  wnd.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(170, 150));
  wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(170, 150));
  EXPECT_TRUE(t.Track(&wnd, CPoint(150, 140)));
  EXPECT_EQ(t.m_rect, CRect(120, 110, 220, 190));

  wnd.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(260, 230));
  wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(260, 230));
  EXPECT_TRUE(t.Track(&wnd, CPoint(219, 189)));  // the bottom-right handle
  EXPECT_EQ(t.m_rect, CRect(120, 110, 261, 231));

  wnd.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
  wnd.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(t.Track(&wnd, CPoint(150, 150)));
  EXPECT_EQ(t.m_rect, CRect(120, 110, 261, 231));
  wnd.DestroyWindow();
}

}  // namespace
