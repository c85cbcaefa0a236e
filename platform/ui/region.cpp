// Regions and clipping.
#include <QPainterPath>

#include "platform/ui/raster.h"

using namespace mirt_ui;

namespace {
HRGN NewRgn(const QRegion& r) {
  auto* o = new RgnObj;
  o->rgn = r;
  return static_cast<HRGN>(GdiAdd(o));
}

int Kind(const QRegion& r) {
  if (r.isEmpty()) return NULLREGION;
  return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRect Norm(int l, int t, int r, int b) {
  return QRect(std::min(l, r), std::min(t, b), std::abs(r - l), std::abs(b - t));
}

RgnObj* R(HRGN h) { return GdiAs<RgnObj>(h, OBJ_REGION); }

// A region given in logical units, on the surface.
QRegion ToSurface(Dc& dc, const QRegion& r) {
  QPoint o = LpToDp(dc, 0, 0);
  return r.translated(o + dc.origin);
}

void ClipChanged(Dc& dc) { DcStateChanged(dc); }
}  // namespace

HRGN CreateRectRgn(int l, int t, int r, int b) { return NewRgn(QRegion(Norm(l, t, r, b))); }
HRGN CreateRectRgnIndirect(const RECT* r) {
  return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int l, int t, int r, int b) {
  return NewRgn(QRegion(Norm(l, t, r, b), QRegion::Ellipse));
}
HRGN CreateEllipticRgnIndirect(const RECT* r) {
  return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
  QPainterPath p;
  p.addRoundedRect(QRectF(Norm(l, t, r, b)), w / 2.0, h / 2.0);
  return NewRgn(QRegion(p.toFillPolygon().toPolygon()));
}

HRGN CreatePolygonRgn(const POINT* pts, int n, int mode) {
  if (!pts || n < 3) return NewRgn(QRegion());
  QPolygon poly;
  for (int i = 0; i < n; ++i) poly << QPoint(pts[i].x, pts[i].y);
  return NewRgn(QRegion(poly, mode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polys, int mode) {
  QRegion all;
  for (int i = 0; i < polys; ++i) {
    QPolygon poly;
    for (int k = 0; k < counts[i]; ++k) poly << QPoint(pts[k].x, pts[k].y);
    pts += counts[i];
    if (poly.size() >= 3) all ^= QRegion(poly, mode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  }
  return NewRgn(all);
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
  RgnObj* d = R(dst);
  RgnObj* ra = R(a);
  if (!d || !ra) return ERROR;
  if (mode == RGN_COPY) {
    d->rgn = ra->rgn;
    return Kind(d->rgn);
  }
  RgnObj* rb = R(b);
  if (!rb) return ERROR;
  switch (mode) {
    case RGN_AND:
      d->rgn = ra->rgn & rb->rgn;
      break;
    case RGN_OR:
      d->rgn = ra->rgn | rb->rgn;
      break;
    case RGN_XOR:
      d->rgn = ra->rgn ^ rb->rgn;
      break;
    case RGN_DIFF:
      d->rgn = ra->rgn - rb->rgn;
      break;
    default:
      return ERROR;
  }
  return Kind(d->rgn);
}

BOOL EqualRgn(HRGN a, HRGN b) {
  RgnObj *ra = R(a), *rb = R(b);
  return ra && rb && ra->rgn == rb->rgn;
}

int OffsetRgn(HRGN h, int x, int y) {
  RgnObj* r = R(h);
  if (!r) return ERROR;
  r->rgn.translate(x, y);
  return Kind(r->rgn);
}

int GetRgnBox(HRGN h, LPRECT rc) {
  RgnObj* r = R(h);
  if (!r || !rc) return ERROR;
  QRect b = r->rgn.boundingRect();
  *rc = r->rgn.isEmpty() ? RECT{0, 0, 0, 0}
                         : RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
  return Kind(r->rgn);
}

BOOL PtInRegion(HRGN h, int x, int y) {
  RgnObj* r = R(h);
  return r && r->rgn.contains(QPoint(x, y));
}

BOOL RectInRegion(HRGN h, const RECT* rc) {
  RgnObj* r = R(h);
  return r && rc && r->rgn.intersects(Norm(rc->left, rc->top, rc->right, rc->bottom));
}

BOOL SetRectRgn(HRGN h, int l, int t, int r, int b) {
  RgnObj* o = R(h);
  if (!o) return FALSE;
  o->rgn = QRegion(Norm(l, t, r, b));
  return TRUE;
}

int SelectClipRgn(HDC h, HRGN rgn) { return ExtSelectClipRgn(h, rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC h, HRGN rgn, int mode) {
  Dc* dc = DcFind(h);
  if (!dc) return ERROR;
  RgnObj* r = R(rgn);
  // Clip regions are in device units.
  if (!r) {
    if (mode != RGN_COPY) return ERROR;
    dc->st.hasClip = false;
    dc->st.clip = QRegion();
  } else {
    QRegion cur = dc->st.hasClip ? dc->st.clip : QRegion(QRect(QPoint(0, 0), dc->size));
    switch (mode) {
      case RGN_COPY:
        cur = r->rgn;
        break;
      case RGN_AND:
        cur &= r->rgn;
        break;
      case RGN_OR:
        cur |= r->rgn;
        break;
      case RGN_XOR:
        cur ^= r->rgn;
        break;
      case RGN_DIFF:
        cur -= r->rgn;
        break;
      default:
        return ERROR;
    }
    dc->st.hasClip = true;
    dc->st.clip = cur;
  }
  ClipChanged(*dc);
  return Kind(SurfaceClip(*dc));
}

int IntersectClipRect(HDC h, int l, int t, int r, int b) {
  Dc* dc = DcFind(h);
  if (!dc) return ERROR;
  QRect d = LpRectToDp(*dc, l, t, r, b);
  QRegion cur = dc->st.hasClip ? dc->st.clip : QRegion(QRect(QPoint(0, 0), dc->size));
  dc->st.clip = cur & QRegion(d);
  dc->st.hasClip = true;
  ClipChanged(*dc);
  return Kind(SurfaceClip(*dc));
}

int ExcludeClipRect(HDC h, int l, int t, int r, int b) {
  Dc* dc = DcFind(h);
  if (!dc) return ERROR;
  QRect d = LpRectToDp(*dc, l, t, r, b);
  QRegion cur = dc->st.hasClip ? dc->st.clip : QRegion(QRect(QPoint(0, 0), dc->size));
  dc->st.clip = cur - QRegion(d);
  dc->st.hasClip = true;
  ClipChanged(*dc);
  return Kind(SurfaceClip(*dc));
}

int OffsetClipRgn(HDC h, int x, int y) {
  Dc* dc = DcFind(h);
  if (!dc) return ERROR;
  if (dc->st.hasClip) dc->st.clip.translate(ScaleX(*dc, x), ScaleY(*dc, y));
  ClipChanged(*dc);
  return Kind(SurfaceClip(*dc));
}

int GetClipBox(HDC h, LPRECT rc) {
  Dc* dc = DcFind(h);
  if (!dc || !rc) return ERROR;
  QRegion clip = SurfaceClip(*dc).translated(-dc->origin);
  QRect b = clip.boundingRect();
  POINT pts[2] = {{b.left(), b.top()}, {b.left() + b.width(), b.top() + b.height()}};
  if (clip.isEmpty()) pts[0] = pts[1] = POINT{0, 0};
  DPtoLP(h, pts, 2);
  *rc = RECT{std::min(pts[0].x, pts[1].x), std::min(pts[0].y, pts[1].y), std::max(pts[0].x, pts[1].x),
             std::max(pts[0].y, pts[1].y)};
  return Kind(clip);
}

int GetClipRgn(HDC h, HRGN rgn) {
  Dc* dc = DcFind(h);
  RgnObj* r = R(rgn);
  if (!dc || !r) return -1;
  if (!dc->st.hasClip) return 0;
  r->rgn = dc->st.clip;
  return 1;
}

BOOL PtVisible(HDC h, int x, int y) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  return SurfaceClip(*dc).contains(DpToSurface(*dc, LpToDp(*dc, x, y)));
}

BOOL RectVisible(HDC h, const RECT* rc) {
  Dc* dc = DcFind(h);
  if (!dc || !rc) return FALSE;
  QRect d = LpRectToDp(*dc, rc->left, rc->top, rc->right, rc->bottom).translated(dc->origin);
  const QRegion& clip = SurfaceClip(*dc);
  if (clip.rectCount() == 1) return clip.boundingRect().intersects(d);
  return clip.intersects(d);
}

namespace mirt_ui {
BrushPattern PatternOf(Dc& dc, HBRUSH b);
}

BOOL FillRgn(HDC h, HRGN rgn, HBRUSH hbr) {
  Dc* dc = DcFind(h);
  RgnObj* r = R(rgn);
  if (!dc || !r) return FALSE;
  FillArea(*dc, ToSurface(*dc, r->rgn), PatternOf(*dc, hbr), R2_COPYPEN);
  return TRUE;
}

BOOL PaintRgn(HDC h, HRGN rgn) {
  Dc* dc = DcFind(h);
  RgnObj* r = R(rgn);
  if (!dc || !r) return FALSE;
  FillArea(*dc, ToSurface(*dc, r->rgn), MakeBrushPattern(*dc, dc->st.brush), dc->st.rop2);
  return TRUE;
}

BOOL InvertRgn(HDC h, HRGN rgn) {
  Dc* dc = DcFind(h);
  RgnObj* r = R(rgn);
  if (!dc || !r) return FALSE;
  FillArea(*dc, ToSurface(*dc, r->rgn), SolidPattern(0xFF000000u), R2_NOT);
  return TRUE;
}

BOOL FrameRgn(HDC h, HRGN rgn, HBRUSH hbr, int w, int hh) {
  Dc* dc = DcFind(h);
  RgnObj* r = R(rgn);
  if (!dc || !r) return FALSE;
  // The frame: pixels of the region within w (h) of its outside.
  QRegion inner = r->rgn;
  inner &= r->rgn.translated(w, 0);
  inner &= r->rgn.translated(-w, 0);
  inner &= r->rgn.translated(0, hh);
  inner &= r->rgn.translated(0, -hh);
  FillArea(*dc, ToSurface(*dc, r->rgn - inner), PatternOf(*dc, hbr), R2_COPYPEN);
  return TRUE;
}
