// Message retrieval, dispatch, posting and sending.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QCursor>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>

#include "platform/base/winerror.h"
#include "platform/base/charcase.h"
#include "platform/ui/hooks.h"
#include "platform/ui/caret.h"
#include "platform/ui/input.h"
#include "platform/ui/message.h"
#include "platform/ui/paint.h"
#include "platform/ui/test_hook.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"

using namespace mirt_ui;
using Clock = std::chrono::steady_clock;

namespace mirt_ui {
void BlinkCaret();
void UpdateKeyStateFromMessage(ThreadQueue* q, const MSG& m);
}  // namespace mirt_ui

namespace {

DWORD NowMs() {
  return static_cast<DWORD>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
}

bool InRange(UINT msg, UINT lo, UINT hi) {
  if (lo == 0 && hi == 0) return true;
  if (lo <= hi) return msg >= lo && msg <= hi;
  return msg >= lo || msg <= hi;  // a reversed range excludes the middle
}

bool HwndMatches(HWND filter, HWND h) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return h == nullptr;
  return h == filter || IsChild(filter, h);
}

bool IsMouseClientMsg(UINT m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK; }

bool IsButtonDown(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK ||
         m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}

// A press in a window that is not active, or in a child that holds no focus,
// asks the window (and through the default procedure its parents) with
// WM_MOUSEACTIVATE; the answer activates its top-level window or not, and
// can eat the press. False when the press is eaten.
bool MouseActivate(ThreadQueue* q, HWND h, LRESULT ht, UINT msg) {
  HWND root = GetAncestor(h, GA_ROOT);
  bool inactive = root != q->active;
  bool unfocused = h != q->focus && !(q->focus && IsChild(h, q->focus));
  if (!inactive && !unfocused) return true;
  LRESULT r = SendMessage(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root), MAKELPARAM(ht, msg));
  if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && inactive && IsWindow(root) && IsWindowEnabled(root))
    SetActiveWindow(root);
  return r != MA_ACTIVATEANDEAT && r != MA_NOACTIVATEANDEAT && IsWindow(h);
}

// Mouse messages are hit-tested as they are taken from the queue; outside
// the client area they become WM_NC* messages.
// The capture as it stands when a message is taken picks its window: input
// read in one pass can be posted before a press sets the capture or after
// the release that ends it. A second press in a window without CS_DBLCLKS
// is a plain press.
void RetargetByCapture(ThreadQueue* q, MSG& m) {
  HWND capture = q->capture && IsWindow(q->capture) ? q->capture : nullptr;
  HWND target = m.hwnd;
  if (capture)
    target = capture;
  else if (m.lPrivate & kViaCapture)
    target = WindowFromPoint(m.pt);
  auto t = target ? Find(target) : nullptr;
  if (!t || t->queue != q) return;
  bool dblclk =
      m.message == WM_LBUTTONDBLCLK || m.message == WM_RBUTTONDBLCLK || m.message == WM_MBUTTONDBLCLK;
  if (dblclk && !(t->cls->style & CS_DBLCLKS)) m.message -= 2;
  if (target == m.hwnd) return;
  m.hwnd = target;
  QPoint c = QPoint(m.pt.x, m.pt.y) - ClientOriginOnScreen(*t);
  m.lParam = MAKELPARAM(static_cast<WORD>(c.x()), static_cast<WORD>(c.y()));
}

void TranslateMouse(ThreadQueue* q, MSG& m) {
  if (!(m.lPrivate & kFromInput)) return;
  if (IsMouseClientMsg(m.message)) RetargetByCapture(q, m);
  m.lPrivate &= ~(kFromInput | kViaCapture);
  if (!IsMouseClientMsg(m.message) || !IsWindow(m.hwnd)) return;
  LRESULT ht = HTCLIENT;
  if (q->capture != m.hwnd) {
    ht = SendMessage(m.hwnd, WM_NCHITTEST, 0, MAKELPARAM(m.pt.x, m.pt.y));
    if (!IsWindow(m.hwnd)) return;
  }
  if (m.message == WM_MOUSEMOVE || (m.message != WM_MOUSEMOVE && m.message != WM_LBUTTONUP &&
                                    m.message != WM_RBUTTONUP && m.message != WM_MBUTTONUP)) {
    q->mouseWindow = m.hwnd;
    if (!q->capture)
      SendMessage(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd),
                  MAKELPARAM(static_cast<WORD>(ht), m.message));
  }
  if (IsButtonDown(m.message) && !q->capture && !MouseActivate(q, m.hwnd, ht, m.message)) {
    m.message = WM_NULL;  // eaten by MA_ACTIVATEANDEAT or MA_NOACTIVATEANDEAT
    return;
  }
  if (ht != HTCLIENT && IsWindow(m.hwnd)) {
    m.message = m.message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    m.wParam = static_cast<WPARAM>(ht);
    m.lParam = MAKELPARAM(m.pt.x, m.pt.y);
  }
}

