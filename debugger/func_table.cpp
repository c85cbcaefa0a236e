#include "debugger/func_table.h"

#include <algorithm>

void CFuncTable::Build(std::vector<Record> entries, const Symbols* symbols)
{
    m_symbols = symbols;
    auto higher = [](const Record& a, const Record& b) { return a.linear > b.linear; };
    if (!std::is_sorted(entries.begin(), entries.end(), higher))
        std::stable_sort(entries.begin(), entries.end(), higher);
    m_entries = std::move(entries);
}

size_t CFuncTable::FindFirstAtOrBelow(uint32_t linear) const
{
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), linear,
                               [](const Record& e, uint32_t v) { return e.linear > v; });
    return it == m_entries.end() ? npos : size_t(it - m_entries.begin());
}

size_t CFuncTable::FindExact(uint32_t linear) const
{
    size_t i = FindFirstAtOrBelow(linear);
    if (i != npos && m_entries[i].linear == linear)
        return i;
    return npos;
}
