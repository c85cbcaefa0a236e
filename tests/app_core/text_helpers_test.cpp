#include <gtest/gtest.h>

#include "app/core/text_helpers.h"

namespace {

TEST(FileNameFromPath, PointsBehindTheLastSeparator) {
  const char* windows = "C:\\p\\src\\a.c";
  EXPECT_EQ(FileNameFromPath(windows), windows + 9);
  const char* posix = "/home/u/p/b.cpp";
  EXPECT_STREQ(FileNameFromPath(posix), "b.cpp");
  const char* mixed = "a/b\\c.h";
  EXPECT_STREQ(FileNameFromPath(mixed), "c.h");
  const char* bare = "main.c";
  EXPECT_EQ(FileNameFromPath(bare), bare);
  EXPECT_STREQ(FileNameFromPath("dir/"), "");
}

struct RelativeCase {
  const char* path;
  const char* dir;
  const char* result;
};

class MakeRelativePathTest : public testing::TestWithParam<RelativeCase> {};

TEST_P(MakeRelativePathTest, Relates) {
  const RelativeCase& c = GetParam();
  EXPECT_STREQ(MakeRelativePath(c.path, c.dir), c.result) << c.path << " against " << c.dir;
}

INSTANTIATE_TEST_SUITE_P(Paths, MakeRelativePathTest,
                         testing::Values(RelativeCase{"C:\\p\\src\\a.c", "C:\\P", "src\\a.c"},
                                         RelativeCase{"D:\\x\\a.c", "C:\\P", "D:\\x\\a.c"},
                                         RelativeCase{"/home/u/prj/src/a.c", "/home/u/prj", "src/a.c"},
                                         RelativeCase{"/home/u/prj/src/a.c", "/home/u/prj/", "src/a.c"},
                                         RelativeCase{"/home/u/prj/a.c", "/home/u/prj", "a.c"},
                                         // a plain prefix test, not one on whole folder names
                                         RelativeCase{"/home/u/prjx/a.c", "/home/u/prj", "x/a.c"},
                                         // the directory reaches into the file name: not inside it
                                         RelativeCase{"/home/u/prj/a.c", "/home/u/prj/a", "/home/u/prj/a.c"},
                                         RelativeCase{"a.c", "/home/u", "a.c"}));

TEST(SafeStrEqual, TreatsNullAsItsOwnValue) {
  EXPECT_EQ(SafeStrEqual(nullptr, nullptr), 1);
  EXPECT_EQ(SafeStrEqual(nullptr, ""), 0);
  EXPECT_EQ(SafeStrEqual("", nullptr), 0);
  EXPECT_EQ(SafeStrEqual("abc", "abc"), 1);
  EXPECT_EQ(SafeStrEqual("abc", "ABC"), 0);
}

}  // namespace
