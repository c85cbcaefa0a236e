#include <sys/stat.h>

#include "app/makefile_names.h"
#include "app/makefile_writer.h"
#include "platform/sys/environment.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "tests/app_build/build_fixture.h"
#include "tests/support/test_support.h"

namespace {

std::string Golden(const std::string& name) {
  return mirt_test::ReadFile(std::string(APP_BUILD_DATA) + "/" + name);
}

// Text-mode files: every line ends with CR LF; returns the text with LF.
std::string Lf(const std::string& crlf) {
  std::string out;
  for (size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\n') EXPECT_TRUE(i > 0 && crlf[i - 1] == '\r') << "bare LF at " << i;
    if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
    out += crlf[i];
  }
  return out;
}

std::string PathValue() {
  char buf[16384];
  DWORD n = GetEnvironmentVariable("PATH", buf, sizeof buf);
  return std::string(buf, n < sizeof buf ? n : 0);
}

class MakefileWriterTest : public BuildTest {
 protected:
  void GnuProject() {
    project.SetCompiler("xscale-elf-gcc");
    project.SetLinker("xscale-elf-ld");
    project.SetAssembler("xscale-elf-as");
    project.SetCFlags("-O2 -g");
    project.SetAsmFlags("-mcpu=xscale");
    project.SetLinkFlags("-static -Map Mapfile --cref ");
    project.SetExeFile("demo.elf");
    project.SetToolDir("C:\\cyg\\usr\\local\\bin");
    project.SetObjSuffix("o");
    project.AddLibrary("m");
    project.AddLibrary("c");
    project.AddObjectFile("start.o");
    project.AddObjectFile("crt.o");
    project.AddSourceFile("main.c");
    project.AddSourceFile("sub\\util.cpp");
  }
  void BorlandProject() {
    project.SetCompiler("bcc");
    project.SetLinker("tlink");
    project.SetAssembler("tasm");
    project.SetPascalCompiler("bpc");
    project.SetCFlags("-ml -v");
    project.SetLinkFlags("/v");
    project.SetAsmFlags("/zi");
    project.SetPasFlags("-$D+");
    project.SetObjSuffix("obj");
    project.SetExeFile("demo.exe");
    project.SetIncDirs("c:\\bc\\include");
    project.SetLibDirs("c:\\bc\\lib;c:\\kalven\\lib");
    project.SetToolDir(tools.c_str());
    project.AddLibrary("qj8.lib");
    project.AddLibrary("mathl.lib");
    project.AddObjectFile("c0l.obj");
    project.AddSourceFile("main.c");
    project.AddSourceFile("sub\\util.cpp");
    install = mirt_test::MakeTempDir("install");
    mirt_test::WriteFile(install + "/base.mak", Golden("base.mak"));
    baseName = "base.mak";
    project.environment.baseMakefile = baseName.data();
  }
  void Write() {
    CMakefileWriter writer(project, host);
    writer.SetInstallationDir(install);
    writer.WriteMakefile(MakefilePathOf(project).c_str());
  }
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& r : plat::MessageBoxRecords()) {
      EXPECT_EQ(r.caption, "MIRT Error");
      texts.push_back(r.text);
    }
    return texts;
  }

  CRecordingHost host;
  std::string install, baseName;
  std::string tools = "/opt/bc/bin";
};

