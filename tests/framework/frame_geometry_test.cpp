// Geometry of the frames: workbook tab widths, outlines, labels and cut
// titles; where bars floated as MDI children land; the painted caption's
// rectangle, gradient bands and text parts.
#include <gtest/gtest.h>

#include "framework/sec_frame_caption.h"
#include "framework/sec_mdi_float_pos.h"
#include "framework/sec_workbook_tabs.h"

namespace {

TEST(WorkbookTabs, WidthIsTheShareOfTheClientUpToTheMaximum) {
  const SECTabMetrics metrics;
  struct Case {
    int clientWidth;
    int sheets;
    int width;
  };
  constexpr int kNarrowClient = 175;
  constexpr int kWideClient = 1000;
  const Case cases[] = {
      {kNarrowClient, 2, metrics.nMaxTabWidth},  // (175 + 5) / 2 = 90
      {kNarrowClient, 4, 45},
      {kNarrowClient, 7, 25},
      {kWideClient, 3, metrics.nMaxTabWidth},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SECCalcTabWidth(metrics, c.clientWidth, c.sheets), c.width)
        << c.clientWidth << " wide, " << c.sheets << " sheets";
  }
}

struct Outline {
  POINT p[kSECTabPointCount];
};
Outline TabAt(int slot, SECTabRaise raise) {
  SECTabMetrics metrics;
  metrics.nTabWidth = 80;
  constexpr int kClientLeft = 13;
  constexpr int kStripTop = 200;
  Outline o;
  SECCalcTabPolygon(metrics, slot, raise, kClientLeft, kStripTop, o.p);
  return o;
}

TEST(WorkbookTabs, OutlineIsClosedAndFollowsItsSlot) {
  const Outline first = TabAt(0, SECTabRaise::kFlat);
  const Outline third = TabAt(2, SECTabRaise::kFlat);
  EXPECT_EQ(first.p[6].x, first.p[0].x);
  EXPECT_EQ(first.p[6].y, first.p[0].y);
  EXPECT_EQ(first.p[0].x, 13);
  EXPECT_EQ(first.p[0].y, 200);
  EXPECT_EQ(third.p[0].x - first.p[0].x, 2 * 80);
  // The tab spans its width: top corners at its slot's edges, the bottom cut.
  EXPECT_EQ(first.p[5].x - first.p[0].x, 80);
  EXPECT_EQ(first.p[1].y, 200 + 23 - 2);
  EXPECT_EQ(first.p[2].y, 200 + 23);
}

TEST(WorkbookTabs, RaisedTabIsWiderStartsLeftAndReachesLower) {
  const Outline flat = TabAt(1, SECTabRaise::kFlat);
  const Outline raised = TabAt(1, SECTabRaise::kRaised);
  const SECTabMetrics metrics;
  EXPECT_EQ(raised.p[0].x, flat.p[0].x - metrics.nActiveWiden / 2);
  EXPECT_EQ(raised.p[5].x - raised.p[0].x, flat.p[5].x - flat.p[0].x + metrics.nActiveWiden);
  EXPECT_EQ(raised.p[2].y, flat.p[2].y + metrics.nActiveDeepen);
  EXPECT_EQ(raised.p[0].y, flat.p[0].y);
}

TEST(WorkbookTabs, LabelSitsBesideTheIconInsideTheCorners) {
  const Outline tab = TabAt(0, SECTabRaise::kFlat);
  constexpr int kIcon = kSECTabIconSize;
  const CRect label = SECCalcTabLabelRect(tab.p, kIcon);
  EXPECT_EQ(label.left, tab.p[2].x + kIcon + 3);
  EXPECT_EQ(label.right, tab.p[4].x - 2);
  EXPECT_EQ(label.top, tab.p[0].y);
  EXPECT_EQ(label.bottom, tab.p[3].y);
}

TEST(WorkbookTabs, TitlesAreCutWithDotsUntilTheyFit) {
  constexpr int kCharWidth = 6;
  const auto measure = [](const CString& s) { return s.GetLength() * kCharWidth; };
  constexpr int kLabelWidth = 10 * kCharWidth;
  struct Case {
    const char* title;
    int width;
    const char* shown;
  };
  const Case cases[] = {
      {"Short", kLabelWidth, "Short"},
      {"abc", 1, "abc"},  // three characters are never cut
      {"main_program_loop.c", kLabelWidth, "main_pr..."},
      {"abcd", 1, "..."},
  };
  for (const Case& c : cases) {
    const CString shown = SECShortenTabTitle(c.title, c.width, measure);
    EXPECT_STREQ(shown, c.shown) << c.title;
  }
  const CString cut = SECShortenTabTitle("a_rather_long_document_name.asm", kLabelWidth, measure);
  EXPECT_LE(measure(cut), kLabelWidth);
  EXPECT_EQ(cut.Right(3), "...");
}

TEST(WorkbookTabs, RepaintAreaCoversTheRaisedTabOrReachesTheEnd) {
  SECTabMetrics metrics;
  metrics.nTabWidth = 80;
  constexpr int kClientLeft = 13, kStripTop = 200, kRightEnd = 640;
  const CRect tab = SECCalcTabInvalidRect(metrics, 1, kClientLeft, kStripTop, SECTabExtent::kTab, kRightEnd);
  const Outline raised = TabAt(1, SECTabRaise::kRaised);
  for (const POINT& p : raised.p) {
    EXPECT_GE(p.x, tab.left);
    EXPECT_LE(p.x, tab.right);
    EXPECT_GE(p.y, tab.top);
    EXPECT_LE(p.y, tab.bottom);
  }
  const CRect toEnd =
      SECCalcTabInvalidRect(metrics, 1, kClientLeft, kStripTop, SECTabExtent::kToEnd, kRightEnd);
  EXPECT_EQ(toEnd.left, tab.left);
  EXPECT_EQ(toEnd.right, kRightEnd);
}

