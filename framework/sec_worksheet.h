// SECWorksheet: the MDI child of a workbook; it adds itself to the workbook
// when loaded, carries its tab icon and keeps its tab up to date.
// SECControlBarWorksheet: a worksheet that shows one control bar, so a bar
// floated as an MDI window gets a tab too.
#pragma once

#include "framework/sec_mdi_child_wnd.h"

class SECWorkbook;

class SECWorksheet : public SECMDIChildWnd {
  DECLARE_DYNCREATE(SECWorksheet)
 public:
  SECWorksheet() = default;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
  using SECMDIChildWnd::OnUpdateFrameMenu;
  // The workbook the sheet lives in; null when its MDI frame is not one.
  SECWorkbook* GetWorkbook() const;

  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnDestroy();

  HICON m_hIcon = nullptr;
  int m_nIndex = -1;
  BOOL m_bPressed = FALSE;

 protected:
  DECLARE_MESSAGE_MAP()
};

class SECControlBarWorksheet : public SECWorksheet {
  DECLARE_DYNCREATE(SECControlBarWorksheet)
 public:
  SECControlBarWorksheet();

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
