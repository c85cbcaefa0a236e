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
constexpr size_t kLoadedFirstResidentStep = 16u << 10;
constexpr size_t kLoadedResidentStep = 256u << 10;

}  // namespace

void* LoadedLines::Blocks::Take(size_t n, long item) {
  if (m_at == nullptr || static_cast<size_t>(m_end - m_at) < n) {
    size_t size = m_blocks.empty() ? kFirstLoadedBlock : std::min(m_blocks.back().size * 2, kLastLoadedBlock);
    size = (std::max(size, n) + kLoadedPage - 1) & ~(kLoadedPage - 1);
    auto* bytes = static_cast<char*>(plat::AllocZeroedPages(size, kLoadedPage));
    if (bytes == nullptr) return nullptr;
    try {
      m_blocks.push_back({bytes, size, 0, item});
    } catch (...) {
      plat::FreeZeroedPages(bytes, size);
      return nullptr;
    }
    if (m_blocks.size() > 1) {
      Block& last = m_blocks[m_blocks.size() - 2];
      last.used = static_cast<size_t>(m_at - last.bytes);
    }
    m_at = bytes;
    m_end = bytes + size;
    m_resident = bytes;
  }
  char* p = m_at;
  m_at += n;  // texts follow one another; records (a multiple of 8) stay aligned
  if (m_at > m_resident) MakeResident();
  return p;
}

// Pages are made resident a stretch at a time ahead of use, as a fault per
// page costs more than the page's share of one call. The stretch grows with
// what the block holds, so that a small file takes few pages more.
void LoadedLines::Blocks::MakeResident() {
  size_t filled = static_cast<size_t>(m_at - m_blocks.back().bytes);
  size_t step = std::clamp(filled, kLoadedFirstResidentStep, kLoadedResidentStep);
  plat::KeepResidentAhead(m_resident, m_at, m_end, step);
}

bool LoadedLines::Blocks::Has(size_t i, const char* c) const {
  return c >= m_blocks[i].bytes && c < m_blocks[i].bytes + m_blocks[i].size;
}

int LoadedLines::Blocks::BlockOf(const void* p) const {
  auto* c = static_cast<const char*>(p);
  // Lines are mostly freed or looked up in the order they were made: the
  // block of the last hit is asked first.
  size_t hit = m_hit.load(std::memory_order_relaxed);
  if (hit < m_blocks.size() && Has(hit, c)) return static_cast<int>(hit);
  for (size_t i = 0; i < m_blocks.size(); ++i) {
    if (Has(i, c)) {
      m_hit.store(i, std::memory_order_relaxed);
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool LoadedLines::Blocks::Holds(const void* p) const { return BlockOf(p) >= 0; }

const char* LoadedLines::Blocks::UsedEnd(size_t i) const {
  return i + 1 == m_blocks.size() ? m_at : m_blocks[i].bytes + m_blocks[i].used;
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
  other.m_at = other.m_end = other.m_resident = nullptr;
}

void LoadedLines::Blocks::Clear() {
  for (const Block& b : m_blocks) plat::FreeZeroedPages(b.bytes, b.size);
  m_blocks.clear();
  m_at = m_end = m_resident = nullptr;
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
  m_recordCount = 0;
}

EditLine* LoadedLines::TakeRecord() {
  auto* line = static_cast<EditLine*>(m_records.Take(sizeof(EditLine), m_recordCount));
  if (line != nullptr) ++m_recordCount;
  return line;
}

bool LoadedLines::TextSpanOf(const char* p, Span* span) const {
  int b = m_texts.BlockOf(p);
  if (b < 0) return false;
  size_t i = static_cast<size_t>(b);
  span->begin = m_texts.Begin(i);
  span->end = m_texts.UsedEnd(i);
  span->firstLine = m_texts.FirstItem(i);
  span->endLine = i + 1 < m_texts.Count() ? m_texts.FirstItem(i + 1) : m_recordCount;
  return true;
}

EditLine* LoadedLines::LineAt(long index) const {
  long count = 0;
  return LinesFrom(index, &count);
}

EditLine* LoadedLines::LinesFrom(long index, long* count) const {
  *count = 0;
  if (index < 0 || index >= m_recordCount) return nullptr;
  for (size_t i = m_records.Count(); i-- > 0;) {
    if (m_records.FirstItem(i) <= index) {
      long end = i + 1 < m_records.Count() ? m_records.FirstItem(i + 1) : m_recordCount;
      *count = end - index;
      return reinterpret_cast<EditLine*>(const_cast<char*>(m_records.Begin(i))) +
             (index - m_records.FirstItem(i));
    }
  }
  return nullptr;
}

EditLine* LoadedLines::LineOfText(const Span& span, const char* p, long from) const {
  // The last line of the span whose text begins at or before p: galloping
  // from `from` (hits are mostly near), then halving.
  auto atOrBefore = [&](long i) {
    const EditLine* line = LineAt(i);
    return line != nullptr && line->text != nullptr && line->text <= p;
  };
  long lo = std::max(from, span.firstLine);
  long hi = span.endLine - 1;
  long step = 1;
  for (; lo + step <= hi && atOrBefore(lo + step); step *= 2) lo += step;
  hi = std::min(hi, lo + step - 1);  // lo + step, if there, is past p
  while (lo < hi) {
    long mid = lo + (hi - lo + 1) / 2;
    if (atOrBefore(mid))
      lo = mid;
    else
      hi = mid - 1;
  }
  return LineAt(lo);
}
