// SECDockBar: placing bars: by drop point, at a saved placement, docking by
// rectangle, re-docking at a placeholder, removing, and the drag feedback.
#include <algorithm>

#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_global_data.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
// The array as the drop arithmetic sees it, in the dock bar's client coordinates.
std::vector<sec_dock::DropEntry> DropEntries(const SECDockBar& dock, CControlBar* pSkip) {
  std::vector<sec_dock::DropEntry> entries;
  const BOOL horz = dock.IsHorzDock();
  for (int i = 0; i < dock.m_arrBars.GetSize(); ++i) {
    sec_dock::DropEntry e;
    void* entry = dock.m_arrBars[i];
    if (entry) {
      e.bar = true;
      CControlBar* bar = dock.GetDockedControlBar(i);
      if (bar && bar != pSkip && bar->IsVisible()) {
        CRect r;
        bar->GetWindowRect(&r);
        dock.ScreenToClient(&r);
        e.visible = true;
        e.nearAcross = horz ? r.top : r.left;
        e.farAcross = horz ? r.bottom : r.right;
        e.startAlong = horz ? r.left : r.top;
      }
    }
    entries.push_back(e);
  }
  return entries;
}
}  // namespace

int SECDockBar::InsertRowFirst(CControlBar* pBar) {
  m_arrBars.InsertAt(1, static_cast<void*>(nullptr));
  m_arrBars.InsertAt(1, pBar);
  RepaintFrom(1);
  return 1;
}

int SECDockBar::InsertBarAt(int nIndex, CControlBar* pBar) {
  nIndex = std::clamp(nIndex, 1, static_cast<int>(m_arrBars.GetSize()));
  m_arrBars.InsertAt(nIndex, pBar);
  auto isBar = [&](int i) { return i >= 0 && i < m_arrBars.GetSize() && GetDockedControlBar(i) != nullptr; };
  if (SECBarOwnsRow(pBar)) {
    // A row of its own: nulls against both neighbours.
    if (isBar(nIndex + 1)) m_arrBars.InsertAt(nIndex + 1, static_cast<void*>(nullptr));
    if (isBar(nIndex - 1)) m_arrBars.InsertAt(nIndex++, static_cast<void*>(nullptr));
  } else {
    if (isBar(nIndex + 1) && SECBarOwnsRow(GetDockedControlBar(nIndex + 1)))
      m_arrBars.InsertAt(nIndex + 1, static_cast<void*>(nullptr));
    if (isBar(nIndex - 1) && SECBarOwnsRow(GetDockedControlBar(nIndex - 1)))
      m_arrBars.InsertAt(nIndex++, static_cast<void*>(nullptr));
  }
  if (m_arrBars[m_arrBars.GetSize() - 1]) m_arrBars.Add(nullptr);
  return nIndex;
}

int SECDockBar::InsertBarByPoint(CControlBar* pBar, const CRect& rect, CPoint ptMid) {
  AddToRepaintList(pBar);
  const BOOL horz = IsHorzDock();
  sec_dock::DropPlace place = sec_dock::FindDropPlace(DropEntries(*this, pBar), horz ? ptMid.y : ptMid.x,
                                                      horz ? rect.left : rect.top);
  switch (place.kind) {
    case sec_dock::DropKind::kNewFirstRow:
      return InsertRowFirst(pBar);
    case sec_dock::DropKind::kInsertAt:
      RepaintFrom(place.index);
      return InsertBarAt(place.index, pBar);
    case sec_dock::DropKind::kEndOfRow:
      return InsertBarAt(place.index + 1, pBar);
    case sec_dock::DropKind::kNewLastRow:
      break;
  }
  m_bNewRow = TRUE;
  if (m_arrBars[m_arrBars.GetSize() - 1]) m_arrBars.Add(nullptr);
  m_arrBars.Add(pBar);
  m_arrBars.Add(nullptr);
  return static_cast<int>(m_arrBars.GetSize()) - 2;
}

int SECDockBar::InsertBarByPlacement(CControlBar* pBar, const SECDockPlacement& placement) {
  if (GetDockedCount() == 0) {
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
    return InsertRowFirst(pBar);
  }
  // Row starts; a dock bar's array always begins with a null.
  std::vector<int> starts;
  for (int i = 1; i < m_arrBars.GetSize(); i = RowEnd(i) + 1) starts.push_back(i);
  int rows = static_cast<int>(starts.size());
  int row = placement.nRow;
  if (placement.dwFlags & SECDockPlacement::fromLastRow) row = rows - 1 - row;
  row = std::max(row, 0);
  while (row >= rows) {
    // Rows that do not exist yet are made as empty rows.
    if (m_arrBars[m_arrBars.GetSize() - 1]) m_arrBars.Add(nullptr);
    starts.push_back(static_cast<int>(m_arrBars.GetSize()));
    m_arrBars.Add(nullptr);
    ++rows;
  }
  int start = starts[row];
  int index;
  if (placement.dwFlags & SECDockPlacement::newRow) {
    m_arrBars.InsertAt(start, static_cast<void*>(nullptr));
    index = start;
  } else {
    int end = RowEnd(start);
    int col = placement.nCol;
    if (placement.dwFlags & SECDockPlacement::fromRowEnd) {
      int count = 0;
      for (int i = start; i < end; ++i)
        if (m_arrBars[i]) ++count;
      col = std::max(0, count - col);
    }
    index = start;
    for (int seen = 0; index < end && seen < col; ++index)
      if (m_arrBars[index]) ++seen;
  }
  m_arrBars.InsertAt(index, pBar);
  if (m_arrBars[m_arrBars.GetSize() - 1]) m_arrBars.Add(nullptr);
  RepaintFrom(index);
  return index;
}

