#include "debugger/session/session_disassembler.h"

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_access.h"
#include "debugger/debug_interp.h"
#include "debugger/segoff.h"
#include "debugger/session_globals.h"

class CSessionDisassembler::Target : public CDisassTarget {
 public:
  BOOL ReadMemory(DWORD linear, WORD count, BYTE* buffer) override {
    CAddr at;
    LinearToSegOff(at, linear);
    return g_pDebugAccess && g_pDebugAccess->ReadMemory(&at, count, buffer);
  }
};

class CSessionDisassembler::Breakpoints : public CDisassBreakpoints {
 public:
  BOOL IsBreakpointSet(const CAddr* address) override {
    return g_pBreakpointAddrList && g_pBreakpointAddrList->IsBreakpointSet(*address);
  }
  BOOL GetSavedBytes(const CAddr* address, BYTE** bytes, DWORD* count) override {
    uint16_t length = 0;
    if (!g_pBreakpointAddrList || !g_pBreakpointAddrList->GetSavedBytes(*address, bytes, &length))
      return FALSE;
    *count = length;
    return TRUE;
  }
};

// The source lines of an address from the debug information's line list:
// the line of the entry at the address and the lines after the entry below
// it. When that entry is a later line (of another file, or code placed out
// of order) the range would run backwards: the entry's own line stands
// alone then.
class CSessionDisassembler::SourceInfo : public CDisassSourceInfo {
 public:
  void GetSourceLinesOfAddress(const CAddr* address, LPCSTR* file, short* firstLine,
                               short* lastLine) override {
    *file = nullptr;
    if (!g_pDebugInterp) return;
    const char* name = nullptr;
    uint16_t first = kNoLine, last = kNoLine;
    g_pDebugInterp->AddressToLine(address, &name, &first, &last);
    if (!name || last == kNoLine) return;
    if (first > last) first = last;
    *file = name;
    *firstLine = ShortLine(first);
    *lastLine = ShortLine(last);
  }

 private:
  static constexpr uint16_t kNoLine = 0xFFFF;
  static constexpr uint16_t kHighestLine = 0x7FFF;
  static short ShortLine(uint16_t line) { return short(line < kHighestLine ? line : kHighestLine); }
};

CSessionDisassembler::CSessionDisassembler()
    : m_target(std::make_unique<Target>()),
      m_breakpoints(std::make_unique<Breakpoints>()),
      m_sourceInfo(std::make_unique<SourceInfo>()) {
  m_disass = std::make_unique<CDisassx86>(m_target.get());
  g_pDisass = m_disass.get();
  g_pDisassBreakpoints = m_breakpoints.get();
  g_pDisassSourceInfo = m_sourceInfo.get();
}

CSessionDisassembler::~CSessionDisassembler() {
  if (g_pDisass == m_disass.get()) g_pDisass = nullptr;
  if (g_pDisassTarget == m_target.get()) g_pDisassTarget = nullptr;
  if (g_pDisassBreakpoints == m_breakpoints.get()) g_pDisassBreakpoints = nullptr;
  if (g_pDisassSourceInfo == m_sourceInfo.get()) g_pDisassSourceInfo = nullptr;
}
