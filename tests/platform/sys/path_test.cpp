// Path helpers and atomic file replacement.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/sys/path.h"
#include "tests/platform/sys/sys_test_util.h"
#include "tests/support/file_size_limit.h"

namespace {

TEST(PathHelpers, SplitAndJoinAcceptBackslashes) {
  struct Case {
    const char *path, *dir, *name, *ext, *title;
  } cases[] = {
      {"a\\b\\c.txt", "a/b", "c.txt", ".txt", "c"},
      {"a/b.d/c", "a/b.d", "c", "", "c"},
      {"c.tar.gz", "", "c.tar.gz", ".gz", "c.tar"},
      {"\\c.kpj", "/", "c.kpj", ".kpj", "c"},
      {"dir\\", "dir", "", "", ""},
      {"a//b", "a", "b", "", "b"},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.dir, plat::DirectoryPart(c.path));
    EXPECT_EQ(c.name, plat::FileNamePart(c.path));
    EXPECT_EQ(c.ext, plat::ExtensionPart(c.path));
    EXPECT_EQ(c.title, plat::FileTitlePart(c.path));
  }
  EXPECT_EQ("a/b/c", plat::NormalizeSeparators("a\\b/c"));
  EXPECT_EQ("a/b", plat::JoinPath("a\\", "b"));
  EXPECT_EQ("/b", plat::JoinPath("a", "\\b"));
  EXPECT_EQ("/x", plat::JoinPath("a", "/x"));
  EXPECT_EQ("b", plat::JoinPath("", "b"));
  EXPECT_EQ("/b", plat::JoinPath("/", "b"));
  EXPECT_EQ("/a/c", plat::CleanPath("/a/./b/../c/"));
  EXPECT_EQ("../x", plat::CleanPath("a\\..\\..\\x"));
  EXPECT_EQ("/", plat::CleanPath("/../.."));
}

TEST(PathHelpers, SameFilePathCountsLetterCase) {
  struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"/p/Main.c", "/p/Main.c", true},
      {"/p/Main.c", "/p/MAIN.C", false},
      {"\\p\\Main.c", "/p/Main.c", true},
      {"/p/Main.c", "/p/Main.c ", false},
      {"", "", true},
  };
  for (auto& c : cases) EXPECT_EQ(plat::SameFilePath(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(PathHelpers, ProgramHomeAndSettingsFolders) {
  EXPECT_EQ(mirt_test::ProgramDir(), plat::ProgramDir());
  EXPECT_EQ(std::string(getenv("HOME")), plat::HomeDir());
  std::string dir = mirt_test::MakeTempDir("settings") + "/deep/er";
  setenv("MIRT_CONFIG_DIR", dir.c_str(), 1);
  EXPECT_EQ(dir, plat::SettingsDir());
  EXPECT_TRUE(plat::DirectoryExists(dir));
  unsetenv("MIRT_CONFIG_DIR");
  EXPECT_EQ(plat::HomeDir() + "/.config/mirt2", plat::SettingsDir());
  setenv("MIRT_CONFIG_DIR", dir.c_str(), 1);
}

TEST(AtomicFile, ReplacesKeepsModeAndFollowsLinks) {
  std::string dir = mirt_test::MakeTempDir("atomic");
  std::string target = dir + "/t.txt";
  mirt_test::WriteFile(target, "old");
  chmod(target.c_str(), 0640);
  ASSERT_TRUE(plat::ReplaceFileAtomically(target, "new content"));
  EXPECT_EQ("new content", mirt_test::ReadFile(target));
  struct stat st;
  stat(target.c_str(), &st);
  EXPECT_EQ(0640u, st.st_mode & 0777);
  std::string link = dir + "/link.txt";
  ASSERT_EQ(0, symlink(target.c_str(), link.c_str()));
  ASSERT_TRUE(plat::ReplaceFileAtomically(link, "via link"));
  EXPECT_EQ("via link", mirt_test::ReadFile(target));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  // No temporary files are left behind.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir))
    files += e.is_regular_file() && !e.is_symlink() ? 1 : 0;
  EXPECT_EQ(1, files);
}

TEST(AtomicFile, FailuresLeaveTheOldFileAndSayWhy) {
  std::string dir = mirt_test::MakeTempDir("atomicfail");
  std::string target = dir + "/t.txt";
  mirt_test::WriteFile(target, "old");
  {
    mirt_test::FileSizeLimit limit(8);
    std::string error;
    EXPECT_FALSE(plat::ReplaceFileAtomically(target, std::string(64, 'x'), &error));
    EXPECT_NE(std::string::npos, error.find("t.txt"));
  }
  EXPECT_EQ("old", mirt_test::ReadFile(target));
  std::string error;
  int err = 0;
  EXPECT_FALSE(plat::ReplaceFileAtomically(dir + "/missing/t.txt", "x", &error, &err));
  EXPECT_EQ(ENOENT, err);
  // A writer that is never committed leaves the target alone.
  {
    plat::AtomicFileWriter w(target);
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Write("partial"));
  }
  EXPECT_EQ("old", mirt_test::ReadFile(target));
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir))
    files += e.is_regular_file() && !e.is_symlink() ? 1 : 0;
  EXPECT_EQ(1, files);
}

}  // namespace
