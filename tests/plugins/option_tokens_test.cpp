// The token functions, the include switches and the record's text rule.
#include <gtest/gtest.h>

#include <string>

#include "plugins/common/directory_dialog.h"
#include "plugins/common/option_tokens.h"
#include "plugins/common/project_settings_data.h"

namespace {

enum class Finder { kToken, kValue, kAssigned };

struct TokenCase {
  const char* what;
  Finder finder;
  const char* options;
  const char* option;
  int position;  // -1: not found
  const char* value;
};

constexpr TokenCase kTokenCases[] = {
    {"empty text", Finder::kToken, "", "-g", -1, ""},
    {"only a longer switch", Finder::kToken, "-g3 ", "-g", -1, ""},
    {"second place after the longer one", Finder::kToken, "-g3 -g", "-g", 4, ""},
    {"followed by a blank", Finder::kToken, "-Wall ", "-Wall", 0, ""},
    {"letter case counts", Finder::kToken, "-wall ", "-Wall", -1, ""},
    {"value glued to the switch", Finder::kValue, "-DFOO -DBAR=1 ", "-D", 2, "FOO"},
    {"value at the very end", Finder::kValue, "-c -DEND", "-D", 5, "END"},
    {"bare, blank or = after every -D", Finder::kValue, "-D -D=1 -D", "-D", -1, ""},
    {"inside another switch", Finder::kValue, "--warn-once -wamb", "-w", 14, "amb"},
    {"token inside another switch", Finder::kToken, "x-g -g", "-g", 4, ""},
    {"assigned value", Finder::kAssigned, "/P /P=4096 ", "/P", 6, "4096"},
    {"assigned value at the end", Finder::kAssigned, "/A=16", "/A", 3, "16"},
    {"no = after the switch", Finder::kAssigned, "/P4096 ", "/P", -1, ""},
};

TEST(OptionTokens, FindsSwitchesAndValues) {
  for (const TokenCase& c : kTokenCases) {
    SCOPED_TRACE(c.what);
    uint16_t len = 0;
    const char* p = c.finder == Finder::kToken   ? FindOptionToken(c.options, c.option)
                    : c.finder == Finder::kValue ? FindOptionValue(c.options, c.option, &len)
                                                 : FindOptionAssignedValue(c.options, c.option, &len);
    if (c.position < 0) {
      EXPECT_EQ(p, nullptr);
      continue;
    }
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p - c.options, c.position);
    if (c.finder != Finder::kToken) EXPECT_EQ(std::string(p, len), c.value);
  }
}

TEST(OptionTokens, ValueSearchContinuesFromTheLastValue) {
  constexpr auto kDefines = "-DFOO -DBAR=1 ";
  uint16_t len = 0;
  const char* first = FindOptionValue(kDefines, "-D", &len);
  const char* second = FindOptionValue(first, "-D", &len);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(std::string(second, len), "BAR=1");
  EXPECT_EQ(FindOptionValue(second, "-D", &len), nullptr);
}

TEST(IncludeOptions, OneSwitchPerFolder) {
  struct Case {
    const char* prefix;
    const char* includes;
    const char* expected;
  };
  constexpr Case kCases[] = {
      {"-I", "", ""},
      {"-I", "inc", "-Iinc "},
      {"-I", "inc;..\\common", "-Iinc -I..\\common "},
      {"/i", "a;b;", "/ia /ib /i "},
  };
  for (const Case& c : kCases) {
    CDirectoryDialog page(PascalFields::kHidden, c.prefix);
    page.m_includes = c.includes;
    EXPECT_EQ(std::string(page.BuildIncludeOptions()), c.expected) << c.includes;
  }
}

TEST(SettingsText, CutTo255AndTerminated) {
  constexpr size_t kLongText = 300;
  char buffer[kSettingsTextSize];
  std::memset(buffer, 'x', sizeof buffer);
  CopySettingText(buffer, std::string(kLongText, 'a').c_str());
  EXPECT_EQ(std::string(buffer), std::string(kSettingsTextSize - 1, 'a'));
  CopySettingText(buffer, "short");
  EXPECT_STREQ(buffer, "short");
  CopySettingText(nullptr, "ignored");  // a missing buffer is left alone
}

}  // namespace
