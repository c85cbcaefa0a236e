// SECBtnDrawData: the off-screen resources tool bar buttons draw with, one
// set per bar or one shared by a manager's bars: three memory DCs (mask,
// image strip, button), the dither brush and the button and mask bitmaps.
#pragma once

#include <unordered_map>

#include "platform/afx/afx.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"

// The 8 x 8 checkerboard of button face and highlight that checked tool bar
// buttons and checked menu images show; null when it cannot be made.
HBRUSH SECCreateDitherBrush();

class SECBtnDrawData {
 public:
  SECBtnDrawData();
  ~SECBtnDrawData();
  SECBtnDrawData(const SECBtnDrawData&) = delete;
  SECBtnDrawData& operator=(const SECBtnDrawData&) = delete;

  // Makes the button and mask bitmaps (cx x cy) for a paint of `dc`;
  // FALSE when they cannot be made.
  BOOL PrepareDrawing(CDC& dc, int cx, int cy);
  // Takes the bitmaps and the strip out of the DCs; the bitmaps are kept
  // for the next paint of the same size.
  void EndDrawing();
  // Selects an image strip into the image DC (only when it is not there).
  void SelectStrip(HBITMAP hStrip);
  // The 8 x 8 checkerboard of button face and highlight, made again (the
  // cached faces go with it).
  void RebuildDitherBrush();

  // Finished faces, so that a button drawn as before is one blit. The key
  // names everything a face depends on; FALSE when it is not cached.
  struct FaceKey {
    HBITMAP hStrip;
    int nImage;
    UINT nStyle;
    int cx;
    int cy;
    DWORD dwLook;  // cool look and customise mode
    bool operator==(const FaceKey&) const = default;
  };
  BOOL BlitCachedFace(const FaceKey& key, CDC& dc, int x, int y);
  // Keeps the face now in the button DC under the key.
  void CacheFace(const FaceKey& key);
  void ClearFaceCache();

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

 private:
  struct FaceKeyHash {
    size_t operator()(const FaceKey& k) const;
  };
  BOOL EnsureCache();
  void FreeBitmaps();
  CSize m_szBitmaps;
  int m_nBitmapBits = 0;
  CDC m_dcCache;
  CBitmap m_bmCache;
  HGDIOBJ m_hOldCache = nullptr;
  std::unordered_map<FaceKey, int, FaceKeyHash> m_faces;  // key -> cell
};
