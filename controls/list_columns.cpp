// Columns of the list: insertion with sub-item numbering, deletion, moving,
// and the column accessors.
#include "controls/list_base.h"

#include <cstring>

#include "controls/list_tip.h"

namespace {
constexpr int kColumnNewWidth = 10;
}  // namespace

SECListColumn* SECListBaseC::GetColumnRecord(int nCol) const {
  return nCol >= 0 && nCol < GetColumnCount() ? m_columns[static_cast<size_t>(nCol)] : nullptr;
}

SECListColumn* SECListBaseC::LabelColumn(int* pIndex) const {
  for (int i = 0; i < GetColumnCount(); ++i)
    if (m_columns[static_cast<size_t>(i)]->iSubItem == 0) {
      if (pIndex) *pIndex = i;
      return m_columns[static_cast<size_t>(i)];
    }
  return nullptr;
}

// A column put in front of the label column becomes the label column: the
// old one gets a sub-item of its own and the rows' labels move into it.
void SECListBaseC::MakeLabelColumnOwnCells() {
  SECListColumn* label = LabelColumn(nullptr);
  if (label == nullptr) return;
  const int sub = ++m_nSubItems;
  for (SECListItem* item : m_items) {
    item->AddSubItem();
    SECListSubItem* cell = item->GetSubItem(sub);
    SECListFreeText(cell->m_pszText);
    cell->m_pszText = item->m_pszText;
    item->m_pszText = nullptr;
    item->m_bDirty = TRUE;
  }
  label->iSubItem = sub;
}

BOOL SECListBaseC::InsertColumnRecord(int nCol, SECListColumn* pCol, BOOL bRedraw) {
  EndLabelEdit(TRUE);
  m_pTip->Hide();
  nCol = std::clamp(nCol, 0, GetColumnCount());
  if (nCol == 0) {
    pCol->fmt = LVCFMT_LEFT;
    pCol->iSubItem = 0;
  }
  if (nCol == 0 && !m_columns.empty()) MakeLabelColumnOwnCells();
  m_columns.insert(m_columns.begin() + nCol, pCol);
  if (pCol->iSubItem < 0 || pCol->iSubItem > m_nSubItems) {
    // A column of its own: the next sub-item number, a cell in every row.
    pCol->iSubItem = m_nSubItems + 1;
    for (SECListItem* item : m_items) item->AddSubItem();
    if (pCol->cx == -1) pCol->cx = kColumnNewWidth;
    ++m_nSubItems;
  } else if (pCol->cx == -1) {
    pCol->cx = kColumnNewWidth;
  }
  if (bRedraw && m_bRedraw) {
    if (HasListStyleEx(LVXS_STRETCHLABEL)) SizeLabelColumn();
    RecalcLayout();
    if (HasWindow()) Invalidate(TRUE);
  }
  return TRUE;
}

BOOL SECListBaseC::InsertColumn(int nCol, LPCSTR lpszHeading, int nFormat, int nWidth, int nSubItem,
                                int nImage, BOOL bRedraw) {
  auto* col = new SECListColumn;
  col->strHeading = lpszHeading ? lpszHeading : "";
  col->fmt = nFormat;
  col->cx = nWidth;
  col->iSubItem = nSubItem;
  col->iImage = nImage;
  return InsertColumnRecord(nCol, col, bRedraw);
}

BOOL SECListBaseC::InsertColumn(int nCol, const LV_COLUMN* pColumn, BOOL bRedraw) {
  const UINT mask = pColumn->mask;
  return InsertColumn(nCol, (mask & LVCF_TEXT) ? pColumn->pszText : "", (mask & LVCF_FMT) ? pColumn->fmt : 0,
                      (mask & LVCF_WIDTH) ? pColumn->cx : -1, (mask & LVCF_SUBITEM) ? pColumn->iSubItem : -1,
                      (mask & LVCF_IMAGE) ? pColumn->iImage : -1, bRedraw);
}

BOOL SECListBaseC::AppendColumn(const LV_COLUMN* pColumn) {
  return InsertColumn(GetColumnCount(), pColumn, TRUE);
}

