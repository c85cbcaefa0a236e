#include "controls/sec_tab_control_base.h"

#include "platform/ui/resources.h"

IMPLEMENT_DYNAMIC(SECTabControlBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabControlBase, CWnd)
ON_WM_DESTROY()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

SECTabControlBase::~SECTabControlBase() {
  if (m_hWnd) DestroyWindow();
  DeleteAllTabs();
}

BOOL SECTabControlBase::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS);
  if (!CWnd::Create(cls, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID)) return FALSE;
  if (!m_pTabArray) m_pTabArray = new CObArray;
  m_hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  Initialize(dwStyle);
  return TRUE;
}

void SECTabControlBase::Initialize(DWORD) {}
SECTab* SECTabControlBase::CreateNewTab() { return new SECTab; }
void SECTabControlBase::RecalcLayout() {}
void SECTabControlBase::OnActivateTab(int) {}
void SECTabControlBase::DestroyGDIObjects() {}
void SECTabControlBase::SetTabIcon(int, LPCSTR, int, int) {}
void SECTabControlBase::SetTabIcon(int, UINT, int, int) {}
void SECTabControlBase::SetTabIcon(int, HICON) {}
void SECTabControlBase::ScrollToTab(int) {}
void SECTabControlBase::InvalidateTab(int) {}

SECTab* SECTabControlBase::GetTab(int nIndex) const {
  return IsValidTab(nIndex) ? static_cast<SECTab*>(m_pTabArray->GetAt(nIndex)) : nullptr;
}

BOOL SECTabControlBase::GetTabInfo(int nIndex, LPCSTR& lpszLabel, BOOL& bSelected, CObject*& pClient,
                                   DWORD& dwData1, DWORD& dwData2) const {
  SECTab* tab = GetTab(nIndex);
  if (!tab) return FALSE;
  lpszLabel = tab->m_csLabel;
  bSelected = tab->m_bSelected;
  pClient = tab->m_pClient;
  dwData1 = tab->m_dwData1;
  dwData2 = tab->m_dwData2;
  return TRUE;
}

// Every tab is compared: the last match wins.
BOOL SECTabControlBase::FindTab(const CObject* pClient, int& nIndex) const {
  BOOL found = FALSE;
  for (int i = 0; i < GetTabCount(); ++i) {
    if (GetTab(i)->m_pClient == pClient) {
      nIndex = i;
      found = TRUE;
    }
  }
  return found;
}

BOOL SECTabControlBase::TabExists(const CObject* pClient) const {
  int index = 0;
  return FindTab(pClient, index);
}

BOOL SECTabControlBase::GetActiveTab(int& nIndex) const {
  nIndex = m_nActiveTab;
  return m_bActiveTab;
}

TabActivateInfo SECTabControlBase::MakeActivateInfo(int nNewTab) const {
  TabActivateInfo info{};
  info.nCtrlID = m_hWnd ? GetDlgCtrlID() : 0;
  info.nNewTab = nNewTab;
  info.nOldTab = m_bActiveTab ? m_nActiveTab : -1;
  info.pNewClient = GetTab(nNewTab) ? GetTab(nNewTab)->m_pClient : nullptr;
  SECTab* old = m_bActiveTab ? GetTab(m_nActiveTab) : nullptr;
  info.pOldClient = old ? old->m_pClient : nullptr;
  return info;
}

void SECTabControlBase::InvalidateTabsFrom(int nIndex) {
  for (int i = nIndex; i < GetTabCount(); ++i) InvalidateTab(i);
}

SECTab* SECTabControlBase::InsertTab(int nIndex, LPCSTR lpszLabel, CObject* pClient, DWORD dwData1,
                                     DWORD dwData2) {
  if (!m_pTabArray) m_pTabArray = new CObArray;
  if (nIndex < 0 || nIndex > GetTabCount()) return nullptr;
  SECTab* tab = CreateNewTab();
  m_pTabArray->InsertAt(nIndex, tab);
  tab->m_csLabel = lpszLabel ? lpszLabel : "";
  tab->m_bSelected = FALSE;
  tab->m_pClient = pClient;
  tab->m_dwData1 = dwData1;
  tab->m_dwData2 = dwData2;
  // The active tab stays the same tab.
  if (m_bActiveTab && nIndex <= m_nActiveTab) ++m_nActiveTab;
  return tab;
}

