#include "platform/base/geometry.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const RECT& r, LONG l, LONG t, LONG rr, LONG b) {
  EXPECT_EQ(r.left, l);
  EXPECT_EQ(r.top, t);
  EXPECT_EQ(r.right, rr);
  EXPECT_EQ(r.bottom, b);
}

struct TwoRectCase {
  RECT a, b;
  BOOL ok;
  RECT want;
};

TEST(RectApi, IntersectRect) {
  const TwoRectCase cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {5, 5, 10, 10}},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}},  // touching edges do not overlap
      {{0, 0, 10, 10}, {2, 2, 2, 8}, FALSE, {0, 0, 0, 0}},     // empty input
      {{0, 0, 10, 10}, {-5, 3, 50, 4}, TRUE, {0, 3, 10, 4}},
  };
  for (const TwoRectCase& c : cases) {
    RECT out = {9, 9, 9, 9};
    EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.ok);
    ExpectRect(out, c.want.left, c.want.top, c.want.right, c.want.bottom);
  }
}

TEST(RectApi, UnionRect) {
  const TwoRectCase cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {0, 0, 20, 20}},
      {{0, 0, 0, 0}, {5, 5, 20, 20}, TRUE, {5, 5, 20, 20}},  // empty one is left out
      {{-50, -50, -50, 0}, {1, 1, 2, 2}, TRUE, {1, 1, 2, 2}},
      {{0, 0, 0, 5}, {3, 3, 3, 3}, FALSE, {0, 0, 0, 0}},
  };
  for (const TwoRectCase& c : cases) {
    RECT out;
    EXPECT_EQ(UnionRect(&out, &c.a, &c.b), c.ok);
    ExpectRect(out, c.want.left, c.want.top, c.want.right, c.want.bottom);
  }
}

TEST(RectApi, SubtractRect) {
  const TwoRectCase cases[] = {
      {{0, 0, 10, 10}, {0, 0, 4, 10}, TRUE, {4, 0, 10, 10}},     // cut from the left
      {{0, 0, 10, 10}, {6, -1, 12, 11}, TRUE, {0, 0, 6, 10}},    // from the right
      {{0, 0, 10, 10}, {-1, 0, 11, 3}, TRUE, {0, 3, 10, 10}},    // from the top
      {{0, 0, 10, 10}, {0, 7, 10, 10}, TRUE, {0, 0, 10, 7}},     // from the bottom
      {{0, 0, 10, 10}, {2, 2, 5, 5}, TRUE, {0, 0, 10, 10}},      // hole: unchanged
      {{0, 0, 10, 10}, {20, 20, 30, 30}, TRUE, {0, 0, 10, 10}},  // apart
      {{0, 0, 10, 10}, {-1, -1, 11, 11}, FALSE, {0, 0, 0, 0}},   // covered
      {{0, 0, 0, 10}, {0, 0, 1, 1}, FALSE, {0, 0, 0, 0}},        // empty source
  };
  for (const TwoRectCase& c : cases) {
    RECT out;
    EXPECT_EQ(SubtractRect(&out, &c.a, &c.b), c.ok);
    ExpectRect(out, c.want.left, c.want.top, c.want.right, c.want.bottom);
  }
  RECT inPlace = {0, 0, 10, 10}, cut = {0, 0, 10, 4};
  EXPECT_TRUE(SubtractRect(&inPlace, &inPlace, &cut));
  ExpectRect(inPlace, 0, 4, 10, 10);
}

