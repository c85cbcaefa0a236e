#include "platform/ui/afxctrl.h"

#include <string>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {
BOOL CreateControl(CWnd* w, LPCSTR cls, LPCSTR text, DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return w->CreateEx(0, cls, text, style | WS_CHILD, r, parent, id);
}

CString ListString(HWND h, UINT lenMsg, UINT textMsg, int i) {
  LRESULT n = ::SendMessage(h, lenMsg, static_cast<WPARAM>(i), 0);
  if (n < 0) return CString();
  std::string s(static_cast<size_t>(n) + 1, '\0');
  ::SendMessage(h, textMsg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  return CString(s.data(), static_cast<int>(n));
}

// Owner-draw records reflected to the control that draws itself.
template <class T>
BOOL ReflectOwnerDraw(T* self, UINT msg, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_DRAWITEM:
      self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
      break;
    case WM_MEASUREITEM:
      self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lp));
      break;
    case WM_COMPAREITEM:
      if (result) *result = self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lp));
      return TRUE;
    case WM_DELETEITEM:
      self->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lp));
      break;
    default:
      return FALSE;
  }
  if (result) *result = TRUE;
  return TRUE;
}
}  // namespace

BOOL CButton::Create(LPCSTR caption, DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateControl(this, "BUTTON", caption, style, r, parent, id);
}
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CButton::OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
  if (msg != WM_DRAWITEM) return FALSE;
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
  if (result) *result = TRUE;
  return TRUE;
}

BOOL CStatic::Create(LPCSTR text, DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateControl(this, "STATIC", text, style, r, parent, id);
}

BOOL CEdit::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateControl(this, "EDIT", "", style, r, parent, id);
}
void CEdit::GetSel(int& start, int& end) const {
  DWORD a = 0, b = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  start = static_cast<int>(a);
  end = static_cast<int>(b);
}
int CEdit::GetLine(int index, LPSTR buffer, int max) const {
  if (!buffer || max < static_cast<int>(sizeof(WORD))) return 0;
  WORD n = static_cast<WORD>(max);
  memcpy(buffer, &n, sizeof n);
  return static_cast<int>(Send(EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}
void CEdit::SetSel(DWORD sel, BOOL noScroll) {
  SetSel(static_cast<short>(LOWORD(sel)), static_cast<short>(HIWORD(sel)), noScroll);
}
void CEdit::SetSel(int start, int end, BOOL noScroll) {
  Send(EM_SETSEL, static_cast<WPARAM>(start), end);
  if (!noScroll) Send(EM_SCROLLCARET);
}
CPoint CEdit::PosFromChar(UINT ch) const {
  LRESULT r = Send(EM_POSFROMCHAR, ch);
  return CPoint(static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r)));
}

BOOL CListBox::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateControl(this, "LISTBOX", "", style, r, parent, id);
}
void CListBox::GetText(int i, CString& s) const { s = ListString(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, i); }
UINT CListBox::ItemFromPoint(CPoint pt, BOOL& outside) const {
  DWORD r = static_cast<DWORD>(::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
  outside = HIWORD(r);
  return LOWORD(r);
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
BOOL CListBox::OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
  return ReflectOwnerDraw(this, msg, lp, result);
}

BOOL CComboBox::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateControl(this, "COMBOBOX", "", style, r, parent, id);
}
void CComboBox::GetLBText(int i, CString& s) const {
  s = ListString(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, i);
}
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}
BOOL CComboBox::OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
  return ReflectOwnerDraw(this, msg, lp, result);
}

BOOL CScrollBar::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateControl(this, "SCROLLBAR", "", style, r, parent, id);
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) {
  if (!info) return FALSE;
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, SB_CTL, info);
}
int CScrollBar::GetScrollLimit() {
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  ::GetScrollInfo(m_hWnd, SB_CTL, &si);
  return si.nMax - std::max<int>(static_cast<int>(si.nPage) - 1, 0);
}

// ---- CCheckListBox ----

BOOL CCheckListBox::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CListBox::Create(style | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, r, parent, id);
}

