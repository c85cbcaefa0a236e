// Bitmaps, icons and cursors from resources and files.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/ui/le_bytes.h"
#include "platform/ui/dib.h"
#include "platform/ui/icon_obj.h"
#include "platform/ui/res_file.h"
#include "platform/ui/resources.h"
#include "platform/ui/sysmetrics.h"

namespace mirt_ui {

namespace {

// Greys of the art become the 3-D colours of the system table.
void Map3dColors(QImage& img) {
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      QRgb c = line[x] & 0xFFFFFF;
      if (c == 0x808080)
        line[x] = ToQRgb(GetSysColor(COLOR_BTNSHADOW));
      else if (c == 0xC0C0C0)
        line[x] = ToQRgb(GetSysColor(COLOR_BTNFACE));
      else if (c == 0xDFDFDF)
        line[x] = ToQRgb(GetSysColor(COLOR_3DLIGHT));
    }
  }
}

// One icon or cursor image: a DIB twice as high (colour, then AND mask),
// or a PNG.
bool DecodeIconImage(const unsigned char* p, size_t size, QImage* out) {
  if (size >= 8 && memcmp(p, "\x89PNG", 4) == 0) {
    QImage png;
    if (!png.loadFromData(p, static_cast<int>(size), "PNG")) return false;
    *out = png.convertToFormat(QImage::Format_ARGB32);
    return true;
  }
  if (size < 40) return false;
  uint32_t hdr = LeU32(p);
  if (hdr < 40 || hdr > size) return false;
  int32_t w = static_cast<int32_t>(LeU32(p + 4));
  int32_t h2 = static_cast<int32_t>(LeU32(p + 8));
  int bpp = LeU16(p + 14);
  if (w <= 0 || h2 <= 1 || w > 1024 || h2 > 2048) return false;
  int h = h2 / 2;
  // Decode the colour part with a header whose height is halved.
  std::vector<unsigned char> copy(p, p + size);
  int32_t half = h;
  memcpy(copy.data() + 8, &half, 4);
  DibImage dib;
  size_t palette = bpp <= 8 ? (LeU32(p + 32) ? LeU32(p + 32) : (1u << bpp)) * 4 : 0;
  size_t colorStride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
  size_t maskStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
  size_t colorBytes = colorStride * h;
  if (hdr + palette + colorBytes + maskStride * h > size) return false;
  if (!DecodeDib(copy.data(), hdr + palette + colorBytes, &dib)) return false;
  const unsigned char* mask = p + hdr + palette + colorBytes;
  QImage img(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = mask + maskStride * (h - 1 - y);
    for (int x = 0; x < w; ++x) {
      bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
      QRgb c = dib.image.pixel(x, y);
      if (bpp == 32) {
        uint32_t raw = LeU32(p + hdr + colorStride * (h - 1 - y) + x * 4);
        int a = raw >> 24;
        img.setPixel(x, y, transparent && a == 0 ? 0 : qRgba(qRed(c), qGreen(c), qBlue(c), a ? a : 255));
      } else {
        img.setPixel(x, y, transparent ? 0 : (c | 0xFF000000u));
      }
    }
  }
  *out = img;
  return true;
}

}  // namespace

HICON LoadIconFromResources(HINSTANCE inst, LPCSTR name, bool cursor, int want = 0);

// Icons and cursors from resources are shared, as on Windows: one object
// per module and name, which DestroyIcon leaves alone.
HICON LoadIconResource(HINSTANCE inst, LPCSTR name, bool cursor) {
  static std::mutex m;
  static auto& cache = *new std::map<std::tuple<HINSTANCE, bool, bool, uint16_t, std::string>, HICON>;
  ResId id = MakeResId(name);
  auto key = std::make_tuple(inst, cursor, id.isOrdinal, id.ordinal, id.name);
  std::lock_guard<std::mutex> lock(m);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  HICON h = LoadIconFromResources(inst, name, cursor);
  if (h) {
    GdiFind(h)->stock = true;
    cache[key] = h;
  }
  return h;
}

