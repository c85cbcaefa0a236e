// SECWorkbook: sheets, workbook mode, layout and the tab messages.
#include "framework/sec_workbook.h"

#include <cstdlib>
#include <cstring>

#include "framework/sec_worksheet.h"
#include "platform/ui/gdi.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
BOOL g_bSECWorkbookMode = FALSE;
}  // namespace

IMPLEMENT_DYNAMIC(SECWorkbookClient, CWnd)

BEGIN_MESSAGE_MAP(SECWorkbookClient, CWnd)
ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
ON_MESSAGE(WM_SEC_WORKBOOK_SETMENU, OnMDISetMenu)
END_MESSAGE_MAP()

void SECWorkbookClient::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  lpClientRect->left += m_nLeft;
  lpClientRect->top += m_nTop;
  lpClientRect->right -= m_nRight;
  lpClientRect->bottom -= m_nBottom;
  CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

void SECWorkbookClient::SetMargins(int nLeft, int nRight, int nTop, int nBottom) {
  m_nLeft = nLeft;
  m_nRight = nRight;
  m_nTop = nTop;
  m_nBottom = nBottom;
}

void SECWorkbookClient::GetMargins(int& nLeft, int& nRight, int& nTop, int& nBottom) const {
  nLeft = m_nLeft;
  nRight = m_nRight;
  nTop = m_nTop;
  nBottom = m_nBottom;
}

LRESULT SECWorkbookClient::OnMDISetMenu(WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (wParam != static_cast<WPARAM>(-1) && lParam != -1)
    result = DefWindowProc(WM_MDISETMENU, wParam, lParam);
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_SEC_WORKBOOK_REFRESH);
  return result;
}

// ---- SECWorkbook ----

