#include "framework/sec_dock_bar.h"

#include <algorithm>

#include "framework/sec_control_bar.h"
#include "framework/sec_global_data.h"
#include "framework/sec_res.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECDockBar, CDockBar)

BEGIN_MESSAGE_MAP(SECDockBar, CDockBar)
ON_WM_CREATE()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

float SECBarShare(CControlBar* pBar) {
  auto* bar = dynamic_cast<SECControlBar*>(pBar);
  return bar ? bar->m_fPctWidth : 1.0f;
}

void SECSetBarShare(CControlBar* pBar, float fShare) {
  if (auto* bar = dynamic_cast<SECControlBar*>(pBar)) bar->m_fPctWidth = fShare;
}

BOOL SECBarIsFixed(CControlBar* pBar) {
  auto* bar = dynamic_cast<SECControlBar*>(pBar);
  return bar && (bar->m_dwExStyle & SECBAR_FIXEDSIZE);
}

BOOL SECBarOwnsRow(CControlBar* pBar) {
  auto* bar = dynamic_cast<SECControlBar*>(pBar);
  return bar && (bar->m_dwExStyle & SECBAR_OWNROW);
}

SECDockBar::SECDockBar(BOOL bFloating, BOOL bMDIChild) : CDockBar(bFloating), m_bMDIChild(bMDIChild) {}

SECDockBar::~SECDockBar() {
  for (int i = 0; i < m_arrSplitters.GetSize(); ++i) delete m_arrSplitters[i];
  for (int i = 0; i < m_arrEdges.GetSize(); ++i) delete m_arrEdges[i];
}

BOOL SECDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExtraStyle, UINT nID) {
  m_dwExtraStyle = dwExtraStyle;
  return CDockBar::Create(pParentWnd, dwStyle, nID);
}

int SECDockBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CControlBar::OnCreate(lpcs) == -1) return -1;
  secData.EnsureLoaded();
  return 0;
}

void SECDockBar::OnDestroy() {
  for (int i = 0; i < m_arrSplitters.GetSize(); ++i) delete m_arrSplitters[i];
  m_arrSplitters.RemoveAll();
  for (int i = 0; i < m_arrEdges.GetSize(); ++i) delete m_arrEdges[i];
  m_arrEdges.RemoveAll();
  CControlBar::OnDestroy();
}

BOOL SECDockBar::PreTranslateMessage(MSG* pMsg) {
  // Alt keys in a floating bar reach the docking frame's menu.
  if (pMsg->message == WM_SYSKEYDOWN) {
    if (CFrameWnd* frame = GetDockingFrame()) frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, pMsg->lParam);
  }
  return CDockBar::PreTranslateMessage(pMsg);
}

int SECDockBar::GetDockedVisibleCount() const {
  int n = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->m_hWnd && (bar->GetStyle() & WS_VISIBLE)) ++n;
  return n;
}

