// Loading the 100 MB file in a fresh process, as a user opening it meets
// it: each load runs in a child process of its own, the baseline too (one
// read into an uninitialised buffer, then memchr for 32-bit line starts in
// a reserved vector). Reported: the median ratio of five loads, their
// spread (slowest over fastest), resident memory over the file size, and
// closing (destroying) the loaded buffer against its load.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/editor/bench_text.h"
#include "editor/editbuffer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

long ResidentBytes() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  long pages = 0, resident = 0;
  if (f != nullptr) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

struct Result {
  double load = 0;    // seconds
  double close = 0;   // seconds
  double memory = 0;  // resident bytes added by the load
  long lines = 0;
};

Result Baseline(const char* path) {
  Result r;
  long before = ResidentBytes();
  auto t = Clock::now();
  int fd = ::open(path, O_RDONLY);
  struct stat st {};
  ::fstat(fd, &st);
  size_t size = static_cast<size_t>(st.st_size);
  char* bytes = static_cast<char*>(std::malloc(size));  // left uninitialised
  size_t got = 0;
  while (got < size) {
    ssize_t n = ::read(fd, bytes + got, size - got);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  std::vector<uint32_t> starts;
  starts.reserve(size / 16 + 1);
  for (const char* p = bytes; p != nullptr && p < bytes + got;) {
    starts.push_back(static_cast<uint32_t>(p - bytes));
    p = static_cast<const char*>(std::memchr(p, '\n', bytes + got - p));
    if (p != nullptr) ++p;
  }
  r.load = Since(t);
  r.memory = double(ResidentBytes() - before);
  r.lines = static_cast<long>(starts.size());
  t = Clock::now();
  std::free(bytes);
  std::vector<uint32_t>().swap(starts);
  r.close = Since(t);
  return r;
}

Result Load(const char* path) {
  Result r;
  auto* buffer = new EditBuffer;
  buffer->SetLockFiles(FALSE);
  long before = ResidentBytes();
  auto t = Clock::now();
  int rc = buffer->LoadFile(path);
  r.load = Since(t);
  r.memory = double(ResidentBytes() - before);
  r.lines = rc == 0 ? buffer->m_nLineCount : -1;
  t = Clock::now();
  delete buffer;
  r.close = Since(t);
  return r;
}

// Runs `work` in a child process and brings its result back.
Result InChild(Result (*work)(const char*), const char* path) {
  int fds[2];
  Result r;
  r.lines = -1;
  if (::pipe(fds) != 0) return r;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    Result mine = work(path);
    ssize_t sent = ::write(fds[1], &mine, sizeof mine);
    ::_exit(sent == static_cast<ssize_t>(sizeof mine) ? 0 : 1);  // no exit handlers: the file stays
  }
  ::close(fds[1]);
  if (child < 0 || ::read(fds[0], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) r.lines = -1;
  ::close(fds[0]);
  int status = 0;
  if (child > 0) ::waitpid(child, &status, 0);
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void BM_LoadFile(benchmark::State& state) {
  const std::string& path = bench_text::BigFile();
  double size = 0;
  {
    struct stat st {};
    ::stat(path.c_str(), &st);
    size = double(st.st_size);
  }
  for (auto _ : state) {
    std::vector<double> base, load, close, memory;
    for (int run = 0; run < kRuns; ++run) {
      Result b = InChild(Baseline, path.c_str());
      Result l = InChild(Load, path.c_str());
      if (b.lines != bench_text::BigFileLines() || l.lines != bench_text::BigFileLines()) {
        state.SkipWithError("a load failed");
        return;
      }
      base.push_back(b.load);
      load.push_back(l.load);
      close.push_back(l.close);
      memory.push_back(l.memory);
    }
    double median = Median(load);
    state.SetIterationTime(median);
    state.counters["base_ms"] = Median(base) * 1e3;
    state.counters["load_ms"] = median * 1e3;
    state.counters["time_ratio"] = median / Median(base);
    state.counters["spread"] =
        *std::max_element(load.begin(), load.end()) / *std::min_element(load.begin(), load.end());
    state.counters["memory_ratio"] = Median(memory) / size;
    state.counters["close_ms"] = Median(close) * 1e3;
    state.counters["close_ratio"] = Median(close) / median;
  }
}
BENCHMARK(BM_LoadFile)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
