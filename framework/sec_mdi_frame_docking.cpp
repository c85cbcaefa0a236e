// SECMDIFrameWnd: docking, floating (also as MDI children) and showing bars.
#include "framework/sec_control_bar.h"
#include "framework/sec_frame_docking.h"
#include "framework/sec_mdi_child_wnd.h"
#include "framework/sec_mdi_frame_wnd.h"
#include "framework/sec_mini_dock_frame_wnd.h"
#include "platform/base/afxexcept.h"
#include "platform/ui/ui.h"

namespace {
// Layout modes for a bar docked by DockControlBarEx.
constexpr DWORD kSECHorzDockMode = LM_HORZDOCK | LM_HORZ | LM_LENGTHY;
constexpr DWORD kSECVertDockMode = LM_VERTDOCK;
constexpr DWORD kSECFloatDockMode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
// WM_GETICON / WM_SETICON: the big icon.
constexpr WPARAM kSECIconBig = 1;
}  // namespace

CDockBar* SECMDIFrameWnd::CreateDockBar() { return static_cast<CDockBar*>(m_pDockBarClass->CreateObject()); }

void SECMDIFrameWnd::EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle) {
  if (!m_pDockBarClass) m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
  if (!m_pControlBarMDIChildClass) m_pControlBarMDIChildClass = RUNTIME_CLASS(SECControlBarMDIChildWnd);
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
  SECFrameEnableDocking(this, dwDockStyle, dwDockBarExtraStyle, [this] { return CreateDockBar(); });
}

void SECMDIFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  SECFrameDockControlBar(this, pBar, nDockBarID, lpRect);
}

void SECMDIFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  SECFrameReDockControlBar(this, pBar, pDockBar, lpRect);
}

void SECMDIFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  SECFrameFloatControlBar(this, pBar, point, dwStyle);
}

void SECMDIFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  SECFrameShowControlBar(this, pBar, bShow, bDelay);
}

void SECMDIFrameWnd::RecalcLayout(BOOL bNotify) {
  CMDIFrameWnd::RecalcLayout(bNotify);
  SECFrameAfterLayout(this, m_rectClient);
}

void SECMDIFrameWnd::DockControlBarEx(CControlBar* pBar, const SECDockPlacement& placement, UINT nDockBarID,
                                      const SECDockBarSize& size) {
  if (!pBar) return;
  SECBeforeDock(pBar);
  CDockBar* dock = nDockBarID ? static_cast<CDockBar*>(GetControlBar(nDockBarID)) : nullptr;
  if (!dock) dock = SECFindDockBarFor(this, pBar->m_dwStyle);
  if (SECControlBar* bar = SECBarOf(pBar)) bar->m_fPctWidth = size.fPctWidth;
  DWORD mode = kSECFloatDockMode;
  if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM) {
    mode = kSECHorzDockMode;
  } else if (nDockBarID == AFX_IDW_DOCKBAR_LEFT || nDockBarID == AFX_IDW_DOCKBAR_RIGHT) {
    mode = kSECVertDockMode;
  }
  pBar->CalcDynamicLayout(size.nLength, mode | LM_COMMIT);
  if (SECDockBar* secDock = SECDockBarOf(dock)) {
    secDock->DockControlBar(pBar, placement);
  } else if (dock) {
    dock->DockControlBar(pBar);
  }
  SECAfterDock(pBar);
}

void SECMDIFrameWnd::DockControlBarEx(CControlBar* pBar, UINT nDockBarID, int nRow, int nPos, float fPctWidth,
                                      int nLength) {
  DockControlBarEx(pBar, SECDockPlacement{nRow, nPos, 0}, nDockBarID, SECDockBarSize{fPctWidth, nLength, 0});
}

void SECMDIFrameWnd::FloatControlBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!pBar || !m_hWndMDIClient) return;
  SECControlBar* bar = SECBarOf(pBar);
  if (bar) bar->BeforeMDIFloat();
  CRect client;
  ::GetClientRect(m_hWndMDIClient, &client);
  if (point.x < 0 || point.y < 0) {
    point = SECTakeMDIFloatPos(m_mdiFloatPos, client.Size());
  } else {
    ::ScreenToClient(m_hWndMDIClient, &point);
  }
  point = SECClampMDIFloatPos(point, client.Size());
  CFrameWnd* alone = SECAloneIn(pBar, dwStyle);
  if (alone && SECBarFloatsInMDIChild(pBar)) {
    alone->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    alone->RecalcLayout();
    if (bar) bar->AfterMDIFloat();
    return;
  }
  dwStyle = SECFloatStyle(pBar, dwStyle);
  CMDIChildWnd* child = CreateControlBarMDIChild();
  if (!child) {
    // The bar stays where it is when its MDI child cannot be made.
    if (bar) bar->AfterMDIFloat();
    return;
  }
  if (!child->GetOwner() || child->GetOwner() == child) child->SetOwner(pBar);
  if (auto* dock = static_cast<CDockBar*>(child->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT)))
    SECDockInto(dock, pBar, nullptr);
  child->RecalcLayout();
  child->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  child->ShowWindow(SW_SHOWNA);
  child->UpdateWindow();
  if (HICON icon = reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, kSECIconBig, 0)))
    child->SendMessage(WM_SETICON, kSECIconBig, reinterpret_cast<LPARAM>(icon));
  if (bar) bar->AfterMDIFloat();
}

CMDIChildWnd* SECMDIFrameWnd::CreateControlBarMDIChild() {
  CRuntimeClass* cls =
      m_pControlBarMDIChildClass ? m_pControlBarMDIChildClass : RUNTIME_CLASS(SECControlBarMDIChildWnd);
  auto* child = static_cast<CMDIChildWnd*>(cls->CreateObject());
  if (!child) AfxThrowMemoryException();
  if (!child->LoadFrame(kSECControlBarMDIChildID, kSECControlBarMDIChildStyle, this)) {
    if (!child->m_hWnd) delete child;
    return nullptr;
  }
  return child;
}
