#include <gtest/gtest.h>

#include "app/core/project_data.h"
#include "app/makefile_names.h"

namespace {

TEST(MakefileNames, ObjectNames) {
  struct Case {
    const char *source, *suffix, *object;
  } cases[] = {
      {"main.c", "o", "main.o"},
      {"sub\\util.cpp", "o", "sub\\util.o"},
      {"main.c", "obj", "main.obj"},
      {"sub\\util.cpp", "obj", "sub\\util.obj"},
      {"a.b.c", "o", "a.b.o"},
      {"noext", "o", "noext.o"},
      {"dir.x\\noext", "obj", "dir.x\\noext.obj"},
  };
  for (const Case& c : cases) EXPECT_EQ(ObjectNameOf(c.source, c.suffix), c.object) << c.source;
}

TEST(MakefileNames, GnuToolDirs) {
  struct Case {
    const char *toolDir, *gnu;
  } cases[] = {
      {"C:\\cyg\\usr\\local\\bin", "/usr/local/bin"},
      {"C:\\tools\\bin", "C:/tools/bin"},
      {"/opt/cross/bin", "/opt/cross/bin"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GnuToolDir(c.toolDir), c.gnu) << c.toolDir;
}

TEST(MakefileNames, LinkerOptionsBecomeWlOptions) {
  struct Case {
    const char *flags, *joined;
  } cases[] = {
      // gcc links statically with its own "-static" (its support library
      // included); behind -Wl it would still ask for the shared one.
      {"-static -Map Mapfile --cref ", " -static -Wl,-Map,Mapfile -Wl,--cref"},
      {"-static", " -static"},
      {"-staticlib -s", " -Wl,-staticlib -Wl,-s"},
      {"-T link.ld -s ", " -Wl,-T,link.ld -Wl,-s"},
      {"-a -b", " -Wl,-a -Wl,-b"},
      {"junk -x", " -Wl,-x"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinLinkerOptions(c.flags), c.joined) << c.flags;
}

TEST(MakefileNames, MakefilePathAndToolchain) {
  ProjectData p;
  p.SetProjectDir("/prj");
  p.SetExeFile("demo.exe");
  EXPECT_EQ(MakefilePathOf(p), "/prj\\demo.mak");
  p.SetExeFile("demo.v2.exe");
  EXPECT_EQ(MakefilePathOf(p), "/prj\\demo.mak");
  p.SetExeFile("demo");
  EXPECT_EQ(MakefilePathOf(p), "/prj\\demo.mak");
  p.SetCompiler("bcc");
  EXPECT_TRUE(UsesBorlandToolchain(p));
  p.SetCompiler("BCC");
  EXPECT_FALSE(UsesBorlandToolchain(p));
  p.SetCompiler("xscale-elf-gcc");
  EXPECT_FALSE(UsesBorlandToolchain(p));
}

}  // namespace
