// Menu objects: creation, items, states, templates, menu bars of windows
// and system menus.
#include <map>
#include <mutex>
#include <set>

#include "platform/base/winstring.h"
#include "platform/ui/menu_impl.h"
#include "platform/ui/paint.h"
#include "platform/ui/window.h"

namespace mirt_ui {
namespace {

std::recursive_mutex g_menuMutex;
std::set<MenuObj*>& Menus() {
  static std::set<MenuObj*>* s = new std::set<MenuObj*>;
  return *s;
}
std::map<HWND, HMENU>& Bars() {
  static std::map<HWND, HMENU>* m = new std::map<HWND, HMENU>;
  return *m;
}
std::map<HWND, HMENU>& SystemMenus() {
  static std::map<HWND, HMENU>* m = new std::map<HWND, HMENU>;
  return *m;
}

HMENU Make(bool popup) {
  auto* m = new MenuObj;
  m->popup = popup;
  std::lock_guard<std::recursive_mutex> lock(g_menuMutex);
  Menus().insert(m);
  return reinterpret_cast<HMENU>(m);
}

// An item from MF_* flags and the id-or-sub-menu and text arguments.
bool ItemFromFlags(UINT flags, UINT_PTR idOrSub, LPCSTR text, MenuItem* it) {
  it->type = flags & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP);
  it->state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT);
  it->sub = nullptr;
  it->id = 0;
  if (flags & MF_POPUP) {
    if (!FindMenu(reinterpret_cast<HMENU>(idOrSub))) return false;
    it->sub = reinterpret_cast<HMENU>(idOrSub);
    FindMenu(it->sub)->popup = true;
  } else {
    it->id = static_cast<UINT>(idOrSub);
  }
  it->text.clear();
  it->data = 0;
  it->bitmap = nullptr;
  if (flags & MF_OWNERDRAW)
    it->data = reinterpret_cast<ULONG_PTR>(text);
  else if (flags & MF_BITMAP)
    it->bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(text));
  else if (!(flags & MF_SEPARATOR) && text)
    it->text = text;
  return true;
}

void FillFromTemplate(HMENU m, const std::vector<MenuTemplateItem>& items) {
  for (const MenuTemplateItem& t : items) {
    if (t.flags & MF_POPUP) {
      HMENU sub = Make(true);
      FillFromTemplate(sub, t.items);
      AppendMenu(m, (t.flags & ~MF_END) | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), t.text.c_str());
    } else if ((t.flags & MF_SEPARATOR) || (t.id == 0 && t.text.empty())) {
      AppendMenu(m, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenu(m, t.flags & ~MF_END, t.id, t.text.c_str());
    }
  }
}

