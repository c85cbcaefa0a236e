// Drawing of tool bar buttons: the face, the overlays of the disabled,
// checked and indeterminate states through a mask, transparency and the
// customise selection, all in the button DC before one blit.
#include "framework/sec_bmp_mgr.h"
#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_global_data.h"
#include "framework/sec_std_btn.h"
#include "platform/ui/ui.h"

namespace {

// Ternary raster operations of the overlays.
constexpr DWORD kSECRopPatWhereSrcBlack = 0xB8074A;  // PSDPxax: pattern where the source is 0
constexpr DWORD kSECRopPatWhereSrcWhite = 0xE20746;  // DSPDxax: pattern where the source is 1
constexpr DWORD kSECRopAndNotSrc = 0x220326;         // DSna
constexpr int kSECSelectFrame = 3;

void SECBtnShrink(int& x, int& y, int& cx, int& cy, int n) {
  x += n;
  y += n;
  cx -= 2 * n;
  cy -= 2 * n;
}

// Paints `brush` through the mask onto the button DC with `rop`.
void SECBtnMaskBlt(SECBtnDrawData& data, CBrush& brush, int x, int y, int cx, int cy, int xMask, int yMask,
                   DWORD rop) {
  CDC& dc = data.m_dcButton;
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkColor(RGB(255, 255, 255));
  CBrush* old = dc.SelectObject(&brush);
  dc.BitBlt(x, y, cx, cy, &data.m_dcMask, xMask, yMask, rop);
  dc.SelectObject(old);
}

}  // namespace

void SECStdBtn::Draw(CDC& dc, SECBtnDrawData& data) {
  CRect rect = GetRect();
  if (!dc.RectVisible(&rect)) return;
  if (DrawSeparator(dc)) return;
  SelectImage(data);
  // A plain image button drawn as before is one blit from the face cache;
  // transparent faces show what lies behind them and are drawn each time.
  const BOOL transparent = m_pBar && m_pBar->IsCoolLook() && (m_pBar->GetExBarStyle() & SECBAR_TRANSPARENT);
  const BOOL cacheable = !transparent && data.m_hStrip && GetButtonClass() == SEC_BUTTON_CLASS(SECStdBtn);
  SECBtnDrawData::FaceKey key{};
  if (cacheable) {
    const DWORD look = (m_pBar->IsCoolLook() ? 1u : 0u) | (m_pBar->IsCustomizeMode() ? 2u : 0u);
    key = {data.m_hStrip, m_nImage, static_cast<UINT>(m_nStyle & ~(TBBS_WRAPPED | SEC_TBBS_VCENTER)),
           m_cx,          m_cy,     look};
    if (data.BlitCachedFace(key, dc, m_x, m_y)) return;
  }
  DrawButton(data);
  DrawTransparent(dc, data);
  DrawSelection(data);
  if (cacheable) data.CacheFace(key);
  BlitToScreen(dc, data);
}

BOOL SECStdBtn::DrawSeparator(CDC& dc) {
  if (!(m_nStyle & TBBS_SEPARATOR)) return FALSE;
  if (!m_pBar || !m_pBar->IsCoolLook() || (m_nStyle & TBBS_WRAPPED)) return TRUE;
  const DWORD see = SECBAR_FLATBORDERS | SECBAR_TRANSPARENT;
  if ((m_pBar->GetExBarStyle() & see) != see) dc.FillSolidRect(m_x, m_y, m_cx, m_cy, secData.clrBtnFace);
  const int xLine = m_x + m_pBar->GetSeparatorWidth() / 2;
  dc.FillSolidRect(xLine, m_y, 1, m_cy, secData.clrBtnShadow);
  dc.FillSolidRect(xLine + 1, m_y, 1, m_cy, secData.clrBtnHilite);
  return TRUE;
}

void SECStdBtn::SelectImage(SECBtnDrawData& data) {
  HBITMAP strip = nullptr;
  int index = 0;
  if (m_pBar && m_pBar->GetBmpMgr() && m_pBar->GetBmpMgr()->GetImage(m_nID, strip, index, FALSE))
    m_nImage = index;
  data.SelectStrip(strip);
}

void SECStdBtn::DrawButton(SECBtnDrawData& data) {
  int x = 0, y = 0, cx = m_cx, cy = m_cy;
  if (m_pBar && m_pBar->IsCustomizeMode()) {
    DrawFace(data, TRUE, x, y, cx, cy);
    return;
  }
  DrawFace(data, FALSE, x, y, cx, cy);
  if (m_nStyle & TBBS_PRESSED) return;
  if (m_nStyle & TBBS_DISABLED)
    DrawDisabled(data, x, y, cx, cy);
  else if (m_nStyle & TBBS_CHECKED)
    DrawChecked(data, x, y, cx, cy);
  else if (m_nStyle & TBBS_INDETERMINATE)
    DrawIndeterminate(data, x, y, cx, cy);
}

