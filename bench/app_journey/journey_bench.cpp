// The IDE as a person uses it, timed in this process. Each benchmark runs its
// anchor in the same process and reports the ratio.
//   build and debug  a host-gcc project built with make from the frame's Make
//                    command, gdb started by Step Over (stop in main), two more
//                    Step Overs, the session ended; vs the same make command run
//                    by a shell and gdb on two pipes given the same commands
//                    (<= 1.5)
//   project start    start-up with a project of 200 files and 20 documents to
//                    reopen, less the documents' own loads, vs start-up with an
//                    empty project (<= 2)
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/build_commands.h"
#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/main_frame.h"
#include "bench/app/gdb_direct.h"
#include "bench/app_shell/bench_shell.h"
#include "debugger/session/debugger.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/path.h"
#include "platform/ui/message.h"
#include "tests/support/host_debug_program.h"

namespace {

using bench_shell::BenchShell;
using bench_shell::Clock;
using bench_shell::SecondsSince;

constexpr auto kJourneyProgram = "demo";
constexpr auto kJourneySource = "demo.c";
constexpr auto kJourneyProject =
    "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=demo\r\nSOURCEFILES=demo.c \r\n"
    "TOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nCFLAGS=-g -O0\r\nOBJSUFFIX=o\r\n";
// Where the session stops: main's first line, then two lines on.
constexpr int kJourneyStops[] = {mirt_test::kHostMainFirstLine, mirt_test::kHostMainFirstLine + 1,
                                 mirt_test::kHostMainFirstLine + 2};
constexpr DWORD kJourneyWaitMs = 60000;
constexpr auto kJourneyBuildEnd = "Build terminated";

constexpr int kProjectFiles = 200;
constexpr int kProjectOpenFiles = 20;
constexpr int kProjectFileLines = 200;
constexpr auto kProjectHead = "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=big\r\nSOURCEFILES=";
constexpr auto kProjectTail = "\r\nTOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nOBJSUFFIX=o\r\n";

// ---- Build and debug ----

struct JourneyShell {
  JourneyShell() : shell("journey-bench") {
    shell.MakeFile(kJourneySource, mirt_test::kHostDebugProgram);
    project = shell.MakeFile("demo.kpj", kJourneyProject);
    shell.SetReopen({});
    shell.SetProject(project);
  }
  // The build's products gone, so that each round compiles and links.
  void Clean() {
    for (const char* product : {"demo.o", kJourneyProgram})
      std::remove((shell.Dir() + "/" + product).c_str());
  }
  BenchShell shell;
  std::string project;
};

bool JourneyStoppedAt(int line) {
  if (!g_pCurrentDebugger || g_pCurrentDebugger->IsRunning()) return false;
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    POSITION pos = doc->GetFirstViewPosition();
    auto* view = pos ? dynamic_cast<CMirt2View*>(doc->GetNextView(pos)) : nullptr;
    if (view && view->m_pCaretLine && (view->m_pCaretLine->flags & LINE_EXECUTION) &&
        view->GetCaretLineNumber() == line)
      return true;
  }
  return false;
}

// The round trip through the frame's commands; false when a step failed.
bool JourneyInTheIde(CMainFrame* frame) {
  CTextDisplay& pane = frame->GetOutputBar().GetBuildPane();
  frame->SendMessage(WM_COMMAND, ID_PROJECT_MAKE);
  if (!WaitServingMessages([&] { return pane.GetStoredText().find(kJourneyBuildEnd) != std::string::npos; },
                           kJourneyWaitMs))
    return false;
  if (pane.GetStoredText().find("successfully") == std::string::npos) return false;
  for (int line : kJourneyStops) {
    frame->SendMessage(WM_COMMAND, ID_DEBUG_STEP_OVER);
    if (!WaitServingMessages([line] { return JourneyStoppedAt(line); }, kJourneyWaitMs)) return false;
  }
  frame->SendMessage(WM_COMMAND, ID_DEBUG_END);
  return g_pCurrentDebugger == nullptr;
}