IMPLEMENT_DYNCREATE(SECWorkbook, SECMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECWorkbook, SECMDIFrameWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_MESSAGE(WM_SEC_WORKBOOK_REFRESH, OnRefreshTabs)
END_MESSAGE_MAP()

SECWorkbook::SECWorkbook() : m_rectLastLayout(0, 0, 0, 0) {
  m_pControlBarMDIChildClass = RUNTIME_CLASS(SECControlBarWorksheet);
}

SECWorkbook::~SECWorkbook() {
  delete m_pToolTip;
  delete m_pClient;
}

BOOL SECWorkbook::IsWorkbookModeOn() { return g_bSECWorkbookMode; }

void SECWorkbook::SetWorkbookMode(BOOL bOn) {
  m_bWorkbookMode = bOn;
  g_bSECWorkbookMode = bOn;
  if (m_pClient) {
    if (bOn) {
      m_pClient->SetMargins(kSECWorkbookMarginSide, kSECWorkbookMarginSide, kSECWorkbookMarginTop,
                            kSECWorkbookMarginBottom);
    } else {
      m_pClient->SetMargins(0, 0, 0, 0);
    }
  }
  RecalcLayout(TRUE);
  if (m_hWnd) Invalidate();
}

CRect SECWorkbook::GetClientWindowRect() const {
  CRect rect(0, 0, 0, 0);
  if (!m_hWndMDIClient) return rect;
  ::GetWindowRect(m_hWndMDIClient, &rect);
  ScreenToClient(&rect);
  return rect;
}

void SECWorkbook::GetWorkbookArea(CRect& rect) {
  rect = GetClientWindowRect();
  if (!m_pClient) return;
  rect.left -= m_pClient->m_nLeft;
  rect.top -= m_pClient->m_nTop;
  rect.right += m_pClient->m_nRight;
  rect.bottom += m_pClient->m_nBottom;
}

BOOL SECWorkbook::IsSheetVisible(SECWorksheet* pSheet) const {
  return pSheet->m_hWnd && (pSheet->GetStyle() & WS_VISIBLE);
}

int SECWorkbook::GetSheetSlot(SECWorksheet* pSheet) const {
  if (pSheet->m_nIndex >= 0 && static_cast<size_t>(pSheet->m_nIndex) < m_paintSlots.size())
    return m_paintSlots[pSheet->m_nIndex];
  int hidden = 0;
  for (int i = 0; i < pSheet->m_nIndex && i < GetSheetCount(); ++i) {
    if (!IsSheetVisible(GetSheet(i))) ++hidden;
  }
  return pSheet->m_nIndex - hidden;
}

void SECWorkbook::CountSheetSlots() {
  m_paintSlots.clear();
  int hidden = 0;
  for (int i = 0; i < GetSheetCount(); ++i) {
    SECWorksheet* sheet = GetSheet(i);
    if (sheet->m_nIndex != i) {  // indices out of step: count each sheet alone
      m_paintSlots.clear();
      return;
    }
    m_paintSlots.push_back(i - hidden);
    if (!IsSheetVisible(sheet)) ++hidden;
  }
}

BOOL SECWorkbook::IsSheetRaised(SECWorksheet* pSheet) {
  return pSheet->m_bPressed || GetActiveFrame() == pSheet;
}

void SECWorkbook::GetTabPolygon(SECWorksheet* pSheet, POINT*& pPoints, int& nCount) {
  nCount = kSECTabPointCount;
  pPoints = new POINT[kSECTabPointCount];
  const CRect client = GetClientWindowRect();
  SECCalcTabPolygon(m_metrics, GetSheetSlot(pSheet),
                    IsSheetRaised(pSheet) ? SECTabRaise::kRaised : SECTabRaise::kFlat, client.left,
                    client.bottom + kSECTabStripGap, pPoints);
}

void SECWorkbook::GetTabLabelRect(const POINT* pPoints, int nIconWidth, CRect& rect) {
  rect = SECCalcTabLabelRect(pPoints, nIconWidth);
}

CString SECWorkbook::GetSheetTitle(SECWorksheet* pSheet) {
  if (CDocument* doc = pSheet->GetActiveDocument()) return doc->GetTitle();
  CString text;
  pSheet->GetWindowText(text);
  return text;
}

HICON SECWorkbook::GetSheetIcon(SECWorksheet* pSheet) { return m_bShowIcons ? pSheet->m_hIcon : nullptr; }

BOOL SECWorkbook::SetSheetIcon(SECWorksheet* pSheet, HICON hIcon, BOOL bRedraw) {
  if (!pSheet) return FALSE;
  pSheet->m_hIcon = hIcon;
  if (bRedraw) InvalidateTab(pSheet);
  return TRUE;
}

BOOL SECWorkbook::HitsTab(SECWorksheet* pSheet, CPoint point) {
  POINT* points = nullptr;
  int count = 0;
  GetTabPolygon(pSheet, points, count);
  CRgn region;
  region.CreatePolygonRgn(points, count, ALTERNATE);
  delete[] points;
  return region.PtInRegion(point);
}

CRect SECWorkbook::GetTabInvalidRect(SECWorksheet* pSheet, SECTabExtent extent) {
  const CRect client = GetClientWindowRect();
  CRect frame;
  GetClientRect(&frame);
  return SECCalcTabInvalidRect(m_metrics, GetSheetSlot(pSheet), client.left, client.bottom + kSECTabStripGap,
                               extent, frame.right);
}

void SECWorkbook::InvalidateTab(SECWorksheet* pSheet, SECTabExtent extent) {
  if (!m_hWnd || !pSheet) return;
  // A sheet not shown has no tab of its own to repaint; the strip from its
  // place on changes when it shows or hides.
  if (extent == SECTabExtent::kTab && !IsSheetVisible(pSheet)) return;
  CRect rect = GetTabInvalidRect(pSheet, extent);
  InvalidateRect(&rect);
}

void SECWorkbook::InvalidateStrip() {
  if (!m_hWnd) return;
  const CRect client = GetClientWindowRect();
  CRect frame;
  GetClientRect(&frame);
  const int top = client.bottom + kSECTabStripGap;
  CRect strip(frame.left, top, frame.right, top + m_metrics.nTabHeight + 4);
  InvalidateRect(&strip);
}

void SECWorkbook::UpdateTabWidth(BOOL bInvalidate) {
  if (GetSheetCount() == 0) return;
  const int width = SECCalcTabWidth(m_metrics, GetClientWindowRect().Width(), GetSheetCount());
  if (width == m_metrics.nTabWidth) return;
  m_metrics.nTabWidth = width;
  if (!bInvalidate || !m_bWorkbookMode) return;
  // Only sheets shown have tabs: with none the strip shows nothing new.
  for (int i = 0; i < GetSheetCount(); ++i) {
    if (IsSheetVisible(GetSheet(i))) {
      InvalidateStrip();
      return;
    }
  }
}

void SECWorkbook::AddSheet(SECWorksheet* pSheet) {
  pSheet->m_nIndex = static_cast<int>(m_arrSheets.Add(reinterpret_cast<CObject*>(pSheet)));
  const int before = m_metrics.nTabWidth;
  UpdateTabWidth(TRUE);
  if (before == m_metrics.nTabWidth && m_bWorkbookMode) {
    if (GetSheetCount() == 1) {
      Invalidate();
    } else {
      InvalidateTab(pSheet);
    }
  }
  if (GetSheetCount() == 1 && !m_pToolTip && m_hWnd) {
    m_pToolTip = new CToolTipCtrl;
    if (m_pToolTip->Create(this)) {
      m_pToolTip->Activate(TRUE);
      EnableToolTips(TRUE);
    } else {
      delete m_pToolTip;
      m_pToolTip = nullptr;
    }
  }
}

void SECWorkbook::RemoveSheet(SECWorksheet* pSheet) {
  const int at = pSheet->m_nIndex;
  if (at < 0 || at >= GetSheetCount() || GetSheet(at) != pSheet) return;
  m_arrSheets.RemoveAt(at);
  for (int i = 0; i < GetSheetCount(); ++i) GetSheet(i)->m_nIndex = i;
  pSheet->m_nIndex = -1;
  if (!m_bWorkbookMode) {
    UpdateTabWidth(FALSE);
    return;
  }
  if (GetSheetCount() == 0) {
    Invalidate();
    return;
  }
  const int before = m_metrics.nTabWidth;
  UpdateTabWidth(TRUE);
  if (before == m_metrics.nTabWidth) {
    // The tabs from the removed one's place to the end move left.
    SECWorksheet* next = GetSheet(at < GetSheetCount() ? at : GetSheetCount() - 1);
    InvalidateTab(next, SECTabExtent::kToEnd);
  }
}

BOOL SECWorkbook::CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu) {
  if (!SECMDIFrameWnd::CreateClient(lpCreateStruct, hWindowMenu)) return FALSE;
  m_pClient = new SECWorkbookClient;
  if (m_pClient->SubclassWindow(m_hWndMDIClient)) {
    if (!m_fontTab.CreateStockObject(DEFAULT_GUI_FONT)) m_fontTab.CreateStockObject(ANSI_VAR_FONT);
    m_penHilight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_penBlack.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
  } else {
    delete m_pClient;
    m_pClient = nullptr;
  }
  return TRUE;
}

