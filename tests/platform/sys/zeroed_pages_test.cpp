#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <vector>

#include "platform/sys/zeroed_pages.h"

namespace {

// Whether each page of [p, p + size) is resident.
std::vector<bool> ResidentPages(void* p, size_t size, size_t page) {
  std::vector<unsigned char> in((size + page - 1) / page);
  EXPECT_EQ(mincore(p, size, in.data()), 0);
  std::vector<bool> out;
  for (unsigned char c : in) out.push_back((c & 1) != 0);
  return out;
}

}  // namespace

TEST(ZeroedPages, PagesMadeResidentAreThoseAskedForAndStayZero) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  constexpr size_t kPages = 8;
  constexpr size_t kFirst = 2;
  constexpr size_t kCount = 3;
  auto* block = static_cast<unsigned char*>(plat::AllocZeroedPages(kPages * page, page));
  ASSERT_NE(block, nullptr);
  ASSERT_TRUE(plat::MakePagesResident(block + kFirst * page, kCount * page));
  std::vector<bool> resident = ResidentPages(block, kPages * page, page);
  for (size_t i = 0; i < kPages; ++i) EXPECT_EQ(resident[i], i >= kFirst && i < kFirst + kCount) << i;
  for (size_t i = 0; i < kPages * page; ++i) ASSERT_EQ(block[i], 0) << i;
  plat::FreeZeroedPages(block, kPages * page);
}
