// CRectTracker: a rectangle the user moves and resizes by its handles.
#pragma once

#include "platform/afx/afxdefs.h"

class CRectTracker {
 public:
  enum StyleFlags {
    solidLine = 1,
    dottedLine = 2,
    hatchedBorder = 4,
    resizeInside = 8,
    resizeOutside = 16,
    hatchInside = 32
  };
  enum TrackerHit {
    hitNothing = -1,
    hitTopLeft = 0,
    hitTopRight = 1,
    hitBottomRight = 2,
    hitBottomLeft = 3,
    hitTop = 4,
    hitRight = 5,
    hitBottom = 6,
    hitLeft = 7,
    hitMiddle = 8
  };

  CRectTracker() = default;
  CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_rect(lpSrcRect), m_nStyle(nStyle) {}
  virtual ~CRectTracker() = default;

  void Draw(CDC* pDC) const;
  void GetTrueRect(LPRECT lpTrueRect) const;
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
  // The handle or part under the point (client coordinates).
  int HitTest(CPoint point) const;
  int NormalizeHit(int nHandle) const;
  // Modal: follows the mouse from point until the button goes up; TRUE
  // when the rectangle changed.
  BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
  BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
  virtual void AdjustRect(int nHandle, LPRECT lpRect);
  virtual UINT GetHandleMask() const;
  virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;

  CRect m_rect;
  UINT m_nStyle = 0;
  int m_nHandleSize = 4;
  CSize m_sizeMin{4, 4};

  BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

 protected:
  void HandleRect(int nHandle, CRect* rect) const;
  BOOL m_bAllowInvert = FALSE;
  CRect m_rectLast;
  BOOL m_bErase = FALSE;
  BOOL m_bFinalErase = FALSE;
};
