// Process-wide settings of the board software, read from the registry
// when the library loads.
#pragma once
#include "platform/base/windef.h"

namespace ytn1 {

constexpr int kFolderBufferSize = 300;
constexpr const char* kRootKey = "SOFTWARE\\KALVEN\\YTN32";
constexpr const char* kSettingsKey = "SOFTWARE\\KALVEN\\YTN32\\SETTINGS";
constexpr const char* kTRailKey = "SOFTWARE\\KALVEN\\YTN32\\TRAIL";

struct SettingsState {
  char ytn32Path[kFolderBufferSize];
  char mddPath[kFolderBufferSize];
  char insPath[kFolderBufferSize];
  WORD tRailTimeout;
  WORD userMode;
};

SettingsState& Settings();
// Defaults, then the stored values; creates the keys, writes no value.
void LibraryStartup();

}  // namespace ytn1
