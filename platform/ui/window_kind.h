// Private: what kind of native window a top-level window is, and the Qt
// window flags and relations that make each kind behave under a window
// manager as on Windows.
#pragma once

#include "platform/ui/wnd_obj.h"

namespace mirt_ui {

enum class WindowKind {
  kChild,      // a child window: no native window of its own
  kPopup,      // menus, drop-lists, tool tips, caption-less pop-ups: placed exactly, never managed
  kToolFrame,  // floating bar frames (WS_EX_TOOLWINDOW with a caption): frameless, the layer draws
  kDialog,     // owned windows with a caption: the manager's title bar, kept above their owner
  kMain,       // unowned windows with a caption: the manager's title bar and borders
};

WindowKind KindOf(DWORD style, DWORD exStyle, bool owned);
// Sets the flags of a new top-level window's widget.
void ApplyWindowKind(Wnd& w);
// After the widget's native window exists: ties an owned window to its owner.
void ApplyOwner(Wnd& w);

}  // namespace mirt_ui
