// A settings plug-in for the tests: records what the IDE passed and
// answers as the test scripted through FakeSettings().
#include <cstring>
#include <string>

#include "tests/app_project/fake_settings_plugin.h"

namespace {
FakeSettingsState g_fakeSettings;
}

extern "C" __attribute__((visibility("default"))) FakeSettingsState* FakeSettings() {
  return &g_fakeSettings;
}

extern "C" __attribute__((visibility("default"))) int ProjectSettings(ProjectSettingsData* current,
                                                                      int* defaultsSet,
                                                                      ProjectSettingsData* defaults,
                                                                      int noBoardPages, HWND parent) {
  FakeSettingsState& s = g_fakeSettings;
  ++s.calls;
  s.seenNoBoardPages = noBoardPages;
  s.seenParent = parent;
  s.seenCFlags = current->cFlags;
  s.seenIncDirs = current->incDirs;
  s.seenCardNumber = current->cardNumber;
  s.seenCardClass = current->cardClass;
  s.seenBaudRate = current->baudRate;
  std::strcpy(current->cFlags, s.newCFlags.c_str());
  std::strcpy(current->insFile, s.newInsFile.c_str());
  current->cardNumber = s.newCardNumber;
  current->cardType = 0x600;
  if (s.setDefaults) {
    std::strcpy(defaults->cFlags, s.defaultCFlags.c_str());
    std::strcpy(defaults->toolDir, "/default/tools");
    std::strcpy(defaults->exeFile, "ignored.exe");
    defaults->baudRate = s.defaultBaudRate;
    defaults->cardClass = 0;
  }
  *defaultsSet = s.setDefaults;
  return s.confirm;
}
