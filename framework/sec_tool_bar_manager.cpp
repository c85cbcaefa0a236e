#include "framework/sec_tool_bar_manager.h"

#include <algorithm>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_bmp_mgr_loader.h"
#include "framework/sec_control_bar_info.h"
#include "framework/sec_custom_tool_bar_info_ex.h"
#include "framework/sec_frame_wnd.h"
#include "framework/sec_mdi_frame_wnd.h"
#include "framework/sec_menu_bar.h"
#include "framework/sec_persistent_tree_node.h"
#include "framework/sec_ptn_factory.h"
#include "framework/sec_res.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(SECToolBarManager, SECControlBarManager)

UINT SECGetBarNotifyMessage() {
  static const UINT msg = ::RegisterWindowMessage("WM_BARNOTIFY");
  return msg;
}

SECToolBarManager::SECToolBarManager() : SECToolBarManager(nullptr, nullptr) {}

SECToolBarManager::SECToolBarManager(CFrameWnd* pFrame, CWnd* pOwner)
    : SECControlBarManager(pFrame), m_pOwner(pOwner) {
  SECGetBarNotifyMessage();
  m_pBmpMgr = new SECBmpMgr;
  m_pToolBarClass = RUNTIME_CLASS(SECCustomToolBar);
}

// The frame may be gone already: its bars, destroyed with it, no longer
// reach the manager.
SECToolBarManager::~SECToolBarManager() { m_pBmpMgr->Release(); }

SECBtnDrawData* SECToolBarManager::GetDrawData() {
  if (!m_pDrawData) m_pDrawData = std::make_unique<SECBtnDrawData>();
  return m_pDrawData.get();
}

void SECToolBarManager::SetButtonMaps(const SECBtnMapEntry* pMap, const SECBtnMapEntry* pMap2) {
  m_pBtnMap = pMap;
  m_pBtnMap2 = pMap2;
}

std::vector<SECCustomToolBar*> SECToolBarManager::GetToolBars() const {
  std::vector<SECCustomToolBar*> bars;
  if (!m_pFrameWnd) return bars;
  for (POSITION pos = m_pFrameWnd->m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar =
        dynamic_cast<SECCustomToolBar*>(static_cast<CObject*>(m_pFrameWnd->m_listControlBars.GetNext(pos)));
    if (bar && bar->m_hWnd) bars.push_back(bar);
  }
  return bars;
}

SECCustomToolBar* SECToolBarManager::FindToolBar(UINT nBarID) const {
  for (SECCustomToolBar* bar : GetToolBars())
    if (static_cast<UINT>(bar->GetDlgCtrlID()) == nBarID) return bar;
  return nullptr;
}

SECCustomToolBar* SECToolBarManager::FindToolBarAt(const CRect& rcScreen) const {
  for (SECCustomToolBar* bar : GetToolBars()) {
    if (!bar->IsVisible()) continue;
    CWnd* wnd = bar;
    if ((bar->m_dwStyle & CBRS_FLOATING) && bar->GetParentFrame()) wnd = bar->GetParentFrame();
    CRect r, overlap;
    wnd->GetWindowRect(&r);
    if (overlap.IntersectRect(&r, &rcScreen)) return bar;
  }
  return nullptr;
}

void SECToolBarManager::DefineDefaultToolBar(UINT nBarID, LPCSTR lpszTitle, int nCount, const UINT* lpIDs,
                                             DWORD dwAlignAllowed, UINT nDockBarID, UINT nNeighborID,
                                             BOOL bDocked, BOOL bVisible) {
  auto rec = std::make_unique<SECDefaultToolBar>();
  rec->nBarID = nBarID;
  rec->strTitle = lpszTitle;
  if (lpIDs && nCount > 0) rec->buttons.assign(lpIDs, lpIDs + nCount);
  rec->dwAlignAllowed = dwAlignAllowed;
  rec->nDockBarID = nDockBarID;
  rec->nNeighborID = nNeighborID;
  rec->bDocked = bDocked;
  rec->bVisible = bVisible;
  m_defaults.push_back(std::move(rec));
}

BOOL SECToolBarManager::DefineDefaultToolBar(UINT nBarID, LPCSTR lpszTitle, UINT nIDResource,
                                             DWORD dwAlignAllowed, UINT nDockBarID, UINT nNeighborID,
                                             BOOL bDocked, BOOL bVisible) {
  SECToolBarResource res;
  if (!m_pBmpMgr->AddToolBar(MAKEINTRESOURCE(nIDResource)) ||
      !SECLoadToolBarResource(MAKEINTRESOURCE(nIDResource), &res))
    return FALSE;
  DefineDefaultToolBar(nBarID, lpszTitle, static_cast<int>(res.ids.size()), res.ids.data(), dwAlignAllowed,
                       nDockBarID, nNeighborID, bDocked, bVisible);
  return TRUE;
}

