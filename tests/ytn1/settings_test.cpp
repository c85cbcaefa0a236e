#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/sys/registry.h"
#include "ytn1/settings_state.h"
#include "ytn1/ytn1.h"

namespace {

void DeleteTree(const char* path) {
  for (const char* sub : {"SETTINGS", "TRAIL"}) {
    std::string k = std::string(path) + "\\" + sub;
    RegDeleteKey(HKEY_CURRENT_USER, k.c_str());
  }
  RegDeleteKey(HKEY_CURRENT_USER, path);
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(ytn1::kRootKey);
    ytn1::LibraryStartup();
  }
  static void SetString(const char* key, const char* name, const std::string& value) {
    HKEY h;
    ASSERT_TRUE(CreateReg(key, &h));
    ASSERT_TRUE(WriteRegString(h, name, value.c_str()));
    RegCloseKey(h);
  }
  static std::string Get(LPSTR (*getter)(LPSTR)) {
    char buf[300];
    std::memset(buf, 'x', sizeof buf);
    getter(buf);
    EXPECT_NE(std::memchr(buf, 0, sizeof buf), nullptr);  // always terminated
    return buf;
  }
};

TEST_F(SettingsTest, DefaultsWithEmptyRegistryAndKeysCreated) {
  EXPECT_EQ(Get(GetYtn32Path), "\\");
  EXPECT_EQ(Get(GetMddPath), "\\driver\\");
  EXPECT_EQ(Get(GetInsPath), "");
  EXPECT_EQ(GetTRailTimeout(), 10);
  EXPECT_EQ(GetUserMode(), 0);
  for (const char* k : {ytn1::kRootKey, ytn1::kSettingsKey, ytn1::kTRailKey}) {
    HKEY h;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, k, 0, KEY_READ, &h), ERROR_SUCCESS) << k;
    DWORD values = 99;
    RegQueryInfoKey(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                    nullptr, nullptr);
    EXPECT_EQ(values, 0u) << k;
    RegCloseKey(h);
  }
}

TEST_F(SettingsTest, StoredValuesAreReadAtLoad) {
  SetString(ytn1::kRootKey, "path", "/opt/ytn32");
  SetString(ytn1::kSettingsKey, "mdd_path", "/opt/mdd/");
  HKEY h;
  ASSERT_TRUE(CreateReg(ytn1::kTRailKey, &h));
  WriteRegDword(h, "timeout", 0x12345);
  RegCloseKey(h);
  ytn1::LibraryStartup();
  EXPECT_EQ(Get(GetYtn32Path), "/opt/ytn32");
  EXPECT_EQ(Get(GetMddPath), "/opt/mdd/");
  EXPECT_EQ(GetTRailTimeout(), 0x2345);  // low 16 bits
}

TEST_F(SettingsTest, SettersStoreAndReportSuccess) {
  EXPECT_EQ(SetInsPath("/home/u/ins"), 1);
  EXPECT_EQ(SetMddPath("/m/"), 1);
  EXPECT_EQ(SetTRailTimeout(25), 25);
  EXPECT_EQ(SetUserMode(1), 1);
  ytn1::LibraryStartup();
  EXPECT_EQ(Get(GetInsPath), "/home/u/ins");
  EXPECT_EQ(Get(GetMddPath), "/m/");
  EXPECT_EQ(GetTRailTimeout(), 10);  // the time-out is not stored
  EXPECT_EQ(GetUserMode(), 0);
}

TEST_F(SettingsTest, LongFolderIsCutAndTerminated) {
  std::string longFolder(400, 'a');
  SetYtn32Path(longFolder.c_str());
  EXPECT_EQ(Get(GetYtn32Path), std::string(299, 'a'));
}

TEST_F(SettingsTest, ReadRegStringCutsAt200AndLeavesBufferOnMissingValue) {
  SetString(ytn1::kRootKey, "long", std::string(250, 'z'));
  HKEY h;
  ASSERT_TRUE(CreateReg(ytn1::kRootKey, &h));
  char buf[260];
  ASSERT_TRUE(ReadRegString(h, "long", buf));
  EXPECT_EQ(std::string(buf), std::string(200, 'z'));
  std::strcpy(buf, "keep");
  EXPECT_FALSE(ReadRegString(h, "missing", buf));
  EXPECT_STREQ(buf, "keep");
  DWORD v = 0;
  EXPECT_FALSE(ReadRegDword(h, "missing", &v));
  RegCloseKey(h);
}

}  // namespace
