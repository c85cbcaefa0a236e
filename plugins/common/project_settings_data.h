// The record that the IDE and a settings plug-in exchange, and the call
// that each plug-in exports. Every text field points to a 256-byte buffer
// of the caller holding at most 255 characters and a terminating NUL.
#pragma once

#include <cstdint>

#include "platform/base/windef.h"

constexpr int kSettingsTextSize = 256;

struct ProjectSettingsData {
  char* incDirs;
  char* libDirs;
  char* unitDirs;
  char* cFlags;
  char* asmFlags;
  char* linkFlags;
  char* pasFlags;
  uint16_t cardType;  // BoardTypeCode; written only
  uint16_t cardNumber;
  uint16_t cardInterface;  // 0 = A, 1 = B
  uint16_t pcPort;         // 0 = host interface, n = COMn
  uint32_t baudRate;
  uint16_t debuggeeNum;
  uint16_t kernelNum;
  char* insFile;
  char* toolDir;
  char* makeCommand;
  char* compiler;
  char* pascalCompiler;
  char* assembler;
  char* linker;
  char* objSuffix;
  char* kernelDir;
  char* exeFile;
  uint16_t cardClass;  // CardClass: 1 QJ, 2 T-Rail, 0 no board
};

// Copies `text` into a record buffer: at most 255 characters, terminated.
// A null buffer is left alone.
void CopySettingText(char* buffer, const char* text);

extern "C" {
// Shows the settings dialog for `current`; 1 when the user pressed OK.
// `*defaultsSet` becomes 1 when "Set As Default" wrote `defaults`.
__attribute__((visibility("default"))) int ProjectSettings(ProjectSettingsData* current, int* defaultsSet,
                                                           ProjectSettingsData* defaults, int noBoardPages,
                                                           HWND parent);
}
using ProjectSettingsProc = int (*)(ProjectSettingsData*, int*, ProjectSettingsData*, int, HWND);
