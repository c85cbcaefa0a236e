// SECOffscreenDC: a device context that draws into a bitmap and copies the
// finished picture to its target when it is destroyed.
#pragma once

#include "platform/afx/afx.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"

class SECOffscreenDC : public CDC {
 public:
  // Throws a resource exception when the target is missing or the memory
  // context or bitmap cannot be made.
  SECOffscreenDC(CDC* pTarget, const RECT& area);
  ~SECOffscreenDC() override;

 private:
  void ApplyMapping();
  CDC* m_pTarget;
  CBitmap m_bitmap;
  CBitmap* m_pOldBitmap = nullptr;
  CRect m_area;
  CPoint m_viewportOrg;
  CPoint m_windowOrg;
  CSize m_viewportExt;
  CSize m_windowExt;
};
