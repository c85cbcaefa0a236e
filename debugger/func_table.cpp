#include "debugger/func_table.h"

#include <algorithm>

void CFuncTable::Build(std::vector<SFuncTableEntry> entries)
{
    auto higher = [](const SFuncTableEntry& a, const SFuncTableEntry& b) {
        return a.address.Linear() > b.address.Linear();
    };
    if (!std::is_sorted(entries.begin(), entries.end(), higher))
        std::stable_sort(entries.begin(), entries.end(), higher);
    m_entries = std::move(entries);
}

size_t CFuncTable::FindFirstAtOrBelow(uint32_t linear) const
{
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), linear,
                               [](const SFuncTableEntry& e, uint32_t v) {
                                   return e.address.Linear() > v;
                               });
    return it == m_entries.end() ? npos : size_t(it - m_entries.begin());
}

size_t CFuncTable::FindExact(uint32_t linear) const
{
    size_t i = FindFirstAtOrBelow(linear);
    if (i != npos && m_entries[i].address.Linear() == linear)
        return i;
    return npos;
}
