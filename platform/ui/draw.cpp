// Lines, shapes, rectangle fills and pixels.
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

#include "platform/ui/raster.h"
#include "platform/ui/sysmetrics.h"

using namespace mirt_ui;

namespace mirt_ui {

HBRUSH ResolveClassBrush(HBRUSH b);

// Grayscale mask of what `draw` paints inside `bounds` (surface coordinates).
QImage ShapeMask(const QRect& bounds, const std::function<void(QPainter&)>& draw) {
  QImage m(bounds.size().expandedTo(QSize(1, 1)), QImage::Format_Grayscale8);
  m.fill(0);
  QPainter p(&m);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.translate(-bounds.topLeft());
  draw(p);
  return m;
}

PenObj* DcPen(Dc& dc) {
  auto* p = GdiAs<PenObj>(dc.st.pen, OBJ_PEN);
  return p ? p : GdiAs<PenObj>(GetStockObject(BLACK_PEN), OBJ_PEN);
}

void StrokePath(Dc& dc, const QPainterPath& path, const PenObj& pen) {
  int w = std::max(1, ScaleX(dc, pen.width));
  QRect bounds = path.boundingRect().toAlignedRect().adjusted(-w, -w, w + 1, w + 1);
  QImage mask = ShapeMask(bounds, [&](QPainter& p) {
    QPen qp(Qt::white);
    qp.setWidth(w);
    qp.setCapStyle(Qt::RoundCap);
    qp.setJoinStyle(Qt::RoundJoin);
    p.strokePath(path, qp);
  });
  ApplyMask(dc, mask, bounds.topLeft(), SolidPattern(DcColor(dc, pen.color)), dc.st.rop2);
}

void FillPath(Dc& dc, const QPainterPath& path) {
  BrushPattern bp = MakeBrushPattern(dc, dc.st.brush);
  if (bp.null) return;
  QRect bounds = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
  QImage mask = ShapeMask(bounds, [&](QPainter& p) { p.fillPath(path, Qt::white); });
  ApplyMask(dc, mask, bounds.topLeft(), bp, dc.st.rop2);
}

// Outline of a closed or open polyline in surface coordinates.
void Outline(Dc& dc, const QPoint* pts, size_t n, bool close) {
  PenObj* pen = DcPen(dc);
  if (pen->style == PS_NULL || n < 2) return;
  if (ScaleX(dc, pen->width) <= 1) {
    for (size_t i = 0; i + 1 < n; ++i) PlotLine(dc, pts[i], pts[i + 1], *pen, dc.st.rop2);
    if (close) PlotLine(dc, pts[n - 1], pts[0], *pen, dc.st.rop2);
    return;
  }
  QPainterPath path;
  path.moveTo(pts[0]);
  for (size_t i = 1; i < n; ++i) path.lineTo(pts[i]);
  if (close) path.closeSubpath();
  StrokePath(dc, path, *pen);
}

void Outline(Dc& dc, const std::vector<QPoint>& pts, bool close) {
  Outline(dc, pts.data(), pts.size(), close);
}

std::vector<QPoint> ToSurface(Dc& dc, const POINT* apt, int n) {
  std::vector<QPoint> v;
  v.reserve(n);
  for (int i = 0; i < n; ++i) v.push_back(DpToSurface(dc, LpToDp(dc, apt[i].x, apt[i].y)));
  return v;
}

QRect SurfaceRect(Dc& dc, int l, int t, int r, int b) {
  return LpRectToDp(dc, l, t, r, b).translated(dc.origin);
}

BrushPattern PatternOf(Dc& dc, HBRUSH b) { return MakeBrushPattern(dc, ResolveClassBrush(b)); }

}  // namespace mirt_ui

BOOL MoveToEx(HDC h, int x, int y, LPPOINT old) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  if (old) *old = POINT{dc->st.cur.x(), dc->st.cur.y()};
  dc->st.cur = QPoint(x, y);
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC h, LPPOINT p) {
  Dc* dc = DcFind(h);
  if (!dc || !p) return FALSE;
  *p = POINT{dc->st.cur.x(), dc->st.cur.y()};
  return TRUE;
}

BOOL LineTo(HDC h, int x, int y) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  const QPoint pts[2] = {DpToSurface(*dc, LpToDp(*dc, dc->st.cur.x(), dc->st.cur.y())),
                         DpToSurface(*dc, LpToDp(*dc, x, y))};
  Outline(*dc, pts, 2, false);
  dc->st.cur = QPoint(x, y);
  return TRUE;
}

BOOL Polyline(HDC h, const POINT* apt, int n) {
  Dc* dc = DcFind(h);
  if (!dc || !apt || n < 2) return FALSE;
  Outline(*dc, ToSurface(*dc, apt, n), false);
  return TRUE;
}