bool TakePosted(ThreadQueue* q, MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
  std::unique_lock<std::mutex> lock(q->m);
  for (auto it = q->posted.begin(); it != q->posted.end(); ++it) {
    if (!HwndMatches(filter, it->hwnd) || !InRange(it->message, lo, hi)) continue;
    *out = *it;
    if (remove) q->posted.erase(it);
    return true;
  }
  return false;
}

bool TakePaint(ThreadQueue* q, MSG* out, HWND filter, UINT lo, UINT hi) {
  if (!InRange(WM_PAINT, lo, hi)) return false;
  std::vector<HWND> dirty;
  {
    std::lock_guard<std::mutex> lock(q->m);
    dirty = q->dirty;
  }
  for (HWND h : dirty) {
    auto w = Find(h);
    if (!w || w->noRedraw || !IsWindowVisible(h)) continue;
    if (w->update.isEmpty() && !w->frameDirty && !w->internalPaint) continue;
    if (!HwndMatches(filter, h)) continue;
    *out = MSG{h, WM_PAINT, 0, 0, NowMs(), {0, 0}, 0};
    return true;
  }
  return false;
}

bool TakeTimer(ThreadQueue* q, MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
  auto now = Clock::now();
  for (auto& t : q->timers) {
    if (t.due > now) continue;
    if (t.system) {
      t.due = now + std::chrono::milliseconds(t.elapse);
      BlinkCaret();
      return false;
    }
    if (!InRange(WM_TIMER, lo, hi) || !HwndMatches(filter, t.hwnd)) continue;
    *out = MSG{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), NowMs(), {0, 0}, 0};
    if (remove) t.due = now + std::chrono::milliseconds(std::max<UINT>(t.elapse, 1));
    return true;
  }
  return false;
}

// Keys and pointer input that a person gave the layer's windows.
bool IsPersonInput(const MSG& m) {
  return (m.lPrivate & kFromInput) || (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ||
         m.message == WM_MOUSEWHEEL;
}

// A disabled top-level window (the owner of a modal dialog) and its
// children take no input, also none that was queued before it was disabled.
bool RootDisabled(HWND h) {
  HWND root = h ? GetAncestor(h, GA_ROOT) : nullptr;
  return root && !IsWindowEnabled(root);
}

bool PeekCore(ThreadQueue* q, MSG* msg, HWND filter, UINT lo, UINT hi, bool remove) {
  q->ServeSent();
  for (;;) {
    if (TakePosted(q, msg, filter, lo, hi, remove)) {
      if (remove) {
        if (IsPersonInput(*msg) && (q->personDialogs > 0 || RootDisabled(msg->hwnd))) continue;
        TranslateMouse(q, *msg);
        if (mirt_ui::InputHooksSwallow(*msg)) continue;
        UpdateKeyStateFromMessage(q, *msg);
        q->lastMsg = *msg;
      }
      return true;
    }
    break;
  }
  if (q->quit && InRange(WM_QUIT, lo, hi)) {
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q->quitCode), 0, NowMs(), {0, 0}, 0};
    if (remove) q->quit = false;
    return true;
  }
  if (TakePaint(q, msg, filter, lo, hi)) return true;
  if (TakeTimer(q, msg, filter, lo, hi, remove)) return true;
  return false;
}

std::chrono::milliseconds UntilNextTimer(ThreadQueue* q) {
  if (q->timers.empty()) return std::chrono::milliseconds(-1);
  auto next = q->timers.front().due;
  for (auto& t : q->timers) next = std::min(next, t.due);
  auto d = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
  return std::max(d, std::chrono::milliseconds(0));
}

