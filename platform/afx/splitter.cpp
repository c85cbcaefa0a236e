#include "platform/afx/splitter.h"

#include "platform/afx/track_loop.h"

#include <algorithm>

#include "platform/afx/document.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/scrollview.h"
#include "platform/afx/view.h"
#include "platform/afx/winthread.h"
#include "platform/ui/cdc.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd() = default;
CSplitterWnd::~CSplitterWnd() {
  if (m_hWnd) DestroyWindow();
}

BOOL CSplitterWnd::CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID) {
  m_pRowInfo.assign(static_cast<size_t>(m_nMaxRows), CRowColInfo());
  m_pColInfo.assign(static_cast<size_t>(m_nMaxCols), CRowColInfo());
  for (auto& r : m_pRowInfo) r.nMinSize = r.nIdealSize = sizeMin.cy;
  for (auto& c : m_pColInfo) c.nMinSize = c.nIdealSize = sizeMin.cx;
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  return CWnd::Create(cls, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16) return FALSE;
  m_nMaxRows = m_nRows = nRows;
  m_nMaxCols = m_nCols = nCols;
  m_bDynamic = FALSE;
  return CreateCommon(pParentWnd, CSize(0, 0), dwStyle, nID);
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin,
                          CCreateContext* pContext, DWORD dwStyle, UINT nID) {
  if (!pContext || !pContext->m_pNewViewClass || nMaxRows < 1 || nMaxCols < 1 || nMaxRows > 2 || nMaxCols > 2)
    return FALSE;
  m_nMaxRows = nMaxRows;
  m_nMaxCols = nMaxCols;
  m_nRows = m_nCols = 1;
  m_bDynamic = TRUE;
  m_pDynamicViewClass = pContext->m_pNewViewClass;
  if (!CreateCommon(pParentWnd, sizeMin, dwStyle, nID)) return FALSE;
  return CreateView(0, 0, m_pDynamicViewClass, CSize(0, 0), pContext);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
  if (row < 0 || col < 0 || row >= m_nMaxRows || col >= m_nMaxCols || GetPane(row, col) || !pViewClass)
    return FALSE;
  m_pRowInfo[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
  m_pColInfo[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
  auto* wnd = static_cast<CWnd*>(pViewClass->CreateObject());
  if (!wnd) return FALSE;
  DWORD style = AFX_WS_DEFAULT_VIEW & ~WS_BORDER;
  if (!wnd->Create(nullptr, nullptr, style, CRect(0, 0, 0, 0), this,
                   static_cast<UINT>(IdFromRowCol(row, col)), pContext))
    return FALSE;
  if (m_hWnd) RecalcLayout();
  return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (!m_hWnd) return nullptr;
  HWND h = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
  return h ? CWnd::FromHandle(h) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
  if (!pWnd || !pWnd->m_hWnd || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
  int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  if (id < 0 || id > 0xFF) return FALSE;
  int row = id / 16, col = id % 16;
  if (row >= m_nRows || col >= m_nCols) return FALSE;
  if (pRow) *pRow = row;
  if (pCol) *pCol = col;
  return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
  CWnd* pane = nullptr;
  if (CFrameWnd* frame = GetParentFrame()) pane = frame->GetActiveView();
  if (!pane || !IsChildPane(pane, pRow, pCol)) {
    HWND focus = ::GetFocus();
    pane = focus ? CWnd::FromHandle(focus) : nullptr;
    if (!pane || !IsChildPane(pane, pRow, pCol)) return nullptr;
  }
  return pane;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
  CWnd* pane = pWnd ? pWnd : GetPane(row, col);
  if (!pane) return;
  CFrameWnd* frame = GetParentFrame();
  if (frame && pane->IsKindOf(RUNTIME_CLASS(CView)))
    frame->SetActiveView(static_cast<CView*>(pane));
  else
    pane->SetFocus();
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  const CRowColInfo& i = m_pRowInfo[static_cast<size_t>(row)];
  cyCur = i.nCurSize;
  cyMin = i.nMinSize;
}
void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  m_pRowInfo[static_cast<size_t>(row)].nIdealSize = cyIdeal;
  m_pRowInfo[static_cast<size_t>(row)].nMinSize = cyMin;
}
void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  const CRowColInfo& i = m_pColInfo[static_cast<size_t>(col)];
  cxCur = i.nCurSize;
  cxMin = i.nMinSize;
}
void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  m_pColInfo[static_cast<size_t>(col)].nIdealSize = cxIdeal;
  m_pColInfo[static_cast<size_t>(col)].nMinSize = cxMin;
}

