#include "tests/support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mirt_test {

static int g_counter = 0;

std::string MakeTempDir(const std::string& hint) {
  const char* root = std::getenv("MIRT_TEST_ROOT");
  fs::path dir = fs::path(root ? root : "/tmp") / (hint + "-" + std::to_string(++g_counter));
  fs::create_directories(dir);
  return dir.string();
}

std::string WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string DataDir() {
  const char* d = std::getenv("MIRT_TEST_DATA");
  return d ? d : "tests/data";
}

std::string ProgramDir() { return fs::read_symlink("/proc/self/exe").parent_path().string(); }

}  // namespace mirt_test
