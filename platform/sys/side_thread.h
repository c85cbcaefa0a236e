// One thread kept for work a caller splits off its own: a job goes to it
// only while it is free, so a caller that finds it busy does the work
// itself. The thread is started on first use and parked between jobs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace plat {

class SideThread {
 public:
  SideThread() = default;
  ~SideThread();
  SideThread(const SideThread&) = delete;
  SideThread& operator=(const SideThread&) = delete;

  // The process's shared one.
  static SideThread& Shared();

  // Runs job(arg) on the side thread; false when it is taken by another
  // caller or could not be started. After true the caller must Wait.
  bool TryStart(void (*job)(void*), void* arg);
  // Waits until the job started last is done, and frees the thread.
  void Wait();

 private:
  void Run();

  std::mutex m_lock;
  std::condition_variable m_wake;
  std::condition_variable m_done;
  bool m_taken = false;             // from TryStart to Wait
  std::atomic<bool> m_busy{false};  // a job given and not done yet
  void (*m_job)(void*) = nullptr;
  void* m_arg = nullptr;
  bool m_stop = false;
  bool m_failed = false;
  std::thread m_thread;
};

}  // namespace plat
