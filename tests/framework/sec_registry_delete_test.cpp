#include <gtest/gtest.h>

#include <string>

#include "framework/sec_registry.h"
#include "persist_fixture.h"

namespace {

class SECRegistryDeleteTest : public RegistryKeyTest {
 protected:
  void Make(const std::string& below) {
    SECRegistry maker;
    ASSERT_TRUE(maker.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(maker.CreateKey(Key(below).c_str()));
    ASSERT_TRUE(maker.SetStringValue("v", "1"));
  }
};

TEST_F(SECRegistryDeleteTest, WithoutSubkeysFlagAKeyWithSubkeysStays) {
  Make("Tree\\Leaf");
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
  EXPECT_FALSE(reg.DeleteKey(Key("Tree").c_str()));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(KeyExists("Tree\\Leaf"));
  EXPECT_TRUE(reg.DeleteKey(Key("Tree\\Leaf").c_str()));
  EXPECT_EQ(reg.m_lErrorCode, 0);
  EXPECT_FALSE(KeyExists("Tree\\Leaf"));
  EXPECT_TRUE(KeyExists("Tree"));
}

TEST_F(SECRegistryDeleteTest, RecursiveDeletionTakesADeepWideSubtreeAndSparesSiblings) {
  std::string path = "Deep";
  for (int level = 0; level < 8; ++level) {
    for (const char* leaf : {"x", "y", "z"}) Make(path + "\\" + leaf);
    path += "\\n" + std::to_string(level);
  }
  Make(path);
  Make("Deeper");
  Make("Sibling");
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
  EXPECT_TRUE(reg.DeleteKey((Key("Deep") + "\\").c_str(), TRUE));
  EXPECT_EQ(reg.m_lErrorCode, 0);
  EXPECT_FALSE(KeyExists("Deep"));
  EXPECT_TRUE(KeyExists("Deeper"));
  EXPECT_TRUE(KeyExists("Sibling"));
}

TEST_F(SECRegistryDeleteTest, ARootIsNeverDeletedOrEmptied) {
  Make("Kept");
  for (const char* name : {"", "\\"}) {
    for (BOOL recursive : {TRUE, FALSE}) {
      SECRegistry reg;
      ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
      EXPECT_FALSE(reg.DeleteKey(name, recursive));
      EXPECT_EQ(reg.m_lErrorCode, ERROR_INVALID_PARAMETER);
    }
  }
  EXPECT_TRUE(KeyExists("Kept"));
}

TEST_F(SECRegistryDeleteTest, MissingKeyIsReported) {
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
  EXPECT_FALSE(reg.DeleteKey(Key("Nothing").c_str(), TRUE));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_FILE_NOT_FOUND);
}

TEST_F(SECRegistryDeleteTest, APathIsLookedForBelowTheOpenKeyFirst) {
  struct Case {
    std::string open;  // the key the wrapper has open
    std::string name;  // what is deleted
    std::string gone;  // below the test key
    std::string kept;
  } cases[] = {
      {Key("A"), "B\\C", "A\\B\\C", "B\\C"},
      {Key("B"), Key("B\\C"), "B\\C", "A\\B\\C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make("A\\B\\C");
    Make("B\\C");
    SECRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open(c.open.c_str()));
    EXPECT_TRUE(reg.DeleteKey(c.name.c_str(), TRUE));
    EXPECT_FALSE(KeyExists(c.gone));
    EXPECT_TRUE(KeyExists(c.kept));
    EXPECT_STREQ(reg.m_strKeyName, c.open.c_str()) << "the wrapper's own key is open again";
  }
}

TEST_F(SECRegistryDeleteTest, DeletingTheOpenKeyItselfSucceeds) {
  Make("Open\\Child");
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
  ASSERT_TRUE(reg.Open(Key("Open").c_str(), KEY_ALL_ACCESS));
  EXPECT_TRUE(reg.DeleteKey(Key("Open").c_str(), TRUE));
  EXPECT_EQ(reg.m_lErrorCode, 0);
  EXPECT_FALSE(KeyExists("Open"));
  EXPECT_EQ(reg.m_hKey, reg.m_hRegistry) << "nothing left to open: the wrapper is back at its root";
  EXPECT_TRUE(reg.m_strKeyName.IsEmpty());
}

}  // namespace
