// Column 0 of a tree row: indentation, dotted lines, the +/- button; and the
// tree's hit test.
#include "controls/sec_tree_base.h"
#include "platform/ui/sysmetrics.h"

namespace {
constexpr int kSECTreeLineOffset = 8;  // the line column inside one indent
constexpr int kSECTreeButtonSide = 8;
constexpr int kSECTreeIconButtonMax = 15;  // the box beside an icon: 20/33 of the row, at most 15
constexpr int kSECTreeIconButtonNum = 20;
constexpr int kSECTreeIconButtonDen = 33;
constexpr UINT kSECTreeHitBase = 0x4000;
constexpr int kSECTreeLabelSlack = 3;  // the selection box reaches past the text
constexpr UINT kSECTreeListItemZones = LVHT_ONITEMLABEL | LVHT_ONITEMICON | LVHT_ONITEMSTATEICON |
                                       kSECListHitLeftOfLabel | kSECListHitRightOfLabel;
}  // namespace

BOOL SECTreeBaseC::HasRootLines() const {
  return (m_dwTreeStyle & TVS_LINESATROOT) && (m_dwTreeStyle & (TVS_HASBUTTONS | TVS_HASLINES));
}

BOOL SECTreeBaseC::HasButtonChildren(_Node* pNode) {
  return pNode->m_pFirstChild != nullptr || ItemHasCallbackChildren(HandleOf(pNode));
}

int SECTreeBaseC::GetIndentWidth(HTREEITEM hItem) const {
  const _Node* node = NodeFromHandle(hItem);
  if (node == nullptr || node == m_pRoot) return 0;
  const int indent = static_cast<int>(m_nIndent);
  return indent * (node->GetDepth() - 1) + (HasRootLines() ? indent : 0);
}