BOOL SECToolBarManager::FindDefaultToolBar(UINT nBarID, int& nCount, const UINT*& lpIDs) const {
  for (const auto& rec : m_defaults)
    if (rec->nBarID == nBarID) {
      nCount = static_cast<int>(rec->buttons.size());
      lpIDs = rec->buttons.data();
      return TRUE;
    }
  return FALSE;
}

void SECToolBarManager::SetMenuBarButtons(int nCount, const UINT* lpIDs) {
  m_menuBarButtons.assign(lpIDs, lpIDs + std::max(nCount, 0));
}

void SECToolBarManager::GetMenuBarButtons(int& nCount, const UINT*& lpIDs) const {
  nCount = static_cast<int>(m_menuBarButtons.size());
  lpIDs = m_menuBarButtons.empty() ? nullptr : m_menuBarButtons.data();
}

BOOL SECToolBarManager::SetupToolBar(SECCustomToolBar* pBar, UINT nID, LPCSTR lpszTitle, DWORD dwAlign) {
  if (m_pOwner) pBar->m_hWndOwner = m_pOwner->m_hWnd;
  pBar->SetManager(this);
  pBar->SetBmpMgr(m_pBmpMgr);
  DWORD style = SEC_TOOLBAR_STYLE;
  if (m_bFlyBy) style |= CBRS_FLYBY;
  if (m_bToolTips) style |= CBRS_TOOLTIPS;
  if (!pBar->CreateEx(m_bCoolLook ? SEC_COOLLOOK_BITS : 0, m_pFrameWnd, style, nID, lpszTitle)) return FALSE;
  if (m_pOwner) pBar->SetOwner(m_pOwner);
  pBar->RecalcButtonSizes();
  pBar->EnableDocking(dwAlign);
  if (pBar->GetDlgCtrlID() != SEC_IDW_MENUBAR) pBar->m_bAutoDelete = TRUE;
  return TRUE;
}

UINT SECToolBarManager::NextUserBarID() const {
  for (UINT id = SEC_IDW_FIRST_USER_TOOLBAR; id < SEC_IDW_LAST_USER_TOOLBAR + 1 && id != SEC_IDW_MENUBAR;
       ++id)
    if (!FindToolBar(id)) return id;
  return 0;
}

SECCustomToolBar* SECToolBarManager::CreateNewToolBar(LPCSTR lpszName) {
  const UINT id = NextUserBarID();
  if (!id || !m_pFrameWnd) return nullptr;
  CString title;
  if (lpszName)
    title = lpszName;
  else
    title.Format(SECLoadString(IDS_SEC_TOOLBAR_TITLE_N),
                 static_cast<int>(id - (SEC_IDW_FIRST_USER_TOOLBAR - 1)));
  auto* bar = static_cast<SECCustomToolBar*>(m_pToolBarClass->CreateObject());
  if (!bar) return nullptr;
  if (!SetupToolBar(bar, id, title)) {
    delete bar;
    return nullptr;
  }
  bar->SetCustomizeMode(m_bCustomize);
  return bar;
}

SECMenuBar* SECToolBarManager::CreateFrameMenuBar() {
  if (auto* mdi = dynamic_cast<SECMDIFrameWnd*>(m_pFrameWnd)) return mdi->CreateMenuBar();
  if (auto* sdi = dynamic_cast<SECFrameWnd*>(m_pFrameWnd)) return sdi->CreateMenuBar();
  return nullptr;
}

SECMenuBar* SECToolBarManager::SetupMenuBar(DWORD dwAlign) {
  SECMenuBar* bar = CreateFrameMenuBar();
  if (!bar || !SetupToolBar(bar, SEC_IDW_MENUBAR, SECLoadString(IDS_SEC_MENUBAR_TITLE), dwAlign))
    return nullptr;
  bar->ResetButtons(TRUE);
  return bar;
}

