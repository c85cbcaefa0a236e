// Device contexts: creation, selection, attributes, coordinates, painters.
#include <QWidget>
#include <cstring>
#include <atomic>
#include <map>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "platform/ui/gdi_obj.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/paint.h"

namespace mirt_ui {
namespace {
std::recursive_mutex g_dcMutex;
// Handles are numbers never used twice, so a released context's handle
// finds nothing even when a new context takes its memory.
std::unordered_map<HDC, Dc*> g_dcs;
uintptr_t g_nextDc = 0x50000000;
std::map<QImage*, Dc*> g_painting;

HBITMAP DefaultBitmap() {
  static HBITMAP b = [] {
    QImage img(1, 1, QImage::Format_RGB32);
    img.fill(Qt::black);
    HBITMAP h = MakeBitmap(img, true, 1);
    GdiFind(h)->stock = true;
    return h;
  }();
  return b;
}

void Select(HGDIOBJ& slot, HGDIOBJ h) {
  if (auto* o = GdiFind(slot)) o->selected--;
  slot = h;
  if (auto* o = GdiFind(h)) o->selected++;
}

void InitState(DcState& s) {
  s.pen = nullptr;
  s.brush = nullptr;
  s.font = nullptr;
  HGDIOBJ p = nullptr, b = nullptr, f = nullptr;
  Select(p, GetStockObject(BLACK_PEN));
  Select(b, GetStockObject(WHITE_BRUSH));
  Select(f, GetStockObject(SYSTEM_FONT));
  s.pen = static_cast<HPEN>(p);
  s.brush = static_cast<HBRUSH>(b);
  s.font = static_cast<HFONT>(f);
}

void ReleaseState(DcState& s) {
  HGDIOBJ p = s.pen, b = s.brush, f = s.font, bm = s.bitmap;
  Select(p, nullptr);
  Select(b, nullptr);
  Select(f, nullptr);
  Select(bm, nullptr);
}

void AddRefState(DcState& s) {
  for (HGDIOBJ h : {static_cast<HGDIOBJ>(s.pen), static_cast<HGDIOBJ>(s.brush), static_cast<HGDIOBJ>(s.font),
                    static_cast<HGDIOBJ>(s.bitmap)})
    if (auto* o = GdiFind(h)) o->selected++;
}
}  // namespace

std::atomic<unsigned> g_dcGeneration{0};

Dc* DcFind(HDC h) {
  if (!h) return nullptr;
  // Drawing calls come in long runs on one context: remember the last one.
  MIRT_FAST_TLS thread_local HDC lastHandle = nullptr;
  MIRT_FAST_TLS thread_local Dc* lastDc = nullptr;
  MIRT_FAST_TLS thread_local unsigned lastGeneration = ~0u;
  if (h == lastHandle && lastGeneration == g_dcGeneration.load(std::memory_order_acquire)) return lastDc;
  std::lock_guard<std::recursive_mutex> lock(g_dcMutex);
  auto it = g_dcs.find(h);
  if (it == g_dcs.end()) return nullptr;
  lastHandle = h;
  lastDc = it->second;
  lastGeneration = g_dcGeneration.load(std::memory_order_acquire);
  return lastDc;
}

HDC DcAdd(Dc* dc) {
  std::lock_guard<std::recursive_mutex> lock(g_dcMutex);
  InitState(dc->st);
  auto h = reinterpret_cast<HDC>(g_nextDc);
  g_nextDc += 4;
  g_dcs[h] = dc;
  return h;
}

void DcRemove(HDC h) {
  Dc* dc = DcFind(h);
  if (!dc) return;
  EndPainter(*dc);
  ShowTouched(*dc);
  ReleaseState(dc->st);
  for (auto& s : dc->saved) ReleaseState(s);
  std::lock_guard<std::recursive_mutex> lock(g_dcMutex);
  g_dcs.erase(h);
  g_dcGeneration.fetch_add(1, std::memory_order_release);
  delete dc;
}

QImage* Surface(Dc& dc) {
  if (dc.kind == Dc::kWindow) return dc.wnd ? &ImageReady(*dc.wnd) : nullptr;
  if (auto* b = GdiAs<BitmapObj>(dc.st.bitmap, OBJ_BITMAP)) return &b->image;
  return nullptr;
}

bool SurfaceMono(Dc& dc) {
  if (dc.kind != Dc::kMemory) return false;
  auto* b = GdiAs<BitmapObj>(dc.st.bitmap, OBJ_BITMAP);
  return b && b->mono;
}

void FlushSurface(QImage* img) {
  std::lock_guard<std::recursive_mutex> lock(g_dcMutex);
  auto it = g_painting.find(img);
  if (it != g_painting.end()) EndPainter(*it->second);
}

void EndPainter(Dc& dc) {
  if (!dc.painter) return;
  std::lock_guard<std::recursive_mutex> lock(g_dcMutex);
  QPaintDevice* dev = dc.painter->device();
  dc.painter->end();
  dc.painter.reset();
  auto it = g_painting.find(static_cast<QImage*>(dev));
  if (it != g_painting.end() && it->second == &dc) g_painting.erase(it);
}

const QRegion& SurfaceClip(Dc& dc) {
  if (dc.clipValid) return dc.clipCache;
  QRegion r(QRect(dc.origin, dc.size));
  if (dc.hasSystemClip) r &= dc.systemClip.translated(dc.origin);
  if (dc.st.hasClip) r &= dc.st.clip.translated(dc.origin);
  if (QImage* s = Surface(dc)) r &= QRegion(s->rect());
  dc.clipCache = std::move(r);
  dc.clipValid = true;
  return dc.clipCache;
}

QPainter* PainterFor(Dc& dc) {
  QImage* s = Surface(dc);
  if (!s || s->isNull()) return nullptr;
  if (dc.painter && dc.painter->device() != s) EndPainter(dc);
  if (!dc.painter) {
    std::lock_guard<std::recursive_mutex> lock(g_dcMutex);
    auto it = g_painting.find(s);
    if (it != g_painting.end() && it->second != &dc) EndPainter(*it->second);
    dc.painter = std::make_unique<QPainter>(s);
    g_painting[s] = &dc;
    dc.painterStateDirty = true;
    // A new painter has the default font and pen: what was set on the old
    // one counts no more (no opaque colour equals 0).
    dc.painterFont = nullptr;
    dc.painterPen = 0;
  }
  if (dc.painterStateDirty) {
    dc.painter->setClipRegion(SurfaceClip(dc));
    dc.painter->setRenderHint(QPainter::Antialiasing, false);
    dc.painterStateDirty = false;
  }
  return dc.painter.get();
}

QPoint LpToDp(const Dc& dc, int x, int y) {
  const DcState& s = dc.st;
  if (s.mapMode == MM_TEXT) return QPoint(x - s.winOrg.x() + s.vpOrg.x(), y - s.winOrg.y() + s.vpOrg.y());
  long long dx = static_cast<long long>(x - s.winOrg.x()) * s.vpExt.width() /
                 std::max(1, std::abs(s.winExt.width())) * (s.winExt.width() < 0 ? -1 : 1);
  long long dy = static_cast<long long>(y - s.winOrg.y()) * s.vpExt.height() /
                 std::max(1, std::abs(s.winExt.height())) * (s.winExt.height() < 0 ? -1 : 1);
  return QPoint(static_cast<int>(dx) + s.vpOrg.x(), static_cast<int>(dy) + s.vpOrg.y());
}

QRect LpRectToDp(const Dc& dc, int l, int t, int r, int b) {
  QPoint a = LpToDp(dc, l, t), c = LpToDp(dc, r, b);
  int x0 = std::min(a.x(), c.x()), x1 = std::max(a.x(), c.x());
  int y0 = std::min(a.y(), c.y()), y1 = std::max(a.y(), c.y());
  return QRect(x0, y0, x1 - x0, y1 - y0);
}

int ScaleX(const Dc& dc, int len) {
  if (dc.st.mapMode == MM_TEXT) return len;
  return std::abs(static_cast<int>(static_cast<long long>(len) * dc.st.vpExt.width() /
                                   std::max(1, std::abs(dc.st.winExt.width()))));
}

int ScaleY(const Dc& dc, int len) {
  if (dc.st.mapMode == MM_TEXT) return len;
  return std::abs(static_cast<int>(static_cast<long long>(len) * dc.st.vpExt.height() /
                                   std::max(1, std::abs(dc.st.winExt.height()))));
}

void Touch(Dc& dc, const QRect& r) {
  dc.touched |= r;
  if (dc.overlay) ShowTouched(dc);  // drag outlines follow each step
}

void ShowTouched(Dc& dc) {
  if (dc.kind != Dc::kWindow || !dc.wnd || dc.touched.isEmpty()) return;
  ShowImage(*dc.wnd, dc.touched);
  dc.touched = QRect();
}

HDC MakeWindowDC(const WndPtr& w, bool whole) {
  auto* dc = new Dc;
  dc->kind = Dc::kWindow;
  dc->wnd = w;
  dc->wholeWindow = whole;
  dc->origin = whole ? QPoint(0, 0) : w->client.topLeft();
  dc->size = whole ? w->rect.size() : w->client.size();
  return DcAdd(dc);
}

QRgb DcColor(Dc& dc, COLORREF c) {
  QRgb q = ToQRgb(c);
  return SurfaceMono(dc) ? MonoOf(q) : q;
}

HBITMAP DefaultDcBitmap() { return DefaultBitmap(); }

FontObj* DcFont(Dc& dc) {
  auto* f = GdiAs<FontObj>(dc.st.font, OBJ_FONT);
  return f ? f : GdiAs<FontObj>(GetStockObject(SYSTEM_FONT), OBJ_FONT);
}

}  // namespace mirt_ui