void SECDockBar::DelayLayout() {
  if (CFrameWnd* frame = GetDockingFrame())
    frame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

sec_dock::Side SECDockBar::GetSide() const {
  if (m_dwStyle & CBRS_ALIGN_TOP) return sec_dock::Side::kTop;
  if (m_dwStyle & CBRS_ALIGN_BOTTOM) return sec_dock::Side::kBottom;
  if (m_dwStyle & CBRS_ALIGN_LEFT) return sec_dock::Side::kLeft;
  return sec_dock::Side::kRight;
}

// ---- Rows ----

int SECDockBar::RowStart(int nIndex) const {
  int i = std::min(nIndex, static_cast<int>(m_arrBars.GetSize()) - 1);
  while (i > 0 && m_arrBars[i - 1]) --i;
  return std::max(i, 1);
}

int SECDockBar::RowEnd(int nIndex) const {
  int i = nIndex;
  while (i < m_arrBars.GetSize() && m_arrBars[i]) ++i;
  return i;
}

int SECDockBar::RowLength() const {
  CRect client;
  if (!m_rectLayout.IsRectEmpty())
    client = m_rectLayout;
  else
    GetClientRect(&client);
  return IsHorzDock() ? client.Width() : client.Height();
}

void SECDockBar::CollectRow(int nRowStart, CPtrArray& bars) const {
  for (int i = nRowStart; i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
    if (CControlBar* bar = GetDockedControlBar(i)) bars.Add(bar);
}

void SECDockBar::ComputeMinimumShare() { m_fMinShare = sec_dock::MinimumShare(RowLength()); }

void SECDockBar::NormalizeRow(int nRowStart, CControlBar* pKeptBar, int* pnStretchable, int* pnFixed) {
  ComputeMinimumShare();
  CPtrArray bars;
  CollectRow(nRowStart, bars);
  std::vector<sec_dock::RowShare> shares;
  int kept = -1;
  for (int i = 0; i < bars.GetSize(); ++i) {
    auto* bar = static_cast<CControlBar*>(bars[i]);
    if (bar == pKeptBar) kept = i;
    shares.push_back({SECBarShare(bar), bar->IsVisible() != FALSE, SECBarIsFixed(bar) != FALSE});
  }
  sec_dock::NormalizeResult counts = sec_dock::NormalizeShares(shares, kept, m_fMinShare);
  for (int i = 0; i < bars.GetSize(); ++i)
    SECSetBarShare(static_cast<CControlBar*>(bars[i]), shares[i].share);
  if (pnStretchable) *pnStretchable = counts.stretchable;
  if (pnFixed) *pnFixed = counts.fixed;
}

float SECDockBar::AddShare(float fDelta, CControlBar* pBar) {
  float share = SECBarShare(pBar) + fDelta;
  float shortfall = 0;
  if (share < m_fMinShare) {
    shortfall = m_fMinShare - share;
    share = m_fMinShare;
  }
  SECSetBarShare(pBar, share);
  return shortfall;
}

BOOL SECDockBar::GetRowBars(CPtrList& list, CControlBar* pBar) {
  if (!pBar) return FALSE;
  int pos = FindBar(pBar);
  if (pos <= 0) return FALSE;
  CPtrArray bars;
  CollectRow(RowStart(pos), bars);
  for (int i = 0; i < bars.GetSize(); ++i) list.AddTail(bars[i]);
  return TRUE;
}

BOOL SECDockBar::IsBarAlone(CControlBar* pBar) {
  int pos = FindBar(pBar);
  if (pos <= 0) return TRUE;
  CPtrArray bars;
  CollectRow(RowStart(pos), bars);
  for (int i = 0; i < bars.GetSize(); ++i) {
    auto* other = static_cast<CControlBar*>(bars[i]);
    if (other != pBar && other->IsVisible()) return FALSE;
  }
  return TRUE;
}

BOOL SECDockBar::IsBarExpanded(CControlBar* pBar) {
  int pos = FindBar(pBar);
  if (pos <= 0) return FALSE;
  CPtrArray bars;
  CollectRow(RowStart(pos), bars);
  int large = 0;
  BOOL among = FALSE;
  for (int i = 0; i < bars.GetSize(); ++i) {
    auto* bar = static_cast<CControlBar*>(bars[i]);
    if (!bar->IsVisible() || SECBarShare(bar) < m_fMinShare + 1e-6f) continue;
    ++large;
    if (bar == pBar) among = TRUE;
  }
  return large < 2 && among;
}

void SECDockBar::ExpandBar(CControlBar* pBar, int nMode) {
  int pos = FindBar(pBar);
  if (pos <= 0) return;
  int start = RowStart(pos);
  CPtrArray bars;
  CollectRow(start, bars);
  for (int i = 0; i < bars.GetSize(); ++i) {
    auto* bar = static_cast<CControlBar*>(bars[i]);
    SECSetBarShare(bar, nMode == expand ? (bar == pBar ? 1.0f : 0.0f) : 0.1f);
  }
  NormalizeRow(start, pBar);
  RepaintFrom(start);
  DelayLayout();
}

CControlBar* SECDockBar::GetPrevBarInRow(CControlBar* pBar) {
  int pos = FindBar(pBar);
  for (int i = pos - 1; i > 0 && m_arrBars[i]; --i)
    if (CControlBar* bar = GetDockedControlBar(i)) return bar;
  return nullptr;
}

CControlBar* SECDockBar::GetNextBarInRow(CControlBar* pBar) {
  int pos = FindBar(pBar);
  if (pos <= 0) return nullptr;
  for (int i = pos + 1; i < m_arrBars.GetSize() && m_arrBars[i]; ++i)
    if (CControlBar* bar = GetDockedControlBar(i)) return bar;
  return nullptr;
}

int SECDockBar::GetBarPlacement(CControlBar* pBar, int& nRow, int& nCol) {
  int pos = FindBar(pBar);
  if (pos <= 0) return -1;
  nRow = 0;
  for (int i = 1; i < pos; ++i)
    if (!m_arrBars[i]) ++nRow;
  nCol = 0;
  for (int i = RowStart(pos); i < pos; ++i)
    if (GetDockedControlBar(i)) ++nCol;
  CRect r;
  pBar->GetWindowRect(&r);
  return IsHorzDock() ? r.Height() : r.Width();
}

// ---- Repainting ----

void SECDockBar::AddToRepaintList(CControlBar* pBar) {
  if (pBar) m_arrRepaint.Add(pBar);
}

void SECDockBar::RemoveFromRepaintList(CControlBar* pBar) {
  for (int i = static_cast<int>(m_arrRepaint.GetSize()) - 1; i >= 0; --i)
    if (m_arrRepaint[i] == pBar) m_arrRepaint.RemoveAt(i);
}

void SECDockBar::RepaintFrom(int nIndex) {
  for (int i = std::max(nIndex, 0); i < m_arrBars.GetSize(); ++i) AddToRepaintList(GetDockedControlBar(i));
}

void SECDockBar::OnBarShown(CControlBar* pBar) {
  if (IsBarAlone(pBar)) RepaintFrom(RowStart(std::max(FindBar(pBar), 1)));
  AddToRepaintList(pBar);
  m_pLastShown = pBar;
}

void SECDockBar::RepaintBars() {
  m_bRepaintPending = TRUE;
  if (m_arrRepaint.GetSize() > 0)
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
  m_bRepaintPending = FALSE;
}

void SECDockBar::RepaintRowToolBars(CControlBar* pBar) {
  CPtrList row;
  if (!GetRowBars(row, pBar)) return;
  for (POSITION p = row.GetHeadPosition(); p;) {
    auto* bar = static_cast<CControlBar*>(row.GetNext(p));
    // Tool bars are the bars that are not sizable framework bars.
    if (!dynamic_cast<SECControlBar*>(bar) || SECBarIsFixed(bar)) AddToRepaintList(bar);
  }
}

void SECDockBar::DoPaint(CDC* pDC) {
  for (int i = static_cast<int>(m_arrEdges.GetSize()) - 1; i >= 0; --i)
    static_cast<ClientEdge*>(m_arrEdges[i])->Draw(pDC);
  for (int i = 0; i < m_arrSplitters.GetSize(); ++i) static_cast<Splitter*>(m_arrSplitters[i])->Draw(pDC);
  if (m_bRepaintPending) {
    for (int i = 0; i < m_arrRepaint.GetSize(); ++i) {
      auto* bar = static_cast<CControlBar*>(m_arrRepaint[i]);
      if (bar->m_hWnd) bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    }
    m_arrRepaint.RemoveAll();
    m_bNewRow = FALSE;
  }
  CDockBar::DoPaint(pDC);
}

void SECDockBar::Splitter::Draw(CDC* pDC) {
  CRect r = m_rect;
  if (m_nType == vertical) {
    pDC->FillSolidRect(r.left + 1, r.top, r.Width() - 3, r.Height(), secData.clrBtnFace);
    pDC->FillSolidRect(r.left, r.top, 1, r.Height(), secData.clrBtnHilite);
    pDC->FillSolidRect(r.right - 2, r.top, 1, r.Height(), secData.clrBtnShadow);
    pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), secData.clrWindowFrame);
  } else {
    pDC->FillSolidRect(r.left, r.top + 1, r.Width(), r.Height() - 3, secData.clrBtnFace);
    pDC->FillSolidRect(r.left, r.top, r.Width(), 1, secData.clrBtnHilite);
    pDC->FillSolidRect(r.left, r.bottom - 2, r.Width(), 1, secData.clrBtnShadow);
    pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, secData.clrWindowFrame);
  }
}

