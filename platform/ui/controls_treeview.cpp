// The tree view: items in a tree with text, images, states and data,
// expanding and collapsing, selection, scrolling, keyboard and mouse,
// in-place label editing, and TVN_* / NM_* notifications.
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/base/charcase.h"
#include "platform/base/winstring.h"
#include "platform/base/winstring.h"
#include "platform/ui/controls_impl.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

struct Node {
  Node* parent = nullptr;
  std::vector<Node*> kids;
  std::string text;
  bool callbackText = false;
  int image = 0, selImage = 0;
  UINT state = 0;
  LPARAM param = 0;
  int children = -2;  // -2: as the kids say; I_CHILDRENCALLBACK; 0; 1
};

struct TreeState {
  Node root;
  std::set<Node*> all;
  Node* selected = nullptr;
  Node* drop = nullptr;
  int top = 0;  // first visible row
  int indent = 19;
  int itemHeight = 0;
  HIMAGELIST images = nullptr, stateImages = nullptr;
  HWND edit = nullptr;
  Node* editing = nullptr;
  bool ending = false;
  Node* pressed = nullptr;
  bool pressedWasSelected = false;
  POINT pressAt{0, 0};
};

HTREEITEM H(Node* n) { return reinterpret_cast<HTREEITEM>(n); }

Node* N(TreeState& s, HTREEITEM h) {
  auto* n = reinterpret_cast<Node*>(h);
  return s.all.count(n) ? n : nullptr;
}

bool Expanded(const Node* n) { return n->state & TVIS_EXPANDED; }

bool HasKids(HWND h, Node* n) {
  if (n->children == I_CHILDRENCALLBACK) {
    NMTVDISPINFO di{};
    di.item.mask = TVIF_CHILDREN;
    di.item.hItem = H(n);
    di.item.lParam = n->param;
    NotifyParentNm(h, &di.hdr, TVN_GETDISPINFO);
    return di.item.cChildren != 0;
  }
  if (n->children >= 0) return n->children != 0;
  return !n->kids.empty();
}

// The rows shown: items whose ancestors are all expanded, in order.
void Visible(Node* parent, std::vector<Node*>* out) {
  for (Node* k : parent->kids) {
    out->push_back(k);
    if (Expanded(k)) Visible(k, out);
  }
}

std::vector<Node*> Rows(TreeState& s) {
  std::vector<Node*> v;
  Visible(&s.root, &v);
  return v;
}

int Level(const Node* n) {
  int l = 0;
  for (const Node* p = n->parent; p && p->parent; p = p->parent) ++l;
  return l;
}

int ItemHeight(HWND h, TreeState& s) {
  if (s.itemHeight) return s.itemHeight;
  int fh = FontLineHeight(ControlFont(h)) + 3;
  int ix = 0, iy = 0;
  if (s.images) ImageList_GetIconSize(s.images, &ix, &iy);
  return std::max(fh, iy + 1);
}

int PageRows(HWND h, TreeState& s) {
  RECT c;
  GetClientRect(h, &c);
  return std::max(1, static_cast<int>(c.bottom / ItemHeight(h, s)));
}

std::string TextOf(HWND h, Node* n) {
  if (!n->callbackText) return n->text;
  char buf[260] = {0};
  NMTVDISPINFO di{};
  di.item.mask = TVIF_TEXT;
  di.item.hItem = H(n);
  di.item.lParam = n->param;
  di.item.pszText = buf;
  di.item.cchTextMax = sizeof buf;
  NotifyParentNm(h, &di.hdr, TVN_GETDISPINFO);
  if (di.item.pszText == buf) return plat::TextInBuffer(buf, sizeof buf);
  return di.item.pszText ? std::string(di.item.pszText) : std::string();
}

int RootIndent(HWND h, TreeState& s) {
  DWORD st = StyleOf(h);
  return (st & TVS_LINESATROOT) && (st & (TVS_HASLINES | TVS_HASBUTTONS)) ? s.indent : 0;
}

int ImageWidth(TreeState& s) {
  int ix = 0, iy = 0;
  if (s.images) ImageList_GetIconSize(s.images, &ix, &iy);
  return s.images ? ix + 3 : 0;
}

RECT LabelRect(HWND h, TreeState& s, Node* n, int row) {
  int y = (row - s.top) * ItemHeight(h, s);
  int x = RootIndent(h, s) + Level(n) * s.indent + ImageWidth(s) + 2;
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, ControlFont(h));
  std::string t = TextOf(h, n);
  SIZE sz{};
  GetTextExtentPoint32(dc, t.c_str(), static_cast<int>(t.size()), &sz);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return RECT{x, y, x + sz.cx + 4, y + ItemHeight(h, s)};
}

