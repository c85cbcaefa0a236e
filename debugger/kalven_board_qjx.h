// The QJ boards (Kora-DESK/2, Kora-LINE, TESSERA) over the driver rizo32.
#pragma once

#include "debugger/kalven_board.h"

class CKalvenBoardQJx : public CKalvenBoard {
 public:
  // Reads the board's type code when the driver library is there; does not
  // open the board.
  CKalvenBoardQJx(WORD boardNumber, ProjectData* project);

  WORD ResetAndLoadOS(BoardServiceCallback cb) override;
  WORD Open(BoardServiceCallback cb) override;
  bool IsProgramInstalled(WORD task, WORD program) override;
  bool IsTaskInstalled(WORD task) override;
  void ReadInstalledTasks() override {}
  WORD InstallProgram(LPCSTR file, WORD task, WORD program, BYTE start, BYTE callInit) override;
  WORD InstallTask(LPCSTR file, WORD task, WORD program, WORD mode, WORD priority) override;
  WORD CallProc(WORD task, WORD procedure) override;
  WORD ReadMemory(DWORD address, WORD length, BYTE* buffer) override;
  WORD WriteMemory(DWORD address, WORD length, const BYTE* bytes) override;
  void Out8(WORD port, BYTE value) override;
  void Out16(WORD port, WORD value) override;
  WORD In8(WORD port) override;
  WORD In16(WORD port) override;
  WORD WriteParBlock(WORD task, WORD index, WORD length, const void* data) override;
  WORD ReadParBlock(WORD task, WORD index, WORD length, void* buffer) override;
  WORD GetTaskInfo(WORD task, WORD index, void* buffer) override;
  WORD GetErrorInfo() override;
  WORD GetMessage() override;
  void SetService(BoardServiceCallback cb) override;
  WORD ReadEepromCopy() override;
  WORD SelectCard() override;
  void ClearError() override;
  LPCSTR GetKernelFileName() override { return "KERNLQJX.EXE"; }
  bool IsKernelPresent(WORD kernelTask, WORD pcPort) override;
  WORD LoadDebugKernel(WORD pcPort, DWORD baudRate, BYTE cardInterface, WORD kernelTask,
                       LPCSTR kernelDir) override;
  WORD CallFunc(WORD task, WORD function, WORD* length, const void* request, WORD* answer,
                DWORD_PTR extra) override;

  // The driver's callback for the start and reset calls.
  static void ServiceCallback();

  WORD boardNumber;
  WORD typeCode = 0;
  ProjectData* project;
  CList<CMinedAddr, const CMinedAddr&> minedList;

 private:
  WORD LoadKernelThroughDriver(WORD kernelTask, const std::string& kernelDir);
  WORD LoadRemoteKernel(DWORD baudRate, BYTE cardInterface, const std::string& kernelDir);
  bool AskForVantorFile(std::string* osFile);
};
