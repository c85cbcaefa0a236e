#include "tests/app_build/build_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/sys/environment.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/process.h"
#include "tests/support/test_support.h"

DWORD CCollectingProcess::Run(LPVOID) {
  char buf[1024];
  for (;;) {
    DWORD n = 0;
    BOOL ok = ReadOutput(buf, sizeof buf, &n);
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_reads;
    if (ok) {
      m_output.append(buf, n);
      continue;
    }
    m_lastError = GetLastError();
    if (m_lastError != ERROR_BROKEN_PIPE || ExitCode() != STILL_ACTIVE) break;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  m_done = true;
  return 0;
}

std::string CCollectingProcess::Output() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_output;
}

bool CCollectingProcess::WaitDone() {
  for (int i = 0; i < 1000; ++i) {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      if (m_done) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

DWORD CCollectingProcess::ChildId() { return m_hProcess ? GetProcessId(m_hProcess) : 0; }

void CCollectingProcess::Kill() {
  if (m_hProcess) TerminateProcess(m_hProcess, 1);
}

void BuildTest::SetUp() {
  dir = mirt_test::MakeTempDir("project");
  char cwd[4096];
  oldCwd = getcwd(cwd, sizeof cwd) ? cwd : ".";
  ASSERT_EQ(chdir(dir.c_str()), 0);
  char path[16384];
  DWORD n = GetEnvironmentVariable("PATH", path, sizeof path);
  oldPath = n < sizeof path ? std::string(path, n) : "";
  plat::ClearMessageBoxRecords();
  ResetProject(project);
  project.SetProjectDir(dir.c_str());
}

void BuildTest::TearDown() {
  SetEnvironmentVariable("PATH", oldPath.c_str());
  (void)!chdir(oldCwd.c_str());
}

std::string BuildTest::Script(const std::string& path, const std::string& body) {
  mirt_test::WriteFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
  return path;
}

void BuildTest::ResetProject(ProjectData& p) {
  p.Clear();
  p.environment = CEnviron{};
}
