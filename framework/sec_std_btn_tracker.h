// SECToolBarRectTracker: the moving outline of a button dragged in
// customise mode.
#pragma once

#include "platform/afx/afx.h"
#include "platform/afx/recttracker.h"

class SECToolBarRectTracker : public CRectTracker {
 public:
  explicit SECToolBarRectTracker(const CRect& rect) : CRectTracker(&rect, hatchedBorder) {}
  // Moves the whole rectangle with the mouse; TRUE when it moved.
  BOOL Track(CWnd* pWnd, CPoint point);
};
