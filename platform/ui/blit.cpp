// Bit-block transfers with raster operations; DIB transfers.
#include <cstring>
#include <vector>

#include "platform/ui/dib.h"
#include "platform/ui/raster.h"

using namespace mirt_ui;

namespace {

struct Source {
  const QImage* image = nullptr;
  QRect rect;  // on the source image
  bool mono = false;
  QRgb bk = 0;  // source background colour (colour to monochrome)
};

// Converts one source pixel into the destination's format.
inline QRgb ConvertSource(QRgb s, const Source& src, bool dstMono, QRgb fg, QRgb bg) {
  if (src.mono && !dstMono) return (s & 0xFFFFFF) ? bg : fg;
  if (!src.mono && dstMono) return ((s & 0xFFFFFF) == (src.bk & 0xFFFFFF)) ? 0xFFFFFFFFu : 0xFF000000u;
  return s;
}

BOOL BltCore(Dc& dst, const QRect& dstRect, const Source* src, DWORD rop, const QImage* mask = nullptr,
             QPoint maskOrg = QPoint(), DWORD backRop = 0) {
  QImage* d = Surface(dst);
  if (!d || dstRect.isEmpty()) return TRUE;
  unsigned code = (rop >> 16) & 0xFF;
  unsigned backCode = (backRop >> 16) & 0xFF;
  bool dstMono = SurfaceMono(dst);
  QRgb fg = DcColor(dst, dst.st.text), bg = DcColor(dst, dst.st.bk);
  BrushPattern pattern;
  bool usesPattern = RopUsesPattern(code) || (mask && RopUsesPattern(backCode));
  if (usesPattern) pattern = MakeBrushPattern(dst, dst.st.brush);
  // One clip rectangle (the usual case) needs no region arithmetic.
  const QRegion& clip = SurfaceClip(dst);
  const bool oneRect = clip.rectCount() == 1;
  QRect single;
  QRegion area;
  if (oneRect) {
    single = dstRect & clip.boundingRect() & d->rect();
    if (single.isEmpty()) return TRUE;
  } else {
    area = QRegion(dstRect) & clip & QRegion(d->rect());
    if (area.isEmpty()) return TRUE;
  }
  const QRect bounds = oneRect ? single : area.boundingRect();
  const QRect* rectsBegin = oneRect ? &single : area.begin();
  const QRect* rectsEnd = oneRect ? &single + 1 : area.end();
  // A straight copy between images of one kind goes through the painter.
  if (code == 0xCC && src && !mask && src->rect.size() == dstRect.size() && src->mono == dstMono &&
      src->image != d) {
    FlushSurface(const_cast<QImage*>(src->image));
    if (QPainter* p = PainterFor(dst)) {
      p->setCompositionMode(QPainter::CompositionMode_Source);
      p->drawImage(dstRect.topLeft(), *src->image, src->rect);
      p->setCompositionMode(QPainter::CompositionMode_SourceOver);
      Touch(dst, bounds);
      return TRUE;
    }
  }
  QImage srcCopy;
  const QImage* simg = nullptr;
  if (src) {
    FlushSurface(const_cast<QImage*>(src->image));
    simg = src->image;
    if (simg == d) {
      srcCopy = d->copy();
      simg = &srcCopy;
    }
  }
  FlushSurface(d);
  int sw = src ? src->rect.width() : 0, sh = src ? src->rect.height() : 0;
  for (const QRect* it = rectsBegin; it != rectsEnd; ++it) {
    const QRect& rc = *it;
    for (int y = rc.top(); y <= rc.bottom(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(d->scanLine(y));
      const QRgb* sline = nullptr;
      int sy = 0;
      if (src) {
        sy = src->rect.top() +
             static_cast<int>(static_cast<long long>(y - dstRect.top()) * sh / dstRect.height());
        if (sy < 0 || sy >= simg->height()) continue;
        sline = reinterpret_cast<const QRgb*>(simg->constScanLine(sy));
      }
      const uchar* mline = nullptr;
      if (mask) {
        int my = maskOrg.y() + (y - dstRect.top());
        if (my >= 0 && my < mask->height()) mline = mask->constScanLine(my);
      }
      for (int x = rc.left(); x <= rc.right(); ++x) {
        QRgb S = 0xFF000000u;
        if (src) {
          int sx = src->rect.left() +
                   static_cast<int>(static_cast<long long>(x - dstRect.left()) * sw / dstRect.width());
          if (sx < 0 || sx >= simg->width()) continue;
          S = ConvertSource(sline[sx], *src, dstMono, fg, bg);
        }
        QRgb P = 0xFF000000u;
        if (usesPattern && !pattern.Sample(x, y, &P)) P = line[x];
        unsigned c = code;
        if (mask) {
          int mx = maskOrg.x() + (x - dstRect.left());
          bool fore = mline && mx >= 0 && mx < mask->width() && mline[mx];
          c = fore ? code : backCode;
        }
        line[x] = Rop3Apply(c, P, S, line[x]);
      }
    }
  }
  Touch(dst, bounds);
  return TRUE;
}

QRect DstRect(Dc& dc, int x, int y, int w, int h) {
  return LpRectToDp(dc, x, y, x + w, y + h).translated(dc.origin);
}

bool MakeSource(HDC hsrc, int x, int y, int w, int h, Source* out) {
  Dc* s = DcFind(hsrc);
  if (!s) return false;
  out->image = Surface(*s);
  if (!out->image) return false;
  out->rect = LpRectToDp(*s, x, y, x + w, y + h).translated(s->origin);
  out->mono = SurfaceMono(*s);
  out->bk = ToQRgb(s->st.bk);
  return true;
}

}  // namespace

BOOL PatBlt(HDC h, int x, int y, int w, int hh, DWORD rop) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  unsigned code = (rop >> 16) & 0xFF;
  QRect r = DstRect(*dc, x, y, w, hh);
  if (code == 0xF0) {  // PATCOPY: a plain brush fill
    FillArea(*dc, QRegion(r), MakeBrushPattern(*dc, dc->st.brush), R2_COPYPEN);
    return TRUE;
  }
  return BltCore(*dc, r, nullptr, rop);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hsrc, int x1, int y1, DWORD rop) {
  Dc* dc = DcFind(hdc);
  if (!dc) return FALSE;
  unsigned code = (rop >> 16) & 0xFF;
  QRect r = DstRect(*dc, x, y, cx, cy);
  if (!RopUsesSource(code)) return BltCore(*dc, r, nullptr, rop);
  Source s;
  if (!MakeSource(hsrc, x1, y1, cx, cy, &s)) return FALSE;
  return BltCore(*dc, r, &s, rop);
}

