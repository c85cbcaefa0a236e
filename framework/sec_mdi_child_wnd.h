// SECMDIChildWnd: the framework's MDI child; it gives up an embedded frame's
// activation when it is activated and remembers its alternate menu.
// SECControlBarMDIChildWnd: an MDI child holding one dock bar, so that a bar
// floats as an MDI window of the main frame.
#pragma once

#include "framework/sec_dock_bar.h"
#include "platform/afx/afx.h"

// Resource id and style a control bar's MDI child is loaded with.
constexpr UINT kSECControlBarMDIChildID = 20514;
constexpr DWORD kSECControlBarMDIChildStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU |
                                              WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                                              FWS_ADDTOTITLE | FWS_SNAPTOBARS;

class SECMDIChildWnd : public CMDIChildWnd {
  DECLARE_DYNCREATE(SECMDIChildWnd)
 public:
  SECMDIChildWnd() = default;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
  using CMDIChildWnd::OnUpdateFrameMenu;
  virtual void ReapplyFrameMenu(CWnd* pActivateWnd);

  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  LRESULT OnChildActivate(WPARAM wParam, LPARAM lParam);

  UINT m_nIDMenu = 0;
  BOOL m_bMenuBar = FALSE;
  HMENU m_hMenuAltLast = nullptr;

 protected:
  void DeactivateEmbeddedFrame();
  DECLARE_MESSAGE_MAP()
};

class SECControlBarMDIChildWnd : public SECMDIChildWnd {
  DECLARE_DYNCREATE(SECControlBarMDIChildWnd)
 public:
  SECControlBarMDIChildWnd();

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  void OnSize(UINT nType, int cx, int cy);
  void OnClose();
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnShowWindow(BOOL bShow, UINT nStatus);

  SECDockBar m_wndDockBar;
  DWORD m_dwFlags = 0;

 protected:
  DECLARE_MESSAGE_MAP()
};

// The work of an MDI child that shows a control bar in its dock bar, shared by
// SECControlBarMDIChildWnd and SECControlBarWorksheet.
// The bar floats in the dock bar of such a child.
BOOL SECBarFloatsInMDIChild(CControlBar* pBar);
// Creates the dock bar (floating, id AFX_IDW_DOCKBAR_FLOAT) inside the child.
BOOL SECBarChildCreateDockBar(CFrameWnd* pChild, SECDockBar& dock);
// The bar shown, or null.
CControlBar* SECBarChildBar(SECDockBar& dock);
// Several bars may share the dock bar.
BOOL SECBarChildIsMulti(const SECDockBar& dock);
// WM_SIZE: the single bar takes the child's client area.
void SECBarChildFitBar(CFrameWnd* pChild, SECDockBar& dock, UINT nType);
// WM_CLOSE: hides the single bar; FALSE when the child closes as usual.
BOOL SECBarChildHideBar(CMDIChildWnd* pChild, SECDockBar& dock);
// WM_WINDOWPOSCHANGED: the child's place becomes the bar's MDI-float position.
void SECBarChildStoreFloatPos(CFrameWnd* pChild, SECDockBar& dock);
// The child's title is the dock bar's text.
void SECBarChildSyncTitle(CFrameWnd* pChild, SECDockBar& dock);
// Asks the MDI client to refresh its window menu.
void SECBarChildRefreshMenu(CMDIChildWnd* pChild);
