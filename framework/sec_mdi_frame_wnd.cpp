// SECMDIFrameWnd: construction, menus, command routing, the embedded frame,
// the plug-in and closing.
#include "framework/sec_mdi_frame_wnd.h"

#include <cstdarg>

#include "framework/sec_bmp_menu_plug_in.h"
#include "framework/sec_control_bar.h"
#include "framework/sec_control_bar_info.h"
#include "framework/sec_dock_state.h"
#include "framework/sec_frame_docking.h"
#include "framework/sec_mdi_child_wnd.h"
#include "framework/sec_menu_bar_feature.h"
#include "framework/sec_menu_bar_mdi.h"
#include "framework/sec_res.h"
#include "platform/base/afxexcept.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

const UINT WM_SECGETMENU = ::RegisterWindowMessage("WM_SECGETMENU");

namespace {
// System commands (0xF000 and up) a frame passes to the default procedure.
constexpr UINT kSECFirstSysCommand = 0xF000;
// WM_ENTERIDLE from a dialog box.
constexpr UINT kSECIdleDialogBox = 0;
// The second plug-in window's style.
constexpr DWORD kSECPlugInWndStyle = 0x80000001;

}  // namespace

IMPLEMENT_DYNCREATE(SECMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECMDIFrameWnd, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_NCACTIVATE()
ON_WM_NCPAINT()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_REGISTERED_MESSAGE(WM_SECGETMENU, OnSecGetMenu)
ON_MESSAGE(WM_SEC_BARCONTEXTMENU, OnBarContextMenu)
ON_COMMAND_RANGE(ID_SEC_WORKSPACE_FIRST, ID_SEC_WORKSPACE_LAST, OnWorkspaceCommand)
ON_COMMAND_RANGE(ID_SEC_WORKSPACE2_FIRST, ID_SEC_WORKSPACE2_LAST, OnWorkspaceCommand)
ON_COMMAND_RANGE(ID_SEC_WORKSPACE3_FIRST, ID_SEC_WORKSPACE3_LAST, OnWorkspaceCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_SEC_WORKSPACE_FIRST, ID_SEC_WORKSPACE_LAST, OnUpdateWorkspaceCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_SEC_WORKSPACE2_FIRST, ID_SEC_WORKSPACE2_LAST, OnUpdateWorkspaceCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_SEC_WORKSPACE3_FIRST, ID_SEC_WORKSPACE3_LAST, OnUpdateWorkspaceCommand)
END_MESSAGE_MAP()

SECMDIFrameWnd::SECMDIFrameWnd() : m_rectClient(0, 0, 0, 0) {}

SECMDIFrameWnd::~SECMDIFrameWnd() {
  SECFrameFreeOwned(m_pPlugIn, m_pPlugInWnd, m_listBarInfo);
  SECFrameFreeMenuBar(m_pMenuBar, m_hMenuFrame);
  for (POSITION pos = m_mapMenus.GetStartPosition(); pos;) {
    UINT id = 0;
    HMENU menu = nullptr;
    m_mapMenus.GetNextAssoc(pos, id, menu);
    ::DestroyMenu(menu);
  }
}

BOOL SECMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                               CCreateContext* pContext) {
  m_nIDFrameResource = nIDResource;
  m_nIDCurrentMenu = nIDResource;
  if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (m_pMenuBar) {
    m_hMenuDefault = nullptr;
    m_hMenuFrame = SECFrameTakeOwnMenu(this, nIDResource);
    ActivateMenu(static_cast<UINT>(-1));
  }
  return TRUE;
}

BOOL SECMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  // In menu-bar mode the window menu is set once the bar shows a menu.
  if (m_pMenuBar) return CreateClient(lpcs, nullptr);
  return CMDIFrameWnd::OnCreateClient(lpcs, pContext);
}

int SECMDIFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
  if (m_pMenuBar && !m_pPlugIn)
    SetPlugIn(SECFrameMakeMenuBarFeature(m_pMenuBar));
  else if (m_bBmpMenus && !m_pPlugIn)
    SetPlugIn(new SECBmpMenuPlugIn);
  if (m_pPlugIn) {
    m_bBmpMenus = TRUE;
    SECFrameGiveBmpMgr(m_pPlugIn, m_pControlBarManager);
  }
  return 0;
}

BOOL SECMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
  SECFrameNoteBorderSpace(m_pMenuBar, lpRectBorder);
  return CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
}

void SECMDIFrameWnd::SetControlBarManager(SECControlBarManager* pManager) {
  m_pControlBarManager = pManager;
  SECFrameGiveBmpMgr(m_pPlugIn, pManager);
}

void SECMDIFrameWnd::SetMenuBar(SECMenuBar* pMenuBar) {
  if (m_pMenuBar == pMenuBar || m_hWnd) return;
  delete m_pMenuBar;
  m_pMenuBar = pMenuBar;
}

SECMenuBar* SECMDIFrameWnd::CreateMenuBar() {
  return m_pMenuBar && !m_pMenuBar->m_hWnd ? m_pMenuBar : nullptr;
}

void SECMDIFrameWnd::ActivateMenu(UINT nID) {
  auto* feature = dynamic_cast<SECMenuBarFeature*>(m_pPlugIn);
  if (!m_pMenuBar || !feature) return;
  if (nID != 0 && nID != static_cast<UINT>(-1)) {
    feature->ActivateMenu(nID);
  } else {
    feature->ActivateMenu(m_nIDFrameResource);
    RefreshMDIMenuBarButtons();
  }
  UpdateMDIWindowMenu();
}

void SECMDIFrameWnd::RefreshMDIMenuBarButtons() {
  auto* bar = dynamic_cast<SECMDIMenuBar*>(m_pMenuBar);
  if (!bar || !bar->UpdateMDIButtons(FALSE)) return;
  RecalcLayout(TRUE);
  if (bar->m_hWnd) bar->Invalidate();
}

void SECMDIFrameWnd::UpdateMDIWindowMenu() {
  if (!m_pMenuBar || !m_hWndMDIClient) return;
  HMENU popup = GetWindowMenuPopup(GetMenuForID(m_pMenuBar->GetCurrentMenuID()));
  if (popup && !::GetMenu(m_hWnd))
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(popup));
}

void SECMDIFrameWnd::SetPlugIn(SECWndPlugIn* pPlugIn) {
  if (m_pPlugIn == pPlugIn) return;
  delete m_pPlugIn;
  m_pPlugIn = pPlugIn;
  if (m_pPlugIn && m_hWnd) m_pPlugIn->PlugInTo(this);
}

// ---- Menus ----

BOOL SECMDIFrameWnd::RegisterMenus(UINT nCount, ...) {
  va_list ids;
  va_start(ids, nCount);
  BOOL ok = TRUE;
  for (UINT i = 0; i < nCount && ok; ++i) {
    const UINT id = va_arg(ids, UINT);
    HMENU menu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
    if (!menu) {
      ok = FALSE;
      break;
    }
    HMENU old = nullptr;
    if (m_mapMenus.Lookup(id, old) && old != menu) ::DestroyMenu(old);
    m_mapMenus.SetAt(id, menu);
  }
  va_end(ids);
  return ok;
}

HMENU SECMDIFrameWnd::GetMenuForID(UINT nID) {
  if (m_pMenuBar && m_hMenuFrame && nID == m_nIDCurrentMenu) return m_hMenuFrame;
  if (CWinApp* app = AfxGetApp()) {
    for (POSITION pos = app->GetFirstDocTemplatePosition(); pos;) {
      CDocTemplate* t = app->GetNextDocTemplate(pos);
      if (t->m_nIDResource == nID && t->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
        return static_cast<CMultiDocTemplate*>(t)->m_hMenuShared;
    }
  }
  HMENU menu = nullptr;
  m_mapMenus.Lookup(nID, menu);
  return menu;
}

LRESULT SECMDIFrameWnd::OnSecGetMenu(WPARAM wParam, LPARAM lParam) {
  HMENU menu = GetMenuForID(static_cast<UINT>(wParam));
  return menu ? reinterpret_cast<LRESULT>(::GetSubMenu(menu, static_cast<int>(lParam))) : 0;
}

void SECMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (m_pActiveEmbeddedFrame && m_pActiveEmbeddedFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
    static_cast<CMDIChildWnd*>(m_pActiveEmbeddedFrame)
        ->OnUpdateFrameMenu(TRUE, m_pActiveEmbeddedFrame, hMenuAlt);
    return;
  }
  CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
  if (m_pMenuBar) UpdateMDIWindowMenu();
}

