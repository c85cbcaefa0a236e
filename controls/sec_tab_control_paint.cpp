// Painting of the flat strip: scroll buttons, tabs in three passes (normal,
// selected, active) and the strip's top line.
#include "controls/sec_tab_control.h"

#include "platform/ui/cdc.h"
#include "platform/ui/gdi.h"
#include "platform/ui/sysmetrics.h"

namespace {

// Paints a rectangle in a colour and restores the background colour.
void SECTabSolid(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr) {
  const COLORREF old = pDC->SetBkColor(clr);
  const CRect r(x, y, x + cx, y + cy);
  pDC->ExtTextOut(x, y, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  pDC->SetBkColor(old);
}

constexpr float kSECTabArrowWidth = 0.3f;
constexpr float kSECTabArrowHeight = 0.55f;
constexpr int kSECTabBarGap = 2;  // the bar beside the first/last arrow

}  // namespace

void SECTabControl::SelectState(CDC* pDC, int nState) {
  pDC->SetTextColor(m_clrText[nState]);
  pDC->SelectObject(&m_brushes[nState]);
  pDC->SelectObject(&m_fonts[nState]);
  pDC->SelectObject(&m_pens[nState]);
}

BOOL SECTabControl::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillRect(&client, &m_brushes[kSECTabStateNormal]);
  return TRUE;
}

void SECTabControl::OnPaint() {
  CPaintDC dc(this);
  CRect clip;
  dc.GetClipBox(&clip);
  const int oldBkMode = dc.SetBkMode(TRANSPARENT);
  const COLORREF oldText = dc.GetTextColor();
  CFont* oldFont = dc.SelectObject(&m_fonts[kSECTabStateNormal]);
  CPen* oldPen = dc.SelectObject(&m_pens[kSECTabStateNormal]);
  CBrush* oldBrush = dc.SelectObject(&m_brushes[kSECTabStateNormal]);

  for (DWORD b = kSECTabButtonFirst; b <= kSECTabButtonLast; b <<= 1) {
    CRect r = GetButtonRect(b);
    CRect meet;
    if ((m_dwButtons & b) && meet.IntersectRect(&r, &clip)) DrawButton(&dc, b);
  }

  const CRect area = GetTabsArea();
  dc.IntersectClipRect(&area);
  const int active = m_bActiveTab ? m_nActiveTab : -1;
  for (int pass = kSECTabStateNormal; pass <= kSECTabStateSelected; ++pass) {
    SelectState(&dc, pass);
    for (int i = 0; i < GetTabCount(); ++i) {
      const BOOL selected = GetTab(i)->m_bSelected;
      if (i == active || selected != (pass == kSECTabStateSelected)) continue;
      CRgn rgn;
      if (GetTabRgn(i, rgn) && rgn.RectInRegion(&clip)) DrawTab(&dc, i, &rgn);
    }
  }
  SelectState(&dc, kSECTabStateActive);
  if (IsValidTab(active)) {
    CRgn rgn;
    if (GetTabRgn(active, rgn) && rgn.RectInRegion(&clip)) DrawTab(&dc, active, &rgn);
    const CRect box = GetTabBox(active);
    if (box.left > GetButtonsArea().right) {
      dc.MoveTo(area.left, area.top);
      dc.LineTo(box.left, area.top);
    }
    dc.MoveTo(box.right - 1, area.top);
    dc.LineTo(area.right, area.top);
  } else {
    dc.MoveTo(area.left, area.top);
    dc.LineTo(area.right, area.top);
  }

  dc.SetBkMode(oldBkMode);
  dc.SelectObject(oldFont);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
  dc.SetTextColor(oldText);
}

