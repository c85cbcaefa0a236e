// Painting of the 3-D strip: one off-screen bitmap holding the tabs, the
// base lines along the edge and the active tab drawn last, copied to the
// screen in one transfer.
#include <initializer_list>

#include "controls/sec_3d_tab_control.h"
#include "platform/ui/cdc.h"
#include "platform/ui/sysmetrics.h"

namespace {
constexpr DWORD kSEC3DTabMaskPaint = 0x00B8074A;  // pattern where the mask is black, else the screen
constexpr int kSEC3DTabDisabledGrow = 5;          // the scratch bitmap is this much larger than the tab
constexpr int kSEC3DTabIconFromEdge = 22;         // icon top above the bottom of a right-edge tab

// One poly-line: a MoveTo and LineTo calls.
void SEC3DTabLine(CDC* pDC, std::initializer_list<CPoint> points) {
  auto it = points.begin();
  if (it == points.end()) return;
  pDC->MoveTo(*it);
  for (++it; it != points.end(); ++it) pDC->LineTo(*it);
}

// The focus rectangle's inset (left, top, right, bottom) per edge.
struct SEC3DTabFocusInset {
  DWORD edge;
  int l, t, r, b;
};
constexpr SEC3DTabFocusInset kSEC3DTabFocusInsets[] = {
    {kSEC3DTabTop, 2, 1, 3, 2},
    {kSEC3DTabBottom, 2, 2, 3, 1},
    {kSEC3DTabRight, 2, 2, 1, 3},
    {kSEC3DTabLeft, 1, 2, 2, 3},
};
}  // namespace

void SEC3DTabControl::FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr) {
  pDC->FillSolidRect(x, y, cx, cy, clr);
}

void SEC3DTabControl::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  const int l = client.left, t = client.top, r = client.right, b = client.bottom;
  const int w = client.Width(), h = client.Height();
  CDC mem;
  CBitmap bitmap;
  if (!mem.CreateCompatibleDC(&paint) ||
      !bitmap.CreateCompatibleBitmap(&paint, std::max(w, 1), std::max(h, 1)))
    return;
  CBitmap* oldBitmap = mem.SelectObject(&bitmap);
  mem.SetBkMode(TRANSPARENT);
  mem.SetTextColor(m_clrText[0]);
  CBrush* oldBrush = mem.SelectObject(&m_brushes[0]);
  CFont* oldFont = mem.SelectObject(&m_fonts[0]);
  CPen* oldPen = mem.SelectObject(&m_pens[0]);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  FillSolidRect(&mem, l, t, w, h, face);
  for (int i = 0; i < GetTabCount(); ++i) {
    if (!(m_bActiveTab && i == m_nActiveTab)) DrawTab(&mem, i);
  }
  const DWORD style = GetStyle();
  const bool noOuter = (style & kSEC3DTabNoBaseLines) != 0;
  const COLORREF hilight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF black = RGB(0, 0, 0);
  if (style & kSEC3DTabTop) {
    if (!noOuter) {
      FillSolidRect(&mem, l, t, w, 1, hilight);
      FillSolidRect(&mem, l, t + 1, w, 1, face);
    }
    FillSolidRect(&mem, l, t + 2, w, 1, shadow);
    FillSolidRect(&mem, l, t + 3, w, 1, black);
  } else if (style & kSEC3DTabBottom) {
    FillSolidRect(&mem, l, b - 4, w, 1, hilight);
    FillSolidRect(&mem, l, b - 3, w, 1, face);
    if (!noOuter) {
      FillSolidRect(&mem, l, b - 2, w, 1, shadow);
      FillSolidRect(&mem, l, b - 1, w, 1, black);
    }
  } else if (style & kSEC3DTabRight) {
    FillSolidRect(&mem, r - 4, t, 1, h, hilight);
    FillSolidRect(&mem, r - 3, t, 1, h, face);
    if (!noOuter) {
      FillSolidRect(&mem, r - 2, t, 1, h, shadow);
      FillSolidRect(&mem, r - 1, t, 1, h, black);
    }
  } else if (style & kSEC3DTabLeft) {
    if (!noOuter) {
      FillSolidRect(&mem, l, t, 1, h, hilight);
      FillSolidRect(&mem, l + 1, t, 1, h, face);
    } else {
      FillSolidRect(&mem, l, t, 3, 1, hilight);
    }
    FillSolidRect(&mem, l + 2, t + 1, 1, h - 1, shadow);
    FillSolidRect(&mem, l + 3, t, 1, h, black);
  }
  CRect clip;
  paint.GetClipBox(&clip);
  if (const SEC3DTab* active = m_bActiveTab ? Get3DTab(m_nActiveTab) : nullptr) {
    CRect meet;
    if (meet.IntersectRect(&active->m_rcTab, &clip)) {
      mem.SetTextColor(m_clrText[1]);
      mem.SelectObject(&m_fonts[1]);
      mem.SelectObject(&m_pens[1]);
      DrawTab(&mem, m_nActiveTab);
    }
  }
  mem.SelectObject(oldPen);
  mem.SelectObject(oldFont);
  mem.SelectObject(oldBrush);
  paint.BitBlt(l, t, w, h, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(oldBitmap);
}

