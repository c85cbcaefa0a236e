// CDockContext: the mouse interactions of one bar: dragging it to dock or
// float, resizing its floating frame, toggling between docked and floating.
#pragma once

#include "platform/afx/afxdefs.h"

class CControlBar;
class CDockBar;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext();

  // The steps are virtual so that a derived context changes them and keeps the loop.
  virtual void StartDrag(CPoint pt);
  virtual void Move(CPoint pt);
  virtual void EndDrag();
  void OnKey(int nChar, BOOL bDown);
  virtual void StartResize(int nHitTest, CPoint pt);
  virtual void Stretch(CPoint pt);
  virtual void EndResize();
  virtual void ToggleDocking();

  void InitLoop();
  void CancelLoop();
  BOOL Track();
  virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
  virtual DWORD CanDock();
  CDockBar* GetDockBar(DWORD dwOverDockStyle);

  CPoint m_ptLast;
  CRect m_rectLast;
  CSize m_sizeLast;
  BOOL m_bDitherLast = FALSE;
  CRect m_rectDragHorz;
  CRect m_rectDragVert;
  CRect m_rectFrameDragHorz;
  CRect m_rectFrameDragVert;
  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  DWORD m_dwDockStyle = 0;
  DWORD m_dwOverDockStyle = 0;
  DWORD m_dwStyle = 0;
  BOOL m_bFlip = FALSE;
  BOOL m_bForceFrame = FALSE;
  CDC* m_pDC = nullptr;
  BOOL m_bDragging = FALSE;
  int m_nHitTest = 0;
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos{-1, -1};
  // Resizing a floating frame.
  CRect m_rectRequestedSize;
  CRect m_rectActualSize;
  CRect m_rectActualFrameSize;
  CRect m_rectFrameBorders;

 protected:
  void UpdateState(BOOL* pFlag, BOOL bNewValue);
  static void AdjustRectangle(CRect& rect, CPoint pt);
};