HMENU MakeSystemMenu() {
  HMENU m = Make(true);
  AppendMenu(m, MF_STRING, SC_RESTORE, "&Restore");
  AppendMenu(m, MF_STRING, SC_MOVE, "&Move");
  AppendMenu(m, MF_STRING, SC_SIZE, "&Size");
  AppendMenu(m, MF_STRING, SC_MINIMIZE, "Mi&nimize");
  AppendMenu(m, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
  AppendMenu(m, MF_SEPARATOR, 0, nullptr);
  AppendMenu(m, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
  SetMenuDefaultItem(m, SC_CLOSE, FALSE);
  return m;
}

}  // namespace

MenuObj* FindMenu(HMENU h) {
  std::lock_guard<std::recursive_mutex> lock(g_menuMutex);
  auto* m = reinterpret_cast<MenuObj*>(h);
  return Menus().count(m) ? m : nullptr;
}

MenuItem* FindItem(HMENU h, UINT item, bool byPosition, HMENU* owner, int* index) {
  MenuObj* m = FindMenu(h);
  if (!m) return nullptr;
  if (byPosition) {
    if (item >= m->items.size()) return nullptr;
    if (owner) *owner = h;
    if (index) *index = static_cast<int>(item);
    return &m->items[item];
  }
  for (size_t i = 0; i < m->items.size(); ++i) {
    MenuItem& it = m->items[i];
    if (!it.sub && !(it.type & MF_SEPARATOR) && it.id == item) {
      if (owner) *owner = h;
      if (index) *index = static_cast<int>(i);
      return &it;
    }
    if (it.sub)
      if (MenuItem* found = FindItem(it.sub, item, false, owner, index)) return found;
  }
  // A popup may be named by its handle as its id.
  for (size_t i = 0; i < m->items.size(); ++i)
    if (m->items[i].sub && reinterpret_cast<UINT_PTR>(m->items[i].sub) == item) {
      if (owner) *owner = h;
      if (index) *index = static_cast<int>(i);
      return &m->items[i];
    }
  return nullptr;
}

std::string MenuLabel(const std::string& text) {
  size_t tab = text.find('\t');
  return tab == std::string::npos ? text : text.substr(0, tab);
}

std::string MenuAccelText(const std::string& text) {
  size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

std::string MenuSummary(HMENU h) {
  std::string s;
  if (MenuObj* m = FindMenu(h))
    for (const MenuItem& it : m->items) {
      if (!s.empty()) s += "|";
      s += (it.type & MF_SEPARATOR) ? "-" : MenuLabel(it.text);
    }
  return s;
}

}  // namespace mirt_ui

using namespace mirt_ui;

HMENU CreateMenu() { return Make(false); }
HMENU CreatePopupMenu() { return Make(true); }

BOOL IsMenu(HMENU h) { return FindMenu(h) != nullptr; }

BOOL DestroyMenu(HMENU h) {
  MenuObj* m = FindMenu(h);
  if (!m) return FALSE;
  std::vector<MenuItem> items;
  {
    std::lock_guard<std::recursive_mutex> lock(g_menuMutex);
    Menus().erase(m);
    items.swap(m->items);
    for (auto it = Bars().begin(); it != Bars().end();)
      it = it->second == h ? Bars().erase(it) : std::next(it);
  }
  for (MenuItem& it : items)
    if (it.sub) DestroyMenu(it.sub);
  delete m;
  return TRUE;
}

HMENU LoadMenu(HINSTANCE inst, LPCSTR name) {
  std::vector<MenuTemplateItem> items;
  if (!LoadMenuTemplate(inst, name, &items)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  HMENU m = Make(false);
  FillFromTemplate(m, items);
  return m;
}

HMENU LoadMenuIndirect(const void* tmpl) {
  std::vector<MenuTemplateItem> items;
  if (!ParseMenuTemplate(tmpl, 1 << 20, &items)) return nullptr;
  HMENU m = Make(false);
  FillFromTemplate(m, items);
  return m;
}

BOOL InsertMenu(HMENU h, UINT pos, UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  MenuObj* m = FindMenu(h);
  if (!m) return FALSE;
  MenuItem it;
  if (!ItemFromFlags(flags, idOrSub, text, &it)) return FALSE;
  std::lock_guard<std::recursive_mutex> lock(g_menuMutex);
  size_t at = m->items.size();
  HMENU target = h;
  if (flags & MF_BYPOSITION) {
    if (pos != static_cast<UINT>(-1) && pos < m->items.size()) at = pos;
  } else {
    int index = -1;
    if (FindItem(h, pos, false, &target, &index))
      at = static_cast<size_t>(index);
    else
      target = h;
  }
  MenuObj* tm = FindMenu(target);
  tm->items.insert(tm->items.begin() + static_cast<long>(std::min(at, tm->items.size())), it);
  return TRUE;
}

BOOL AppendMenu(HMENU h, UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  return InsertMenu(h, static_cast<UINT>(-1), (flags & ~MF_BYCOMMAND) | MF_BYPOSITION, idOrSub, text);
}

BOOL ModifyMenu(HMENU h, UINT pos, UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  MenuItem* it = FindItem(h, pos, flags & MF_BYPOSITION);
  if (!it) return FALSE;
  HMENU oldSub = it->sub;
  MenuItem fresh;
  if (!ItemFromFlags(flags, idOrSub, text, &fresh)) return FALSE;
  if (oldSub && oldSub != fresh.sub) DestroyMenu(oldSub);
  *it = fresh;
  return TRUE;
}

static BOOL Remove(HMENU h, UINT pos, UINT flags, bool destroy) {
  HMENU owner = nullptr;
  int index = -1;
  if (!FindItem(h, pos, flags & MF_BYPOSITION, &owner, &index)) return FALSE;
  MenuObj* m = FindMenu(owner);
  HMENU sub = m->items[static_cast<size_t>(index)].sub;
  m->items.erase(m->items.begin() + index);
  if (destroy && sub) DestroyMenu(sub);
  return TRUE;
}

BOOL DeleteMenu(HMENU h, UINT pos, UINT flags) { return Remove(h, pos, flags, true); }
BOOL RemoveMenu(HMENU h, UINT pos, UINT flags) { return Remove(h, pos, flags, false); }

DWORD CheckMenuItem(HMENU h, UINT item, UINT check) {
  MenuItem* it = FindItem(h, item, check & MF_BYPOSITION);
  if (!it) return static_cast<DWORD>(-1);
  DWORD old = it->state & MF_CHECKED;
  it->state = (check & MF_CHECKED) ? (it->state | MF_CHECKED) : (it->state & ~MF_CHECKED);
  return old;
}

BOOL EnableMenuItem(HMENU h, UINT item, UINT enable) {
  MenuItem* it = FindItem(h, item, enable & MF_BYPOSITION);
  if (!it) return -1;
  UINT old = it->state & (MF_GRAYED | MF_DISABLED);
  it->state = (it->state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return static_cast<BOOL>(old);
}

BOOL CheckMenuRadioItem(HMENU h, UINT first, UINT last, UINT check, UINT flags) {
  bool byPos = flags & MF_BYPOSITION;
  bool found = false;
  if (byPos) {
    for (UINT p = first; p <= last; ++p) {
      MenuItem* it = FindItem(h, p, true);
      if (!it) return FALSE;
      it->type = p == check ? (it->type | MFT_RADIOCHECK) : it->type;
      it->state = p == check ? (it->state | MF_CHECKED) : (it->state & ~MF_CHECKED);
      found |= p == check;
    }
    return found;
  }
  for (UINT id = first; id <= last; ++id) {
    MenuItem* it = FindItem(h, id, false);
    if (!it) continue;
    if (id == check) it->type |= MFT_RADIOCHECK;
    it->state = id == check ? (it->state | MF_CHECKED) : (it->state & ~MF_CHECKED);
    found |= id == check;
  }
  return found;
}

BOOL SetMenuDefaultItem(HMENU h, UINT item, UINT byPos) {
  MenuObj* m = FindMenu(h);
  if (!m) return FALSE;
  for (MenuItem& it : m->items) it.state &= ~MF_DEFAULT;
  if (item == static_cast<UINT>(-1)) return TRUE;
  MenuItem* it = FindItem(h, item, byPos != 0);
  if (!it) return FALSE;
  it->state |= MF_DEFAULT;
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU h, UINT byPos, UINT) {
  MenuObj* m = FindMenu(h);
  if (!m) return static_cast<UINT>(-1);
  for (size_t i = 0; i < m->items.size(); ++i)
    if (m->items[i].state & MF_DEFAULT) return byPos ? static_cast<UINT>(i) : m->items[i].id;
  return static_cast<UINT>(-1);
}

BOOL HiliteMenuItem(HWND, HMENU h, UINT item, UINT hilite) {
  MenuItem* it = FindItem(h, item, hilite & MF_BYPOSITION);
  if (!it) return FALSE;
  it->state = (hilite & MF_HILITE) ? (it->state | MF_HILITE) : (it->state & ~MF_HILITE);
  return TRUE;
}

int GetMenuItemCount(HMENU h) {
  MenuObj* m = FindMenu(h);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU h, int pos) {
  MenuItem* it = pos >= 0 ? FindItem(h, static_cast<UINT>(pos), true) : nullptr;
  if (!it || it->sub) return static_cast<UINT>(-1);
  return it->id;
}

HMENU GetSubMenu(HMENU h, int pos) {
  MenuItem* it = pos >= 0 ? FindItem(h, static_cast<UINT>(pos), true) : nullptr;
  return it ? it->sub : nullptr;
}

UINT GetMenuState(HMENU h, UINT item, UINT flags) {
  MenuItem* it = FindItem(h, item, flags & MF_BYPOSITION);
  if (!it) return static_cast<UINT>(-1);
  UINT s = it->type | it->state;
  if (it->sub) s = (static_cast<UINT>(GetMenuItemCount(it->sub)) << 8) | (s & 0xFF) | MF_POPUP;
  return s;
}

int GetMenuString(HMENU h, UINT item, LPSTR buf, int max, UINT flags) {
  MenuItem* it = FindItem(h, item, flags & MF_BYPOSITION);
  if (!it) return 0;
  if (!buf || max <= 0) return static_cast<int>(it->text.size());
  return lstrlen(lstrcpyn(buf, it->text.c_str(), max));
}

BOOL GetMenuItemInfo(HMENU h, UINT item, BOOL byPos, LPMENUITEMINFO mi) {
  MenuItem* it = mi ? FindItem(h, item, byPos != 0) : nullptr;
  if (!it) return FALSE;
  if (mi->fMask & (MIIM_TYPE | MIIM_FTYPE)) mi->fType = it->type;
  if (mi->fMask & MIIM_STATE) mi->fState = it->state;
  if (mi->fMask & MIIM_ID) mi->wID = it->id;
  if (mi->fMask & MIIM_SUBMENU) mi->hSubMenu = it->sub;
  if (mi->fMask & MIIM_DATA) mi->dwItemData = it->data;
  if (mi->fMask & MIIM_BITMAP) mi->hbmpItem = it->bitmap;
  if (mi->fMask & (MIIM_TYPE | MIIM_STRING)) {
    if (mi->dwTypeData && mi->cch > 0) lstrcpyn(mi->dwTypeData, it->text.c_str(), static_cast<int>(mi->cch));
    mi->cch = static_cast<UINT>(it->text.size());
  }
  return TRUE;
}

static void ApplyInfo(MenuItem* it, LPCMENUITEMINFO mi) {
  if (mi->fMask & (MIIM_TYPE | MIIM_FTYPE)) it->type = mi->fType;
  if (mi->fMask & MIIM_STATE) it->state = mi->fState;
  if (mi->fMask & MIIM_ID) it->id = mi->wID;
  if (mi->fMask & MIIM_SUBMENU) it->sub = FindMenu(mi->hSubMenu) ? mi->hSubMenu : nullptr;
  if (mi->fMask & MIIM_DATA) it->data = mi->dwItemData;
  if (mi->fMask & MIIM_BITMAP) it->bitmap = mi->hbmpItem;
  if ((mi->fMask & (MIIM_TYPE | MIIM_STRING)) && !(it->type & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP)))
    it->text = mi->dwTypeData ? mi->dwTypeData : "";
}

BOOL SetMenuItemInfo(HMENU h, UINT item, BOOL byPos, LPCMENUITEMINFO mi) {
  MenuItem* it = mi ? FindItem(h, item, byPos != 0) : nullptr;
  if (!it) return FALSE;
  ApplyInfo(it, mi);
  return TRUE;
}

BOOL InsertMenuItem(HMENU h, UINT item, BOOL byPos, LPCMENUITEMINFO mi) {
  MenuObj* m = FindMenu(h);
  if (!m || !mi) return FALSE;
  MenuItem it;
  ApplyInfo(&it, mi);
  HMENU target = h;
  int index = static_cast<int>(m->items.size());
  if (byPos) {
    if (item < m->items.size()) index = static_cast<int>(item);
  } else if (!FindItem(h, item, false, &target, &index)) {
    target = h;
    index = static_cast<int>(m->items.size());
  }
  MenuObj* tm = FindMenu(target);
  tm->items.insert(tm->items.begin() + index, it);
  return TRUE;
}

BOOL SetMenu(HWND w, HMENU h) {
  if (!IsWindow(w) || (h && !FindMenu(h))) return FALSE;
  {
    std::lock_guard<std::recursive_mutex> lock(g_menuMutex);
    if (h)
      Bars()[w] = h;
    else
      Bars().erase(w);
  }
  SetWindowPos(w, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

HMENU GetMenu(HWND w) {
  std::lock_guard<std::recursive_mutex> lock(g_menuMutex);
  auto it = Bars().find(w);
  if (it == Bars().end()) return nullptr;
  if (!IsWindow(w)) {
    Bars().erase(it);
    return nullptr;
  }
  return it->second;
}

BOOL DrawMenuBar(HWND w) {
  if (!IsWindow(w)) return FALSE;
  PaintMenuBar(w);
  return TRUE;
}

HMENU GetSystemMenu(HWND w, BOOL revert) {
  if (!IsWindow(w)) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(g_menuMutex);
  auto it = SystemMenus().find(w);
  if (revert) {
    if (it != SystemMenus().end()) {
      DestroyMenu(it->second);
      SystemMenus().erase(it);
    }
    return nullptr;
  }
  if (it != SystemMenus().end() && FindMenu(it->second)) return it->second;
  HMENU m = MakeSystemMenu();
  SystemMenus()[w] = m;
  return m;
}
