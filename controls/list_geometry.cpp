// Row measuring, row and cell rectangles, page arithmetic, invalidation
// and the sizing of the label column.
#include "controls/list_base.h"

#include <cstring>

namespace {
constexpr UINT kGeometryTextFormat = DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK;
constexpr int kGeometryImageInset = 2;
constexpr int kGeometryTextLeft = 6;
constexpr int kGeometryTextTop = 2;
constexpr int kGeometryIconTextLeft = 8;
constexpr int kGeometryImageGap = 5;
constexpr int kGeometryIconViewGap = 5;
constexpr int kGeometryLabelMargin = 5;
constexpr int kGeometryLabelOnlyInflate = 3;
}  // namespace

// ---- Measuring ----

void SECListBaseC::SyncHeight(int nRow) {
  if (IsValidRow(nRow)) m_heights.Set(nRow, m_items[static_cast<size_t>(nRow)]->Height());
}

void SECListBaseC::EnsureMeasured(int nRow, BOOL bMeasure) {
  SECListItem* item = GetItemRecord(nRow);
  if (item && item->m_bDirty && bMeasure) MeasureRow(nRow);
}

CDC* SECListBaseC::GetControlDC(BOOL* pbDelete) {
  *pbDelete = TRUE;
  if (HasWindow()) return new CClientDC(this);
  // Without a window rows are measured on a memory context of the screen.
  auto* dc = new CDC;
  dc->CreateCompatibleDC(nullptr);
  return dc;
}

void SECListBaseC::MeasureRow(int nRow, SECListPaintContext* pContext) {
  SECListItem* item = GetItemRecord(nRow);
  if (item == nullptr) return;
  CDC* dc = nullptr;
  BOOL deleteDC = FALSE;
  SECListPaintContext* context = pContext;
  if (context == nullptr) {
    dc = GetControlDC(&deleteDC);
    context = CreatePaintContext(dc);
  }
  context->lvi.iItem = nRow;
  context->pItem = item;
  PrepareCell(context);
  MeasureItem(context);
  if (pContext == nullptr) {
    delete context;
    if (deleteDC) delete dc;
  }
}

void SECListBaseC::MeasureItem(SECListPaintContext* pContext) {
  SECListItem* item = pContext->pItem;
  if (item == nullptr || !item->m_bDirty) return;
  if (item->m_cy == -1) item->m_cy = 0;
  for (int c = 0; c < GetColumnCount(); ++c) {
    SECListColumn* col = m_columns[static_cast<size_t>(c)];
    pContext->iCol = c;
    pContext->pCol = col;
    pContext->lvi.iSubItem = col->iSubItem;
    pContext->pSubItem = col->iSubItem >= 1 ? item->GetSubItem(col->iSubItem) : nullptr;
    PrepareCell(pContext);
    int height = 0;
    MeasureCell(pContext, &height);
    item->m_cy = std::max(item->m_cy, height);
  }
  item->m_bDirty = FALSE;
  SyncHeight(pContext->lvi.iItem);
}

void SECListBaseC::MeasureCell(SECListPaintContext* pContext, int* pHeight) {
  CRect image(0, 0, 0, 0), text(0, 0, 0, 0);
  const bool label = pContext->lvi.iSubItem == 0;
  if (pContext->lvi.pszText != nullptr) {
    if (label) {
      GetImageRect(pContext, &image);
      pContext->pItem->m_rcIcon = image;
    }
    GetTextRect(pContext, &text);
  }
  if (label) image = pContext->pItem->m_rcIcon;
  switch (pContext->nView) {
    case LVS_REPORT:
      *pHeight = std::max(image.bottom - image.top, text.bottom - text.top);
      break;
    case LVS_ICON:
      *pHeight = text.Height() + image.Height() + kGeometryIconViewGap;
      break;
    default:
      break;
  }
}

