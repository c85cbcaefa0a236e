#include "platform/sys/side_thread.h"

#include <chrono>
#include <system_error>

namespace plat {

namespace {

// Jobs come in runs (a long scan block after block), and waking a parked
// thread takes long on some machines: each side looks a while for the
// other before it sleeps.
constexpr auto kSpin = std::chrono::microseconds(200);

template <class Ready>
bool SideThreadSpin(Ready ready) {
  auto until = std::chrono::steady_clock::now() + kSpin;
  for (int n = 0; !ready(); ++n) {
    if ((n & 63) == 63 && std::chrono::steady_clock::now() >= until) return false;
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }
  return true;
}

}  // namespace

SideThread::~SideThread() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_stop = true;
  }
  m_wake.notify_one();
  if (m_thread.joinable()) m_thread.join();
}

SideThread& SideThread::Shared() {
  static SideThread shared;
  return shared;
}

bool SideThread::TryStart(void (*job)(void*), void* arg) {
  std::lock_guard<std::mutex> hold(m_lock);
  static const bool oneProcessor = std::thread::hardware_concurrency() < 2;
  if (m_taken || m_failed || m_stop || oneProcessor) return false;
  if (!m_thread.joinable()) {
    try {
      m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      m_failed = true;
      return false;
    }
  }
  m_taken = true;
  m_job = job;
  m_arg = arg;
  m_busy.store(true, std::memory_order_release);
  m_wake.notify_one();
  return true;
}

void SideThread::Wait() {
  if (!SideThreadSpin([this] { return !m_busy.load(std::memory_order_acquire); })) {
    std::unique_lock<std::mutex> hold(m_lock);
    m_done.wait(hold, [this] { return !m_busy.load(std::memory_order_acquire); });
  }
  std::lock_guard<std::mutex> hold(m_lock);
  m_taken = false;
}

void SideThread::Run() {
  for (;;) {
    SideThreadSpin([this] { return m_busy.load(std::memory_order_acquire); });
    void (*job)(void*) = nullptr;
    void* arg = nullptr;
    {
      std::unique_lock<std::mutex> hold(m_lock);
      m_wake.wait(hold, [this] { return m_stop || m_job != nullptr; });
      if (m_job == nullptr) return;  // stopped with nothing to do
      job = m_job;
      arg = m_arg;
      m_job = nullptr;
    }
    job(arg);
    {
      std::lock_guard<std::mutex> hold(m_lock);
      m_busy.store(false, std::memory_order_release);
    }
    m_done.notify_all();
  }
}

}  // namespace plat
