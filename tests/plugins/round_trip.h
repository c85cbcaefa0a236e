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
inline void RoundTrip(const PluginTables& table, SettingsRecord& r, BoardPages boards = BoardPages::kShown) {
  CSettingsTreeDialog dialog(table, boards, nullptr);
  dialog.LoadSettings(r.data);
  dialog.WriteSettings(&r.data);
}

inline void ExpectRoundTrips(const PluginTables& table, const RoundTripCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const RoundTripCase& c = cases[i];
    SCOPED_TRACE(c.what);
    SettingsRecord r;
    SettingsRecord::Set(FlagsField(r.data, c.flags), c.input);
    SettingsRecord::Set(r.data.incDirs, c.includes);
    RoundTrip(table, r);
    EXPECT_STREQ(FlagsField(r.data, c.flags), c.expected);
    // What was written reads back to the same switches.
    RoundTrip(table, r);
    EXPECT_STREQ(FlagsField(r.data, c.flags), c.expected);
  }
}

// A dialog whose three option strings are all `options`.
inline void LoadAllFlags(CSettingsTreeDialog& dialog, const char* options) {
  SettingsRecord r;
  for (char* f : {r.data.cFlags, r.data.asmFlags, r.data.linkFlags}) SettingsRecord::Set(f, options);
  dialog.LoadSettings(r.data);
}

// What a page shows after reading `options`: a number (check box, radio
// group) or a text.
struct PageValueCase {
  const char* what;
  const char* options;
  int templateId;
  int member;
  int expected;
};
struct PageTextCase {
  const char* what;
  const char* options;
  int templateId;
  int member;
  const char* expected;
};

template <class Case, class Check>
void ForEachLoadedPage(const PluginTables& table, const Case* cases, size_t count, Check check) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(cases[i].what);
    CSettingsTreeDialog dialog(table, BoardPages::kShown, nullptr);
    LoadAllFlags(dialog, cases[i].options);
    COptionPage* page = dialog.OptionPage(cases[i].templateId);
    ASSERT_NE(page, nullptr);
    check(cases[i], page->Values());
  }
}

inline void ExpectPageValues(const PluginTables& table, const PageValueCase* cases, size_t count) {
  ForEachLoadedPage(table, cases, count, [](const PageValueCase& c, const OptionValues& v) {
    EXPECT_EQ(v.num[static_cast<size_t>(c.member)], c.expected);
  });
}

inline void ExpectPageTexts(const PluginTables& table, const PageTextCase* cases, size_t count) {
  ForEachLoadedPage(table, cases, count, [](const PageTextCase& c, const OptionValues& v) {
    EXPECT_EQ(v.text[static_cast<size_t>(c.member)].str(), c.expected);
  });
}

}  // namespace plugins_test
