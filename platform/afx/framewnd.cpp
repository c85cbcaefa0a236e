#include "platform/afx/framewnd.h"

#include "platform/afx/afxstrings.h"
#include "platform/afx/cmdui.h"
#include "platform/afx/controlbar.h"
#include "platform/afx/document.h"
#include "platform/afx/doctemplate.h"
#include "platform/afx/framelist.h"
#include "platform/afx/frame_menu.h"
#include "platform/afx/view.h"
#include "platform/afx/winapp.h"
#include "platform/afx/winthread.h"
#include "platform/ui/tooltip.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_ACTIVATE()
ON_WM_NCACTIVATE()
ON_WM_SETFOCUS()
ON_WM_ENABLE()
ON_WM_SHOWWINDOW()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMsg)
ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopupMsg)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() { afx::AddFrame(this); }

CFrameWnd::~CFrameWnd() {
  afx::RemoveFrame(this);
  if (m_hWnd) DestroyWindow();
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  m_strTitle = lpszWindowName ? lpszWindowName : "";
  HMENU menu = nullptr;
  if (lpszMenuName && !(dwStyle & WS_CHILD))
    menu = afx::FrameMenus().load(AfxGetResourceHandle(), lpszMenuName);
  HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  // Widths in 64 bits: CW_USEDEFAULT is the smallest int.
  int x = rect.left, y = rect.top;
  int w = static_cast<int>(int64_t{rect.right} - rect.left),
      h = static_cast<int>(int64_t{rect.bottom} - rect.top);
  if (rect.left == CW_USEDEFAULT) {
    x = y = CW_USEDEFAULT;
    w = h = CW_USEDEFAULT;
  }
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, w, h, parent,
                (dwStyle & WS_CHILD) ? nullptr : menu, pContext)) {
    if (menu) afx::FrameMenus().destroy(menu);
    return FALSE;
  }
  if (menu) {
    afx::FrameMenus().set(m_hWnd, menu);
    m_bFrameMenuOwned = TRUE;
  }
  return TRUE;
}

CString AfxFrameTitleFromString(UINT nID) {
  CString s;
  if (!s.LoadString(nID)) return CString();
  int nl = s.Find('\n');
  return nl >= 0 ? s.Left(nl) : s;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString title = AfxFrameTitleFromString(nIDResource);
  HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), icon);
  if (!Create(cls, title, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0, pContext))
    return FALSE;
  m_strTitle = title;
  m_hMenuDefault = afx::FrameMenus().get(m_hWnd);
  if (!m_hAccelTable)
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
  if (!pContext) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  CCreateContext* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if ((GetExStyle() & WS_EX_MDICHILD) && lpcs->lpCreateParams) {
    auto* mcs = static_cast<MDICREATESTRUCT*>(lpcs->lpCreateParams);
    context = reinterpret_cast<CCreateContext*>(mcs->lParam);
  }
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (!OnCreateClient(lpcs, context)) return -1;
  // Bars and views are placed once the frame has been sized.
  PostMessage(WM_SIZE, SIZE_RESTORED, 0);
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass) {
    if (!CreateView(pContext, AFX_IDW_PANE_FIRST)) return FALSE;
  }
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  if (!pContext || !pContext->m_pNewViewClass) return nullptr;
  CWnd* view = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
  if (!view) return nullptr;
  if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;
  if (GetExStyle() & WS_EX_CLIENTEDGE) view->ModifyStyle(WS_BORDER, 0, 0);
  return view;
}

void CFrameWnd::OnDestroy() {
  // The frame's own menu goes with it; a template's shared menu stays.
  HMENU current = afx::FrameMenus().get(m_hWnd);
  if (current && !(GetStyle() & WS_CHILD)) afx::FrameMenus().set(m_hWnd, nullptr);
  if (m_hMenuDefault && m_bFrameMenuOwned) afx::FrameMenus().destroy(m_hMenuDefault);
  m_hMenuDefault = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() {
  // A destroyed main window ends the thread's message loop.
  CWinThread* thread = AfxGetThread();
  if (thread && thread->m_pMainWnd == this) {
    thread->m_pMainWnd = nullptr;
    AfxPostQuitMessage(0);
  }
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  delete this;
}

// ---- Views and documents ----

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* old = m_pViewActive;
  if (pViewNew == old) return;
  m_pViewActive = nullptr;
  if (bNotify && old) old->OnActivateView(FALSE, pViewNew, old);
  m_pViewActive = pViewNew;
  if (bNotify && pViewNew) pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* view = GetActiveView();
  return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) nCmdShow = IsWindowVisible() ? (IsIconic() ? SW_RESTORE : SW_SHOW) : SW_SHOWNORMAL;
  ShowWindow(nCmdShow);
  if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE) BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* view = GetActiveView();
  if (!view) {
    CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      view = static_cast<CView*>(pane);
      SetActiveView(view, FALSE);
    }
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
  if (bMakeVisible) {
    if (view) view->OnActivateView(TRUE, view, view);
    ActivateFrame();
  }
  if (pDoc) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

