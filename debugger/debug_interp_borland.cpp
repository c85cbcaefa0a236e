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
    if (!m_bytes.Read(exePath)) {
        DebugMessageBox("Unable to open executable file to read debug information", "Fatal error");
        return;
    }
    Load(result);
}

CDebugInterpBorland::CDebugInterpBorland(const uint8_t* image, size_t size, int* result,
                                         uint16_t loadSegment)
    : m_loadSegment(loadSegment)
{
    *result = 0;
    m_bytes.Assign(image, size);
    Load(result);
}

CDebugInterpBorland::~CDebugInterpBorland() = default;

void CDebugInterpBorland::Load(int* result)
{
    if (ReadBorlandDebugInfo(m_bytes.Data(), m_bytes.Size(), m_info) != BorlandReadResult::Ok) {
        m_info = BorlandDebugInfo();
        m_bytes = FileBytes();
        DebugMessageBox("No Borland Debug Information found!", "ALERT");
        return;
    }
    for (BorlandSegment& s : m_info.segments)
        s.codeSegment = uint16_t(s.codeSegment + m_loadSegment);
    if (m_info.scopes.empty()) {
        m_firstNonScopeSymbol = m_info.globalCount + 1;
    } else {
        const BorlandScope last = m_info.scopes.back();
        m_firstNonScopeSymbol = last.firstSymbol + last.symbolCount;
    }
    StripUnderscores();

    m_segmentsByStart.resize(m_info.segments.size());
    for (size_t i = 0; i < m_segmentsByStart.size(); ++i) {
        const BorlandSegment& s = m_info.segments[i];
        m_segmentsByStart[i] = {CAddr(s.codeSegment, s.codeOffset).Linear(), uint32_t(i)};
    }
    std::stable_sort(m_segmentsByStart.begin(), m_segmentsByStart.end(),
                     [](const SegmentStart& a, const SegmentStart& b) { return a.linear < b.linear; });

    BuildLineList();
    BuildFunctionList();
    m_valid = true;
    *result = 1;
}

const char* CDebugInterpBorland::Name(uint32_t index) const
{
    return m_info.Pool() + NameOffset(index);
}

uint32_t CDebugInterpBorland::NameOffset(uint32_t index) const
{
    if (index == 0 || index > m_info.nameStarts.size())
        return m_info.EndOfPool();  // ""
    return m_info.nameStarts[index - 1];
}

bool CDebugInterpBorland::IsFunctionType(uint32_t type) const
{
    // Only the file's types exist while loading.
    return type != 0 && type <= m_info.types.size() && *m_info.types.Bytes(type - 1) == 0x23;
}

void CDebugInterpBorland::StripUnderscores()
{
    bool strip = false;
    for (const BorlandModule m : m_info.modules)
        strip = strip || (m.flags & 8) != 0;
    if (!strip)
        return;
    // A name shared by several symbols loses one underscore only.
    std::vector<uint32_t>& starts = m_info.nameStarts;
    std::vector<bool> stripped(starts.size());
    const char* pool = m_info.Pool();
    uint32_t globals = std::min<uint32_t>(m_info.globalCount, uint32_t(m_info.symbols.size()));
    for (uint32_t i = 0; i < globals; ++i) {
        uint32_t n = m_info.symbols[i].name;
        if (n == 0 || n > starts.size() || stripped[n - 1] || pool[starts[n - 1]] != '_')
            continue;
        ++starts[n - 1];
        stripped[n - 1] = true;
    }
}

void CDebugInterpBorland::BuildLineList()
{
    const BorlandTable<BorlandLine>& lines = m_info.lines;
    std::vector<const char*> files;
    files.reserve(m_info.sourceFiles.size());
    for (const BorlandSourceFile f : m_info.sourceFiles)
        files.push_back(Name(f.name));
    m_lines.Begin(std::move(files), lines.size());
    // Correlations normally share the line table out; overlapping ones are
    // bounded so that a damaged file cannot make the list explode.
    const size_t limit = 2 * lines.size();
    size_t taken = 0;
    m_highestCode = CAddr(0, 0);
    uint32_t highest = 0;
    for (const BorlandCorrelation k : m_info.correlations) {
        if (k.segment == 0 || k.segment > m_info.segments.size())
            continue;
        if (k.sourceFile == 0 || k.sourceFile > m_info.sourceFiles.size())
            continue;
        if (k.firstLine == 0 || k.firstLine > lines.size())
            continue;
        const uint16_t segment = m_info.segments[k.segment - 1].codeSegment;
        const uint16_t file = uint16_t(k.sourceFile - 1);
        const size_t count = std::min<size_t>({k.lineCount, lines.size() - (k.firstLine - 1),
                                               limit - taken});
        taken += count;
        for (size_t i = 0; i < count; ++i) {
            const BorlandLine l = lines[k.firstLine - 1 + i];
            const uint32_t linear = uint32_t(segment) * 16 + l.offset;
            if (linear > highest) {
                highest = linear;
                m_highestCode = CAddr(segment, l.offset);
            }
            m_lines.Add({linear, segment, l.offset, l.line, file});
        }
    }
    m_lines.Finish();
}