void SEC3DTabControl::DrawTab(CDC* pDC, int nIndex) {
  SEC3DTab* tab = Get3DTab(nIndex);
  if (tab == nullptr) return;
  const DWORD style = GetStyle();
  CRect fill = tab->m_rcTab;
  if (style & kSEC3DTabTop) fill.right -= 1;
  if (style & kSEC3DTabLeft) fill.bottom -= 2;
  FillSolidRect(pDC, fill.left, fill.top, fill.Width(), fill.Height(), ::GetSysColor(COLOR_BTNFACE));
  if (style & kSEC3DTabBottom)
    DrawTabBorderBottom(pDC, tab, style);
  else if (style & kSEC3DTabLeft)
    DrawTabBorderLeft(pDC, tab, style);
  else if (style & kSEC3DTabRight)
    DrawTabBorderRight(pDC, tab, style);
  else
    DrawTabBorderTop(pDC, tab, style);
}

void SEC3DTabControl::DrawTabBorderTop(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle) {
  const CRect& rc = pTab->m_rcTab;
  const int f = (dwStyle & kSEC3DTabNarrowBorder) ? 1 : 0;
  const int l = rc.left, t = rc.top, r = rc.right - f, b = rc.bottom;
  CPen* black = pDC->SelectObject(&m_penHilight);
  SEC3DTabLine(pDC, {{l, t + 1}, {l, b - 2}});
  pDC->SelectObject(&m_penShadow);
  SEC3DTabLine(
      pDC,
      {{l + 1, b - 2}, {l + 1, b - 1}, {r - 2, b - 1}, {r - 2, b - 2}, {r - 1, b - 2}, {r - 1, t}, {r, t}});
  pDC->SelectObject(black);
  SEC3DTabLine(pDC, {{r, t + 2}, {r, b - 2}, {r - 2, b}, {l + 2, b}});
  DrawTabContents(pDC, pTab, dwStyle);
}

void SEC3DTabControl::DrawTabBorderBottom(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle) {
  const CRect& rc = pTab->m_rcTab;
  const int f = (dwStyle & kSEC3DTabNarrowBorder) ? 1 : 0;
  const int l = rc.left, t = rc.top, r = rc.right - f, b = rc.bottom;
  CPen* black = pDC->SelectObject(&m_penHilight);
  SEC3DTabLine(pDC, {{l, b - 1}, {l, t + 2}, {l + 2, t}, {r - 2, t}});
  pDC->SelectObject(&m_penShadow);
  SEC3DTabLine(pDC, {{r - 2, t + 1}, {r - 1, t + 2}, {r - 1, b}});
  pDC->SelectObject(black);
  SEC3DTabLine(pDC, {{r - 1, t + 1}, {r, t + 2}, {r, b}});
  DrawTabContents(pDC, pTab, dwStyle);
}

