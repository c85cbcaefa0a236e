// Private: raster operations and the pixel engine under the drawing calls.
#pragma once

#include <QImage>
#include <QRegion>
#include <cstdint>

#include "platform/ui/gdi_obj.h"

namespace mirt_ui {

// Binary raster operation (R2_*) of a pen or brush colour on a pixel.
inline QRgb Rop2Apply(int rop2, QRgb p, QRgb d) {
  unsigned code = static_cast<unsigned>(rop2 - 1) & 15;
  uint32_t r = 0;
  if (code & 1) r |= ~p & ~d;
  if (code & 2) r |= ~p & d;
  if (code & 4) r |= p & ~d;
  if (code & 8) r |= p & d;
  return 0xFF000000u | (r & 0xFFFFFFu);
}

// Ternary raster operation: `code` is the truth table (bits 16..23 of the
// operation), indexed by pattern*4 + source*2 + destination.
inline QRgb Rop3Apply(unsigned code, QRgb p, QRgb s, QRgb d) {
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!(code & (1u << i))) continue;
    uint32_t t = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    r |= t;
  }
  return 0xFF000000u | (r & 0xFFFFFFu);
}

inline bool RopUsesSource(unsigned code) { return ((code >> 2) & 0x33) != (code & 0x33); }
inline bool RopUsesPattern(unsigned code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }

// A brush realised for one device context.
struct BrushPattern {
  bool null = true;
  bool solid = false;
  QRgb color = 0xFF000000u;
  QImage tile;        // RGB32
  QImage opaqueMask;  // hatch in TRANSPARENT mode: Grayscale8, 0 = leave the pixel
  QPoint org;         // surface coordinates of the pattern's origin
  // False where the brush leaves the pixel alone.
  bool Sample(int x, int y, QRgb* out) const;
};

BrushPattern MakeBrushPattern(Dc& dc, HBRUSH b);
BrushPattern SolidPattern(QRgb c);
// Fills an area (surface coordinates) through the DC's clip with a ROP2.
void FillArea(Dc& dc, const QRegion& area, const BrushPattern& p, int rop2);
// The same for one rectangle, with a fast path for solid copies.
void FillRect(Dc& dc, const QRect& area, const BrushPattern& p, int rop2);
// Draws pixels where `mask` (Grayscale8, 0 = off) is on, with a ROP2.
void ApplyMask(Dc& dc, const QImage& mask, QPoint at, const BrushPattern& p, int rop2);
// A one-pixel line from a to b (surface coordinates), last pixel excluded.
void PlotLine(Dc& dc, QPoint a, QPoint b, const PenObj& pen, int rop2);

}  // namespace mirt_ui
