// SECControlBar: the dockable, sizable bar of the framework. It remembers a
// size per docking state and a share of its dock row, carries an extended
// bar style (gripper with close and expand buttons, borders, child sizing,
// context menu) and hook operations around docking and floating.
#pragma once

#include "framework/sec_gripper_info.h"
#include "platform/afx/afx.h"

class SECControlBarInfo;
class SECControlBarManager;
class SECDockBar;

// Extended bar styles.
#define SECBAR_CONTEXTMENU 0x0001L
#define SECBAR_SIZECHILDREN 0x0002L
#define SECBAR_FIXEDSIZE 0x0004L
#define SECBAR_3DBORDERS 0x0008L
#define SECBAR_BORDERSPACE 0x0010L
#define SECBAR_MDIFLOAT 0x0020L
#define SECBAR_FITCHILD 0x0040L
#define SECBAR_OWNROW 0x0080L
#define SECBAR_FLATBORDERS 0x0100L
#define SECBAR_GRIPPER 0x0200L
#define SECBAR_GRIPPERCLOSE 0x0400L
#define SECBAR_GRIPPEREXPAND 0x0800L

// Tool hit codes of the gripper buttons.
#define SEC_HIT_GRIPPER_CLOSE 1024
#define SEC_HIT_GRIPPER_EXPAND 2048

class SECControlBar : public CControlBar {
  DECLARE_DYNCREATE(SECControlBar)
 public:
  // The size every bar starts with in each docking state (set at start-up).
  static int s_cxDefault;
  static int s_cyDefault;

  SECControlBar();
  ~SECControlBar() override;

  using CWnd::Create;
  using CWnd::CreateEx;
  virtual BOOL Create(CWnd* pParentWnd, LPCSTR lpszWindowName,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT, DWORD dwExStyle = 0,
                      UINT nID = AFX_IDW_CONTROLBAR_FIRST, CCreateContext* pContext = nullptr);
  virtual BOOL CreateEx(LPCSTR lpszClassName, LPCSTR lpszWindowName, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                        const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext = nullptr);
  virtual void GetInsideRect(CRect& rectInside) const;
  virtual CDockContext* CreateDockContext();
  virtual void SetExBarStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
  virtual void ModifyExBarStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
  DWORD GetExBarStyle() const { return m_dwExStyle; }
  void DrawBorders(CDC* pDC, CRect& rect) override;
  virtual void GetBarInfo(SECControlBarInfo* pInfo);
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bGripper) const;
  void CalcInsideRect(CRect& rect, BOOL bHorz) const override { CalcInsideRect(rect, bHorz, TRUE); }

  // Hooks around docking, floating and floating as an MDI child.
  virtual void BeforeDock() { OnDocking(); }
  virtual void OnDocking() {}
  virtual void AfterDock() {}
  virtual void BeforeFloat() { OnFloating(); }
  virtual void OnFloating() {}
  virtual void AfterFloat() {}
  virtual void BeforeMDIFloat() { OnMDIFloating(); }
  virtual void OnMDIFloating() {}
  virtual void AfterMDIFloat() {}
  virtual void GetBarInfoEx(SECControlBarInfo* pInfo) {}
  virtual void SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {}
  virtual void AddContextMenuItems(CMenu* pMenu) {}

  // The gripper and its buttons.
  virtual BOOL CanGripperClose() { return TRUE; }
  virtual BOOL CanGripperExpand() { return TRUE; }
  virtual void AdjustForGripper(CRect& rect, BOOL bHorz) const;
  void DrawGripper(CDC* pDC, const CRect& rect) override;
  virtual void DrawGripperCloseButton(CDC* pDC, CRect& rect, BOOL bHorz);
  virtual void DrawCloseButtonPushed(CDC* pDC);
  virtual void DrawCloseButtonNormal(CDC* pDC);
  virtual void DrawGripperExpandButton(CDC* pDC, CRect& rect, BOOL bHorz);
  virtual void DrawExpandButtonPushed(CDC* pDC);
  virtual void DrawExpandButtonNormal(CDC* pDC);
  virtual void UpdateExpandButton(BOOL bHorz);

  // CControlBar.
  INT_PTR OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {}
  void DoPaint(CDC* pDC) override;

  void EnableDocking(DWORD dwDockStyle);
  void SetBarInfo(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
  // The bar's row, column, dock bar id and share; FALSE when not in a framework dock bar.
  BOOL GetBarPlacement(int& nRow, int& nCol, UINT& nDockBarID, float& fPctWidth);
  BOOL IsFloatingAsMDIChild() const;
  // The framework dock bar that holds the bar, or NULL.
  SECDockBar* GetSECDockBar() const;
  BOOL IsDockedHorz() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
  BOOL HasGripperShown() const { return (m_dwExStyle & SECBAR_GRIPPER) && !(m_dwStyle & CBRS_FLOATING); }
  // The number of child rectangles kept for proportional sizing (the client record included).
  int GetChildRectCount() const { return m_pChildRects ? static_cast<int>(m_pChildRects->GetSize()) : 0; }
  void SetRepaintWindow(CWnd* pWnd) { m_pRepaintWnd = pWnd; }

  // Message handlers.
  void OnSize(UINT nType, int cx, int cy);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnContextMenu(CWnd* pWnd, CPoint point);
  void OnDestroy();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnHide();
  void OnAllowDocking();
  void OnFloatInMainWindow();

  // Sizes per docking state, share of the dock row, styles.
  CSize m_szHorzDock{0, 0};
  CSize m_szUnused{0, 0};
  CSize m_szVertDock{0, 0};
  CSize m_szFloat{0, 0};
  DWORD m_dwMRUDockingState = 0;
  float m_fPctWidth = 1.0f;
  float m_fSavedPctWidth = 1.0f;
  DWORD m_dwExStyle = 0;
  CRect m_rcBorderSpace{10, 10, 10, 10};
  SECControlBarManager* m_pManager = nullptr;
  SECGripperInfo m_gripperInfo;
  CRect m_rcCloseBtn{0, 0, 0, 0};
  BOOL m_bClosePressed = FALSE;
  CRect m_rcExpandBtn{0, 0, 0, 0};
  BOOL m_bExpandPressed = FALSE;
  BOOL m_bExpandEnabled = TRUE;
  BOOL m_bExpandState = TRUE;  // TRUE: the button offers "expand"
  BOOL m_bGripperHorz = TRUE;
  CPtrArray* m_pChildRects = nullptr;
  CWnd* m_pRepaintWnd = nullptr;

 protected:
  void CaptureChildRects();
  void FreeChildRects();
  void MoveChildren(int x, int y, int cx, int cy);
  // The tail of a press or double click outside the gripper buttons.
  void PressOutsideButtons(UINT nFlags, CPoint point, BOOL bDouble);
  void RedrawButtons();
  DECLARE_MESSAGE_MAP()
};