int RowOf(TreeState& s, Node* n) {
  std::vector<Node*> rows = Rows(s);
  auto it = std::find(rows.begin(), rows.end(), n);
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

void UpdateScroll(HWND h, TreeState& s) {
  int rows = static_cast<int>(Rows(s).size());
  int page = PageRows(h, s);
  s.top = std::clamp(s.top, 0, std::max(0, rows - page));
  SCROLLINFO si{
      sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, rows - 1), static_cast<UINT>(page), s.top, 0};
  SetScrollInfo(h, SB_VERT, &si, TRUE);
}

void Changed(HWND h, TreeState& s) {
  UpdateScroll(h, s);
  InvalidateRect(h, nullptr, TRUE);
}

void EnsureVisible(HWND h, TreeState& s, Node* n) {
  bool expanded = false;
  for (Node* p = n->parent; p && p->parent; p = p->parent)
    if (!Expanded(p)) {
      p->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
      expanded = true;
    }
  int row = RowOf(s, n);
  int page = PageRows(h, s);
  if (row < s.top)
    s.top = row;
  else if (row >= s.top + page)
    s.top = row - page + 1;
  (void)expanded;
  Changed(h, s);
}

void Fill(TVITEM* it, Node* n) {
  it->hItem = H(n);
  it->state = n->state;
  it->lParam = n->param;
  it->mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
}

// Selection by the user or by TVM_SELECTITEM; false when refused.
bool Select(HWND h, TreeState& s, Node* n, UINT action) {
  if (n == s.selected) return true;
  NMTREEVIEW nm{};
  nm.action = action;
  if (s.selected) Fill(&nm.itemOld, s.selected);
  if (n) Fill(&nm.itemNew, n);
  if (NotifyParentNm(h, &nm.hdr, TVN_SELCHANGING)) return false;
  if (!IsWindow(h)) return false;
  if (s.selected && s.all.count(s.selected)) s.selected->state &= ~TVIS_SELECTED;
  s.selected = n;
  if (n) {
    n->state |= TVIS_SELECTED;
    EnsureVisible(h, s, n);
  }
  InvalidateRect(h, nullptr, FALSE);
  NMTREEVIEW done = nm;
  NotifyParentNm(h, &done.hdr, TVN_SELCHANGED);
  return true;
}

bool Expand(HWND h, TreeState& s, Node* n, UINT code, UINT action) {
  bool open = Expanded(n);
  UINT what = code & 3;
  bool want = what == TVE_TOGGLE ? !open : what == TVE_EXPAND;
  if (want == open && !(code & TVE_COLLAPSERESET)) return false;
  if (want && !HasKids(h, n)) return false;
  NMTREEVIEW nm{};
  nm.action = want ? TVE_EXPAND : TVE_COLLAPSE;
  Fill(&nm.itemNew, n);
  (void)action;
  if (want != open && NotifyParentNm(h, &nm.hdr, TVN_ITEMEXPANDING)) return false;
  if (want)
    n->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  else
    n->state &= ~TVIS_EXPANDED;
  if (!want && s.selected) {
    for (Node* p = s.selected->parent; p; p = p->parent)
      if (p == n) {
        Select(h, s, n, TVC_UNKNOWN);
        break;
      }
  }
  if (code & TVE_COLLAPSERESET) {
    std::vector<Node*> kids = n->kids;
    for (Node* k : kids) SendMessage(h, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(H(k)));
    n->state &= ~TVIS_EXPANDEDONCE;
  }
  Changed(h, s);
  Fill(&nm.itemNew, n);
  if (want != open) NotifyParentNm(h, &nm.hdr, TVN_ITEMEXPANDED);
  return true;
}

void Delete(HWND h, TreeState& s, Node* n) {
  std::vector<Node*> kids = n->kids;
  for (Node* k : kids) Delete(h, s, k);
  NMTREEVIEW nm{};
  Fill(&nm.itemOld, n);
  NotifyParentNm(h, &nm.hdr, TVN_DELETEITEM);
  if (s.selected == n) s.selected = nullptr;
  if (s.drop == n) s.drop = nullptr;
  if (s.editing == n) s.editing = nullptr;
  auto& sib = n->parent->kids;
  sib.erase(std::remove(sib.begin(), sib.end(), n), sib.end());
  s.all.erase(n);
  delete n;
}

