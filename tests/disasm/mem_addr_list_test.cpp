// The line source: line numbers, walking down and up, jumps, source lines
// above their instruction, lookups both ways and line flags.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "debugger/segoff.h"
#include "disasm/listing_line.h"
#include "disasm/mem_addr_list.h"
#include "platform/sys/msgbox.h"
#include "tests/disasm/fake_session.h"

using disasm_test::FakeBreakpoints;
using disasm_test::FakeSourceDoc;
using disasm_test::FakeSourceInfo;
using disasm_test::FakeTarget;

namespace {

// 1 MB of "mov ax,01234h" (3 bytes) and "nop" in turn: instructions start
// at 4k and 4k + 3.
std::vector<BYTE> Code() {
  std::vector<BYTE> v(0x100000);
  for (size_t i = 0; i < v.size(); i += 4) {
    v[i] = 0xB8;
    v[i + 1] = 0x34;
    v[i + 2] = 0x12;
    v[i + 3] = 0x90;
  }
  return v;
}

DWORD AddressOfText(const char* text) { return DWORD(std::strtoul(text, nullptr, 16)); }

class LineSource : public ::testing::Test {
 protected:
  void SetUp() override {
    disass = std::make_unique<CDisassx86>(&target);
    g_pDisass = disass.get();
    FakeSourceDoc::created = 0;
    FakeSourceDoc::files = {{"main.c", {"int x;", "x = 1;", "y = 2;"}}};
    g_pfnNewDisassSourceDoc = FakeSourceDoc::Create;
  }
  void TearDown() override {
    g_pDisass = nullptr;
    g_pDisassBreakpoints = nullptr;
    g_pDisassSourceInfo = nullptr;
    g_pfnNewDisassSourceDoc = nullptr;
  }

  struct Shown {
    std::string text;
    DWORD flags;
    int line;
  };
  Shown Line(int n, DWORD flagsIn = 0) {
    DisassLine l;
    l.flags = flagsIn;
    int at = list.GetLine(n, l);
    Shown s{l.text, l.flags, at};
    EXPECT_EQ(l.length, int(s.text.size()));
    delete[] l.text;
    while (!s.text.empty() && s.text.back() == ' ') s.text.pop_back();
    return s;
  }
  DWORD AddressOfLine(int n) { return AddressOfText(Line(n).text.c_str()); }

  FakeTarget target{0, Code()};
  std::unique_ptr<CDisassx86> disass;
  CMemAddrList list;
};

TEST_F(LineSource, LineNumbersAndMemoryRange) {
  EXPECT_EQ(list.GetLineCount(), 524291);
  EXPECT_FALSE(list.IsLineValid(0));
  EXPECT_FALSE(list.IsLineValid(-5));
  EXPECT_TRUE(list.IsLineValid(1));
  EXPECT_TRUE(list.IsLineInMemory(524290));
  EXPECT_FALSE(list.IsLineInMemory(524291));
}

TEST_F(LineSource, WalkingDownListsTheFollowingInstructions) {
  EXPECT_EQ(Line(1).text, "00000000: mov     ax,01234h");
  const DWORD expected[] = {3, 4, 7, 8, 11};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(AddressOfLine(i + 2), expected[i]);
  EXPECT_EQ(Line(2).text, "00000003: nop");
  EXPECT_EQ(list.Entries().size(), 6u);
}

TEST_F(LineSource, SourceLinesStandAboveTheirInstruction) {
  FakeSourceInfo info;
  info.lines[4] = {"main.c", 2, 3};
  g_pDisassSourceInfo = &info;
  Line(1);
  Line(2);
  Shown s = Line(3);
  EXPECT_EQ(s.text, "main.c 2:x = 1;");
  EXPECT_EQ(s.flags, kLineSource);
  EXPECT_EQ(Line(4).text, "main.c 3:y = 2;");
  s = Line(5);
  EXPECT_EQ(s.text, "00000004: mov     ax,01234h");
  EXPECT_EQ(s.flags, 0u);
  EXPECT_EQ(AddressOfLine(6), 7u);
  // One hidden document serves every line of the file.
  EXPECT_EQ(FakeSourceDoc::created, 1);
  // The address's line is its instruction, not its source lines.
  CAddr at;
  LinearToSegOff(at, 4);
  EXPECT_EQ(list.LineFromAddress(&at), 5);
}

TEST_F(LineSource, FirstLineWithSourceLines) {
  FakeSourceInfo info;
  info.lines[0] = {"main.c", 1, 1};
  g_pDisassSourceInfo = &info;
  EXPECT_EQ(Line(1).text, "main.c 1:int x;");
  EXPECT_EQ(Line(2).text, "00000000: mov     ax,01234h");
  EXPECT_EQ(AddressOfLine(3), 3u);
}

TEST_F(LineSource, AddressLookupListsOnceAndFindsAgain) {
  CAddr at;
  LinearToSegOff(at, 0x1000);
  int line = list.LineFromAddress(&at);
  EXPECT_EQ(line, (0x1000 + 4) / 2 + 1);
  size_t listed = list.Entries().size();
  EXPECT_EQ(list.LineFromAddress(&at), line);
  EXPECT_EQ(list.Entries().size(), listed);
  EXPECT_EQ(Line(line).text, "00001000: mov     ax,01234h");
  CMemAddrEntry e;
  list.FindLine(&at, e, TRUE);
  EXPECT_EQ(e.Kind(), kEntryInstruction);
  EXPECT_EQ(e.nextAddress, 0x1003u);
  LinearToSegOff(at, 0x1001);
  list.FindLine(&at, e, TRUE);
  EXPECT_EQ(e.Kind(), 0u);
}

TEST_F(LineSource, JumpAndWalkBothWays) {
  // Line 10000 estimates 19994, inside the instruction at 19992.
  EXPECT_EQ(AddressOfLine(10000), 19992u);
  EXPECT_EQ(AddressOfLine(10001), 19995u);
  EXPECT_EQ(AddressOfLine(9999), 19991u);
  EXPECT_EQ(AddressOfLine(9998), 19988u);
  // A walk down after the walk up continues where it left off.
  EXPECT_EQ(AddressOfLine(10002), 19996u);
  const auto& entries = list.Entries();
  for (size_t i = 1; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].line, entries[i - 1].line + 1);
    EXPECT_EQ(entries[i].address, entries[i - 1].nextAddress);
  }
}

