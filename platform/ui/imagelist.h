// Image lists: rows of equally sized images with optional masks, drawn
// normally, transparently, blended or as their mask, and dragged over a
// window. HIMAGELIST with the ImageList_* calls, and CImageList.
#pragma once

#include <functional>

#include "platform/ui/gdi.h"

class CDC;
class CBitmap;
class CArchive;
class CWnd;

// Creation flags: a mask, and the colour depth of the images.
#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020

// Drawing styles.
#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020
#define ILD_BLEND25 0x00000002
#define ILD_BLEND50 0x00000004
#define ILD_FOCUS ILD_BLEND25
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50

struct IMAGEINFO {
  HBITMAP hbmImage;  // the list's images side by side (owned by the list)
  HBITMAP hbmMask;   // their masks, or NULL (owned by the list)
  int Unused1;
  int Unused2;
  RECT rcImage;  // the image's place in both bitmaps
};
typedef IMAGEINFO* LPIMAGEINFO;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
BOOL ImageList_Destroy(HIMAGELIST himl);
HIMAGELIST ImageList_Duplicate(HIMAGELIST himl);
// Adds the images of a bitmap as wide as n images (mask: a monochrome
// bitmap, white where transparent); the index of the first, or -1.
int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
// The same with the mask made from one colour (CLR_DEFAULT: the colour of
// the bitmap's top-left pixel). The caller's bitmap is left unchanged.
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
// Replaces image i with an icon (i = -1 appends); the index, or -1.
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon);
inline int ImageList_AddIcon(HIMAGELIST himl, HICON hicon) { return ImageList_ReplaceIcon(himl, -1, hicon); }
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask);
// Removes image i, or every image for -1.
BOOL ImageList_Remove(HIMAGELIST himl, int i);
inline BOOL ImageList_RemoveAll(HIMAGELIST himl) { return ImageList_Remove(himl, -1); }
int ImageList_GetImageCount(HIMAGELIST himl);
// Grows (new images black and opaque) or shrinks the list.
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount);
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
// Changes the image size; removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo);
// A new icon of image i (the caller destroys it), or NULL.
HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);
inline HICON ImageList_ExtractIcon(HINSTANCE, HIMAGELIST himl, int i) {
  return ImageList_GetIcon(himl, i, 0);
}
// The colour drawn under masked pixels by ILD_NORMAL; CLR_NONE: none.
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
BOOL ImageList_Copy(HIMAGELIST himlDst, int iDst, HIMAGELIST himlSrc, int iSrc, UINT uFlags);
#define ILCF_MOVE 0x00000000
#define ILCF_SWAP 0x00000001
// A new one-image list: image i1 with image i2 laid over it at (dx, dy).
HIMAGELIST ImageList_Merge(HIMAGELIST himl1, int i1, HIMAGELIST himl2, int i2, int dx, int dy);

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
// dx, dy: the part drawn (0: the whole image); rgbBk: the colour under
// masked pixels (CLR_DEFAULT: the list's, CLR_NONE: transparent); rgbFg:
// the blend colour (CLR_DEFAULT: the highlight colour, CLR_NONE: no blend).
BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle);

// Dragging: one drag image at a time, drawn on the locked window (window
// coordinates) or, for NULL, on the screen, over the pixels it hides.
BOOL ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot);
BOOL ImageList_DragEnter(HWND hwndLock, int x, int y);
BOOL ImageList_DragMove(int x, int y);
BOOL ImageList_DragLeave(HWND hwndLock);
BOOL ImageList_DragShowNolock(BOOL fShow);
void ImageList_EndDrag();
// The drag image list (owned by the drag), its position and hotspot.
HIMAGELIST ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot);

namespace mirt_ui {
// An image list as bytes (for copies made through archives). The reader
// pulls exactly the bytes it needs and refuses damaged input.
using ImageListSink = std::function<void(const void* data, size_t size)>;
using ImageListSource = std::function<bool(void* data, size_t size)>;
BOOL WriteImageList(HIMAGELIST himl, const ImageListSink& sink);
HIMAGELIST ReadImageList(const ImageListSource& source);
}  // namespace mirt_ui

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
 public:
  HIMAGELIST m_hImageList = nullptr;

  CImageList() = default;
  ~CImageList() override;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // A temporary wrapper for a handle (kept until the list is deleted).
  static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // From a bitmap resource cut into images cx wide, masked by crMask.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy);
  BOOL Create(CImageList* pImageList);
  BOOL DeleteImageList();

  int GetImageCount() const;
  BOOL SetImageCount(UINT uNewCount);
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const;

  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon);
  BOOL Remove(int nImage);
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
  int Replace(int nImage, HICON hIcon);
  HICON ExtractIcon(int nImage);
  BOOL Copy(int iDst, int iSrc, UINT uFlags = ILCF_MOVE);
  BOOL Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags = ILCF_MOVE);

  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);

  BOOL BeginDrag(int nImage, CPoint ptHotSpot);
  static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point);
  static BOOL PASCAL DragMove(CPoint pt);
  static BOOL PASCAL DragLeave(CWnd* pWndLock);
  static BOOL PASCAL DragShowNolock(BOOL bShow);
  static void PASCAL EndDrag();
  static CImageList* PASCAL GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot);

  // Storing and loading through an archive; the loaded list is new.
  BOOL Write(CArchive* pArchive);
  BOOL Read(CArchive* pArchive);
};
