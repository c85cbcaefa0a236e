// CWnd: the window object of the framework, over an HWND, with message
// maps, default processing, subclassing and the usual member wrappers.
#pragma once

#include "platform/ui/cmdtarget.h"
#include "platform/ui/ui.h"

class CDC;
class CFont;
class CRgn;
class CBitmap;
class CDataExchange;
class CFrameWnd;

#define ON_WM_CREATE() \
  {WM_CREATE, 0, 0, 0, AfxSig_is, AFX_MSG_CAST(int(CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)},
#define ON_WM_NCCREATE() \
  {WM_NCCREATE, 0, 0, 0, AfxSig_bs, AFX_MSG_CAST(BOOL(CWnd::*)(LPCREATESTRUCT), &ThisClass::OnNcCreate)},
#define ON_WM_DESTROY() \
  {WM_DESTROY, 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void(CWnd::*)(), &ThisClass::OnDestroy)},
#define ON_WM_NCDESTROY() \
  {WM_NCDESTROY, 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void(CWnd::*)(), &ThisClass::OnNcDestroy)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void(CWnd::*)(), &ThisClass::OnClose)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void(CWnd::*)(), &ThisClass::OnPaint)},
#define ON_WM_NCPAINT() \
  {WM_NCPAINT, 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void(CWnd::*)(), &ThisClass::OnNcPaint)},
