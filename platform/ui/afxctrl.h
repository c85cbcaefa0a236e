// The MFC control wrappers: CButton, CEdit, CStatic, CListBox, CComboBox,
// CScrollBar, CCheckListBox; each sends its control's messages.
#pragma once

#include "platform/ui/commctrl.h"
#include <vector>

#include "platform/ui/cwnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
 public:
  BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
  void SetCheck(int check) { Send(BM_SETCHECK, static_cast<WPARAM>(check)); }
  UINT GetState() const { return static_cast<UINT>(Send(BM_GETSTATE)); }
  void SetState(BOOL highlight) { Send(BM_SETSTATE, static_cast<WPARAM>(highlight)); }
  UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle()) & 0xFFFF; }
  void SetButtonStyle(UINT style, BOOL redraw = TRUE) { Send(BM_SETSTYLE, style, redraw); }
  HBITMAP SetBitmap(HBITMAP b) {
    return reinterpret_cast<HBITMAP>(Send(BM_SETIMAGE, 0, reinterpret_cast<LPARAM>(b)));
  }
  HICON SetIcon(HICON i) {
    return reinterpret_cast<HICON>(Send(BM_SETIMAGE, 1, reinterpret_cast<LPARAM>(i)));
  }
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult) override;

 protected:
  LRESULT Send(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessage(m_hWnd, m, w, l); }
};

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
 public:
  BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
  HICON SetIcon(HICON icon) {
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
  }
  HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_GETICON, 0, 0)); }
  HBITMAP SetBitmap(HBITMAP b) {
    return reinterpret_cast<HBITMAP>(
        ::SendMessage(m_hWnd, STM_SETIMAGE, 0 /* IMAGE_BITMAP */, reinterpret_cast<LPARAM>(b)));
  }
  HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, STM_GETIMAGE, 0, 0)); }
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  BOOL CanUndo() const { return static_cast<BOOL>(Send(EM_CANUNDO)); }
  int GetLineCount() const { return static_cast<int>(Send(EM_GETLINECOUNT)); }
  BOOL GetModify() const { return static_cast<BOOL>(Send(EM_GETMODIFY)); }
  void SetModify(BOOL modified = TRUE) { Send(EM_SETMODIFY, static_cast<WPARAM>(modified)); }
  void GetRect(LPRECT r) const { Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(r)); }
  DWORD GetSel() const { return static_cast<DWORD>(Send(EM_GETSEL)); }
  void GetSel(int& start, int& end) const;
  int GetLine(int index, LPSTR buffer, int maxLength) const;
  void EmptyUndoBuffer() { Send(EM_EMPTYUNDOBUFFER); }
  void LimitText(int chars = 0) { Send(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
  void SetLimitText(UINT max) { Send(EM_SETLIMITTEXT, max); }
  UINT GetLimitText() const { return static_cast<UINT>(Send(EM_GETLIMITTEXT)); }
  int LineFromChar(int index = -1) const {
    return static_cast<int>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(index)));
  }
  int LineIndex(int line = -1) const {
    return static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(line)));
  }
  int LineLength(int index = -1) const {
    return static_cast<int>(Send(EM_LINELENGTH, static_cast<WPARAM>(index)));
  }
  void LineScroll(int lines, int chars = 0) { Send(EM_LINESCROLL, static_cast<WPARAM>(chars), lines); }
  void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE) {
    Send(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
  }
  void SetPasswordChar(char ch) { Send(EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch)); }
  char GetPasswordChar() const { return static_cast<char>(Send(EM_GETPASSWORDCHAR)); }
  void SetSel(DWORD selection, BOOL noScroll = FALSE);
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  BOOL SetReadOnly(BOOL readOnly = TRUE) {
    return static_cast<BOOL>(Send(EM_SETREADONLY, static_cast<WPARAM>(readOnly)));
  }
  BOOL SetTabStops(int count, LPINT stops) {
    return static_cast<BOOL>(
        Send(EM_SETTABSTOPS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(stops)));
  }
  int GetFirstVisibleLine() const { return static_cast<int>(Send(EM_GETFIRSTVISIBLELINE)); }
  CPoint PosFromChar(UINT ch) const;
  int CharFromPos(CPoint pt) const {
    return static_cast<int>(Send(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)));
  }
  void SetMargins(UINT left, UINT right) {
    Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
  }
  BOOL Undo() { return static_cast<BOOL>(Send(EM_UNDO)); }
  void Clear() { Send(WM_CLEAR); }
  void Copy() { Send(WM_COPY); }
  void Cut() { Send(WM_CUT); }
  void Paste() { Send(WM_PASTE); }

 protected:
  LRESULT Send(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessage(m_hWnd, m, w, l); }
};

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCount() const { return I(LB_GETCOUNT); }
  int GetHorizontalExtent() const { return I(LB_GETHORIZONTALEXTENT); }
  void SetHorizontalExtent(int cx) { I(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cx)); }
  int GetTopIndex() const { return I(LB_GETTOPINDEX); }
  int SetTopIndex(int i) { return I(LB_SETTOPINDEX, static_cast<WPARAM>(i)); }
  DWORD_PTR GetItemData(int i) const {
    return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
  }
  void* GetItemDataPtr(int i) const { return reinterpret_cast<void*>(GetItemData(i)); }
  int SetItemData(int i, DWORD_PTR d) {
    return I(LB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(d));
  }
  int SetItemDataPtr(int i, void* p) { return SetItemData(i, reinterpret_cast<DWORD_PTR>(p)); }
  int GetItemRect(int i, LPRECT r) const {
    return I(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(r));
  }
  int GetSel(int i) const { return I(LB_GETSEL, static_cast<WPARAM>(i)); }
  int GetText(int i, LPSTR buf) const {
    return I(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
  }
  void GetText(int i, CString& s) const;
  int GetTextLen(int i) const { return I(LB_GETTEXTLEN, static_cast<WPARAM>(i)); }
  void SetColumnWidth(int cx) { I(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(cx)); }
  BOOL SetTabStops(int count, LPINT stops) {
    return I(LB_SETTABSTOPS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(stops));
  }
  BOOL SetTabStops() { return I(LB_SETTABSTOPS); }
  BOOL SetTabStops(const int& cx) { return I(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&cx)); }
  int SetItemHeight(int i, UINT cy) { return I(LB_SETITEMHEIGHT, static_cast<WPARAM>(i), MAKELONG(cy, 0)); }
  int GetItemHeight(int i) const { return I(LB_GETITEMHEIGHT, static_cast<WPARAM>(i)); }
  int FindStringExact(int start, LPCSTR s) const {
    return I(LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s));
  }
  int GetCaretIndex() const { return I(LB_GETCARETINDEX); }
  int SetCaretIndex(int i, BOOL scroll = TRUE) { return I(LB_SETCARETINDEX, static_cast<WPARAM>(i), scroll); }
  int GetCurSel() const { return I(LB_GETCURSEL); }
  int SetCurSel(int i) { return I(LB_SETCURSEL, static_cast<WPARAM>(i)); }
  int SetSel(int i, BOOL select = TRUE) { return I(LB_SETSEL, static_cast<WPARAM>(select), i); }
  int GetSelCount() const { return I(LB_GETSELCOUNT); }
  int GetSelItems(int max, LPINT out) const {
    return I(LB_GETSELITEMS, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(out));
  }
  int SelItemRange(BOOL select, int first, int last) {
    return I(LB_SELITEMRANGE, static_cast<WPARAM>(select), MAKELONG(first, last));
  }
  void SetAnchorIndex(int i) { I(LB_SETANCHORINDEX, static_cast<WPARAM>(i)); }
  int GetAnchorIndex() const { return I(LB_GETANCHORINDEX); }
  int AddString(LPCSTR s) { return I(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s)); }
  int DeleteString(UINT i) { return I(LB_DELETESTRING, i); }
  int InsertString(int i, LPCSTR s) {
    return I(LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s));
  }
  void ResetContent() { I(LB_RESETCONTENT); }
  // The layer's LB_REPLACECONTENT: the items become these, repainted once.
  int ReplaceContent(int count, const LPCSTR* texts) {
    return I(LB_REPLACECONTENT, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(texts));
  }
  int FindString(int start, LPCSTR s) const {
    return I(LB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s));
  }
  int SelectString(int start, LPCSTR s) {
    return I(LB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s));
  }
  UINT ItemFromPoint(CPoint pt, BOOL& outside) const;
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult) override;

 protected:
  int I(UINT m, WPARAM w = 0, LPARAM l = 0) const { return static_cast<int>(::SendMessage(m_hWnd, m, w, l)); }
};

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCount() const { return I(CB_GETCOUNT); }
  int GetCurSel() const { return I(CB_GETCURSEL); }
  int SetCurSel(int i) { return I(CB_SETCURSEL, static_cast<WPARAM>(i)); }
  DWORD GetEditSel() const { return static_cast<DWORD>(::SendMessage(m_hWnd, CB_GETEDITSEL, 0, 0)); }
  BOOL LimitText(int max) { return I(CB_LIMITTEXT, static_cast<WPARAM>(max)); }
  BOOL SetEditSel(int start, int end) { return I(CB_SETEDITSEL, 0, MAKELONG(start, end)); }
  DWORD_PTR GetItemData(int i) const {
    return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
  }
  int SetItemData(int i, DWORD_PTR d) {
    return I(CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(d));
  }
  void* GetItemDataPtr(int i) const { return reinterpret_cast<void*>(GetItemData(i)); }
  int SetItemDataPtr(int i, void* p) { return SetItemData(i, reinterpret_cast<DWORD_PTR>(p)); }
  int GetLBText(int i, LPSTR buf) const {
    return I(CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
  }
  void GetLBText(int i, CString& s) const;
  int GetLBTextLen(int i) const { return I(CB_GETLBTEXTLEN, static_cast<WPARAM>(i)); }
  int SetItemHeight(int i, UINT cy) { return I(CB_SETITEMHEIGHT, static_cast<WPARAM>(i), cy); }
  int GetItemHeight(int i) const { return I(CB_GETITEMHEIGHT, static_cast<WPARAM>(i)); }
  int FindStringExact(int start, LPCSTR s) const {
    return I(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s));
  }
  int SetExtendedUI(BOOL ext = TRUE) { return I(CB_SETEXTENDEDUI, static_cast<WPARAM>(ext)); }
  BOOL GetExtendedUI() const { return I(CB_GETEXTENDEDUI); }
  void GetDroppedControlRect(LPRECT r) const { I(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(r)); }
  BOOL GetDroppedState() const { return I(CB_GETDROPPEDSTATE); }
  int GetDroppedWidth() const { return I(CB_GETDROPPEDWIDTH); }
  int SetDroppedWidth(UINT w) { return I(CB_SETDROPPEDWIDTH, w); }
  int GetTopIndex() const { return I(CB_GETTOPINDEX); }
  int SetTopIndex(int i) { return I(CB_SETTOPINDEX, static_cast<WPARAM>(i)); }
  void ShowDropDown(BOOL show = TRUE) { I(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
  int AddString(LPCSTR s) { return I(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s)); }
  int DeleteString(UINT i) { return I(CB_DELETESTRING, i); }
  int InsertString(int i, LPCSTR s) {
    return I(CB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s));
  }
  void ResetContent() { I(CB_RESETCONTENT); }
  int FindString(int start, LPCSTR s) const {
    return I(CB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s));
  }
  int SelectString(int start, LPCSTR s) {
    return I(CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s));
  }
  void Clear() { I(WM_CLEAR); }
  void Copy() { I(WM_COPY); }
  void Cut() { I(WM_CUT); }
  void Paste() { I(WM_PASTE); }
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult) override;

 protected:
  int I(UINT m, WPARAM w = 0, LPARAM l = 0) const { return static_cast<int>(::SendMessage(m_hWnd, m, w, l)); }
};

