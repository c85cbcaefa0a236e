#include "editor/splitscan.h"

#include <atomic>
#include <cstring>
#include <thread>

#include "editor/literalscan.h"
#include "platform/sys/side_thread.h"

namespace {

// Just after the first NUL in [from, end), or null when there is none.
const char* SplitscanCut(const char* from, const char* end) {
  if (from >= end) return nullptr;
  auto nul = static_cast<const char*>(std::memchr(from, '\0', static_cast<size_t>(end - from)));
  return nul != nullptr ? nul + 1 : nullptr;
}

struct SplitscanJob {
  const LiteralScan* scan;
  const char* from;
  const char* end;
  size_t stretch;
  std::atomic<bool> halt{false};
  const char* hit = nullptr;
};

void SplitscanRun(void* arg) {
  auto* job = static_cast<SplitscanJob*>(arg);
  for (const char* s = job->from; s < job->end && !job->halt.load(std::memory_order_relaxed);) {
    const char* cut = SplitscanCut(s + job->stretch, job->end);
    const char* e = cut != nullptr ? cut : job->end;
    long at = job->scan->Find(s, static_cast<size_t>(e - s));
    if (at >= 0) {
      job->hit = s + at;
      return;
    }
    s = e;
  }
}

}  // namespace

long SplitScanFind(const LiteralScan& scan, const char* p, size_t n, const SplitScanSizes& sizes) {
  const char* end = p + n;
  // With one processor the side thread would only take turns with this one.
  static const bool oneProcessor = std::thread::hardware_concurrency() < 2;
  if (oneProcessor || n < sizes.splitFrom || sizes.stretch >= n || scan.HasNul()) return scan.Find(p, n);
  // A hit nearby is found alone, touching nothing further on: the side
  // thread would only be kept waiting for it.
  long at = scan.Find(p, sizes.stretch);
  if (at >= 0) return at;
  // An occurrence across the end of that stretch begins after its last NUL.
  auto nul = static_cast<const char*>(::memrchr(p, '\0', sizes.stretch));
  if (nul == nullptr) return scan.Find(p, n);
  const char* rest = nul + 1;
  const char* mid = SplitscanCut(rest + (end - rest) / 2, end);
  SplitscanJob job;
  job.scan = &scan;
  job.from = mid;
  job.end = end;
  job.stretch = sizes.stretch;
  plat::SideThread& side = plat::SideThread::Shared();
  if (mid == nullptr || mid >= end || !side.TryStart(SplitscanRun, &job)) {
    at = scan.Find(rest, static_cast<size_t>(end - rest));
    return at >= 0 ? static_cast<long>(rest - p) + at : -1;
  }
  at = scan.Find(rest, static_cast<size_t>(mid - rest));
  if (at >= 0) job.halt.store(true, std::memory_order_relaxed);
  side.Wait();
  if (at >= 0) return static_cast<long>(rest - p) + at;
  return job.hit != nullptr ? static_cast<long>(job.hit - p) : -1;
}