BOOL PolylineTo(HDC h, const POINT* apt, int n) {
  Dc* dc = DcFind(h);
  if (!dc || !apt || n < 1) return FALSE;
  std::vector<POINT> v{POINT{dc->st.cur.x(), dc->st.cur.y()}};
  v.insert(v.end(), apt, apt + n);
  Outline(*dc, ToSurface(*dc, v.data(), static_cast<int>(v.size())), false);
  dc->st.cur = QPoint(apt[n - 1].x, apt[n - 1].y);
  return TRUE;
}

BOOL PolyPolyline(HDC h, const POINT* apt, const DWORD* sz, DWORD n) {
  for (DWORD i = 0; i < n; ++i) {
    if (!Polyline(h, apt, static_cast<int>(sz[i]))) return FALSE;
    apt += sz[i];
  }
  return TRUE;
}

static BOOL PolygonCore(HDC h, const POINT* apt, const INT* counts, int polys) {
  Dc* dc = DcFind(h);
  if (!dc || !apt) return FALSE;
  QPainterPath path;
  path.setFillRule(dc->st.polyFill == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  std::vector<std::vector<QPoint>> rings;
  const POINT* p = apt;
  for (int i = 0; i < polys; ++i) {
    if (counts[i] < 2) return FALSE;
    rings.push_back(ToSurface(*dc, p, counts[i]));
    p += counts[i];
    QPolygon poly(QList<QPoint>(rings.back().begin(), rings.back().end()));
    path.addPolygon(poly);
    path.closeSubpath();
  }
  FillPath(*dc, path);
  for (auto& r : rings) Outline(*dc, r, true);
  return TRUE;
}

BOOL Polygon(HDC h, const POINT* apt, int n) { return PolygonCore(h, apt, &n, 1); }
BOOL PolyPolygon(HDC h, const POINT* apt, const INT* sz, int n) { return PolygonCore(h, apt, sz, n); }

BOOL Rectangle(HDC h, int l, int t, int r, int b) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  QRect R = SurfaceRect(*dc, l, t, r, b);
  PenObj* pen = DcPen(*dc);
  bool nullPen = pen->style == PS_NULL;
  int w = nullPen ? 0 : std::max(1, ScaleX(*dc, pen->width));
  if (pen->style == PS_INSIDEFRAME || w == 1) {
    QRect inner = nullPen ? R.adjusted(0, 0, -1, -1) : R.adjusted(w, w, -w, -w);
    if (!inner.isEmpty()) FillArea(*dc, QRegion(inner), MakeBrushPattern(*dc, dc->st.brush), dc->st.rop2);
    if (!nullPen && !R.isEmpty()) {
      QRegion frame = QRegion(R) - QRegion(R.adjusted(w, w, -w, -w));
      FillArea(*dc, frame, SolidPattern(DcColor(*dc, pen->color)), dc->st.rop2);
    }
    return TRUE;
  }
  QRect inner = nullPen ? R.adjusted(0, 0, -1, -1) : R.adjusted(0, 0, -1, -1);
  if (!inner.isEmpty()) FillArea(*dc, QRegion(inner), MakeBrushPattern(*dc, dc->st.brush), dc->st.rop2);
  QPainterPath path;
  path.addRect(QRectF(R.left(), R.top(), R.width() - 1, R.height() - 1));
  StrokePath(*dc, path, *pen);
  return TRUE;
}

static BOOL ShapeCore(HDC h, const QPainterPath& path, bool fill) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  if (fill) FillPath(*dc, path);
  PenObj* pen = DcPen(*dc);
  if (pen->style == PS_NULL) return TRUE;
  if (ScaleX(*dc, pen->width) <= 1) {
    QRect bounds = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    QImage mask = ShapeMask(bounds, [&](QPainter& p) {
      QPen qp(Qt::white);
      qp.setWidth(1);
      qp.setCosmetic(true);
      p.strokePath(path, qp);
    });
    ApplyMask(*dc, mask, bounds.topLeft(), SolidPattern(DcColor(*dc, pen->color)), dc->st.rop2);
  } else {
    StrokePath(*dc, path, *pen);
  }
  return TRUE;
}

static QRectF ShapeBox(Dc& dc, int l, int t, int r, int b) {
  QRect R = SurfaceRect(dc, l, t, r, b);
  return QRectF(R.left(), R.top(), std::max(0, R.width() - 1), std::max(0, R.height() - 1));
}

BOOL Ellipse(HDC h, int l, int t, int r, int b) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  QPainterPath path;
  path.addEllipse(ShapeBox(*dc, l, t, r, b));
  return ShapeCore(h, path, true);
}

BOOL RoundRect(HDC h, int l, int t, int r, int b, int w, int hh) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  QPainterPath path;
  path.addRoundedRect(ShapeBox(*dc, l, t, r, b), ScaleX(*dc, w) / 2.0, ScaleY(*dc, hh) / 2.0);
  return ShapeCore(h, path, true);
}