namespace {
// Sizes along one axis: each part its ideal size, the last the rest.
void Distribute(std::vector<int>& out, const std::vector<int>& ideal, int count, int total, int gap) {
  out.assign(static_cast<size_t>(count), 0);
  int left = total - gap * (count - 1);
  for (int i = 0; i < count; ++i) {
    int size =
        i == count - 1 ? left : std::min(std::max(0, ideal[static_cast<size_t>(i)]), std::max(0, left));
    out[static_cast<size_t>(i)] = std::max(0, size);
    left -= size;
  }
}
}  // namespace

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  std::vector<int> ideal, cols, rows;
  for (int c = 0; c < m_nCols; ++c) ideal.push_back(m_pColInfo[static_cast<size_t>(c)].nIdealSize);
  Distribute(cols, ideal, m_nCols, client.Width(), m_cxSplitterGap);
  ideal.clear();
  for (int r = 0; r < m_nRows; ++r) ideal.push_back(m_pRowInfo[static_cast<size_t>(r)].nIdealSize);
  Distribute(rows, ideal, m_nRows, client.Height(), m_cySplitterGap);
  for (int c = 0; c < m_nCols; ++c)
    m_pColInfo[static_cast<size_t>(c)].nCurSize = cols[static_cast<size_t>(c)];
  for (int r = 0; r < m_nRows; ++r)
    m_pRowInfo[static_cast<size_t>(r)].nCurSize = rows[static_cast<size_t>(r)];
  int y = 0;
  for (int r = 0; r < m_nRows; ++r) {
    int x = 0;
    for (int c = 0; c < m_nCols; ++c) {
      if (CWnd* pane = GetPane(r, c))
        pane->SetWindowPos(nullptr, x, y, cols[static_cast<size_t>(c)], rows[static_cast<size_t>(r)],
                           SWP_NOZORDER | SWP_NOACTIVATE);
      x += cols[static_cast<size_t>(c)] + m_cxSplitterGap;
    }
    y += rows[static_cast<size_t>(r)] + m_cySplitterGap;
  }
  Invalidate();
}

int CSplitterWnd::HitTestBar(CPoint pt, BOOL* pVertical) const {
  int x = 0;
  for (int c = 0; c + 1 < m_nCols; ++c) {
    x += m_pColInfo[static_cast<size_t>(c)].nCurSize;
    if (pt.x >= x && pt.x < x + m_cxSplitterGap) {
      *pVertical = TRUE;
      return c;
    }
    x += m_cxSplitterGap;
  }
  int y = 0;
  for (int r = 0; r + 1 < m_nRows; ++r) {
    y += m_pRowInfo[static_cast<size_t>(r)].nCurSize;
    if (pt.y >= y && pt.y < y + m_cySplitterGap) {
      *pVertical = FALSE;
      return r;
    }
    y += m_cySplitterGap;
  }
  return -1;
}

