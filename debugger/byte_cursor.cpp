#include "debugger/byte_cursor.h"

bool ByteCursor::Seek(uint64_t pos) {
  if (!m_ok || pos > m_size) {
    m_ok = false;
    return false;
  }
  m_pos = size_t(pos);
  return true;
}
