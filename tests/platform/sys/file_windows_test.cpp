// File calls in the cases where a POSIX mapping easily differs from
// Windows: truncation without write access, delete-on-close, zero-length
// locks and locks through handles opened for reading.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/sys/file.h"
#include "tests/platform/sys/sys_test_util.h"

namespace {

constexpr DWORD kNoAccess = 0;
constexpr DWORD kWriteDataRight = 0x0002;  // a specific right, not GENERIC_WRITE
constexpr auto kOld = "old content";

class FileWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { dir = mirt_test::MakeTempDir("filewin"); }
  std::string P(const char* name) { return dir + "/" + name; }
  std::string dir;
};

// CREATE_ALWAYS opens and empties the file whatever access is asked for
// (the open used to fail with 87 and leave the new file behind).
TEST_F(FileWindowsTest, CreateAlwaysTruncatesWithoutWriteAccess) {
  struct Case {
    DWORD access;
    bool existed;
    DWORD error;
  } cases[] = {
      {GENERIC_READ, true, ERROR_ALREADY_EXISTS},    {GENERIC_READ, false, ERROR_SUCCESS},
      {kNoAccess, true, ERROR_ALREADY_EXISTS},       {kNoAccess, false, ERROR_SUCCESS},
      {kWriteDataRight, true, ERROR_ALREADY_EXISTS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "access " << c.access << (c.existed ? " existing" : " new"));
    std::string f = P("t.txt");
    std::filesystem::remove(f);
    if (c.existed) mirt_test::WriteFile(f, kOld);
    HANDLE h = CreateFile(f.c_str(), c.access, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ(c.error, GetLastError());
    EXPECT_EQ(0u, std::filesystem::file_size(f));
    CloseHandle(h);
  }
}

TEST_F(FileWindowsTest, DeleteOnCloseRemovesTheFileAtClose) {
  struct Case {
    DWORD flags;
    bool remains;
  } cases[] = {{FILE_FLAG_DELETE_ON_CLOSE, false}, {FILE_ATTRIBUTE_NORMAL, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    std::string f = P("temp.dat");
    HANDLE h =
        CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, c.flags, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h, "x", 1, &n, nullptr));
    EXPECT_TRUE(std::filesystem::exists(f));
    CloseHandle(h);
    EXPECT_EQ(c.remains, std::filesystem::exists(f));
    std::filesystem::remove(f);
  }
}

TEST_F(FileWindowsTest, ZeroLengthLocksAreAcceptedAndKeepNothingOut) {
  std::string f = mirt_test::WriteFile(P("zero.txt"), "0123456789");
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE a = CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE b = CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(LockFile(a, 4, 0, 0, 0));
  EXPECT_TRUE(LockFile(b, 4, 0, 0, 0));
  EXPECT_TRUE(LockFile(b, 0, 0, 10, 0));
  EXPECT_TRUE(UnlockFile(a, 4, 0, 0, 0));
  EXPECT_FALSE(UnlockFile(a, 4, 0, 0, 0));
  EXPECT_EQ(ERROR_NOT_LOCKED, GetLastError());
  CloseHandle(a);
  CloseHandle(b);
}

// The lock is about the range, not the handle's access: a handle opened
// for reading locks, and keeps out other handles and other processes.
TEST_F(FileWindowsTest, ReadOnlyHandlesLockAgainstOthers) {
  std::string f = mirt_test::WriteFile(P("ro.txt"), "0123456789");
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE reader = CreateFile(f.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(LockFile(reader, 0, 0, 10, 0));
  HANDLE other = CreateFile(f.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(LockFile(other, 5, 0, 1, 0));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, GetLastError());
  CloseHandle(other);
  auto lockInChild = [&] {
    return sys_test::RunInChild(dir, [] {
      HANDLE h = CreateFile("ro.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
      return LockFile(h, 0, 0, 1, 0) ? 0 : static_cast<int>(GetLastError());
    });
  };
  EXPECT_EQ(static_cast<int>(ERROR_LOCK_VIOLATION), lockInChild());
  EXPECT_TRUE(UnlockFile(reader, 0, 0, 10, 0));
  EXPECT_EQ(0, lockInChild());
  CloseHandle(reader);
}

std::vector<std::string> Find(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATA fd;
  HANDLE h = FindFirstFile(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.push_back(fd.cFileName);
  while (FindNextFile(h, &fd));
  FindClose(h);
  return names;
}

// Trailing dots and blanks of a pattern are dropped, as Windows drops them
// from names; a dot after a pattern without one still asks for names
// without extension.
TEST_F(FileWindowsTest, FindPatternsWithTrailingDotsAndBlanks) {
  for (const char* n : {"a.txt", "b.TXT", "noext", ".hidden"}) mirt_test::WriteFile(P(n), "");
  using V = std::vector<std::string>;
  struct Case {
    const char* pattern;
    V names;
  } cases[] = {
      {"*.txt.", {"a.txt", "b.TXT"}}, {"*.txt ", {"a.txt", "b.TXT"}}, {"a.txt. .", {"a.txt"}},
      {"noext.", {"noext"}},          {"*. ", {".", "..", "noext"}},  {".*", {".", "..", ".hidden"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.names, Find(dir + "\\" + c.pattern)) << "[" << c.pattern << "]";
}

TEST_F(FileWindowsTest, ControlCharactersMakeAnInvalidName) {
  WIN32_FIND_DATA fd;
  EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFile("c:\\*.\n*", &fd));
  EXPECT_EQ(DWORD(ERROR_INVALID_NAME), GetLastError());
}

TEST_F(FileWindowsTest, TempFileNamesKeepTheCallersSeparators) {
  struct Case {
    std::string folder;
    std::string expected;
  } cases[] = {
      {dir, dir + "/t1.TMP"},
      {dir + "/", dir + "/t1.TMP"},
      {dir + "\\sub", dir + "\\sub\\t1.TMP"},
  };
  for (const Case& c : cases) {
    char name[MAX_PATH];
    ASSERT_EQ(1u, GetTempFileName(c.folder.c_str(), "t", 1, name));
    EXPECT_EQ(c.expected, std::string(name));
  }
  std::filesystem::create_directory(P("sub"));
  char made[MAX_PATH];
  ASSERT_NE(0u, GetTempFileName((dir + "\\sub").c_str(), "t", 0, made));
  EXPECT_EQ(0u, std::string(made).find(dir + "\\sub\\t"));
  std::string onDisk = std::string(made);
  std::replace(onDisk.begin(), onDisk.end(), '\\', '/');
  EXPECT_TRUE(std::filesystem::exists(onDisk));
}

}  // namespace
