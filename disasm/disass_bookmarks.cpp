#include "disasm/disass_bookmarks.h"

#include <iterator>

BOOL DisassBookmarks::Set(int line, BOOL set) {
  if (!set) {
    m_lines.erase(line);
    return TRUE;
  }
  if (IsSet(line)) return TRUE;
  if (Count() >= kMaxBookmarks) return FALSE;
  m_lines.insert(line);
  return TRUE;
}

int DisassBookmarks::Next(int line, BookmarkWrap wrap) const {
  auto it = m_lines.upper_bound(line);
  if (it != m_lines.end()) return *it;
  return wrap == BookmarkWrap::kYes && !m_lines.empty() ? *m_lines.begin() : 0;
}

int DisassBookmarks::Previous(int line, BookmarkWrap wrap) const {
  auto it = m_lines.lower_bound(line);
  if (it != m_lines.begin()) return *std::prev(it);
  return wrap == BookmarkWrap::kYes && !m_lines.empty() ? *m_lines.rbegin() : 0;
}
