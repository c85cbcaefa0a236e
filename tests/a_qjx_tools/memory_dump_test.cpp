#include <string>

#include "a_qjx/memory_dump.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint16_t kTesseraBoard = 0;
constexpr WORD kTesseraType = 8;
constexpr DWORD kDumpAt = 0x20000;

class MemoryDumpTest : public FamilyTest {
 protected:
  CBoardFamily& Family() { return Select(kTesseraType, kTesseraBoard); }
  std::string Path() const { return dir + "/dump.txt"; }
};

TEST_F(MemoryDumpTest, LinesStartWithCrLfAndTheirAddress) {
  CBoardFamily& f = Family();
  for (DWORD i = 0; i < 32; ++i) board(kTesseraBoard).memory.Write8(kDumpAt + i, BYTE(i));
  const MemoryDumpRequest request{kDumpAt, kDumpAt + 31, 16, DumpAddresses::Write};
  ASSERT_EQ(WriteMemoryDump(f, Path().c_str(), request), DumpResult::Written);
  constexpr auto kExpected =
      "\r\n00020000: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F "
      "\r\n00020010: 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F "
      "\r\n***************************\r\nMemory dump: 20000 hex to 2001F hex";
  EXPECT_EQ(mirt_test::ReadFile(Path()), kExpected);
}

TEST_F(MemoryDumpTest, WithoutAddressesOneByteALine) {
  CBoardFamily& f = Family();
  board(kTesseraBoard).memory.Write8(kDumpAt, 0xAB);
  board(kTesseraBoard).memory.Write8(kDumpAt + 1, 0x01);
  const MemoryDumpRequest request{kDumpAt, kDumpAt + 1, 1, DumpAddresses::Omit};
  ASSERT_EQ(WriteMemoryDump(f, Path().c_str(), request), DumpResult::Written);
  EXPECT_EQ(mirt_test::ReadFile(Path()),
            "\r\nAB \r\n01 \r\n***************************\r\nMemory dump: 20000 hex to 20001 hex");
}

TEST_F(MemoryDumpTest, LargeRangesAreReadInBlocks) {
  // A megabyte is read block by block, never all at once, and every byte
  // lands in the file.
  constexpr DWORD kRange = 0x100000;
  constexpr int kLineSize = 0x1000;
  CBoardFamily& f = Family();
  board(kTesseraBoard).memory.Write8(kDumpAt + kRange - 1, 0x5A);
  const MemoryDumpRequest request{kDumpAt, kDumpAt + kRange - 1, kLineSize, DumpAddresses::Omit};
  ASSERT_EQ(WriteMemoryDump(f, Path().c_str(), request), DumpResult::Written);
  for (long long count : Results("qj8_read_ram")) EXPECT_EQ(count, 0);  // every read succeeded
  EXPECT_GT(Results("qj8_read_ram").size(), 1u);
  const std::string text = mirt_test::ReadFile(Path());
  constexpr size_t kLines = kRange / kLineSize;
  const std::string trailer = "\r\n***************************\r\nMemory dump: 20000 hex to 11FFFF hex";
  EXPECT_EQ(text.size(), kLines * 2 + kRange * 3 + trailer.size());
  EXPECT_EQ(text.substr(text.size() - trailer.size() - 3), "5A " + trailer);
}

TEST_F(MemoryDumpTest, AReadErrorEndsTheDumpWithoutTrailer) {
  CBoardFamily& f = Family();
  sim().Faults().Add({"qj8_read_ram", 2, 0x26, 1});
  const MemoryDumpRequest request{kDumpAt, kDumpAt + 15, 16, DumpAddresses::Omit};
  EXPECT_EQ(WriteMemoryDump(f, Path().c_str(), request), DumpResult::ReadError);
  EXPECT_EQ(mirt_test::ReadFile(Path()).find("Memory dump"), std::string::npos);
  EXPECT_FALSE(BoxTexts().empty());  // the driver error was shown
}

TEST_F(MemoryDumpTest, AFileThatCannotBeMadeIsAFileError) {
  CBoardFamily& f = Family();
  const MemoryDumpRequest request{kDumpAt, kDumpAt, 1, DumpAddresses::Omit};
  EXPECT_EQ(WriteMemoryDump(f, (dir + "/missing/dump.txt").c_str(), request), DumpResult::FileError);
  EXPECT_EQ(WriteMemoryDump(f, "", request), DumpResult::FileError);
}

}  // namespace
