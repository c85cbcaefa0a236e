// MDI: the frame with its MDI client (the layer's own "MDICLIENT" window
// class) and the MDI child frames.
#pragma once

#include <utility>
#include <vector>

#include "platform/afx/framewnd.h"

class CMDIChildWnd;

// Ctrl+F4 closes the active MDI child, Ctrl+F6 (with Shift: backwards)
// activates the next one: sent as WM_SYSCOMMAND to the active child.
BOOL TranslateMDISysAccel(HWND hWndClient, LPMSG lpMsg);

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  CMDIFrameWnd();

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu);
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDINext();
  void MDIPrev();
  void MDIMaximize(CWnd* pWnd);
  void MDIRestore(CWnd* pWnd);
  void MDICascade(int nType = 0);
  void MDITile(int nType = MDITILE_HORIZONTAL);
  void MDIIconArrange();
  HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);

  CFrameWnd* GetActiveFrame() override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  HACCEL GetDefaultAccelerator() override;

  BOOL OnMDIWindowCmd(UINT nID);
  void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  void OnWindowNew();
  // The focus goes on to the active child (and so to its view).
  void OnSetFocus(CWnd* pOldWnd);

  HWND m_hWndMDIClient = nullptr;

 protected:
  DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIChildWnd();

  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
              CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL DestroyWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void ActivateFrame(int nCmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
  using CFrameWnd::OnUpdateFrameMenu;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CMDIFrameWnd* GetMDIFrame() const;
  void MDIDestroy();
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();

  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  void OnSize(UINT nType, int cx, int cy);
  void OnDestroy();

  HMENU m_hMenuShared = nullptr;

 protected:
  DECLARE_MESSAGE_MAP()
};

namespace afx {
// Sent to the MDI client to minimise the child in wParam (a child's
// SC_MINIMIZE): it keeps only its caption, in a row along the bottom.
constexpr UINT kMDIMinimize = WM_USER + 0x0F01;
// The window class name of the MDI client; registered on first use.
LPCSTR MDIClientClass();
// Writes the list of MDI children into the window popup: the menu layer
// provides it; without it the list is not shown.
using WindowListWriter = void (*)(HMENU windowMenu, UINT idFirstChild,
                                  const std::vector<std::pair<UINT, CString>>& items, UINT activeId);
void SetWindowListWriter(WindowListWriter writer);
}  // namespace afx
