// The shell's pure rules: compiler messages, command states, where an
// added file goes, placement texts and the pending build line.
#include <gtest/gtest.h>

#include <string>

#include "app/command_ids.h"
#include "app/command_rules.h"
#include "app/compiler_message.h"
#include "app/core/project_data.h"
#include "app/output_control_bar.h"
#include "app/placement_text.h"
#include "app/project_file_route.h"

namespace {

struct MessageCase {
  const char* line;
  WORD kind;
  bool found;
  const char* file;
  int lineNumber;
};

constexpr MessageCase kMessageCases[] = {
    {"Error main.c 12: Undefined symbol 'x' in function main", kProjectKindMake, true, "main.c", 12},
    {"Warning io.c 7: Possible use of 'p' before definition", kProjectKindMake, true, "io.c", 7},
    {"main.c:15: warning: unused variable 'i'", kProjectKindMake, true, "main.c", 15},
    {"main.c:15: parse error before ';'", kProjectKindMake, true, "main.c", 15},
    {"main.c:15:5: error: expected ';' before '}' token", kProjectKindMake, true, "main.c", 15},
    {"C:\\src\\main.c:15: warning: x", kProjectKindMake, false, "C", 0},
    {"make: *** [all] Error 1", kProjectKindMake, false, "", 0},
    {"Error", kProjectKindMake, false, "", 0},
    {"Error main.c", kProjectKindMake, false, "main.c", 0},
    {"Error main.c x: text", kProjectKindMake, false, "main.c", 0},
    {"gcc -c main.c", kProjectKindMake, false, "", 0},
    {"demo.pas(12): Error 3: Unknown identifier", kProjectKindPascal, true, "demo.pas", 12},
    {"Error demo.pas(12): text", kProjectKindPascal, false, "", 0},
    {"demo.pas: Error without a line", kProjectKindPascal, false, "", 0},
    {"main.c:15: parse error", 0, false, "", 0},
};

TEST(CompilerMessage, TheMessagesOfEachToolchainNameTheirFileAndLine) {
  for (const MessageCase& c : kMessageCases) {
    CompilerMessageLocation where;
    bool found = ParseCompilerMessage(c.line, c.kind, where);
    EXPECT_EQ(found, c.found) << c.line;
    if (c.found) {
      EXPECT_EQ(where.file, c.file) << c.line;
      EXPECT_EQ(where.line, c.lineNumber) << c.line;
    }
  }
}

// Shorthands of the rule table below.
constexpr int kOff = 0, kOn = 1, kAny = -1;

struct RuleCase {
  const char* situation;
  UINT id;
  int enabled;
  int checked;  // kAny: left alone
};

CommandContext RuleContext(const char* situation) {
  CommandContext c;
  std::string s = situation;
  c.project = s.find("project") != std::string::npos;
  c.session = s.find("session") != std::string::npos;
  c.debugger = c.session;
  c.running = s.find("running") != std::string::npos;
  c.breakFlag = s.find("break") != std::string::npos;
  c.breakpointsAllowed = s.find("allowed") != std::string::npos;
  if (s.find("source") != std::string::npos) c.view = ActiveViewKind::kSource;
  if (s.find("disassembly") != std::string::npos) c.view = ActiveViewKind::kOther;
  c.callStackBarVisible = c.variableBarVisible = c.registersBarVisible = s.find("bars") != std::string::npos;
  c.disassemblyOpen = s.find("disassembly") != std::string::npos;
  c.outputBarVisible = true;
  return c;
}

const RuleCase kRuleCases[] = {
    {"", ID_PROJECT_MAKE, kOff, kAny},
    {"", ID_PROJECT_BUILD_ALL, kOff, kAny},
    {"", ID_PROJECT_INSTALL, kOff, kAny},
    {"", ID_PROJECT_SETTINGS, kOff, kAny},
    {"", ID_PROJECT_CLOSE, kOff, kAny},
    {"", ID_PROJECT_INSERT_FILE, kOff, kAny},
    {"", ID_VIEW_PROJECT_TREE, kOff, kOff},
    {"", ID_PROJECT_NEW, kOn, kAny},
    {"", ID_PROJECT_OPEN, kOn, kAny},
    {"", ID_RECENT_PROJECT_FIRST, kOn, kAny},
    {"project", ID_RECENT_PROJECT_LAST, kOff, kAny},
    {"project", ID_PROJECT_NEW, kOff, kAny},
    {"project", ID_PROJECT_INSTALL, kOn, kAny},
    {"project session", ID_PROJECT_INSTALL, kOff, kAny},
    {"", ID_DEBUG_GO, kOn, kAny},
    {"", ID_DEBUG_TRACE_INTO, kOn, kAny},
    {"", ID_DEBUG_STEP_OVER, kOn, kAny},
    {"", ID_DEBUG_STEP_OUT, kOff, kAny},
    {"", ID_DEBUG_RESET, kOff, kAny},
    {"", ID_DEBUG_BREAK, kOff, kAny},
    {"", ID_DEBUG_START, kOn, kAny},
    {"session", ID_DEBUG_START, kOff, kAny},
    {"session running break source", ID_DEBUG_GO, kOff, kAny},
    {"session running break source", ID_DEBUG_STEP_OVER, kOff, kAny},
    {"session running break source", ID_DEBUG_TRACE_INTO, kOff, kAny},
    {"session running break source", ID_DEBUG_STEP_OUT, kOff, kAny},
    {"session running break source", ID_DEBUG_RESET, kOff, kAny},
    {"session running break source", ID_DEBUG_SET_IP, kOff, kAny},
    {"session running break", ID_DEBUG_BREAK, kOn, kAny},
    {"session running", ID_DEBUG_BREAK, kOff, kAny},
    {"session source", ID_DEBUG_SET_IP, kOn, kAny},
    {"session", ID_DEBUG_SET_IP, kOff, kAny},
    {"source", ID_DEBUG_RUN_TO_CURSOR, kOn, kAny},
    {"", ID_DEBUG_RUN_TO_CURSOR, kOff, kAny},
    {"session running source", ID_DEBUG_RUN_TO_CURSOR, kOff, kAny},
    {"project source", ID_DEBUG_TOGGLE_BREAKPOINT, kOn, kAny},
    {"source", ID_DEBUG_TOGGLE_BREAKPOINT, kOff, kAny},
    {"project session source", ID_DEBUG_TOGGLE_BREAKPOINT, kOff, kAny},
    {"project session allowed source", ID_DEBUG_EDIT_BREAKPOINTS, kOn, kAny},
    {"", ID_DEBUG_NOTHING, kOff, kAny},
    {"", ID_VIEW_CALLSTACK, kOff, kOff},
    {"bars", ID_VIEW_CALLSTACK, kOff, kOff},
    {"session bars", ID_VIEW_CALLSTACK, kOn, kOn},
    {"session bars", ID_VIEW_REGISTERS, kOn, kOn},
    {"session bars", ID_VIEW_VARIABLES, kOn, kOn},
    {"session", ID_VIEW_VARIABLES, kOn, kOff},
    {"session disassembly", ID_VIEW_DISASSEMBLY, kOn, kOn},
    {"session", ID_VIEW_MEMORY, kOn, kAny},
    {"", ID_VIEW_MEMORY, kOff, kAny},
    {"", ID_VIEW_OUTPUT, kOn, kOn},
    {"", ID_HELP_MIRT, kOn, kAny},
    {"source", ID_FILE_SAVE, kOn, kAny},
    {"disassembly", ID_FILE_SAVE, kOff, kAny},
    {"disassembly", ID_FILE_SAVE_AS, kOff, kAny},
    {"disassembly", ID_FILE_PRINT, kOff, kAny},
    {"disassembly", ID_FILE_PRINT_PREVIEW, kOff, kAny},
    {"disassembly", ID_FILE_PAGE_SETUP, kOff, kAny},
    {"", ID_INDICATOR_LINE, kOn, kAny},
};

TEST(CommandRules, EachCommandIsEnabledAndCheckedAsItsSituationSays) {
  for (const RuleCase& c : kRuleCases) {
    CommandState state = CommandStateFor(c.id, RuleContext(c.situation));
    ASSERT_TRUE(state.known) << c.id;
    EXPECT_EQ(state.enabled, c.enabled == kOn) << c.id << " in '" << c.situation << "'";
    if (c.checked == kAny)
      EXPECT_EQ(state.check, CommandCheck::kUntouched) << c.id;
    else
      EXPECT_EQ(state.check, c.checked == kOn ? CommandCheck::kChecked : CommandCheck::kUnchecked) << c.id;
  }
}

TEST(CommandRules, CommandsOfOthersAreLeftToThem) {
  constexpr UINT kSomeoneElsesCommand = ID_EDIT_FIND;
  EXPECT_FALSE(CommandStateFor(kSomeoneElsesCommand, CommandContext()).known);
}

struct RouteCase {
  const char* path;
  const char* libDirs;
  ProjectFileGroup group;
  const char* name;
};

constexpr const char* kRouteProjectDir = "/work/demo";

const RouteCase kRouteCases[] = {
    {"/work/demo/main.c", "", ProjectFileGroup::kSource, "main.c"},
    {"/work/demo/src/io.CPP", "", ProjectFileGroup::kSource, "src/io.CPP"},
    {"/work/demo/unit.pas", "", ProjectFileGroup::kSource, "unit.pas"},
    {"/work/demo/start.asm", "", ProjectFileGroup::kSource, "start.asm"},
    {"/work/demo/boot.S", "", ProjectFileGroup::kSource, "boot.S"},
    {"/work/demo/defs.h", "", ProjectFileGroup::kHeader, "defs.h"},
    {"/work/demo/demo.ins", "", ProjectFileGroup::kInstallation, "demo.ins"},
    {"/work/demo/sub/x.LIB", "sub;lib", ProjectFileGroup::kLibrary, "x.LIB"},
    {"/work/demo/sub/x.LIB", "lib", ProjectFileGroup::kLibrary, "sub/x.LIB"},
    {"/work/demo/SUB/x.lib", "lib;sub", ProjectFileGroup::kLibrary, "x.lib"},
    {"/work/demo/x.o", "", ProjectFileGroup::kObject, "x.o"},
    {"/work/demo/Makefile", "", ProjectFileGroup::kObject, "Makefile"},
    {"/elsewhere/lib/m.lib", "/elsewhere/lib", ProjectFileGroup::kLibrary, "m.lib"},
};

TEST(ProjectFileRoute, EachFileGoesToTheListOfItsExtension) {
  for (const RouteCase& c : kRouteCases) {
    ProjectFileRoute route = RouteProjectFile(c.path, kRouteProjectDir, c.libDirs);
    EXPECT_EQ(route.group, c.group) << c.path;
    EXPECT_EQ(route.name, c.name) << c.path;
  }
}

TEST(PlacementText, RectanglesReadFromTheirFixedColumns) {
  constexpr auto kText = "0010 0020 0810 0620";
  RECT rect{};
  ASSERT_TRUE(ParsePlacementRect(kText, rect));
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right - rect.left, 800);
  EXPECT_EQ(rect.bottom - rect.top, 600);
  EXPECT_EQ(std::string(FormatPlacementRect(rect)), kText);
  EXPECT_FALSE(ParsePlacementRect("", rect));
  RECT cut{};
  ASSERT_TRUE(ParsePlacementRect("0001 0002", cut)) << "a cut text reads its missing numbers as 0";
  EXPECT_EQ(cut.top, 2);
  EXPECT_EQ(cut.right, 0);
  EXPECT_EQ(cut.bottom, 0);
}

