// SECMDIFrameWnd: the framework's MDI main frame. On top of CMDIFrameWnd it
// docks framework bars on four SECDockBars, floats them in mini frames or as
// MDI children (SECControlBarMDIChildWnd), loads and saves the bar layout,
// can paint a gradient caption of its own, routes commands to an embedded
// frame first, keeps menus by resource id (answered through WM_SECGETMENU)
// and offers every message to its plug-in first.
#pragma once

#include "framework/sec_dock_bar.h"
#include "framework/sec_frame_caption.h"
#include "framework/sec_mdi_float_pos.h"
#include "framework/sec_wnd_plug_in.h"
#include "platform/afx/afx.h"

class SECControlBarManager;
class SECDockState;
class SECMenuBar;

// wParam = menu resource id, lParam = sub-menu index; answers the sub-menu or 0.
extern const UINT WM_SECGETMENU;

// The bar's share of its row and its length.
struct SECDockBarSize {
  float fPctWidth;
  int nLength;
  int nReserved;
};

class SECMDIFrameWnd : public CMDIFrameWnd {
  DECLARE_DYNCREATE(SECMDIFrameWnd)
 public:
  SECMDIFrameWnd();
  ~SECMDIFrameWnd() override;

  // Docking.
  void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle = 0);
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  virtual CDockBar* CreateDockBar();
  virtual void DockControlBarEx(CControlBar* pBar, const SECDockPlacement& placement, UINT nDockBarID,
                                const SECDockBarSize& size);
  virtual void DockControlBarEx(CControlBar* pBar, UINT nDockBarID, int nRow, int nPos, float fPctWidth,
                                int nLength);
  virtual void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  virtual void FloatControlBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  virtual CMDIChildWnd* CreateControlBarMDIChild();

  // Embedded frame.
  virtual void SetActiveEmbeddedFrame(CFrameWnd* pFrame);
  virtual void DeactivateEmbeddedFrame(BOOL bReactivateChild);
  CFrameWnd* GetActiveEmbeddedFrame() const { return m_pActiveEmbeddedFrame; }

  // Bar layout.
  virtual void LoadBarState(LPCSTR lpszProfileName);
  virtual void SaveBarState(LPCSTR lpszProfileName) const;
  virtual void SetDockState(SECDockState& state);
  virtual void GetDockState(SECDockState& state) const;
  virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
  // A tool bar manager's image store also serves the bitmap menus.
  virtual void SetControlBarManager(SECControlBarManager* pManager);

  // Caption.
  virtual void CreateCaptionAppFont(CFont& font);
  virtual void CreateCaptionDocFont(CFont& font);
  virtual void DrawCaption();
  BOOL EnableCustomCaption(BOOL bEnable, BOOL bRedraw = TRUE);
  void SetCaptionAlignment(int nAlignment, BOOL bRedraw = TRUE);
  BOOL IsCustomCaptionEnabled() const { return m_caption.bEnabled; }
  BOOL IsCaptionActive() const { return m_caption.bActive; }
  // Paints the caption into a DC (the window's, or an image for a picture).
  void PaintCaption(CDC* pDC, CSize size);
  CRect GetCaptionRect() const;

  // Menus.
  virtual HMENU GetFrameMenu() const { return m_pMenuBar ? m_hMenuFrame : m_hMenuDefault; }
  virtual HMENU GetMenuForID(UINT nID);
  BOOL RegisterMenus(UINT nCount, ...);

  // Menu-bar mode: a menu bar given before LoadFrame (owned) stands in for
  // the Win32 menu. Ids 0 and -1 show the frame's own menu.
  void SetMenuBar(SECMenuBar* pMenuBar);
  SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
  // The menu bar for the tool bar manager to create: null unless in menu-bar
  // mode with the bar's window not yet made.
  virtual SECMenuBar* CreateMenuBar();
  virtual void ActivateMenu(UINT nID);
  virtual void RefreshMDIMenuBarButtons();
  virtual void UpdateMDIWindowMenu();

  virtual CWnd* CreatePlugInWnd(DWORD dwExStyle, LPCSTR lpszName, CRuntimeClass* pClass, UINT nID);
  virtual void ActivateFrameView(UINT nState, CWnd* pWndOther);
  virtual void OnEnterIdle(UINT nWhy, CWnd* pWho);

  // Plug-in: owned, offered every message first.
  void SetPlugIn(SECWndPlugIn* pPlugIn);
  SECWndPlugIn* GetPlugIn() const { return m_pPlugIn; }
  CWnd* GetPlugInWnd() const { return m_pPlugInWnd; }
  // Bitmap menus: set before the window is created.
  void EnableBmpMenus(BOOL bEnable) { m_bBmpMenus = bEnable; }

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CFrameWnd* GetActiveFrame() override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
  BOOL DestroyWindow() override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;

  int OnCreate(LPCREATESTRUCT lpcs);
  void OnClose();
  BOOL OnNcActivate(BOOL bActive);
  void OnNcPaint();
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnSecGetMenu(WPARAM wParam, LPARAM lParam);
  LRESULT OnBarContextMenu(WPARAM wParam, LPARAM lParam);
  void OnWorkspaceCommand(UINT) {}
  void OnUpdateWorkspaceCommand(CCmdUI*, UINT) {}

  CRect m_rectClient;  // left for the MDI client by the last layout
  CRuntimeClass* m_pDockBarClass = nullptr;
  CRuntimeClass* m_pControlBarMDIChildClass = nullptr;
  SECMDIFloatPos m_mdiFloatPos;

 protected:
  CFrameWnd* m_pActiveEmbeddedFrame = nullptr;
  BOOL m_bActivating = FALSE;
  SECCustomCaption m_caption;
  SECControlBarManager* m_pControlBarManager = nullptr;
  SECWndPlugIn* m_pPlugIn = nullptr;
  BOOL m_bBmpMenus = FALSE;
  CMap<UINT, UINT, HMENU, HMENU> m_mapMenus{10};
  UINT m_nIDFrameResource = 0;
  UINT m_nIDCurrentMenu = 0;
  CPtrList m_listBarInfo{10};
  CWnd* m_pPlugInWnd = nullptr;
  SECMenuBar* m_pMenuBar = nullptr;
  HMENU m_hMenuFrame = nullptr;

  DECLARE_MESSAGE_MAP()
};
