#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/environment_list.h"
#include "app/core/keyvalue_file.h"
#include "app/core/project_data.h"
#include "tests/app_core/core_test_util.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_support.h"

namespace {

using core_test::Boxes;
using core_test::CrLf;

std::vector<std::string> Entries(const ProjectFileList& list) {
  std::vector<std::string> names;
  for (POSITION pos = list.GetHeadPosition(); pos;) names.push_back(std::string(list.GetNext(pos)));
  return names;
}

class ProjectFileTest : public testing::Test {
 protected:
  void SetUp() override {
    core_test::ClearBoxes();
    dir = mirt_test::MakeTempDir("prj");
    std::string cfg = core_test::NewFile(
        "mirt.cfg", CrLf({"VERSION=MIRT-CFG0", "ENVIRON=Gnu", "SETTINGS=gnuopt.dll",
                          "BASEMAKEFILE=", "DEFAULTPROJECT=g.kpt", "ENVIRON=Bcc", "SETTINGS=tbcopt.dll",
                          "BASEMAKEFILE=b.mak", "DEFAULTPROJECT=b.kpt"}));
    environments.ReadConfigFile(cfg.c_str());
    project.SetEnvironmentList(&environments);
  }

  // Loads the bytes from a file of the given name in the fixture's folder.
  int LoadBytes(const std::string& bytes, int mode, const char* name = "demo.kpj") {
    std::string path = mirt_test::WriteFile(dir + "/" + name, bytes);
    project.SetFilePath(path.c_str());
    return project.Load(mode);
  }

  // A project with every field set and no value equal to a default.
  void Fill(ProjectData& p) {
    environments.FindEnvironment("Bcc", p.environment);
    p.SetExeFile("demo.exe");
    p.SetInsFile("demo.ins");
    p.SetIncDirs("/inc");
    p.SetLibDirs("/lib1;/lib2");
    p.SetUnitDirs("/units");
    p.SetToolDir("/tools/bin");
    p.SetKernelDir("/kernel/");
    p.SetMakeCommand("make");
    p.SetCompiler("bcc");
    p.SetPascalCompiler("bpc");
    p.SetAssembler("tasm");
    p.SetLinker("tlink");
    p.SetObjSuffix("obj");
    p.SetCFlags("-ml -v");
    p.SetAsmFlags("/zi");
    p.SetLinkFlags("/v /m ");
    p.SetPasFlags("-$D+");
    p.SetCardNumber(3);
    p.SetCardClass(kCardClassQJ);
    p.SetCardInterface(2);
    p.SetBaudRate(3000000000u);
    p.SetPcPort(1);
    p.SetDebuggeeNum(17);
    p.SetKernelNum(18);
    for (const char* n : {"main.c", "sub/util.cpp"}) p.AddSourceFile(n);
    p.AddHeaderFile("util.h");
    for (const char* n : {"emu.lib", "maths.lib"}) p.AddLibrary(n);
    p.AddObjectFile("start.obj");
  }

  void ExpectSameSettings(const ProjectData& a, const ProjectData& b) {
    for (char* ProjectData::*f :
         {&ProjectData::incDirs, &ProjectData::libDirs, &ProjectData::unitDirs, &ProjectData::toolDir,
          &ProjectData::kernelDir, &ProjectData::makeCommand, &ProjectData::compiler,
          &ProjectData::pascalCompiler, &ProjectData::assembler, &ProjectData::linker,
          &ProjectData::objSuffix, &ProjectData::cFlags, &ProjectData::asmFlags, &ProjectData::linkFlags,
          &ProjectData::pasFlags}) {
      EXPECT_STREQ(a.*f, b.*f);
    }
    EXPECT_EQ(a.cardNumber, b.cardNumber);
    EXPECT_EQ(a.cardClass, b.cardClass);
    EXPECT_EQ(a.cardInterface, b.cardInterface);
    EXPECT_EQ(a.baudRate, b.baudRate);
    EXPECT_EQ(a.pcPort, b.pcPort);
    EXPECT_EQ(a.debuggeeNum, b.debuggeeNum);
    EXPECT_EQ(a.kernelNum, b.kernelNum);
    EXPECT_EQ(Entries(a.sources), Entries(b.sources));
    EXPECT_EQ(Entries(a.headers), Entries(b.headers));
    EXPECT_EQ(Entries(a.libs), Entries(b.libs));
    EXPECT_EQ(Entries(a.objs), Entries(b.objs));
  }

