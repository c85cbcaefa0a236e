#include "framework/sec_custom_tool_bar_wrap.h"

#include <algorithm>

namespace {

constexpr int kSECWrapSlack = 2;

void SECWrapMeasure(const std::vector<SECWrapItem>& items, int first, SECToolBarRow& row) {
  row.cx = row.cy = 0;
  const int end = row.bSeparator ? row.nLast - 1 : row.nLast;
  for (int i = first; i <= row.nLast; ++i) {
    if (i <= end) row.cx += items[i].cx;
    row.cy = std::max(row.cy, items[i].cy);
  }
}

// The start of the trailing separator group of a separator-broken row, -1 none.
int SECWrapGroupStart(const std::vector<SECWrapItem>& items, const SECToolBarRows& rows, int nRow) {
  const int first = SECRowFirst(rows, nRow);
  for (int i = rows[nRow].nLast - 1; i > first; --i)
    if (items[i].bSeparator) return i;
  return -1;
}

int SECWrapSpan(const std::vector<SECWrapItem>& items, int from, int to) {
  int w = 0;
  for (int i = from; i <= to; ++i) w += items[i].cx;
  return w;
}

// Whether a group of width w pushed down through the separator-broken rows
// after nRow lands in a row that stays narrower than nLimit.
bool SECWrapCanPushDown(const SECToolBarRows& rows, int nRow, int w, int nLimit) {
  for (int r = nRow + 1; r < static_cast<int>(rows.size()); ++r) {
    if (rows[r].cx + w < nLimit) return true;
    if (!rows[r].bSeparator) return false;
  }
  return false;
}

void SECWrapMove(SECToolBarRows& rows, int nRow, int nNewLast, int w) {
  rows[nRow].nLast = nNewLast;
  rows[nRow].cx -= w;
  rows[nRow + 1].cx += w;
}

}  // namespace

int SECWrapButtons(const std::vector<SECWrapItem>& items, int nWidth, SECToolBarRows& rows) {
  rows.clear();
  const int n = static_cast<int>(items.size());
  int x = 0;
  int rowStart = 0;
  for (int i = 0; i < n;) {
    const int w = items[i].cx;
    if (x + w <= nWidth + kSECWrapSlack) {
      x += w;
      ++i;
      continue;
    }
    int sep = -1;
    for (int j = i; j >= rowStart; --j)
      if (items[j].bSeparator) {
        sep = j;
        break;
      }
    if (sep >= 0) {
      rows.push_back({sep, TRUE, 0, 0});
      x = 0;
      rowStart = i = sep + 1;
    } else if (i != rowStart) {
      rows.push_back({i - 1, FALSE, 0, 0});
      x = 0;
      rowStart = i;
    } else {
      ++i;  // a single button wider than the row stays, taking no room
    }
  }
  if (rowStart < n) rows.push_back({n - 1, FALSE, 0, 0});
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    SECWrapMeasure(items, SECRowFirst(rows, r), rows[r]);
  return static_cast<int>(rows.size());
}

void SECBalanceRows(const std::vector<SECWrapItem>& items, SECToolBarRows& rows) {
  const int nRows = static_cast<int>(rows.size());
  if (nRows <= 1) return;
  for (;;) {
    int widest = 0;
    for (int r = 1; r < nRows; ++r)
      if (rows[r].cx >= rows[widest].cx) widest = r;
    if (widest == nRows - 1) return;
    SECToolBarRow& row = rows[widest];
    const SECToolBarRow& next = rows[widest + 1];
    if (!row.bSeparator) {
      if (row.nLast == SECRowFirst(rows, widest)) return;
      const int w = items[row.nLast].cx;
      if (next.cx + w >= row.cx) {
        int k = widest + 1;
        while (k < nRows - 1 && !rows[k].bSeparator) ++k;
        if (k == widest + 1 || rows[k].cx + w > row.cx) return;
      }
      SECWrapMove(rows, widest, row.nLast - 1, w);
      continue;
    }
    const int group = SECWrapGroupStart(items, rows, widest);
    if (group < 0) return;
    const int w = SECWrapSpan(items, group, row.nLast - 1);
    if (!(row.cx > next.cx + w) && !SECWrapCanPushDown(rows, widest, w, row.cx)) return;
    SECWrapMove(rows, widest, group, w);
  }
}

CSize SECRowsSize(const SECToolBarRows& rows, int nSeparatorExtra) {
  CSize size(0, 0);
  for (const SECToolBarRow& row : rows) {
    size.cx = std::max<int>(size.cx, row.cx);
    size.cy += row.cy + (row.bSeparator ? nSeparatorExtra : 0);
  }
  return size;
}
