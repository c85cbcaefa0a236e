// Scopes, symbols, the line and address maps and the function list.
#include <cstring>

#include "debugger/debug_interp_borland.h"
#include "debugger/segoff.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"

namespace {

char* HeapCopy(const char* text) {
  size_t n = std::strlen(text) + 1;
  char* copy = new char[n];
  std::memcpy(copy, text, n);
  return copy;
}

}  // namespace

std::optional<BorlandSymbol> CDebugInterpBorland::Symbol(uint32_t index) const {
  if (index == 0 || index > m_info.symbols.size()) return std::nullopt;
  return m_info.symbols[index - 1];
}

ScopeHandle CDebugInterpBorland::FindScope(const CAddr* at) {
  if (!m_valid || m_highestCode.IsLess(*at)) return nullptr;
  ScopeHandle handle = new uint16_t(0);
  size_t segIndex = FindSegment(*at);
  if (segIndex >= m_info.segments.size()) return handle;
  const BorlandSegment& seg = m_info.segments[segIndex];
  const uint32_t linear = at->Linear();
  uint32_t bestStart = 0;
  uint32_t bestEnd = m_highestCode.Linear();
  for (uint32_t i = 0; i < seg.scopeCount; ++i) {
    uint32_t index = uint32_t(seg.firstScope) + i;
    if (index == 0 || index > m_info.scopes.size()) break;
    const BorlandScope s = m_info.scopes[index - 1];
    uint32_t start = CAddr(seg.codeSegment, s.offset).Linear();
    uint32_t end = start + s.length;
    if (linear < start || linear >= end) continue;
    if (start > bestStart || end < bestEnd) {
      bestStart = start;
      bestEnd = end;
      *handle = uint16_t(index);
    }
  }
  return handle;
}

CAddr CDebugInterpBorland::SymbolAddress(const BorlandSymbol& s) const {
  if ((s.flags & 7) == 2) {
    // Relative to the frame base SS:BP.
    if (!g_pRegisters) return CAddr::Invalid();
    const CAddr& frame = g_pRegisters->frame;
    uint32_t linear = frame.Linear() + uint32_t(int32_t(int16_t(s.Offset())));
    CAddr out;
    LinearToSegOffNear(out, linear, frame);
    return out;
  }
  return CAddr(uint16_t(s.Segment() + m_loadSegment), s.Offset());
}

int CDebugInterpBorland::FindSymbolInScope(ScopeHandle scope, const char* name, TypeHandle* typeOut,
                                           CAddr* addrOut, int* basicOut) {
  if (!m_valid) return 0;
  uint32_t first = 1;
  uint32_t count = m_info.globalCount;
  if (scope && *scope != 0) {
    if (*scope > m_info.scopes.size()) return 0;
    const BorlandScope s = m_info.scopes[*scope - 1];
    first = s.firstSymbol;
    count = s.symbolCount;
  }
  for (uint64_t i = first; i < uint64_t(first) + count; ++i) {
    std::optional<BorlandSymbol> sym = Symbol(uint32_t(i));
    if (!sym) break;
    if (!NamesEqual(Name(sym->name), name)) continue;
    *addrOut = SymbolAddress(*sym);
    TypeByIndexRule(sym->type, typeOut, basicOut);
    return 1;
  }
  return 0;
}

bool CDebugInterpBorland::IsGlobalScope(ScopeHandle scope) { return !scope || *scope == 0; }

void CDebugInterpBorland::ParentScope(ScopeHandle scope) {
  if (!scope || *scope == 0) return;
  if (*scope > m_info.scopes.size()) {
    *scope = 0;
    return;
  }
  *scope = m_info.scopes[*scope - 1].parent;
}

void CDebugInterpBorland::SymbolNameAt(const CAddr* at, char** nameOut) {
  *nameOut = nullptr;
  for (const BorlandSymbol s : m_info.symbols) {
    if (uint16_t(s.Segment() + m_loadSegment) == at->segment && s.Offset() == at->offset) {
      *nameOut = HeapCopy(Name(s.name));
      return;
    }
  }
}

