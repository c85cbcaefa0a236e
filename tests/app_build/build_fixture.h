// Shared pieces of the build tests: a child process that collects its
// output, a host that records the writer's calls, and a project in a
// temporary folder that is current while the test runs.
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/core/project_data.h"
#include "app/ext_console_process.h"
#include "platform/base/winerror.h"
#include "app/makefile_host.h"

// Reads the child's output until the pipe is at its end and the child has
// ended, as the build's reader does.
class CCollectingProcess : public CExtConsoleProcess {
 public:
  CCollectingProcess(const char* commandLine, const char* directory = nullptr)
      : CExtConsoleProcess(commandLine, nullptr, directory) {}
  ~CCollectingProcess() { StopReader(); }
  DWORD Run(LPVOID) override;

  std::string Output();
  // Waits (up to 10 s) until the reader has left its loop.
  bool WaitDone();
  DWORD LastError() const { return m_lastError; }
  int Reads() const { return m_reads; }
  DWORD ChildExitCode() { return ExitCode(); }
  DWORD ChildId();
  void Kill();

 private:
  std::mutex m_mutex;
  std::string m_output;
  bool m_done = false;
  DWORD m_lastError = 0;
  int m_reads = 0;
};

class CRecordingHost : public CMakefileHost {
 public:
  void SaveModifiedDocuments() override { calls.push_back("save"); }
  void ClearBuildPane() override { calls.push_back("clear"); }
  std::vector<std::string> calls;
};

class BuildTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A file in the project folder.
  std::string InProject(const std::string& name) const { return dir + "/" + name; }
  // An executable script.
  static std::string Script(const std::string& path, const std::string& body);
  static void ResetProject(ProjectData& p);

  std::string dir;
  std::string oldCwd;
  std::string oldPath;
  ProjectData project;
  CEnviron env;
};
