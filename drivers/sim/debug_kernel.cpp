#include "drivers/sim/debug_kernel.h"

#include <algorithm>
#include <vector>

#include "drivers/sim/board_cpu.h"
#include "drivers/sim/simulator.h"

namespace sim {

using namespace kernel;

namespace {

constexpr uint32_t kMaxMinedRecords = 65536;  // a broken chain ends here

bool Covers(uint32_t index, uint32_t length, uint32_t at, uint32_t size) {
  return index < at + size && at < index + length;
}

void PublishRecord(Task& k, const BoardCpu& cpu) {
  KernelRegisterRecord r = cpu.Record();
  k.params.Write(kRecord, r.bytes.data(), kKernelRecordSize);
}

// Tells the debuggee's stop: the record (at a breakpoint the instruction
// pointer is put back onto it) and, unless the IDE asked for the stop, the
// service request.
void Report(Board& b, uint16_t kernelTask, const CpuStop& stop) {
  BoardCpu& cpu = BoardCpu::Of(b);
  if (stop.reason == StopReason::Breakpoint) {
    CpuRegisters r = cpu.Registers();
    r.ip = uint16_t(r.ip - 1);
    cpu.SetRegisters(r);
  }
  PublishRecord(b.tasks[kernelTask], cpu);
  if (stop.reason == StopReason::StopRequest) return;
  uint16_t number = b.number;
  Simulator::Instance().Defer([number] { Simulator::Instance().RaiseServiceRequest(number, kEventStopped); });
}

void AttachDebuggee(Board& b, uint16_t kernelTask) {
  Task& k = b.tasks[kernelTask];
  uint16_t debuggee = k.params.Get16(kDebuggee);
  BoardCpu& cpu = BoardCpu::Of(b);
  if (debuggee == 0 || debuggee > 1023 || !cpu.Attach(debuggee)) return;
  Board* board = &b;
  cpu.SetStopListener([board, kernelTask](const CpuStop& s) { Report(*board, kernelTask, s); });
  PublishRecord(k, cpu);
}

void ResetKernelArea(Task& k) {
  k.params.Set32(kMinedHead, 0);
  k.params.Set16(kSaveOffset, 0);
  k.params.Set16(kSaveSegment, 0);
  k.params.Set16(kSaveSize, 0);
  k.params.Set16(kStart, 0);
  k.params.Set16(kDebuggee, 0);
  k.params.Set8(kStopHandshake, 0);
  std::vector<uint8_t> zero(kKernelRecordSize, 0);
  k.params.Write(kRecord, zero.data(), kKernelRecordSize);
}

// A breakpoint compiled into the program (not planted, so never lifted)
// is passed when the program goes on from it.
void PassOwnBreakpoint(Board& b, BoardCpu& cpu) {
  const CpuStop& last = cpu.LastStop();
  CpuRegisters r = cpu.Registers();
  if (last.reason != StopReason::Breakpoint || last.cs != r.cs || uint16_t(last.ip - 1) != r.ip) return;
  if (b.memory.Read8(uint32_t(r.cs) * 16 + r.ip) != kBreakpointOpcode) return;
  r.ip = uint16_t(r.ip + 1);
  cpu.SetRegisters(r);
}

void Start(Board& b, uint16_t kernelTask) {
  Task& k = b.tasks[kernelTask];
  k.params.Set16(kStart, 0);
  BoardCpu& cpu = BoardCpu::Of(b);
  if (cpu.AttachedTask() != k.params.Get16(kDebuggee)) AttachDebuggee(b, kernelTask);
  bool step = k.params.Get16(kSingleStep) == kRequested;
  bool lifted = k.params.Get16(kLifted) == kRequested;
  if (!lifted) PassOwnBreakpoint(b, cpu);
  if (step) {
    Report(b, kernelTask, cpu.Step());
    return;
  }
  if (lifted) {
    // Off the lifted breakpoint by one instruction, then plant it again.
    CpuRegisters r = cpu.Registers();
    CpuStop s = cpu.Step();
    b.memory.Write8(uint32_t(r.cs) * 16 + r.ip, kBreakpointOpcode);
    if (s.reason != StopReason::Step) {
      Report(b, kernelTask, s);
      return;
    }
  }
  cpu.Go();
}

void StopForHandshake(Board& b, Task& k) {
  if (b.cpu) b.cpu->Stop();
  k.params.Set8(kStopHandshake, kStopDone);
}

// The mined record of a linear address and the link that points at it.
uint32_t FindMined(Board& b, Task& k, uint32_t linear, uint32_t* link, bool* linkInParams) {
  *link = kMinedHead;
  *linkInParams = true;
  uint32_t at = k.params.Get32(kMinedHead);
  for (uint32_t n = 0; at != 0 && n < kMaxMinedRecords; ++n) {
    uint32_t mined = uint32_t(b.memory.Read16(at + 6)) * 16 + b.memory.Read16(at + 4);
    if (mined == linear) return at;
    *link = at;
    *linkInParams = false;
    at = b.memory.Read32(at);
  }
  return 0;
}

void Plant(Board& b, Task& k, uint32_t linear) {
  uint32_t link;
  bool inParams;
  if (FindMined(b, k, linear, &link, &inParams)) return;
  uint32_t rec = b.Allocate(kMinedRecordSize);
  for (uint32_t i = 0; i < kMinedRecordSize; ++i) b.memory.Write8(rec + i, 0);
  uint16_t segment = uint16_t(std::min<uint32_t>(linear >> 4, 0xFFFF));
  b.memory.Write32(rec, k.params.Get32(kMinedHead));
  b.memory.Write16(rec + 4, uint16_t(linear - uint32_t(segment) * 16));
  b.memory.Write16(rec + 6, segment);
  b.memory.Write8(rec + 10, b.memory.Read8(linear));
  k.params.Set32(kMinedHead, rec);
  b.memory.Write8(linear, kBreakpointOpcode);
}

void Clear(Board& b, Task& k, uint32_t linear) {
  uint32_t link;
  bool inParams;
  uint32_t rec = FindMined(b, k, linear, &link, &inParams);
  if (!rec) return;
  uint32_t next = b.memory.Read32(rec);
  if (inParams)
    k.params.Set32(kMinedHead, next);
  else
    b.memory.Write32(link, next);
  if (b.memory.Read8(linear) == kBreakpointOpcode) b.memory.Write8(linear, b.memory.Read8(rec + 10));
}

}  // namespace

bool IsHostKernel(const Task& task) {
  return task.program != 0 && task.role == "kernel" && task.params.Size() > kStopHandshake;
}

void OnTaskInstalled(Board& b, uint16_t task, const ProgramImage& image) {
  if (image.executable || b.cpu) BoardCpu::Of(b).LoadProgram(task, image);
  if (IsHostKernel(b.tasks[task])) {
    ResetKernelArea(b.tasks[task]);
    return;
  }
  // A debuggee installed anew starts over under its kernel.
  for (uint16_t k = 1; k < 1024; ++k)
    if (IsHostKernel(b.tasks[k]) && b.tasks[k].params.Get16(kDebuggee) == task) AttachDebuggee(b, k);
}

void OnProcedureCalled(Board& b, uint16_t task, uint16_t proc) {
  Task& k = b.tasks[task];
  if (!IsHostKernel(k)) {
    // A procedure of a program under a debug kernel (not its start-up
    // call): the kernel says when the call has finished.
    if (proc == 1) return;
    for (uint16_t n = 1; n < 1024; ++n) {
      if (n == task || !IsHostKernel(b.tasks[n]) || b.tasks[n].params.Get16(kDebuggee) != task) continue;
      uint16_t number = b.number;
      Simulator::Instance().Defer(
          [number] { Simulator::Instance().RaiseServiceRequest(number, kEventCallFinished); });
      return;
    }
    return;
  }
  if (proc != 2) return;
  if (!b.cpu || b.cpu->AttachedTask() != k.params.Get16(kDebuggee)) AttachDebuggee(b, task);
}

void OnParamsWritten(Board& b, uint16_t task, uint32_t index, uint32_t length) {
  Task& k = b.tasks[task & 1023];
  if (!IsHostKernel(k) || length == 0) return;
  if (Covers(index, length, kDebuggee, 2)) AttachDebuggee(b, task);
  if (Covers(index, length, kRecord, kKernelRecordSize)) {
    uint8_t bytes[kKernelRecordSize];
    k.params.Read(kRecord, bytes, kKernelRecordSize);
    BoardCpu::Of(b).SetRecord(KernelRegisterRecord::FromBytes(bytes));
  }
  if (Covers(index, length, kStopHandshake, 1) && k.params.Get8(kStopHandshake) == kStopAsked)
    StopForHandshake(b, k);
  if (Covers(index, length, kStart, 2) && k.params.Get16(kStart) == kRequested) Start(b, task);
}

bool OnFunctionCalled(Board& b, uint16_t task, uint16_t func, const void* request, uint32_t length,
                      uint16_t* status) {
  Task& k = b.tasks[task & 1023];
  if (!IsHostKernel(k) || (func != kFuncPlant && func != kFuncClear)) return false;
  *status = 0;
  if (!request || length < 8) {
    *status = kStatusRefused;
    return true;
  }
  auto* req = static_cast<const uint8_t*>(request);
  uint32_t linear = uint32_t(req[0] | req[1] << 8 | req[2] << 16) | uint32_t(req[3]) << 24;
  if (func == kFuncPlant)
    Plant(b, k, linear);
  else
    Clear(b, k, linear);
  return true;
}

}  // namespace sim
