// The ZOR boards (T-Rail) over the driver dovi32.
#pragma once

#include "debugger/kalven_board.h"

class CKalvenBoardZOR : public CKalvenBoard {
 public:
  // Forgets any earlier connection (g_zorHandle = 0); does not open the
  // board.
  CKalvenBoardZOR(WORD boardNumber, ProjectData* project);

  WORD ResetAndLoadOS(BoardServiceCallback cb) override;
  WORD Open(BoardServiceCallback cb) override;
  bool IsProgramInstalled(WORD task, WORD program) override;
  bool IsTaskInstalled(WORD task) override;
  void ReadInstalledTasks() override;
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
  LPCSTR GetKernelFileName() override { return "KERNLZOR.EXE"; }
  bool IsKernelPresent(WORD kernelTask, WORD pcPort) override;
  WORD LoadDebugKernel(WORD pcPort, DWORD baudRate, BYTE cardInterface, WORD kernelTask,
                       LPCSTR kernelDir) override;
  WORD CallFunc(WORD task, WORD function, WORD* length, const void* request, WORD* answer,
                DWORD_PTR extra) override;

  // Given to the driver's zor_set_service: forwards the message of our
  // connection.
  static void ServiceCallback(uint32_t handle, uint16_t message);

  WORD boardNumber;
  ProjectData* project;
  CList<CMinedAddr, const CMinedAddr&> minedList;

 private:
  // The kernel's interface code from the board's connection; 0 when unknown.
  WORD KernelInterfaceCode(WORD* code);
};
