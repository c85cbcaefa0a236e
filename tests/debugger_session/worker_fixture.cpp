#include "tests/debugger_session/worker_fixture.h"

#include <algorithm>
#include <cstdio>

#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "tests/debugger/boxes.h"
#include "tests/debugger/debug_info_helpers.h"

namespace session_test {

namespace {

constexpr uint8_t kWorkerInt3 = 0xCC;

fixture::BorlandExe WorkerProgram() {
  fixture::BorlandExe x;
  uint16_t seg = x.AddSegment(x.AddModule("m"), 0x10, 0, 0x40);
  x.AddLines(seg, kSourceFile, {{3, 0x00}, {4, 0x05}, {6, 0x0A}, {7, 0x10}, {8, 0x14}, {12, 0x20}});
  uint32_t fn = x.AddType(kTypeFunction, "", 0, 0);
  x.AddSymbol("main", fn, 0x10, 0x00);
  x.AddSymbol("helper", fn, 0x10, 0x10);
  x.AddSymbol("counter", kTypeInt, 0x20, 0x00);
  return x;
}

}  // namespace

WorkerWorld::WorkerWorld() {
  fixture::ClearBoxes();
  interp = fixture::Load(WorkerProgram());
  breakpoints = std::make_unique<CBreakpointAddrList>(1, &kWorkerInt3);
  eval = std::make_unique<CEvalBorland>();
  registers = std::make_unique<TargetRegisters>();
  g_pDebugAccess = &target;
  g_pDebugControl = &control;
  g_pDebugInterp = interp.get();
  g_pBreakpointAddrList = breakpoints.get();
  g_pEval = eval.get();
  g_pRegisters = registers.get();
  worker = std::make_unique<CDebugWorker>("a.exe", frame.Window(), nullptr);
  g_pDebugWorker = worker.get();
}

WorkerWorld::~WorkerWorld() {
  breakpoints.reset();  // restores the code while the target is there
  g_pDebugWorker = nullptr;
  g_pDebugAccess = nullptr;
  g_pDebugControl = nullptr;
  g_pDebugInterp = nullptr;
  g_pBreakpointAddrList = nullptr;
  g_pEval = nullptr;
  g_pRegisters = nullptr;
}

void WorkerWorld::SetRegisters(CAddr code, uint16_t sp, uint16_t bp) {
  KernelRegisterRecord rec{};
  rec.cs = uint16_t(code.segment);
  rec.ip = uint16_t(code.offset);
  rec.ss = kStackSegment;
  rec.esp = sp;
  rec.ebp = bp;
  target.registers.SetRecord(rec);
  *registers = target.registers;
}

std::string WorkerWorld::Breakpoints() const {
  std::vector<std::pair<uint32_t, uint16_t>> entries;
  POSITION pos = breakpoints->GetHeadPosition();
  while (pos) {
    const CBreakpointAddr* e = breakpoints->GetNext(pos);
    if (e->kinds) entries.emplace_back(e->address->Linear(), e->kinds);
  }
  std::sort(entries.begin(), entries.end());
  std::string out;
  for (auto [linear, kinds] : entries) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%x:%x ", linear, kinds);
    out += buf;
  }
  return out;
}

}  // namespace session_test
