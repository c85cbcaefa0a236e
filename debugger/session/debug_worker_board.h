// What the two board variants' workers share: the register block and its
// saved copy, the session objects they create and delete in one order,
// the board selected on the worker thread, and the main routine's lookup.
#pragma once

#include <memory>

#include "debugger/session/debug_worker.h"
#include "debugger/target_registers.h"

class CKalvenBoard;
class CDebugAccess;
class CSessionDisassembler;

class CDebugWorkerBoard : public CDebugWorker {
 public:
  CDebugWorkerBoard(const char* exePath, HWND frame, HANDLE pipeRead, CKalvenBoard* board);
  // Deletes the session objects: registers, breakpoints, access,
  // interpreter, run control, kernel link, disassembler, evaluators.
  ~CDebugWorkerBoard() override;

  DWORD CommandLoop() override;
  void SaveStartRegisters() override;
  void RestoreStartRegisters() override;

  CAddr startAddress;
  CAddr endAddress;
  TargetRegisters savedRegisters;
  CKalvenBoard* target;

 protected:
  // The objects after the run control, given the variant's access: the
  // interpreter, the breakpoint list, the start line in the Debug pane
  // (when the program is on the board), the disassembler, the evaluators.
  void CreateSessionObjects(const char* exePath, CDebugAccess* access, int* debugInfoOk, bool programThere);
  // "main", else "MAIN"; invalid when neither is there.
  CAddr FindMainRoutine();
  // Takes the program's start state for Reset and its exit address.
  void TakeStartState();

 private:
  std::unique_ptr<CSessionDisassembler> m_disassembler;
};
