// A little-endian reader over a byte range that never reads past its end:
// a read beyond it fails the cursor and yields 0.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteCursor {
 public:
  ByteCursor(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool Ok() const { return m_ok; }
  size_t Pos() const { return m_pos; }
  size_t Remaining() const { return m_ok ? m_size - m_pos : 0; }
  const uint8_t* Here() const { return m_data + m_pos; }

  // Moves to an absolute position; beyond the end fails.
  bool Seek(uint64_t pos);
  bool Skip(uint64_t n) { return Seek(uint64_t(m_pos) + n); }
  // True when n more bytes are there (does not move).
  bool Has(uint64_t n) const { return m_ok && n <= m_size - m_pos; }

  uint8_t U8() {
    if (!Has(1)) return Fail();
    return m_data[m_pos++];
  }
  uint16_t U16() {
    if (!Has(2)) return Fail();
    uint16_t v = uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
  }
  uint32_t U32() {
    if (!Has(4)) return Fail();
    const uint8_t* p = m_data + m_pos;
    m_pos += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }

 private:
  uint8_t Fail() {
    m_ok = false;
    return 0;
  }

  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
  bool m_ok = true;
};
