// One build tool (make or a compiler) run as a child on pipes. Its reader
// passes the tool's output to the Build pane of its owner window, or into
// a file for the Pascal compilers, and reports at the end whether
// something was built (WM_BUILD_OK), nothing had to be (WM_BUILD_UP_TO_DATE)
// or the build failed (WM_BUILD_FAILED).
#pragma once

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/compile_detector.h"
#include "app/ext_console_process.h"

// The compiler calls of one Pascal build: the build is judged by all of
// them, and only the last one to finish reports.
class CBuildSeries {
 public:
  explicit CBuildSeries(int calls) : m_remaining(calls) {}
  // Records one call's end; true for the call that ends the series.
  bool Finish(bool failed);
  bool Failed() const { return m_failures.load() != 0; }

 private:
  std::atomic<int> m_remaining;
  std::atomic<int> m_failures{0};
};

// Whether the tool's output file starts empty or is added to.
enum class OutputFileMode { kTruncate, kAppend };

// How a build tool is started beyond its command line: its output file
// (none: the Build pane) and the series it belongs to (none: alone).
struct BuildToolSetup {
  std::string outputFile;
  OutputFileMode outputMode = OutputFileMode::kTruncate;
  std::shared_ptr<CBuildSeries> series;
};

class CMakeProcess final : public CExtConsoleProcess {
 public:
  CMakeProcess(LPCSTR commandLine, LPVOID environment, LPCSTR directory);
  // Ends the reader first; a reader still sending to the owner is served
  // meanwhile, so the GUI thread never waits on a reader that waits on it.
  ~CMakeProcess();

  DWORD Run(LPVOID param) override;

  // The window that gets the frame messages; set before ResumeReader.
  HWND m_hOwner = nullptr;
  // The names that show a compile in the tool's output.
  void SetCompilerNames(std::vector<std::string> names) { m_detector = CCompileDetector(std::move(names)); }
  // Output into a file (text mode: lines end with CR LF) instead of the
  // Build pane; the call one of a series.
  void RedirectOutput(const std::string& path, OutputFileMode mode);
  void JoinSeries(std::shared_ptr<CBuildSeries> series) { m_series = std::move(series); }
  // True once the reader has read everything and reported.
  bool ReaderDone() const { return m_readerDone.load(); }

 private:
  // Sends to the owner unless the object is being deleted; false then.
  bool SendToOwner(UINT message, WPARAM wParam, LPARAM lParam);
  void Report(bool failed, bool compiled);
  void WriteTextChunk(FILE* file, const char* chunk, DWORD length);

  CCompileDetector m_detector;
  std::string m_outputPath;
  OutputFileMode m_outputMode = OutputFileMode::kTruncate;
  std::shared_ptr<CBuildSeries> m_series;
  bool m_reported = false;  // the series has this call's end
  char m_lastWritten = 0;   // the output file's last byte so far

  std::mutex m_sendLock;
  bool m_abandoned = false;            // under m_sendLock: send nothing more
  std::atomic<bool> m_sending{false};  // a send to the owner is under way
  std::atomic<bool> m_readerDone{false};
};
