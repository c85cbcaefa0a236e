#include "debugger/file_bytes.h"

#include <cstring>

#include "platform/sys/file.h"

namespace {

// Reads the file into the buffer `place(size)` returns for its size and
// gives the count read (less when the file shrank meanwhile).
template <typename Place>
bool ReadWhole(const char* path, Place place, size_t& got) {
  got = 0;
  HANDLE h = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(h, &high);
  bool ok = high == 0 && size != 0xFFFFFFFFu;
  if (ok) {
    uint8_t* buffer = place(size_t(size));
    while (got < size) {
      DWORD n = 0;
      if (!ReadFile(h, buffer + got, DWORD(size - got), &n, nullptr)) {
        ok = false;
        break;
      }
      if (n == 0) break;
      got += n;
    }
  }
  CloseHandle(h);
  return ok;
}

}  // namespace

bool FileBytes::Read(const char* path) {
  m_data.reset();
  m_size = 0;
  auto place = [this](size_t n) {
    m_data.reset(new uint8_t[n ? n : 1]);  // not value-initialised
    return m_data.get();
  };
  if (!ReadWhole(path, place, m_size)) {
    m_data.reset();
    m_size = 0;
    return false;
  }
  return true;
}

void FileBytes::Assign(const uint8_t* data, size_t size) {
  m_data.reset(new uint8_t[size ? size : 1]);
  if (size) std::memcpy(m_data.get(), data, size);
  m_size = size;
}

bool ReadFileBytes(const char* path, std::string& bytes) {
  size_t got = 0;
  auto place = [&bytes](size_t n) {
    bytes.resize(n);
    return reinterpret_cast<uint8_t*>(bytes.data());
  };
  bool ok = ReadWhole(path, place, got);
  bytes.resize(ok ? got : 0);
  return ok;
}
