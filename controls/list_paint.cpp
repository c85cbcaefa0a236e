// Painting of the list: paint contexts and their colours, the header band,
// rows, cells, images, text and grid lines, all through an off-screen DC.
#include "controls/list_base.h"

#include <cstring>

#include "controls/offscreen_dc.h"

namespace {
constexpr UINT kPaintCellFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
constexpr UINT kPaintHeaderFormat = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
constexpr int kPaintTextLeft = 6;
constexpr int kPaintTextRight = 5;
constexpr int kPaintImageTextGap = 4;
constexpr int kPaintFillGrow = 2;
constexpr int kPaintImageTextTop = 3;
constexpr int kPaintFocusLeft = 3;
constexpr int kPaintIconWidth = 16;
constexpr int kPaintHeaderImageMinWidth = 22;
constexpr int kPaintHeaderImageSpan = 26;
constexpr int kPaintHeaderImageGap = 10;
constexpr int kPaintHeaderExtra = 2;
constexpr COLORREF kPaintDragImageFill = RGB(110, 110, 110);

// The pens and brush every list shares, made on first use.
CPen& PaintGridPen() {
  static CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  return pen;
}
CBrush& PaintHeaderBrush() {
  static CBrush brush(::GetSysColor(COLOR_BTNFACE));
  return brush;
}

UINT PaintAlignmentFormat(const SECListColumn* col) {
  if (col == nullptr) return 0;
  if (col->Alignment() == LVCFMT_RIGHT) return DT_RIGHT;
  if (col->Alignment() == LVCFMT_CENTER) return DT_CENTER;
  return DT_LEFT;
}
}  // namespace

// ---- Paint contexts and colours ----

SECListPaintContext* SECListBaseC::CreatePaintContext(CDC* pDC) { return new SECListPaintContext(pDC); }

BOOL SECListBaseC::PrepareCell(SECListPaintContext* pContext) {
  LV_ITEM& lvi = pContext->lvi;
  lvi.mask = LVIF_TEXT | LVIF_STATE | LVIF_IMAGE;
  lvi.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  lvi.pszText = m_pszTextBuffer;
  lvi.cchTextMax = kSECListTextBufferSize;
  m_pszTextBuffer[0] = '\0';
  pContext->nView = m_dwListStyle & LVS_TYPEMASK;
  if (!GetItem(&lvi, FALSE, TRUE)) return FALSE;
  if (lvi.mask & LVIF_DI_SETITEM) SetItem(&lvi, FALSE);
  if (lvi.pszText != nullptr && lvi.pszText[0] == '\0') lvi.pszText = nullptr;
  SetRowBkColor(pContext);
  SetFocusColor(pContext);
  SetItemColors(pContext);
  SetCellFont(pContext);
  return TRUE;
}

void SECListBaseC::SetRowBkColor(SECListPaintContext* pContext) { pContext->rgbItemBkgnd = GetBkColor(); }

void SECListBaseC::SetFocusColor(SECListPaintContext* pContext) {
  const bool enabled = !HasWindow() || IsWindowEnabled();
  const bool focus = HasWindow() && ::GetFocus() == m_hWnd;
  if (!enabled)
    pContext->rgbIconBkgnd = GetBkColor();
  else if ((pContext->lvi.state & LVIS_SELECTED) && focus)
    pContext->rgbIconBkgnd = GetSelLabelBkColor();
  else
    pContext->rgbIconBkgnd = GetLabelBkColor();
}

void SECListBaseC::SetItemColors(SECListPaintContext* pContext) {
  const bool enabled = !HasWindow() || IsWindowEnabled();
  const bool focus = HasWindow() && ::GetFocus() == m_hWnd;
  const bool disabledRow = (pContext->lviEx.state & kSECListExDisabledRow) != 0;
  const bool subCell = pContext->lvi.iSubItem >= 1 && !HasListStyleEx(LVXS_FULLROWSELECT);
  const bool selected = (pContext->lvi.state & LVIS_SELECTED) != 0;
  COLORREF& text = pContext->rgbText;
  COLORREF& fill = pContext->rgbTextBkgnd;
  auto normal = [&] {
    text = disabledRow ? GetDisabledTextColor() : GetTextColor();
    fill = GetTextBkColor();
  };
  if (!enabled) {
    text = GetDisabledTextColor();
    fill = ::GetSysColor(COLOR_MENU);
  } else if (selected && (HasListStyle(LVS_SHOWSELALWAYS) || focus)) {
    if (subCell) {
      normal();
    } else if (!focus && m_nEditIndex == -1) {
      text = ::GetSysColor(COLOR_MENUTEXT);
      fill = ::GetSysColor(COLOR_MENU);
    } else {
      text = disabledRow ? GetDisabledTextColor() : GetSelTextColor();
      fill = GetSelTextBkColor();
    }
  } else {
    normal();
  }
  if (pContext->lvi.iItem == m_nDropHilightIndex && m_nDropHilightIndex != -1 && !subCell) {
    text = GetSelTextColor();
    fill = GetSelTextBkColor();
  }
}