void SECToolBarManager::CreateDefaultToolBars() {
  if (!m_pFrameWnd) return;
  if (SECMenuBar* menuBar = SetupMenuBar(CBRS_ALIGN_ANY)) {
    menuBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrameWnd->DockControlBar(menuBar, AFX_IDW_DOCKBAR_TOP);
  }
  for (const auto& rec : m_defaults) {
    auto* bar = static_cast<SECCustomToolBar*>(m_pToolBarClass->CreateObject());
    if (!SetupToolBar(bar, rec->nBarID, rec->strTitle, rec->dwAlignAllowed)) {
      delete bar;
      continue;
    }
    bar->SetButtons(rec->buttons.data(), static_cast<int>(rec->buttons.size()));
    bar->EnableDocking(rec->dwAlignAllowed);
    CControlBar* neighbour = rec->nNeighborID ? m_pFrameWnd->GetControlBar(rec->nNeighborID) : nullptr;
    if (neighbour) {
      m_pFrameWnd->RecalcLayout(TRUE);
      CRect r;
      neighbour->GetWindowRect(&r);
      const BOOL along = rec->nDockBarID == AFX_IDW_DOCKBAR_TOP || rec->nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
      r.OffsetRect(along ? 1 : 0, along ? 0 : 1);
      m_pFrameWnd->DockControlBar(bar, rec->nDockBarID, &r);
    } else {
      m_pFrameWnd->DockControlBar(bar, rec->nDockBarID);
    }
  }
  m_pFrameWnd->RecalcLayout(TRUE);
  for (const auto& rec : m_defaults) {
    SECCustomToolBar* bar = FindToolBar(rec->nBarID);
    if (!bar) continue;
    if (!rec->bVisible) m_pFrameWnd->ShowControlBar(bar, FALSE, FALSE);
    if (!rec->bDocked && bar->m_pDockContext) bar->m_pDockContext->ToggleDocking();
  }
}

void SECToolBarManager::AttachToolBars() {
  std::vector<SECCustomToolBar*> bars = GetToolBars();
  if (bars.empty()) {
    CreateDefaultToolBars();
    return;
  }
  for (SECCustomToolBar* bar : bars) {
    bar->SetManager(this);
    bar->SetBmpMgr(m_pBmpMgr);
    bar->RecalcButtonSizes();
    bar->Invalidate();
  }
}

void SECToolBarManager::SetToolTips(BOOL b) {
  if (!b == !m_bToolTips) return;
  m_bToolTips = b;
  for (SECCustomToolBar* bar : GetToolBars())
    bar->SetBarStyle(b ? (bar->GetBarStyle() | CBRS_TOOLTIPS) : (bar->GetBarStyle() & ~CBRS_TOOLTIPS));
}

void SECToolBarManager::SetCoolLook(BOOL b, DWORD dwBits) {
  if (!b == !m_bCoolLook) return;
  m_bCoolLook = b;
  for (SECCustomToolBar* bar : GetToolBars()) {
    bar->ModifyExBarStyle(b ? 0 : dwBits, b ? dwBits : 0, FALSE);
    bar->m_bLayoutMRU = bar->m_bLayoutHorz = bar->m_bLayoutVert = TRUE;
    if (dwBits & SECBAR_FLATBORDERS) bar->Invalidate();
  }
  if (m_pFrameWnd) m_pFrameWnd->DelayRecalcLayout();
}

void SECToolBarManager::SetLargeButtons(BOOL b) {
  if (!b == !m_bLargeButtons) return;
  m_bLargeButtons = b;
  ApplyButtonSize();
}

void SECToolBarManager::ApplyButtonSize() {
  m_pBmpMgr->SetSmallMode(!m_bLargeButtons);
  std::vector<SECCustomToolBar*> bars = GetToolBars();
  for (SECCustomToolBar* bar : bars) {
    bar->RecalcButtonSizes();
    bar->Invalidate();
    if ((bar->m_dwStyle & CBRS_FLOATING) && bar->GetParentFrame()) bar->GetParentFrame()->RecalcLayout();
  }
  if (!bars.empty() && m_pFrameWnd) m_pFrameWnd->DelayRecalcLayout();
}

void SECToolBarManager::SetCustomizeMode(BOOL b) {
  if (!b == !m_bCustomize) return;
  m_bCustomize = b;
  for (SECCustomToolBar* bar : GetToolBars()) bar->SetCustomizeMode(b);
}

void SECToolBarManager::DisableOtherWindows() {
  if (!m_pFrameWnd || m_bWindowsDisabled) return;
  m_pFrameWnd->EnableWindow(TRUE);
  for (CWnd* child = m_pFrameWnd->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    const UINT id = child->GetDlgCtrlID();
    const BOOL dockBar = id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM;
    if (dockBar || !child->IsWindowEnabled()) continue;
    child->EnableWindow(FALSE);
    m_disabled.push_back(child->m_hWnd);
  }
  m_bWindowsDisabled = TRUE;
}

void SECToolBarManager::EnableOtherWindows() {
  if (!m_pFrameWnd || !m_bWindowsDisabled) return;
  m_pFrameWnd->EnableWindow(FALSE);
  for (HWND h : m_disabled)
    if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  m_disabled.clear();
  m_bWindowsDisabled = FALSE;
}

void SECToolBarManager::GetCustomizeDialogRect(CRect& rect) const {
  rect.SetRectEmpty();
  if (m_pCustomizeDlg && m_pCustomizeDlg->m_hWnd) m_pCustomizeDlg->GetWindowRect(&rect);
}

