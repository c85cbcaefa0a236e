// The lines read from a file: their records and their texts laid one after
// another in a few big blocks that the buffer holds. A loaded line's text
// is borrowed, not its own, until it is first changed, when it is copied
// into a block of its own; a loaded record is never freed on its own. The
// blocks go back all at once; their pages are made resident a stretch at a
// time as they are filled.
#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

#include "editor/editline.h"

class LoadedLines {
 public:
  LoadedLines() = default;
  ~LoadedLines() { Clear(); }
  LoadedLines(const LoadedLines&) = delete;
  LoadedLines& operator=(const LoadedLines&) = delete;

  // Room for n zero bytes, the text of the record taken last, or null when
  // memory runs out.
  char* TakeText(size_t n) { return static_cast<char*>(m_texts.Take(n, m_recordCount - 1)); }
  // A zero-filled record, or null when memory runs out.
  EditLine* TakeRecord();
  // The record was taken here (it goes back with the blocks).
  bool HoldsRecord(const EditLine* line) const { return m_records.Holds(line); }
  // Takes over the other's blocks (its lines now live in this buffer);
  // false, with nothing moved, when memory runs out.
  bool Adopt(LoadedLines& other);
  // Hands every block back; no line may be in them or point into them.
  void Clear();

  // While the lines are exactly those taken here, in order and unchanged,
  // line i (from 0) is the i-th record and its text the i-th text, and the
  // texts of a block follow one another, each with its NUL.
  struct Span {
    const char* begin;
    const char* end;
    long firstLine;  // the line whose text begins the block
    long endLine;    // the line after the block's last one
  };
  // The block of texts that holds p, or false.
  bool TextSpanOf(const char* p, Span* span) const;
  EditLine* LineAt(long index) const;
  // Line `index` (null when there is none) and in *count how many lines
  // from it on have their records one after another: line index + k is
  // the k-th record after it for k below the count.
  EditLine* LinesFrom(long index, long* count) const;
  long LineCount() const { return m_recordCount; }
  // The line of the span whose text (or its NUL) holds p, looked for from
  // line `from` on.
  EditLine* LineOfText(const Span& span, const char* p, long from) const;

 private:
  class Blocks {
   public:
    // `item` is the index of what is taken (the line of a text).
    void* Take(size_t n, long item);
    bool Holds(const void* p) const;
    // The block holding p, or -1.
    int BlockOf(const void* p) const;
    bool Has(size_t i, const char* c) const;
    size_t Count() const { return m_blocks.size(); }
    const char* Begin(size_t i) const { return m_blocks[i].bytes; }
    const char* UsedEnd(size_t i) const;
    long FirstItem(size_t i) const { return m_blocks[i].first; }
    bool ReserveFor(const Blocks& other);
    void MoveFrom(Blocks& other);
    void Clear();

   private:
    void MakeResident();

    struct Block {
      char* bytes;
      size_t size;
      size_t used;  // bytes taken, once the next block is begun
      long first;   // index of the first item taken from it
    };
    std::vector<Block> m_blocks;
    char* m_at = nullptr;  // free room in the last block
    // The block BlockOf found last (searches of one buffer may run at once).
    mutable std::atomic<size_t> m_hit{0};
    char* m_end = nullptr;
    char* m_resident = nullptr;  // pages below are resident in the last block
  };
  Blocks m_texts;
  Blocks m_records;
  long m_recordCount = 0;
};