using namespace mirt_ui;

namespace {
void SetBitmapOf(Dc& dc, HBITMAP b) {
  EndPainter(dc);
  HGDIOBJ slot = dc.st.bitmap;
  Select(slot, b);
  dc.st.bitmap = static_cast<HBITMAP>(slot);
  auto* bm = GdiAs<BitmapObj>(b, OBJ_BITMAP);
  dc.size = bm ? bm->image.size() : QSize(1, 1);
  DcStateChanged(dc);
}
}  // namespace

HDC CreateCompatibleDC(HDC) {
  auto* dc = new Dc;
  dc->kind = Dc::kMemory;
  HDC h = DcAdd(dc);
  SetBitmapOf(*dc, DefaultDcBitmap());
  return h;
}

HDC CreateDC(LPCSTR driver, LPCSTR, LPCSTR, const void*) {
  // "DISPLAY": a context on the screen overlay; others: information only.
  if (driver && strcmp(driver, "DISPLAY") == 0) return GetDC(nullptr);
  auto* dc = new Dc;
  dc->kind = Dc::kInfo;
  dc->size = QSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return DcAdd(dc);
}

BOOL DeleteDC(HDC h) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  if (dc->kind == Dc::kWindow) return ReleaseDC(dc->wnd ? dc->wnd->handle : nullptr, h) != 0;
  DcRemove(h);
  return TRUE;
}

