#include "bench/disasm/bench_code.h"

#include <benchmark/benchmark.h>

#include <random>

#include "disasm/listing_line.h"

namespace bench_code {

const std::vector<BYTE>& Code() {
  static std::vector<BYTE> code = [] {
    const std::vector<std::vector<BYTE>> forms = {{0x55},
                                                  {0x8B, 0xEC},
                                                  {0x83, 0xEC, 0x08},
                                                  {0x8B, 0x46, 0x04},
                                                  {0x89, 0x46, 0xFE},
                                                  {0xB8, 0x34, 0x12},
                                                  {0xE8, 0x10, 0x00},
                                                  {0x74, 0x05},
                                                  {0x26, 0x8B, 0x07},
                                                  {0x3B, 0xC3},
                                                  {0xC4, 0x5E, 0x06},
                                                  {0xF3, 0xA4},
                                                  {0x50},
                                                  {0x5D},
                                                  {0xC3},
                                                  {0xFF, 0x76, 0x08},
                                                  {0xC6, 0x06, 0x34, 0x12, 0x01},
                                                  {0x66, 0x8B, 0x07},
                                                  {0xDD, 0x46, 0xF8},
                                                  {0x0F, 0xB6, 0xC3}};
    std::mt19937 rng(7);
    std::vector<BYTE> v;
    while (v.size() < 0x100000) {
      const auto& f = forms[rng() % forms.size()];
      v.insert(v.end(), f.begin(), f.end());
    }
    v.resize(0x100000);
    return v;
  }();
  return code;
}

BOOL MemoryTarget::ReadMemory(DWORD linear, WORD count, BYTE* buffer) {
  const auto& code = Code();
  for (WORD i = 0; i < count; ++i) {
    if (linear + i >= code.size()) return FALSE;
    buffer[i] = code[linear + i];
  }
  return TRUE;
}

void DecodeScreen(CDisassx86& disass, DWORD at) {
  char line[kDisassLineSize];
  for (int n = 0; n < kScreenLines; ++n) at = disass.FormatLine(at, line);
  benchmark::DoNotOptimize(at);
}

}  // namespace bench_code
