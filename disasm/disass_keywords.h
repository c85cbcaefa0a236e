// The keyword table of syntax colouring: 2048 open-addressed entries.
#pragma once

#include "platform/base/windef.h"

struct DisassKeyword {
  char text[24];  // at most 23 characters; empty = free entry
  int length;
  int colour;  // -1: no colour of its own
};

class DisassKeywordTable {
 public:
  static constexpr int kSize = 2048;
  static constexpr int kMaxLength = 23;

  static unsigned HashKeyword(const char* key);

  DisassKeywordTable();
  // Adds every key of a list of zero-terminated keys ended by an empty
  // one; keys of 24 characters or more are skipped, and keys that find
  // the table full.
  void Build(const char* keys, size_t size, BOOL caseSensitive);
  const DisassKeyword& Entry(int slot) const { return m_entries[slot]; }

 private:
  void Add(const char* key, size_t length, BOOL caseSensitive);

  DisassKeyword m_entries[kSize];
};
