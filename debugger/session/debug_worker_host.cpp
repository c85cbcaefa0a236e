#include "debugger/session/debug_worker_host.h"

#include <thread>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_interp.h"
#include "debugger/debug_message.h"
#include "debugger/kalven_board.h"
#include "debugger/session/debug_access_host.h"
#include "debugger/session/debug_control_host.h"
#include "debugger/session/debugger.h"
#include "debugger/session/frame_messages.h"
#include "debugger/session_globals.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/pipe.h"
#include "platform/sys/thread.h"
#include "platform/ui/message.h"

namespace {

constexpr uint16_t kHostWorkerLastTask = 1023;
constexpr WORD kHostWorkerSkippedTaskKind = 0xF003;
constexpr WORD kHostWorkerInfoKind = 4, kHostWorkerInfoEntries = 0;

uint32_t HostWorkerInfo(CKalvenBoard* board, uint16_t task, WORD index) {
  uint32_t value = 0;
  board->GetTaskInfo(task, index, &value);
  return value;
}

bool HostWorkerTaskCounts(CKalvenBoard* board, uint16_t task) {
  return board->IsTaskInstalled(task) &&
         (HostWorkerInfo(board, task, kHostWorkerInfoKind) & 0xFFFF) != kHostWorkerSkippedTaskKind;
}

void HostWorkerAddEntry(uint32_t entry, uint16_t context) {
  const uint16_t offset = uint16_t(entry), segment = uint16_t(entry >> 16);
  if (offset != 0 && segment != 0) g_pBreakpointAddrList->Add(CAddr(segment, offset), BP_BOARD, context);
}

}  // namespace

CDebugWorkerHost::CDebugWorkerHost(const char* exePath, uint16_t debuggeeTask, uint16_t kernelTask,
                                   HWND frame, HANDLE pipeRead, int* debugInfoOk, uint16_t* programTime,
                                   uint16_t* programDate, CKalvenBoard* board)
    : CDebugWorkerBoard(exePath, frame, pipeRead, board) {
  g_pRegisters = new TargetRegisters;
  g_pDebugControl = new CDebugControlHost(exePath, debuggeeTask, kernelTask, &startAddress, programTime,
                                          programDate, board);
  g_pRegisters->code = startAddress;
  const bool programThere = *programTime != 0 || *programDate != 0;
  CreateSessionObjects(exePath, new CDebugAccessHost(kernelTask, debuggeeTask, board), debugInfoOk,
                       programThere);
  g_pBreakpointAddrList->m_flags = kernelTask;
  g_pBreakpointAddrList->m_context = debuggeeTask;
  if (board && programThere) PlantTaskEntries(debuggeeTask);
}

void CDebugWorkerHost::PlantTaskEntries(uint16_t debuggeeTask) {
  target->ReadInstalledTasks();
  for (uint16_t t = 1; t <= kHostWorkerLastTask; ++t) {
    if (!HostWorkerTaskCounts(target, t)) continue;
    const uint32_t r = HostWorkerInfo(target, t, kHostWorkerInfoEntries);
    const uint8_t entryIndex = uint8_t(r >> 8);
    HostWorkerAddEntry(HostWorkerInfo(target, t, entryIndex), t);
  }
  if (!HostWorkerTaskCounts(target, debuggeeTask)) return;
  const uint32_t r = HostWorkerInfo(target, debuggeeTask, kHostWorkerInfoEntries);
  const uint8_t first = uint8_t(r >> 8);
  const uint32_t count = (r >> 16) & 0xFFFF;
  for (uint32_t i = 1; i < count; ++i)
    HostWorkerAddEntry(HostWorkerInfo(target, debuggeeTask, WORD(first + 4 * i)), debuggeeTask);
}

DWORD CDebugWorkerHost::CommandLoop() {
  m_threadId = GetCurrentThreadId();
  return CDebugWorkerBoard::CommandLoop();
}

bool CDebugWorkerHost::OnWorkerThread() const { return m_threadId == GetCurrentThreadId(); }

void CDebugWorkerHost::WaitForCommand() {
  // While the program runs, board calls let its time pass; its stop comes
  // back through the service callback on this thread.
  DWORD waiting = 0;
  while (IsRunning() && target) {
    if (!PeekNamedPipe(m_hPipeRead, nullptr, 0, nullptr, &waiting, nullptr) || waiting > 0) return;
    target->SelectCard();
    std::this_thread::sleep_for(std::chrono::milliseconds(kRunPollMs));
  }
}

void CDebugWorkerHost::OnInternalOpcode(uint8_t opcode) {
  if (opcode == kOpHostDebugEvent && g_pDebugControl) g_pDebugControl->HandleDebugEvent();
  if (opcode == kOpHostCallFinished)
    DebugMessageBox("Function or procedure call finished!", "Debugger", MB_OK);
}

void CDebugWorkerHost::StartProgram(uint32_t flag) {
  if (!g_pDebugInterp || !g_pRegisters) return;
  const CAddr main = FindMainRoutine();
  const CAddr none = CAddr::Invalid();
  g_pDebugInterp->SetEntryAddress(main.IsValid() ? &none : &g_pRegisters->code);
  TakeStartState();
  CDebugWorker::StartProgram(flag);
}

void HostServiceCallback(WORD message) {
  if (!g_pDebugControl) {
    if (g_pDebugFrame) SendMessage(g_pDebugFrame, WM_DEBUG_ERROR_REQUEST, 0, 0);
    return;
  }
  if (message != kHostEventStopped && message != kHostEventCallFinished) return;
  auto* worker = static_cast<CDebugWorkerHost*>(g_pDebugWorker);
  const uint8_t opcode = message == kHostEventStopped ? kOpHostDebugEvent : kOpHostCallFinished;
  // On the worker thread the event is handled at once (a single step waits
  // for it there); from any other thread it goes to the worker.
  if (worker && worker->OnWorkerThread()) {
    worker->OnInternalOpcode(opcode);
  } else if (worker && worker->m_pFrontEnd) {
    worker->m_pFrontEnd->PostInternal(opcode);
  }
}
