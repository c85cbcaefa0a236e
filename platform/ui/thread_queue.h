// Private: the message queue of one thread.
#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/ui/answer_spin.h"
#include "platform/ui/wintypes.h"

class ThreadQueue;

// Thread-local state of the message fast path: the layer is linked at
// load time, so its few thread-locals can live in the static TLS block.
#define MIRT_FAST_TLS __attribute__((tls_model("initial-exec")))

// Lives in a Qt thread; a wake-up event lets that thread serve sent
// messages also when it runs a Qt event loop of its own.
class QueueNotifier : public QObject {
  Q_OBJECT
 public:
  explicit QueueNotifier(ThreadQueue* q) : queue_(q) {}
  bool event(QEvent* e) override;
  std::atomic<bool> pending{false};

 private:
  ThreadQueue* queue_;
};

// A message a thread sent to another and waits on, on the sender's stack.
// The sender spins, then sleeps, on state; the answering thread does not
// touch the message after setting it to kAnswered.
struct SentMessage {
  enum State : uint32_t {
    kWaiting,   // the sender is awake or spins
    kAsleep,    // the sender sleeps on state
    kPoked,     // a message was sent to the sender meanwhile
    kAnswered,  // result holds the answer
  };
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result = 0;
  std::atomic<uint32_t> state{kWaiting};
};

struct QueueTimer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  std::chrono::steady_clock::time_point due;
  bool system = false;  // caret blinking: no WM_TIMER
};

struct CaretState {
  HWND hwnd = nullptr;
  HBITMAP bitmap = nullptr;
  int width = 0, height = 0;
  POINT pos{0, 0};
  int hideCount = 1;
  bool drawn = false;
};

class ThreadQueue {
 public:
  static ThreadQueue* Current();
  // Keeps every live thread's queue from being deleted while held: another
  // thread's queue is used only under it. Windows of a thread that ended
  // have the ended queue, which answers nothing.
  static std::unique_lock<std::mutex> HoldQueues();
  static ThreadQueue* EndedThreads();
  static ThreadQueue* ForThreadHeld(DWORD tid);  // the thread's queue (under HoldQueues), or null
  ~ThreadQueue();

  void Wake();
  void Post(const MSG& m, bool front = false);
  // Queues a message of another thread and wakes this one to serve it.
  void Deliver(SentMessage* s);
  // The calling thread's own queue: waits until s is answered, serving the
  // messages sent here meanwhile.
  void AwaitAnswer(SentMessage& s);
  // Serves messages other threads sent here; true if any.
  bool ServeSent();
  static void Complete(SentMessage* s);

  std::mutex m;
  std::condition_variable cv;
  std::deque<MSG> posted;
  std::deque<SentMessage*> sent;
  bool quit = false;
  int quitCode = 0;
  DWORD tid = 0;
  bool guiThread = false;
  bool ended = false;  // the queue of windows whose thread ended
  QueueNotifier* notifier = nullptr;
  // State word of the answer this thread waits on in AwaitAnswer; changed
  // by its own thread, read with m held.
  std::atomic<std::atomic<uint32_t>*> awaited{nullptr};

  // Owner thread only.
  std::vector<QueueTimer> timers;
  std::vector<HWND> dirty;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HWND mouseWindow = nullptr;
  HCURSOR cursor = nullptr;
  BYTE keys[256] = {};
  bool altAlone = false;  // Alt is down and no other key or button came since
  CaretState caret;
  UINT caretBlink = 530;
  MSG lastMsg{};
  int sendDepth = 0;      // >0 while serving a message sent from another thread
  AnswerSpin answerSpin;  // for the messages this thread sends to others
  // >0 while a dialog that a person answers runs on this queue: the keys and
  // pointer input meant for the layer's windows are dropped as taken, as a
  // disabled owner would get none.
  int personDialogs = 0;
};

DWORD CurrentThreadId();

// The calling thread's queue once it has one, else null (no call needed).
MIRT_FAST_TLS extern constinit thread_local ThreadQueue* t_currentQueue;

// MSG::lPrivate bit of mouse messages made from real input (hit-tested
// when taken from the queue; posted ones are not).
constexpr DWORD kFromInput = 0x80000000u;
// With kFromInput: the capture chose the message's window when it was posted.
constexpr DWORD kViaCapture = 0x40000000u;
