#include "tests/drivers_cpu/program_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/test_support.h"

namespace cpu_test {

std::vector<uint8_t> Assemble(const std::string& source) {
  std::string dir = mirt_test::MakeTempDir("asm");
  mirt_test::WriteFile(dir + "/p.asm", "bits 16\norg 0\n" + source + "\n");
  std::string cmd = "nasm -f bin -o '" + dir + "/p.bin' '" + dir + "/p.asm'";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << "nasm failed on:\n" << source;
  std::string bin = mirt_test::ReadFile(dir + "/p.bin");
  return {bin.begin(), bin.end()};
}

namespace {

void Put16(std::string& s, size_t at, uint16_t v) {
  s[at] = char(v & 0xFF);
  s[at + 1] = char(v >> 8);
}

}  // namespace

std::string MzFile(const std::vector<uint8_t>& module, const MzLayout& layout) {
  constexpr size_t kRelocAt = 0x1C;
  size_t header = (kRelocAt + 4 * layout.relocations.size() + 15) & ~size_t(15);
  std::string file(header, '\0');
  file[0] = 'M';
  file[1] = 'Z';
  size_t total = header + module.size();
  Put16(file, 2, uint16_t(total % 512));
  Put16(file, 4, uint16_t((total + 511) / 512));
  Put16(file, 6, uint16_t(layout.relocations.size()));
  Put16(file, 8, uint16_t(header / 16));
  Put16(file, 10, layout.extraParagraphs);
  Put16(file, 12, 0xFFFF);
  Put16(file, 14, layout.ss);
  Put16(file, 16, layout.sp);
  Put16(file, 20, layout.ip);
  Put16(file, 22, layout.cs);
  Put16(file, 24, uint16_t(kRelocAt));
  for (size_t i = 0; i < layout.relocations.size(); ++i) {
    Put16(file, kRelocAt + 4 * i, layout.relocations[i].first);
    Put16(file, kRelocAt + 4 * i + 2, layout.relocations[i].second);
  }
  file.append(module.begin(), module.end());
  return file;
}

}  // namespace cpu_test
