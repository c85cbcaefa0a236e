// What the disassembly view asks of the debugger: the three commands that
// act at an address. A session plugs its debugger in; with none the
// pointer is null and the commands do nothing.
#pragma once

#include "debugger/addr.h"
#include "platform/base/windef.h"

class CDisassDebugCommands {
 public:
  virtual ~CDisassDebugCommands() = default;
  virtual void SetIPToAddress(DWORD linear) = 0;
  virtual void SetAddressBreakpoint(const CAddr* address, BOOL set) = 0;
  virtual void RunToAddress(DWORD linear) = 0;
};

extern CDisassDebugCommands* g_pDisassDebugger;
