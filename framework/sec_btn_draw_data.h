// SECBtnDrawData: the off-screen resources tool bar buttons draw with, one
// set per bar or one shared by a manager's bars: three memory DCs (mask,
// image strip, button), the dither brush and the button and mask bitmaps.
#pragma once

#include "platform/afx/afx.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"

class SECBtnDrawData {
 public:
  SECBtnDrawData();
  ~SECBtnDrawData();
  SECBtnDrawData(const SECBtnDrawData&) = delete;
  SECBtnDrawData& operator=(const SECBtnDrawData&) = delete;

  // Makes the button and mask bitmaps (cx x cy) for a paint of `dc`;
  // FALSE when they cannot be made.
  BOOL PrepareDrawing(CDC& dc, int cx, int cy);
  // Frees them again and takes the strip out of the image DC.
  void EndDrawing();
  // Selects an image strip into the image DC (only when it is not there).
  void SelectStrip(HBITMAP hStrip);
  // The 8 x 8 checkerboard of button face and highlight, made again.
  void RebuildDitherBrush();

  CDC m_dcMask;
  CDC m_dcImage;
  CDC m_dcButton;
  CBrush m_brDither;
  CBitmap m_bmButton;
  CBitmap m_bmMask;
  HGDIOBJ m_hOldImage = nullptr;  // the image DC's first bitmap
  HBITMAP m_hStrip = nullptr;     // the strip in the image DC
  HGDIOBJ m_hOldButton = nullptr;
  HGDIOBJ m_hOldMask = nullptr;
};
