#include "platform/afx/mdi.h"

#include "platform/afx/afxstrings.h"
#include "platform/afx/cmdui.h"
#include "platform/afx/document.h"
#include "platform/afx/doctemplate.h"
#include "platform/afx/frame_menu.h"
#include "platform/afx/track_loop.h"
#include "platform/afx/view.h"
#include "platform/afx/winapp.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

// ---- The MDI frame ----

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

void CMDIFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  CMDIChildWnd* child = MDIGetActive();
  if (child && child->IsWindowVisible())
    child->SetFocus();
  else
    CFrameWnd::OnSetFocus(pOldWnd);
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  m_hMenuDefault = afx::FrameMenus().get(m_hWnd);
  return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (!hMenuBar) return nullptr;
  const afx::FrameMenuOps& menus = afx::FrameMenus();
  int count = menus.itemCount(hMenuBar);
  // The popup with the window commands, else the second-to-last one.
  for (int i = count - 1; i >= 0; --i) {
    HMENU popup = menus.subMenu(hMenuBar, i);
    if (!popup) continue;
    int n = menus.itemCount(popup);
    for (int j = 0; j < n; ++j) {
      UINT id = menus.itemId(popup, j);
      if ((id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT) || id >= AFX_IDM_FIRST_MDICHILD) return popup;
    }
  }
  return count >= 2 ? menus.subMenu(hMenuBar, count - 2) : nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  HMENU menu = m_hMenuDefault ? nullptr : afx::FrameMenus().get(m_hWnd);
  return CreateClient(lpcs, menu ? GetWindowMenuPopup(menu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, HMENU hWindowMenu) {
  CLIENTCREATESTRUCT ccs{hWindowMenu, AFX_IDM_FIRST_MDICHILD};
  m_hWndMDIClient = ::CreateWindowEx(
      WS_EX_CLIENTEDGE, afx::MDIClientClass(), nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, m_hWnd,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), AfxGetResourceHandle(), &ccs);
  return m_hWndMDIClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (!m_hWndMDIClient) {
    if (pbMaximized) *pbMaximized = FALSE;
    return nullptr;
  }
  HWND h = reinterpret_cast<HWND>(
      ::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(pbMaximized)));
  CWnd* wnd = h ? CWnd::FromHandlePermanent(h) : nullptr;
  return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(wnd) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWnd) {
  if (pWnd) ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}
void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
  if (pWnd) ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}
void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
  if (pWnd) ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}
void CMDIFrameWnd::MDICascade(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, nType, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, nType, 0); }
void CMDIFrameWnd::MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu) {
  return reinterpret_cast<HMENU>(::SendMessage(m_hWndMDIClient, WM_MDISETMENU,
                                               reinterpret_cast<WPARAM>(hFrameMenu),
                                               reinterpret_cast<LPARAM>(hWindowMenu)));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  BOOL maximised = FALSE;
  CMDIChildWnd* child = MDIGetActive(&maximised);
  CDocument* doc = GetActiveDocument();
  if (bAddToTitle && child && !maximised && (doc || (doc = child->GetActiveDocument()))) {
    UpdateFrameTitleForDocument(doc->GetTitle());
    return;
  }
  CString title;
  if (child && !(child->GetStyle() & FWS_ADDTOTITLE)) title = child->GetTitle();
  UpdateFrameTitleForDocument(title.IsEmpty() ? nullptr : static_cast<LPCSTR>(title));
  if (!child || !maximised) return;
  // A maximised child has no caption of its own: the frame names it, "App - [Doc]".
  CString childText, text;
  child->GetWindowText(childText);
  GetWindowText(text);
  text += " - [" + childText + "]";
  SetWindowText(text);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  CMDIChildWnd* child = MDIGetActive();
  if (child) {
    child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
    return;
  }
  if (!hMenuAlt) hMenuAlt = m_hMenuDefault;
  ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt), 0);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CMDIChildWnd* child = MDIGetActive();
  if (child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  CMDIChildWnd* child = MDIGetActive();
  // The active child takes its commands first.
  if (child && child->SendMessage(WM_COMMAND, wParam, lParam)) return TRUE;
  if (CFrameWnd::OnCommand(wParam, lParam)) return TRUE;
  UINT id = LOWORD(wParam);
  if (!lParam && id >= AFX_IDM_FIRST_MDICHILD) {
    // An entry of the window menu's list.
    for (HWND h = ::GetTopWindow(m_hWndMDIClient); h; h = ::GetNextWindow(h, GW_HWNDNEXT)) {
      if (static_cast<UINT>(::GetDlgCtrlID(h)) == id) {
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
        return TRUE;
      }
    }
  }
  return FALSE;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator() {
  CMDIChildWnd* child = MDIGetActive();
  if (child && child->m_hAccelTable) return child->m_hAccelTable;
  return m_hAccelTable;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  CMDIChildWnd* child = MDIGetActive();
  if (child && child->PreTranslateMessage(pMsg)) return TRUE;
  FilterToolTips(pMsg);
  if (::TranslateMDISysAccel(m_hWndMDIClient, pMsg)) return TRUE;
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable &&
      ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg))
    return TRUE;
  return FALSE;
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case ID_WINDOW_ARRANGE:
      MDIIconArrange();
      break;
    case ID_WINDOW_CASCADE:
      MDICascade();
      break;
    case ID_WINDOW_TILE_HORZ:
      MDITile(MDITILE_HORIZONTAL);
      break;
    case ID_WINDOW_TILE_VERT:
      MDITile(MDITILE_VERTICAL);
      break;
    default:
      return FALSE;
  }
  return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

