#include "platform/afx/dockcontext.h"

#include "platform/afx/controlbar.h"
#include "platform/afx/dockbar.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/miniframe.h"
#include "platform/afx/track_loop.h"
#include "platform/afx/winthread.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
bool Horz(DWORD style) { return (style & CBRS_ORIENT_HORZ) != 0; }
bool Vert(DWORD style) { return (style & CBRS_ORIENT_VERT) != 0; }
}  // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar ? pBar->m_pDockSite : nullptr) {}

CDockContext::~CDockContext() {
  if (m_pBar && m_pBar->m_pDockBar) {
    m_pBar->m_pDockBar->ForgetBar(m_pBar);
    m_pBar->m_pDockBar = nullptr;
  }
}

void CDockContext::AdjustRectangle(CRect& rect, CPoint pt) {
  int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right + afx::kBarBorder2 : 0;
  int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom + afx::kBarBorder2 : 0;
  rect.OffsetRect(dx, dy);
}

// ---- The loop ----

void CDockContext::InitLoop() {
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
  m_rectLast.SetRectEmpty();
  m_sizeLast = CSize(0, 0);
  m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
  CWnd* desk = CWnd::GetDesktopWindow();
  m_pDC = desk ? desk->GetWindowDC() : nullptr;
}

void CDockContext::CancelLoop() {
  DrawFocusRect(TRUE);
  ::ReleaseCapture();
  CWnd* desk = CWnd::GetDesktopWindow();
  if (m_pDC && desk) desk->ReleaseDC(m_pDC);
  m_pDC = nullptr;
  m_bDragging = FALSE;
  if (CWnd* main = m_pDockSite ? m_pDockSite->GetTopLevelParent() : nullptr)
    main->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

BOOL CDockContext::Track() {
  if (::GetCapture()) return FALSE;
  afx::TrackHandlers h;
  h.mouse = [this](POINT pt, bool up) {
    if (up) return;
    if (m_bDragging)
      Move(pt);
    else
      Stretch(pt);
  };
  h.key = [this](UINT key, bool down) {
    if (m_bDragging) OnKey(static_cast<int>(key), down);
  };
  if (afx::TrackModal(m_pBar->m_hWnd, nullptr, h)) {
    if (m_bDragging)
      EndDrag();
    else
      EndResize();
    return TRUE;
  }
  CancelLoop();
  return FALSE;
}

// ---- Dragging ----

void CDockContext::StartDrag(CPoint pt) {
  m_bDragging = TRUE;
  InitLoop();
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  CSize horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
  CSize vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
  CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  m_rectDragHorz = CRect(rect.TopLeft(), horz);
  m_rectDragVert = CRect(rect.TopLeft(), vert);
  m_rectFrameDragHorz = CRect(rect.TopLeft(), floating);
  m_rectFrameDragVert = CRect(rect.TopLeft(), floating);
  CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, WS_THICKFRAME | WS_CAPTION);
  CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert, WS_THICKFRAME | WS_CAPTION);
  m_rectFrameDragHorz.InflateRect(-afx::kBarBorder2, -afx::kBarBorder2);
  m_rectFrameDragVert.InflateRect(-afx::kBarBorder2, -afx::kBarBorder2);
  AdjustRectangle(m_rectDragHorz, pt);
  AdjustRectangle(m_rectDragVert, pt);
  AdjustRectangle(m_rectFrameDragHorz, pt);
  AdjustRectangle(m_rectFrameDragVert, pt);
  m_dwOverDockStyle = CanDock();
  Move(pt);
  Track();
}

void CDockContext::Move(CPoint pt) {
  CPoint d(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
  m_rectDragHorz.OffsetRect(d);
  m_rectFrameDragHorz.OffsetRect(d);
  m_rectDragVert.OffsetRect(d);
  m_rectFrameDragVert.OffsetRect(d);
  m_ptLast = pt;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue) {
  if (*pFlag == bNewValue) return;
  *pFlag = bNewValue;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
  if (nChar == VK_CONTROL) UpdateState(&m_bForceFrame, bDown);
  if (nChar == VK_SHIFT) UpdateState(&m_bFlip, bDown);
}

void CDockContext::EndDrag() {
  CancelLoop();
  if (m_dwOverDockStyle) {
    CDockBar* dockBar = GetDockBar(m_dwOverDockStyle);
    CRect rect = Horz(m_dwOverDockStyle) ? m_rectDragHorz : m_rectDragVert;
    if (dockBar) {
      UINT id = static_cast<UINT>(dockBar->GetDlgCtrlID());
      if (id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM) {
        m_uMRUDockID = id;
        m_rectMRUDockPos = rect;
        dockBar->ScreenToClient(&m_rectMRUDockPos);
      }
    }
    m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
    m_pDockSite->RecalcLayout();
  } else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) || (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) ||
             (Horz(m_dwStyle) && !m_bFlip) || (Vert(m_dwStyle) && m_bFlip)) {
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
  } else {
    m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
  }
}

