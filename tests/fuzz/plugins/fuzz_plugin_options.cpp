// Any bytes as the option strings of a project file, through the pages of
// both plug-ins and back: the written strings fit their buffers, and
// once written they read back to the same strings.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sys/msgbox.h"
#include "plugins/gnuopt/gnu_pages.h"
#include "plugins/tbcopt/tbc_pages.h"
#include "plugins/common/settings_tree_dialog.h"

namespace {

struct FuzzRecord {
  char text[17][kSettingsTextSize] = {};
  ProjectSettingsData data{};
  FuzzRecord() {
    char** fields[] = {&data.incDirs,   &data.libDirs,     &data.unitDirs,  &data.cFlags,
                       &data.asmFlags,  &data.linkFlags,   &data.pasFlags,  &data.insFile,
                       &data.toolDir,   &data.makeCommand, &data.compiler,  &data.pascalCompiler,
                       &data.assembler, &data.linker,      &data.objSuffix, &data.kernelDir,
                       &data.exeFile};
    for (size_t i = 0; i < 17; ++i) *fields[i] = text[i];
  }
};

void FuzzRoundTrip(const PluginTables& table, FuzzRecord& r) {
  CSettingsTreeDialog dialog(table, BoardPages::kLeftOut, nullptr);
  dialog.LoadSettings(r.data);
  dialog.WriteSettings(&r.data);
}

bool FuzzFitsBuffer(const char* text) { return std::memchr(text, '\0', kSettingsTextSize) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    plat::SetMessageBoxHandler([](const plat::MessageBoxRecord&) { return IDOK; });
    return true;
  }();
  (void)quiet;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const PluginTables* table : {&GnuOptPlugin(), &TbcOptPlugin()}) {
    FuzzRecord r;
    for (char* field : {r.data.cFlags, r.data.asmFlags, r.data.linkFlags, r.data.incDirs})
      CopySettingText(field, bytes.c_str());
    // The first round puts the switches in the pages' order; from then on
    // what was written reads back to the same strings.
    for (int round = 0; round < 2; ++round) {
      FuzzRoundTrip(*table, r);
      for (const char* field : {r.data.cFlags, r.data.asmFlags, r.data.linkFlags})
        if (!FuzzFitsBuffer(field)) std::abort();
    }
    const std::string written[3] = {r.data.cFlags, r.data.asmFlags, r.data.linkFlags};
    FuzzRoundTrip(*table, r);
    const char* again[3] = {r.data.cFlags, r.data.asmFlags, r.data.linkFlags};
    for (int i = 0; i < 3; ++i)
      if (!FuzzFitsBuffer(again[i]) || written[i] != again[i]) std::abort();
  }
  return 0;
}
