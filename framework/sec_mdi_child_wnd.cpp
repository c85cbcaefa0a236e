#include "framework/sec_mdi_child_wnd.h"

#include "framework/sec_dock_context.h"
#include "framework/sec_global_data.h"
#include "framework/sec_mdi_frame_wnd.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(SECMDIChildWnd, CMDIChildWnd)
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_CHILDACTIVATE, OnChildActivate)
END_MESSAGE_MAP()

void SECMDIChildWnd::DeactivateEmbeddedFrame() {
  CWnd* frame = GetMDIFrame();
  if (frame && frame->IsKindOf(RUNTIME_CLASS(SECMDIFrameWnd))) {
    auto* sec = static_cast<SECMDIFrameWnd*>(frame);
    if (sec->GetActiveEmbeddedFrame()) sec->DeactivateEmbeddedFrame(FALSE);
  }
}

namespace {
// The main frame when it is a framework MDI frame in menu-bar mode.
SECMDIFrameWnd* SECMenuBarFrameOf(CMDIChildWnd* pChild) {
  auto* frame = dynamic_cast<SECMDIFrameWnd*>(pChild->GetMDIFrame());
  return frame && frame->GetMenuBar() ? frame : nullptr;
}
}  // namespace

BOOL SECMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                               CCreateContext* pContext) {
  auto* parent = dynamic_cast<SECMDIFrameWnd*>(pParentWnd ? pParentWnd : AfxGetMainWnd());
  m_bMenuBar = parent && parent->GetMenuBar();
  if (m_bMenuBar) {
    // The menu bar shows the template's menu by its id; the child shares no Win32 menu.
    CDocTemplate* tmpl = pContext ? pContext->m_pNewDocTemplate : nullptr;
    m_nIDMenu = tmpl && tmpl->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)) ? tmpl->m_nIDResource : nIDResource;
  }
  if (!CMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle | WS_CHILD, pParentWnd, pContext)) return FALSE;
  if (m_bMenuBar) {
    m_hMenuShared = nullptr;
    if (SECMDIFrameWnd* frame = SECMenuBarFrameOf(this); frame && frame->MDIGetActive() == this)
      frame->ActivateMenu(m_nIDMenu);
  }
  return TRUE;
}

LRESULT SECMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Only activation and sizing concern the menu bar; other messages may destroy the child.
  const BOOL watched = message == WM_MDIACTIVATE || message == WM_SIZE;
  if (!watched || !m_bMenuBar) return CMDIChildWnd::WindowProc(message, wParam, lParam);
  const LRESULT result = CMDIChildWnd::WindowProc(message, wParam, lParam);
  SECMDIFrameWnd* frame = m_hWnd ? SECMenuBarFrameOf(this) : nullptr;
  if (!frame) return result;
  if (message == WM_MDIACTIVATE && m_nIDMenu) {
    if (reinterpret_cast<HWND>(lParam) == m_hWnd)
      frame->ActivateMenu(m_nIDMenu);
    else if (!lParam)
      frame->ActivateMenu(static_cast<UINT>(-1));
  } else if (message == WM_SIZE &&
             (wParam == SIZE_RESTORED || wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED)) {
    frame->RefreshMDIMenuBarButtons();
  }
  return result;
}

int SECMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  DeactivateEmbeddedFrame();
  const int result = CMDIChildWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (SECMDIFrameWnd* frame = m_bMenuBar ? SECMenuBarFrameOf(this) : nullptr; frame && m_nIDMenu)
    frame->ActivateMenu(m_nIDMenu);
  return result;
}

LRESULT SECMDIChildWnd::OnChildActivate(WPARAM, LPARAM) {
  DeactivateEmbeddedFrame();
  return Default();
}

void SECMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
  m_hMenuAltLast = hMenuAlt;
  SECMDIFrameWnd* frame = m_bMenuBar ? SECMenuBarFrameOf(this) : nullptr;
  if (!frame) {
    CMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    return;
  }
  // The menu bar stands in for the frame's Win32 menu.
  if (bActive && !hMenuAlt && ::GetMenu(frame->m_hWnd)) ::SetMenu(frame->m_hWnd, nullptr);
  frame->UpdateMDIWindowMenu();
}

void SECMDIChildWnd::ReapplyFrameMenu(CWnd* pActivateWnd) {
  OnUpdateFrameMenu(TRUE, pActivateWnd, m_hMenuAltLast);
}

// ---- SECControlBarMDIChildWnd ----

