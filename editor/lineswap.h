// What one undo record keeps of lines whose bytes were replaced: for each
// line (in ascending order) the place of the replaced span, its length in
// the line now, and the bytes it had before, packed into one heap block
// (free()). Undoing puts the kept bytes back and keeps the ones they
// replace in a new block for redo.
#pragma once

#include <cstddef>

struct LineSwapEntry {
  int line = 0;     // 1-based
  int offset = 0;   // where the span starts
  int present = 0;  // bytes the span has in the line now
  int count = 0;    // bytes kept
  const char* bytes = nullptr;
};

class LineSwapText {
 public:
  LineSwapText() = default;
  LineSwapText(const LineSwapText&) = delete;
  LineSwapText& operator=(const LineSwapText&) = delete;
  ~LineSwapText();
  // Lines come in ascending order. False for an entry out of order or once
  // the block could not grow: the block has failed and takes nothing more.
  bool Add(const LineSwapEntry& entry);
  bool Failed() const { return m_failed; }
  // The finished block, owned by the caller; null when empty or failed.
  char* Release();

 private:
  bool Grow(size_t more);
  char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
  int m_lastLine = 0;
  bool m_failed = false;
};

// Reads the entries of a finished block one by one.
class LineSwapReader {
 public:
  explicit LineSwapReader(const char* block) : m_at(block) {}
  bool Next(LineSwapEntry* entry);

 private:
  const char* m_at;
  int m_line = 0;
};
