// A registry key of the test's own under HKEY_CURRENT_USER, removed with
// everything below it when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/sec_registry.h"

class RegistryKeyTest : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    base_ = std::string("Software\\PersistTest\\") + info->test_suite_name() + "." + info->name();
    for (char& c : base_)
      if (c == '/') c = '_';
    Remove();
  }
  void TearDown() override { Remove(); }

  void Remove() {
    SECRegistry reg;
    reg.Connect(HKEY_CURRENT_USER);
    reg.DeleteKey(base_.c_str(), TRUE);
  }
  std::string Key(const std::string& below) const { return below.empty() ? base_ : base_ + "\\" + below; }
  bool KeyExists(const std::string& below) const {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, Key(below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  std::string base_;
};
