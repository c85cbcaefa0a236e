// CScrollView: a view over a larger logical area with scroll bars; panes
// of a splitter scroll together along their shared axis.
#pragma once

#include "platform/afx/view.h"

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
 public:
  static const SIZE sizeDefault;
  CScrollView();

  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  void SetScaleToFitSize(SIZE sizeTotal);
  CSize GetTotalSize() const { return m_totalLog; }
  CPoint GetScrollPosition() const;
  CPoint GetDeviceScrollPosition() const;
  void ScrollToPosition(POINT pt);
  void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
  void UpdateBars();

  void OnSize(UINT nType, int cx, int cy);
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

  int m_nMapMode = 0;
  CSize m_totalLog;
  CSize m_totalDev;
  CSize m_pageDev;
  CSize m_lineDev;
  BOOL m_bInsideUpdate = FALSE;

 protected:
  void ScrollTo(CPoint target, BOOL bNotifySplitter);
  DECLARE_MESSAGE_MAP()
};
