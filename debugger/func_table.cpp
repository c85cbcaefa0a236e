#include "debugger/func_table.h"

#include <algorithm>

void CFuncTable::Build(std::vector<Record> entries, const Symbols* symbols) {
  m_entries = std::move(entries);
  m_symbols = symbols;
}

size_t CFuncTable::FindFirstAtOrBelow(uint32_t linear) const {
  auto it = std::lower_bound(m_entries.begin(), m_entries.end(), linear,
                             [](const Record& e, uint32_t v) { return e.linear > v; });
  return it == m_entries.end() ? npos : size_t(it - m_entries.begin());
}

size_t CFuncTable::FindExact(uint32_t linear) const {
  size_t i = FindFirstAtOrBelow(linear);
  if (i != npos && m_entries[i].linear == linear) return i;
  return npos;
}
