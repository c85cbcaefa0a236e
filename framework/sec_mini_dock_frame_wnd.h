// SECMiniDockFrameWnd: the small tool window that holds floating framework
// bars in one SECDockBar; its caption and borders start the bar's drags and
// resizes, and its title follows the dock bar's text.
#pragma once

#include "framework/sec_dock_bar.h"
#include "platform/afx/afx.h"

class SECMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(SECMiniDockFrameWnd)
 public:
  SECMiniDockFrameWnd();

  BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void RecalcLayoutAt(int x, int y, BOOL bNotify = TRUE) override;
  CDockBar* GetDockBar() override { return &m_wndSECDockBar; }

  void OnClose();
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  void OnParentNotify(UINT message, LPARAM lParam);

  SECDockBar m_wndSECDockBar;

 protected:
  void SyncTitle();
  DECLARE_MESSAGE_MAP()
};
