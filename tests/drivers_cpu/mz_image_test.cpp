#include <gtest/gtest.h>

#include "drivers/sim/mz_image.h"
#include "tests/drivers_cpu/program_builder.h"

namespace {

using cpu_test::MzFile;
using cpu_test::MzLayout;

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> Module(size_t n) {
  std::vector<uint8_t> m(n);
  for (size_t i = 0; i < n; ++i) m[i] = uint8_t(i * 7);
  return m;
}

MzLayout Layout() {
  MzLayout l;
  l.ip = 0x10;
  l.cs = 0x1;
  l.ss = 0x20;
  l.sp = 0x200;
  l.extraParagraphs = 0x30;
  l.relocations = {{0x2, 0x0}, {0x4, 0x1}};
  return l;
}

TEST(MzImage, ReadsHeaderModuleAndRelocations) {
  std::vector<uint8_t> module = Module(600);  // crosses a page boundary
  std::vector<uint8_t> file = Bytes(MzFile(module, Layout()));
  file.insert(file.end(), {'t', 'a', 'i', 'l'});  // overlay data after the image
  sim::MzImage img;
  ASSERT_TRUE(sim::ParseMz(file.data(), file.size(), &img));
  EXPECT_EQ(img.module, module);
  EXPECT_EQ(img.ip, 0x10);
  EXPECT_EQ(img.cs, 0x1);
  EXPECT_EQ(img.ss, 0x20);
  EXPECT_EQ(img.sp, 0x200);
  EXPECT_EQ(img.extraBytes, 0x300u);
  EXPECT_EQ(sim::MzMemorySize(img), 600u + 0x300u);
  ASSERT_EQ(img.relocations.size(), 2u);
  EXPECT_EQ(img.relocations[1].offset, 0x4);
  EXPECT_EQ(img.relocations[1].segment, 0x1);
}

TEST(MzImage, FullLastPage) {
  // 32 header bytes + 480 module bytes fill one page: the last-page count is 0.
  std::vector<uint8_t> file = Bytes(MzFile(Module(480), MzLayout{}));
  ASSERT_EQ(file[2] | file[3] << 8, 0);
  sim::MzImage img;
  ASSERT_TRUE(sim::ParseMz(file.data(), file.size(), &img));
  EXPECT_EQ(img.module.size(), 480u);
}

TEST(MzImage, LoadRelocatesAtTheLoadSegment) {
  std::vector<uint8_t> module(0x20, 0);
  module[0x2] = 0x05;   // word 0x0005 at 0:2
  module[0x14] = 0xFF;  // word 0xFFFF at 1:4 (wraps)
  module[0x15] = 0xFF;
  module[0x8] = 0x77;  // not relocated
  std::vector<uint8_t> file = Bytes(MzFile(module, Layout()));
  sim::MzImage img;
  ASSERT_TRUE(sim::ParseMz(file.data(), file.size(), &img));
  sim::SparseMemory mem;
  sim::LoadMz(img, 0x1234, mem);
  EXPECT_EQ(mem.Read16(0x12340 + 0x2), 0x1239);
  EXPECT_EQ(mem.Read16(0x12340 + 0x14), 0x1233);
  EXPECT_EQ(mem.Read8(0x12340 + 0x8), 0x77);
  EXPECT_EQ(mem.Read8(0x12340 + 0x20), 0);  // nothing past the module
}

TEST(MzImage, RejectsMalformedFiles) {
  const std::vector<uint8_t> good = Bytes(MzFile(Module(0x40), Layout()));
  struct Case {
    const char* what;
    size_t at;  // word to change (SIZE_MAX: cut the file to `value` bytes)
    uint16_t value;
  };
  const Case cases[] = {
      {"wrong magic", 0, 0x5A4E},
      {"no pages", 4, 0},
      {"last page count past a page", 2, 512},
      {"image longer than the file", 4, 9},
      {"header past the image", 8, 0x40},
      {"header shorter than its fields", 8, 1},
      {"relocation table past the header", 6, 40},
      {"relocation outside the module", 0x1C, 0x3F},
      {"too much memory asked", 10, 0xF000},
      {"short header", SIZE_MAX, 20},
      {"cut module", SIZE_MAX, 0x40},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> f = good;
    if (c.at == SIZE_MAX) {
      f.resize(c.value);
    } else {
      f[c.at] = uint8_t(c.value);
      f[c.at + 1] = uint8_t(c.value >> 8);
    }
    sim::MzImage img;
    EXPECT_FALSE(sim::ParseMz(f.data(), f.size(), &img)) << c.what;
  }
  sim::MzImage img;
  EXPECT_TRUE(sim::ParseMz(good.data(), good.size(), &img));
}

}  // namespace
