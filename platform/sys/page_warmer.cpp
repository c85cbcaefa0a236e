#include "platform/sys/page_warmer.h"

#include <algorithm>
#include <system_error>

#include "platform/sys/zeroed_pages.h"

namespace plat {

PageWarmer::~PageWarmer() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_stop = true;
  }
  m_wake.notify_one();
  if (m_thread.joinable()) m_thread.join();
}

void PageWarmer::Advance(WarmFront& front, const char* at, char* end, size_t step, size_t lead) {
  if (m_owner != nullptr && !Busy()) m_owner = nullptr;
  if (m_owner == &front && at > front.warmFrom) {
    Wait();
    m_owner = nullptr;
  }
  if (at > front.resident) {
    KeepResidentAhead(front.resident, at, end, step);
    return;
  }
  if (m_owner != nullptr || front.resident >= end || static_cast<size_t>(front.resident - at) >= lead) return;
  size_t size = std::min(step, static_cast<size_t>(end - front.resident));
  if (!Start(front.resident, size)) return;
  front.warmFrom = front.resident;
  front.resident += size;
  m_owner = &front;
}

void PageWarmer::Leave(const WarmFront& front) {
  if (m_owner != &front) return;
  Wait();
  m_owner = nullptr;
}

bool PageWarmer::Start(char* p, size_t size) {
  if (Busy()) return false;
  std::lock_guard<std::mutex> hold(m_lock);
  if (m_failed) return false;
  if (!m_thread.joinable()) {
    try {
      m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      m_failed = true;
      return false;
    }
  }
  m_from = p;
  m_size = size;
  m_busy.store(true, std::memory_order_release);
  m_wake.notify_one();
  return true;
}

void PageWarmer::Wait() {
  if (!Busy()) return;
  std::unique_lock<std::mutex> hold(m_lock);
  m_done.wait(hold, [this] { return !m_busy.load(std::memory_order_relaxed); });
}

void PageWarmer::Run() {
  const size_t page = PageBytes();
  std::unique_lock<std::mutex> hold(m_lock);
  for (;;) {
    m_wake.wait(hold, [this] { return m_stop || m_from != nullptr; });
    if (m_stop) return;
    char* from = m_from;
    size_t size = m_size;
    hold.unlock();
    // Resident first, then each page read once from this side: both costs
    // of a first touch are paid here.
    MakePagesResident(from, size);
    for (size_t at = 0; at < size; at += page) (void)*static_cast<volatile const char*>(from + at);
    hold.lock();
    m_from = nullptr;
    m_busy.store(false, std::memory_order_release);
    m_done.notify_all();
  }
}

}  // namespace plat
