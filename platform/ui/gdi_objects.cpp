// GDI objects: pens, brushes, fonts, bitmaps, palettes; stock objects.
#include <QFontDatabase>
#include <QFontMetrics>
#include <atomic>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/base/charcase.h"
#include "platform/ui/gdi_obj.h"
#include "platform/ui/thread_queue.h"

namespace mirt_ui {
namespace {
std::mutex g_gdiObjectsMutex;
// Kept to the end of the process: stock objects stay reachable. Handles
// are numbers never used twice, so a deleted object's handle finds nothing
// even when a new object takes its memory.
std::unordered_map<HGDIOBJ, GdiObj*>& g_objects = *new std::unordered_map<HGDIOBJ, GdiObj*>;
uintptr_t g_nextObject = 0x60000000;
// Counts deletions, so that remembered finds of a deleted object are not used.
std::atomic<unsigned> g_gdiGeneration{0};
constexpr size_t kGdiFindCacheSlots = 8;

HGDIOBJ AddStock(GdiObj* o) {
  o->stock = true;
  return GdiAdd(o);
}

HPEN StockPen(int style, COLORREF c) {
  auto* p = new PenObj;
  p->style = style;
  p->color = c;
  return static_cast<HPEN>(AddStock(p));
}

HBRUSH StockBrush(int style, COLORREF c) {
  auto* b = new BrushObj;
  b->style = style;
  b->color = c;
  return static_cast<HBRUSH>(AddStock(b));
}

HFONT StockFont(const char* face, int height, int weight, int pitch) {
  auto* f = new FontObj;
  f->lf.lfHeight = height;
  f->lf.lfWeight = weight;
  f->lf.lfPitchAndFamily = static_cast<BYTE>(pitch);
  strncpy(f->lf.lfFaceName, face, LF_FACESIZE - 1);
  RealizeFont(*f);
  return static_cast<HFONT>(AddStock(f));
}

std::string Upper(const char* s) {
  std::string k = s;
  for (char& c : k) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
  return k;
}
}  // namespace

GdiObj* GdiFind(HGDIOBJ h, int type) {
  if (!h) return nullptr;
  // Drawing looks up the same few objects again and again: each thread
  // remembers its last finds until any object is deleted.
  struct Found {
    HGDIOBJ handle = nullptr;
    GdiObj* object = nullptr;
    unsigned generation = ~0u;
  };
  MIRT_FAST_TLS thread_local Found recent[kGdiFindCacheSlots];
  Found& slot = recent[(reinterpret_cast<uintptr_t>(h) >> 2) % kGdiFindCacheSlots];
  const unsigned generation = g_gdiGeneration.load(std::memory_order_acquire);
  GdiObj* o = nullptr;
  if (slot.handle == h && slot.generation == generation) {
    o = slot.object;
  } else {
    std::lock_guard<std::mutex> lock(g_gdiObjectsMutex);
    auto it = g_objects.find(h);
    if (it == g_objects.end()) return nullptr;
    o = it->second;
    slot = Found{h, o, generation};
  }
  if (type && o->type != type) return nullptr;
  return o;
}

HGDIOBJ GdiAdd(GdiObj* o) {
  std::lock_guard<std::mutex> lock(g_gdiObjectsMutex);
  auto h = reinterpret_cast<HGDIOBJ>(g_nextObject);
  g_nextObject += 4;
  g_objects[h] = o;
  return h;
}

HBRUSH MakeStockBrush(COLORREF c) { return StockBrush(BS_SOLID, c); }

QString MapFontFace(const LOGFONT& lf) {
  std::string face = Upper(lf.lfFaceName);
  static const char* kMono[] = {"COURIER NEW",    "COURIER",  "FIXEDSYS",    "TERMINAL",
                                "LUCIDA CONSOLE", "CONSOLAS", "SYSTEM FIXED"};
  static const char* kSerif[] = {"TIMES NEW ROMAN", "TIMES", "MS SERIF", "GEORGIA"};
  for (const char* m : kMono)
    if (face == m) return QStringLiteral("Liberation Mono");
  for (const char* m : kSerif)
    if (face == m) return QStringLiteral("Liberation Serif");
  if (face.empty() && (lf.lfPitchAndFamily & 3) == FIXED_PITCH) return QStringLiteral("Liberation Mono");
  if (face.empty() && (lf.lfPitchAndFamily & 0xF0) == FF_MODERN) return QStringLiteral("Liberation Mono");
  return QStringLiteral("Liberation Sans");
}

namespace {

// What realising a LOGFONT found: the Qt font's pixel size and stretch (0:
// none) and the metrics it reports.
struct GdiRealizedFont {
  int pixelSize = 0, stretch = 0;
  int ascent = 0, descent = 0, internalLeading = 0, externalLeading = 0;
  int aveWidth = 0, maxWidth = 0;
  bool fixedPitch = false;
};

// Windows of one kind make the same fonts again and again: what their
// LOGFONTs were realised as is kept (a bounded number), so that only the
// first asks Qt's font database.
constexpr size_t kGdiRealizedFontSlots = 256;
std::mutex g_gdiRealizedFontsMutex;
std::unordered_map<std::string, GdiRealizedFont> g_gdiRealizedFonts;

std::string GdiRealizedFontKey(const LOGFONT& lf) {
  const LONG numbers[] = {lf.lfHeight,    lf.lfWidth,     lf.lfWeight,  lf.lfItalic,
                          lf.lfUnderline, lf.lfStrikeOut, lf.lfQuality, lf.lfPitchAndFamily};
  std::string key(reinterpret_cast<const char*>(numbers), sizeof numbers);
  key.append(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  return key;
}

// The Qt font of a LOGFONT but for its size and stretch.
QFont GdiStyledFont(const LOGFONT& lf) {
  QFont font(MapFontFace(lf));
  font.setStyleStrategy(lf.lfQuality == NONANTIALIASED_QUALITY ? QFont::NoAntialias : QFont::PreferDefault);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void GdiSetFontStyle(QFont& font, const LOGFONT& lf) {
  int weight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
  font.setItalic(lf.lfItalic);
  font.setUnderline(lf.lfUnderline);
  font.setStrikeOut(lf.lfStrikeOut);
}

GdiRealizedFont GdiRealize(const LOGFONT& lf) {
  GdiRealizedFont r;
  QFont font = GdiStyledFont(lf);
  int h = lf.lfHeight;
  int px;
  if (h == 0) {
    px = 12;
  } else if (h < 0) {
    px = -h;
  } else {
    // A positive height is the cell height: ascent plus descent.
    font.setPixelSize(h);
    QFontMetrics m(font);
    int cell = std::max(1, m.ascent() + m.descent());
    px = std::max(1, (h * h + cell / 2) / cell);
  }
  r.pixelSize = std::max(1, px);
  font.setPixelSize(r.pixelSize);
  GdiSetFontStyle(font, lf);
  if (lf.lfWidth > 0) {
    QFontMetrics m(font);
    int avg = std::max(1, m.averageCharWidth());
    r.stretch = std::clamp(lf.lfWidth * 100 / avg, 1, 4000);
    font.setStretch(r.stretch);
  }
  QFontMetrics m(font);
  r.ascent = m.ascent();
  r.descent = m.descent();
  r.internalLeading = std::max(0, r.ascent + r.descent - font.pixelSize());
  r.externalLeading = std::max(0, m.leading());
  r.aveWidth = m.horizontalAdvance(QLatin1Char('x'));
  r.maxWidth = m.maxWidth();
  r.fixedPitch = QFontInfo(font).fixedPitch();
  if (r.fixedPitch) r.aveWidth = m.horizontalAdvance(QLatin1Char('M'));
  return r;
}

}  // namespace

void RealizeFont(FontObj& f) {
  const LOGFONT& lf = f.lf;
  const std::string key = GdiRealizedFontKey(lf);
  GdiRealizedFont r;
  bool known = false;
  {
    std::lock_guard<std::mutex> lock(g_gdiRealizedFontsMutex);
    auto it = g_gdiRealizedFonts.find(key);
    if (it != g_gdiRealizedFonts.end()) r = it->second, known = true;
  }
  if (!known) {
    r = GdiRealize(lf);
    std::lock_guard<std::mutex> lock(g_gdiRealizedFontsMutex);
    if (g_gdiRealizedFonts.size() >= kGdiRealizedFontSlots) g_gdiRealizedFonts.clear();
    g_gdiRealizedFonts.emplace(key, r);
  }
  QFont font = GdiStyledFont(lf);
  font.setPixelSize(r.pixelSize);
  GdiSetFontStyle(font, lf);
  if (r.stretch) font.setStretch(r.stretch);
  f.font = font;
  f.ascent = r.ascent;
  f.descent = r.descent;
  f.internalLeading = r.internalLeading;
  f.externalLeading = r.externalLeading;
  f.aveWidth = r.aveWidth;
  f.maxWidth = r.maxWidth;
  f.fixedPitch = r.fixedPitch;
}

HBITMAP MakeBitmap(const QImage& img, bool mono, int bpp) {
  auto* b = new BitmapObj;
  b->image = img.convertToFormat(QImage::Format_RGB32);
  b->mono = mono;
  b->bpp = mono ? 1 : bpp;
  if (mono) {
    for (int y = 0; y < b->image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(b->image.scanLine(y));
      for (int x = 0; x < b->image.width(); ++x) line[x] = MonoOf(line[x]);
    }
  }
  return static_cast<HBITMAP>(GdiAdd(b));
}

}  // namespace mirt_ui

using namespace mirt_ui;

HGDIOBJ GetStockObject(int i) {
  static HGDIOBJ stock[18] = {};
  static std::once_flag once;
  std::call_once(once, [] {
    stock[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
    stock[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
    stock[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
    stock[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
    stock[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
    stock[NULL_BRUSH] = StockBrush(BS_NULL, 0);
    stock[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
    stock[BLACK_PEN] = StockPen(PS_SOLID, 0);
    stock[NULL_PEN] = StockPen(PS_NULL, 0);
    stock[OEM_FIXED_FONT] = StockFont("Terminal", -12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    stock[ANSI_FIXED_FONT] = StockFont("Courier", -13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    stock[ANSI_VAR_FONT] = StockFont("MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    stock[SYSTEM_FONT] = StockFont("System", -13, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    stock[DEVICE_DEFAULT_FONT] = stock[SYSTEM_FONT];
    stock[DEFAULT_PALETTE] = AddStock(new PaletteObj);
    stock[SYSTEM_FIXED_FONT] = StockFont("Fixedsys", -13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    stock[DEFAULT_GUI_FONT] = StockFont("MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
  });
  if (i < 0 || i >= 18) return nullptr;
  return stock[i];
}

BOOL DeleteObject(HGDIOBJ h) {
  GdiObj* o = GdiFind(h);
  if (!o) return FALSE;
  if (o->stock) return TRUE;
  if (o->selected > 0) return FALSE;  // still selected into a device context
  {
    std::lock_guard<std::mutex> lock(g_gdiObjectsMutex);
    g_objects.erase(h);
    g_gdiGeneration.fetch_add(1, std::memory_order_release);
  }
  delete o;
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ h) {
  if (DcFind(static_cast<HDC>(h))) {
    Dc* dc = DcFind(static_cast<HDC>(h));
    return dc->kind == Dc::kMemory ? OBJ_MEMDC : OBJ_DC;
  }
  GdiObj* o = GdiFind(h);
  return o ? o->type : 0;
}

int GetObject(HGDIOBJ h, int c, LPVOID pv) {
  GdiObj* o = GdiFind(h);
  if (!o) return 0;
  switch (o->type) {
    case OBJ_PEN: {
      auto* p = static_cast<PenObj*>(o);
      if (!pv) return sizeof(LOGPEN);
      if (c < static_cast<int>(sizeof(LOGPEN))) return 0;
      *static_cast<LOGPEN*>(pv) = LOGPEN{static_cast<UINT>(p->style), POINT{p->width, 0}, p->color};
      return sizeof(LOGPEN);
    }
    case OBJ_BRUSH: {
      auto* b = static_cast<BrushObj*>(o);
      if (!pv) return sizeof(LOGBRUSH);
      if (c < static_cast<int>(sizeof(LOGBRUSH))) return 0;
      *static_cast<LOGBRUSH*>(pv) =
          LOGBRUSH{static_cast<UINT>(b->style), b->color, static_cast<ULONG_PTR>(b->hatch)};
      return sizeof(LOGBRUSH);
    }
    case OBJ_FONT: {
      if (!pv) return sizeof(LOGFONT);
      int n = std::min<int>(c, sizeof(LOGFONT));
      memcpy(pv, &static_cast<FontObj*>(o)->lf, n);
      return n;
    }
    case OBJ_BITMAP: {
      auto* b = static_cast<BitmapObj*>(o);
      if (!pv) return sizeof(BITMAP);
      if (c < static_cast<int>(sizeof(BITMAP))) return 0;
      BITMAP bm{};
      bm.bmWidth = b->image.width();
      bm.bmHeight = b->image.height();
      bm.bmPlanes = 1;
      bm.bmBitsPixel = static_cast<WORD>(b->bpp);
      bm.bmWidthBytes = ((bm.bmWidth * b->bpp + 15) / 16) * 2;
      *static_cast<BITMAP*>(pv) = bm;
      return sizeof(BITMAP);
    }
  }
  return 0;
}

BOOL UnrealizeObject(HGDIOBJ h) { return GdiFind(h) != nullptr; }

HPEN CreatePen(int style, int width, COLORREF color) {
  auto* p = new PenObj;
  p->style = style & PS_STYLE_MASK;
  if (p->style > PS_INSIDEFRAME) p->style = PS_SOLID;
  p->width = std::max(0, width);
  p->color = color & 0xFFFFFF;
  return static_cast<HPEN>(GdiAdd(p));
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) return nullptr;
  return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto* b = new BrushObj;
  b->color = color & 0xFFFFFF;
  return static_cast<HBRUSH>(GdiAdd(b));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  auto* b = new BrushObj;
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->color = color & 0xFFFFFF;
  return static_cast<HBRUSH>(GdiAdd(b));
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
  auto* bm = GdiAs<BitmapObj>(hbm, OBJ_BITMAP);
  if (!bm) return nullptr;
  auto* b = new BrushObj;
  b->style = BS_PATTERN;
  b->pattern = bm->image.copy();
  b->patternMono = bm->mono;
  return static_cast<HBRUSH>(GdiAdd(b));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(lb->lbColor);
    case BS_NULL:
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED:
      return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
    case BS_PATTERN:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
  }
  return nullptr;
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  auto* f = new FontObj;
  f->lf = *lf;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  RealizeFont(*f);
  return static_cast<HFONT>(GdiAdd(f));
}

HFONT CreateFont(int h, int w, int esc, int orient, int weight, DWORD italic, DWORD underline, DWORD strike,
                 DWORD charset, DWORD outPrec, DWORD clipPrec, DWORD quality, DWORD pitch, LPCSTR face) {
  LOGFONT lf{};
  lf.lfHeight = h;
  lf.lfWidth = w;
  lf.lfEscapement = esc;
  lf.lfOrientation = orient;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic);
  lf.lfUnderline = static_cast<BYTE>(underline);
  lf.lfStrikeOut = static_cast<BYTE>(strike);
  lf.lfCharSet = static_cast<BYTE>(charset);
  lf.lfOutPrecision = static_cast<BYTE>(outPrec);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrec);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitch);
  if (face) strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bpp, const void* bits) {
  if (w <= 0 || h <= 0 || w > 32767 || h > 32767) return nullptr;
  bool mono = planes * bpp == 1;
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(mono ? Qt::black : Qt::black);
  HBITMAP hb = MakeBitmap(img, mono, mono ? 1 : static_cast<int>(bpp));
  if (bits) {
    int stride = ((w * static_cast<int>(planes * bpp) + 15) / 16) * 2;
    SetBitmapBits(hb, static_cast<DWORD>(stride * h), bits);
  }
  return hb;
}

// Bitmap bits in the device-dependent layout: rows padded to 16 bits,
// 1 bpp (bit 7 first, 1 = white), 24 bpp BGR or 32 bpp BGRX.
LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pv) {
  auto* b = GdiAs<BitmapObj>(hbm, OBJ_BITMAP);
  if (!b || !pv) return 0;
  FlushSurface(&b->image);
  int w = b->image.width(), h = b->image.height();
  int bpp = b->mono ? 1 : (b->bpp == 24 ? 24 : 32);
  int stride = ((w * bpp + 15) / 16) * 2;
  auto* src = static_cast<const unsigned char*>(pv);
  LONG used = 0;
  for (int y = 0; y < h; ++y) {
    if (static_cast<DWORD>((y + 1) * stride) > cb) break;
    const unsigned char* row = src + y * stride;
    auto* line = reinterpret_cast<QRgb*>(b->image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if (bpp == 1)
        line[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u;
      else if (bpp == 24)
        line[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
      else
        line[x] = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
    used += stride;
  }
  return used;
}

LONG GetBitmapBits(HBITMAP hbm, LONG cb, LPVOID pv) {
  auto* b = GdiAs<BitmapObj>(hbm, OBJ_BITMAP);
  if (!b) return 0;
  FlushSurface(&b->image);
  int w = b->image.width(), h = b->image.height();
  int bpp = b->mono ? 1 : (b->bpp == 24 ? 24 : 32);
  int stride = ((w * bpp + 15) / 16) * 2;
  if (!pv) return stride * h;
  auto* dst = static_cast<unsigned char*>(pv);
  LONG used = 0;
  for (int y = 0; y < h && (y + 1) * stride <= cb; ++y) {
    unsigned char* row = dst + y * stride;
    memset(row, 0, stride);
    auto* line = reinterpret_cast<const QRgb*>(b->image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      QRgb c = line[x];
      if (bpp == 1) {
        if (c & 0xFFFFFF) row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
      } else {
        unsigned char* p = row + x * (bpp / 8);
        p[0] = static_cast<unsigned char>(qBlue(c));
        p[1] = static_cast<unsigned char>(qGreen(c));
        p[2] = static_cast<unsigned char>(qRed(c));
      }
    }
    used += stride;
  }
  return used;
}

BOOL GetBitmapDimensionEx(HBITMAP, LPSIZE s) {
  if (s) *s = SIZE{0, 0};
  return TRUE;
}

BOOL GdiFlush() { return TRUE; }
