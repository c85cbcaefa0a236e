// CMiniDockFrameWnd: the floating frame of control bars; it holds one
// floating dock bar.
#pragma once

#include "platform/afx/dockbar.h"
#include "platform/afx/miniframe.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
 public:
  CMiniDockFrameWnd();

  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // Lays the frame out to its bars and moves it to (x, y) on the screen.
  virtual void RecalcLayoutAt(int x, int y, BOOL bNotify = TRUE);

  void OnClose();
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The dock bar the frame works with (a derived frame may hold its own).
  virtual CDockBar* GetDockBar() { return &m_wndDockBar; }

  CDockBar m_wndDockBar;

 protected:
  CControlBar* FirstBar();
  DECLARE_MESSAGE_MAP()
};