void SECToolBarManager::AddNotifyWindow(CWnd* pWnd) {
  if (std::find(m_notify.begin(), m_notify.end(), pWnd) == m_notify.end()) m_notify.push_back(pWnd);
}

void SECToolBarManager::RemoveNotifyWindow(CWnd* pWnd) {
  m_notify.erase(std::remove(m_notify.begin(), m_notify.end(), pWnd), m_notify.end());
}

void SECToolBarManager::Notify(UINT nBarID, int nEvent) {
  const std::vector<CWnd*> targets = m_notify;  // a handler may change the list
  for (CWnd* wnd : targets)
    if (std::find(m_notify.begin(), m_notify.end(), wnd) != m_notify.end() && wnd->m_hWnd &&
        ::IsWindow(wnd->m_hWnd))
      wnd->SendMessage(SECGetBarNotifyMessage(), nBarID, nEvent);
}

UINT SECToolBarManager::GetBarTypeID(CControlBar* pBar) {
  if (!dynamic_cast<SECCustomToolBar*>(pBar)) return 0;
  return pBar->GetDlgCtrlID() == SEC_IDW_MENUBAR ? SEC_TYPEID_MENUBAR : SEC_TYPEID_CUSTOMTOOLBAR;
}

SECControlBarInfoEx* SECToolBarManager::CreateControlBarInfoEx(SECControlBarInfo* pInfo) {
  if (pInfo->m_nTypeID == SEC_TYPEID_CUSTOMTOOLBAR || pInfo->m_nTypeID == SEC_TYPEID_MENUBAR)
    return new SECCustomToolBarInfoEx;
  return SECControlBarManager::CreateControlBarInfoEx(pInfo);
}

CControlBar* SECToolBarManager::CreateControlBar(SECControlBarInfo* pInfo) {
  if (pInfo->m_nTypeID == SEC_TYPEID_MENUBAR) return SetupMenuBar(CBRS_ALIGN_ANY);
  if (pInfo->m_nTypeID != SEC_TYPEID_CUSTOMTOOLBAR) return SECControlBarManager::CreateControlBar(pInfo);
  auto* bar = static_cast<SECCustomToolBar*>(m_pToolBarClass->CreateObject());
  if (!SetupToolBar(bar, pInfo->m_nBarID, nullptr)) {
    delete bar;
    return nullptr;
  }
  return bar;
}

void SECToolBarManager::ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLargeButtons) {
  SetToolTips(bToolTips);
  SetCoolLook(bCoolLook);
  SetLargeButtons(bLargeButtons);
}

void SECToolBarManager::LoadStateFromProfile(LPCSTR lpszProfileName) {
  CString section;
  section.Format("%s-ToolBarManager", lpszProfileName);
  CWinApp* app = AfxGetApp();
  if (app)
    ApplySettings(app->GetProfileInt(section, "ToolTips", m_bToolTips),
                  app->GetProfileInt(section, "CoolLook", m_bCoolLook),
                  app->GetProfileInt(section, "LargeButtons", m_bLargeButtons));
  AttachToolBars();
}

void SECToolBarManager::SaveStateToProfile(LPCSTR lpszProfileName) {
  CString section;
  section.Format("%s-ToolBarManager", lpszProfileName);
  CWinApp* app = AfxGetApp();
  if (!app) return;
  app->WriteProfileInt(section, "ToolTips", m_bToolTips);
  app->WriteProfileInt(section, "CoolLook", m_bCoolLook);
  app->WriteProfileInt(section, "LargeButtons", m_bLargeButtons);
}

BOOL SECToolBarManager::SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode) {
  if (!SECControlBarManager::SaveStateToTree(factory, pNode)) return FALSE;
  SECPersistentTreeNode* node = factory.CreateNode("ToolBarMgr", pNode);
  if (!node) return FALSE;
  node->SetKeyBool("ToolTips", m_bToolTips);
  node->SetKeyBool("CoolLook", m_bCoolLook);
  node->SetKeyBool("LargeButtons", m_bLargeButtons);
  return TRUE;
}

BOOL SECToolBarManager::LoadStateFromTree(SECPersistentTreeNode* pNode) {
  const BOOL result = SECControlBarManager::LoadStateFromTree(pNode);
  if (SECPersistentTreeNode* node = pNode ? pNode->FindChild("ToolBarMgr") : nullptr) {
    BOOL tips = m_bToolTips, cool = m_bCoolLook, large = m_bLargeButtons;
    node->GetKeyBool("ToolTips", tips, m_bToolTips);
    node->GetKeyBool("CoolLook", cool, m_bCoolLook);
    node->GetKeyBool("LargeButtons", large, m_bLargeButtons);
    ApplySettings(tips, cool, large);
  }
  AttachToolBars();
  return result;
}
