// The bookmarks of a disassembly view, kept by the view by line number:
// the line source has no bookmarks of its own. The set is bounded, so Next
// and Previous end and Clear All touches no line.
#pragma once

#include <set>

#include "platform/base/windef.h"

// Whether Next and Previous go round to the other end.
enum class BookmarkWrap { kNo, kYes };

class DisassBookmarks {
 public:
  static constexpr int kMaxBookmarks = 65536;

  // Sets or clears the bookmark of a line; FALSE when the set is full.
  BOOL Set(int line, BOOL set);
  BOOL Toggle(int line) { return Set(line, !IsSet(line)); }
  BOOL IsSet(int line) const { return m_lines.count(line) != 0; }
  int Count() const { return static_cast<int>(m_lines.size()); }
  void Clear() { m_lines.clear(); }
  // The next bookmarked line after `line` (before it, for Previous); 0
  // when there is none.
  int Next(int line, BookmarkWrap wrap) const;
  int Previous(int line, BookmarkWrap wrap) const;

 private:
  std::set<int> m_lines;
};
