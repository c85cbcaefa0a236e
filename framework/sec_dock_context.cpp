#include "framework/sec_dock_context.h"

#include "framework/sec_mdi_child_wnd.h"
#include "framework/sec_mdi_frame_wnd.h"

#include <cstdlib>

#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_global_data.h"
#include "framework/sec_res.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
bool Horz(DWORD style) { return (style & CBRS_ORIENT_HORZ) != 0; }
bool Vert(DWORD style) { return (style & CBRS_ORIENT_VERT) != 0; }
// A floating bar docks again only after this much movement (|dx| + |dy|).
constexpr int kFloatDockSlack = 4;
// Frame ids of the four docking sides.
bool IsFrameDockBarId(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }
}  // namespace

SECDockContext::SECDockContext(CControlBar* pBar)
    : CDockContext(pBar),
      m_cxMinFloat(::GetSystemMetrics(SM_CXMENUSIZE) +
                   2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER))),
      m_cyMinFloat(::GetSystemMetrics(SM_CYSMCAPTION) +
                   2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER))),
      m_cxMaxFloat(::GetSystemMetrics(SM_CXFULLSCREEN)),
      m_cyMaxFloat(::GetSystemMetrics(SM_CYFULLSCREEN)) {}

SECDockContext::~SECDockContext() {
  if (m_pBar && m_pBar->m_pDockBar) {
    CDockBar* dock = m_pBar->m_pDockBar;
    m_pBar->m_pDockBar = nullptr;
    dock->ForgetBar(m_pBar);
  }
}

BOOL SECDockContext::MovedMoreThan(int pixels) const {
  return std::abs(m_ptLast.x - m_ptDragStart.x) + std::abs(m_ptLast.y - m_ptDragStart.y) > pixels;
}

// ---- Dragging ----

void SECDockContext::StartDrag(CPoint pt) {
  m_nDropRowLast = -1;
  m_ptDragStart = pt;
  m_bDragging = TRUE;
  if (CWnd* main = AfxGetMainWnd())
    main->SendMessage(WM_SETMESSAGESTRING, 0,
                      reinterpret_cast<LPARAM>(static_cast<LPCSTR>(SECLoadString(IDS_SEC_PREVENT_DOCKING))));
  InitLoop();
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  const DWORD style = m_pBar->m_dwStyle;
  if (style & CBRS_SIZE_DYNAMIC) {
    m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK));
    m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_VERTDOCK));
    CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectFrameDragHorz = m_rectFrameDragVert = CRect(rect.TopLeft(), floating);
  } else if (style & CBRS_SIZE_FIXED) {
    m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
    m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
    m_rectFrameDragHorz = m_rectDragHorz;
    m_rectFrameDragVert = m_rectDragVert;
  } else {
    // A sizable bar: its present shape, and the other orientation's shape
    // starting half its thickness before the mouse.
    const BOOL horzNow = Horz(style);
    if (horzNow) {
      m_rectDragHorz = rect;
      CSize other = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
      int start = pt.x - rect.Height() / 2;
      m_rectDragVert = CRect(CPoint(start, rect.top), other);
    } else {
      m_rectDragVert = rect;
      CSize other = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
      int start = pt.y - rect.Width() / 2;
      m_rectDragHorz = CRect(CPoint(rect.left, start), other);
    }
    if (auto* bar = dynamic_cast<SECControlBar*>(m_pBar); bar && (style & CBRS_FLOATING)) {
      m_rectDragHorz = CRect(m_rectDragHorz.TopLeft(), bar->m_szHorzDock);
      m_rectDragVert = CRect(m_rectDragVert.TopLeft(), bar->m_szVertDock);
    }
    m_rectFrameDragHorz = m_rectDragHorz;
    m_rectFrameDragVert = m_rectDragVert;
    if (auto* bar = dynamic_cast<SECControlBar*>(m_pBar))
      m_rectFrameDragHorz = m_rectFrameDragVert = CRect(rect.TopLeft(), bar->m_szFloat);
  }
  for (CRect* r : {&m_rectFrameDragHorz, &m_rectFrameDragVert}) {
    CMiniFrameWnd::CalcBorders(r, WS_CAPTION | WS_THICKFRAME);
    r->InflateRect(-secData.cxBorder2, -secData.cyBorder2);
  }
  for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
    AdjustRectangle(*r, pt);
  m_dwOverDockStyle = CanDock();
  Move(pt);
  Track();
}