  std::string dir;
  core_test::ExitTrap trap;
  CEnvironmentList environments;
  ProjectData project;
};

TEST_F(ProjectFileTest, ProjectRoundTripGivesBackEveryField) {
  ProjectData saved;
  Fill(saved);
  std::string path = dir + "/round.kpj";
  saved.SetFilePath(path.c_str());
  ASSERT_TRUE(saved.Save(kProjectFile));

  project.SetFilePath(path.c_str());
  ASSERT_EQ(project.Load(kProjectFile), 1);
  ExpectSameSettings(saved, project);
  EXPECT_STREQ(project.exeFile, "demo.exe");
  EXPECT_STREQ(project.insFile, "demo.ins");
  EXPECT_STREQ(project.environment.name, "Bcc");
  EXPECT_STREQ(project.environment.baseMakefile, "b.mak");
  EXPECT_STREQ(project.projectDir, dir.c_str());
  EXPECT_EQ(project.kind, kProjectKindMake);
  EXPECT_TRUE(core_test::ShownBoxes().empty());
}

TEST_F(ProjectFileTest, TemplateRoundTripLeavesOutTheProjectKeys) {
  ProjectData saved;
  Fill(saved);
  std::string path = dir + "/t.kpt";
  saved.SetFilePath(path.c_str());
  ASSERT_TRUE(saved.Save(kProjectTemplate));
  std::string bytes = mirt_test::ReadFile(path);
  EXPECT_EQ(bytes.rfind("VERSION=MIRT-KPT0\r\nSOURCEFILES=", 0), 0u) << bytes;
  for (const char* key : {"ENVIRON=", "EXE=", "INSFILE="})
    EXPECT_EQ(bytes.find(key), std::string::npos) << key;

  project.SetProjectDir("/kept");
  project.SetFilePath(path.c_str());
  ASSERT_EQ(project.Load(kProjectTemplate), 1);
  ExpectSameSettings(saved, project);
  EXPECT_STREQ(project.projectDir, "/kept");
  EXPECT_STREQ(project.exeFile, "");
  EXPECT_EQ(project.environment.name, nullptr);
}

TEST_F(ProjectFileTest, SaveWritesKeysInFileOrder) {
  ProjectData p;
  environments.FindEnvironment("Gnu", p.environment);
  p.SetExeFile("a.elf");
  p.SetCompiler("gcc");
  p.AddSourceFile("a.c");
  p.AddSourceFile("b.c");
  p.SetBaudRate(9600);
  std::string path = dir + "/order.kpj";
  p.SetFilePath(path.c_str());
  ASSERT_TRUE(p.Save(kProjectFile));
  EXPECT_EQ(mirt_test::ReadFile(path),
            CrLf({"VERSION=MIRT-KPJ0", "ENVIRON=Gnu", "EXE=a.elf", "SOURCEFILES=a.c b.c ",
                  "HEADER=", "CC=gcc", "CARDNUMBER=0", "CARDCLASS=TRAIL", "INTERFACE=0", "BAUDRATE=9600",
                  "PCPORT=0", "DEBUGGEENUM=0", "KERNELNUM=255", "LIBS=", "OBJS="}));
}

TEST_F(ProjectFileTest, LoadReadsListsNumbersAndLineFeedFiles) {
  ASSERT_EQ(LoadBytes("VERSION=MIRT-KPJ0\nSOURCEFILES=a.c  b.c \nSOURCEFILES=A.C c.c\n"
                      "CARDNUMBER=12abc\nKERNELNUM=x\nBAUDRATE=-1294967296\nPCPORT=65537\n"
                      "UNKNOWN=1\nNOEQUALS\n",
                      kProjectFile),
            1);
  EXPECT_EQ(Entries(project.sources), (std::vector<std::string>{"a.c", "b.c", "c.c"}));
  EXPECT_EQ(project.cardNumber, 12);
  EXPECT_EQ(project.kernelNum, 0);
  EXPECT_EQ(project.baudRate, 3000000000u);
  EXPECT_EQ(project.pcPort, 1);
  EXPECT_TRUE(project.IsDirty());  // lists are filled through their add operation
}

TEST_F(ProjectFileTest, LoadAddsToWhatIsThereAndKeepsUnnamedNumbers) {
  project.AddSourceFile("old.c");
  project.SetCardNumber(7);
  project.SetCompiler("old-cc");
  ASSERT_EQ(LoadBytes(CrLf({"VERSION=MIRT-KPJ0", "CC=new-cc", "SOURCEFILES=new.c "}), kProjectFile), 1);
  EXPECT_EQ(Entries(project.sources), (std::vector<std::string>{"old.c", "new.c"}));
  EXPECT_EQ(project.cardNumber, 7);
  EXPECT_STREQ(project.compiler, "new-cc");
  for (char* f : {project.asmFlags, project.linker, project.kernelDir, project.exeFile, project.insFile}) {
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(f, "");
  }
}

TEST_F(ProjectFileTest, LoadTakesTheProjectFolderFromThePath) {
  ASSERT_EQ(LoadBytes(CrLf({"VERSION=MIRT-KPJ0"}), kProjectFile), 1);
  EXPECT_STREQ(project.projectDir, dir.c_str());
  project.SetFilePath(nullptr);
  EXPECT_EQ(project.Load(kProjectFile), 0);
}

struct ValueCase {
  const char* line;
  std::string (*read)(const ProjectData&);
  const char* expected;
};

std::string CardClass(const ProjectData& p) { return std::to_string(p.cardClass); }
std::string KernelDir(const ProjectData& p) { return p.kernelDir; }
std::string Kind(const ProjectData& p) { return std::to_string(p.kind); }
std::string Environment(const ProjectData& p) { return p.environment.name ? p.environment.name : "(none)"; }

class LoadValueTest : public ProjectFileTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(LoadValueTest, ReadsTheValue) {
  ASSERT_EQ(LoadBytes(CrLf({"VERSION=MIRT-KPJ0", GetParam().line}), kProjectFile), 1);
  EXPECT_EQ(GetParam().read(project), GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LoadValueTest,
    testing::Values(
        ValueCase{"CARDCLASS=QJX", CardClass, "1"}, ValueCase{"CARDCLASS=", CardClass, "1"},
        ValueCase{"CARDCLASS=trail", CardClass, "1"}, ValueCase{"CARDCLASS=TRAIL", CardClass, "2"},
        ValueCase{"CARDCLASS=xTRAILx", CardClass, "2"}, ValueCase{"KERNELDIR=/opt/k", KernelDir, "/opt/k/"},
        ValueCase{"KERNELDIR=C:\\K\\", KernelDir, "C:\\K\\"},
        ValueCase{"KERNELDIR=/opt/k/", KernelDir, "/opt/k/"}, ValueCase{"KERNELDIR=", KernelDir, ""},
        ValueCase{"SOURCEFILES=main.PAS", Kind, "2"}, ValueCase{"SOURCEFILES=main.c x.pas.c", Kind, "1"},
        ValueCase{"ENVIRON=Gnu", Environment, "Gnu"}, ValueCase{"ENVIRON=gnu", Environment, "(none)"}));

struct RefusedCase {
  const char* name;
  std::string bytes;
  int mode;
  const char* message;
};

class RefusedFileTest : public ProjectFileTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedFileTest, ShowsWhyAndFails) {
  EXPECT_EQ(LoadBytes(GetParam().bytes, GetParam().mode), 0);
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"error", GetParam().message}}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFileTest,
    testing::Values(
        RefusedCase{"TemplateAsProject", CrLf({"VERSION=MIRT-KPT0"}), kProjectFile,
                    "kpj file has wrong version"},
        RefusedCase{"ProjectAsTemplate", CrLf({"VERSION=MIRT-KPJ0"}), kProjectTemplate,
                    "kpt file has wrong version"},
        RefusedCase{"BinaryGarbage", core_test::Bytes("\x89PNG\r\nVERSION=\x1a\n\0\xff"), kProjectFile,
                    "kpj file has wrong version"},
        RefusedCase{"EmptyProject", "", kProjectFile, "kpj file has wrong version"},
        RefusedCase{"EmptyTemplate", "", kProjectTemplate, "kpt file has wrong version"},
        RefusedCase{"TextWithoutHeader", "hello world\r\n", kProjectFile, "kpj file has wrong version"},
        RefusedCase{"HeaderNotFirst", CrLf({"CC=gcc", "VERSION=MIRT-KPJ0"}), kProjectFile,
                    "kpj file has wrong version"},
        RefusedCase{"NulInsideAList", core_test::Bytes("VERSION=MIRT-KPJ0\r\nSOURCEFILES=a.c \0b.c c.c \r\n"),
                    kProjectFile, "Project File is not a text file"},
        RefusedCase{"LineTooLong",
                    CrLf({"VERSION=MIRT-KPT0", "CFLAGS=" + std::string(kKeyValueMaxLength + 1, 'O')}),
                    kProjectTemplate, "Project Template has a line that is too long"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(ProjectFileTest, WrongVersionKeepsTheLinesReadBefore) {
  EXPECT_EQ(LoadBytes(CrLf({"VERSION=MIRT-KPJ0", "CC=gcc", "VERSION=MIRT-KPT0", "LINK=ld"}), kProjectFile),
            0);
  EXPECT_STREQ(project.compiler, "gcc");
  EXPECT_EQ(project.linker, nullptr);
}

TEST_F(ProjectFileTest, MissingFilesAreReported) {
  for (int mode : {kProjectFile, kProjectTemplate}) {
    core_test::ClearBoxes();
    std::string path = dir + "/none.kpj";
    project.SetFilePath(path.c_str());
    EXPECT_EQ(project.Load(mode), 0);
    EXPECT_EQ(core_test::ShownBoxes(),
              (Boxes{{"error", mode == kProjectFile ? "Project File could not be opened"
                                                    : "Project Template could not be opened"}}));
  }
}

TEST_F(ProjectFileTest, LongListsRoundTrip) {
  constexpr int kSources = 500;  // far beyond the 2047 bytes lines were once limited to
  ProjectData saved;
  Fill(saved);
  for (int i = 0; i < kSources; ++i)
    saved.AddSourceFile(("src/module_" + std::to_string(1000 + i) + ".c").c_str());
  std::string path = dir + "/long.kpj";
  saved.SetFilePath(path.c_str());
  ASSERT_TRUE(saved.Save(kProjectFile));

  project.SetFilePath(path.c_str());
  ASSERT_EQ(project.Load(kProjectFile), 1);
  ExpectSameSettings(saved, project);
  EXPECT_EQ(project.sources.GetCount(), saved.sources.GetCount());
  EXPECT_TRUE(core_test::ShownBoxes().empty());
}

TEST_F(ProjectFileTest, LoadOfAFileCutShortByALongLineKeepsWhatCameBefore) {
  EXPECT_EQ(LoadBytes(CrLf({"VERSION=MIRT-KPJ0", "CC=gcc",
                            "CFLAGS=" + std::string(kKeyValueMaxLength + 1, 'O'), "LINK=ld"}),
                      kProjectFile),
            0);
  EXPECT_STREQ(project.compiler, "gcc");
  EXPECT_EQ(project.linker, nullptr);
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"error", "Project File has a line that is too long"}}));
}

