// The IDE's application object started and ended in this process, with a
// scratch folder holding the installation's mirt.cfg, for the benchmarks
// that time start-up and what the IDE does once started.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "app/mirt2_app.h"
#include "tests/support/scratch_dir.h"

namespace bench_shell {

using Clock = std::chrono::steady_clock;
double SecondsSince(Clock::time_point start);

class BenchShell {
 public:
  explicit BenchShell(const std::string& prefix);
  // A file of `lines` C lines in the scratch folder; its full path.
  std::string MakeSource(const std::string& name, int lines);
  std::string MakeFile(const std::string& name, const std::string& text);
  // Writes these files into the profile as the last run's open ones.
  void SetReopen(const std::vector<std::string>& files);
  // The project the next start opens (none for an empty path).
  void SetProject(const std::string& path);
  // Start-up to the first idle pass with the main window shown.
  void Start();
  // The main frame destroyed and the documents gone.
  void ShutDown();
  // Start and shut down: the seconds to the first idle.
  double StartUp();
  // The seconds loading these files into documents of their own takes.
  static double LoadFilesAlone(const std::vector<std::string>& files);

  CMirt2App& App() { return *m_app; }
  const std::string& Dir() const { return m_dir.Path(); }

 private:
  mirt_test::ScratchDir m_dir;
  CMirt2App* m_app = nullptr;
  size_t m_reopenWritten = 0;
};

}  // namespace bench_shell