void SECWorkbook::RecalcLayout(BOOL bNotify) {
  SECMDIFrameWnd::RecalcLayout(bNotify);
  if (!m_bWorkbookMode || !m_hWnd) return;
  CRect rect;
  GetClientRect(&rect);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect);
  if (rect == m_rectLastLayout) return;
  UpdateTabWidth(FALSE);
  Invalidate();
  m_rectLastLayout = rect;
}

void SECWorkbook::OnDestroy() {
  SECMDIFrameWnd::OnDestroy();
  if (m_pClient) {
    m_pClient->UnsubclassWindow();
    delete m_pClient;
    m_pClient = nullptr;
  }
}

LRESULT SECWorkbook::OnRefreshTabs(WPARAM, LPARAM) {
  if (m_nLastActive >= 0 && m_nLastActive < GetSheetCount()) InvalidateTab(GetSheet(m_nLastActive));
  CFrameWnd* active = GetActiveFrame();
  if (active && active->IsKindOf(RUNTIME_CLASS(SECWorksheet))) {
    auto* sheet = static_cast<SECWorksheet*>(active);
    InvalidateTab(sheet);
    m_nLastActive = sheet->m_nIndex;
  }
  BOOL maximised = FALSE;
  MDIGetActive(&maximised);
  if (!maximised) UpdateWindow();
  return 0;
}

void SECWorkbook::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bWorkbookMode) {
    CFrameWnd* active = GetActiveFrame();
    for (int i = 0; i < GetSheetCount(); ++i) {
      SECWorksheet* sheet = GetSheet(i);
      if (sheet == active || !IsSheetVisible(sheet) || !HitsTab(sheet, point) || !CanActivateSheet(sheet))
        continue;
      sheet->m_bPressed = TRUE;
      UpdateWindow();
      sheet->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_hWnd),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
      return;
    }
  }
  SECMDIFrameWnd::OnLButtonDown(nFlags, point);
}

void SECWorkbook::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bWorkbookMode) {
    for (int i = 0; i < GetSheetCount(); ++i) GetSheet(i)->m_bPressed = FALSE;
  }
  SECMDIFrameWnd::OnLButtonUp(nFlags, point);
}

INT_PTR SECWorkbook::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  auto* self = const_cast<SECWorkbook*>(this);
  if (!m_bWorkbookMode) return -1;
  for (int i = 0; i < GetSheetCount(); ++i) {
    SECWorksheet* sheet = GetSheet(i);
    if (!IsSheetVisible(sheet)) continue;
    POINT* points = nullptr;
    int count = 0;
    self->GetTabPolygon(sheet, points, count);
    CRgn region;
    region.CreatePolygonRgn(points, count, ALTERNATE);
    delete[] points;
    if (!region.PtInRegion(point)) continue;
    if (self->TabLabelFits(sheet)) return -1;
    if (pTI) {
      pTI->hwnd = m_hWnd;
      pTI->uId = static_cast<UINT_PTR>(i + 1);
      region.GetRgnBox(&pTI->rect);
      pTI->lpszText = ::strdup(self->GetSheetTitle(sheet));
    }
    return i + 1;
  }
  return -1;
}
