// SECTabWndBase: a child window that shows one of several client windows,
// chosen by a tab strip; the tab bookkeeping and activation, independent of
// how the strip looks.
#pragma once

#include "controls/sec_tab_control_base.h"

struct CCreateContext;

// Fixed child identifiers of a tab window.
constexpr UINT kSECTabWndStripId = 0xEA30;
constexpr UINT kSECTabWndHScrollId = 0xEC00;
constexpr UINT kSECTabWndVScrollId = 0xECFF;
constexpr UINT kSECTabWndFirstClientId = 0xEB00;  // + tab count, for clients made by class

class SECTabWndBase : public CWnd {
  DECLARE_DYNAMIC(SECTabWndBase)
 public:
  SECTabWndBase() = default;
  ~SECTabWndBase() override;

  using CWnd::Create;
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, void* pContext = nullptr) override;
  virtual BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);
  virtual BOOL CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
  virtual BOOL CreateTabCtrl(DWORD dwStyle, UINT nID);
  virtual SECTab* InsertTab(CRuntimeClass* pViewClass, int nIndex, LPCSTR lpszLabel,
                            CCreateContext* pContext = nullptr, UINT nID = static_cast<UINT>(-1));
  virtual SECTab* InsertTab(CWnd* pWnd, int nIndex, LPCSTR lpszLabel);
  virtual SECTab* AddTab(CRuntimeClass* pViewClass, LPCSTR lpszLabel, CCreateContext* pContext = nullptr,
                         UINT nID = static_cast<UINT>(-1));
  virtual SECTab* AddTab(CWnd* pWnd, LPCSTR lpszLabel);
  virtual void SetTabIcon(int nIndex, LPCSTR lpszResourceName, int cx, int cy);
  virtual void SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy);
  virtual void SetTabIcon(int nIndex, HICON hIcon);
  virtual void SetScrollStyle(int nTab, DWORD dwStyle);
  virtual void RemoveTab(int nIndex);
  virtual void RemoveTab(CWnd* pWnd);
  virtual void RenameTab(int nIndex, LPCSTR lpszLabel);
  virtual void RenameTab(CWnd* pWnd, LPCSTR lpszLabel);
  virtual void ActivateTab(int nIndex);
  virtual void ActivateTab(CWnd* pWnd);
  virtual void ActivateTab(CWnd* pWnd, int nIndex);
  virtual void ClearSelection();
  virtual void ScrollToTab(int nIndex);
  virtual void ScrollToTab(CWnd* pWnd);
  virtual void FocusActiveTab();
  virtual void SetNotifyWnd(CWnd* pWnd);
  virtual CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }
  virtual void GetInsideRect(LPRECT lpRect) const;
  virtual void RecalcLayout();

  int GetTabCount() const { return m_pTabCtrl ? m_pTabCtrl->GetTabCount() : 0; }
  BOOL GetTabInfo(int nIndex, LPCSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd, void*& pExtra) const;
  BOOL FindTab(const CWnd* pWnd, int& nIndex) const;
  BOOL GetActiveTab(CWnd*& pWnd) const;
  BOOL GetActiveTab(int& nIndex) const;
  SECTabControlBase* GetTabControl() const { return m_pTabCtrl; }
  CWnd* GetTabClient(int nIndex) const;  // NULL for an index out of range

 protected:
  CWnd* CreateClient(CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nID);
  void ActivateClient(CWnd* pWnd);

  void OnDestroy();
  LRESULT OnChildActivate(WPARAM, LPARAM);
  LRESULT OnTabSel(WPARAM wParam, LPARAM lParam);
  LRESULT OnTabReactivate(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

  SECTabControlBase* m_pTabCtrl = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  CWnd* m_pCreatingWnd = nullptr;
  CWnd* m_pNotifyWnd = nullptr;
};
