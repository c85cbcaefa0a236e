// Window objects: creation, destruction, relations, placement, text.
#include "platform/base/winerror.h"
#include "platform/ui/window.h"

#include <QApplication>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>

#include "platform/ui/application.h"
#include "platform/ui/caret.h"
#include "platform/ui/input.h"
#include "platform/ui/listbox_impl.h"
#include "platform/ui/message.h"
#include "platform/ui/paint.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/text1252.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window_kind.h"
#include "platform/ui/wnd_obj.h"
#include "platform/ui/wnd_widget.h"

using namespace mirt_ui;

namespace {

bool OnGuiThread() { return qApp && QThread::currentThread() == qApp->thread(); }

std::vector<HWND>* SiblingList(Wnd& w) {
  if (w.parent) {
    auto p = Find(w.parent);
    return p ? &p->children : nullptr;
  }
  return &TopLevels();
}

void RemoveFrom(std::vector<HWND>& v, HWND h) { v.erase(std::remove(v.begin(), v.end(), h), v.end()); }

// Mirrors our z-order on the Qt widgets of a sibling list.
void RestackWidgets(const std::vector<HWND>& list) {
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (auto w = Find(*it); w && w->widget) w->widget->raise();
}

// Mirrors the new place of one child in its sibling list on its widget,
// whose siblings' widgets already stand in the list's order: the widget
// goes right under the nearest sibling above it, or on top. One restack
// instead of one per sibling keeps z-order changes linear in the siblings.
void RestackWidget(const std::vector<HWND>& list, Wnd& w) {
  if (!w.widget) return;
  auto it = std::find(list.begin(), list.end(), w.handle);
  if (it == list.end()) return;
  QWidget* above = nullptr;
  while (it != list.begin() && !above)
    if (auto s = Find(*--it); s && s->widget) above = s->widget;
  if (w.widget->isWindow() || (above && above->parentWidget() != w.widget->parentWidget())) {
    RestackWidgets(list);
  } else if (above) {
    w.widget->stackUnder(above);
  } else {
    w.widget->raise();
  }
}

// A child window shows only within its parent's client area (g: its
// rectangle in the parent's window coordinates). Shaped controls keep
// their own shape.
void ClipToParentClient(Wnd& w, const Wnd& parent, const QRect& g) {
  QRect visible = g & parent.client;
  if (visible == g) {
    if (w.clippedToParent) w.widget->clearMask();
    w.clippedToParent = false;
    return;
  }
  if (!w.clippedToParent && !w.widget->mask().isEmpty()) return;
  w.clippedToParent = true;
  // An empty mask would show all: a point outside the widget shows nothing.
  w.widget->setMask(visible.isEmpty() ? QRegion(-1, -1, 1, 1) : QRegion(visible.translated(-g.topLeft())));
}

void PlaceWidget(Wnd& w) {
  if (!w.widget) return;
  QRect g = w.rect;
  WndPtr p = w.parent ? Find(w.parent) : nullptr;
  if (p) g.translate(p->client.topLeft());
  auto* ww = qobject_cast<WndWidget*>(w.widget.data());
  if (ww) ww->applying = true;
  w.widget->setGeometry(g);
  if (ww) ww->applying = false;
  if (p) ClipToParentClient(w, *p, g);
}

// Places the children's widgets after the parent's client area moved.
void PlaceChildren(Wnd& w) {
  for (HWND c : w.children)
    if (auto cw = Find(c)) PlaceWidget(*cw);
}

bool ApplyZOrder(Wnd& w, HWND after) {
  auto* list = SiblingList(w);
  if (!list) return false;
  RemoveFrom(*list, w.handle);
  if (after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    w.topmost = after == HWND_TOPMOST;
    after = HWND_TOP;
  }
  if (after == HWND_TOP) {
    list->insert(list->begin(), w.handle);
  } else if (after == HWND_BOTTOM) {
    list->push_back(w.handle);
  } else {
    auto it = std::find(list->begin(), list->end(), after);
    list->insert(it == list->end() ? list->end() : it + 1, w.handle);
  }
  if (w.parent)
    RestackWidget(*list, w);
  else
    RestackWidgets(*list);
  return true;
}

void SendWindowPosChanged(HWND h, const WINDOWPOS& wp) {
  WINDOWPOS copy = wp;
  SendMessage(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&copy));
}

