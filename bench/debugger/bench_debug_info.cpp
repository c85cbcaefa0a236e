// Loading debug information against reading the file's bytes, what the
// structures built on the first name and function queries cost, and the
// cost of one line lookup as the program grows (it must stay logarithmic)
// and against a flat sorted array.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "debugger/debug_interp_borland.h"
#include "debugger/file_bytes.h"
#include "tests/debugger/borland_fixture.h"

namespace {

const int kLinesPerFile = 1000;

// A program of `lines` line records in files of 1000 lines, one 4 KB
// segment each, with a function at every fourth line.
fixture::BorlandExe Program(int lines) {
  fixture::BorlandExe x;
  x.wide = true;
  uint16_t mod = x.AddModule("m");
  uint32_t fn = x.AddType(0x23, "", 0, 0);
  for (int f = 0; f * kLinesPerFile < lines; ++f) {
    uint16_t segment = uint16_t(0x100 + f * 0x100);
    uint16_t seg = x.AddSegment(mod, segment, 0, 0x1000);
    std::vector<std::pair<uint16_t, uint16_t>> records;
    for (int i = 0; i < kLinesPerFile && f * kLinesPerFile + i < lines; ++i)
      records.push_back({uint16_t(i + 1), uint16_t(i * 4)});
    x.AddLines(seg, "src" + std::to_string(f) + ".c", records);
    for (int i = 0; i < int(records.size()); i += 4)
      x.AddSymbol("f" + std::to_string(f) + "_" + std::to_string(i), fn, segment, uint16_t(i * 4));
  }
  return x;
}

std::map<int, std::string> g_files;

void RemoveFiles() {
  for (auto& [lines, path] : g_files) std::remove(path.c_str());
}

// The program's file, written on first use and removed when the benchmark ends.
const std::string& ProgramFile(int lines) {
  if (g_files.empty()) std::atexit(RemoveFiles);
  std::string& path = g_files[lines];
  if (path.empty()) {
    path = "/tmp/mirt_bench_debug_info_" + std::to_string(::getpid()) + "_" + std::to_string(lines) + ".exe";
    std::string bytes = Program(lines).Write();
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

CDebugInterpBorland& Loaded(int lines) {
  static std::map<int, std::unique_ptr<CDebugInterpBorland>> loaded;
  auto& d = loaded[lines];
  if (!d) {
    int ok = 0;
    d = std::make_unique<CDebugInterpBorland>(ProgramFile(lines).c_str(), &ok, 0x1000);
    CAddr none = CAddr::Invalid();
    d->SetEntryAddress(&none);
  }
  return *d;
}

// 200,000 line records and 50,000 function symbols.
const int kBig = 200000;

// The file's bytes into memory: one read of its size into one buffer.
void BM_ReadFileBytes(benchmark::State& state) {
  const std::string& path = ProgramFile(kBig);
  for (auto _ : state) {
    FileBytes bytes;
    bytes.Read(path.c_str());
    benchmark::DoNotOptimize(bytes.Data());
  }
  state.SetLabel("one read of the whole file");
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

// The first address-to-line and line-to-address queries of a loaded file.
void AskLines(CDebugInterpBorland& d) {
  CAddr at(0x1100, 8);
  const char* file = nullptr;
  uint16_t first = 0, line = 0;
  d.AddressToLine(&at, &file, &first, &line);
  uint16_t wanted = 3;
  d.LineToAddress("src7.c", &wanted, &at);
  benchmark::DoNotOptimize(line);
  benchmark::DoNotOptimize(at);
}

// From the file to the answers of a first address-to-line and a first
// line-to-address query.
void BM_LoadDebugInfo(benchmark::State& state) {
  const std::string& path = ProgramFile(kBig);
  for (auto _ : state) {
    int ok = 0;
    CDebugInterpBorland d(path.c_str(), &ok, 0x1000);
    AskLines(d);
    benchmark::DoNotOptimize(ok);
  }
  state.SetLabel("read + line list + first line queries; names, functions on first use");
}
BENCHMARK(BM_LoadDebugInfo)->Unit(benchmark::kMillisecond);

// What a first query of another kind adds to a loaded file: `ask` alone is
// timed.
template <typename Ask>
void TimeFirstQuery(benchmark::State& state, Ask ask) {
  const std::string& path = ProgramFile(kBig);
  for (auto _ : state) {
    state.PauseTiming();
    int ok = 0;
    auto d = std::make_unique<CDebugInterpBorland>(path.c_str(), &ok, 0x1000);
    CAddr none = CAddr::Invalid();
    d->SetEntryAddress(&none);
    AskLines(*d);
    state.ResumeTiming();
    ask(*d);
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
}

// The name index, and the global search of the name.
void BM_FirstNameLookup(benchmark::State& state) {
  TimeFirstQuery(state, [](CDebugInterpBorland& d) {
    TypeHandle type = nullptr;
    CAddr at;
    int basic = 0;
    benchmark::DoNotOptimize(d.FindSymbolInScope(nullptr, "f100_400", &type, &at, &basic));
    delete type;
  });
  state.SetLabel("name index + one search of the globals");
}
BENCHMARK(BM_FirstNameLookup)->Unit(benchmark::kMillisecond);

// The function list, and one range from it.
void BM_FirstFunctionQuery(benchmark::State& state) {
  TimeFirstQuery(state, [](CDebugInterpBorland& d) {
    CAddr at(0x1100, 0x40), start, end;
    d.FunctionRange(&at, &start, &end);
    benchmark::DoNotOptimize(start);
  });
  state.SetLabel("function list + one function range");
}
BENCHMARK(BM_FirstFunctionQuery)->Unit(benchmark::kMillisecond);

// The same lookups as AddressToLine in a flat sorted array of the records'
// linear addresses with their lines beside them: upper_bound, the exact
// hit, its line and the line before it.
struct FlatLines {
  std::vector<uint32_t> linear;
  std::vector<uint16_t> line;

  explicit FlatLines(int lines) {
    for (int f = 0; f * kLinesPerFile < lines; ++f) {
      for (int i = 0; i < kLinesPerFile && f * kLinesPerFile + i < lines; ++i) {
        linear.push_back(uint32_t(0x100 + f * 0x100) * 16 + uint32_t(i * 4));
        line.push_back(uint16_t(i + 1));
      }
    }
  }

  uint16_t Lookup(uint32_t at, uint16_t* first) const {
    auto it = std::upper_bound(linear.begin(), linear.end(), at);
    if (it == linear.begin() || *(it - 1) != at) return 0xFFFF;
    size_t i = size_t(it - linear.begin()) - 1;
    *first = i == 0 ? 1 : uint16_t(line[i - 1] + 1);
    return line[i];
  }
};

// Random addresses of records, the same sequence for every side.
struct Queries {
  uint32_t files;
  uint32_t k = 12345;
  CAddr Next() {
    k = k * 1103515245u + 12345u;
    uint32_t f = (k >> 8) % files, i = (k >> 3) % kLinesPerFile;
    return CAddr(0x1100 + f * 0x100, i * 4);
  }
};

constexpr int kSmall = 2000;
constexpr int kLookups = 1000000;

double TimeAddressToLine(int lines) {
  CDebugInterpBorland& d = Loaded(lines);
  Queries q{uint32_t((lines + kLinesPerFile - 1) / kLinesPerFile)};
  auto t = std::chrono::steady_clock::now();
  for (int n = 0; n < kLookups; ++n) {
    CAddr at = q.Next();
    const char* file;
    uint16_t first, line;
    d.AddressToLine(&at, &file, &first, &line);
    benchmark::DoNotOptimize(line);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

double TimeFlat(int lines) {
  FlatLines flat(lines);
  Queries q{uint32_t((lines + kLinesPerFile - 1) / kLinesPerFile)};
  auto t = std::chrono::steady_clock::now();
  for (int n = 0; n < kLookups; ++n) {
    CAddr at = q.Next();
    uint16_t first = 0;
    benchmark::DoNotOptimize(flat.Lookup(at.Linear(), &first));
    benchmark::DoNotOptimize(first);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

// A million lookups at 200,000 records against the flat array (<= 1.5) and
// against the same at 2,000 records (growth <= 2); the fastest of three
// rounds of each.
void BM_AddressToLine(benchmark::State& state) {
  Loaded(kSmall);
  Loaded(kBig);
  for (auto _ : state) {
    double big = 1e9, small = 1e9, flat = 1e9;
    for (int round = 0; round < 3; ++round) {
      big = std::min(big, TimeAddressToLine(kBig));
      small = std::min(small, TimeAddressToLine(kSmall));
      flat = std::min(flat, TimeFlat(kBig));
    }
    state.SetIterationTime(big);
    state.counters["ns"] = big * 1e9 / kLookups;
    state.counters["flat_ns"] = flat * 1e9 / kLookups;
    state.counters["ratio_flat"] = big / flat;
    state.counters["growth"] = big / small;
  }
}
BENCHMARK(BM_AddressToLine)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LineToAddress(benchmark::State& state) {
  int lines = int(state.range(0));
  CDebugInterpBorland& d = Loaded(lines);
  uint32_t files = uint32_t((lines + kLinesPerFile - 1) / kLinesPerFile);
  std::vector<std::string> names;
  for (uint32_t f = 0; f < files; ++f) names.push_back("src" + std::to_string(f) + ".c");
  uint32_t k = 777;
  for (auto _ : state) {
    k = k * 1103515245u + 12345u;
    uint16_t line = uint16_t(1 + (k >> 3) % kLinesPerFile);
    CAddr at;
    d.LineToAddress(names[(k >> 13) % files].c_str(), &line, &at);
    benchmark::DoNotOptimize(at);
  }
}
BENCHMARK(BM_LineToAddress)->Arg(20000)->Arg(kBig)->Iterations(1000000);

}  // namespace
