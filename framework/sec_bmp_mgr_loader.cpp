#include "framework/sec_bmp_mgr_loader.h"

#include <cstring>

#include "platform/ui/ui.h"

namespace {

// Legend: stored = a colour-table entry as stored (0x00RRGGBB, reserved byte
// 0); sysColor = the system colour index that replaces it.
struct SECBmpMgrColorMap {
  DWORD stored;
  int sysColor;
};
constexpr SECBmpMgrColorMap kSECBmpMgrColorMaps[] = {
    {0x000000, COLOR_BTNTEXT},
    {0x808080, COLOR_BTNSHADOW},
    {0xC0C0C0, COLOR_BTNFACE},
    {0xFFFFFF, COLOR_BTNHIGHLIGHT},
};

// Larger bitmaps than this are refused (no tool bar strip comes near it).
constexpr LONG kSECBmpMgrMaxDibSide = 32767;
constexpr size_t kSECBmpMgrToolBarHeader = 8;

WORD SECBmpMgrReadU16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

DWORD SECBmpMgrReadU32(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
         (static_cast<DWORD>(p[3]) << 24);
}

const BYTE* SECBmpMgrFindResource(LPCSTR name, LPCSTR type, size_t* size) {
  HINSTANCE inst = AfxGetResourceHandle();
  HRSRC res = ::FindResource(inst, name, type);
  if (!res) return nullptr;
  HGLOBAL glob = ::LoadResource(inst, res);
  if (!glob) return nullptr;
  *size = ::SizeofResource(inst, res);
  return static_cast<const BYTE*>(::LockResource(glob));
}

BOOL SECBmpMgrValidBitCount(WORD bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

BOOL SECParseToolBarResource(const BYTE* data, size_t size, SECToolBarResource* out) {
  if (!data || size < kSECBmpMgrToolBarHeader) return FALSE;
  const size_t count = SECBmpMgrReadU16(data + 6);
  if (size < kSECBmpMgrToolBarHeader + count * 2) return FALSE;
  out->nVersion = SECBmpMgrReadU16(data);
  out->szImage = CSize(SECBmpMgrReadU16(data + 2), SECBmpMgrReadU16(data + 4));
  out->ids.clear();
  for (size_t i = 0; i < count; ++i)
    out->ids.push_back(SECBmpMgrReadU16(data + kSECBmpMgrToolBarHeader + i * 2));
  return TRUE;
}

BOOL SECLoadToolBarResource(LPCSTR name, SECToolBarResource* out) {
  size_t size = 0;
  const BYTE* data = SECBmpMgrFindResource(name, SEC_RT_TOOLBAR, &size);
  return data && SECParseToolBarResource(data, size, out);
}

BOOL SECParseDib(const BYTE* data, size_t size, SECDibLayout* out) {
  if (!data || size < sizeof(BITMAPINFOHEADER)) return FALSE;
  BITMAPINFOHEADER h{};
  std::memcpy(&h, data, sizeof h);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) return FALSE;
  if (h.biPlanes != 1 || !SECBmpMgrValidBitCount(h.biBitCount) || h.biCompression != BI_RGB) return FALSE;
  if (h.biWidth <= 0 || h.biWidth > kSECBmpMgrMaxDibSide || h.biHeight == 0 ||
      h.biHeight < -kSECBmpMgrMaxDibSide || h.biHeight > kSECBmpMgrMaxDibSide)
    return FALSE;
  const uint64_t fullTable = h.biBitCount <= 8 ? (uint64_t{1} << h.biBitCount) : 0;
  uint64_t entries = h.biClrUsed ? h.biClrUsed : fullTable;
  if (fullTable && entries > fullTable) return FALSE;
  const uint64_t tableOffset = h.biSize;
  const uint64_t bitsOffset = tableOffset + entries * sizeof(RGBQUAD);
  const uint64_t stride = ((static_cast<uint64_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  const uint64_t rows = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
  const uint64_t bitsSize = stride * rows;
  if (bitsOffset > size || bitsSize > size - bitsOffset) return FALSE;
  out->header = h;
  out->nTableEntries = static_cast<int>(entries);
  out->bMapColors = h.biBitCount <= 8;
  out->nTableOffset = static_cast<size_t>(tableOffset);
  out->nBitsOffset = static_cast<size_t>(bitsOffset);
  out->nBitsSize = static_cast<size_t>(bitsSize);
  return TRUE;
}

std::vector<BYTE> SECMapDibColors(const BYTE* data, const SECDibLayout& layout,
                                  const SECSysColorSource& colors) {
  // A 40-byte header and the table, as StretchDIBits reads them.
  std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + layout.nTableEntries * sizeof(RGBQUAD));
  BITMAPINFOHEADER h = layout.header;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biClrUsed = static_cast<DWORD>(layout.nTableEntries);
  std::memcpy(info.data(), &h, sizeof h);
  BYTE* table = info.data() + sizeof(BITMAPINFOHEADER);
  std::memcpy(table, data + layout.nTableOffset, layout.nTableEntries * sizeof(RGBQUAD));
  if (!layout.bMapColors) return info;
  for (int i = 0; i < layout.nTableEntries; ++i) {
    BYTE* entry = table + i * sizeof(RGBQUAD);
    const DWORD stored = SECBmpMgrReadU32(entry);
    for (const SECBmpMgrColorMap& row : kSECBmpMgrColorMaps) {
      if (row.stored != stored) continue;
      const COLORREF c = colors(row.sysColor);
      entry[0] = GetBValue(c);
      entry[1] = GetGValue(c);
      entry[2] = GetRValue(c);
      entry[3] = 0;
      break;
    }
  }
  return info;
}

BOOL SECLoadSysColorBitmap(CBitmap& bitmap, const BYTE* data, size_t size) {
  SECDibLayout layout;
  if (!SECParseDib(data, size, &layout)) return FALSE;
  std::vector<BYTE> info = SECMapDibColors(data, layout, [](int n) { return ::GetSysColor(n); });
  const int cx = layout.header.biWidth;
  const int cy = layout.header.biHeight < 0 ? -layout.header.biHeight : layout.header.biHeight;
  HDC screen = ::GetDC(nullptr);
  HBITMAP hbm = ::CreateCompatibleBitmap(screen, cx, cy);
  HDC mem = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (!hbm || !mem) {
    if (hbm) ::DeleteObject(hbm);
    if (mem) ::DeleteDC(mem);
    return FALSE;
  }
  HGDIOBJ old = ::SelectObject(mem, hbm);
  ::StretchDIBits(mem, 0, 0, cx, cy, 0, 0, cx, cy, data + layout.nBitsOffset,
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  bitmap.DeleteObject();
  bitmap.Attach(hbm);
  return TRUE;
}

BOOL SECLoadSysColorBitmap(CBitmap& bitmap, LPCSTR name) {
  size_t size = 0;
  const BYTE* data = SECBmpMgrFindResource(name, RT_BITMAP, &size);
  return data && SECLoadSysColorBitmap(bitmap, data, size);
}
