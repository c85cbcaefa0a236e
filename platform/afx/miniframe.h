// CMiniFrameWnd: a small tool frame whose caption, border and close box
// the layer draws and hit-tests itself.
#pragma once

#include "platform/afx/framewnd.h"

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd();

  BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = nullptr, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
  // Grows a client rectangle by a mini frame's border and caption.
  static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                                 DWORD dwExStyle = 0);
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The caption and borders, in window coordinates.
  CRect CaptionRect() const;
  CRect CloseBoxRect() const;
  LRESULT HitTest(CPoint screen) const;
  BOOL IsSizable() const;

  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

  BOOL m_bSysTracking = FALSE;
  BOOL m_bInSys = FALSE;
  BOOL m_bActive = FALSE;

 protected:
  // The modal loops of a caption move and a border resize.
  void TrackMove(CPoint start);
  void TrackSize(UINT hit, CPoint start);
  void PaintNonClient();
  static int BorderWidth(DWORD style);
  DECLARE_MESSAGE_MAP()
};