Node* Insert(HWND h, TreeState& s, const TVINSERTSTRUCT* ins) {
  if (!ins) return nullptr;
  Node* parent = (!ins->hParent || ins->hParent == TVI_ROOT) ? &s.root : N(s, ins->hParent);
  if (!parent) return nullptr;
  auto* n = new Node;
  n->parent = parent;
  const TVITEM& it = ins->item;
  if (it.mask & TVIF_TEXT) {
    if (it.pszText == LPSTR_TEXTCALLBACK)
      n->callbackText = true;
    else if (it.pszText)
      n->text = it.pszText;
  }
  if (it.mask & TVIF_IMAGE) n->image = it.iImage;
  if (it.mask & TVIF_SELECTEDIMAGE) n->selImage = it.iSelectedImage;
  if (it.mask & TVIF_PARAM) n->param = it.lParam;
  if (it.mask & TVIF_STATE) n->state = it.state & it.stateMask & ~TVIS_SELECTED;
  if (it.mask & TVIF_CHILDREN) n->children = it.cChildren;
  auto& kids = parent->kids;
  size_t at = kids.size();
  if (ins->hInsertAfter == TVI_FIRST) {
    at = 0;
  } else if (ins->hInsertAfter == TVI_SORT) {
    at = 0;
    while (at < kids.size() && lstrcmpi(TextOf(h, kids[at]).c_str(), TextOf(h, n).c_str()) <= 0) ++at;
  } else if (ins->hInsertAfter != TVI_LAST && ins->hInsertAfter) {
    auto pos = std::find(kids.begin(), kids.end(), reinterpret_cast<Node*>(ins->hInsertAfter));
    if (pos != kids.end()) at = static_cast<size_t>(pos - kids.begin()) + 1;
  }
  kids.insert(kids.begin() + static_cast<long>(at), n);
  s.all.insert(n);
  Changed(h, s);
  return n;
}

Node* NextVisible(TreeState& s, Node* n, int step) {
  std::vector<Node*> rows = Rows(s);
  int r = RowOf(s, n);
  if (r < 0) return nullptr;
  int t = r + step;
  if (t < 0 || t >= static_cast<int>(rows.size())) return nullptr;
  return rows[static_cast<size_t>(t)];
}

Node* Sibling(Node* n, int step) {
  auto& k = n->parent->kids;
  auto pos = std::find(k.begin(), k.end(), n) - k.begin() + step;
  return pos >= 0 && pos < static_cast<long>(k.size()) ? k[static_cast<size_t>(pos)] : nullptr;
}

Node* GetNext(HWND h, TreeState& s, UINT code, Node* n) {
  std::vector<Node*> rows;
  switch (code) {
    case TVGN_ROOT:
      return s.root.kids.empty() ? nullptr : s.root.kids[0];
    case TVGN_CARET:
      return s.selected;
    case TVGN_DROPHILITE:
      return s.drop;
    case TVGN_FIRSTVISIBLE:
      rows = Rows(s);
      return s.top < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(s.top)] : nullptr;
    case TVGN_LASTVISIBLE:
      rows = Rows(s);
      return rows.empty() ? nullptr : rows.back();
  }
  if (!n) return code == TVGN_CHILD ? GetNext(h, s, TVGN_ROOT, nullptr) : nullptr;
  switch (code) {
    case TVGN_NEXT:
      return Sibling(n, 1);
    case TVGN_PREVIOUS:
      return Sibling(n, -1);
    case TVGN_PARENT:
      return n->parent == &s.root ? nullptr : n->parent;
    case TVGN_CHILD:
      return n->kids.empty() ? nullptr : n->kids[0];
    case TVGN_NEXTVISIBLE:
      return NextVisible(s, n, 1);
    case TVGN_PREVIOUSVISIBLE:
      return NextVisible(s, n, -1);
  }
  return nullptr;
}

UINT HitTest(HWND h, TreeState& s, POINT p, Node** out) {
  *out = nullptr;
  RECT c;
  GetClientRect(h, &c);
  if (p.y < 0) return TVHT_ABOVE;
  if (p.y >= c.bottom) return TVHT_BELOW;
  if (p.x < 0) return TVHT_TOLEFT;
  if (p.x >= c.right) return TVHT_TORIGHT;
  std::vector<Node*> rows = Rows(s);
  int row = s.top + p.y / ItemHeight(h, s);
  if (row >= static_cast<int>(rows.size())) return TVHT_NOWHERE;
  Node* n = rows[static_cast<size_t>(row)];
  *out = n;
  int x0 = RootIndent(h, s) + Level(n) * s.indent;
  if (p.x < x0 - s.indent) return TVHT_ONITEMINDENT;
  if (p.x < x0) return (StyleOf(h) & TVS_HASBUTTONS) && HasKids(h, n) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
  if (p.x < x0 + ImageWidth(s)) return TVHT_ONITEMICON;
  RECT label = LabelRect(h, s, n, row);
  if (p.x < label.right) return TVHT_ONITEMLABEL;
  return TVHT_ONITEMRIGHT;
}