SECTab* SECTabControlBase::AddTab(LPCSTR lpszLabel, CObject* pClient, DWORD dwData1, DWORD dwData2) {
  return SECTabControlBase::InsertTab(GetTabCount(), lpszLabel, pClient, dwData1, dwData2);
}

void SECTabControlBase::RenameTab(int nIndex, LPCSTR lpszLabel) {
  if (!IsValidTab(nIndex)) return;
  InvalidateTabsFrom(nIndex);
  GetTab(nIndex)->m_csLabel = lpszLabel ? lpszLabel : "";
  RecalcLayout();
  InvalidateTabsFrom(nIndex);
}

// The active tab stays the same tab when a tab before it goes; when the
// active tab itself goes, its neighbour is activated and the parent told.
void SECTabControlBase::DeleteTab(int nIndex) {
  if (!IsValidTab(nIndex)) return;
  InvalidateTabsFrom(nIndex);
  delete GetTab(nIndex);
  m_pTabArray->RemoveAt(nIndex);
  if (m_bActiveTab) {
    const int count = GetTabCount();
    if (count == 0) {
      m_bActiveTab = FALSE;
      m_nActiveTab = 0;
    } else if (nIndex == m_nActiveTab) {
      m_bActiveTab = FALSE;
      ActivateTab(nIndex < count ? nIndex : count - 1);
    } else if (nIndex < m_nActiveTab) {
      --m_nActiveTab;
    }
  }
  InvalidateTabsFrom(nIndex);
  RecalcLayout();
}

void SECTabControlBase::ActivateTab(int nIndex) {
  if (!IsValidTab(nIndex)) return;
  TabActivateInfo info = MakeActivateInfo(nIndex);
  if (m_bActiveTab) {
    if (m_nActiveTab == nIndex) return;
    if (SECTab* old = GetTab(m_nActiveTab)) {
      old->m_bSelected = FALSE;
      InvalidateTab(m_nActiveTab);
    }
  }
  m_nActiveTab = nIndex;
  m_bActiveTab = TRUE;
  GetTab(nIndex)->m_bSelected = TRUE;
  OnActivateTab(nIndex);
  InvalidateTab(nIndex);
  ScrollToTab(nIndex);
  if (CWnd* parent = m_hWnd ? GetParent() : nullptr)
    parent->SendMessage(WM_TABSEL, nIndex, reinterpret_cast<LPARAM>(&info));
}

void SECTabControlBase::NotifyActiveTabClicked() {
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_TABREACTIVATE, m_nActiveTab, 0);
}

void SECTabControlBase::SelectTab(int nIndex) {
  if (!IsValidTab(nIndex)) return;
  GetTab(nIndex)->m_bSelected = TRUE;
  InvalidateTab(nIndex);
  TabActivateInfo info = MakeActivateInfo(nIndex);
  if (CWnd* parent = m_hWnd ? GetParent() : nullptr)
    parent->SendMessage(WM_TABSEL, m_nActiveTab, reinterpret_cast<LPARAM>(&info));
}

void SECTabControlBase::ClearSelection() {
  for (int i = 0; i < GetTabCount(); ++i) {
    if (GetTab(i)->m_bSelected) {
      InvalidateTab(i);
      GetTab(i)->m_bSelected = FALSE;
    }
  }
  m_bActiveTab = FALSE;
  if (CWnd* parent = m_hWnd ? GetParent() : nullptr) parent->SendMessage(WM_TABSELCLEAR, 0, 0);
}

void SECTabControlBase::DeleteAllTabs() {
  if (!m_pTabArray) return;
  for (int i = 0; i < GetTabCount(); ++i) delete m_pTabArray->GetAt(i);
  delete m_pTabArray;
  m_pTabArray = nullptr;
  m_bActiveTab = FALSE;
  m_nActiveTab = 0;
}

void SECTabControlBase::OnDestroy() {
  DeleteAllTabs();
  CWnd::OnDestroy();
}

BOOL SECTabControlBase::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(m_hCursor);
  return TRUE;
}
