// Win32 file functions: dispositions, sharing, positions, locks, names,
// searches, times, and the error numbers of their failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sys/file.h"
#include "platform/sys/path.h"
#include "tests/platform/sys/sys_test_util.h"

namespace {

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override { dir = mirt_test::MakeTempDir("file"); }
  std::string P(const char* name) { return dir + "/" + name; }
  std::string dir;
};

TEST_F(FileTest, DispositionsAndTheirErrors) {
  std::string f = P("a.txt");
  struct Step {
    DWORD disposition;
    bool ok;
    DWORD error;
  } steps[] = {
      {OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
      {TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND},
      {CREATE_NEW, true, ERROR_SUCCESS},
      {CREATE_NEW, false, ERROR_FILE_EXISTS},
      {CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
      {OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
      {OPEN_EXISTING, true, ERROR_SUCCESS},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.disposition);
    HANDLE h = CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, s.disposition,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(s.ok, h != INVALID_HANDLE_VALUE);
    EXPECT_EQ(s.error, GetLastError());
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CreateFile((dir + "\\no\\x").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CreateFile(dir.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x7777)));
  EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
}

TEST_F(FileTest, ReadWriteSeekTruncate) {
  std::string f = P("rw.bin");
  HANDLE h = CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(h, "0123456789", 10, &n, nullptr));
  EXPECT_EQ(10u, n);
  EXPECT_EQ(4u, SetFilePointer(h, 4, nullptr, FILE_BEGIN));
  char buf[16] = {};
  ASSERT_TRUE(ReadFile(h, buf, 3, &n, nullptr));
  EXPECT_EQ("456", std::string(buf, n));
  EXPECT_EQ(5u, SetFilePointer(h, -2, nullptr, FILE_CURRENT));
  EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(h, -20, nullptr, FILE_END));
  EXPECT_EQ(ERROR_NEGATIVE_SEEK, GetLastError());
  ASSERT_TRUE(SetEndOfFile(h));
  EXPECT_EQ(5u, GetFileSize(h, nullptr));
  SetFilePointer(h, 0, nullptr, FILE_END);
  ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));  // at the end: success, nothing read
  EXPECT_EQ(0u, n);
  EXPECT_TRUE(FlushFileBuffers(h));
  CloseHandle(h);
  EXPECT_EQ("01234", mirt_test::ReadFile(f));

  h = CreateFile(f.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr));
  EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
  CloseHandle(h);
}

