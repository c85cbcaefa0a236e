// Project Settings under a real X server, bare and under a window manager:
// a new host project's optimisation level is chosen in the settings dialog
// with the pointer and the keys, OK takes it, and the Make button's build
// compiles with it: the switch stands in the project file, the makefile and
// the compiler's command line in the Build pane.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/app_project/real_ide.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::BuildPaneLineWith;
using real_ide::BuildPaneText;
using real_ide::Control;
using real_ide::Dialog;
using real_ide::kSettingsTitle;
using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::WindowManager;
using real_ide::WindowState;

constexpr auto kMainSource = "#include <stdio.h>\nint main(void) { puts(\"set\"); return 0; }\n";
constexpr long long kLevel3 = 1103;
// The page tree with its branches closed: General, Connection, Tools,
// Directories, C-Compiler, C++-Options, C/C++ optimizations.
constexpr int kOptimisationItemDowns = 6;
constexpr auto kLevel3Switch = " -O3 ";

class SettingsRealInput : public ::testing::TestWithParam<WindowManager> {
 protected:
  std::string Picture(const std::string& name) {
    return name + (GetParam() == WindowManager::kNone ? "" : "_openbox");
  }

  // The IDE starts with a profile of its own, without a last project.
  real_ide::FreshConfigFolder m_config{"realsetcfg"};
};

TEST_P(SettingsRealInput, OptimisationChosenInTheDialogReachesTheBuild) {
  const std::string folder = mirt_test::MakeTempDir("realset");
  ASSERT_EQ(mkdir((folder + "/demo").c_str(), 0755), 0);
  mirt_test::WriteFile(folder + "/demo/demo.c", kMainSource);
  RealIde ide(GetParam());
  ASSERT_TRUE(ide.Start());
  RealDisplay& display = ide.Display();
  ASSERT_TRUE(ide.NewHostProject(folder, "demo"));

  // Project > Settings, the optimisation page.
  ProgramState s = ide.OpenSettingsPage(kOptimisationItemDowns, kLevel3, "the optimisation page");
  ASSERT_TRUE(ide.ClickControl(s, kSettingsTitle, kLevel3));
  display.SavePicture(Picture("settings_optimisation_level3"));
  s = ide.PressOk(kSettingsTitle);

  // OK saved the project with the level.
  const std::string project = mirt_test::ReadFile(folder + "/demo/demo.kpj");
  EXPECT_NE(project.find("CFLAGS=-std=gnu89 -g -Wall -O3 \r\n"), std::string::npos) << project;

  s = ide.Make();
  EXPECT_NE(BuildPaneText(s).find("Build terminated successfully"), std::string::npos) << BuildPaneText(s);
  const std::string makefile = mirt_test::ReadFile(folder + "/demo/Makefile");
  EXPECT_NE(makefile.find("CFLAGS = -std=gnu89 -g -Wall -O3 \r\n"), std::string::npos) << makefile;
  // make's compile command, the one the Build pane shows, carries it last.
  const std::string compile = BuildPaneLineWith(s, "-c -o demo.o demo.c");
  EXPECT_NE(compile.find(kLevel3Switch), std::string::npos) << compile;
  EXPECT_EQ(compile.rfind(" -O"), compile.find(kLevel3Switch)) << compile;
  display.SavePicture(Picture("settings_built"));
  ide.End();
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, SettingsRealInput,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