TEST_F(MakefileWriterTest, GnuMakefile) {
  GnuProject();
  Write();
  EXPECT_EQ(Lf(mirt_test::ReadFile(InProject("Makefile"))), Golden("gnu.Makefile"));
  EXPECT_FALSE(plat::FileExists(InProject("objects")));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"save", "clear"}));
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(MakefileWriterTest, BorlandMakefileObjectsAndBase) {
  BorlandProject();
  mirt_test::WriteFile(InProject("Makefile"), "untouched");
  Write();
  EXPECT_EQ(Lf(mirt_test::ReadFile(InProject("demo.mak"))), Golden("borland.mak"));
  EXPECT_EQ(Lf(mirt_test::ReadFile(InProject("objects"))), Golden("borland.objects"));
  EXPECT_EQ(mirt_test::ReadFile(InProject("Makefile")), "untouched");
  EXPECT_EQ(host.calls, (std::vector<std::string>{"save", "clear"}));
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(MakefileWriterTest, EmptyListsAndAProjectThatOutgrowsFixedBuffers) {
  GnuProject();
  project.libs.RemoveAll();
  std::string longFlags(5000, 'x');
  project.SetCFlags(("-D" + longFlags).c_str());
  for (int i = 0; i < 300; ++i)
    project.AddSourceFile(("src\\module_with_a_long_name_" + std::to_string(i) + ".c").c_str());
  Write();
  std::string text = Lf(mirt_test::ReadFile(InProject("Makefile")));
  EXPECT_NE(text.find("\nLIBS = \n"), std::string::npos);
  EXPECT_EQ(text.find(" -l"), std::string::npos);
  EXPECT_NE(text.find("CFLAGS = -D" + longFlags + "\n"), std::string::npos);
  EXPECT_NE(text.find("src\\module_with_a_long_name_299.o: src\\module_with_a_long_name_299.c\n"),
            std::string::npos);
}

TEST_F(MakefileWriterTest, BaseMakefileOfOneWholeBlockIsCopiedWhole) {
  BorlandProject();
  std::string block(2047, 'b');
  block += '\n';
  mirt_test::WriteFile(install + "/base.mak", block);
  Write();
  std::string mak = Lf(mirt_test::ReadFile(InProject("demo.mak")));
  EXPECT_EQ(mak.substr(mak.size() - block.size()), block);
}

TEST_F(MakefileWriterTest, FailuresStopWithTheirBox) {
  struct Case {
    const char* what;
    const char* box;
    bool makWritten;
  } cases[] = {
      {"no base name", "No base makefile specified", false},
      {"base missing", nullptr, true},
      {"read-only", "Cannot create file (objects) - maybe directory is read-only?", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetProject(project);
    project.SetProjectDir(dir.c_str());
    BorlandProject();
    host.calls.clear();
    plat::ClearMessageBoxRecords();
    remove(InProject("demo.mak").c_str());
    std::string expected = c.box ? c.box : "Cannot open base make file (" + install + "\\gone.mak)";
    if (std::string(c.what) == "no base name") project.environment.baseMakefile = nullptr;
    if (std::string(c.what) == "base missing")
      project.environment.baseMakefile = const_cast<char*>("gone.mak");
    if (std::string(c.what) == "read-only") chmod(dir.c_str(), 0555);
    std::string pathBefore = PathValue();
    Write();
    chmod(dir.c_str(), 0755);
    if (geteuid() == 0 && std::string(c.what) == "read-only") continue;  // root writes anyway
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{expected});
    EXPECT_EQ(PathValue(), pathBefore);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "clear"), 0);
    EXPECT_EQ(plat::FileExists(InProject("demo.mak")), c.makWritten);
    if (c.makWritten)
      EXPECT_EQ(Lf(mirt_test::ReadFile(InProject("demo.mak"))),
                Golden("borland.mak").substr(0, Golden("borland.mak").find("# base")));
  }
}

TEST_F(MakefileWriterTest, UnwritableMakefileIsReported) {
  GnuProject();
  ASSERT_EQ(mkdir(InProject("Makefile").c_str(), 0755), 0);  // a folder in the way
  std::string pathBefore = PathValue();
  Write();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"cannot create make file - maybe directory is read-only?"});
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(PathValue(), pathBefore);
}

TEST_F(MakefileWriterTest, ToolDirGoesOnThePathOnce) {
  GnuProject();
  project.SetToolDir("/opt/mirt-tools/bin");
  Write();
  Write();
  std::string path = PathValue();
  EXPECT_EQ(path.rfind("/opt/mirt-tools/bin:", 0), 0u);
  EXPECT_EQ(path.find("/opt/mirt-tools/bin", 1), std::string::npos);
}

}  // namespace
