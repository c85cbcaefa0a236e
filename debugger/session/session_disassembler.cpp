#include "debugger/session/session_disassembler.h"

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_access.h"
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

CSessionDisassembler::CSessionDisassembler()
    : m_target(std::make_unique<Target>()), m_breakpoints(std::make_unique<Breakpoints>()) {
  m_disass = std::make_unique<CDisassx86>(m_target.get());
  g_pDisass = m_disass.get();
  g_pDisassBreakpoints = m_breakpoints.get();
}

CSessionDisassembler::~CSessionDisassembler() {
  if (g_pDisass == m_disass.get()) g_pDisass = nullptr;
  if (g_pDisassTarget == m_target.get()) g_pDisassTarget = nullptr;
  if (g_pDisassBreakpoints == m_breakpoints.get()) g_pDisassBreakpoints = nullptr;
}