void DestroyTree(HWND h, bool top);

}  // namespace

// ---- Classes ----

static ATOM RegisterCommon(UINT style, WNDPROC proc, int clsExtra, int wndExtra, HINSTANCE inst, HICON icon,
                           HCURSOR cursor, HBRUSH bg, LPCSTR menu, LPCSTR name) {
  if (!name || IS_INTRESOURCE(name) || !proc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto c = std::make_shared<WndClass>();
  c->name = name;
  c->style = style;
  c->proc = proc;
  c->cbClsExtra = clsExtra;
  c->cbWndExtra = std::max(0, wndExtra);
  c->instance = inst;
  c->icon = icon;
  c->cursor = cursor;
  c->background = bg;
  if (menu && !IS_INTRESOURCE(menu)) c->menuName = menu;
  ATOM a = AddClass(c);
  if (!a) SetLastError(ERROR_CLASS_ALREADY_EXISTS);
  return a;
}

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc) return 0;
  return RegisterCommon(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon,
                        wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName);
}

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
  if (!wc) return 0;
  return RegisterCommon(wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon,
                        wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName);
}

BOOL UnregisterClass(LPCSTR name, HINSTANCE) {
  if (!RemoveClass(name)) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR name, LPWNDCLASS wc) {
  auto c = FindClassByName(name);
  if (!c || !wc) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  wc->style = c->style;
  wc->lpfnWndProc = c->proc;
  wc->cbClsExtra = c->cbClsExtra;
  wc->cbWndExtra = c->cbWndExtra;
  wc->hInstance = c->instance;
  wc->hIcon = c->icon;
  wc->hCursor = c->cursor;
  wc->hbrBackground = c->background;
  wc->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
  wc->lpszClassName = c->name.c_str();
  return TRUE;
}

int GetClassName(HWND h, LPSTR buf, int n) {
  auto w = Find(h);
  if (!w || !buf || n <= 0) return 0;
  int len = std::min<int>(n - 1, static_cast<int>(w->cls->name.size()));
  memcpy(buf, w->cls->name.data(), len);
  buf[len] = 0;
  return len;
}

ULONG_PTR GetClassLongPtr(HWND h, int i) {
  auto w = Find(h);
  if (!w) return 0;
  switch (i) {
    case GCL_HBRBACKGROUND:
      return reinterpret_cast<ULONG_PTR>(w->cls->background);
    case GCL_HCURSOR:
      return reinterpret_cast<ULONG_PTR>(w->cls->cursor);
    case GCL_HICON:
    case GCL_HICONSM:
      return reinterpret_cast<ULONG_PTR>(w->cls->icon);
    case GCL_STYLE:
      return w->cls->style;
  }
  return 0;
}

ULONG_PTR SetClassLongPtr(HWND h, int i, LONG_PTR v) {
  auto w = Find(h);
  if (!w) return 0;
  ULONG_PTR old = GetClassLongPtr(h, i);
  switch (i) {
    case GCL_HBRBACKGROUND:
      w->cls->background = reinterpret_cast<HBRUSH>(v);
      break;
    case GCL_HCURSOR:
      w->cls->cursor = reinterpret_cast<HCURSOR>(v);
      break;
    case GCL_HICON:
      w->cls->icon = reinterpret_cast<HICON>(v);
      break;
    case GCL_STYLE:
      w->cls->style = static_cast<UINT>(v);
      break;
    default:
      return 0;
  }
  return old;
}

