#include "platform/ui/thread_queue.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <map>
#include <memory>
#include <sys/syscall.h>
#include <unistd.h>

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

ThreadQueue* ThreadQueue::ForThread(DWORD tid) {
  std::lock_guard<std::mutex> lock(g_queuesMutex);
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
  cv.notify_all();  // the thread may wait for an answer of its own
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

void ThreadQueue::Complete(SentMessage* s) {
  ThreadQueue* sender = s->sender;
  {
    std::lock_guard<std::mutex> lock(sender->m);
    s->done = true;
  }
  sender->cv.notify_all();
}
