// A board-kernel session against a kernel that answers with the fuzz
// input: the handshake, runs with their stop handling, single steps,
// memory and register access. Its first bytes also choose the operations.
#include <cstdint>
#include <vector>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/kernel_link.h"
#include "debugger/session/debug_access_borland.h"
#include "debugger/session/debug_control_borland.h"
#include "debugger/session/debug_worker.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "tests/fuzz/debugger_link/scripted_link.h"

namespace {

constexpr uint8_t kFuzzSessionInt3 = 0xCC;
constexpr int kFuzzSessionOps = 12;
constexpr uint32_t kFuzzSessionLongRead = 300;

void FuzzSessionOperation(uint8_t choice, fuzz_link::ScriptedLink& link, CDebugControlBorland& control,
                          CDebugAccessBorland& access) {
  link.splitMode = 0;  // no pauses between bytes here
  const CAddr at(link.Next() | link.Next() << 8, link.Next() | link.Next() << 8);
  switch (choice % 8) {
    case 0:
      control.Go(nullptr);
      break;
    case 1:
      control.SingleStep();
      break;
    case 2:
      control.RunUntilStop(&at);
      break;
    case 3: {
      std::vector<uint8_t> bytes(choice & 1 ? kFuzzSessionLongRead : 4);
      access.ReadMemory(&at, uint32_t(bytes.size()), bytes.data());
      break;
    }
    case 4: {
      std::vector<uint8_t> bytes(kFuzzSessionLongRead, 0x90);
      access.WriteMemory(&at, uint32_t(bytes.size()), bytes.data());
      break;
    }
    case 5:
      access.SetRegisterByName(choice & 1 ? "Flags.Z" : "EAX", double(choice));
      break;
    case 6:
      access.WriteRegisters(g_pRegisters);
      break;
    default: {
      CAddr back;
      access.ReadFrameReturnAddress(&back);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_link::ScriptedLink link(data, size);
  link.splitMode = 0;
  g_pKernelLink = &link;
  CDebugAccessBorland access;
  g_pDebugAccess = &access;
  TargetRegisters registers;
  g_pRegisters = &registers;
  auto* breakpoints = new CBreakpointAddrList(1, &kFuzzSessionInt3);
  g_pBreakpointAddrList = breakpoints;
  CDebugWorker worker("PROG.EXE", nullptr, nullptr);
  g_pDebugWorker = &worker;
  CAddr start;
  int ok = 0;
  uint16_t time = 0, date = 0;
  auto* control = new CDebugControlBorland("C:\\PRJ\\PROG.EXE", &start, &ok, &time, &date);
  g_pDebugControl = control;
  breakpoints->AddUserBreakpoint(start);
  for (int op = 0; op < kFuzzSessionOps && !link.Exhausted(); ++op)
    FuzzSessionOperation(link.Next(), link, *control, access);
  link.splitMode = 0;
  delete control;
  g_pDebugControl = nullptr;
  delete breakpoints;
  g_pBreakpointAddrList = nullptr;
  g_pDebugWorker = nullptr;
  g_pRegisters = nullptr;
  g_pDebugAccess = nullptr;
  g_pKernelLink = nullptr;
  return 0;
}
