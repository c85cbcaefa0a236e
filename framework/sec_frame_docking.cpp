#include "framework/sec_frame_docking.h"

#include "framework/sec_control_bar.h"
#include "framework/sec_control_bar_info.h"
#include "framework/sec_dock_bar_table.h"
#include "framework/sec_mdi_child_wnd.h"
#include "framework/sec_menu_bar.h"
#include "framework/sec_menu_bar_feature.h"
#include "framework/sec_tool_bar_manager.h"
#include "framework/sec_wnd_plug_in.h"
#include "platform/base/afxexcept.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui.h"

namespace {
// Dock bars are created with WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN.
constexpr DWORD kSECDockBarWindowStyle = 0x56000000;
// A framework bar with this extended bit keeps the floating frame's own border.
constexpr DWORD kSECBarKeepsFloatBorder = 0x10;
// The floating frame of a sizable bar gets a thick frame.
constexpr DWORD kSECFloatThinFrame = MFS_4THICKFRAME;
constexpr DWORD kSECFloatThickFrame = WS_THICKFRAME | MFS_THICKFRAME;
}  // namespace

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

CDockBar* SECFindDockBarFor(CFrameWnd* pFrame, DWORD dwBarStyle) {
  for (const SECDockBarRow& row : kSECDockBarTable) {
    if (!(row.dwStyle & dwBarStyle & CBRS_ALIGN_ANY)) continue;
    if (auto* dock = static_cast<CDockBar*>(pFrame->GetControlBar(row.nID))) return dock;
  }
  return nullptr;
}

void SECFrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, DWORD dwExtraStyle,
                           const std::function<CDockBar*()>& create) {
  for (const SECDockBarRow& row : kSECDockBarTable) {
    if (!(row.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || pFrame->GetControlBar(row.nID)) continue;
    CDockBar* dock = create();
    SECDockBar* secDock = SECDockBarOf(dock);
    const DWORD style = row.dwStyle | kSECDockBarWindowStyle;
    const BOOL made = secDock ? secDock->Create(pFrame, style, dwExtraStyle, row.nID)
                              : dock && dock->Create(pFrame, style, row.nID);
    if (!made) {
      delete dock;
      AfxThrowResourceException();
    }
  }
}

void SECFrameDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (!pBar) return;
  CDockBar* dock = nDockBarID ? static_cast<CDockBar*>(pFrame->GetControlBar(nDockBarID)) : nullptr;
  if (!dock) dock = SECFindDockBarFor(pFrame, pBar->m_dwDockStyle);
  if (!dock) return;
  SECBeforeDock(pBar);
  SECDockInto(dock, pBar, lpRect);
  SECAfterDock(pBar);
}

void SECFrameReDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar) return;
  if (!pDockBar) {
    // A dock bar that keeps the bar's place, else the last one it may dock in.
    auto* id = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID())));
    for (const SECDockBarRow& row : kSECDockBarTable) {
      auto* dock = static_cast<CDockBar*>(pFrame->GetControlBar(row.nID));
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

void SECFrameFloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!pBar) return;
  if (SECAloneIn(pBar, dwStyle) && !SECBarFloatsInMDIChild(pBar)) {
    pFrame->CFrameWnd::FloatControlBar(pBar, point, dwStyle);
    return;
  }
  SECControlBar* bar = SECBarOf(pBar);
  if (bar) bar->BeforeFloat();
  pFrame->CFrameWnd::FloatControlBar(pBar, point, SECFloatStyle(pBar, dwStyle));
  CFrameWnd* floating = pBar->GetParentFrame();
  if (bar && floating && floating != pFrame && !(bar->GetExBarStyle() & kSECBarKeepsFloatBorder)) {
    floating->ModifyStyle(kSECFloatThinFrame, kSECFloatThickFrame, SWP_FRAMECHANGED);
  }
  if (bar) bar->AfterFloat();
}

void SECFrameShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (!pBar || !pBar->m_hWnd) return;
  pFrame->CFrameWnd::ShowControlBar(pBar, bShow, bDelay);
  if (SECDockBar* dock = SECDockBarOf(pBar->m_pDockBar)) dock->OnBarShown(pBar);
}

void SECFrameAfterLayout(CFrameWnd* pFrame, CRect& rectClient) {
  if (rectClient.Width() > 0 && rectClient.Height() > 0) {
    for (CWnd* child = pFrame->GetWindow(GW_CHILD); child; child = child->GetNextWindow()) {
      if (SECDockBar* dock = SECDockBarOf(CWnd::FromHandlePermanent(child->m_hWnd))) dock->RepaintBars();
    }
  } else {
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  pFrame->GetClientRect(&rectClient);
  pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectClient, &rectClient);
}

SECWndPlugIn* SECFrameMakeMenuBarFeature(SECMenuBar* pMenuBar) {
  auto* feature = new SECMenuBarFeature;
  feature->SetMenuBar(pMenuBar);
  return feature;
}

void SECFrameGiveBmpMgr(SECWndPlugIn* pPlugIn, SECControlBarManager* pManager) {
  auto* bitmaps = dynamic_cast<SECBmpMenuPlugIn*>(pPlugIn);
  auto* tools = dynamic_cast<SECToolBarManager*>(pManager);
  if (bitmaps && tools && tools->GetBmpMgr()) bitmaps->SetBmpMgr(tools->GetBmpMgr());
}

void SECFrameNoteBorderSpace(SECMenuBar* pMenuBar, LPCRECT lpRectBorder) {
  if (pMenuBar && lpRectBorder && lpRectBorder->left == 0 && lpRectBorder->top == 0 &&
      lpRectBorder->right == 0 && lpRectBorder->bottom == 0)
    pMenuBar->IgnoreNextHide();
}

HMENU SECFrameTakeOwnMenu(CFrameWnd* pFrame, UINT nID) {
  if (HMENU win32 = ::GetMenu(pFrame->m_hWnd)) {
    ::SetMenu(pFrame->m_hWnd, nullptr);
    ::DestroyMenu(win32);
  }
  return ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nID));
}

void SECFrameFreeMenuBar(SECMenuBar*& pMenuBar, HMENU& hMenuFrame) {
  if (pMenuBar && pMenuBar->m_hWnd) pMenuBar->DestroyWindow();
  delete pMenuBar;
  pMenuBar = nullptr;
  if (hMenuFrame) ::DestroyMenu(hMenuFrame);
  hMenuFrame = nullptr;
}

void SECFrameFreeOwned(SECWndPlugIn* pPlugIn, CWnd* pPlugInWnd, CPtrList& listBarInfo) {
  delete pPlugIn;
  if (pPlugInWnd) {
    pPlugInWnd->DestroyWindow();
    delete pPlugInWnd;
  }
  for (POSITION pos = listBarInfo.GetHeadPosition(); pos;)
    delete static_cast<SECControlBarInfo*>(listBarInfo.GetNext(pos));
}
