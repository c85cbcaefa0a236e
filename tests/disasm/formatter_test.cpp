// Listing lines over target memory: address column, breakpoint bytes put
// back, unreadable memory, the previous line and the call test.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "disasm/listing_line.h"
#include "tests/disasm/code_memory.h"
#include "tests/disasm/fake_session.h"

using disasm_test::FakeBreakpoints;
using disasm_test::FakeTarget;
using disasm_test::Hex;

namespace {

std::string Trimmed(const char* line) {
  std::string s(line);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

class Formatter : public ::testing::Test {
 protected:
  void TearDown() override { g_pDisassBreakpoints = nullptr; }
};

TEST_F(Formatter, LineHasAddressColumnAndInstruction) {
  FakeTarget target(0x1234, Hex("B8 34 12 90"));
  CDisassx86 disass(&target);
  char line[kDisassLineSize];
  EXPECT_EQ(disass.FormatLine(0x1234, line), 0x1237u);
  EXPECT_EQ(std::string(line, 10), "00001234: ");
  EXPECT_EQ(Trimmed(line), "00001234: mov     ax,01234h");
  EXPECT_EQ(std::strlen(line), 10u + 17u + 43u);
}

TEST_F(Formatter, PlantedBreakpointShowsTheProgramsOwnBytes) {
  FakeTarget target(0x100, Hex("CC CC 12 90"));
  FakeBreakpoints bps;
  bps.saved[0x100] = {0xB8};
  bps.saved[0x101] = {0x34};
  g_pDisassBreakpoints = &bps;
  CDisassx86 disass(&target);
  char line[kDisassLineSize];
  EXPECT_EQ(disass.FormatLine(0x100, line), 0x103u);
  EXPECT_EQ(Trimmed(line), "00000100: mov     ax,01234h");
}

TEST_F(Formatter, SavedBytesLongerThanTheRequestAreCut) {
  FakeTarget target(0, Hex("CC CC CC"));
  FakeBreakpoints bps;
  bps.saved[0] = {0x90, 0x40, 0x41};
  g_pDisassBreakpoints = &bps;
  BYTE buf[2] = {0, 0};
  CDisassx86 disass(&target);
  EXPECT_EQ(ReadCodeBytes(0, buf, 1), 0);
  EXPECT_EQ(buf[0], 0x90);
  EXPECT_EQ(buf[1], 0);
}

TEST_F(Formatter, UnreadableMemoryIsShownAsSuch) {
  FakeTarget target(0, Hex("B8 34 12 B8 34 12"));
  target.MakeUnreadable(4, 6);
  CDisassx86 disass(&target);
  char line[kDisassLineSize];
  EXPECT_EQ(disass.FormatLine(0, line), 3u);
  // The instruction at 3 runs into unreadable bytes.
  EXPECT_EQ(disass.FormatLine(3, line), 4u);
  EXPECT_EQ(Trimmed(line), "00000003: ??");
  EXPECT_EQ(disass.FormatLine(0x5000, line), 0x5001u);
  EXPECT_EQ(Trimmed(line), "00005000: ??");
}

TEST_F(Formatter, PreviousLineCarriesItsOwnAddress) {
  FakeTarget target(0, Hex("B8 34 12 B8 34 12 B8 34 12"));
  CDisassx86 disass(&target);
  char line[kDisassLineSize];
  DWORD addr = 6;
  EXPECT_EQ(disass.FormatPreviousLine(&addr, line), 3u);
  EXPECT_EQ(addr, 6u);
  EXPECT_EQ(Trimmed(line), "00000003: mov     ax,01234h");
  addr = 7;
  EXPECT_EQ(disass.FormatPreviousLine(&addr, line), 6u);
  EXPECT_EQ(addr, 9u);
  EXPECT_EQ(std::string(line), "00000006: (mov     ax,01234h)");
}

TEST_F(Formatter, CallTest) {
  FakeTarget target(0, {});
  CDisassx86 disass(&target);
  const struct {
    const char* line;
    int call;
  } cases[] = {
      {"00000000: call    00001234", 1},
      {"00000000: CALL    far word ptr [bx]", 1},
      {"00000000: lcall   1234:5678", 1},
      {"00000000: LCall   x", 1},
      {"00000000: mov     ax,call", 0},
      {"00000000: calx", 0},
      {"00000000: ", 0},
      {"short", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(disass.IsCallInstruction(c.line), c.call) << c.line;
}

}  // namespace