LRESULT SECMDIFrameWnd::OnBarContextMenu(WPARAM wParam, LPARAM lParam) {
  auto* bar = reinterpret_cast<CControlBar*>(wParam);
  auto* menu = reinterpret_cast<CMenu*>(lParam);
  if (!bar || !menu) return 0;
  const BOOL inChild = SECBarFloatsInMDIChild(bar);
  if (inChild) menu->EnableMenuItem(ID_SEC_ALLOWDOCKING, MF_BYCOMMAND | MF_GRAYED);
  if (bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) &&
      (static_cast<SECControlBar*>(bar)->GetExBarStyle() & SECBAR_MDIFLOAT)) {
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING | (inChild ? MF_CHECKED : MF_UNCHECKED), ID_SEC_MDIFLOAT,
                     SECLoadString(ID_SEC_MDIFLOAT));
  }
  return 0;
}

// ---- Routing ----

CFrameWnd* SECMDIFrameWnd::GetActiveFrame() {
  return m_pActiveEmbeddedFrame ? m_pActiveEmbeddedFrame : CMDIFrameWnd::GetActiveFrame();
}

BOOL SECMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CFrameWnd* first = m_pActiveEmbeddedFrame ? m_pActiveEmbeddedFrame : MDIGetActive();
  if (first && first->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  BOOL result = FALSE;
  if (SECOfferCommand(m_pPlugInWnd, nID, nCode, pExtra, pHandlerInfo, result)) return result;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL SECMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  CFrameWnd* first = m_pActiveEmbeddedFrame ? m_pActiveEmbeddedFrame : MDIGetActive();
  if (first && first->SendMessage(WM_COMMAND, wParam, lParam)) return TRUE;
  if (CFrameWnd::OnCommand(wParam, lParam)) return TRUE;
  if (lParam == 0 && LOWORD(wParam) >= kSECFirstSysCommand) {
    DefWindowProc(WM_COMMAND, wParam, lParam);
    return TRUE;
  }
  return FALSE;
}

BOOL SECMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (SECOfferPreTranslate(m_pPlugIn, pMsg)) return TRUE;
  return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT SECMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // With bitmap menus the plug-in converts a popup after the frame updated it.
  const BOOL afterwards = message == WM_INITMENUPOPUP && m_bBmpMenus;
  LRESULT result = 0;
  if (!afterwards && SECOfferToPlugIn(m_pPlugIn, message, wParam, lParam, result)) return result;
  result = CMDIFrameWnd::WindowProc(message, wParam, lParam);
  LRESULT ignored = 0;
  if (afterwards) SECOfferToPlugIn(m_pPlugIn, message, wParam, lParam, ignored);
  return result;
}

// ---- Embedded frame ----

void SECMDIFrameWnd::DeactivateEmbeddedFrame(BOOL bReactivateChild) {
  CFrameWnd* frame = m_pActiveEmbeddedFrame;
  if (!frame) return;
  if (CView* view = frame->GetActiveView()) view->OnActivateView(FALSE, view, view);
  frame->SendMessage(WM_NCACTIVATE, FALSE);
  m_pActiveEmbeddedFrame = nullptr;
  if (::GetFocus() && frame->IsChild(CWnd::FromHandle(::GetFocus()))) ::SetFocus(nullptr);
  if (bReactivateChild && m_hWndMDIClient) {
    if (CMDIChildWnd* child = MDIGetActive()) {
      ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
      child->SendMessage(WM_NCACTIVATE, TRUE);
    }
  }
}

