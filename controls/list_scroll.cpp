// Hit testing, the scroll-bar children, row and pixel scrolling, and the
// column divider and header drags.
#include "controls/list_base.h"

#include "controls/list_tip.h"

namespace {
constexpr int kScrollDividerSlop = 4;
constexpr int kScrollLineStep = 15;
constexpr int kScrollMinColumnWidth = 10;
constexpr int kScrollStretchMinWidth = 6;
constexpr int kScrollStretchFloor = 5;
constexpr int kScrollDragLineWidth = 2;
constexpr COLORREF kScrollDropMarkerColour = RGB(0, 0, 255);
constexpr int kScrollHeaderExtra = 2;
constexpr UINT kScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
}  // namespace

// ---- Hit testing ----

int SECListBaseC::HitTest(int x, int y, UINT* pFlags, int* pCol) {
  UINT flags = 0;
  int column = -1;
  int result = -1;
  CRect client, inside;
  GetClientRect(&client);
  GetInsideRect(&inside);
  if (y < client.top) flags |= LVHT_ABOVE;
  if (y > client.bottom) flags |= LVHT_BELOW;
  if (x < client.left) flags |= LVHT_TOLEFT;
  if (x > client.right) flags |= LVHT_TORIGHT;
  if (flags) {
    if (pFlags) *pFlags = flags;
    if (pCol) *pCol = -1;
    return -1;
  }
  if (GetColumnCount() == 1) {
    column = 0;
  } else if (GetColumnCount() > 1) {
    int left = -m_xScroll;
    for (int c = 0; c < GetColumnCount(); ++c) {
      const int right = left + m_columns[static_cast<size_t>(c)]->cx;
      if (x >= left && x < right) {
        column = c;
        break;
      }
      left = right;
    }
  }
  if (y > inside.top) {
    int top = inside.top;
    for (int i = m_nTopIndex; IsValidRow(i); ++i) {
      EnsureMeasured(i);
      const int rowTop = top + GetRowSpacing();
      const int rowBottom = top + RowExtent(i);
      if (y >= rowTop && y < rowBottom && x >= inside.left && x < inside.right) {
        result = i;
        flags |= kSECListHitRow;
        const SECListColumn* col = GetColumnRecord(column);
        if (col && col->iSubItem == 0) {
          const SECListItem* item = m_items[static_cast<size_t>(i)];
          const int cellLeft = GetColumnLeft(column);
          const int labelLeft = cellLeft + item->m_rcText.left;
          const int labelRight = cellLeft + item->m_rcText.right;
          CRect icon = item->m_rcIcon;
          icon.OffsetRect(cellLeft, rowTop);
          CRect state = item->m_rcStateIcon;
          state.OffsetRect(cellLeft, rowTop);
          if (x >= labelLeft && x < labelRight)
            flags |= LVHT_ONITEMLABEL;
          else if (icon.PtInRect(CPoint(x, y)))
            flags |= LVHT_ONITEMICON;
          else if (state.PtInRect(CPoint(x, y)))
            flags |= LVHT_ONITEMSTATEICON;
          else if (x < labelLeft)
            flags |= kSECListHitLeftOfLabel;
          else
            flags |= kSECListHitRightOfLabel;
        }
        break;
      }
      top = rowBottom;
      if (top >= inside.bottom) break;
    }
  } else {
    int n = GetColumnCount();
    if (HasListStyleEx(LVXS_STRETCHLABEL)) --n;
    int left = -m_xScroll;
    for (int c = 0; c <= n; ++c) {
      const int right = left + GetColumnWidth(c);
      if (GetColumnCount() >= 1 && x >= right - kScrollDividerSlop && x <= right + kScrollDividerSlop) {
        flags = kSECListHitDivider;
        result = c;
        break;
      }
      if (x >= left && x < right && y >= client.top && y <= inside.top) {
        flags = kSECListHitHeader;
        result = c;
        break;
      }
      left = right;
    }
    if (flags) column = result;
  }
  if (flags == 0) flags = LVHT_NOWHERE;
  if (pFlags) *pFlags = flags;
  if (pCol) *pCol = column;
  return result;
}

// ---- Scroll bars ----

