// Decoding speed: 1 MB of 16-bit code against objdump on the same bytes,
// and a screen of 60 lines at any address through the line source against
// decoding those 60 lines alone (ratio measured in one run, at most 2).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "debugger/segoff.h"
#include "disasm/listing_line.h"
#include "disasm/disass_neighbours.h"
#include "disasm/mem_addr_list.h"
#include "bench/disasm/bench_code.h"

namespace {

bench_code::MemoryTarget g_target;

void BM_DecodeAndFormat1MB(benchmark::State& state) {
  CDisassx86 disass(&g_target);
  char line[kDisassLineSize];
  for (auto _ : state) {
    DWORD at = 0;
    while (at < 0x100000) at = disass.FormatLine(at, line);
    benchmark::DoNotOptimize(line[10]);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 0x100000);
}
BENCHMARK(BM_DecodeAndFormat1MB)->Unit(benchmark::kMillisecond);

void BM_Objdump1MB(benchmark::State& state) {
  if (std::system("objdump --version >/dev/null 2>&1") != 0) {
    state.SkipWithError("objdump is not installed");
    return;
  }
  std::string file = "/tmp/mirt_disasm_bench_" + std::to_string(std::random_device()()) + ".bin";
  FILE* f = std::fopen(file.c_str(), "wb");
  std::fwrite(bench_code::Code().data(), 1, bench_code::Code().size(), f);
  std::fclose(f);
  std::string cmd = "objdump -D -b binary -m i8086 -M intel " + file + " >/dev/null";
  for (auto _ : state) {
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("objdump failed");
  }
  std::remove(file.c_str());
  state.SetBytesProcessed(int64_t(state.iterations()) * 0x100000);
}
BENCHMARK(BM_Objdump1MB)->Unit(benchmark::kMillisecond)->Iterations(3);

using bench_code::DecodeScreen;
using bench_code::kScreenLines;
constexpr int kJumps = 64;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

std::vector<DWORD> RandomAddresses(std::mt19937& rng) {
  std::vector<DWORD> v(kJumps);
  for (auto& a : v) a = rng() % 0xFF000;
  return v;
}

void GoToScreen(CMemAddrList& list, DWORD address) {
  CAddr at;
  LinearToSegOff(at, address);
  int first = list.LineFromAddress(&at);
  for (int n = first; n < first + kScreenLines; ++n) {
    DisassLine l;
    list.GetLine(n, l);
    delete[] l.text;
  }
}

// Going to an address and producing the screen below it, against decoding
// those lines alone, in a line source that has listed the screens of 64
// earlier jumps. Arg 0: jumps to addresses never listed; arg 1: jumps back
// to the earlier ones. Each round times 64 jumps of each; the ratio is that
// of the fastest rounds, so that a busy machine skews it less.
void BM_GoToAddressScreen(benchmark::State& state) {
  const bool again = state.range(0) == 1;
  CDisassx86 disass(&g_target);
  g_pDisass = &disass;
  std::mt19937 rng(11);
  double base = 1e9, go = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < 30; ++round) {
      CMemAddrList list;
      auto earlier = RandomAddresses(rng);
      for (DWORD a : earlier) GoToScreen(list, a);
      auto jumps = again ? earlier : RandomAddresses(rng);
      auto t = Clock::now();
      for (DWORD a : jumps) DecodeScreen(disass, a);
      base = std::min(base, Seconds(t));
      t = Clock::now();
      for (DWORD a : jumps) GoToScreen(list, a);
      go = std::min(go, Seconds(t));
    }
    state.SetIterationTime(go / kJumps);
  }
  g_pDisass = nullptr;
  double ratio = go / base;
  state.counters["decode_us"] = base / kJumps * 1e6;
  state.counters["ratio"] = ratio;
  if (ratio > 2)
    state.SkipWithError(
        ("going to an address takes " + std::to_string(ratio) + " times the decoding, more than 2").c_str());
}
BENCHMARK(BM_GoToAddressScreen)
    ->ArgName("listed")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