void SECDockBar::ClientEdge::Draw(CDC* pDC) {
  CRect r = m_rect;
  if (m_nType == 1) {
    pDC->FillSolidRect(r.left, r.top, 1, r.Height(), secData.clrBtnShadow);
    pDC->FillSolidRect(r.left + 1, r.top, 1, r.Height(), secData.clrBtnHilite);
  } else {
    pDC->FillSolidRect(r.left, r.top, r.Width(), 1, secData.clrBtnShadow);
    pDC->FillSolidRect(r.left, r.top + 1, r.Width(), 1, secData.clrBtnHilite);
  }
}

SECDockBar::Splitter* SECDockBar::AddSplitter(int nKind, int nType, const CRect& rect, int nIndex) {
  for (int i = 0; i < m_arrSplitters.GetSize(); ++i) {
    auto* s = static_cast<Splitter*>(m_arrSplitters[i]);
    if (s->m_rect == rect) {
      s->m_bLive = TRUE;
      s->m_nKind = nKind;
      s->m_nType = nType;
      s->m_nIndex = nIndex;
      return s;
    }
  }
  auto* s = new Splitter;
  s->m_nKind = nKind;
  s->m_nType = nType;
  s->m_rect = rect;
  s->m_nIndex = nIndex;
  m_arrSplitters.Add(s);
  return s;
}

SECDockBar::ClientEdge* SECDockBar::AddClientEdge(int nType, const CRect& rect) {
  for (int i = 0; i < m_arrEdges.GetSize(); ++i) {
    auto* e = static_cast<ClientEdge*>(m_arrEdges[i]);
    if (e->m_rect == rect) {
      e->m_bLive = TRUE;
      e->m_nType = nType;
      return e;
    }
  }
  auto* e = new ClientEdge;
  e->m_nType = nType;
  e->m_rect = rect;
  m_arrEdges.Add(e);
  return e;
}