DWORD SECDockContext::CanDock() {
  const DWORD allowed = m_dwDockStyle & CBRS_ALIGN_ANY;
  BOOL horz = Horz(m_pBar->m_dwStyle) || !(m_pBar->m_dwStyle & CBRS_ALIGN_ANY);
  if (m_bFlip) horz = !horz;
  DWORD dock = 0;
  if (horz && Horz(allowed)) {
    dock = m_pDockSite->CanDock(m_rectDragHorz, allowed & ~CBRS_ORIENT_VERT);
  } else if (Vert(allowed)) {
    CDockBar* bar = nullptr;
    dock = m_pDockSite->CanDock(m_rectDragVert, allowed & ~CBRS_ORIENT_HORZ, &bar);
    if (dock && bar) {
      CRect area;
      bar->GetWindowRect(&area);
      // An empty dock bar is a strip one pixel wide on its side.
      if (area.Width() == 0) area.InflateRect(1, 0);
      if (!area.PtInRect(m_ptLast)) dock = 0;
    }
  }
  if (!m_bFlip && !dock) {
    for (DWORD orient : {static_cast<DWORD>(CBRS_ORIENT_HORZ), static_cast<DWORD>(CBRS_ORIENT_VERT)}) {
      if (dock || !(allowed & orient)) continue;
      DWORD a = m_pDockSite->CanDock(m_rectDragHorz, allowed & orient);
      DWORD b = m_pDockSite->CanDock(m_rectDragVert, allowed & orient);
      dock = a == b ? b : 0;
    }
  }
  return dock;
}

