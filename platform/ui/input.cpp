// Focus, activation, capture, timers, key state and the mouse cursor.
#include "platform/ui/input.h"

#include <QCoreApplication>
#include <QCursor>
#include <QWindow>
#include <QWidget>
#include <algorithm>

#include "platform/ui/message.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/resources.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"

using namespace mirt_ui;

namespace mirt_ui {
QCursor* CursorFromHandle(HCURSOR h);

void UpdateKeyStateFromMessage(ThreadQueue* q, const MSG& m) {
  auto set = [q](int vk, bool down) {
    BYTE& k = q->keys[vk & 0xFF];
    if (down) {
      if (!(k & 0x80)) k ^= 1;  // toggle on each new press
      k |= 0x80;
    } else {
      k &= ~0x80;
    }
  };
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
      if (down) q->altAlone = m.wParam == VK_MENU && (q->altAlone || !(q->keys[VK_MENU] & 0x80));
      set(static_cast<int>(m.wParam), down);
      if (static_cast<int>(m.wParam) == VK_MENU) return;
      // A system key says by its context bit whether Alt is held: F10 is
      // a system key without Alt.
      constexpr LPARAM kInputAltHeld = LPARAM{1} << 29;
      const bool sys = m.message == WM_SYSKEYDOWN || m.message == WM_SYSKEYUP;
      set(VK_MENU, sys && (m.lParam & kInputAltHeld));
      return;
    }
  }
  // A command of the window system between Alt's press and release (a
  // window manager that takes Alt+F4 closes the window itself) leaves the
  // Alt no longer alone.
  if (m.message == WM_SYSCOMMAND) q->altAlone = false;
  if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST && m.message != WM_MOUSEWHEEL) {
    WPARAM f = m.wParam;
    if (m.message != WM_MOUSEMOVE) q->altAlone = false;
    set(VK_LBUTTON, f & MK_LBUTTON);
    set(VK_RBUTTON, f & MK_RBUTTON);
    set(VK_MBUTTON, f & MK_MBUTTON);
    set(VK_SHIFT, f & MK_SHIFT);
    set(VK_CONTROL, f & MK_CONTROL);
  }
}
}  // namespace mirt_ui

