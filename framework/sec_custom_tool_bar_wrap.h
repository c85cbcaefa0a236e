// The row arithmetic of tool bars: wrapping buttons into rows at a width and
// balancing the row widths, on plain sizes so that it stands alone.
#pragma once

#include <vector>

#include "platform/afx/afx.h"

// One button as the wrapping sees it.
struct SECWrapItem {
  int cx = 0;
  int cy = 0;
  BOOL bSeparator = FALSE;
};

// One wrapped row.
struct SECToolBarRow {
  int nLast = 0;            // index of the row's last button
  BOOL bSeparator = FALSE;  // the row ends at a separator (not counted in its width)
  int cx = 0;
  int cy = 0;
};

using SECToolBarRows = std::vector<SECToolBarRow>;

// Wraps the items at nWidth (two pixels of slack); returns the row count.
int SECWrapButtons(const std::vector<SECWrapItem>& items, int nWidth, SECToolBarRows& rows);
// Moves buttons and separator groups down from the widest rows.
void SECBalanceRows(const std::vector<SECWrapItem>& items, SECToolBarRows& rows);
// cx the widest row; cy the row heights plus nSeparatorExtra per row broken at a separator.
CSize SECRowsSize(const SECToolBarRows& rows, int nSeparatorExtra);
// The first item of a row.
inline int SECRowFirst(const SECToolBarRows& rows, int nRow) {
  return nRow == 0 ? 0 : rows[nRow - 1].nLast + 1;
}