void DrawButton(HDC dc, int cx, int cy, bool open) {
  RECT b{cx - 4, cy - 4, cx + 5, cy + 5};
  FillRect(dc, &b, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(dc, &b, GetSysColorBrush(COLOR_BTNSHADOW));
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, cx - 2, cy, nullptr);
  LineTo(dc, cx + 3, cy);
  if (!open) {
    MoveToEx(dc, cx, cy - 2, nullptr);
    LineTo(dc, cx, cy + 3);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void PaintTreeview(HWND h, TreeState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT c;
  GetClientRect(h, &c);
  FillRect(dc, &c, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(h));
  SetBkMode(dc, TRANSPARENT);
  DWORD style = StyleOf(h);
  bool focused = GetFocus() == h;
  int ih = ItemHeight(h, s);
  std::vector<Node*> rows = Rows(s);
  HPEN dots = CreatePen(PS_DOT, 1, GetSysColor(COLOR_BTNSHADOW));
  for (int row = s.top; row < static_cast<int>(rows.size()); ++row) {
    Node* n = rows[static_cast<size_t>(row)];
    int y = (row - s.top) * ih;
    if (y > c.bottom) break;
    int x0 = RootIndent(h, s) + Level(n) * s.indent;
    int cy = y + ih / 2;
    bool hasKids = HasKids(h, n);
    if ((style & TVS_HASLINES) && (n->parent != &s.root || (style & TVS_LINESATROOT))) {
      HGDIOBJ old = SelectObject(dc, dots);
      int lx = x0 - s.indent / 2;
      MoveToEx(dc, lx, y, nullptr);
      LineTo(dc, lx, Sibling(n, 1) ? y + ih : cy);
      MoveToEx(dc, lx, cy, nullptr);
      LineTo(dc, x0, cy);
      for (Node* p = n->parent; p && p->parent; p = p->parent)
        if (Sibling(p, 1)) {
          int px = RootIndent(h, s) + Level(p) * s.indent - s.indent / 2;
          MoveToEx(dc, px, y, nullptr);
          LineTo(dc, px, y + ih);
        }
      SelectObject(dc, old);
    }
    if ((style & TVS_HASBUTTONS) && hasKids && (n->parent != &s.root || (style & TVS_LINESATROOT)))
      DrawButton(dc, x0 - s.indent / 2, cy, Expanded(n));
    int x = x0;
    if (s.images) {
      int ix = 0, iy = 0;
      ImageList_GetIconSize(s.images, &ix, &iy);
      int img = n == s.selected ? n->selImage : n->image;
      ImageList_Draw(s.images, img, dc, x, y + (ih - iy) / 2, ILD_TRANSPARENT);
      x += ix + 3;
    }
    RECT label = LabelRect(h, s, n, row);
    bool hot = n == s.drop || (n == s.selected && (focused || (style & TVS_SHOWSELALWAYS)));
    if (hot && n != s.editing) {
      bool strong = focused || n == s.drop;
      FillRect(dc, &label, GetSysColorBrush(strong ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(strong ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    } else {
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    }
    std::string t = TextOf(h, n);
    TextOut(dc, label.left + 2, y + (ih - FontLineHeight(ControlFont(h))) / 2, t.c_str(),
            static_cast<int>(t.size()));
    if (focused && n == s.selected) DrawFocusRect(dc, &label);
  }
  DeleteObject(dots);
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

// ---- Label editing ----

void EndEdit(HWND h, TreeState& s, bool cancel) {
  if (!s.edit || s.ending) return;
  s.ending = true;
  Node* n = s.editing;
  std::string text = WindowTextOf(s.edit);
  NMTVDISPINFO di{};
  if (n && s.all.count(n)) {
    Fill(&di.item, n);
    di.item.mask |= TVIF_TEXT;
    di.item.pszText = cancel ? nullptr : text.data();
    di.item.cchTextMax = static_cast<int>(text.size()) + 1;
    if (NotifyParentNm(h, &di.hdr, TVN_ENDLABELEDIT) && !cancel && s.all.count(n)) {
      n->text = text;
      n->callbackText = false;
    }
  }
  HWND e = s.edit;
  s.edit = nullptr;
  s.editing = nullptr;
  if (IsWindow(e)) DestroyWindow(e);
  s.ending = false;
  if (IsWindow(h)) InvalidateRect(h, nullptr, TRUE);
}

const char kTreeOfEdit[] = "MirtTreeOfEdit";
const char kEditProc[] = "MirtTreeEditProc";

LRESULT CALLBACK LabelEditProc(HWND e, UINT msg, WPARAM wp, LPARAM lp) {
  auto old = reinterpret_cast<WNDPROC>(GetProp(e, kEditProc));
  HWND tree = static_cast<HWND>(GetProp(e, kTreeOfEdit));
  TreeState* s = tree ? ControlState<TreeState>(tree) : nullptr;
  if (s && msg == WM_GETDLGCODE) return DLGC_WANTALLKEYS | CallWindowProc(old, e, msg, wp, lp);
  if (s && msg == WM_KEYDOWN && (wp == VK_RETURN || wp == VK_ESCAPE)) {
    EndEdit(tree, *s, wp == VK_ESCAPE);
    SetFocus(tree);
    return 0;
  }
  if (s && msg == WM_CHAR && (wp == '\r' || wp == 27)) return 0;
  if (s && msg == WM_KILLFOCUS) {
    LRESULT r = CallWindowProc(old, e, msg, wp, lp);
    EndEdit(tree, *s, false);
    return r;
  }
  return CallWindowProc(old, e, msg, wp, lp);
}

HWND EditLabel(HWND h, TreeState& s, Node* n) {
  if (!n) return nullptr;
  EndEdit(h, s, false);
  EnsureVisible(h, s, n);
  NMTVDISPINFO di{};
  Fill(&di.item, n);
  std::string t = TextOf(h, n);
  di.item.pszText = t.data();
  if (NotifyParentNm(h, &di.hdr, TVN_BEGINLABELEDIT) || !IsWindow(h)) return nullptr;
  RECT r = LabelRect(h, s, n, RowOf(s, n));
  RECT c;
  GetClientRect(h, &c);
  s.editing = n;
  s.edit = CreateWindowEx(0, "EDIT", t.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left,
                          r.top, std::max<int>(c.right - r.left, 40), r.bottom - r.top, h,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1)), nullptr, nullptr);
  SendMessage(s.edit, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(h)), FALSE);
  SetProp(s.edit, kTreeOfEdit, h);
  SetProp(s.edit, kEditProc, reinterpret_cast<HANDLE>(GetWindowLongPtr(s.edit, GWL_WNDPROC)));
  SetWindowLongPtr(s.edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&LabelEditProc));
  SetFocus(s.edit);
  SendMessage(s.edit, EM_SETSEL, 0, -1);
  return s.edit;
}

// ---- Items by message ----

BOOL GetItem(HWND h, TreeState& s, TVITEM* it) {
  Node* n = it ? N(s, it->hItem) : nullptr;
  if (!n) return FALSE;
  if (it->mask & TVIF_TEXT) {
    std::string t = TextOf(h, n);
    if (it->pszText && it->cchTextMax > 0) lstrcpyn(it->pszText, t.c_str(), it->cchTextMax);
  }
  if (it->mask & TVIF_IMAGE) it->iImage = n->image;
  if (it->mask & TVIF_SELECTEDIMAGE) it->iSelectedImage = n->selImage;
  if (it->mask & TVIF_PARAM) it->lParam = n->param;
  if (it->mask & TVIF_STATE) it->state = n->state & (it->stateMask ? it->stateMask : 0xFFFFFFFF);
  if (it->mask & TVIF_CHILDREN)
    it->cChildren = n->children == I_CHILDRENCALLBACK ? I_CHILDRENCALLBACK : (HasKids(h, n) ? 1 : 0);
  return TRUE;
}

BOOL SetItem(HWND h, TreeState& s, const TVITEM* it) {
  Node* n = it ? N(s, it->hItem) : nullptr;
  if (!n) return FALSE;
  if (it->mask & TVIF_TEXT) {
    n->callbackText = it->pszText == LPSTR_TEXTCALLBACK;
    n->text = n->callbackText || !it->pszText ? std::string() : it->pszText;
  }
  if (it->mask & TVIF_IMAGE) n->image = it->iImage;
  if (it->mask & TVIF_SELECTEDIMAGE) n->selImage = it->iSelectedImage;
  if (it->mask & TVIF_PARAM) n->param = it->lParam;
  if (it->mask & TVIF_CHILDREN) n->children = it->cChildren;
  if (it->mask & TVIF_STATE) {
    UINT mask = it->stateMask & ~(TVIS_SELECTED | TVIS_EXPANDED);
    n->state = (n->state & ~mask) | (it->state & mask);
    if (it->stateMask & TVIS_EXPANDED) {
      if (it->state & TVIS_EXPANDED)
        n->state |= TVIS_EXPANDED;
      else
        n->state &= ~TVIS_EXPANDED;
    }
    if ((it->stateMask & TVIS_SELECTED) && (it->state & TVIS_SELECTED)) Select(h, s, n, TVC_UNKNOWN);
  }
  Changed(h, s);
  return TRUE;
}

void Sort(HWND h, Node* parent, bool recurse, const std::function<bool(Node*, Node*)>& less) {
  std::stable_sort(parent->kids.begin(), parent->kids.end(), less);
  if (recurse)
    for (Node* k : parent->kids) Sort(h, k, true, less);
}

LRESULT Command(HWND h, TreeState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case TVM_INSERTITEM:
      return reinterpret_cast<LRESULT>(H(Insert(h, s, reinterpret_cast<TVINSERTSTRUCT*>(lp))));
    case TVM_DELETEITEM: {
      auto item = reinterpret_cast<HTREEITEM>(lp);
      if (!item || item == TVI_ROOT) {
        std::vector<Node*> kids = s.root.kids;
        for (Node* k : kids) Delete(h, s, k);
      } else if (Node* n = N(s, item)) {
        Delete(h, s, n);
      } else {
        return FALSE;
      }
      Changed(h, s);
      return TRUE;
    }
    case TVM_EXPAND: {
      Node* n = N(s, reinterpret_cast<HTREEITEM>(lp));
      return n && Expand(h, s, n, static_cast<UINT>(wp), TVC_UNKNOWN);
    }
    case TVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lp);
      Node* n = r ? N(s, *reinterpret_cast<HTREEITEM*>(r)) : nullptr;
      int row = n ? RowOf(s, n) : -1;
      if (row < 0) return FALSE;
      if (wp) {
        *r = LabelRect(h, s, n, row);
      } else {
        RECT c;
        GetClientRect(h, &c);
        int ih = ItemHeight(h, s);
        *r = RECT{0, (row - s.top) * ih, c.right, (row - s.top + 1) * ih};
      }
      return TRUE;
    }
    case TVM_GETCOUNT:
      return static_cast<LRESULT>(s.all.size());
    case TVM_GETINDENT:
      return s.indent;
    case TVM_SETINDENT:
      s.indent = std::max(static_cast<int>(wp), 4);
      Changed(h, s);
      return 0;
    case TVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(wp == TVSIL_STATE ? s.stateImages : s.images);
    case TVM_SETIMAGELIST: {
      HIMAGELIST& slot = wp == TVSIL_STATE ? s.stateImages : s.images;
      HIMAGELIST old = slot;
      slot = reinterpret_cast<HIMAGELIST>(lp);
      Changed(h, s);
      return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETNEXTITEM:
      return reinterpret_cast<LRESULT>(
          H(GetNext(h, s, static_cast<UINT>(wp), N(s, reinterpret_cast<HTREEITEM>(lp)))));
    case TVM_SELECTITEM: {
      Node* n = N(s, reinterpret_cast<HTREEITEM>(lp));
      if (!n && lp) return FALSE;
      if (wp == TVGN_CARET) return Select(h, s, n, TVC_UNKNOWN);
      if (wp == TVGN_DROPHILITE) {
        if (s.drop) s.drop->state &= ~TVIS_DROPHILITED;
        s.drop = n;
        if (n) n->state |= TVIS_DROPHILITED;
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
      }
      if (wp == TVGN_FIRSTVISIBLE && n) {
        EnsureVisible(h, s, n);
        s.top = RowOf(s, n);
        Changed(h, s);
        return TRUE;
      }
      return FALSE;
    }
    case TVM_GETITEM:
      return GetItem(h, s, reinterpret_cast<TVITEM*>(lp));
    case TVM_SETITEM:
      return SetItem(h, s, reinterpret_cast<TVITEM*>(lp));
    case TVM_EDITLABEL:
      return reinterpret_cast<LRESULT>(EditLabel(h, s, N(s, reinterpret_cast<HTREEITEM>(lp))));
    case TVM_GETEDITCONTROL:
      return reinterpret_cast<LRESULT>(s.edit);
    case TVM_ENDEDITLABELNOW:
      EndEdit(h, s, wp != 0);
      return TRUE;
    case TVM_GETVISIBLECOUNT:
      return PageRows(h, s);
    case TVM_HITTEST: {
      auto* ht = reinterpret_cast<TVHITTESTINFO*>(lp);
      if (!ht) return 0;
      Node* n;
      ht->flags = HitTest(h, s, ht->pt, &n);
      ht->hItem = H(n);
      return reinterpret_cast<LRESULT>(H(n));
    }
    case TVM_SORTCHILDREN: {
      Node* p = (!lp || reinterpret_cast<HTREEITEM>(lp) == TVI_ROOT) ? &s.root
                                                                     : N(s, reinterpret_cast<HTREEITEM>(lp));
      if (!p) return FALSE;
      Sort(h, p, wp != 0,
           [&](Node* a, Node* b) { return lstrcmpi(TextOf(h, a).c_str(), TextOf(h, b).c_str()) < 0; });
      Changed(h, s);
      return TRUE;
    }
    case TVM_SORTCHILDRENCB: {
      auto* cb = reinterpret_cast<TVSORTCB*>(lp);
      if (!cb || !cb->lpfnCompare) return FALSE;
      Node* p = (!cb->hParent || cb->hParent == TVI_ROOT) ? &s.root : N(s, cb->hParent);
      if (!p) return FALSE;
      Sort(h, p, false,
           [&](Node* a, Node* b) { return cb->lpfnCompare(a->param, b->param, cb->lParam) < 0; });
      Changed(h, s);
      return TRUE;
    }
    case TVM_ENSUREVISIBLE: {
      Node* n = N(s, reinterpret_cast<HTREEITEM>(lp));
      if (!n) return FALSE;
      EnsureVisible(h, s, n);
      return TRUE;
    }
    case TVM_SETITEMHEIGHT: {
      int old = ItemHeight(h, s);
      s.itemHeight = static_cast<short>(wp) == -1 ? 0 : static_cast<int>(wp);
      Changed(h, s);
      return old;
    }
    case TVM_GETITEMHEIGHT:
      return ItemHeight(h, s);
  }
  return 0;
}

