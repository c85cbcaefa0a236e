#include "platform/sys/side_thread.h"

#include <chrono>
#include <system_error>

#include "platform/sys/futex_word.h"

namespace plat {

namespace {

// How long a lingering side looks for the other before it sleeps.
constexpr auto kLinger = std::chrono::microseconds(200);

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
  static SideThread shared(Linger::kYes);
  return shared;
}

bool SideThread::TryStart(void (*job)(void*), void* arg) {
  std::lock_guard<std::mutex> hold(m_lock);
  if (m_taken || m_failed || m_stop) return false;
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
  m_busy.store(kRunning, std::memory_order_release);
  m_wake.notify_one();
  return true;
}

void SideThread::Wait() {
  if (m_linger == Linger::kNo ||
      !SpinWhileWordIs(&m_busy, kRunning, std::chrono::steady_clock::now() + kLinger)) {
    while (Busy()) SleepWhileWordIs(&m_busy, kRunning);
  }
  std::lock_guard<std::mutex> hold(m_lock);
  m_taken = false;
}

void SideThread::Run() {
  for (;;) {
    if (m_linger == Linger::kYes) SpinWhileWordIs(&m_busy, kIdle, std::chrono::steady_clock::now() + kLinger);
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
    m_busy.store(kIdle, std::memory_order_release);
    WakeWordSleepers(&m_busy);
  }
}

}  // namespace plat