int SECListBaseC::GetImageRect(SECListPaintContext* pContext, RECT* rect) {
  ::SetRectEmpty(rect);
  CImageList* list = GetImageList(pContext->nView == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
  IMAGEINFO info{};
  if (list && pContext->lvi.iImage >= 0 && list->GetImageInfo(pContext->lvi.iImage, &info)) {
    const CRect bitmap(info.rcImage);
    ::SetRect(rect, kGeometryImageInset, kGeometryImageInset, kGeometryImageInset + bitmap.Width(),
              kGeometryImageInset + bitmap.Height());
  }
  return kGeometryImageInset;
}

void SECListBaseC::GetTextRect(SECListPaintContext* pContext, RECT* rect) {
  const SECListColumn* col = pContext->pCol;
  UINT format = kGeometryTextFormat;
  if (col) {
    if (col->Alignment() == LVCFMT_RIGHT) format |= DT_RIGHT;
    if (col->Alignment() == LVCFMT_CENTER) format |= DT_CENTER;
  }
  const char* text = pContext->lvi.pszText ? pContext->lvi.pszText : "";
  int length = static_cast<int>(std::strlen(text));
  if (HasListStyle(LVS_NOLABELWRAP)) {
    if (const char* lf = std::strchr(text, '\n')) length = static_cast<int>(lf - text) + 1;
    format |= DT_SINGLELINE;
  }
  CRect measured(0, 0, col ? col->cx : GetColumnWidth(0), 0);
  CDC* dc = pContext->pdc;
  CFont* old = dc->SelectObject(pContext->pFont ? pContext->pFont : GetItemFont());
  dc->DrawText(text, length, &measured, format);
  // A text that fits on one line is as wide as the text, not the column.
  const CSize extent = dc->GetTextExtent(text, length);
  if (std::memchr(text, '\n', static_cast<size_t>(length)) == nullptr && extent.cx <= measured.Width())
    measured.right = measured.left + extent.cx;
  dc->SelectObject(old);
  CPoint origin(kGeometryTextLeft, kGeometryTextTop);
  SECListItem* item = pContext->pItem;
  const bool label = pContext->lvi.iSubItem == 0;
  if (label && item && !item->m_rcIcon.IsRectEmpty()) {
    if (pContext->nView == LVS_ICON)
      origin = CPoint(kGeometryIconTextLeft, item->m_rcIcon.bottom + kGeometryTextTop);
    else
      origin =
          CPoint(item->m_rcIcon.right + kGeometryImageGap, (item->m_rcIcon.Height() - measured.Height()) / 2);
  }
  ::SetRect(rect, origin.x, origin.y, origin.x + measured.Width(), origin.y + measured.Height());
  if (label && item)
    item->m_rcText = *rect;
  else if (pContext->pSubItem)
    pContext->pSubItem->m_rcText = *rect;
}

BOOL SECListBaseC::SetItemHeight(int nRow, int cy) {
  SECListItem* item = GetItemRecord(nRow);
  if (item == nullptr) return FALSE;
  item->m_cy = cy;
  SyncHeight(nRow);
  return TRUE;
}

void SECListBaseC::ResetItemHeights() {
  m_heights.Clear();
  for (SECListItem* item : m_items) {
    item->m_cy = -1;
    item->m_bDirty = TRUE;
    m_heights.Append(0);
  }
}

void SECListBaseC::RecalcLayout() {
  if (IsLabelWrap())
    ResetItemHeights();
  else
    for (SECListItem* item : m_items) item->m_bDirty = TRUE;
  UpdateScrollBars();
}

void SECListBaseC::RecalcItem(int nRow) {
  SECListItem* item = GetItemRecord(nRow);
  if (item == nullptr) return;
  item->m_bDirty = TRUE;
  UpdateItem(nRow, FALSE, TRUE, FALSE, FALSE);
}

// ---- Row positions ----

int SECListBaseC::GetRowsHeight(int nFirst, int nLast, BOOL bInclusive) {
  const int low = std::max(std::min(nFirst, nLast), 0);
  int high = std::min(std::max(nFirst, nLast), GetItemCount() - 1);
  if (!bInclusive && std::max(nFirst, nLast) <= GetItemCount() - 1) --high;
  for (int i = low; i <= high; ++i) EnsureMeasured(i);
  const long long rows = high >= low ? m_heights.Before(high + 1) - m_heights.Before(low) : 0;
  const long long sum = rows + static_cast<long long>(GetRowSpacing()) * std::max(high - low + 1, 0);
  return static_cast<int>(nFirst > nLast ? -sum : sum);
}

int SECListBaseC::CountRowsInHeight(int cy, int nStart, BOOL bDown) {
  int count = 0;
  int total = 0;
  for (int i = nStart; IsValidRow(i) && total < cy; i += bDown ? 1 : -1) {
    EnsureMeasured(i);
    total += RowExtent(i);
    ++count;
  }
  return count;
}

int SECListBaseC::IndexFromOffset(const POINT* pt) { return IndexFromOffset(pt->y); }

int SECListBaseC::IndexFromOffset(int y) {
  if (GetItemCount() == 0) return 0;
  if (GetRowSpacing() == 0) return std::min(m_heights.RowAt(y - 1) + (y > 0 ? 1 : 0), GetItemCount());
  int rows = 0;
  long long sum = 0;
  while (rows < GetItemCount() && sum < y) sum += RowExtent(rows++);
  return rows;
}

int SECListBaseC::IndexFromY(int y) { return IndexFromOffset(y); }

long long SECListBaseC::RowOffsetFromTop(int nRow) {
  long long y = 0;
  if (nRow >= m_nTopIndex)
    for (int i = m_nTopIndex; i < nRow; ++i) {
      EnsureMeasured(i);
      y += RowExtent(i);
    }
  else
    for (int i = nRow; i < m_nTopIndex; ++i) {
      EnsureMeasured(i);
      y -= RowExtent(i);
    }
  return y;
}

namespace {
int GeometryInsideHeight(const SECListBaseC& list) {
  CRect inside;
  list.GetInsideRect(&inside);
  return inside.Height();
}
}  // namespace

int SECListBaseC::GetCountPerPage() {
  const int height = GeometryInsideHeight(*this);
  int used = 0, count = 0;
  for (int i = m_nTopIndex; IsValidRow(i); ++i) {
    EnsureMeasured(i);
    if (used + RowExtent(i) > height) return count;
    used += RowExtent(i);
    ++count;
  }
  for (int i = m_nTopIndex - 1; i >= 0; --i) {
    EnsureMeasured(i);
    if (used + RowExtent(i) > height) break;
    used += RowExtent(i);
    ++count;
  }
  return count;
}

int SECListBaseC::GetCountPerPageAtEnd(BOOL bMeasure) {
  const int height = GeometryInsideHeight(*this);
  int used = 0, count = 0;
  for (int i = GetItemCount() - 1; i >= 0; --i) {
    EnsureMeasured(i, bMeasure);
    if (used + RowExtent(i) > height) break;
    used += RowExtent(i);
    ++count;
  }
  return count;
}

int SECListBaseC::GetMaxTopIndex() {
  const int count = GetItemCount();
  if (count == 0) return 0;
  const int height = GeometryInsideHeight(*this);
  EnsureMeasured(count - 1);
  if (RowExtent(count - 1) > height) return count;
  int used = 0, top = count;
  for (int i = count - 1; i >= 0; --i) {
    EnsureMeasured(i);
    if (used + RowExtent(i) > height) break;
    used += RowExtent(i);
    top = i;
  }
  return top;
}

int SECListBaseC::GetLastFullyVisibleIndex(BOOL bMeasure) {
  const int height = GeometryInsideHeight(*this);
  int used = 0, last = -1;
  for (int i = m_nTopIndex; IsValidRow(i); ++i) {
    EnsureMeasured(i, bMeasure);
    if (used + RowExtent(i) > height) return last;
    used += RowExtent(i);
    last = i;
  }
  return GetItemCount() - 1;
}

int SECListBaseC::GetEndVisibleIndex() {
  const int height = GeometryInsideHeight(*this);
  int used = 0, i = m_nTopIndex;
  while (IsValidRow(i) && used < height) {
    EnsureMeasured(i);
    used += RowExtent(i);
    ++i;
  }
  return i;
}

int SECListBaseC::GetPageUpIndex() {
  if (m_nTopIndex < 1) return m_nTopIndex;
  const int height = GeometryInsideHeight(*this);
  int used = 0, i = m_nTopIndex;
  while (i >= 0 && used < height) {
    EnsureMeasured(i);
    used += RowExtent(i);
    --i;
  }
  return i + 1;
}

BOOL SECListBaseC::GetCellRect(int nRow, int nCol, RECT* rect, int nCode) {
  SECListItem* item = GetItemRecord(nRow);
  if (item == nullptr || nRow < m_nTopIndex) return FALSE;
  CRect inside;
  GetInsideRect(&inside);
  CRect cell;
  cell.left = GetColumnLeft(nCol);
  cell.right = cell.left + GetColumnWidth(nCol);
  EnsureMeasured(nRow);
  cell.top = inside.top + static_cast<int>(RowOffsetFromTop(nRow)) + GetRowSpacing();
  cell.bottom = cell.top + m_heights.Get(nRow);
  const SECListColumn* col = GetColumnRecord(nCol);
  if (nCode == kSECListRectBounds) {
    if (GetColumnCount() <= 1) cell.right = inside.right;
    *rect = cell;
    return TRUE;
  }
  if (col == nullptr || col->iSubItem == 0) {
    if (nCode == kSECListRectLabel) {
      cell.left += item->m_rcText.left;
      cell.right = cell.left + item->m_rcText.Width();
    } else if (nCode == kSECListRectIcon) {
      cell.left += item->m_rcIcon.left;
      cell.right = cell.left + item->m_rcIcon.Width();
      cell.top += item->m_rcIcon.top;
      cell.bottom = cell.top + item->m_rcIcon.Height();
    } else {
      return FALSE;
    }
    *rect = cell;
    return TRUE;
  }
  if (nCode != kSECListRectLabel) return FALSE;
  const SECListSubItem* sub = item->GetSubItem(col->iSubItem);
  if (sub) {
    cell.left += sub->m_rcText.left;
    cell.right = cell.left + sub->m_rcText.Width();
  }
  *rect = cell;
  return TRUE;
}

// ---- Content ----

int SECListBaseC::GetContentWidth(BOOL bMeasure) {
  CRect inside;
  GetInsideRect(&inside);
  if (GetColumnCount() >= 2) {
    int width = 0;
    for (const SECListColumn* col : m_columns) width += col->cx;
    return width;
  }
  int widest = 0;
  int used = 0;
  for (int i = m_nTopIndex; IsValidRow(i); ++i) {
    if (IsLabelWrap() && used >= inside.Height()) break;
    EnsureMeasured(i);
    used += RowExtent(i);
    widest = std::max(
        widest, static_cast<int>(m_items[static_cast<size_t>(i)]->m_rcText.right) + kGeometryLabelMargin);
  }
  if ((m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT) widest = std::max(widest, inside.Width());
  return widest;
}

// ---- Invalidation ----

BOOL SECListBaseC::UpdateItem(int nRow, BOOL bLabelOnly, BOOL bErase, BOOL bToEnd, BOOL bNow) {
  if (!HasWindow() || nRow < m_nTopIndex || !IsValidRow(nRow)) return TRUE;
  CRect inside;
  GetInsideRect(&inside);
  // Rows below the page have nothing on the screen to invalidate.
  long long y = 0;
  for (int i = m_nTopIndex; i < nRow; ++i) {
    if (y >= inside.Height()) return TRUE;
    EnsureMeasured(i);
    y += RowExtent(i);
  }
  EnsureMeasured(nRow);
  CRect band;
  band.left = inside.left - m_xScroll;
  band.right = band.left + std::max(GetContentWidth(FALSE), inside.Width());
  band.top = inside.top + static_cast<int>(y) + GetRowSpacing();
  band.bottom = band.top + m_heights.Get(nRow);
  if (bToEnd) {
    if (!bErase && band.bottom < inside.bottom) {
      CClientDC dc(this);
      dc.FillSolidRect(band.left, band.bottom, band.Width(), inside.bottom - band.bottom, GetBkColor());
    }
    band.bottom = inside.bottom;
  }
  if (bLabelOnly && !HasListStyleEx(LVXS_FULLROWSELECT)) {
    const SECListItem* item = m_items[static_cast<size_t>(nRow)];
    int labelCol = 0;
    LabelColumn(&labelCol);
    const int left = GetColumnLeft(labelCol) + item->m_rcText.left;
    band.left = left - kGeometryLabelOnlyInflate;
    band.right = left + item->m_rcText.Width() + kGeometryLabelOnlyInflate;
  }
  if (bNow)
    RedrawWindow(&band, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (bErase ? RDW_ERASE : 0));
  else
    InvalidateRect(&band, bErase);
  return TRUE;
}

void SECListBaseC::UpdateItems(int nFirst, int nLast) {
  if (!HasWindow()) return;
  CRect inside;
  GetInsideRect(&inside);
  const int first = std::max(std::min(nFirst, nLast), m_nTopIndex);
  const int last = std::max(nFirst, nLast);
  if (first > last) return;
  CRect band(inside.left, inside.top + static_cast<int>(RowOffsetFromTop(first)), inside.right, 0);
  long long bottom = band.top;
  for (int i = first; i <= last && IsValidRow(i) && bottom < inside.bottom; ++i) {
    EnsureMeasured(i);
    bottom += RowExtent(i);
  }
  band.bottom = static_cast<int>(std::min<long long>(bottom, inside.bottom));
  InvalidateRect(&band, TRUE);
}

// ---- Children and columns ----

void SECListBaseC::PositionScrollBars() {
  CScrollBar* horz = GetScrollBarCtrl(SB_HORZ);
  CScrollBar* vert = GetScrollBarCtrl(SB_VERT);
  if (horz == nullptr && vert == nullptr) return;
  CRect inside, client;
  GetInsideRect(&inside);
  GetClientRect(&client);
  const bool header = (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && IsHeaderVisible();
  if (horz)
    horz->SetWindowPos(nullptr, inside.left, inside.bottom, inside.Width() + 1,
                       ::GetSystemMetrics(SM_CYHSCROLL), SWP_NOZORDER | SWP_NOACTIVATE);
  if (vert)
    vert->SetWindowPos(nullptr, inside.right, client.top, ::GetSystemMetrics(SM_CXVSCROLL),
                       inside.Height() + 1 + (header ? m_cyHeader : 0), SWP_NOZORDER | SWP_NOACTIVATE);
  if (horz) horz->Invalidate();
  if (vert) vert->Invalidate();
}

int SECListBaseC::SizeLabelColumn() {
  if (m_columns.empty()) return 0;
  CRect inside;
  GetInsideRect(&inside);
  int others = 0;
  SECListColumn* label = nullptr;
  for (SECListColumn* col : m_columns) {
    if (col->iSubItem != 0)
      others += col->cx;
    else
      label = col;
  }
  if (label == nullptr) return 0;
  label->cx = inside.Width() - others;
  return label->cx;
}

BOOL SECListBaseC::FillLabelColumn() {
  if (GetColumnCount() == 1 || HasListStyleEx(LVXS_STRETCHLABEL)) {
    SizeLabelColumn();
    return TRUE;
  }
  return FALSE;
}

void SECListBaseC::OnSize(UINT nType, int cx, int cy) {
  PositionScrollBars();
  if (GetColumnCount() >= 1) {
    FillLabelColumn();
    RecalcLayout();
  }
  Default();
}
