// Test entry point: every test program runs headless, with a private
// temporary settings directory, so no test touches the user's settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::string tmpl = (std::filesystem::temp_directory_path() / "mirt-test-XXXXXX").string();
  char* root = mkdtemp(tmpl.data());
  if (!root) return 2;
  std::string config = std::string(root) + "/config";
  std::filesystem::create_directories(config);
  setenv("MIRT_TEST_ROOT", root, 1);
  setenv("MIRT_CONFIG_DIR", config.c_str(), 1);
  setenv("HOME", root, 1);
  testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
  return rc;
}
