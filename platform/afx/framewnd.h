// CFrameWnd: a frame with its client view, control bars and their layout,
// docking, title, status prompts, idle updates and the close sequence.
#pragma once

#include "platform/afx/afxdefs.h"

class CControlBar;
class CDockBar;
class CDockState;
class CDocument;
class CView;
struct CCreateContext;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  static const CRect rectDefault;
  enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

  CFrameWnd();
  ~CFrameWnd() override;

  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

  // Views and documents.
  virtual CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual void ActivateFrame(int nCmdShow = -1);
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

  // Layout.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE);
  virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
  BOOL IsInRecalcLayout() const { return m_bInRecalcLayout; }

  // Control bars and docking.
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);
  CControlBar* GetControlBar(UINT nID);
  void EnableDocking(DWORD dwDockStyle);
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  CFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  void NotifyFloatingWindows(DWORD dwFlags);
  void SaveBarState(LPCSTR lpszProfileName) const;
  void LoadBarState(LPCSTR lpszProfileName);
  void GetDockState(CDockState& state) const;
  void SetDockState(const CDockState& state);

  // Titles and prompts.
  void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }
  CString GetTitle() const { return m_strTitle; }
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  void SetMessageText(LPCSTR lpszText);
  void SetMessageText(UINT nID);
  CWnd* GetMessageBar();
  virtual void OnSetPreviewMode(BOOL bPreview, void* pState);
  BOOL IsFrameWindow() const { return TRUE; }

  // Overrides.
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  virtual HACCEL GetDefaultAccelerator();

  // Message handlers.
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnDestroy();
  void OnClose();
  void OnSize(UINT nType, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  BOOL OnNcActivate(BOOL bActive);
  void OnSetFocus(CWnd* pOldWnd);
  void OnEnable(BOOL bEnable);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  LRESULT OnMenuSelectMsg(WPARAM wParam, LPARAM lParam);
  LRESULT OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam);
  void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  BOOL OnBarCheck(UINT nID);
  void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
  void OnHelp();

  // Members the docking and the frames of the program use.
  CPtrList m_listControlBars;
  BOOL m_bInRecalcLayout = FALSE;
  CRect m_rectBorder;
  UINT m_nIdleFlags = 0;
  int m_nShowDelay = -1;
  CRuntimeClass* m_pFloatingFrameClass = nullptr;
  HMENU m_hMenuDefault = nullptr;
  HMENU m_hMenuAlt = nullptr;
  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDHelp = 0;
  UINT m_nIDTracking = 0;
  UINT m_nIDLastMessage = 0;
  CString m_strTitle;
  int m_nWindow = -1;
  BOOL m_bAutoMenuEnable = TRUE;
  CView* m_pViewActive = nullptr;
  DWORD m_dwPromptContext = 0;
  BOOL m_bHelpMode = FALSE;
  CFrameWnd* m_pNextFrameWnd = nullptr;
  void* m_lpfnCloseProc = nullptr;  // a close procedure may veto (print preview)

 protected:
  DECLARE_MESSAGE_MAP()
  // Passes mouse messages to the tool tips of the bars and windows within.
  void FilterToolTips(MSG* pMsg);
  BOOL m_bFrameMenuOwned = FALSE;
  friend class CView;
};

// The first "\n" field of string nID: a frame's title.
CString AfxFrameTitleFromString(UINT nID);
// ":n" for the n-th window of a document, "" for its only one.
CString AfxWindowNumberSuffix(int nWindow);
