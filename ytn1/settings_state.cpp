#include "ytn1/settings_state.h"

#include <cstring>

#include "platform/sys/registry.h"
#include "ytn1/error_reporting.h"
#include "ytn1/srq_table.h"
#include "ytn1/ytn1.h"

namespace ytn1 {

namespace {

constexpr int kReadBufferSize = 201;

// What the settings are before anything is read from the registry.
const SettingsState kDefaults{"\\", "\\driver\\", "", 10, 0};

// Copies a folder text into a state buffer, cut so that it stays terminated.
void Store(char* dest, const char* text) {
  std::strncpy(dest, text ? text : "", kFolderBufferSize - 1);
  dest[kFolderBufferSize - 1] = 0;
}

void ReadFolder(HKEY key, const char* name, char* dest) {
  char buffer[kReadBufferSize] = {};
  if (ReadRegString(key, name, buffer)) Store(dest, buffer);
}

// Copies at most 300 characters and zero-fills the rest of the caller's
// 300 characters; the text always ends inside the buffer.
LPSTR Hand(LPSTR dest, const char* source) {
  std::memset(dest, 0, kFolderBufferSize);
  std::strncpy(dest, source, kFolderBufferSize - 1);
  return dest;
}

LONG StoreAndWrite(char* state, LPCSTR folder, const char* key, const char* value) {
  Store(state, folder);
  HKEY h = nullptr;
  if (!CreateReg(key, &h)) return 0;
  // 1 only when the value was written and the key closed.
  int written = WriteRegString(h, value, state);
  return written && RegCloseKey(h) == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace

SettingsState& Settings() {
  static SettingsState state = kDefaults;
  return state;
}

void LibraryStartup() {
  SrqTableReset();
  ErrorReportingStartup();
  SettingsState& s = Settings();
  s = kDefaults;

  HKEY key = nullptr;
  if (CreateReg(kRootKey, &key)) {
    ReadFolder(key, "path", s.ytn32Path);
    RegCloseKey(key);
  }
  if (RegOpenKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    ReadFolder(key, "mdd_path", s.mddPath);
    RegCloseKey(key);
  }
  if (CreateReg(kSettingsKey, &key)) {
    ReadFolder(key, "ins_file_path", s.insPath);
    RegCloseKey(key);
  }
  if (CreateReg(kTRailKey, &key)) {
    DWORD timeout = 0;
    if (ReadRegDword(key, "timeout", &timeout)) s.tRailTimeout = WORD(timeout);
    RegCloseKey(key);
  }
}

namespace {
// Runs the start-up when the library is loaded.
struct LoadTimeStartup {
  LoadTimeStartup() { LibraryStartup(); }
} g_startup;
}  // namespace

}  // namespace ytn1

using ytn1::Settings;

extern "C" {

LPSTR WINAPI GetYtn32Path(LPSTR dest) { return ytn1::Hand(dest, Settings().ytn32Path); }
LPSTR WINAPI GetMddPath(LPSTR dest) { return ytn1::Hand(dest, Settings().mddPath); }
LPSTR WINAPI GetInsPath(LPSTR dest) { return ytn1::Hand(dest, Settings().insPath); }

LONG WINAPI SetYtn32Path(LPCSTR folder) {
  return ytn1::StoreAndWrite(Settings().ytn32Path, folder, ytn1::kRootKey, "path");
}
LONG WINAPI SetMddPath(LPCSTR folder) {
  return ytn1::StoreAndWrite(Settings().mddPath, folder, ytn1::kSettingsKey, "mdd_path");
}
LONG WINAPI SetInsPath(LPCSTR folder) {
  return ytn1::StoreAndWrite(Settings().insPath, folder, ytn1::kSettingsKey, "ins_file_path");
}

WORD WINAPI GetTRailTimeout(void) { return Settings().tRailTimeout; }
WORD WINAPI SetTRailTimeout(WORD timeout) { return Settings().tRailTimeout = timeout; }
WORD WINAPI GetUserMode(void) { return Settings().userMode; }
WORD WINAPI SetUserMode(WORD mode) { return Settings().userMode = mode; }

}  // extern "C"