// ---- Titles and prompts ----

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  if (bAddToTitle && doc)
    UpdateFrameTitleForDocument(doc->GetTitle());
  else
    UpdateFrameTitleForDocument(nullptr);
}

CString AfxWindowNumberSuffix(int nWindow) {
  CString n;
  if (nWindow > 0) n.Format(":%d", nWindow);
  return n;
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName) {
  CString text;
  CString doc = lpszDocName ? CString(lpszDocName) + AfxWindowNumberSuffix(m_nWindow) : CString();
  if (!lpszDocName)
    text = m_strTitle;
  else if (GetStyle() & FWS_PREFIXTITLE)
    text = doc + " - " + m_strTitle;
  else
    text = m_strTitle + " - " + doc;
  CString old;
  GetWindowText(old);
  if (old != text) SetWindowText(text);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (!hMenuAlt) {
    CDocument* doc = GetActiveDocument();
    if (doc && doc->GetDocTemplate() && doc->GetDocTemplate()->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
      hMenuAlt = static_cast<CMultiDocTemplate*>(doc->GetDocTemplate())->m_hMenuShared;
  }
  if (!hMenuAlt) hMenuAlt = m_hMenuDefault;
  if (hMenuAlt && !(GetStyle() & WS_CHILD) && afx::FrameMenus().get(m_hWnd) != hMenuAlt)
    afx::FrameMenus().set(m_hWnd, hMenuAlt);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CString s;
  if (s.LoadString(nID)) {
    int nl = s.Find('\n');
    rMessage = nl >= 0 ? s.Left(nl) : s;
  } else {
    rMessage = afx::FrameworkString(nID);
    int nl = rMessage.Find('\n');
    if (nl >= 0) rMessage = rMessage.Left(nl);
  }
}

CWnd* CFrameWnd::GetMessageBar() {
  HWND bar = afx::FindDescendant(m_hWnd, AFX_IDW_STATUS_BAR);
  if (bar) return CWnd::FromHandle(bar);
  // A child frame (MDI) shows its prompts on its parent frame's status bar.
  CFrameWnd* parent = (GetStyle() & WS_CHILD) ? GetParentFrame() : nullptr;
  return parent ? parent->GetMessageBar() : nullptr;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT last = m_nIDLastMessage;
  m_nIDLastMessage = static_cast<UINT>(wParam);
  CWnd* bar = GetMessageBar();
  if (bar) {
    CString text;
    if (lParam) {
      text = reinterpret_cast<LPCSTR>(lParam);
    } else if (wParam == 0 || wParam == AFX_IDS_IDLEMESSAGE) {
      text = afx::FrameworkString(AFX_IDS_IDLEMESSAGE);
    } else {
      GetMessageString(static_cast<UINT>(wParam), text);
    }
    bar->SetWindowText(text);
    bar->UpdateWindow();
  }
  return static_cast<LRESULT>(last);
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return OnSetMessageString(wParam ? wParam : AFX_IDS_IDLEMESSAGE, lParam);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
  SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}
void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID, 0); }

LRESULT CFrameWnd::OnMenuSelectMsg(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam), flags = HIWORD(wParam);
  if (flags == 0xFFFF && lParam == 0) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
  } else if (id == 0 || (flags & (MF_SEPARATOR | MF_POPUP))) {
    m_nIDTracking = 0;
  } else if (id >= 0xF000 && id < 0xF1F0) {
    m_nIDTracking = 0;  // system commands have no prompts here
  } else if (id >= AFX_IDM_FIRST_MDICHILD) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
  } else {
    m_nIDTracking = id;
  }
  if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking, 0);
  return 0;
}

LRESULT CFrameWnd::OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam) {
  // Each item of a popup asks its update handler; items nobody handles are
  // greyed while m_bAutoMenuEnable is set. The system menu is left alone.
  if (HIWORD(lParam)) return Default();
  HMENU popup = reinterpret_cast<HMENU>(wParam);
  const afx::FrameMenuOps& menus = afx::FrameMenus();
  CMenu* menu = menus.fromHandle(popup);
  if (!menu) return Default();
  CCmdUI state;
  state.m_pMenu = menu;
  state.m_nIndexMax = static_cast<UINT>(menus.itemCount(popup));
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = menus.itemId(popup, static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // separators
    state.m_pSubMenu = state.m_nID == static_cast<UINT>(-1)
                           ? menus.fromHandle(menus.subMenu(popup, static_cast<int>(state.m_nIndex)))
                           : nullptr;
    if (state.m_pSubMenu) continue;
    state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    // An update may have added or removed items (the recent-file list).
    state.m_nIndexMax = static_cast<UINT>(menus.itemCount(popup));
  }
  return 0;
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, void*) {
  // Bars hide while a preview covers the frame and come back afterwards.
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (bar->IsDockBar() || !bar->m_hWnd) continue;
    if (bPreview) {
      if (bar->IsWindowVisible()) {
        bar->m_nStateFlags |= CControlBar::tempHide;
        bar->ShowWindow(SW_HIDE);
      }
    } else if (bar->m_nStateFlags & CControlBar::tempHide) {
      bar->m_nStateFlags &= ~CControlBar::tempHide;
      bar->ShowWindow(SW_SHOWNA);
    }
  }
  RecalcLayout();
}

