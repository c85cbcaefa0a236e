#include "debugger/session/debug_control_borland.h"

#include <cstring>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_message.h"
#include "debugger/kernel_link.h"
#include "debugger/session/debug_access_borland.h"
#include "debugger/session/debug_worker.h"
#include "debugger/session_globals.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr uint16_t kBorlandControlTrapFlag = 0x100, kBorlandControlInterruptFlag = 0x200;
constexpr WORD kBorlandControlProgramAnswer = 5, kBorlandControlPrepareAnswer = 6;

bool BorlandControlCommand(char letter, const uint8_t* request, WORD length, uint8_t* answer, WORD expected) {
  return g_pKernelLink && g_pKernelLink->SendKernelCommand(letter, request, length, answer, expected);
}

bool BorlandControlWait(int noEvent) {
  uint8_t event[CTDKernelCommunication::kMaxAnswer + 1] = {};
  return g_pKernelLink && g_pKernelLink->ReceiveEvent(event, noEvent);
}

void BorlandControlBackUp(TargetRegisters& record) {
  KernelRegisterRecord rec = record.Record();
  CAddr ip(rec.cs, rec.ip);
  ip.Decrement();
  rec.cs = uint16_t(ip.segment);
  rec.ip = uint16_t(ip.offset);
  record.SetRecord(rec);
}

bool BorlandControlPlantedBehind(const TargetRegisters& record) {
  CAddr before = record.code;
  before.Decrement();
  return g_pBreakpointAddrList && g_pBreakpointAddrList->Find(before) != nullptr;
}

}  // namespace

