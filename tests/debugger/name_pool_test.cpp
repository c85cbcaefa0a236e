// Name starts of the name pool: the whole index and the lookup of a few
// names must both agree with a byte-by-byte reading of the pool.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "debugger/borland_names.h"

namespace {

// Name 1 starts the pool, name k + 1 starts behind its k-th NUL (not the
// pool's last byte); at most `count` names.
std::vector<uint32_t> PlainStarts(const std::string& pool, uint32_t count) {
  std::vector<uint32_t> starts;
  if (count == 0) return starts;
  starts.push_back(0);
  for (size_t i = 0; i + 1 < pool.size() && starts.size() < count; ++i) {
    if (pool[i] == '\0') starts.push_back(uint32_t(i + 1));
  }
  return starts;
}

std::string ManyNames(int n, bool terminated) {
  std::string pool;
  for (int i = 0; i < n; ++i) {
    pool += std::string(size_t(i * 7 % 23), char('a' + i % 26));  // some empty
    pool += '\0';
  }
  if (!terminated) pool += "tail";
  return pool;
}

struct PoolCase {
  const char* name;
  std::string pool;
  uint32_t count;
};

TEST(NamePool, IndexAndLookupFollowThePool) {
  using namespace std::string_literals;
  const PoolCase cases[] = {
      {"three names", "a\0bb\0c\0"s, 3},
      {"no final NUL", "a\0b"s, 2},
      {"more names counted than held", "a\0b\0"s, 5},
      {"empty pool", ""s, 2},
      {"empty names", "\0\0\0x\0"s, 4},
      {"no names counted", "a\0b\0"s, 0},
      {"long pool", ManyNames(300, true), 300},
      {"long pool, count beyond", ManyNames(300, true), 310},
      {"long pool without final NUL", ManyNames(257, false), 258},
      {"long pool, fewer counted", ManyNames(300, true), 150},
  };
  std::mt19937 random(3);
  for (const PoolCase& c : cases) {
    SCOPED_TRACE(c.name);
    BorlandDebugInfo d;
    d.SetPool(c.pool.data(), c.pool.size());
    d.nameCount = c.count;
    const std::vector<uint32_t> expected = PlainStarts(c.pool, c.count);
    EXPECT_EQ(IndexNames(d), expected);

    // Every index (with 0, repeats and some past the end) in any order.
    std::vector<uint32_t> indexes;
    for (uint32_t i = 0; i <= c.count + 2; ++i) indexes.insert(indexes.end(), {i, i});
    std::shuffle(indexes.begin(), indexes.end(), random);
    std::vector<uint32_t> offsets(indexes.size());
    FindNameOffsets(d, indexes.data(), indexes.size(), offsets.data());
    for (size_t k = 0; k < indexes.size(); ++k) {
      const uint32_t i = indexes[k];
      const uint32_t want = i == 0 || i > expected.size() ? d.EndOfPool() : expected[i - 1];
      EXPECT_EQ(offsets[k], want) << "name " << i;
    }
  }
}

}  // namespace
