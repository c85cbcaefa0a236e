// Private-profile files: the Windows rules for lists, truncation, quotes,
// deletes, line ends and file locations.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>
#include <string>

#include "platform/sys/equal_no_case.h"
#include "platform/sys/file.h"
#include "platform/sys/inifile.h"
#include "tests/platform/sys/sys_test_util.h"
#include "tests/support/file_size_limit.h"

namespace {

// A NUL-separated list as one readable string: "a|b|" for "a\0b\0\0".
std::string ListText(const char* buf, DWORD n) {
  std::string s;
  for (DWORD i = 0; i < n; ++i) s += buf[i] ? buf[i] : '|';
  return s;
}

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = sys_test::FreshSettings("ini");
    file = dir + "/test.ini";
  }
  std::string Get(const char* section, const char* key, const char* def = "", DWORD size = 256) {
    char buf[256];
    DWORD n = GetPrivateProfileString(section, key, def, buf, size, file.c_str());
    return std::string(buf, n);
  }
  std::string dir, file;
};

const char kSample[] =
    "; leading comment\r\n"
    "[First]\r\n"
    "  Key One  =  spaced value  \r\n"
    "quoted=\"  in quotes  \"\r\n"
    "single=' x '\r\n"
    "half=\"open\r\n"
    "noequals\r\n"
    "; inner=comment\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    "[ Second ]\n"
    "a=1\n"
    "[first]\r"
    "late=ignored\r";

