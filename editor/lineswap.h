// What one undo record keeps of the spans a Replace All changed: for each
// replacement, in the order made, its line, where it starts in the line as
// replaced, its length there and the bytes it had before, packed into one
// heap block (free()). The replacements are undone one at a time from the
// last, and redone one at a time in order: each step puts the kept bytes
// back and keeps the ones they replace in their place.
#pragma once

#include <cstddef>

#include "platform/sys/page_warmer.h"

struct LineSwapEntry {
  int line = 0;     // 1-based
  int offset = 0;   // where the span starts, every entry before it applied
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
  // Entries come in the order made: by line, and along a line after the
  // entry before. False for an entry out of order or once the block could
  // not grow: the block has failed and takes nothing more.
  bool Add(const LineSwapEntry& entry);
  bool Failed() const { return m_failed; }
  // The finished block with every entry applied, owned by the caller;
  // null when empty or failed.
  char* Release();

 private:
  bool Grow(size_t more);
  void KeepAhead(size_t upTo);
  char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
  plat::WarmFront m_front;    // how far a big block's pages are resident
  char* m_warmEnd = nullptr;  // the end of the block's last whole page
  plat::PageWarmer m_warmer;
  int m_count = 0;
  int m_lastLine = 0;
  int m_lastEnd = 0;  // where the last entry's span ends in its line
  bool m_failed = false;
};

enum class LineSwapStep { kBack, kForward };

// Steps through a finished block: back undoes the last applied entry,
// forward applies the first entry not applied.
class LineSwapSteps {
 public:
  explicit LineSwapSteps(char* block) : m_block(block) {}
  int Count() const;
  int Applied() const;
  // The entry the step swaps; false when there is none that way.
  bool Peek(LineSwapStep step, LineSwapEntry* entry) const;
  // Swaps that entry: `now` (its present bytes, read from the line before
  // it changes) become its kept bytes, and the applied count moves on.
  void Swap(LineSwapStep step, const char* now);
  // Forgets the entries not applied; returns the block, perhaps moved.
  char* DropUnapplied();

 private:
  size_t EntryAt(LineSwapStep step) const;
  char* m_block;
};