bool KeyDown(HWND h, TreeState& s, WPARAM vk) {
  NMTVKEYDOWN kd{};
  kd.wVKey = static_cast<WORD>(vk);
  if (NotifyParentNm(h, &kd.hdr, TVN_KEYDOWN) || !IsWindow(h)) return true;
  Node* n = s.selected;
  std::vector<Node*> rows = Rows(s);
  if (rows.empty()) return true;
  if (!n) return Select(h, s, rows[0], TVC_BYKEYBOARD), true;
  int row = RowOf(s, n);
  auto go = [&](int r) {
    r = std::clamp(r, 0, static_cast<int>(rows.size()) - 1);
    Select(h, s, rows[static_cast<size_t>(r)], TVC_BYKEYBOARD);
  };
  switch (vk) {
    case VK_UP:
      go(row - 1);
      break;
    case VK_DOWN:
      go(row + 1);
      break;
    case VK_PRIOR:
      go(row - PageRows(h, s) + 1);
      break;
    case VK_NEXT:
      go(row + PageRows(h, s) - 1);
      break;
    case VK_HOME:
      go(0);
      break;
    case VK_END:
      go(static_cast<int>(rows.size()) - 1);
      break;
    case VK_LEFT:
      if (Expanded(n) && HasKids(h, n))
        Expand(h, s, n, TVE_COLLAPSE, TVC_BYKEYBOARD);
      else if (n->parent != &s.root)
        Select(h, s, n->parent, TVC_BYKEYBOARD);
      break;
    case VK_BACK:
      if (n->parent != &s.root) Select(h, s, n->parent, TVC_BYKEYBOARD);
      break;
    case VK_RIGHT:
      if (!Expanded(n) && HasKids(h, n))
        Expand(h, s, n, TVE_EXPAND, TVC_BYKEYBOARD);
      else if (!n->kids.empty())
        Select(h, s, n->kids[0], TVC_BYKEYBOARD);
      break;
    case VK_ADD:
      Expand(h, s, n, TVE_EXPAND, TVC_BYKEYBOARD);
      break;
    case VK_SUBTRACT:
      Expand(h, s, n, TVE_COLLAPSE, TVC_BYKEYBOARD);
      break;
    case VK_F2:
      if (StyleOf(h) & TVS_EDITLABELS) EditLabel(h, s, n);
      break;
    case VK_RETURN: {
      NMHDR nm{};
      NotifyParentNm(h, &nm, NM_RETURN);
      break;
    }
    default:
      return false;
  }
  return true;
}