namespace {
enum ArcKind { kArc, kPie, kChord };

BOOL ArcCore(HDC h, ArcKind kind, int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  QRectF box = ShapeBox(*dc, l, t, r, b);
  QPointF c = box.center();
  QPoint s = DpToSurface(*dc, LpToDp(*dc, x3, y3)), e = DpToSurface(*dc, LpToDp(*dc, x4, y4));
  // Angles counter-clockwise from the x axis, y pointing down on screen.
  double a0 = std::atan2(-(s.y() - c.y()), s.x() - c.x()) * 180 / M_PI;
  double a1 = std::atan2(-(e.y() - c.y()), e.x() - c.x()) * 180 / M_PI;
  double sweep = a1 - a0;
  if (sweep <= 0) sweep += 360;
  QPainterPath path;
  if (kind == kPie)
    path.moveTo(c);
  else
    path.arcMoveTo(box, a0);
  path.arcTo(box, a0, sweep);
  if (kind != kArc) path.closeSubpath();
  return ShapeCore(h, path, kind != kArc);
}
}  // namespace

BOOL Arc(HDC h, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcCore(h, kArc, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL Pie(HDC h, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcCore(h, kPie, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL Chord(HDC h, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcCore(h, kChord, x1, y1, x2, y2, x3, y3, x4, y4);
}

int FillRect(HDC h, const RECT* rc, HBRUSH hbr) {
  Dc* dc = DcFind(h);
  if (!dc || !rc) return 0;
  QRect R = SurfaceRect(*dc, rc->left, rc->top, rc->right, rc->bottom);
  if (R.isEmpty()) return 1;
  FillArea(*dc, QRegion(R), PatternOf(*dc, hbr), R2_COPYPEN);
  return 1;
}

int FrameRect(HDC h, const RECT* rc, HBRUSH hbr) {
  Dc* dc = DcFind(h);
  if (!dc || !rc) return 0;
  QRect R = SurfaceRect(*dc, rc->left, rc->top, rc->right, rc->bottom);
  if (R.isEmpty()) return 1;
  QRegion frame = QRegion(R) - QRegion(R.adjusted(1, 1, -1, -1));
  FillArea(*dc, frame, PatternOf(*dc, hbr), R2_COPYPEN);
  return 1;
}

BOOL InvertRect(HDC h, const RECT* rc) {
  Dc* dc = DcFind(h);
  if (!dc || !rc) return FALSE;
  QRect R = SurfaceRect(*dc, rc->left, rc->top, rc->right, rc->bottom);
  FillArea(*dc, QRegion(R), SolidPattern(0xFF000000u), R2_NOT);
  return TRUE;
}

BOOL DrawFocusRect(HDC h, const RECT* rc) {
  Dc* dc = DcFind(h);
  if (!dc || !rc) return FALSE;
  QRect R = SurfaceRect(*dc, rc->left, rc->top, rc->right, rc->bottom);
  if (R.isEmpty()) return TRUE;
  // Every other pixel of the border, inverted: drawing twice removes it.
  QImage mask(R.size(), QImage::Format_Grayscale8);
  mask.fill(0);
  for (int y = 0; y < R.height(); ++y)
    for (int x = 0; x < R.width(); ++x) {
      bool border = x == 0 || y == 0 || x == R.width() - 1 || y == R.height() - 1;
      if (border && ((x + y) % 2) == 0) mask.scanLine(y)[x] = 255;
    }
  ApplyMask(*dc, mask, R.topLeft(), SolidPattern(0xFFFFFFFFu), R2_XORPEN);
  return TRUE;
}

COLORREF SetPixel(HDC h, int x, int y, COLORREF c) {
  Dc* dc = DcFind(h);
  if (!dc) return CLR_INVALID;
  QPoint p = DpToSurface(*dc, LpToDp(*dc, x, y));
  QImage* s = Surface(*dc);
  if (!s || !s->rect().contains(p) || !SurfaceClip(*dc).contains(p)) return CLR_INVALID;
  FlushSurface(s);
  QRgb v = DcColor(*dc, c);
  reinterpret_cast<QRgb*>(s->scanLine(p.y()))[p.x()] = v;
  Touch(*dc, QRect(p, QSize(1, 1)));
  return FromQRgb(v);
}

COLORREF GetPixel(HDC h, int x, int y) {
  Dc* dc = DcFind(h);
  if (!dc) return CLR_INVALID;
  QPoint p = DpToSurface(*dc, LpToDp(*dc, x, y));
  QImage* s = Surface(*dc);
  if (!s || !s->rect().contains(p) || !QRect(dc->origin, dc->size).contains(p)) return CLR_INVALID;
  FlushSurface(s);
  return FromQRgb(reinterpret_cast<const QRgb*>(s->constScanLine(p.y()))[p.x()]);
}
