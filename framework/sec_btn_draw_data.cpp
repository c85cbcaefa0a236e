#include "framework/sec_btn_draw_data.h"

#include <cstring>

#include "framework/sec_global_data.h"
#include "platform/ui/ui.h"

namespace {

// The dither pattern: rows alternate these bytes (a checkerboard).
constexpr BYTE kSECDitherEven = 0xAA;
constexpr BYTE kSECDitherOdd = 0x55;
constexpr int kSECDitherSide = 8;
// The face cache: a grid of cells, each large enough for a large button.
constexpr int kSECFaceCell = 48;
constexpr int kSECFaceColumns = 16;
constexpr int kSECFaceRows = 16;

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

SECBtnDrawData::~SECBtnDrawData() {
  EndDrawing();
  if (m_hOldCache) m_dcCache.SelectObject(m_hOldCache);
}

size_t SECBtnDrawData::FaceKeyHash::operator()(const FaceKey& k) const {
  size_t h = std::hash<const void*>()(k.hStrip);
  for (size_t v : {static_cast<size_t>(k.nImage), static_cast<size_t>(k.nStyle), static_cast<size_t>(k.cx),
                   static_cast<size_t>(k.cy), static_cast<size_t>(k.dwLook)})
    h = h * 1000003u ^ v;
  return h;
}

BOOL SECBtnDrawData::EnsureCache() {
  if (m_hOldCache) return TRUE;
  HDC screen = ::GetDC(nullptr);
  CDC* screenDC = CDC::FromHandle(screen);
  const BOOL ok =
      m_dcCache.CreateCompatibleDC(screenDC) &&
      m_bmCache.CreateCompatibleBitmap(screenDC, kSECFaceCell * kSECFaceColumns, kSECFaceCell * kSECFaceRows);
  ::ReleaseDC(nullptr, screen);
  if (!ok) return FALSE;
  m_hOldCache = m_dcCache.SelectObject(m_bmCache.m_hObject);
  return TRUE;
}

BOOL SECBtnDrawData::BlitCachedFace(const FaceKey& key, CDC& dc, int x, int y) {
  auto it = m_faces.find(key);
  if (it == m_faces.end()) return FALSE;
  const int cell = it->second;
  dc.BitBlt(x, y, key.cx, key.cy, &m_dcCache, (cell % kSECFaceColumns) * kSECFaceCell,
            (cell / kSECFaceColumns) * kSECFaceCell, SRCCOPY);
  return TRUE;
}

void SECBtnDrawData::CacheFace(const FaceKey& key) {
  if (key.cx > kSECFaceCell || key.cy > kSECFaceCell || !EnsureCache()) return;
  if (m_faces.size() >= static_cast<size_t>(kSECFaceColumns * kSECFaceRows)) m_faces.clear();
  const int cell = static_cast<int>(m_faces.size());
  m_dcCache.BitBlt((cell % kSECFaceColumns) * kSECFaceCell, (cell / kSECFaceColumns) * kSECFaceCell, key.cx,
                   key.cy, &m_dcButton, 0, 0, SRCCOPY);
  m_faces.emplace(key, cell);
}

void SECBtnDrawData::ClearFaceCache() { m_faces.clear(); }

HBRUSH SECCreateDitherBrush() {
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
  if (!pattern) return nullptr;
  HBRUSH brush = ::CreatePatternBrush(pattern);
  ::DeleteObject(pattern);
  return brush;
}

void SECBtnDrawData::RebuildDitherBrush() {
  ClearFaceCache();  // faces show the old colours
  m_brDither.DeleteObject();
  if (HBRUSH brush = SECCreateDitherBrush()) m_brDither.Attach(brush);
}

BOOL SECBtnDrawData::PrepareDrawing(CDC& dc, int cx, int cy) {
  EndDrawing();
  if (cx <= 0 || cy <= 0) return FALSE;
  // The bitmaps of the last paint serve again while they fit this one.
  const int bits = dc.GetDeviceCaps(BITSPIXEL);
  if (!m_bmButton.m_hObject || m_szBitmaps != CSize(cx, cy) || m_nBitmapBits != bits) {
    FreeBitmaps();
    if (!m_bmButton.CreateCompatibleBitmap(&dc, cx, cy) || !m_bmMask.CreateBitmap(cx, cy, 1, 1, nullptr)) {
      FreeBitmaps();
      return FALSE;
    }
    m_szBitmaps = CSize(cx, cy);
    m_nBitmapBits = bits;
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
}

void SECBtnDrawData::FreeBitmaps() {
  m_bmButton.DeleteObject();
  m_bmMask.DeleteObject();
  m_szBitmaps = CSize(0, 0);
  m_nBitmapBits = 0;
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
