// The installation's files beside the program: "mirt.cfg", the templates it
// names and the files the build and New Project take from there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/environment_list.h"
#include "app/core/project_data.h"
#include "tests/app_core/core_test_util.h"
#include "tests/support/test_support.h"

namespace {

std::vector<const CEnviron*> All(const CEnvironmentList& list) {
  std::vector<const CEnviron*> all;
  for (POSITION pos = list.GetHeadPosition(); pos;) all.push_back(&list.GetNext(pos));
  return all;
}

class InstallationDataTest : public testing::Test {
 protected:
  void SetUp() override {
    core_test::ClearBoxes();
    std::string cfg = mirt_test::ProgramDir() + "/mirt.cfg";
    environments.ReadConfigFile(cfg.c_str());
  }

  std::string Installed(const char* name) { return mirt_test::ProgramDir() + "/" + name; }

  core_test::ExitTrap trap;
  CEnvironmentList environments;
};

TEST_F(InstallationDataTest, ConfigOffersTheThreeToolchains) {
  EXPECT_TRUE(core_test::ShownBoxes().empty());
  std::vector<std::string> settings;
  for (const CEnviron* env : All(environments)) settings.push_back(env->settings);
  EXPECT_EQ(settings, (std::vector<std::string>{"tbcopt.dll", "gnuopt.dll", "gnuopt.dll"}));
  std::string bytes = mirt_test::ReadFile(Installed("mirt.cfg"));
  EXPECT_EQ(bytes.rfind("VERSION=MIRT-CFG0\r\n", 0), 0u);
}

TEST_F(InstallationDataTest, EveryDefaultTemplateLoadsAndSavesToTheSameBytes) {
  std::string out = mirt_test::MakeTempDir("tpl") + "/copy.kpt";
  for (const CEnviron* env : All(environments)) {
    SCOPED_TRACE(env->name);
    ProjectData p;
    std::string path = Installed(env->defaultProject);
    p.SetFilePath(path.c_str());
    ASSERT_EQ(p.Load(kProjectTemplate), 1);
    EXPECT_STRNE(p.compiler, "");
    EXPECT_STRNE(p.makeCommand, "");
    EXPECT_STRNE(p.toolDir, "");
    EXPECT_STRNE(p.objSuffix, "");

    p.SetFilePath(out.c_str());
    ASSERT_TRUE(p.Save(kProjectTemplate));
    EXPECT_EQ(mirt_test::ReadFile(out), mirt_test::ReadFile(path));
  }
  EXPECT_TRUE(core_test::ShownBoxes().empty());
}

TEST_F(InstallationDataTest, ToolchainsMatchTheirEnvironments) {
  std::vector<std::string> compilers;
  for (const CEnviron* env : All(environments)) {
    ProjectData p;
    std::string path = Installed(env->defaultProject);
    p.SetFilePath(path.c_str());
    ASSERT_EQ(p.Load(kProjectTemplate), 1);
    compilers.push_back(p.compiler);
    bool borland = std::string(p.compiler).find("bcc") != std::string::npos;
    // The Borland-style build appends the base makefile; the GNU one needs none.
    if (borland) {
      EXPECT_NE(mirt_test::ReadFile(Installed(env->baseMakefile)), "") << env->name;
    }
  }
  EXPECT_EQ(compilers, (std::vector<std::string>{"bcc", "xscale-elf-gcc", "gcc"}));
}

TEST_F(InstallationDataTest, BoardTemplatesHoldTheLinesNewProjectFillsIn) {
  struct Template {
    const char* file;
    std::vector<const char*> lines;
  };
  for (const Template& t :
       {Template{"zortemplate.c",
                 {"#define PROGRAMM_NUMBER", "rcPDT.rcHead.usFlags", "rcPDT.rcHead.usInterrupt"}},
        Template{"qj8template.c",
                 {"#define PROGRAMM_NUMBER", "pdt.pdt_head.usFlags", "pdt.pdt_head.usInt", "qj8"}}}) {
    std::string text = mirt_test::ReadFile(Installed(t.file));
    ASSERT_NE(text, "") << t.file;
    for (const char* line : t.lines) EXPECT_NE(text.find(line), std::string::npos) << t.file << ": " << line;
  }
}

}  // namespace
