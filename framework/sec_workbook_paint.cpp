// SECWorkbook: painting the tab strip and the frame around the MDI client.
#include <memory>

#include "framework/sec_workbook.h"
#include "framework/sec_worksheet.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
// The frame drawn around the MDI client lies this far outside it.
constexpr int kSECClientFrameGap = 5;
// The tab icon's place inside the tab.
constexpr int kSECTabIconLeft = 1;
constexpr int kSECTabIconTop = 4;

void SECPolyline(CDC* pDC, CPen* pPen, std::initializer_list<POINT> points) {
  CPen* old = pDC->SelectObject(pPen);
  auto it = points.begin();
  pDC->MoveTo(it->x, it->y);
  for (++it; it != points.end(); ++it) pDC->LineTo(it->x, it->y);
  pDC->SelectObject(old);
}

// A tab outline owned for the length of a call.
struct SECTabOutline {
  std::unique_ptr<POINT[]> points;
  int count = 0;
};
SECTabOutline SECOutlineOf(SECWorkbook* pBook, SECWorksheet* pSheet) {
  POINT* points = nullptr;
  int count = 0;
  pBook->GetTabPolygon(pSheet, points, count);
  return {std::unique_ptr<POINT[]>(points), count};
}
}  // namespace

void SECWorkbook::DrawTab(CDC* pDC, SECWorksheet* pSheet) {
  SECTabOutline outline = SECOutlineOf(this, pSheet);
  const POINT* p = outline.points.get();
  CRgn region;
  region.CreatePolygonRgn(outline.points.get(), outline.count, ALTERNATE);
  CBrush face;
  face.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  pDC->FillRgn(&region, &face);
  SECPolyline(pDC, &m_penShadow,
              {{p[1].x + 1, p[1].y - 1},
               {p[2].x, p[2].y - 2},
               {p[3].x, p[3].y - 2},
               {p[4].x - 2, p[4].y - 1},
               {p[5].x - 2, p[5].y},
               {p[5].x, p[5].y}});
  SECPolyline(pDC, &m_penHilight, {{p[0].x, p[0].y + 1}, {p[1].x, p[1].y - 1}});
  SECPolyline(
      pDC, &m_penBlack,
      {{p[2].x + 1, p[2].y - 1}, {p[3].x, p[3].y - 1}, {p[4].x - 1, p[4].y - 1}, {p[5].x - 1, p[5].y}});
}

void SECWorkbook::DrawTabLabel(CDC* pDC, SECWorksheet* pSheet) {
  SECTabOutline outline = SECOutlineOf(this, pSheet);
  const POINT* p = outline.points.get();
  const int iconSize = m_bShowIcons ? kSECTabIconSize : 0;
  if (HICON icon = GetSheetIcon(pSheet)) {
    ::DrawIconEx(pDC->GetSafeHdc(), p[2].x + kSECTabIconLeft, p[0].y + kSECTabIconTop, icon, kSECTabIconSize,
                 kSECTabIconSize, 0, nullptr, DI_NORMAL);
  }
  CRect label;
  GetTabLabelRect(p, iconSize, label);
  // Text is clipped to the label: a tab too narrow for one shows none.
  if (label.IsRectEmpty()) return;
  CFont* old = m_fontTab.GetSafeHandle() ? pDC->SelectObject(&m_fontTab) : nullptr;
  const CString text = SECShortenTabTitle(GetSheetTitle(pSheet), label.Width(),
                                          [pDC](const CString& s) { return pDC->GetTextExtent(s).cx; });
  if (!text.IsEmpty()) pDC->DrawText(text, &label, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  if (old) pDC->SelectObject(old);
}

BOOL SECWorkbook::TabLabelFits(SECWorksheet* pSheet) {
  SECTabOutline outline = SECOutlineOf(this, pSheet);
  CRect label;
  GetTabLabelRect(outline.points.get(), kSECTabIconSize, label);
  CClientDC dc(this);
  CFont* old = m_fontTab.GetSafeHandle() ? dc.SelectObject(&m_fontTab) : nullptr;
  const int width = dc.GetTextExtent(GetSheetTitle(pSheet)).cx;
  if (old) dc.SelectObject(old);
  return width <= label.Width();
}

void SECWorkbook::DrawClientFrame(CDC* pDC) {
  CRect r = GetClientWindowRect();
  r.InflateRect(kSECClientFrameGap, kSECClientFrameGap);
  SECPolyline(pDC, &m_penShadow,
              {{r.left + 1, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top + 1}});
  SECPolyline(pDC, &m_penHilight, {{r.right - 1, r.top}, {r.left, r.top}, {r.left, r.bottom}});
  SECPolyline(pDC, &m_penBlack, {{r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}});
  CRect area;
  GetWorkbookArea(area);
  SECPolyline(pDC, &m_penShadow, {{area.left, area.top}, {area.right, area.top}});
  SECPolyline(pDC, &m_penHilight, {{area.left, area.top + 1}, {area.right, area.top + 1}});
}

void SECWorkbook::OnPaint() {
  CPaintDC dc(this);
  CRect clientArea(0, 0, 0, 0);
  if (m_hWndMDIClient) ::GetClientRect(m_hWndMDIClient, &clientArea);
  if (!m_bWorkbookMode || clientArea.IsRectEmpty()) return;
  dc.SetBkMode(TRANSPARENT);
  CountSheetSlots();
  const CRect update = dc.m_ps.rcPaint;
  for (int i = 0; i < GetSheetCount(); ++i) {
    SECWorksheet* sheet = GetSheet(i);
    if (!IsSheetVisible(sheet)) continue;
    CRect meet;
    if (!meet.IntersectRect(&update, GetTabInvalidRect(sheet, SECTabExtent::kTab))) continue;
    DrawTab(&dc, sheet);
    DrawTabLabel(&dc, sheet);
  }
  DrawClientFrame(&dc);
  CFrameWnd* active = GetActiveFrame();
  if (active && active->IsKindOf(RUNTIME_CLASS(SECWorksheet)) &&
      IsSheetVisible(static_cast<SECWorksheet*>(active))) {
    DrawTab(&dc, static_cast<SECWorksheet*>(active));
    DrawTabLabel(&dc, static_cast<SECWorksheet*>(active));
  }
  m_paintSlots.clear();
}

BOOL SECWorkbook::OnEraseBkgnd(CDC* pDC) {
  CRect frame;
  GetClientRect(&frame);
  CRect area = frame;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &area, &area);
  const CRect client = GetClientWindowRect();
  pDC->ExcludeClipRect(&client);
  pDC->FillSolidRect(&area, ::GetSysColor(COLOR_BTNFACE));
  // A bar beyond the area's bottom or right edge gets a sunken border line.
  if (area.bottom != frame.bottom) {
    SECPolyline(pDC, &m_penHilight, {{area.left, area.bottom - 1}, {area.right, area.bottom - 1}});
    SECPolyline(pDC, &m_penShadow, {{area.left, area.bottom - 2}, {area.right, area.bottom - 2}});
  }
  if (area.right != frame.right) {
    SECPolyline(pDC, &m_penHilight, {{area.right - 1, area.top}, {area.right - 1, area.bottom}});
    SECPolyline(pDC, &m_penShadow, {{area.right - 2, area.top}, {area.right - 2, area.bottom}});
  }
  return TRUE;
}
