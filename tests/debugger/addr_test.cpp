#include <gtest/gtest.h>

#include "debugger/addr.h"
#include "debugger/segoff.h"

namespace {

TEST(CAddr, ComparesByLinearValue) {
  CAddr a(0x1000, 0x10), b(0x1001, 0), c(0x1001, 1);
  EXPECT_TRUE(a.IsEqual(b));
  EXPECT_TRUE(a.IsLess(c));
  EXPECT_TRUE(c.IsGreater(b));
  EXPECT_FALSE(a.IsLess(b));
  EXPECT_FALSE(a.IsGreater(b));
}

TEST(CAddr, ValidityAndTheMinusOneForms) {
  CAddr a(5, 6);
  EXPECT_TRUE(a.IsValid());
  a.SetLinear(0xFFFFFFFFu);
  EXPECT_FALSE(a.IsValid());
  EXPECT_TRUE(a.IsEqualLinear(0xFFFFFFFFu));
  a.SetLinear(0x1234);
  EXPECT_EQ(a.segment, 0u);
  EXPECT_EQ(a.offset, 0x1234u);
  EXPECT_TRUE(a.IsEqualLinear(0x1234));
  // IsEqualLinear wants the 0:value form itself, not an equal linear value.
  EXPECT_FALSE(CAddr(0x100, 0x234).IsEqualLinear(0x1234));
  EXPECT_FALSE(CAddr(0xFFFFFFFFu, 0).IsValid());
  EXPECT_FALSE(CAddr(0, 0xFFFFFFFFu).IsValid());
}

TEST(CAddr, DecrementStepsIntoTheSegmentBelow) {
  struct {
    CAddr in;
    uint32_t seg, off;
  } cases[] = {
      {CAddr(0x2000, 0), 0x1FFF, 0xF},
      {CAddr(0x2000, 1), 0x2000, 0},
  };
  for (auto& c : cases) {
    CAddr a = c.in;
    uint32_t before = a.Linear();
    a.Decrement();
    EXPECT_EQ(a.segment, c.seg);
    EXPECT_EQ(a.offset, c.off);
    EXPECT_EQ(a.Linear(), before - 1);
  }
}

TEST(CAddr, AddRenormalisesPastTheSegmentEnd) {
  struct {
    CAddr in;
    uint32_t n, seg, off;
  } cases[] = {
      {CAddr(0x1000, 0xFFF0), 0x20, 0x2001, 0},   // linear 0x20010
      {CAddr(0x1000, 0x10), 0x20, 0x1000, 0x30},  // stays in the segment
      {CAddr(0x1000, 0), 0x12345, 0x2234, 0x5},   // amounts above 0xFFFF count whole
  };
  for (auto& c : cases) {
    CAddr r = c.in.Add(c.n);
    EXPECT_EQ(r.segment, c.seg) << std::hex << c.n;
    EXPECT_EQ(r.offset, c.off) << std::hex << c.n;
    EXPECT_EQ(r.Linear(), c.in.Linear() + c.n);
  }
}

TEST(SegOff, LinearConversionsRoundTrip) {
  CAddr a;
  LinearToSegOff(a, 0x12345);
  EXPECT_EQ(a.segment, 0x1000u);
  EXPECT_EQ(a.offset, 0x2345u);
  EXPECT_EQ(SegOffToLinear(a), 0x12345u);
  for (uint32_t lin : {0u, 0xFFFFFu, 0x10FFEFu, 0x00ABCDEFu, 0xFFFFFFFFu}) {
    LinearToSegOff(a, lin);
    EXPECT_EQ(SegOffToLinear(a), lin) << std::hex << lin;
    EXPECT_EQ(a.offset, lin & 0xFFFF);
  }
}

TEST(SegOff, AddMovesOverflowIntoTheSegment) {
  struct {
    CAddr in;
    uint32_t amount, seg, off;
  } cases[] = {
      {CAddr(0x1000, 0xFFF0), 0x20, 0x2000, 0x10},
      {CAddr(0x1000, 0x10), 0x20, 0x1000, 0x30},
      {CAddr(0x1000, 0x8000), 0x38000, 0x5000, 0},
  };
  for (auto& c : cases) {
    CAddr a = c.in;
    AddToSegOff(a, c.amount);
    EXPECT_EQ(a.segment, c.seg);
    EXPECT_EQ(a.offset, c.off);
    EXPECT_EQ(SegOffToLinear(a), SegOffToLinear(c.in) + c.amount);
  }
}

TEST(SegOff, NearUsesTheReferenceSegmentWhenItReaches) {
  struct {
    uint32_t linear, refSeg, seg, off;
  } cases[] = {
      {0x12345, 0x1200, 0x1200, 0x0345},
      {0x12345, 0x2000, 0x1000, 0x2345},  // below the reference
      {0x22345, 0x1200, 0x2000, 0x2345},  // beyond its 64 KB
      {0x21FFF, 0x1200, 0x1200, 0xFFFF},  // last byte it reaches
  };
  for (auto& c : cases) {
    CAddr out;
    LinearToSegOffNear(out, c.linear, CAddr(c.refSeg, 0x77));
    EXPECT_EQ(out.segment, c.seg) << std::hex << c.linear;
    EXPECT_EQ(out.offset, c.off) << std::hex << c.linear;
  }
}

}  // namespace
