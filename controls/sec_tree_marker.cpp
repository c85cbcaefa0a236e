// Labels with the indent marker "\{HI}": with wrapping labels the text
// before the marker stands on the first line and the rest wraps in a column
// that starts where the first part ends. The marker itself is not shown.
#include <cstring>

#include "controls/sec_tree_base.h"

namespace {
constexpr char kSECTreeIndentMarker[] = "\\{HI}";
constexpr UINT kSECTreeMarkerWrapFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
constexpr UINT kSECTreeMarkerLineFormat = DT_SINGLELINE | DT_NOPREFIX;
constexpr int kSECTreeMarkerTextLeft = 6;  // as the list's labels without an icon
constexpr int kSECTreeMarkerIconGap = 4;   // as the list's labels after an icon
constexpr int kSECTreeMarkerRight = 5;
constexpr int kSECTreeMarkerGrow = 2;
}  // namespace

void SECTreeBaseC::MeasureItemText(CDC* pDC, _Node* pNode, LPCSTR lpszText, RECT* rect) {
  const CString text(lpszText ? lpszText : "");
  const int at = IsLabelWrap() ? text.Find(kSECTreeIndentMarker) : -1;
  pNode->m_bHasMarker = at >= 0 ? TRUE : FALSE;
  const int lineHeight = pDC->GetTextExtent("Ag", 2).cy;
  if (at < 0) {
    CRect measured(rect->left, 0, rect->right, 0);
    pDC->DrawText(text, &measured, kSECTreeMarkerWrapFormat | DT_CALCRECT);
    *rect = measured;
    rect->bottom += kSECTreeMarkerGrow;
    return;
  }
  // The first part keeps the marker's first character; its width leaves it out.
  pNode->m_strBeforeMarker = text.Left(at + 1);
  pNode->m_strAfterMarker = text.Mid(at + static_cast<int>(std::strlen(kSECTreeIndentMarker)));
  pNode->m_nMarkerWidth = pDC->GetTextExtent(text.Left(at)).cx;
  CRect rest(rect->left + pNode->m_nMarkerWidth, 0,
             std::max(rect->right, rect->left + pNode->m_nMarkerWidth + 1), 0);
  pDC->DrawText(pNode->m_strAfterMarker, &rest, kSECTreeMarkerWrapFormat | DT_CALCRECT);
  rect->top = 0;
  rect->right = std::max(rest.right, rect->left + pNode->m_nMarkerWidth);
  rect->bottom = std::max(rest.bottom, static_cast<LONG>(lineHeight)) + kSECTreeMarkerGrow;
}

CRect SECTreeBaseC::MarkerTextRect(const SECListPaintContext* pContext, int cellWidth) const {
  const SECListItem* item = pContext->pItem;
  const int left = item && !item->m_rcIcon.IsRectEmpty() ? item->m_rcIcon.right + kSECTreeMarkerIconGap
                                                         : kSECTreeMarkerTextLeft;
  return CRect(left, 0, std::max(left + 1, cellWidth - kSECTreeMarkerRight), 0);
}

void SECTreeBaseC::DrawMarkedLabel(SECListPaintContext* pContext, _Node* pNode) {
  CDC* dc = pContext->pdc;
  const CRect cell = pContext->rect;
  CRect text = MarkerTextRect(pContext, cell.Width());
  text.OffsetRect(cell.left, 0);
  text.top = cell.top + 1;
  text.bottom = cell.bottom;
  CFont* oldFont = dc->SelectObject(pContext->pFont ? pContext->pFont : GetItemFont());
  const COLORREF oldText = dc->SetTextColor(pContext->rgbText);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  CRect first(text.left, text.top, text.left + pNode->m_nMarkerWidth, text.bottom);
  dc->DrawText(pNode->m_strBeforeMarker, &first, kSECTreeMarkerLineFormat);
  CRect rest(text.left + pNode->m_nMarkerWidth, text.top, text.right, text.bottom);
  dc->DrawText(pNode->m_strAfterMarker, &rest, kSECTreeMarkerWrapFormat);
  dc->SetBkMode(oldMode);
  dc->SetTextColor(oldText);
  dc->SelectObject(oldFont);
}