TEST_F(LineSource, WalkMergesWithALaterListedAddress) {
  CAddr at;
  LinearToSegOff(at, 12);
  EXPECT_EQ(list.LineFromAddress(&at), 9);
  for (int n = 1; n <= 8; ++n) Line(n);
  // The walk reached address 12 at line 7: the listed entry moved there.
  EXPECT_EQ(list.LineFromAddress(&at), 7);
  EXPECT_EQ(AddressOfLine(7), 12u);
  EXPECT_EQ(AddressOfLine(8), 15u);
  EXPECT_EQ(AddressOfLine(9), 16u);
}

TEST_F(LineSource, WalkPassesAStrayEntryInsideAnInstruction) {
  CAddr at;
  LinearToSegOff(at, 13);  // inside the instruction at 12
  list.LineFromAddress(&at);
  DWORD expected = 0;
  for (int n = 1; n <= 14; ++n) {
    DWORD a = AddressOfLine(n);
    EXPECT_EQ(a, expected) << n;
    expected = a + ((a % 4) == 0 ? 3 : 1);
  }
  for (const CMemAddrEntry& e : list.Entries()) EXPECT_NE(e.address, 13u);
}

TEST_F(LineSource, JumpBesideAWalkKeepsLinesAndAddressesInOrder) {
  for (int n = 1; n <= 40; ++n) Line(n);
  // Line 42 estimates address 78, below the 79 the walk reached at line 40.
  DWORD jumped = AddressOfLine(42);
  EXPECT_LE(jumped, 78u);
  CMemAddrEntry prev{};
  for (const CMemAddrEntry& e : list.Entries()) {
    EXPECT_GT(e.line, prev.line);
    EXPECT_GE(e.address, prev.address);
    prev = e;
  }
  // Both ways the jumped line is found again.
  CAddr at;
  LinearToSegOff(at, jumped);
  EXPECT_EQ(list.LineFromAddress(&at), 42);
  EXPECT_EQ(AddressOfLine(42), jumped);
}

// Jumps, walks and address lookups that run into each other, with source
// lines at some addresses: lines and addresses stay in order, a line shows
// the same thing when asked again, and every listed instruction is found
// by its address.
TEST_F(LineSource, MixedJumpsAndWalksStayConsistent) {
  FakeSourceInfo info;
  for (DWORD a = 0; a < 400; a += 28) info.lines[a] = {"main.c", short(1 + a % 3), short(1 + a % 3 + a % 2)};
  g_pDisassSourceInfo = &info;
  std::mt19937 rng(17);
  int last = 1;
  for (int step = 0; step < 3000; ++step) {
    int op = int(rng() % 8);
    if (op == 0) {
      DWORD address = rng() % 400;
      CAddr at;
      LinearToSegOff(at, address);
      last = list.LineFromAddress(&at);
      CMemAddrEntry found;
      list.FindLine(&at, found, TRUE);
      ASSERT_EQ(found.line, last) << step;
    } else {
      int n = op < 4   ? last + 1
              : op < 6 ? last - 1
              : op < 7 ? 1 + int(rng() % 200)
                       : last + int(rng() % 30) - 15;
      Shown shown = Line(n < 1 ? 1 : n);
      Shown again = Line(shown.line);
      ASSERT_EQ(again.line, shown.line) << step;
      ASSERT_EQ(again.flags & kLineSource, shown.flags & kLineSource) << step;
      // A line decoded backwards may show its instruction in parentheses.
      if (shown.flags & kLineSource)
        ASSERT_EQ(again.text, shown.text) << step;
      else
        ASSERT_EQ(AddressOfText(again.text.c_str()), AddressOfText(shown.text.c_str())) << step;
      last = shown.line;
    }
    auto entries = list.Entries();
    for (size_t i = 1; i < entries.size(); ++i) {
      ASSERT_LT(entries[i - 1].line, entries[i].line) << step;
      ASSERT_LE(entries[i - 1].address, entries[i].address) << step;
    }
    if (step % 50 != 0) continue;
    for (const CMemAddrEntry& e : entries) {
      if (e.Kind() != kEntryInstruction) continue;
      CAddr at;
      LinearToSegOff(at, e.address);
      CMemAddrEntry found;
      list.FindLine(&at, found, TRUE);
      ASSERT_EQ(found.Kind(), kEntryInstruction) << step;
      ASSERT_EQ(found.address, e.address) << step;
    }
  }
}