IMPLEMENT_DYNCREATE(SECControlBarMDIChildWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECControlBarMDIChildWnd, SECMDIChildWnd)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECControlBarMDIChildWnd::SECControlBarMDIChildWnd() : m_wndDockBar(TRUE, TRUE) {
  m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL SECControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!SECMDIChildWnd::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  return TRUE;
}

BOOL SECControlBarMDIChildWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
  return SECBarChildCreateDockBar(this, m_wndDockBar);
}

void SECControlBarMDIChildWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  SECMDIChildWnd::RecalcLayout(bNotify);
  SECBarChildSyncTitle(this, m_wndDockBar);
}

void SECControlBarMDIChildWnd::OnUpdateFrameTitle(BOOL) {}

void SECControlBarMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
  SECMDIChildWnd::OnSize(nType, cx, cy);
  SECBarChildFitBar(this, m_wndDockBar, nType);
}

void SECControlBarMDIChildWnd::OnClose() {
  if (!SECBarChildHideBar(this, m_wndDockBar)) SECMDIChildWnd::OnClose();
}

void SECControlBarMDIChildWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  SECMDIChildWnd::OnWindowPosChanged(lpwndpos);
  SECBarChildStoreFloatPos(this, m_wndDockBar);
}

void SECControlBarMDIChildWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  SECMDIChildWnd::OnShowWindow(bShow, nStatus);
  SECBarChildRefreshMenu(this);
}

// ---- Shared by the control-bar children ----

BOOL SECBarFloatsInMDIChild(CControlBar* pBar) {
  CDockBar* dock = pBar ? pBar->m_pDockBar : nullptr;
  return dock && dock->IsKindOf(RUNTIME_CLASS(SECDockBar)) && static_cast<SECDockBar*>(dock)->m_bMDIChild;
}

BOOL SECBarChildCreateDockBar(CFrameWnd* pChild, SECDockBar& dock) {
  if (!dock.Create(pChild, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 0, AFX_IDW_DOCKBAR_FLOAT)) return FALSE;
  dock.SetParent(pChild);
  return TRUE;
}

CControlBar* SECBarChildBar(SECDockBar& dock) {
  for (int i = 0; i < dock.m_arrBars.GetSize(); ++i) {
    if (CControlBar* bar = dock.GetDockedControlBar(i)) return bar;
  }
  return nullptr;
}

BOOL SECBarChildIsMulti(const SECDockBar& dock) { return (dock.m_dwStyle & CBRS_FLOAT_MULTI) != 0; }

void SECBarChildFitBar(CFrameWnd* pChild, SECDockBar& dock, UINT nType) {
  CControlBar* bar = SECBarChildBar(dock);
  if (SECBarChildIsMulti(dock) || !bar || nType == SIZE_MINIMIZED) return;
  CRect client;
  pChild->GetClientRect(&client);
  bar->CalcDynamicLayout(client.Width() + 2 * secData.cxBorder2, LM_COMMIT | LM_MRUWIDTH);
  bar->CalcDynamicLayout(client.Height() + 2 * secData.cyBorder2, LM_COMMIT | LM_LENGTHY | LM_MRUWIDTH);
  pChild->RecalcLayout();
}

BOOL SECBarChildHideBar(CMDIChildWnd* pChild, SECDockBar& dock) {
  CControlBar* bar = SECBarChildBar(dock);
  if (SECBarChildIsMulti(dock) || !bar) return FALSE;
  CMDIFrameWnd* main = pChild->GetMDIFrame();
  if (main && main->IsKindOf(RUNTIME_CLASS(SECMDIFrameWnd))) {
    static_cast<SECMDIFrameWnd*>(main)->ShowControlBar(bar, FALSE, FALSE);
  } else if (main) {
    main->ShowControlBar(bar, FALSE, FALSE);
  }
  return TRUE;
}

void SECBarChildStoreFloatPos(CFrameWnd* pChild, SECDockBar& dock) {
  CControlBar* bar = SECBarChildBar(dock);
  if (SECBarChildIsMulti(dock) || !bar || !bar->m_pDockContext || !pChild->GetParent()) return;
  auto* context = dynamic_cast<SECDockContext*>(bar->m_pDockContext);
  if (!context) return;
  CRect rect;
  pChild->GetWindowRect(&rect);
  context->m_ptMDIFloatPos = rect.TopLeft();
}

void SECBarChildSyncTitle(CFrameWnd* pChild, SECDockBar& dock) {
  CString title;
  dock.GetWindowText(title);
  pChild->SetWindowText(title);
}

void SECBarChildRefreshMenu(CMDIChildWnd* pChild) {
  if (CMDIFrameWnd* main = pChild->GetMDIFrame())
    ::PostMessage(main->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
