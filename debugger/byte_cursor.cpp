#include "debugger/byte_cursor.h"

bool ByteCursor::Seek(uint64_t pos)
{
    if (!m_ok || pos > m_size) {
        m_ok = false;
        return false;
    }
    m_pos = size_t(pos);
    return true;
}

uint8_t ByteCursor::U8()
{
    if (!Has(1)) {
        m_ok = false;
        return 0;
    }
    return m_data[m_pos++];
}

uint16_t ByteCursor::U16()
{
    if (!Has(2)) {
        m_ok = false;
        return 0;
    }
    uint16_t v = uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

uint32_t ByteCursor::U32()
{
    if (!Has(4)) {
        m_ok = false;
        return 0;
    }
    uint32_t v = uint32_t(m_data[m_pos]) | uint32_t(m_data[m_pos + 1]) << 8 |
                 uint32_t(m_data[m_pos + 2]) << 16 | uint32_t(m_data[m_pos + 3]) << 24;
    m_pos += 4;
    return v;
}
