// SECCustomToolBar: the framework's tool bar, a dockable bar owning an array
// of button objects whose images come from a shared bitmap store. It wraps
// its buttons into rows per docking state, draws them flat (cool look, with
// hover) or raised, keeps their state current through command UI and, with
// a tool bar manager, lets the user rearrange them in customise mode.
#pragma once

#include <vector>

#include "framework/sec_btn_draw_data.h"
#include "framework/sec_control_bar.h"
#include "framework/sec_custom_tool_bar_wrap.h"
#include "framework/sec_std_btn.h"

class SECBmpMgr;
class SECToolBarManager;

// Extended bar style: separators and faces let the bar's background through.
#define SECBAR_TRANSPARENT 0x1000L

// Control ids of bars made during customisation start here.
#define SEC_IDW_FIRST_USER_TOOLBAR 59424  // AFX_IDW_CONTROLBAR_FIRST + 32
#define SEC_IDW_LAST_USER_TOOLBAR 59647   // the menu bar's id; user bars stay below it
#define SEC_IDW_MENUBAR 59647

// The hover timer.
#define SEC_TOOLBAR_HOVER_TIMER 57346
#define SEC_TOOLBAR_HOVER_PERIOD 100

// Messages a tool bar answers as the common tool bar control does.
#define TB_DELETEBUTTON (WM_USER + 22)
#define TB_ADDBUTTONS (WM_USER + 20)

// The record of TB_ADDBUTTONS.
struct SECTBButton {
  int iBitmap;
  int idCommand;
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[2];
  DWORD_PTR dwData;
  INT_PTR iString;
};

// An entry of a button map: the button class, the command id, the initial
// style and five words for the button's Init. A null class ends the map.
struct SECBtnMapEntry {
  SECButtonClass pClass;
  UINT nID;
  UINT nStyle;
  UINT_PTR params[5];
};

// Events a tool bar reports to its manager.
enum SECToolBarEvent {
  SECTBEventShown = 0,
  SECTBEventHidden = 1,
  SECTBEventCreated = 2,
  SECTBEventDestroyed = 3,
  SECTBEventSelection = 4
};

class SECCustomToolBar;

// The registered message "WM_NODELAYHIDE" a floating bar posts itself to
// hide at once during customisation.
UINT SECGetNoDelayHideMessage();
// The message an emptied customisation bar posts itself to be destroyed
// once the handler that emptied it has returned.
UINT SECGetDestroyEmptyMessage();

// The command UI of one tool bar button.
class SECCustomToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetText(LPCSTR lpszText) override {}
  SECCustomToolBar* m_pBar = nullptr;
  int m_nButtons = 0;
};

class SECCustomToolBar : public SECControlBar {
  DECLARE_DYNCREATE(SECCustomToolBar)
 public:
  SECCustomToolBar();
  ~SECCustomToolBar() override;

