#include "editor/loadedlines.h"

#include <algorithm>

#include "platform/sys/zeroed_pages.h"

namespace {

// Blocks double from the first size to the last, so that a small file
// takes little and a big one a handful; pages not yet written to stay out
// of memory.
constexpr size_t kFirstLoadedBlock = 256u << 10;
constexpr size_t kLastLoadedBlock = 32u << 20;
constexpr size_t kLoadedPage = 4096;

}  // namespace

void* LoadedLines::Blocks::Take(size_t n) {
  if (m_at == nullptr || static_cast<size_t>(m_end - m_at) < n) {
    size_t size = m_blocks.empty() ? kFirstLoadedBlock : std::min(m_blocks.back().size * 2, kLastLoadedBlock);
    size = (std::max(size, n) + kLoadedPage - 1) & ~(kLoadedPage - 1);
    auto* bytes = static_cast<char*>(plat::AllocZeroedPages(size, kLoadedPage));
    if (bytes == nullptr) return nullptr;
    try {
      m_blocks.push_back({bytes, size});
    } catch (...) {
      plat::FreeZeroedPages(bytes, size);
      return nullptr;
    }
    m_at = bytes;
    m_end = bytes + size;
  }
  char* p = m_at;
  m_at += n;  // texts follow one another; records (a multiple of 8) stay aligned
  return p;
}

bool LoadedLines::Blocks::Holds(const void* p) const {
  auto* c = static_cast<const char*>(p);
  // Lines are mostly freed in the order they were made: the block of the
  // last hit is asked first.
  if (m_hit < m_blocks.size() && c >= m_blocks[m_hit].bytes &&
      c < m_blocks[m_hit].bytes + m_blocks[m_hit].size)
    return true;
  for (size_t i = 0; i < m_blocks.size(); ++i) {
    if (c >= m_blocks[i].bytes && c < m_blocks[i].bytes + m_blocks[i].size) {
      m_hit = i;
      return true;
    }
  }
  return false;
}

bool LoadedLines::Blocks::ReserveFor(const Blocks& other) {
  try {
    m_blocks.reserve(m_blocks.size() + other.m_blocks.size());
  } catch (...) {
    return false;
  }
  return true;
}

void LoadedLines::Blocks::MoveFrom(Blocks& other) {
  // The other's free room stays unused: this one's last block is still the
  // one taken from. The room was reserved, so nothing is allocated here.
  m_blocks.insert(m_blocks.begin(), other.m_blocks.begin(), other.m_blocks.end());
  other.m_blocks.clear();
  other.m_at = other.m_end = nullptr;
}

void LoadedLines::Blocks::Clear() {
  for (const Block& b : m_blocks) plat::FreeZeroedPages(b.bytes, b.size);
  m_blocks.clear();
  m_at = m_end = nullptr;
}

bool LoadedLines::Adopt(LoadedLines& other) {
  if (!m_texts.ReserveFor(other.m_texts) || !m_records.ReserveFor(other.m_records)) return false;
  m_texts.MoveFrom(other.m_texts);
  m_records.MoveFrom(other.m_records);
  return true;
}

void LoadedLines::Clear() {
  m_texts.Clear();
  m_records.Clear();
}
