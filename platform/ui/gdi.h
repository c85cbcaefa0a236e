// GDI: device contexts, pens, brushes, fonts, bitmaps, regions, drawing,
// text output and bit-block transfers with raster operations.
#pragma once

#include "platform/ui/wintypes.h"

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17

// Pen styles.
#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6
#define PS_STYLE_MASK 0x0000000F
#define PS_COSMETIC 0x00000000
#define PS_GEOMETRIC 0x00010000

// Brush styles and hatches.
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2
#define BS_PATTERN 3
#define HS_HORIZONTAL 0
#define HS_VERTICAL 1
#define HS_FDIAGONAL 2
#define HS_BDIAGONAL 3
#define HS_CROSS 4
#define HS_DIAGCROSS 5

// Fonts.
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_HEAVY 900
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define OEM_CHARSET 255
#define OUT_DEFAULT_PRECIS 0
#define OUT_TT_PRECIS 4
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04

// Regions.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5
#define ALTERNATE 1
#define WINDING 2

// Map modes, stretch modes, device caps.
#define MM_TEXT 1
#define MM_LOMETRIC 2
#define MM_HIMETRIC 3
#define MM_LOENGLISH 4
#define MM_HIENGLISH 5
#define MM_TWIPS 6
#define MM_ISOTROPIC 7
#define MM_ANISOTROPIC 8
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_DELETESCANS COLORONCOLOR
#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMFONTS 22
#define NUMCOLORS 24
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define PHYSICALWIDTH 110
#define PHYSICALHEIGHT 111
#define PHYSICALOFFSETX 112
#define PHYSICALOFFSETY 113
#define DT_RASDISPLAY 1
#define RC_BITBLT 1
#define RC_STRETCHBLT 0x0800
#define RC_PALETTE 0x0100

#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_MEMDC 10

#define CLR_INVALID 0xFFFFFFFF
#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L
#define GDI_ERROR 0xFFFFFFFFL
#define HGDI_ERROR ((HANDLE)(LONG_PTR)-1)

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define CBM_INIT 0x04L

// Device contexts.
HDC CreateCompatibleDC(HDC hdc);
HDC CreateDC(LPCSTR pwszDriver, LPCSTR pwszDevice, LPCSTR pszPort, const void* pdm);
BOOL DeleteDC(HDC hdc);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);
int GetDeviceCaps(HDC hdc, int index);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
HGDIOBJ GetStockObject(int i);
BOOL DeleteObject(HGDIOBJ ho);
int GetObject(HGDIOBJ h, int c, LPVOID pv);
DWORD GetObjectType(HGDIOBJ h);
BOOL UnrealizeObject(HGDIOBJ h);

// Attributes.
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetTextCharacterExtra(HDC hdc, int extra);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt);
COLORREF GetNearestColor(HDC hdc, COLORREF color);

// Coordinates.
int SetMapMode(HDC hdc, int iMode);
int GetMapMode(HDC hdc);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt);
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt);
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize);
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize);
BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);

// Pens, brushes, fonts, palettes.
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* plpen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP hbm);
HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
HFONT CreateFontIndirect(const LOGFONT* lplf);
HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision,
                 DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName);

// Bitmaps.
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage);
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                         DWORD offset);
LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits);
int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage);
int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse);
BOOL GetBitmapDimensionEx(HBITMAP hbit, LPSIZE lpsize);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);

// Regions and clipping.
HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
HRGN CreateRectRgnIndirect(const RECT* lprect);
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
HRGN CreateEllipticRgnIndirect(const RECT* lprect);
HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode);
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
int OffsetRgn(HRGN hrgn, int x, int y);
int GetRgnBox(HRGN hrgn, LPRECT lprc);
BOOL PtInRegion(HRGN hrgn, int x, int y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
int SelectClipRgn(HDC hdc, HRGN hrgn);
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int x, int y);
int GetClipBox(HDC hdc, LPRECT lprect);
int GetClipRgn(HDC hdc, HRGN hrgn);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* lprect);
BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);
BOOL InvertRgn(HDC hdc, HRGN hrgn);
BOOL PaintRgn(HDC hdc, HRGN hrgn);

// Lines and shapes.
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
BOOL PolylineTo(HDC hdc, const POINT* apt, int cpt);
BOOL PolyPolyline(HDC hdc, const POINT* apt, const DWORD* asz, DWORD csz);
BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
BOOL Pie(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
BOOL Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
BOOL InvertRect(HDC hDC, const RECT* lprc);
BOOL DrawFocusRect(HDC hDC, const RECT* lprc);
BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags);
BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState);
BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003

// Bit-block transfers.
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, DWORD rop);
BOOL MaskBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
             HBITMAP hbmMask, int xMask, int yMask, DWORD rop);
int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage,
                  DWORD rop);
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse);
#define MAKEROP4(fore, back) (DWORD)((((back) << 8) & 0xFF000000) | (fore))

// Text.
BOOL TextOut(HDC hdc, int x, int y, LPCSTR lpString, int c);
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                const INT* lpDx);
int DrawText(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
LONG TabbedTextOut(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions,
                   const INT* lpnTabStopPositions, int nTabOrigin);
DWORD GetTabbedTextExtent(HDC hdc, LPCSTR lpString, int chCount, int nTabPositions,
                          const INT* lpnTabStopPositions);
BOOL GetTextExtentPoint32(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
inline BOOL GetTextExtentPoint(HDC hdc, LPCSTR s, int c, LPSIZE sz) {
  return GetTextExtentPoint32(hdc, s, c, sz);
}
BOOL GetTextExtentExPoint(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit,
                          LPINT lpnDx, LPSIZE lpSize);
BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm);
int GetTextFace(HDC hdc, int c, LPSTR lpName);
BOOL GetCharWidth(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer);
inline BOOL GetCharWidth32(HDC hdc, UINT f, UINT l, LPINT b) { return GetCharWidth(hdc, f, l, b); }
BOOL GrayString(HDC hDC, HBRUSH hBrush, void* lpOutputFunc, LPARAM lpData, int nCount, int X, int Y,
                int nWidth, int nHeight);

// Icons and cursors made from bitmaps.
HICON CreateIconIndirect(PICONINFO piconinfo);
BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
BOOL DestroyIcon(HICON hIcon);
BOOL DestroyCursor(HCURSOR hCursor);
HICON CopyIcon(HICON hIcon);

BOOL GdiFlush();

namespace mirt_ui {
// A brush that DeleteObject leaves alone (system colour brushes).
HBRUSH MakeStockBrush(COLORREF c);
}  // namespace mirt_ui