void CDebugInterpBorland::BuildFunctionList()
{
    // Function symbols by ascending address (symbols usually come so),
    // matched against the line list in one walk from the top down; the
    // matches are gathered in place, highest first.
    std::vector<CFuncTable::Record> list;
    list.reserve(m_info.symbols.size());
    for (const BorlandSymbol s : m_info.symbols) {
        if (IsFunctionType(s.type)) {
            const uint16_t segment = uint16_t(s.Segment() + m_loadSegment);
            list.push_back({uint32_t(segment) * 16 + s.Offset(), segment, s.Offset(),
                            NameOffset(s.name), 0});
        }
    }
    auto lower = [](const CFuncTable::Record& a, const CFuncTable::Record& b) {
        return a.linear < b.linear;
    };
    if (!std::is_sorted(list.begin(), list.end(), lower))
        std::stable_sort(list.begin(), list.end(), lower);
    std::reverse(list.begin(), list.end());
    // The segment (and so the language) found last holds the addresses in
    // [slotFrom, slotTo); functions come in runs within one segment.
    uint64_t slotFrom = 1, slotTo = 0;
    uint8_t language = 0;
    size_t kept = 0;
    size_t line = m_lines.Count();
    for (size_t begin = 0; begin < list.size();) {
        // The run of symbols at one address (reversed: newest first).
        const uint32_t linear = list[begin].linear;
        size_t end = begin + 1;
        while (end < list.size() && list[end].linear == linear)
            ++end;
        while (line > 0 && m_lines.LinearAt(line - 1) > linear)
            --line;
        if (line > 0 && m_lines.LinearAt(line - 1) == linear) {
            if (linear < slotFrom || linear >= slotTo) {
                size_t slot = SegmentSlot(linear);
                size_t next = slot == m_segmentsByStart.size() ? 0 : slot;
                while (next < m_segmentsByStart.size() && m_segmentsByStart[next].linear <= linear)
                    ++next;
                slotFrom = slot == m_segmentsByStart.size() ? 0 : m_segmentsByStart[slot].linear;
                slotTo = next < m_segmentsByStart.size() ? m_segmentsByStart[next].linear
                                                         : uint64_t(1) << 32;
                language = slot == m_segmentsByStart.size()
                               ? 0
                               : LanguageOf(m_segmentsByStart[slot].index);
            }
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
    m_functions.Build(std::move(list), m_info.Pool());
}

uint8_t CDebugInterpBorland::LanguageOf(size_t seg) const
{
    uint16_t m = m_info.segments[seg].module;
    return m != 0 && m <= m_info.modules.size() ? m_info.modules[m - 1].language : 0;
}

size_t CDebugInterpBorland::SegmentSlot(uint32_t linear) const
{
    auto it = std::upper_bound(m_segmentsByStart.begin(), m_segmentsByStart.end(), linear,
                               [](uint32_t v, const SegmentStart& s) { return v < s.linear; });
    if (it == m_segmentsByStart.begin())
        return m_segmentsByStart.size();
    --it;
    // Of several segments with that start, the first in the table.
    while (it != m_segmentsByStart.begin() && (it - 1)->linear == it->linear)
        --it;
    return size_t(it - m_segmentsByStart.begin());
}

size_t CDebugInterpBorland::FindSegment(const CAddr& at) const
{
    size_t slot = SegmentSlot(at.Linear());
    return slot == m_segmentsByStart.size() ? m_info.segments.size() : m_segmentsByStart[slot].index;
}

bool CDebugInterpBorland::NamesEqual(const char* a, const char* b) const
{
    if (m_info.CaseSensitive())
        return std::strcmp(a, b) == 0;
    return EqualNoCase(a, b);
}