// Blocks until something may have arrived.
void WaitForInput(ThreadQueue* q) {
  auto wait = UntilNextTimer(q);
  if (q->guiThread) {
    if (ServeTestHook()) return;
    std::optional<QTimer> wake;  // only when a timer of ours is running
    if (wait.count() >= 0) {
      wake.emplace();
      wake->setSingleShot(true);
      wake->start(static_cast<int>(wait.count()));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return;
  }
  std::unique_lock<std::mutex> lock(q->m);
  auto ready = [q] { return !q->posted.empty() || !q->sent.empty() || q->quit; };
  if (wait.count() >= 0)
    q->cv.wait_for(lock, wait, ready);
  else
    q->cv.wait(lock, ready);
}

void PumpQt(ThreadQueue* q) {
  if (q->guiThread) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::mutex g_regMutex;
std::map<std::string, UINT> g_registered;

}  // namespace

bool ThreadQueue::ServeSent() {
  bool any = false;
  for (;;) {
    SentMessage* s = nullptr;
    {
      std::lock_guard<std::mutex> lock(m);
      if (sent.empty()) break;
      s = sent.front();
      sent.pop_front();
    }
    any = true;
    ++sendDepth;
    auto w = Find(s->hwnd);
    s->result = w ? CallWindowProc(w->proc, s->hwnd, s->msg, s->wParam, s->lParam) : 0;
    --sendDepth;
    Complete(s);
  }
  return any;
}

BOOL PeekMessage(LPMSG msg, HWND h, UINT lo, UINT hi, UINT remove) {
  ThreadQueue* q = ThreadQueue::Current();
  MSG tmp;
  if (!msg) msg = &tmp;
  if (PeekCore(q, msg, h, lo, hi, remove & PM_REMOVE)) return TRUE;
  PumpQt(q);
  return PeekCore(q, msg, h, lo, hi, remove & PM_REMOVE);
}

BOOL GetMessage(LPMSG msg, HWND h, UINT lo, UINT hi) {
  ThreadQueue* q = ThreadQueue::Current();
  MSG tmp;
  if (!msg) msg = &tmp;
  // Waiting runs Qt's pending events first, so no separate pump is needed.
  for (;;) {
    if (PeekCore(q, msg, h, lo, hi, true)) return msg->message != WM_QUIT;
    WaitForInput(q);
  }
}

BOOL WaitMessage() {
  ThreadQueue* q = ThreadQueue::Current();
  MSG m;
  if (!PeekCore(q, &m, nullptr, 0, 0, false)) WaitForInput(q);
  return TRUE;
}

BOOL TranslateMessage(const MSG* m) {
  if (!m || !m->lPrivate) return FALSE;
  if (m->message != WM_KEYDOWN && m->message != WM_SYSKEYDOWN) return FALSE;
  auto w = Find(m->hwnd);
  if (!w) return FALSE;
  MSG c = *m;
  c.message = m->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  c.wParam = m->lPrivate - 1;
  c.lPrivate = 0;
  w->queue->Post(c, true);
  return TRUE;
}

LRESULT DispatchMessage(const MSG* m) {
  if (!m) return 0;
  if (m->message == WM_TIMER && m->lParam) {
    reinterpret_cast<TIMERPROC>(m->lParam)(m->hwnd, WM_TIMER, m->wParam, NowMs());
    return 0;
  }
  auto w = Find(m->hwnd);
  if (!w) return 0;
  if (m->message == WM_PAINT) {
    w->paintServed = false;
    LRESULT r = CallWindowProc(w->proc, m->hwnd, WM_PAINT, 0, 0);
    // A handler that never began painting would get WM_PAINT forever.
    if (auto again = Find(m->hwnd); again && !again->paintServed) {
      again->frameDirty = false;
      again->internalPaint = false;
      ValidateRect(m->hwnd, nullptr);
    }
    return r;
  }
  return CallWindowProc(w->proc, m->hwnd, m->message, m->wParam, m->lParam);
}

BOOL PostMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!h) return PostThreadMessage(CurrentThreadId(), msg, wp, lp);
  if (h == HWND_BROADCAST) {
    for (HWND t : TopLevels()) PostMessage(t, msg, wp, lp);
    return TRUE;
  }
  auto w = Find(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  POINT pt{0, 0};
  GetCursorPos(&pt);
  const MSG m{h, msg, wp, lp, NowMs(), pt, 0};
  if (w->queue == t_currentQueue) {
    w->queue->Post(m);
    return TRUE;
  }
  auto held = ThreadQueue::HoldQueues();
  if (w->queue->ended) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  w->queue->Post(m);
  return TRUE;
}

BOOL PostThreadMessage(DWORD tid, UINT msg, WPARAM wp, LPARAM lp) {
  const MSG m{nullptr, msg, wp, lp, NowMs(), {0, 0}, 0};
  if (tid == CurrentThreadId()) {
    ThreadQueue::Current()->Post(m);
    return TRUE;
  }
  auto held = ThreadQueue::HoldQueues();
  ThreadQueue* q = ThreadQueue::ForThreadHeld(tid);
  if (!q) {
    SetLastError(ERROR_INVALID_THREAD_ID_VALUE);
    return FALSE;
  }
  q->Post(m);
  return TRUE;
}

void PostQuitMessage(int code) {
  ThreadQueue* q = ThreadQueue::Current();
  q->quit = true;
  q->quitCode = code;
}