int SaveDC(HDC h) {
  Dc* dc = DcFind(h);
  if (!dc) return 0;
  dc->saved.push_back(dc->st);
  AddRefState(dc->saved.back());
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC h, int n) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  int count = static_cast<int>(dc->saved.size());
  if (n < 0) n = count + 1 + n;
  if (n <= 0 || n > count) return FALSE;
  HBITMAP oldBitmap = dc->st.bitmap;
  while (static_cast<int>(dc->saved.size()) > n) {
    ReleaseState(dc->saved.back());
    dc->saved.pop_back();
  }
  ReleaseState(dc->st);
  dc->st = dc->saved.back();
  dc->saved.pop_back();
  if (dc->st.bitmap != oldBitmap) {
    EndPainter(*dc);
    auto* bm = GdiAs<BitmapObj>(dc->st.bitmap, OBJ_BITMAP);
    if (bm) dc->size = bm->image.size();
  }
  DcStateChanged(*dc);
  return TRUE;
}

int GetDeviceCaps(HDC h, int index) {
  Dc* dc = DcFind(h);
  if (dc && dc->printerDpi) return PrinterDeviceCaps(*dc, index);
  bool mono = dc && SurfaceMono(*dc);
  switch (index) {
    case DRIVERVERSION:
      return 0x400;
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZSIZE:
      return 508;
    case VERTSIZE:
      return 286;
    case HORZRES:
      return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
      return GetSystemMetrics(SM_CYSCREEN);
    case BITSPIXEL:
      return mono ? 1 : 32;
    case PLANES:
      return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
      return mono ? 2 : -1;
    case NUMFONTS:
      return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_STRETCHBLT;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case SIZEPALETTE:
      return 0;
    case PHYSICALWIDTH:
      return GetSystemMetrics(SM_CXSCREEN);
    case PHYSICALHEIGHT:
      return GetSystemMetrics(SM_CYSCREEN);
  }
  return 0;
}