BOOL SECListBaseC::AppendColumn(LPCSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage) {
  return InsertColumn(GetColumnCount(), lpszHeading, nFormat, nWidth, nSubItem, nImage, TRUE);
}

BOOL SECListBaseC::AppendColumnRecord(SECListColumn* pCol) {
  return InsertColumnRecord(GetColumnCount(), pCol, TRUE);
}

BOOL SECListBaseC::DeleteColumn(int nCol) {
  EndLabelEdit(TRUE);
  m_pTip->Hide();
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr) return FALSE;
  const int k = col->iSubItem;
  m_columns.erase(m_columns.begin() + nCol);
  if (k >= 1) {
    for (SECListItem* item : m_items) item->RemoveSubItem(k);
    --m_nSubItems;
    for (SECListColumn* other : m_columns)
      if (other->iSubItem > k) --other->iSubItem;
  }
  if (!HasListStyleEx(LVXS_KEEPCOLUMNWIDTHS)) {
    // The label column takes the width; when the label column itself went,
    // the column that now comes first shows the label instead.
    SECListColumn* label = LabelColumn(nullptr);
    if (label == nullptr && !m_columns.empty() && k == 0) label = m_columns.front();
    if (label) label->cx += col->cx;
  }
  if (k == 0 && !m_columns.empty() && LabelColumn(nullptr) == nullptr) {
    // Keep a label column: the first column shows sub-item 0, and its former
    // cells move into the label of every row.
    SECListColumn* first = m_columns.front();
    const int moved = first->iSubItem;
    for (SECListItem* item : m_items) {
      SECListSubItem* sub = item->GetSubItem(moved);
      SECListFreeText(item->m_pszText);
      item->m_pszText = sub ? SECListCopyText(sub->m_pszText) : nullptr;
      item->RemoveSubItem(moved);
      item->m_bDirty = TRUE;
    }
    --m_nSubItems;
    for (SECListColumn* other : m_columns)
      if (other->iSubItem > moved) --other->iSubItem;
    first->iSubItem = 0;
    first->fmt = LVCFMT_LEFT;
  }
  delete col;
  RecalcLayout();
  if (HasWindow()) Invalidate(TRUE);
  return TRUE;
}

BOOL SECListBaseC::DeleteColumn(LPCSTR lpszHeading) {
  int col = -1, sub = -1;
  return FindColumn(lpszHeading, col, sub) ? DeleteColumn(col) : FALSE;
}

BOOL SECListBaseC::DeleteAllColumns() {
  for (auto it = m_columns.rbegin(); it != m_columns.rend(); ++it) delete *it;
  m_columns.clear();
  UpdateScrollBars();
  return TRUE;
}

BOOL SECListBaseC::GetColumn(int nCol, LV_COLUMN* pColumn) const {
  const SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr) return FALSE;
  if (pColumn->mask & LVCF_TEXT) SECListCopyToBuffer(col->strHeading, pColumn->pszText, pColumn->cchTextMax);
  if (pColumn->mask & LVCF_FMT) pColumn->fmt = col->fmt;
  if (pColumn->mask & LVCF_SUBITEM) pColumn->iSubItem = col->iSubItem;
  if (pColumn->mask & LVCF_WIDTH) pColumn->cx = col->cx;
  if (pColumn->mask & LVCF_IMAGE) pColumn->iImage = col->iImage;
  return TRUE;
}

BOOL SECListBaseC::SetColumn(int nCol, const LV_COLUMN* pColumn, BOOL bRedraw) {
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr) return FALSE;
  if (pColumn->mask & LVCF_TEXT) col->strHeading = pColumn->pszText ? pColumn->pszText : "";
  if (pColumn->mask & LVCF_FMT) col->fmt = nCol == 0 ? LVCFMT_LEFT : pColumn->fmt;
  if ((pColumn->mask & LVCF_SUBITEM) && nCol != 0 && pColumn->iSubItem >= 1 &&
      pColumn->iSubItem <= m_nSubItems)
    col->iSubItem = pColumn->iSubItem;
  if (pColumn->mask & LVCF_WIDTH) col->cx = pColumn->cx;
  if (bRedraw) {
    RecalcLayout();
    if (HasListStyleEx(LVXS_STRETCHLABEL)) SizeLabelColumn();
    if (HasWindow()) Invalidate(TRUE);
  }
  return TRUE;
}