void SECListBaseC::ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo) {
  if (HasListStyle(LVS_NOSCROLL)) bShow = FALSE;
  if (nBar == SB_BOTH) {
    ShowScrollBarCtrl(SB_HORZ, bShow, pInfo);
    ShowScrollBarCtrl(SB_VERT, bShow, pInfo);
    return;
  }
  if (!HasWindow()) return;
  CScrollBar* bar = GetScrollBarCtrl(nBar);
  if (bar == nullptr) {
    if (!bShow) return;
    const bool horz = nBar == SB_HORZ;
    if (!CreateScrollBarCtrl(horz ? SBS_HORZ : SBS_VERT, horz ? kSECListHScrollId : kSECListVScrollId))
      AfxThrowResourceException();
    bar = GetScrollBarCtrl(nBar);
    if (bar == nullptr) AfxThrowResourceException();
    bar->ShowWindow(SW_HIDE);
  }
  if (pInfo) bar->SetScrollInfo(pInfo, FALSE);
  const DWORD bit = nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
  const DWORD old = m_dwScrollBars;
  if (bShow)
    m_dwScrollBars |= bit;
  else
    m_dwScrollBars &= ~bit;
  if (old != m_dwScrollBars) {
    bar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    bar->Invalidate(TRUE);
    bar->UpdateWindow();
  }
}

void SECListBaseC::UpdateVScroll(int nRows) {
  if (!HasWindow()) return;
  CRect before;
  GetInsideRect(&before);
  const int perPage = GetCountPerPage();
  if (perPage < nRows) {
    if (nRows - perPage < m_nTopIndex) ScrollRows((nRows - m_nTopIndex) - perPage, FALSE);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = kScrollInfoMask;
    info.nMin = 0;
    info.nMax = GetItemCount() - 1;
    info.nPage = static_cast<UINT>(perPage);
    info.nPos = m_nTopIndex;
    ShowScrollBarCtrl(SB_VERT, TRUE, &info);
  } else {
    if (m_nTopIndex > 0) ScrollRows(-m_nTopIndex, FALSE);
    ShowScrollBarCtrl(SB_VERT, FALSE, nullptr);
  }
  CRect after;
  GetInsideRect(&after);
  if (after.Width() != before.Width() && FillLabelColumn()) Invalidate(TRUE);
}

void SECListBaseC::UpdateHScroll(int nWidth) {
  if (!HasWindow()) return;
  CRect inside;
  GetInsideRect(&inside);
  const int width = inside.Width();
  if (width < nWidth) {
    if (m_xScroll > nWidth - width) ScrollHorz(m_xScroll - (nWidth - width));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = kScrollInfoMask;
    info.nMin = 0;
    info.nMax = nWidth;
    info.nPage = static_cast<UINT>(width);
    info.nPos = m_xScroll;
    ShowScrollBarCtrl(SB_HORZ, TRUE, &info);
  } else {
    m_xScroll = 0;
    ShowScrollBarCtrl(SB_HORZ, FALSE, nullptr);
  }
}

void SECListBaseC::UpdateScrollBars() {
  if (!HasWindow()) return;
  UpdateVScroll(GetContentHeight());
  UpdateHScroll(GetContentWidth(FALSE));
  UpdateVScroll(GetContentHeight());
  PositionScrollBars();
}

// ---- Scrolling ----

void SECListBaseC::ScrollHorz(int dx) {
  m_xScroll -= dx;
  if (m_xScroll < 0) m_xScroll = 0;
  CRect inside;
  GetInsideRect(&inside);
  const int most = GetContentWidth(FALSE) - inside.Width();
  if (m_xScroll > most) m_xScroll = most;
  if (!HasWindow()) return;
  if (CScrollBar* bar = GetScrollBarCtrl(SB_HORZ)) bar->SetScrollPos(m_xScroll, TRUE);
  Invalidate(FALSE);
}

void SECListBaseC::ScrollRows(int nRows, BOOL bFromBottom) {
  if (bFromBottom) {
    // Brings row last + n to the bottom of the page: the new top is the
    // first row from which the rows down to it still fit.
    const int last = GetLastFullyVisibleIndex();
    if (last < 0) return;
    const int target = std::clamp(last + nRows, 0, GetItemCount() - 1);
    CRect inside;
    GetInsideRect(&inside);
    int used = 0, top = target;
    for (int i = target; i >= 0; --i) {
      EnsureMeasured(i);
      if (used + RowExtent(i) > inside.Height() && i != target) break;
      used += RowExtent(i);
      top = i;
    }
    ScrollRows(top - m_nTopIndex, FALSE);
    return;
  }
  const int top = std::clamp(m_nTopIndex + nRows, 0, std::max(GetItemCount() - 1, 0));
  if (top == m_nTopIndex) return;
  m_nTopIndex = top;
  if (HasWindow()) Invalidate(TRUE);
}