// ---- Creation ----

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND hParent, HMENU hMenu, HINSTANCE inst, LPVOID param) {
  auto cls = FindClassByName(className);
  if (!cls) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return nullptr;
  }
  EnsureApplication();
  if (!OnGuiThread()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  WndPtr parent;
  if (style & WS_CHILD) {
    parent = Find(hParent);
    if (!parent) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
  }
  auto w = std::make_shared<Wnd>();
  w->cls = cls;
  w->proc = cls->proc;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  w->instance = inst;
  w->extra.assign(cls->cbWndExtra, 0);
  w->queue = ThreadQueue::Current();
  if (parent) {
    w->parent = hParent;
    w->id = reinterpret_cast<UINT_PTR>(hMenu);
  } else {
    w->owner = hParent ? GetAncestor(hParent, GA_ROOT) : nullptr;
    w->id = reinterpret_cast<UINT_PTR>(hMenu);
  }
  if (x == CW_USEDEFAULT) {
    x = parent ? 0 : 40;
    y = parent ? 0 : 40;
  }
  if (width == CW_USEDEFAULT) {
    width = parent ? 0 : 640;
    height = parent ? 0 : 480;
  }
  w->rect = QRect(x, y, std::max(0, width), std::max(0, height));
  w->client = DefaultClientRect(w->style, exStyle, QRect(QPoint(0, 0), w->rect.size()));
  HWND h = AllocHandle(w);
  if (parent)
    parent->children.push_back(h);
  else
    TopLevels().insert(TopLevels().begin(), h);

  QWidget* parentWidget = parent ? parent->widget.data() : nullptr;
  if (cls->factory)
    w->widget = cls->factory(*w, parentWidget);
  else
    w->widget = new WndWidget(h, parentWidget, !parent);
  // Qt shows a child with its parent unless the child was hidden itself: a
  // child made without WS_VISIBLE stays hidden until it is shown.
  if (parent && !(style & WS_VISIBLE)) w->widget->hide();
  if (!parent) {
    ApplyWindowKind(*w);
    ApplyOwner(*w);
  }
  PlaceWidget(*w);
  if (parent) RestackWidget(parent->children, *w);
  ResizeImage(*w);
  if (auto hook = GetCreateHook()) hook(h);

  CREATESTRUCT cs{param,      inst,      hMenu,  hParent, height, width, y, x, static_cast<LONG>(style),
                  windowName, className, exStyle};
  if (!SendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (IsWindow(h)) DestroyWindow(h);
    return nullptr;
  }
  if (!IsWindow(h)) return nullptr;
  RecalcClient(*w);
  PlaceChildren(*w);
  if (SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (IsWindow(h)) DestroyWindow(h);
    return nullptr;
  }
  if (!IsWindow(h)) return nullptr;
  SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client.width(), w->client.height()));
  QPoint org = w->rect.topLeft() + w->client.topLeft();
  SendMessage(h, WM_MOVE, 0, MAKELPARAM(org.x(), org.y()));
  if (parent && !(exStyle & WS_EX_NOPARENTNOTIFY))
    SendMessage(hParent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, w->id), reinterpret_cast<LPARAM>(h));
  if (!IsWindow(h)) return nullptr;
  w->frameDirty = true;
  w->erase = true;
  w->update = QRegion(QRect(QPoint(0, 0), w->client.size()));
  MarkDirty(*w);
  if (style & WS_VISIBLE) ShowWindow(h, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
  return h;
}

// ---- Destruction ----

namespace {
void DestroyTree(HWND h, bool top) {
  auto w = Find(h);
  if (!w || w->destroying) return;
  w->destroying = true;
  ThreadQueue* q = w->queue;
  if (q->capture == h) ReleaseCapture();
  if (q->caret.hwnd == h) DestroyCaret();
  SendMessage(h, WM_DESTROY, 0, 0);
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) DestroyTree(c, false);
  SendMessage(h, WM_NCDESTROY, 0, 0);
  if (q->focus == h) q->focus = nullptr;
  if (q->active == h) q->active = nullptr;
  if (q->mouseWindow == h) q->mouseWindow = nullptr;
  {
    std::lock_guard<std::mutex> lock(q->m);
    RemoveFrom(q->dirty, h);
    q->timers.erase(
        std::remove_if(q->timers.begin(), q->timers.end(), [h](const QueueTimer& t) { return t.hwnd == h; }),
        q->timers.end());
    q->posted.erase(
        std::remove_if(q->posted.begin(), q->posted.end(), [h](const MSG& m) { return m.hwnd == h; }),
        q->posted.end());
  }
  if (auto* list = SiblingList(*w)) RemoveFrom(*list, h);
  w->destroyed = true;
  if (w->widget) {
    if (auto* ww = qobject_cast<WndWidget*>(w->widget.data())) ww->Detach();
    if (top) {
      // At once: no Qt event loop of its own would ever run a deferred
      // deletion, and Qt input handlers only post, so none is on the stack.
      w->widget->hide();
      delete w->widget.data();
    }
  }
  FreeHandle(h);
}
}  // namespace