void SECMDIFrameWnd::SetActiveEmbeddedFrame(CFrameWnd* pFrame) {
  if (pFrame == m_pActiveEmbeddedFrame) return;
  DeactivateEmbeddedFrame(pFrame == nullptr);
  if (!pFrame) return;
  pFrame->SendMessage(WM_NCACTIVATE, TRUE);
  m_pActiveEmbeddedFrame = pFrame;
  // The MDI child looks inactive while the embedded frame takes the commands.
  if (CMDIChildWnd* child = MDIGetActive()) child->SendMessage(WM_NCACTIVATE, FALSE);
  CView* view = pFrame->GetActiveView();
  HWND focus = ::GetFocus();
  const BOOL focusInside = focus && (focus == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, focus));
  if (view && !focusInside) view->OnActivateView(TRUE, view, view);
  ::DrawMenuBar(m_hWnd);
}

void SECMDIFrameWnd::ActivateFrameView(UINT nState, CWnd*) {
  if (m_bActivating) return;
  m_bActivating = TRUE;
  CFrameWnd* frame = GetActiveFrame();
  CView* view = GetActiveView();
  if (!view && frame) view = frame->GetActiveView();
  if (view) view->OnActivateFrame(nState, frame);
  m_bActivating = FALSE;
}

void SECMDIFrameWnd::OnEnterIdle(UINT nWhy, CWnd*) {
  if (nWhy == kSECIdleDialogBox && (m_nIdleFlags & idleLayout)) {
    RecalcLayout(m_nIdleFlags & idleNotify);
    UpdateWindow();
  }
}

CWnd* SECMDIFrameWnd::CreatePlugInWnd(DWORD dwExStyle, LPCSTR lpszName, CRuntimeClass* pClass, UINT nID) {
  if (!pClass) return nullptr;
  auto* wnd = static_cast<CWnd*>(pClass->CreateObject());
  if (!wnd) return nullptr;
  if (!wnd->CreateEx(dwExStyle, nullptr, lpszName, kSECPlugInWndStyle, CRect(0, 0, 0, 0), this, nID)) {
    delete wnd;
    return nullptr;
  }
  if (wnd->IsKindOf(RUNTIME_CLASS(SECWndPlugIn)) && !static_cast<SECWndPlugIn*>(wnd)->PlugInTo(this)) {
    wnd->DestroyWindow();
    delete wnd;
    return nullptr;
  }
  if (m_pPlugInWnd) {
    m_pPlugInWnd->DestroyWindow();
    delete m_pPlugInWnd;
  }
  m_pPlugInWnd = wnd;
  return wnd;
}

// ---- Bar layout ----

void SECMDIFrameWnd::LoadBarState(LPCSTR lpszProfileName) {
  SECDockState state(m_pControlBarManager);
  CWinThread* thread = AfxGetThread();
  if (thread && !thread->m_pMainWnd) thread->m_pMainWnd = this;
  state.LoadStateFromProfile(lpszProfileName);
  SetDockState(state);
}

void SECMDIFrameWnd::SaveBarState(LPCSTR lpszProfileName) const {
  SECDockState state(m_pControlBarManager);
  if (state.GetState(const_cast<SECMDIFrameWnd*>(this))) state.SaveStateToProfile(lpszProfileName);
}

void SECMDIFrameWnd::SetDockState(SECDockState& state) { state.SetState(this); }

void SECMDIFrameWnd::GetDockState(SECDockState& state) const {
  state.GetState(const_cast<SECMDIFrameWnd*>(this));
}

// ---- Closing ----

void SECMDIFrameWnd::OnClose() { CMDIFrameWnd::OnClose(); }

BOOL SECMDIFrameWnd::DestroyWindow() {
  // The plug-in goes before the window: it sees none of its destruction.
  SetPlugIn(nullptr);
  return CMDIFrameWnd::DestroyWindow();
}