// ---- Commands ----

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // While a command is routed, the thread knows through which frame.
  AFX_THREAD_STATE* state = AfxGetThreadState();
  CFrameWnd* savedFrame = state->m_pRoutingFrame;
  state->m_pRoutingFrame = this;
  struct Restore {
    AFX_THREAD_STATE* s;
    CFrameWnd* f;
    ~Restore() { s->m_pRoutingFrame = f; }
  } restore{state, savedFrame};
  CView* view = GetActiveView();
  if (view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  HWND ctl = reinterpret_cast<HWND>(lParam);
  if (!ctl) {
    // A menu or accelerator command runs only while its item is enabled.
    m_nIDLastMessage = LOWORD(wParam);
    CTestCmdUI state;
    state.m_nID = LOWORD(wParam);
    OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
  }
  return CWnd::OnCommand(wParam, lParam);
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

// Mouse messages reach the tool tips of the nearest window under this frame
// that has them (a bar with CBRS_TOOLTIPS, or the frame); windows inside
// another frame are that frame's to filter.
void CFrameWnd::FilterToolTips(MSG* pMsg) {
  if (pMsg->message < WM_MOUSEMOVE || pMsg->message > WM_MBUTTONDBLCLK) return;
  CWnd* target = nullptr;
  for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
    CWnd* wnd = CWnd::FromHandlePermanent(h);
    if (!target && wnd && mirt_ui::ToolTipsEnabled(h)) target = wnd;
    if (h == m_hWnd) {
      if (target) mirt_ui::FilterToolTipMessage(target, pMsg);
      return;
    }
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return;
  }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  FilterToolTips(pMsg);
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    HACCEL accel = GetDefaultAccelerator();
    if (accel && ::TranslateAccelerator(m_hWnd, accel, pMsg)) return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  DWORD id =
      lParam ? static_cast<DWORD>(lParam) : (m_nIDTracking ? m_nIDTracking + 0x10000 : m_nIDHelp + 0x20000);
  if (id == 0) return FALSE;
  app->WinHelp(id, 0x0001 /* HELP_CONTEXT */);
  return TRUE;
}

void CFrameWnd::OnHelp() { OnCommandHelp(0, 0); }

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  CControlBar* bar = GetControlBar(pCmdUI->m_nID);
  if (!bar) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* bar = GetControlBar(nID);
  if (!bar) return FALSE;
  ShowControlBar(bar, !bar->IsVisible(), FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
  int key = pCmdUI->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
            : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                : VK_SCROLL;
  pCmdUI->Enable(::GetKeyState(key) & 1);
}

// ---- Activation and state ----

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  NotifyFloatingWindows(nState == WA_INACTIVE ? FS_DEACTIVATE : FS_ACTIVATE);
  CFrameWnd* active = GetActiveFrame();
  if (active) {
    CView* view = active->GetActiveView();
    if (view) view->OnActivateFrame(nState, active);
  }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive) { return CWnd::OnNcActivate(bActive); }

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  CView* view = GetActiveView();
  if (view && view->m_hWnd)
    view->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnEnable(BOOL bEnable) {
  CWnd::OnEnable(bEnable);
  NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  CWnd::OnShowWindow(bShow, nStatus);
  if (nStatus == 0) NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  // Floating frames are owned (not child) windows of this frame.
  CWnd* top = GetTopLevelParent();
  if (!top) return;
  HWND owner = top->m_hWnd;
  std::vector<HWND> targets;
  ::EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&targets));
  for (HWND h : targets) {
    if (h == owner || ::GetWindow(h, GW_OWNER) != owner) continue;
    ::SendMessage(h, WM_FLOATSTATUS, dwFlags, 0);
  }
}

// ---- Close sequence ----

void CFrameWnd::OnClose() {
  if (m_lpfnCloseProc) {
    auto proc = reinterpret_cast<void (*)(CFrameWnd*)>(m_lpfnCloseProc);
    proc(this);
    return;
  }
  CDocument* doc = GetActiveDocument();
  if (doc && !doc->CanCloseFrame(this)) return;
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    if (!doc && !app->SaveAllModified()) return;
    app->HideApplication();
    app->CloseAllDocuments(FALSE);
    if (!app->m_pMainWnd) {
      AfxPostQuitMessage(0);
      return;
    }
  }
  if (doc && doc->m_bAutoDelete) {
    // A document whose views all lie in this frame closes with it.
    BOOL other = FALSE;
    for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
      CView* view = doc->GetNextView(pos);
      if (view->GetParentFrame() != this) other = TRUE;
    }
    if (!other) {
      doc->OnCloseDocument();
      return;
    }
    doc->PreCloseFrame(this);
  }
  DestroyWindow();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
  // The area around a missing view gets the frame's colour.
  return CWnd::OnEraseBkgnd(pDC);
}
