// Loading shared libraries by their Windows names.
#include <gtest/gtest.h>

#include "platform/sys/file.h"
#include "platform/sys/library.h"
#include "tests/support/test_support.h"

namespace {

TEST(LibraryTest, WindowsNamesFindTheLibraryBesideTheProgram) {
  for (const char* name :
       {"mirt_sys_testlib.dll", "MIRT_SYS_TESTLIB.DLL", "mirt_sys_testlib", "libmirt_sys_testlib.so"}) {
    SCOPED_TRACE(name);
    HMODULE h = LoadLibrary(name);
    ASSERT_NE(nullptr, h) << plat::LastLibraryError();
    auto add = reinterpret_cast<int (*)(int, int)>(GetProcAddress(h, "MirtTestAdd"));
    ASSERT_NE(nullptr, add);
    EXPECT_EQ(5, add(2, 3));
    EXPECT_EQ(nullptr, GetProcAddress(h, "NoSuchExport"));
    EXPECT_EQ(ERROR_PROC_NOT_FOUND, GetLastError());
    char path[512];
    ASSERT_GT(GetModuleFileName(h, path, sizeof path), 0u);
    EXPECT_EQ(mirt_test::ProgramDir() + "/libmirt_sys_testlib.so", std::string(path));
    EXPECT_TRUE(FreeLibrary(h));
  }
}

TEST(LibraryTest, NameWithAFolderAndFailures) {
  std::string withDir = mirt_test::ProgramDir() + "\\mirt_sys_testlib.dll";
  HMODULE h = LoadLibrary(withDir.c_str());
  ASSERT_NE(nullptr, h);
  EXPECT_EQ(h, GetModuleHandle("mirt_sys_testlib.dll"));
  FreeLibrary(h);
  EXPECT_EQ(nullptr, LoadLibrary("/nonexistent/mirt_sys_testlib.dll"));
  EXPECT_EQ(ERROR_MOD_NOT_FOUND, GetLastError());
  EXPECT_EQ(nullptr, LoadLibrary("no_such_library_anywhere.dll"));
  EXPECT_EQ(ERROR_MOD_NOT_FOUND, GetLastError());
}

TEST(LibraryTest, TheProgramItself) {
  EXPECT_NE(nullptr, GetModuleHandle(nullptr));
  char path[512];
  DWORD n = GetModuleFileName(nullptr, path, sizeof path);
  EXPECT_EQ(mirt_test::ProgramDir() + "/sys_process_test", std::string(path, n));
  char tiny[4];
  EXPECT_EQ(4u, GetModuleFileName(nullptr, tiny, sizeof tiny));
  EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
  EXPECT_EQ('\0', tiny[3]);
}

}  // namespace
