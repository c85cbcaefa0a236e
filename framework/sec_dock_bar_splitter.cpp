// SECDockBar's splitters: cursor, the modal drag with its limits, and the
// resizing of bars or rows when a drag ends.
#include <algorithm>

#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_global_data.h"
#include "platform/afx/track_loop.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

using sec_dock::kSplitter;

SECDockBar::Splitter* SECDockBar::SplitterAt(CPoint point) {
  for (int i = static_cast<int>(m_arrSplitters.GetSize()) - 1; i >= 0; --i) {
    auto* s = static_cast<Splitter*>(m_arrSplitters[i]);
    if (s->m_rect.PtInRect(point)) return s;
  }
  return nullptr;
}

BOOL SECDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) return TRUE;
  return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void SECDockBar::OnMouseMove(UINT nFlags, CPoint point) {
  Splitter* s = SplitterAt(point);
  ::SetCursor(!s                                 ? secData.hcurArrow
              : s->m_nType == Splitter::vertical ? secData.hcurVSplit
                                                 : secData.hcurHSplit);
  CDockBar::OnMouseMove(nFlags, point);
}

void SECDockBar::OnLButtonDown(UINT nFlags, CPoint point) {
  Splitter* s = SplitterAt(point);
  if (!s) {
    CDockBar::OnLButtonDown(nFlags, point);
    return;
  }
  int delta = TrackSplitter(s, point);
  if (delta != 0) {
    ApplySplitterMove(s, delta);
    DelayLayout();
    if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout();
  }
}

void SECDockBar::PrepareSplitter(Splitter* pSplitter) {
  const BOOL vertical = pSplitter->m_nType == Splitter::vertical;
  CRect client;
  GetClientRect(&client);
  if (pSplitter->m_nKind == Splitter::betweenBars) {
    int start = RowStart(pSplitter->m_nIndex);
    int before = 0, after = 0;
    for (int i = start; i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
      if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible())
        (i <= pSplitter->m_nIndex ? before : after)++;
    sec_dock::Limits l = sec_dock::BetweenBarsLimits(vertical ? client.left : client.top,
                                                     vertical ? client.right : client.bottom, before, after);
    pSplitter->m_nLower = l.lower;
    pSplitter->m_nUpper = l.upper;
    return;
  }
  int thickness = 0;
  for (int i = pSplitter->m_nIndex; i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible()) {
      CRect r;
      bar->GetWindowRect(&r);
      thickness = std::max(thickness, static_cast<int>(vertical ? r.Width() : r.Height()));
    }
  // The frame's free client area, in this dock bar's coordinates.
  CRect free(0, 0, 0, 0);
  if (CFrameWnd* frame = GetDockingFrame()) {
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &free);
    frame->MapWindowPoints(this, &free);
  }
  const CRect& r = pSplitter->m_rect;
  sec_dock::Limits l =
      vertical ? sec_dock::RowSplitterLimits(GetSide(), r.left, r.right, thickness, free.left, free.right)
               : sec_dock::RowSplitterLimits(GetSide(), r.top, r.bottom, thickness, free.top, free.bottom);
  pSplitter->m_nLower = l.lower;
  pSplitter->m_nUpper = l.upper;
}

