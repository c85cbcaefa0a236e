// Journey: a host project from start to end. A new project for this
// machine's gcc; a program with an error typed into its main source; Make
// fails, a double click on the error in the Build pane brings the editor to
// its line, the fix is typed there and Make succeeds; a breakpoint, Debug >
// Start Debugging starts gdb and Go runs to it, two steps over, a watch
// shows the value; the session ends, the source is saved and the IDE closed
// saving the project; the next start brings back the project and its open
// file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>

#include "tests/app_project/real_ide.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::BuildPaneLines;
using real_ide::BuildPaneLineWith;
using real_ide::BuildPaneText;
using real_ide::DocumentShown;
using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::Reported;
using real_ide::ScreenRect;
using real_ide::Shows;
using real_ide::WindowManager;

constexpr auto kName = "demo", kRoot = "demo.elf", kSource = "demo.c";
constexpr auto kProjectSources = "SOURCEFILES=demo.c";
// The program as typed: line 5 uses a name nobody declared.
constexpr auto kTypedProgram =
    "int main(void)\n"
    "{\n"
    "int total = 0;\n"
    "total = total + 1;\n"
    "total = total + missing;\n"
    "total = total + 2;\n"
    "return total;\n"
    "}";
constexpr auto kFixedProgram =
    "int main(void)\n"
    "{\n"
    "int total = 0;\n"
    "total = total + 1;\n"
    "total = total + 1;\n"
    "total = total + 2;\n"
    "return total;\n"
    "}\n";
constexpr int kFirstLine = 1, kErrorLine = 5, kBreakLine = 4, kAfterTwoSteps = 6;
constexpr auto kErrorAt = "demo.c:5:";
constexpr auto kWrongEnd = "missing;", kRightEnd = "1;";
// At line 6 the two additions of one have run.
constexpr auto kWatchName = "total", kWatchShown = "total=2";
constexpr int kDebugWaitMs = 20000;

std::string HostJourneyLine(int n) { return std::to_string(n); }

// The condition: the editor has the keys and its caret on line `n`.
std::function<bool(const ProgramState&)> HostJourneyCaretOn(int n) {
  return [n](const ProgramState& p) {
    return real_ide::HasValue(p, "source-caret-line", HostJourneyLine(n)) &&
           real_ide::HasValue(p, "source-has-keys", "1");
  };
}

// Clicks the middle of source line `n` until the caret is on it.
bool HostJourneyClickLine(RealIde& ide, int n) {
  ScreenRect row;
  if (!Reported(ide.Display().Sync(), "source-line", HostJourneyLine(n), row)) {
    ADD_FAILURE() << "line " << n << " is not shown";
    return false;
  }
  if (!ide.ClickUntil(row, HostJourneyCaretOn(n))) return false;
  RealDisplay& display = ide.Display();
  const unsigned long main = ide.MainWindow();
  display.WaitFor([&display, main](const ProgramState&) { return display.HasInputFocus(main); },
                  "the keyboard in the main window");
  return true;
}

class HostProjectJourney : public ::testing::TestWithParam<WindowManager> {
 protected:
  std::string Picture(const std::string& name) const {
    return "journey_host_" + name + (GetParam() == WindowManager::kNone ? "" : "_openbox");
  }
};