void SECListBaseC::SetCellFont(SECListPaintContext* pContext) { pContext->pFont = GetItemFont(); }

void SECListBaseC::GetHorzGridPen(CPen** ppPen) { *ppPen = &PaintGridPen(); }

void SECListBaseC::GetVertGridPen(CPen** ppPen) { *ppPen = &PaintGridPen(); }

// ---- Painting ----

void SECListBaseC::OnPaint() {
  CPaintDC dc(this);
  PaintClient(&dc);
}

BOOL SECListBaseC::CreateMemDC(CDC* pDC, CDC** ppMemDC, RECT* area) {
  if (m_bRowDrag || m_bHeaderDrag) {
    *ppMemDC = pDC;
    return FALSE;
  }
  *ppMemDC = new SECOffscreenDC(pDC, *area);
  return TRUE;
}

void SECListBaseC::PaintClient(CDC* pDC) {
  const bool report = (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT;
  if (pDC->IsPrinting()) {
    SECListPaintContext* context = CreatePaintContext(pDC);
    context->nView = m_dwListStyle & LVS_TYPEMASK;
    if (report && IsHeaderVisible()) DrawHeader(context);
    DrawItems(context);
    delete context;
    return;
  }
  CRect area;
  GetClientRect(&area);
  if (m_dwScrollBars & WS_HSCROLL) area.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
  if (m_dwScrollBars & WS_VSCROLL) area.right -= ::GetSystemMetrics(SM_CXVSCROLL);
  CDC* dc = nullptr;
  const BOOL offscreen = CreateMemDC(pDC, &dc, &area);
  dc->FillSolidRect(&area, GetBkColor());
  SECListPaintContext* context = CreatePaintContext(dc);
  context->nView = m_dwListStyle & LVS_TYPEMASK;
  if (report && IsHeaderVisible()) DrawHeader(context);
  CRect inside;
  GetInsideRect(&inside);
  const int saved = dc->SaveDC();
  dc->IntersectClipRect(&inside);
  DrawItems(context);
  dc->RestoreDC(saved);
  if (offscreen) delete dc;
  if ((m_dwScrollBars & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL)) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(area.right, area.bottom, client.right - area.right, client.bottom - area.bottom,
                       GetBkColor());
  }
  delete context;
}

void SECListBaseC::DrawItems(SECListPaintContext* pContext) {
  CDC* dc = pContext->pdc;
  const bool printing = dc->IsPrinting();
  const int end = printing ? std::min(GetLastFullyVisibleIndex() + 1, GetItemCount()) : GetItemCount();
  CRect inside;
  GetInsideRect(&inside);
  int drawn = 0;
  if (pContext->nView == LVS_REPORT) {
    CRect row(inside.left - m_xScroll, inside.top, inside.left - m_xScroll + GetContentWidth(FALSE),
              inside.top);
    for (int i = m_nTopIndex; i < end; ++i) {
      EnsureMeasured(i);
      row.top = row.bottom + GetRowSpacing();
      row.bottom = row.top + m_heights.Get(i);
      if (printing || dc->RectVisible(&row)) {
        pContext->lvi.iItem = i;
        pContext->pItem = m_items[static_cast<size_t>(i)];
        pContext->rect = row;
        DrawRowReport(pContext);
        if (pContext->lvi.mask & LVIF_DI_SETITEM) SetItem(&pContext->lvi, FALSE);
      }
      ++drawn;
      if (row.bottom > inside.bottom) break;
    }
  } else if (pContext->nView == LVS_ICON) {
    const int width = GetColumnWidth(0);
    int x = inside.left - m_xScroll, y = inside.top, lineBottom = inside.top;
    for (int i = m_nTopIndex; i < end; ++i) {
      EnsureMeasured(i);
      if (x + width > inside.right && x > inside.left - m_xScroll) {
        x = inside.left;
        y = lineBottom;
      }
      CRect cell(x, y + GetRowSpacing(), x + width, y + RowExtent(i));
      lineBottom = std::max(lineBottom, static_cast<int>(cell.bottom));
      if (printing || dc->RectVisible(&cell)) {
        pContext->lvi.iItem = i;
        pContext->pItem = m_items[static_cast<size_t>(i)];
        pContext->rect = cell;
        DrawRowReport(pContext);
      }
      ++drawn;
      x += width;
      if (y > inside.bottom) break;
    }
  }
  if (!printing && HasWindow() && (m_dwScrollBars & WS_VSCROLL)) {
    if (CScrollBar* bar = GetScrollBarCtrl(SB_VERT)) {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_PAGE | SIF_POS;
      info.nPage = static_cast<UINT>(drawn);
      info.nPos = m_nTopIndex;
      bar->SetScrollInfo(&info, TRUE);
    }
  }
}

