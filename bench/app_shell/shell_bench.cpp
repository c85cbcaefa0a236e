// The IDE shell: start-up and build output. Each benchmark runs its anchor
// in the same process and reports the ratio.
//   start-up      the program started to its first idle pass with the main window shown
//                 (first_idle_mirt2), vs a minimal Qt Widgets program showing one main
//                 window to its first idle (first_idle_qt), each a child process (<= 3)
//   reopen        start-up reopening 20 files, less those files' own loads, vs start-up
//                 with none (<= 1.5)
//   build output  10 MB streamed into the Build pane in 1 KB chunks vs appending them to a
//                 std::string with one repaint of the pane per chunk (<= 5); 10x the output
//                 vs 1x (growth <= 12)
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/frame_messages.h"
#include "bench/app_shell/bench_shell.h"
#include "app/main_frame.h"
#include "platform/ui/ui.h"

namespace {

using bench_shell::BenchShell;
using bench_shell::Clock;
constexpr int kReopenFiles = 20;
constexpr int kReopenFileLines = 200;
constexpr size_t kChunkBytes = 1024;
constexpr size_t kOutputBytes = 10u << 20;
constexpr int kGrowthFactor = 10;

double Elapsed(Clock::time_point a) { return bench_shell::SecondsSince(a); }

// The shell with the files to reopen.
struct ShellBenchShell {
  ShellBenchShell() : shell("shell-bench") {
    for (int i = 0; i < kReopenFiles; ++i)
      files.push_back(shell.MakeSource("file" + std::to_string(i) + ".c", kReopenFileLines));
  }
  BenchShell shell;
  std::vector<std::string> files;
};

ShellBenchShell& Shell() {
  static ShellBenchShell* shell = new ShellBenchShell;
  return *shell;
}

// Starts a program beside this one (offscreen, settings in the scratch
// folder) and returns the seconds until it writes its first line.
double ChildToFirstLine(const std::string& program, const std::string& settings) {
  int out[2];
  if (::pipe(out) != 0) return 0;
  auto t0 = Clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("MIRT_CONFIG_DIR", settings.c_str(), 1);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  char c = 0;
  while (::read(out[0], &c, 1) == 1 && c != '\n') {
  }
  double seconds = Elapsed(t0);
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return seconds;
}

void BM_StartUp(benchmark::State& state) {
  BenchShell& shell = Shell().shell;
  const std::string dir = std::string(shell.App().m_programDir);
  const std::string settings = shell.Dir() + "/child-settings";
  std::filesystem::create_directories(settings);
  double ours = 0, anchor = 0;
  for (auto _ : state) {
    ours += ChildToFirstLine(dir + "/first_idle_mirt2", settings);
    anchor += ChildToFirstLine(dir + "/first_idle_qt", settings);
  }
  state.counters["ratio"] = ours / anchor;
  state.counters["startup_ms"] = ours * 1000 / static_cast<double>(state.iterations());
  state.counters["anchor_ms"] = anchor * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartUp)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_StartUpReopening(benchmark::State& state) {
  BenchShell& shell = Shell().shell;
  const std::vector<std::string>& files = Shell().files;
  double with = 0, without = 0, loads = 0;
  // The process's first start makes what every later one finds made (fonts,
  // resources, the first widgets): it is not timed, so that neither side
  // pays for it.
  shell.SetReopen(files);
  shell.StartUp();
  for (auto _ : state) {
    shell.SetReopen(files);
    with += shell.StartUp();
    shell.SetReopen({});
    without += shell.StartUp();
    loads += BenchShell::LoadFilesAlone(files);
  }
  state.counters["ratio"] = (with - loads) / without;
  state.counters["files_ms"] = loads * 1000 / static_cast<double>(state.iterations());
  state.counters["with_ms"] = with * 1000 / static_cast<double>(state.iterations());
  state.counters["without_ms"] = without * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartUpReopening)->Iterations(5)->Unit(benchmark::kMillisecond);

// Streams `bytes` of build output into the Build pane of a started frame.
double StreamOutput(CMainFrame* frame, size_t bytes) {
  std::string chunk(kChunkBytes - 1, 'x');
  for (size_t i = 80; i < chunk.size(); i += 81) chunk[i] = '\n';
  chunk += '\n';
  frame->GetOutputBar().ClearBuild();
  auto t0 = Clock::now();
  for (size_t sent = 0; sent < bytes; sent += kChunkBytes) {
    frame->SendMessage(WM_OUTPUT_TEXT, kOutputPaneBuild, reinterpret_cast<LPARAM>(chunk.c_str()));
    frame->GetOutputBar().GetBuildPane().UpdateWindow();
  }
  return Elapsed(t0);
}

double StreamAnchor(CMainFrame* frame, size_t bytes) {
  std::string chunk(kChunkBytes, 'x');
  std::string all;
  CTextDisplay& pane = frame->GetOutputBar().GetBuildPane();
  auto t0 = Clock::now();
  for (size_t sent = 0; sent < bytes; sent += kChunkBytes) {
    all += chunk;
    pane.Invalidate();
    pane.UpdateWindow();
  }
  benchmark::DoNotOptimize(all.data());
  return Elapsed(t0);
}

void BM_BuildOutput(benchmark::State& state) {
  BenchShell& shell = Shell().shell;
  shell.SetReopen({});
  shell.App().InitInstance();
  CMainFrame* frame = g_pMainFrame;
  const size_t bytes = static_cast<size_t>(state.range(0)) * kChunkBytes;
  double ours = 0, anchor = 0, small = 0;
  for (auto _ : state) {
    ours += StreamOutput(frame, bytes);
    anchor += StreamAnchor(frame, bytes);
    small += StreamOutput(frame, bytes / kGrowthFactor);
  }
  state.counters["ratio"] = ours / anchor;
  state.counters["growth"] = ours / small;
  shell.ShutDown();
}
BENCHMARK(BM_BuildOutput)
    ->Arg(256)
    ->Arg(kOutputBytes / kChunkBytes)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
