// Makes the pages of a block resident and touched from a side thread of
// its own, a stretch at a time, ahead of the thread that fills the block: where the
// first touch of a page costs much (as on some virtual machines), the
// filling thread then finds its pages ready. Its calls are made by one
// thread at a time.
#pragma once

#include <cstddef>

#include "platform/sys/side_thread.h"

namespace plat {

// Where a block filled from its start stands: its pages below `resident`
// are resident, or being made so from `warmFrom` on by the warmer.
struct WarmFront {
  char* resident = nullptr;  // on a page boundary
  char* warmFrom = nullptr;
};

class PageWarmer {
 public:
  PageWarmer() = default;
  PageWarmer(const PageWarmer&) = delete;
  PageWarmer& operator=(const PageWarmer&) = delete;

  // For a fill that has reached `at` in the block ending at `end` (on a page
  // boundary): once the fill is in the stretch being warmed it waits for
  // it; past the front it makes the pages up to `step` beyond the fill
  // resident itself; and within `lead` of the front it gives the warmer the
  // next `step` bytes. The fill may touch pages below the front only.
  void KeepAhead(WarmFront& front, const char* at, char* end, size_t step, size_t lead) {
    // Most calls fall well inside the front, past any stretch being warmed.
    bool clear = at + lead <= front.resident && (m_owner != &front || at <= front.warmFrom);
    if (!clear) Advance(front, at, end, step, lead);
  }
  // Before the block of `front` is unmapped or moved: waits for the warmer
  // if it is still on it.
  void Leave(const WarmFront& front);

 private:
  void Advance(WarmFront& front, const char* at, char* end, size_t step, size_t lead);
  bool Start(char* p, size_t size);
  void Wait();
  bool Busy() const { return m_side.Busy(); }
  static void Warm(void* warmer);

  const WarmFront* m_owner = nullptr;  // the front of the stretch given last
  char* m_from = nullptr;              // the stretch given last
  size_t m_size = 0;
  bool m_given = false;  // a stretch was given and not waited for
  SideThread m_side;     // last: it ends (after its stretch) first
};

}  // namespace plat
