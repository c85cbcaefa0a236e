// The combo box: simple, drop-down and drop-down list, made of an edit
// (id 1001) and a list box ("ComboLBox", id 1000), with CBN_* notifications.
#include <algorithm>
#include <map>

#include "platform/ui/controls_impl.h"
#include "platform/ui/listbox_impl.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

const int kEditId = 1001;
const int kListId = 1000;

struct ComboState {
  HWND edit = nullptr;
  HWND list = nullptr;
  int droppedHeight = 100;
  bool dropped = false;
  bool extendedUi = false;
  int droppedWidth = 0;
};

std::map<HWND, HWND>& ListOwners() {
  static std::map<HWND, HWND>* m = new std::map<HWND, HWND>;
  return *m;
}

UINT Kind(HWND h) { return StyleOf(h) & 3; }
int ArrowWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

int FaceHeight(HWND h) { return FontLineHeight(ControlFont(h)) + 8; }

void Notify(HWND h, int code) { NotifyParent(h, code); }

std::string ItemText(ComboState& s, int i) {
  LRESULT n = SendMessage(s.list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n == LB_ERR) return std::string();
  std::string t(static_cast<size_t>(n) + 1, '\0');
  SendMessage(s.list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
  t.resize(static_cast<size_t>(n));
  return t;
}

int CurSel(ComboState& s) { return static_cast<int>(SendMessage(s.list, LB_GETCURSEL, 0, 0)); }

// The edit shows the selected item.
void SyncEdit(HWND h, ComboState& s) {
  int i = CurSel(s);
  if (s.edit) {
    std::string t = i >= 0 ? ItemText(s, i) : std::string();
    SendMessage(s.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()));
    SendMessage(s.edit, EM_SETSEL, 0, -1);
  }
  InvalidateRect(h, nullptr, FALSE);
}

void Layout(HWND h, ComboState& s) {
  RECT r;
  GetClientRect(h, &r);
  int face = FaceHeight(h);
  if (Kind(h) == CBS_SIMPLE) {
    if (s.edit) MoveWindow(s.edit, 0, 0, r.right, face, TRUE);
    MoveWindow(s.list, 0, face, r.right, std::max<int>(0, r.bottom - face), TRUE);
  } else if (s.edit) {
    MoveWindow(s.edit, 2, 2, std::max(0, static_cast<int>(r.right) - ArrowWidth() - 4), face - 4, TRUE);
  }
}

