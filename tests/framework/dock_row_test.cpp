// The arithmetic of dock rows: share normalisation, the minimum share,
// resizing a bar in its row, splitter limits and drop places.
#include <gtest/gtest.h>

#include <vector>

#include "framework/sec_dock_row.h"

using namespace sec_dock;

namespace {

TEST(DockRowTest, NormalisationKeepsTheKeptShareAndDividesTheRest) {
  struct Case {
    const char* name;
    std::vector<float> shares;
    int kept;
    std::vector<float> want;
  } cases[] = {
      {"shown at one half", {0.6f, 0.5f, 0.4f}, 1, {0.3f, 0.5f, 0.2f}},
      {"new bar at full share", {0.5f, 0.5f, 1.0f}, 2, {0.025f, 0.025f, 0.95f}},
      {"no kept bar", {2.0f, 1.0f, 1.0f}, -1, {0.5f, 0.25f, 0.25f}},
      {"alone in its row", {1.0f}, 0, {1.0f}},
      // Kept share above the others' sum: still its share of the whole row.
      {"kept larger than the rest", {0.9f, 0.5f}, 0, {0.9f, 0.1f}},
      {"kept moved within its row", {0.7f, 0.3f}, 0, {0.7f, 0.3f}},
      {"contracted row", {0.1f, 0.1f}, 0, {0.5f, 0.5f}},
  };
  for (const Case& c : cases) {
    std::vector<RowShare> row;
    for (float s : c.shares) row.push_back({s, true, false});
    NormalizeShares(row, c.kept, 0.01f);
    float sum = 0;
    for (size_t i = 0; i < row.size(); ++i) {
      EXPECT_NEAR(row[i].share, c.want[i], 1e-4) << c.name << " bar " << i;
      sum += row[i].share;
    }
    EXPECT_NEAR(sum, 1.0f, 1e-4) << c.name;
  }
}

TEST(DockRowTest, HiddenBarsKeepTheirShareAndFixedBarsAreCounted) {
  std::vector<RowShare> row = {{0.5f, true, false}, {0.7f, false, false}, {0.5f, true, true}};
  NormalizeResult counts = NormalizeShares(row, -1, 0.05f);
  EXPECT_EQ(counts.stretchable, 1);
  EXPECT_EQ(counts.fixed, 1);
  EXPECT_FLOAT_EQ(row[1].share, 0.7f);
  EXPECT_NEAR(row[0].share + row[2].share, 1.0f, 1e-5);
}

TEST(DockRowTest, MinimumShareKeepsEveryBarEighteenPixelsLong) {
  constexpr int kShortRow = 100;
  EXPECT_FLOAT_EQ(MinimumShare(kShortRow), 0.18f);
  EXPECT_FLOAT_EQ(MinimumShare(0), kDefaultMinShare);
  EXPECT_FLOAT_EQ(MinimumShare(kMinBarLength / 2), 1.0f);
  std::vector<RowShare> row = {{0.99f, true, false}, {0.01f, true, false}};
  NormalizeShares(row, -1, MinimumShare(kShortRow));
  EXPECT_GE(row[1].share * kShortRow, kMinBarLength - 1e-3);
}

TEST(DockRowTest, ResizingABarStopsAtEighteenPixelsAndReturnsTheRest) {
  constexpr int kRow = 400;
  struct Case {
    int length, delta, wantLength, wantUnused;
  } cases[] = {
      {100, 50, 150, 0},
      {100, -50, 50, 0},
      {30, -50, 18, -38},
  };
  for (const Case& c : cases) {
    BarResize r = ResizeBar(c.length, c.delta, kRow, MinimumShare(kRow));
    EXPECT_EQ(r.length, c.wantLength);
    EXPECT_EQ(r.unused, c.wantUnused);
    EXPECT_FLOAT_EQ(r.share, static_cast<float>(c.wantLength) / kRow);
  }
}

TEST(DockRowTest, SplitterLimitsLeaveRoomForBarsRowsAndTheClientArea) {
  constexpr int kStart = 0, kEnd = 500;
  Limits between = BetweenBarsLimits(kStart, kEnd, 2, 1);
  EXPECT_EQ(between.lower, kStart + 2 * kSplitterBarRoom);
  EXPECT_EQ(between.upper, kEnd - kSplitterBarRoom);

  constexpr int kThickness = 100;
  struct Case {
    Side side;
    int splitStart, splitEnd, freeStart, freeEnd, lower, upper;
  } cases[] = {
      // Top: the row above the splitter keeps 19, the client area below keeps 19.
      {Side::kTop, 100, 106, 106, 400, 100 - kThickness + kMinRowThickness, 400 - kMinRowThickness},
      // Bottom: the client area above keeps 19, the row below keeps 19.
      {Side::kBottom, 300, 306, 0, 300, 0 + kMinRowThickness, 300 + kThickness - kMinRowThickness},
      // No free area: the splitter may still move towards its row.
      {Side::kTop, 100, 106, 106, 110, 100 - kThickness + kMinRowThickness, 106},
      // Right, with 10 free pixels: the lower limit never passes the splitter.
      {Side::kRight, 50, 56, 40, 50, 50, 50 + kThickness - kMinRowThickness},
  };
  for (const Case& c : cases) {
    Limits l = RowSplitterLimits(c.side, c.splitStart, c.splitEnd, kThickness, c.freeStart, c.freeEnd);
    EXPECT_EQ(l.lower, c.lower) << static_cast<int>(c.side);
    EXPECT_EQ(l.upper, c.upper) << static_cast<int>(c.side);
  }
}

TEST(DockRowTest, TrackedSplitterStaysWithinItsLimits) {
  const Limits kLimits{50, 200};
  constexpr int kGrab = 3;
  EXPECT_EQ(TrackSplitterStart(100, kGrab, kLimits), 97);
  EXPECT_EQ(TrackSplitterStart(10, kGrab, kLimits), 50);
  EXPECT_EQ(TrackSplitterStart(400, kGrab, kLimits), 200 - kSplitter);
}

TEST(DockRowTest, DropPlaceFollowsTheDropCentre) {
  // [null, A, B, null, C, null]: A and B in row 0 (0..30 across), C in row 1 (30..60).
  std::vector<DropEntry> entries = {
      {}, {true, true, 0, 30, 0}, {true, true, 0, 30, 200}, {}, {true, true, 30, 60, 0}, {},
  };
  struct Case {
    const char* name;
    int centreAcross, startAlong;
    DropKind kind;
    int index;
  } cases[] = {
      {"before the first row", -5, 50, DropKind::kNewFirstRow, 1},
      {"row 0 before B", 15, 100, DropKind::kInsertAt, 2},
      {"row 0 before A", 15, -10, DropKind::kInsertAt, 1},
      {"row 0 past B", 15, 300, DropKind::kEndOfRow, 2},
      {"row 1 past C", 45, 300, DropKind::kEndOfRow, 4},
      {"below every row", 80, 0, DropKind::kNewLastRow, 4},
  };
  for (const Case& c : cases) {
    DropPlace p = FindDropPlace(entries, c.centreAcross, c.startAlong);
    EXPECT_EQ(p.kind, c.kind) << c.name;
    EXPECT_EQ(p.index, c.index) << c.name;
  }
}

TEST(DockRowTest, PlaceholdersDoNotEndARow) {
  // [null, A, placeholder, null]: A still ends its row.
  std::vector<DropEntry> entries = {{}, {true, true, 0, 30, 0}, {true, false, 0, 0, 0}, {}};
  DropPlace p = FindDropPlace(entries, 10, 100);
  EXPECT_EQ(p.kind, DropKind::kEndOfRow);
  EXPECT_EQ(p.index, 1);
}

}  // namespace
