#include "platform/sys/page_warmer.h"

#include <algorithm>

#include "platform/sys/zeroed_pages.h"

namespace plat {

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
  Wait();  // the stretch before is done: the thread is freed
  m_from = p;
  m_size = size;
  m_given = m_side.TryStart(&PageWarmer::Warm, this);
  return m_given;
}

void PageWarmer::Wait() {
  if (!m_given) return;
  m_side.Wait();
  m_given = false;
}

// Resident first, then each page read once from the side thread: both
// costs of a first touch are paid there.
void PageWarmer::Warm(void* warmer) {
  auto* self = static_cast<PageWarmer*>(warmer);
  const size_t page = PageBytes();
  MakePagesResident(self->m_from, self->m_size);
  for (size_t at = 0; at < self->m_size; at += page)
    (void)*static_cast<volatile const char*>(self->m_from + at);
}

}  // namespace plat
