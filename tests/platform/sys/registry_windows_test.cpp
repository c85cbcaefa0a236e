// Registry calls in the cases where our store used to differ from Windows:
// string terminators, short enumeration buffers, parent rights, and the
// result codes of odd arguments.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/sys/registry.h"
#include "tests/platform/sys/sys_test_util.h"

namespace {

using sys_test::Bytes;

constexpr char kFill = '#';  // what a caller's buffer held before the call

class RegistryWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = sys_test::FreshSettings("regwin");
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_CURRENT_USER, "T", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  }
  void TearDown() override { RegCloseKey(key); }
  std::string dir;
  HKEY key = nullptr;
};

// A string set without its terminator is stored with it (the size Windows
// then reports counts it); a list gets its double terminator.
TEST_F(RegistryWindowsTest, StringsAreStoredTerminated) {
  struct Case {
    const char* what;
    DWORD type;
    std::string given;
    std::string stored;
  } cases[] = {
      {"string one short", REG_SZ, "abc", Bytes("abc\0")},
      {"string whole", REG_SZ, Bytes("abc\0"), Bytes("abc\0")},
      {"expandable", REG_EXPAND_SZ, "%X%", Bytes("%X%\0")},
      {"list one short", REG_MULTI_SZ, Bytes("a\0b\0"), Bytes("a\0b\0\0")},
      {"list without any end", REG_MULTI_SZ, Bytes("a\0b"), Bytes("a\0b\0\0")},
      {"binary as given", REG_BINARY, "abc", "abc"},
      {"empty string", REG_SZ, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "v", 0, c.type, reinterpret_cast<const BYTE*>(c.given.data()),
                                           DWORD(c.given.size())));
    char buf[16];
    std::memset(buf, kFill, sizeof buf);
    DWORD type = 0, size = sizeof buf;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "v", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size));
    EXPECT_EQ(c.stored, std::string(buf, size));
    EXPECT_EQ(kFill, buf[size]);
    char name[8];
    DWORD nameCount = sizeof name, enumSize = sizeof buf;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumValue(key, 0, name, &nameCount, nullptr, &type,
                                          reinterpret_cast<BYTE*>(buf), &enumSize));
    EXPECT_EQ(c.stored.size(), enumSize);
  }
}

// A string kept without terminator (an older file) reads back terminated
// when the buffer has room for it.
TEST_F(RegistryWindowsTest, UnterminatedStoredStringsReadBackTerminated) {
  mirt_test::WriteFile(dir + "/HKEY_CURRENT_USER.reg",
                       "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Old]\r\n\"raw\"=hex(1):61,62,63\r\n");
  plat::ReloadRegistry();
  HKEY old;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Old", 0, KEY_READ, &old));
  struct Case {
    DWORD room;
    bool withBuffer;
    LONG rc;
    DWORD size;
    std::string bytes;
  } cases[] = {
      {0, false, ERROR_SUCCESS, 4, ""},  // the size asked for has room for the terminator
      {8, true, ERROR_SUCCESS, 4, Bytes("abc\0")},
      {3, true, ERROR_SUCCESS, 3, "abc"},  // no room: the bytes as stored
      {2, true, ERROR_MORE_DATA, 4, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.room);
    char buf[8];
    std::memset(buf, kFill, sizeof buf);
    DWORD size = c.room;
    EXPECT_EQ(c.rc, RegQueryValueEx(old, "raw", nullptr, nullptr,
                                    c.withBuffer ? reinterpret_cast<BYTE*>(buf) : nullptr, &size));
    EXPECT_EQ(c.size, size);
    if (c.rc == ERROR_SUCCESS && c.withBuffer) {
      EXPECT_EQ(c.bytes, std::string(buf, size));
    }
  }
  RegCloseKey(old);
}

// Too small a buffer: the type and the data size needed are given, the
// name and its length are left alone.
TEST_F(RegistryWindowsTest, EnumValueWithShortBuffers) {
  const std::string kData = Bytes("value\0");
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "LongName", 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(kData.data()), DWORD(kData.size())));
  struct Case {
    const char* what;
    DWORD nameRoom, dataRoom;
  } cases[] = {{"short name", 4, 32}, {"short data", 32, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    char name[32], data[32];
    std::memset(name, kFill, sizeof name);
    DWORD nameCount = c.nameRoom, type = 0, size = c.dataRoom;
    EXPECT_EQ(ERROR_MORE_DATA,
              RegEnumValue(key, 0, name, &nameCount, nullptr, &type, reinterpret_cast<BYTE*>(data), &size));
    EXPECT_EQ(DWORD(REG_SZ), type);
    EXPECT_EQ(kData.size(), size);
    EXPECT_EQ(c.nameRoom, nameCount);
    EXPECT_EQ(kFill, name[0]);
  }
}

