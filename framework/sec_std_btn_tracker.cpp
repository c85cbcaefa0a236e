#include "framework/sec_std_btn_tracker.h"

BOOL SECToolBarRectTracker::Track(CWnd* pWnd, CPoint point) {
  m_bAllowInvert = FALSE;
  return TrackHandle(hitMiddle, pWnd, point, nullptr);
}
