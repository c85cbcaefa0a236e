// The arithmetic of dock rows: shares of a row's length, the minimum share,
// resizing one bar within its row, splitter drag limits and where a dropped
// bar goes. Pure functions over plain records, used by SECDockBar.
#pragma once

#include <vector>

#include "platform/afx/afxdefs.h"

namespace sec_dock {

// Pixels: splitters between bars and rows, client edge lines, the shortest
// bar along a row, the bar length a splitter leaves on each side, the row
// thickness a row splitter leaves.
constexpr int kSplitter = 6;
constexpr int kClientEdge = 2;
constexpr int kMinBarLength = 18;
constexpr int kSplitterBarRoom = 24;
constexpr int kMinRowThickness = 19;
constexpr float kDefaultMinShare = 0.05f;
constexpr float kMaxKeptShare = 0.95f;

// One bar of a row as normalisation sees it.
struct RowShare {
  float share = 1.0f;
  bool visible = true;
  bool fixed = false;  // SECBAR_FIXEDSIZE
};

// 18 / length, or 0.05 for an empty row; at most 1.0.
float MinimumShare(int rowLength);

struct NormalizeResult {
  int stretchable = 0;
  int fixed = 0;
};
// Makes the visible shares of a row sum to 1. The kept bar (an index, or
// -1) ends with its own share, limited to minShare .. 0.95; the others
// divide the rest in their old proportions, none below minShare.
NormalizeResult NormalizeShares(std::vector<RowShare>& row, int kept, float minShare);

// Resizing one bar along its row by delta pixels: its new length (at
// least 18), its new share (at least minShare) and the part of delta it
// could not take, left for the neighbour.
struct BarResize {
  int length = 0;
  float share = 0;
  int unused = 0;
};
BarResize ResizeBar(int length, int delta, int rowLength, float minShare);

// Drag limits of a splitter: lower and upper position of its start edge
// (its end is start + 6).
struct Limits {
  int lower = 0;
  int upper = 0;
};
// A splitter between bars with k bars before it and m after it in a row
// that spans start .. end: every bar keeps 24 pixels.
Limits BetweenBarsLimits(int start, int end, int before, int after);
// Which side of the frame a dock bar lies on.
enum class Side { kTop, kBottom, kLeft, kRight };
// A row splitter of a row `thickness` thick; splitterStart/End and the
// frame's free client area (freeStart/End) across the row, in the dock
// bar's coordinates. The row and the free area keep 19 pixels.
Limits RowSplitterLimits(Side side, int splitterStart, int splitterEnd, int thickness, int freeStart,
                         int freeEnd);
// Where a splitter grabbed at `grab` (the pointer minus its start) lies
// when the pointer is at `pointer`: its start, within the limits.
int TrackSplitterStart(int pointer, int grab, const Limits& limits);

// Where a dropped bar goes in a dock bar's array. `entries` mirrors the
// array: a null entry ends a row, a bar entry has its rectangle (client
// coordinates) and whether it is visible. Coordinates are along the rows
// (`along`) and across them (`across`) as given by the caller.
struct DropEntry {
  bool bar = false;
  bool visible = false;
  int nearAcross = 0, farAcross = 0;  // the bar's extent across the rows
  int startAlong = 0;                 // its start along the row
};
enum class DropKind { kNewFirstRow, kInsertAt, kEndOfRow, kNewLastRow };
struct DropPlace {
  DropKind kind = DropKind::kNewLastRow;
  int index = 0;  // the array index of the matching bar (kInsertAt, kEndOfRow: the bar)
};
DropPlace FindDropPlace(const std::vector<DropEntry>& entries, int centreAcross, int dropStartAlong);

}  // namespace sec_dock