// A drop-down combo box is as tall as its face (its list drops below it);
// then its parts are laid out.
void FitFace(HWND h, ComboState& s) {
  if (Kind(h) != CBS_SIMPLE) {
    RECT wr;
    GetWindowRect(h, &wr);
    SetWindowPos(h, nullptr, 0, 0, wr.right - wr.left, FaceHeight(h),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout(h, s);
}

void ShowDropDown(HWND h, ComboState& s, bool show, bool ok) {
  if (Kind(h) == CBS_SIMPLE || show == s.dropped) return;
  if (show) {
    Notify(h, CBN_DROPDOWN);
    if (!IsWindow(h)) return;
    RECT wr;
    GetWindowRect(h, &wr);
    int width = std::max<int>(s.droppedWidth, wr.right - wr.left);
    int height = std::max(s.droppedHeight - (wr.bottom - wr.top), FontLineHeight(ControlFont(h)) + 2);
    s.dropped = true;
    SetWindowPos(s.list, HWND_TOPMOST, wr.left, wr.bottom, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    int cur = CurSel(s);
    if (cur >= 0) SendMessage(s.list, LB_SETTOPINDEX, static_cast<WPARAM>(cur), 0);
    SetCapture(s.list);
  } else {
    s.dropped = false;
    if (GetCapture() == s.list) ReleaseCapture();
    ShowWindow(s.list, SW_HIDE);
    Notify(h, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (IsWindow(h)) Notify(h, CBN_CLOSEUP);
  }
  InvalidateRect(h, nullptr, FALSE);
}

void PaintFace(HWND h, ComboState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  if (Kind(h) == CBS_SIMPLE) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(h, &ps);
    return;
  }
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(h));
  bool enabled = IsWindowEnabled(h);
  HBRUSH bg = ControlColors(h, dc, s.edit ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX);
  RECT inner = r;
  DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &inner, enabled ? bg : GetSysColorBrush(COLOR_BTNFACE));
  RECT arrow{inner.right - ArrowWidth(), inner.top, inner.right, inner.bottom};
  DrawFrameControl(
      dc, &arrow, DFC_SCROLL,
      DFCS_SCROLLCOMBOBOX | (s.dropped ? DFCS_PUSHED | DFCS_FLAT : 0) | (enabled ? 0 : DFCS_INACTIVE));
  if (!s.edit) {
    RECT t{inner.left + 1, inner.top + 1, arrow.left - 1, inner.bottom - 1};
    int cur = CurSel(s);
    bool focused = GetFocus() == h && !s.dropped;
    if (StyleOf(h) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
      DRAWITEMSTRUCT dis{};
      dis.CtlType = ODT_COMBOBOX;
      dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
      dis.itemID = static_cast<UINT>(cur);
      dis.itemAction = ODA_DRAWENTIRE;
      dis.itemState =
          ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
      dis.hwndItem = h;
      dis.hDC = dc;
      dis.rcItem = t;
      dis.itemData =
          cur >= 0 ? static_cast<ULONG_PTR>(SendMessage(s.list, LB_GETITEMDATA, static_cast<WPARAM>(cur), 0))
                   : 0;
      SendMessage(NotifyTarget(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    } else {
      if (focused) {
        FillRect(dc, &t, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      }
      RECT tt = t;
      tt.left += 2;
      if (cur >= 0)
        DrawControlText(dc, ItemText(s, cur), &tt, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, enabled);
      if (focused) DrawFocusRect(dc, &t);
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

// A selection change made by the user in the list or with the keys.
void UserSelect(HWND h, ComboState& s, int i) {
  int n = static_cast<int>(SendMessage(s.list, LB_GETCOUNT, 0, 0));
  if (n == 0) return;
  i = std::clamp(i, 0, n - 1);
  if (i == CurSel(s)) return;
  SendMessage(s.list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  SyncEdit(h, s);
  Notify(h, CBN_SELCHANGE);
}

bool KeyDown(HWND h, ComboState& s, WPARAM vk) {
  bool alt = GetKeyState(VK_MENU) & 0x8000;
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
    ShowDropDown(h, s, !s.dropped, true);
    return true;
  }
  if (s.dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
    ShowDropDown(h, s, false, vk == VK_RETURN);
    return true;
  }
  int cur = CurSel(s);
  int n = static_cast<int>(SendMessage(s.list, LB_GETCOUNT, 0, 0));
  switch (vk) {
    case VK_UP:
      UserSelect(h, s, cur < 0 ? 0 : cur - 1);
      return true;
    case VK_DOWN:
      UserSelect(h, s, cur + 1);
      return true;
    case VK_PRIOR:
      UserSelect(h, s, cur - 8);
      return true;
    case VK_NEXT:
      UserSelect(h, s, cur + 8);
      return true;
    case VK_HOME:
      if (s.edit) return false;
      UserSelect(h, s, 0);
      return true;
    case VK_END:
      if (s.edit) return false;
      UserSelect(h, s, n - 1);
      return true;
  }
  return false;
}

LRESULT ForwardToList(HWND h, ComboState& s, UINT msg, WPARAM wp, LPARAM lp) {
  static const std::pair<UINT, UINT> kMap[] = {{CB_ADDSTRING, LB_ADDSTRING},
                                               {CB_DELETESTRING, LB_DELETESTRING},
                                               {CB_GETCOUNT, LB_GETCOUNT},
                                               {CB_GETCURSEL, LB_GETCURSEL},
                                               {CB_GETLBTEXT, LB_GETTEXT},
                                               {CB_GETLBTEXTLEN, LB_GETTEXTLEN},
                                               {CB_INSERTSTRING, LB_INSERTSTRING},
                                               {CB_FINDSTRING, LB_FINDSTRING},
                                               {CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT},
                                               {CB_GETITEMDATA, LB_GETITEMDATA},
                                               {CB_SETITEMDATA, LB_SETITEMDATA},
                                               {CB_GETTOPINDEX, LB_GETTOPINDEX},
                                               {CB_SETTOPINDEX, LB_SETTOPINDEX},
                                               {CB_GETITEMHEIGHT, LB_GETITEMHEIGHT},
                                               {CB_SETITEMHEIGHT, LB_SETITEMHEIGHT},
                                               {CB_INITSTORAGE, LB_INITSTORAGE},
                                               {CB_GETHORIZONTALEXTENT, LB_GETHORIZONTALEXTENT},
                                               {CB_SETHORIZONTALEXTENT, LB_SETHORIZONTALEXTENT}};
  for (auto& [cb, lb] : kMap)
    if (cb == msg) {
      if (msg == CB_GETITEMHEIGHT && static_cast<int>(wp) == -1) return FaceHeight(h);
      if (msg == CB_SETITEMHEIGHT && static_cast<int>(wp) == -1) return 0;
      return SendMessage(s.list, lb, wp, lp);
    }
  switch (msg) {
    case CB_RESETCONTENT:
      SendMessage(s.list, LB_RESETCONTENT, 0, 0);
      if (s.edit) SendMessage(s.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      InvalidateRect(h, nullptr, FALSE);
      return CB_OKAY;
    case CB_SETCURSEL: {
      LRESULT r = SendMessage(s.list, LB_SETCURSEL, wp, 0);
      SyncEdit(h, s);
      return r;
    }
    case CB_SELECTSTRING: {
      LRESULT i = SendMessage(s.list, LB_FINDSTRING, wp, lp);
      if (i == LB_ERR) return CB_ERR;
      SendMessage(s.list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SyncEdit(h, s);
      return i;
    }
    case CB_LIMITTEXT:
      if (!s.edit) return FALSE;
      SendMessage(s.edit, EM_LIMITTEXT, wp, 0);
      return TRUE;
    case CB_GETEDITSEL:
      if (!s.edit) return CB_ERR;
      return SendMessage(s.edit, EM_GETSEL, wp, lp);
    case CB_SETEDITSEL:
      if (!s.edit) return CB_ERR;
      SendMessage(s.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lp))),
                  static_cast<LPARAM>(static_cast<short>(HIWORD(lp))));
      return TRUE;
    case CB_SHOWDROPDOWN:
      ShowDropDown(h, s, wp != 0, true);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return s.dropped;
    case CB_GETDROPPEDCONTROLRECT: {
      RECT wr;
      GetWindowRect(h, &wr);
      wr.bottom = wr.top + s.droppedHeight;
      if (lp) *reinterpret_cast<RECT*>(lp) = wr;
      return TRUE;
    }
    case CB_SETEXTENDEDUI:
      s.extendedUi = wp != 0;
      return CB_OKAY;
    case CB_GETEXTENDEDUI:
      return s.extendedUi;
    case CB_GETDROPPEDWIDTH:
      return s.droppedWidth;
    case CB_SETDROPPEDWIDTH:
      s.droppedWidth = static_cast<int>(wp);
      return s.droppedWidth;
  }
  return CB_ERR;
}

// Notifications of the edit and the list, turned into CBN_* codes.
void ChildCommand(HWND h, ComboState& s, WPARAM wp, LPARAM lp) {
  HWND from = reinterpret_cast<HWND>(lp);
  int code = HIWORD(wp);
  if (from == s.edit) {
    switch (code) {
      case EN_CHANGE:
        Notify(h, CBN_EDITCHANGE);
        break;
      case EN_UPDATE:
        Notify(h, CBN_EDITUPDATE);
        break;
      case EN_SETFOCUS:
        Notify(h, CBN_SETFOCUS);
        break;
      case EN_KILLFOCUS:
        if (s.dropped) ShowDropDown(h, s, false, false);
        Notify(h, CBN_KILLFOCUS);
        break;
    }
    return;
  }
  if (from == s.list) {
    if (code == LBN_SELCHANGE) {
      SyncEdit(h, s);
      Notify(h, CBN_SELCHANGE);
    } else if (code == LBN_DBLCLK) {
      Notify(h, CBN_DBLCLK);
    }
  }
}

// Owner-draw records of the list reach the combo box's parent as its own.
LRESULT ForwardOwnerDraw(HWND h, UINT msg, LPARAM lp) {
  UINT id = static_cast<UINT>(GetDlgCtrlID(h));
  switch (msg) {
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      d->CtlType = ODT_COMBOBOX, d->CtlID = id, d->hwndItem = h;
      break;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      m->CtlType = ODT_COMBOBOX, m->CtlID = id;
      break;
    }
    case WM_COMPAREITEM: {
      auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lp);
      c->CtlType = ODT_COMBOBOX, c->CtlID = id, c->hwndItem = h;
      break;
    }
    case WM_DELETEITEM: {
      auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lp);
      d->CtlType = ODT_COMBOBOX, d->CtlID = id, d->hwndItem = h;
      break;
    }
  }
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, msg, id, lp) : 0;
}

void Create(HWND h, ComboState& s, const CREATESTRUCT& cs) {
  DWORD style = static_cast<DWORD>(cs.style);
  s.droppedHeight = cs.cy;
  HINSTANCE inst = cs.hInstance;
  DWORD listStyle = WS_VSCROLL | WS_BORDER | LBS_NOTIFY;
  if (style & CBS_SORT) listStyle |= LBS_SORT;
  if (style & CBS_OWNERDRAWFIXED) listStyle |= LBS_OWNERDRAWFIXED;
  if (style & CBS_OWNERDRAWVARIABLE) listStyle |= LBS_OWNERDRAWVARIABLE;
  if (style & CBS_HASSTRINGS) listStyle |= LBS_HASSTRINGS;
  if (style & CBS_DISABLENOSCROLL) listStyle |= LBS_DISABLENOSCROLL;
  if ((style & 3) == CBS_SIMPLE)
    s.list = CreateWindowEx(WS_EX_NOPARENTNOTIFY, "ComboLBox", "", listStyle | WS_CHILD | WS_VISIBLE, 0, 0, 0,
                            0, h, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), inst, nullptr);
  else
    s.list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", listStyle | WS_POPUP, 0, 0, 10,
                            10, h, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), inst, nullptr);
  ListOwners()[s.list] = h;
  if ((style & 3) != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_LEFT;
    if (style & CBS_AUTOHSCROLL) editStyle |= ES_AUTOHSCROLL;
    if (style & CBS_UPPERCASE) editStyle |= ES_UPPERCASE;
    if (style & CBS_LOWERCASE) editStyle |= ES_LOWERCASE;
    if ((style & 3) == CBS_SIMPLE) editStyle |= WS_BORDER;
    s.edit = CreateWindowEx(WS_EX_NOPARENTNOTIFY, "EDIT", "", editStyle, 0, 0, 0, 0, h,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), inst, nullptr);
  }
}