TEST_F(FileTest, ShareModesWithinTheProcess) {
  std::string f = P("share.txt");
  mirt_test::WriteFile(f, "x");
  struct Case {
    DWORD firstAccess, firstShare, secondAccess, secondShare;
    bool ok;
  } cases[] = {
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
      {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},
      {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, false},  // second must allow writing
      {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {GENERIC_READ, 0, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
  };
  for (const Case& c : cases) {
    HANDLE a = CreateFile(f.c_str(), c.firstAccess, c.firstShare, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, a);
    HANDLE b = CreateFile(f.c_str(), c.secondAccess, c.secondShare, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(c.ok, b != INVALID_HANDLE_VALUE);
    if (b != INVALID_HANDLE_VALUE)
      CloseHandle(b);
    else
      EXPECT_EQ(ERROR_SHARING_VIOLATION, GetLastError());
    CloseHandle(a);
  }
  // A refused CREATE_ALWAYS does not truncate the file.
  HANDLE a = CreateFile(f.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CreateFile(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  CloseHandle(a);
  EXPECT_EQ("x", mirt_test::ReadFile(f));
}

TEST_F(FileTest, LocksBetweenHandles) {
  std::string f = P("lock.txt");
  mirt_test::WriteFile(f, "0123456789");
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE a = CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE b = CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(LockFile(a, 2, 0, 4, 0));
  EXPECT_FALSE(LockFile(a, 5, 0, 1, 0));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, GetLastError());
  EXPECT_FALSE(LockFile(b, 0, 0, 3, 0));
  EXPECT_EQ(ERROR_LOCK_VIOLATION, GetLastError());
  EXPECT_TRUE(LockFile(b, 6, 0, 2, 0));
  EXPECT_FALSE(UnlockFile(a, 2, 0, 3, 0));
  EXPECT_EQ(ERROR_NOT_LOCKED, GetLastError());
  EXPECT_TRUE(UnlockFile(a, 2, 0, 4, 0));
  EXPECT_TRUE(LockFile(b, 0, 0, 3, 0));
  CloseHandle(b);
  EXPECT_TRUE(LockFile(a, 0, 0, 10, 0));  // closing a handle frees its locks
  CloseHandle(a);
}

TEST_F(FileTest, NamesAndFolders) {
  std::string a = P("a.txt"), b = P("b.txt"), sub = P("sub");
  mirt_test::WriteFile(a, "A");
  mirt_test::WriteFile(b, "B");
  EXPECT_FALSE(MoveFile(a.c_str(), b.c_str()));
  EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
  EXPECT_TRUE(MoveFileEx(a.c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ("A", mirt_test::ReadFile(b));
  EXPECT_FALSE(CopyFile(b.c_str(), b.c_str(), TRUE));
  EXPECT_EQ(ERROR_FILE_EXISTS, GetLastError());
  EXPECT_TRUE(CopyFile(b.c_str(), a.c_str(), TRUE));
  EXPECT_EQ("A", mirt_test::ReadFile(a));
  EXPECT_FALSE(CopyFile(P("none").c_str(), a.c_str(), FALSE));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());

  EXPECT_TRUE(CreateDirectory(sub.c_str(), nullptr));
  EXPECT_FALSE(CreateDirectory(sub.c_str(), nullptr));
  EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
  EXPECT_FALSE(CreateDirectory(P("x\\y").c_str(), nullptr));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
  EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributes(sub.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(FILE_ATTRIBUTE_NORMAL, GetFileAttributes(a.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributes(P("none").c_str()));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
  EXPECT_TRUE(SetFileAttributes(a.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(FILE_ATTRIBUTE_READONLY, GetFileAttributes(a.c_str()));
  SetFileAttributes(a.c_str(), FILE_ATTRIBUTE_NORMAL);

  mirt_test::WriteFile(sub + "/inner", "");
  EXPECT_FALSE(RemoveDirectory(sub.c_str()));
  EXPECT_EQ(ERROR_DIR_NOT_EMPTY, GetLastError());
  EXPECT_FALSE(DeleteFile(sub.c_str()));
  EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
  EXPECT_TRUE(DeleteFile((sub + "\\inner").c_str()));
  EXPECT_TRUE(RemoveDirectory(sub.c_str()));
  EXPECT_FALSE(DeleteFile(sub.c_str()));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
}

TEST_F(FileTest, FindWithWildcards) {
  for (const char* n : {"b.C", "a.c", "Makefile", "x.cpp", "y.h"}) mirt_test::WriteFile(P(n), "");
  auto find = [&](const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATA fd;
    HANDLE h = FindFirstFile((dir + "\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(fd.cFileName);
    while (FindNextFile(h, &fd));
    EXPECT_EQ(ERROR_NO_MORE_FILES, GetLastError());
    FindClose(h);
    return names;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ((V{"a.c", "b.C"}), find("*.c"));
  EXPECT_EQ((V{"x.cpp"}), find("?.cp*"));
  EXPECT_EQ((V{".", "..", "Makefile"}), find("*."));
  EXPECT_EQ((V{".", "..", "a.c", "b.C", "Makefile", "x.cpp", "y.h"}), find("*.*"));
  EXPECT_EQ((V{"Makefile"}), find("MAKEFILE"));
  WIN32_FIND_DATA fd;
  EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFile((dir + "/*.zzz").c_str(), &fd));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
  EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFile((dir + "/none/*").c_str(), &fd));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST_F(FileTest, CurrentFolderFullPathsAndTempNames) {
  char saved[512];
  ASSERT_GT(GetCurrentDirectory(sizeof saved, saved), 0u);
  ASSERT_TRUE(SetCurrentDirectory(dir.c_str()));
  char buf[512];
  DWORD n = GetCurrentDirectory(sizeof buf, buf);
  EXPECT_EQ(std::string(buf), plat::AbsolutePath(dir));
  EXPECT_EQ(n + 1, GetCurrentDirectory(2, buf));  // too small: the size needed

  LPSTR part = nullptr;
  n = GetFullPathName("sub\\..\\file.txt", sizeof buf, buf, &part);
  EXPECT_EQ(plat::AbsolutePath(dir) + "/file.txt", std::string(buf, n));
  EXPECT_STREQ("file.txt", part);
  EXPECT_FALSE(SetCurrentDirectory("no-such-folder"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
  SetCurrentDirectory(saved);

  char temp[MAX_PATH];
  UINT u = GetTempFileName(dir.c_str(), "mirtx", 0, temp);
  ASSERT_NE(0u, u);
  EXPECT_TRUE(plat::FileExists(temp));
  EXPECT_EQ("mir", plat::FileNamePart(temp).substr(0, 3));
  EXPECT_EQ(".TMP", plat::ExtensionPart(temp));
  EXPECT_EQ(0x1234u, GetTempFileName(dir.c_str(), "t", 0x1234, temp));
  EXPECT_EQ(dir + "/t1234.TMP", std::string(temp));
  n = GetTempPath(sizeof buf, buf);
  EXPECT_EQ('/', buf[n - 1]);
}

TEST_F(FileTest, FileTimes) {
  std::string f = P("t.txt");
  HANDLE h = CreateFile(f.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  SYSTEMTIME st = {2001, 2, 0, 3, 4, 5, 6, 0};
  FILETIME ft, back;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
  ASSERT_TRUE(GetFileTime(h, nullptr, nullptr, &back));
  EXPECT_EQ(0, CompareFileTime(&ft, &back));
  CloseHandle(h);
  WIN32_FIND_DATA fd;
  h = FindFirstFile(f.c_str(), &fd);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  FindClose(h);
  EXPECT_EQ(0, CompareFileTime(&ft, &fd.ftLastWriteTime));
}

}  // namespace
