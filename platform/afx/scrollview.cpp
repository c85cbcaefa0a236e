#include "platform/afx/scrollview.h"

#include <algorithm>

#include "platform/afx/splitter.h"
#include "platform/ui/cdc.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = sizeTotal;
  m_totalDev = sizeTotal;  // logical units are pixels here
  m_pageDev = sizePage.cx || sizePage.cy ? CSize(sizePage) : CSize(m_totalDev.cx / 10, m_totalDev.cy / 10);
  m_lineDev = sizeLine.cx || sizeLine.cy ? CSize(sizeLine) : CSize(m_pageDev.cx / 10, m_pageDev.cy / 10);
  if (m_lineDev.cx < 1) m_lineDev.cx = 1;
  if (m_lineDev.cy < 1) m_lineDev.cy = 1;
  if (m_hWnd) UpdateBars();
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal) {
  m_totalLog = sizeTotal;
  m_totalDev = CSize(0, 0);  // no scroll bars
  if (m_hWnd) UpdateBars();
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const { return GetDeviceScrollPosition(); }

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
  nMapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate || !m_hWnd) return;
  m_bInsideUpdate = TRUE;
  CRect client;
  GetClientRect(&client);
  // Bars shown now are part of the window: measure without them.
  DWORD style = GetStyle();
  int cx = client.Width() + ((style & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
  int cy = client.Height() + ((style & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
  bool needH = m_totalDev.cx > cx, needV = m_totalDev.cy > cy;
  if (needH && !needV) needV = m_totalDev.cy > cy - ::GetSystemMetrics(SM_CYHSCROLL);
  if (needV && !needH) needH = m_totalDev.cx > cx - ::GetSystemMetrics(SM_CXVSCROLL);
  int viewW = cx - (needV ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
  int viewH = cy - (needH ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
  CPoint pos = GetDeviceScrollPosition();
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ShowScrollBar(SB_HORZ, needH);
  ShowScrollBar(SB_VERT, needV);
  si.nMax = needH ? m_totalDev.cx - 1 : 0;
  si.nPage = needH ? static_cast<UINT>(viewW) : 0;
  si.nPos = needH ? std::min<int>(pos.x, std::max(0, m_totalDev.cx - viewW)) : 0;
  SetScrollInfo(SB_HORZ, &si, TRUE);
  si.nMax = needV ? m_totalDev.cy - 1 : 0;
  si.nPage = needV ? static_cast<UINT>(viewH) : 0;
  si.nPos = needV ? std::min<int>(pos.y, std::max(0, m_totalDev.cy - viewH)) : 0;
  SetScrollInfo(SB_VERT, &si, TRUE);
  CPoint now = GetDeviceScrollPosition();
  if (now != pos) Invalidate();
  m_bInsideUpdate = FALSE;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (m_nMapMode) pDC->SetMapMode(m_nMapMode);
  if (!pInfo) {
    CPoint pos = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
  }
  CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::ScrollTo(CPoint target, BOOL bNotifySplitter) {
  CRect client;
  GetClientRect(&client);
  target.x = std::max(0, std::min<int>(target.x, std::max(0, m_totalDev.cx - client.Width())));
  target.y = std::max(0, std::min<int>(target.y, std::max(0, m_totalDev.cy - client.Height())));
  CPoint pos = GetDeviceScrollPosition();
  if (!(GetStyle() & WS_HSCROLL)) target.x = pos.x;
  if (!(GetStyle() & WS_VSCROLL)) target.y = pos.y;
  if (target == pos) return;
  SetScrollPos(SB_HORZ, target.x);
  SetScrollPos(SB_VERT, target.y);
  ScrollWindow(pos.x - target.x, pos.y - target.y);
  if (bNotifySplitter) {
    CWnd* parent = GetParent();
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
      static_cast<CSplitterWnd*>(parent)->SyncScroll(this, target.x != pos.x, target.y != pos.y);
  }
}

void CScrollView::ScrollToPosition(POINT pt) { ScrollTo(pt, TRUE); }

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  CPoint pos = GetDeviceScrollPosition();
  CPoint target(pos.x + sizeScroll.cx, pos.y + sizeScroll.cy);
  if (bDoScroll) ScrollTo(target, TRUE);
  return GetDeviceScrollPosition() != pos;
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) {
  // The low byte is the horizontal code, the high byte the vertical one.
  CSize by(0, 0);
  CPoint pos = GetDeviceScrollPosition();
  CRect client;
  GetClientRect(&client);
  auto step = [&](UINT code, int line, int page, int current, int track) {
    switch (code) {
      case SB_LINEUP:
        return -line;
      case SB_LINEDOWN:
        return line;
      case SB_PAGEUP:
        return -page;
      case SB_PAGEDOWN:
        return page;
      case SB_TOP:
        return -current;
      case SB_BOTTOM:
        return 1 << 20;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        return track - current;
      default:
        return 0;
    }
  };
  UINT h = LOBYTE(nScrollCode), v = HIBYTE(nScrollCode);
  if (h != 0xFF)
    by.cx =
        step(h, m_lineDev.cx, m_pageDev.cx ? m_pageDev.cx : client.Width(), pos.x, static_cast<int>(nPos));
  if (v != 0xFF)
    by.cy =
        step(v, m_lineDev.cy, m_pageDev.cy ? m_pageDev.cy : client.Height(), pos.y, static_cast<int>(nPos));
  return OnScrollBy(by, bDoScroll);
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(nSBCode, 0xFF), nPos); }
void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(0xFF, nSBCode), nPos); }

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint) {
  return OnScrollBy(CSize(0, -zDelta / WHEEL_DELTA * 3 * m_lineDev.cy));
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}
