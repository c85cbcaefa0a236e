#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "a_qjx/memory_view.h"
#include "ytn1/address_conversion.h"

namespace {

TEST(MemoryTexts, SizeTextsChooseTheirUnit) {
  struct Case {
    DWORD size;
    const char* text;
  };
  const Case cases[] = {{0, "0 B"},           {1023, "1023 B"},   {1024, "1 KB"},
                        {0xFFFFF, "1023 KB"}, {0x100000, "1 MB"}, {0xFFFFFFFF, "4095 MB"}};
  for (const Case& c : cases) EXPECT_EQ(std::string(MemorySizeText(c.size)), c.text) << c.size;
}

TEST(MemoryTexts, FreeTextsCountBothEnds) {
  EXPECT_EQ(std::string(FreeBytesText(0x100000, 0x1FFFFF)), "1048576 Bytes");
  EXPECT_EQ(std::string(FreeRangeText(0x100000, 0x1FFFFF)), "100000 hex - 1FFFFF hex");
}

TEST(MemoryTexts, RowShowsHexAndPrintableBytes) {
  constexpr BYTE kBytes[] = {0x41, 0x20, 0x7D, 0x7E, 0x00, 0xFF, 0x1F, 0x61};
  const std::string row = std::string(MemoryRowText(0x12345678, kBytes));
  EXPECT_EQ(row,
            "12345678:\t41\t20\t7D\t7E\t00\tFF\t1F\t61\tA }\xB7\xB7\xB7\xB7"
            "a");
}

// Every byte value, eight to a row, against the row written out by printf:
// the hex columns, the shown characters and the row's length.
TEST(MemoryTexts, EveryByteValueShowsAsPrintfWritesIt) {
  constexpr BYTE kFirstShown = 0x20, kLastShown = 0x7D;
  constexpr char kDot = char(0xB7);
  constexpr DWORD kRowAddress = 0xA0B1C2D3;
  for (int first = 0; first < 256; first += int(kMemoryRowBytes)) {
    BYTE bytes[kMemoryRowBytes];
    std::string expected(16, '\0');
    expected.resize(std::snprintf(expected.data(), expected.size(), "%.8lX:\t", (unsigned long)kRowAddress));
    std::string shown;
    for (DWORD i = 0; i < kMemoryRowBytes; ++i) {
      bytes[i] = BYTE(first + int(i));
      char column[8];
      std::snprintf(column, sizeof column, "%.2X\t", bytes[i]);
      expected += column;
      shown += bytes[i] >= kFirstShown && bytes[i] <= kLastShown ? char(bytes[i]) : kDot;
    }
    expected += shown;
    char row[kMemoryRowTextSize];
    const int length = FormatMemoryRow(kRowAddress, bytes, row);
    EXPECT_EQ(std::string(row, size_t(length)), expected) << first;
    EXPECT_EQ(row[length], '\0') << first;
  }
}

// A view of 64 KB from 0x10000, and the moves from a given address.
constexpr MemoryView kView{0x10000, 0x20000, 0};
constexpr DWORD kLast = 0x20000 - kMemoryPageBytes;

TEST(MemoryView, MovesStayWithinTheView) {
  struct Case {
    DWORD from;
    MemoryMove move;
    DWORD to;
  };
  const Case cases[] = {
      {0x10000, MemoryMove::LineUp, 0x10000},   {0x10004, MemoryMove::LineUp, 0x10000},
      {0x10010, MemoryMove::LineUp, 0x10008},   {0x10000, MemoryMove::PageUp, 0x10000},
      {0x10100, MemoryMove::PageUp, 0x10060},   {0x10000, MemoryMove::LineDown, 0x10008},
      {kLast - 4, MemoryMove::LineDown, kLast}, {kLast, MemoryMove::LineDown, kLast},
      {0x10000, MemoryMove::PageDown, 0x100A0}, {kLast - 100, MemoryMove::PageDown, kLast},
  };
  for (const Case& c : cases) {
    MemoryView view = kView;
    view.address = c.from;
    EXPECT_EQ(MovedViewAddress(view, c.move), c.to) << std::hex << c.from << " move " << int(c.move);
  }
}

TEST(MemoryView, GotoAndThumbClampToTheView) {
  EXPECT_EQ(GotoViewAddress(kView, 0x100), kView.start);
  EXPECT_EQ(GotoViewAddress(kView, 0x18000), 0x18000u);
  EXPECT_EQ(GotoViewAddress(kView, kLast + 1), kLast);
  EXPECT_EQ(GotoViewAddress(kView, 0xFFFFFFFF), kLast);
  EXPECT_EQ(ThumbViewAddress(kView, 0), kView.start);
  // The factor 0.0001 is a single-precision constant, a little below a
  // ten-thousandth: half way lands one byte before the middle.
  EXPECT_EQ(ThumbViewAddress(kView, kMemoryScrollMax / 2), 0x17FFFu);
  EXPECT_EQ(ThumbViewAddress(kView, kMemoryScrollMax), kLast);
  EXPECT_EQ(ThumbViewAddress(kView, kMemoryScrollMax - 1), kLast);
}

TEST(MemoryView, TheWholeAddressSpaceNeverWraps) {
  constexpr MemoryView kAll{0, 0xFFFFFFFF, 0xFFFFFF5A};
  EXPECT_EQ(MovedViewAddress(kAll, MemoryMove::PageDown), 0xFFFFFFFF - kMemoryPageBytes);
  EXPECT_EQ(MovedViewAddress(kAll, MemoryMove::LineDown), 0xFFFFFFFF - kMemoryPageBytes);
  EXPECT_EQ(GotoViewAddress(kAll, 0xFFFFFFF0), 0xFFFFFFFF - kMemoryPageBytes);
}

TEST(MemoryView, EmptyOrShortRangesStayAtTheStart) {
  // End equal to start, and a range shorter than a page: no division by
  // zero, no address below the start.
  const MemoryView views[] = {{0x1000, 0x1000, 0x1000}, {0, 100, 0}, {0x5000, 0x5010, 0x5000}};
  for (const MemoryView& v : views) {
    EXPECT_EQ(LastViewAddress(v), v.start);
    EXPECT_EQ(ViewScrollPosition(v), 0);
    for (MemoryMove m : {MemoryMove::LineUp, MemoryMove::LineDown, MemoryMove::PageUp, MemoryMove::PageDown})
      EXPECT_EQ(MovedViewAddress(v, m), v.start);
    EXPECT_EQ(ThumbViewAddress(v, kMemoryScrollMax / 2), v.start);
    EXPECT_EQ(GotoViewAddress(v, v.start + 8), v.start);
  }
}

TEST(MemoryView, ScrollPositionFollowsTheAddress) {
  MemoryView view = kView;
  view.address = 0x18000;
  EXPECT_EQ(ViewScrollPosition(view), kMemoryScrollMax / 2);
  view.address = view.start;
  EXPECT_EQ(ViewScrollPosition(view), 0);
}

TEST(MemoryEditorInput, AcceptsOneToEightTokensOfOneOrTwoHexDigits) {
  struct Case {
    const char* text;
    bool accepted;
    std::vector<BYTE> bytes;
  };
  const Case cases[] = {
      {"1 22 ff", true, {0x01, 0x22, 0xFF}},
      {"  0a   B  ", true, {0x0A, 0x0B}},
      {"00 11 22 33 44 55 66 77", true, {0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}},
      {"1 22 3ff", false, {}},
      {"", false, {}},
      {"   ", false, {}},
      {"1 2 3 4 5 6 7 8 9", false, {}},
      {"zz", false, {}},
      {"1,2", false, {}},
      {"-1", false, {}},
  };
  for (const Case& c : cases) {
    BYTE bytes[8] = {};
    int count = -1;
    EXPECT_EQ(ParseMemoryBytes(c.text, bytes, &count), c.accepted) << c.text;
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + (c.accepted ? count : 0)), c.bytes) << c.text;
  }
}

TEST(AddressConversion, PhysicalToSegmentOffsetAndBack) {
  struct Case {
    DWORD physical;
    const char* segment;
    const char* offset;
  };
  const Case cases[] = {{0xB8000, "B800", "0000"}, {0x12345, "1234", "0005"}, {0, "0000", "0000"}};
  for (const Case& c : cases) {
    CString segment, offset;
    ytn1::SplitPhysicalAddress(c.physical, &segment, &offset);
    EXPECT_EQ(std::string(segment), c.segment);
    EXPECT_EQ(std::string(offset), c.offset);
  }
  EXPECT_EQ(std::string(ytn1::JoinSegmentOffset("1234", "0010")), "12350");
  EXPECT_EQ(std::string(ytn1::JoinSegmentOffset("FFFF", "FFFF")), "10FFEF");
  EXPECT_EQ(std::string(ytn1::JoinSegmentOffset("xyz", "5")), "5");
  EXPECT_EQ(ytn1::ReadHexText("01234"), 0x1234u);
  EXPECT_EQ(ytn1::ReadHexText("nothex"), 0u);
}

}  // namespace