TEST_P(HostProjectJourney, TypeBuildFixDebugSaveAndRestart) {
  real_ide::FreshConfigFolder config("hostjourney");
  const std::string folder = mirt_test::MakeTempDir("hostjourney");
  const std::string projectFolder = folder + "/" + kName;
  ASSERT_EQ(mkdir(projectFolder.c_str(), 0755), 0);
  const std::string source = mirt_test::WriteFile(projectFolder + "/" + kSource, "");

  RealIde ide(GetParam());
  ASSERT_TRUE(ide.Start());
  RealDisplay& display = ide.Display();
  ASSERT_TRUE(ide.NewHostProject(folder, kName));
  ASSERT_TRUE(ide.OpenFromProjectTree(kRoot, kSource));

  // The program goes into the editor key by key.
  ASSERT_TRUE(HostJourneyClickLine(ide, kFirstLine));
  display.Type(kTypedProgram);
  display.Sync();
  display.SavePicture(Picture("typed"));

  ProgramState s = ide.Make();
  // Make saved the source first; its last line ends as every line does.
  EXPECT_EQ(mirt_test::ReadFile(source), std::string(kTypedProgram) + "\n");
  const std::string error = BuildPaneLineWith(s, kErrorAt);
  ASSERT_NE(error, "") << BuildPaneLines(s);
  EXPECT_EQ(BuildPaneText(s).find("successfully"), std::string::npos) << BuildPaneLines(s);

  // A double click on the error: the editor's caret goes to its line.
  ASSERT_TRUE(ide.OpenBuildMessage(kErrorAt, Shows("source-caret-line", HostJourneyLine(kErrorLine))))
      << error;
  display.SavePicture(Picture("error_opened"));

  ASSERT_TRUE(HostJourneyClickLine(ide, kErrorLine));
  display.Key("End");
  for (size_t i = 0; i < std::string(kWrongEnd).size(); ++i) display.Key("BackSpace");
  display.Type(kRightEnd);
  display.Sync();
  display.SavePicture(Picture("fixed"));
  s = ide.Make();
  EXPECT_NE(BuildPaneText(s).find("Build terminated successfully"), std::string::npos) << BuildPaneText(s);
  EXPECT_EQ(mirt_test::ReadFile(source), kFixedProgram);

  // A breakpoint on line 4, gdb runs to it, two steps over reach line 6.
  // The caret goes up from the fixed line (the line may lie above a small
  // editor's window).
  display.Key("Up");
  display.WaitFor(HostJourneyCaretOn(kBreakLine), "the caret on the breakpoint's line");
  display.Key("F9");
  display.WaitFor(Shows("source-breakpoint-line", HostJourneyLine(kBreakLine)), "the breakpoint mark");
  display.Key("alt+d");
  display.Key("Return");  // Start Debugging, the menu's first item: gdb waits
  display.WaitFor(Shows("debug-session", "1"), "the session", kDebugWaitMs);
  display.Key("F5");
  display.WaitFor(Shows("source-execution-line", HostJourneyLine(kBreakLine)), "the stop at the breakpoint",
                  kDebugWaitMs);
  display.Key("F10");
  display.WaitFor(Shows("source-execution-line", HostJourneyLine(kBreakLine + 1)), "the first step",
                  kDebugWaitMs);
  display.Key("F10");
  display.WaitFor(Shows("source-execution-line", HostJourneyLine(kAfterTwoSteps)), "the second step",
                  kDebugWaitMs);
  ide.WatchExpression(kWatchName);
  display.WaitFor(Shows("watch", kWatchShown), "the watch's value", kDebugWaitMs);
  display.SavePicture(Picture("debugging"));

  display.Key("shift+F5");
  display.WaitFor(Shows("debug-session", "0"), "the end of the session", kDebugWaitMs);
  display.Key("ctrl+s");
  display.Sync();
  ide.ExitSaving();
  EXPECT_EQ(mirt_test::ReadFile(source), kFixedProgram);
  EXPECT_NE(mirt_test::ReadFile(projectFolder + "/" + kName + ".kpj").find(kProjectSources),
            std::string::npos);

  RealIde again(GetParam());
  ASSERT_TRUE(again.Start());
  s = again.Display().WaitFor(
      [](const ProgramState& p) {
        ScreenRect r;
        return DocumentShown(p, kSource) && Reported(p, "project-tree-item", kRoot, r);
      },
      "the project and its open file again", real_ide::kStartWaitMs);
  again.Display().SavePicture(Picture("restarted"));
  again.End();
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, HostProjectJourney,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