BOOL SECListBaseC::EnsureVisible(int nRow, BOOL) {
  const int last = GetLastFullyVisibleIndex();
  if (last != -1 && nRow > last)
    ScrollRows(nRow - last, TRUE);
  else if (nRow < m_nTopIndex)
    ScrollRows(nRow - m_nTopIndex, FALSE);
  return TRUE;
}

BOOL SECListBaseC::EnsureRangeVisible(int nFirst, int nLast) {
  if (nFirst < 0 || nLast > GetItemCount() || nLast < nFirst) return FALSE;
  if (nFirst >= m_nTopIndex && nLast <= GetLastFullyVisibleIndex()) return TRUE;
  CRect inside;
  GetInsideRect(&inside);
  const int height = inside.Height();
  int sum = 0;
  for (int i = nFirst; i <= nLast && sum < height; ++i) {
    if (!IsValidRow(i)) return nLast == GetItemCount() && i == nLast ? TRUE : FALSE;
    EnsureMeasured(i);
    sum += RowExtent(i);
  }
  int left = height - sum;
  int top = nFirst;
  while (left > 0 && top > 0) {
    EnsureMeasured(top - 1);
    const int extent = RowExtent(top - 1);
    if (extent > left) break;
    left -= extent;
    --top;
  }
  ScrollRows(std::max(top, 0) - m_nTopIndex, FALSE);
  return TRUE;
}

void SECListBaseC::SetTopIndex(int nRow) {
  ScrollRows(nRow - m_nTopIndex, FALSE);
  UpdateScrollBars();
}

void SECListBaseC::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  EndLabelEdit(TRUE);
  m_pTip->Hide();
  CRect inside;
  GetInsideRect(&inside);
  const int width = inside.Width();
  switch (nSBCode) {
    case SB_LINELEFT:
      ScrollHorz(kScrollLineStep);
      break;
    case SB_LINERIGHT:
      ScrollHorz(-kScrollLineStep);
      break;
    case SB_PAGELEFT:
      ScrollHorz(width);
      break;
    case SB_PAGERIGHT:
      ScrollHorz(-width);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      ScrollHorz(m_xScroll - static_cast<int>(nPos));
      break;
    case SB_LEFT:
      ScrollHorz(m_xScroll);
      break;
    case SB_RIGHT:
      ScrollHorz(-(GetContentWidth(FALSE) - width - m_xScroll));
      break;
    default:
      break;
  }
}

void SECListBaseC::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  EndLabelEdit(TRUE);
  m_pTip->Hide();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  CScrollBar* bar = pScrollBar ? pScrollBar : GetScrollBarCtrl(SB_VERT);
  if (bar) bar->GetScrollInfo(&info, SIF_ALL);
  const int page = static_cast<int>(info.nPage);
  switch (nSBCode) {
    case SB_LINEUP:
      if (info.nPos >= 1) ScrollRows(-1, FALSE);
      break;
    case SB_LINEDOWN:
      if (info.nPos + page < info.nMax + 1) ScrollRows(1, FALSE);
      break;
    case SB_PAGEUP:
      ScrollRows(-GetCountPerPageAtEnd(FALSE), FALSE);
      break;
    case SB_PAGEDOWN: {
      const int top = std::min(m_nTopIndex + page, info.nMax - page + 1);
      ScrollRows(top - m_nTopIndex, FALSE);
      break;
    }
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      ScrollRows(static_cast<int>(nPos) - info.nPos, FALSE);
      break;
    case SB_TOP:
      ScrollRows(-info.nPos, FALSE);
      break;
    case SB_BOTTOM:
      ScrollRows(info.nMax - page - info.nPos + 1, FALSE);
      break;
    default:
      break;
  }
  if (bar && nSBCode != SB_ENDSCROLL) bar->SetScrollPos(m_nTopIndex, TRUE);
}

// ---- Column resize ----

