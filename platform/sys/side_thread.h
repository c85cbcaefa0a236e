// One thread kept for work a caller splits off its own: a job goes to it
// only while it is free, so a caller that finds it taken does the work
// itself. The thread is started on first use and parked between jobs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace plat {

class SideThread {
 public:
  // kLinger: where jobs come in runs and waking a parked thread is slow,
  // each side looks for the other a while before it sleeps.
  enum class Linger { kNo, kYes };

  explicit SideThread(Linger linger = Linger::kNo) : m_linger(linger) {}
  ~SideThread();  // lets a running job end first
  SideThread(const SideThread&) = delete;
  SideThread& operator=(const SideThread&) = delete;

  // The process's shared one (it lingers).
  static SideThread& Shared();

  // Runs job(arg) on the side thread; false when it is taken by another
  // caller or could not be started. After true the caller must Wait.
  bool TryStart(void (*job)(void*), void* arg);
  // Whether the job started last is still running.
  bool Busy() const { return m_busy.load(std::memory_order_acquire) != kIdle; }
  // Waits until the job started last is done, and frees the thread.
  void Wait();

 private:
  static constexpr uint32_t kIdle = 0;
  static constexpr uint32_t kRunning = 1;
  void Run();

  const Linger m_linger;
  std::mutex m_lock;
  std::condition_variable m_wake;
  bool m_taken = false;  // from TryStart to Wait
  void (*m_job)(void*) = nullptr;
  void* m_arg = nullptr;
  bool m_stop = false;
  bool m_failed = false;
  std::atomic<uint32_t> m_busy{kIdle};  // a job given and not done yet
  std::thread m_thread;
};

}  // namespace plat
