#include "disasm/mem_addr_entries.h"

#include <algorithm>

namespace {

// A full block splits in two halves.
constexpr size_t kBlockLimit = 128;
// An insertion that would move more entries of its block splits the block
// there instead, so that runs of insertions (walking through lines never
// listed) add at a block end.
constexpr size_t kMoveLimit = 8;

}  // namespace

template <class Before>
CMemAddrEntries::Pos CMemAddrEntries::FirstNotBefore(Before before, Pos near) const {
  if (IsValid(near)) {
    if (before(near)) {
      Pos next = Next(near);
      if (IsEnd(next) || !before(next)) return next;
    } else {
      Pos previous = near;
      if (!Prev(previous) || before(previous)) return near;
    }
  }
  // By halves over the blocks (their last entries), then within the block.
  size_t low = 0, high = m_blocks.size();
  while (low < high) {
    size_t mid = (low + high) / 2;
    if (before(Pos{mid, m_blocks[mid].entries.size() - 1}))
      low = mid + 1;
    else
      high = mid;
  }
  if (low == m_blocks.size()) return End();
  size_t first = 0, last = m_blocks[low].entries.size();
  while (first < last) {
    size_t mid = (first + last) / 2;
    if (before(Pos{low, mid}))
      first = mid + 1;
    else
      last = mid;
  }
  return {low, first};
}

CMemAddrEntries::Pos CMemAddrEntries::LowerBoundLine(int line, Pos near) const {
  return FirstNotBefore([&](Pos p) { return LineAt(p) < line; }, near);
}

CMemAddrEntries::Pos CMemAddrEntries::LowerBoundAddress(DWORD address, Pos near) const {
  return FirstNotBefore([&](Pos p) { return AddressAt(p) < address; }, near);
}

CMemAddrEntries::Pos CMemAddrEntries::Insert(Pos p, const CMemAddrEntry& entry) {
  if (m_blocks.empty())
    m_blocks.emplace_back();
  else if (p.index == 0 && p.block > 0)
    p = {p.block - 1, m_blocks[p.block - 1].entries.size()};  // a block end
  else if (IsValid(p) && m_blocks[p.block].entries.size() - p.index > kMoveLimit)
    p = {p.block, Split(p.block, p.index)};
  Block& b = m_blocks[p.block];
  CMemAddrEntry relative = entry;
  relative.line -= b.base;
  b.entries.insert(b.entries.begin() + std::ptrdiff_t(p.index), relative);
  ++m_size;
  if (b.entries.size() >= kBlockLimit) {
    size_t half = Split(p.block, b.entries.size() / 2);
    if (p.index >= half) p = {p.block + 1, p.index - half};
  }
  return p;
}

// Moves the entries from index on into a new block after it; returns index.
size_t CMemAddrEntries::Split(size_t block, size_t index) {
  Block upper;
  upper.base = m_blocks[block].base;
  auto& entries = m_blocks[block].entries;
  upper.entries.assign(entries.begin() + std::ptrdiff_t(index), entries.end());
  entries.resize(index);
  m_blocks.insert(m_blocks.begin() + std::ptrdiff_t(block + 1), std::move(upper));
  return index;
}

CMemAddrEntries::Pos CMemAddrEntries::Erase(Pos p) {
  auto& entries = m_blocks[p.block].entries;
  entries.erase(entries.begin() + std::ptrdiff_t(p.index));
  --m_size;
  if (entries.empty()) {
    m_blocks.erase(m_blocks.begin() + std::ptrdiff_t(p.block));
    return {p.block, 0};
  }
  return p.index < entries.size() ? p : Pos{p.block + 1, 0};
}

void CMemAddrEntries::ShiftFrom(Pos p, int delta) {
  if (IsEnd(p)) return;
  auto& entries = m_blocks[p.block].entries;
  for (size_t i = p.index; i < entries.size(); ++i) entries[i].line += delta;
  for (size_t b = p.block + 1; b < m_blocks.size(); ++b) m_blocks[b].base += delta;
}

void CMemAddrEntries::ShiftThrough(Pos p, int delta) {
  for (size_t b = 0; b < p.block && b < m_blocks.size(); ++b) m_blocks[b].base += delta;
  if (IsEnd(p)) return;
  auto& entries = m_blocks[p.block].entries;
  for (size_t i = 0; i <= p.index; ++i) entries[i].line += delta;
}

std::vector<CMemAddrEntry> CMemAddrEntries::ToVector() const {
  std::vector<CMemAddrEntry> all;
  all.reserve(m_size);
  for (const Block& b : m_blocks) {
    for (CMemAddrEntry e : b.entries) {
      e.line += b.base;
      all.push_back(e);
    }
  }
  return all;
}
