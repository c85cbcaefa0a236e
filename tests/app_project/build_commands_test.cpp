// The build commands' command lines and the compile detection in a tool's
// output.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/build_commands.h"
#include "app/compile_detector.h"
#include "app/core/project_data.h"

namespace {

void BuildTestProject(ProjectData& p, const char* compiler) {
  p.Clear();
  p.SetProjectDir("/w/p");
  p.SetToolDir("/opt/bin");
  p.SetMakeCommand("make");
  p.SetCompiler(compiler);
  p.SetExeFile("demo.exe");
  p.SetPascalCompiler("bpc");
}

TEST(BuildCommandsTest, MakeCommandLinePerToolchain) {
  struct Case {
    const char* compiler;
    BuildKind kind;
    const char* line;
  };
  const Case kCases[] = {
      {"bcc", BuildKind::kMake, "/opt/bin\\make -f/w/p\\demo.mak"},
      {"bcc", BuildKind::kBuildAll, "/opt/bin\\make -B -f/w/p\\demo.mak"},
      {"xscale-elf-gcc", BuildKind::kMake, "/opt/bin\\make "},
      {"xscale-elf-gcc", BuildKind::kBuildAll, "/opt/bin\\make rebuild"},
  };
  ProjectData p;
  for (const Case& c : kCases) {
    BuildTestProject(p, c.compiler);
    EXPECT_EQ(MakeCommandLine(p, c.kind), c.line) << c.compiler;
  }
}

TEST(BuildCommandsTest, OnePascalCallPerPascalSource) {
  ProjectData p;
  BuildTestProject(p, "bcc");
  for (const char* s : {"a.pas", "b.PAS", "c.c"}) p.AddSourceFile(s);
  p.SetUnitDirs("/units");
  EXPECT_EQ(PascalCommandLines(p),
            (std::vector<std::string>{"/opt/bin\\bpc -U/units -M a.pas", "/opt/bin\\bpc -U/units -M b.PAS"}));
  p.SetUnitDirs("");
  EXPECT_EQ(PascalCommandLines(p),
            (std::vector<std::string>{"/opt/bin\\bpc -M a.pas", "/opt/bin\\bpc -M b.PAS"}));
}

TEST(BuildCommandsTest, GnuProjectsKnowTheirCompilerByItsMakefileName) {
  ProjectData p;
  BuildTestProject(p, "gcc");
  std::vector<std::string> names = CompilerNamesOf(p);
  EXPECT_NE(std::find(names.begin(), names.end(), "/opt/bin/gcc"), names.end());
  BuildTestProject(p, "bcc");
  EXPECT_EQ(CompilerNamesOf(p).size(), 2u);
}

// Chunks as a tool's output arrives; compiled: the verdict after all.
struct DetectCase {
  const char* name;
  std::vector<std::string> chunks;
  bool compiled;
};

const DetectCase kDetectCases[] = {
    {"borland command at a line start", {"MAKE Version 5\n\tbcc -c main.c\n"}, true},
    {"borland banner only", {"MAKE Version 5\nCopyright\n"}, false},
    {"tab at a chunk start after a line end", {"MAKE Version 5\n", "\tbcc -c main.c\n"}, true},
    {"tab at a chunk start inside a line", {"MAKE Version 5", "\tbcc -c main.c\n"}, false},
    {"gnu compiler by name", {"xscale-elf-gcc -c main.c\n"}, true},
    {"gnu name then a tab inside a line", {"xscale-elf-g++ -c a.cpp\n", "x\ty\n"}, false},
    {"host compiler by its makefile name", {"/usr/bin/gcc -c -o main.o main.c\n"}, true},
    {"nothing to do", {"make: 'demo.exe' is up to date.\n"}, false},
};

TEST(CompileDetectorTest, VerdictFollowsTheLastSignInTheOutput) {
  for (const DetectCase& c : kDetectCases) {
    CCompileDetector detector({"xscale-elf-gcc", "xscale-elf-g++", "/usr/bin/gcc"});
    for (const std::string& chunk : c.chunks) detector.Feed(chunk.data(), chunk.size());
    EXPECT_EQ(detector.Compiled(), c.compiled) << c.name;
  }
}

}  // namespace