BOOL DestroyWindow(HWND h) {
  auto w = Find(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->queue->tid != CurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (w->destroying) return TRUE;
  // Owned windows go first; a combo box's list goes with its combo box,
  // which keeps its text until then.
  std::vector<HWND> owned;
  for (HWND t : TopLevels())
    if (auto o = Find(t); o && o->owner == h && !IsComboList(t)) owned.push_back(t);
  for (HWND o : owned) DestroyWindow(o);
  if (w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
    SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id), reinterpret_cast<LPARAM>(h));
  if (w->style & WS_VISIBLE)
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DestroyTree(h, true);
  return TRUE;
}

BOOL IsWindow(HWND h) { return FindOwn(h) || Find(h); }

BOOL IsChild(HWND parent, HWND h) {
  auto w = Find(h);
  while (w && w->parent) {
    if (w->parent == parent) return TRUE;
    w = Find(w->parent);
  }
  return FALSE;
}

BOOL IsWindowVisible(HWND h) {
  auto w = Find(h);
  while (w) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (!w->parent) return TRUE;
    w = Find(w->parent);
  }
  return FALSE;
}

BOOL IsWindowEnabled(HWND h) {
  auto w = Find(h);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsIconic(HWND h) {
  auto w = Find(h);
  return w && (w->style & WS_MINIMIZE);
}

BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* out) {
  auto w = Find(h);
  if (!w || !out) return FALSE;
  out->flags = 0;
  out->showCmd = (w->style & WS_MAXIMIZE)   ? SW_SHOWMAXIMIZED
                 : (w->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                                            : SW_SHOWNORMAL;
  out->ptMinPosition = POINT{-1, -1};
  out->ptMaxPosition = POINT{-1, -1};
  RECT r{};
  GetWindowRect(h, &r);
  const bool topLevel = !w->parent;
  if (topLevel && w->widget && out->showCmd != SW_SHOWNORMAL && w->widget->normalGeometry().isValid()) {
    QRect n = w->widget->normalGeometry();
    r = RECT{n.left(), n.top(), n.left() + n.width(), n.top() + n.height()};
  }
  if (!topLevel) {
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ScreenToClient(w->parent, &corners[0]);
    ScreenToClient(w->parent, &corners[1]);
    r = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  out->rcNormalPosition = r;
  return TRUE;
}

BOOL IsZoomed(HWND h) {
  auto w = Find(h);
  return w && (w->style & WS_MAXIMIZE);
}

BOOL EnableWindow(HWND h, BOOL enable) {
  auto w = Find(h);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
  if (enable == !wasDisabled) return wasDisabled;
  if (enable)
    w->style &= ~WS_DISABLED;
  else
    w->style |= WS_DISABLED;
  if (w->widget) w->widget->setEnabled(enable);
  if (!enable) {
    if (w->queue->focus == h || IsChild(h, w->queue->focus)) SetFocus(nullptr);
    if (w->queue->capture == h) ReleaseCapture();
  }
  SendMessage(h, WM_ENABLE, enable, 0);
  return wasDisabled;
}

BOOL ShowWindow(HWND h, int cmd) {
  auto w = Find(h);
  if (!w) return FALSE;
  BOOL was = (w->style & WS_VISIBLE) != 0;
  bool show = cmd != SW_HIDE;
  if (show != static_cast<bool>(was)) SendMessage(h, WM_SHOWWINDOW, show, 0);
  if (!IsWindow(h)) return was;
  UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  if (cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWMINNOACTIVE || w->parent)
    flags |= SWP_NOACTIVATE;
  flags |= show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  if (show && !w->parent &&
      (cmd == SW_SHOWMAXIMIZED || cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_RESTORE)) {
    w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
    if (cmd == SW_SHOWMAXIMIZED) w->style |= WS_MAXIMIZE;
    if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED) w->style |= WS_MINIMIZE;
    w->showState = cmd;
  }
  SetWindowPos(h, nullptr, 0, 0, 0, 0, flags);
  if (show && w->widget && !w->parent) {
    if (cmd == SW_SHOWMAXIMIZED) w->widget->showMaximized();
    if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED) w->widget->showMinimized();
    if (cmd == SW_RESTORE) w->widget->showNormal();
    if (!(flags & SWP_NOACTIVATE) && !(w->style & WS_MINIMIZE)) {
      // Made active before it had a native window (while being created), it
      // asks for the keyboard now that it is shown.
      if (GetActiveWindow() == h) w->widget->activateWindow();
      SetActiveWindow(h);
    }
  }
  return was;
}