TEST_F(IniTest, ValueRules) {
  mirt_test::WriteFile(file, kSample);
  struct Case {
    const char *section, *key, *def, *expected;
  } cases[] = {
      {"First", "Key One", "", "spaced value"},
      {"FIRST", "key one", "", "spaced value"},
      {"First", "quoted", "", "  in quotes  "},
      {"First", "single", "", " x "},
      {"First", "half", "", "\"open"},
      {"First", "noequals", "d", ""},
      {"First", "inner", "d", "d"},
      {"First", "dup", "", "first"},
      {"Second", "a", "", "1"},           // LF line ends, blanks in the header
      {"First", "late", "def  ", "def"},  // a repeated section is not read; default loses trailing blanks
      {"Missing", "a", "  lead", "  lead"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(c.expected, Get(c.section, c.key, c.def));
  }
  char buf[8];
  EXPECT_EQ(0u, GetPrivateProfileString("Missing", "a", nullptr, buf, sizeof buf, file.c_str()));
  EXPECT_STREQ("", buf);
}

TEST_F(IniTest, ListsAndTheirTruncation) {
  mirt_test::WriteFile(file, kSample);
  char buf[64];
  DWORD n = GetPrivateProfileString(nullptr, nullptr, nullptr, buf, sizeof buf, file.c_str());
  EXPECT_EQ("First|Second|", ListText(buf, n));
  EXPECT_EQ('\0', buf[n]);
  n = GetPrivateProfileSectionNames(buf, sizeof buf, file.c_str());
  EXPECT_EQ("First|Second|", ListText(buf, n));
  n = GetPrivateProfileString("first", nullptr, nullptr, buf, sizeof buf, file.c_str());
  EXPECT_EQ("Key One|quoted|single|half|dup|dup|", ListText(buf, n));  // no line without "="
  n = GetPrivateProfileSection("Second", buf, sizeof buf, file.c_str());
  EXPECT_EQ("a=1|", ListText(buf, n));

  struct Case {
    DWORD size;
    DWORD result;
    const char* text;  // the whole buffer
  } cases[] = {
      {8, 6, "First|||"},          {2, 0, "||"}, {1, 0, "|"},
      {14, 12, "First|Second||"},  // an exact fit reports size - 2, as Windows
      {15, 13, "First|Second||x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    char small[16];
    std::memset(small, 'x', sizeof small);
    DWORD r = GetPrivateProfileSectionNames(small, c.size, file.c_str());
    EXPECT_EQ(c.result, r);
    EXPECT_EQ(std::string(c.text).substr(0, c.size), ListText(small, c.size));
  }
  // A value that does not fit is cut, with size - 1 returned.
  EXPECT_EQ("spac", Get("First", "Key One", "", 5));
  EXPECT_EQ(0u, GetPrivateProfileString("First", "Key One", "", buf, 0, file.c_str()));
}

TEST_F(IniTest, WritesKeepOtherLinesAndUseCrLf) {
  mirt_test::WriteFile(file, "; c\n[A]\nx=1\n\n[B]\ny=2\n");
  ASSERT_TRUE(WritePrivateProfileString("a", "X", "new", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("A", "z", "3", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("C", "k", "v", file.c_str()));
  EXPECT_EQ("; c\r\n[A]\r\nx=new\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n", mirt_test::ReadFile(file));

  ASSERT_TRUE(WritePrivateProfileString("B", "y", nullptr, file.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("A", nullptr, nullptr, file.c_str()));
  EXPECT_EQ("; c\r\n[B]\r\n[C]\r\nk=v\r\n", mirt_test::ReadFile(file));
  // Deleting what is not there changes nothing and succeeds.
  EXPECT_TRUE(WritePrivateProfileString("Nope", nullptr, nullptr, file.c_str()));
  EXPECT_FALSE(WritePrivateProfileString(nullptr, "k", "v", file.c_str()));
}

TEST_F(IniTest, SectionWritesAndInts) {
  const char lines[] = "a=1\0b = -42\0c=12abc\0d=x\0";
  ASSERT_TRUE(WritePrivateProfileSection("S", lines, file.c_str()));
  struct Case {
    const char* key;
    int def;
    UINT expected;
  } cases[] = {{"a", 7, 1}, {"b", 7, static_cast<UINT>(-42)}, {"c", 7, 12}, {"d", 7, 0}, {"missing", 7, 7}};
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, GetPrivateProfileInt("S", c.key, c.def, file.c_str())) << c.key;
  ASSERT_TRUE(WritePrivateProfileSection("S", "only=1\0", file.c_str()));
  EXPECT_EQ("[S]\r\nonly=1\r\n", mirt_test::ReadFile(file));
  ASSERT_TRUE(WritePrivateProfileSection("S", nullptr, file.c_str()));
  EXPECT_EQ("", mirt_test::ReadFile(file));
}

TEST_F(IniTest, StructsCarryAChecksum) {
  const BYTE data[] = {0x01, 0xFF, 0x10};
  ASSERT_TRUE(WritePrivateProfileStruct("S", "k", const_cast<BYTE*>(data), sizeof data, file.c_str()));
  EXPECT_EQ("01FF1010", Get("S", "k"));
  BYTE back[3] = {};
  EXPECT_TRUE(GetPrivateProfileStruct("S", "k", back, sizeof back, file.c_str()));
  EXPECT_EQ(0, std::memcmp(data, back, 3));
  EXPECT_FALSE(GetPrivateProfileStruct("S", "k", back, 2, file.c_str()));  // wrong size
  WritePrivateProfileString("S", "k", "01FF1011", file.c_str());
  EXPECT_FALSE(GetPrivateProfileStruct("S", "k", back, sizeof back, file.c_str()));  // bad checksum
}

TEST_F(IniTest, FileLocations) {
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", "plain.ini"));
  EXPECT_EQ("[S]\r\nk=v\r\n", mirt_test::ReadFile(dir + "/plain.ini"));
  std::string sub = mirt_test::MakeTempDir("inisub");
  std::string windowsStyle = sub + "\\w.ini";
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "w", windowsStyle.c_str()));
  EXPECT_EQ("[S]\r\nk=w\r\n", mirt_test::ReadFile(sub + "/w.ini"));
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", (sub + "/missing/x.ini").c_str()));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST_F(IniTest, FailedWriteLeavesTheOldFileWhole) {
  std::string old = "[S]\r\nk=old\r\n";
  mirt_test::WriteFile(file, old);
  {
    mirt_test::FileSizeLimit limit(old.size() + 4);
    EXPECT_FALSE(WritePrivateProfileString("S", "k", std::string(200, 'n').c_str(), file.c_str()));
  }
  EXPECT_EQ(old, mirt_test::ReadFile(file));
}

// Key lists and section lists leave out lines without "=" and entries
// without a key name (which would show as a stray NUL).
TEST_F(IniTest, ListsShowOnlyKeyValueLines) {
  mirt_test::WriteFile(file, "[S]\r\nbare\r\n=novalue\r\nk=v\r\n  \r\nempty=\r\n");
  char buf[64];
  DWORD n = GetPrivateProfileString("S", nullptr, nullptr, buf, sizeof buf, file.c_str());
  EXPECT_EQ("k|empty|", ListText(buf, n));
  n = GetPrivateProfileSection("S", buf, sizeof buf, file.c_str());
  EXPECT_EQ("k=v|empty=|", ListText(buf, n));
}

// The last error of each call and the odd arguments, as Windows sets them.
TEST_F(IniTest, ErrorCodesOfOddArguments) {
  mirt_test::WriteFile(file, "[S]\r\nk=7\r\n");
  constexpr DWORD kStale = 12345;  // set before each call: success clears it
  constexpr int kDefault = 70;
  struct Case {
    const char* what;
    std::function<DWORD()> call;
    DWORD result;
    DWORD error;
  } cases[] = {
      {"write with a NULL section",
       [&] { return DWORD(WritePrivateProfileString(nullptr, "k", "v", file.c_str())); }, FALSE,
       ERROR_FILE_NOT_FOUND},
      {"write to an empty file name", [&] { return DWORD(WritePrivateProfileString("S", "k", "v", "")); },
       FALSE, ERROR_ACCESS_DENIED},
      {"write succeeds", [&] { return DWORD(WritePrivateProfileString("S", "k", "8", file.c_str())); }, TRUE,
       ERROR_SUCCESS},
      {"section into a NULL buffer", [&] { return GetPrivateProfileSection("S", nullptr, 10, file.c_str()); },
       0, ERROR_INVALID_PARAMETER},
      {"key list read",
       [&] {
         char buf[16];
         return GetPrivateProfileString("S", nullptr, "", buf, sizeof buf, file.c_str());
       },
       2, ERROR_SUCCESS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(kStale);
    EXPECT_EQ(c.result, c.call());
    EXPECT_EQ(c.error, GetLastError());
  }
  EXPECT_EQ(0u, GetPrivateProfileInt(nullptr, nullptr, kDefault, nullptr));
  EXPECT_EQ(0u, GetPrivateProfileInt("S", nullptr, kDefault, file.c_str()));
}

// Another handle of the process that does not share reading and writing
// keeps the profile functions from writing the file.
TEST_F(IniTest, WritesRespectTheShareModesOfOpenHandles) {
  mirt_test::WriteFile(file, "[S]\r\nk=old\r\n");
  struct Case {
    DWORD share;
    BOOL written;
  } cases[] = {
      {FILE_SHARE_READ | FILE_SHARE_WRITE, TRUE},
      {FILE_SHARE_READ, FALSE},
      {FILE_SHARE_WRITE, FALSE},
      {0, FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.share);
    HANDLE h = CreateFile(file.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ(c.written, WritePrivateProfileString("S", "k", "new", file.c_str()));
    if (!c.written) {
      EXPECT_EQ(ERROR_SHARING_VIOLATION, GetLastError());
    }
    CloseHandle(h);
  }
}

// Several processes writing their own keys into one file at the same time
// lose none of them.
TEST_F(IniTest, ConcurrentProcessesLoseNoKey) {
  constexpr int kProcesses = 4;
  constexpr int kKeysEach = 100;
  std::vector<int> codes = sys_test::RunTogether(kProcesses, [&](int p) {
    for (int k = 0; k < kKeysEach; ++k) {
      std::string key = "p" + std::to_string(p) + "k" + std::to_string(k);
      if (!WritePrivateProfileString("Shared", key.c_str(), "v", file.c_str())) return 1;
    }
    return 0;
  });
  EXPECT_EQ(std::vector<int>(kProcesses, 0), codes);
  std::vector<char> buf(64 * 1024);
  DWORD n = GetPrivateProfileString("Shared", nullptr, nullptr, buf.data(), DWORD(buf.size()), file.c_str());
  int keys = 0;
  for (DWORD i = 0; i < n; ++i) keys += buf[i] == '\0';
  EXPECT_EQ(kProcesses * kKeysEach, keys);
}

TEST(EqualNoCase, FoldsOnlyAsciiLetters) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  const Case cases[] = {
      {"Software\\Kalven", "SOFTWARE\\kalven", true},
      {"", "", true},
      {"key", "keys", false},
      {"[", "{", false},  // 0x5B and 0x7B are no letter pair
      {"@", "`", false},
      {"\xC9", "\xE9", false},  // accented letters stay as they are, whatever the locale
  };
  for (const Case& c : cases) EXPECT_EQ(plat::EqualNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

}  // namespace