void SEC3DTabControl::DrawTabBorderRight(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle) {
  const CRect& rc = pTab->m_rcTab;
  const int f = (dwStyle & kSEC3DTabNarrowBorder) ? 1 : 0;
  const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom - f;
  CPen* black = pDC->SelectObject(&m_penShadow);
  SEC3DTabLine(pDC, {{l + 1, b - 2}, {l + 2, b - 1}, {r, b - 1}});
  pDC->SelectObject(&m_penHilight);
  SEC3DTabLine(pDC, {{l, b - 2}, {l, t + 2}, {l + 2, t}, {r, t}});
  pDC->SelectObject(black);
  SEC3DTabLine(pDC, {{l + 1, b - 1}, {l + 2, b}, {r, b}});
  DrawTabContents(pDC, pTab, dwStyle);
}

void SEC3DTabControl::DrawTabBorderLeft(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle) {
  const CRect& rc = pTab->m_rcTab;
  const int f = (dwStyle & kSEC3DTabNarrowBorder) ? 1 : 0;
  const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom - f;
  CPen* black = pDC->SelectObject(&m_penHilight);
  SEC3DTabLine(pDC, {{l, t}, {r - 2, t}});
  pDC->SelectObject(&m_penShadow);
  SEC3DTabLine(pDC, {{r - 2, t}, {r - 1, t + 1}, {r - 1, b - 2}});
  pDC->SelectObject(black);
  SEC3DTabLine(pDC, {{r, t + 2}, {r, b - 2}});
  pDC->SelectObject(&m_penShadow);
  SEC3DTabLine(pDC, {{r - 1, b - 2}, {r - 2, b - 1}, {l, b - 1}});
  pDC->SelectObject(black);
  SEC3DTabLine(pDC, {{r, b - 2}, {r - 2, b}, {l, b}});
  DrawTabContents(pDC, pTab, dwStyle);
}

void SEC3DTabControl::DrawTabContents(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle) {
  const CRect& rc = pTab->m_rcTab;
  const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
  CSize size(0, 0);
  if (m_bShowLabels && !pTab->m_csLabel.IsEmpty()) size = pDC->GetTextExtent(pTab->m_csLabel);
  const bool right = (dwStyle & kSEC3DTabRight) != 0;
  const bool left = !right && (dwStyle & kSEC3DTabLeft) != 0;
  const bool horizontal = !right && !left;
  // Turned text: the extent along the baseline is the tab's length.
  if (!horizontal && size.cy > size.cx) std::swap(size.cx, size.cy);
  int cx = size.cx, cy = size.cy;
  if (!horizontal) std::swap(cx, cy);
  CPoint text, icon;
  if (horizontal) {
    text = CPoint(l + kSEC3DTabPadding, t + (b - t) / 2 - cy / 2);
    icon = CPoint(text.x, t + (b - t) / 2 - kSEC3DTabIconSize / 2);
    if (pTab->m_hIcon) text.x += kSEC3DTabIconSpan;
  } else if (right) {
    text = CPoint(l + (r - l) / 2 - cx / 2, b - kSEC3DTabPadding);
    icon = CPoint(l + (r - l) / 2 - kSEC3DTabIconSize / 2, b - kSEC3DTabIconFromEdge);
    if (pTab->m_hIcon) text.y -= kSEC3DTabIconSpan;
  } else {
    text = CPoint(l + (r - l) / 2 + cx / 2, t + kSEC3DTabPadding);
    icon = CPoint(l + (r - l) / 2 - kSEC3DTabIconSize / 2, t + kSEC3DTabPadding);
    if (pTab->m_hIcon) text.y += kSEC3DTabIconSpan;
  }
  const int index = [&] {
    for (int i = 0; i < GetTabCount(); ++i)
      if (Get3DTab(i) == pTab) return i;
    return -1;
  }();
  if (!pTab->m_bEnabled) {
    if (pTab->m_hIcon) DrawDisabledPiece(pDC, rc, pTab, icon, text, true);
    if (m_bShowLabels) DrawDisabledPiece(pDC, rc, pTab, icon, text, false);
    return;
  }
  if (ParentHasTabStop() && pTab->m_bSelected && ::GetFocus() == m_hWnd && index >= 0) {
    for (const SEC3DTabFocusInset& in : kSEC3DTabFocusInsets) {
      if (!(dwStyle & in.edge) && !(in.edge == kSEC3DTabTop && !(dwStyle & kSEC3DTabEdges))) continue;
      CRect focus(l + in.l, t + in.t, r - in.r, b - in.b);
      pDC->DrawFocusRect(&focus);
      break;
    }
  }
  if (pTab->m_hIcon) pDC->DrawIcon(icon, pTab->m_hIcon);
  if (m_bShowLabels && !pTab->m_csLabel.IsEmpty()) {
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&rc);
    pDC->TextOut(text.x, text.y, pTab->m_csLabel);
    pDC->RestoreDC(saved);
  }
}

