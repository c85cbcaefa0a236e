// The application profile in the registry and in its INI file.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/sys/inifile.h"
#include "platform/sys/profile.h"
#include "tests/platform/sys/sys_test_util.h"

namespace {

class ProfileTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    dir = sys_test::FreshSettings("profile");
    plat::Profile& p = plat::Profile::App();
    p.SetAppName("TestApp");
    p.SetProfileName(nullptr);
    p.SetRegistryKey(GetParam() ? "Maker" : nullptr);
  }
  void TearDown() override { plat::Profile::App().SetRegistryKey(nullptr); }
  std::string dir;
};

TEST_P(ProfileTest, RoundTripsAndDeletes) {
  plat::Profile& p = plat::Profile::App();
  std::string longText(5000, 'x');
  EXPECT_TRUE(p.WriteProfileString("Sec", "Text", longText.c_str()));
  EXPECT_TRUE(p.WriteProfileInt("Sec", "Int", -5));
  const BYTE bin[] = {0x00, 0x1F, 0xF1, 0xFF};
  EXPECT_TRUE(p.WriteProfileBinary("Sec", "Bin", bin, sizeof bin));
  EXPECT_TRUE(p.WriteProfileString("", "Top", "level"));

  EXPECT_EQ(longText, std::string(p.GetProfileString("Sec", "Text")));
  EXPECT_EQ(static_cast<UINT>(-5), p.GetProfileInt("Sec", "Int", 0));
  EXPECT_EQ(9u, p.GetProfileInt("Sec", "Missing", 9));
  EXPECT_EQ("dflt", std::string(p.GetProfileString("Nope", "x", "dflt")));
  EXPECT_EQ("level", std::string(p.GetProfileString("", "Top")));
  BYTE* data = nullptr;
  UINT size = 0;
  ASSERT_TRUE(p.GetProfileBinary("Sec", "Bin", &data, &size));
  std::unique_ptr<BYTE[]> owned(data);
  ASSERT_EQ(sizeof bin, size);
  EXPECT_EQ(0, std::memcmp(bin, data, size));
  EXPECT_FALSE(p.GetProfileBinary("Sec", "Missing", &data, &size));
  EXPECT_EQ(nullptr, data);

  EXPECT_TRUE(p.WriteProfileString("Sec", "Text", nullptr));
  EXPECT_EQ("gone", std::string(p.GetProfileString("Sec", "Text", "gone")));
  EXPECT_TRUE(p.WriteProfileString("Sec", nullptr, nullptr));
  EXPECT_EQ(4u, p.GetProfileInt("Sec", "Int", 4));
}

TEST_P(ProfileTest, StorageLocation) {
  plat::Profile& p = plat::Profile::App();
  p.WriteProfileInt("Views", "Bar", 1);
  if (GetParam()) {
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Maker\\TestApp\\Views", 0, KEY_READ, &k));
    DWORD type = 0, v = 0, size = 4;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(k, "Bar", nullptr, &type, reinterpret_cast<BYTE*>(&v), &size));
    EXPECT_EQ(REG_DWORD, static_cast<int>(type));
    RegCloseKey(k);
    EXPECT_FALSE(mirt_test::ReadFile(dir + "/TestApp.ini").size());
  } else {
    EXPECT_EQ("[Views]\r\nBar=1\r\n", mirt_test::ReadFile(dir + "/TestApp.ini"));
    const BYTE bin[] = {0x1F};
    p.WriteProfileBinary("Views", "B", bin, 1);
    char buf[8];
    GetPrivateProfileString("Views", "B", "", buf, sizeof buf, "TestApp.ini");
    EXPECT_STREQ("PB", buf);  // low nibble first, each as 'A' + nibble
  }
}

INSTANTIATE_TEST_SUITE_P(Storage, ProfileTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Registry" : "IniFile"; });

}  // namespace
