// Geometry of the workbook's tab strip: tab widths, the seven-point tab
// outline, label rectangles, shortened titles and the rectangles to repaint.
#pragma once

#include <functional>

#include "platform/afx/afx.h"

// Tab metrics, in the order the workbook keeps them.
struct SECTabMetrics {
  int nTabWidth = 100;  // recomputed as soon as sheets exist
  int nTabHeight = 23;
  int nCorner = 2;        // cut of the lower corners
  int nActiveWiden = 4;   // the raised tab is this much wider ...
  int nActiveDeepen = 2;  // ... and reaches this much lower
  int nMaxTabWidth = 90;
};

constexpr int kSECTabPointCount = 7;
// Space from the MDI client's bottom edge to the strip.
constexpr int kSECTabStripGap = 4;
// Size of a tab's icon while icons are shown.
constexpr int kSECTabIconSize = 16;

enum class SECTabRaise { kFlat, kRaised };
enum class SECTabExtent { kTab, kToEnd };

// The tab width for `nSheets` sheets over a client `nClientWidth` wide.
int SECCalcTabWidth(const SECTabMetrics& m, int nClientWidth, int nSheets);
// The outline of the tab in `nSlot`; the strip starts at (nClientLeft, nStripTop).
void SECCalcTabPolygon(const SECTabMetrics& m, int nSlot, SECTabRaise raise, int nClientLeft, int nStripTop,
                       POINT* pPoints);
// The rectangle the label of a tab outline gets beside an icon `nIconWidth` wide.
CRect SECCalcTabLabelRect(const POINT* pPoints, int nIconWidth);
// The title cut until it is at most `nWidth` wide: while it has four characters
// or more and is too wide, its last four become "...".
CString SECShortenTabTitle(const CString& strTitle, int nWidth,
                           const std::function<int(const CString&)>& measure);
// The rectangle to repaint for the tab in `nSlot` (flat position), to the
// strip's right end `nRightEnd` with SECTabExtent::kToEnd.
CRect SECCalcTabInvalidRect(const SECTabMetrics& m, int nSlot, int nClientLeft, int nStripTop,
                            SECTabExtent extent, int nRightEnd);
