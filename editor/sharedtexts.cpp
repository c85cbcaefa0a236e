#include "editor/sharedtexts.h"

#include <algorithm>

#include "platform/sys/zeroed_pages.h"

namespace {

// Blocks grow from the first size to the biggest, doubling, so that a few
// changed lines hold little and a big change few blocks.
constexpr size_t kFirstBlock = 64 * 1024;
constexpr size_t kBiggestBlock = 4 * 1024 * 1024;
// Pages ahead of the fill are made resident this far at once, and the
// warmer is given the next stretch once the fill comes this close.
constexpr size_t kResidentStep = 256 * 1024;
constexpr size_t kWarmLead = 2 * kResidentStep;

static_assert(SharedTexts::kLongest <= kFirstBlock && kFirstBlock <= kBiggestBlock, "a text fits any block");

size_t SharedTextsPageUp(size_t n) {
  const size_t page = plat::PageBytes();
  return (n + page - 1) & ~(page - 1);
}

}  // namespace

char* SharedTexts::Take(size_t n) {
  if (n >= kLongest) return nullptr;
  const size_t need = n + 1;
  if (m_fill < 0 || static_cast<size_t>(m_end - m_at) < need) {
    if (!NewBlock(need)) return nullptr;
  }
  char* text = m_at;
  m_at += need;
  m_warmer.KeepAhead(FillFront(), m_at, m_end, kResidentStep, kWarmLead);
  if (static_cast<size_t>(m_end - m_at) < kWarmLead) MakeSpareReady();
  text[n] = '\0';
  ++m_blocks[static_cast<size_t>(m_fill)].borrowers;
  return text;
}

void SharedTexts::Release(const char* text) {
  long i = BlockOf(text);
  if (i < 0) return;
  Block& block = m_blocks[static_cast<size_t>(i)];
  if (block.borrowers == 0 || --block.borrowers != 0) return;
  // The block being filled is filled again from its start.
  if (i == m_fill) {
    m_at = block.begin;
    return;
  }
  FreeBlock(static_cast<size_t>(i));
}

void SharedTexts::Clear() {
  for (plat::WarmFront& front : m_fronts) {
    m_warmer.Leave(front);
    front = plat::WarmFront{};
  }
  for (const Block& block : m_blocks) plat::FreeZeroedPages(block.begin, block.size);
  m_blocks.clear();
  plat::FreeZeroedPages(m_spare.begin, m_spare.size);
  m_spare = Block{};
  m_fill = -1;
  m_at = m_end = nullptr;
  m_nextSize = 0;
}

std::vector<SharedTexts::Block>::iterator SharedTexts::BlockAfter(const char* p) {
  return std::upper_bound(m_blocks.begin(), m_blocks.end(), p,
                          [](const char* q, const Block& b) { return q < b.begin; });
}

long SharedTexts::BlockOf(const char* p) {
  auto after = BlockAfter(p);
  if (after == m_blocks.begin()) return -1;
  const Block& block = *(after - 1);
  if (p >= block.begin + block.size) return -1;
  return static_cast<long>(after - 1 - m_blocks.begin());
}

bool SharedTexts::NewBlock(size_t atLeast) {
  // A spare is of the biggest size, which holds any text.
  size_t size = SharedTextsPageUp(std::max(std::max(m_nextSize, kFirstBlock), atLeast));
  if (m_spare.begin == nullptr && !MapSpare(size)) return false;
  const Block taken = m_spare;
  m_spare = Block{};
  // The block left gives its front's place to the next spare: the warmer
  // is done with it first, and before the block may go back.
  m_warmer.Leave(FillFront());
  m_fillFront = 1 - m_fillFront;
  if (m_fill >= 0 && m_blocks[static_cast<size_t>(m_fill)].borrowers == 0)
    FreeBlock(static_cast<size_t>(m_fill));
  auto inserted = m_blocks.insert(BlockAfter(taken.begin), taken);
  m_fill = static_cast<long>(inserted - m_blocks.begin());
  m_at = taken.begin;
  m_end = taken.begin + taken.size;
  m_nextSize = std::min(taken.size * 2, kBiggestBlock);
  return true;
}

bool SharedTexts::MapSpare(size_t size) {
  auto* begin = static_cast<char*>(plat::AllocZeroedPages(size, plat::PageBytes()));
  if (begin == nullptr) return false;
  m_warmer.Leave(SpareFront());
  SpareFront() = plat::WarmFront{begin, nullptr};
  m_spare = Block{begin, size, 0};
  return true;
}

void SharedTexts::MakeSpareReady() {
  // Only a fill of big blocks is likely to need another.
  if (m_spare.begin == nullptr) {
    if (static_cast<size_t>(m_end - m_blocks[static_cast<size_t>(m_fill)].begin) < kBiggestBlock) return;
    if (!MapSpare(kBiggestBlock)) return;
  }
  // The warmer takes its first stretch once it is free.
  m_warmer.KeepAhead(SpareFront(), m_spare.begin, m_spare.begin + m_spare.size, kResidentStep, kWarmLead);
}

void SharedTexts::FreeBlock(size_t i) {
  plat::FreeZeroedPages(m_blocks[i].begin, m_blocks[i].size);
  m_blocks.erase(m_blocks.begin() + static_cast<long>(i));
  if (m_fill == static_cast<long>(i)) {
    m_fill = -1;
    m_at = m_end = nullptr;
  } else if (m_fill > static_cast<long>(i)) {
    --m_fill;
  }
}
