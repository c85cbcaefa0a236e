#include "platform/afx/frame_menu.h"

#include <map>

namespace afx {
namespace {
std::map<HWND, HMENU>& Assigned() {
  static std::map<HWND, HMENU> m;
  return m;
}
HMENU NoLoad(HINSTANCE, LPCSTR) { return nullptr; }
void KeepSet(HWND frame, HMENU menu) {
  if (menu)
    Assigned()[frame] = menu;
  else
    Assigned().erase(frame);
}
HMENU KeepGet(HWND frame) {
  auto it = Assigned().find(frame);
  return it == Assigned().end() ? nullptr : it->second;
}
void NoDestroy(HMENU) {}
HMENU NoSub(HMENU, int) { return nullptr; }
int NoCount(HMENU) { return 0; }
UINT NoId(HMENU, int) { return 0; }
CMenu* NoMenu(HMENU) { return nullptr; }

FrameMenuOps& Ops() {
  static FrameMenuOps ops{NoLoad, KeepSet, KeepGet, NoDestroy, NoSub, NoCount, NoId, NoMenu};
  return ops;
}
}  // namespace

const FrameMenuOps& FrameMenus() { return Ops(); }
void SetFrameMenuOps(const FrameMenuOps& ops) { Ops() = ops; }
}  // namespace afx
