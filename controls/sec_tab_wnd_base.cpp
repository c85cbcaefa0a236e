#include "controls/sec_tab_wnd_base.h"

#include "platform/afx/framewnd.h"
#include "platform/afx/view.h"
#include "platform/ui/system_classes.h"

IMPLEMENT_DYNAMIC(SECTabWndBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabWndBase, CWnd)
ON_WM_DESTROY()
ON_MESSAGE(WM_CHILDACTIVATE, OnChildActivate)
ON_MESSAGE(WM_TABSEL, OnTabSel)
ON_MESSAGE(WM_TABREACTIVATE, OnTabReactivate)
END_MESSAGE_MAP()

SECTabWndBase::~SECTabWndBase() {
  if (m_hWnd) DestroyWindow();
  delete m_pTabCtrl;
}

BOOL SECTabWndBase::Create(LPCSTR, LPCSTR, DWORD dwStyle, const RECT&, CWnd* pParentWnd, UINT nID, void*) {
  return Create(pParentWnd, dwStyle, nID);
}

BOOL SECTabWndBase::Create(CWnd* pParent, DWORD dwStyle, UINT nID) {
  dwStyle &= ~(WS_HSCROLL | WS_VSCROLL);
  m_pNotifyWnd = pParent;
  if (!m_hWnd) {
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS);
    if (!CWnd::CreateEx(0, cls, nullptr, dwStyle, CRect(0, 0, 0, 0), pParent, nID)) return FALSE;
  }
  try {
    if (!CreateTabCtrl(dwStyle, kSECTabWndStripId)) AfxThrowResourceException();
  } catch (CException* e) {
    e->Delete();
    DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

BOOL SECTabWndBase::CreateScrollBarCtrl(DWORD dwStyle, UINT nID) {
  if (!m_hWnd) return FALSE;
  HWND bar =
      ::CreateWindowEx(0, "SCROLLBAR", nullptr, dwStyle | WS_CHILD, 0, 0, 1, 1, m_hWnd,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(), nullptr);
  return bar != nullptr;
}

BOOL SECTabWndBase::CreateTabCtrl(DWORD, UINT) { return FALSE; }

CWnd* SECTabWndBase::CreateClient(CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nID) {
  if (nID == static_cast<UINT>(-1)) nID = kSECTabWndFirstClientId + GetTabCount();
  try {
    CObject* object = pViewClass ? pViewClass->CreateObject() : nullptr;
    m_pCreatingWnd = object ? dynamic_cast<CWnd*>(object) : nullptr;
    if (!m_pCreatingWnd) {
      delete object;
      AfxThrowMemoryException();
    }
    if (!m_pCreatingWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID,
                                pContext)) {
      // A window that could not be made is no client.
      delete m_pCreatingWnd;
      m_pCreatingWnd = nullptr;
      return nullptr;
    }
  } catch (CException* e) {
    e->Delete();
    m_pCreatingWnd = nullptr;
    return nullptr;
  }
  CWnd* created = m_pCreatingWnd;
  m_pCreatingWnd = nullptr;
  return created;
}

SECTab* SECTabWndBase::InsertTab(CRuntimeClass* pViewClass, int nIndex, LPCSTR lpszLabel,
                                 CCreateContext* pContext, UINT nID) {
  return InsertTab(CreateClient(pViewClass, pContext, nID), nIndex, lpszLabel);
}

SECTab* SECTabWndBase::InsertTab(CWnd* pWnd, int nIndex, LPCSTR lpszLabel) {
  if (!m_pTabCtrl) return nullptr;
  SECTab* tab = m_pTabCtrl->InsertTab(nIndex, lpszLabel, pWnd, 0, 0);
  if (tab) SetScrollStyle(nIndex, 0);
  return tab;
}

SECTab* SECTabWndBase::AddTab(CRuntimeClass* pViewClass, LPCSTR lpszLabel, CCreateContext* pContext,
                              UINT nID) {
  return AddTab(CreateClient(pViewClass, pContext, nID), lpszLabel);
}

SECTab* SECTabWndBase::AddTab(CWnd* pWnd, LPCSTR lpszLabel) {
  if (!m_pTabCtrl) return nullptr;
  SECTab* tab = m_pTabCtrl->AddTab(lpszLabel, pWnd, 0, 0);
  if (tab) SetScrollStyle(GetTabCount() - 1, 0);
  return tab;
}

void SECTabWndBase::SetTabIcon(int nIndex, LPCSTR lpszResourceName, int cx, int cy) {
  if (m_pTabCtrl) m_pTabCtrl->SetTabIcon(nIndex, lpszResourceName, cx, cy);
}
void SECTabWndBase::SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy) {
  if (m_pTabCtrl) m_pTabCtrl->SetTabIcon(nIndex, nIDResource, cx, cy);
}
void SECTabWndBase::SetTabIcon(int nIndex, HICON hIcon) {
  if (m_pTabCtrl) m_pTabCtrl->SetTabIcon(nIndex, hIcon);
}

void SECTabWndBase::SetScrollStyle(int, DWORD) {}

CWnd* SECTabWndBase::GetTabClient(int nIndex) const {
  SECTab* tab = m_pTabCtrl ? m_pTabCtrl->GetTab(nIndex) : nullptr;
  return tab ? static_cast<CWnd*>(tab->m_pClient) : nullptr;
}

