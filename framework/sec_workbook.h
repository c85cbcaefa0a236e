// SECWorkbook: the tabbed MDI frame. In workbook mode its MDI client shrinks
// by fixed margins and a strip below it shows one tab per worksheet (icon and
// title, cut with "..." and given in full by a tool tip); clicking a tab
// activates that worksheet. SECWorkbookClient subclasses the MDI client to
// apply the margins and tells the frame when the MDI menu changes.
#pragma once

#include <vector>

#include "framework/sec_mdi_frame_wnd.h"
#include "framework/sec_workbook_tabs.h"
#include "platform/afx/afx.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/gdiobj.h"

class SECWorksheet;

// The workbook refreshes its tabs after an activation change (wParam, lParam 0).
constexpr UINT WM_SEC_WORKBOOK_REFRESH = 0x84D;
// To the MDI client: wParam and lParam as for WM_MDISETMENU, or both -1 for none.
constexpr UINT WM_SEC_WORKBOOK_SETMENU = 0x84E;

// Client margins in workbook mode.
constexpr int kSECWorkbookMarginSide = 13;
constexpr int kSECWorkbookMarginTop = 13;
constexpr int kSECWorkbookMarginBottom = 33;

class SECWorkbookClient : public CWnd {
  DECLARE_DYNAMIC(SECWorkbookClient)
 public:
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;
  void SetMargins(int nLeft, int nRight, int nTop, int nBottom);
  void GetMargins(int& nLeft, int& nRight, int& nTop, int& nBottom) const;
  LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);

  int m_nLeft = 0;
  int m_nTop = 0;
  int m_nRight = 0;
  int m_nBottom = 0;

 protected:
  DECLARE_MESSAGE_MAP()
};

class SECWorkbook : public SECMDIFrameWnd {
  DECLARE_DYNCREATE(SECWorkbook)
 public:
  SECWorkbook();
  ~SECWorkbook() override;

  void SetWorkbookMode(BOOL bOn);
  BOOL GetWorkbookMode() const { return m_bWorkbookMode; }
  // The process-wide copy of the last workbook mode set.
  static BOOL IsWorkbookModeOn();

  virtual void GetWorkbookArea(CRect& rect);
  virtual BOOL CanActivateSheet(SECWorksheet*) { return TRUE; }
  virtual void AddSheet(SECWorksheet* pSheet);
  virtual void RemoveSheet(SECWorksheet* pSheet);
  virtual BOOL TabLabelFits(SECWorksheet* pSheet);
  // A new array of kSECTabPointCount points the caller deletes (delete[]).
  virtual void GetTabPolygon(SECWorksheet* pSheet, POINT*& pPoints, int& nCount);
  virtual CString GetSheetTitle(SECWorksheet* pSheet);
  virtual void GetTabLabelRect(const POINT* pPoints, int nIconWidth, CRect& rect);
  virtual void DrawTab(CDC* pDC, SECWorksheet* pSheet);
  virtual void DrawClientFrame(CDC* pDC);
  virtual void DrawTabLabel(CDC* pDC, SECWorksheet* pSheet);
  virtual HICON GetSheetIcon(SECWorksheet* pSheet);
  virtual BOOL SetSheetIcon(SECWorksheet* pSheet, HICON hIcon, BOOL bRedraw = TRUE);

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu) override;

  int GetSheetCount() const { return static_cast<int>(m_arrSheets.GetSize()); }
  SECWorksheet* GetSheet(int nIndex) const { return reinterpret_cast<SECWorksheet*>(m_arrSheets[nIndex]); }
  const SECTabMetrics& GetTabMetrics() const { return m_metrics; }
  SECWorkbookClient* GetClientWindow() const { return m_pClient; }
  // The rectangle to repaint for a sheet's tab, or from it to the strip's end.
  CRect GetTabInvalidRect(SECWorksheet* pSheet, SECTabExtent extent);
  void InvalidateTab(SECWorksheet* pSheet, SECTabExtent extent = SECTabExtent::kTab);
  void InvalidateStrip();

  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnDestroy();
  LRESULT OnRefreshTabs(WPARAM wParam, LPARAM lParam);

 protected:
  CRect GetClientWindowRect() const;
  int GetSheetSlot(SECWorksheet* pSheet) const;
  BOOL IsSheetRaised(SECWorksheet* pSheet);
  BOOL HitsTab(SECWorksheet* pSheet, CPoint point);
  void UpdateTabWidth(BOOL bInvalidate);
  BOOL IsSheetVisible(SECWorksheet* pSheet) const;
  // Each sheet's slot among the shown tabs, counted once for a paint.
  void CountSheetSlots();

  CObArray m_arrSheets;
  std::vector<int> m_paintSlots;  // by sheet index; empty outside a paint
  BOOL m_bWorkbookMode = FALSE;
  BOOL m_bShowIcons = TRUE;
  CFont m_fontTab;
  SECWorkbookClient* m_pClient = nullptr;
  CPen m_penHilight;
  CPen m_penBlack;
  CPen m_penShadow;
  CPen m_penFace;
  SECTabMetrics m_metrics;
  CRect m_rectLastLayout;
  int m_nLastActive = 0;
  CToolTipCtrl* m_pToolTip = nullptr;

  DECLARE_MESSAGE_MAP()
};