TEST_F(ProjectFileTest, SaveRefusesAValueTooLongToReadBack) {
  std::string path = mirt_test::WriteFile(dir + "/kept.kpj", "OLD");
  ProjectData p;
  p.SetCFlags(std::string(kKeyValueMaxLength + 1, 'O').c_str());
  p.SetFilePath(path.c_str());
  EXPECT_FALSE(p.Save(kProjectFile));
  EXPECT_EQ(mirt_test::ReadFile(path), "OLD");
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"error", "Project File could not be saved"}}));
}

TEST_F(ProjectFileTest, SaveFailureKeepsTheOldFileWhole) {
  std::string path = mirt_test::WriteFile(dir + "/kept.kpj", "OLD");
  ProjectData p;
  Fill(p);
  p.SetFilePath(path.c_str());

  // A file-size limit below the new content makes the write fail, for any user.
  BOOL saved;
  {
    mirt_test::FileSizeLimit limit(16);
    saved = p.Save(kProjectFile);
  }

  EXPECT_FALSE(saved);
  EXPECT_EQ(mirt_test::ReadFile(path), "OLD");
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"error", "Project File could not be saved"}}));
}

TEST_F(ProjectFileTest, SaveIntoAMissingFolderIsReported) {
  std::string path = dir + "/no/such/folder/t.kpt";
  project.SetFilePath(path.c_str());
  EXPECT_FALSE(project.Save(kProjectTemplate));
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"error", "Project Template could not be saved"}}));
}

