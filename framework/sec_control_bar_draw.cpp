// Painting of SECControlBar: borders, the gripper and its buttons, the
// border-space frame.
#include <algorithm>

#include "framework/sec_control_bar.h"
#include "framework/sec_global_data.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

void SECControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  const DWORD style = m_dwStyle;
  if (!(style & CBRS_BORDER_ANY)) return;
  if (m_dwExStyle & SECBAR_FLATBORDERS) {
    if (style & CBRS_BORDER_LEFT) rect.left += 1;
    if (style & CBRS_BORDER_TOP) rect.top += 1;
    if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
    if (m_dwExStyle & SECBAR_GRIPPER) DrawGripper(pDC, rect);
    return;
  }
  const BOOL raised = (m_dwExStyle & SECBAR_3DBORDERS) != 0;
  const COLORREF dark =
      raised ? (secData.bWin4 ? secData.clrBtnShadow : secData.clrWindowFrame) : secData.clrBtnFace;
  const COLORREF light = raised ? secData.clrBtnHilite : secData.clrBtnFace;
  const BOOL three_d = (style & CBRS_BORDER_3D) != 0;
  const int b = secData.cxBorder2;
  const int R = rect.right, B = rect.bottom;
  const int R1 = three_d ? R - 1 : R, B1 = three_d ? B - 1 : B;
  int T2 = rect.top, H2 = rect.Height();
  if (style & CBRS_BORDER_TOP) T2 += 2, H2 -= 2;
  if (style & CBRS_BORDER_BOTTOM) H2 -= 2;
  const BOOL horz = (style & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
  // One line per bordered side: (x, y, width, height); negative sizes extend left or up.
  auto line = [&](int x, int y, int w, int h, COLORREF c) {
    CRect r(x, y, x + w, y + h);
    r.NormalizeRect();
    pDC->FillSolidRect(&r, c);
  };
  if (style & CBRS_BORDER_LEFT) horz ? line(0, T2, 1, H2, dark) : line(0, T2 - 2, 1, H2 + 6, dark);
  if (style & CBRS_BORDER_TOP) horz ? line(0, 0, R, 1, dark) : line(2, 0, R - 3, 1, dark);
  if (style & CBRS_BORDER_RIGHT) line(R1, T2, -1, H2, dark);
  if (style & CBRS_BORDER_BOTTOM) horz ? line(0, B1, R, -1, dark) : line(2, B1, R - 3, -1, dark);
  if (three_d) {
    if (style & CBRS_BORDER_LEFT) horz ? line(1, T2, 1, H2, light) : line(1, T2 - 2, 1, H2 + 3, light);
    if (style & CBRS_BORDER_TOP) horz ? line(0, 1, R, 1, light) : line(1, 1, R, 1, light);
    if (style & CBRS_BORDER_RIGHT) horz ? line(R, T2, -1, H2, light) : line(R, T2, -1, H2 + 1, light);
    if (style & CBRS_BORDER_BOTTOM) horz ? line(0, B, R, -1, light) : line(1, B, R, -1, light);
  }
  if (style & CBRS_BORDER_LEFT) rect.left += b;
  if (style & CBRS_BORDER_TOP) rect.top += b;
  if (style & CBRS_BORDER_RIGHT) rect.right -= b;
  if (style & CBRS_BORDER_BOTTOM) rect.bottom -= b;
}

void SECControlBar::DrawGripper(CDC* pDC, const CRect& rectBar) {
  if (m_dwStyle & CBRS_FLOATING) return;
  const SECGripperInfo& g = m_gripperInfo;
  CRect rect = rectBar;
  if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) {
    rect.DeflateRect(1, 1);
    rect.right = rect.left + g.GetWidth();
    rect.top += g.m_nInset;
    rect.bottom -= g.m_nInset;
    if (m_dwExStyle & SECBAR_GRIPPERCLOSE) DrawGripperCloseButton(pDC, rect, TRUE);
    if (m_dwExStyle & SECBAR_GRIPPEREXPAND) DrawGripperExpandButton(pDC, rect, TRUE);
    for (int x : {rect.left + g.m_cxOffset, rect.left + g.m_cxOffset + g.m_cxBar1 + g.m_cxGap})
      pDC->Draw3dRect(x, rect.top, g.m_cxBar1, rect.Height(), secData.clrBtnHilite, secData.clrBtnShadow);
  } else {
    rect.bottom = rect.top + g.GetHeight();
    rect.left += g.m_nInset;
    rect.right -= g.m_nInset;
    if (m_dwExStyle & SECBAR_GRIPPERCLOSE) DrawGripperCloseButton(pDC, rect, FALSE);
    if (m_dwExStyle & SECBAR_GRIPPEREXPAND) DrawGripperExpandButton(pDC, rect, FALSE);
    for (int y : {rect.top + g.m_cyOffset, rect.top + g.m_cyOffset + g.m_cyBar1 + g.m_cyGap})
      pDC->Draw3dRect(rect.left, y, rect.Width(), g.m_cyBar1, secData.clrBtnHilite, secData.clrBtnShadow);
  }
}

