// Helpers shared by the platform/sys tests.
#pragma once

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/sys/registry.h"
#include "tests/support/test_support.h"

namespace sys_test {

// Whether each page of [p, p + size) is resident.
inline std::vector<bool> ResidentPages(void* p, size_t size, size_t page) {
  std::vector<unsigned char> in((size + page - 1) / page);
  EXPECT_EQ(mincore(p, size, in.data()), 0);
  std::vector<bool> out;
  for (unsigned char c : in) out.push_back((c & 1) != 0);
  return out;
}

// The bytes of a literal, embedded NULs included, without the final NUL.
template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// Points the settings folder at a fresh directory and drops the registry
// in memory, so each test starts from an empty store.
inline std::string FreshSettings(const std::string& hint) {
  std::string dir = mirt_test::MakeTempDir(hint);
  setenv("MIRT_CONFIG_DIR", dir.c_str(), 1);
  plat::ReloadRegistry();
  return dir;
}

// The exit status of a child process that ran body; -1 when it did not
// exit normally.
inline int ExitCodeOf(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs body in a child process with the folder dir as its current folder;
// returns the child's exit status.
inline int RunInChild(const std::string& dir, const std::function<int()>& body) {
  pid_t child = fork();
  if (child == 0) _exit(chdir(dir.c_str()) == 0 ? body() : 125);
  return ExitCodeOf(child);
}

// The same as the user "nobody", without any of the test's rights (the
// tests run as root here): dir is the current folder, reached before the
// rights are dropped. Returns the child's exit status.
constexpr uid_t kNobody = 65534;
inline int RunAsNobody(const std::string& dir, const std::function<int()>& body) {
  return RunInChild(dir, [&] {
    if (getuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
      return 126;
    return body();
  });
}

// Starts count child processes that each run body(i) at the same moment;
// returns their exit statuses.
inline std::vector<int> RunTogether(int count, const std::function<int(int)>& body) {
  int go[2];
  if (pipe(go) != 0) return {};
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    pid_t child = fork();
    if (child == 0) {
      close(go[1]);
      char c;
      (void)!read(go[0], &c, 1);  // the start signal: the pipe closed
      _exit(body(i));
    }
    children.push_back(child);
  }
  close(go[0]);
  close(go[1]);
  std::vector<int> codes;
  for (pid_t child : children) codes.push_back(ExitCodeOf(child));
  return codes;
}

}  // namespace sys_test
