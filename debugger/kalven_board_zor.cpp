#include "debugger/kalven_board_zor.h"

#include <cstring>

#include "app/core/project_data.h"
#include "debugger/driver_binding.h"
#include "drivers/dovi32/dovi32.h"
#include "platform/sys/msgbox.h"

namespace {

const WORD kZorKernelProgram = 0xFF00;

}  // namespace

CKalvenBoardZOR::CKalvenBoardZOR(WORD number, ProjectData* prj) : boardNumber(number), project(prj) {
  g_zorHandle = 0;
}

void CKalvenBoardZOR::ServiceCallback(uint32_t handle, uint16_t message) {
  if (g_boardServiceCallback && handle == g_zorHandle) g_boardServiceCallback(message);
}

WORD CKalvenBoardZOR::Open(BoardServiceCallback cb) {
  if (!DriverLibraryPresent(DriverLibrary::Dovi)) {
    MessageBox(nullptr, "Could not find dovi32.dll.", "MIRT", MB_OK);
    return kBoardLibraryMissing;
  }
  DOVI(zor_init_lib, 0);
  WORD code = DOVI(zor_board_reacting, boardNumber);
  if (code != 0) return code;
  WORD first = 0, second = 0;
  bool found = false;
  for (WORD i = 1; i <= 15 && !found; ++i)
    for (WORD j = 0; j <= 15 && !found; ++j) {
      ZOR_MODULE_INFO info{};
      if (DOVI(zor_get_module_info, boardNumber, i, j, &info) == 0 &&
          (info.type == 0x0B || info.type == 0x0C)) {
        first = i, second = j;
        found = true;
      }
    }
  if (!found) return kZorNoCpuModule;
  uint32_t x = 0, handle = 0;
  code = DOVI(zor_connect_cpu, boardNumber, first, second, &x, &handle);
  g_zorHandle = handle;
  g_boardServiceCallback = cb;
  DOVI(zor_set_service, g_zorHandle, ServiceCallback);
  return code;
}

WORD CKalvenBoardZOR::ResetAndLoadOS(BoardServiceCallback cb) {
  if (g_zorHandle != 0) {
    uint32_t h = g_zorHandle;
    DOVI(zor_exit_cpu, &h);
    g_zorHandle = h;
  }
  DOVI(zor_reset_board, boardNumber, 100);
  Open(cb);
  return DOVI(zor_load_vantor, g_zorHandle, "ROM") == 0 ? 1 : 0;
}

bool CKalvenBoardZOR::IsProgramInstalled(WORD task, WORD program) {
  WORD code;
  if (task != 0) {
    BYTE buffer[1024] = {};
    code = DOVI(zor_task_info, g_zorHandle, task, 4, buffer);
  } else {
    uint16_t taskOut = 0, count = 0;
    code = DOVI(zor_get_task_number_prog, g_zorHandle, program, &taskOut, &count);
  }
  if (code != 0) DOVI(zor_clear_error);
  return code != kZorTaskMissing;
}

bool CKalvenBoardZOR::IsTaskInstalled(WORD task) {
  return task < 1024 && (g_zorInstalledTasks[task >> 3] & (0x80 >> (task & 7))) != 0;
}

void CKalvenBoardZOR::ReadInstalledTasks() {
  if (DOVI(zor_get_installed_tasks, g_zorHandle, g_zorInstalledTasks) != 0)
    std::memset(g_zorInstalledTasks, 0, sizeof g_zorInstalledTasks);
}

WORD CKalvenBoardZOR::InstallProgram(LPCSTR file, WORD task, WORD program, BYTE start, BYTE callInit) {
  ZOR_INSTALL_RECORD record{};
  record.file = file;
  record.program = program;
  record.task = task;
  uint16_t taskOut = 0;
  WORD code = DOVI(zor_transfer_and_install, g_zorHandle, &record, &taskOut);
  if (code == 0 && callInit) code = DOVI(zor_call_proc, g_zorHandle, taskOut, 1);
  if (code == 0 && start) code = DOVI(zor_wakeup_ni_task, g_zorHandle, taskOut, 1);
  return code;
}

WORD CKalvenBoardZOR::InstallTask(LPCSTR, WORD, WORD, WORD, WORD) { return kZorInstallTaskRefused; }

WORD CKalvenBoardZOR::CallProc(WORD task, WORD procedure) {
  return DOVI(zor_call_proc, g_zorHandle, task, procedure);
}

WORD CKalvenBoardZOR::ReadMemory(DWORD address, WORD length, BYTE* buffer) {
  uint32_t len32 = length;
  WORD code = DOVI(zor_read_memory, g_zorHandle, address, &len32, buffer);
  RestoreMinedBytes(minedList, address, length, buffer);
  return code == 0 ? 1 : 0;
}