TEST_F(LineSource, BreakpointFlagAndCallersBits) {
  FakeBreakpoints bps;
  bps.user[3] = true;
  g_pDisassBreakpoints = &bps;
  EXPECT_EQ(Line(1, 0x104).flags, 0x100u);
  EXPECT_EQ(Line(2, 0x100).flags, 0x100u | kLineBreakpoint);
  FakeSourceInfo info;
  info.lines[4] = {"main.c", 2, 2};
  bps.user[4] = true;
  g_pDisassSourceInfo = &info;
  EXPECT_EQ(Line(3).flags, kLineSource);
  EXPECT_EQ(Line(4).flags, kLineBreakpoint);
}

TEST_F(LineSource, SourceLineText) {
  char out[CMemAddrList::kLineTextSize];
  list.FormatSourceLine("main.c", 2, out);
  EXPECT_STREQ(out, "main.c 2:x = 1;");
  // A file that cannot be loaded still gets its document, once.
  list.FormatSourceLine("gone.c", 4, out);
  list.FormatSourceLine("gone.c", 5, out);
  EXPECT_STREQ(out, "gone.c 5:");
  EXPECT_EQ(FakeSourceDoc::created, 2);
  std::string longName(400, 'a');
  list.FormatSourceLine(longName.c_str(), 1, out);
  EXPECT_EQ(std::string(out), longName.substr(0, CMemAddrList::kLineTextSize - 1));
}

TEST_F(LineSource, FileNamesOutliveTheDebugInformation) {
  auto info = std::make_unique<FakeSourceInfo>();
  info->lines[0] = {"main.c", 1, 1};
  g_pDisassSourceInfo = info.get();
  Line(1);
  g_pDisassSourceInfo = nullptr;
  info.reset();
  EXPECT_EQ(Line(1).text, "main.c 1:int x;");
}

TEST_F(LineSource, WithoutADisassemblerLinesShowTheirAddress) {
  g_pDisass = nullptr;
  EXPECT_EQ(Line(1).text, "00000000:");
  EXPECT_EQ(Line(2).text, "00000001:");
}

TEST_F(LineSource, InsertionAtATakenLineShiftsByDirection) {
  constexpr int kLine = 10;
  constexpr DWORD kOld = 0x40, kBefore = 0x20, kBehind = 0x80;
  constexpr int kDown = 2, kUp = 1, kUnknown = 3;
  struct {
    int direction;
    DWORD added;  // lines and addresses keep one order
    int oldLine;  // where the entry that was there ends up
    bool box;
  } cases[] = {
      {kDown, kBefore, kLine + 1, false}, {kUp, kBehind, kLine - 1, false}, {kUnknown, kBefore, kLine, true}};
  for (auto& c : cases) {
    CMemAddrList fresh;
    ASSERT_EQ(fresh.InsertInstructionEntry(kLine, kOld, kOld + 3, kDown), kLine);
    plat::ClearMessageBoxRecords();
    EXPECT_EQ(fresh.InsertInstructionEntry(kLine, c.added, c.added + 3, c.direction), kLine);
    auto records = plat::MessageBoxRecords();
    ASSERT_EQ(records.size(), c.box ? 1u : 0u) << c.direction;
    if (c.box) {
      EXPECT_EQ(records[0].text, "incorrect code for insertion direction");
      EXPECT_EQ(records[0].caption, "Error");
      continue;
    }
    CMemAddrEntry moved, inserted;
    fresh.GetEntry(c.oldLine, moved);
    fresh.GetEntry(kLine, inserted);
    EXPECT_EQ(moved.address, kOld) << c.direction;
    EXPECT_EQ(inserted.address, c.added) << c.direction;
  }
}

TEST_F(LineSource, BookmarksAreNotAvailable) {
  plat::ClearMessageBoxRecords();
  list.ToggleBookmark(0, 0);
  auto records = plat::MessageBoxRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].text, "bookmarks are not implemented yet");
  EXPECT_EQ(records[0].caption, "Sorry");
}

}  // namespace
