#include "debugger/session/debug_worker_board.h"

#include <cstdio>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_access.h"
#include "debugger/debug_control.h"
#include "debugger/debug_interp_borland.h"
#include "debugger/eval_8086regs.h"
#include "debugger/eval_borland.h"
#include "debugger/kalven_board.h"
#include "debugger/kernel_link.h"
#include "debugger/session/frame_messages.h"
#include "debugger/session/session_disassembler.h"
#include "debugger/session_globals.h"
#include "platform/ui/message.h"

namespace {

constexpr uint8_t kBoardWorkerBreakOpcode = 0xCC;

}  // namespace

CDebugWorkerBoard::CDebugWorkerBoard(const char* exePath, HWND frame, HANDLE pipeRead, CKalvenBoard* board)
    : CDebugWorker(exePath, frame, pipeRead), target(board) {}

CDebugWorkerBoard::~CDebugWorkerBoard() {
  delete g_pRegisters;
  g_pRegisters = nullptr;
  delete g_pBreakpointAddrList;  // puts the program's code back
  g_pBreakpointAddrList = nullptr;
  delete g_pDebugAccess;
  g_pDebugAccess = nullptr;
  delete g_pDebugInterp;
  g_pDebugInterp = nullptr;
  delete g_pDebugControl;  // says goodbye to the kernel
  g_pDebugControl = nullptr;
  delete g_pKernelLink;
  g_pKernelLink = nullptr;
  m_disassembler.reset();
  m_pDisassembler = nullptr;
  delete g_pEval;
  g_pEval = nullptr;
  delete g_pRegEval;
  g_pRegEval = nullptr;
}

void CDebugWorkerBoard::CreateSessionObjects(const char* exePath, CDebugAccess* access, int* debugInfoOk,
                                             bool programThere) {
  g_pDebugAccess = access;
  int infoOk = 0;
  g_pDebugInterp = new CDebugInterpBorland(exePath, &infoOk, uint16_t(g_pRegisters->code.segment));
  if (debugInfoOk) *debugInfoOk = infoOk;
  g_pBreakpointAddrList = new CBreakpointAddrList(1, &kBoardWorkerBreakOpcode);
  if (programThere) {
    char text[64];
    std::snprintf(text, sizeof text, "program starts at %04x:%04x", g_pRegisters->code.segment,
                  g_pRegisters->code.offset);
    SendToFrame(WM_OUTPUT_TEXT, kOutputPaneDebug, reinterpret_cast<LPARAM>(text));
  }
  m_disassembler = std::make_unique<CSessionDisassembler>();
  m_pDisassembler = m_disassembler->Disassembler();
  g_pEval = new CEvalBorland;
  g_pRegEval = new CEval8086Regs;
}

DWORD CDebugWorkerBoard::CommandLoop() {
  if (target) target->SelectCard();
  return CDebugWorker::CommandLoop();
}

void CDebugWorkerBoard::SaveStartRegisters() {
  if (g_pRegisters) savedRegisters = *g_pRegisters;
}

void CDebugWorkerBoard::RestoreStartRegisters() {
  if (g_pRegisters) *g_pRegisters = savedRegisters;
}

CAddr CDebugWorkerBoard::FindMainRoutine() {
  CAddr main = CAddr::Invalid();
  FindSymbolAddress("main", &main);
  if (!main.IsValid()) FindSymbolAddress("MAIN", &main);
  return main;
}

void CDebugWorkerBoard::TakeStartState() {
  if (!g_pDebugAccess || !g_pRegisters) return;
  g_pDebugAccess->ReadRegisters(g_pRegisters);
  SaveStartRegisters();
  endAddress = CAddr(0, 0);
  g_pDebugAccess->ReadFarPointer(&g_pRegisters->stack, &endAddress);
  m_exitAddress = endAddress;
}