CDebugControlBorland::CDebugControlBorland(const char* exePath, CAddr* start, int* ok, uint16_t* programTime,
                                           uint16_t* programDate) {
  *ok = 0;
  *programTime = 0;
  *programDate = 0;
  const char* name = exePath;
  for (const char* p = exePath; *p; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  const WORD nameLength = WORD(std::strlen(name) + 1);
  uint8_t answer[CTDKernelCommunication::kMaxAnswer + 1] = {};
  if (!g_pKernelLink || !g_pKernelLink->Poll(answer)) return;
  g_pKernelLink->Poll(answer);
  if (!BorlandControlCommand('O', nullptr, 0, answer, 0) ||
      !BorlandControlCommand('P', nullptr, 0, answer, 0))
    return;
  if (!BorlandControlCommand('C', reinterpret_cast<const uint8_t*>(name), nameLength, answer,
                             kBorlandControlProgramAnswer))
    return;
  *ok = 1;
  *programTime = uint16_t(answer[1] | answer[2] << 8);
  *programDate = uint16_t(answer[3] | answer[4] << 8);
  if (*programTime == 0 && *programDate == 0) return;
  if (!BorlandControlCommand('N', reinterpret_cast<const uint8_t*>(name), nameLength, answer,
                             kBorlandControlPrepareAnswer))
    return;
  TargetRegisters regs;
  if (!BorlandReadRegisterRecord(&regs, "Read Registers")) return;
  *start = regs.code;
}

CDebugControlBorland::~CDebugControlBorland() {
  uint8_t answer[1] = {};
  BorlandControlCommand('U', nullptr, 0, answer, 0);
}

void CDebugControlBorland::SetStackTarget(const CAddr* target) {
  stackTarget = target ? *target : CAddr(0, 0);
}

void CDebugControlBorland::ArmSingleStep(TargetRegisters& record) {
  KernelRegisterRecord rec = record.Record();
  savedInterruptFlag = rec.flags & kBorlandControlInterruptFlag;
  rec.flags = uint16_t((rec.flags & ~kBorlandControlInterruptFlag) | kBorlandControlTrapFlag);
  record.SetRecord(rec);
  BorlandWriteRegisterRecord(record);
}

void CDebugControlBorland::DisarmSingleStep(TargetRegisters& record) {
  KernelRegisterRecord rec = record.Record();
  rec.flags = uint16_t((rec.flags & ~kBorlandControlTrapFlag) | savedInterruptFlag);
  record.SetRecord(rec);
  BorlandWriteRegisterRecord(record);
}

void CDebugControlBorland::LiftBreakpointAtRunStart(TargetRegisters& record) {
  steppingOverBreakpoint = 0;
  if (g_pBreakpointAddrList && g_pBreakpointAddrList->RestoreOriginal(runStart)) {
    ArmSingleStep(record);
    steppingOverBreakpoint = 1;
  }
}

bool CDebugControlBorland::Go(const CAddr* target) {
  SetStackTarget(target);
  if (g_pKernelLink) g_pKernelLink->abortFlag = 0;
  TargetRegisters record;
  if (!BorlandReadRegisterRecord(&record, "Read Registers")) return false;
  runStart = record.code;
  passedLine = 0;
  LiftBreakpointAtRunStart(record);
  return BorlandControlWait(0);
}

bool CDebugControlBorland::HandleDebugEvent() {
  for (;;) {
    switch (HandleOneStop()) {
      case StopOutcome::Reported:
        return true;
      case StopOutcome::Failed:
        return false;
      case StopOutcome::RunOn:
        if (!BorlandControlWait(1)) return false;
        break;
    }
  }
}

CDebugControlBorland::StopOutcome CDebugControlBorland::HandleOneStop() {
  keepRunning = 0;
  TargetRegisters record;
  if (steppingOverBreakpoint) {
    // The lifted breakpoint's instruction ran: put it back and run on.
    BorlandReadRegisterRecord(&record, "Read Registers");
    steppingOverBreakpoint = 0;
    DisarmSingleStep(record);
    if (g_pBreakpointAddrList) g_pBreakpointAddrList->Replant(runStart);
    return StopOutcome::RunOn;
  }
  if (!BorlandReadRegisterRecord(&record, "Read Registers")) return StopOutcome::Failed;
  if (BorlandControlPlantedBehind(record)) BorlandControlBackUp(record);
  const CAddr ip = record.code;
  if (g_pBreakpointAddrList && g_pBreakpointAddrList->IsEndPoint(ip)) {
    if (g_pDebugWorker) g_pDebugWorker->ReadFrameAddress();
    if (g_pBreakpointAddrList->IsEndPointOnly(ip)) keepRunning = 1;
  }
  if (HasStackTarget()) {
    if (!record.stack.IsEqual(stackTarget) && passedLine) keepRunning = 1;
    if (g_pDebugWorker && g_pDebugWorker->IsLineStart(ip)) keepRunning = passedLine = 1;
  }
  if (keepRunning) {
    runStart = ip;
    LiftBreakpointAtRunStart(record);
    if (!steppingOverBreakpoint && !BorlandWriteRegisterRecord(record)) return StopOutcome::Failed;
    return StopOutcome::RunOn;
  }
  if (!BorlandWriteRegisterRecord(record)) return StopOutcome::Failed;
  if (g_pDebugWorker) g_pDebugWorker->OnTargetStopped();
  return StopOutcome::Reported;
}

bool CDebugControlBorland::SingleStep() {
  if (g_pKernelLink) g_pKernelLink->abortFlag = 0;
  TargetRegisters record;
  BorlandReadRegisterRecord(&record, "Read Registers");
  const CAddr start = record.code;
  const bool lifted = g_pBreakpointAddrList && g_pBreakpointAddrList->RestoreOriginal(start);
  ArmSingleStep(record);
  if (!BorlandControlWait(1)) DebugMessageBox("Go", "Error", MB_OK);
  BorlandReadRegisterRecord(&record, "Read Registers");
  DisarmSingleStep(record);
  if (lifted) g_pBreakpointAddrList->Replant(start);
  if (g_pBreakpointAddrList && g_pBreakpointAddrList->IsEndPoint(record.code) && g_pDebugWorker)
    g_pDebugWorker->ReadFrameAddress();
  if (g_pDebugWorker) g_pDebugWorker->OnTargetStopped();
  return !g_pKernelLink || g_pKernelLink->abortFlag == 0;
}

bool CDebugControlBorland::RunUntilStop(const CAddr* target) {
  SetStackTarget(target);
  if (g_pKernelLink) g_pKernelLink->abortFlag = 0;
  TargetRegisters record;
  if (!BorlandReadRegisterRecord(&record, "Read Registers")) return false;
  for (;;) {
    const CAddr at = record.code;
    if (g_pBreakpointAddrList && g_pBreakpointAddrList->RestoreOriginal(at)) {
      ArmSingleStep(record);
      if (!BorlandControlWait(1)) return false;
      BorlandReadRegisterRecord(&record, "Read Registers");
      DisarmSingleStep(record);
      g_pBreakpointAddrList->Replant(at);
    } else {
      BorlandWriteRegisterRecord(record);
    }
    if (!BorlandControlWait(1)) return false;
    if (!BorlandReadRegisterRecord(&record, "Read Registers")) return false;
    if (BorlandControlPlantedBehind(record)) BorlandControlBackUp(record);
    const CAddr ip = record.code;
    if (g_pBreakpointAddrList && g_pBreakpointAddrList->IsEndPoint(ip)) {
      if (g_pDebugWorker) g_pDebugWorker->ReadFrameAddress();
      if (!g_pBreakpointAddrList->IsEndPointOnly(ip)) break;
      continue;
    }
    if (HasStackTarget()) {
      const bool lineStart = g_pDebugWorker && g_pDebugWorker->IsLineStart(ip);
      if ((passedLine && !record.stack.IsEqual(stackTarget)) || lineStart) break;
      continue;
    }
    break;
  }
  if (!BorlandWriteRegisterRecord(record)) return false;
  steppingOverBreakpoint = 0;
  return !g_pKernelLink || g_pKernelLink->abortFlag == 0;
}

void CDebugControlBorland::Break() {
  if (!g_pKernelLink) return;
  g_pKernelLink->abortFlag = 0;
  g_pKernelLink->Escape();
}

int CDebugControlBorland::StoppedAtBreakpoint() { return g_pKernelLink ? g_pKernelLink->Query() : 0; }

void CDebugControlBorland::GetBreakAddress(CAddr* value) {
  if (g_pKernelLink) g_pKernelLink->Notify(DWORD(reinterpret_cast<uintptr_t>(value)));
}

void CDebugControlBorland::AbortWait() {
  if (g_pKernelLink) g_pKernelLink->Abort();
}