HWND SetFocus(HWND h) {
  ThreadQueue* q = ThreadQueue::Current();
  HWND old = q->focus;
  if (h && !IsWindow(h)) return nullptr;
  if (old == h) return old;
  if (old && IsWindow(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
  if (h && !IsWindow(h)) return old;
  q->focus = h;
  if (h) {
    if (QWidget* w = WidgetOf(h)) w->setFocus(Qt::OtherFocusReason);
    SendMessage(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return IsWindow(old) ? old : nullptr;
}

HWND GetFocus() { return ThreadQueue::Current()->focus; }

HWND SetActiveWindow(HWND h) {
  ThreadQueue* q = ThreadQueue::Current();
  HWND old = q->active;
  if (h) h = GetAncestor(h, GA_ROOT);
  if (old == h) return old;
  if (old && IsWindow(old)) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(h));
  }
  q->active = h;
  if (h) {
    if (QWidget* w = WidgetOf(h)) w->activateWindow();
    SendMessage(h, WM_NCACTIVATE, TRUE, 0);
    SendMessage(h, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
  }
  return IsWindow(old) ? old : nullptr;
}

HWND GetActiveWindow() { return ThreadQueue::Current()->active; }
HWND GetForegroundWindow() { return ThreadQueue::Current()->active; }
BOOL SetForegroundWindow(HWND h) { return SetActiveWindow(h) != nullptr || GetActiveWindow() == h; }

namespace {
// How long SetCapture waits for a window to be shown: 50 rounds of 2 ms.
constexpr int kExposeWaits = 50;
constexpr int kExposeWaitMs = 2;
}  // namespace

HWND SetCapture(HWND h) {
  ThreadQueue* q = ThreadQueue::Current();
  HWND old = q->capture;
  if (old == h) return old;
  q->capture = h;
  if (old && IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(h));
  if (QWidget* w = WidgetOf(h)) {
    // A window the display has not shown yet cannot take the pointer: a popup
    // opened without a button held would get no moves until the next click.
    QWidget* top = w->window();
    if (top->isVisible() && top->windowHandle())
      for (int i = 0; i < kExposeWaits && !top->windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, kExposeWaitMs);
    w->grabMouse();
  }
  return old;
}

BOOL ReleaseCapture() {
  ThreadQueue* q = ThreadQueue::Current();
  HWND old = q->capture;
  if (!old) return TRUE;
  q->capture = nullptr;
  if (QWidget* w = WidgetOf(old)) w->releaseMouse();
  if (IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return ThreadQueue::Current()->capture; }

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  ThreadQueue* q = ThreadQueue::Current();
  if (h) {
    auto w = Find(h);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    q = w->queue;
  }
  if (!h) {
    // Timers without a window get an id of their own.
    static UINT_PTR next = 0x7F00;
    id = ++next;
  }
  elapse = std::max<UINT>(elapse, 10);
  auto due = std::chrono::steady_clock::now() + std::chrono::milliseconds(elapse);
  for (auto& t : q->timers)
    if (t.hwnd == h && t.id == id && !t.system) {
      t.elapse = elapse;
      t.proc = proc;
      t.due = due;
      return h ? id : id;
    }
  q->timers.push_back(QueueTimer{h, id, elapse, proc, due, false});
  return h ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
  ThreadQueue* q = ThreadQueue::Current();
  if (h)
    if (auto w = Find(h)) q = w->queue;
  auto it = std::find_if(q->timers.begin(), q->timers.end(),
                         [&](const QueueTimer& t) { return t.hwnd == h && t.id == id && !t.system; });
  if (it == q->timers.end()) return FALSE;
  q->timers.erase(it);
  // A WM_TIMER already posted for it goes too.
  std::lock_guard<std::mutex> lock(q->m);
  q->posted.erase(
      std::remove_if(q->posted.begin(), q->posted.end(),
                     [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == h && m.wParam == id; }),
      q->posted.end());
  return TRUE;
}

SHORT GetKeyState(int vk) {
  BYTE k = ThreadQueue::Current()->keys[vk & 0xFF];
  SHORT r = (k & 0x80) ? static_cast<SHORT>(0xFF80) : 0;
  return static_cast<SHORT>(r | (k & 1));
}

SHORT GetAsyncKeyState(int vk) { return (GetKeyState(vk) & 0x8000) ? static_cast<SHORT>(0x8000) : 0; }

BOOL GetKeyboardState(PBYTE keys) {
  if (!keys) return FALSE;
  std::copy(std::begin(ThreadQueue::Current()->keys), std::end(ThreadQueue::Current()->keys), keys);
  return TRUE;
}

UINT GetDoubleClickTime() { return 500; }

HCURSOR SetCursor(HCURSOR c) {
  ThreadQueue* q = ThreadQueue::Current();
  HCURSOR old = q->cursor;
  q->cursor = c;
  HWND target = q->capture ? q->capture : q->mouseWindow;
  if (QWidget* w = WidgetOf(target)) {
    if (QCursor* qc = CursorFromHandle(c))
      w->setCursor(*qc);
    else
      w->setCursor(Qt::BlankCursor);
  }
  return old;
}

HCURSOR GetCursor() { return ThreadQueue::Current()->cursor; }

namespace {
POINT g_cursorPos{0, 0};
int g_showCursor = 0;
}  // namespace

namespace mirt_ui {
void NoteCursorPos(POINT p) { g_cursorPos = p; }
}  // namespace mirt_ui

BOOL GetCursorPos(LPPOINT p) {
  if (!p) return FALSE;
  *p = g_cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  g_cursorPos = POINT{x, y};
  QCursor::setPos(x, y);
  return TRUE;
}

int ShowCursor(BOOL show) { return show ? ++g_showCursor : --g_showCursor; }
BOOL ClipCursor(const RECT*) { return TRUE; }

BOOL DragDetect(HWND h, POINT pt) {
  // pt in screen coordinates; waits for the mouse to leave the drag box.
  int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  RECT box{pt.x - cx, pt.y - cy, pt.x + cx + 1, pt.y + cy + 1};
  SetCapture(h);
  MSG m;
  BOOL result = FALSE;
  while (GetMessage(&m, nullptr, 0, 0)) {
    if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP) {
      POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(m.hwnd, &p);
      if (m.message == WM_LBUTTONUP) break;
      if (!PtInRect(&box, p)) {
        result = TRUE;
        break;
      }
      continue;
    }
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) break;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (m.message == WM_QUIT) PostQuitMessage(static_cast<int>(m.wParam));
  if (GetCapture() == h) ReleaseCapture();
  return result;
}

namespace mirt_ui {

bool TakeLoneAlt() {
  ThreadQueue* q = ThreadQueue::Current();
  bool alone = q->altAlone;
  q->altAlone = false;
  return alone;
}

}  // namespace mirt_ui
