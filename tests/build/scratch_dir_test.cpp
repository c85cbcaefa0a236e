// Fuzz targets and benchmarks leave nothing in the temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/fuzz/app_core/fuzz_input_file.h"
#include "tests/support/test_support.h"

namespace {

// Runs the action in a child process that then ends normally; what the
// action returned, passed back through a pipe.
template <class F>
std::string InChild(F action) {
  int fds[2];
  if (pipe(fds) != 0) return "";
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::string said = action();
    if (write(fds[1], said.data(), said.size()) < 0) _exit(2);
    close(fds[1]);
    exit(0);  // static objects are destroyed, as when a fuzz run ends
  }
  close(fds[1]);
  std::string said;
  char block[512];
  ssize_t n;
  while ((n = read(fds[0], block, sizeof block)) > 0) said.append(block, size_t(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return said;
}

TEST(ScratchDir, FuzzInputFilesGoWhenTheRunEnds) {
  const std::string tmp = mirt_test::MakeTempDir("fuzztmp");
  setenv("TMPDIR", tmp.c_str(), 1);
  constexpr auto kInput = "VERSION=MIRT-KPJ0\r\n";
  std::string written = InChild(
      [&] { return FuzzInputFile("p.kpj", reinterpret_cast<const uint8_t*>(kInput), strlen(kInput)); });
  unsetenv("TMPDIR");
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written.rfind(tmp + "/mirt-fuzz-", 0), 0u) << written;
  EXPECT_FALSE(std::filesystem::exists(written));
  EXPECT_TRUE(std::filesystem::is_empty(tmp));
}

}  // namespace
