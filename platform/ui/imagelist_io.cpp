// Image lists as bytes: a header, the pixels of every image, then the
// masks; every field checked when read back.
#include <cstring>
#include <memory>

#include "platform/ui/le_bytes.h"
#include "platform/ui/imagelist_obj.h"

using namespace mirt_ui;

namespace {

constexpr char kMagic[4] = {'M', 'I', 'L', '1'};
constexpr int kHeaderInts = 6;  // cx, cy, flags, count, grow, background

void PutU32(unsigned char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

namespace mirt_ui {

BOOL WriteImageList(HIMAGELIST h, const ImageListSink& sink) {
  ImageListObj* o = ImageListFind(h);
  if (!o) return FALSE;
  unsigned char header[4 + 4 * kHeaderInts];
  memcpy(header, kMagic, 4);
  const uint32_t fields[kHeaderInts] = {
      static_cast<uint32_t>(o->cx),    static_cast<uint32_t>(o->cy),   o->flags,
      static_cast<uint32_t>(o->count), static_cast<uint32_t>(o->grow), o->bk};
  for (int i = 0; i < kHeaderInts; ++i) PutU32(header + 4 + 4 * i, fields[i]);
  sink(header, sizeof header);
  const QImage& img = o->Pixels();
  std::vector<unsigned char> row(static_cast<size_t>(o->count) * o->cx * 4);
  for (int y = 0; y < o->cy; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < o->count * o->cx; ++x) PutU32(&row[x * 4u], line[x] & 0xFFFFFF);
    sink(row.data(), row.size());
  }
  if (const QImage* m = o->MaskPixels()) {
    std::vector<unsigned char> bits(static_cast<size_t>(o->count) * o->cx);
    for (int y = 0; y < o->cy; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(m->constScanLine(y));
      for (int x = 0; x < o->count * o->cx; ++x) bits[x] = (line[x] & 0xFFFFFF) ? 1 : 0;
      sink(bits.data(), bits.size());
    }
  }
  return TRUE;
}

HIMAGELIST ReadImageList(const ImageListSource& readBytes) {
  // An empty list has empty rows: nothing to read for them.
  auto source = [&readBytes](void* p, size_t n) { return n == 0 || readBytes(p, n); };
  unsigned char header[4 + 4 * kHeaderInts];
  if (!source(header, sizeof header) || memcmp(header, kMagic, 4) != 0) return nullptr;
  uint32_t f[kHeaderInts];
  for (int i = 0; i < kHeaderInts; ++i) f[i] = LeU32(header + 4 + 4 * i);
  if (f[0] > 16384 || f[1] > 16384 || f[3] > 0x7FFFFFFF || f[4] > 0x7FFFFFFF) return nullptr;
  int cx = static_cast<int>(f[0]), cy = static_cast<int>(f[1]), count = static_cast<int>(f[3]);
  HIMAGELIST h = ImageList_Create(cx, cy, f[2], std::max(count, 1), static_cast<int>(f[4]));
  ImageListObj* o = ImageListFind(h);
  if (!o || !ImageList_SetImageCount(h, static_cast<UINT>(count))) {
    ImageList_Destroy(h);
    return nullptr;
  }
  o->bk = f[5];
  auto fail = [h] {
    ImageList_Destroy(h);
    return nullptr;
  };
  QImage& img = o->Pixels();
  std::vector<unsigned char> row(static_cast<size_t>(count) * cx * 4);
  for (int y = 0; y < cy; ++y) {
    if (!source(row.data(), row.size())) return fail();
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < count * cx; ++x) line[x] = 0xFF000000u | (LeU32(&row[x * 4u]) & 0xFFFFFF);
  }
  if (QImage* m = o->MaskPixels()) {
    std::vector<unsigned char> bits(static_cast<size_t>(count) * cx);
    for (int y = 0; y < cy; ++y) {
      if (!source(bits.data(), bits.size())) return fail();
      auto* line = reinterpret_cast<QRgb*>(m->scanLine(y));
      auto* colour = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < count * cx; ++x) {
        if (bits[x] > 1) return fail();
        line[x] = bits[x] ? 0xFFFFFFFFu : 0xFF000000u;
        if (bits[x]) colour[x] = 0xFF000000u;  // masked pixels stay black
      }
    }
  }
  return h;
}

}  // namespace mirt_ui
