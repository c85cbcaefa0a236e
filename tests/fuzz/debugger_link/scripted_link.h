// A kernel link whose line is a fuzz input, for the fuzz targets of the
// kernel link and of the sessions over it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "debugger/kernel_link_serial.h"

namespace fuzz_link {

// A link whose line is the fuzz input; once it is used up, the wait for an
// answer is aborted as a user's stop would.
class ScriptedLink : public CTDKernelCommunicationSerial {
 public:
  ScriptedLink(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool IsOpen() const override { return true; }
  bool Write(const BYTE*, DWORD) override { return true; }
  DWORD Read(BYTE* buffer, DWORD count) override {
    DWORD n = 0;
    while (n < count && m_pos < m_size) buffer[n++] = m_data[m_pos++];
    if (n == 0) abortFlag = 1;
    return n;
  }
  bool Exhausted() const { return m_pos >= m_size; }
  uint8_t Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

}  // namespace fuzz_link
