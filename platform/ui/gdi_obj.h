// Private: GDI objects behind the handles, and device contexts.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/gdi.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {

struct GdiObj {
  explicit GdiObj(int t) : type(t) {}
  virtual ~GdiObj() = default;
  int type;
  bool stock = false;
  int selected = 0;  // device contexts that have it selected
};

struct PenObj : GdiObj {
  PenObj() : GdiObj(OBJ_PEN) {}
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};

struct BrushObj : GdiObj {
  BrushObj() : GdiObj(OBJ_BRUSH) {}
  int style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  QImage pattern;  // BS_PATTERN, RGB32
  bool patternMono = false;
};

struct FontObj : GdiObj {
  FontObj() : GdiObj(OBJ_FONT) {}
  std::unique_ptr<QFontMetrics> metrics;
  LOGFONT lf{};
  QFont font;
  int ascent = 0, descent = 0, internalLeading = 0, externalLeading = 0;
  int aveWidth = 0, maxWidth = 0;
  bool fixedPitch = false;
};

struct BitmapObj : GdiObj {
  BitmapObj() : GdiObj(OBJ_BITMAP) {}
  QImage image;  // RGB32; a monochrome bitmap holds only black and white
  bool mono = false;
  int bpp = 32;
};

struct RgnObj : GdiObj {
  RgnObj() : GdiObj(OBJ_REGION) {}
  QRegion rgn;
};

struct PaletteObj : GdiObj {
  PaletteObj() : GdiObj(OBJ_PAL) {}
};

GdiObj* GdiFind(HGDIOBJ h, int type = 0);  // null if invalid or of another type
template <class T>
T* GdiAs(HGDIOBJ h, int type) {
  return static_cast<T*>(GdiFind(h, type));
}
HGDIOBJ GdiAdd(GdiObj* o);
QString MapFontFace(const LOGFONT& lf);
void RealizeFont(FontObj& f);
HBITMAP MakeBitmap(const QImage& img, bool mono, int bpp);

inline QRgb ToQRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF FromQRgb(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }
inline QRgb MonoOf(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) >= 384 ? 0xFFFFFFFFu : 0xFF000000u; }

struct DcState {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  HBITMAP bitmap = nullptr;
  COLORREF text = 0;
  COLORREF bk = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT align = 0;
  int charExtra = 0;
  int polyFill = ALTERNATE;
  int stretch = BLACKONWHITE;
  QPoint brushOrg;
  QPoint cur;
  int mapMode = MM_TEXT;
  QPoint winOrg, vpOrg;
  QSize winExt{1, 1}, vpExt{1, 1};
  bool hasClip = false;
  QRegion clip;  // device coordinates
};

struct Dc {
  enum Kind { kWindow, kMemory, kInfo };
  Kind kind = kMemory;
  WndPtr wnd;  // window DCs
  bool wholeWindow = false;
  bool overlay = false;  // the desktop DC
  int printerDpi = 0;    // a printer's page: its resolution (print.cpp)
  QPoint origin;         // device (0,0) on the surface
  QSize size;            // the device area
  bool hasSystemClip = false;
  QRegion systemClip;  // device coordinates (paint region)
  DcState st;
  std::vector<DcState> saved;
  QRect touched;  // surface area drawn since the last show
  // A painter kept open between calls; ended before raw pixel access.
  std::unique_ptr<QPainter> painter;
  bool painterStateDirty = true;
  // The clip on the surface, kept until the clip state changes.
  QRegion clipCache;
  bool clipValid = false;
  // What the painter has set, to skip repeating it for each text run.
  const FontObj* painterFont = nullptr;
  QRgb painterPen = 0;
  bool painterMono = false;
};

// The clip or the surface changed: the painter and clip cache follow.
inline void DcStateChanged(Dc& dc) {
  dc.painterStateDirty = true;
  dc.clipValid = false;
}

Dc* DcFind(HDC h);
HDC DcAdd(Dc* dc);
void DcRemove(HDC h);
QImage* Surface(Dc& dc);
bool SurfaceMono(Dc& dc);
// Ends every painter open on a surface (before pixel access).
void FlushSurface(QImage* img);
QPainter* PainterFor(Dc& dc);
void EndPainter(Dc& dc);
// Clip of the device context on its surface.
const QRegion& SurfaceClip(Dc& dc);  // kept until the clip state changes
// Logical to device coordinates, and device to surface.
QPoint LpToDp(const Dc& dc, int x, int y);
QRect LpRectToDp(const Dc& dc, int l, int t, int r, int b);  // normalised, exclusive
inline QPoint DpToSurface(const Dc& dc, QPoint p) { return p + dc.origin; }
int ScaleX(const Dc& dc, int len);
int ScaleY(const Dc& dc, int len);
void Touch(Dc& dc, const QRect& surfaceRect);
void ShowTouched(Dc& dc);
HDC MakeWindowDC(const WndPtr& w, bool whole);
QRgb DcColor(Dc& dc, COLORREF c);  // mapped for monochrome surfaces
FontObj* DcFont(Dc& dc);
// GetDeviceCaps of a printer device context (print.cpp).
int PrinterDeviceCaps(Dc& dc, int index);

}  // namespace mirt_ui