void ButtonDown(HWND h, TreeState& s, LPARAM lp, bool right) {
  if (GetFocus() != h) SetFocus(h);
  if (!IsWindow(h)) return;
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  Node* n;
  UINT where = HitTest(h, s, p, &n);
  if (right) {
    NMHDR nm{};
    if (!NotifyParentNm(h, &nm, NM_RCLICK) && IsWindow(h)) {
      POINT sp = p;
      ClientToScreen(h, &sp);
      SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), MAKELPARAM(sp.x, sp.y));
    }
    return;
  }
  if (n && where == TVHT_ONITEMBUTTON) {
    Expand(h, s, n, TVE_TOGGLE, TVC_BYMOUSE);
    return;
  }
  s.pressed = n && (where & TVHT_ONITEM) ? n : nullptr;
  s.pressedWasSelected = n == s.selected;
  s.pressAt = p;
  if (s.pressed) {
    Select(h, s, n, TVC_BYMOUSE);
    SetCapture(h);
  }
  NMHDR nm{};
  NotifyParentNm(h, &nm, NM_CLICK);
}

LRESULT CALLBACK TreeProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT fontResult;
  if (HandleFontMessage(h, msg, wp, lp, &fontResult)) return fontResult;
  TreeState* s;
  LRESULT answered;
  if (PaintedControlMessage(h, msg, wp, lp, &s, &answered, PaintTreeview)) return answered;
  if (msg >= TV_FIRST && msg <= TVM_GETITEMHEIGHT) return Command(h, *s, msg, wp, lp);
  switch (msg) {
    case WM_DESTROY: {
      EndEdit(h, *s, true);
      std::vector<Node*> kids = s->root.kids;
      for (Node* k : kids) Delete(h, *s, k);
      return DefWindowProc(h, msg, wp, lp);
    }
    case WM_SIZE:
      UpdateScroll(h, *s);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      InvalidateRect(h, nullptr, FALSE);
      NMHDR nm{};
      NotifyParentNm(h, &nm, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
      return 0;
    }
    case WM_KEYDOWN:
      if (KeyDown(h, *s, wp)) return 0;
      break;
    case WM_CHAR: {
      if (wp < ' ') return 0;
      std::vector<Node*> rows = Rows(*s);
      int start = s->selected ? RowOf(*s, s->selected) : -1;
      int want = mirt::ToUpper1252(static_cast<unsigned char>(wp));
      for (size_t k = 1; k <= rows.size(); ++k) {
        Node* n = rows[(static_cast<size_t>(start + 1) + k - 1) % rows.size()];
        std::string t = TextOf(h, n);
        if (!t.empty() && mirt::ToUpper1252(static_cast<unsigned char>(t[0])) == want) {
          Select(h, *s, n, TVC_BYKEYBOARD);
          break;
        }
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
      ButtonDown(h, *s, lp, false);
      return 0;
    case WM_RBUTTONDOWN:
      ButtonDown(h, *s, lp, true);
      return 0;
    case WM_MOUSEMOVE:
      if (s->pressed && GetCapture() == h && (wp & MK_LBUTTON) && !(StyleOf(h) & TVS_DISABLEDRAGDROP)) {
        int dx = GET_X_LPARAM(lp) - s->pressAt.x, dy = GET_Y_LPARAM(lp) - s->pressAt.y;
        if (dx * dx + dy * dy >= 16) {
          Node* n = s->pressed;
          s->pressed = nullptr;
          ReleaseCapture();
          NMTREEVIEW nm{};
          nm.action = TVC_BYMOUSE;
          Fill(&nm.itemNew, n);
          nm.ptDrag = POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
          NotifyParentNm(h, &nm.hdr, TVN_BEGINDRAG);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (s->pressed) {
        Node* n = s->pressed;
        s->pressed = nullptr;
        ReleaseCapture();
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        Node* at;
        if (s->pressedWasSelected && (StyleOf(h) & TVS_EDITLABELS) &&
            HitTest(h, *s, p, &at) == TVHT_ONITEMLABEL && at == n)
          EditLabel(h, *s, n);
      }
      return 0;
    case WM_LBUTTONDBLCLK: {
      NMHDR nm{};
      if (NotifyParentNm(h, &nm, NM_DBLCLK) || !IsWindow(h)) return 0;
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      Node* n;
      if (HitTest(h, *s, p, &n) & (TVHT_ONITEM | TVHT_ONITEMBUTTON))
        Expand(h, *s, n, TVE_TOGGLE, TVC_BYMOUSE);
      return 0;
    }
    case WM_VSCROLL: {
      // Changed bounds the top row.
      s->top = ScrolledTop(wp, s->top, PageRows(h, *s), 1 << 30);
      Changed(h, *s);
      return 0;
    }
    case WM_MOUSEWHEEL:
      s->top -= 3 * static_cast<short>(HIWORD(wp)) / 120;
      Changed(h, *s);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterTree() { RegisterControlClass(WC_TREEVIEW, TreeProc, CS_DBLCLKS, IDC_ARROW); }
const bool kTreeviewRegistered = AddSystemClass(&RegisterTree);

}  // namespace
}  // namespace mirt_ui