void SECListBaseC::DrawRowReport(SECListPaintContext* pContext) {
  SECListItem* item = pContext->pItem;
  const int row = pContext->lvi.iItem;
  if (IsCallbackItem(row)) {
    item->m_bDirty = TRUE;
    MeasureItem(pContext);
  }
  CDC* dc = pContext->pdc;
  const CRect rowRect = pContext->rect;
  int left = rowRect.left;
  for (int c = 0; c < GetColumnCount(); ++c) {
    SECListColumn* col = m_columns[static_cast<size_t>(c)];
    int width = col->cx;
    if (GetColumnCount() == 1) width = std::max(width, static_cast<int>(item->m_rcText.right));
    CRect cell(left, rowRect.top, left + width, rowRect.bottom);
    left += width;
    if (!dc->RectVisible(&cell) && !dc->IsPrinting()) continue;
    pContext->iCol = c;
    pContext->pCol = col;
    pContext->lvi.iSubItem = col->iSubItem;
    pContext->pSubItem = col->iSubItem >= 1 ? item->GetSubItem(col->iSubItem) : nullptr;
    pContext->rect = cell;
    PrepareCell(pContext);
    DrawCell(pContext);
  }
  pContext->rect = rowRect;
  const bool focus = HasWindow() && ::GetFocus() == m_hWnd;
  if (pContext->nView == LVS_REPORT && HasListStyleEx(LVXS_FULLROWSELECT) && row == m_nFocusIndex && focus &&
      GetColumnCount() >= 2) {
    CRect outline(rowRect.left + item->m_rcText.left - kPaintFocusLeft, rowRect.top, rowRect.right,
                  rowRect.bottom);
    dc->DrawFocusRect(&outline);
  }
  if (HasListStyleEx(LVXS_VGRIDLINES)) DrawVertGridLines(dc, row, &rowRect);
  if (HasListStyleEx(LVXS_HGRIDLINES)) DrawHorzGridLine(dc, row, &rowRect);
}

void SECListBaseC::DrawCell(SECListPaintContext* pContext) {
  pContext->pdc->FillSolidRect(&pContext->rect, pContext->rgbItemBkgnd);
  if (pContext->lvi.pszText == nullptr) return;
  if (pContext->lvi.iSubItem == 0) DrawCellImage(pContext);
  DrawCellText(pContext);
}