CCheckListBox::State& CCheckListBox::StateOf(int index) const {
  if (index >= static_cast<int>(m_states.size())) m_states.resize(static_cast<size_t>(index) + 1);
  return m_states[static_cast<size_t>(index)];
}

void CCheckListBox::SetCheck(int index, int check) {
  if (index < 0 || index >= GetCount()) return;
  StateOf(index).check = check;
  RECT r;
  if (GetItemRect(index, &r) != LB_ERR) InvalidateRect(&r, FALSE);
}

int CCheckListBox::GetCheck(int index) const {
  return index >= 0 && index < GetCount() ? StateOf(index).check : -1;
}

void CCheckListBox::Enable(int index, BOOL enabled) {
  if (index < 0 || index >= GetCount()) return;
  StateOf(index).enabled = enabled != FALSE;
  Invalidate(FALSE);
}

BOOL CCheckListBox::IsEnabled(int index) const {
  return index >= 0 && index < GetCount() && StateOf(index).enabled;
}

void CCheckListBox::Toggle(int index) {
  if (index < 0 || index >= GetCount() || !StateOf(index).enabled) return;
  int c = StateOf(index).check;
  int next = (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE) ? (c + 1) % 3 : !c;
  SetCheck(index, next);
  HWND parent = ::GetParent(m_hWnd);
  if (parent)
    ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                  reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (mis->itemHeight < 14) mis->itemHeight = 14;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (static_cast<int>(dis->itemID) < 0 || static_cast<int>(dis->itemID) >= GetCount()) return;
  HDC dc = dis->hDC;
  RECT r = dis->rcItem;
  int box = 13;
  RECT b{r.left + 1, (r.top + r.bottom - box) / 2, r.left + 1 + box, (r.top + r.bottom - box) / 2 + box};
  const State& s = StateOf(static_cast<int>(dis->itemID));
  HBRUSH bg = GetSysColorBrush(COLOR_WINDOW);
  FillRect(dc, &r, bg);
  UINT state =
      DFCS_BUTTONCHECK | (s.check ? DFCS_CHECKED : 0) | (s.check == 2 || !s.enabled ? DFCS_INACTIVE : 0);
  DrawFrameControl(dc, &b, DFC_BUTTON, state);
  RECT t{b.right + 3, r.top, r.right, r.bottom};
  bool selected = dis->itemState & ODS_SELECTED;
  if (selected) FillRect(dc, &t, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!s.enabled ? COLOR_GRAYTEXT
                               : selected ? COLOR_HIGHLIGHTTEXT
                                          : COLOR_WINDOWTEXT));
  CString text;
  GetText(static_cast<int>(dis->itemID), text);
  RECT tt = t;
  tt.left += 1;
  DrawText(dc, text, text.GetLength(), &tt, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (dis->itemState & ODS_FOCUS) DrawFocusRect(dc, &t);
}

LRESULT CCheckListBox::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case LB_INSERTSTRING:
    case LB_ADDSTRING: {
      LRESULT r = CListBox::WindowProc(msg, wp, lp);
      if (r >= 0) {
        StateOf(GetCount());
        m_states.insert(m_states.begin() + r, State{});
        m_states.resize(static_cast<size_t>(GetCount()));
      }
      return r;
    }
    case LB_DELETESTRING:
      if (static_cast<int>(wp) >= 0 && wp < m_states.size())
        m_states.erase(m_states.begin() + static_cast<long>(wp));
      break;
    case LB_RESETCONTENT:
      m_states.clear();
      break;
    case LB_REPLACECONTENT: {
      m_states.clear();
      LRESULT r = CListBox::WindowProc(msg, wp, lp);
      if (r >= 0) m_states.resize(static_cast<size_t>(r));
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      BOOL outside;
      UINT i = ItemFromPoint(CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)), outside);
      if (!outside && GET_X_LPARAM(lp) < 16) {
        LRESULT r = CListBox::WindowProc(WM_LBUTTONDOWN, wp, lp);
        Toggle(static_cast<int>(i));
        return r;
      }
      break;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        Toggle(GetCaretIndex());
        return 0;
      }
      break;
  }
  return CListBox::WindowProc(msg, wp, lp);
}
