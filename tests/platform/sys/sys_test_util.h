// Helpers shared by the platform/sys tests.
#pragma once

#include <cstdlib>
#include <string>

#include "platform/sys/registry.h"
#include "tests/support/test_support.h"

namespace sys_test {

// Points the settings folder at a fresh directory and drops the registry
// in memory, so each test starts from an empty store.
inline std::string FreshSettings(const std::string& hint) {
  std::string dir = mirt_test::MakeTempDir(hint);
  setenv("MIRT_CONFIG_DIR", dir.c_str(), 1);
  plat::ReloadRegistry();
  return dir;
}

}  // namespace sys_test
