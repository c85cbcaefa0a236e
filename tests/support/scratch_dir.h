// A folder of its own in the temporary folder ($TMPDIR, else /tmp) for what
// a fuzz target or a benchmark writes; it is removed with everything in it
// when the object goes, so a function-static one goes when the program ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace mirt_test {

class ScratchDir {
 public:
  // A new folder "<prefix>-XXXXXX".
  explicit ScratchDir(const std::string& prefix) {
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
    if (mkdtemp(pattern.data())) m_path = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // Empty when the folder could not be made.
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

}  // namespace mirt_test