// The image of the group nearest `want` pixels wide (0: the system size).
HICON LoadIconFromResources(HINSTANCE inst, LPCSTR name, bool cursor, int want) {
  ResId id = MakeResId(name);
  const ResEntry* group = FindEntry(inst, name, cursor ? RT_GROUP_CURSOR : RT_GROUP_ICON);
  if (!group || group->size < 6) return nullptr;
  const unsigned char* g = group->data;
  int count = LeU16(g + 4);
  if (group->size < 6 + static_cast<size_t>(count) * 14) return nullptr;
  // Pick the entry closest to the standard size, deepest colour first.
  if (want <= 0) want = GetSystemMetrics(cursor ? SM_CXCURSOR : SM_CXICON);
  int best = -1, bestScore = 1 << 30;
  for (int i = 0; i < count; ++i) {
    const unsigned char* e = g + 6 + i * 14;
    int w = cursor ? LeU16(e) : (e[0] ? e[0] : 256);
    int bits = LeU16(e + 6);
    int score = std::abs(w - want) * 64 - bits;
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  if (best < 0) return nullptr;
  WORD imageId = LeU16(g + 6 + best * 14 + 12);
  const ResEntry* img = FindEntry(inst, MAKEINTRESOURCE(imageId), cursor ? RT_CURSOR : RT_ICON);
  if (!img) return nullptr;
  const unsigned char* data = img->data;
  size_t size = img->size;
  QPoint hot(0, 0);
  if (cursor) {
    if (size < 4) return nullptr;
    hot = QPoint(LeU16(data), LeU16(data + 2));
    data += 4;
    size -= 4;
  }
  QImage out;
  if (!DecodeIconImage(data, size, &out)) return nullptr;
  if (!cursor) hot = QPoint(out.width() / 2, out.height() / 2);
  HICON h = MakeIcon(out, hot, !cursor);
  auto* o = GdiAs<IconObj>(h, OBJ_ICONCURSOR);
  o->srcModule = inst;
  o->srcName = id.isOrdinal ? "#" + std::to_string(id.ordinal) : id.name;
  o->fromResource = true;
  return h;
}

HBITMAP BitmapFromDib(const DibImage& dib, UINT flags) {
  QImage img = dib.image;
  if (flags & LR_LOADMAP3DCOLORS) Map3dColors(img);
  return MakeBitmap(img, dib.mono && !(flags & LR_CREATEDIBSECTION), dib.bpp);
}

}  // namespace mirt_ui

using namespace mirt_ui;

HBITMAP LoadBitmap(HINSTANCE inst, LPCSTR name) {
  const ResEntry* e = FindEntry(inst, name, RT_BITMAP);
  DibImage dib;
  if (!e || !DecodeDib(e->data, e->size, &dib)) return nullptr;
  return BitmapFromDib(dib, 0);
}

HANDLE LoadImage(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  if (type == IMAGE_BITMAP) {
    DibImage dib;
    if (flags & LR_LOADFROMFILE) {
      QFile f(QString::fromLocal8Bit(name));
      if (!f.open(QIODevice::ReadOnly)) return nullptr;
      QByteArray bytes = f.readAll();
      if (!DecodeBmpFile(reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size(), &dib))
        return nullptr;
    } else {
      const ResEntry* e = FindEntry(inst, name, RT_BITMAP);
      if (!e || !DecodeDib(e->data, e->size, &dib)) return nullptr;
    }
    if (cx > 0 && cy > 0 && (cx != dib.image.width() || cy != dib.image.height()))
      dib.image = dib.image.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (flags & LR_MONOCHROME) dib.mono = true;
    return BitmapFromDib(dib, flags);
  }
  if (type == IMAGE_ICON) return LoadIcon(inst, name);
  if (type == IMAGE_CURSOR) return LoadCursor(inst, name);
  return nullptr;
}

HBITMAP CreateMappedBitmap(HINSTANCE inst, INT_PTR id, UINT, void* map, int nMaps) {
  const ResEntry* e = FindEntry(inst, MAKEINTRESOURCE(id), RT_BITMAP);
  DibImage dib;
  if (!e || !DecodeDib(e->data, e->size, &dib)) return nullptr;
  struct ColorMap {
    COLORREF from, to;
  };
  QImage img = dib.image;
  const ColorMap kDefault[] = {{RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT)},
                               {RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
                               {RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE)},
                               {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)}};
  const ColorMap* m = map ? static_cast<const ColorMap*>(map) : kDefault;
  int n = map ? nMaps : 4;
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      COLORREF c = FromQRgb(line[x]);
      for (int i = 0; i < n; ++i)
        if (m[i].from == c) {
          line[x] = ToQRgb(m[i].to);
          break;
        }
    }
  }
  return MakeBitmap(img, false, 32);
}

namespace mirt_ui {
HICON ReloadIconAtSize(HICON icon, int size) {
  auto* o = GdiAs<IconObj>(icon, OBJ_ICONCURSOR);
  if (!o || !o->fromResource) return nullptr;
  return LoadIconFromResources(o->srcModule, o->srcName.c_str(), !o->icon, size);
}
}  // namespace mirt_ui
