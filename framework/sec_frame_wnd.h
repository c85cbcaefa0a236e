// SECFrameWnd: the framework's single-document frame. It docks framework bars
// on four SECDockBars, floats them in mini frames, loads and saves the bar
// layout, can paint its own gradient caption, answers WM_SECGETMENU from its
// menu and offers every message to its plug-in first; the same code as
// SECMDIFrameWnd without MDI children, embedded frame or menu map.
#pragma once

#include "framework/sec_dock_bar.h"
#include "framework/sec_frame_caption.h"
#include "framework/sec_mdi_frame_wnd.h"
#include "framework/sec_wnd_plug_in.h"
#include "platform/afx/afx.h"

class SECMenuBar;

class SECFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(SECFrameWnd)
 public:
  SECFrameWnd();
  ~SECFrameWnd() override;

  void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle = 0);
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  virtual CDockBar* CreateDockBar();
  virtual void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  virtual void DockControlBarEx(CControlBar* pBar, UINT nDockBarID, int nRow, int nCol, float fPctWidth,
                                int nLength);
  virtual void LoadBarState(LPCSTR lpszProfileName);
  virtual void SaveBarState(LPCSTR lpszProfileName) const;
  virtual void SetDockState(SECDockState& state);
  virtual void GetDockState(SECDockState& state) const;
  virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
  // A tool bar manager's image store also serves the bitmap menus.
  virtual void SetControlBarManager(SECControlBarManager* pManager);
  virtual void CreateCaptionAppFont(CFont& font);
  virtual void CreateCaptionDocFont(CFont& font);
  virtual void DrawCaption();
  virtual HMENU GetMenuForID(UINT nID);
  // The slot an embedded frame updates its menu through: nothing to do here.
  virtual void UpdateEmbeddedFrameMenu(BOOL, CWnd*, HMENU) {}
  virtual void OnEnterIdle(UINT nWhy, CWnd* pWho);
  virtual HMENU GetFrameMenu() const { return m_pMenuBar ? m_hMenuFrame : m_hMenuDefault; }

  // Menu-bar mode: a menu bar given before LoadFrame (owned) stands in for the Win32 menu.
  void SetMenuBar(SECMenuBar* pMenuBar);
  SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
  // The menu bar for the tool bar manager to create (see SECMDIFrameWnd).
  virtual SECMenuBar* CreateMenuBar();
  // Shows another menu on the menu bar and makes it the frame's own menu.
  virtual void ActivateMenu(UINT nID);

  BOOL EnableCustomCaption(BOOL bEnable, BOOL bRedraw = TRUE);
  void SetCaptionAlignment(int nAlignment, BOOL bRedraw = TRUE);
  BOOL IsCustomCaptionEnabled() const { return m_caption.bEnabled; }
  void PaintCaption(CDC* pDC, CSize size);
  void SetPlugIn(SECWndPlugIn* pPlugIn);
  SECWndPlugIn* GetPlugIn() const { return m_pPlugIn; }
  CWnd* GetPlugInWnd() const { return m_pPlugInWnd; }
  BOOL IsClosing() const { return m_bClosing; }
  // Bitmap menus: set before the window is created.
  void EnableBmpMenus(BOOL bEnable) { m_bBmpMenus = bEnable; }

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
  BOOL DestroyWindow() override;

  int OnCreate(LPCREATESTRUCT lpcs);
  void OnClose();
  BOOL OnNcActivate(BOOL bActive);
  void OnNcPaint();
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnSecGetMenu(WPARAM wParam, LPARAM lParam);
  LRESULT OnNcButtonDown(WPARAM wParam, LPARAM lParam);
  void OnWorkspaceCommand(UINT) {}
  void OnUpdateWorkspaceCommand(CCmdUI*, UINT) {}

  CRect m_rectClient;

 protected:
  BOOL m_bClosing = FALSE;
  CWnd* m_pPlugInWnd = nullptr;
  SECCustomCaption m_caption;
  SECControlBarManager* m_pControlBarManager = nullptr;
  SECWndPlugIn* m_pPlugIn = nullptr;
  BOOL m_bBmpMenus = FALSE;
  UINT m_nIDCurrentMenu = 0;
  CPtrList m_listBarInfo{10};
  SECMenuBar* m_pMenuBar = nullptr;
  HMENU m_hMenuFrame = nullptr;

  DECLARE_MESSAGE_MAP()
};