TEST_F(RegistryWindowsTest, CreateDoesNotCheckTheParentsRights) {
  HKEY notifyOnly, child;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "T", 0, KEY_NOTIFY, &notifyOnly));
  DWORD disposition = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyEx(notifyOnly, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child,
                                          &disposition));
  EXPECT_EQ(DWORD(REG_CREATED_NEW_KEY), disposition);
  RegCloseKey(child);
  RegCloseKey(notifyOnly);
}

TEST_F(RegistryWindowsTest, QueryResultsOfOddArguments) {
  DWORD size = 77;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueEx(key, "missing", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(0u, size);
  // One variable for the type and the size: the size is what it holds after.
  DWORD number = 0x12345678;
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetValueEx(key, "n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number));
  DWORD both = sizeof number;
  DWORD out = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "n", nullptr, &both, reinterpret_cast<BYTE*>(&out), &both));
  EXPECT_EQ(sizeof number, both);
  EXPECT_EQ(number, out);
}

TEST_F(RegistryWindowsTest, OpenResultsOfOddArguments) {
  HKEY const kUntouched = reinterpret_cast<HKEY>(0x1234);
  struct Case {
    const char* what;
    HKEY parent;
    const char* subKey;
    LONG rc;
    HKEY result;  // kUntouched: left as it was; nullptr: any new handle
  } cases[] = {
      {"no parent", nullptr, "T", ERROR_INVALID_HANDLE, kUntouched},
      {"leading backslash", HKEY_CURRENT_USER, "\\T", ERROR_BAD_PATHNAME, nullptr},
      {"classes root, NULL", HKEY_CLASSES_ROOT, nullptr, ERROR_SUCCESS, HKEY_CLASSES_ROOT},
      {"classes root, empty", HKEY_CLASSES_ROOT, "", ERROR_SUCCESS, HKEY_CLASSES_ROOT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HKEY result = kUntouched;
    EXPECT_EQ(c.rc, RegOpenKey(c.parent, c.subKey, &result));
    if (c.result) {
      EXPECT_EQ(c.result, result);
    }
    result = kUntouched;
    EXPECT_EQ(c.rc, RegOpenKeyEx(c.parent, c.subKey, 0, KEY_READ, &result));
    if (c.result) {
      EXPECT_EQ(c.result, result);
    }
  }
}

// The class-name buffer: too small gives ERROR_MORE_DATA and the class's
// length; the longest data counts the terminator a string reads back with.
TEST_F(RegistryWindowsTest, QueryInfoKeyClassBufferAndLongestData) {
  constexpr auto kClass = "Cls";
  HKEY child;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(key, "C", 0, const_cast<LPSTR>(kClass), 0, KEY_ALL_ACCESS, nullptr,
                                          &child, nullptr));
  struct Case {
    bool withBuffer;
    DWORD room;
    LONG rc;
    DWORD count;
  } cases[] = {{true, 3, ERROR_MORE_DATA, 3}, {true, 4, ERROR_SUCCESS, 3}, {false, 0, ERROR_SUCCESS, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.room);
    char buf[8] = {};
    DWORD count = c.room;
    EXPECT_EQ(c.rc, RegQueryInfoKey(child, c.withBuffer ? buf : nullptr, &count, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(c.count, count);
  }
  char buf[8];
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryInfoKey(child, buf, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                     nullptr, nullptr, nullptr, nullptr, nullptr));
  RegCloseKey(child);
  mirt_test::WriteFile(dir + "/HKEY_CURRENT_USER.reg",
                       "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Old]\r\n\"raw\"=hex(1):61,62,63\r\n");
  plat::ReloadRegistry();
  HKEY old;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Old", 0, KEY_READ, &old));
  DWORD longest = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKey(old, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, &longest, nullptr, nullptr));
  EXPECT_EQ(4u, longest);
  RegCloseKey(old);
}

}  // namespace
