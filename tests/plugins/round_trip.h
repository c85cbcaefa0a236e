// Moves a record through a plug-in's pages without showing the dialog, as
// ProjectSettings does around it.
#pragma once

#include <string>

#include "plugins/common/settings_tree_dialog.h"
#include "tests/plugins/settings_record.h"

namespace plugins_test {

enum class Flags { kCompiler, kAssembler, kLinker };

struct RoundTripCase {
  const char* what;
  Flags flags;
  const char* input;
  const char* expected;
  const char* includes = "";
};

inline char* FlagsField(ProjectSettingsData& d, Flags f) {
  return f == Flags::kCompiler ? d.cFlags : f == Flags::kAssembler ? d.asmFlags : d.linkFlags;
}

// Loads the record into a fresh dialog's pages and writes them back.
inline void RoundTrip(const PluginSpec& spec, SettingsRecord& r, BoardPages boards = BoardPages::kShown) {
  CSettingsTreeDialog dialog(spec, boards, nullptr);
  dialog.LoadSettings(r.data);
  dialog.WriteSettings(&r.data);
}

inline void ExpectRoundTrips(const PluginSpec& spec, const RoundTripCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const RoundTripCase& c = cases[i];
    SCOPED_TRACE(c.what);
    SettingsRecord r;
    SettingsRecord::Set(FlagsField(r.data, c.flags), c.input);
    SettingsRecord::Set(r.data.incDirs, c.includes);
    RoundTrip(spec, r);
    EXPECT_STREQ(FlagsField(r.data, c.flags), c.expected);
    // What was written reads back to the same switches.
    RoundTrip(spec, r);
    EXPECT_STREQ(FlagsField(r.data, c.flags), c.expected);
  }
}

}  // namespace plugins_test
