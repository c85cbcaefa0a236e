#include "platform/afx/recttracker.h"

#include "platform/afx/track_loop.h"

#include <algorithm>

#include "platform/afx/winthread.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
// Which edges a handle moves: left, top, right, bottom (1 moves, 0 stays).
const int kEdges[9][4] = {
    {1, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 1, 1}, {1, 0, 0, 1}, {0, 1, 0, 0},
    {0, 0, 1, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}, {1, 1, 1, 1},
};
}  // namespace

int CRectTracker::GetHandleSize(LPCRECT) const { return m_nHandleSize; }

UINT CRectTracker::GetHandleMask() const {
  // Side handles only when the rectangle is big enough for them.
  UINT mask = 0x0F;
  int size = m_nHandleSize * 3;
  CRect r = m_rect;
  r.NormalizeRect();
  if (std::abs(r.Width()) - size > 4) mask |= 0x50;
  if (std::abs(r.Height()) - size > 4) mask |= 0xA0;
  return mask;
}

void CRectTracker::HandleRect(int nHandle, CRect* rect) const {
  CRect r = m_rect;
  r.NormalizeRect();
  if (m_nStyle & (solidLine | dottedLine)) r.InflateRect(1, 1);
  int size = GetHandleSize();
  if (m_nStyle & resizeOutside) r.InflateRect(size - 1, size - 1);
  int x = 0, y = 0;
  switch (nHandle) {
    case hitTopLeft:
      x = r.left;
      y = r.top;
      break;
    case hitTopRight:
      x = r.right - size;
      y = r.top;
      break;
    case hitBottomRight:
      x = r.right - size;
      y = r.bottom - size;
      break;
    case hitBottomLeft:
      x = r.left;
      y = r.bottom - size;
      break;
    case hitTop:
      x = r.left + (r.Width() - size) / 2;
      y = r.top;
      break;
    case hitRight:
      x = r.right - size;
      y = r.top + (r.Height() - size) / 2;
      break;
    case hitBottom:
      x = r.left + (r.Width() - size) / 2;
      y = r.bottom - size;
      break;
    case hitLeft:
      x = r.left;
      y = r.top + (r.Height() - size) / 2;
      break;
    default:
      break;
  }
  rect->SetRect(x, y, x + size, y + size);
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const {
  CRect r = m_rect;
  r.NormalizeRect();
  int size = (m_nStyle & resizeOutside) ? GetHandleSize() - 1 : 0;
  if (m_nStyle & (solidLine | dottedLine | hatchedBorder)) size = std::max(size, 1);
  r.InflateRect(size, size);
  *lpTrueRect = r;
}

void CRectTracker::Draw(CDC* pDC) const {
  CRect r = m_rect;
  r.NormalizeRect();
  if (m_nStyle & (solidLine | dottedLine)) {
    CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    HGDIOBJ oldBrush = pDC->SelectObject(::GetStockObject(NULL_BRUSH));
    CRect line = r;
    line.InflateRect(1, 1);
    pDC->Rectangle(&line);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
  }
  if (m_nStyle & hatchedBorder) {
    int size = GetHandleSize();
    CRect outer = r;
    outer.InflateRect(size, size);
    CBrush hatch(HS_DIAGCROSS, RGB(0, 0, 0));
    CRect parts[4] = {{outer.left, outer.top, outer.right, r.top},
                      {outer.left, r.bottom, outer.right, outer.bottom},
                      {outer.left, r.top, r.left, r.bottom},
                      {r.right, r.top, outer.right, r.bottom}};
    for (const CRect& p : parts) pDC->FillRect(&p, &hatch);
  }
  if (m_nStyle & hatchInside) {
    CBrush hatch(HS_DIAGCROSS, RGB(0, 0, 0));
    pDC->FillRect(&r, &hatch);
  }
  if (m_nStyle & (resizeInside | resizeOutside)) {
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
      if (!(mask & (1u << i))) continue;
      CRect h;
      HandleRect(i, &h);
      pDC->FillSolidRect(&h, RGB(0, 0, 0));
    }
  }
}

