// The lines read from a file: their records and their texts laid one after
// another in a few big blocks that the buffer holds. A loaded line's text
// is not its own (its capacity is 0) until it is first changed, when it is
// copied into a block of its own; a loaded record is never freed on its
// own. The blocks go back all at once.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/editline.h"

class LoadedLines {
 public:
  LoadedLines() = default;
  ~LoadedLines() { Clear(); }
  LoadedLines(const LoadedLines&) = delete;
  LoadedLines& operator=(const LoadedLines&) = delete;

  // Room for n zero bytes, or null when memory runs out.
  char* TakeText(size_t n) { return static_cast<char*>(m_texts.Take(n)); }
  // A zero-filled record, or null when memory runs out.
  EditLine* TakeRecord() { return static_cast<EditLine*>(m_records.Take(sizeof(EditLine))); }
  // The record was taken here (it goes back with the blocks).
  bool HoldsRecord(const EditLine* line) const { return m_records.Holds(line); }
  // Takes over the other's blocks (its lines now live in this buffer);
  // false, with nothing moved, when memory runs out.
  bool Adopt(LoadedLines& other);
  // Hands every block back; no line may be in them or point into them.
  void Clear();

 private:
  class Blocks {
   public:
    void* Take(size_t n);
    bool Holds(const void* p) const;
    bool ReserveFor(const Blocks& other);
    void MoveFrom(Blocks& other);
    void Clear();

   private:
    struct Block {
      char* bytes;
      size_t size;
    };
    std::vector<Block> m_blocks;
    char* m_at = nullptr;      // free room in the last block
    mutable size_t m_hit = 0;  // the block Holds found last
    char* m_end = nullptr;
  };
  Blocks m_texts;
  Blocks m_records;
};