TEST_F(ProjectFileTest, SaveReplacesALongerOldFile) {
  std::string path = mirt_test::WriteFile(dir + "/long.kpj", std::string(5000, 'x'));
  project.SetFilePath(path.c_str());
  ASSERT_TRUE(project.Save(kProjectFile));
  std::string bytes = mirt_test::ReadFile(path);
  EXPECT_EQ(bytes.rfind("VERSION=MIRT-KPJ0\r\n", 0), 0u);
  EXPECT_EQ(bytes.find('x'), std::string::npos);
}

struct NewProjectCase {
  const char* environment;
  const char* exe;
};

class InitNewProjectTest : public ProjectFileTest, public testing::WithParamInterface<NewProjectCase> {};

TEST_P(InitNewProjectTest, NamesTheFilesAfterTheBaseName) {
  project.SetExeFile("");
  project.MarkSaved();
  project.InitNewProject("demo", "/work/demo", GetParam().environment);
  EXPECT_STREQ(project.exeFile, GetParam().exe);
  EXPECT_STREQ(project.insFile, "demo.ins");
  EXPECT_STREQ(project.projectDir, "/work/demo");
  EXPECT_STREQ(project.environment.name, GetParam().environment);
  EXPECT_TRUE(project.IsDirty());
}

INSTANTIATE_TEST_SUITE_P(Environments, InitNewProjectTest,
                         testing::Values(NewProjectCase{"Gnu", "demo.elf"},
                                         NewProjectCase{"Bcc", "demo.exe"}));

TEST_F(ProjectFileTest, InitNewProjectWithAnUnknownEnvironmentKeepsTheRecord) {
  environments.FindEnvironment("Gnu", project.environment);
  project.InitNewProject("demo", "/d", "Nowhere");
  EXPECT_STREQ(project.environment.name, "Gnu");
  EXPECT_STREQ(project.exeFile, "demo.elf");
}

}  // namespace
