// Test entry point: every test program runs headless, with a private
// temporary settings directory, so no test touches the user's settings.
// Libraries may read settings while they load, before main runs, so the
// program starts itself again once the environment is in place.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const char kOwnerVar[] = "MIRT_TEST_OWNS_ROOT";

int RestartWithPrivateSettings(char** argv) {
  std::string tmpl = (std::filesystem::temp_directory_path() / "mirt-test-XXXXXX").string();
  char* root = mkdtemp(tmpl.data());
  if (!root) return 2;
  std::string config = std::string(root) + "/config";
  std::filesystem::create_directories(config);
  setenv("MIRT_TEST_ROOT", root, 1);
  setenv("MIRT_CONFIG_DIR", config.c_str(), 1);
  setenv("HOME", root, 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv(kOwnerVar, "1", 1);
  execv("/proc/self/exe", argv);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv(kOwnerVar)) return RestartWithPrivateSettings(argv);
  unsetenv(kOwnerVar);
  testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(std::getenv("MIRT_TEST_ROOT"), ec);
  return rc;
}
