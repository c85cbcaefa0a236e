// The MFC wrappers of the common controls: CSpinButtonCtrl, CProgressCtrl,
// CTreeCtrl and CToolTipCtrl.
#pragma once

#include "platform/ui/commctrl.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/imagelist.h"

class CEdit;

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL SetAccel(int nAccel, UDACCEL* pAccel) {
    return static_cast<BOOL>(S(UDM_SETACCEL, nAccel, reinterpret_cast<LPARAM>(pAccel)));
  }
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const {
    return static_cast<UINT>(S(UDM_GETACCEL, nAccel, reinterpret_cast<LPARAM>(pAccel)));
  }
  int SetBase(int nBase) { return static_cast<int>(S(UDM_SETBASE, nBase)); }
  UINT GetBase() const { return static_cast<UINT>(S(UDM_GETBASE)); }
  CWnd* SetBuddy(CWnd* pWndBuddy) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(
        S(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
  }
  CWnd* GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(S(UDM_GETBUDDY))); }
  int SetPos(int nPos) { return static_cast<short>(LOWORD(S(UDM_SETPOS, 0, MAKELPARAM(nPos, 0)))); }
  int GetPos() const { return static_cast<int>(S(UDM_GETPOS)); }
  void SetRange(int nLower, int nUpper) { S(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
  void SetRange32(int nLower, int nUpper) { S(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
  DWORD GetRange() const { return static_cast<DWORD>(S(UDM_GETRANGE)); }
  void GetRange(int& lower, int& upper) const;
  void GetRange32(int& lower, int& upper) const {
    S(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
  }

 private:
  LRESULT S(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessage(m_hWnd, m, w, l); }
};

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetRange(short nLower, short nUpper) { S(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
  void SetRange32(int nLower, int nUpper) { S(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
  void GetRange(int& lower, int& upper) const;
  int GetPos() const { return static_cast<int>(S(PBM_GETPOS)); }
  int OffsetPos(int nPos) { return static_cast<int>(S(PBM_DELTAPOS, static_cast<WPARAM>(nPos))); }
  int SetPos(int nPos) { return static_cast<int>(S(PBM_SETPOS, static_cast<WPARAM>(nPos))); }
  int SetStep(int nStep) { return static_cast<int>(S(PBM_SETSTEP, static_cast<WPARAM>(nStep))); }
  int StepIt() { return static_cast<int>(S(PBM_STEPIT)); }

 private:
  LRESULT S(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessage(m_hWnd, m, w, l); }
};

class CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
  HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                       UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem) { return B(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)); }
  BOOL DeleteAllItems() { return B(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
  BOOL Expand(HTREEITEM hItem, UINT nCode) { return B(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)); }
  BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
  UINT GetCount() const { return static_cast<UINT>(S(TVM_GETCOUNT)); }
  UINT GetIndent() const { return static_cast<UINT>(S(TVM_GETINDENT)); }
  void SetIndent(UINT nIndent) { S(TVM_SETINDENT, nIndent); }
  CImageList* GetImageList(UINT nImageList) const;
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
    return reinterpret_cast<HTREEITEM>(S(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
  }
  HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
  HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
  HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  BOOL Select(HTREEITEM hItem, UINT nCode) {
    return B(TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem));
  }
  BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
  BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
  BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
  BOOL GetItem(TVITEM* pItem) const { return B(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem)); }
  BOOL SetItem(TVITEM* pItem) { return B(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem)); }
  BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
               UINT nStateMask, LPARAM lParam);
  CString GetItemText(HTREEITEM hItem) const;
  BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
  BOOL ItemHasChildren(HTREEITEM hItem) const;
  CEdit* EditLabel(HTREEITEM hItem);
  CEdit* GetEditControl() const;
  UINT GetVisibleCount() const { return static_cast<UINT>(S(TVM_GETVISIBLECOUNT)); }
  HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const {
    return reinterpret_cast<HTREEITEM>(S(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
  }
  BOOL SortChildren(HTREEITEM hItem) { return B(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(hItem)); }
  BOOL SortChildrenCB(LPTVSORTCB pSort) { return B(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(pSort)); }
  BOOL EnsureVisible(HTREEITEM hItem) { return B(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)); }
  CImageList* CreateDragImage(HTREEITEM) { return nullptr; }

 private:
  LRESULT S(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessage(m_hWnd, m, w, l); }
  BOOL B(UINT m, WPARAM w = 0, LPARAM l = 0) const { return static_cast<BOOL>(S(m, w, l)); }
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  void Activate(BOOL bActivate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
  BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr,
               UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  BOOL GetToolInfo(TOOLINFO& toolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetToolInfo(LPTOOLINFO lpToolInfo) {
    ::SendMessage(m_hWnd, TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(lpToolInfo));
  }
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  int GetToolCount() const { return static_cast<int>(::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }
  void SetDelayTime(UINT nDelay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, 0, MAKELPARAM(nDelay, 0)); }
  void RelayEvent(LPMSG lpMsg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
  void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void Pop() { ::SendMessage(m_hWnd, TTM_POP, 0, 0); }
  void Update() { ::SendMessage(m_hWnd, TTM_UPDATE, 0, 0); }
  int SetMaxTipWidth(int iWidth) {
    return static_cast<int>(::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth));
  }
};
