// One instruction step through the whole board-kernel session (command
// pipe, worker thread, kernel link over a pseudo-terminal, the simulated
// board's processor, the stop reported to a frame window), against a bare
// register request and its answer over the same link and line.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "debugger/kernel_link.h"
#include "debugger/session/debug_worker.h"
#include "debugger/session/debugger_borland.h"
#include "debugger/session/frame_messages.h"
#include "debugger/target_registers.h"
#include "drivers/rizo32/rizo32.h"
#include "drivers/serial_kernel/serial_kernel.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/registry.h"
#include "platform/ui/application.h"
#include "platform/ui/message.h"
#include "platform/ui/window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint16_t kStepBenchTask = 11, kStepBenchPort = 9;
constexpr uint32_t kStepBenchBaud = 115200;
constexpr char kStepBenchPortName[] = "COM9";
constexpr int kStepBenchRounds = 20, kStepBenchSteps = 50;
constexpr double kStepBenchLimit = 5;

// An MZ file whose code counts in AX for ever: inc ax / jmp short back.
std::string StepBenchProgram() {
  constexpr uint8_t kLoop[] = {0x40, 0xEB, 0xFD};
  constexpr size_t kHeader = 32, kModule = 16;
  std::string file(kHeader + kModule, '\0');
  auto put = [&](size_t at, uint16_t v) {
    file[at] = char(v & 0xFF);
    file[at + 1] = char(v >> 8);
  };
  file[0] = 'M';
  file[1] = 'Z';
  put(2, uint16_t(file.size() % 512));
  put(4, uint16_t((file.size() + 511) / 512));
  put(8, kHeader / 16);
  put(10, 0x20);  // memory beyond the module
  put(12, 0xFFFF);
  put(14, 0x02);   // SS
  put(16, 0x100);  // SP
  put(24, 0x1C);
  for (size_t i = 0; i < sizeof kLoop; ++i) file[kHeader + i] = char(kLoop[i]);
  return file;
}

int g_stepBenchStops = 0;

LRESULT StepBenchFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_STOP_LOCATION) ++g_stepBenchStops;
  return DefWindowProc(hwnd, message, wParam, lParam);
}

double StepBenchSeconds(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

void BM_SessionStep(benchmark::State& state) {
  mirt_ui::EnsureApplication();
  sim::Simulator::Instance().Configure();
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "mirt_step_bench";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "LOOP.EXE").string();
  std::ofstream(path, std::ios::binary) << StepBenchProgram();
  qj8_start(0, 0, 1, 0, 0, nullptr, 0x50);
  qj8_transfer_and_install(path.c_str(), 0, kStepBenchTask, 0x77, 1, 0x1180, 0);
  auto kernel = std::make_unique<sim::SerialKernel>(0);
  HKEY key;
  RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports", &key);
  const std::string dev = kernel->DevicePath();
  RegSetValueEx(key, kStepBenchPortName, 0, REG_SZ, reinterpret_cast<const BYTE*>(dev.c_str()),
                DWORD(dev.size() + 1));

  WNDCLASS wc{};
  wc.lpfnWndProc = StepBenchFrameProc;
  wc.lpszClassName = "StepBenchFrame";
  RegisterClass(&wc);
  HWND frame =
      CreateWindowEx(0, "StepBenchFrame", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  int ok = 0, infoOk = 0;
  uint16_t time = 0, date = 0;
  auto debugger = std::make_unique<CDebuggerBorland>(path.c_str(), frame, &ok, &infoOk, &time, &date,
                                                     kStepBenchPort, kStepBenchBaud, nullptr);
  if (!debugger->Started()) {
    state.SkipWithError("no session with the serial kernel");
    return;
  }
  debugger->StartProgram(0);
  auto waitForStops = [](int count) {
    return WaitServingMessages(
        [count] {
          PumpWaitingMessages();
          return g_stepBenchStops >= count;
        },
        10000);
  };
  double step = 1e9, ping = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < kStepBenchRounds; ++round) {
      auto t = Clock::now();
      for (int i = 0; i < kStepBenchSteps; ++i) {
        const int before = g_stepBenchStops;
        debugger->TraceInto(kStepInstruction);
        if (!waitForStops(before + 1)) {
          state.SkipWithError("a step was not reported");
          return;
        }
      }
      step = std::min(step, StepBenchSeconds(t));
      // The worker waits on its pipe now: the link is free for the anchor.
      t = Clock::now();
      for (int i = 0; i < kStepBenchSteps; ++i) {
        BYTE answer[1 + KernelRegisterRecord::kSize];
        g_pKernelLink->SendKernelCommand('J', nullptr, 0, answer, KernelRegisterRecord::kSize);
      }
      ping = std::min(ping, StepBenchSeconds(t));
    }
    state.SetIterationTime(step / kStepBenchSteps);
  }
  debugger.reset();
  DestroyWindow(frame);
  RegDeleteValue(key, kStepBenchPortName);
  RegCloseKey(key);
  kernel.reset();
  std::filesystem::remove_all(dir);
  const double ratio = step / ping;
  state.counters["ping_us"] = ping / kStepBenchSteps * 1e6;
  state.counters["ratio"] = ratio;
  if (ratio > kStepBenchLimit)
    state.SkipWithError(
        ("a step takes " + std::to_string(ratio) + " times a ping-pong, more than 5").c_str());
}
BENCHMARK(BM_SessionStep)->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);

}  // namespace
