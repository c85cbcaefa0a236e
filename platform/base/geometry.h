// CSize, CPoint and CRect: the MFC value classes over SIZE, POINT and RECT.
// They belong together (each one's operators yield the others), so they
// share this header.
#pragma once

#include "platform/base/rect_api.h"
#include "platform/base/windef.h"

class CPoint;
class CRect;

class CSize : public SIZE {
 public:
  CSize() { cx = cy = 0; }
  CSize(int initCX, int initCY) {
    cx = initCX;
    cy = initCY;
  }
  CSize(SIZE s) {
    cx = s.cx;
    cy = s.cy;
  }
  CSize(POINT pt) {
    cx = pt.x;
    cy = pt.y;
  }
  CSize(DWORD dwSize) {
    cx = (short)LOWORD(dwSize);
    cy = (short)HIWORD(dwSize);
  }

  bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
  bool operator==(const CSize& s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(SIZE s) const { return !(*this == s); }
  void operator+=(SIZE s) {
    cx += s.cx;
    cy += s.cy;
  }
  void operator-=(SIZE s) {
    cx -= s.cx;
    cy -= s.cy;
  }
  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
  CPoint operator+(POINT pt) const;
  CPoint operator-(POINT pt) const;
  CRect operator+(const RECT* lprc) const;
  CRect operator-(const RECT* lprc) const;
};

class CPoint : public POINT {
 public:
  CPoint() { x = y = 0; }
  CPoint(int initX, int initY) {
    x = initX;
    y = initY;
  }
  CPoint(POINT pt) {
    x = pt.x;
    y = pt.y;
  }
  CPoint(SIZE s) {
    x = s.cx;
    y = s.cy;
  }
  CPoint(DWORD dwPoint) {
    x = (short)LOWORD(dwPoint);
    y = (short)HIWORD(dwPoint);
  }

  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  void Offset(POINT pt) { Offset(pt.x, pt.y); }
  void Offset(SIZE s) { Offset(s.cx, s.cy); }

  bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
  bool operator==(const CPoint& pt) const { return x == pt.x && y == pt.y; }
  bool operator!=(POINT pt) const { return !(*this == pt); }
  void operator+=(SIZE s) { Offset(s); }
  void operator-=(SIZE s) { Offset(-s.cx, -s.cy); }
  void operator+=(POINT pt) { Offset(pt); }
  void operator-=(POINT pt) { Offset(-pt.x, -pt.y); }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator-() const { return CPoint(-x, -y); }
  CPoint operator+(POINT pt) const { return CPoint(x + pt.x, y + pt.y); }
  CSize operator-(POINT pt) const { return CSize(x - pt.x, y - pt.y); }
  CRect operator+(const RECT* lprc) const;
  CRect operator-(const RECT* lprc) const;
};

class CRect : public RECT {
 public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  CRect(const RECT& src) { ::CopyRect(this, &src); }
  CRect(const RECT* lpSrc) {
    if (lpSrc)
      ::CopyRect(this, lpSrc);
    else
      SetRectEmpty();
  }
  CRect(POINT pt, SIZE s) {
    left = pt.x;
    top = pt.y;
    right = pt.x + s.cx;
    bottom = pt.y + s.cy;
  }
  CRect(POINT topLeft, POINT bottomRight) {
    left = topLeft.x;
    top = topLeft.y;
    right = bottomRight.x;
    bottom = bottomRight.y;
  }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  // The corners as points that alias the rectangle's own fields.
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }

  void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void CopyRect(const RECT* lpSrc) { ::CopyRect(this, lpSrc); }
  BOOL EqualRect(const RECT* lpRect) const { return ::EqualRect(this, lpRect); }

  void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
  void InflateRect(SIZE s) { ::InflateRect(this, s.cx, s.cy); }
  void InflateRect(const RECT* lpRect) {
    left -= lpRect->left;
    top -= lpRect->top;
    right += lpRect->right;
    bottom += lpRect->bottom;
  }
  void InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
  }
  void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
  void DeflateRect(SIZE s) { ::InflateRect(this, -s.cx, -s.cy); }
  void DeflateRect(const RECT* lpRect) {
    left += lpRect->left;
    top += lpRect->top;
    right -= lpRect->right;
    bottom -= lpRect->bottom;
  }
  void DeflateRect(int l, int t, int r, int b) {
    left += l;
    top += t;
    right -= r;
    bottom -= b;
  }
  void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
  void OffsetRect(POINT pt) { ::OffsetRect(this, pt.x, pt.y); }
  void OffsetRect(SIZE s) { ::OffsetRect(this, s.cx, s.cy); }
  void NormalizeRect() {
    if (left > right) {
      LONG t = left;
      left = right;
      right = t;
    }
    if (top > bottom) {
      LONG t = top;
      top = bottom;
      bottom = t;
    }
  }

  BOOL IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b); }
  BOOL SubtractRect(const RECT* a, const RECT* b) { return ::SubtractRect(this, a, b); }

  CRect& operator=(const RECT& src) {
    ::CopyRect(this, &src);
    return *this;
  }
  bool operator==(const RECT& r) const { return ::EqualRect(this, &r); }
  bool operator==(const CRect& r) const { return ::EqualRect(this, &r); }
  bool operator!=(const RECT& r) const { return !::EqualRect(this, &r); }
  void operator+=(POINT pt) { OffsetRect(pt); }
  void operator+=(SIZE s) { OffsetRect(s); }
  void operator+=(const RECT* lpRect) { InflateRect(lpRect); }
  void operator-=(POINT pt) { OffsetRect(-pt.x, -pt.y); }
  void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
  void operator-=(const RECT* lpRect) { DeflateRect(lpRect); }
  void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
  void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }

  CRect operator+(POINT pt) const {
    CRect r(*this);
    r.OffsetRect(pt);
    return r;
  }
  CRect operator-(POINT pt) const {
    CRect r(*this);
    r.OffsetRect(-pt.x, -pt.y);
    return r;
  }
  CRect operator+(SIZE s) const {
    CRect r(*this);
    r.OffsetRect(s);
    return r;
  }
  CRect operator-(SIZE s) const {
    CRect r(*this);
    r.OffsetRect(-s.cx, -s.cy);
    return r;
  }
  CRect operator+(const RECT* lpRect) const {
    CRect r(*this);
    r.InflateRect(lpRect);
    return r;
  }
  CRect operator-(const RECT* lpRect) const {
    CRect r(*this);
    r.DeflateRect(lpRect);
    return r;
  }
  CRect operator&(const RECT& r2) const {
    CRect r;
    ::IntersectRect(&r, this, &r2);
    return r;
  }
  CRect operator|(const RECT& r2) const {
    CRect r;
    ::UnionRect(&r, this, &r2);
    return r;
  }
};

inline CPoint CSize::operator+(POINT pt) const { return CPoint(cx + pt.x, cy + pt.y); }
inline CPoint CSize::operator-(POINT pt) const { return CPoint(cx - pt.x, cy - pt.y); }
inline CRect CSize::operator+(const RECT* lprc) const { return CRect(lprc) + *this; }
inline CRect CSize::operator-(const RECT* lprc) const { return CRect(lprc) - *this; }
inline CRect CPoint::operator+(const RECT* lprc) const { return CRect(lprc) + *this; }
inline CRect CPoint::operator-(const RECT* lprc) const { return CRect(lprc) - *this; }
