// SECDockContext: the mouse interactions of one SECControlBar: dragging it
// to dock or float (the target dock bar gives the drop feedback), resizing
// its floating frame in both directions within limits, toggling between
// docked and floating with its row share saved and restored, and floating
// it as an MDI child of the main window.
#pragma once

#include "platform/afx/afx.h"

class SECDockContext : public CDockContext {
 public:
  explicit SECDockContext(CControlBar* pBar);
  ~SECDockContext() override;

  void StartDrag(CPoint pt) override;
  void StartResize(int nHitTest, CPoint pt) override;
  void ToggleDocking() override;
  virtual void ToggleMDIFloat();
  // Docks the bar again where it was last docked.
  void ReDockAtMRU();

  void Move(CPoint pt) override;
  void Stretch(CPoint pt) override;
  void EndDrag() override;
  void EndResize() override;
  DWORD CanDock() override;
  void DrawFocusRect(BOOL bRemoveRect = FALSE) override;
  // Moved more than `pixels` (|dx| + |dy|) since the drag began.
  BOOL MovedMoreThan(int pixels) const;

  CRect m_rectDropLast{0, 0, 0, 0};
  CPoint m_ptDragStart{0, 0};
  CPoint m_ptDropLast{0, 0};
  int m_nDropRowLast = -1;
  BOOL m_bMDIFloatOrigin = FALSE;
  CPoint m_ptMDIFloatPos{-1, -1};  // screen; where the bar last floated as an MDI child
  int m_cxMinFloat;
  int m_cyMinFloat;
  int m_cxMaxFloat;
  int m_cyMaxFloat;
};
