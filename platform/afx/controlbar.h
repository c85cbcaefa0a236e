// CControlBar: the base of bars that a frame lays out along its sides and
// that can dock and float; CControlBarInfo: a bar's saved state.
#pragma once

#include "platform/afx/afxdefs.h"

namespace afx {
// The two-pixel border of bars (one pixel per line, two lines).
inline constexpr int kBarBorder2 = 2;
}  // namespace afx

class CDockBar;
class CDockContext;
class CDockState;

// The saved state of one bar (or dock bar).
class CControlBarInfo {
 public:
  CControlBarInfo();
  virtual ~CControlBarInfo() = default;
  // Writes the keys that differ from their defaults into
  // "<profile>-Bar<index>"; FALSE when the record is not worth saving.
  BOOL SaveState(LPCSTR lpszProfileName, int nIndex);
  // Reads them back (scaled by the dock state's screen size); FALSE when
  // the section is missing.
  BOOL LoadState(LPCSTR lpszProfileName, int nIndex, CDockState* pDockState);

  UINT m_nBarID = 0;
  BOOL m_bVisible = TRUE;
  BOOL m_bFloating = FALSE;
  BOOL m_bHorz = TRUE;
  BOOL m_bDockBar = FALSE;
  CPoint m_pointPos{-1, -1};
  UINT m_nMRUWidth = 32767;
  BOOL m_bDocking = FALSE;
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos{0, 0, 0, 0};
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos{0, 0};
  CPtrArray m_arrBarID;
  class CControlBar* m_pBar = nullptr;
};

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

  CControlBar();
  ~CControlBar() override;

  // Styles.
  void SetBarStyle(DWORD dwStyle);
  DWORD GetBarStyle() const { return m_dwStyle; }
  virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  void SetBorders(LPCRECT lpRect);
  CRect GetBorders() const;

  // Docking.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const;
  virtual BOOL IsDockBar() const { return FALSE; }
  BOOL IsVisible() const;
  virtual void DelayShow(BOOL bShow);
  CFrameWnd* GetDockingFrame() const;
  int GetCount() const { return m_nCount; }

  // Layout.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

  // Painting.
  virtual void DoPaint(CDC* pDC);
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  virtual void DrawGripper(CDC* pDC, const CRect& rect);

  // Saved state.
  void GetBarInfo(CControlBarInfo* pInfo);
  void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

  // Commands and prompts.
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  INT_PTR OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const override;
  BOOL SetStatusText(INT_PTR nHit);
  void ResetTimer(UINT nEvent, UINT nTime);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  // Message handlers.
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnDestroy();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg);

  // Members the docking uses.
  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CDockBar* m_pDockBar = nullptr;
  CDockContext* m_pDockContext = nullptr;
  int m_nMRUWidth = 32767;
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 2;
  int m_cyBottomBorder = 2;
  int m_cxDefaultGap = 2;
  BOOL m_bAutoDelete = FALSE;
  int m_nCount = 0;
  void* m_pData = nullptr;
  UINT m_nStateFlags = 0;
  HWND m_hWndOwner = nullptr;

 protected:
  DECLARE_MESSAGE_MAP()
};

// The control-bar window class, registered by the first bar.
#define AFX_WNDCONTROLBAR "AfxControlBar42"
LPCSTR AfxControlBarClass();
