#include "platform/ui/qt_input.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <chrono>

#include "platform/ui/text1252.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {
void NoteCursorPos(POINT p);

namespace {

DWORD NowMs() {
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
}

WPARAM MouseKeys(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  WPARAM f = 0;
  if (b & Qt::LeftButton) f |= MK_LBUTTON;
  if (b & Qt::RightButton) f |= MK_RBUTTON;
  if (b & Qt::MiddleButton) f |= MK_MBUTTON;
  if (m & Qt::ShiftModifier) f |= MK_SHIFT;
  if (m & Qt::ControlModifier) f |= MK_CONTROL;
  return f;
}

struct KeyMap {
  int qt;
  UINT vk;
};
const KeyMap kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
};

const char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

UINT VirtualKeyFromQt(int key, bool keypad) {
  if (keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
    switch (key) {
      case Qt::Key_Asterisk:
        return VK_MULTIPLY;
      case Qt::Key_Plus:
        return VK_ADD;
      case Qt::Key_Minus:
        return VK_SUBTRACT;
      case Qt::Key_Period:
        return VK_DECIMAL;
      case Qt::Key_Slash:
        return VK_DIVIDE;
    }
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  for (const KeyMap& k : kKeys)
    if (k.qt == key) return k.vk;
  for (int i = 0; i < 10; ++i)
    if (key == kShiftedDigits[i]) return '0' + i;
  return 0;
}

void PostMouseInput(HWND hwnd, UINT msg, const QMouseEvent* e, int wx, int wy) {
  auto w = Find(hwnd);
  if (!w) return;
  ThreadQueue* q = w->queue;
  QPoint screen = WindowOriginOnScreen(*w) + QPoint(wx, wy);
  NoteCursorPos(POINT{screen.x(), screen.y()});
  HWND target = hwnd;
  bool viaCapture = q->capture && IsWindow(q->capture);
  if (viaCapture) target = q->capture;
  auto t = Find(target);
  QPoint c = screen - ClientOriginOnScreen(*t);
  Qt::MouseButtons buttons = e->buttons();
  MSG m{target,
        msg,
        MouseKeys(buttons, e->modifiers()),
        MAKELPARAM(static_cast<WORD>(c.x()), static_cast<WORD>(c.y())),
        NowMs(),
        POINT{screen.x(), screen.y()},
        kFromInput | (viaCapture ? kViaCapture : 0)};
  // Moves coalesce as on Windows: only the last one waits.
  if (msg == WM_MOUSEMOVE) {
    std::lock_guard<std::mutex> lock(q->m);
    if (!q->posted.empty() && q->posted.back().message == WM_MOUSEMOVE && q->posted.back().hwnd == target) {
      q->posted.back() = m;
      return;
    }
  }
  q->Post(m);
}

void PostWheelInput(HWND hwnd, const QWheelEvent* e, int wx, int wy) {
  auto w = Find(hwnd);
  if (!w) return;
  ThreadQueue* q = w->queue;
  QPoint screen = WindowOriginOnScreen(*w) + QPoint(wx, wy);
  HWND target = q->focus && IsWindow(q->focus) ? q->focus : hwnd;
  int delta = e->angleDelta().y();
  if (delta == 0) return;
  WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
  q->Post(MSG{target, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(delta))),
              MAKELPARAM(static_cast<WORD>(screen.x()), static_cast<WORD>(screen.y())), NowMs(),
              POINT{screen.x(), screen.y()}, 0});
}

void PostKeyInput(HWND hwnd, const QKeyEvent* e, bool down) {
  auto w = Find(hwnd);
  if (!w) return;
  ThreadQueue* q = w->queue;
  HWND target = q->focus && IsWindow(q->focus) ? q->focus : hwnd;
  bool keypad = e->modifiers() & Qt::KeypadModifier;
  UINT vk = VirtualKeyFromQt(e->key(), keypad);
  int ch = -1;
  if (down && e->text().size() == 1) ch = CharTo1252(e->text().at(0));
  if (!vk && ch < 0) return;
  bool alt = (e->modifiers() & Qt::AltModifier) || vk == VK_MENU;
  bool sys = (alt && !(e->modifiers() & Qt::ControlModifier)) || vk == VK_F10;
  UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  DWORD scan = e->nativeScanCode() & 0xFF;
  DWORD lp = 1 | (scan << 16);
  if (alt) lp |= 1u << 29;
  if (down && e->isAutoRepeat()) lp |= 1u << 30;
  if (!down) lp |= (1u << 30) | (1u << 31);
  switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (!keypad) lp |= 1u << 24;
  }
  MSG m{target, msg, vk, static_cast<LPARAM>(lp), NowMs(), {0, 0}, static_cast<DWORD>(ch >= 0 ? ch + 1 : 0)};
  // Held keys: repeats of the same key fold into one message with a count.
  if (down && e->isAutoRepeat()) {
    std::lock_guard<std::mutex> lock(q->m);
    if (!q->posted.empty()) {
      MSG& last = q->posted.back();
      if (last.message == msg && last.hwnd == target && last.wParam == vk && (last.lParam & (1 << 30)) &&
          (last.lParam & 0xFFFF) < 0xFFFF) {
        last.lParam = (last.lParam & ~0xFFFF) | ((last.lParam & 0xFFFF) + 1);
        return;
      }
    }
  }
  q->Post(m);
}

}  // namespace mirt_ui
