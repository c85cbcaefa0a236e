#include "platform/afx/frame_menu.h"

#include "platform/ui/afxmenu.h"
#include "platform/ui/menu.h"

namespace afx {
namespace {
HMENU Load(HINSTANCE inst, LPCSTR name) {
  // Only when the resource exists: a frame without a menu is fine.
  if (!::FindResource(inst, name, RT_MENU)) return nullptr;
  return ::LoadMenu(inst, name);
}
void Set(HWND frame, HMENU menu) { ::SetMenu(frame, menu); }
HMENU Get(HWND frame) { return ::GetMenu(frame); }
void Destroy(HMENU menu) {
  if (menu) ::DestroyMenu(menu);
}
HMENU Sub(HMENU menu, int index) { return ::GetSubMenu(menu, index); }
int Count(HMENU menu) { return menu ? ::GetMenuItemCount(menu) : 0; }
UINT Id(HMENU menu, int index) { return ::GetMenuItemID(menu, index); }
CMenu* FromHandle(HMENU menu) { return menu ? CMenu::FromHandle(menu) : nullptr; }

FrameMenuOps& Ops() {
  static FrameMenuOps ops{Load, Set, Get, Destroy, Sub, Count, Id, FromHandle};
  return ops;
}
}  // namespace

const FrameMenuOps& FrameMenus() { return Ops(); }
void SetFrameMenuOps(const FrameMenuOps& ops) { Ops() = ops; }
}  // namespace afx