int SECListBaseC::GetColumnLeft(int nCol) const {
  int left = -m_xScroll;
  for (int i = 0; i < nCol && i < GetColumnCount(); ++i) left += m_columns[static_cast<size_t>(i)]->cx;
  return left;
}

int SECListBaseC::GetColumnRight(int nCol) const { return GetColumnLeft(nCol) + GetColumnWidth(nCol); }

BOOL SECListBaseC::SetColumnWidth(int nCol, int cx) {
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr) return FALSE;
  col->cx = cx;
  if (IsLabelWrap()) ResetItemHeights();
  return TRUE;
}

int SECListBaseC::GetColumnWidth(int nCol) const {
  if (m_columns.empty()) {
    CRect inside;
    GetInsideRect(&inside);
    return inside.Width();
  }
  const SECListColumn* col = GetColumnRecord(nCol);
  return col ? col->cx : 0;
}

BOOL SECListBaseC::SetColumnFormat(int nCol, int nFormat) {
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr) return FALSE;
  col->fmt = nCol == 0 ? LVCFMT_LEFT : nFormat;
  return TRUE;
}

int SECListBaseC::GetColumnFormat(int nCol) const {
  const SECListColumn* col = GetColumnRecord(nCol);
  return col ? col->fmt : 0;
}

BOOL SECListBaseC::SetColumnHeading(int nCol, LPCSTR lpszHeading) {
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr) return FALSE;
  col->strHeading = lpszHeading ? lpszHeading : "";
  return TRUE;
}

CString SECListBaseC::GetColumnHeading(int nCol) const {
  const SECListColumn* col = GetColumnRecord(nCol);
  return col ? col->strHeading : CString();
}

BOOL SECListBaseC::FindColumn(LPCSTR lpszHeading, int& nCol, int& nSubItem) const {
  for (int i = 0; i < GetColumnCount(); ++i) {
    const SECListColumn* col = m_columns[static_cast<size_t>(i)];
    if (std::strcmp(col->strHeading, lpszHeading ? lpszHeading : "") == 0) {
      nCol = i;
      nSubItem = col->iSubItem;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL SECListBaseC::FindColumn(LPCSTR lpszHeading) const {
  int col = -1, sub = -1;
  return FindColumn(lpszHeading, col, sub);
}

BOOL SECListBaseC::MoveColumn(int nFrom, int nTo, BOOL bRedraw) {
  if (nFrom <= 0 || nTo <= 0 || nFrom >= GetColumnCount()) return FALSE;
  bool clamped = false;
  if (nTo >= GetColumnCount()) {
    nTo = GetColumnCount() - 1;
    clamped = true;
  }
  SECListColumn* col = m_columns[static_cast<size_t>(nFrom)];
  m_columns.erase(m_columns.begin() + nFrom);
  if (nFrom < nTo && !clamped) --nTo;
  m_columns.insert(m_columns.begin() + nTo, col);
  // Cells follow their columns: column j shows sub-item j afterwards, so
  // the rows' cells are reordered the same way.
  std::vector<int> order;  // old sub-item of each new position 1..n
  for (int j = 1; j < GetColumnCount(); ++j) order.push_back(m_columns[static_cast<size_t>(j)]->iSubItem);
  for (SECListItem* item : m_items) {
    std::vector<SECListSubItem*> cells(item->m_subItems);
    for (size_t j = 0; j < order.size(); ++j) {
      const int old = order[j];
      if (old >= 1 && old <= static_cast<int>(cells.size()) && j < item->m_subItems.size())
        item->m_subItems[j] = cells[static_cast<size_t>(old - 1)];
    }
    item->m_bDirty = TRUE;
  }
  for (int j = 1; j < GetColumnCount(); ++j) m_columns[static_cast<size_t>(j)]->iSubItem = j;
  MoveSubItemData(nFrom, nTo);
  if (bRedraw) {
    RecalcLayout();
    if (HasWindow()) Invalidate(TRUE);
  }
  return TRUE;
}
