#include "platform/ui/thread_queue.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <map>
#include <memory>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/sys/futex_word.h"
#include "platform/ui/wnd_obj.h"

namespace {
std::mutex g_queuesMutex;
std::map<DWORD, ThreadQueue*> g_queues;

struct QueueHolder {
  std::unique_ptr<ThreadQueue> q;
  ~QueueHolder() {
    if (!q) return;
    t_currentQueue = nullptr;
    std::lock_guard<std::mutex> lock(g_queuesMutex);
    g_queues.erase(q->tid);
    // The thread's windows outlive it as destroyed ones: what is sent or
    // posted to them later gets no answer instead of reaching a freed queue.
    mirt_ui::RetireWindowsOf(q.get(), ThreadQueue::EndedThreads());
  }
};
thread_local QueueHolder t_holder;
}  // namespace

MIRT_FAST_TLS constinit thread_local ThreadQueue* t_currentQueue = nullptr;

DWORD CurrentThreadId() {
  MIRT_FAST_TLS static thread_local DWORD id = 0;
  if (!id) id = static_cast<DWORD>(syscall(SYS_gettid));
  return id;
}

bool QueueNotifier::event(QEvent* e) {
  if (e->type() == QEvent::User) {
    pending = false;
    queue_->ServeSent();
    return true;
  }
  return QObject::event(e);
}

ThreadQueue* ThreadQueue::Current() {
  if (!t_holder.q) {
    auto* q = new ThreadQueue;
    q->tid = CurrentThreadId();
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread()) {
      q->guiThread = true;
      q->notifier = new QueueNotifier(q);
    }
    t_holder.q.reset(q);
    t_currentQueue = q;
    std::lock_guard<std::mutex> lock(g_queuesMutex);
    g_queues[q->tid] = q;
  }
  return t_holder.q.get();
}

std::unique_lock<std::mutex> ThreadQueue::HoldQueues() { return std::unique_lock<std::mutex>(g_queuesMutex); }

ThreadQueue* ThreadQueue::EndedThreads() {
  static ThreadQueue* const ended = [] {
    auto* q = new ThreadQueue;  // never deleted: windows may point at it until the end
    q->ended = true;
    return q;
  }();
  return ended;
}

ThreadQueue* ThreadQueue::ForThreadHeld(DWORD tid) {
  auto it = g_queues.find(tid);
  return it == g_queues.end() ? nullptr : it->second;
}

ThreadQueue::~ThreadQueue() {
  // Senders waiting on this thread get 0 rather than waiting forever.
  std::deque<SentMessage*> left;
  {
    std::lock_guard<std::mutex> lock(m);
    left.swap(sent);
  }
  for (SentMessage* s : left) Complete(s);
  delete notifier;
}

void ThreadQueue::Wake() {
  cv.notify_all();  // the thread may wait in WaitForInput or WaitServingMessages
  // Posting the event wakes the event loop; one already posted will do.
  if (notifier) {
    if (!notifier->pending.exchange(true)) QCoreApplication::postEvent(notifier, new QEvent(QEvent::User));
    return;
  }
  if (guiThread)
    if (auto* d = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread())) d->wakeUp();
}

void ThreadQueue::Post(const MSG& msg, bool front) {
  {
    std::lock_guard<std::mutex> lock(m);
    if (front)
      posted.push_front(msg);
    else
      posted.push_back(msg);
  }
  if (tid != CurrentThreadId()) Wake();
}

namespace {
// Makes a thread waiting on word look at its queue again, unless it has
// its answer already.
void PokeSender(std::atomic<uint32_t>* word) {
  uint32_t was = word->load(std::memory_order_relaxed);
  while (was != SentMessage::kAnswered && !word->compare_exchange_weak(was, SentMessage::kPoked)) {
  }
  if (was == SentMessage::kAsleep) plat::WakeWordSleepers(word);
}
}  // namespace

void ThreadQueue::Deliver(SentMessage* s) {
  {
    std::lock_guard<std::mutex> lock(m);
    sent.push_back(s);
    if (auto* word = awaited.load(std::memory_order_relaxed)) PokeSender(word);
  }
  Wake();
}

void ThreadQueue::AwaitAnswer(SentMessage& s) {
  const auto sent = AnswerSpin::Clock::now();
  const bool spins = answerSpin.Spins();
  const auto spinUntil = answerSpin.Until(sent);
  std::atomic<uint32_t>* outer = awaited.load(std::memory_order_relaxed);
  // Stored before ServeSent takes m: a sender that queues after that pokes.
  awaited.store(&s.state);
  for (;;) {
    uint32_t state = s.state.load(std::memory_order_acquire);
    if (state == SentMessage::kAnswered) break;
    if (state == SentMessage::kPoked) {
      s.state.compare_exchange_strong(state, SentMessage::kWaiting);
      continue;
    }
    if (state == SentMessage::kWaiting) {
      if (ServeSent()) continue;
      if (spins && plat::SpinWhileWordIs(&s.state, SentMessage::kWaiting, spinUntil)) continue;
      if (!s.state.compare_exchange_strong(state, SentMessage::kAsleep)) continue;
    }
    plat::SleepWhileWordIs(&s.state, SentMessage::kAsleep);
  }
  answerSpin.Answered(AnswerSpin::Clock::now() - sent);
  // Under m: no sender pokes the word once this returns.
  std::lock_guard<std::mutex> lock(m);
  awaited.store(outer, std::memory_order_relaxed);
}

void ThreadQueue::Complete(SentMessage* s) {
  // The sender may return as soon as it sees the answer: only the word's
  // address is used after that.
  if (s->state.exchange(SentMessage::kAnswered, std::memory_order_acq_rel) == SentMessage::kAsleep)
    plat::WakeWordSleepers(&s->state);
}