void CMDIFrameWnd::OnWindowNew() {
  CMDIChildWnd* child = MDIGetActive();
  CDocument* doc = child ? child->GetActiveDocument() : nullptr;
  CDocTemplate* t = doc ? doc->GetDocTemplate() : nullptr;
  if (!t) return;
  CFrameWnd* frame = t->CreateNewFrame(doc, child);
  if (frame) t->InitialUpdateFrame(frame, doc);
}

// ---- MDI children ----

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_MOUSEACTIVATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CHILD | WS_CLIPSIBLINGS;
  cs.dwExStyle |= WS_EX_MDICHILD;
  return CFrameWnd::PreCreateWindow(cs);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  HWND frame = client ? ::GetParent(client) : nullptr;
  CWnd* wnd = frame ? CWnd::FromHandlePermanent(frame) : nullptr;
  return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(wnd) : nullptr;
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (!pParentWnd) {
    CWnd* main = AfxGetMainWnd();
    if (main && main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) pParentWnd = static_cast<CMDIFrameWnd*>(main);
  }
  if (!pParentWnd || !pParentWnd->m_hWndMDIClient) return FALSE;
  m_strTitle = lpszWindowName ? lpszWindowName : "";
  MDICREATESTRUCT mcs{};
  mcs.szClass = lpszClassName;
  mcs.szTitle = lpszWindowName;
  mcs.hOwner = AfxGetResourceHandle();
  mcs.x = rect.left;
  mcs.y = rect.top;
  mcs.cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
  mcs.cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
  mcs.style = dwStyle & ~(WS_MAXIMIZE | WS_VISIBLE);
  mcs.lParam = reinterpret_cast<LPARAM>(pContext);
  HWND client = pParentWnd->m_hWndMDIClient;
  RECT area;
  ::GetClientRect(client, &area);
  int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
  int n = 0;
  for (HWND h = ::GetTopWindow(client); h; h = ::GetNextWindow(h, GW_HWNDNEXT)) ++n;
  int x = mcs.x == CW_USEDEFAULT ? (n % 8) * step : mcs.x;
  int y = mcs.x == CW_USEDEFAULT ? (n % 8) * step : mcs.y;
  int cx = mcs.cx == CW_USEDEFAULT ? (area.right - area.left) * 3 / 4 : mcs.cx;
  int cy = mcs.cy == CW_USEDEFAULT ? (area.bottom - area.top) * 3 / 4 : mcs.cy;
  // Ids follow the window menu's numbering of children.
  static UINT serial = 0;
  UINT id = AFX_IDM_FIRST_MDICHILD + (serial++ % 0xF0);
  DWORD style = mcs.style | WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  if (!CWnd::CreateEx(WS_EX_MDICHILD, lpszClassName, lpszWindowName, style, x, y, cx, cy, client,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), &mcs))
    return FALSE;
  if (dwStyle & WS_VISIBLE) {
    ::BringWindowToTop(m_hWnd);
    ShowWindow(SW_SHOWNORMAL);
    pParentWnd->MDIActivate(this);
    if (dwStyle & WS_MAXIMIZE) pParentWnd->MDIMaximize(this);
    ::SendMessage(client, WM_MDIREFRESHMENU, 0, 0);
  }
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString title = AfxFrameTitleFromString(nIDResource);
  HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                   reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), icon);
  CMDIFrameWnd* parent = pParentWnd && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                             ? static_cast<CMDIFrameWnd*>(pParentWnd)
                             : nullptr;
  // Menus and accelerators come from the template before the child shows.
  if (pContext && pContext->m_pNewDocTemplate &&
      pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
    auto* t = static_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
    m_hMenuShared = t->m_hMenuShared;
    m_hAccelTable = t->m_hAccelTable;
  }
  if (!Create(cls, title, dwDefaultStyle, rectDefault, parent, pContext)) return FALSE;
  m_strTitle = title;
  if (!pContext) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
  return TRUE;
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return CFrameWnd::DestroyWindow();
  // The frame's title does not flicker through the child's destruction.
  HWND hFrame = frame->m_hWnd;
  LONG style = ::GetWindowLong(hFrame, GWL_STYLE);
  ::SetWindowLong(hFrame, GWL_STYLE, style & ~FWS_ADDTOTITLE);
  MDIDestroy();
  if (::IsWindow(hFrame)) {
    ::SetWindowLong(hFrame, GWL_STYLE, style);
    frame->OnUpdateFrameTitle(TRUE);
  }
  return TRUE;
}