void SECListBaseC::DrawCellImage(SECListPaintContext* pContext) {
  CImageList* list = GetImageList(pContext->nView == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
  if (list == nullptr || pContext->lvi.iImage < 0) return;
  const SECListItem* item = pContext->pItem;
  CPoint at(pContext->rect.left + item->m_rcIcon.left, pContext->rect.top + item->m_rcIcon.top);
  if (pContext->nView == LVS_ICON)
    at.x = pContext->rect.left + (item->m_rcText.Width() - kPaintIconWidth) / 2;
  list->Draw(pContext->pdc, pContext->lvi.iImage, at, ILD_NORMAL);
}

void SECListBaseC::DrawCellText(SECListPaintContext* pContext) {
  CDC* dc = pContext->pdc;
  const CRect cell = pContext->rect;
  const SECListItem* item = pContext->pItem;
  const bool label = pContext->lvi.iSubItem == 0;
  CRect text(cell.left + kPaintTextLeft, cell.top, cell.right - kPaintTextRight, cell.bottom);
  CRect fill(cell.left, cell.top, cell.left + item->m_rcText.Width(), cell.bottom);
  if (pContext->pSubItem) fill.right = cell.left + pContext->pSubItem->m_rcText.right;
  if (label) fill.right = cell.left + item->m_rcText.right + kPaintFillGrow;
  if (label && !item->m_rcIcon.IsRectEmpty()) {
    if (pContext->nView == LVS_ICON) {
      text = item->m_rcText;
      text.OffsetRect(cell.left, cell.top);
      fill = text;
      fill.InflateRect(kPaintFillGrow, 0);
    } else {
      text.left = cell.left + item->m_rcIcon.right + kPaintImageTextGap;
      text.right = text.left + item->m_rcText.Width();
      text.top += kPaintImageTextTop;
      fill = CRect(cell.left + item->m_rcIcon.right + kPaintFillGrow, cell.top + item->m_rcIcon.top,
                   text.right + kPaintFillGrow, cell.bottom);
    }
  }
  CRect rowFill = fill;
  rowFill.right = cell.right;
  CFont* oldFont = dc->SelectObject(pContext->pFont);
  const COLORREF oldText = dc->SetTextColor(pContext->rgbText);
  const COLORREF oldBk = dc->SetBkColor(pContext->rgbIconBkgnd);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const bool selected = (pContext->lvi.state & LVIS_SELECTED) != 0;
  if (HasListStyleEx(LVXS_FULLROWSELECT) && selected)
    dc->FillSolidRect(&rowFill, pContext->rgbTextBkgnd);
  else if (label || HasListStyleEx(LVXS_FULLROWSELECT))
    dc->FillSolidRect(&fill, pContext->rgbTextBkgnd);
  UINT format = kPaintCellFormat | PaintAlignmentFormat(pContext->pCol);
  if (HasListStyle(LVS_NOLABELWRAP)) format |= DT_SINGLELINE | DT_END_ELLIPSIS;
  const bool editing = pContext->lvi.iItem == m_nEditIndex && pContext->iCol == m_nEditColumn;
  if (!editing) dc->DrawText(pContext->lvi.pszText, -1, &text, format);
  dc->SetBkMode(oldMode);
  dc->SetBkColor(oldBk);
  dc->SetTextColor(oldText);
  dc->SelectObject(oldFont);
}

void SECListBaseC::DrawHorzGridLine(CDC* pDC, int nRow, const RECT* rect) {
  CPen* pen = nullptr;
  GetHorzGridPen(&pen);
  CPen* old = pDC->SelectObject(pen);
  pDC->MoveTo(rect->left, rect->bottom - 1);
  pDC->LineTo(rect->right, rect->bottom - 1);
  pDC->SelectObject(old);
}

void SECListBaseC::DrawVertGridLines(CDC* pDC, int nRow, const RECT* rect) {
  CPen* vert = nullptr;
  CPen* horz = nullptr;
  GetVertGridPen(&vert);
  GetHorzGridPen(&horz);
  CPen* old = pDC->SelectObject(vert);
  const int count = GetColumnCount();
  const int lines = HasListStyleEx(LVXS_STRETCHLABEL) ? count - 1 : count;
  for (int c = 0; c < lines; ++c) {
    const int x = GetColumnRight(c);
    pDC->MoveTo(x, rect->top);
    pDC->LineTo(x, rect->bottom);
  }
  pDC->SelectObject(horz);
  if (nRow == GetItemCount() - 1) {
    pDC->MoveTo(rect->left, rect->bottom - 1);
    pDC->LineTo(rect->right, rect->bottom - 1);
  }
  for (int c = 0; c < count; ++c) {
    if (m_columns[static_cast<size_t>(c)]->iSubItem != 0 && c != count - 1) continue;
    if (c == count - 1 && HasListStyleEx(LVXS_STRETCHLABEL)) continue;
    const int x = GetColumnRight(c);
    pDC->MoveTo(x, rect->top);
    pDC->LineTo(x, rect->bottom);
  }
  pDC->SelectObject(old);
}

// ---- Header ----

namespace {
// The heading of a column inside its button, with its image when it fits.
void PaintHeading(SECListBaseC& list, CDC* dc, SECListColumn* col, CRect button, bool pressed) {
  CRect text(button.left + kPaintTextLeft, button.top, button.right - kPaintTextRight, button.bottom);
  if (pressed) text.OffsetRect(1, 1);
  UINT format = kPaintHeaderFormat | PaintAlignmentFormat(col);
  if (list.GetImageList(3) && col->iImage >= 0 && button.Width() > kPaintHeaderImageMinWidth) {
    UINT imageFormat = 0;
    list.DrawHeaderImage(dc, col, &text, &imageFormat);
    format = (format & ~(DT_CENTER | DT_RIGHT)) | imageFormat;
  }
  if (dc->GetTextExtent(col->strHeading).cx > text.Width()) format |= DT_END_ELLIPSIS;
  dc->DrawText(col->strHeading, &text, format);
}
}  // namespace

void SECListBaseC::DrawHeader(SECListPaintContext* pContext) {
  CDC* dc = pContext->pdc;
  CRect client, inside;
  GetClientRect(&client);
  GetInsideRect(&inside);
  CRect band(inside.left, client.top,
             std::max(inside.left + GetContentWidth(FALSE), static_cast<int>(client.right)),
             client.top + m_cyHeader);
  if (!dc->RectVisible(&band)) return;
  CFont* oldFont = dc->SelectObject(GetHeaderFont());
  dc->FillRect(&band, &PaintHeaderBrush());
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldText = dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  int left = -m_xScroll;
  for (SECListColumn* col : m_columns) {
    if (col->cx > 0) {
      CRect button(left, band.top, left + col->cx, band.bottom);
      dc->DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    left += col->cx;
  }
  CRect rest(left, band.top, std::max(static_cast<int>(band.right), left) + kPaintHeaderExtra, band.bottom);
  dc->DrawFrameControl(&rest, DFC_BUTTON, DFCS_BUTTONPUSH);
  left = -m_xScroll;
  for (SECListColumn* col : m_columns) {
    if (col->cx > 0) PaintHeading(*this, dc, col, CRect(left, band.top, left + col->cx, band.bottom), false);
    left += col->cx;
  }
  dc->SetTextColor(oldText);
  dc->SetBkMode(oldMode);
  dc->SelectObject(oldFont);
}

void SECListBaseC::DrawHeaderItem(int nCol, BOOL bPressed) {
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr || !HasWindow()) return;
  CClientDC dc(this);
  CRect button(GetColumnLeft(nCol), 0, GetColumnRight(nCol), m_cyHeader);
  if (CScrollBar* vert = GetScrollBarCtrl(SB_VERT); vert && (m_dwScrollBars & WS_VSCROLL)) {
    CRect bar;
    vert->GetWindowRect(&bar);
    ScreenToClient(&bar);
    dc.ExcludeClipRect(&bar);
  }
  dc.FillSolidRect(&button, ::GetSysColor(COLOR_BTNFACE));
  dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH | (bPressed ? DFCS_PUSHED | DFCS_FLAT : 0));
  CFont* oldFont = dc.SelectObject(GetHeaderFont());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  PaintHeading(*this, &dc, col, button, bPressed != FALSE);
  dc.SelectObject(oldFont);
}

