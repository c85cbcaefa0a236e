// The text engine against plain baselines, each ratio measured in one run:
// loading a 100 MB file of 2 million lines (time and resident memory against
// reading it and splitting it with memchr), a plain search for a word on the
// last line (against memmem over the same lines), a character-class regular
// expression (against std::regex) and typing with undo (1 million against
// 100 thousand characters).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/textsearch.h"
#include "tests/support/scratch_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLines = 2000000;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

long ResidentBytes() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  long pages = 0, resident = 0;
  if (f != nullptr) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * 4096;
}

// A C source of 2 million lines, about 100 MB; only the last line holds
// the searched word and a name ending in "_t".
const std::string& BigFile() {
  static std::string path;
  if (!path.empty()) return path;
  static const mirt_test::ScratchDir dir("mirt-editor-bench");  // removed at exit
  path = dir.Path() + "/big.c";
  FILE* f = std::fopen(path.c_str(), "wb");
  for (int i = 0; i < kLines - 1; ++i) {
    std::fprintf(f, "    total%07d = compute(value%d, weight) + offset; // step\r\n", i, i % 977);
  }
  std::fprintf(f, "    size_t zebrafish = 0;\r\n");
  std::fclose(f);
  return path;
}

std::vector<std::string_view> ReadAndSplit(const std::string& path, std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  std::fseek(f, 0, SEEK_END);
  bytes.resize(std::ftell(f));
  std::fseek(f, 0, SEEK_SET);
  size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  std::vector<std::string_view> lines;
  const char* p = bytes.data();
  const char* end = p + got;
  while (p < end) {
    const char* q = static_cast<const char*>(std::memchr(p, '\n', end - p));
    q = q == nullptr ? end : q + 1;
    lines.emplace_back(p, q - p);
    p = q;
  }
  return lines;
}

// One loaded buffer for the searches.
EditBuffer& Loaded() {
  static EditBuffer* buffer = nullptr;
  if (buffer == nullptr) {
    buffer = new EditBuffer;
    buffer->LoadFile(BigFile().c_str());
  }
  return *buffer;
}

// Each round: the baseline, then a load into a new buffer; the ratio is
// that of the fastest of each, so that a busy machine skews it less. The
// memory is that of the first load.
void BM_LoadFile(benchmark::State& state) {
  const std::string& path = BigFile();
  double memory = 0;
  for (auto _ : state) {
    double base = 1e9, load = 1e9, size = 0;
    for (int round = 0; round < 3; ++round) {
      {
        std::string bytes;
        auto t = Clock::now();
        auto lines = ReadAndSplit(path, bytes);
        base = std::min(base, Seconds(t));
        size = double(bytes.size());
        benchmark::DoNotOptimize(lines.data());
      }
      long before = ResidentBytes();
      auto* buffer = new EditBuffer;
      auto t = Clock::now();
      int rc = buffer->LoadFile(path.c_str());
      load = std::min(load, Seconds(t));
      if (memory == 0) memory = double(ResidentBytes() - before) / size;
      if (rc != 0 || buffer->m_nLineCount != kLines) state.SkipWithError("load failed");
      delete buffer;
    }
    state.SetIterationTime(load);
    state.counters["time_ratio"] = load / base;
    state.counters["memory_ratio"] = memory;
  }
}
BENCHMARK(BM_LoadFile)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PlainSearch(benchmark::State& state) {
  EditBuffer& buffer = Loaded();
  const char* word = "zebrafish";
  for (auto _ : state) {
    auto t = Clock::now();
    int hits = 0;
    for (EditLine* line = buffer.m_pLines; line != nullptr; line = line->next) {
      hits += memmem(line->text, line->length, word, 9) != nullptr;
    }
    double base = Seconds(t);
    FindRecord rec;
    rec.pattern = word;
    rec.flags = FIND_FORWARD | FIND_MATCH_CASE;
    EditPos pos{buffer.m_pLines, 0}, none;
    t = Clock::now();
    BOOL found = FindText(pos, none, &rec);
    double search = Seconds(t);
    if (!found || hits != 1 || pos.line->lineNumber != kLines) state.SkipWithError("not found");
    state.SetIterationTime(search);
    state.counters["time_ratio"] = search / base;
  }
}
BENCHMARK(BM_PlainSearch)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_RegexSearch(benchmark::State& state) {
  EditBuffer& buffer = Loaded();
  const char* pattern = "[A-Za-z_]+_t";
  for (auto _ : state) {
    std::regex re(pattern, std::regex::ECMAScript);
    auto t = Clock::now();
    int hits = 0;
    for (EditLine* line = buffer.m_pLines; line != nullptr; line = line->next) {
      hits += std::regex_search(line->text, line->text + line->length, re);
    }
    double base = Seconds(t);
    FindRecord rec;
    rec.pattern = pattern;
    rec.flags = FIND_FORWARD | FIND_MATCH_CASE | FIND_REGEX;
    EditPos pos{buffer.m_pLines, 0}, none;
    t = Clock::now();
    BOOL found = FindText(pos, none, &rec);
    double search = Seconds(t);
    if (!found || hits != 1 || pos.line->lineNumber != kLines) state.SkipWithError("not found");
    state.SetIterationTime(search);
    state.counters["time_ratio"] = search / base;
  }
}
BENCHMARK(BM_RegexSearch)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Types n characters one by one, a new line every 64, then undoes it all.
double TypeAndUndo(int n) {
  EditBuffer buffer;
  auto t = Clock::now();
  EditLine* line = buffer.m_pLines;
  int offset = 0;
  for (int i = 0; i < n; ++i) {
    if (offset == 64) {
      EditPos at{line, offset};
      buffer.SplitLine(at, TRUE);
      line = line->next;
      offset = 0;
    }
    buffer.InsertChar(EditPos{line, offset++}, static_cast<char>('a' + i % 26), TRUE, TRUE);
  }
  while (buffer.Undo()) {
  }
  return Seconds(t);
}

// The same in one line that grows to the full count.
double TypeOneLineAndUndo(int n) {
  EditBuffer buffer;
  auto t = Clock::now();
  for (int i = 0; i < n; ++i) buffer.InsertChar(EditPos{buffer.m_pLines, i}, 'x', TRUE, TRUE);
  while (buffer.Undo()) {
  }
  return Seconds(t);
}

void BM_TypeAndUndo(benchmark::State& state) {
  auto run = state.range(0) == 0 ? TypeAndUndo : TypeOneLineAndUndo;
  for (auto _ : state) {
    // The fastest of a few runs of each size, so that start-up costs and a
    // busy machine weigh less.
    double small = 1e9, large = 1e9;
    for (int i = 0; i < 3; ++i) small = std::min(small, run(100000));
    for (int i = 0; i < 2; ++i) large = std::min(large, run(1000000));
    state.SetIterationTime(large);
    state.counters["growth_ratio"] = large / small;
  }
}
BENCHMARK(BM_TypeAndUndo)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
