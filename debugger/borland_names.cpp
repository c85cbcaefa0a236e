#include "debugger/borland_names.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>

namespace {

// Eight bytes, the first in the lowest byte.
uint64_t Le64(const char* p) {
  uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, p, 8);
  } else {
    for (int i = 7; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(p[i]);
  }
  return v;
}

// The top bit of each NUL byte of v.
uint64_t NulBits(uint64_t v) {
  const uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
  return ~(((v & low7) + low7) | v | low7);
}

// How many bits NulBits set: one bit per byte, summed up in the top byte.
int CountNuls(uint64_t nuls) { return int(((nuls >> 7) * 0x0101010101010101ull) >> 56); }

typedef uint8_t Bytes16 __attribute__((vector_size(16)));
typedef uint64_t Words2 __attribute__((vector_size(16)));

// The NUL bytes among the 64 at p.
size_t NulsIn64(const char* p) {
  Bytes16 perLane = {};  // at most 4 in a lane
  for (int k = 0; k < 4; ++k) {
    Bytes16 v;
    std::memcpy(&v, p + 16 * k, 16);
    perLane -= reinterpret_cast<Bytes16>(v == 0);
  }
  const Words2 w = reinterpret_cast<Words2>(perLane);
  return size_t(((w[0] + w[1]) * 0x0101010101010101ull) >> 56);
}

// How many names the pool can start: the header's count, at most one more
// than the bytes that may end a name.
size_t NamesInReach(const BorlandDebugInfo& d) { return std::min<size_t>(d.nameCount, d.PoolSize() + 1); }

// Bytes that may end a name.
size_t ScanSize(const BorlandDebugInfo& d) { return d.PoolSize() ? d.PoolSize() - 1 : 0; }

}  // namespace

std::vector<uint32_t> IndexNames(const BorlandDebugInfo& d) {
  std::vector<uint32_t> starts;
  const size_t wanted = NamesInReach(d);
  if (wanted == 0) return starts;
  starts.resize(wanted);
  uint32_t* out = starts.data();
  size_t n = 1;  // out[0] = 0: the first name starts the pool
  const char* pool = d.Pool();
  const size_t scan = ScanSize(d);
  size_t i = 0;
  // Eight bytes at a time while their NULs surely fit: the first two
  // are stored without asking whether they are there, the count says.
  for (; i + 8 <= scan && n + 8 <= wanted; i += 8) {
    uint64_t nuls = NulBits(Le64(pool + i));
    const int count = CountNuls(nuls);
    out[n] = uint32_t(i + size_t(std::countr_zero(nuls) / 8) + 1);
    nuls &= nuls - 1;
    out[n + 1] = uint32_t(i + size_t(std::countr_zero(nuls) / 8) + 1);
    for (int k = 2; k < count; ++k) {
      nuls &= nuls - 1;
      out[n + k] = uint32_t(i + size_t(std::countr_zero(nuls) / 8) + 1);
    }
    n += size_t(count);
  }
  for (; i < scan && n < wanted; ++i) {
    if (pool[i] == '\0') out[n++] = uint32_t(i + 1);
  }
  starts.resize(n);
  return starts;
}

void FindNameOffsets(const BorlandDebugInfo& d, const uint32_t* indexes, size_t n, uint32_t* offsets) {
  // Visited by ascending index: name k + 1 starts behind NUL number k.
  std::vector<uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return indexes[a] < indexes[b]; });
  const size_t reach = NamesInReach(d);
  const char* pool = d.Pool();
  const size_t scan = ScanSize(d);
  size_t nulsBefore = 0;  // NULs in pool[0, i)
  size_t i = 0;
  for (uint32_t slot : order) {
    const uint32_t index = indexes[slot];
    if (index == 0 || index > reach) {
      offsets[slot] = d.EndOfPool();
      continue;
    }
    const size_t nul = index - 1;  // the name starts behind NUL number `nul`
    if (nul == 0) {
      offsets[slot] = 0;
      continue;
    }
    // Whole blocks, then words, while that NUL lies beyond them.
    for (; i + 64 <= scan; i += 64) {
      const size_t count = NulsIn64(pool + i);
      if (nulsBefore + count >= nul) break;
      nulsBefore += count;
    }
    for (; i + 8 <= scan; i += 8) {
      const size_t count = size_t(CountNuls(NulBits(Le64(pool + i))));
      if (nulsBefore + count >= nul) break;
      nulsBefore += count;
    }
    for (; i < scan && nulsBefore < nul; ++i) nulsBefore += pool[i] == '\0';
    offsets[slot] = nulsBefore == nul ? uint32_t(i) : d.EndOfPool();
  }
}
