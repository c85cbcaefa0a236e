// The test settings plug-in's script and record (fake_settings_plugin.cpp).
#pragma once

#include <string>

#include "plugins/common/project_settings_data.h"

struct FakeSettingsState {
  // Answer.
  int confirm = 1;
  int setDefaults = 0;
  std::string newCFlags = "-O2";
  std::string newInsFile = "demo.ins";
  WORD newCardNumber = 7;
  std::string defaultCFlags = "-Os";
  DWORD defaultBaudRate = 9600;
  // Record.
  int calls = 0;
  int seenNoBoardPages = -1;
  HWND seenParent = nullptr;
  std::string seenCFlags, seenIncDirs;
  WORD seenCardNumber = 0, seenCardClass = 0;
  DWORD seenBaudRate = 0;
};

using FakeSettingsProc = FakeSettingsState* (*)();
