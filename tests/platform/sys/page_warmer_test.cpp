#include <gtest/gtest.h>

#include <sys/mman.h>

#include <cstring>
#include <vector>

#include "platform/sys/page_warmer.h"
#include "platform/sys/zeroed_pages.h"
#include "tests/platform/sys/sys_test_util.h"

// A block filled in small bites: the front never falls behind the fill nor
// passes the end, the warmer is given stretches beyond the fill's own
// step, and once the warmer has left the block every page below the front
// is resident, the filled bytes as written and the rest still zero.
TEST(PageWarmer, FrontStaysAheadOfTheFillAndTheBlockKeepsItsBytes) {
  const size_t page = plat::PageBytes();
  constexpr size_t kPages = 512;
  constexpr size_t kStepPages = 8;
  constexpr size_t kLeadPages = 32;
  constexpr size_t kBite = 200;  // bytes filled at a time
  constexpr size_t kFilledPages = 400;
  constexpr char kFill = 'f';
  const size_t size = kPages * page;
  auto* block = static_cast<char*>(plat::AllocZeroedPages(size, page));
  ASSERT_NE(block, nullptr);
  if (!plat::MakePagesResident(block, page)) {
    plat::FreeZeroedPages(block, size);
    GTEST_SKIP() << "this system cannot make pages resident at once";
  }
  char* end = block + size;
  const size_t filled = kFilledPages * page;
  size_t mostAhead = 0;
  {
    plat::PageWarmer warmer;
    plat::WarmFront front{block, nullptr};
    for (size_t at = 0; at < filled; at += kBite) {
      size_t upTo = std::min(at + kBite, filled);
      warmer.KeepAhead(front, block + upTo, end, kStepPages * page, kLeadPages * page);
      ASSERT_GE(front.resident, block + upTo);
      ASSERT_LE(front.resident, end);
      ASSERT_EQ((front.resident - block) % page, 0u);
      mostAhead = std::max(mostAhead, static_cast<size_t>(front.resident - (block + upTo)));
      std::memset(block + at, kFill, upTo - at);
    }
    warmer.Leave(front);
    EXPECT_GT(mostAhead, kStepPages * page);
    std::vector<bool> in = sys_test::ResidentPages(block, size, page);
    size_t frontPages = static_cast<size_t>(front.resident - block) / page;
    for (size_t i = 0; i < frontPages; ++i) ASSERT_TRUE(in[i]) << "page " << i;
  }
  for (size_t i = 0; i < filled; ++i) ASSERT_EQ(block[i], kFill) << i;
  for (size_t i = filled; i < size; ++i) ASSERT_EQ(block[i], 0) << i;
  plat::FreeZeroedPages(block, size);
}
