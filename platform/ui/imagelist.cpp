// Image lists: the store of images and masks behind HIMAGELIST.
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "platform/ui/icon_obj.h"
#include "platform/ui/imagelist_obj.h"
#include "platform/ui/sysmetrics.h"

namespace mirt_ui {
namespace {

// Handles are never reused, so a stale one finds nothing.
std::mutex g_imagelistMutex;
std::map<HIMAGELIST, std::unique_ptr<ImageListObj>>& g_lists =
    *new std::map<HIMAGELIST, std::unique_ptr<ImageListObj>>;
uintptr_t g_nextHandle = 0x4A000000;

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
// Bitmaps larger than this many pixels are refused.
constexpr int64_t kMaxPixels = int64_t{1} << 24;

bool SizeOk(int cx, int cy, int64_t n) {
  return cx > 0 && cy > 0 && cx <= 16384 && cy <= 16384 && n >= 0 &&
         int64_t{cx} * cy * std::max<int64_t>(n, 1) <= kMaxPixels;
}

QImage Blank(int w, int h, QRgb fill) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

void CopyCell(const QImage& from, const QRect& src, QImage& to, QPoint at) {
  for (int y = 0; y < src.height(); ++y) {
    const auto* s = reinterpret_cast<const QRgb*>(from.constScanLine(src.top() + y)) + src.left();
    auto* d = reinterpret_cast<QRgb*>(to.scanLine(at.y() + y)) + at.x();
    std::copy(s, s + src.width(), d);
  }
}

// The colour and transparency of image `n` of a bitmap cut into cells.
void CutCell(const QImage& img, int n, int cx, int cy, QImage* rgb) {
  *rgb = Blank(cx, cy, kBlack);
  QRect src = QRect(n * cx, 0, cx, cy).intersected(img.rect());
  if (!src.isEmpty()) CopyCell(img, src, *rgb, QPoint(0, 0));
}

}  // namespace

ImageListObj::~ImageListObj() {
  if (image) DeleteObject(image);
  if (mask) DeleteObject(mask);
}

QImage& ImageListObj::Pixels() const { return GdiAs<BitmapObj>(image, OBJ_BITMAP)->image; }

QImage* ImageListObj::MaskPixels() const {
  auto* b = mask ? GdiAs<BitmapObj>(mask, OBJ_BITMAP) : nullptr;
  return b ? &b->image : nullptr;
}

bool ImageListObj::Reserve(int n) {
  if (n <= capacity) return true;
  int cap = std::max(n, capacity + std::max(grow, 1));
  if (!SizeOk(cx, cy, cap)) {
    cap = n;
    if (!SizeOk(cx, cy, cap)) return false;
  }
  QImage img = Blank(cap * cx, cy, kBlack);
  CopyCell(Pixels(), QRect(0, 0, count * cx, cy), img, QPoint(0, 0));
  FlushSurface(&Pixels());
  Pixels() = img;
  if (QImage* m = MaskPixels()) {
    QImage mk = Blank(cap * cx, cy, kBlack);
    CopyCell(*m, QRect(0, 0, count * cx, cy), mk, QPoint(0, 0));
    FlushSurface(m);
    *m = mk;
  }
  capacity = cap;
  return true;
}

void ImageListObj::Store(int i, const QImage& rgb, const std::vector<bool>& transparent) {
  QImage& img = Pixels();
  QImage* m = MaskPixels();
  FlushSurface(&img);
  if (m) FlushSurface(m);
  for (int y = 0; y < cy; ++y) {
    auto* d = reinterpret_cast<QRgb*>(img.scanLine(y)) + i * cx;
    auto* md = m ? reinterpret_cast<QRgb*>(m->scanLine(y)) + i * cx : nullptr;
    const auto* s = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < cx; ++x) {
      bool clear = m && !transparent.empty() && transparent[static_cast<size_t>(y) * cx + x];
      d[x] = clear ? kBlack : (s[x] | kBlack);
      if (md) md[x] = clear ? kWhite : kBlack;
    }
  }
}

ImageListObj* ImageListFind(HIMAGELIST h) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> lock(g_imagelistMutex);
  auto it = g_lists.find(h);
  return it == g_lists.end() ? nullptr : it->second.get();
}

HIMAGELIST ImageListAdd(ImageListObj* o) {
  std::lock_guard<std::mutex> lock(g_imagelistMutex);
  auto h = reinterpret_cast<HIMAGELIST>(g_nextHandle);
  g_nextHandle += 4;
  g_lists[h].reset(o);
  return h;
}

