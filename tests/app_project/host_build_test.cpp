// A new project of the "Linux host C++ (gcc)" environment, made from the
// installed template, built with this machine's make and gcc through the
// make process; its output and result reach the owner window.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/build_commands.h"
#include "app/core/environment_list.h"
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "app/make_process.h"
#include "app/makefile_host.h"
#include "app/makefile_names.h"
#include "app/makefile_writer.h"
#include "app/new_project_values.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/message.h"
#include "platform/ui/ui.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"

namespace {

struct HostBuildOwner {
  std::string text;
  std::vector<UINT> results;
} g_hostBuild;

LRESULT CALLBACK HostBuildProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_OUTPUT_TEXT) g_hostBuild.text += reinterpret_cast<const char*>(l);
  if (m == WM_BUILD_OK || m == WM_BUILD_UP_TO_DATE || m == WM_BUILD_FAILED) g_hostBuild.results.push_back(m);
  return m >= WM_OUTPUT_TEXT && m <= WM_BUILD_FAILED ? 0 : DefWindowProc(h, m, w, l);
}

class NoDocuments : public CMakefileHost {
 public:
  void SaveModifiedDocuments() override {}
  void ClearBuildPane() override {}
};

constexpr auto kHostEnvironment = "Linux host C++ (gcc)";
constexpr auto kMainSource = "#include <stdio.h>\nint main(void) { puts(\"built here\"); return 0; }\n";
constexpr DWORD kBuildWaitMs = 60000;

class HostBuildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::ClearMessageBoxRecords();
    g_hostBuild = HostBuildOwner{};
    owner = ui_test::MakeTop(10, 10, WS_POPUP, HostBuildProc);
    char cwd[4096];
    oldCwd = getcwd(cwd, sizeof cwd) ? cwd : ".";
    environments.ReadConfigFile((mirt_test::ProgramDir() + "/mirt.cfg").c_str());
    project.SetEnvironmentList(&environments);
  }
  void TearDown() override {
    DestroyWindow(owner);
    (void)!chdir(oldCwd.c_str());
  }
  // Runs one build command to its end; its result message.
  UINT Build(BuildKind kind) {
    g_hostBuild = HostBuildOwner{};
    NoDocuments host;
    CMakefileWriter(project, host).WriteMakefile(MakefilePathOf(project).c_str());
    CMakeProcess p(MakeCommandLine(project, kind).c_str(), nullptr, project.projectDir);
    p.SetCompilerNames(CompilerNamesOf(project));
    p.m_hOwner = owner;
    p.ResumeReader();
    EXPECT_TRUE(WaitServingMessages([&] { return p.ReaderDone(); }, kBuildWaitMs));
    return g_hostBuild.results.size() == 1 ? g_hostBuild.results[0] : 0;
  }

  HWND owner = nullptr;
  std::string oldCwd;
  CEnvironmentList environments;
  ProjectData project;
};

TEST_F(HostBuildTest, NewHostProjectBuildsAndRebuilds) {
  NewProjectValues values;
  values.name = "demo";
  values.location = mirt_test::MakeTempDir("host") + "/demo";
  values.environment = kHostEnvironment;
  NewProjectPlan plan = PlanNewProject(values);
  ASSERT_EQ(mkdir(plan.folder.c_str(), 0755), 0);
  ASSERT_EQ(chdir(plan.folder.c_str()), 0);
  mirt_test::WriteFile(plan.mainSource, kMainSource);

  project.InitNewProject(values.name.c_str(), plan.folder.c_str(), kHostEnvironment);
  std::string templatePath = mirt_test::ProgramDir() + "/" + project.environment.defaultProject;
  project.SetFilePath(templatePath.c_str());
  ASSERT_EQ(project.Load(kProjectTemplate), 1);
  project.SetFilePath(plan.projectFile.c_str());
  project.AddSourceFile("demo.c");
  EXPECT_STREQ(project.exeFile, "demo.elf");

  EXPECT_EQ(Build(BuildKind::kMake), WM_BUILD_OK) << g_hostBuild.text;
  EXPECT_NE(g_hostBuild.text.find("demo.c"), std::string::npos) << g_hostBuild.text;
  EXPECT_EQ(Build(BuildKind::kMake), WM_BUILD_UP_TO_DATE) << g_hostBuild.text;
  EXPECT_EQ(Build(BuildKind::kBuildAll), WM_BUILD_OK) << g_hostBuild.text;
  EXPECT_EQ(access((plan.folder + "/demo.elf").c_str(), X_OK), 0);

  // A compile error fails the build, and gcc names the file and line.
  mirt_test::WriteFile(plan.mainSource, "int main(void) { return missing; }\n");
  EXPECT_EQ(Build(BuildKind::kMake), WM_BUILD_FAILED);
  EXPECT_NE(g_hostBuild.text.find("demo.c:1:"), std::string::npos) << g_hostBuild.text;
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

}  // namespace