void SECTabControl::DrawTab(CDC* pDC, int nIndex, CRgn* pRgn) {
  SECTab* tab = GetTab(nIndex);
  if (!tab || !pRgn) return;
  const int w = tab->m_nWidth;
  const CRect area = GetTabsArea();
  const int x = GetTabLeft(nIndex);
  // The fill sits inside the outline drawn below.
  const POINT fill[4] = {
      {x, area.top}, {x + kSECTabSlant, area.bottom}, {x + w - 7, area.bottom}, {x + w - 2, area.top}};
  HGDIOBJ pen = pDC->SelectObject(::GetStockObject(NULL_PEN));
  pDC->Polygon(fill, 4);
  pDC->SelectObject(pen);

  CRect box;
  pRgn->GetRgnBox(&box);
  const CPoint q0(box.left, box.top);
  const CPoint q1(box.left + kSECTabSlant, box.bottom - 1);
  const CPoint q2(box.left + w - kSECTabSlant, box.bottom - 1);
  const CPoint q3(box.left + w, box.top);
  pDC->MoveTo(q0);
  pDC->LineTo(q1);
  CPen* selected = pDC->SelectObject(&m_penShadow);
  pDC->LineTo(q2.x - 2, q2.y);
  pDC->LineTo(q3.x - 2, q3.y);
  pDC->SelectObject(selected);
  pDC->MoveTo(q2.x - 1, q2.y);
  pDC->LineTo(q3.x - 1, q3.y);

  pDC->SetTextAlign(TA_BOTTOM);
  const CSize text = pDC->GetTextExtent(tab->m_csLabel);
  const int tx = q1.x + (q2.x - q1.x - text.cx) / 2;
  const int ty = q1.y - (q1.y - q0.y - text.cy) / 2;
  pDC->TextOut(tx, ty, tab->m_csLabel);
}

void SECTabControl::DrawButton(CDC* pDC, DWORD dwButton) {
  const CRect rc = GetButtonRect(dwButton);
  const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
  const int w = R - L, h = B - T;
  const COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  SECTabSolid(pDC, L - 1, T, w, 1, frame);
  SECTabSolid(pDC, L, B, w - 1, 1, frame);
  SECTabSolid(pDC, L - 1, T + 1, 1, h - 1, frame);
  SECTabSolid(pDC, R - 1, T, 1, h - 1, frame);
  SECTabSolid(pDC, L + 1, T + 1, w - 2, h - 1, face);
  const BOOL pressed = m_nPressedButton == dwButton;
  if (pressed) {
    SECTabSolid(pDC, L, T + 1, 2, h - 1, shadow);
    SECTabSolid(pDC, L, T + 1, w - 1, 2, shadow);
    SECTabSolid(pDC, R - 2, T + 1, 1, h - 1, shadow);
    SECTabSolid(pDC, L, B - 1, w - 1, 1, shadow);
  } else {
    SECTabSolid(pDC, L, T + 1, 1, h - 2, light);
    SECTabSolid(pDC, L, T + 1, w - 2, 1, light);
    SECTabSolid(pDC, R - 2, T + 1, 1, h - 1, shadow);
    SECTabSolid(pDC, L, B - 2, w - 1, 1, shadow);
    SECTabSolid(pDC, R - 3, T + 2, 1, h - 3, shadow);
    SECTabSolid(pDC, L + 1, B - 3, w - 3, 1, shadow);
  }

  const int a = static_cast<int>(static_cast<float>(w) * kSECTabArrowWidth);
  const int b = static_cast<int>(static_cast<float>(h) * kSECTabArrowHeight);
  const int shift = pressed ? 1 : 0;
  const int cx = L + shift + (R - L) / 2;
  const int cy = T + shift + (B - T - 1) / 2;
  const COLORREF clr = (m_dwDisabledButtons & dwButton) ? shadow : RGB(0, 0, 0);
  CBrush brush(clr);
  CPen pen(PS_SOLID, 1, clr);
  CBrush* oldBrush = pDC->SelectObject(&brush);
  CPen* oldPen = pDC->SelectObject(&pen);
  int tx = 0, bx = 0;
  switch (dwButton) {
    case kSECTabButtonFirst:
      tx = cx - a / 2, bx = tx + a;
      break;
    case kSECTabButtonPrev:
      tx = cx - 2 - a / 2, bx = tx + a;
      break;
    case kSECTabButtonNext:
      tx = cx + a / 2, bx = tx - a;
      break;
    default:
      tx = cx - 2 + a / 2, bx = tx - a;
      break;
  }
  const POINT tri[3] = {{tx, cy}, {bx, cy + b / 2}, {bx, cy + b / 2 - b}};
  pDC->Polygon(tri, 3);
  if (dwButton == kSECTabButtonFirst || dwButton == kSECTabButtonLast) {
    const int lx = dwButton == kSECTabButtonFirst ? tx - kSECTabBarGap : tx + kSECTabBarGap;
    pDC->MoveTo(lx, cy + b / 2);
    pDC->LineTo(lx, cy + b / 2 - b - 1);
  }
  pDC->SelectObject(oldPen);
  pDC->SelectObject(oldBrush);
}
