// The list box: strings or owner-drawn items with data, sorted or not,
// single, multiple and extended selection, tab stops, scrolling, and
// LBN_* notifications. The drop-down list of a combo box ("ComboLBox")
// is the same control reporting to its combo box.
#include <algorithm>
#include <vector>

#include "platform/base/charcase.h"
#include "platform/base/winstring.h"
#include "platform/ui/controls_impl.h"
#include "platform/ui/listbox_impl.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

struct Item {
  std::string text;
  ULONG_PTR data = 0;
  bool selected = false;
  int height = 0;
};

constexpr size_t kSpareTexts = 256;

struct ListState {
  std::vector<Item> items;
  std::vector<std::string> spareTexts;  // storage of emptied items, for a refill
  int cur = -1;                         // single selection
  int caret = 0;                        // focus item
  int anchor = 0;
  int top = 0;
  int itemHeight = 0;
  std::vector<int> tabs;  // pixels
  bool tracking = false;
  bool noRedraw = false;
  bool scrollStale = false;  // items changed while redraw was off
  bool vscroll = false;      // made with WS_VSCROLL: the bar comes and goes with the items
};

bool OwnerDraw(HWND h) { return StyleOf(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE); }
bool HasStrings(HWND h) { return !OwnerDraw(h) || (StyleOf(h) & LBS_HASSTRINGS); }
bool MultiSel(HWND h) { return StyleOf(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL); }
int Count(const ListState& s) { return static_cast<int>(s.items.size()); }
bool Valid(const ListState& s, int i) { return i >= 0 && i < Count(s); }

