#include "platform/base/rect_api.h"

#include <algorithm>

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (!lprc) return FALSE;
  lprc->left = xLeft;
  lprc->top = yTop;
  lprc->right = xRight;
  lprc->bottom = yBottom;
  return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
  if (!lprcDst || !lprcSrc) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) { return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top; }

BOOL PtInRect(const RECT* lprc, POINT pt) {
  return lprc && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

// Coordinates wrap in 32 bits, as on Windows, instead of overflowing.
static LONG Moved(LONG v, int d) { return static_cast<LONG>(static_cast<DWORD>(v) + static_cast<DWORD>(d)); }

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = Moved(lprc->left, dx);
  lprc->right = Moved(lprc->right, dx);
  lprc->top = Moved(lprc->top, dy);
  lprc->bottom = Moved(lprc->bottom, dy);
  return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->left = Moved(lprc->left, -dx);
  lprc->right = Moved(lprc->right, dx);
  lprc->top = Moved(lprc->top, -dy);
  lprc->bottom = Moved(lprc->bottom, dy);
  return TRUE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
  if (!a || !b) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
  if (!lprcDst) return FALSE;
  if (IsRectEmpty(a) || IsRectEmpty(b) || a->left >= b->right || b->left >= a->right || a->top >= b->bottom ||
      b->top >= a->bottom) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  RECT r = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
            std::min(a->bottom, b->bottom)};
  *lprcDst = r;
  return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
  if (!lprcDst) return FALSE;
  bool emptyA = IsRectEmpty(a);
  bool emptyB = IsRectEmpty(b);
  if (emptyA && emptyB) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  if (emptyA) {
    *lprcDst = *b;
  } else if (emptyB) {
    *lprcDst = *a;
  } else {
    RECT r = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
              std::max(a->bottom, b->bottom)};
    *lprcDst = r;
  }
  return TRUE;
}

BOOL SubtractRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
  if (!lprcDst || !a) return FALSE;
  if (IsRectEmpty(a)) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  RECT src = *a;  // lprcDst may be a or b
  RECT cut;
  if (!IntersectRect(&cut, &src, b)) {
    *lprcDst = src;
    return TRUE;
  }
  if (EqualRect(&cut, &src)) {
    SetRectEmpty(lprcDst);
    return FALSE;
  }
  RECT r = src;
  if (cut.top == src.top && cut.bottom == src.bottom) {
    if (cut.left == src.left)
      r.left = cut.right;
    else if (cut.right == src.right)
      r.right = cut.left;
  } else if (cut.left == src.left && cut.right == src.right) {
    if (cut.top == src.top)
      r.top = cut.bottom;
    else if (cut.bottom == src.bottom)
      r.bottom = cut.top;
  }
  *lprcDst = r;
  return TRUE;
}
