// SECTabControlBase: the tabs of a strip, the active tab and the selection,
// and the messages that tell the parent about them. Every index passed in is
// range-checked; out-of-range indices are ignored.
#pragma once

#include "controls/sec_tab.h"
#include "platform/ui/cwnd.h"

class SECTabControlBase : public CWnd {
  DECLARE_DYNAMIC(SECTabControlBase)
 public:
  SECTabControlBase() = default;
  ~SECTabControlBase() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  virtual void Initialize(DWORD dwStyle);
  virtual SECTab* CreateNewTab();
  virtual void RecalcLayout();
  virtual void OnActivateTab(int nIndex);
  virtual void DestroyGDIObjects();
  virtual SECTab* InsertTab(int nIndex, LPCSTR lpszLabel, CObject* pClient = nullptr, DWORD dwData1 = 0,
                            DWORD dwData2 = 0);
  virtual SECTab* AddTab(LPCSTR lpszLabel, CObject* pClient = nullptr, DWORD dwData1 = 0, DWORD dwData2 = 0);
  virtual void SetTabIcon(int nIndex, LPCSTR lpszResourceName, int cx, int cy);
  virtual void SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy);
  virtual void SetTabIcon(int nIndex, HICON hIcon);
  virtual void DeleteTab(int nIndex);
  virtual void RenameTab(int nIndex, LPCSTR lpszLabel);
  virtual void ActivateTab(int nIndex);
  virtual void NotifyActiveTabClicked();
  virtual void SelectTab(int nIndex);
  virtual void ClearSelection();
  virtual void ScrollToTab(int nIndex);
  virtual void InvalidateTab(int nIndex);

  int GetTabCount() const { return m_pTabArray ? static_cast<int>(m_pTabArray->GetSize()) : 0; }
  SECTab* GetTab(int nIndex) const;  // NULL for an index out of range
  BOOL GetTabInfo(int nIndex, LPCSTR& lpszLabel, BOOL& bSelected, CObject*& pClient, DWORD& dwData1,
                  DWORD& dwData2) const;
  BOOL FindTab(const CObject* pClient, int& nIndex) const;
  BOOL TabExists(const CObject* pClient) const;
  BOOL GetActiveTab(int& nIndex) const;
  BOOL IsValidTab(int nIndex) const { return nIndex >= 0 && nIndex < GetTabCount(); }

 protected:
  TabActivateInfo MakeActivateInfo(int nNewTab) const;
  void InvalidateTabsFrom(int nIndex);
  void DeleteAllTabs();

  void OnDestroy();
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()

  CObArray* m_pTabArray = nullptr;
  int m_nActiveTab = 0;
  BOOL m_bActiveTab = FALSE;
  HCURSOR m_hCursor = nullptr;
};