void SECDockContext::Move(CPoint pt) {
  CPoint d = pt - m_ptLast;
  for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
    r->OffsetRect(d);
  m_ptLast = pt;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void SECDockContext::DrawFocusRect(BOOL bRemoveRect) {
  if (!m_pDC) return;
  CBrush* white = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  CBrush* dither = CDC::GetHalftoneBrush();
  CSize size(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
  CBrush* brush = dither;
  CRect rect;
  DWORD over = m_dwOverDockStyle;
  if (m_bDragging && over && m_pBar->IsFloating() && !MovedMoreThan(kFloatDockSlack)) over = 0;
  if (!m_bDragging) {
    rect = m_rectActualFrameSize;
  } else if (over & CBRS_ALIGN_ANY) {
    const BOOL vert = Vert(over);
    CRect drag = vert ? m_rectDragVert : m_rectDragHorz;
    rect = drag;
    CDockBar* dock = GetDockBar(over);
    if (auto* secDock = dynamic_cast<SECDockBar*>(dock))
      secDock->CalcDropRect(rect, m_pBar, drag, m_ptLast, m_nDropRowLast, m_rectDropLast, m_ptDropLast);
    size = CSize(1, 1);
    brush = white;
    if (secData.bWin4) rect.DeflateRect(1, 1);
  } else {
    const BOOL horzNow = Horz(m_pBar->m_dwStyle) || !(m_pBar->m_dwStyle & CBRS_ALIGN_ANY);
    rect = (horzNow && m_bFlip) || (!horzNow && !m_bFlip) ? m_rectFrameDragVert : m_rectFrameDragHorz;
    m_nDropRowLast = -1;
  }
  if (bRemoveRect) size = CSize(0, 0);
  m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, brush, m_bDitherLast ? dither : white);
  m_rectLast = rect;
  m_sizeLast = size;
  m_bDitherLast = brush == dither;
}

void SECDockContext::EndDrag() {
  CancelLoop();
  DWORD over = m_dwOverDockStyle;
  const BOOL floating = m_pBar->IsFloating();
  if ((over & CBRS_ALIGN_ANY) && (!floating || MovedMoreThan(kFloatDockSlack))) {
    CDockBar* dock = GetDockBar(over);
    CRect rect = Vert(over) ? m_rectDragVert : m_rectDragHorz;
    if (dock) {
      UINT id = static_cast<UINT>(LOWORD(dock->GetDlgCtrlID()));
      if (IsFrameDockBarId(id)) {
        m_uMRUDockID = id;
        m_rectMRUDockPos = rect;
        dock->ScreenToClient(&m_rectMRUDockPos);
      }
      if (auto* secDock = dynamic_cast<SECDockBar*>(dock); secDock && floating)
        secDock->m_pLastShown = m_pBar;
    }
    m_pDockSite->DockControlBar(m_pBar, dock, &rect);
    m_pDockSite->RecalcLayout();
  } else {
    const BOOL horzNow = Horz(m_pBar->m_dwStyle) || !(m_pBar->m_dwStyle & CBRS_ALIGN_ANY);
    const BOOL vertAfterShift = m_bFlip ? horzNow : !horzNow;
    if (!(m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && vertAfterShift) {
      m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
      m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
    } else {
      m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
      m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
    }
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
  }
  m_bDragging = FALSE;
}

// ---- Resizing a floating bar ----

void SECDockContext::StartResize(int nHitTest, CPoint pt) {
  m_bDragging = FALSE;
  InitLoop();
  m_nHitTest = nHitTest;
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  m_rectRequestedSize = m_rectActualSize = CRect(rect.TopLeft(), floating);
  m_rectActualFrameSize = m_rectActualSize;
  CMiniFrameWnd::CalcBorders(&m_rectActualFrameSize, WS_THICKFRAME | WS_CAPTION);
  m_rectActualFrameSize.InflateRect(-secData.cxBorder2, -secData.cyBorder2);
  m_rectFrameBorders = CRect(m_rectActualFrameSize.left - m_rectActualSize.left,
                             m_rectActualFrameSize.top - m_rectActualSize.top,
                             m_rectActualFrameSize.right - m_rectActualSize.right,
                             m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
  m_dwOverDockStyle = 0;
  Stretch(pt);
  Track();
}

void SECDockContext::Stretch(CPoint pt) {
  auto* bar = dynamic_cast<SECControlBar*>(m_pBar);
  if (!bar || (bar->m_dwExStyle & SECBAR_FIXEDSIZE)) {
    CDockContext::Stretch(pt);
    return;
  }
  const int hit = m_nHitTest;
  const bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  const bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
  const bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
  const bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
  CPoint d = pt - m_ptLast;
  CRect want = m_rectRequestedSize;
  if (left) want.left += d.x;
  if (right) want.right += d.x;
  if (top) want.top += d.y;
  if (bottom) want.bottom += d.y;
  // Out of the limits: the step is undone and the outline stays.
  if (want.Width() < m_cxMinFloat || want.Width() > m_cxMaxFloat || want.Height() < m_cyMinFloat ||
      want.Height() > m_cyMaxFloat)
    return;
  m_rectRequestedSize = want;
  if (left || right) bar->CalcDynamicLayout(want.Width(), LM_COMMIT | LM_HORZ);
  if (top || bottom) bar->CalcDynamicLayout(want.Height(), LM_COMMIT | LM_LENGTHY | LM_HORZ);
  CSize size = bar->CalcDynamicLayout(-1, LM_HORZ);
  const int fw = m_rectFrameBorders.right - m_rectFrameBorders.left;
  const int fh = m_rectFrameBorders.bottom - m_rectFrameBorders.top;
  if (left) {
    m_rectActualSize.left = m_rectActualSize.right - size.cx;
    m_rectActualFrameSize.left = m_rectActualFrameSize.right - (size.cx + fw);
  } else {
    m_rectActualSize.right = m_rectActualSize.left + size.cx;
    m_rectActualFrameSize.right = m_rectActualFrameSize.left + size.cx + fw;
  }
  if (top) {
    m_rectActualSize.top = m_rectActualSize.bottom - size.cy;
    m_rectActualFrameSize.top = m_rectActualFrameSize.bottom - (size.cy + fh);
  } else {
    m_rectActualSize.bottom = m_rectActualSize.top + size.cy;
    m_rectActualFrameSize.bottom = m_rectActualFrameSize.top + size.cy + fh;
  }
  m_ptLast = pt;
  DrawFocusRect();
}

void SECDockContext::EndResize() {
  CancelLoop();
  auto* bar = dynamic_cast<SECControlBar*>(m_pBar);
  m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
  if (bar && !(bar->m_dwExStyle & SECBAR_FIXEDSIZE))
    m_pBar->CalcDynamicLayout(m_rectActualSize.Height(), LM_HORZ | LM_LENGTHY | LM_COMMIT);
  CPoint at = m_rectActualFrameSize.TopLeft();
  at.Offset(-secData.cxBorder2, -secData.cyBorder2);
  m_pDockSite->FloatControlBar(m_pBar, at,
                               CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

// ---- Toggling ----

void SECDockContext::ToggleDocking() {
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite) return;
  auto* bar = dynamic_cast<SECControlBar*>(m_pBar);
  if (!m_pBar->IsFloating()) {
    if (bar) bar->m_fSavedPctWidth = bar->m_fPctWidth;
    CPoint pt = m_ptMRUFloatPos;
    if (pt.x < 0 || pt.y < 0) {
      pt = m_rectMRUDockPos.TopLeft();
      if (CWnd* parent = m_pBar->GetParent()) parent->ClientToScreen(&pt);
    }
    m_pDockSite->FloatControlBar(m_pBar, pt, m_dwMRUFloatStyle);
    return;
  }
  ReDockAtMRU();
}

void SECDockContext::ReDockAtMRU() {
  if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
  auto* bar = dynamic_cast<SECControlBar*>(m_pBar);
  if (bar) bar->m_fPctWidth = bar->m_fSavedPctWidth;
  CRect rect = m_rectMRUDockPos;
  CDockBar* dock = nullptr;
  if (m_uMRUDockID) {
    dock = static_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
    if (dock) dock->ClientToScreen(&rect);
  }
  if (m_pBar->m_dwStyle & CBRS_BORDER_TOP) rect.right += 1;
  m_pDockSite->ReDockControlBar(m_pBar, dock, dock ? &rect : nullptr);
  m_pDockSite->RecalcLayout();
}

void SECDockContext::ToggleMDIFloat() {
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  auto* frame = dynamic_cast<SECMDIFrameWnd*>(m_pDockSite);
  if (!frame) return;
  auto* bar = dynamic_cast<SECControlBar*>(m_pBar);
  if (!SECBarFloatsInMDIChild(m_pBar)) {
    if (bar) bar->m_fSavedPctWidth = bar->m_fPctWidth;
    m_bMDIFloatOrigin = m_pBar->IsFloating();
    frame->FloatControlBarInMDIChild(m_pBar, m_ptMDIFloatPos, m_dwMRUFloatStyle);
    return;
  }
  if (!m_bMDIFloatOrigin) {
    ReDockAtMRU();
    return;
  }
  // It floated in a mini frame before: it goes back to one.
  if (bar) bar->m_fPctWidth = bar->m_fSavedPctWidth;
  CPoint pt = m_ptMRUFloatPos;
  if (pt.x < 0 || pt.y < 0) {
    pt = CPoint(0, 0);
    frame->ClientToScreen(&pt);
  }
  frame->FloatControlBar(m_pBar, pt, m_dwMRUFloatStyle);
}
