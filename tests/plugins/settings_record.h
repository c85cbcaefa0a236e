// A ProjectSettingsData with its own 256-byte text buffers, as the IDE
// hands it to a settings plug-in.
#pragma once

#include <array>
#include <cstring>
#include <string>

#include "plugins/common/project_settings_data.h"

namespace plugins_test {

class SettingsRecord {
 public:
  SettingsRecord() {
    char** fields[] = {&data.incDirs,   &data.libDirs,     &data.unitDirs,  &data.cFlags,
                       &data.asmFlags,  &data.linkFlags,   &data.pasFlags,  &data.insFile,
                       &data.toolDir,   &data.makeCommand, &data.compiler,  &data.pascalCompiler,
                       &data.assembler, &data.linker,      &data.objSuffix, &data.kernelDir,
                       &data.exeFile};
    for (size_t i = 0; i < std::size(fields); ++i) *fields[i] = buffers_[i].data();
  }
  SettingsRecord(const SettingsRecord&) = delete;
  SettingsRecord& operator=(const SettingsRecord&) = delete;

  // Fills every text field with `text` (cut as the IDE would not).
  void FillTexts(const char* text) {
    for (auto& b : buffers_) std::snprintf(b.data(), b.size(), "%s", text);
  }
  static void Set(char* field, const std::string& text) {
    std::snprintf(field, kSettingsTextSize, "%s", text.c_str());
  }

  ProjectSettingsData data{};

 private:
  std::array<std::array<char, kSettingsTextSize>, 17> buffers_{};
};

}  // namespace plugins_test
