#include "platform/ui/raster.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace mirt_ui {
namespace {

bool HatchBit(int hatch, int x, int y) {
  switch (hatch) {
    case HS_HORIZONTAL:
      return y == 0;
    case HS_VERTICAL:
      return x == 0;
    case HS_FDIAGONAL:
      return x == y;
    case HS_BDIAGONAL:
      return x + y == 7;
    case HS_CROSS:
      return x == 0 || y == 0;
    case HS_DIAGCROSS:
      return x == y || x + y == 7;
  }
  return false;
}

// Opaque colour copied into each rectangle of r (inside the surface).
void WriteSolid(QImage& s, const QRegion& r, QRgb color) {
  const QRgb c = 0xFF000000u | color;
  uchar* const bits = s.bits();
  const qsizetype stride = s.bytesPerLine();
  for (const QRect& rc : r)
    for (int y = rc.top(); y <= rc.bottom(); ++y)
      std::fill_n(reinterpret_cast<QRgb*>(bits + stride * y) + rc.left(), rc.width(), c);
}

int Mod(int a, int m) {
  int r = a % m;
  return r < 0 ? r + m : r;
}

}  // namespace

bool BrushPattern::Sample(int x, int y, QRgb* out) const {
  if (null) return false;
  if (solid) {
    *out = color;
    return true;
  }
  int tx = Mod(x - org.x(), tile.width()), ty = Mod(y - org.y(), tile.height());
  if (!opaqueMask.isNull() && !opaqueMask.constScanLine(ty)[tx]) return false;
  *out = reinterpret_cast<const QRgb*>(tile.constScanLine(ty))[tx];
  return true;
}

BrushPattern SolidPattern(QRgb c) {
  BrushPattern p;
  p.null = false;
  p.solid = true;
  p.color = c;
  return p;
}

BrushPattern MakeBrushPattern(Dc& dc, HBRUSH hb) {
  BrushPattern p;
  auto* b = GdiAs<BrushObj>(hb, OBJ_BRUSH);
  if (!b || b->style == BS_NULL) return p;
  p.null = false;
  p.org = dc.origin + dc.st.brushOrg;
  bool mono = SurfaceMono(dc);
  auto map = [mono](QRgb c) { return mono ? MonoOf(c) : c; };
  if (b->style == BS_SOLID) {
    p.solid = true;
    p.color = map(ToQRgb(b->color));
    return p;
  }
  if (b->style == BS_HATCHED) {
    p.tile = QImage(8, 8, QImage::Format_RGB32);
    QRgb fg = map(ToQRgb(b->color)), bg = map(ToQRgb(dc.st.bk));
    bool transparent = dc.st.bkMode == TRANSPARENT;
    if (transparent) {
      p.opaqueMask = QImage(8, 8, QImage::Format_Grayscale8);
      p.opaqueMask.fill(0);
    }
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        bool on = HatchBit(b->hatch, x, y);
        reinterpret_cast<QRgb*>(p.tile.scanLine(y))[x] = on ? fg : bg;
        if (transparent && on) p.opaqueMask.scanLine(y)[x] = 255;
      }
    return p;
  }
  // Pattern: a monochrome bitmap takes the text colour for 0 and the
  // background colour for 1.
  p.tile = b->pattern.copy();
  if (p.tile.isNull()) {
    p.solid = true;
    return p;
  }
  QRgb fg = map(ToQRgb(dc.st.text)), bg = map(ToQRgb(dc.st.bk));
  for (int y = 0; y < p.tile.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(p.tile.scanLine(y));
    for (int x = 0; x < p.tile.width(); ++x) {
      if (b->patternMono)
        line[x] = (line[x] & 0xFFFFFF) ? bg : fg;
      else
        line[x] = map(line[x]);
    }
  }
  return p;
}

void FillRect(Dc& dc, const QRect& area, const BrushPattern& p, int rop2) {
  if (p.null || area.isEmpty()) return;
  QImage* s = Surface(dc);
  if (!s) return;
  if (p.solid && rop2 == R2_COPYPEN) {
    QPainter* pt = PainterFor(dc);
    const QRegion& clip = dc.clipCache;
    if (pt && clip.rectCount() == 1) {
      QRect r = area & clip.boundingRect();
      if (r.isEmpty()) return;
      pt->fillRect(r, QColor::fromRgb(p.color));
      Touch(dc, r);
      return;
    }
  }
  FillArea(dc, QRegion(area), p, rop2);
}

