#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/project_data.h"

namespace {

std::vector<std::string> Walk(ProjectData& p, POSITION (ProjectData::*begin)(),
                              BOOL (ProjectData::*atEnd)() const, const char* (ProjectData::*get)() const,
                              void (ProjectData::*next)()) {
  std::vector<std::string> names;
  for ((p.*begin)(); !(p.*atEnd)(); (p.*next)()) names.push_back((p.*get)());
  return names;
}

std::vector<std::string> Sources(ProjectData& p) {
  return Walk(p, &ProjectData::BeginSources, &ProjectData::AtEndSources, &ProjectData::GetSource,
              &ProjectData::NextSource);
}

TEST(ProjectData, StartsEmptyWithTRailClassAndKernelTask255) {
  ProjectData p;
  EXPECT_EQ(p.filePath, nullptr);
  EXPECT_EQ(p.compiler, nullptr);
  EXPECT_EQ(p.cardClass, kCardClassTRail);
  EXPECT_EQ(p.kernelNum, 255);
  EXPECT_EQ(p.cardNumber, 0);
  EXPECT_EQ(p.baudRate, 0u);
  EXPECT_EQ(p.kind, 0);
  EXPECT_FALSE(p.IsDirty());
  EXPECT_TRUE(p.AtEndSources());
  EXPECT_EQ(p.GetSource(), nullptr);
}

struct TextSetter {
  const char* name;
  void (ProjectData::*set)(const char*);
  char* ProjectData::*field;
};

class TextSetterTest : public testing::TestWithParam<TextSetter> {};

TEST_P(TextSetterTest, StoresACopyAndMarksModified) {
  ProjectData p;
  char text[] = "value";
  (p.*GetParam().set)("old");
  p.MarkSaved();
  (p.*GetParam().set)(text);
  text[0] = 'X';
  EXPECT_STREQ(p.*GetParam().field, "value");
  EXPECT_TRUE(p.IsDirty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TextSetterTest,
    testing::Values(TextSetter{"IncDirs", &ProjectData::SetIncDirs, &ProjectData::incDirs},
                    TextSetter{"LibDirs", &ProjectData::SetLibDirs, &ProjectData::libDirs},
                    TextSetter{"UnitDirs", &ProjectData::SetUnitDirs, &ProjectData::unitDirs},
                    TextSetter{"ToolDir", &ProjectData::SetToolDir, &ProjectData::toolDir},
                    TextSetter{"KernelDir", &ProjectData::SetKernelDir, &ProjectData::kernelDir},
                    TextSetter{"MakeCommand", &ProjectData::SetMakeCommand, &ProjectData::makeCommand},
                    TextSetter{"Compiler", &ProjectData::SetCompiler, &ProjectData::compiler},
                    TextSetter{"Assembler", &ProjectData::SetAssembler, &ProjectData::assembler},
                    TextSetter{"PascalCompiler", &ProjectData::SetPascalCompiler,
                               &ProjectData::pascalCompiler},
                    TextSetter{"Linker", &ProjectData::SetLinker, &ProjectData::linker},
                    TextSetter{"ObjSuffix", &ProjectData::SetObjSuffix, &ProjectData::objSuffix},
                    TextSetter{"CFlags", &ProjectData::SetCFlags, &ProjectData::cFlags},
                    TextSetter{"LinkFlags", &ProjectData::SetLinkFlags, &ProjectData::linkFlags},
                    TextSetter{"AsmFlags", &ProjectData::SetAsmFlags, &ProjectData::asmFlags},
                    TextSetter{"PasFlags", &ProjectData::SetPasFlags, &ProjectData::pasFlags},
                    TextSetter{"InsFile", &ProjectData::SetInsFile, &ProjectData::insFile},
                    TextSetter{"ExeFile", &ProjectData::SetExeFile, &ProjectData::exeFile}),
    [](const testing::TestParamInfo<TextSetter>& info) { return std::string(info.param.name); });

TEST(ProjectData, NumberSettersStoreAndMarkModified) {
  ProjectData p;
  p.SetCardNumber(3);
  p.SetCardClass(kCardClassQJ);
  p.SetCardInterface(4);
  p.SetPcPort(2);
  p.SetDebuggeeNum(7);
  p.SetKernelNum(9);
  p.MarkSaved();
  p.SetBaudRate(115200);
  EXPECT_TRUE(p.IsDirty());
  EXPECT_EQ(p.cardNumber, 3);
  EXPECT_EQ(p.cardClass, kCardClassQJ);
  EXPECT_EQ(p.cardInterface, 4);
  EXPECT_EQ(p.pcPort, 2);
  EXPECT_EQ(p.debuggeeNum, 7);
  EXPECT_EQ(p.kernelNum, 9);
  EXPECT_EQ(p.baudRate, 115200u);
}

TEST(ProjectData, AddingANameTwiceInAnyCaseKeepsOneButMarksModifiedBothTimes) {
  ProjectData p;
  p.AddSourceFile("main.c");
  p.MarkSaved();
  p.AddSourceFile("MAIN.C");
  EXPECT_TRUE(p.IsDirty());
  p.AddSourceFile("util.c");
  EXPECT_EQ(Sources(p), (std::vector<std::string>{"main.c", "util.c"}));
}

TEST(ProjectData, EachAddGoesToItsOwnList) {
  ProjectData p;
  p.AddSourceFile("a.c");
  p.AddHeaderFile("a.h");
  p.AddLibrary("m.lib");
  p.AddObjectFile("x.obj");
  EXPECT_EQ(Walk(p, &ProjectData::BeginHeaders, &ProjectData::AtEndHeaders, &ProjectData::GetHeader,
                 &ProjectData::NextHeader),
            std::vector<std::string>{"a.h"});
  EXPECT_EQ(
      Walk(p, &ProjectData::BeginLibs, &ProjectData::AtEndLibs, &ProjectData::GetLib, &ProjectData::NextLib),
      std::vector<std::string>{"m.lib"});
  EXPECT_EQ(
      Walk(p, &ProjectData::BeginObjs, &ProjectData::AtEndObjs, &ProjectData::GetObj, &ProjectData::NextObj),
      std::vector<std::string>{"x.obj"});
  EXPECT_EQ(Sources(p), std::vector<std::string>{"a.c"});
}

TEST(ProjectData, RemoveFileTakesTheFirstListThatHasTheName) {
  ProjectData p;
  p.AddObjectFile("same.c");
  p.AddSourceFile("same.c");
  p.AddSourceFile("other.c");
  p.RemoveFile("SAME.C");
  EXPECT_EQ(Sources(p), std::vector<std::string>{"other.c"});
  EXPECT_EQ(p.objs.GetCount(), 1);

  p.MarkSaved();
  p.RemoveFile("nowhere.c");
  EXPECT_TRUE(p.IsDirty());
  EXPECT_EQ(p.sources.GetCount(), 1);
}

TEST(ProjectData, RemovingTheEntryUnderTheCursorKeepsTheWalkValid) {
  ProjectData p;
  for (const char* n : {"a.c", "b.c", "c.c"}) p.AddSourceFile(n);
  p.BeginSources();
  p.NextSource();
  p.RemoveFile("b.c");
  ASSERT_FALSE(p.AtEndSources());
  EXPECT_STREQ(p.GetSource(), "c.c");
  p.NextSource();
  EXPECT_TRUE(p.AtEndSources());
}

TEST(ProjectData, ClearEmptiesTextsAndListsButKeepsNumbers) {
  ProjectData p;
  p.SetFilePath("/p/x.kpj");
  p.SetProjectDir("/p");
  p.SetCompiler("gcc");
  p.AddSourceFile("a.c");
  p.SetCardNumber(5);
  p.SetKernelNum(12);
  p.SetCardClass(kCardClassQJ);
  p.kind = kProjectKindPascal;
  p.Clear();
  EXPECT_EQ(p.filePath, nullptr);
  EXPECT_EQ(p.projectDir, nullptr);
  EXPECT_EQ(p.compiler, nullptr);
  EXPECT_EQ(p.sources.GetCount(), 0);
  EXPECT_FALSE(p.IsDirty());
  EXPECT_EQ(p.cardNumber, 5);
  EXPECT_EQ(p.kernelNum, 12);
  EXPECT_EQ(p.cardClass, kCardClassQJ);
  EXPECT_EQ(p.kind, kProjectKindPascal);
}

TEST(ProjectData, FilePathAndFolderDoNotMarkModified) {
  ProjectData p;
  p.SetFilePath("/p/x.kpj");
  p.SetProjectDir("/p");
  EXPECT_FALSE(p.IsDirty());
  p.SetFilePath(nullptr);
  EXPECT_EQ(p.filePath, nullptr);
}

}  // namespace
