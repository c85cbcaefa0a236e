// Process exit through the one interceptable function.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/sys/process_exit.h"
#include "platform/sys/registry.h"
#include "tests/platform/sys/sys_test_util.h"

namespace {

TEST(ExitProcessTest, HandlerSeesTheSignedCode) {
  plat::SetExitProcessHandler([](int code) { throw plat::ProcessExit(code); });
  try {
    ExitProcess(static_cast<UINT>(-1));
    FAIL() << "ExitProcess returned";
  } catch (const plat::ProcessExit& e) {
    EXPECT_EQ(-1, e.code);
  }
  plat::SetExitProcessHandler(nullptr);
  EXPECT_EQ(255, plat::ExitStatusOf(static_cast<UINT>(-1)));
  EXPECT_EQ(3, plat::ExitStatusOf(3));
}

TEST(ExitProcessTest, ChildEndsWithTheLowBitsAndWritesTheRegistry) {
  std::string dir = sys_test::FreshSettings("exit");
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    plat::RegistryWriteBatch* batch = new plat::RegistryWriteBatch;  // never ended: exit must write
    (void)batch;
    RegSetValue(HKEY_CURRENT_USER, "AtExit", REG_SZ, "written", 0);
    ExitProcess(static_cast<UINT>(-1));
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(255, WEXITSTATUS(status));
  EXPECT_NE(std::string::npos, mirt_test::ReadFile(dir + "/HKEY_CURRENT_USER.reg").find("written"));
}

}  // namespace
