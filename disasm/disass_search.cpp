#include "disasm/disass_search.h"

#include <algorithm>

#include "disasm/disass_edit.h"

std::string MemAddrTextLines::LineText(int line) { return DisassEdit::LineText(line); }

BOOL DisassSearchText(DisassTextLines& lines, DisassPos& start, DisassPos end, FindRecord* request) {
  if (request == nullptr || !FindPatternCompiles(*request)) return FALSE;
  bool forward = (request->flags & FIND_FORWARD) != 0;
  // An end on the wrong side of the start limits nothing but the start line.
  if (forward ? end.line < start.line : end.line > start.line) end = {start.line, forward ? 0x7fffffff : 0};
  int step = forward ? 1 : -1;
  for (int n = start.line;; n += step) {
    std::string text = lines.LineText(n);
    int length = static_cast<int>(text.size());
    int from = 0;
    int to = length;
    if (n == start.line) (forward ? from : to) = std::clamp(start.offset, 0, length);
    if (n == end.line) {
      if (forward) {
        to = std::max(from, std::min(end.offset, length));
      } else {
        from = std::clamp(end.offset, 0, to);
      }
    }
    int at = FindInLine(text.data(), length, from, to, request);
    if (at >= 0) {
      start = {n, at};
      return TRUE;
    }
    if (n == end.line) return FALSE;
  }
}
