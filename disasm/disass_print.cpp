#include "disasm/disass_print.h"

#include <algorithm>

#include "disasm/mem_addr_list.h"

DisassLineRange DisassPrintRange(CMemAddrList* list, DisassPrintScope scope,
                                 const DisassPrintSelection& selection, int caretLine) {
  if (list == nullptr) return {1, 0};
  if (scope == DisassPrintScope::kSelection && selection.startLine > 0 && selection.endLine > 0) {
    int first = std::min(selection.startLine, selection.endLine);
    int last = std::max(selection.startLine, selection.endLine);
    if (selection.endColumn == 0 && last > first) --last;
    return {std::max(1, first), std::min(last, list->GetLineCount())};
  }
  return DisassBoundedRange(list, caretLine);
}

std::vector<PrintLine> DisassPrintLines(CMemAddrList* list, const DisassLineRange& range) {
  std::vector<PrintLine> lines;
  if (list == nullptr || range.last < range.first) return lines;
  lines.reserve(static_cast<size_t>(range.last - range.first + 1));
  for (int n = range.first; n <= range.last; ++n) {
    DisassLine record;
    list->GetLine(n, record);
    delete[] record.text;
    lines.push_back({n, record.length, list->IsLineInMemory(n) != FALSE});
  }
  return lines;
}