// ---- Relations ----

HWND GetParent(HWND h) {
  auto w = Find(h);
  if (!w) return nullptr;
  return (w->style & WS_CHILD) ? w->parent : w->owner;
}

HWND SetParent(HWND child, HWND newParent) {
  auto w = Find(child);
  if (!w) return nullptr;
  HWND old = w->parent;
  if (!(w->style & WS_CHILD)) return nullptr;
  auto np = Find(newParent);
  if (!np) return nullptr;
  if (auto* list = SiblingList(*w)) RemoveFrom(*list, child);
  w->parent = newParent;
  np->children.insert(np->children.begin(), child);
  if (w->widget) {
    w->widget->setParent(np->widget);
    PlaceWidget(*w);
    if (w->style & WS_VISIBLE) w->widget->show();
  }
  RestackWidget(np->children, *w);
  return old;
}

HWND GetAncestor(HWND h, UINT flags) {
  auto w = Find(h);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->parent;
    case GA_ROOT:
      while (w->parent) w = Find(w->parent);
      return w->handle;
    case GA_ROOTOWNER: {
      HWND r = GetAncestor(h, GA_ROOT);
      while (auto o = Find(r)) {
        if (!o->owner) break;
        r = o->owner;
      }
      return r;
    }
  }
  return nullptr;
}

HWND GetWindow(HWND h, UINT cmd) {
  auto w = Find(h);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (cmd == GW_OWNER) return w->owner;
  auto* list = SiblingList(*w);
  if (!list || list->empty()) return nullptr;
  auto it = std::find(list->begin(), list->end(), h);
  switch (cmd) {
    case GW_HWNDFIRST:
      return list->front();
    case GW_HWNDLAST:
      return list->back();
    case GW_HWNDNEXT:
      return (it == list->end() || it + 1 == list->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
      return (it == list->begin() || it == list->end()) ? nullptr : *(it - 1);
  }
  return nullptr;
}

HWND GetTopWindow(HWND h) {
  if (!h) return TopLevels().empty() ? nullptr : TopLevels().front();
  return GetWindow(h, GW_CHILD);
}

HWND GetNextWindow(HWND h, UINT cmd) { return GetWindow(h, cmd); }

HWND GetDlgItem(HWND dlg, int id) {
  auto w = Find(dlg);
  if (!w) return nullptr;
  for (HWND c : w->children)
    if (auto cw = Find(c); cw && static_cast<int>(cw->id) == id) return c;
  return nullptr;
}

int GetDlgCtrlID(HWND h) {
  auto w = Find(h);
  return w ? static_cast<int>(w->id) : 0;
}

static BOOL EnumTree(HWND parent, WNDENUMPROC f, LPARAM lp) {
  auto w = Find(parent);
  if (!w) return TRUE;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) {
    if (!IsWindow(c)) continue;
    if (!f(c, lp)) return FALSE;
    if (!EnumTree(c, f, lp)) return FALSE;
  }
  return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC f, LPARAM lp) {
  if (!f) return FALSE;
  EnumTree(parent, f, lp);
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC f, LPARAM lp) {
  if (!f) return FALSE;
  std::vector<HWND> tops = TopLevels();
  for (HWND t : tops)
    if (IsWindow(t) && !f(t, lp)) break;
  return TRUE;
}

HWND FindWindow(LPCSTR cls, LPCSTR name) {
  for (HWND t : TopLevels()) {
    auto w = Find(t);
    if (!w) continue;
    if (cls && FindClassByName(cls) != w->cls) continue;
    if (name && w->text != name) continue;
    return t;
  }
  return nullptr;
}