BOOL StretchBlt(HDC hdc, int xd, int yd, int wd, int hd, HDC hsrc, int xs, int ys, int ws, int hs,
                DWORD rop) {
  Dc* dc = DcFind(hdc);
  if (!dc) return FALSE;
  unsigned code = (rop >> 16) & 0xFF;
  QRect r = DstRect(*dc, xd, yd, wd, hd);
  if (!RopUsesSource(code)) return BltCore(*dc, r, nullptr, rop);
  Source s;
  if (!MakeSource(hsrc, xs, ys, ws, hs, &s)) return FALSE;
  if (s.rect.isEmpty()) return FALSE;
  return BltCore(*dc, r, &s, rop);
}

BOOL MaskBlt(HDC hdc, int xd, int yd, int w, int h, HDC hsrc, int xs, int ys, HBITMAP hmask, int xm, int ym,
             DWORD rop) {
  Dc* dc = DcFind(hdc);
  if (!dc) return FALSE;
  DWORD fore = rop & 0x00FFFFFF;
  DWORD back = (rop >> 8) & 0x00FF0000;
  auto* mb = GdiAs<BitmapObj>(hmask, OBJ_BITMAP);
  QRect r = DstRect(*dc, xd, yd, w, h);
  Source s;
  bool haveSrc = MakeSource(hsrc, xs, ys, w, h, &s);
  if (!mb) return BltCore(*dc, r, haveSrc ? &s : nullptr, fore);
  if (!mb->mono) return FALSE;
  // Mask: 1 (white) selects the foreground operation.
  QImage mask(mb->image.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < mask.height(); ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(mb->image.constScanLine(y));
    uchar* dst = mask.scanLine(y);
    for (int x = 0; x < mask.width(); ++x) dst[x] = (src[x] & 0xFFFFFF) ? 255 : 0;
  }
  return BltCore(*dc, r, haveSrc ? &s : nullptr, fore, &mask, QPoint(xm, ym), back);
}

static bool DibFromInfo(const BITMAPINFO* bmi, const void* bits, UINT lines, DibImage* out) {
  if (!bmi) return false;
  const auto* hdr = reinterpret_cast<const unsigned char*>(bmi);
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  size_t pal = 0;
  if (h.biBitCount <= 8) pal = (h.biClrUsed ? h.biClrUsed : (1u << h.biBitCount)) * 4;
  if (h.biCompression == BI_BITFIELDS) pal = 12;
  size_t headerSize = h.biSize + pal;
  long height = std::labs(h.biHeight);
  if (lines && static_cast<long>(lines) < height) height = lines;
  size_t stride = ((static_cast<size_t>(std::max<LONG>(h.biWidth, 0)) * h.biBitCount + 31) / 32) * 4;
  return DecodeDib(hdr, headerSize, out, static_cast<const unsigned char*>(bits), stride * height);
}

int StretchDIBits(HDC hdc, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs, const void* bits,
                  const BITMAPINFO* bmi, UINT, DWORD rop) {
  Dc* dc = DcFind(hdc);
  DibImage dib;
  if (!dc || !DibFromInfo(bmi, bits, 0, &dib)) return 0;
  Source s;
  s.image = &dib.image;
  s.rect = QRect(xs, ys, ws, hs);
  s.mono = false;
  BltCore(*dc, DstRect(*dc, xd, yd, wd, hd), &s, rop);
  return hs;
}