WORD CKalvenBoardZOR::WriteMemory(DWORD address, WORD length, const BYTE* bytes) {
  uint32_t len32 = length;
  return DOVI(zor_write_memory, g_zorHandle, address, &len32, bytes) == 0 ? 1 : 0;
}

void CKalvenBoardZOR::Out8(WORD port, BYTE value) { DOVI(zor_write_io_byte, g_zorHandle, port, value); }
void CKalvenBoardZOR::Out16(WORD port, WORD value) { DOVI(zor_write_io_word, g_zorHandle, port, value); }

WORD CKalvenBoardZOR::In8(WORD port) {
  uint8_t b = 0;
  DOVI(zor_read_io_byte, g_zorHandle, port, &b);
  return b;
}

WORD CKalvenBoardZOR::In16(WORD port) {
  uint16_t w = 0;
  DOVI(zor_read_io_word, g_zorHandle, port, &w);
  return w;
}

WORD CKalvenBoardZOR::WriteParBlock(WORD task, WORD index, WORD length, const void* data) {
  uint16_t len16 = length;
  return DOVI(zor_write_par_block, g_zorHandle, task, index, &len16, data) == 0 ? 1 : 0;
}

WORD CKalvenBoardZOR::ReadParBlock(WORD task, WORD index, WORD length, void* buffer) {
  uint16_t len16 = length;
  return DOVI(zor_read_par_block, g_zorHandle, task, index, &len16, buffer) == 0 ? 1 : 0;
}

WORD CKalvenBoardZOR::GetTaskInfo(WORD task, WORD index, void* buffer) {
  return DOVI(zor_task_info, g_zorHandle, task, index, buffer) == 0 ? 1 : 0;
}

WORD CKalvenBoardZOR::GetErrorInfo() { return 0; }
WORD CKalvenBoardZOR::GetMessage() { return 0; }

void CKalvenBoardZOR::SetService(BoardServiceCallback cb) {
  g_boardServiceCallback = cb;
  DOVI(zor_set_service, g_zorHandle, ServiceCallback);
}

WORD CKalvenBoardZOR::ReadEepromCopy() { return 0; }
WORD CKalvenBoardZOR::SelectCard() { return DOVI(zor_reacting, g_zorHandle); }
void CKalvenBoardZOR::ClearError() { DOVI(zor_clear_error); }

bool CKalvenBoardZOR::IsKernelPresent(WORD, WORD) { return IsProgramInstalled(0, kZorKernelProgram); }

WORD CKalvenBoardZOR::KernelInterfaceCode(WORD* code) {
  uint32_t params[64] = {};
  reinterpret_cast<uint16_t*>(params)[0] = 250;
  reinterpret_cast<uint16_t*>(params)[1] = 3;
  uint8_t out[256] = {};
  WORD r = DOVI(zor_get_remote_board_parameters, boardNumber, params, out);
  if (r != 0) return r;
  switch (params[2]) {
    case 3:
      *code = 1;
      return 0;
    case 5:
      *code = 2;
      return 0;
    case 6:
      *code = 4;
      return 0;
    default:
      return kZorUnknownInterface;
  }
}

WORD CKalvenBoardZOR::LoadDebugKernel(WORD, DWORD, BYTE, WORD kernelTask, LPCSTR kernelDir) {
  std::string path = std::string(kernelDir ? kernelDir : "") + GetKernelFileName();
  WORD code = InstallProgram(path.c_str(), kernelTask, kZorKernelProgram, 1, 1);
  if (code != 0) return code;
  WORD interfaceCode = 0;
  if ((code = KernelInterfaceCode(&interfaceCode)) != 0) return code;
  uint16_t len = 2;
  DOVI(zor_write_par_block, g_zorHandle, kernelTask, 0x30D6, &len, &interfaceCode);
  WORD debuggee = project ? project->debuggeeNum : 0;
  len = 2;
  if ((code = DOVI(zor_write_par_block, g_zorHandle, kernelTask, 0x34EF, &len, &debuggee)) != 0) return code;
  if ((code = CallProc(kernelTask, 2)) != 0) return code;
  uint32_t head = 0;
  len = 4;
  if ((code = DOVI(zor_read_par_block, g_zorHandle, kernelTask, 8, &len, &head)) != 0) return code;
  minedList.RemoveAll();
  return WalkMinedList(
      head,
      [](DWORD at, DWORD* next, CMinedAddr* entry) {
        BYTE record[20];
        uint32_t n = 20;
        if (DOVI(zor_read_memory, g_zorHandle, at, &n, record) != 0) return false;
        DecodeMinedRecord(record, next, entry);
        return true;
      },
      minedList);
}

WORD CKalvenBoardZOR::CallFunc(WORD task, WORD function, WORD* length, const void* request, WORD* answer,
                               DWORD_PTR extra) {
  return DOVI(zor_call_func, g_zorHandle, task, function, length, request, answer,
              reinterpret_cast<void*>(extra));
}
