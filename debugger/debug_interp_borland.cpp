#include "debugger/debug_interp_borland.h"

#include <algorithm>
#include <cstring>

#include "debugger/borland_names.h"
#include "debugger/debug_message.h"
#include "debugger/file_bytes.h"
#include "debugger/name_compare.h"

CDebugInterpBorland::CDebugInterpBorland(const char* exePath, int* result, uint16_t loadSegment)
    : m_loadSegment(loadSegment) {
  *result = 0;
  const char* base = exePath;
  for (const char* p = exePath; *p; ++p) {
    if (*p == '\\' || *p == '/') base = p + 1;
  }
  m_exeDirectory.assign(exePath, size_t(base - exePath));
  if (!m_bytes.Read(exePath)) {
    DebugMessageBox("Unable to open executable file to read debug information", "Fatal error");
    return;
  }
  Load(result);
}

CDebugInterpBorland::CDebugInterpBorland(const uint8_t* image, size_t size, int* result, uint16_t loadSegment)
    : m_loadSegment(loadSegment) {
  *result = 0;
  m_bytes.Assign(image, size);
  Load(result);
}

CDebugInterpBorland::~CDebugInterpBorland() = default;

void CDebugInterpBorland::Load(int* result) {
  if (ReadBorlandDebugInfo(m_bytes.Data(), m_bytes.Size(), m_info) != BorlandReadResult::Ok) {
    m_info = BorlandDebugInfo();
    m_bytes = FileBytes();
    DebugMessageBox("No Borland Debug Information found!", "ALERT");
    return;
  }
  for (BorlandSegment& s : m_info.segments) s.codeSegment = uint16_t(s.codeSegment + m_loadSegment);
  if (m_info.scopes.empty()) {
    m_firstNonScopeSymbol = m_info.globalCount + 1;
  } else {
    const BorlandScope last = m_info.scopes.back();
    m_firstNonScopeSymbol = last.firstSymbol + last.symbolCount;
  }

  m_segmentsByStart.resize(m_info.segments.size());
  for (size_t i = 0; i < m_segmentsByStart.size(); ++i) {
    const BorlandSegment& s = m_info.segments[i];
    m_segmentsByStart[i] = {CAddr(s.codeSegment, s.codeOffset).Linear(), uint32_t(i)};
  }
  std::stable_sort(m_segmentsByStart.begin(), m_segmentsByStart.end(),
                   [](const SegmentStart& a, const SegmentStart& b) { return a.linear < b.linear; });

  BuildLineList();
  m_valid = true;
  *result = 1;
}

const char* CDebugInterpBorland::Name(uint32_t index) const {
  IndexNamesOnce();
  if (index == 0 || index > m_nameStarts.size()) return m_info.Pool() + m_info.EndOfPool();
  return m_info.Pool() + m_nameStarts[index - 1];
}

void CDebugInterpBorland::IndexNamesOnce() const {
  if (m_namesBuilt.load(std::memory_order_acquire)) return;
  std::call_once(m_namesOnce, [this] {
    m_nameStarts = IndexNames(m_info);
    if (StripsUnderscores()) StripUnderscores(m_nameStarts);
    m_namesBuilt.store(true, std::memory_order_release);
  });
}

bool CDebugInterpBorland::StripsUnderscores() const {
  for (const BorlandModule m : m_info.modules) {
    if (m.flags & 8) return true;
  }
  return false;
}

void CDebugInterpBorland::StripUnderscores(std::vector<uint32_t>& starts) const {
  // A name shared by several symbols loses one underscore only.
  std::vector<bool> stripped(starts.size());
  const char* pool = m_info.Pool();
  uint32_t globals = std::min<uint32_t>(m_info.globalCount, uint32_t(m_info.symbols.size()));
  for (uint32_t i = 0; i < globals; ++i) {
    uint32_t n = m_info.symbols[i].name;
    if (n == 0 || n > starts.size() || stripped[n - 1] || pool[starts[n - 1]] != '_') continue;
    ++starts[n - 1];
    stripped[n - 1] = true;
  }
}

std::vector<const char*> CDebugInterpBorland::SourceFileNames() const {
  const size_t n = m_info.sourceFiles.size();
  std::vector<uint32_t> index(n), offset(n);
  for (size_t f = 0; f < n; ++f) index[f] = m_info.sourceFiles[f].name;
  FindNameOffsets(m_info, index.data(), n, offset.data());
  const char* pool = m_info.Pool();
  // A file name that is also a global's name loses its underscore too.
  std::vector<uint32_t> underscored;
  for (size_t f = 0; f < n; ++f) {
    if (pool[offset[f]] == '_') underscored.push_back(index[f]);
  }
  if (!underscored.empty() && StripsUnderscores()) {
    std::sort(underscored.begin(), underscored.end());
    std::vector<uint32_t> globalNames;
    const uint32_t globals = std::min<uint32_t>(m_info.globalCount, uint32_t(m_info.symbols.size()));
    for (uint32_t i = 0; i < globals; ++i) {
      const uint32_t name = m_info.symbols[i].name;
      if (std::binary_search(underscored.begin(), underscored.end(), name)) globalNames.push_back(name);
    }
    std::sort(globalNames.begin(), globalNames.end());
    for (size_t f = 0; f < n; ++f) {
      if (pool[offset[f]] == '_' && std::binary_search(globalNames.begin(), globalNames.end(), index[f]))
        ++offset[f];
    }
  }
  std::vector<const char*> names(n);
  for (size_t f = 0; f < n; ++f) names[f] = pool + offset[f];
  return names;
}