int SECDockBar::TrackSplitter(Splitter* pSplitter, CPoint point) {
  if (::GetCapture()) return 0;
  PrepareSplitter(pSplitter);
  UpdateWindow();
  if (CFrameWnd* frame = GetDockingFrame()) frame->UpdateWindow();
  const BOOL vertical = pSplitter->m_nType == Splitter::vertical;
  const CRect& r = pSplitter->m_rect;
  const int origin = vertical ? r.left : r.top;
  const int grab = (vertical ? point.x : point.y) - origin;
  const sec_dock::Limits limits{pSplitter->m_nLower, pSplitter->m_nUpper};
  CWnd* desk = CWnd::GetDesktopWindow();
  CDC* dc = desk ? desk->GetWindowDC() : nullptr;
  int start = origin;
  pSplitter->m_bDrawn = FALSE;
  // The outline: 5 pixels across, the splitter's length less a pixel at each end.
  auto outline = [&](int at) {
    CRect o = vertical ? CRect(at, r.top + 1, at + kSplitter, r.bottom - 1)
                       : CRect(r.left + 1, at, r.right - 1, at + kSplitter);
    ClientToScreen(&o);
    return o;
  };
  auto draw = [&](const CRect* rect) {
    if (!dc) return;
    CSize size = rect ? CSize(5, 5) : CSize(0, 0);
    CRect none(0, 0, 0, 0);
    dc->DrawDragRect(rect ? rect : &none, size, pSplitter->m_bDrawn ? &pSplitter->m_rectDrag : nullptr,
                     pSplitter->m_sizeDrag);
    pSplitter->m_bDrawn = rect != nullptr;
    if (rect) pSplitter->m_rectDrag = *rect;
    pSplitter->m_sizeDrag = size;
  };
  afx::TrackHandlers h;
  h.mouse = [&](POINT p, bool) {
    int next = sec_dock::TrackSplitterStart(vertical ? p.x : p.y, grab, limits);
    if (next == start && pSplitter->m_bDrawn) return;
    start = next;
    CRect o = outline(start);
    draw(&o);
  };
  BOOL done = afx::TrackModal(m_hWnd, m_hWnd, h);
  if (pSplitter->m_bDrawn) draw(nullptr);
  if (dc && desk) desk->ReleaseDC(dc);
  pSplitter->m_bFinished = done;
  return done ? start - origin : 0;
}

void SECDockBar::ApplySplitterMove(Splitter* pSplitter, int nDelta) {
  m_bNewRow = TRUE;
  const BOOL horz = IsHorzDock();
  int start = RowStart(pSplitter->m_nIndex);
  CPtrArray row;
  for (int i = start; i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible()) row.Add(bar);
  if (row.GetSize() == 0) return;
  RepaintRowToolBars(static_cast<CControlBar*>(row[0]));
  if (pSplitter->m_nKind == Splitter::row) {
    const sec_dock::Side side = GetSide();
    if (side == sec_dock::Side::kTop || side == sec_dock::Side::kLeft) nDelta = -nDelta;
    const DWORD acrossMode = horz ? (LM_HORZ | LM_HORZDOCK | LM_LENGTHY) : LM_VERTDOCK;
    for (int i = 0; i < row.GetSize(); ++i) {
      auto* bar = static_cast<CControlBar*>(row[i]);
      CRect r;
      bar->GetWindowRect(&r);
      int thickness = horz ? r.Height() : r.Width();
      bar->CalcDynamicLayout(std::max(0, thickness - nDelta), acrossMode | LM_COMMIT);
      AddToRepaintList(bar);
    }
    return;
  }
  // Between bars: the bar on the side the splitter moves away from grows,
  // the bars on the other side give the room, nearest first.
  int split = 0;
  for (int i = 0; i < row.GetSize(); ++i)
    if (FindBar(static_cast<CControlBar*>(row[i])) <= pSplitter->m_nIndex) split = i + 1;
  if (split == 0 || split >= row.GetSize()) return;
  CRect client;
  GetClientRect(&client);
  int rowLength =
      (horz ? client.Width() : client.Height()) - kSplitter * (static_cast<int>(row.GetSize()) - 1);
  auto lengthOf = [&](CControlBar* bar) {
    CRect r;
    bar->GetWindowRect(&r);
    return static_cast<int>(horz ? r.Width() : r.Height());
  };
  auto resize = [&](CControlBar* bar, int delta) {
    sec_dock::BarResize r = sec_dock::ResizeBar(lengthOf(bar), delta, rowLength, m_fMinShare);
    SECSetBarShare(bar, r.share);
    AddToRepaintList(bar);
    return r.unused;
  };
  int distance = std::abs(nDelta);
  if (nDelta < 0) {
    resize(static_cast<CControlBar*>(row[split]), distance);
    for (int i = split - 1; i >= 0 && distance > 0; --i)
      distance = -resize(static_cast<CControlBar*>(row[i]), -distance);
  } else {
    resize(static_cast<CControlBar*>(row[split - 1]), distance);
    for (int i = split; i < row.GetSize() && distance > 0; ++i)
      distance = -resize(static_cast<CControlBar*>(row[i]), -distance);
  }
}