HGDIOBJ SelectObject(HDC h, HGDIOBJ obj) {
  Dc* dc = DcFind(h);
  GdiObj* o = GdiFind(obj);
  if (!dc || !o) return nullptr;
  HGDIOBJ slot;
  switch (o->type) {
    case OBJ_PEN: {
      HGDIOBJ old = dc->st.pen;
      slot = old;
      Select(slot, obj);
      dc->st.pen = static_cast<HPEN>(slot);
      return old;
    }
    case OBJ_BRUSH: {
      HGDIOBJ old = dc->st.brush;
      slot = old;
      Select(slot, obj);
      dc->st.brush = static_cast<HBRUSH>(slot);
      return old;
    }
    case OBJ_FONT: {
      HGDIOBJ old = dc->st.font;
      slot = old;
      Select(slot, obj);
      dc->st.font = static_cast<HFONT>(slot);
      return old;
    }
    case OBJ_BITMAP: {
      if (dc->kind != Dc::kMemory) return nullptr;
      HGDIOBJ old = dc->st.bitmap;
      SetBitmapOf(*dc, static_cast<HBITMAP>(obj));
      return old;
    }
    case OBJ_REGION:
      return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(h, static_cast<HRGN>(obj))));
    case OBJ_PAL:
      return GetStockObject(DEFAULT_PALETTE);
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC h, UINT type) {
  Dc* dc = DcFind(h);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
      return dc->st.pen;
    case OBJ_BRUSH:
      return dc->st.brush;
    case OBJ_FONT:
      return dc->st.font;
    case OBJ_BITMAP:
      return dc->st.bitmap;
    case OBJ_PAL:
      return GetStockObject(DEFAULT_PALETTE);
  }
  return nullptr;
}

#define DC_ATTR(Type, Name, field, bad) \
  Type Set##Name(HDC h, Type v) {       \
    Dc* dc = DcFind(h);                 \
    if (!dc) return bad;                \
    Type old = dc->st.field;            \
    dc->st.field = v;                   \
    return old;                         \
  }                                     \
  Type Get##Name(HDC h) {               \
    Dc* dc = DcFind(h);                 \
    return dc ? dc->st.field : bad;     \
  }

DC_ATTR(COLORREF, TextColor, text, CLR_INVALID)
DC_ATTR(COLORREF, BkColor, bk, CLR_INVALID)
DC_ATTR(int, BkMode, bkMode, 0)
DC_ATTR(int, ROP2, rop2, 0)
DC_ATTR(UINT, TextAlign, align, GDI_ERROR)
DC_ATTR(int, PolyFillMode, polyFill, 0)
DC_ATTR(int, StretchBltMode, stretch, 0)
#undef DC_ATTR

int SetTextCharacterExtra(HDC h, int extra) {
  Dc* dc = DcFind(h);
  if (!dc) return 0x80000000;
  int old = dc->st.charExtra;
  dc->st.charExtra = extra;
  return old;
}

BOOL SetBrushOrgEx(HDC h, int x, int y, LPPOINT old) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  if (old) *old = POINT{dc->st.brushOrg.x(), dc->st.brushOrg.y()};
  dc->st.brushOrg = QPoint(x, y);
  return TRUE;
}

BOOL GetBrushOrgEx(HDC h, LPPOINT p) {
  Dc* dc = DcFind(h);
  if (!dc || !p) return FALSE;
  *p = POINT{dc->st.brushOrg.x(), dc->st.brushOrg.y()};
  return TRUE;
}

COLORREF GetNearestColor(HDC h, COLORREF c) {
  Dc* dc = DcFind(h);
  if (!dc) return CLR_INVALID;
  return FromQRgb(DcColor(*dc, c));
}

// ---- Coordinates ----

int SetMapMode(HDC h, int mode) {
  Dc* dc = DcFind(h);
  if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  int old = dc->st.mapMode;
  dc->st.mapMode = mode;
  // Logical units per inch of the fixed modes; y grows upwards.
  int perInch = 0;
  switch (mode) {
    case MM_LOMETRIC:
      perInch = 254;
      break;
    case MM_HIMETRIC:
      perInch = 2540;
      break;
    case MM_LOENGLISH:
      perInch = 100;
      break;
    case MM_HIENGLISH:
      perInch = 1000;
      break;
    case MM_TWIPS:
      perInch = 1440;
      break;
  }
  if (perInch) {
    dc->st.winExt = QSize(perInch, perInch);
    int dpi = dc->printerDpi ? dc->printerDpi : 96;
    dc->st.vpExt = QSize(dpi, -dpi);
  } else if (mode == MM_TEXT || old == MM_TEXT || (old >= MM_LOMETRIC && old <= MM_TWIPS)) {
    dc->st.winExt = QSize(1, 1);
    dc->st.vpExt = QSize(1, 1);
  }
  return old;
}

int GetMapMode(HDC h) {
  Dc* dc = DcFind(h);
  return dc ? dc->st.mapMode : 0;
}

