#include "disasm/disass_region.h"

#include <algorithm>

#include "disasm/mem_addr_list.h"

DisassLineRange DisassBoundedRange(CMemAddrList* list, int anchorLine, int window) {
  if (list == nullptr) return {1, 0};
  int count = list->GetLineCount();
  int first = std::clamp(anchorLine, 1, count);
  int last = first;
  int listedFirst = 0;
  int listedLast = 0;
  if (list->GetListedLines(&listedFirst, &listedLast)) {
    first = std::min(first, listedFirst);
    last = std::max(last, listedLast);
  }
  window = std::max(0, window);
  first = std::max(1, first - std::min(first, window));
  last = std::min(count, last + std::min(count, window));
  return {first, last};
}
