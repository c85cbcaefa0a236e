// The listed entries of the line source, in list order, kept in blocks so
// that finding, inserting, removing and renumbering entries stay cheap
// however many lines have been listed. A block holds its lines relative to
// a base, so renumbering every entry after a point is one addition a block.
// Searches assume what the line source keeps: lines ascending and
// addresses never descending in list order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/windef.h"

// Kind bits and the gap bits that lookups set on their copy.
constexpr DWORD kEntryKindMask = 3;
constexpr DWORD kEntryInstruction = 1;
constexpr DWORD kEntrySource = 2;
constexpr DWORD kEntryGapBefore = 4;
constexpr DWORD kEntryGapAfter = 8;

// One listed line.
struct CMemAddrEntry {
  int line = 0;
  DWORD address = 0;      // of the instruction (of a source line: its instruction)
  DWORD nextAddress = 0;  // just after that instruction
  WORD sourceLine = 0;
  LPCSTR file = nullptr;
  DWORD flags = 0;

  DWORD Kind() const { return flags & kEntryKindMask; }
};

class CMemAddrEntries {
 public:
  // A place in the list; the end is one block past the last. Valid until
  // the next insertion or removal. Small, so that it travels in a register.
  struct Pos {
    Pos() = default;
    Pos(size_t b, size_t i) : block(uint32_t(b)), index(uint32_t(i)) {}
    uint32_t block = 0;
    uint32_t index = 0;
  };

  size_t Size() const { return m_size; }
  bool IsEnd(Pos p) const { return p.block >= m_blocks.size(); }
  bool IsValid(Pos p) const { return !IsEnd(p) && p.index < m_blocks[p.block].entries.size(); }
  Pos End() const { return {m_blocks.size(), 0}; }
  Pos Next(Pos p) const {
    if (IsEnd(p)) return p;
    if (p.index + 1 < m_blocks[p.block].entries.size()) return {p.block, p.index + 1};
    return {p.block + 1, 0};
  }
  // False at the first entry.
  bool Prev(Pos& p) const {
    if (p.index > 0) {
      --p.index;
      return true;
    }
    if (p.block == 0) return false;
    --p.block;
    p.index = m_blocks[p.block].entries.size() - 1;
    return true;
  }

  // The entry with its line number.
  CMemAddrEntry At(Pos p) const {
    CMemAddrEntry e = m_blocks[p.block].entries[p.index];
    e.line += m_blocks[p.block].base;
    return e;
  }
  int LineAt(Pos p) const { return m_blocks[p.block].base + m_blocks[p.block].entries[p.index].line; }
  DWORD AddressAt(Pos p) const { return m_blocks[p.block].entries[p.index].address; }

  // The first entry at or below a line, at or above an address. A place
  // near the answer (the one before it, or the answer) is tried first,
  // which makes walking through the lines cheap.
  Pos LowerBoundLine(int line, Pos near) const;
  Pos LowerBoundAddress(DWORD address, Pos near) const;

  // Inserts before p (or appends at the end); returns the new entry's place.
  Pos Insert(Pos p, const CMemAddrEntry& entry);
  // Returns the place of the entry that followed.
  Pos Erase(Pos p);
  // Adds delta to the line of p and of every entry after it.
  void ShiftFrom(Pos p, int delta);
  // Adds delta to the line of every entry up to and including p.
  void ShiftThrough(Pos p, int delta);

  std::vector<CMemAddrEntry> ToVector() const;

 private:
  struct Block {
    int base = 0;
    std::vector<CMemAddrEntry> entries;  // lines relative to base
  };
  size_t Split(size_t block, size_t index);
  // The first place whose entry does not lie before what is sought.
  template <class Before>
  Pos FirstNotBefore(Before before, Pos near) const;

  std::vector<Block> m_blocks;  // never an empty block
  size_t m_size = 0;
};
