// SECMDIFrameWnd: docking, floating and showing bars.
#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_dock_bar_table.h"
#include "framework/sec_mdi_child_wnd.h"
#include "framework/sec_mdi_frame_wnd.h"
#include "framework/sec_mini_dock_frame_wnd.h"
#include "platform/base/afxexcept.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

namespace {
// Dock bars are created with WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN.
constexpr DWORD kSECDockBarWindowStyle = 0x56000000;
// A framework bar with this extended bit keeps the floating frame's own border.
constexpr DWORD kSECBarKeepsFloatBorder = 0x10;
// The floating frame of a sizable bar gets a thick frame.
constexpr DWORD kSECFloatThinFrame = MFS_4THICKFRAME;
constexpr DWORD kSECFloatThickFrame = WS_THICKFRAME | MFS_THICKFRAME;
// Layout modes for a bar docked by DockControlBarEx.
constexpr DWORD kSECHorzDockMode = LM_HORZDOCK | LM_HORZ | LM_LENGTHY;
constexpr DWORD kSECVertDockMode = LM_VERTDOCK;
constexpr DWORD kSECFloatDockMode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
// WM_GETICON / WM_SETICON: the big icon.
constexpr WPARAM kSECIconBig = 1;

SECControlBar* SECBarOf(CControlBar* pBar) {
  return pBar && pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(pBar) : nullptr;
}
SECDockBar* SECDockBarOf(CWnd* pWnd) {
  return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(SECDockBar)) ? static_cast<SECDockBar*>(pWnd) : nullptr;
}

void SECBeforeDock(CControlBar* pBar) {
  if (SECControlBar* bar = SECBarOf(pBar)) bar->BeforeDock();
}
void SECAfterDock(CControlBar* pBar) {
  if (SECControlBar* bar = SECBarOf(pBar)) bar->AfterDock();
}

// Docks into a framework dock bar by rectangle, else through the MFC dock bar.
void SECDockInto(CDockBar* pDock, CControlBar* pBar, LPCRECT lpRect) {
  if (SECDockBar* dock = SECDockBarOf(pDock)) {
    dock->DockControlBarByRect(pBar, lpRect);
  } else {
    pDock->DockControlBar(pBar, lpRect);
  }
}

// A dynamic bar floats with its dynamic style and lying horizontally.
DWORD SECFloatStyle(CControlBar* pBar, DWORD dwStyle) {
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    dwStyle |= CBRS_SIZE_DYNAMIC;
    if (dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
      dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
  }
  return dwStyle;
}

// The frame a bar floats alone in, when its alignment matches the request.
CFrameWnd* SECAloneIn(CControlBar* pBar, DWORD dwStyle) {
  CDockBar* dock = pBar->m_pDockBar;
  if (!dock || !dock->m_bFloating || dock->GetDockedCount() != 1) return nullptr;
  if (!(dock->m_dwStyle & dwStyle & CBRS_ALIGN_ANY)) return nullptr;
  return dock->GetParentFrame();
}
}  // namespace

CDockBar* SECFindDockBarFor(CFrameWnd* pFrame, DWORD dwBarStyle) {
  for (const SECDockBarRow& row : kSECDockBarTable) {
    if (!(row.dwStyle & dwBarStyle & CBRS_ALIGN_ANY)) continue;
    if (auto* dock = static_cast<CDockBar*>(pFrame->GetControlBar(row.nID))) return dock;
  }
  return nullptr;
}

CDockBar* SECMDIFrameWnd::CreateDockBar() { return static_cast<CDockBar*>(m_pDockBarClass->CreateObject()); }

void SECMDIFrameWnd::EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle) {
  if (!m_pDockBarClass) m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
  if (!m_pControlBarMDIChildClass) m_pControlBarMDIChildClass = RUNTIME_CLASS(SECControlBarMDIChildWnd);
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
  for (const SECDockBarRow& row : kSECDockBarTable) {
    if (!(row.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(row.nID)) continue;
    CDockBar* dock = CreateDockBar();
    SECDockBar* secDock = SECDockBarOf(dock);
    const DWORD style = row.dwStyle | kSECDockBarWindowStyle;
    const BOOL made = secDock ? secDock->Create(this, style, dwDockBarExtraStyle, row.nID)
                              : dock && dock->Create(this, style, row.nID);
    if (!made) {
      delete dock;
      AfxThrowResourceException();
    }
  }
}

void SECMDIFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (!pBar) return;
  CDockBar* dock = nDockBarID ? static_cast<CDockBar*>(GetControlBar(nDockBarID)) : nullptr;
  if (!dock) dock = SECFindDockBarFor(this, pBar->m_dwDockStyle);
  if (!dock) return;
  SECBeforeDock(pBar);
  SECDockInto(dock, pBar, lpRect);
  SECAfterDock(pBar);
}

void SECMDIFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar) return;
  if (!pDockBar) {
    // A dock bar that keeps the bar's place, else the last one it may dock in.
    auto* id = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID())));
    for (const SECDockBarRow& row : kSECDockBarTable) {
      auto* dock = static_cast<CDockBar*>(GetControlBar(row.nID));
      if (!dock) continue;
      if (dock->FindBar(id) > 0) {
        pDockBar = dock;
        break;
      }
      if (row.dwStyle & pBar->m_dwDockStyle & CBRS_ALIGN_ANY) pDockBar = dock;
    }
  }
  if (!pDockBar) return;
  SECBeforeDock(pBar);
  if (SECDockBarOf(pDockBar)) {
    SECDockInto(pDockBar, pBar, lpRect);
  } else {
    pDockBar->ReDockControlBar(pBar, lpRect);
  }
  SECAfterDock(pBar);
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

void SECMDIFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!pBar) return;
  if (SECAloneIn(pBar, dwStyle) && !SECBarFloatsInMDIChild(pBar)) {
    CFrameWnd::FloatControlBar(pBar, point, dwStyle);
    return;
  }
  SECControlBar* bar = SECBarOf(pBar);
  if (bar) bar->BeforeFloat();
  CFrameWnd::FloatControlBar(pBar, point, SECFloatStyle(pBar, dwStyle));
  CFrameWnd* floating = pBar->GetParentFrame();
  if (bar && floating && floating != this && !(bar->GetExBarStyle() & kSECBarKeepsFloatBorder)) {
    floating->ModifyStyle(kSECFloatThinFrame, kSECFloatThickFrame, SWP_FRAMECHANGED);
  }
  if (bar) bar->AfterFloat();
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

void SECMDIFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (!pBar || !pBar->m_hWnd) return;
  CFrameWnd::ShowControlBar(pBar, bShow, bDelay);
  if (SECDockBar* dock = SECDockBarOf(pBar->m_pDockBar)) dock->OnBarShown(pBar);
}

void SECMDIFrameWnd::RecalcLayout(BOOL bNotify) {
  CMDIFrameWnd::RecalcLayout(bNotify);
  if (m_rectClient.Width() > 0 && m_rectClient.Height() > 0) {
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetNextWindow()) {
      if (SECDockBar* dock = SECDockBarOf(CWnd::FromHandlePermanent(child->m_hWnd))) dock->RepaintBars();
    }
  } else {
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  GetClientRect(&m_rectClient);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &m_rectClient, &m_rectClient);
}
