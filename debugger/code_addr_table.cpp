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

void CCodeAddrTable::Begin(std::vector<const char*> files, size_t expected)
{
    m_records.clear();
    m_records.reserve(expected);
    m_files = std::move(files);
    m_inOrder = true;
}

void CCodeAddrTable::Finish()
{
    if (!m_inOrder)
        SortAndMerge();
    m_inOrder = true;
    IndexFiles();
}

void CCodeAddrTable::SortAndMerge()
{
    // Stable: among equal addresses the order of reading is kept, so the
    // last of each run is the one read last.
    std::stable_sort(m_records.begin(), m_records.end(),
                     [](const Record& a, const Record& b) { return a.linear < b.linear; });
    size_t kept = 0;
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (kept && m_records[kept - 1].linear == m_records[i].linear)
            m_records[kept - 1] = m_records[i];
        else
            m_records[kept++] = m_records[i];
    }
    m_records.resize(kept);
}

void CCodeAddrTable::IndexFiles()
{
    // Files with one key share their entries.
    std::vector<std::string> keyOfFile(m_files.size());
    for (size_t f = 0; f < m_files.size(); ++f)
        keyOfFile[f] = FileKey(m_files[f]);
    m_keys = keyOfFile;
    std::sort(m_keys.begin(), m_keys.end());
    m_keys.erase(std::unique(m_keys.begin(), m_keys.end()), m_keys.end());
    std::vector<uint32_t> key(m_files.size());
    for (size_t f = 0; f < m_files.size(); ++f)
        key[f] = uint32_t(std::lower_bound(m_keys.begin(), m_keys.end(), keyOfFile[f]) - m_keys.begin());

    // Entries grouped by key in address order; a group whose lines do not
    // come ascending is sorted by line (stable, so addresses stay ascending).
    m_keyStart.assign(m_keys.size() + 1, 0);
    for (const Record& r : m_records)
        ++m_keyStart[key[r.file] + 1];
    for (size_t k = 0; k < m_keys.size(); ++k)
        m_keyStart[k + 1] += m_keyStart[k];
    std::vector<uint32_t> next(m_keyStart.begin(), m_keyStart.end() - 1);
    std::vector<uint16_t> lastLine(m_keys.size(), 0);
    std::vector<bool> unordered(m_keys.size(), false);
    m_refs.resize(m_records.size());
    for (size_t i = 0; i < m_records.size(); ++i) {
        const uint32_t k = key[m_records[i].file];
        const uint16_t line = m_records[i].line;
        if (line < lastLine[k])
            unordered[k] = true;
        lastLine[k] = line;
        m_refs[next[k]++] = {line, uint32_t(i)};
    }
    for (size_t k = 0; k < m_keys.size(); ++k) {
        if (unordered[k])
            std::stable_sort(m_refs.begin() + m_keyStart[k], m_refs.begin() + m_keyStart[k + 1],
                             [](const LineRef& a, const LineRef& b) { return a.line < b.line; });
    }
}

size_t CCodeAddrTable::FindExact(uint32_t linear) const
{
    size_t i = FindFloor(linear);
    if (i != npos && m_records[i].linear == linear)
        return i;
    return npos;
}

size_t CCodeAddrTable::FindFloor(uint32_t linear) const
{
    auto it = std::upper_bound(m_records.begin(), m_records.end(), linear,
                               [](uint32_t v, const Record& r) { return v < r.linear; });
    if (it == m_records.begin())
        return npos;
    return size_t(it - m_records.begin()) - 1;
}

size_t CCodeAddrTable::FindLine(const char* fileName, uint16_t line) const
{
    const std::string name = FileKey(fileName);
    auto k = std::lower_bound(m_keys.begin(), m_keys.end(), name);
    if (k == m_keys.end() || *k != name)
        return npos;
    const size_t key = size_t(k - m_keys.begin());
    auto begin = m_refs.begin() + m_keyStart[key];
    auto end = m_refs.begin() + m_keyStart[key + 1];
    auto it = std::lower_bound(begin, end, line,
                               [](const LineRef& r, uint16_t v) { return r.line < v; });
    if (it == end)
        return npos;
    // The last of the smallest line is its highest address.
    auto after = std::upper_bound(it, end, it->line,
                                  [](uint16_t v, const LineRef& r) { return v < r.line; });
    return (after - 1)->entry;
}
