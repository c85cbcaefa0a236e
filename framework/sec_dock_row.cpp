#include "framework/sec_dock_row.h"

#include <algorithm>
#include <cmath>

namespace sec_dock {

float MinimumShare(int rowLength) {
  float share = kDefaultMinShare;
  if (rowLength > 0) share = static_cast<float>(kMinBarLength) / static_cast<float>(rowLength);
  return std::clamp(share, 0.0f, 1.0f);
}

NormalizeResult NormalizeShares(std::vector<RowShare>& row, int kept, float minShare) {
  NormalizeResult counts;
  if (kept >= 0 && (kept >= static_cast<int>(row.size()) || !row[kept].visible)) kept = -1;
  float kept_sum = 0, others = 0;
  for (int i = 0; i < static_cast<int>(row.size()); ++i) {
    RowShare& bar = row[i];
    if (!bar.visible) continue;
    (bar.fixed ? counts.fixed : counts.stretchable)++;
    if (i == kept) {
      bar.share = std::min(std::max(bar.share, minShare), kMaxKeptShare);
      kept_sum += bar.share;
    } else {
      others += bar.share;
    }
  }
  if (kept_sum > 0) {
    // With the others summing to 1 the kept bar ends with its own share;
    // equal sums stay equal. Others smaller than the kept share would make
    // others / (others - kept) negative: then the kept bar keeps its share
    // of the whole row.
    float factor;
    if (others <= 0)
      factor = 1.0f / kept_sum;
    else if (std::abs(others - kept_sum) < 1e-6f)
      factor = 1.0f;
    else if (others > kept_sum)
      factor = others / (others - kept_sum);
    else
      factor = others / (1.0f - kept_sum);
    row[kept].share = std::max(factor * row[kept].share, minShare);
    others += row[kept].share;
  }
  if (others > 0)
    for (RowShare& bar : row)
      if (bar.visible) bar.share = std::max(bar.share / others, minShare);
  return counts;
}

BarResize ResizeBar(int length, int delta, int rowLength, float minShare) {
  BarResize r;
  r.length = std::max(length + delta, kMinBarLength);
  r.share = rowLength > 0 ? static_cast<float>(r.length) / static_cast<float>(rowLength) : minShare;
  r.share = std::max(r.share, minShare);
  int taken = r.length - length;
  r.unused = delta - taken;
  return r;
}

Limits BetweenBarsLimits(int start, int end, int before, int after) {
  return {start + kSplitterBarRoom * before, end - kSplitterBarRoom * after};
}

Limits RowSplitterLimits(Side side, int splitterStart, int splitterEnd, int thickness, int freeStart,
                         int freeEnd) {
  switch (side) {
    case Side::kTop:
    case Side::kLeft:
      return {splitterStart - thickness + kMinRowThickness,
              std::max(freeEnd - kMinRowThickness, splitterEnd)};
    case Side::kBottom:
    case Side::kRight:
      return {std::min(freeStart + kMinRowThickness, splitterStart),
              splitterStart + thickness - kMinRowThickness};
  }
  return {};
}

int TrackSplitterStart(int pointer, int grab, const Limits& limits) {
  int start = std::max(pointer - grab, limits.lower);
  if (start + kSplitter > limits.upper) start = limits.upper - kSplitter;
  return start;
}

DropPlace FindDropPlace(const std::vector<DropEntry>& entries, int centreAcross, int dropStartAlong) {
  const int n = static_cast<int>(entries.size());
  int last = -1;
  for (int i = 0; i < n; ++i) {
    const DropEntry& e = entries[i];
    if (!e.bar || !e.visible) continue;
    last = i;
    if (centreAcross >= e.farAcross) continue;
    if (centreAcross < e.nearAcross) return {DropKind::kNewFirstRow, i};
    if (dropStartAlong < e.startAlong) return {DropKind::kInsertAt, i};
    // This bar ends its row when no visible bar follows before the row's end.
    bool endsRow = true;
    for (int j = i + 1; j < n && entries[j].bar; ++j)
      if (entries[j].visible) endsRow = false;
    if (endsRow) return {DropKind::kEndOfRow, i};
  }
  return {DropKind::kNewLastRow, last};
}

}  // namespace sec_dock