// The make command line run by a shell in the project's folder, its output
// read to the end.
bool JourneyMakeDirect(const std::string& folder, const std::string& commandLine) {
  int out[2];
  if (pipe(out) != 0) return false;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(out[1], 2);
    close(out[0]);
    if (chdir(folder.c_str()) != 0) _exit(126);
    execl("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  char buffer[4096];
  while (read(out[0], buffer, sizeof buffer) > 0) {
  }
  close(out[0]);
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool JourneyDirect(const std::string& folder, const std::string& makeLine) {
  if (!JourneyMakeDirect(folder, makeLine)) return false;
  bench_gdb::GdbDirect gdb;
  const std::string exe = folder + "/" + kJourneyProgram;
  for (const std::string& command :
       {std::string("set annotate 1\n"), std::string("set width 0\n"), std::string("set height 0\n"),
        "file " + exe + "\n", std::string("b main\n"), std::string("r\n"), std::string("n\n"),
        std::string("n\n"), std::string("kill\n")})
    if (!gdb.Command(command)) return false;
  return gdb.Quit();
}

void BM_BuildAndDebug(benchmark::State& state) {
  static JourneyShell* journey = new JourneyShell;
  BenchShell& shell = journey->shell;
  shell.Start();
  CMainFrame* frame = g_pMainFrame;
  // The IDE's make command as a shell takes it.
  const std::string makeLine = plat::NormalizeSeparators(MakeCommandLine(g_project, BuildKind::kMake));
  double ide = 0, direct = 0;
  bool ok = true;
  for (auto _ : state) {
    journey->Clean();
    auto t0 = Clock::now();
    ok = ok && JourneyInTheIde(frame);
    ide += SecondsSince(t0);
    journey->Clean();
    t0 = Clock::now();
    ok = ok && JourneyDirect(shell.Dir(), makeLine);
    direct += SecondsSince(t0);
  }
  shell.ShutDown();
  if (!ok) {
    state.SkipWithError("a build or a stop failed");
    return;
  }
  state.counters["ratio"] = ide / direct;
  state.counters["ide_ms"] = ide * 1000 / static_cast<double>(state.iterations());
  state.counters["direct_ms"] = direct * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BuildAndDebug)->Iterations(5)->Unit(benchmark::kMillisecond);

// ---- Start-up with a project ----

struct ProjectShell {
  ProjectShell() : shell("project-bench") {
    std::string sources;
    for (int i = 0; i < kProjectFiles; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "file%03d.c", i);
      const std::string path = shell.MakeSource(name, kProjectFileLines);
      if (i < kProjectOpenFiles) open.push_back(path);
      sources += std::string(name) + " ";
    }
    big = shell.MakeFile("big.kpj", kProjectHead + sources + kProjectTail);
    empty = shell.MakeFile("empty.kpj", std::string(kProjectHead) + kProjectTail);
  }
  BenchShell shell;
  std::string big, empty;
  std::vector<std::string> open;
};

void BM_StartUpWithProject(benchmark::State& state) {
  static ProjectShell* project = new ProjectShell;
  BenchShell& shell = project->shell;
  double with = 0, without = 0, loads = 0;
  // The process's first start is not timed (see app_shell_bench).
  shell.SetProject(project->big);
  shell.SetReopen(project->open);
  shell.StartUp();
  for (auto _ : state) {
    shell.SetProject(project->big);
    shell.SetReopen(project->open);
    with += shell.StartUp();
    shell.SetProject(project->empty);
    shell.SetReopen({});
    without += shell.StartUp();
    loads += BenchShell::LoadFilesAlone(project->open);
  }
  state.counters["ratio"] = (with - loads) / without;
  state.counters["with_ms"] = with * 1000 / static_cast<double>(state.iterations());
  state.counters["empty_ms"] = without * 1000 / static_cast<double>(state.iterations());
  state.counters["files_ms"] = loads * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartUpWithProject)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
