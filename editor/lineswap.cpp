#include "editor/lineswap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "editor/shortcopy.h"
#include "platform/sys/zeroed_pages.h"

namespace {

// A block starts with three 32-bit numbers: the entries, the entries
// applied and the byte where the first entry not applied starts. Each entry
// holds four numbers of 7 bits a byte, low bits first (the top bit says
// another byte follows): the line, the offset, the present length and the
// kept count; then room for the longer of the two spans, the kept bytes
// first; then its own size written backwards (the top bit says another
// byte comes before), so that the block can be walked back from its end.
// Swapping the two lengths keeps an entry's size.
constexpr size_t kLineSwapCountAt = 0;
constexpr size_t kLineSwapAppliedAt = 4;
constexpr size_t kLineSwapCursorAt = 8;
constexpr size_t kLineSwapHead = 12;
constexpr size_t kLineSwapMostNumbers = 4 * 5;  // four numbers of up to 5 bytes
constexpr size_t kLineSwapMostTrailer = 5;
constexpr size_t kLineSwapFirstBlock = 4096;
// A big block's pages are made resident and touched this far at a time,
// ahead of its fill, by the warmer (a fault per page costs much).
constexpr size_t kLineSwapWarmFrom = 1024 * 1024;  // bytes of room
constexpr size_t kLineSwapResidentStep = 256 * 1024;
constexpr size_t kLineSwapWarmLead = 2 * kLineSwapResidentStep;

char* LineSwapPageUp(char* p) {
  const uintptr_t page = plat::PageBytes();
  return reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(p) + page - 1) & ~(page - 1));
}

char* LineSwapPageDown(char* p) {
  const uintptr_t page = plat::PageBytes();
  return reinterpret_cast<char*>(reinterpret_cast<uintptr_t>(p) & ~(page - 1));
}

uint32_t LineSwapRead32(const char* block, size_t at) {
  uint32_t v;
  std::memcpy(&v, block + at, sizeof v);
  return v;
}

void LineSwapWrite32(char* block, size_t at, uint32_t v) { std::memcpy(block + at, &v, sizeof v); }

char* LineSwapPut(char* at, uint32_t value) {
  while (value >= 0x80) {
    *at++ = static_cast<char>((value & 0x7F) | 0x80);
    value >>= 7;
  }
  *at++ = static_cast<char>(value);
  return at;
}

const char* LineSwapGet(const char* at, uint32_t* value) {
  uint32_t v = 0;
  for (int shift = 0;; shift += 7) {
    unsigned char byte = static_cast<unsigned char>(*at++);
    v |= static_cast<uint32_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0 || shift >= 28) break;
  }
  *value = v;
  return at;
}

size_t LineSwapPutSize(char* at, uint32_t size) {
  size_t n = 0;
  char digits[5];
  do {
    digits[n++] = static_cast<char>(size & 0x7F);
    size >>= 7;
  } while (size != 0);
  // The low digit comes last: read backwards it comes first.
  for (size_t i = 0; i < n; ++i) at[i] = static_cast<char>(digits[n - 1 - i] | (i == 0 ? 0 : 0x80));
  return n;
}

// The whole size of the entry ending just before `end`, its size bytes too.
size_t LineSwapSizeBefore(const char* end) {
  uint32_t v = 0;
  int shift = 0;
  const char* at = end;
  for (;;) {
    unsigned char byte = static_cast<unsigned char>(*--at);
    v |= static_cast<uint32_t>(byte & 0x7F) << shift;
    shift += 7;
    if ((byte & 0x80) == 0 || shift > 28) break;
  }
  return v + static_cast<size_t>(end - at);
}

// The whole size of an entry whose numbers and room take `inner` bytes.
size_t LineSwapWholeSize(size_t inner) {
  size_t digits = 1;
  for (size_t v = inner >> 7; v != 0; v >>= 7) ++digits;
  return inner + digits;
}

// The entry at `at`, its bytes pointing into the block.
LineSwapEntry LineSwapEntryAt(const char* at) {
  uint32_t line, offset, present, count;
  at = LineSwapGet(at, &line);
  at = LineSwapGet(at, &offset);
  at = LineSwapGet(at, &present);
  at = LineSwapGet(at, &count);
  return LineSwapEntry{static_cast<int>(line), static_cast<int>(offset), static_cast<int>(present),
                       static_cast<int>(count), at};
}

char* LineSwapPutNumbers(char* at, const LineSwapEntry& entry) {
  at = LineSwapPut(at, static_cast<uint32_t>(entry.line));
  at = LineSwapPut(at, static_cast<uint32_t>(entry.offset));
  at = LineSwapPut(at, static_cast<uint32_t>(entry.present));
  return LineSwapPut(at, static_cast<uint32_t>(entry.count));
}

}  // namespace

LineSwapText::~LineSwapText() {
  m_warmer.Leave(m_front);
  std::free(m_data);
}

