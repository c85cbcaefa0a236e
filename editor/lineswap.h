// The old contents of whole lines kept by one undo record: entries of
// (line number, byte count, bytes) in ascending line order, ended by line
// number 0, in one heap block (free()). Undoing puts the kept contents back
// and keeps the replaced ones in a new block for redo.
#pragma once

#include <cstddef>

class LineSwapText {
 public:
  LineSwapText() = default;
  LineSwapText(const LineSwapText&) = delete;
  LineSwapText& operator=(const LineSwapText&) = delete;
  ~LineSwapText();
  // False once a block could not grow; nothing is added from then on.
  bool Add(int line, const char* bytes, int n);
  bool Failed() const { return m_failed; }
  bool Empty() const { return m_size == 0; }
  // The finished block, owned by the caller; null when empty or failed.
  char* Release();

 private:
  bool Grow(size_t more);
  char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
  bool m_failed = false;
};

// Reads the entries of a finished block one by one.
class LineSwapReader {
 public:
  explicit LineSwapReader(const char* block) : m_at(block) {}
  bool Next(int* line, const char** bytes, int* n);

 private:
  const char* m_at;
};
