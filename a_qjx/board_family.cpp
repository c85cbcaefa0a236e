// Board family operations shared by the families, and the variant of the
// TESSERA and Kora-LINE boards where the Kora-DESK/2 differs.
#include "a_qjx/board_family.h"

#include <cstring>

#include "a_qjx/board_type_codes.h"
#include "drivers/rizo32/rizo32.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

constexpr const char* kNotImplemented = "This module is not implemented.";
constexpr WORD kMddProgram = 1279;

}  // namespace

void CBoardFamily::NotImplemented() {
  ytn1::ShowMessage(kNotImplemented, errorTitle, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

int16_t CBoardFamily::CheckDriverError() {
  const char* title = "Error Handler - (A_QJX.DLL)";
  switch (typeCode) {
    case kTypeKoraDesk2:
      title = "Error Handler - Kora-DESK/2 (A_QJX.DLL)";
      break;
    case kTypeKoraLine:
      title = "Error Handler - Kora-LINE (A_QJX.DLL)";
      break;
    case kTypeMiniTessera:
    case kTypeTessera:
      title = "Error Handler - TESSERA-4/486 (A_QJX.DLL)";
      break;
  }
  std::strncpy(errorTitle, title, sizeof errorTitle - 1);
  // A driver error that no registered handler reported is taken up here,
  // so that a failing call is always shown.
  BYTE cls = 0, code = 0;
  qj8_get_error_class_and_code(&cls, &code);
  if (cls != 0 || code != 0) Ytn32ErrorHandler();
  return int16_t(GetErrorHandler(errorTitle, 0, 0));
}

int16_t CBoardFamily::StartOrResetBoard(int generation) {
  using Start = int16_t (*)(uint16_t, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK, uint16_t);
  using Reset =
      int16_t (*)(uint16_t, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK, const char*, uint16_t);
  Start start = generation == 2   ? qj2_start
                : generation == 6 ? qj6_start
                : generation == 7 ? qj7_start
                                  : qj8_start;
  Reset reset = generation == 2   ? qj2_reset
                : generation == 6 ? qj6_reset
                : generation == 7 ? qj7_reset
                                  : qj8_reset;
  if (start(boardNumber, 0, 0, 0, 0, nullptr, 30) == 0) return 0;
  CString question;
  question.Format("Can't start board no. %lu.\nDo you want to reset board?", (unsigned long)boardNumber);
  // Declining the reset leaves a board that does not run: say so.
  if (ytn1::ShowMessage(question, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES) return 1;
  char folder[300];
  GetYtn32Path(folder);
  CString pattern;
  pattern.Format("%s\\vantor\\qj%d-*.??r", folder, generation);
  if (reset(boardNumber, 0, 0, 0, 0, nullptr, pattern, 30) != 0) {
    CString text;
    text.Format("Can't reset board no. %lu.\nCan't get board information.", (unsigned long)boardNumber);
    ytn1::ShowMessage(text, nullptr, MB_OK | MB_ICONSTOP);
    return 1;
  }
  return 0;
}

int16_t CBoardFamily::InstallMddWith(const char* library, bool variantB, const char* occupiedText,
                                     const char* pathText) {
  CString path = CString(mddFolder) + library;
  const UINT style = MB_OK | MB_ICONSTOP | MB_TASKMODAL;
  WORD installed = qj8_get_pgm_installed(mddTask);
  if (CheckDriverError() == 1) return 1;
  if (installed == kMddProgram) return 0;
  if (installed != 0) {
    ytn1::ShowMessage(occupiedText, nullptr, style);
    return 1;
  }
  if (variantB) {
    uint16_t task = 0, flag = 0;
    qj8_get_int_task(kMddProgram, &task, &flag);
    if (task != 0xFFFF) {
      ytn1::ShowMessage("Module Device Driver could not be installed!", nullptr, style);
      return 1;
    }
  }
  int16_t r = variantB ? qj8_transfer_and_install(path, 0, mddTask, kMddProgram, 144, 2050, 0)
                       : qj8_transfer_and_install(path, 0, mddTask, kMddProgram, 0, 2048, 0);
  if (r != 0) {
    ytn1::ShowMessage(pathText, nullptr, style);
    return 1;
  }
  return 0;
}

int16_t CBoardFamily::InstallMdd() {
  return InstallMddWith(typeCode == kTypeKoraLine ? "QJ6D0000.LIB" : "QJ8D0000.LIB", true,
                        "Module Device Driver could not be installed!\r\nThere is already a programm "
                        "installed under the default tasknumber of the MDD.",
                        "Module Device Driver could not be installed!\r\nPlease check your path settings.");
}

void CBoardFamily::GetCpuTextWith(bool variantB) {
  BYTE type = qj8_read_par_byte(0, 38), clock = qj8_read_par_byte(0, 39);
  BYTE maker = qj8_read_par_byte(0, 41), copro = qj8_read_par_byte(0, 46);
  cpuType = type == 1 ? "V20" : type == 4 ? "486" : type == 5 ? "Pentium" : "";
  cpuClock.Format("%hu", (unsigned short)clock);
  static const char* const kMakersA[] = {"", "Intel", "NEC"};
  static const char* const kMakersB[] = {"", "Intel", "AMD", "UMC", "TI", "Cyrix", "IBM", "STM", "NexGen"};
  if (variantB)
    cpuMaker = maker < 9 ? kMakersB[maker] : "";
  else
    cpuMaker = maker < 3 ? kMakersA[maker] : "";
  coprocessorType = copro == 0 ? "No" : copro == 4 ? "487" : copro == 5 ? "Pentium" : "";
  if (variantB)
    cpuRevision.Format("%hu", (unsigned short)qj8_read_par_byte(0, 148));
  else
    cpuRevision.Empty();
}

void CBoardFamily::GetCpuText() { GetCpuTextWith(true); }

int16_t CBoardFamily::GetFreeRamSize() {
  if (typeCode != 2 && qj8_type_check() == 0) {
    viewStart = 0;
    viewEnd = ramSize = 0xFFFFFFFF;
    freeStart = 0;
    freeEnd = 0xFFFFFFFF;
    return -1;
  }
  uint32_t low = 0, high = 0, start = 0, size = 0;
  qj8_read_par_dword(0, 64, &low);
  qj8_read_par_dword(0, 68, &high);
  if (GetUserMode()) {
    viewStart = low;
    viewEnd = typeCode == kTypeKoraDesk2 ? 0x7FFFF : 0xFFFFFFFF;
  } else {
    viewStart = 0x10000;
    viewEnd = high;
  }
  ramSize = high - low;
  qj8_read_par_dword(0, 72, &start);
  freeStart = start;
  qj8_get_free_ram_size(0, &size);
  freeEnd = freeStart + size;
  return CheckDriverError();
}

void CBoardFamily::ReadMemory(DWORD first, DWORD last, BYTE* dest) {
  if (last < first) return;
  DWORD done = 0;
  for (;;) {
    DWORD count = last - first + 1;
    if (count > 0xFFFF || count == 0) count = 0xFFFF;  // 0: the whole 4 GB range
    qj8_set_ram_pointer(first);
    qj8_read_ram(uint16_t(count), dest + done);
    done += count;
    if (last - first < count) break;
    first += count;
  }
}

void CBoardFamily::ReadRamPage() {
  qj8_set_ram_pointer(viewAddress);
  qj8_read_ram(160, pageBuffer);
}

void CBoardFamily::WriteParameterByte(WORD task, WORD index, BYTE value) {
  qj8_write_par_byte(task, index, value);
}
void CBoardFamily::WriteDataByte(WORD task, WORD index, BYTE value) {
  qj8_write_data(task, index, 1, &value);
}

void CBoardFamily::ReadEepromWords(WORD module) {
  WORD count = module < kEepromSlots ? eepromWordCount[module] : 0;
  for (WORD i = 0; i < count && i < kEepromSlots; ++i) eepromWords[i] = qj8_read_eeprom_direct(module, i);
}

void CBoardFamily::WriteEepromWord(WORD module, WORD word, WORD value) {
  qj8_write_eeprom_direct(module, word, value);
}

CString CBoardFamily::DriverErrorText(WORD error) {
  driverErrorClass = BYTE(BITxy(error, 8, 15));
  driverErrorCode = BYTE(BITxy(error, 0, 7));
  char message[80];
  GetErrorMessage(message, driverErrorClass, driverErrorCode);
  CString suffix;
  suffix.Format("Error Class: %hX hex\r\nError Code: %hX hex", (unsigned short)driverErrorClass,
                (unsigned short)driverErrorCode);
  return CString(message) + "\r\n" + suffix;
}

void CBoardFamily::CallKernelProc2() { qj8_call_proc(kernelTask, 2); }
void CBoardFamily::CallKernelProc3() { qj8_call_proc(kernelTask, 3); }

void CBoardFamily::AppendEepromModules(WORD modules, WORD words) {
  CString line;
  for (WORD m = 0; m < modules; ++m) {
    line.Format("Module Number: %hu\n", (unsigned short)m);
    eepromText += line;
    for (WORD w = 0; w < words; ++w) {
      line.Format("EEPROM Word %.2hu: %.4hx hex\n", (unsigned short)w,
                  (unsigned short)qj8_read_eeprom_direct(m, w));
      eepromText += line;
    }
  }
}

void CBoardFamily::ReadTaskParameters() {
  kernelProgram = 0xFF00;
  commProgram = 0xFF01;
  int32_t found = 0;
  kernelTask = qj8_get_task_number(kernelProgram, &found);
  kernelFound = found;
  commTask = qj8_get_task_number(commProgram, &found);
  commFound = found;
  if (!kernelFound || !commFound) return;
  kernelPar0 = qj8_read_par_byte(kernelTask, 0);
  kernelPar1 = qj8_read_par_byte(kernelTask, 1);
  kernelPar2 = qj8_read_par_word(kernelTask, 2);
  kernelPar4 = qj8_read_par_word(kernelTask, 4);
  kernelPar6 = qj8_read_par_byte(kernelTask, 6);
  commPar0 = qj8_read_par_byte(commTask, 0);
  commPar1 = qj8_read_par_byte(commTask, 1);
  commPar2 = qj8_read_par_byte(commTask, 2);
  commPar3 = qj8_read_par_byte(commTask, 3);
  commPar4 = qj8_read_par_byte(commTask, 4);
  uint32_t baud = 0;
  qj8_read_par_dword(commTask, 5, &baud);
  kernelParDword = baud;
  commPar11 = qj8_read_par_byte(commTask, 11);
}

void CBoardFamily::WriteTaskParameters() {
  if (GetUserMode()) qj8_write_par_word(kernelTask, 0, 1);
  qj8_write_par_word(kernelTask, 2, kernelPar2);
  qj8_write_par_byte(kernelTask, 6, kernelPar6);
  qj8_write_par_byte(commTask, 4, commPar4);
  qj8_write_par_block(commTask, 5, 4, &kernelParDword);
  qj8_write_par_byte(commTask, 11, commPar11);
}

bool CBoardFamily::InstallFromKernelFolder(const CString& file, WORD task, WORD program, WORD interrupt,
                                           DWORD flags, const char* failure) {
  int16_t r = qj8_transfer_and_install(kernelFolder + file, 0, task, program, interrupt, flags, 0);
  if (r == 0) return true;
  ytn1::ShowMessage(failure + DriverErrorText(WORD(r)), nullptr, MB_OK | MB_ICONSTOP);
  return false;
}

int16_t CBoardFamily::TransferAndInstall() {
  kernelTask = 255;
  kernelProgram = 0xFF00;
  if (!InstallFromKernelFolder(kernelFile, 255, 0xFF00, 1, 2432, "Kernel error: ")) return 1;
  commTask = 254;
  commProgram = 0xFF01;
  return InstallFromKernelFolder(commFile, 254, 0xFF01, 1, 2432, "Interface error: ") ? 0 : 1;
}

void CBoardFamily::ReadTaskParametersA() {
  kernelProgram = 0xFF00;
  commFound = 1;
  kernelFound = qj8_get_pgm_installed(kernelTask) == 0xFF00;
  if (!kernelFound)
    for (WORD t = 1; t < 1024; ++t)
      if (qj8_get_pgm_installed(t) == 0xFF00) {
        kernelTask = t;
        kernelFound = 1;
      }
  if (!kernelFound) return;
  kernelPar0 = commPar0 = qj8_read_par_byte(kernelTask, 0);
  kernelPar1 = qj8_read_par_byte(kernelTask, 1);
  kernelPar2 = qj8_read_par_word(kernelTask, 2);
  kernelPar6 = qj8_read_par_byte(kernelTask, 6);
  uint32_t baud = 0;
  qj8_read_par_dword(kernelTask, 7, &baud);
  kernelParDword = baud;
}

void CBoardFamily::WriteTaskParametersA() {
  if (GetUserMode()) qj8_write_par_word(kernelTask, 0, 1);
  qj8_write_par_word(kernelTask, 2, kernelPar2);
  qj8_write_par_byte(kernelTask, 6, kernelPar6);
  qj8_write_par_block(kernelTask, 7, 4, &kernelParDword);
}

int16_t CBoardFamily::TransferAndInstallA() {
  kernelTask = 255;
  kernelProgram = 0xFF00;
  return InstallFromKernelFolder(kernelFile, 255, 0xFF00, 134, 2434, "Kernel error: ") ? 0 : 1;
}
