#include "platform/ui/window_kind.h"

#include <QWidget>
#include <QWindow>

namespace mirt_ui {

WindowKind KindOf(DWORD style, DWORD exStyle, bool owned) {
  if (style & WS_CHILD) return WindowKind::kChild;
  if ((style & WS_CAPTION) != WS_CAPTION) return (style & WS_POPUP) ? WindowKind::kPopup : WindowKind::kMain;
  if (exStyle & WS_EX_TOOLWINDOW) return WindowKind::kToolFrame;
  return owned ? WindowKind::kDialog : WindowKind::kMain;
}

void ApplyWindowKind(Wnd& w) {
  if (!w.widget || w.parent) return;
  Qt::WindowFlags flags;
  switch (KindOf(w.style, w.exStyle, w.owner != nullptr)) {
    case WindowKind::kChild:
      return;
    case WindowKind::kPopup:
      // Override-redirect: the window manager neither moves nor decorates it.
      flags =
          Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus;
      break;
    case WindowKind::kToolFrame:
      flags = Qt::Tool | Qt::FramelessWindowHint;
      break;
    case WindowKind::kDialog:
      flags = Qt::Dialog;
      break;
    case WindowKind::kMain:
      flags = Qt::Window;
      break;
  }
  if (w.exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  w.widget->setWindowFlags(flags);
  if (flags & Qt::WindowDoesNotAcceptFocus) w.widget->setAttribute(Qt::WA_ShowWithoutActivating);
}

void ApplyOwner(Wnd& w) {
  if (!w.widget || w.parent || !w.owner) return;
  auto owner = Find(w.owner);
  if (!owner || !owner->widget) return;
  owner->widget->winId();
  w.widget->winId();
  if (QWindow* mine = w.widget->windowHandle()) mine->setTransientParent(owner->widget->windowHandle());
}

}  // namespace mirt_ui