bool CDebugInterpBorland::IsTypeSymbolName(const char* name) {
  for (uint64_t i = m_firstNonScopeSymbol; i <= m_info.symbols.size(); ++i) {
    std::optional<BorlandSymbol> s = Symbol(uint32_t(i));
    if (s && NamesEqual(Name(s->name), name)) return true;
  }
  return false;
}

void CDebugInterpBorland::LineToAddress(const char* fileName, uint16_t* line, CAddr* addrOut) {
  size_t i = m_lines.FindLine(fileName, *line);
  if (i == CCodeAddrTable::npos) {
    *line = 0xFFFF;
    *addrOut = CAddr::Invalid();
    return;
  }
  *line = m_lines.At(i).line;
  *addrOut = m_lines.At(i).address;
}

void CDebugInterpBorland::AddressToNearestLine(const CAddr* at, char** fileOut, uint16_t* lineOut) {
  *fileOut = nullptr;
  *lineOut = 0xFFFF;
  if (m_highestCode.IsLess(*at)) return;
  size_t i = m_lines.FindFloor(at->Linear());
  if (i == CCodeAddrTable::npos) return;
  *fileOut = HeapCopy(m_lines.At(i).file);
  *lineOut = m_lines.At(i).line;
}

void CDebugInterpBorland::AddressToLine(const CAddr* at, const char** fileOut, uint16_t* firstLineOut,
                                        uint16_t* lineOut) {
  SCodeAddrTableEntry entry;
  int previous = -1;
  if (m_lines.FindExact(at->Linear(), &entry, &previous) == CCodeAddrTable::npos) {
    *fileOut = nullptr;
    *firstLineOut = 0xFFFF;
    *lineOut = 0xFFFF;
    return;
  }
  *fileOut = entry.file;
  *lineOut = entry.line;
  *firstLineOut = previous < 0 ? 1 : uint16_t(previous + 1);
}

void CDebugInterpBorland::FirstLineAddress(CAddr* out) {
  *out = m_lines.Count() ? m_lines.At(0).address : CAddr::Invalid();
}

void CDebugInterpBorland::NextLineAddress(CAddr* address) {
  size_t i = m_lines.FindExact(address->Linear());
  if (i == CCodeAddrTable::npos || i + 1 >= m_lines.Count()) {
    *address = CAddr::Invalid();
    return;
  }
  *address = m_lines.At(i + 1).address;
}

bool CDebugInterpBorland::IsFunctionStart(CAddr at) {
  return Functions().FindExact(at.Linear()) != CFuncTable::npos;
}

void CDebugInterpBorland::FirstFunction(CAddr* out) {
  m_functionPos = 0;
  NextFunction(out);
}

void CDebugInterpBorland::NextFunction(CAddr* out) {
  const CFuncTable& functions = Functions();
  if (m_functionPos >= functions.Count()) {
    *out = CAddr::Invalid();
    return;
  }
  *out = functions.AddressAt(m_functionPos++);
}

void CDebugInterpBorland::FunctionRange(const CAddr* at, CAddr* startOut, CAddr* endOut) {
  if (m_highestCode.IsLess(*at)) {
    *startOut = CAddr::Invalid();
    *endOut = CAddr::Invalid();
    return;
  }
  if (m_entryAddress.IsValid() && !at->IsLess(m_entryAddress)) {
    *startOut = m_entryAddress;
    *endOut = m_highestCode;
    return;
  }
  CAddr upper = m_entryAddress;
  if (!upper.IsValid()) {
    upper = m_highestCode;
    upper.offset += 1;
  }
  const CFuncTable& functions = Functions();
  size_t i = functions.FindFirstAtOrBelow(at->Linear());
  if (i == CFuncTable::npos) return;
  *startOut = functions.AddressAt(i);
  *endOut = i == 0 ? upper : functions.AddressAt(i - 1);
}

int CDebugInterpBorland::IsNonZeroAddress(const CAddr* address) {
  return address->segment == 0 || address->offset == 0 ? 0 : 1;
}

bool CDebugInterpBorland::IsLanguageCode4Function(CAddr at) {
  const CFuncTable& functions = Functions();
  size_t i = functions.FindExact(at.Linear());
  return i != CFuncTable::npos && functions.LanguageAt(i) == 4;
}
