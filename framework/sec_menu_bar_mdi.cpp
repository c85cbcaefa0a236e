#include "framework/sec_menu_bar_mdi.h"

#include <algorithm>

#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECMDIMenuBar, SECMenuBar)

namespace {
// WM_GETICON kinds and the class's small icon.
constexpr WPARAM kSECMenuBarIconSmall = 0;
constexpr WPARAM kSECMenuBarIconBig = 1;
constexpr DWORD kSECMenuBarChildBoxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

HICON SECMenuBarChildIcon(CWnd* child) {
  auto icon = reinterpret_cast<HICON>(child->SendMessage(WM_GETICON, kSECMenuBarIconBig, 0));
  if (!icon) icon = reinterpret_cast<HICON>(child->SendMessage(WM_GETICON, kSECMenuBarIconSmall, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtr(child->m_hWnd, GCL_HICONSM));
  return icon;
}
}  // namespace

SECMDIMenuBar::SECMDIMenuBar() {
  m_btnCaption.m_pBar = this;
  m_btnSysMenu.m_pBar = this;
}

SECMDIMenuBar::~SECMDIMenuBar() { TakeOutMDIButtons(); }

void SECMDIMenuBar::TakeOutMDIButtons() {
  std::erase_if(m_btns, [this](SECStdBtn* b) { return b == &m_btnCaption || b == &m_btnSysMenu; });
}

void SECMDIMenuBar::PutBackMDIButtons() {
  TakeOutMDIButtons();
  m_btns.insert(m_btns.begin(), &m_btnSysMenu);
  m_btns.push_back(&m_btnCaption);
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
}

void SECMDIMenuBar::RemoveAllButtons() {
  TakeOutMDIButtons();
  SECMenuBar::RemoveAllButtons();
}

BOOL SECMDIMenuBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  const BOOL ok = SECMenuBar::SetButtons(lpIDArray, nIDCount);
  PutBackMDIButtons();
  return ok;
}

void SECMDIMenuBar::ResetButtons(BOOL bNoLayout) {
  TakeOutMDIButtons();
  SECMenuBar::ResetButtons(TRUE);
  PutBackMDIButtons();
  if (!bNoLayout && m_hWnd) LayoutAndRepaint();
}

void SECMDIMenuBar::GetBarInfoEx(SECControlBarInfo* pInfo) {
  TakeOutMDIButtons();
  SECMenuBar::GetBarInfoEx(pInfo);
  PutBackMDIButtons();
}

void SECMDIMenuBar::SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  SECMenuBar::SetBarInfoEx(pInfo, pFrameWnd);
  PutBackMDIButtons();
}

BOOL SECMDIMenuBar::DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, BOOL bNoLayout) {
  const BOOL ok = SECMenuBar::DropButton(rect, pBtn, bCopy, TRUE);
  const int sys = FindButton(&m_btnSysMenu);
  const int cap = FindButton(&m_btnCaption);
  if ((sys > 0 || (cap >= 0 && cap != GetBtnCount() - 1))) {
    SECStdBtn* drop = m_nDropBtn >= 0 && m_nDropBtn < GetBtnCount() ? m_btns[m_nDropBtn] : nullptr;
    PutBackMDIButtons();
    if (drop) m_nDropBtn = FindButton(drop);
  }
  if (!bNoLayout && m_hWnd) LayoutAndRepaint();
  return ok;
}

CMDIChildWnd* SECMDIMenuBar::ActiveMaximisedChild() const {
  auto* frame = dynamic_cast<CMDIFrameWnd*>(m_pDockSite);
  if (!frame) frame = dynamic_cast<CMDIFrameWnd*>(GetParentFrame());
  if (!frame) frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  BOOL maximised = FALSE;
  CMDIChildWnd* child = frame ? frame->MDIGetActive(&maximised) : nullptr;
  return child && maximised ? child : nullptr;
}

BOOL SECMDIMenuBar::UpdateMDIButtons(BOOL bForce) {
  CMDIChildWnd* child = bForce ? nullptr : ActiveMaximisedChild();
  const DWORD style = child ? child->GetStyle() : 0;
  if (child && (style & kSECMenuBarChildBoxes)) {
    BOOL changed = FALSE;
    const HICON icon = SECMenuBarChildIcon(child);
    if (icon != m_hLastIcon) {
      m_hLastIcon = m_btnSysMenu.m_hIcon = icon;
      changed = TRUE;
    }
    for (SECStdBtn* btn : {static_cast<SECStdBtn*>(&m_btnSysMenu), static_cast<SECStdBtn*>(&m_btnCaption)}) {
      if (btn->m_nStyle & TBBS_HIDDEN) {
        btn->m_nStyle &= ~TBBS_HIDDEN;
        changed = TRUE;
      }
    }
    if (style != m_dwLastChildStyle) {
      m_dwLastChildStyle = style;
      m_btnCaption.SetChildStyle(style);
      changed = TRUE;
    }
    if (changed) m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
    return changed;
  }
  const BOOL wasShown = !(m_btnSysMenu.m_nStyle & TBBS_HIDDEN) || !(m_btnCaption.m_nStyle & TBBS_HIDDEN);
  m_btnSysMenu.m_nStyle |= TBBS_HIDDEN;
  m_btnCaption.m_nStyle |= TBBS_HIDDEN;
  if (wasShown) m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  return wasShown;
}
