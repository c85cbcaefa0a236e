// Drawing image lists: through memory device contexts and the exact
// raster operations, so masks behave as on any other bitmap.
#include "platform/ui/imagelist_obj.h"
#include "platform/ui/sysmetrics.h"

using namespace mirt_ui;

namespace {

// Blends the opaque pixels of a cell towards a colour by `percent`.
void Blend(QImage& rgb, const QImage* mask, QRect cell, COLORREF to, int percent) {
  int tr = GetRValue(to), tg = GetGValue(to), tb = GetBValue(to);
  for (int y = 0; y < rgb.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(rgb.scanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      if (mask && (mask->pixel(cell.left() + x, cell.top() + y) & 0xFFFFFF)) continue;
      QRgb c = line[x];
      auto mix = [percent](int a, int b) { return (a * (100 - percent) + b * percent) / 100; };
      line[x] = qRgb(mix(qRed(c), tr), mix(qGreen(c), tg), mix(qBlue(c), tb));
    }
  }
}

// Paints masked pixels of a cell with a colour.
void FillMasked(QImage& rgb, const QImage& mask, QRect cell, COLORREF c) {
  QRgb fill = ToQRgb(c);
  for (int y = 0; y < rgb.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(rgb.scanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      if (mask.pixel(cell.left() + x, cell.top() + y) & 0xFFFFFF) line[x] = fill;
  }
}

// Blits a bitmap's area onto a DC with a raster operation; monochrome
// sources come out black (0) and white (1).
void Blit(HDC dst, int x, int y, int w, int h, HBITMAP src, int sx, int sy, DWORD rop) {
  HDC mem = CreateCompatibleDC(dst);
  HGDIOBJ old = SelectObject(mem, src);
  COLORREF text = SetTextColor(dst, RGB(0, 0, 0));
  COLORREF bk = SetBkColor(dst, RGB(255, 255, 255));
  BitBlt(dst, x, y, w, h, mem, sx, sy, rop);
  SetTextColor(dst, text);
  SetBkColor(dst, bk);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace

BOOL ImageList_Draw(HIMAGELIST h, int i, HDC hdc, int x, int y, UINT style) {
  return ImageList_DrawEx(h, i, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST h, int i, HDC hdc, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT style) {
  ImageListObj* o = ImageListFind(h);
  if (!o || i < 0 || i >= o->count || !DcFind(hdc)) return FALSE;
  QRect cell = o->Cell(i);
  int w = dx > 0 ? std::min(dx, o->cx) : o->cx;
  int ht = dy > 0 ? std::min(dy, o->cy) : o->cy;
  cell.setSize(QSize(w, ht));
  const QImage* mask = (style & ILD_IMAGE) ? nullptr : o->MaskPixels();

  if (style & ILD_MASK) {
    if (o->mask) {
      Blit(hdc, x, y, w, ht, o->mask, cell.left(), 0, SRCCOPY);
    } else {
      RECT r{x, y, x + w, y + ht};
      FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    return TRUE;
  }

  QImage rgb = o->Pixels().copy(cell);
  int blend = (style & ILD_BLEND50) ? 50 : (style & ILD_BLEND25) ? 25 : 0;
  if (blend && rgbFg != CLR_NONE)
    Blend(rgb, mask, cell, rgbFg == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : rgbFg, blend);
  COLORREF bk = rgbBk == CLR_DEFAULT ? o->bk : rgbBk;
  bool transparent = mask && ((style & ILD_TRANSPARENT) || bk == CLR_NONE);
  if (mask && !transparent) FillMasked(rgb, *mask, cell, bk);

  HBITMAP scratch = MakeBitmap(rgb, false, 32);
  if (transparent) {
    Blit(hdc, x, y, w, ht, o->mask, cell.left(), 0, SRCAND);
    Blit(hdc, x, y, w, ht, scratch, 0, 0, SRCPAINT);
  } else {
    Blit(hdc, x, y, w, ht, scratch, 0, 0, SRCCOPY);
  }
  DeleteObject(scratch);
  return TRUE;
}