int SetDIBitsToDevice(HDC hdc, int xd, int yd, DWORD w, DWORD h, int xs, int ys, UINT, UINT lines,
                      const void* bits, const BITMAPINFO* bmi, UINT) {
  Dc* dc = DcFind(hdc);
  DibImage dib;
  if (!dc || !DibFromInfo(bmi, bits, 0, &dib)) return 0;
  Source s;
  s.image = &dib.image;
  s.rect = QRect(xs, ys, static_cast<int>(w), static_cast<int>(h));
  BltCore(*dc, DstRect(*dc, xd, yd, static_cast<int>(w), static_cast<int>(h)), &s, SRCCOPY);
  return static_cast<int>(lines);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  Dc* dc = DcFind(hdc);
  if (cx <= 0 || cy <= 0 || cx > 32767 || cy > 32767) return nullptr;
  bool mono = dc && SurfaceMono(*dc);
  QImage img(cx, cy, QImage::Format_RGB32);
  img.fill(Qt::black);
  return MakeBitmap(img, mono, mono ? 1 : 32);
}

HBITMAP CreateDIBitmap(HDC, const BITMAPINFOHEADER* h, DWORD init, const void* bits, const BITMAPINFO* bmi,
                       UINT) {
  if (!h) return nullptr;
  if (!(init & CBM_INIT) || !bits || !bmi) {
    QImage img(std::max<LONG>(1, h->biWidth), std::max<LONG>(1, std::labs(h->biHeight)),
               QImage::Format_RGB32);
    img.fill(Qt::black);
    return MakeBitmap(img, false, 32);
  }
  DibImage dib;
  if (!DibFromInfo(bmi, bits, 0, &dib)) return nullptr;
  return MakeBitmap(dib.image, false, 32);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* bmi, UINT, void** ppv, HANDLE, DWORD) {
  if (ppv) *ppv = nullptr;
  if (!bmi) return nullptr;
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (h.biWidth <= 0 || h.biHeight == 0) return nullptr;
  QImage img(h.biWidth, std::labs(h.biHeight), QImage::Format_RGB32);
  img.fill(Qt::black);
  return MakeBitmap(img, h.biBitCount == 1, h.biBitCount);
}

int SetDIBits(HDC, HBITMAP hbm, UINT start, UINT lines, const void* bits, const BITMAPINFO* bmi, UINT) {
  auto* b = GdiAs<BitmapObj>(hbm, OBJ_BITMAP);
  DibImage dib;
  if (!b || !DibFromInfo(bmi, bits, 0, &dib)) return 0;
  FlushSurface(&b->image);
  int h = dib.image.height();
  for (int y = 0; y < h && y < b->image.height(); ++y) {
    int row = y;
    (void)start;
    auto* dst = reinterpret_cast<QRgb*>(b->image.scanLine(row));
    auto* src = reinterpret_cast<const QRgb*>(dib.image.constScanLine(y));
    int n = std::min(dib.image.width(), b->image.width());
    for (int x = 0; x < n; ++x) dst[x] = b->mono ? MonoOf(src[x]) : src[x];
  }
  return static_cast<int>(lines);
}

int GetDIBits(HDC, HBITMAP hbm, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO bmi, UINT) {
  auto* b = GdiAs<BitmapObj>(hbm, OBJ_BITMAP);
  if (!b || !bmi) return 0;
  BITMAPINFOHEADER& h = bmi->bmiHeader;
  int w = b->image.width(), hh = b->image.height();
  if (!bits) {
    h.biWidth = w;
    h.biHeight = hh;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(b->mono ? 1 : 32);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(((w * h.biBitCount + 31) / 32) * 4 * hh);
    return hh;
  }
  if (h.biBitCount != 32 && h.biBitCount != 24) return 0;
  FlushSurface(&b->image);
  int bpp = h.biBitCount;
  size_t stride = ((static_cast<size_t>(w) * bpp + 31) / 32) * 4;
  bool topDown = h.biHeight < 0;
  auto* out = static_cast<unsigned char*>(bits);
  UINT done = 0;
  for (UINT i = 0; i < lines; ++i) {
    int scan = static_cast<int>(start + i);  // scan 0 is the bottom row of a bottom-up DIB
    if (scan >= hh) break;
    int y = topDown ? scan : hh - 1 - scan;
    unsigned char* row = out + stride * i;
    memset(row, 0, stride);
    auto* src = reinterpret_cast<const QRgb*>(b->image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      unsigned char* p = row + x * (bpp / 8);
      p[0] = static_cast<unsigned char>(qBlue(src[x]));
      p[1] = static_cast<unsigned char>(qGreen(src[x]));
      p[2] = static_cast<unsigned char>(qRed(src[x]));
    }
    ++done;
  }
  return static_cast<int>(done);
}
