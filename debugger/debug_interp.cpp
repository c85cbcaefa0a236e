#include "debugger/debug_interp.h"

void CDebugInterp::SetEntryAddress(const CAddr* address) { m_entryAddress = *address; }

void CDebugInterp::FindVariable(const char* name, TypeHandle* typeOut, CAddr* addrOut, int* basicOut,
                                const CAddr* at) {
  *typeOut = nullptr;
  ScopeHandle scope = FindScope(at);
  if (!scope) return;
  // A chain of parents that loops ends after as many steps as there can
  // be scopes.
  for (uint32_t step = 0; step <= 0x10000; ++step) {
    if (FindSymbolInScope(scope, name, typeOut, addrOut, basicOut)) break;
    if (IsGlobalScope(scope)) break;
    ParentScope(scope);
  }
  delete scope;
}
