#include "platform/sys/thread.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sys/kernel_object.h"
#include "platform/sys/waitable.h"

namespace plat {

std::mutex& WaitMutex() {
  static std::mutex* m = new std::mutex;
  return *m;
}
std::condition_variable& WaitCondition() {
  static std::condition_variable* c = new std::condition_variable;
  return *c;
}

}  // namespace plat

namespace {

using plat::Waitable;
using plat::WaitCondition;
using plat::WaitMutex;

class EventObject : public Waitable {
 public:
  EventObject(bool manual, bool initial) : manualReset(manual), signalled(initial) {}
  bool Signalled() const override { return signalled; }
  void Consume() override {
    if (!manualReset) signalled = false;
  }
  bool manualReset;
  bool signalled;
};

class ThreadObject : public Waitable {
 public:
  bool Signalled() const override { return finished; }
  bool finished = false;
  DWORD exitCode = STILL_ACTIVE;
  DWORD suspendCount = 0;
  DWORD id = 0;
};

struct ThreadExit {
  DWORD code;
};

thread_local bool t_madeByCreateThread = false;

std::shared_ptr<Waitable> FindWaitable(HANDLE h) { return plat::FindHandle<Waitable>(h); }

void RunThread(std::shared_ptr<ThreadObject> self, LPTHREAD_START_ROUTINE start, LPVOID param) {
  t_madeByCreateThread = true;
  {
    std::unique_lock<std::mutex> lock(WaitMutex());
    self->id = static_cast<DWORD>(syscall(SYS_gettid));
    WaitCondition().notify_all();
    WaitCondition().wait(lock, [&] { return self->suspendCount == 0; });
  }
  DWORD code = 0;
  try {
    code = start(param);
  } catch (const ThreadExit& e) {
    code = e.code;
  }
  std::lock_guard<std::mutex> lock(WaitMutex());
  self->exitCode = code;
  self->finished = true;
  WaitCondition().notify_all();
}

// Waits until ready() holds or the time is up; true when ready.
template <class Ready>
bool WaitUntil(std::unique_lock<std::mutex>& lock, DWORD ms, Ready ready) {
  if (ms == INFINITE) {
    WaitCondition().wait(lock, ready);
    return true;
  }
  return WaitCondition().wait_for(lock, std::chrono::milliseconds(ms), ready);
}

}  // namespace

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID param, DWORD flags,
                    LPDWORD threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto self = std::make_shared<ThreadObject>();
  self->suspendCount = (flags & CREATE_SUSPENDED) ? 1 : 0;
  try {
    std::thread(RunThread, self, start, param).detach();
  } catch (const std::system_error&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  {
    std::unique_lock<std::mutex> lock(WaitMutex());
    WaitCondition().wait(lock, [&] { return self->id != 0; });
  }
  if (threadId) *threadId = self->id;
  return plat::AddHandle(self);
}

DWORD ResumeThread(HANDLE h) {
  auto t = plat::FindHandle<ThreadObject>(h);
  if (!t) return static_cast<DWORD>(-1);
  std::lock_guard<std::mutex> lock(WaitMutex());
  DWORD previous = t->suspendCount;
  if (t->suspendCount > 0 && --t->suspendCount == 0) WaitCondition().notify_all();
  return previous;
}

BOOL GetExitCodeThread(HANDLE h, LPDWORD code) {
  auto t = plat::FindHandle<ThreadObject>(h);
  if (!t || !code) {
    if (t) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(WaitMutex());
  *code = t->exitCode;
  return TRUE;
}

void ExitThread(DWORD code) {
  if (!t_madeByCreateThread) std::terminate();  // no way to end a thread we did not start
  throw ThreadExit{code};
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(syscall(SYS_gettid)); }

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR) {
  return plat::AddHandle(std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE));
}

static BOOL SetEventState(HANDLE h, bool state) {
  auto e = plat::FindHandle<EventObject>(h);
  if (!e) return FALSE;
  std::lock_guard<std::mutex> lock(WaitMutex());
  e->signalled = state;
  if (state) WaitCondition().notify_all();
  return TRUE;
}

BOOL SetEvent(HANDLE h) { return SetEventState(h, true); }
BOOL ResetEvent(HANDLE h) { return SetEventState(h, false); }

DWORD WaitForSingleObject(HANDLE h, DWORD ms) { return WaitForMultipleObjects(1, &h, TRUE, ms); }

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<Waitable>> objects;
  for (DWORD i = 0; i < count; ++i) {
    auto o = FindWaitable(handles[i]);
    if (!o) return WAIT_FAILED;
    objects.push_back(std::move(o));
  }
  std::unique_lock<std::mutex> lock(WaitMutex());
  DWORD which = 0;
  auto ready = [&] {
    if (waitAll) {
      for (const auto& o : objects)
        if (!o->Signalled()) return false;
      return true;
    }
    for (DWORD i = 0; i < count; ++i)
      if (objects[i]->Signalled()) {
        which = i;
        return true;
      }
    return false;
  };
  if (!WaitUntil(lock, ms, ready)) return WAIT_TIMEOUT;
  if (waitAll) {
    for (auto& o : objects) o->Consume();
    return WAIT_OBJECT_0;
  }
  objects[which]->Consume();
  return WAIT_OBJECT_0 + which;
}

void InitializeCriticalSection(LPCRITICAL_SECTION cs) { cs->impl = new std::recursive_mutex; }

void DeleteCriticalSection(LPCRITICAL_SECTION cs) {
  delete static_cast<std::recursive_mutex*>(cs->impl);
  cs->impl = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION cs) { static_cast<std::recursive_mutex*>(cs->impl)->lock(); }

void LeaveCriticalSection(LPCRITICAL_SECTION cs) { static_cast<std::recursive_mutex*>(cs->impl)->unlock(); }

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs) {
  return static_cast<std::recursive_mutex*>(cs->impl)->try_lock() ? TRUE : FALSE;
}

LONG InterlockedIncrement(LONG volatile* p) { return __atomic_add_fetch(p, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedDecrement(LONG volatile* p) { return __atomic_sub_fetch(p, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedExchange(LONG volatile* p, LONG v) { return __atomic_exchange_n(p, v, __ATOMIC_SEQ_CST); }
LONG InterlockedExchangeAdd(LONG volatile* p, LONG v) { return __atomic_fetch_add(p, v, __ATOMIC_SEQ_CST); }
LONG InterlockedCompareExchange(LONG volatile* p, LONG exchange, LONG comparand) {
  __atomic_compare_exchange_n(p, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}