void SECListBaseC::DrawHeaderImage(CDC* pDC, SECListColumn* pCol, RECT* rectText, UINT* pFormat) {
  CImageList* list = GetImageList(3);
  if (list == nullptr) return;
  CRect text(*rectText);
  const int textWidth = pDC->GetTextExtent(pCol->strHeading).cx;
  int x = text.left;
  if (pCol->Alignment() == LVCFMT_CENTER)
    x = text.left + (text.Width() - (textWidth + kPaintHeaderImageSpan)) / 2;
  else if (pCol->Alignment() == LVCFMT_RIGHT)
    x = text.right - textWidth - kPaintHeaderImageSpan;
  const bool onRight = (pCol->fmt & LVCFMT_BITMAP_ON_RIGHT) != 0;
  if (onRight) x = std::min(text.left + textWidth + kPaintHeaderImageGap, text.right - kPaintIconWidth);
  x = std::max(x, static_cast<int>(text.left));
  list->Draw(pDC, pCol->iImage, CPoint(x, text.top + 1), ILD_NORMAL);
  if (onRight) {
    rectText->right = x - kPaintHeaderImageGap;
    *pFormat = DT_RIGHT;
  } else {
    rectText->left = x + kPaintHeaderImageSpan;
    *pFormat = DT_LEFT;
  }
}

CImageList* SECListBaseC::CreateHeaderDragImage(int nCol) {
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr || !HasWindow()) return nullptr;
  CClientDC screen(this);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, col->cx, m_cyHeader + 1);
  CBitmap* old = dc.SelectObject(&bitmap);
  CRect button(0, 0, col->cx, m_cyHeader + 1);
  dc.FillSolidRect(&button, kPaintDragImageFill);
  button.top += kPaintFillGrow;
  dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH);
  CFont* oldFont = dc.SelectObject(GetHeaderFont());
  dc.SetBkMode(TRANSPARENT);
  PaintHeading(*this, &dc, col, button, false);
  dc.SelectObject(oldFont);
  dc.SelectObject(old);
  auto* image = new CImageList;
  image->Create(col->cx, m_cyHeader + 1, ILC_MASK | ILC_COLOR24, 1, 1);
  image->Add(&bitmap, ::GetSysColor(COLOR_BTNFACE));
  return image;
}
