#include "debugger/breakpoint_addr_list.h"

#include <cstring>

#include "debugger/debug_access.h"
#include "debugger/debug_interp.h"
#include "debugger/debug_message.h"
#include "debugger/session_globals.h"

CBreakpointAddrList::CBreakpointAddrList(uint16_t opcodeLength, const uint8_t* opcodeBytes)
    : CList(10), m_opcodeLength(opcodeLength), m_opcodeBytes(new uint8_t[opcodeLength ? opcodeLength : 1]) {
  std::memcpy(m_opcodeBytes, opcodeBytes, opcodeLength);
}

CBreakpointAddrList::~CBreakpointAddrList() {
  while (POSITION pos = GetHeadPosition()) {
    int restore = 1;
    RemoveKinds(pos, BP_ALL_KINDS, restore);
    if (GetHeadPosition() == pos) Forget(pos);  // could not be restored: nothing more to do now
  }
  delete[] m_opcodeBytes;
}

POSITION CBreakpointAddrList::Find(const CAddr& address) const {
  auto it = m_byLinear.find(address.Linear());
  return it == m_byLinear.end() ? nullptr : it->second;
}

const CBreakpointAddr* CBreakpointAddrList::EntryAt(const CAddr& address) const {
  POSITION pos = Find(address);
  return pos ? GetAt(pos) : nullptr;
}

int CBreakpointAddrList::WriteOpcode(const CBreakpointAddr& entry, uint16_t kindMask) {
  if (!g_pDebugAccess) return 0;
  if (g_pDebugAccess->m_bThroughBoard)
    g_pDebugAccess->PlantBoardBreakpoint(entry.address, entry.context, kindMask);
  return g_pDebugAccess->WriteMemory(entry.address, m_opcodeLength, m_opcodeBytes);
}

void CBreakpointAddrList::Add(const CAddr& address, uint16_t kindMask, uint16_t context) {
  if (POSITION pos = Find(address)) {
    CBreakpointAddr* e = GetAt(pos);
    e->kinds |= kindMask;
    e->context = context;
    return;
  }
  auto* e = new CBreakpointAddr;
  e->address = new CAddr(address);
  e->savedBytes = new uint8_t[m_opcodeLength ? m_opcodeLength : 1]();
  e->kinds = kindMask;
  e->context = context;
  if (g_pDebugAccess) g_pDebugAccess->ReadMemory(e->address, m_opcodeLength, e->savedBytes);
  m_byLinear[address.Linear()] = AddTail(e);
  WriteOpcode(*e, kindMask);
}

void CBreakpointAddrList::Forget(POSITION pos) {
  CBreakpointAddr* e = GetAt(pos);
  m_byLinear.erase(e->address->Linear());
  RemoveAt(pos);
  delete e->address;
  delete[] e->savedBytes;
  delete e;
}

void CBreakpointAddrList::RemoveKinds(POSITION pos, uint16_t kindMask, int& restore) {
  CBreakpointAddr* e = GetAt(pos);
  e->kinds &= uint16_t(~kindMask);
  if (e->kinds != 0) return;
  if (restore) {
    if (m_opcodeLength && e->savedBytes[0] == 0xCC)
      DebugMessageBox("Unable to restore opcode!", "Fatal Error");
    restore = g_pDebugAccess && g_pDebugAccess->WriteMemory(e->address, m_opcodeLength, e->savedBytes);
    if (!restore) return;  // keep the saved bytes: they are the only copy
  }
  Forget(pos);
}

void CBreakpointAddrList::RemoveKindsAt(const CAddr& address, uint16_t kindMask) {
  if (POSITION pos = Find(address)) {
    int restore = 1;
    RemoveKinds(pos, kindMask, restore);
  }
}

void CBreakpointAddrList::RemoveAllOfKind(uint16_t kind) {
  for (POSITION pos = GetHeadPosition(); pos;) {
    POSITION here = pos;
    CBreakpointAddr* e = GetNext(pos);
    if (e->kinds & kind) {
      int restore = 1;
      RemoveKinds(here, kind, restore);
    }
  }
}

void CBreakpointAddrList::RemoveOutsideFunction(const CAddr& address, uint16_t kind) {
  if (!g_pDebugInterp) return;
  CAddr start = CAddr::Invalid(), end = CAddr::Invalid();
  g_pDebugInterp->FunctionRange(&address, &start, &end);
  for (POSITION pos = GetHeadPosition(); pos;) {
    POSITION here = pos;
    CBreakpointAddr* e = GetNext(pos);
    if ((e->kinds & kind) && (e->address->IsLess(start) || !e->address->IsLess(end))) {
      int restore = 1;
      RemoveKinds(here, kind, restore);
    }
  }
}

void CBreakpointAddrList::PlantAtAllLines() {
  if (!g_pDebugInterp) return;
  CAddr a;
  for (g_pDebugInterp->FirstLineAddress(&a); a.IsValid(); g_pDebugInterp->NextLineAddress(&a))
    Add(a, BP_TRACE, m_context);
}

void CBreakpointAddrList::PlantInFunction(const CAddr& address) {
  if (!g_pDebugInterp) return;
  CAddr start = CAddr::Invalid(), end = CAddr::Invalid();
  g_pDebugInterp->FunctionRange(&address, &start, &end);
  if (!start.IsValid()) return;
  Add(start, BP_STEP_OVER, m_context);
  CAddr a = start;
  for (g_pDebugInterp->NextLineAddress(&a); a.IsValid() && a.IsLess(end); g_pDebugInterp->NextLineAddress(&a))
    Add(a, BP_STEP_OVER, m_context);
}

void CBreakpointAddrList::PlantEndPoints() {
  if (!g_pDebugInterp) return;
  CAddr a;
  for (g_pDebugInterp->FirstLineAddress(&a); a.IsValid(); g_pDebugInterp->NextLineAddress(&a)) {
    if (g_pDebugInterp->IsLanguageCode4Function(a)) Add(a, BP_END_POINT, m_context);
  }
}

bool CBreakpointAddrList::IsEndPointOnly(const CAddr& address) const {
  const CBreakpointAddr* e = EntryAt(address);
  return e && e->kinds == BP_END_POINT;
}

bool CBreakpointAddrList::IsEndPoint(const CAddr& address) const {
  const CBreakpointAddr* e = EntryAt(address);
  return e && (e->kinds & BP_END_POINT);
}

bool CBreakpointAddrList::IsBreakpointSet(const CAddr& address) const {
  const CBreakpointAddr* e = EntryAt(address);
  return e && (e->kinds & BP_USER);
}

int CBreakpointAddrList::GetSavedBytes(const CAddr& address, uint8_t** bytesOut, uint16_t* lengthOut) const {
  const CBreakpointAddr* e = EntryAt(address);
  if (!e) return 0;
  *bytesOut = new uint8_t[m_opcodeLength ? m_opcodeLength : 1];
  std::memcpy(*bytesOut, e->savedBytes, m_opcodeLength);
  *lengthOut = m_opcodeLength;
  return 1;
}

int CBreakpointAddrList::RestoreOriginal(const CAddr& address) {
  const CBreakpointAddr* e = EntryAt(address);
  if (!e) return 0;
  if (g_pDebugAccess) g_pDebugAccess->WriteMemory(e->address, m_opcodeLength, e->savedBytes);
  return 1;
}

int CBreakpointAddrList::Replant(const CAddr& address) {
  const CBreakpointAddr* e = EntryAt(address);
  if (!e || !g_pDebugAccess) return 0;
  return g_pDebugAccess->WriteMemory(e->address, m_opcodeLength, m_opcodeBytes);
}
