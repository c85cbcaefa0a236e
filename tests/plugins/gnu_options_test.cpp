// The GNU plug-in's option pages: option strings through the pages and
// back, the page values they show, and the record it writes.
#include <gtest/gtest.h>

#include <string>

#include "plugins/gnuopt/gnu_pages.h"
#include "tests/plugins/round_trip.h"

namespace {

using plugins_test::Flags;
using plugins_test::PageValueCase;
using plugins_test::RoundTripCase;
using plugins_test::SettingsRecord;

constexpr RoundTripCase kGnuCases[] = {
    {"empty compiler string", Flags::kCompiler, "", "-std=gnu89 -Wall "},
    {"-S and -E: only -E", Flags::kCompiler, "-S -E", "-E -std=gnu89 -Wall "},
    {"-O2 and -Os: size", Flags::kCompiler, "-O2 -Os", "-std=gnu89 -Wall -Os "},
    {"-O0 is no optimisation", Flags::kCompiler, "-g -O0 -Wall", "-std=gnu89 -g -Wall "},
    {"-O alone is level 1", Flags::kCompiler, "-O", "-std=gnu89 -Wall -O1 "},
    {"-g3: macro expansion", Flags::kCompiler, "-g3", "-std=gnu89 -g3 -Wall "},
    {"-g alone: standard", Flags::kCompiler, "-g", "-std=gnu89 -g -Wall "},
    {"-ggdb is kept, not read", Flags::kCompiler, "-ggdb", "-std=gnu89 -Wall -ggdb "},
    {"definitions and the last standard", Flags::kCompiler, "-DA -DB=1 -std=gnu99 -ansi",
     "-DA -DB=1 -ansi -Wall "},
    {"-w wins over -pedantic", Flags::kCompiler, "-pedantic -w", "-std=gnu89 -w "},
    {"check boxes", Flags::kCompiler, "-fvtable-gc -frepo -fno-rtti -ffreestanding -fno-builtin",
     "-fno-builtin -ffreestanding -std=gnu89 -Wall -frepo -fno-rtti -fvtable-gc "},
    {"template choice, last wins", Flags::kCompiler, "-frepo -falt-external-templates",
     "-std=gnu89 -Wall -falt-external-templates "},
    {"include switches come from the folders", Flags::kCompiler, "-Iold -O1",
     "-Iinc -I..\\common -std=gnu89 -Wall -O1 ", "inc;..\\common"},
    {"a folder with a blank", Flags::kCompiler, "", "-IC:\\Program Files\\inc -std=gnu89 -Wall ",
     "C:\\Program Files\\inc"},
    {"unknown switches follow in their order", Flags::kCompiler, "-Wextra -O3 -fPIC",
     "-std=gnu89 -Wall -O3 -Wextra -fPIC "},
    {"empty assembler string", Flags::kAssembler, "", "--warn "},
    {"-al and -ah: extended", Flags::kAssembler, "-al -ah", "-ah --warn "},
    {"assembler check boxes", Flags::kAssembler, "-K --no-warn -ac -ad -f -L -R",
     "-R -L -f -ad -ac -K --no-warn "},
    {"fatal warnings", Flags::kAssembler, "--fatal-warnings", "--fatal-warnings "},
    {"assembler includes", Flags::kAssembler, "-Iold", "-Iinc --warn ", "inc"},
    {"empty linker string", Flags::kLinker, "", "-static "},
    {"--cref without -Map is dropped", Flags::kLinker, "--cref", "-static "},
    {"map file with its options", Flags::kLinker,
     "-static --warn-once -nostdlib -i --no-demangle --cref -Map Mapfile",
     "-static -i -nostdlib -Map Mapfile --no-demangle --cref --warn-once "},
    {"all linker check boxes", Flags::kLinker, "-S --sort-common --warn-common --fatal-warnings",
     "-static --sort-common -S --fatal-warnings --warn-common "},
    {"libraries are kept", Flags::kLinker, "-static -lm", "-static -lm "},
};

TEST(GnuOptions, StringsComeBackAsThePagesWriteThem) {
  plugins_test::ExpectRoundTrips(GnuOptPlugin(), kGnuCases, std::size(kGnuCases));
}

// Values the pages show for option strings.
constexpr PageValueCase kGnuPageValues[] = {
    {"output: executable", "", 140, 0, 0},
    {"source: GNU 89", "", 141, 0, 0},
    {"debugger: none", "", 142, 0, 0},
    {"warnings: all", "", 170, 0, 2},
    {"templates: default", "", 155, 0, 0},
    {"optimisation: none", "", 159, 0, 0},
    {"-S and -E: stop after preprocessor", "-S -E", 140, 0, 2},
    {"-O2 and -Os: size", "-O2 -Os", 159, 0, 4},
    {"-O0: none", "-O0", 159, 0, 0},
    {"-O: level 1", "-O", 159, 0, 1},
    {"-g3: with macro expansion", "-g3", 142, 0, 2},
    {"-g: standard", "-g", 142, 0, 1},
    {"-ggdb: none", "-ggdb", 142, 0, 0},
    {"assembler: enable warnings", "", 168, 0, 1},
    {"listing: none", "", 165, 0, 0},
    {"listing: -al and -ah extended", "-al -ah", 165, 0, 2},
    {"map file: not without -Map", "--cref", 136, 1, 0},
};

TEST(GnuOptions, PagesShowTheStoredSwitches) {
  plugins_test::ExpectPageValues(GnuOptPlugin(), kGnuPageValues, std::size(kGnuPageValues));
}

// The level chosen on the optimisation page is the last -O switch of the
// written string, which is the one gcc follows.
TEST(GnuOptions, ChosenOptimisationIsTheLastLevelWritten) {
  constexpr int kOptimisationPage = 159, kLevel3 = 3;
  constexpr auto kHostFlags = "-g -O0 -Wall -O -fPIC";
  SettingsRecord r;
  SettingsRecord::Set(r.data.cFlags, kHostFlags);
  CSettingsTreeDialog dialog(GnuOptPlugin(), BoardPages::kShown, nullptr);
  dialog.LoadSettings(r.data);
  dialog.OptionPage(kOptimisationPage)->Values().num[0] = kLevel3;
  dialog.WriteSettings(&r.data);
  const std::string written = r.data.cFlags;
  EXPECT_EQ(written, "-std=gnu89 -g -Wall -O3 -fPIC ");
  EXPECT_EQ(written.rfind(" -O"), written.find(" -O3 ")) << written;
}

TEST(GnuOptions, DefinitionsSplitAtCommasAndSemicolons) {
  constexpr auto kTyped = "A;B,C";
  CSettingsTreeDialog dialog(GnuOptPlugin(), BoardPages::kShown, nullptr);
  COptionPage* page = dialog.OptionPage(148);
  page->Values().text[0] = kTyped;
  const CString built = page->BuildOptions();
  EXPECT_EQ(built.str(), "-DA -DB -DC ");
  EXPECT_EQ(page->BuildOptions().str(), built.str());
  page->ParseOptions(built);
  EXPECT_EQ(page->Values().text[0].str(), "A,B,C");
}

TEST(GnuOptions, RecordHasNoPascalFields) {
  SettingsRecord r;
  r.FillTexts("kept");
  RoundTrip(GnuOptPlugin(), r);
  EXPECT_STREQ(r.data.unitDirs, "");
  EXPECT_STREQ(r.data.pascalCompiler, "");
  EXPECT_STREQ(r.data.pasFlags, "");
  EXPECT_STREQ(r.data.compiler, "kept");
  EXPECT_STREQ(r.data.incDirs, "kept");
}

TEST(GnuOptions, PageTreeHasTwentyTwoPages) {
  constexpr size_t kGnuPages = 22;
  EXPECT_EQ(GnuOptPlugin().pages.size(), kGnuPages);
}

}  // namespace
