// SECDockBar's layout pass: rows of bars sharing the row's length, with
// splitters between bars and beside rows, and client edge lines.
#include <algorithm>

#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

using sec_dock::kClientEdge;
using sec_dock::kSplitter;

namespace {
template <class T>
void DropDead(CObArray& items) {
  for (int i = static_cast<int>(items.GetSize()) - 1; i >= 0; --i) {
    auto* item = static_cast<T*>(items[i]);
    if (!item->m_bLive) {
      delete item;
      items.RemoveAt(i);
    }
  }
}
template <class T>
void MarkDead(CObArray& items) {
  for (int i = 0; i < items.GetSize(); ++i) static_cast<T*>(items[i])->m_bLive = FALSE;
}
}  // namespace

LRESULT SECDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* saved = m_pLayout;
  m_pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  LRESULT result = CDockBar::OnSizeParent(wParam, lParam);
  m_pLayout = saved;
  return result;
}

// Lays out the row starting at nStart, nOffset pixels across from the dock
// bar's start; returns the row's thickness (0 when no bar is visible).
int SECDockBar::LayoutRow(int nStart, int nRowLength, int nOffset, HDWP* phDWP, BOOL* pbThicker) {
  const BOOL horz = IsHorzDock();
  const DWORD alongMode = horz ? (LM_HORZ | LM_HORZDOCK) : (LM_VERTDOCK | LM_LENGTHY);
  const DWORD acrossMode = horz ? (LM_HORZ | LM_HORZDOCK | LM_LENGTHY) : LM_VERTDOCK;
  int stretchable = 0, fixed = 0;
  NormalizeRow(nStart, m_pLastShown, &stretchable, &fixed);
  CPtrArray visible;
  for (int i = nStart; i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible()) visible.Add(bar);
  const int n = static_cast<int>(visible.GetSize());
  if (n == 0) return 0;
  // First pass: each bar's length from its share; the row is as thick as its thickest bar.
  const int usable = std::max(0, nRowLength - kSplitter * (n - 1));
  int thickness = 0;
  std::vector<int> lengths;
  for (int i = 0; i < n; ++i) {
    auto* bar = static_cast<CControlBar*>(visible[i]);
    DWORD mode = alongMode | LM_COMMIT | (stretchable > 0 && !SECBarIsFixed(bar) ? LM_STRETCH : 0);
    CSize size = bar->CalcDynamicLayout(usable, mode);
    lengths.push_back(horz ? size.cx : size.cy);
    thickness = std::max(thickness, static_cast<int>(horz ? size.cy : size.cx));
  }
  // Second pass: every bar takes the row's thickness; bars follow each other along the row.
  int along = 0;
  for (int i = 0; i < n; ++i) {
    auto* bar = static_cast<CControlBar*>(visible[i]);
    bar->CalcDynamicLayout(thickness, acrossMode | LM_COMMIT);
    int length = lengths[i];
    if (i == n - 1 && !SECBarIsFixed(bar)) length = std::max(length, nRowLength - along);
    if (!m_bFloating && along + length > nRowLength) along = std::max(0, nRowLength - length);
    CRect rect = horz ? CRect(along, nOffset, along + length, nOffset + thickness)
                      : CRect(nOffset, along, nOffset + thickness, along + length);
    CRect old;
    bar->GetWindowRect(&old);
    ScreenToClient(&old);
    if (!m_bLayoutQuery && rect != old) {
      UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
      if (rect.Size() == old.Size()) flags |= SWP_NOSIZE;
      *phDWP = ::DeferWindowPos(*phDWP, bar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                rect.Height(), flags);
      if (!m_bFloating && bar->m_pDockContext) {
        bar->m_pDockContext->m_rectMRUDockPos = rect;
        bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(LOWORD(GetDlgCtrlID()));
      }
      AddToRepaintList(bar);
      if ((horz ? old.Height() : old.Width()) != thickness) *pbThicker = TRUE;
    }
    along += length;
    if (i + 1 < n) {
      if (!m_bLayoutQuery) {
        CRect split = horz ? CRect(along, nOffset, along + kSplitter, nOffset + thickness)
                           : CRect(nOffset, along, nOffset + thickness, along + kSplitter);
        AddSplitter(Splitter::betweenBars, horz ? Splitter::vertical : Splitter::horizontal, split,
                    FindBar(bar));
      }
      along += kSplitter;
    }
  }
  return thickness;
}

CSize SECDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = m_rectLayout.Size();
  if (m_rectLayout.IsRectEmpty()) {
    CRect r(0, 0, 0, 0);
    if (CWnd* parent = GetParent()) parent->GetClientRect(&r);
    size = r.Size();
  }
  const BOOL horz = IsHorzDock();
  const sec_dock::Side side = GetSide();
  HDWP dwp = nullptr;
  if (!m_bLayoutQuery) {
    dwp = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    MarkDead<Splitter>(m_arrSplitters);
    MarkDead<ClientEdge>(m_arrEdges);
  }
  int rowLength = horz ? size.cx : size.cy;
  int across = 0, longest = 0;
  int firstThicker = -1;
  for (int start = 1; start < m_arrBars.GetSize(); start = RowEnd(start) + 1) {
    if (m_bFloating) {
      // A floating dock bar's rows are as long as their bars want.
      int want = 0;
      for (int i = start; i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
        if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible()) {
          CSize s = bar->CalcDynamicLayout(
              -1, (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) ? LM_HORZ | LM_MRUWIDTH : LM_HORZ | LM_HORZDOCK);
          want += horz ? s.cx : s.cy;
        }
      rowLength = want;
    }
    const BOOL top_left = side == sec_dock::Side::kTop || side == sec_dock::Side::kLeft;
    BOOL thicker = FALSE;
    int offset = across;
    if (!m_bFloating && top_left) offset += kClientEdge;
    if (!m_bFloating && !top_left) offset += kSplitter;
    int thickness = LayoutRow(start, rowLength, offset, &dwp, &thicker);
    if (thickness == 0) continue;
    if (thicker && firstThicker < 0) firstThicker = start;
    longest = std::max(longest, rowLength);
    if (!m_bFloating && !m_bLayoutQuery) {
      if (top_left) {
        CRect edge = horz ? CRect(0, across, rowLength, across + kClientEdge)
                          : CRect(across, 0, across + kClientEdge, rowLength);
        AddClientEdge(horz ? 0 : 1, edge);
      }
      int at = top_left ? offset + thickness : across;
      CRect split = horz ? CRect(0, at, rowLength, at + kSplitter) : CRect(at, 0, at + kSplitter, rowLength);
      AddSplitter(Splitter::row, horz ? Splitter::horizontal : Splitter::vertical, split, start);
    }
    across = offset + thickness + (!m_bFloating && top_left ? kSplitter : 0);
  }
  if (!m_bLayoutQuery) {
    ::EndDeferWindowPos(dwp);
    DropDead<Splitter>(m_arrSplitters);
    DropDead<ClientEdge>(m_arrEdges);
    if (firstThicker >= 0) RepaintFrom(firstThicker);
  }
  m_pLastShown = nullptr;
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, horz);
  int length = m_bFloating ? longest : rowLength;
  if (across != 0) across += horz ? inside.top - inside.bottom : inside.left - inside.right;
  return horz ? CSize(length, across) : CSize(across, length);
}