BOOL CSplitterWnd::TrackBar(int bar, BOOL vertical, CPoint start) {
  if (::GetCapture()) return FALSE;
  // Where the bar starts, and how far the mouse is into it.
  int origin = 0;
  for (int i = 0; i < bar; ++i)
    origin += (vertical ? m_pColInfo : m_pRowInfo)[static_cast<size_t>(i)].nCurSize +
              (vertical ? m_cxSplitterGap : m_cySplitterGap);
  int barStart = origin + (vertical ? m_pColInfo : m_pRowInfo)[static_cast<size_t>(bar)].nCurSize;
  int grab = (vertical ? start.x : start.y) - barStart;
  CRect client;
  GetClientRect(&client);
  int extent = vertical ? client.Width() : client.Height();
  int pos = barStart;
  CClientDC dc(this);
  auto outline = [&](int at) {
    CRect r = vertical ? CRect(at, 0, at + m_cxSplitter, client.Height())
                       : CRect(0, at, client.Width(), at + m_cySplitter);
    dc.PatBlt(r.left, r.top, r.Width(), r.Height(), DSTINVERT);
  };
  outline(pos);
  afx::TrackHandlers h;
  h.mouse = [&](POINT p, bool) {
    int at = std::max(origin, std::min<int>((vertical ? p.x : p.y) - grab,
                                            extent - (vertical ? m_cxSplitter : m_cySplitter)));
    if (at == pos) return;
    outline(pos);
    pos = at;
    outline(pos);
  };
  BOOL done = afx::TrackModal(m_hWnd, m_hWnd, h);
  outline(pos);
  if (!done) return FALSE;
  auto& info = (vertical ? m_pColInfo : m_pRowInfo)[static_cast<size_t>(bar)];
  int size = pos - origin;
  if (m_bDynamic && size < info.nMinSize) {
    // Dragged below the smallest size: the first pane goes.
    vertical ? DeleteColumn(bar) : DeleteRow(bar);
    return TRUE;
  }
  info.nIdealSize = size;
  // The pane after the bar keeps at least its minimum.
  auto& next = (vertical ? m_pColInfo : m_pRowInfo)[static_cast<size_t>(bar + 1)];
  int rest = extent - pos - (vertical ? m_cxSplitterGap : m_cySplitterGap);
  if (m_bDynamic && rest < next.nMinSize) {
    vertical ? DeleteColumn(bar + 1) : DeleteRow(bar + 1);
    return TRUE;
  }
  RecalcLayout();
  return TRUE;
}

BOOL CSplitterWnd::AddPanes(bool row, int sizeBefore) {
  int& count = row ? m_nRows : m_nCols;
  if (!m_bDynamic || count >= (row ? m_nMaxRows : m_nMaxCols)) return FALSE;
  // The new panes show the document of the first one.
  CWnd* first = GetPane(0, 0);
  CCreateContext context;
  context.m_pNewViewClass = m_pDynamicViewClass;
  if (first && first->IsKindOf(RUNTIME_CLASS(CView)))
    context.m_pCurrentDoc = static_cast<CView*>(first)->GetDocument();
  context.m_pCurrentFrame = GetParentFrame();
  int added = count++;
  int across = row ? m_nCols : m_nRows;
  for (int i = 0; i < across; ++i) {
    int r = row ? added : i, c = row ? i : added;
    CSize size(row ? m_pColInfo[static_cast<size_t>(c)].nIdealSize : 0,
               row ? 0 : m_pRowInfo[static_cast<size_t>(r)].nIdealSize);
    if (!CreateView(r, c, m_pDynamicViewClass, size, &context)) {
      count--;
      return FALSE;
    }
    if (CWnd* pane = GetPane(r, c)) pane->SendMessage(WM_INITIALUPDATE);
  }
  (row ? m_pRowInfo : m_pColInfo)[0].nIdealSize = sizeBefore;
  RecalcLayout();
  return TRUE;
}