TEST(OutputBar, ALineWrittenInTwoPiecesAppearsOnceItIsComplete) {
  COutputControlBar bar;
  bar.AppendBuildText("gcc -c ma");
  EXPECT_EQ(bar.GetBuildPane().GetStoredText(), "");
  bar.AppendBuildText("in.c\n");
  EXPECT_EQ(bar.GetBuildPane().GetStoredText(), "gcc -c main.c\r\n");
  EXPECT_EQ(bar.GetPendingBuildText(), "");
  bar.AppendBuildText("ok\r\n");
  EXPECT_EQ(bar.GetBuildPane().GetStoredText(), "gcc -c main.c\r\nok\r\n")
      << "a CR LF line end is one line end";
}

TEST(OutputBar, ClearingTheBuildPaneDropsAPieceWaitingForItsLineFeed) {
  COutputControlBar bar;
  bar.AppendBuildText("(gdb) ");
  bar.ClearBuild();
  bar.AppendBuildText("gcc -c main.c\n");
  EXPECT_EQ(bar.GetBuildPane().GetStoredText(), "gcc -c main.c\r\n");
}

TEST(TextDisplay, AppendedTextEndsALineAndItsLineFeedsBecomeLineEnds) {
  CTextDisplay display;
  display.AppendText("a\nb");
  EXPECT_EQ(display.GetStoredText(), "a\r\nb\r\n");
  display.AppendText("");
  EXPECT_EQ(display.GetStoredText(), "a\r\nb\r\n\r\n");
  display.Clear();
  EXPECT_EQ(display.GetStoredText(), "");
}

}  // namespace
