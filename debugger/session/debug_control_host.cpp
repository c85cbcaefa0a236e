#include "debugger/session/debug_control_host.h"

#include <chrono>
#include <cstring>
#include <strings.h>
#include <thread>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_access.h"
#include "debugger/debug_message.h"
#include "debugger/kalven_board.h"
#include "debugger/session/debug_access_host.h"
#include "debugger/session/debug_worker.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr size_t kHostControlNameLength = 12;
constexpr size_t kHostControlBaseLength = 8;
constexpr WORD kHostControlDescriptorIndex = 0x2C;
constexpr WORD kHostControlLastTask = 1023;
// Kernel task descriptor: start offset, segment, 8.3 name, DOS date, time.
constexpr uint32_t kHostDescStart = 8, kHostDescName = 16, kHostDescDate = 28, kHostDescTime = 30,
                   kHostDescSize = 32;

void HostControlWriteWord(CKalvenBoard* board, uint16_t task, uint16_t index, uint16_t value) {
  const uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
  board->WriteParBlock(task, index, sizeof bytes, bytes);
}

uint16_t HostControlWord(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

}  // namespace

void MakeTaskFileName(const char* path, char* out) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  size_t n = 0;
  const char* p = name;
  while (*p && *p != '.' && n < kHostControlBaseLength) out[n++] = *p++;
  while (*p && *p != '.') ++p;
  while (n < kHostControlBaseLength) out[n++] = ' ';
  while (*p && n < kHostControlNameLength) out[n++] = *p++;
  out[n] = '\0';
}

CDebugControlHost::CDebugControlHost(const char* exePath, uint16_t debuggeeTask, uint16_t kernel,
                                     CAddr* start, uint16_t* programTime, uint16_t* programDate,
                                     CKalvenBoard* b)
    : kernelTask(kernel), board(b) {
  *programTime = *programDate = 0;
  if (!board) return;
  char name[kHostControlNameLength + 1];
  MakeTaskFileName(exePath, name);
  if (debuggeeTask == 0) {
    board->ReadInstalledTasks();
    for (uint16_t t = 1; t <= kHostControlLastTask; ++t)
      if (board->IsTaskInstalled(t) && ReadDescriptor(t, start, programTime, programDate, name)) break;
  } else if (board->IsProgramInstalled(debuggeeTask, 0)) {
    ReadDescriptor(debuggeeTask, start, programTime, programDate, nullptr);
  }
}

bool CDebugControlHost::ReadDescriptor(uint16_t task, CAddr* start, uint16_t* programTime,
                                       uint16_t* programDate, const char* name) {
  uint32_t at = 0;
  board->GetTaskInfo(task, kHostControlDescriptorIndex, &at);
  if (at == 0) return false;
  uint8_t d[kHostDescSize] = {};
  board->ReadMemory(at, kHostDescSize, d);
  if (name &&
      strncasecmp(reinterpret_cast<const char*>(d + kHostDescName), name, kHostControlNameLength) != 0)
    return false;
  *programDate = HostControlWord(d + kHostDescDate);
  *programTime = HostControlWord(d + kHostDescTime);
  *start = CAddr(HostControlWord(d + kHostDescStart + 2), HostControlWord(d + kHostDescStart));
  return true;
}

bool CDebugControlHost::Start(uint16_t singleStep) {
  const bool lifted = g_pBreakpointAddrList && g_pBreakpointAddrList->RestoreOriginal(runStart);
  HostControlWriteWord(board, kernelTask, host_kernel::kLifted, lifted ? host_kernel::kRequested : 0);
  HostControlWriteWord(board, kernelTask, host_kernel::kSingleStep, singleStep);
  HostControlWriteWord(board, kernelTask, host_kernel::kStart, host_kernel::kRequested);
  return lifted;
}

bool CDebugControlHost::Go(const CAddr* target) {
  if (!board || !g_pDebugAccess) return false;
  stackTarget = target ? *target : CAddr(0, 0);
  TargetRegisters regs;
  g_pDebugAccess->ReadRegisters(&regs);
  runStart = regs.code;
  steppingOverBreakpoint = Start(0);
  board->SelectCard();
  return true;
}

bool CDebugControlHost::SingleStep() {
  if (!board || !g_pDebugAccess) return false;
  TargetRegisters regs;
  g_pDebugAccess->ReadRegisters(&regs);
  eventArrived = 0;
  singleStepping = true;
  runStart = regs.code;
  const bool lifted = g_pBreakpointAddrList && g_pBreakpointAddrList->RestoreOriginal(runStart);
  HostControlWriteWord(board, kernelTask, host_kernel::kLifted, 0);
  HostControlWriteWord(board, kernelTask, host_kernel::kSingleStep, host_kernel::kRequested);
  HostControlWriteWord(board, kernelTask, host_kernel::kStart, host_kernel::kRequested);
  // The stop comes as a service request; driver calls let the board's
  // time pass meanwhile.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(kStepWaitSeconds);
  while (!eventArrived && std::chrono::steady_clock::now() < end) {
    board->SelectCard();
    if (!eventArrived) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  singleStepping = false;
  if (!eventArrived) {
    DebugMessageBox("Timeout reached in single step, exiting", "MIRT", MB_OK);
    return false;
  }
  if (lifted) g_pBreakpointAddrList->Replant(runStart);
  if (g_pBreakpointAddrList && g_pBreakpointAddrList->IsEndPoint(runStart) && g_pDebugWorker)
    g_pDebugWorker->ReadFrameAddress();
  if (g_pDebugWorker) g_pDebugWorker->OnTargetStopped();
  return true;
}

bool CDebugControlHost::HandleDebugEvent() {
  if (singleStepping) {
    eventArrived = 1;
    return true;
  }
  keepRunning = 0;
  TargetRegisters regs;
  if (g_pDebugAccess) g_pDebugAccess->ReadRegisters(&regs);
  const CAddr ip = regs.code;
  if (g_pBreakpointAddrList) {
    if (g_pBreakpointAddrList->IsEndPoint(ip)) {
      if (g_pDebugWorker) g_pDebugWorker->ReadFrameAddress();
      if (g_pBreakpointAddrList->IsEndPointOnly(ip)) keepRunning = 1;
    }
    if (stackTarget.Linear() != 0) {
      if (!regs.stack.IsEqual(stackTarget) && passedLine) keepRunning = 1;
      if (g_pDebugWorker && g_pDebugWorker->IsLineStart(ip)) keepRunning = passedLine = 1;
    }
  }
  eventArrived = 1;
  if (!g_pDebugWorker) return true;
  if (keepRunning) {
    // A stop that is not to be reported: the program goes on from here.
    runStart = ip;
    steppingOverBreakpoint = Start(0);
  } else {
    g_pDebugWorker->OnTargetStopped();
  }
  return true;
}