  // Creation and loading.
  using SECControlBar::Create;
  using SECControlBar::CreateEx;
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                      UINT nID = AFX_IDW_TOOLBAR, LPCSTR lpszTitle = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR, LPCSTR lpszTitle = nullptr);
  BOOL CreateEx(LPCSTR lpszClassName, LPCSTR lpszWindowName, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext = nullptr) override;
  BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadToolBar(LPCSTR lpszResourceName);
  virtual BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetBmpMgr(SECBmpMgr* pMgr);
  SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
  SECToolBarManager* GetManager() const;
  void SetManager(SECToolBarManager* pManager);
  // The bar's own button maps (used only without a manager).
  void SetButtonMap(const SECBtnMapEntry* pMap) { m_pBtnMap = pMap; }
  void SetSecondaryButtonMap(const SECBtnMapEntry* pMap, int nEntries);

  // Buttons.
  virtual BOOL RemoveButton(int nIndex, BOOL bNoUpdate = FALSE);
  virtual void InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate = FALSE);
  virtual void RemoveAllButtons();
  virtual SECStdBtn* CreateButton(UINT nID, SECCustomToolBar* pBar = nullptr);
  virtual SECStdBtn* CreateSeparator(SECCustomToolBar* pBar = nullptr);
  virtual int GetImageIndex(UINT nID, HBITMAP* phBitmap = nullptr) const;
  virtual void RecalcButtonSizes();
  void HideButton(int nIndex, BOOL bHide);
  void SetButtonStyle(int nIndex, UINT nStyle);
  UINT GetButtonStyle(int nIndex) const;
  // Code 1 on every button with the command id (with bAllBars, on all the manager's bars).
  void SetButtonState(UINT nID, int nCode, UINT nSet, UINT nClear, BOOL bAllBars);
  int GetBtnCount() const { return static_cast<int>(m_btns.size()); }
  SECStdBtn* GetBtn(int nIndex) const { return m_btns[nIndex]; }
  int FindButton(const SECStdBtn* pBtn) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  virtual void InvalidateButton(int nIndex);
  virtual int HitTestButton(int x, int y, CRect* pRect = nullptr) const;
  virtual void UpdateButton(int nIndex);

  // Metrics.
  virtual BOOL IsCoolLook() const { return (m_dwExStyle & SECBAR_FLATBORDERS) != 0; }
  virtual int GetImageWidth() const;
  virtual int GetImageHeight() const;
  virtual int GetButtonWidth() const { return GetImageWidth() + 7; }
  virtual int GetButtonHeight() const { return GetImageHeight() + 7; }
  virtual int GetSeparatorWidth() const { return (GetImageWidth() + 8) / 3; }
  virtual int GetSeparatorHeight() const { return GetImageHeight() + 7; }
  virtual CFont* GetFont() const;
  virtual CFont* GetMenuFont() const { return GetFont(); }
  void RaiseWidestButton(int cx) {
    if (cx > m_nMaxBtnWidth) m_nMaxBtnWidth = cx;
  }

  // Layout.
  virtual int WrapButtons(int nWidth, SECToolBarRows& rows);
  virtual void BalanceRows(SECToolBarRows& rows);
  virtual CSize CalcWrappedSize(int nLength, BOOL bLengthIsHeight);
  virtual CSize CalcLayout(int nLength, DWORD dwMode);
  virtual void FitToParent();
  virtual void UpdateRebarBand(CWnd* pReBar, CSize size) {}
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void AdjustForGripper(CRect& rect, BOOL bHorz) const override;
  void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

  // Painting.
  void DoPaint(CDC* pDC) override;
  void DrawBorders(CDC* pDC, CRect& rect) override;
  // The drawing resources: the manager's shared ones, else the bar's own.
  SECBtnDrawData* GetDrawData();

  // Command UI and hover.
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  INT_PTR OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const override;
  void UpdateHotButton(BOOL bUpdateNow);
  int GetHotButton() const { return m_nHotBtn; }
  int GetCurrentButton() const { return m_nCurBtn; }
  static BOOL IsDispatchingCommand() { return s_bDispatching; }
  static void SetDispatchingCommand(BOOL b) { s_bDispatching = b; }

  // Menu buttons and menu mode.
  virtual void NotifyDropDown(SECStdBtn* pBtn, DWORD dwValue1, DWORD dwValue2);
  virtual void DropDownButton(int nIndex);
  virtual void EnterMenuMode(int nIndex);
  virtual void EnterMenuModeAt(CPoint point);
  virtual void ExitMenuMode();
  virtual BOOL IsInMenuMode() const { return m_bMenuMode; }
  virtual int GetFirstMenuButton() const;
  virtual int GetLastMenuButton() const;
  virtual int GetFirstDropButton() const;
  virtual int GetNextMenuButton(BOOL bForward) const;
  virtual BOOL FilterMenuMessage(MSG* pMsg);
  virtual void DropDownClosed();
  int GetDropDownButton() const { return m_nDropBtn; }

  // Customisation.
  virtual BOOL IsCopyKeyDown() const;
  virtual BOOL AcceptsDrop() const { return TRUE; }
  virtual BOOL DragButton(int nIndex, CPoint point);
  virtual BOOL DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, BOOL bNoLayout);
  void SetCustomizeMode(BOOL bMode);
  BOOL IsCustomizeMode() const { return m_bCustomize; }
  void SelectButton(int nIndex, BOOL bRedraw = TRUE);
  void ClearSelection(BOOL bRedraw = TRUE);
  static BOOL IsAltDragging() { return s_bAltDrag; }
  void DelayShow(BOOL bShow) override;
  void GetBarInfoEx(SECControlBarInfo* pInfo) override;
  void SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

  // Message handlers.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnCancelMode();
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  void OnSysColorChange();
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  LRESULT OnAddButtons(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);
  LRESULT OnNoDelayHide(WPARAM wParam, LPARAM lParam);
  LRESULT OnDestroyLater(WPARAM wParam, LPARAM lParam);

  // Members.
  SECBmpMgr* m_pBmpMgr = nullptr;
  int m_nSepGap = 8;
  int m_nCurBtn = -1;
  int m_nHotBtn = -1;
  int m_nDropBtn = -1;
  BOOL m_bCustomize = FALSE;
  SECBtnDrawData* m_pDrawData = nullptr;
  DWORD m_dwOrientation = 0;
  BOOL m_bLayoutMRU = TRUE;
  BOOL m_bLayoutHorz = TRUE;
  BOOL m_bLayoutVert = TRUE;
  CSize m_szHorz{0, 0};
  CSize m_szVert{0, 0};
  CSize m_szMRU{0, 0};
  HFONT m_hFont = nullptr;
  const SECBtnMapEntry* m_pBtnMap = nullptr;
  std::vector<SECBtnMapEntry> m_btnMap2;
  BOOL m_bMenuMode = FALSE;
  int m_nMaxBtnWidth = 0;
  std::vector<SECStdBtn*> m_btns;

 protected:
  // The separator gap's share added below a row broken at a separator.
  int SeparatorRowExtra() const { return m_nSepGap * 2 / 3; }
  std::vector<SECWrapItem> WrapItems() const;
  // Sets TBBS_WRAPPED on the last button of every row but the last.
  void MarkWrapped(const SECToolBarRows& rows);
  // Lays the parent frame out and repaints.
  void LayoutAndRepaint();
  // Index fix-ups after inserting or removing buttons.
  void ShiftIndices(int nFrom, int nDelta);
  void ReportEvent(SECToolBarEvent event);
  // The button's drop place in this bar (client rectangle); see DropButton.
  int DropRow(const CRect& rect, const CRect& inside) const;
  void NudgeButton(int nIndex, const CRect& rect);
  BOOL RemoveFromSource(BOOL bCopy);
  void PressButton(int nIndex, CPoint point);
  void DestroyLater();

  static BOOL s_bDispatching;
  static BOOL s_bAltDrag;
  DECLARE_MESSAGE_MAP()
};
