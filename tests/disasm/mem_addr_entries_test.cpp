// The blocked entry list of the line source against a plain vector: random
// insertions, removals and renumberings over many blocks, with searches
// from every kind of starting place.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "disasm/mem_addr_entries.h"

namespace {

CMemAddrEntry Entry(int line, DWORD address) {
  CMemAddrEntry e;
  e.line = line;
  e.address = address;
  e.nextAddress = address + 1;
  e.flags = kEntryInstruction;
  return e;
}

class EntryList : public ::testing::Test {
 protected:
  // The place of the k-th entry, found by walking from the first.
  CMemAddrEntries::Pos PlaceOf(size_t k) {
    CMemAddrEntries::Pos p(0, 0);
    while (k-- > 0) p = list.Next(p);
    return p;
  }
  size_t IndexOf(CMemAddrEntries::Pos p) {
    size_t k = 0;
    for (CMemAddrEntries::Pos q(0, 0); !list.IsEnd(q); q = list.Next(q), ++k)
      if (q.block == p.block && q.index == p.index) return k;
    return model.size();
  }
  void ExpectSame() {
    auto all = list.ToVector();
    ASSERT_EQ(all.size(), model.size());
    ASSERT_EQ(list.Size(), model.size());
    for (size_t i = 0; i < model.size(); ++i) {
      ASSERT_EQ(all[i].line, model[i].line) << i;
      ASSERT_EQ(all[i].address, model[i].address) << i;
    }
  }

  CMemAddrEntries list;
  std::vector<CMemAddrEntry> model;
};

TEST_F(EntryList, AgreesWithAPlainList) {
  std::mt19937 rng(3);
  // New entries go halfway between their neighbours' lines and addresses;
  // renumbering keeps the lines ascending.
  for (int step = 0; step < 6000; ++step) {
    int op = int(rng() % 10);
    if (op < 6 || model.empty()) {
      // Insert between two neighbours, where a line and address are free.
      size_t k = model.empty() ? 0 : rng() % (model.size() + 1);
      int lineBefore = k > 0 ? model[k - 1].line : 0;
      int lineAfter = k < model.size() ? model[k].line : lineBefore + 1000;
      if (lineAfter - lineBefore < 2) continue;
      DWORD addressBefore = k > 0 ? model[k - 1].address : 0;
      DWORD addressAfter = k < model.size() ? model[k].address : addressBefore + 1000;
      CMemAddrEntry e = Entry(lineBefore + (lineAfter - lineBefore) / 2,
                              addressBefore + (addressAfter - addressBefore) / 2);
      auto at = list.Insert(k < model.size() ? PlaceOf(k) : list.End(), e);
      model.insert(model.begin() + std::ptrdiff_t(k), e);
      ASSERT_EQ(list.LineAt(at), e.line);
      ASSERT_EQ(IndexOf(at), k);
    } else if (op < 8) {
      size_t k = rng() % model.size();
      auto next = list.Erase(PlaceOf(k));
      model.erase(model.begin() + std::ptrdiff_t(k));
      ASSERT_EQ(IndexOf(next), k);
    } else {
      size_t k = rng() % model.size();
      int delta = int(rng() % 5);
      if (op == 8) {
        list.ShiftFrom(PlaceOf(k), delta);
        for (size_t i = k; i < model.size(); ++i) model[i].line += delta;
      } else {
        list.ShiftThrough(PlaceOf(k), -delta);
        for (size_t i = 0; i <= k; ++i) model[i].line -= delta;
      }
    }
    if (step % 97 == 0) ExpectSame();
  }
  ExpectSame();
  ASSERT_GT(model.size(), 1000u);  // many blocks

  // Searches agree with the plain list from any starting place.
  for (int probe = 0; probe < 2000; ++probe) {
    int line = model.front().line - 2 + int(rng() % (model.back().line - model.front().line + 4));
    DWORD address = DWORD(rng() % (model.back().address + 3));
    size_t wantLine = size_t(std::lower_bound(model.begin(), model.end(), line,
                                              [](const CMemAddrEntry& e, int l) { return e.line < l; }) -
                             model.begin());
    size_t wantAddress =
        size_t(std::lower_bound(model.begin(), model.end(), address,
                                [](const CMemAddrEntry& e, DWORD a) { return e.address < a; }) -
               model.begin());
    // Far, right before the answer, at it, and a stale place past the end.
    for (size_t nearIndex : {size_t(rng() % model.size()), wantLine > 0 ? wantLine - 1 : 0,
                             wantLine < model.size() ? wantLine : 0, model.size() + 5}) {
      CMemAddrEntries::Pos near =
          nearIndex < model.size() ? PlaceOf(nearIndex) : CMemAddrEntries::Pos(0, 1000);
      EXPECT_EQ(IndexOf(list.LowerBoundLine(line, near)), wantLine) << line;
      EXPECT_EQ(IndexOf(list.LowerBoundAddress(address, near)), wantAddress) << address;
    }
  }

  // Walking back visits every entry in reverse.
  CMemAddrEntries::Pos p = PlaceOf(model.size() - 1);
  size_t k = model.size() - 1;
  do {
    ASSERT_EQ(list.LineAt(p), model[k].line);
  } while (k-- > 0 && list.Prev(p));
  EXPECT_EQ(k, size_t(-1));
}

TEST_F(EntryList, RemovingEveryEntryLeavesItEmpty) {
  for (int i = 0; i < 300; ++i) list.Insert(list.End(), Entry(i + 1, DWORD(i)));
  while (list.Size() > 0) list.Erase(PlaceOf(list.Size() / 2));
  EXPECT_TRUE(list.IsEnd(list.LowerBoundLine(1, CMemAddrEntries::Pos(0, 0))));
  EXPECT_TRUE(list.ToVector().empty());
  auto at = list.Insert(list.End(), Entry(7, 7));
  EXPECT_EQ(list.LineAt(at), 7);
}

}  // namespace
