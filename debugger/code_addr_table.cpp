#include "debugger/code_addr_table.h"

#include <algorithm>

#include "debugger/name_compare.h"
#include "platform/base/charcase.h"

std::string CCodeAddrTable::FileKey(const char* fileName)
{
    std::string key(BaseNameOf(fileName));
    for (char& c : key)
        c = char(mirt::ToLower1252(static_cast<unsigned char>(c)));
    return key;
}

void CCodeAddrTable::Build(std::vector<SCodeAddrTableEntry> entries)
{
    // Stable: among equal addresses the order of reading is kept, so the
    // last of each run is the one read last.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SCodeAddrTableEntry& a, const SCodeAddrTableEntry& b) {
                         return a.address.Linear() < b.address.Linear();
                     });
    m_entries.clear();
    for (const SCodeAddrTableEntry& e : entries) {
        if (!m_entries.empty() && m_entries.back().address.Linear() == e.address.Linear())
            m_entries.back() = e;
        else
            m_entries.push_back(e);
    }
    m_byFile.clear();
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_byFile[FileKey(m_entries[i].file)].push_back({m_entries[i].line, i});
    for (auto& [key, refs] : m_byFile) {
        // By line, and within a line the highest address first.
        std::sort(refs.begin(), refs.end(), [](const LineRef& a, const LineRef& b) {
            return a.line != b.line ? a.line < b.line : a.entry > b.entry;
        });
    }
}

size_t CCodeAddrTable::FindExact(uint32_t linear) const
{
    size_t i = FindFloor(linear);
    if (i != npos && m_entries[i].address.Linear() == linear)
        return i;
    return npos;
}

size_t CCodeAddrTable::FindFloor(uint32_t linear) const
{
    auto it = std::upper_bound(m_entries.begin(), m_entries.end(), linear,
                               [](uint32_t v, const SCodeAddrTableEntry& e) {
                                   return v < e.address.Linear();
                               });
    if (it == m_entries.begin())
        return npos;
    return size_t(it - m_entries.begin()) - 1;
}

size_t CCodeAddrTable::FindLine(const char* fileName, uint16_t line) const
{
    auto f = m_byFile.find(FileKey(fileName));
    if (f == m_byFile.end())
        return npos;
    const std::vector<LineRef>& refs = f->second;
    auto it = std::lower_bound(refs.begin(), refs.end(), line,
                               [](const LineRef& r, uint16_t v) { return r.line < v; });
    return it == refs.end() ? npos : it->entry;
}
