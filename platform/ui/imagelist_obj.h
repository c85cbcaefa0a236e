// Private: the object behind an image list handle.
#pragma once

#include <QImage>

#include "platform/ui/gdi_obj.h"
#include "platform/ui/imagelist.h"

namespace mirt_ui {

// Images sit side by side in one colour bitmap and, with ILC_MASK, one
// monochrome mask bitmap (white: transparent). Masked pixels of the colour
// bitmap are kept black, so drawing is mask AND then image OR.
struct ImageListObj {
  int cx = 0, cy = 0;
  UINT flags = 0;
  int count = 0;
  int capacity = 0;
  int grow = 4;
  COLORREF bk = CLR_NONE;
  HBITMAP image = nullptr;
  HBITMAP mask = nullptr;  // null without ILC_MASK

  ~ImageListObj();
  bool HasMask() const { return mask != nullptr; }
  QImage& Pixels() const;      // the colour bitmap's image
  QImage* MaskPixels() const;  // the mask's image, or null
  QRect Cell(int i) const { return QRect(i * cx, 0, cx, cy); }
  // Room for n images (the bitmaps keep what they hold).
  bool Reserve(int n);
  // Sets image i from a colour image of cx x cy and a mask (true:
  // transparent; empty: opaque).
  void Store(int i, const QImage& rgb, const std::vector<bool>& transparent);
};

ImageListObj* ImageListFind(HIMAGELIST h);
HIMAGELIST ImageListAdd(ImageListObj* o);
// A bit depth for the ILC_COLOR* flags.
int ImageListDepth(UINT flags);

}  // namespace mirt_ui
