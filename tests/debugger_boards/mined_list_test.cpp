#include <array>
#include <map>
#include <vector>

#include "debugger/kalven_board.h"
#include "tests/debugger_boards/board_fixture.h"

namespace {

// A chain of 20-byte records in a small memory image.
struct Image {
  std::map<DWORD, std::vector<BYTE>> records;
  void Add(DWORD at, DWORD next, WORD segment, WORD offset, BYTE saved) {
    std::vector<BYTE> r(20, 0);
    for (int i = 0; i < 4; ++i) r[i] = BYTE(next >> (8 * i));
    r[4] = BYTE(offset), r[5] = BYTE(offset >> 8), r[6] = BYTE(segment), r[7] = BYTE(segment >> 8);
    r[10] = saved;
    records[at] = r;
  }
  MinedRecordReader Reader() const {
    return [this](DWORD at, DWORD* next, CMinedAddr* entry) {
      auto it = records.find(at);
      if (it == records.end()) return false;
      DecodeMinedRecord(it->second.data(), next, entry);
      return true;
    };
  }
};

TEST(MinedList, WalksTheChainAndStopsOnBadLists) {
  struct Case {
    const char* what;
    std::vector<std::array<DWORD, 2>> chain;  // record address, next
    WORD result;
    size_t entries;
  } cases[] = {
      {"empty", {}, 0, 0},
      {"three", {{0x100, 0x200}, {0x200, 0x300}, {0x300, 0}}, 0, 3},
      {"self loop", {{0x100, 0x100}}, kMinedListBroken, 1},
      {"cycle", {{0x100, 0x200}, {0x200, 0x100}}, kMinedListBroken, 2},
      {"unreadable", {{0x100, 0x999}}, kMinedListBroken, 1},
  };
  for (const Case& c : cases) {
    Image image;
    WORD i = 0;
    for (const auto& r : c.chain) image.Add(r[0], r[1], 0x1000, WORD(0x10 * i), BYTE(0xA0 + i)), ++i;
    CList<CMinedAddr, const CMinedAddr&> list;
    DWORD head = c.chain.empty() ? 0 : c.chain[0][0];
    EXPECT_EQ(WalkMinedList(head, image.Reader(), list), c.result) << c.what;
    EXPECT_EQ(static_cast<size_t>(list.GetCount()), c.entries) << c.what;
  }
}

TEST(MinedList, RecordFieldsGiveTheLinearAddressAndSavedByte) {
  Image image;
  image.Add(0x40, 0, 0x2000, 0x0012, 0x9C);
  CList<CMinedAddr, const CMinedAddr&> list;
  ASSERT_EQ(WalkMinedList(0x40, image.Reader(), list), 0);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetHead().address, 0x20012u);
  EXPECT_EQ(list.GetHead().saved, 0x9C);
}

TEST(MinedList, LongChainsEnd) {
  // A chain that never repeats but never ends either.
  CList<CMinedAddr, const CMinedAddr&> list;
  auto endless = [](DWORD at, DWORD* next, CMinedAddr* entry) {
    *next = at + 20;
    entry->address = at;
    return true;
  };
  EXPECT_EQ(WalkMinedList(20, endless, list), kMinedListBroken);
}

}  // namespace