void CSplitterWnd::RemovePanes(bool row, int index) {
  int& count = row ? m_nRows : m_nCols;
  if (count <= 1 || index < 0 || index >= count) return;
  CFrameWnd* frame = GetParentFrame();
  int across = row ? m_nCols : m_nRows;
  for (int i = 0; i < across; ++i) {
    CWnd* pane = row ? GetPane(index, i) : GetPane(i, index);
    if (frame && pane && frame->GetActiveView() == pane) frame->SetActiveView(nullptr, FALSE);
    if (pane) pane->DestroyWindow();
  }
  // The panes after it move up (or left) one place.
  for (int k = index + 1; k < count; ++k) {
    for (int i = 0; i < across; ++i) {
      CWnd* pane = row ? GetPane(k, i) : GetPane(i, k);
      if (pane) pane->SetDlgCtrlID(row ? IdFromRowCol(k - 1, i) : IdFromRowCol(i, k - 1));
    }
  }
  count--;
  if (frame && !frame->GetActiveView())
    if (CWnd* pane = GetPane(0, 0); pane && pane->IsKindOf(RUNTIME_CLASS(CView)))
      frame->SetActiveView(static_cast<CView*>(pane));
  RecalcLayout();
}

BOOL CSplitterWnd::SplitRow(int cyBefore) { return AddPanes(true, cyBefore); }
BOOL CSplitterWnd::SplitColumn(int cxBefore) { return AddPanes(false, cxBefore); }
void CSplitterWnd::DeleteRow(int rowDelete) { RemovePanes(true, rowDelete); }
void CSplitterWnd::DeleteColumn(int colDelete) { RemovePanes(false, colDelete); }

void CSplitterWnd::SyncScroll(CWnd* pPane, BOOL bHorz, BOOL bVert) {
  int row, col;
  if (!IsChildPane(pPane, &row, &col) || !pPane->IsKindOf(RUNTIME_CLASS(CScrollView))) return;
  CPoint pos = static_cast<CScrollView*>(pPane)->GetDeviceScrollPosition();
  // Panes of one row share the vertical position, panes of one column the horizontal one.
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      if ((r == row) == (c == col)) continue;
      CWnd* other = GetPane(r, c);
      if (!other || !other->IsKindOf(RUNTIME_CLASS(CScrollView))) continue;
      auto* view = static_cast<CScrollView*>(other);
      CPoint now = view->GetDeviceScrollPosition();
      CPoint target = now;
      if (bVert && r == row) target.y = pos.y;
      if (bHorz && c == col) target.x = pos.x;
      if (target != now) {
        view->SetScrollPos(SB_HORZ, target.x);
        view->SetScrollPos(SB_VERT, target.y);
        view->ScrollWindow(now.x - target.x, now.y - target.y);
      }
    }
  }
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_BTNHIGHLIGHT),
           dark = ::GetSysColor(COLOR_BTNSHADOW);
  int x = 0;
  for (int c = 0; c + 1 < m_nCols; ++c) {
    x += m_pColInfo[static_cast<size_t>(c)].nCurSize;
    CRect bar(x, 0, x + m_cxSplitterGap, client.bottom);
    dc.FillSolidRect(&bar, face);
    dc.Draw3dRect(&bar, light, dark);
    x += m_cxSplitterGap;
  }
  int y = 0;
  for (int r = 0; r + 1 < m_nRows; ++r) {
    y += m_pRowInfo[static_cast<size_t>(r)].nCurSize;
    CRect bar(0, y, client.right, y + m_cySplitterGap);
    dc.FillSolidRect(&bar, face);
    dc.Draw3dRect(&bar, light, dark);
    y += m_cySplitterGap;
  }
}

void CSplitterWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  BOOL vertical = FALSE;
  int bar = HitTestBar(point, &vertical);
  if (bar >= 0)
    TrackBar(bar, vertical, point);
  else
    CWnd::OnLButtonDown(nFlags, point);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (pWnd == this && nHitTest == HTCLIENT) {
    POINT pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    BOOL vertical = FALSE;
    if (HitTestBar(pt, &vertical) >= 0) {
      ::SetCursor(::LoadCursor(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}
