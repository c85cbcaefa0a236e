#include "debugger/kalven_board_qjx.h"

#include <cstring>

#include "app/core/project_data.h"
#include "debugger/driver_binding.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/base/cstring.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/registry.h"
#include "platform/sys/time.h"

namespace {

const WORD kRemoteKernelTask = 255, kRemoteCommTask = 254;
const WORD kQjxKernelProgram = 0xFF00, kCommProgram = 0xFF01;

void WriteParByte(WORD task, WORD index, BYTE value) { RIZO(qj8_write_par_block, task, index, 1, &value); }
void WriteParDword(WORD task, WORD index, DWORD value) {
  BYTE b[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
  RIZO(qj8_write_par_block, task, index, 4, b);
}

}  // namespace

CKalvenBoardQJx::CKalvenBoardQJx(WORD number, ProjectData* prj) : boardNumber(number), project(prj) {
  if (!DriverLibraryPresent(DriverLibrary::Rizo)) return;
  DWORD config[20] = {80};
  if (RIZO(qj8_get_config, boardNumber, config) != 0 && config[2] != 1) {
    WORD type;
    std::memcpy(&type, reinterpret_cast<BYTE*>(config) + 12, 2);
    typeCode = type;
  }
}

void CKalvenBoardQJx::ServiceCallback() {
  BYTE record[220] = {};
  RIZO(qj8_get_error_info, record);
  RIZO(qj8_clear_error);
  WORD message = record[9] == 5 ? RIZO(qj8_get_message) : 0;
  if (g_boardServiceCallback) g_boardServiceCallback(message);
}

WORD CKalvenBoardQJx::Open(BoardServiceCallback cb) {
  if (!DriverLibraryPresent(DriverLibrary::Rizo)) {
    MessageBox(nullptr, "Could not find rizo32.dll.", "MIRT", MB_OK);
    return kBoardLibraryMissing;
  }
  g_boardServiceCallback = cb;
  WORD code;
  switch (typeCode) {
    case 2:
      RIZO(qj8_bib_startup, 0x200);
      code = RIZO(qj2_start, boardNumber, 0, 1, 0, 0, ServiceCallback, 0x50);
      break;
    case 6:
      RIZO(qj8_bib_startup, 0x200);
      code = RIZO(qj6_start, boardNumber, 0, 1, 0, 0, ServiceCallback, 0x50);
      break;
    case 7:
      RIZO(qj8_bib_startup, 0x200);
      code = RIZO(qj7_start, boardNumber, 0, 1, 0, 0, ServiceCallback, 0x50);
      break;
    case 8:
      RIZO(qj8_bib_startup, 0x200);
      code = RIZO(qj8_start, boardNumber, 0, 1, 0, 0, ServiceCallback, 0x50);
      break;
    default:
      return 0x0201;  // no board of a known QJ type at this number
  }
  RIZO(qj8_clear_error);
  return code;
}

bool CKalvenBoardQJx::AskForVantorFile(std::string* osFile) {
  if (MessageBox(nullptr, "Could not find Vantor name in registry.\nDo You want to search for it?", "MIRT",
                 MB_YESNO) != IDYES)
    return true;  // go on without a file: the driver's built-in system
  char cwd[MAX_PATH] = {};
  GetCurrentDirectory(MAX_PATH, cwd);
  bool chosen = g_chooseVantorFile && g_chooseVantorFile(osFile);
  SetCurrentDirectory(cwd);
  return chosen;
}

WORD CKalvenBoardQJx::ResetAndLoadOS(BoardServiceCallback cb) {
  std::string osFile;
  CString keyName;
  keyName.Format("Software\\KALVEN\\YTN32\\QJ%d", typeCode);
  HKEY key;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    if (!AskForVantorFile(&osFile)) return 0;
  } else {
    char value[256] = {};
    DWORD size = sizeof value - 1, type = 0;
    if (RegQueryValueEx(key, "vantor", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
        ERROR_SUCCESS)
      osFile = value;
    RegCloseKey(key);
  }
  g_boardServiceCallback = cb;
  const char* os = osFile.empty() ? nullptr : osFile.c_str();  // none: the driver's own system
  WORD code;
  switch (typeCode) {
    case 2:
      code = RIZO(qj2_reset, boardNumber, 0, 1, 0, 0, ServiceCallback, os, 0x50);
      break;
    case 6:
      code = RIZO(qj6_reset, boardNumber, 0, 1, 0, 0, ServiceCallback, os, 0x50);
      break;
    case 7:
      code = RIZO(qj7_reset, boardNumber, 0, 1, 0, 0, ServiceCallback, os, 0x50);
      break;
    case 8:
      code = RIZO(qj8_reset, boardNumber, 0, 1, 0, 0, ServiceCallback, os, 0x50);
      break;
    default:
      code = 0x0201;
      break;
  }
  RIZO(qj8_clear_error);
  if (code != 0) {
    MessageBox(nullptr, "Could not reset card\n", "MIRT", MB_OK);
    return 0;
  }
  return 1;
}

bool CKalvenBoardQJx::IsProgramInstalled(WORD task, WORD) { return RIZO(qj8_get_pgm_installed, task) != 0; }
bool CKalvenBoardQJx::IsTaskInstalled(WORD task) { return RIZO(qj8_get_pgm_installed, task) != 0; }

WORD CKalvenBoardQJx::InstallProgram(LPCSTR file, WORD task, WORD program, BYTE start, BYTE callInit) {
  DWORD mode = 0x180 + (start ? 0x1000 : 0) + (callInit ? 0x800 : 0);
  return RIZO(qj8_transfer_and_install, file, 0, task, program, 1, mode, 0);
}

WORD CKalvenBoardQJx::InstallTask(LPCSTR file, WORD task, WORD program, WORD mode, WORD priority) {
  RIZO(qj8_transfer_and_install, file, 0, task, program, priority, mode, 0);
  return 0;
}

WORD CKalvenBoardQJx::CallProc(WORD task, WORD procedure) {
  RIZO(qj8_call_proc, task, procedure);
  return 0;
}

WORD CKalvenBoardQJx::ReadMemory(DWORD address, WORD length, BYTE* buffer) {
  if (typeCode == 2) {
    RIZO(qj8_set_ram_pointer, address);
    RIZO(qj8_read_ram, length, buffer);
  } else {
    RIZO(qj8_read_memory, address, length, buffer);
  }
  RestoreMinedBytes(minedList, address, length, buffer);
  return 1;
}

WORD CKalvenBoardQJx::WriteMemory(DWORD address, WORD length, const BYTE* bytes) {
  if (typeCode == 2) {
    RIZO(qj8_set_ram_pointer, address);
    RIZO(qj8_write_ram, length, bytes);
  } else {
    RIZO(qj8_write_memory, address, length, bytes);
  }
  return RIZO(qj8_reacting);
}

void CKalvenBoardQJx::Out8(WORD port, BYTE value) { RIZO(qj8_out8_port, port, value); }
void CKalvenBoardQJx::Out16(WORD port, WORD value) { RIZO(qj8_out16_port, port, value); }
WORD CKalvenBoardQJx::In8(WORD port) { return RIZO(qj8_in8_port, port); }
WORD CKalvenBoardQJx::In16(WORD port) { return RIZO(qj8_in16_port, port); }

WORD CKalvenBoardQJx::WriteParBlock(WORD task, WORD index, WORD length, const void* data) {
  RIZO(qj8_write_par_block, task, index, length, data);
  return 1;
}

WORD CKalvenBoardQJx::ReadParBlock(WORD task, WORD index, WORD length, void* buffer) {
  RIZO(qj8_read_par_block, task, index, length, buffer);
  return 1;
}

WORD CKalvenBoardQJx::GetTaskInfo(WORD task, WORD index, void* buffer) {
  RIZO(qj8_get_task_info, task, index, static_cast<uint32_t*>(buffer));
  return 1;
}

WORD CKalvenBoardQJx::GetErrorInfo() {
  BYTE record[220] = {};
  RIZO(qj8_get_error_info, record);
  RIZO(qj8_clear_error);
  return record[9];
}

WORD CKalvenBoardQJx::GetMessage() { return RIZO(qj8_get_message); }

void CKalvenBoardQJx::SetService(BoardServiceCallback cb) {
  g_boardServiceCallback = cb;
  RIZO(qj8_clear_error);
}

WORD CKalvenBoardQJx::ReadEepromCopy() { return RIZO(qj8_read_eeprom_copy, 0, 24); }
WORD CKalvenBoardQJx::SelectCard() { return RIZO(qj8_select_card, boardNumber); }
void CKalvenBoardQJx::ClearError() { RIZO(qj8_clear_error); }

bool CKalvenBoardQJx::IsKernelPresent(WORD kernelTask, WORD pcPort) {
  if (pcPort == 0) return IsProgramInstalled(kernelTask, 0);
  if (typeCode == 2) return IsProgramInstalled(kRemoteKernelTask, 0);
  return IsProgramInstalled(kRemoteKernelTask, 0) && IsProgramInstalled(kRemoteCommTask, 0);
}

WORD CKalvenBoardQJx::LoadDebugKernel(WORD pcPort, DWORD baudRate, BYTE cardInterface, WORD kernelTask,
                                      LPCSTR kernelDir) {
  std::string dir = kernelDir ? kernelDir : "";
  return pcPort == 0 ? LoadKernelThroughDriver(kernelTask, dir)
                     : LoadRemoteKernel(baudRate, cardInterface, dir);
}

WORD CKalvenBoardQJx::LoadKernelThroughDriver(WORD kernelTask, const std::string& kernelDir) {
  std::string path = kernelDir + GetKernelFileName();
  Sleep(1000);
  WORD code = InstallProgram(path.c_str(), kernelTask, kQjxKernelProgram, 1, 0);
  RIZO(qj8_write_par_word, kernelTask, 0x34EF, project ? project->debuggeeNum : 0);
  if (code == 0) code = CallProc(kernelTask, 2);
  DWORD head = 0;
  RIZO(qj8_read_par_dword, kernelTask, 8, &head);
  minedList.RemoveAll();
  WORD walk = WalkMinedList(
      head,
      [](DWORD at, DWORD* next, CMinedAddr* entry) {
        BYTE record[20];
        if (RIZO(qj8_read_memory, at, 20, record) != 0) return false;
        DecodeMinedRecord(record, next, entry);
        return true;
      },
      minedList);
  return walk ? walk : code;
}

WORD CKalvenBoardQJx::LoadRemoteKernel(DWORD baudRate, BYTE cardInterface, const std::string& kernelDir) {
  CString file;
  if (typeCode == 2) {
    if (!IsTaskInstalled(kRemoteKernelTask)) {
      file.Format("%sQJ2REMOT.EXE", kernelDir.c_str());
      InstallTask(file, kRemoteKernelTask, kQjxKernelProgram, 0x982, 0x86);
    } else {
      CallProc(kRemoteKernelTask, 3);
    }
    WriteParByte(kRemoteKernelTask, 0, 1);
    WriteParByte(kRemoteKernelTask, 6, 4);
    WriteParDword(kRemoteKernelTask, 7, baudRate);
    CallProc(kRemoteKernelTask, 2);
    return 0;
  }
  if (!IsTaskInstalled(kRemoteKernelTask) || !IsTaskInstalled(kRemoteCommTask)) {
    file.Format("%sQJ%dREMOT.EXE", kernelDir.c_str(), typeCode);
    InstallProgram(file, kRemoteKernelTask, kQjxKernelProgram, 1, 0);
    file.Format("%sQJ%dREMCO.EXE", kernelDir.c_str(), typeCode);
    InstallProgram(file, kRemoteCommTask, kCommProgram, 1, 0);
  } else {
    BYTE state = 0;
    ReadParBlock(kRemoteCommTask, 0, 1, &state);
    if (state == 2) CallProc(kRemoteKernelTask, 3);
  }
  WriteParByte(kRemoteKernelTask, 0, 1);
  WriteParByte(kRemoteKernelTask, 6, 4);
  WriteParByte(kRemoteCommTask, 4, cardInterface);
  WriteParDword(kRemoteCommTask, 5, baudRate);
  WORD crystal = ReadEepromCopy() & 0xFF00;
  BYTE crystalCode = crystal == 0x400 ? 0 : crystal == 0x700 ? 1 : 0xFF;
  if (crystalCode == 0xFF) {
    MessageBox(nullptr, "quarz frequency not supported by debug kernel", "Error", MB_OK);
    return 0x0F02;  // the remote kernel cannot run at this crystal
  }
  WriteParByte(kRemoteCommTask, 0x0B, crystalCode);
  CallProc(kRemoteKernelTask, 2);
  return 0;
}

WORD CKalvenBoardQJx::CallFunc(WORD task, WORD function, WORD* length, const void* request, WORD* answer,
                               DWORD_PTR extra) {
  uint16_t status = 0;
  RIZO(qj8_call_func, task, function, *length, request, *answer, length, reinterpret_cast<void*>(extra),
       &status);
  return status & 0xFF;
}
