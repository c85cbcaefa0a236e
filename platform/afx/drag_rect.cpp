// Drag outlines: a rectangle's frame inverted with a brush, erasing the
// previous frame in the same pass.
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
HRGN FrameRegion(LPCRECT r, SIZE size) {
  HRGN outer = ::CreateRectRgnIndirect(r);
  RECT in = *r;
  ::InflateRect(&in, -size.cx, -size.cy);
  if (in.right < in.left) in.right = in.left;
  if (in.bottom < in.top) in.bottom = in.top;
  HRGN inner = ::CreateRectRgnIndirect(&in);
  ::CombineRgn(outer, outer, inner, RGN_DIFF);
  ::DeleteObject(inner);
  return outer;
}

void InvertRegion(HDC dc, HRGN rgn, HBRUSH brush) {
  RECT box;
  ::GetRgnBox(rgn, &box);
  ::SelectClipRgn(dc, rgn);
  HGDIOBJ old = ::SelectObject(dc, brush);
  ::PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
  ::SelectObject(dc, old);
  ::SelectClipRgn(dc, nullptr);
}
}  // namespace

CBrush* PASCAL CDC::GetHalftoneBrush() {
  static CBrush* brush = [] {
    WORD bits[8];
    for (int i = 0; i < 8; ++i) bits[i] = static_cast<WORD>(0x5555 << (i & 1));
    HBITMAP bm = ::CreateBitmap(8, 8, 1, 1, bits);
    auto* b = new CBrush;
    b->Attach(::CreatePatternBrush(bm));
    ::DeleteObject(bm);
    return b;
  }();
  return brush;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  HDC dc = GetSafeHdc();
  if (!dc || !lpRect) return;
  HBRUSH brush = pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle())
                        : static_cast<HBRUSH>(GetHalftoneBrush()->GetSafeHandle());
  HBRUSH brushLast = pBrushLast ? static_cast<HBRUSH>(pBrushLast->GetSafeHandle()) : brush;
  bool hadLast = lpRectLast && !::IsRectEmpty(lpRectLast) && (sizeLast.cx || sizeLast.cy);
  HRGN now = FrameRegion(lpRect, size);
  if (hadLast && brush == brushLast) {
    // One pass: what the two frames do not share flips.
    HRGN last = FrameRegion(lpRectLast, sizeLast);
    ::CombineRgn(now, now, last, RGN_XOR);
    ::DeleteObject(last);
    InvertRegion(dc, now, brush);
  } else {
    if (hadLast) {
      HRGN last = FrameRegion(lpRectLast, sizeLast);
      InvertRegion(dc, last, brushLast);
      ::DeleteObject(last);
    }
    if (size.cx || size.cy) InvertRegion(dc, now, brush);
  }
  ::DeleteObject(now);
}