TEST(RectApi, SimpleFunctionsAndNullPointers) {
  RECT r;
  SetRect(&r, 1, 2, 3, 4);
  ExpectRect(r, 1, 2, 3, 4);
  EXPECT_TRUE(PtInRect(&r, POINT{1, 2}));
  EXPECT_FALSE(PtInRect(&r, POINT{3, 2}));  // right and bottom edges are outside
  EXPECT_FALSE(PtInRect(&r, POINT{1, 4}));
  OffsetRect(&r, 10, -2);
  ExpectRect(r, 11, 0, 13, 2);
  InflateRect(&r, 1, 2);
  ExpectRect(r, 10, -2, 14, 4);
  RECT copy;
  CopyRect(&copy, &r);
  EXPECT_TRUE(EqualRect(&copy, &r));
  SetRectEmpty(&copy);
  EXPECT_TRUE(IsRectEmpty(&copy));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
  EXPECT_FALSE(IntersectRect(nullptr, &r, &r));
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

TEST(CRect, MeasuresAndCorners) {
  CRect r(10, 20, 40, 60);
  EXPECT_EQ(r.Width(), 30);
  EXPECT_EQ(r.Height(), 40);
  EXPECT_EQ(r.Size(), CSize(30, 40));
  EXPECT_EQ(r.CenterPoint(), CPoint(25, 40));
  r.TopLeft() = CPoint(0, 0);  // corners alias the rectangle
  r.BottomRight() += CSize(5, 5);
  EXPECT_EQ(r, CRect(0, 0, 45, 65));
  EXPECT_TRUE(CRect().IsRectNull());
  EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
  EXPECT_FALSE(CRect(5, 5, 5, 9).IsRectNull());
  EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}

TEST(CRect, ChangesInPlace) {
  CRect r(10, 10, 20, 20);
  r.InflateRect(1, 2);
  EXPECT_EQ(r, CRect(9, 8, 21, 22));
  r.DeflateRect(1, 2);
  r.InflateRect(1, 2, 3, 4);
  EXPECT_EQ(r, CRect(9, 8, 23, 24));
  r.DeflateRect(1, 2, 3, 4);
  EXPECT_EQ(r, CRect(10, 10, 20, 20));
  CRect border(1, 1, 1, 1);
  r.InflateRect(&border);
  EXPECT_EQ(r, CRect(9, 9, 21, 21));
  r.DeflateRect(&border);
  r.OffsetRect(CPoint(5, -5));
  EXPECT_EQ(r, CRect(15, 5, 25, 15));
  CRect flipped(30, 40, 10, 20);
  flipped.NormalizeRect();
  EXPECT_EQ(flipped, CRect(10, 20, 30, 40));
}

TEST(CRect, Operators) {
  CRect a(0, 0, 10, 10), b(5, 5, 15, 15);
  EXPECT_EQ(a & b, CRect(5, 5, 10, 10));
  EXPECT_EQ(a | b, CRect(0, 0, 15, 15));
  EXPECT_EQ(a + CPoint(1, 1), CRect(1, 1, 11, 11));
  EXPECT_EQ(a - CSize(1, 1), CRect(-1, -1, 9, 9));
  CRect c = a;
  c &= CRect(20, 20, 30, 30);
  EXPECT_TRUE(c.IsRectNull());
  c = a;
  c |= b;
  EXPECT_EQ(c, CRect(0, 0, 15, 15));
  c -= CPoint(5, 5);
  EXPECT_EQ(c, CRect(-5, -5, 10, 10));
  EXPECT_NE(a, b);
  RECT plain = a;
  EXPECT_TRUE(a == plain);
  EXPECT_TRUE(CRect(&plain).EqualRect(&plain));
  EXPECT_TRUE(CRect(static_cast<const RECT*>(nullptr)).IsRectNull());
}

TEST(CPointCSize, Arithmetic) {
  CPoint p(3, 4);
  CSize s(1, 2);
  EXPECT_EQ(p + s, CPoint(4, 6));
  EXPECT_EQ(p - s, CPoint(2, 2));
  EXPECT_EQ(p - CPoint(1, 1), CSize(2, 3));
  EXPECT_EQ(p + CPoint(1, 1), CPoint(4, 5));
  EXPECT_EQ(-p, CPoint(-3, -4));
  EXPECT_EQ(s + CPoint(1, 1), CPoint(2, 3));
  EXPECT_EQ(-s, CSize(-1, -2));
  EXPECT_EQ(p + &static_cast<const RECT&>(CRect(0, 0, 1, 1)), CRect(3, 4, 4, 5));
  p.Offset(1, 1);
  p += CPoint(1, 1);
  p -= CSize(2, 2);
  EXPECT_EQ(p, CPoint(3, 4));
  EXPECT_EQ(CPoint(static_cast<DWORD>(MAKELONG(-1, 7))), CPoint(-1, 7));
  EXPECT_EQ(CSize(static_cast<DWORD>(MAKELONG(2, -3))), CSize(2, -3));
}

}  // namespace