DWORD CDockContext::CanDock() {
  bool horz = Horz(m_dwStyle);
  if (m_bFlip) horz = !horz;
  DWORD dock = 0;
  if (horz && Horz(m_dwDockStyle))
    dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
  else if (Vert(m_dwDockStyle))
    dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
  if (!m_bFlip) {
    // Either orientation, when both drag rectangles agree on the side.
    if (!dock && Horz(m_dwDockStyle)) {
      DWORD a = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
      DWORD b = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
      dock = a == b ? b : 0;
    }
    if (!dock && Vert(m_dwDockStyle)) {
      DWORD a = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
      DWORD b = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
      dock = a == b ? b : 0;
    }
  }
  return dock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
  CDockBar* bar = nullptr;
  if (Horz(dwOverDockStyle))
    m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &bar);
  else if (Vert(dwOverDockStyle))
    m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &bar);
  return bar;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
  if (!m_pDC) return;
  CSize size(1, 1);
  CRect rect;
  CBrush* white = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  CBrush* dither = CDC::GetHalftoneBrush();
  CBrush* brush = white;
  if (!m_bDragging) {
    rect = m_rectActualFrameSize;
    size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
    brush = dither;
  } else if (Horz(m_dwOverDockStyle)) {
    rect = m_rectDragHorz;
  } else if (Vert(m_dwOverDockStyle)) {
    rect = m_rectDragVert;
  } else {
    size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
    rect = (Horz(m_dwStyle) && !m_bFlip) || (Vert(m_dwStyle) && m_bFlip) ? m_rectFrameDragHorz
                                                                         : m_rectFrameDragVert;
    brush = dither;
  }
  if (bRemoveRect) size = CSize(0, 0);
  if (m_bDragging && (Horz(m_dwOverDockStyle) || Vert(m_dwOverDockStyle))) rect.InflateRect(-1, -1);
  m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, brush, m_bDitherLast ? dither : white);
  m_rectLast = rect;
  m_sizeLast = size;
  m_bDitherLast = brush == dither;
}

// ---- Resizing a floating frame ----

void CDockContext::StartResize(int nHitTest, CPoint pt) {
  InitLoop();
  m_bDragging = FALSE;
  m_nHitTest = nHitTest;
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  m_rectRequestedSize = CRect(rect.TopLeft(), floating);
  m_rectActualSize = m_rectRequestedSize;
  m_rectActualFrameSize = m_rectRequestedSize;
  CMiniFrameWnd::CalcBorders(&m_rectActualFrameSize, WS_THICKFRAME | WS_CAPTION);
  m_rectActualFrameSize.InflateRect(-afx::kBarBorder2, -afx::kBarBorder2);
  m_rectFrameBorders = CRect(m_rectActualFrameSize.left - m_rectActualSize.left,
                             m_rectActualFrameSize.top - m_rectActualSize.top,
                             m_rectActualFrameSize.right - m_rectActualSize.right,
                             m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
  m_dwOverDockStyle = 0;
  Stretch(pt);
  Track();
}

void CDockContext::Stretch(CPoint pt) {
  CPoint d(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
  int length;
  DWORD mode = LM_HORZ;
  if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT) {
    if (m_nHitTest == HTLEFT)
      m_rectRequestedSize.left += d.x;
    else
      m_rectRequestedSize.right += d.x;
    length = m_rectRequestedSize.Width();
  } else {
    mode |= LM_LENGTHY;
    if (m_nHitTest == HTTOP)
      m_rectRequestedSize.top += d.y;
    else
      m_rectRequestedSize.bottom += d.y;
    length = m_rectRequestedSize.Height();
  }
  CSize size = m_pBar->CalcDynamicLayout(length >= 0 ? length : 0, mode);
  int fw = m_rectFrameBorders.right - m_rectFrameBorders.left;
  int fh = m_rectFrameBorders.bottom - m_rectFrameBorders.top;
  if (m_nHitTest == HTLEFT || m_nHitTest == HTTOP) {
    m_rectActualSize.left = m_rectActualSize.right - size.cx;
    m_rectActualSize.top = m_rectActualSize.bottom - size.cy;
    m_rectActualFrameSize.left = m_rectActualFrameSize.right - (size.cx + fw);
    m_rectActualFrameSize.top = m_rectActualFrameSize.bottom - (size.cy + fh);
  } else {
    m_rectActualSize.right = m_rectActualSize.left + size.cx;
    m_rectActualSize.bottom = m_rectActualSize.top + size.cy;
    m_rectActualFrameSize.right = m_rectActualFrameSize.left + size.cx + fw;
    m_rectActualFrameSize.bottom = m_rectActualFrameSize.top + size.cy + fh;
  }
  m_ptLast = pt;
  DrawFocusRect();
}

void CDockContext::EndResize() {
  CancelLoop();
  m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
  m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                               CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// ---- Toggling ----

void CDockContext::ToggleDocking() {
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite) return;
  if (m_pBar->IsFloating()) {
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
    CRect rect = m_rectMRUDockPos;
    CDockBar* dockBar = nullptr;
    if (m_uMRUDockID) {
      dockBar = static_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
      if (dockBar) dockBar->ClientToScreen(&rect);
    }
    m_pDockSite->ReDockControlBar(m_pBar, dockBar, dockBar ? &rect : nullptr);
    m_pDockSite->RecalcLayout();
  } else {
    CPoint pt = m_ptMRUFloatPos;
    if (pt.x < 0 || pt.y < 0) {
      pt = m_rectMRUDockPos.TopLeft();
      if (CWnd* parent = m_pBar->GetParent()) parent->ClientToScreen(&pt);
    }
    m_pDockSite->FloatControlBar(m_pBar, pt, m_dwMRUFloatStyle);
  }
}
