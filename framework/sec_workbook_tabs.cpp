#include "framework/sec_workbook_tabs.h"

#include <algorithm>

namespace {
// A shortened title ends in this; it replaces four characters.
constexpr char kSECTabEllipsis[] = "...";
constexpr int kSECTabCutChars = 4;
// The label keeps this gap after the icon and before the right corner.
constexpr int kSECTabLabelIconGap = 3;
constexpr int kSECTabLabelRightGap = 2;
// A tab's repaint area reaches this far beside and below its outline.
constexpr int kSECTabInvalidSide = 2;
constexpr int kSECTabInvalidBelow = 4;
// Each tab may use this much more than its share of the client width.
constexpr int kSECTabWidthSlack = 5;
}  // namespace

int SECCalcTabWidth(const SECTabMetrics& m, int nClientWidth, int nSheets) {
  if (nSheets <= 0) return m.nTabWidth;
  return std::min((nClientWidth + kSECTabWidthSlack) / nSheets, m.nMaxTabWidth);
}

void SECCalcTabPolygon(const SECTabMetrics& m, int nSlot, SECTabRaise raise, int nClientLeft, int nStripTop,
                       POINT* p) {
  const int raised = raise == SECTabRaise::kRaised ? 1 : 0;
  const int c = m.nCorner;
  const int x0 = nSlot * m.nTabWidth - (m.nActiveWiden / 2) * raised + nClientLeft;
  p[0] = {x0, nStripTop};
  p[1] = {x0, nStripTop + m.nTabHeight - c};
  p[2] = {p[1].x + c, p[1].y + c + m.nActiveDeepen * raised};
  p[3] = {p[2].x + m.nTabWidth - 2 * c + m.nActiveWiden * raised, p[2].y};
  p[4] = {p[3].x + c, p[1].y};
  p[5] = {p[4].x, nStripTop};
  p[6] = p[0];
}

CRect SECCalcTabLabelRect(const POINT* p, int nIconWidth) {
  return CRect(p[2].x + nIconWidth + kSECTabLabelIconGap, p[0].y, p[4].x - kSECTabLabelRightGap, p[3].y);
}

CString SECShortenTabTitle(const CString& strTitle, int nWidth,
                           const std::function<int(const CString&)>& measure) {
  const int length = strTitle.GetLength();
  if (length < kSECTabCutChars || measure(strTitle) <= nWidth) return strTitle;
  // Each step keeps one character less before the dots; widths grow with the
  // characters kept, so the longest that fits is found by halving.
  const auto cut = [&](int keep) { return strTitle.Left(keep) + kSECTabEllipsis; };
  int fits = 0;
  int tooWide = length - kSECTabCutChars + 1;
  while (tooWide - fits > 1) {
    const int keep = (fits + tooWide) / 2;
    if (measure(cut(keep)) <= nWidth) {
      fits = keep;
    } else {
      tooWide = keep;
    }
  }
  return cut(fits);
}

CRect SECCalcTabInvalidRect(const SECTabMetrics& m, int nSlot, int nClientLeft, int nStripTop,
                            SECTabExtent extent, int nRightEnd) {
  const int x0 = nSlot * m.nTabWidth + nClientLeft;
  const int right = extent == SECTabExtent::kToEnd ? nRightEnd : x0 + m.nTabWidth + kSECTabInvalidSide;
  return CRect(x0 - kSECTabInvalidSide, nStripTop, right, nStripTop + m.nTabHeight + kSECTabInvalidBelow);
}