LRESULT CALLBACK ComboProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  ComboState* s;
  LRESULT outside;
  if (ControlStateMessage(h, msg, wp, lp, &s, &outside)) return outside;
  if (msg >= CB_GETEDITSEL && msg <= CB_INITSTORAGE) return ForwardToList(h, *s, msg, wp, lp);
  switch (msg) {
    case WM_NCCREATE:
      // Scroll bars of the style belong to the list.
      SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL));
      return DefWindowProc(h, msg, wp, lp);
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lp);
      Create(h, *s, *cs);
      FitFace(h, *s);
      return 0;
    }
    case WM_DESTROY:
      if (s->list) {
        ListOwners().erase(s->list);
        if (Kind(h) != CBS_SIMPLE) DestroyWindow(s->list);
      }
      return DefWindowProc(h, msg, wp, lp);
    case WM_SIZE:
      Layout(h, *s);
      return 0;
    case WM_SETFONT:
      if (s->edit) SendMessage(s->edit, WM_SETFONT, wp, lp);
      SendMessage(s->list, WM_SETFONT, wp, lp);
      {
        LRESULT ignored;
        HandleFontMessage(h, msg, wp, lp, &ignored);
      }
      FitFace(h, *s);
      return 0;
    case WM_GETFONT: {
      LRESULT r;
      HandleFontMessage(h, msg, wp, lp, &r);
      return r;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintFace(h, *s);
      return 0;
    case WM_SETTEXT:
      if (s->edit) return SendMessage(s->edit, msg, wp, lp);
      {
        LRESULT i = SendMessage(s->list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lp);
        if (i == LB_ERR) return CB_ERR;
        SendMessage(s->list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
      }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
      if (s->edit) return SendMessage(s->edit, msg, wp, lp);
      int cur = CurSel(*s);
      std::string t = cur >= 0 ? ItemText(*s, cur) : std::string();
      if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(t.size());
      auto* buf = reinterpret_cast<char*>(lp);
      int n = static_cast<int>(wp);
      if (!buf || n <= 0) return 0;
      int len = std::min<int>(n - 1, static_cast<int>(t.size()));
      memcpy(buf, t.data(), static_cast<size_t>(len));
      buf[len] = 0;
      return len;
    }
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      auto* m = reinterpret_cast<MSG*>(lp);
      if (s->dropped && m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_SETFOCUS:
      if (s->edit) {
        SetFocus(s->edit);
        SendMessage(s->edit, EM_SETSEL, 0, -1);
      } else {
        InvalidateRect(h, nullptr, FALSE);
        Notify(h, CBN_SETFOCUS);
      }
      return 0;
    case WM_KILLFOCUS:
      if (!s->edit) {
        if (s->dropped) ShowDropDown(h, *s, false, false);
        InvalidateRect(h, nullptr, FALSE);
        Notify(h, CBN_KILLFOCUS);
      }
      return 0;
    case WM_KEYDOWN:
      if (KeyDown(h, *s, wp)) return 0;
      break;
    case WM_SYSKEYDOWN:
      if (KeyDown(h, *s, wp)) return 0;
      break;
    case WM_CHAR:
      if (s->edit) return SendMessage(s->edit, msg, wp, lp);
      if (wp >= ' ') {
        char prefix[2] = {static_cast<char>(wp), 0};
        LRESULT i = SendMessage(s->list, LB_FINDSTRING, static_cast<WPARAM>(CurSel(*s)),
                                reinterpret_cast<LPARAM>(prefix));
        if (i != LB_ERR) UserSelect(h, *s, static_cast<int>(i));
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Kind(h) == CBS_SIMPLE) return 0;
      if (!s->edit && GetFocus() != h)
        SetFocus(h);
      else if (s->edit && GetFocus() != s->edit)
        SetFocus(s->edit);
      ShowDropDown(h, *s, !s->dropped, true);
      return 0;
    case WM_COMMAND:
      ChildCommand(h, *s, wp, lp);
      return 0;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
      return ForwardOwnerDraw(h, msg, lp);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
      HWND parent = GetParent(h);
      LRESULT r = parent ? SendMessage(parent, msg, wp, lp) : 0;
      return r ? r : DefWindowProc(h, msg, wp, lp);
    }
    case WM_ENABLE:
      if (s->edit) EnableWindow(s->edit, static_cast<BOOL>(wp));
      EnableWindow(s->list, static_cast<BOOL>(wp));
      InvalidateRect(h, nullptr, FALSE);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterComboBox() { RegisterControlClass("COMBOBOX", ComboProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW); }
const bool kComboboxRegistered = AddSystemClass(&RegisterComboBox);

}  // namespace

bool IsComboList(HWND list) { return ListOwners().count(list) != 0; }

HWND ComboOfList(HWND list) {
  auto it = ListOwners().find(list);
  return it == ListOwners().end() ? nullptr : it->second;
}

bool IsComboListDropped(HWND list) {
  HWND combo = ComboOfList(list);
  ComboState* s = combo ? ControlState<ComboState>(combo) : nullptr;
  return s && s->dropped;
}

void ComboListChosen(HWND list, bool ok) {
  HWND combo = ComboOfList(list);
  ComboState* s = combo ? ControlState<ComboState>(combo) : nullptr;
  if (s) ShowDropDown(combo, *s, false, ok);
}

}  // namespace mirt_ui
