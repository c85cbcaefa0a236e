#include "editor/lineswap.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "editor/shortcopy.h"

namespace {

// Entries are written as numbers of 7 bits a byte, low bits first (the top
// bit says another byte follows): the line as the step from the entry
// before (never 0, so a 0 ends the block), the offset, the present length
// and the count, then the kept bytes.
constexpr size_t kLineSwapMostHeader = 4 * 5;  // four numbers of up to 5 bytes
constexpr size_t kLineSwapFirstBlock = 4096;

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

}  // namespace

LineSwapText::~LineSwapText() { std::free(m_data); }

bool LineSwapText::Grow(size_t more) {
  if (m_failed) return false;
  // Room for the end mark stays reserved.
  size_t need = m_size + more + 1;
  if (need <= m_capacity) return true;
  size_t capacity = m_capacity == 0 ? kLineSwapFirstBlock : m_capacity;
  while (capacity < need) capacity *= 2;
  char* grown = static_cast<char*>(std::realloc(m_data, capacity));
  if (grown == nullptr) {
    m_failed = true;
    return false;
  }
  m_data = grown;
  m_capacity = capacity;
  return true;
}

bool LineSwapText::Add(const LineSwapEntry& entry) {
  if (entry.line <= m_lastLine || entry.offset < 0 || entry.present < 0 || entry.count < 0) m_failed = true;
  if (!Grow(kLineSwapMostHeader + static_cast<size_t>(entry.count))) return false;
  char* at = m_data + m_size;
  at = LineSwapPut(at, static_cast<uint32_t>(entry.line - m_lastLine));
  at = LineSwapPut(at, static_cast<uint32_t>(entry.offset));
  at = LineSwapPut(at, static_cast<uint32_t>(entry.present));
  at = LineSwapPut(at, static_cast<uint32_t>(entry.count));
  shortcopy::Copy(at, entry.bytes, static_cast<size_t>(entry.count));
  m_size = static_cast<size_t>(at - m_data) + static_cast<size_t>(entry.count);
  m_lastLine = entry.line;
  return true;
}

char* LineSwapText::Release() {
  if (m_failed || m_size == 0) return nullptr;
  m_data[m_size] = 0;
  char* block = m_data;
  m_data = nullptr;
  m_size = m_capacity = 0;
  m_lastLine = 0;
  return block;
}

bool LineSwapReader::Next(LineSwapEntry* entry) {
  if (m_at == nullptr) return false;
  uint32_t step, offset, present, count;
  m_at = LineSwapGet(m_at, &step);
  if (step == 0) {
    m_at = nullptr;
    return false;
  }
  m_at = LineSwapGet(m_at, &offset);
  m_at = LineSwapGet(m_at, &present);
  m_at = LineSwapGet(m_at, &count);
  m_line += static_cast<int>(step);
  *entry = LineSwapEntry{m_line, static_cast<int>(offset), static_cast<int>(present), static_cast<int>(count),
                         m_at};
  m_at += count;
  return true;
}