TEST(MDIFloatPos, FifthBarWithoutPointLandsAt110By122) {
  const CSize kClient(640, 480);
  SECMDIFloatPos pos;
  CPoint p;
  for (int i = 0; i < 5; ++i) p = SECTakeMDIFloatPos(pos, kClient);
  EXPECT_EQ(p, CPoint(110, 122));
}

TEST(MDIFloatPos, EachAxisWrapsToThirtyOnItsOwn) {
  const CSize kSmallClient(100, 90);  // x wraps past 70, y past 60
  const CPoint expected[] = {{30, 30}, {50, 53}, {70, 30}, {30, 53}, {50, 30}};
  SECMDIFloatPos pos;
  for (const CPoint& e : expected) EXPECT_EQ(SECTakeMDIFloatPos(pos, kSmallClient), e);
}

TEST(MDIFloatPos, PointsAreKeptInsideTheClient) {
  const CSize kClient(640, 480);
  struct Case {
    CPoint in, out;
  };
  const Case cases[] = {
      {{-5, -5}, {0, 0}},     {{0, 0}, {0, 0}},         {{700, 10}, {640, 10}},
      {{10, 470}, {10, 450}}, {{200, 100}, {200, 100}},
  };
  for (const Case& c : cases) EXPECT_EQ(SECClampMDIFloatPos(c.in, kClient), c.out) << c.in.x << "," << c.in.y;
}

TEST(FrameCaption, RectangleStartsInsideTheFrameAndLeavesRoomForBoxes) {
  const CSize kWindow(640, 480);
  const CRect all = SECCalcCaptionRect(kWindow, WS_OVERLAPPEDWINDOW, TRUE);
  EXPECT_EQ(all.left, ::GetSystemMetrics(SM_CXFRAME));
  EXPECT_EQ(all.top, ::GetSystemMetrics(SM_CYFRAME));
  EXPECT_EQ(all.Height(), ::GetSystemMetrics(SM_CYSIZE));
  const CRect thin = SECCalcCaptionRect(kWindow, WS_OVERLAPPEDWINDOW & ~WS_THICKFRAME, TRUE);
  EXPECT_EQ(thin.top, all.top - 1);
  // Each box less leaves one box width more for the caption.
  const CRect noMax = SECCalcCaptionRect(kWindow, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, TRUE);
  EXPECT_EQ(noMax.right - all.right, ::GetSystemMetrics(SM_CXSIZE));
  const CRect noClose = SECCalcCaptionRect(kWindow, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, FALSE);
  EXPECT_EQ(noClose.right - noMax.right, ::GetSystemMetrics(SM_CXSIZE));
}

TEST(FrameCaption, GradientBandsTileTheAreaAndStepTowardsTheTarget) {
  constexpr COLORREF kFrom = RGB(0, 0, 0);
  constexpr COLORREF kTo = RGB(10, 36, 106);
  struct Case {
    CRect area;
    int bands;
  };
  const Case cases[] = {
      {{30, 0, 150, 18}, kSECCaptionBands}, {{0, 0, 25, 18}, kSECCaptionBands}, {{5, 2, 66, 20}, 7}};
  for (const Case& c : cases) {
    const auto bands = SECCalcGradientBands(c.area, c.bands, kFrom, kTo);
    ASSERT_EQ(static_cast<int>(bands.size()), std::min(c.bands, c.area.Width()));
    EXPECT_EQ(bands.front().rect.left, c.area.left);
    EXPECT_EQ(bands.back().rect.right, c.area.right);
    EXPECT_EQ(bands.front().color, kFrom);
    for (size_t i = 1; i < bands.size(); ++i) {
      EXPECT_EQ(bands[i].rect.left, bands[i - 1].rect.right);
      EXPECT_GE(GetBValue(bands[i].color), GetBValue(bands[i - 1].color));
      EXPECT_LE(GetBValue(bands[i].color), GetBValue(kTo));
      EXPECT_LE(GetRValue(bands[i].color), GetRValue(kTo));
    }
    // The last band is within one step of the target.
    EXPECT_GE(GetBValue(bands.back().color),
              GetBValue(kTo) - GetBValue(kTo) / static_cast<int>(bands.size()) - 1);
  }
  EXPECT_TRUE(SECCalcGradientBands({0, 0, 0, 18}, kSECCaptionBands, kFrom, kTo).empty());
}

TEST(FrameCaption, TextSplitsAtTheFirstDash) {
  struct Case {
    const char* text;
    const char* app;
    const char* doc;
  };
  const Case cases[] = {
      {"mirt - [main.c]", "mirt ", "- [main.c]"},
      {"mirt", "mirt", ""},
      {"a-b-c", "a", "-b-c"},
      {"-x", "", "-x"},
  };
  for (const Case& c : cases) {
    const SECCaptionText t = SECSplitCaptionText(c.text);
    EXPECT_STREQ(t.strApp, c.app) << c.text;
    EXPECT_STREQ(t.strDoc, c.doc) << c.text;
  }
}

}  // namespace
