// Frame menus: how frames load, set and destroy their menu bars. The menu
// layer provides the operations; until it does, frames keep the handle
// they were given and load none.
#pragma once

#include "platform/ui/wintypes.h"

class CMenu;

namespace afx {
struct FrameMenuOps {
  HMENU (*load)(HINSTANCE instance, LPCSTR name);
  void (*set)(HWND frame, HMENU menu);
  HMENU (*get)(HWND frame);
  void (*destroy)(HMENU menu);
  HMENU (*subMenu)(HMENU menu, int index);
  int (*itemCount)(HMENU menu);
  UINT (*itemId)(HMENU menu, int index);
  CMenu* (*fromHandle)(HMENU menu);
};
const FrameMenuOps& FrameMenus();
void SetFrameMenuOps(const FrameMenuOps& ops);
}  // namespace afx
