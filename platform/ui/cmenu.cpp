#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/ui/afxmenu.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/resources.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
std::recursive_mutex g_cmenuMutex;
std::map<HMENU, CMenu*>& Permanent() {
  static std::map<HMENU, CMenu*>* m = new std::map<HMENU, CMenu*>;
  return *m;
}
std::map<HMENU, std::unique_ptr<CMenu>>& Temps() {
  static std::map<HMENU, std::unique_ptr<CMenu>>* m = new std::map<HMENU, std::unique_ptr<CMenu>>;
  return *m;
}
}  // namespace

CMenu::~CMenu() {
  if (m_hMenu) DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU h) {
  if (!h) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(g_cmenuMutex);
  auto p = Permanent().find(h);
  if (p != Permanent().end()) return p->second;
  for (auto it = Temps().begin(); it != Temps().end();) {
    if (!::IsMenu(it->first)) {
      it->second->m_hMenu = nullptr;
      it = Temps().erase(it);
    } else {
      ++it;
    }
  }
  auto& slot = Temps()[h];
  if (!slot) {
    slot = std::make_unique<CMenu>();
    slot->m_hMenu = h;
  }
  return slot.get();
}

void PASCAL CMenu::DeleteTempMap() {
  std::lock_guard<std::recursive_mutex> lock(g_cmenuMutex);
  for (auto& [h, m] : Temps()) m->m_hMenu = nullptr;
  Temps().clear();
}

BOOL CMenu::Attach(HMENU h) {
  if (!h || m_hMenu) return FALSE;
  std::lock_guard<std::recursive_mutex> lock(g_cmenuMutex);
  m_hMenu = h;
  Permanent()[h] = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (!h) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(g_cmenuMutex);
  auto it = Permanent().find(h);
  if (it != Permanent().end() && it->second == this) Permanent().erase(it);
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(LPCSTR name) {
  HMENU h = ::LoadMenu(AfxGetResourceHandle(), name);
  if (!h) h = ::LoadMenu(nullptr, name);
  return Attach(h);
}
BOOL CMenu::LoadMenu(UINT id) { return LoadMenu(MAKEINTRESOURCE(id)); }
BOOL CMenu::LoadMenuIndirect(const void* t) { return Attach(::LoadMenuIndirect(t)); }
BOOL CMenu::DestroyMenu() {
  HMENU h = Detach();
  return h && ::DestroyMenu(h);
}

BOOL CMenu::AppendMenu(UINT f, UINT_PTR id, LPCSTR s) { return ::AppendMenu(m_hMenu, f, id, s); }
BOOL CMenu::InsertMenu(UINT p, UINT f, UINT_PTR id, LPCSTR s) { return ::InsertMenu(m_hMenu, p, f, id, s); }
BOOL CMenu::ModifyMenu(UINT p, UINT f, UINT_PTR id, LPCSTR s) { return ::ModifyMenu(m_hMenu, p, f, id, s); }
BOOL CMenu::DeleteMenu(UINT p, UINT f) { return ::DeleteMenu(m_hMenu, p, f); }
BOOL CMenu::RemoveMenu(UINT p, UINT f) { return ::RemoveMenu(m_hMenu, p, f); }
UINT CMenu::CheckMenuItem(UINT id, UINT c) { return ::CheckMenuItem(m_hMenu, id, c); }
UINT CMenu::EnableMenuItem(UINT id, UINT e) { return static_cast<UINT>(::EnableMenuItem(m_hMenu, id, e)); }
BOOL CMenu::CheckMenuRadioItem(UINT a, UINT b, UINT c, UINT f) {
  return ::CheckMenuRadioItem(m_hMenu, a, b, c, f);
}
BOOL CMenu::SetDefaultItem(UINT i, BOOL byPos) { return ::SetMenuDefaultItem(m_hMenu, i, byPos); }
UINT CMenu::GetDefaultItem(UINT f, BOOL byPos) { return ::GetMenuDefaultItem(m_hMenu, byPos, f); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int p) const { return ::GetMenuItemID(m_hMenu, p); }
UINT CMenu::GetMenuState(UINT id, UINT f) const { return ::GetMenuState(m_hMenu, id, f); }
int CMenu::GetMenuString(UINT id, LPSTR s, int n, UINT f) const {
  return ::GetMenuString(m_hMenu, id, s, n, f);
}
int CMenu::GetMenuString(UINT id, CString& s, UINT f) const {
  int n = ::GetMenuString(m_hMenu, id, nullptr, 0, f);
  std::string buf(static_cast<size_t>(n) + 1, '\0');
  int got = ::GetMenuString(m_hMenu, id, buf.data(), n + 1, f);
  s = CString(buf.data(), got);
  return got;
}
BOOL CMenu::GetMenuItemInfo(UINT id, LPMENUITEMINFO mi, BOOL byPos) {
  return ::GetMenuItemInfo(m_hMenu, id, byPos, mi);
}
BOOL CMenu::SetMenuItemInfo(UINT id, LPMENUITEMINFO mi, BOOL byPos) {
  return ::SetMenuItemInfo(m_hMenu, id, byPos, mi);
}
CMenu* CMenu::GetSubMenu(int p) const { return FromHandle(::GetSubMenu(m_hMenu, p)); }
BOOL CMenu::TrackPopupMenu(UINT f, int x, int y, CWnd* w, LPCRECT r) {
  return ::TrackPopupMenu(m_hMenu, f, x, y, 0, w ? w->m_hWnd : nullptr, r);
}
void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
