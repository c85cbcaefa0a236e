#include "editor/lineswap.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kLineSwapHeader = 2 * sizeof(int32_t);  // line number and byte count
constexpr size_t kLineSwapFirstBlock = 4096;

void LineSwapPut(char* at, int32_t value) { std::memcpy(at, &value, sizeof value); }

int32_t LineSwapGet(const char* at) {
  int32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

LineSwapText::~LineSwapText() { std::free(m_data); }

bool LineSwapText::Grow(size_t more) {
  if (m_failed) return false;
  // Room for the end mark stays reserved.
  size_t need = m_size + more + sizeof(int32_t);
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

bool LineSwapText::Add(int line, const char* bytes, int n) {
  if (line <= 0 || n < 0 || !Grow(kLineSwapHeader + static_cast<size_t>(n))) return false;
  LineSwapPut(m_data + m_size, line);
  LineSwapPut(m_data + m_size + sizeof(int32_t), n);
  if (n > 0) std::memcpy(m_data + m_size + kLineSwapHeader, bytes, n);
  m_size += kLineSwapHeader + static_cast<size_t>(n);
  return true;
}

char* LineSwapText::Release() {
  if (m_failed || m_size == 0) return nullptr;
  LineSwapPut(m_data + m_size, 0);
  char* block = m_data;
  m_data = nullptr;
  m_size = m_capacity = 0;
  return block;
}

bool LineSwapReader::Next(int* line, const char** bytes, int* n) {
  if (m_at == nullptr) return false;
  int32_t number = LineSwapGet(m_at);
  if (number <= 0) return false;
  *line = number;
  *n = LineSwapGet(m_at + sizeof(int32_t));
  *bytes = m_at + kLineSwapHeader;
  m_at += kLineSwapHeader + static_cast<size_t>(*n);
  return true;
}
