// Whole files read into memory with one read of their size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A file's bytes in one buffer that is not cleared before the read.
class FileBytes {
 public:
  // The whole content of the file; false when it cannot be opened or read.
  bool Read(const char* path);
  // A copy of `size` bytes.
  void Assign(const uint8_t* data, size_t size);

  const uint8_t* Data() const { return m_data.get(); }
  size_t Size() const { return m_size; }

 private:
  std::unique_ptr<uint8_t[]> m_data;
  size_t m_size = 0;
};

// The whole content of a file; false when it cannot be opened or read.
bool ReadFileBytes(const char* path, std::string& bytes);