int ImageListDepth(UINT flags) {
  switch (flags & 0xFE) {
    case ILC_COLOR4:
      return 4;
    case ILC_COLOR8:
      return 8;
    case ILC_COLOR16:
      return 16;
    case ILC_COLOR24:
      return 24;
    case ILC_COLOR32:
      return 32;
    default:
      return 4;  // ILC_COLOR, ILC_COLORDDB
  }
}

}  // namespace mirt_ui

using namespace mirt_ui;

namespace {

// Appends images, or replaces image `at`, from a bitmap and a transparency
// rule per pixel; the first index, or -1.
template <class IsTransparent>
int PutCells(ImageListObj* o, HBITMAP hbm, int at, int n, IsTransparent transparent) {
  auto* bmp = GdiAs<BitmapObj>(hbm, OBJ_BITMAP);
  if (!bmp) return -1;
  if (n < 0) n = bmp->image.width() / o->cx;
  if (n <= 0) return -1;
  int first = at >= 0 ? at : o->count;
  if (at < 0 && !o->Reserve(o->count + n)) return -1;
  for (int k = 0; k < n; ++k) {
    QImage rgb;
    CutCell(bmp->image, k, o->cx, o->cy, &rgb);
    std::vector<bool> clear;
    if (o->HasMask()) {
      clear.resize(static_cast<size_t>(o->cx) * o->cy);
      for (int y = 0; y < o->cy; ++y)
        for (int x = 0; x < o->cx; ++x)
          clear[static_cast<size_t>(y) * o->cx + x] = transparent(k, x, y, rgb.pixel(x, y));
    }
    o->Store(first + k, rgb, clear);
  }
  if (at < 0) o->count += n;
  return first;
}

// A mask bitmap's pixel: white means transparent.
auto MaskRule(HBITMAP hbmMask, int cx) {
  auto* m = GdiAs<BitmapObj>(hbmMask, OBJ_BITMAP);
  QImage img = m ? m->image : QImage();
  return [img, cx](int k, int x, int y, QRgb) {
    QPoint p(k * cx + x, y);
    return img.valid(p) && (img.pixel(p) & 0xFFFFFF) == 0xFFFFFF;
  };
}

// An icon at the list's size: another size of a resource icon if there is
// one, else scaled.
QImage IconImage(HICON hicon, int cx, int cy) {
  auto* icon = GdiAs<IconObj>(hicon, OBJ_ICONCURSOR);
  if (!icon) return QImage();
  QImage img = icon->image;
  if (img.size() != QSize(cx, cy)) {
    if (HICON other = ReloadIconAtSize(hicon, cx)) {
      if (auto* o = GdiAs<IconObj>(other, OBJ_ICONCURSOR)) img = o->image;
      DestroyIcon(other);
    }
  }
  if (img.size() != QSize(cx, cy)) img = img.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  return img.convertToFormat(QImage::Format_ARGB32);
}

ImageListObj* NewList(int cx, int cy, UINT flags, int initial, int grow) {
  if (!SizeOk(cx, cy, 1)) return nullptr;
  auto o = std::make_unique<ImageListObj>();
  o->cx = cx;
  o->cy = cy;
  o->flags = flags;
  o->grow = grow > 0 ? grow : 4;
  o->image = MakeBitmap(QImage(cx, cy, QImage::Format_RGB32), false, ImageListDepth(flags));
  if (flags & ILC_MASK) o->mask = MakeBitmap(QImage(cx, cy, QImage::Format_RGB32), true, 1);
  o->Pixels().fill(0xFF000000u);
  o->capacity = 1;
  if (!o->Reserve(std::max(initial, 1))) return nullptr;
  return o.release();
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  ImageListObj* o = NewList(cx, cy, flags, initial, grow);
  return o ? ImageListAdd(o) : nullptr;
}

BOOL ImageList_Destroy(HIMAGELIST h) {
  std::unique_ptr<ImageListObj> gone;
  {
    std::lock_guard<std::mutex> lock(g_imagelistMutex);
    auto it = g_lists.find(h);
    if (it == g_lists.end()) return FALSE;
    gone = std::move(it->second);
    g_lists.erase(it);
  }
  return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST h) {
  ImageListObj* o = ImageListFind(h);
  if (!o) return nullptr;
  ImageListObj* c = NewList(o->cx, o->cy, o->flags, o->count, o->grow);
  if (!c) return nullptr;
  CopyCell(o->Pixels(), QRect(0, 0, o->count * o->cx, o->cy), c->Pixels(), QPoint(0, 0));
  if (o->HasMask())
    CopyCell(*o->MaskPixels(), QRect(0, 0, o->count * o->cx, o->cy), *c->MaskPixels(), QPoint(0, 0));
  c->count = o->count;
  c->bk = o->bk;
  return ImageListAdd(c);
}

int ImageList_Add(HIMAGELIST h, HBITMAP hbmImage, HBITMAP hbmMask) {
  ImageListObj* o = ImageListFind(h);
  if (!o) return -1;
  return PutCells(o, hbmImage, -1, -1, MaskRule(hbmMask, o->cx));
}

int ImageList_AddMasked(HIMAGELIST h, HBITMAP hbmImage, COLORREF crMask) {
  ImageListObj* o = ImageListFind(h);
  auto* bmp = GdiAs<BitmapObj>(hbmImage, OBJ_BITMAP);
  if (!o || !bmp) return -1;
  if (crMask == CLR_DEFAULT) crMask = bmp->image.isNull() ? 0 : FromQRgb(bmp->image.pixel(0, 0));
  QRgb key = ToQRgb(crMask & 0xFFFFFF) & 0xFFFFFF;
  return PutCells(o, hbmImage, -1, -1, [key](int, int, int, QRgb c) { return (c & 0xFFFFFF) == key; });
}

BOOL ImageList_Replace(HIMAGELIST h, int i, HBITMAP hbmImage, HBITMAP hbmMask) {
  ImageListObj* o = ImageListFind(h);
  if (!o || i < 0 || i >= o->count) return FALSE;
  return PutCells(o, hbmImage, i, 1, MaskRule(hbmMask, o->cx)) >= 0;
}

int ImageList_ReplaceIcon(HIMAGELIST h, int i, HICON hicon) {
  ImageListObj* o = ImageListFind(h);
  if (!o || i < -1 || i >= o->count) return -1;
  QImage argb = IconImage(hicon, o->cx, o->cy);
  if (argb.isNull()) return -1;
  if (i == -1) {
    if (!o->Reserve(o->count + 1)) return -1;
    i = o->count++;
  }
  std::vector<bool> clear(static_cast<size_t>(o->cx) * o->cy);
  for (int y = 0; y < o->cy; ++y)
    for (int x = 0; x < o->cx; ++x)
      clear[static_cast<size_t>(y) * o->cx + x] = qAlpha(argb.pixel(x, y)) < 128;
  o->Store(i, argb.convertToFormat(QImage::Format_RGB32), clear);
  return i;
}

BOOL ImageList_Remove(HIMAGELIST h, int i) {
  ImageListObj* o = ImageListFind(h);
  if (!o || i < -1 || i >= o->count) return FALSE;
  if (i == -1) {
    o->count = 0;
    return TRUE;
  }
  QRect tail(o->cx * (i + 1), 0, o->cx * (o->count - i - 1), o->cy);
  QImage& img = o->Pixels();
  FlushSurface(&img);
  CopyCell(img.copy(tail), QRect(QPoint(0, 0), tail.size()), img, QPoint(o->cx * i, 0));
  if (QImage* m = o->MaskPixels()) {
    FlushSurface(m);
    CopyCell(m->copy(tail), QRect(QPoint(0, 0), tail.size()), *m, QPoint(o->cx * i, 0));
  }
  --o->count;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST h) {
  ImageListObj* o = ImageListFind(h);
  return o ? o->count : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST h, UINT n) {
  ImageListObj* o = ImageListFind(h);
  if (!o || n > 0x7FFFFFFF || !o->Reserve(static_cast<int>(n))) return FALSE;
  for (int i = o->count; i < static_cast<int>(n); ++i) o->Store(i, Blank(o->cx, o->cy, kBlack), {});
  o->count = static_cast<int>(n);
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST h, int* cx, int* cy) {
  ImageListObj* o = ImageListFind(h);
  if (!o || !cx || !cy) return FALSE;
  *cx = o->cx;
  *cy = o->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST h, int cx, int cy) {
  ImageListObj* o = ImageListFind(h);
  if (!o || !SizeOk(cx, cy, 1)) return FALSE;
  std::unique_ptr<ImageListObj> fresh(NewList(cx, cy, o->flags, 1, o->grow));
  if (!fresh) return FALSE;
  std::swap(o->image, fresh->image);
  std::swap(o->mask, fresh->mask);
  o->cx = cx;
  o->cy = cy;
  o->count = 0;
  o->capacity = fresh->capacity;
  return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST h, int i, IMAGEINFO* info) {
  ImageListObj* o = ImageListFind(h);
  if (!o || !info || i < 0 || i >= o->count) return FALSE;
  *info = IMAGEINFO{o->image, o->mask, 0, 0, RECT{i * o->cx, 0, (i + 1) * o->cx, o->cy}};
  return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST h, int i, UINT) {
  ImageListObj* o = ImageListFind(h);
  if (!o || i < 0 || i >= o->count) return nullptr;
  QImage argb(o->cx, o->cy, QImage::Format_ARGB32);
  const QImage& img = o->Pixels();
  const QImage* m = o->MaskPixels();
  for (int y = 0; y < o->cy; ++y)
    for (int x = 0; x < o->cx; ++x) {
      bool clear = m && (m->pixel(i * o->cx + x, y) & 0xFFFFFF);
      argb.setPixel(x, y, clear ? 0u : (img.pixel(i * o->cx + x, y) | kBlack));
    }
  return MakeIcon(argb, QPoint(o->cx / 2, o->cy / 2), true);
}

COLORREF ImageList_SetBkColor(HIMAGELIST h, COLORREF c) {
  ImageListObj* o = ImageListFind(h);
  if (!o) return CLR_NONE;
  COLORREF old = o->bk;
  o->bk = c;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST h) {
  ImageListObj* o = ImageListFind(h);
  return o ? o->bk : CLR_NONE;
}

BOOL ImageList_Copy(HIMAGELIST hDst, int iDst, HIMAGELIST hSrc, int iSrc, UINT flags) {
  ImageListObj* d = ImageListFind(hDst);
  ImageListObj* s = ImageListFind(hSrc);
  if (!d || !s || d->cx != s->cx || d->cy != s->cy || iDst < 0 || iDst >= d->count || iSrc < 0 ||
      iSrc >= s->count)
    return FALSE;
  auto take = [](ImageListObj* o, int i, QImage* rgb, std::vector<bool>* clear) {
    *rgb = o->Pixels().copy(o->Cell(i));
    clear->assign(static_cast<size_t>(o->cx) * o->cy, false);
    if (const QImage* m = o->MaskPixels())
      for (int y = 0; y < o->cy; ++y)
        for (int x = 0; x < o->cx; ++x)
          (*clear)[static_cast<size_t>(y) * o->cx + x] = m->pixel(i * o->cx + x, y) & 0xFFFFFF;
  };
  QImage srcRgb, dstRgb;
  std::vector<bool> srcClear, dstClear;
  take(s, iSrc, &srcRgb, &srcClear);
  take(d, iDst, &dstRgb, &dstClear);
  d->Store(iDst, srcRgb, srcClear);
  if (flags & ILCF_SWAP) s->Store(iSrc, dstRgb, dstClear);
  return TRUE;
}

HIMAGELIST ImageList_Merge(HIMAGELIST h1, int i1, HIMAGELIST h2, int i2, int dx, int dy) {
  ImageListObj* a = ImageListFind(h1);
  ImageListObj* b = ImageListFind(h2);
  if (!a || !b || i1 < 0 || i1 >= a->count || i2 < 0 || i2 >= b->count) return nullptr;
  QRect area = QRect(0, 0, a->cx, a->cy).united(QRect(dx, dy, b->cx, b->cy));
  QPoint shift = -area.topLeft();
  ImageListObj* c = NewList(area.width(), area.height(), ILC_MASK | (a->flags & ~ILC_MASK), 1, 1);
  if (!c) return nullptr;
  QImage rgb = Blank(area.width(), area.height(), kBlack);
  std::vector<bool> clear(static_cast<size_t>(area.width()) * area.height(), true);
  auto lay = [&](ImageListObj* o, int i, QPoint at) {
    const QImage* m = o->MaskPixels();
    for (int y = 0; y < o->cy; ++y)
      for (int x = 0; x < o->cx; ++x) {
        if (m && (m->pixel(i * o->cx + x, y) & 0xFFFFFF)) continue;
        rgb.setPixel(at.x() + x, at.y() + y, o->Pixels().pixel(i * o->cx + x, y));
        clear[static_cast<size_t>(at.y() + y) * area.width() + at.x() + x] = false;
      }
  };
  lay(a, i1, shift);
  lay(b, i2, shift + QPoint(dx, dy));
  c->Store(0, rgb, clear);
  c->count = 1;
  return ImageListAdd(c);
}