void CDebugInterpBorland::BuildLineList() {
  const BorlandTable<BorlandLine>& lines = m_info.lines;
  std::vector<const char*> files = SourceFileNames();
  // Correlations normally share the line table out; overlapping ones are
  // bounded so that a damaged file cannot make the list explode.
  m_lines.Begin(lines, std::move(files), 2 * lines.size());
  for (const BorlandCorrelation k : m_info.correlations) {
    if (k.segment == 0 || k.segment > m_info.segments.size()) continue;
    if (k.sourceFile == 0 || k.sourceFile > m_info.sourceFiles.size()) continue;
    if (k.firstLine == 0 || k.firstLine > lines.size()) continue;
    const uint32_t count = uint32_t(std::min<size_t>(k.lineCount, lines.size() - (k.firstLine - 1)));
    m_lines.Add(k.firstLine - 1, count, m_info.segments[k.segment - 1].codeSegment,
                uint16_t(k.sourceFile - 1));
  }
  m_lines.Finish();
  m_highestCode = m_lines.Highest();
}

CAddr CDebugInterpBorland::LocationAddress(uint32_t location) const {
  return CAddr(uint16_t((location >> 16) + m_loadSegment), location & 0xFFFF);
}

const char* CDebugInterpBorland::FunctionName(uint32_t symbol) const {
  return Name(m_info.symbols[symbol].name);
}

CAddr CDebugInterpBorland::FunctionAddress(uint32_t symbol) const {
  return LocationAddress(m_info.symbols[symbol].location);
}

uint8_t CDebugInterpBorland::FunctionLanguage(uint32_t symbol) const {
  return LanguageAt(FunctionAddress(symbol));
}

const CFuncTable& CDebugInterpBorland::Functions() const {
  std::call_once(m_functionsOnce, [this] { BuildFunctionList(); });
  return m_functions;
}

void CDebugInterpBorland::BuildFunctionList() const {
  // The function symbols at a line start from the top down. Symbols mostly
  // come by ascending address, so they are read backwards.
  const BorlandTable<BorlandSymbol>& symbols = m_info.symbols;
  const bool wide = symbols.Wide();
  std::vector<CFuncTable::Record> list;
  list.reserve(symbols.size());
  bool descending = true;
  bool shared = false;  // some address has several
  CCodeAddrTable::DescendingStarts startsLine(m_lines);
  for (size_t i = symbols.size(); i-- > 0;) {
    const uint8_t* p = symbols.Bytes(i);
    if (!IsFunctionType(BorlandSymbol::TypeOf(p, wide))) continue;
    const uint32_t linear = FunctionLinear(BorlandSymbol::LocationOf(p, wide));
    if (!startsLine(linear)) continue;
    if (!list.empty()) {
      descending = descending && list.back().linear >= linear;
      shared = shared || list.back().linear == linear;
    }
    list.push_back({linear, uint32_t(i)});
  }
  if (!descending) {
    // Stable, from the list read backwards: reading order stays within
    // one address, but backwards.
    std::stable_sort(list.begin(), list.end(), [](const CFuncTable::Record& a, const CFuncTable::Record& b) {
      return a.linear > b.linear;
    });
    shared = true;
  }
  // Within one address the older symbol comes first.
  for (auto from = list.begin(); shared && from != list.end();) {
    auto to = from + 1;
    while (to != list.end() && to->linear == from->linear) ++to;
    std::reverse(from, to);
    from = to;
  }
  m_functions.Build(std::move(list), this);
}

uint8_t CDebugInterpBorland::LanguageAt(const CAddr& a) const {
  size_t seg = FindSegment(a);
  if (seg >= m_info.segments.size()) return 0;
  uint16_t m = m_info.segments[seg].module;
  return m != 0 && m <= m_info.modules.size() ? m_info.modules[m - 1].language : 0;
}

size_t CDebugInterpBorland::SegmentSlot(uint32_t linear) const {
  auto it = std::upper_bound(m_segmentsByStart.begin(), m_segmentsByStart.end(), linear,
                             [](uint32_t v, const SegmentStart& s) { return v < s.linear; });
  if (it == m_segmentsByStart.begin()) return m_segmentsByStart.size();
  --it;
  // Of several segments with that start, the first in the table.
  while (it != m_segmentsByStart.begin() && (it - 1)->linear == it->linear) --it;
  return size_t(it - m_segmentsByStart.begin());
}

size_t CDebugInterpBorland::FindSegment(const CAddr& at) const {
  size_t slot = SegmentSlot(at.Linear());
  return slot == m_segmentsByStart.size() ? m_info.segments.size() : m_segmentsByStart[slot].index;
}

bool CDebugInterpBorland::NamesEqual(const char* a, const char* b) const {
  if (m_info.CaseSensitive()) return std::strcmp(a, b) == 0;
  return EqualNoCase(a, b);
}
