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

void CCodeAddrTable::Build(std::vector<Record> records, std::vector<const char*> files)
{
    // Stable: among equal addresses the order of reading is kept, so the
    // last of each run is the one read last. Files usually come sorted.
    auto lower = [](const Record& a, const Record& b) { return a.linear < b.linear; };
    if (!std::is_sorted(records.begin(), records.end(), lower))
        std::stable_sort(records.begin(), records.end(), lower);
    size_t kept = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        if (kept && records[kept - 1].linear == records[i].linear)
            records[kept - 1] = records[i];
        else
            records[kept++] = records[i];
    }
    records.resize(kept);
    m_records = std::move(records);
    m_files = std::move(files);
    m_byFile.clear();
    m_indexed = false;
}

void CCodeAddrTable::IndexFiles() const
{
    m_indexed = true;
    std::vector<std::vector<LineRef>*> refsOfFile(m_files.size());
    for (size_t f = 0; f < m_files.size(); ++f)
        refsOfFile[f] = &m_byFile[FileKey(m_files[f])];
    for (size_t i = 0; i < m_records.size(); ++i)
        refsOfFile[m_records[i].file]->push_back({m_records[i].line, i});
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
    if (!m_indexed)
        IndexFiles();
    auto f = m_byFile.find(FileKey(fileName));
    if (f == m_byFile.end())
        return npos;
    const std::vector<LineRef>& refs = f->second;
    auto it = std::lower_bound(refs.begin(), refs.end(), line,
                               [](const LineRef& r, uint16_t v) { return r.line < v; });
    return it == refs.end() ? npos : it->entry;
}