int SECDockBar::InsertBarAtRowColumn(CControlBar* pBar, int nRow, int nCol) {
  SECDockPlacement placement;
  placement.nRow = nRow;
  placement.nCol = nCol;
  return InsertBarByPlacement(pBar, placement);
}

void SECDockBar::TakeDockStyle(CControlBar* pBar) {
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
    CString title;
    pBar->GetWindowText(title);
    SetWindowText(title);
    if (m_bFloating)
      if (CFrameWnd* mini = GetParentFrame()) mini->SetWindowText(title);
  }
  DWORD style = pBar->GetBarStyle() & ~CBRS_ALIGN_ANY;
  style |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  if (m_bFloating)
    style |= CBRS_FLOATING;
  else
    style &= ~CBRS_FLOATING;
  pBar->SetBarStyle(style);
}

// Re-parents a bar that was placed in the array, takes it from its old dock
// bar and normalises the row that now holds it.
void SECDockBar::FinishDock(CControlBar* pBar, CDockBar* pOld, int nIndex) {
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (pOld == this)
    RemoveBar(pBar, nIndex, -1);
  else if (pOld)
    pOld->RemoveControlBar(pBar, -1, m_bFloating && !pOld->m_bFloating ? 1 : 0);
  pBar->m_pDockBar = this;
  int pos = FindBar(pBar);
  if (pos > 0) NormalizeRow(RowStart(pos), pBar);
  DelayLayout();
}

void SECDockBar::DockControlBarByRect(CControlBar* pBar, LPCRECT lpRect) {
  CRect barRect;
  pBar->GetWindowRect(&barRect);
  CDockBar* old = pBar->m_pDockBar;
  int oldPos = old == this ? FindBar(pBar) : -1;
  if (old == this && (!lpRect || barRect == *lpRect)) return;
  if (old == this && lpRect) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    CPoint mid = rect.CenterPoint();
    const BOOL horz = IsHorzDock();
    sec_dock::DropPlace place =
        sec_dock::FindDropPlace(DropEntries(*this, pBar), horz ? mid.y : mid.x, horz ? rect.left : rect.top);
    int index = place.kind == sec_dock::DropKind::kInsertAt   ? place.index
                : place.kind == sec_dock::DropKind::kEndOfRow ? place.index + 1
                                                              : -1;
    if (index == oldPos || index == oldPos + 1) return;
  }
  if (old && old->m_hWnd) old->Invalidate();
  TakeDockStyle(pBar);
  int pos;
  if (!lpRect) {
    if (m_arrBars[m_arrBars.GetSize() - 1]) m_arrBars.Add(nullptr);
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    pos = static_cast<int>(m_arrBars.GetSize()) - 2;
    pBar->SetWindowPos(nullptr, -secData.cxBorder2, -secData.cyBorder2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    pos = InsertBarByPoint(pBar, rect, rect.CenterPoint());
    pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  }
  FinishDock(pBar, old, pos);
}

void SECDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  UINT_PTR id = pBar->m_hWnd ? static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID())) : 0;
  int pos = id ? FindBar(reinterpret_cast<CControlBar*>(id)) : -1;
  if (pos <= 0) {
    DockControlBarByRect(pBar, lpRect);
    m_pLastShown = pBar;
    return;
  }
  TakeDockStyle(pBar);
  m_arrBars[pos] = pBar;
  BOOL show = pBar->IsWindowVisible();
  if (show)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (lpRect) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width() + 1, rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    pBar->SetWindowPos(nullptr, -secData.cxBorder2, -secData.cyBorder2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CDockBar* old = pBar->m_pDockBar;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (old && old != this) old->RemoveControlBar(pBar);
  pBar->m_pDockBar = this;
  if (show) pBar->DelayShow(TRUE);
  m_pLastShown = pBar;
  DelayLayout();
}

void SECDockBar::DockControlBar(CControlBar* pBar, const SECDockPlacement& placement) {
  CDockBar* old = pBar->m_pDockBar;
  if (old == this) RemoveBar(pBar, -1, -1);
  int pos = InsertBarByPlacement(pBar, placement);
  TakeDockStyle(pBar);
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (old && old != this) old->RemoveControlBar(pBar, -1, m_bFloating && !old->m_bFloating ? 1 : 0);
  pBar->m_pDockBar = this;
  pos = FindBar(pBar);
  if (pos > 0) NormalizeRow(RowStart(pos), pBar);
  DelayLayout();
}

