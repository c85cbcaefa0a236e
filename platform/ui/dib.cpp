#include "platform/ui/le_bytes.h"
#include "platform/ui/dib.h"

#include <cstring>
#include <vector>

namespace mirt_ui {
namespace {

int Shift(uint32_t mask) {
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}

int Scale(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  int s = Shift(mask);
  uint32_t m = mask >> s;
  return static_cast<int>(((v & mask) >> s) * 255 / m);
}
}  // namespace

bool DecodeDib(const unsigned char* data, size_t size, DibImage* out, const unsigned char* bits,
               size_t bitsSize) {
  if (!data || size < 12) return false;
  uint32_t hdr = LeU32(data);
  int64_t w, h;
  int bpp;
  uint32_t compression = 0, clrUsed = 0;
  size_t palEntry = 4;
  if (hdr == 12) {  // core header
    w = LeU16(data + 4);
    h = static_cast<int16_t>(LeU16(data + 6));
    bpp = LeU16(data + 10);
    palEntry = 3;
  } else {
    if (hdr < 40 || hdr > size) return false;
    w = static_cast<int32_t>(LeU32(data + 4));
    h = static_cast<int32_t>(LeU32(data + 8));
    bpp = LeU16(data + 14);
    compression = LeU32(data + 16);
    clrUsed = LeU32(data + 32);
  }
  bool topDown = h < 0;
  if (topDown) h = -h;
  if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (compression != 0 && compression != 3) return false;  // no RLE
  size_t pos = hdr;
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bpp == 32) {
    masks[0] = 0xFF0000;
    masks[1] = 0xFF00;
    masks[2] = 0xFF;
  }
  if (compression == 3) {
    if (bpp != 16 && bpp != 32) return false;
    if (hdr == 40) {
      if (size < pos + 12) return false;
      for (int i = 0; i < 3; ++i) masks[i] = LeU32(data + pos + 4 * i);
      pos += 12;
    } else {
      // Later headers hold the masks themselves; a header too short to
      // hold them is not one of those.
      if (hdr < 40 + 12) return false;
      for (int i = 0; i < 3; ++i) masks[i] = LeU32(data + 40 + 4 * i);
    }
  }
  std::vector<QRgb> palette;
  if (bpp <= 8) {
    size_t n = clrUsed ? clrUsed : (1u << bpp);
    if (n > 256) return false;
    if (size < pos + n * palEntry) return false;
    for (size_t i = 0; i < n; ++i) {
      const unsigned char* e = data + pos + i * palEntry;
      palette.push_back(qRgb(e[2], e[1], e[0]));
    }
    pos += n * palEntry;
    palette.resize(1u << bpp, qRgb(0, 0, 0));
  }
  size_t stride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
  const unsigned char* rows = bits ? bits : data + pos;
  size_t avail = bits ? bitsSize : size - pos;
  if (avail < stride * static_cast<size_t>(h)) return false;
  QImage img(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
  for (int64_t y = 0; y < h; ++y) {
    const unsigned char* row = rows + stride * (topDown ? y : h - 1 - y);
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(static_cast<int>(y)));
    for (int64_t x = 0; x < w; ++x) {
      switch (bpp) {
        case 1:
          line[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1];
          break;
        case 4:
          line[x] = palette[(row[x / 2] >> ((x % 2) ? 0 : 4)) & 15];
          break;
        case 8:
          line[x] = palette[row[x]];
          break;
        case 16: {
          uint32_t v = LeU16(row + x * 2);
          line[x] = qRgb(Scale(v, masks[0]), Scale(v, masks[1]), Scale(v, masks[2]));
          break;
        }
        case 24:
          line[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
          break;
        case 32: {
          uint32_t v = LeU32(row + x * 4);
          line[x] = qRgb(Scale(v, masks[0]), Scale(v, masks[1]), Scale(v, masks[2]));
          break;
        }
      }
    }
  }
  out->image = img;
  out->bpp = bpp;
  out->mono = bpp == 1 && palette[0] == qRgb(0, 0, 0) && palette[1] == qRgb(255, 255, 255);
  return true;
}

bool DecodeBmpFile(const unsigned char* data, size_t size, DibImage* out) {
  if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
  uint32_t off = LeU32(data + 10);
  const unsigned char* dib = data + 14;
  size_t dibSize = size - 14;
  if (off < 14 || off > size) return false;
  return DecodeDib(dib, dibSize, out, data + off, size - off);
}

}  // namespace mirt_ui