SECTreeBaseC::LineAnchor SECTreeBaseC::RowLineAnchor(int nRow, int nRowHeight) const {
  const SECListItem* record = GetItemRecord(nRow);
  if (record == nullptr || record->m_rcIcon.IsRectEmpty())
    return {kSECTreeLineOffset, nRowHeight / 2, 0, false};
  const CRect& icon = record->m_rcIcon;
  return {(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2, icon.Height() / 2, true};
}

BOOL SECTreeBaseC::GetButtonRect(int nRow, RECT* rect) {
  _Node* node = NodeFromHandle(GetItemAt(nRow));
  CRect row;
  if (node == nullptr || node == m_pRoot || !GetItemRect(nRow, &row)) return FALSE;
  const int indent = static_cast<int>(m_nIndent);
  const LineAnchor anchor = RowLineAnchor(nRow, row.Height());
  const int cellLeft = row.left + GetColumnLeft(0) - GetHorzScroll();
  int x = indent * (node->GetDepth() - 2) + cellLeft + anchor.dx;
  int y = row.top + anchor.dy;
  // On even coordinates, as the dotted lines.
  x -= x & 1;
  y -= y & 1;
  if (HasRootLines()) x += indent;
  // Beside an icon the box grows with the row (20/33 of it, at most 15).
  const int side = anchor.icon ? std::min(kSECTreeIconButtonMax,
                                          row.Height() * kSECTreeIconButtonNum / kSECTreeIconButtonDen)
                               : kSECTreeButtonSide;
  const int half = side / 2;
  // An even side gets one more pixel right and below, so the box has a centre.
  const int extra = (side & 1) ? 0 : 1;
  ::SetRect(rect, x - half, y - half, x - half + side + extra, y - half + side + extra);
  return x - half >= cellLeft;
}

HTREEITEM SECTreeBaseC::HitTest(int x, int y, UINT* pFlags) {
  UINT listFlags = 0;
  const int row = HitTest(x, y, &listFlags, static_cast<int*>(nullptr));
  UINT flags = TVHT_NOWHERE;
  HTREEITEM item = nullptr;
  if (row >= 0) {
    item = GetItemAt(row);
    flags = kSECTreeHitBase;
    const int labelLeft = GetColumnLeft(0) - GetHorzScroll() + GetIndentWidth(item);
    CRect button;
    if (x < labelLeft && GetColumnLeft(0) - GetHorzScroll() <= x) {
      const bool onButton = (m_dwTreeStyle & TVS_HASBUTTONS) && GetButtonRect(row, &button) &&
                            button.PtInRect(CPoint(x, y)) && HasButtonChildren(NodeFromHandle(item));
      flags |= onButton ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (const SECListItem* record = GetItemRecord(row);
               record && x - labelLeft < record->m_rcText.right + kSECTreeLabelSlack) {
      // The list measures the label from the cell's left; it is drawn indented.
      flags |= TVHT_ONITEMLABEL;
    } else if (listFlags & LVHT_ONITEMICON) {
      flags |= TVHT_ONITEMICON;
    } else if (listFlags & LVHT_ONITEMSTATEICON) {
      flags |= TVHT_ONITEMSTATEICON;
    } else if (x >= labelLeft) {
      flags |= TVHT_ONITEMRIGHT;
    }
    if (flags == kSECTreeHitBase && !HasListStyleEx(LVXS_FULLROWSELECT)) item = nullptr;
  } else {
    if (listFlags & LVHT_ABOVE)
      flags = TVHT_ABOVE;
    else if (listFlags & LVHT_BELOW)
      flags = TVHT_BELOW;
    else if (listFlags & LVHT_TOLEFT)
      flags = TVHT_TOLEFT;
    else if (listFlags & LVHT_TORIGHT)
      flags = TVHT_TORIGHT;
  }
  if (pFlags) *pFlags = flags;
  return item;
}

int SECTreeBaseC::HitTest(int x, int y, UINT* pFlags, int* pCol) {
  UINT flags = 0;
  int col = -1;
  int row = SECListBaseC::HitTest(x, y, &flags, &col);
  if (row >= 0 && col >= 0 && GetColumnSubItem(col) == 0) {
    const int indent = GetIndentWidth(GetItemAt(row));
    if (x >= GetColumnLeft(col) + indent) {
      row = SECListBaseC::HitTest(x - indent, y, &flags, &col);
    } else {
      flags = (flags & ~kSECTreeListItemZones) | kSECListHitLeftOfLabel;
    }
  }
  if (pFlags) *pFlags = flags;
  if (pCol) *pCol = col;
  return row;
}

void SECTreeBaseC::DrawHorizontalDots(CDC* pDC, int x1, int x2, int y) {
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  for (int x = x1 + ((x1 + GetHorzScroll()) & 1); x < x2; x += 2) pDC->SetPixel(x, y, shadow);
}

void SECTreeBaseC::DrawVerticalDots(CDC* pDC, int x, int y1, int y2) {
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  for (int y = y1 + (y1 & 1); y < y2; y += 2) pDC->SetPixel(x, y, shadow);
}

void SECTreeBaseC::DrawItemLines(SECListPaintContext* pContext, _Node* pNode) {
  const CRect cell = pContext->rect;
  const int indent = static_cast<int>(m_nIndent);
  const int depth = pNode->GetDepth() - 1;
  const LineAnchor anchor = RowLineAnchor(pContext->lvi.iItem, cell.Height());
  int x = indent * (depth - 1) + cell.left + anchor.dx;
  int y = cell.top + anchor.dy;
  x -= x & 1;
  y -= y & 1;
  const bool rootLines = HasRootLines() != FALSE;
  if (rootLines) x += indent;
  CDC* dc = pContext->pdc;
  const int labelLeft = cell.left + GetIndentWidth(HandleOf(pNode));
  if (rootLines || depth >= 1) DrawHorizontalDots(dc, x, labelLeft, y);
  if (pContext->lvi.iItem > 0 && (rootLines || depth >= 1)) DrawVerticalDots(dc, x, cell.top, y);
  if (pNode->IsExpanded() && pNode->m_pFirstChild)
    DrawVerticalDots(dc, x + indent, y + anchor.iconHalf, cell.bottom);
  const int levels = rootLines ? depth + 1 : depth;
  SECTreeNode* level = pNode;
  for (int i = 0; i < levels && level && level != m_pRoot; ++i, x -= indent) {
    if (level->GetNextSiblingNode()) DrawVerticalDots(dc, x, level == pNode ? y : cell.top, cell.bottom);
    level = level->GetParentNode();
  }
}

void SECTreeBaseC::DrawItemButton(SECListPaintContext* pContext, _Node* pNode) {
  if (!HasButtonChildren(pNode)) return;
  CRect box;
  if (!GetButtonRect(pContext->lvi.iItem, &box)) return;
  // GetButtonRect is in client coordinates; the cell may be painted off-screen.
  CRect row;
  GetItemRect(pContext->lvi.iItem, &row);
  box.OffsetRect(0, pContext->rect.top - row.top);
  CDC* dc = pContext->pdc;
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
  dc->FillSolidRect(&box, IsWindowEnabled() ? RGB(255, 255, 255) : GetBkColor());
  for (int x = box.left; x < box.right; ++x) {
    dc->SetPixel(x, box.top, shadow);
    dc->SetPixel(x, box.bottom - 1, shadow);
  }
  for (int y = box.top; y < box.bottom; ++y) {
    dc->SetPixel(box.left, y, shadow);
    dc->SetPixel(box.right - 1, y, shadow);
  }
  const CPoint centre((box.left + box.right - 1) / 2, (box.top + box.bottom - 1) / 2);
  const int arm = box.Width() / 3;
  for (int d = -arm + 1; d < arm; ++d) dc->SetPixel(centre.x + d, centre.y, text);
  if (!pNode->IsExpanded()) {
    for (int d = -arm + 1; d < arm; ++d) dc->SetPixel(centre.x, centre.y + d, text);
  }
}

void SECTreeBaseC::DrawCell(SECListPaintContext* pContext) {
  _Node* node = pContext->lvi.iSubItem == 0 ? NodeFromHandle(GetItemAt(pContext->lvi.iItem)) : nullptr;
  if (node == nullptr || node == m_pRoot) {
    SECListBaseC::DrawCell(pContext);
    return;
  }
  const CRect cell = pContext->rect;
  const int indentWidth = std::min(GetIndentWidth(HandleOf(node)), cell.Width());
  pContext->pdc->FillSolidRect(CRect(cell.left, cell.top, cell.left + indentWidth, cell.bottom),
                               GetBkColor());
  pContext->rect.left += indentWidth;
  const bool editing = pContext->lvi.iItem == GetEditIndex() && pContext->iCol == GetCurrentColumn();
  if (node->m_bHasMarker && IsLabelWrap() && pContext->lvi.pszText && !editing) {
    // The list draws the background, icon and selection; the tree the two parts.
    char* text = pContext->lvi.pszText;
    static char blank[] = " ";
    pContext->lvi.pszText = blank;
    SECListBaseC::DrawCell(pContext);
    pContext->lvi.pszText = text;
    DrawMarkedLabel(pContext, node);
  } else {
    SECListBaseC::DrawCell(pContext);
  }
  pContext->rect = cell;
  if (m_dwTreeStyle & TVS_HASLINES) DrawItemLines(pContext, node);
  if (m_dwTreeStyle & TVS_HASBUTTONS) DrawItemButton(pContext, node);
}