class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
  void GetScrollRange(LPINT lo, LPINT hi) const { ::GetScrollRange(m_hWnd, SB_CTL, lo, hi); }
  void SetScrollRange(int lo, int hi, BOOL redraw = TRUE) {
    ::SetScrollRange(m_hWnd, SB_CTL, lo, hi, redraw);
  }
  void ShowScrollBar(BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, show); }
  BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, arrows); }
  BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
  }
  BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL);
  int GetScrollLimit();
};

// A list box with a check box before each item (owner-drawn, with strings).
class CCheckListBox : public CListBox {
  DECLARE_DYNAMIC(CCheckListBox)
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  void SetCheckStyle(UINT style) { m_nStyle = style; }
  UINT GetCheckStyle() const { return m_nStyle; }
  void SetCheck(int index, int check);
  int GetCheck(int index) const;
  void Enable(int index, BOOL enabled = TRUE);
  BOOL IsEnabled(int index) const;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The check box of the item was toggled by the user (CLBN_CHKCHANGE).
  static const UINT CLBN_CHKCHANGE = 40;

 private:
  UINT m_nStyle = BS_AUTOCHECKBOX;
  struct State {
    int check = 0;
    bool enabled = true;
  };
  mutable std::vector<State> m_states;  // by index
  State& StateOf(int index) const;
  void Toggle(int index);
};