bool LineSwapText::Grow(size_t more) {
  if (m_failed) return false;
  size_t need = std::max(m_size, kLineSwapHead) + more;
  if (need <= m_capacity) return true;
  size_t capacity = m_capacity == 0 ? kLineSwapFirstBlock : m_capacity;
  while (capacity < need) capacity *= 2;
  m_warmer.Leave(m_front);
  char* grown = static_cast<char*>(std::realloc(m_data, capacity));
  if (grown == nullptr) {
    m_failed = true;
    return false;
  }
  // A block moved elsewhere has its front set again from its fill.
  if (grown != m_data) m_front = plat::WarmFront{};
  m_data = grown;
  m_capacity = capacity;
  m_warmEnd = LineSwapPageDown(m_data + m_capacity);
  if (m_size == 0) m_size = kLineSwapHead;
  return true;
}

bool LineSwapText::Add(const LineSwapEntry& entry) {
  bool ordered = entry.line > m_lastLine || (entry.line == m_lastLine && entry.offset >= m_lastEnd);
  if (!ordered || entry.line <= 0 || entry.offset < 0 || entry.present < 0 || entry.count < 0)
    m_failed = true;
  size_t room = static_cast<size_t>(std::max(entry.present, entry.count));
  size_t most = kLineSwapMostNumbers + room + kLineSwapMostTrailer;
  if (!Grow(most)) return false;
  KeepAhead(m_size + most);
  char* start = m_data + m_size;
  char* at = LineSwapPutNumbers(start, entry);
  shortcopy::Copy(at, entry.bytes, static_cast<size_t>(entry.count));
  at += room;
  at += LineSwapPutSize(at, static_cast<uint32_t>(at - start));
  m_size = static_cast<size_t>(at - m_data);
  ++m_count;
  m_lastLine = entry.line;
  m_lastEnd = entry.offset + entry.present;
  return true;
}

// Before the fill writes up to `upTo`.
void LineSwapText::KeepAhead(size_t upTo) {
  if (m_capacity < kLineSwapWarmFrom) return;
  if (m_front.resident == nullptr) m_front.resident = LineSwapPageUp(m_data + m_size);
  m_warmer.KeepAhead(m_front, m_data + upTo, m_warmEnd, kLineSwapResidentStep, kLineSwapWarmLead);
}

char* LineSwapText::Release() {
  if (m_failed || m_count == 0) return nullptr;
  m_warmer.Leave(m_front);
  m_front = plat::WarmFront{};
  LineSwapWrite32(m_data, kLineSwapCountAt, static_cast<uint32_t>(m_count));
  LineSwapWrite32(m_data, kLineSwapAppliedAt, static_cast<uint32_t>(m_count));
  LineSwapWrite32(m_data, kLineSwapCursorAt, static_cast<uint32_t>(m_size));
  char* block = m_data;
  m_data = nullptr;
  m_size = m_capacity = 0;
  m_warmEnd = nullptr;
  m_count = m_lastLine = m_lastEnd = 0;
  return block;
}

int LineSwapSteps::Count() const {
  return m_block == nullptr ? 0 : static_cast<int>(LineSwapRead32(m_block, kLineSwapCountAt));
}

int LineSwapSteps::Applied() const {
  return m_block == nullptr ? 0 : static_cast<int>(LineSwapRead32(m_block, kLineSwapAppliedAt));
}

// Where the entry of the step starts (the caller has checked there is one).
size_t LineSwapSteps::EntryAt(LineSwapStep step) const {
  size_t cursor = LineSwapRead32(m_block, kLineSwapCursorAt);
  if (step == LineSwapStep::kForward) return cursor;
  return cursor - LineSwapSizeBefore(m_block + cursor);
}

bool LineSwapSteps::Peek(LineSwapStep step, LineSwapEntry* entry) const {
  int applied = Applied();
  if (step == LineSwapStep::kBack ? applied == 0 : applied >= Count()) return false;
  *entry = LineSwapEntryAt(m_block + EntryAt(step));
  return true;
}

void LineSwapSteps::Swap(LineSwapStep step, const char* now) {
  size_t start = EntryAt(step);
  LineSwapEntry entry = LineSwapEntryAt(m_block + start);
  std::swap(entry.present, entry.count);
  char* bytes = LineSwapPutNumbers(m_block + start, entry);
  shortcopy::Copy(bytes, now, static_cast<size_t>(entry.count));
  bool back = step == LineSwapStep::kBack;
  size_t inner = static_cast<size_t>(bytes - (m_block + start)) +
                 static_cast<size_t>(std::max(entry.present, entry.count));
  size_t cursor = back ? start : start + LineSwapWholeSize(inner);
  LineSwapWrite32(m_block, kLineSwapCursorAt, static_cast<uint32_t>(cursor));
  LineSwapWrite32(m_block, kLineSwapAppliedAt, static_cast<uint32_t>(Applied() + (back ? -1 : 1)));
}

char* LineSwapSteps::DropUnapplied() {
  if (m_block == nullptr) return nullptr;
  LineSwapWrite32(m_block, kLineSwapCountAt, static_cast<uint32_t>(Applied()));
  size_t used = std::max<size_t>(LineSwapRead32(m_block, kLineSwapCursorAt), kLineSwapHead);
  if (char* shrunk = static_cast<char*>(std::realloc(m_block, used))) m_block = shrunk;
  return m_block;
}
