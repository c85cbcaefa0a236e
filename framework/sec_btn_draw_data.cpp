#include "framework/sec_btn_draw_data.h"

#include <cstring>

#include "framework/sec_global_data.h"
#include "platform/ui/ui.h"

namespace {

// The dither pattern: rows alternate these bytes (a checkerboard).
constexpr BYTE kSECDitherEven = 0xAA;
constexpr BYTE kSECDitherOdd = 0x55;
constexpr int kSECDitherSide = 8;

struct SECDitherDib {
  BITMAPINFOHEADER header;
  RGBQUAD colors[2];
};

RGBQUAD SECDitherQuad(COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

}  // namespace

SECBtnDrawData::SECBtnDrawData() {
  CDC* screen = nullptr;
  if (!m_dcMask.CreateCompatibleDC(screen) || !m_dcImage.CreateCompatibleDC(screen) ||
      !m_dcButton.CreateCompatibleDC(screen))
    AfxThrowResourceException();
  RebuildDitherBrush();
  if (!m_brDither.m_hObject) AfxThrowResourceException();
}

SECBtnDrawData::~SECBtnDrawData() { EndDrawing(); }

void SECBtnDrawData::RebuildDitherBrush() {
  SECDitherDib dib{};
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = kSECDitherSide;
  dib.header.biHeight = kSECDitherSide;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 1;
  dib.header.biCompression = BI_RGB;
  dib.header.biClrUsed = 2;
  dib.colors[0] = SECDitherQuad(secData.clrBtnFace);
  dib.colors[1] = SECDitherQuad(secData.clrBtnHilite);
  // Rows of 32 bits, bottom-up.
  BYTE bits[kSECDitherSide * 4] = {};
  for (int row = 0; row < kSECDitherSide; ++row) bits[row * 4] = (row % 2) ? kSECDitherOdd : kSECDitherEven;
  HDC screen = ::GetDC(nullptr);
  HBITMAP pattern = ::CreateDIBitmap(screen, &dib.header, CBM_INIT, bits, reinterpret_cast<BITMAPINFO*>(&dib),
                                     DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  m_brDither.DeleteObject();
  if (!pattern) return;
  m_brDither.Attach(::CreatePatternBrush(pattern));
  ::DeleteObject(pattern);
}

BOOL SECBtnDrawData::PrepareDrawing(CDC& dc, int cx, int cy) {
  EndDrawing();
  if (cx <= 0 || cy <= 0) return FALSE;
  if (!m_bmButton.CreateCompatibleBitmap(&dc, cx, cy) || !m_bmMask.CreateBitmap(cx, cy, 1, 1, nullptr)) {
    m_bmButton.DeleteObject();
    m_bmMask.DeleteObject();
    return FALSE;
  }
  m_hOldButton = m_dcButton.SelectObject(m_bmButton.m_hObject);
  m_hOldMask = m_dcMask.SelectObject(m_bmMask.m_hObject);
  return TRUE;
}

void SECBtnDrawData::EndDrawing() {
  if (m_hOldButton) m_dcButton.SelectObject(m_hOldButton);
  if (m_hOldMask) m_dcMask.SelectObject(m_hOldMask);
  m_hOldButton = m_hOldMask = nullptr;
  SelectStrip(nullptr);  // the store may delete its strips between paints
  m_bmButton.DeleteObject();
  m_bmMask.DeleteObject();
}

void SECBtnDrawData::SelectStrip(HBITMAP hStrip) {
  if (hStrip == m_hStrip) return;
  if (!hStrip) {
    if (m_hOldImage) m_dcImage.SelectObject(m_hOldImage);
    m_hOldImage = nullptr;
    m_hStrip = nullptr;
    return;
  }
  HGDIOBJ old = m_dcImage.SelectObject(hStrip);
  if (!m_hOldImage) m_hOldImage = old;
  m_hStrip = hStrip;
}
