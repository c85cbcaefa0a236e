#include "debugger/debug_interp_borland.h"

#include <algorithm>
#include <cstring>

#include "debugger/debug_message.h"
#include "debugger/file_bytes.h"
#include "debugger/name_compare.h"


CDebugInterpBorland::CDebugInterpBorland(const char* exePath, int* result, uint16_t loadSegment)
    : m_loadSegment(loadSegment)
{
    *result = 0;
    const char* base = exePath;
    for (const char* p = exePath; *p; ++p) {
        if (*p == '\\' || *p == '/')
            base = p + 1;
    }
    m_exeDirectory.assign(exePath, size_t(base - exePath));
    std::string bytes;
    if (!ReadFileBytes(exePath, bytes)) {
        DebugMessageBox("Unable to open executable file to read debug information", "Fatal error");
        return;
    }
    Load(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), result);
}

CDebugInterpBorland::CDebugInterpBorland(const uint8_t* image, size_t size, int* result,
                                         uint16_t loadSegment)
    : m_loadSegment(loadSegment)
{
    *result = 0;
    Load(image, size, result);
}

CDebugInterpBorland::~CDebugInterpBorland() = default;

void CDebugInterpBorland::Load(const uint8_t* image, size_t size, int* result)
{
    if (ReadBorlandDebugInfo(image, size, m_info) != BorlandReadResult::Ok) {
        m_info = BorlandDebugInfo();
        DebugMessageBox("No Borland Debug Information found!", "ALERT");
        return;
    }
    for (BorlandSegment& s : m_info.segments)
        s.codeSegment = uint16_t(s.codeSegment + m_loadSegment);
    if (m_info.scopes.empty()) {
        m_firstNonScopeSymbol = m_info.globalCount + 1;
    } else {
        const BorlandScope& last = m_info.scopes.back();
        m_firstNonScopeSymbol = last.firstSymbol + last.symbolCount;
    }
    m_names.reserve(m_info.nameStarts.size());
    for (uint32_t start : m_info.nameStarts)
        m_names.push_back(m_info.namePool.c_str() + start);
    StripUnderscores();

    m_segmentsByStart.resize(m_info.segments.size());
    for (size_t i = 0; i < m_segmentsByStart.size(); ++i)
        m_segmentsByStart[i] = i;
    auto start = [this](size_t i) {
        return CAddr(m_info.segments[i].codeSegment, m_info.segments[i].codeOffset).Linear();
    };
    std::stable_sort(m_segmentsByStart.begin(), m_segmentsByStart.end(),
                     [&](size_t a, size_t b) { return start(a) < start(b); });

    BuildLineList();
    BuildFunctionList();
    // Only the line list and the function list are needed from these.
    m_info.modules = {};
    m_info.sourceFiles = {};
    m_info.correlations = {};
    m_info.lines = {};
    m_valid = true;
    *result = 1;
}

const char* CDebugInterpBorland::Name(uint32_t index) const
{
    if (index == 0 || index > m_names.size())
        return "";
    return m_names[index - 1];
}

void CDebugInterpBorland::StripUnderscores()
{
    bool strip = std::any_of(m_info.modules.begin(), m_info.modules.end(),
                             [](const BorlandModule& m) { return (m.flags & 8) != 0; });
    if (!strip)
        return;
    // A name shared by several symbols loses one underscore only.
    std::vector<bool> stripped(m_names.size());
    uint32_t globals = std::min<uint32_t>(m_info.globalCount, uint32_t(m_info.symbols.size()));
    for (uint32_t i = 0; i < globals; ++i) {
        uint32_t n = m_info.symbols[i].name;
        if (n == 0 || n > m_names.size() || stripped[n - 1] || m_names[n - 1][0] != '_')
            continue;
        ++m_names[n - 1];
        stripped[n - 1] = true;
    }
}