void FillArea(Dc& dc, const QRegion& area, const BrushPattern& p, int rop2) {
  if (p.null) return;
  QImage* s = Surface(dc);
  if (!s) return;
  QRegion r = area & SurfaceClip(dc);
  if (r.isEmpty()) return;
  if (p.solid && rop2 == R2_COPYPEN) {
    // An open painter keeps its queued work in order; otherwise the pixels
    // are written at once, sparing the painter's start for a few rows.
    if (dc.painter && dc.painter->device() == s) {
      for (const QRect& rc : r) dc.painter->fillRect(rc, QColor::fromRgb(p.color));
    } else {
      FlushSurface(s);
      WriteSolid(*s, r, p.color);
    }
    Touch(dc, r.boundingRect());
    return;
  }
  FlushSurface(s);
  if (rop2 == R2_COPYPEN && !p.solid && p.opaqueMask.isNull() && !p.tile.isNull()) {
    // A pattern copied as it is: whole tile rows, without a lookup per pixel.
    const int tileWidth = p.tile.width(), tileHeight = p.tile.height();
    for (const QRect& rc : r) {
      for (int y = rc.top(); y <= rc.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(s->scanLine(y));
        const auto* tileRow =
            reinterpret_cast<const QRgb*>(p.tile.constScanLine(Mod(y - p.org.y(), tileHeight)));
        int tx = Mod(rc.left() - p.org.x(), tileWidth);
        for (int x = rc.left(); x <= rc.right(); ++x) {
          line[x] = 0xFF000000u | (tileRow[tx] & 0xFFFFFFu);
          if (++tx == tileWidth) tx = 0;
        }
      }
    }
    Touch(dc, r.boundingRect());
    return;
  }
  for (const QRect& rc : r) {
    for (int y = rc.top(); y <= rc.bottom(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(s->scanLine(y));
      for (int x = rc.left(); x <= rc.right(); ++x) {
        QRgb c;
        if (!p.Sample(x, y, &c)) continue;
        line[x] = Rop2Apply(rop2, c, line[x]);
      }
    }
  }
  Touch(dc, r.boundingRect());
}

void ApplyMask(Dc& dc, const QImage& mask, QPoint at, const BrushPattern& p, int rop2) {
  if (p.null) return;
  QImage* s = Surface(dc);
  if (!s) return;
  QRegion r = QRegion(QRect(at, mask.size())) & SurfaceClip(dc) & QRegion(s->rect());
  if (r.isEmpty()) return;
  FlushSurface(s);
  for (const QRect& rc : r) {
    for (int y = rc.top(); y <= rc.bottom(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(s->scanLine(y));
      const uchar* m = mask.constScanLine(y - at.y());
      for (int x = rc.left(); x <= rc.right(); ++x) {
        if (!m[x - at.x()]) continue;
        QRgb c;
        if (!p.Sample(x, y, &c)) continue;
        line[x] = Rop2Apply(rop2, c, line[x]);
      }
    }
  }
  Touch(dc, r.boundingRect());
}

namespace {

// A solid horizontal or vertical line, last pixel excluded: the runs that
// the clip's rectangles leave, each written at once.
void PlotStraightLine(Dc& dc, QImage& s, const QRegion& clip, QPoint a, QPoint b, QRgb color, int rop2) {
  const bool across = a.y() == b.y();
  const int from = across ? a.x() : a.y(), to = across ? b.x() : b.y();
  const int low = from < to ? from : to + 1, high = from < to ? to - 1 : from;
  const int at = across ? a.y() : a.x();
  uchar* const bits = s.bits();
  const qsizetype stride = s.bytesPerLine();
  QRect touched;
  for (const QRect& r : clip) {
    const int first = std::max(low, across ? r.left() : r.top());
    const int last = std::min(high, across ? r.right() : r.bottom());
    if (first > last || at < (across ? r.top() : r.left()) || at > (across ? r.bottom() : r.right()))
      continue;
    if (across) {
      QRgb* px = reinterpret_cast<QRgb*>(bits + stride * at);
      for (int x = first; x <= last; ++x) px[x] = Rop2Apply(rop2, color, px[x]);
      touched |= QRect(QPoint(first, at), QPoint(last, at));
    } else {
      for (int y = first; y <= last; ++y) {
        QRgb* px = reinterpret_cast<QRgb*>(bits + stride * y) + at;
        *px = Rop2Apply(rop2, color, *px);
      }
      touched |= QRect(QPoint(at, first), QPoint(at, last));
    }
  }
  if (!touched.isEmpty()) Touch(dc, touched);
}

}  // namespace

void PlotLine(Dc& dc, QPoint a, QPoint b, const PenObj& pen, int rop2) {
  QImage* s = Surface(dc);
  if (!s || pen.style == PS_NULL || a == b) return;
  static const int kDash[] = {18, 6};
  static const int kDot[] = {3, 3};
  static const int kDashDot[] = {9, 6, 3, 6};
  static const int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  const int* pattern = nullptr;
  int count = 0;
  switch (pen.style) {
    case PS_DASH:
      pattern = kDash;
      count = 2;
      break;
    case PS_DOT:
      pattern = kDot;
      count = 2;
      break;
    case PS_DASHDOT:
      pattern = kDashDot;
      count = 4;
      break;
    case PS_DASHDOTDOT:
      pattern = kDashDotDot;
      count = 6;
      break;
  }
  const QRegion clip = SurfaceClip(dc);  // already within the surface
  QRect bounds = clip.boundingRect();
  bool simpleClip = clip.rectCount() == 1;
  FlushSurface(s);
  QRgb fg = DcColor(dc, pen.color), bg = DcColor(dc, dc.st.bk);
  if (!pattern && (a.x() == b.x() || a.y() == b.y())) {
    PlotStraightLine(dc, *s, clip, a, b, fg, rop2);
    return;
  }
  int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
  int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
  int err = dx + dy;
  int x = a.x(), y = a.y();
  int seg = 0, left = pattern ? pattern[0] : 0;
  uchar* const bits = s->bits();
  const qsizetype stride = s->bytesPerLine();
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  while (x != b.x() || y != b.y()) {
    bool on = true;
    if (pattern) {
      on = (seg % 2) == 0;
      if (--left == 0) {
        seg = (seg + 1) % count;
        left = pattern[seg];
      }
    }
    if ((on || dc.st.bkMode == OPAQUE) && bounds.contains(x, y) &&
        (simpleClip || clip.contains(QPoint(x, y)))) {
      QRgb* px = reinterpret_cast<QRgb*>(bits + stride * y) + x;
      *px = Rop2Apply(rop2, on ? fg : bg, *px);
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  if (minX <= maxX) Touch(dc, QRect(QPoint(minX, minY), QPoint(maxX, maxY)));
}

}  // namespace mirt_ui
