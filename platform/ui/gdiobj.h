// CGdiObject and its kinds: CPen, CBrush, CFont, CBitmap, CRgn, CPalette.
#pragma once

#include "platform/ui/gdi.h"
#include "platform/ui/resources.h"

class CDC;

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
 public:
  HGDIOBJ m_hObject = nullptr;
  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  // A temporary wrapper for a handle (kept until the handle is deleted).
  static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int nCount, LPVOID lpObject) const;
  UINT GetObjectType() const;
  BOOL CreateStockObject(int nIndex);
  BOOL UnrealizeObject();
};

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
 public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  static CPen* PASCAL FromHandle(HPEN hPen);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
  int GetLogPen(LOGPEN* pLogPen);
};

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
 public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor);
  CBrush(int nIndex, COLORREF crColor);
  explicit CBrush(class CBitmap* pBitmap);
  static CBrush* PASCAL FromHandle(HBRUSH hBrush);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  BOOL CreateSolidBrush(COLORREF crColor);
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
  BOOL CreatePatternBrush(class CBitmap* pBitmap);
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
  BOOL CreateSysColorBrush(int nIndex);
  int GetLogBrush(LOGBRUSH* pLogBrush);
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  static CFont* PASCAL FromHandle(HFONT hFont);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
  // Height in tenths of a point on the screen (or on pDC's device).
  BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
  int GetLogFont(LOGFONT* pLogFont);
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
 public:
  static CBitmap* PASCAL FromHandle(HBITMAP hBitmap);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  BOOL LoadBitmap(LPCSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource);
  BOOL LoadOEMBitmap(UINT nIDBitmap);
  BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, void* lpColorMap = nullptr, int nMapSize = 0);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);
  int GetBitmap(BITMAP* pBitMap);
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
  CSize GetBitmapDimension() const;
};

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
 public:
  static CRgn* PASCAL FromHandle(HRGN hRgn);
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT lpRect);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
  BOOL CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode);
  BOOL CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount, int nPolyFillMode);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
  void SetRectRgn(int x1, int y1, int x2, int y2);
  void SetRectRgn(LPCRECT lpRect);
  int CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode);
  int CopyRgn(CRgn* pRgnSrc);
  BOOL EqualRgn(CRgn* pRgn) const;
  int OffsetRgn(int x, int y);
  int OffsetRgn(POINT point);
  int GetRgnBox(LPRECT lpRect) const;
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT point) const;
  BOOL RectInRegion(LPCRECT lpRect) const;
};

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)
 public:
  static CPalette* PASCAL FromHandle(HPALETTE hPalette);
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
};