static BOOL SetPt(HDC h, QPoint DcState::*field, int x, int y, LPPOINT old, bool offset) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  QPoint& p = dc->st.*field;
  if (old) *old = POINT{p.x(), p.y()};
  p = offset ? p + QPoint(x, y) : QPoint(x, y);
  return TRUE;
}

BOOL SetViewportOrgEx(HDC h, int x, int y, LPPOINT o) { return SetPt(h, &DcState::vpOrg, x, y, o, false); }
BOOL OffsetViewportOrgEx(HDC h, int x, int y, LPPOINT o) { return SetPt(h, &DcState::vpOrg, x, y, o, true); }
BOOL SetWindowOrgEx(HDC h, int x, int y, LPPOINT o) { return SetPt(h, &DcState::winOrg, x, y, o, false); }
BOOL OffsetWindowOrgEx(HDC h, int x, int y, LPPOINT o) { return SetPt(h, &DcState::winOrg, x, y, o, true); }

BOOL GetViewportOrgEx(HDC h, LPPOINT p) {
  Dc* dc = DcFind(h);
  if (!dc || !p) return FALSE;
  *p = POINT{dc->st.vpOrg.x(), dc->st.vpOrg.y()};
  return TRUE;
}

BOOL GetWindowOrgEx(HDC h, LPPOINT p) {
  Dc* dc = DcFind(h);
  if (!dc || !p) return FALSE;
  *p = POINT{dc->st.winOrg.x(), dc->st.winOrg.y()};
  return TRUE;
}

static BOOL SetExt(HDC h, bool viewport, int x, int y, LPSIZE old) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  QSize& e = viewport ? dc->st.vpExt : dc->st.winExt;
  if (old) *old = SIZE{e.width(), e.height()};
  if (dc->st.mapMode != MM_ISOTROPIC && dc->st.mapMode != MM_ANISOTROPIC) return TRUE;
  if (x == 0 || y == 0) return FALSE;
  e = QSize(x, y);
  if (dc->st.mapMode == MM_ISOTROPIC) {
    // Same scale on both axes: the smaller one wins.
    QSize& w = dc->st.winExt;
    QSize& v = dc->st.vpExt;
    double sx = std::abs(static_cast<double>(v.width()) / w.width());
    double sy = std::abs(static_cast<double>(v.height()) / w.height());
    if (sx > sy)
      v.setWidth(static_cast<int>((v.width() < 0 ? -1 : 1) * sy * std::abs(w.width())));
    else if (sy > sx)
      v.setHeight(static_cast<int>((v.height() < 0 ? -1 : 1) * sx * std::abs(w.height())));
  }
  return TRUE;
}

BOOL SetViewportExtEx(HDC h, int x, int y, LPSIZE o) { return SetExt(h, true, x, y, o); }
BOOL SetWindowExtEx(HDC h, int x, int y, LPSIZE o) { return SetExt(h, false, x, y, o); }

BOOL GetViewportExtEx(HDC h, LPSIZE s) {
  Dc* dc = DcFind(h);
  if (!dc || !s) return FALSE;
  *s = SIZE{dc->st.vpExt.width(), dc->st.vpExt.height()};
  return TRUE;
}

BOOL GetWindowExtEx(HDC h, LPSIZE s) {
  Dc* dc = DcFind(h);
  if (!dc || !s) return FALSE;
  *s = SIZE{dc->st.winExt.width(), dc->st.winExt.height()};
  return TRUE;
}

BOOL LPtoDP(HDC h, LPPOINT pts, int n) {
  Dc* dc = DcFind(h);
  if (!dc || !pts) return FALSE;
  for (int i = 0; i < n; ++i) {
    QPoint p = LpToDp(*dc, pts[i].x, pts[i].y);
    pts[i] = POINT{p.x(), p.y()};
  }
  return TRUE;
}

BOOL DPtoLP(HDC h, LPPOINT pts, int n) {
  Dc* dc = DcFind(h);
  if (!dc || !pts) return FALSE;
  const DcState& s = dc->st;
  for (int i = 0; i < n; ++i) {
    long long x = pts[i].x - s.vpOrg.x(), y = pts[i].y - s.vpOrg.y();
    if (s.mapMode != MM_TEXT) {
      x = x * s.winExt.width() / (s.vpExt.width() ? s.vpExt.width() : 1);
      y = y * s.winExt.height() / (s.vpExt.height() ? s.vpExt.height() : 1);
    }
    pts[i] = POINT{static_cast<LONG>(x + s.winOrg.x()), static_cast<LONG>(y + s.winOrg.y())};
  }
  return TRUE;
}