void CMDIChildWnd::MDIDestroy() {
  HWND client = ::GetParent(m_hWnd);
  ::SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIMaximize() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIRestore() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  CMDIFrameWnd* frame = GetMDIFrame();
  BOOL visible = IsWindowVisible();
  if (nCmdShow == -1) nCmdShow = SW_SHOW;
  if (!visible || nCmdShow != SW_SHOW) ShowWindow(nCmdShow == SW_SHOWMAXIMIZED ? SW_SHOW : nCmdShow);
  if (frame) {
    frame->MDIActivate(this);
    if (nCmdShow == SW_SHOWMAXIMIZED) frame->MDIMaximize(this);
    if (!frame->IsWindowVisible()) frame->ShowWindow(SW_SHOW);
  }
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable) {
    CMDIFrameWnd* frame = GetMDIFrame();
    HWND target = frame ? frame->m_hWnd : m_hWnd;
    if (::TranslateAccelerator(target, m_hAccelTable, pMsg)) return TRUE;
  }
  return FALSE;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) && bAddToTitle) {
    CDocument* doc = GetActiveDocument();
    CString text = (doc ? doc->GetTitle() : m_strTitle) + AfxWindowNumberSuffix(m_nWindow);
    CString old;
    GetWindowText(old);
    if (old != text) SetWindowText(text);
  }
  // The frame after the child: a maximised child's text shows in the frame's title.
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(bAddToTitle);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) {
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return;
  if (!hMenuAlt) hMenuAlt = m_hMenuShared;
  if (hMenuAlt && bActivate) {
    ::SendMessage(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                  reinterpret_cast<LPARAM>(frame->GetWindowMenuPopup(hMenuAlt)));
  } else if (!bActivate && !pActivateWnd) {
    // The last child went: the frame's own menu again.
    ::SendMessage(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(frame->m_hMenuDefault),
                  reinterpret_cast<LPARAM>(frame->GetWindowMenuPopup(frame->m_hMenuDefault)));
  } else {
    ::SendMessage(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
  CView* view = GetActiveView();
  if (bActivate) {
    OnUpdateFrameMenu(TRUE, pActivateWnd, nullptr);
    if (view) view->OnActivateView(TRUE, view, view);
  } else {
    if (view) view->OnActivateView(FALSE, view, view);
    if (!pActivateWnd) OnUpdateFrameMenu(FALSE, nullptr, nullptr);
  }
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->m_nIdleFlags |= idleTitle;
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  CMDIFrameWnd* frame = GetMDIFrame();
  if (frame && frame->MDIGetActive() != this) MDIActivate();
  return result;
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
  CFrameWnd::OnSize(nType, cx, cy);
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->m_nIdleFlags |= idleTitle;
}

void CMDIChildWnd::OnDestroy() {
  CFrameWnd::OnDestroy();
  HWND client = ::GetParent(m_hWnd);
  // Destroyed without the client knowing: the client moves on.
  if (client && reinterpret_cast<HWND>(::SendMessage(client, WM_MDIGETACTIVE, 0, 0)) == m_hWnd)
    ::SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

LRESULT CMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  switch (message) {
    case WM_MDIACTIVATE: {
      HWND deactivated = reinterpret_cast<HWND>(wParam), activated = reinterpret_cast<HWND>(lParam);
      OnMDIActivate(activated == m_hWnd, activated ? CWnd::FromHandle(activated) : nullptr,
                    deactivated ? CWnd::FromHandle(deactivated) : nullptr);
      return 0;
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
          ::SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
          return 0;
        case SC_RESTORE:
          ::SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
          return 0;
        case SC_MINIMIZE:
          ::SendMessage(client, afx::kMDIMinimize, reinterpret_cast<WPARAM>(m_hWnd), 0);
          return 0;
        case SC_NEXTWINDOW:
          ::SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(m_hWnd), 0);
          return 0;
        case SC_PREVWINDOW:
          ::SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(m_hWnd), 1);
          return 0;
        case SC_CLOSE:
          SendMessage(WM_CLOSE);
          return 0;
        default:
          break;
      }
      break;
    case WM_CHILDACTIVATE:
      if (client) ::SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
      return 0;
    case WM_NCLBUTTONDOWN: {
      // The caption moves a child, its borders size it, unless it is maximised.
      if (client) ::SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (GetStyle() & WS_MAXIMIZE) return 0;
      if (wParam == HTCAPTION) {
        afx::TrackWindowMove(m_hWnd, pt);
        return 0;
      }
      if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT) {
        SIZE min{::GetSystemMetrics(SM_CXMIN), ::GetSystemMetrics(SM_CYMIN)};
        afx::TrackWindowSize(m_hWnd, static_cast<UINT>(wParam), pt, min);
        return 0;
      }
      break;
    }
    case WM_NCLBUTTONDBLCLK:
      // A double click on the caption maximises the child or brings it back.
      if (wParam == HTCAPTION && client) {
        ::SendMessage(client, (GetStyle() & WS_MAXIMIZE) ? WM_MDIRESTORE : WM_MDIMAXIMIZE,
                      reinterpret_cast<WPARAM>(m_hWnd), 0);
        return 0;
      }
      break;
    default:
      break;
  }
  return CFrameWnd::WindowProc(message, wParam, lParam);
}
