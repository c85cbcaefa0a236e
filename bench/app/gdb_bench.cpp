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
#include "bench/app/gdb_direct.h"
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

double DirectStepSeconds(const std::string& exe) {
  bench_gdb::GdbDirect gdb;
  gdb.Command("set annotate 1\n");
  gdb.Command("file " + exe + "\n");
  gdb.Command("b main\n");
  gdb.Command("r\n");
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
