#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <vector>

#include "platform/sys/zeroed_pages.h"
#include "tests/platform/sys/sys_test_util.h"

TEST(ZeroedPages, PagesMadeResidentAreThoseAskedForAndStayZero) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  constexpr size_t kPages = 8;
  constexpr size_t kFirst = 2;
  constexpr size_t kCount = 3;
  auto* block = static_cast<unsigned char*>(plat::AllocZeroedPages(kPages * page, page));
  ASSERT_NE(block, nullptr);
  if (!plat::MakePagesResident(block + kFirst * page, kCount * page)) {
    plat::FreeZeroedPages(block, kPages * page);
    GTEST_SKIP() << "this system cannot make pages resident at once";
  }
  std::vector<bool> resident = sys_test::ResidentPages(block, kPages * page, page);
  for (size_t i = 0; i < kPages; ++i) EXPECT_EQ(resident[i], i >= kFirst && i < kFirst + kCount) << i;
  for (size_t i = 0; i < kPages * page; ++i) ASSERT_EQ(block[i], 0) << i;
  plat::FreeZeroedPages(block, kPages * page);
}

// The fill of a block keeps the pages a step ahead of it resident, in whole
// pages and never past the block's end; a fill below the front does nothing.
TEST(ZeroedPages, ResidentFrontKeepsAStepAheadOfTheFill) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  constexpr size_t kPages = 8;
  auto* block = static_cast<char*>(plat::AllocZeroedPages(kPages * page, page));
  ASSERT_NE(block, nullptr);
  if (!plat::MakePagesResident(block, page)) {
    plat::FreeZeroedPages(block, kPages * page);
    GTEST_SKIP() << "this system cannot make pages resident at once";
  }
  char* end = block + kPages * page;
  char* resident = block;
  struct Step {
    size_t fill;        // bytes filled
    size_t step;        // bytes asked for beyond the fill
    size_t frontPages;  // where the front stands after
  };
  const Step kSteps[] = {
      {1, page, 2},              // one byte and a page: two whole pages
      {page, page, 2},           // below the front: nothing moves
      {2 * page + 1, page, 4},   // past it: a page beyond the fill, rounded up
      {5 * page, 10 * page, 8},  // never past the end
  };
  for (const Step& s : kSteps) {
    plat::KeepResidentAhead(resident, block + s.fill, end, s.step);
    EXPECT_EQ(resident, block + s.frontPages * page) << s.fill;
    std::vector<bool> in = sys_test::ResidentPages(block, kPages * page, page);
    for (size_t i = 0; i < s.frontPages; ++i) EXPECT_TRUE(in[i]) << s.fill << " page " << i;
  }
  plat::FreeZeroedPages(block, kPages * page);
}