namespace {
// The square of a gripper button at the start of the strip; the strip's
// remaining rectangle loses it and a gap of two pixels.
CRect PlaceButton(CRect& strip, const SECGripperInfo& g, BOOL bHorz) {
  CRect button;
  if (bHorz) {
    int x0 = std::max(0, g.m_cxOffset + static_cast<int>(strip.left) - 2);
    int x1 = std::min(static_cast<int>(strip.right), static_cast<int>(strip.right) - g.m_cxTrailing + 2);
    button = CRect(x0, strip.top, x1, strip.top + (x1 - x0));
    strip.top = button.bottom + 2;
  } else {
    int y0 = std::max(0, g.m_cyOffset + static_cast<int>(strip.top) - 2);
    int y1 = std::min(static_cast<int>(strip.bottom), static_cast<int>(strip.bottom) - g.m_cyTrailing + 2);
    button = CRect(strip.right - (y1 - y0), y0, strip.right, y1);
    strip.right = button.left - 2;
  }
  return button;
}
}  // namespace

void SECControlBar::DrawGripperCloseButton(CDC* pDC, CRect& rect, BOOL bHorz) {
  m_rcCloseBtn = PlaceButton(rect, m_gripperInfo, bHorz);
  m_bClosePressed ? DrawCloseButtonPushed(pDC) : DrawCloseButtonNormal(pDC);
}

void SECControlBar::DrawCloseButtonPushed(CDC* pDC) {
  CRect r = m_rcCloseBtn;
  pDC->DrawFrameControl(&r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
}

void SECControlBar::DrawCloseButtonNormal(CDC* pDC) {
  CRect r = m_rcCloseBtn;
  pDC->DrawFrameControl(&r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

void SECControlBar::DrawGripperExpandButton(CDC* pDC, CRect& rect, BOOL bHorz) {
  UpdateExpandButton(bHorz);
  m_rcExpandBtn = PlaceButton(rect, m_gripperInfo, bHorz);
  m_bExpandPressed ? DrawExpandButtonPushed(pDC) : DrawExpandButtonNormal(pDC);
}

namespace {
UINT ExpandArrow(BOOL horz, BOOL expandState, BOOL enabled) {
  UINT state = horz ? (expandState ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                    : (expandState ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
  return state | (enabled ? 0 : DFCS_INACTIVE);
}
}  // namespace

void SECControlBar::DrawExpandButtonPushed(CDC* pDC) {
  CRect r = m_rcExpandBtn;
  r.right -= 1;
  r.bottom -= 1;
  pDC->DrawFrameControl(&r, DFC_SCROLL,
                        ExpandArrow(m_bGripperHorz, m_bExpandState, m_bExpandEnabled) | DFCS_PUSHED);
}

void SECControlBar::DrawExpandButtonNormal(CDC* pDC) {
  CRect r = m_rcExpandBtn;
  r.right -= 1;
  r.bottom -= 1;
  pDC->DrawFrameControl(&r, DFC_SCROLL, ExpandArrow(m_bGripperHorz, m_bExpandState, m_bExpandEnabled));
}

void SECControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  DrawBorders(pDC, rect);
  // Flat borders draw the gripper themselves.
  const BOOL drawn = (m_dwExStyle & SECBAR_FLATBORDERS) && (m_dwStyle & CBRS_BORDER_ANY);
  if ((m_dwExStyle & SECBAR_GRIPPER) && !drawn) DrawGripper(pDC, rect);
  if (m_pRepaintWnd && m_pRepaintWnd->m_hWnd)
    m_pRepaintWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL SECControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, secData.clrBtnFace);
  if (m_dwExStyle & SECBAR_BORDERSPACE) {
    CRect inside;
    GetInsideRect(inside);
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    CBrush* old = pDC->SelectObject(&face);
    pDC->PatBlt(client.left, client.top, client.Width(), inside.top - client.top, PATCOPY);
    pDC->PatBlt(client.left, inside.bottom, client.Width(), client.bottom - inside.bottom, PATCOPY);
    pDC->PatBlt(client.left, inside.top, inside.left - client.left, inside.Height(), PATCOPY);
    pDC->PatBlt(inside.right, inside.top, client.right - inside.right, inside.Height(), PATCOPY);
    pDC->SelectObject(old);
  }
  return TRUE;
}
