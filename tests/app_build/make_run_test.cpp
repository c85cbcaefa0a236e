// The generated makefiles run by a real make through the child-process
// class, as the build does.
#include <sys/stat.h>

#include "app/makefile_names.h"
#include "app/makefile_writer.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/process.h"
#include "tests/app_build/build_fixture.h"
#include "tests/support/test_support.h"

namespace {

class MakeRunTest : public BuildTest {
 protected:
  // Runs a command line in the project folder; returns its output.
  std::string Run(const std::string& commandLine, DWORD* exitCode) {
    CCollectingProcess p(commandLine.c_str(), dir.c_str());
    p.ResumeReader();
    if (!p.WaitDone()) {
      ADD_FAILURE() << commandLine << " did not end";
      p.Kill();
    }
    *exitCode = p.ChildExitCode();
    return p.Output();
  }
  CRecordingHost host;
};

TEST_F(MakeRunTest, GnuMakefileBuildsARealProgram) {
  std::string tools = mirt_test::MakeTempDir("tools");
  // The cross compilers stand in as wrappers around the host's compilers.
  Script(tools + "/xscale-elf-gcc", "exec gcc \"$@\"\n");
  Script(tools + "/xscale-elf-g++", "exec g++ \"$@\"\n");
  Script(tools + "/make", "exec " + plat::FindProgram("make", oldPath) + " \"$@\"\n");
  mirt_test::WriteFile(
      InProject("main.c"),
      "#include <stdio.h>\nint twice(int);\nint main(void) { printf(\"%d\\n\", twice(21)); return 0; }\n");
  mirt_test::WriteFile(InProject("util.cpp"), "extern \"C\" int twice(int x) { return 2 * x; }\n");
  project.SetCompiler("xscale-elf-gcc");
  project.SetLinker("xscale-elf-ld");
  project.SetAssembler("xscale-elf-as");
  project.SetCFlags("-O1");
  project.SetExeFile("demo.elf");
  project.SetToolDir(tools.c_str());
  project.SetObjSuffix("o");
  project.SetMakeCommand("make");
  project.AddSourceFile("main.c");
  project.AddSourceFile("util.cpp");
  CMakefileWriter writer(project, host);
  writer.WriteMakefile(MakefilePathOf(project).c_str());
  ASSERT_TRUE(plat::MessageBoxRecords().empty());

  DWORD code = 99;
  std::string out = Run("\"" + tools + "\\make\"", &code);
  EXPECT_EQ(code, 0u) << out;
  EXPECT_NE(out.find("xscale-elf-g++"), std::string::npos) << out;
  EXPECT_EQ(Run(InProject("demo.elf"), &code), "42\n");
  out = Run("\"" + tools + "\\make\" rebuild", &code);
  EXPECT_EQ(code, 0u) << out;
  EXPECT_NE(out.find("rm -f *.o"), std::string::npos) << out;
}

TEST_F(MakeRunTest, BorlandMakefileRunsTheToolsOnThePath) {
  std::string tools = mirt_test::MakeTempDir("bctools");
  std::string log = InProject("tools.log");
  // Fake tools found through PATH: they log their command line and make
  // their output file.
  Script(tools + "/bcc", "echo \"bcc $*\" >> " + log + "\nfor a; do f=$a; done\ntouch \"${f%.*}.obj\"\n");
  Script(tools + "/tlink", "echo \"tlink $*\" >> " + log + "\ntouch demo.exe\n");
  std::string install = mirt_test::MakeTempDir("inst");
  mirt_test::WriteFile(
      install + "/bc.mak",
      "$(EXE): $(OBJS)\n\t$(LINK) $(LINKFLAGS) @objects\n%.obj: %.c\n\t$(CC) $(CFLAGS) -c $<\n");
  mirt_test::WriteFile(InProject("main.c"), "int main(void) { return 0; }\n");
  mirt_test::WriteFile(InProject("io.c"), "int io;\n");
  std::string base = "bc.mak";
  project.environment.baseMakefile = base.data();
  project.SetCompiler("bcc");
  project.SetLinker("tlink");
  project.SetCFlags("-ml");
  project.SetLinkFlags("/v");
  project.SetObjSuffix("obj");
  project.SetExeFile("demo.exe");
  project.SetToolDir(tools.c_str());
  project.AddSourceFile("main.c");
  project.AddSourceFile("io.c");
  CMakefileWriter writer(project, host);
  writer.SetInstallationDir(install);
  std::string mak = MakefilePathOf(project);
  writer.WriteMakefile(mak.c_str());
  ASSERT_TRUE(plat::MessageBoxRecords().empty());

  DWORD code = 99;
  std::string out = Run("make -f" + InProject("demo.mak"), &code);
  EXPECT_EQ(code, 0u) << out;
  EXPECT_EQ(mirt_test::ReadFile(log), "bcc -ml -c main.c\nbcc -ml -c io.c\ntlink /v @objects\n");
  EXPECT_EQ(mirt_test::ReadFile(InProject("objects")), "main.obj io.obj \r\n");
}

}  // namespace