// The icon (a 16-pixel square) or the label drawn into a scratch bitmap,
// given the disabled look there and copied onto the tab.
void SEC3DTabControl::DrawDisabledPiece(CDC* pDC, const CRect& area, SEC3DTab* pTab, const CPoint& iconAt,
                                        const CPoint& textAt, bool icon) {
  const int cx = area.Width() + kSEC3DTabDisabledGrow;
  const int cy = area.Height() + kSEC3DTabDisabledGrow;
  CDC scratch;
  CBitmap bitmap;
  if (!scratch.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, cx, cy)) return;
  CBitmap* old = scratch.SelectObject(&bitmap);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  scratch.FillSolidRect(0, 0, cx, cy, face);
  CRect piece;
  if (icon) {
    scratch.DrawIcon(iconAt.x - area.left, iconAt.y - area.top, pTab->m_hIcon);
    piece.SetRect(iconAt.x, iconAt.y, iconAt.x + kSEC3DTabIconSize, iconAt.y + kSEC3DTabIconSize);
  } else {
    CFont* font = pDC->GetCurrentFont();
    CFont* oldFont = font ? scratch.SelectObject(font) : nullptr;
    scratch.SetBkMode(TRANSPARENT);
    scratch.SetTextColor(RGB(0, 0, 0));
    scratch.TextOut(textAt.x - area.left, textAt.y - area.top, pTab->m_csLabel);
    if (oldFont) scratch.SelectObject(oldFont);
    // The label's own part of the tab: inside the border, past the icon.
    piece = area;
    piece.DeflateRect(2, 2);
    if (pTab->m_hIcon) {
      CRect iconRect(iconAt.x, iconAt.y, iconAt.x + kSEC3DTabIconSize, iconAt.y + kSEC3DTabIconSize);
      if (IsHorizontal())
        piece.left = std::max(piece.left, iconRect.right);
      else if (GetStyle() & kSEC3DTabRight)
        piece.bottom = std::min(piece.bottom, iconRect.top);
      else
        piece.top = std::max(piece.top, iconRect.bottom);
    }
  }
  DrawDisabledBitmap(&scratch, cx, cy);
  if (!piece.IsRectEmpty())
    pDC->BitBlt(piece.left, piece.top, piece.Width(), piece.Height(), &scratch, piece.left - area.left,
                piece.top - area.top, SRCCOPY);
  scratch.SelectObject(old);
}

void SEC3DTabControl::DrawDisabledBitmap(CDC* pDC, int cx, int cy) {
  if (cx <= 4 || cy <= 4) return;
  CDC mono;
  CBitmap mask;
  if (!mono.CreateCompatibleDC(pDC) || !mask.CreateBitmap(cx, cy, 1, 1, nullptr)) return;
  CBitmap* oldMask = mono.SelectObject(&mask);
  mono.PatBlt(0, 0, cx, cy, WHITENESS);
  // Pixels of the background colour turn white, all others black.
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  pDC->SetBkColor(face);
  mono.BitBlt(0, 0, cx - 1, cy - 1, pDC, 1, 1, SRCCOPY);
  pDC->FillSolidRect(0, 0, cx, cy, face);
  const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
  const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
  CBrush hilight(::GetSysColor(COLOR_BTNHIGHLIGHT));
  CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
  CBrush* oldBrush = pDC->SelectObject(&hilight);
  pDC->BitBlt(2, 2, cx - 4, cy - 4, &mono, 0, 0, kSEC3DTabMaskPaint);
  pDC->SelectObject(&shadow);
  pDC->BitBlt(1, 1, cx - 3, cy - 3, &mono, 0, 0, kSEC3DTabMaskPaint);
  pDC->SelectObject(oldBrush);
  pDC->SetTextColor(oldText);
  pDC->SetBkColor(oldBk);
  mono.SelectObject(oldMask);
}