namespace {
// Broadcasts, unknown handles and windows of other threads.
[[gnu::noinline]] LRESULT SendMessageSlow(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (h == HWND_BROADCAST) {
    std::vector<HWND> tops = TopLevels();
    for (HWND t : tops) SendMessage(t, msg, wp, lp);
    return 0;
  }
  ThreadQueue* self = ThreadQueue::Current();
  WndPtr w = Find(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (w->queue == self) {
    WNDPROC proc = w->proc;
    return proc ? proc(h, msg, wp, lp) : 0;
  }
  SentMessage s{h, msg, wp, lp};
  {
    // The target thread may end meanwhile: its queue is used only while held.
    auto held = ThreadQueue::HoldQueues();
    if (w->queue->ended) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    w->queue->Deliver(&s);
  }
  self->AwaitAnswer(s);
  return s.result;
}
}  // namespace

// A window of the calling thread: its procedure is called at once.
LRESULT SendMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FindRawInTable(h);
  if (w && w->queue == t_currentQueue) {
    WNDPROC proc = w->proc;
    return proc ? proc(h, msg, wp, lp) : 0;
  }
  return SendMessageSlow(h, msg, wp, lp);
}

LRESULT SendDlgItemMessage(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp) {
  HWND c = GetDlgItem(dlg, id);
  return c ? SendMessage(c, msg, wp, lp) : 0;
}

BOOL SendNotifyMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto w = Find(h);
  if (!w) return FALSE;
  if (w->queue->tid == CurrentThreadId()) {
    SendMessage(h, msg, wp, lp);
    return TRUE;
  }
  return PostMessage(h, msg, wp, lp);
}

LRESULT SendMessageTimeout(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT, UINT, PDWORD_PTR res) {
  if (!IsWindow(h)) return 0;
  LRESULT r = SendMessage(h, msg, wp, lp);
  if (res) *res = static_cast<DWORD_PTR>(r);
  return 1;
}

BOOL InSendMessage() { return ThreadQueue::Current()->sendDepth > 0; }

DWORD GetQueueStatus(UINT flags) {
  ThreadQueue* q = ThreadQueue::Current();
  PumpQt(q);
  DWORD st = 0;
  {
    std::lock_guard<std::mutex> lock(q->m);
    for (const MSG& m : q->posted) {
      if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST)
        st |= QS_KEY;
      else if (m.message == WM_MOUSEMOVE)
        st |= QS_MOUSEMOVE;
      else if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST)
        st |= QS_MOUSEBUTTON;
      else
        st |= QS_POSTMESSAGE;
    }
    if (!q->sent.empty()) st |= QS_SENDMESSAGE;
    for (HWND h : q->dirty)
      if (auto w = Find(h); w && (!w->update.isEmpty() || w->frameDirty)) st |= QS_PAINT;
  }
  auto now = Clock::now();
  for (auto& t : q->timers)
    if (!t.system && t.due <= now) st |= QS_TIMER;
  st &= flags;
  return MAKELONG(st, st);
}

BOOL GetInputState() { return (GetQueueStatus(QS_INPUT) & 0xFFFF) != 0; }
DWORD GetMessageTime() { return ThreadQueue::Current()->lastMsg.time; }
DWORD GetMessagePos() {
  const MSG& m = ThreadQueue::Current()->lastMsg;
  return MAKELONG(static_cast<WORD>(m.pt.x), static_cast<WORD>(m.pt.y));
}
LONG GetMessageExtraInfo() { return 0; }

UINT RegisterWindowMessage(LPCSTR s) {
  if (!s || !*s) return 0;
  std::string k = s;
  for (char& c : k) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
  std::lock_guard<std::mutex> lock(g_regMutex);
  auto it = g_registered.find(k);
  if (it != g_registered.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(g_registered.size());
  if (id > 0xFFFF) return 0;
  g_registered[k] = id;
  return id;
}

DWORD GetWindowThreadProcessId(HWND h, LPDWORD pid) {
  auto w = Find(h);
  if (!w) return 0;
  if (pid) *pid = static_cast<DWORD>(getpid());
  return w->queue->tid;
}

BOOL PumpWaitingMessages() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      return FALSE;
    }
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  return TRUE;
}

void ServeSentMessages() { ThreadQueue::Current()->ServeSent(); }

BOOL WaitServingMessages(const std::function<bool()>& ready, DWORD ms) {
  ThreadQueue* q = ThreadQueue::Current();
  auto end = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    q->ServeSent();
    if (ready()) return TRUE;
    if (ms != INFINITE && Clock::now() >= end) return FALSE;
    std::unique_lock<std::mutex> lock(q->m);
    q->cv.wait_for(lock, std::chrono::milliseconds(2), [q] { return !q->sent.empty(); });
  }
}