BOOL BringWindowToTop(HWND h) { return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

// ---- Placement ----

BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  auto w = Find(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  WINDOWPOS wp{h, after, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rect.x();
    wp.y = w->rect.y();
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->rect.width();
    wp.cy = w->rect.height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessage(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!IsWindow(h)) return FALSE;
  }
  flags = wp.flags;
  QRect old = w->rect;
  QRect oldClient = w->client;
  QRect nr(wp.x, wp.y, std::max(0, wp.cx), std::max(0, wp.cy));
  bool moved = nr.topLeft() != old.topLeft();
  bool sized = nr.size() != old.size();
  if (!moved) flags |= SWP_NOMOVE;
  if (!sized) flags |= SWP_NOSIZE;
  wp.flags = flags;
  if (!(flags & SWP_NOZORDER)) ApplyZOrder(*w, wp.hwndInsertAfter);
  w->rect = nr;
  if (sized || (flags & SWP_FRAMECHANGED)) {
    ResizeImage(*w);
    RecalcClient(*w);
    if (!IsWindow(h)) return FALSE;
    w->frameDirty = true;
    // A new frame around a client of the same size (another menu) keeps the
    // client's pixels and sends no WM_SIZE.
    if (w->client.size() == oldClient.size()) wp.flags |= kSwpClientSizeKept;
    if (!(flags & SWP_NOREDRAW)) {
      QRegion fresh(QRect(QPoint(0, 0), w->client.size()));
      UINT cs = w->cls->style;
      bool all = (flags & SWP_NOCOPYBITS) || ((cs & CS_HREDRAW) && w->client.width() != oldClient.width()) ||
                 ((cs & CS_VREDRAW) && w->client.height() != oldClient.height()) ||
                 w->client.topLeft() != oldClient.topLeft();
      if (!all) fresh -= QRegion(QRect(QPoint(0, 0), oldClient.size()));
      if (!fresh.isEmpty()) {
        w->update += fresh;
        w->erase = true;
      }
      MarkDirty(*w);
    }
    PlaceChildren(*w);
  }
  if (moved || sized) PlaceWidget(*w);
  if (flags & SWP_SHOWWINDOW) {
    w->style |= WS_VISIBLE;
    if (w->widget) w->widget->show();
    w->frameDirty = true;
    MarkDirty(*w);
  }
  if (flags & SWP_HIDEWINDOW) {
    w->style &= ~WS_VISIBLE;
    if (w->widget) w->widget->hide();
    ThreadQueue* q = w->queue;
    if (q->focus == h || IsChild(h, q->focus)) SetFocus(w->parent);
  }
  if (!(flags & SWP_NOACTIVATE) && !w->parent && (w->style & WS_VISIBLE)) SetActiveWindow(h);
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_HIDEWINDOW |
                SWP_FRAMECHANGED)) != (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER))
    SendWindowPosChanged(h, wp);
  else if (!(flags & SWP_NOZORDER))
    SendWindowPosChanged(h, wp);
  return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
  return SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {
struct DeferList {
  std::vector<WINDOWPOS> items;
};
}  // namespace

HDWP BeginDeferWindowPos(int n) {
  auto* d = new DeferList;
  d->items.reserve(std::max(0, n));
  return reinterpret_cast<HDWP>(d);
}

