#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/sys/environment.h"
#include "platform/sys/file.h"
#include "platform/sys/pipe.h"
#include "platform/sys/process.h"
#include "tests/support/test_support.h"

namespace {

// Ended, or a zombie that nobody has collected yet.
bool ProcessGone(pid_t pid) {
  if (kill(pid, 0) != 0) return true;
  std::string stat = mirt_test::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  size_t paren = stat.rfind(')');
  return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z';
}

// A child whose standard output and error share one pipe, input on another.
struct Child {
  HANDLE outRead = nullptr, inWrite = nullptr;
  PROCESS_INFORMATION pi{};
  BOOL started = FALSE;
  DWORD error = 0;

  explicit Child(std::string commandLine, const char* dir = nullptr, const char* env = nullptr) {
    HANDLE outWrite, inRead;
    CreatePipe(&outRead, &outWrite, nullptr, 0);
    CreatePipe(&inRead, &inWrite, nullptr, 0);
    STARTUPINFO si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.hStdInput = inRead;
    si.hStdOutput = outWrite;
    si.hStdError = outWrite;
    started = CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0xA10,
                            const_cast<char*>(env), dir, &si, &pi);
    error = GetLastError();
    CloseHandle(outWrite);
    CloseHandle(inRead);
  }
  ~Child() {
    CloseHandle(outRead);
    if (inWrite) CloseHandle(inWrite);
    if (started) {
      TerminateProcess(pi.hProcess, 1);
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
  }
  std::string ReadAll() {
    std::string all;
    char buf[256];
    DWORD n;
    while (ReadFile(outRead, buf, sizeof buf, &n, nullptr)) all.append(buf, n);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
    return all;
  }
  DWORD ExitCode() {
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
};

TEST(CreateProcess, OutputAndErrorArriveOnOnePipe) {
  Child c("sh -c \"echo out; echo err 1>&2; exit 3\"");
  ASSERT_TRUE(c.started);
  EXPECT_EQ(c.ReadAll(), "out\nerr\n");
  EXPECT_EQ(c.ExitCode(), 3u);
}

TEST(CreateProcess, InputReachesTheChild) {
  Child c("cat");
  ASSERT_TRUE(c.started);
  DWORD n;
  WriteFile(c.inWrite, "line\n", 5, &n, nullptr);
  CloseHandle(c.inWrite);
  c.inWrite = nullptr;
  EXPECT_EQ(c.ReadAll(), "line\n");
  EXPECT_EQ(c.ExitCode(), 0u);
}

TEST(CreateProcess, DirectoryAndEnvironmentBlock) {
  std::string dir = mirt_test::MakeTempDir("cwd");
  const char env[] = "MIRT_A=one\0MIRT_B=two\0";
  Child c("sh -c \"pwd; echo $MIRT_A-$MIRT_B\"", dir.c_str(), env);
  ASSERT_TRUE(c.started);
  char real[4096];
  ASSERT_TRUE(realpath(dir.c_str(), real));
  EXPECT_EQ(c.ReadAll(), std::string(real) + "\none-two\n");
}

TEST(CreateProcess, ArgumentsAreSplitAsOnWindows) {
  Child c("printf \"[%s]\" \"a b\" c\\\"d \"\"");
  ASSERT_TRUE(c.started);
  EXPECT_EQ(c.ReadAll(), "[a b][c\"d][]");
}

TEST(CreateProcess, TheProgramsOwnNameUsesSlashes) {
  constexpr auto kLine = "\\bin\\cat /proc/self/cmdline";
  constexpr char kArguments[] = "/bin/cat\0/proc/self/cmdline";  // each ends with a NUL
  Child c(kLine);
  ASSERT_TRUE(c.started);
  EXPECT_EQ(c.ReadAll(), std::string(kArguments, sizeof kArguments));
}

TEST(CreateProcess, FailuresSayWhy) {
  struct Case {
    const char* line;
    const char* dir;
    DWORD error;
  } cases[] = {
      {"no-such-program-xyz arg", nullptr, ERROR_FILE_NOT_FOUND},
      {"sh -c true", "/no/such/folder", ERROR_DIRECTORY},
      {"", nullptr, ERROR_FILE_NOT_FOUND},
  };
  for (const Case& k : cases) {
    Child c(k.line, k.dir);
    EXPECT_FALSE(c.started) << k.line;
    EXPECT_EQ(c.error, k.error) << k.line;
  }
}

TEST(CreateProcess, StillActiveUntilItEndsAndWaitsTimeOut) {
  Child c("sleep 0.3");
  ASSERT_TRUE(c.started);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(c.pi.hProcess, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(c.pi.hProcess, 20), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(WaitForSingleObject(c.pi.hProcess, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(c.pi.hThread, 0), WAIT_OBJECT_0);
  EXPECT_EQ(c.ExitCode(), 0u);
}

TEST(CreateProcess, WaitForAnyOfAProcessAndAnEvent) {
  Child c("sleep 5");
  ASSERT_TRUE(c.started);
  HANDLE ev = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  std::thread t([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    SetEvent(ev);
  });
  HANDLE both[2] = {c.pi.hProcess, ev};
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 5000), WAIT_OBJECT_0 + 1);
  t.join();
  CloseHandle(ev);
}

TEST(TerminateProcess, EndsTheWholeGroupWithTheGivenCode) {
  std::string dir = mirt_test::MakeTempDir("grp");
  std::string pidFile = dir + "/pid";
  Child c("sh -c \"sleep 30 & echo $! > '" + pidFile + "'; wait\"");
  ASSERT_TRUE(c.started);
  pid_t grandchild = 0;
  for (int i = 0; i < 200 && !grandchild; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    grandchild = atoi(mirt_test::ReadFile(pidFile).c_str());
  }
  ASSERT_GT(grandchild, 0);
  ASSERT_TRUE(TerminateProcess(c.pi.hProcess, 42));
  EXPECT_EQ(c.ExitCode(), 42u);
  bool gone = false;
  for (int i = 0; i < 200 && !gone; ++i) {
    gone = ProcessGone(grandchild);
    if (!gone) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(gone);
  EXPECT_TRUE(TerminateProcess(c.pi.hProcess, 5));  // already ended: nothing changes
  EXPECT_EQ(c.ExitCode(), 42u);
}

TEST(CreateProcess, ProgramFoundOnThePathOfThisProcess) {
  std::string dir = mirt_test::MakeTempDir("bin");
  std::string tool = mirt_test::WriteFile(dir + "/mirt-hello", "#!/bin/sh\necho hello \"$@\"\n");
  chmod(tool.c_str(), 0755);
  char old[8192];
  GetEnvironmentVariable("PATH", old, sizeof old);
  SetEnvironmentVariable("PATH", (dir + ":" + old).c_str());
  {
    Child c("mirt-hello.exe world");
    ASSERT_TRUE(c.started);
    EXPECT_EQ(c.ReadAll(), "hello world\n");
  }
  SetEnvironmentVariable("PATH", old);
}

}  // namespace
