// A gdb step as the IDE sees it: StepOver through CDebuggerGDB, gdb's
// answer read by the reader thread, the stop sent to the frame and the
// prompt marking the program stopped. Anchor: the same gdb on a pipe,
// "next" written and its output read up to the prompt. "ratio" <= 1.5.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>

#include "app/debugger_gdb.h"
#include "debugger/session/frame_messages.h"
#include "platform/afx/afx.h"
#include "platform/ui/application.h"
#include "platform/ui/message.h"
#include "tests/support/scratch_dir.h"

namespace {

using GdbClock = std::chrono::steady_clock;

constexpr int kGdbSteps = 200;
constexpr DWORD kGdbWaitMs = 10000;
constexpr auto kGdbProgram =
    "int main(void) {\n"
    "  volatile long i, s = 0;\n"
    "  for (i = 0;; ++i) {\n"
    "    s += i;\n"
    "    s ^= i;\n"
    "  }\n"
    "}\n";

// The program, built once.
const std::string& GdbBenchProgram() {
  static mirt_test::ScratchDir dir("gdb-bench");
  static std::string exe;
  if (exe.empty()) {
    const std::string source = dir.Path() + "/loop.c";
    FILE* f = fopen(source.c_str(), "w");
    fputs(kGdbProgram, f);
    fclose(f);
    exe = dir.Path() + "/loop";
    if (std::system(("gcc -g -O0 -o '" + exe + "' '" + source + "'").c_str()) != 0) exe.clear();
  }
  return exe;
}

// The frame's side: counts the stops it is sent.
class GdbStopCounter : public CWnd {
 public:
  GdbStopCounter() { CreateEx(0, nullptr, "frame", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
  ~GdbStopCounter() override { DestroyWindow(); }
  LRESULT OnStop(WPARAM, LPARAM) {
    ++stops;
    return 0;
  }
  LRESULT OnAny(WPARAM, LPARAM) { return 0; }
  int stops = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(GdbStopCounter, CWnd)
ON_MESSAGE(WM_STOP_LOCATION, OnStop)
ON_MESSAGE(WM_OUTPUT_TEXT, OnAny)
END_MESSAGE_MAP()

// Seconds per step through the IDE.
double IdeStepSeconds(const std::string& exe) {
  GdbStopCounter frame;
  int active = 0;
  CDebuggerGDB debugger(exe.c_str(), frame.m_hWnd, &active);
  auto stoppedAfter = [&](int stops) {
    return WaitServingMessages(
        [&] { return frame.stops > stops && debugger.m_state == CDebuggerGDB::kStopped; }, kGdbWaitMs);
  };
  debugger.StepOver(1);  // runs to main
  stoppedAfter(0);
  const auto t0 = GdbClock::now();
  for (int i = 0; i < kGdbSteps; ++i) {
    const int before = frame.stops;
    debugger.StepOver(1);
    if (!stoppedAfter(before)) return -1;
  }
  return std::chrono::duration<double>(GdbClock::now() - t0).count() / kGdbSteps;
}

// gdb on two pipes, driven directly.
class GdbDirect {
 public:
  explicit GdbDirect(const std::string& exe) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      dup2(out[1], 2);
      close(in[1]);
      close(out[0]);
      execlp("gdb", "gdb", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    m_in = in[1];
    m_out = out[0];
    Command("");  // the greeting
    Command("set annotate 1\n");
    Command(("file " + exe + "\n").c_str());
    Command("b main\n");
    Command("r\n");
  }
  ~GdbDirect() {
    if (m_pid > 0) kill(m_pid, SIGKILL), waitpid(m_pid, nullptr, 0);
    if (m_in >= 0) close(m_in);
    if (m_out >= 0) close(m_out);
  }
  // Writes a command and reads up to the prompt after it.
  bool Command(const char* text) {
    if (*text && write(m_in, text, strlen(text)) < 0) return false;
    std::string seen;
    char buffer[4096];
    while (seen.size() < 6 || seen.compare(seen.size() - 6, 6, "(gdb) ") != 0) {
      ssize_t n = read(m_out, buffer, sizeof buffer);
      if (n <= 0) return false;
      seen.append(buffer, size_t(n));
    }
    return true;
  }

 private:
  pid_t m_pid = -1;
  int m_in = -1, m_out = -1;
};

double DirectStepSeconds(const std::string& exe) {
  GdbDirect gdb(exe);
  const auto t0 = GdbClock::now();
  for (int i = 0; i < kGdbSteps; ++i)
    if (!gdb.Command("next\n")) return -1;
  return std::chrono::duration<double>(GdbClock::now() - t0).count() / kGdbSteps;
}

void BM_GdbStep(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  const std::string& exe = GdbBenchProgram();
  if (exe.empty()) {
    state.SkipWithError("gcc could not build the program");
    return;
  }
  double ide = 0, direct = 0;
  for (auto _ : state) {
    direct += DirectStepSeconds(exe);
    ide += IdeStepSeconds(exe);
  }
  state.counters["ide_step_us"] = ide * 1e6 / state.iterations();
  state.counters["direct_step_us"] = direct * 1e6 / state.iterations();
  state.counters["ratio"] = ide / direct;
}
BENCHMARK(BM_GdbStep)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