void SECDockBar::DockControlBarAt(CControlBar* pBar, int nRow, int nCol) {
  SECDockPlacement placement;
  placement.nRow = nRow;
  placement.nCol = nCol;
  DockControlBar(pBar, placement);
}

BOOL SECDockBar::RemoveBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  int pos = FindBar(pBar, nPosExclude);
  if (pos <= 0) return FALSE;
  if (IsBarAlone(pBar)) {
    RepaintFrom(RowStart(pos));
    m_bNewRow = TRUE;
  }
  UINT_PTR id = pBar->m_hWnd ? static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID())) : 0;
  auto dropEntry = [&](int at) {
    m_arrBars.RemoveAt(at);
    if (at < m_arrBars.GetSize() && !m_arrBars[at - 1] && !m_arrBars[at]) m_arrBars.RemoveAt(at);
  };
  if (nAddPlaceHolder == 1 && id) {
    m_arrBars[pos] = reinterpret_cast<void*>(id);
    if (FindBar(reinterpret_cast<CControlBar*>(id), pos) > 0) dropEntry(pos);
  } else {
    dropEntry(pos);
    if (nAddPlaceHolder != -1) RemovePlaceHolder(pBar);
  }
  RemoveFromRepaintList(pBar);
  if (m_pLastShown == pBar) m_pLastShown = nullptr;
  if (!pBar->m_pDockContext) return FALSE;
  if (m_bFloating && GetDockedVisibleCount() == 0) {
    if (CFrameWnd* mini = GetParentFrame()) {
      if (GetDockedCount() == 0) {
        mini->DestroyWindow();
        return TRUE;
      }
      mini->ShowWindow(SW_HIDE);
    }
  } else if (CFrameWnd* frame = GetDockingFrame()) {
    frame->RecalcLayout();
  }
  return FALSE;
}

BOOL SECDockBar::CalcDropRect(CRect& rectDrop, CControlBar* pBar, const CRect& rectDrag, CPoint point,
                              int& nLastRow, CRect& rectLast, CPoint& ptLast) {
  const BOOL horz = IsHorzDock();
  CRect drag = rectDrag;
  ScreenToClient(&drag);
  CPoint mid = drag.CenterPoint();
  std::vector<sec_dock::DropEntry> entries = DropEntries(*this, pBar);
  sec_dock::DropPlace place =
      sec_dock::FindDropPlace(entries, horz ? mid.y : mid.x, horz ? drag.left : drag.top);
  // The row the drop lands in: its number, or -2 / the row count for a new first / last row.
  int row = -2, start = -1;
  if (place.kind == sec_dock::DropKind::kNewLastRow) {
    row = 0;
    for (int i = 1; i < m_arrBars.GetSize(); ++i)
      if (!m_arrBars[i]) ++row;
  } else if (place.kind != sec_dock::DropKind::kNewFirstRow) {
    start = RowStart(place.index);
    row = 0;
    for (int i = 1; i < start; ++i)
      if (!m_arrBars[i]) ++row;
  }
  CPtrArray others;
  BOOL ownRow = FALSE;
  float sum = 0;
  int thickness = 0;
  if (start > 0) {
    for (int i = start; i < m_arrBars.GetSize() && m_arrBars[i]; ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (!bar) continue;
      if (bar == pBar) {
        ownRow = TRUE;
        continue;
      }
      if (!bar->IsVisible()) continue;
      others.Add(bar);
      sum += SECBarShare(bar);
      CRect r;
      bar->GetWindowRect(&r);
      thickness = std::max(thickness, static_cast<int>(horz ? r.Height() : r.Width()));
    }
  }
  CRect client;
  GetClientRect(&client);
  CRect result = drag;
  if (others.GetSize() > 0 && row == nLastRow && !rectLast.IsRectEmpty()) {
    result = rectLast;
    ClientToScreen(&result);
    result.OffsetRect(point - ptLast);
    ScreenToClient(&result);
  } else if (ownRow) {
    result = drag;
  } else if (!SECBarIsFixed(pBar)) {
    if (others.GetSize() == 0) {
      result = horz ? CRect(0, drag.top, client.Width(), drag.bottom)
                    : CRect(drag.left, 0, drag.right, client.Height());
    } else {
      CPoint p = point;
      ScreenToClient(&p);
      float own = SECBarShare(pBar);
      int length = static_cast<int>(static_cast<float>(RowLength()) * own / (sum + own));
      result = horz ? CRect(p.x - length / 2, p.y - thickness / 2, p.x - length / 2 + length,
                            p.y - thickness / 2 + thickness)
                    : CRect(p.x - thickness / 2, p.y - length / 2, p.x - thickness / 2 + thickness,
                            p.y - length / 2 + length);
    }
  }
  ClientToScreen(&result);
  rectDrop = result;
  nLastRow = row;
  rectLast = result;
  ScreenToClient(&rectLast);
  ptLast = point;
  return TRUE;
}