void SECStdBtn::DrawFace(SECBtnDrawData& data, BOOL bFlat, int& x, int& y, int& cx, int& cy,
                         int nImageWidth) {
  if (nImageWidth == -1) nImageWidth = m_pBar ? m_pBar->GetImageWidth() : 16;
  const int nImageHeight = m_pBar ? m_pBar->GetImageHeight() : 15;
  int ix = x + (cx - nImageWidth - 1) / 2;
  int iy = y + (cy - nImageHeight) / 2;
  CDC& dc = data.m_dcButton;
  dc.FillSolidRect(x, y, cx, cy, secData.clrBtnFace);
  const BOOL cool = m_pBar && m_pBar->IsCoolLook();
  const BOOL down = (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
  if (!down || bFlat) {
    if (!cool) {
      dc.Draw3dRect(x, y, cx, cy, secData.clrBtnHilite, secData.clrWindowFrame);
      SECBtnShrink(x, y, cx, cy, 1);
      dc.Draw3dRect(x, y, cx, cy, secData.clrBtnFace, secData.clrBtnShadow);
      SECBtnShrink(x, y, cx, cy, 1);
    } else {
      if ((m_nStyle & SEC_TBBS_HOT) && !bFlat)
        dc.Draw3dRect(x, y, cx, cy, secData.clrBtnHilite, secData.clrBtnShadow);
      SECBtnShrink(x, y, cx, cy, 2);
    }
  } else {
    dc.Draw3dRect(x, y, cx, cy, cool ? secData.clrBtnShadow : secData.clrWindowFrame, secData.clrBtnHilite);
    SECBtnShrink(x, y, cx, cy, 1);
    if (!cool) dc.Draw3dRect(x, y, cx, cy, secData.clrBtnShadow, secData.clrBtnFace);
    SECBtnShrink(x, y, cx, cy, 1);
    ++ix;
    ++iy;
  }
  DrawImage(ix, iy, nImageWidth, nImageHeight, data, nImageWidth * m_nImage, 0);
}

void SECStdBtn::DrawImage(int x, int y, int cx, int cy, SECBtnDrawData& data, int xSrc, int ySrc) {
  if (!data.m_hStrip) return;  // no image for this command
  data.m_dcButton.BitBlt(x, y, cx, cy, &data.m_dcImage, xSrc, ySrc, SRCCOPY);
}

void SECStdBtn::CreateMask(SECBtnDrawData& data, int x, int y, int cx, int cy) {
  data.m_dcMask.PatBlt(0, 0, m_cx, m_cy, WHITENESS);
  data.m_dcButton.SetBkColor(secData.clrBtnFace);
  data.m_dcMask.BitBlt(x, y, cx, cy, &data.m_dcButton, x, y, SRCCOPY);
  data.m_dcButton.SetBkColor(secData.clrBtnHilite);
  data.m_dcMask.BitBlt(x, y, cx, cy, &data.m_dcButton, x, y, SRCPAINT);
}

void SECStdBtn::DrawDisabled(SECBtnDrawData& data, int x, int y, int cx, int cy) {
  CreateMask(data, x, y, cx, cy);
  data.m_dcButton.FillSolidRect(x, y, cx, cy, secData.clrBtnFace);
  CBrush hilite(secData.clrBtnHilite);
  SECBtnMaskBlt(data, hilite, x + 1, y + 1, cx - 1, cy - 1, x, y, kSECRopPatWhereSrcBlack);
  CBrush shadow(secData.clrBtnShadow);
  SECBtnMaskBlt(data, shadow, x, y, cx, cy, x, y, kSECRopPatWhereSrcBlack);
  if (!(m_nStyle & TBBS_CHECKED)) return;
  // The checked background shows around the embossed image.
  data.m_dcMask.BitBlt(x + 1, y + 1, cx - 1, cy - 1, &data.m_dcMask, x, y, SRCAND);
  SECBtnMaskBlt(data, data.m_brDither, x, y, cx, cy, x, y, kSECRopPatWhereSrcWhite);
}

void SECStdBtn::DrawChecked(SECBtnDrawData& data, int x, int y, int cx, int cy) {
  CreateMask(data, x, y, cx, cy);
  SECBtnMaskBlt(data, data.m_brDither, x, y, cx, cy, x, y, kSECRopPatWhereSrcWhite);
}

void SECStdBtn::DrawIndeterminate(SECBtnDrawData& data, int x, int y, int cx, int cy) {
  CreateMask(data, x, y, cx, cy);
  CBrush shadow(secData.clrBtnShadow);
  SECBtnMaskBlt(data, shadow, x, y, cx, cy, x, y, kSECRopPatWhereSrcBlack);
  SECBtnMaskBlt(data, data.m_brDither, x, y, cx, cy, x, y, kSECRopPatWhereSrcWhite);
}

void SECStdBtn::DrawTransparent(CDC& dc, SECBtnDrawData& data) {
  if (!m_pBar || !m_pBar->IsCoolLook() || !(m_pBar->GetExBarStyle() & SECBAR_TRANSPARENT)) return;
  CDC& btn = data.m_dcButton;
  btn.SetBkColor(secData.clrBtnFace);
  data.m_dcMask.BitBlt(0, 0, m_cx, m_cy, &btn, 0, 0, SRCCOPY);
  btn.BitBlt(0, 0, m_cx, m_cy, &dc, m_x, m_y, SRCINVERT);
  btn.SetTextColor(RGB(0, 0, 0));
  btn.SetBkColor(RGB(255, 255, 255));
  btn.BitBlt(0, 0, m_cx, m_cy, &data.m_dcMask, 0, 0, kSECRopAndNotSrc);
  btn.BitBlt(0, 0, m_cx, m_cy, &dc, m_x, m_y, SRCINVERT);
}

void SECStdBtn::DrawSelection(SECBtnDrawData& data) {
  if (m_nStyle & SEC_TBBS_SELECTED) DrawSelectFrame(data.m_dcButton, CRect(0, 0, m_cx, m_cy));
}

void SECStdBtn::DrawSelectFrame(CDC& dc, const CRect& rect) {
  dc.DrawDragRect(&rect, CSize(kSECSelectFrame, kSECSelectFrame), nullptr, CSize(0, 0));
}

void SECStdBtn::BlitToScreen(CDC& dc, SECBtnDrawData& data) {
  dc.BitBlt(m_x, m_y, m_cx, m_cy, &data.m_dcButton, 0, 0, SRCCOPY);
}