bool PrefixMatch(const std::string& t, const char* p, size_t n) {
  if (t.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (mirt::ToUpper1252(static_cast<unsigned char>(t[i])) !=
        mirt::ToUpper1252(static_cast<unsigned char>(p[i])))
      return false;
  return true;
}

void Notify(HWND h, int code) {
  if (StyleOf(h) & LBS_NOTIFY) NotifyParent(h, code);
}

int ItemHeight(HWND h, ListState& s) {
  if (!s.itemHeight) s.itemHeight = FontLineHeight(ControlFont(h));
  return std::max(1, s.itemHeight);
}

int PageSize(HWND h, ListState& s) {
  RECT r;
  GetClientRect(h, &r);
  return std::max(1, static_cast<int>(r.bottom / ItemHeight(h, s)));
}

void UpdateScroll(HWND h, ListState& s) {
  // The style bit goes while the bar is hidden, so the wish is kept apart.
  if (!s.vscroll) return;
  // While redraw is off the bar follows once, when it is turned on again.
  s.scrollStale = s.noRedraw;
  if (s.noRedraw) return;
  SCROLLINFO si{sizeof si,
                SIF_RANGE | SIF_PAGE | SIF_POS,
                0,
                std::max(0, Count(s) - 1),
                static_cast<UINT>(PageSize(h, s)),
                s.top,
                0};
  if (StyleOf(h) & LBS_DISABLENOSCROLL) si.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(h, SB_VERT, &si, TRUE);
}

void Redraw(HWND h, ListState& s) {
  if (!s.noRedraw) InvalidateRect(h, nullptr, TRUE);
}

void SetTop(HWND h, ListState& s, int top) {
  top = std::clamp(top, 0, std::max(0, Count(s) - PageSize(h, s)));
  if (top == s.top) return;
  s.top = top;
  UpdateScroll(h, s);
  Redraw(h, s);
}

void EnsureVisible(HWND h, ListState& s, int i) {
  if (!Valid(s, i)) return;
  if (i < s.top)
    SetTop(h, s, i);
  else if (i >= s.top + PageSize(h, s))
    SetTop(h, s, i - PageSize(h, s) + 1);
}

void MeasureItem(HWND h, ListState& s, int i, DWORD style) {
  if (!(style & LBS_OWNERDRAWVARIABLE) && !(i == 0 && (style & LBS_OWNERDRAWFIXED) && !s.itemHeight)) return;
  MEASUREITEMSTRUCT mis{ODT_LISTBOX,
                        static_cast<UINT>(GetDlgCtrlID(h)),
                        static_cast<UINT>(i),
                        0,
                        static_cast<UINT>(FontLineHeight(ControlFont(h))),
                        s.items[i].data};
  SendMessage(NotifyTarget(h), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  if (style & LBS_OWNERDRAWFIXED)
    s.itemHeight = static_cast<int>(mis.itemHeight);
  else
    s.items[i].height = static_cast<int>(mis.itemHeight);
}

enum class ListInsertOrder { At, Sorted };

// The window style is read once per item: a refill adds many.
int Insert(HWND h, ListState& s, int at, LPCSTR str, ListInsertOrder order) {
  const DWORD style = StyleOf(h);
  const bool strings = !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
  Item it;
  if (strings) {
    if (!s.spareTexts.empty()) {
      it.text.swap(s.spareTexts.back());
      s.spareTexts.pop_back();
    }
    it.text.assign(str ? str : "");
  } else
    it.data = reinterpret_cast<ULONG_PTR>(str);
  if (order == ListInsertOrder::Sorted) {
    at = 0;
    if (strings) {
      while (at < Count(s) && lstrcmpi(s.items[at].text.c_str(), it.text.c_str()) <= 0) ++at;
    } else {
      while (at < Count(s)) {
        COMPAREITEMSTRUCT cis{ODT_LISTBOX,
                              static_cast<UINT>(GetDlgCtrlID(h)),
                              h,
                              static_cast<UINT>(at),
                              s.items[at].data,
                              static_cast<UINT>(-1),
                              it.data,
                              0};
        if (static_cast<int>(
                SendMessage(NotifyTarget(h), WM_COMPAREITEM, cis.CtlID, reinterpret_cast<LPARAM>(&cis))) > 0)
          break;
        ++at;
      }
    }
  } else if (at < 0 || at > Count(s)) {
    if (at != -1) return LB_ERR;
    at = Count(s);
  }
  if (at == Count(s))
    s.items.push_back(std::move(it));
  else
    s.items.insert(s.items.begin() + at, std::move(it));
  if (s.cur >= at) ++s.cur;
  MeasureItem(h, s, at, style);
  UpdateScroll(h, s);
  Redraw(h, s);
  return at;
}

void Delete(HWND h, ListState& s, int i) {
  if (OwnerDraw(h)) {
    DELETEITEMSTRUCT dis{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(h)), static_cast<UINT>(i), h,
                         s.items[i].data};
    SendMessage(NotifyTarget(h), WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  }
  s.items.erase(s.items.begin() + i);
  if (s.cur == i)
    s.cur = -1;
  else if (s.cur > i)
    --s.cur;
  if (s.caret >= Count(s)) s.caret = std::max(0, Count(s) - 1);
  SetTop(h, s, s.top);
  UpdateScroll(h, s);
  Redraw(h, s);
}

void ListResetContent(HWND h, ListState& s) {
  if (OwnerDraw(h)) {
    while (Count(s)) Delete(h, s, Count(s) - 1);
  } else {
    // A list is often emptied to be filled again: the storage of a
    // screenful of texts is kept for that.
    s.spareTexts.clear();
    for (Item& item : s.items) {
      if (s.spareTexts.size() >= kSpareTexts) break;
      s.spareTexts.push_back(std::move(item.text));
    }
    s.items.clear();
  }
  Redraw(h, s);
  s.cur = -1;
  s.top = s.caret = s.anchor = 0;
  UpdateScroll(h, s);
}

// An unsorted list of plain strings takes the texts into the items it has,
// which keep their storage; the others are emptied and filled item by item.
// Either way the bar and the image follow once, at the end.
LRESULT ListReplaceContent(HWND h, ListState& s, int count, const LPCSTR* texts) {
  if (count < 0 || (count > 0 && !texts)) return LB_ERR;
  const bool noRedraw = s.noRedraw;
  s.noRedraw = true;
  const DWORD style = StyleOf(h);
  if (style & (LBS_SORT | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
    ListResetContent(h, s);
    const auto order = style & LBS_SORT ? ListInsertOrder::Sorted : ListInsertOrder::At;
    for (int i = 0; i < count; ++i) Insert(h, s, -1, texts[i], order);
  } else {
    for (int i = count; i < Count(s) && s.spareTexts.size() < kSpareTexts; ++i)
      s.spareTexts.push_back(std::move(s.items[i].text));
    const int kept = std::min(count, Count(s));
    s.items.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      Item& item = s.items[i];
      if (i >= kept && !s.spareTexts.empty()) {
        item.text.swap(s.spareTexts.back());
        s.spareTexts.pop_back();
      }
      item.text.assign(texts[i] ? texts[i] : "");
      item.data = 0;
      item.selected = false;
      item.height = 0;
    }
    s.cur = -1;
    s.top = s.caret = s.anchor = 0;
  }
  s.noRedraw = noRedraw;
  UpdateScroll(h, s);
  Redraw(h, s);
  return Count(s);
}

int Find(HWND h, ListState& s, int after, LPCSTR str, bool exact) {
  int n = Count(s);
  if (n == 0 || !str) return LB_ERR;
  size_t len = strlen(str);
  int start = (after < -1 || after >= n) ? 0 : after + 1;
  for (int k = 0; k < n; ++k) {
    int i = (start + k) % n;
    if (!HasStrings(h)) {
      if (s.items[i].data == reinterpret_cast<ULONG_PTR>(str)) return i;
      continue;
    }
    const std::string& t = s.items[i].text;
    if (exact ? lstrcmpi(t.c_str(), str) == 0 : PrefixMatch(t, str, len)) return i;
  }
  return LB_ERR;
}

void DrawItem(HWND h, ListState& s, HDC dc, int i, const RECT& r, bool focused) {
  const Item& it = s.items[i];
  bool selected = MultiSel(h) ? it.selected : i == s.cur;
  if (OwnerDraw(h)) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
    dis.itemID = static_cast<UINT>(i);
    dis.itemAction = ODA_DRAWENTIRE;
    if (selected) dis.itemState |= ODS_SELECTED;
    if (focused && i == s.caret) dis.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled(h)) dis.itemState |= ODS_DISABLED;
    dis.hwndItem = h;
    dis.hDC = dc;
    dis.rcItem = r;
    dis.itemData = it.data;
    SendMessage(NotifyTarget(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    return;
  }
  COLORREF oldText = GetTextColor(dc);
  if (selected) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  SetBkMode(dc, TRANSPARENT);
  bool tabs = StyleOf(h) & LBS_USETABSTOPS;
  TabbedTextOut(dc, r.left + 2, r.top, it.text.c_str(), static_cast<int>(it.text.size()),
                tabs ? static_cast<int>(s.tabs.size()) : 0, tabs && !s.tabs.empty() ? s.tabs.data() : nullptr,
                r.left + 2);
  SetTextColor(dc, oldText);
  if (focused && i == s.caret) DrawFocusRect(dc, &r);
}

RECT ItemRect(HWND h, ListState& s, int i) {
  RECT c;
  GetClientRect(h, &c);
  int y = 0;
  if (StyleOf(h) & LBS_OWNERDRAWVARIABLE) {
    if (i >= s.top)
      for (int k = s.top; k < i; ++k) y += s.items[k].height;
    else
      for (int k = i; k < s.top; ++k) y -= s.items[k].height;
    return RECT{0, y, c.right, y + (Valid(s, i) ? s.items[i].height : ItemHeight(h, s))};
  }
  y = (i - s.top) * ItemHeight(h, s);
  return RECT{0, y, c.right, y + ItemHeight(h, s)};
}

int ItemFromPoint(HWND h, ListState& s, int y, bool* outside) {
  *outside = true;
  if (Count(s) == 0) return 0;
  for (int i = s.top; i < Count(s); ++i) {
    RECT r = ItemRect(h, s, i);
    if (y < r.top) break;
    if (y < r.bottom) {
      *outside = false;
      return i;
    }
  }
  return y < 0 ? s.top : Count(s) - 1;
}

void PaintListbox(HWND h, ListState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(h));
  HBRUSH bg = ControlColors(h, dc, WM_CTLCOLORLISTBOX);
  RECT c;
  GetClientRect(h, &c);
  FillRect(dc, &c, bg);
  if (!IsWindowEnabled(h)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  bool focused = GetFocus() == h;
  for (int i = s.top; i < Count(s); ++i) {
    RECT r = ItemRect(h, s, i);
    if (r.top >= c.bottom) break;
    DrawItem(h, s, dc, i, r, focused);
  }
  if (focused && Count(s) == 0) {
    RECT r = ItemRect(h, s, 0);
    DrawFocusRect(dc, &r);
  }
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

// Selection by the user: notifies LBN_SELCHANGE when it changed.
void UserSelect(HWND h, ListState& s, int i, WPARAM keys, bool toggle) {
  if (!Valid(s, i) || (StyleOf(h) & LBS_NOSEL)) return;
  bool changed = false;
  DWORD style = StyleOf(h);
  if (style & LBS_MULTIPLESEL) {
    if (toggle) {
      s.items[i].selected = !s.items[i].selected;
      changed = true;
    }
  } else if (style & LBS_EXTENDEDSEL) {
    if (keys & MK_SHIFT) {
      int a = std::min(s.anchor, i), b = std::max(s.anchor, i);
      for (int k = 0; k < Count(s); ++k) {
        bool sel = (k >= a && k <= b) || ((keys & MK_CONTROL) && s.items[k].selected);
        if (s.items[k].selected != sel) changed = true;
        s.items[k].selected = sel;
      }
    } else if (keys & MK_CONTROL) {
      if (toggle) {
        s.items[i].selected = !s.items[i].selected;
        changed = true;
      }
      s.anchor = i;
    } else {
      for (int k = 0; k < Count(s); ++k) {
        bool sel = k == i;
        if (s.items[k].selected != sel) changed = true;
        s.items[k].selected = sel;
      }
      s.anchor = i;
    }
  } else {
    changed = s.cur != i;
    s.cur = i;
  }
  s.caret = i;
  EnsureVisible(h, s, i);
  Redraw(h, s);
  if (changed) Notify(h, LBN_SELCHANGE);
}

void KeyDown(HWND h, ListState& s, WPARAM vk) {
  if (Count(s) == 0) return;
  int from = MultiSel(h) ? s.caret : (s.cur < 0 ? 0 : s.cur);
  int to = from;
  switch (vk) {
    case VK_UP:
      to = from - 1;
      break;
    case VK_DOWN:
      to = s.cur < 0 && !MultiSel(h) ? 0 : from + 1;
      break;
    case VK_PRIOR:
      to = from - PageSize(h, s) + 1;
      break;
    case VK_NEXT:
      to = from + PageSize(h, s) - 1;
      break;
    case VK_HOME:
      to = 0;
      break;
    case VK_END:
      to = Count(s) - 1;
      break;
    case VK_SPACE:
      if (MultiSel(h)) UserSelect(h, s, s.caret, MK_CONTROL, true);
      return;
    default:
      return;
  }
  to = std::clamp(to, 0, Count(s) - 1);
  WPARAM keys = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) keys |= MK_SHIFT;
  if (StyleOf(h) & LBS_MULTIPLESEL) {
    s.caret = to;
    EnsureVisible(h, s, to);
    Redraw(h, s);
    return;
  }
  UserSelect(h, s, to, keys, false);
}

void SetTabStops(HWND h, ListState& s, int count, const INT* stops) {
  SIZE base = FontBaseUnits(ControlFont(h));
  s.tabs.clear();
  if (count == 0) s.tabs.push_back(2 * base.cx);  // every 8 dialog units
  for (int i = 0; i < count; ++i) s.tabs.push_back(stops[i] * base.cx / 4);
}

LRESULT Command(HWND h, ListState& s, UINT msg, WPARAM wp, LPARAM lp) {
  int i = static_cast<int>(wp);
  switch (msg) {
    case LB_ADDSTRING:
      return Insert(h, s, -1, reinterpret_cast<LPCSTR>(lp),
                    StyleOf(h) & LBS_SORT ? ListInsertOrder::Sorted : ListInsertOrder::At);
    case LB_INSERTSTRING:
      return Insert(h, s, i, reinterpret_cast<LPCSTR>(lp), ListInsertOrder::At);
    case LB_DELETESTRING:
      if (!Valid(s, i)) return LB_ERR;
      Delete(h, s, i);
      return Count(s);
    case LB_RESETCONTENT:
      ListResetContent(h, s);
      return 0;
    case LB_GETCOUNT:
      return Count(s);
    case LB_GETTEXT:
      if (!Valid(s, i)) return LB_ERR;
      if (!HasStrings(h)) {
        if (lp) *reinterpret_cast<ULONG_PTR*>(lp) = s.items[i].data;
        return sizeof(ULONG_PTR);
      }
      if (lp) memcpy(reinterpret_cast<char*>(lp), s.items[i].text.c_str(), s.items[i].text.size() + 1);
      return static_cast<LRESULT>(s.items[i].text.size());
    case LB_GETTEXTLEN:
      if (!Valid(s, i)) return LB_ERR;
      return HasStrings(h) ? static_cast<LRESULT>(s.items[i].text.size()) : sizeof(ULONG_PTR);
    case LB_GETITEMDATA:
      if (!Valid(s, i)) return LB_ERR;
      return static_cast<LRESULT>(s.items[i].data);
    case LB_SETITEMDATA:
      if (!Valid(s, i)) return LB_ERR;
      s.items[i].data = static_cast<ULONG_PTR>(lp);
      return TRUE;
    case LB_GETCURSEL:
      if (MultiSel(h)) return Valid(s, s.caret) ? s.caret : LB_ERR;
      return s.cur;
    case LB_SETCURSEL:
      if (MultiSel(h)) return LB_ERR;
      s.cur = Valid(s, i) ? i : -1;
      if (s.cur >= 0) {
        s.caret = s.cur;
        EnsureVisible(h, s, s.cur);
      }
      Redraw(h, s);
      return Valid(s, i) ? i : LB_ERR;
    case LB_GETSEL:
      if (!Valid(s, static_cast<int>(wp))) return LB_ERR;
      return MultiSel(h) ? s.items[i].selected : i == s.cur;
    case LB_SETSEL: {
      if (!MultiSel(h)) return LB_ERR;
      int idx = static_cast<int>(lp);
      if (idx == -1) {
        for (auto& it : s.items) it.selected = wp != 0;
      } else {
        if (!Valid(s, idx)) return LB_ERR;
        s.items[idx].selected = wp != 0;
        s.caret = idx;
      }
      Redraw(h, s);
      return 0;
    }
    case LB_GETSELCOUNT: {
      if (!MultiSel(h)) return LB_ERR;
      return std::count_if(s.items.begin(), s.items.end(), [](const Item& it) { return it.selected; });
    }
    case LB_GETSELITEMS: {
      if (!MultiSel(h)) return LB_ERR;
      int n = 0;
      auto* out = reinterpret_cast<INT*>(lp);
      for (int k = 0; k < Count(s) && n < i; ++k)
        if (s.items[k].selected) out[n++] = k;
      return n;
    }
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: {
      if (!MultiSel(h)) return LB_ERR;
      int a, b;
      bool on;
      if (msg == LB_SELITEMRANGE) {
        a = LOWORD(lp), b = HIWORD(lp), on = wp != 0;
      } else {
        a = static_cast<int>(wp), b = static_cast<int>(lp), on = a <= b;
      }
      if (a > b) std::swap(a, b);
      for (int k = std::max(0, a); k <= std::min(b, Count(s) - 1); ++k) s.items[k].selected = on;
      Redraw(h, s);
      return 0;
    }
    case LB_FINDSTRING:
      return Find(h, s, i, reinterpret_cast<LPCSTR>(lp), false);
    case LB_FINDSTRINGEXACT:
      return Find(h, s, i, reinterpret_cast<LPCSTR>(lp), true);
    case LB_SELECTSTRING: {
      int f = Find(h, s, i, reinterpret_cast<LPCSTR>(lp), false);
      if (f == LB_ERR) return LB_ERR;
      if (MultiSel(h)) {
        s.items[f].selected = true;
        s.caret = f;
        Redraw(h, s);
      } else {
        Command(h, s, LB_SETCURSEL, static_cast<WPARAM>(f), 0);
      }
      return f;
    }
    case LB_GETTOPINDEX:
      return s.top;
    case LB_SETTOPINDEX:
      if (!Valid(s, i) && i != 0) return LB_ERR;
      SetTop(h, s, i);
      return 0;
    case LB_GETCARETINDEX:
      return s.caret;
    case LB_SETCARETINDEX:
      if (!Valid(s, i)) return LB_ERR;
      s.caret = i;
      EnsureVisible(h, s, i);
      Redraw(h, s);
      return 0;
    case LB_GETANCHORINDEX:
      return s.anchor;
    case LB_SETANCHORINDEX:
      s.anchor = i;
      return 0;
    case LB_SETTABSTOPS:
      SetTabStops(h, s, i, reinterpret_cast<const INT*>(lp));
      Redraw(h, s);
      return TRUE;
    case LB_GETITEMRECT:
      if (!Valid(s, i) && !(i == 0 && Count(s) == 0)) return LB_ERR;
      if (lp) *reinterpret_cast<RECT*>(lp) = ItemRect(h, s, i);
      return 1;
    case LB_GETITEMHEIGHT:
      if ((StyleOf(h) & LBS_OWNERDRAWVARIABLE) && Valid(s, i)) return s.items[i].height;
      return ItemHeight(h, s);
    case LB_SETITEMHEIGHT:
      if ((StyleOf(h) & LBS_OWNERDRAWVARIABLE) && Valid(s, i))
        s.items[i].height = LOWORD(lp);
      else
        s.itemHeight = LOWORD(lp);
      UpdateScroll(h, s);
      Redraw(h, s);
      return 0;
    case LB_ITEMFROMPOINT: {
      bool outside;
      int idx = ItemFromPoint(h, s, GET_Y_LPARAM(lp), &outside);
      RECT c;
      GetClientRect(h, &c);
      if (GET_X_LPARAM(lp) < 0 || GET_X_LPARAM(lp) >= c.right) outside = true;
      return MAKELONG(idx, outside ? 1 : 0);
    }
    case LB_SETHORIZONTALEXTENT:
    case LB_SETCOLUMNWIDTH:
    case LB_INITSTORAGE:
    case LB_SETCOUNT:
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return 0;
  }
  return 0;
}

void ButtonDown(HWND h, ListState& s, WPARAM keys, LPARAM lp) {
  if (GetFocus() != h && !IsComboList(h)) SetFocus(h);
  if (!IsWindow(h)) return;
  RECT c;
  GetClientRect(h, &c);
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (IsComboList(h) && !PtInRect(&c, p)) return ComboListChosen(h, false);
  bool outside;
  int i = ItemFromPoint(h, s, p.y, &outside);
  if (outside) return;
  UserSelect(h, s, i, keys, true);
  s.tracking = !(StyleOf(h) & LBS_MULTIPLESEL);
  if (s.tracking) SetCapture(h);
}

LRESULT CALLBACK ListProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT fontResult;
  if ((msg == WM_SETFONT || msg == WM_GETFONT) && HandleFontMessage(h, msg, wp, lp, &fontResult)) {
    if (auto* s = ControlState<ListState>(h); s && msg == WM_SETFONT && !OwnerDraw(h)) s->itemHeight = 0;
    return fontResult;
  }
  ListState* s;
  LRESULT outside;
  if (ControlStateMessage(h, msg, wp, lp, &s, &outside)) return outside;
  if (msg >= LB_ADDSTRING && msg <= LB_ITEMFROMPOINT) return Command(h, *s, msg, wp, lp);
  if (msg == LB_REPLACECONTENT)
    return ListReplaceContent(h, *s, static_cast<int>(wp), reinterpret_cast<const LPCSTR*>(lp));
  // A combo box's list never takes the activation from the dialog it drops in.
  if (msg == WM_MOUSEACTIVATE && IsComboList(h)) return MA_NOACTIVATE;
  if (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK && IsComboList(h) && !IsComboListDropped(h)) {
    s->tracking = false;
    return 0;
  }
  switch (msg) {
    case WM_CREATE:
      s->vscroll = StyleOf(h) & WS_VSCROLL;
      SetTabStops(h, *s, 0, nullptr);
      UpdateScroll(h, *s);
      return 0;
    case WM_DESTROY:
      if (OwnerDraw(h)) {
        while (Count(*s)) Delete(h, *s, Count(*s) - 1);
      }
      return DefWindowProc(h, msg, wp, lp);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintListbox(h, *s);
      return 0;
    case WM_SETREDRAW:
      s->noRedraw = !wp;
      if (wp && s->scrollStale) UpdateScroll(h, *s);
      if (wp) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      InvalidateRect(h, nullptr, FALSE);
      Notify(h, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, FALSE);
      Notify(h, LBN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
      ButtonDown(h, *s, wp, lp);
      return 0;
    case WM_MOUSEMOVE:
      if ((s->tracking || IsComboList(h)) && GetCapture() == h) {
        bool outside;
        int i = ItemFromPoint(h, *s, GET_Y_LPARAM(lp), &outside);
        if (!outside && i != (MultiSel(h) ? s->caret : s->cur)) UserSelect(h, *s, i, wp & MK_SHIFT, false);
      }
      return 0;
    case WM_LBUTTONUP:
      if (IsComboList(h)) {
        RECT c;
        GetClientRect(h, &c);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        s->tracking = false;
        if (PtInRect(&c, p)) ComboListChosen(h, true);
      } else if (s->tracking) {
        s->tracking = false;
        ReleaseCapture();
      }
      return 0;
    case WM_LBUTTONDBLCLK: {
      bool outside;
      ItemFromPoint(h, *s, GET_Y_LPARAM(lp), &outside);
      if (!outside) Notify(h, LBN_DBLCLK);
      return 0;
    }
    case WM_KEYDOWN:
      if (StyleOf(h) & LBS_WANTKEYBOARDINPUT) {
        LRESULT r = SendMessage(NotifyTarget(h), WM_VKEYTOITEM, MAKEWPARAM(wp, s->caret),
                                reinterpret_cast<LPARAM>(h));
        if (r == -2) return 0;
        if (r >= 0) {
          UserSelect(h, *s, static_cast<int>(r), 0, false);
          return 0;
        }
      }
      KeyDown(h, *s, wp);
      return 0;
    case WM_CHAR: {
      if (wp < ' ' || !HasStrings(h)) return 0;
      char prefix[2] = {static_cast<char>(wp), 0};
      int from = MultiSel(h) ? s->caret : s->cur;
      int f = Find(h, *s, from, prefix, false);
      if (f != LB_ERR) UserSelect(h, *s, f, 0, false);
      return 0;
    }
    case WM_VSCROLL: {
      SetTop(h, *s, ScrolledTop(wp, s->top, PageSize(h, *s), Count(*s)));
      return 0;
    }
    case WM_MOUSEWHEEL:
      SetTop(h, *s, s->top - 3 * static_cast<short>(HIWORD(wp)) / 120);
      return 0;
    case WM_SIZE:
      UpdateScroll(h, *s);
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterListBox() {
  RegisterControlClass("LISTBOX", ListProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
  RegisterControlClass("ComboLBox", ListProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
}
const bool kListboxRegistered = AddSystemClass(&RegisterListBox);

}  // namespace
}  // namespace mirt_ui