void SECTabWndBase::RemoveTab(int nIndex) {
  if (!m_pTabCtrl || !m_pTabCtrl->IsValidTab(nIndex)) return;
  // The client of a removed active tab no longer covers its successor.
  if (CWnd* client = GetTabClient(nIndex); client && client == m_pActiveWnd) {
    if (client->m_hWnd) client->ShowWindow(SW_HIDE);
    m_pActiveWnd = nullptr;
  }
  m_pTabCtrl->DeleteTab(nIndex);
}

void SECTabWndBase::RemoveTab(CWnd* pWnd) {
  int index = 0;
  if (FindTab(pWnd, index)) RemoveTab(index);
}

void SECTabWndBase::RenameTab(int nIndex, LPCSTR lpszLabel) {
  if (m_pTabCtrl) m_pTabCtrl->RenameTab(nIndex, lpszLabel);
}

void SECTabWndBase::RenameTab(CWnd* pWnd, LPCSTR lpszLabel) {
  int index = 0;
  if (FindTab(pWnd, index)) RenameTab(index, lpszLabel);
}

void SECTabWndBase::ActivateTab(int nIndex) {
  if (m_pTabCtrl && m_pTabCtrl->IsValidTab(nIndex)) ActivateTab(GetTabClient(nIndex), nIndex);
}

void SECTabWndBase::ActivateTab(CWnd* pWnd) {
  int index = 0;
  if (FindTab(pWnd, index)) ActivateTab(pWnd, index);
}

// A tab without a client window is made the strip's active tab; nothing is
// shown for it.
void SECTabWndBase::ActivateTab(CWnd* pWnd, int nIndex) {
  if (!m_pTabCtrl || !m_pTabCtrl->IsValidTab(nIndex)) return;
  CWnd* old = m_pActiveWnd;
  m_pActiveWnd = pWnd;
  int active = 0;
  if (!m_pTabCtrl->GetActiveTab(active) || active != nIndex) m_pTabCtrl->ActivateTab(nIndex);
  if (old && old != pWnd && old->m_hWnd) old->ShowWindow(SW_HIDE);
  if (pWnd && pWnd->m_hWnd) {
    pWnd->ShowWindow(SW_SHOW);
    ActivateClient(pWnd);
  }
  RecalcLayout();
  Invalidate(TRUE);
}

void SECTabWndBase::ActivateClient(CWnd* pWnd) {
  if (auto* view = dynamic_cast<CView*>(pWnd)) {
    if (CFrameWnd* frame = GetParentFrame()) {
      frame->SetActiveView(view, TRUE);
      return;
    }
  }
  SetFocus();
  pWnd->SetFocus();
  pWnd->SetActiveWindow();
}

void SECTabWndBase::ClearSelection() {
  if (m_pTabCtrl) m_pTabCtrl->ClearSelection();
}

void SECTabWndBase::ScrollToTab(int nIndex) {
  if (m_pTabCtrl) m_pTabCtrl->ScrollToTab(nIndex);
}

void SECTabWndBase::ScrollToTab(CWnd* pWnd) {
  int index = 0;
  if (FindTab(pWnd, index)) ScrollToTab(index);
}

void SECTabWndBase::FocusActiveTab() {
  int index = 0;
  if (!m_pTabCtrl || !m_pTabCtrl->GetActiveTab(index)) return;
  CWnd* client = GetTabClient(index);
  if (client && client->m_hWnd) ActivateClient(client);
}

void SECTabWndBase::SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd ? pWnd : GetParent(); }

void SECTabWndBase::GetInsideRect(LPRECT lpRect) const { GetClientRect(lpRect); }

void SECTabWndBase::RecalcLayout() {}

BOOL SECTabWndBase::GetTabInfo(int nIndex, LPCSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd,
                               void*& pExtra) const {
  CObject* client = nullptr;
  DWORD data1 = 0;
  DWORD data2 = 0;
  if (!m_pTabCtrl || !m_pTabCtrl->GetTabInfo(nIndex, lpszLabel, bSelected, client, data1, data2))
    return FALSE;
  pWnd = static_cast<CWnd*>(client);
  pExtra = reinterpret_cast<void*>(static_cast<UINT_PTR>(data2));
  return TRUE;
}

BOOL SECTabWndBase::FindTab(const CWnd* pWnd, int& nIndex) const {
  return m_pTabCtrl && m_pTabCtrl->FindTab(pWnd, nIndex);
}

BOOL SECTabWndBase::GetActiveTab(CWnd*& pWnd) const {
  int index = 0;
  const BOOL active = GetActiveTab(index);
  pWnd = active ? GetTabClient(index) : nullptr;
  return active;
}

BOOL SECTabWndBase::GetActiveTab(int& nIndex) const {
  if (!m_pTabCtrl) {
    nIndex = 0;
    return FALSE;
  }
  return m_pTabCtrl->GetActiveTab(nIndex);
}

void SECTabWndBase::OnDestroy() {
  if (m_pTabCtrl) {
    if (m_pTabCtrl->m_hWnd) m_pTabCtrl->DestroyWindow();
    delete m_pTabCtrl;
    m_pTabCtrl = nullptr;
  }
  m_pActiveWnd = nullptr;
  CWnd::OnDestroy();
}

LRESULT SECTabWndBase::OnChildActivate(WPARAM, LPARAM) {
  FocusActiveTab();
  return 0;
}

LRESULT SECTabWndBase::OnTabReactivate(WPARAM, LPARAM) {
  FocusActiveTab();
  return 0;
}

// wParam names the active tab; its own client is shown (a selection
// reports another tab's client in the record).
LRESULT SECTabWndBase::OnTabSel(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  ActivateTab(GetTabClient(index), index);
  return 0;
}