int CRectTracker::HitTest(CPoint point) const {
  CRect truth;
  GetTrueRect(&truth);
  if (!truth.PtInRect(point)) return hitNothing;
  if (m_nStyle & (resizeInside | resizeOutside)) {
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
      if (!(mask & (1u << i))) continue;
      CRect h;
      HandleRect(i, &h);
      if (h.PtInRect(point)) return i;
    }
  }
  return hitMiddle;
}

int CRectTracker::NormalizeHit(int nHandle) const {
  // A flipped rectangle swaps its handles.
  if (nHandle == hitMiddle || nHandle == hitNothing) return nHandle;
  bool flipX = m_rect.Width() < 0, flipY = m_rect.Height() < 0;
  static const int swapX[8] = {1, 0, 3, 2, 4, 7, 6, 5};
  static const int swapY[8] = {3, 2, 1, 0, 6, 5, 4, 7};
  if (flipX) nHandle = swapX[nHandle];
  if (flipY) nHandle = swapY[nHandle];
  return nHandle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const {
  if (nHitTest != HTCLIENT) return FALSE;
  POINT pt;
  ::GetCursorPos(&pt);
  pWnd->ScreenToClient(&pt);
  int hit = NormalizeHit(HitTest(pt));
  if (hit < 0) return FALSE;
  static LPCSTR const kCursors[9] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENS,
                                     IDC_SIZEWE,   IDC_SIZENS,   IDC_SIZEWE,   IDC_SIZEALL};
  ::SetCursor(::LoadCursor(nullptr, kCursors[hit]));
  return TRUE;
}

void CRectTracker::AdjustRect(int, LPRECT) {}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  int hit = HitTest(point);
  if (hit < 0) return FALSE;
  m_bAllowInvert = bAllowInvert;
  return TrackHandle(hit, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
  m_bAllowInvert = bAllowInvert;
  m_rect.SetRect(point.x, point.y, point.x, point.y);
  return TrackHandle(hitBottomRight, pWnd, point, nullptr);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
  if (::GetCapture() || !pWnd) return FALSE;
  CRect save = m_rect;
  const int* edges = kEdges[nHandle];
  CClientDC dc(pWndClipTo ? pWndClipTo : pWnd);
  CRect last;
  bool drawn = false;
  auto outline = [&](const CRect& r) {
    CRect n = r;
    n.NormalizeRect();
    dc.DrawFocusRect(&n);
  };
  BOOL moved = FALSE;
  afx::TrackHandlers h;
  h.mouse = [&](POINT p, bool up) {
    int dx = p.x - point.x, dy = p.y - point.y;
    CRect r = save;
    if (edges[0]) r.left += dx;
    if (edges[1]) r.top += dy;
    if (edges[2]) r.right += dx;
    if (edges[3]) r.bottom += dy;
    if (!m_bAllowInvert && nHandle != hitMiddle) {
      if (r.Width() < m_sizeMin.cx)
        edges[0] ? r.left = r.right - m_sizeMin.cx : r.right = r.left + m_sizeMin.cx;
      if (r.Height() < m_sizeMin.cy)
        edges[1] ? r.top = r.bottom - m_sizeMin.cy : r.bottom = r.top + m_sizeMin.cy;
    }
    AdjustRect(nHandle, &r);
    if (drawn) outline(last);
    drawn = false;
    m_rect = r;
    moved = moved || r != save;
    if (!up) {
      outline(r);
      last = r;
      drawn = true;
    }
  };
  BOOL cancelled = !afx::TrackModal(pWnd->m_hWnd, pWnd->m_hWnd, h);
  if (drawn) outline(last);
  if (cancelled) {
    m_rect = save;
    return FALSE;
  }
  return moved;
}