#define ON_WM_ERASEBKGND() \
  {WM_ERASEBKGND, 0, 0, 0, AfxSig_bD, AFX_MSG_CAST(BOOL(CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)},
#define ON_WM_SIZE() \
  {WM_SIZE, 0, 0, 0, AfxSig_vwii, AFX_MSG_CAST(void(CWnd::*)(UINT, int, int), &ThisClass::OnSize)},
#define ON_WM_MOVE() \
  {WM_MOVE, 0, 0, 0, AfxSig_vvii, AFX_MSG_CAST(void(CWnd::*)(int, int), &ThisClass::OnMove)},
#define ON_WM_SETFOCUS() \
  {WM_SETFOCUS, 0, 0, 0, AfxSig_vW, AFX_MSG_CAST(void(CWnd::*)(CWnd*), &ThisClass::OnSetFocus)},
#define ON_WM_KILLFOCUS() \
  {WM_KILLFOCUS, 0, 0, 0, AfxSig_vW, AFX_MSG_CAST(void(CWnd::*)(CWnd*), &ThisClass::OnKillFocus)},
#define ON_WM_CAPTURECHANGED() \
  {WM_CAPTURECHANGED, 0, 0, 0, AfxSig_vW, AFX_MSG_CAST(void(CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged)},
#define AFX_MOUSE(msg, fn) \
  {msg, 0, 0, 0, AfxSig_vwp, AFX_MSG_CAST(void(CWnd::*)(UINT, CPoint), &ThisClass::fn)},
#define ON_WM_MOUSEMOVE() AFX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_MOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_MOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_MOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_MOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_MOUSEWHEEL() \
  {WM_MOUSEWHEEL,          \
   0,                      \
   0,                      \
   0,                      \
   AfxSig_bwsp,            \
   AFX_MSG_CAST(BOOL(CWnd::*)(UINT, short, CPoint), &ThisClass::OnMouseWheel)},
#define AFX_KEY(msg, fn) \
  {msg, 0, 0, 0, AfxSig_vwww, AFX_MSG_CAST(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::fn)},
#define ON_WM_KEYDOWN() AFX_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_HSCROLL()        \
  {WM_HSCROLL, 0,           0, \
   0,          AfxSig_vwwx, AFX_MSG_CAST(void(CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)},
#define ON_WM_VSCROLL()        \
  {WM_VSCROLL, 0,           0, \
   0,          AfxSig_vwwx, AFX_MSG_CAST(void(CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)},
#define ON_WM_TIMER() \
  {WM_TIMER, 0, 0, 0, AfxSig_vt, AFX_MSG_CAST(void(CWnd::*)(UINT_PTR), &ThisClass::OnTimer)},
#define ON_WM_SETCURSOR() \
  {WM_SETCURSOR,          \
   0,                     \
   0,                     \
   0,                     \
   AfxSig_bWww,           \
   AFX_MSG_CAST(BOOL(CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)},
#define ON_WM_CONTEXTMENU() \
  {WM_CONTEXTMENU,          \
   0,                       \
   0,                       \
   0,                       \
   AfxSig_vWp,              \
   AFX_MSG_CAST(void(CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu)},
#define ON_WM_SHOWWINDOW() \
  {WM_SHOWWINDOW, 0, 0, 0, AfxSig_vbw, AFX_MSG_CAST(void(CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)},
#define ON_WM_ENABLE() \
  {WM_ENABLE, 0, 0, 0, AfxSig_vb, AFX_MSG_CAST(void(CWnd::*)(BOOL), &ThisClass::OnEnable)},
#define ON_WM_NCHITTEST() \
  {WM_NCHITTEST, 0, 0, 0, AfxSig_lp, AFX_MSG_CAST(LRESULT(CWnd::*)(CPoint), &ThisClass::OnNcHitTest)},
#define ON_WM_NCCALCSIZE() \
  {WM_NCCALCSIZE,          \
   0,                      \
   0,                      \
   0,                      \
   AfxSig_vbn,             \
   AFX_MSG_CAST(void(CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), &ThisClass::OnNcCalcSize)},
#define ON_WM_GETMINMAXINFO() \
  {WM_GETMINMAXINFO,          \
   0,                         \
   0,                         \
   0,                         \
   AfxSig_vmm,                \
   AFX_MSG_CAST(void(CWnd::*)(MINMAXINFO*), &ThisClass::OnGetMinMaxInfo)},
#define ON_WM_WINDOWPOSCHANGING() \
  {WM_WINDOWPOSCHANGING,          \
   0,                             \
   0,                             \
   0,                             \
   AfxSig_vpos,                   \
   AFX_MSG_CAST(void(CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanging)},
#define ON_WM_WINDOWPOSCHANGED() \
  {WM_WINDOWPOSCHANGED,          \
   0,                            \
   0,                            \
   0,                            \
   AfxSig_vpos,                  \
   AFX_MSG_CAST(void(CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanged)},
#define ON_WM_ACTIVATE() \
  {WM_ACTIVATE, 0, 0, 0, AfxSig_vwWb, AFX_MSG_CAST(void(CWnd::*)(UINT, CWnd*, BOOL), &ThisClass::OnActivate)},
#define ON_WM_NCACTIVATE() \
  {WM_NCACTIVATE, 0, 0, 0, AfxSig_bb, AFX_MSG_CAST(BOOL(CWnd::*)(BOOL), &ThisClass::OnNcActivate)},
#define ON_WM_MOUSEACTIVATE() \
  {WM_MOUSEACTIVATE,          \
   0,                         \
   0,                         \
   0,                         \
   AfxSig_iWww,               \
   AFX_MSG_CAST(int(CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnMouseActivate)},
#define ON_WM_GETDLGCODE() \
  {WM_GETDLGCODE, 0, 0, 0, AfxSig_wv, AFX_MSG_CAST(UINT(CWnd::*)(), &ThisClass::OnGetDlgCode)},
#define ON_WM_SYSCOMMAND() \
  {WM_SYSCOMMAND, 0, 0, 0, AfxSig_vwl, AFX_MSG_CAST(void(CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand)},
#define ON_WM_CTLCOLOR() \
  {WM_CTLCOLORSTATIC,    \
   0,                    \
   0,                    \
   0,                    \
   AfxSig_hDWw,          \
   AFX_MSG_CAST(HBRUSH(CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)},
#define ON_WM_DRAWITEM() \
  {WM_DRAWITEM,          \
   0,                    \
   0,                    \
   0,                    \
   AfxSig_vOWNER,        \
   AFX_MSG_CAST(void(CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)},
#define ON_WM_MEASUREITEM() \
  {WM_MEASUREITEM,          \
   0,                       \
   0,                       \
   0,                       \
   AfxSig_vMEASURE,         \
   AFX_MSG_CAST(void(CWnd::*)(int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem)},
#define ON_WM_STYLECHANGED() \
  {WM_STYLECHANGED,          \
   0,                        \
   0,                        \
   0,                        \
   AfxSig_vwSTYLE,           \
   AFX_MSG_CAST(void(CWnd::*)(int, LPSTYLESTRUCT), &ThisClass::OnStyleChanged)},
#define ON_WM_SETTINGCHANGE() \
  {WM_SETTINGCHANGE,          \
   0,                         \
   0,                         \
   0,                         \
   AfxSig_vws,                \
   AFX_MSG_CAST(void(CWnd::*)(UINT, LPCSTR), &ThisClass::OnSettingChange)},
#define ON_WM_SYSCOLORCHANGE() \
  {WM_SYSCOLORCHANGE, 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void(CWnd::*)(), &ThisClass::OnSysColorChange)},
#define ON_WM_CANCELMODE() \
  {WM_CANCELMODE, 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void(CWnd::*)(), &ThisClass::OnCancelMode)},
#define ON_WM_PARENTNOTIFY() \
  {WM_PARENTNOTIFY,          \
   0,                        \
   0,                        \
   0,                        \
   AfxSig_vwL,               \
   AFX_MSG_CAST(void(CWnd::*)(UINT, LPARAM), &ThisClass::OnParentNotify)},
#define ON_WM_DROPFILES() \
  {WM_DROPFILES, 0, 0, 0, AfxSig_vDROP, AFX_MSG_CAST(void(CWnd::*)(HDROP), &ThisClass::OnDropFiles)},
#define ON_WM_HELPINFO() \
  {WM_HELP, 0, 0, 0, AfxSig_bHELPINFO, AFX_MSG_CAST(BOOL(CWnd::*)(void*), &ThisClass::OnHelpInfo)},

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  HWND m_hWnd = nullptr;

  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The permanent CWnd of a window, or a temporary one made for it.
  static CWnd* PASCAL FromHandle(HWND hWnd);
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  // Takes a window's messages through this object's message map first.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                        int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                        LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();

  // Message processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual void PostNcDestroy();
  virtual void PreSubclassWindow();
  // A notification of a child control, offered to the control itself first.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult);
  LRESULT Default();
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);
  static const MSG* PASCAL GetCurrentMessage();
  WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }

  // State and relations.
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int nID);
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd);
  CWnd* GetTopLevelParent() const;
  CWnd* GetParentOwner() const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetTopWindow() const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
  CWnd* GetDlgItem(int nID) const;
  CWnd* ChildWindowFromPoint(POINT point) const;
  static CWnd* PASCAL WindowFromPoint(POINT point);
  static CWnd* PASCAL GetFocus();
  static CWnd* PASCAL GetCapture();
  static CWnd* PASCAL GetActiveWindow();
  static CWnd* PASCAL GetDesktopWindow();
  CWnd* SetFocus();
  CWnd* SetCapture();
  CWnd* SetActiveWindow();
  BOOL IsChild(const CWnd* pWnd) const;
  BOOL IsWindowVisible() const;
  void DragAcceptFiles(BOOL bAccept = TRUE);
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
  BOOL IsWindowEnabled() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL ShowWindow(int nCmdShow);

  // Placement.
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
  void BringWindowToTop();
  void CenterWindow(CWnd* pAlternateOwner = nullptr);

  // Text.
  void SetWindowText(LPCSTR lpszString);
  int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  void SetDlgItemText(int nID, LPCSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;

  // Painting.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint);
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void ValidateRgn(CRgn* pRgn);
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL bRedraw = TRUE);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);
  int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                     LPRECT lpRectUpdate, UINT flags);

  // Scroll bars.
  int GetScrollPos(int nBar) const;
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  int GetScrollLimit(int nBar);
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
  BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);

  // Dialog data and controls (ddx.cpp): data exchange with the child
  // controls, check boxes and radio buttons by id.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
  // Tool tips of the window's tools (tooltip_filter.cpp): shown as mouse
  // messages pass through mirt_ui::FilterToolTipMessage.
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  virtual INT_PTR OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const;

  // Carets, timers.
  void CreateCaret(CBitmap* pBitmap);
  void CreateSolidCaret(int nWidth, int nHeight);
  void CreateGrayCaret(int nWidth, int nHeight);
  static CPoint PASCAL GetCaretPos();
  static void PASCAL SetCaretPos(POINT point);
  void HideCaret();
  void ShowCaret();
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
  BOOL KillTimer(UINT_PTR nIDEvent);

  // Framework helpers (built with the application framework).
  enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                      LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

  // Default handlers.
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnNcDestroy();
  void OnClose();
  void OnPaint();
  void OnNcPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnSize(UINT nType, int cx, int cy);
  void OnMove(int x, int y);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnCaptureChanged(CWnd* pWnd);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  void OnRButtonDblClk(UINT nFlags, CPoint point);
  void OnMButtonDown(UINT nFlags, CPoint point);
  void OnMButtonUp(UINT nFlags, CPoint point);
  void OnNcMouseMove(UINT nHitTest, CPoint point);
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonUp(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  void OnNcRButtonDown(UINT nHitTest, CPoint point);
  void OnNcRButtonUp(UINT nHitTest, CPoint point);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnTimer(UINT_PTR nIDEvent);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnContextMenu(CWnd* pWnd, CPoint pos);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnEnable(BOOL bEnable);
  LRESULT OnNcHitTest(CPoint point);
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  BOOL OnNcActivate(BOOL bActive);
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  UINT OnGetDlgCode();
  void OnSysCommand(UINT nID, LPARAM lParam);
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
  void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  void OnSysColorChange();
  void OnCancelMode();
  void OnParentNotify(UINT message, LPARAM lParam);
  BOOL OnHelpInfo(void* pHelpInfo);
  // Default: the drop is finished unread.
  void OnDropFiles(HDROP hDropInfo);

 protected:
  WNDPROC m_pfnSuper = nullptr;  // the procedure Default() passes on to
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  const AFX_MSGMAP* GetMessageMap() const override;

  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Registers a window class for CWnd windows, with a generated name.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
// Cleans up temporary CWnd objects (made by FromHandle).
void AfxDeleteTempWindows();