HDWP DeferWindowPos(HDWP info, HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  auto* d = reinterpret_cast<DeferList*>(info);
  if (!d) return nullptr;
  if (!IsWindow(h)) {
    delete d;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  d->items.push_back(WINDOWPOS{h, after, x, y, cx, cy, flags});
  return info;
}

BOOL EndDeferWindowPos(HDWP info) {
  auto* d = reinterpret_cast<DeferList*>(info);
  if (!d) return FALSE;
  BOOL ok = TRUE;
  for (const WINDOWPOS& p : d->items)
    if (IsWindow(p.hwnd) && !SetWindowPos(p.hwnd, p.hwndInsertAfter, p.x, p.y, p.cx, p.cy, p.flags))
      ok = FALSE;
  delete d;
  return ok;
}

BOOL GetWindowRect(HWND h, LPRECT r) {
  auto w = Find(h);
  if (!w || !r) return FALSE;
  QPoint o = WindowOriginOnScreen(*w);
  *r = RECT{o.x(), o.y(), o.x() + w->rect.width(), o.y() + w->rect.height()};
  return TRUE;
}

BOOL GetClientRect(HWND h, LPRECT r) {
  auto w = Find(h);
  if (!w || !r) return FALSE;
  *r = RECT{0, 0, w->client.width(), w->client.height()};
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT r, DWORD style, BOOL menu, DWORD ex) {
  if (!r) return FALSE;
  QRect probe(0, 0, 1000, 1000);
  QRect c = DefaultClientRect(style & ~(WS_HSCROLL | WS_VSCROLL), ex, probe);
  r->left -= c.left();
  r->top -= c.top();
  r->right += probe.right() - c.right();
  r->bottom += probe.bottom() - c.bottom();
  if (menu) r->top -= GetSystemMetrics(SM_CYMENU);
  return TRUE;
}

// ---- Mapping and hit testing ----

BOOL ClientToScreen(HWND h, LPPOINT p) {
  auto w = Find(h);
  if (!w || !p) return FALSE;
  QPoint o = ClientOriginOnScreen(*w);
  p->x += o.x();
  p->y += o.y();
  return TRUE;
}

BOOL ScreenToClient(HWND h, LPPOINT p) {
  auto w = Find(h);
  if (!w || !p) return FALSE;
  QPoint o = ClientOriginOnScreen(*w);
  p->x -= o.x();
  p->y -= o.y();
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT n) {
  QPoint a, b;
  if (from) {
    auto w = Find(from);
    if (!w) return 0;
    a = ClientOriginOnScreen(*w);
  }
  if (to) {
    auto w = Find(to);
    if (!w) return 0;
    b = ClientOriginOnScreen(*w);
  }
  int dx = a.x() - b.x(), dy = a.y() - b.y();
  for (UINT i = 0; i < n; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  auto w = Find(parent);
  if (!w) return nullptr;
  if (!QRect(QPoint(0, 0), w->client.size()).contains(pt.x, pt.y) &&
      !QRect(-w->client.topLeft(), w->rect.size()).contains(pt.x, pt.y))
    return nullptr;
  for (HWND c : w->children) {
    auto cw = Find(c);
    if (!cw) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(cw->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (cw->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (cw->exStyle & WS_EX_TRANSPARENT)) continue;
    if (cw->rect.contains(pt.x, pt.y)) return c;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

HWND WindowFromPoint(POINT pt) {
  for (HWND t : TopLevels()) {
    auto w = Find(t);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    if (!w->rect.contains(pt.x, pt.y)) continue;
    HWND cur = t;
    for (;;) {
      auto cw = Find(cur);
      POINT cp = pt;
      ScreenToClient(cur, &cp);
      HWND next = ChildWindowFromPointEx(cur, cp, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
      if (!next || next == cur) break;
      cur = next;
    }
    return cur;
  }
  return nullptr;
}

// ---- Text, longs, properties ----

int GetWindowText(HWND h, LPSTR buf, int n) {
  if (!buf || n <= 0) return 0;
  buf[0] = 0;
  return static_cast<int>(SendMessage(h, WM_GETTEXT, n, reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLength(HWND h) { return static_cast<int>(SendMessage(h, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetWindowText(HWND h, LPCSTR s) {
  return static_cast<BOOL>(SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s)));
}

BOOL SetDlgItemText(HWND dlg, int id, LPCSTR s) { return SetWindowText(GetDlgItem(dlg, id), s); }

UINT GetDlgItemText(HWND dlg, int id, LPSTR s, int n) {
  return static_cast<UINT>(GetWindowText(GetDlgItem(dlg, id), s, n));
}

LONG_PTR GetWindowLongPtr(HWND h, int i) {
  WndRef w(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (i) {
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->exStyle);
    case GWL_ID:
      return static_cast<LONG_PTR>(w->id);
    case GWL_USERDATA:
      return w->userData;
    case GWL_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(GetParent(h));
  }
  if (i >= 0 && static_cast<size_t>(i) + sizeof(LONG_PTR) <= w->extra.size()) {
    LONG_PTR v;
    memcpy(&v, w->extra.data() + i, sizeof v);
    return v;
  }
  if (i >= 0 && static_cast<size_t>(i) + sizeof(LONG) <= w->extra.size()) {
    LONG v;
    memcpy(&v, w->extra.data() + i, sizeof v);
    return v;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

namespace {
// The values SetWindowLongPtr stores without telling the window.
LONG_PTR SetWindowLongQuietly(mirt_ui::Wnd& w, int i, LONG_PTR v, LONG_PTR old) {
  switch (i) {
    case GWL_ID:
      w.id = static_cast<UINT_PTR>(v);
      return old;
    case GWL_USERDATA:
      w.userData = v;
      return old;
    case GWL_WNDPROC:
      w.proc = reinterpret_cast<WNDPROC>(v);
      return old;
    case GWL_HINSTANCE:
      w.instance = reinterpret_cast<HINSTANCE>(v);
      return old;
    case GWL_HWNDPARENT:
      w.owner = reinterpret_cast<HWND>(v);
      return old;
  }
  if (i >= 0 && static_cast<size_t>(i) + sizeof(LONG_PTR) <= w.extra.size()) {
    memcpy(w.extra.data() + i, &v, sizeof v);
    return old;
  }
  if (i >= 0 && static_cast<size_t>(i) + sizeof(LONG) <= w.extra.size()) {
    LONG l = static_cast<LONG>(v);
    memcpy(w.extra.data() + i, &l, sizeof l);
    return old;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}
}  // namespace

LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v) {
  if (i != GWL_STYLE && i != GWL_EXSTYLE) {
    // Nothing is sent: the window is read without a reference.
    WndRef w(h);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    return SetWindowLongQuietly(*w, i, v, GetWindowLongPtr(h, i));
  }
  auto w = Find(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  // A style is told to the window before and after it changes.
  LONG_PTR old = GetWindowLongPtr(h, i);
  STYLESTRUCT ss{static_cast<DWORD>(old), static_cast<DWORD>(v)};
  SendMessage(h, WM_STYLECHANGING, i, reinterpret_cast<LPARAM>(&ss));
  if (!IsWindow(h)) return old;
  DWORD& field = i == GWL_STYLE ? w->style : w->exStyle;
  field = ss.styleNew;
  if (i == GWL_STYLE && w->widget) {
    w->widget->setEnabled(!(field & WS_DISABLED));
  }
  SendMessage(h, WM_STYLECHANGED, i, reinterpret_cast<LPARAM>(&ss));
  return old;
}

static std::string PropKey(LPCSTR s) {
  if (IS_INTRESOURCE(s)) {
    std::string key = "#";
    key += std::to_string(reinterpret_cast<uintptr_t>(s));
    return key;
  }
  return s;
}

// A property by name without building a key string (a name is looked up on
// every message of a control).
static auto FindProp(mirt_ui::Wnd& w, LPCSTR s) {
  if (IS_INTRESOURCE(s)) return w.props.find(PropKey(s));
  return w.props.find(std::string_view(s));
}

BOOL SetProp(HWND h, LPCSTR s, HANDLE d) {
  auto w = Find(h);
  if (!w || !s) return FALSE;
  auto it = FindProp(*w, s);
  if (it != w->props.end())
    it->second = d;
  else
    w->props.emplace(PropKey(s), d);
  return TRUE;
}

HANDLE GetProp(HWND h, LPCSTR s) {
  WndRef w(h);
  if (!w || !s) return nullptr;
  auto it = FindProp(*w, s);
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND h, LPCSTR s) {
  auto w = Find(h);
  if (!w || !s) return nullptr;
  auto it = FindProp(*w, s);
  if (it == w->props.end()) return nullptr;
  HANDLE d = it->second;
  w->props.erase(it);
  return d;
}

LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!proc) return 0;
  return proc(h, msg, wp, lp);
}

namespace mirt_ui {
// The desktop moved or sized a top-level window.
void ApplyExternalGeometry(HWND h, const QRect& g) {
  auto w = Find(h);
  if (!w || w->parent || w->rect == g) return;
  SetWindowPos(h, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace mirt_ui