void CDebugInterpBorland::BuildLineList()
{
    std::vector<CCodeAddrTable::Record> records;
    records.reserve(m_info.lines.size());
    std::vector<const char*> files;
    files.reserve(m_info.sourceFiles.size());
    for (const BorlandSourceFile& f : m_info.sourceFiles)
        files.push_back(Name(f.name));
    // Correlations normally share the line table out; overlapping ones are
    // bounded so that a damaged file cannot make the list explode.
    const size_t limit = 2 * m_info.lines.size();
    m_highestCode = CAddr(0, 0);
    uint32_t highest = 0;
    for (const BorlandCorrelation& k : m_info.correlations) {
        if (k.segment == 0 || k.segment > m_info.segments.size())
            continue;
        if (k.sourceFile == 0 || k.sourceFile > m_info.sourceFiles.size())
            continue;
        const BorlandSegment& seg = m_info.segments[k.segment - 1];
        const uint16_t file = uint16_t(k.sourceFile - 1);
        for (uint32_t i = 0; i < k.lineCount && records.size() < limit; ++i) {
            uint64_t idx = uint64_t(k.firstLine) + i;
            if (idx == 0 || idx > m_info.lines.size())
                break;
            const BorlandLine& l = m_info.lines[idx - 1];
            const uint32_t linear = uint32_t(seg.codeSegment) * 16 + l.offset;
            if (linear > highest) {
                highest = linear;
                m_highestCode = CAddr(seg.codeSegment, l.offset);
            }
            records.push_back({linear, seg.codeSegment, l.offset, l.line, file});
        }
    }
    m_lines.Build(std::move(records), std::move(files));
}

void CDebugInterpBorland::BuildFunctionList()
{
    // Function symbols by ascending address (symbols usually come so),
    // matched against the line list in one walk from the top down; the
    // matches are gathered in place, highest first.
    std::vector<SFuncTableEntry> list;
    list.reserve(m_info.symbols.size());
    for (const BorlandSymbol& s : m_info.symbols) {
        if (s.type != 0 && TypeIdOf(s.type) == 0x23)
            list.push_back({Name(s.name), CAddr(uint16_t(s.Segment() + m_loadSegment), s.Offset()), 0});
    }
    auto lower = [](const SFuncTableEntry& a, const SFuncTableEntry& b) {
        return a.address.Linear() < b.address.Linear();
    };
    if (!std::is_sorted(list.begin(), list.end(), lower))
        std::stable_sort(list.begin(), list.end(), lower);
    std::reverse(list.begin(), list.end());
    size_t kept = 0;
    size_t line = m_lines.Count();
    for (size_t begin = 0; begin < list.size();) {
        // The run of symbols at one address (reversed: newest first).
        const uint32_t linear = list[begin].address.Linear();
        size_t end = begin + 1;
        while (end < list.size() && list[end].address.Linear() == linear)
            ++end;
        while (line > 0 && m_lines.LinearAt(line - 1) > linear)
            --line;
        if (line > 0 && m_lines.LinearAt(line - 1) == linear) {
            uint8_t language = LanguageAt(list[begin].address);
            // Within one address the older symbol comes first.
            std::reverse(list.begin() + begin, list.begin() + end);
            for (size_t k = begin; k < end; ++k) {
                list[kept] = list[k];
                list[kept++].language = language;
            }
        }
        begin = end;
    }
    list.resize(kept);
    m_functions.Build(std::move(list));
}

uint8_t CDebugInterpBorland::LanguageAt(const CAddr& a) const
{
    size_t seg = FindSegment(a);
    if (seg >= m_info.segments.size())
        return 0;
    uint16_t m = m_info.segments[seg].module;
    return m != 0 && m <= m_info.modules.size() ? m_info.modules[m - 1].language : 0;
}

size_t CDebugInterpBorland::FindSegment(const CAddr& at) const
{
    const uint32_t linear = at.Linear();
    auto start = [this](size_t i) {
        return CAddr(m_info.segments[i].codeSegment, m_info.segments[i].codeOffset).Linear();
    };
    auto it = std::upper_bound(m_segmentsByStart.begin(), m_segmentsByStart.end(), linear,
                               [&](uint32_t v, size_t i) { return v < start(i); });
    if (it == m_segmentsByStart.begin())
        return m_info.segments.size();
    --it;
    // Of several segments with that start, the first in the table.
    while (it != m_segmentsByStart.begin() && start(*(it - 1)) == start(*it))
        --it;
    return *it;
}

bool CDebugInterpBorland::NamesEqual(const char* a, const char* b) const
{
    if (m_info.CaseSensitive())
        return std::strcmp(a, b) == 0;
    return EqualNoCase(a, b);
}