int SECListBaseC::TrackColumnResize(int x, int y, int nCol) {
  if (!HasWindow()) return 0;
  if (HWND other = ::GetCapture(); other && other != m_hWnd) return 0;
  SetCapture();
  UpdateWindow();
  const int x0 = x;
  const int left = GetColumnLeft(nCol);
  CRect client, inside;
  GetClientRect(&client);
  GetInsideRect(&inside);
  const CSize frame(1, 1);
  CRect line(left + GetColumnWidth(nCol), client.top, left + GetColumnWidth(nCol) + kScrollDragLineWidth,
             inside.bottom);
  {
    CClientDC dc(this);
    dc.DrawDragRect(&line, frame, nullptr, frame);
  }
  int end = x0;
  MSG msg;
  while (::GetCapture() == m_hWnd && ::GetMessage(&msg, nullptr, 0, 0)) {
    if (msg.message == WM_MOUSEMOVE) {
      const int nx =
          std::max(static_cast<int>(static_cast<short>(LOWORD(msg.lParam))), left + kScrollMinColumnWidth);
      CRect next(nx, line.top, nx + kScrollDragLineWidth, line.bottom);
      CClientDC dc(this);
      dc.DrawDragRect(&next, frame, &line, frame);
      line = next;
      end = nx;
    } else if (msg.message == WM_LBUTTONUP) {
      end = static_cast<short>(LOWORD(msg.lParam));
      break;
    } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
      end = x0;
      break;
    } else if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR) {
      ::DispatchMessage(&msg);
    }
  }
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  {
    CClientDC dc(this);
    dc.DrawDragRect(&line, CSize(0, 0), &line, frame);
  }
  if (end != x0) end = std::max(end, left + kScrollMinColumnWidth);
  return end - x0;
}

void SECListBaseC::FinishColumnResize(int nCol, int nDelta) {
  SECListColumn* col = GetColumnRecord(nCol);
  if (col == nullptr) return;
  col->cx += nDelta;
  if (HasListStyleEx(LVXS_STRETCHLABEL)) {
    if (SECListColumn* next = GetColumnRecord(nCol + 1)) next->cx -= nDelta;
    int total = 0;
    for (SECListColumn* c : m_columns) {
      if (c->cx < kScrollStretchMinWidth) c->cx = kScrollStretchFloor;
      total += c->cx;
    }
    CRect inside;
    GetInsideRect(&inside);
    if (total > inside.Width()) m_columns.front()->cx -= total - inside.Width();
  }
  if (IsLabelWrap()) ResetItemHeights();
  RecalcLayout();
  Invalidate(TRUE);
}

// ---- Header drag ----

void SECListBaseC::DrawDropMarker(int x, int y, int nCol) {
  if (GetColumnCount() == 0) return;
  if (nCol == -1) nCol = GetColumnCount() - 1;
  if (nCol == 0) nCol = 1;
  if (nCol >= GetColumnCount()) return;
  const int left = GetColumnLeft(nCol);
  const int right = GetColumnRight(nCol);
  const int mid = (left + right) / 2;
  int at = 0;
  if (x < mid) {
    if (x < GetColumnWidth(0) / 2 - m_xScroll) return;
    at = left;
    m_nDropColumn = nCol;
  } else {
    at = right;
    m_nDropColumn = nCol + 1;
  }
  if (!HasWindow()) return;
  CClientDC dc(this);
  dc.FillSolidRect(at, 0, kScrollDragLineWidth, m_cyHeader, kScrollDropMarkerColour);
}

void SECListBaseC::RedrawDropColumn(int nDropCol) {
  if (!HasWindow() || nDropCol <= 0) return;
  if (nDropCol < GetColumnCount()) {
    DrawHeaderItem(nDropCol, nDropCol == m_nPressedColumn);
    return;
  }
  CClientDC dc(this);
  CRect client;
  GetClientRect(&client);
  CRect rest(GetColumnRight(nDropCol - 1), 0, client.right + kScrollHeaderExtra, m_cyHeader);
  if (CScrollBar* vert = GetScrollBarCtrl(SB_VERT); vert && (m_dwScrollBars & WS_VSCROLL)) {
    CRect bar;
    vert->GetWindowRect(&bar);
    ScreenToClient(&bar);
    if (CRect overlap; overlap.IntersectRect(&bar, &rest)) dc.ExcludeClipRect(&bar);
  }
  dc.DrawFrameControl(&rest, DFC_BUTTON, DFCS_BUTTONPUSH);
}
