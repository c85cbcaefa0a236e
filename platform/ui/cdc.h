// CDC and its kinds: CPaintDC, CClientDC, CWindowDC; the drawing members
// over a device context.
#pragma once

#include "platform/ui/gdiobj.h"

class CWnd;
class CBrush;

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
 public:
  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;

  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  static CDC* PASCAL FromHandle(HDC hDC);
  static void PASCAL DeleteTempMap();
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  BOOL Attach(HDC hDC);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* pDC);
  BOOL CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData);
  BOOL DeleteDC();
  CWnd* GetWindow() const;
  int SaveDC();
  BOOL RestoreDC(int nSavedDC);
  int GetDeviceCaps(int nIndex) const;
  // Printing (defined with the printer device context, print.cpp).
  int StartDoc(LPCSTR lpszDocName);
  int StartDoc(const struct _DOCINFOA* lpDocInfo);
  int StartPage();
  int EndPage();
  int EndDoc();
  int AbortDoc();
  BOOL IsPrinting() const { return FALSE; }

  // Selection.
  CPen* SelectObject(CPen* pPen);
  CBrush* SelectObject(CBrush* pBrush);
  CFont* SelectObject(CFont* pFont);
  CBitmap* SelectObject(CBitmap* pBitmap);
  int SelectObject(CRgn* pRgn);
  CGdiObject* SelectObject(CGdiObject* pObject);
  HGDIOBJ SelectObject(HGDIOBJ hObject);
  CGdiObject* SelectStockObject(int nIndex);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  // Attributes.
  COLORREF GetTextColor() const;
  COLORREF SetTextColor(COLORREF crColor);
  COLORREF GetBkColor() const;
  COLORREF SetBkColor(COLORREF crColor);
  int GetBkMode() const;
  int SetBkMode(int nBkMode);
  int GetROP2() const;
  int SetROP2(int nDrawMode);
  UINT GetTextAlign() const;
  UINT SetTextAlign(UINT nFlags);
  int SetTextCharacterExtra(int nCharExtra);
  int GetPolyFillMode() const;
  int SetPolyFillMode(int nPolyFillMode);
  int SetStretchBltMode(int nStretchMode);
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT point);
  CPoint GetBrushOrg() const;

  // Coordinates.
  int GetMapMode() const;
  int SetMapMode(int nMapMode);
  CPoint GetViewportOrg() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point);
  CPoint OffsetViewportOrg(int nWidth, int nHeight);
  CSize GetViewportExt() const;
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size);
  CPoint GetWindowOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point);
  CPoint OffsetWindowOrg(int nWidth, int nHeight);
  CSize GetWindowExt() const;
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size);
  void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
  void DPtoLP(LPRECT lpRect) const;
  void DPtoLP(LPSIZE lpSize) const;
  void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
  void LPtoDP(LPRECT lpRect) const;
  void LPtoDP(LPSIZE lpSize) const;

  // Clipping.
  int GetClipBox(LPRECT lpRect) const;
  int SelectClipRgn(CRgn* pRgn);
  int SelectClipRgn(CRgn* pRgn, int nMode);
  int ExcludeClipRect(int x1, int y1, int x2, int y2);
  int ExcludeClipRect(LPCRECT lpRect);
  int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT lpRect);
  int OffsetClipRgn(int x, int y);
  BOOL PtVisible(int x, int y) const;
  BOOL PtVisible(POINT point) const;
  BOOL RectVisible(LPCRECT lpRect) const;

  // Lines and shapes.
  CPoint GetCurrentPosition() const;
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point);
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point);
  BOOL Polyline(const POINT* lpPoints, int nCount);
  BOOL PolylineTo(const POINT* lpPoints, int nCount);
  BOOL Polygon(const POINT* lpPoints, int nCount);
  BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount);
  BOOL Rectangle(int x1, int y1, int x2, int y2);
  BOOL Rectangle(LPCRECT lpRect);
  BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL RoundRect(LPCRECT lpRect, POINT point);
  BOOL Ellipse(int x1, int y1, int x2, int y2);
  BOOL Ellipse(LPCRECT lpRect);
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void FillRect(LPCRECT lpRect, CBrush* pBrush);
  void FrameRect(LPCRECT lpRect, CBrush* pBrush);
  void InvertRect(LPCRECT lpRect);
  void DrawFocusRect(LPCRECT lpRect);
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
  // Drag outlines (built with the application framework): the frame of
  // lpRect, size thick, drawn inverted with the brush over the last one.
  void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = nullptr,
                    CBrush* pBrushLast = nullptr);
  static CBrush* PASCAL GetHalftoneBrush();
  void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
  BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
  BOOL DrawIcon(int x, int y, HICON hIcon);
  BOOL DrawIcon(POINT point, HICON hIcon);
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
  BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
  BOOL InvertRgn(CRgn* pRgn);
  BOOL PaintRgn(CRgn* pRgn);
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const;
  COLORREF SetPixel(int x, int y, COLORREF crColor);
  COLORREF SetPixel(POINT point, COLORREF crColor);
  BOOL SetPixelV(int x, int y, COLORREF crColor);

  // Bit blocks.
  BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight, DWORD dwRop);
  BOOL MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& maskBitmap,
               int xMask, int yMask, DWORD dwRop);

  // Text.
  BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
  BOOL TextOut(int x, int y, const CString& str);
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                  LPINT lpDxWidths);
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths);
  CSize TabbedTextOut(int x, int y, LPCSTR lpszString, int nCount, int nTabPositions,
                      LPINT lpnTabStopPositions, int nTabOrigin);
  int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
  CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const;
  CSize GetOutputTextExtent(LPCSTR lpszString, int nCount) const;
  CSize GetOutputTextExtent(const CString& str) const;
  CSize GetTabbedTextExtent(LPCSTR lpszString, int nCount, int nTabPositions,
                            LPINT lpnTabStopPositions) const;
  BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
  int GetTextFace(int nCount, LPSTR lpszFacename) const;
  int GetTextFace(CString& rString) const;
  BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const;
  BOOL GrayString(CBrush* pBrush, void* lpfnOutput, LPARAM lpData, int nCount, int x, int y, int nWidth,
                  int nHeight);

  BOOL ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate,
                LPRECT lpRectUpdate);
};

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};
