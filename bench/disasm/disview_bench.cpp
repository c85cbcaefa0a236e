// The disassembly window's speed, each against an anchor in the same run:
//   go to address   going to an address and painting its screen of 60
//                   lines, vs decoding and formatting those 60 lines and
//                   painting a screen whose lines are held (ratio <= 2;
//                   decode_ratio: against the decoding alone, for scale)
//   page down       paging down 1,000 times from a random address, per
//                   page, vs one paint of the same screen (ratio <= 1.5)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/disasm/bench_code.h"
#include "disasm/listing_line.h"
#include "disasm/mem_addr_list.h"
#include "disasm/view/disview0view.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

using bench_code::DecodeScreen;
using bench_code::kScreenLines;
constexpr int kJumps = 64;
constexpr int kPages = 1000;
constexpr int kWidth = 640;
constexpr UINT kPageDownCommand = 24605;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

void EnsureApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  static CWinApp* app = new CWinApp("DisviewBench");
  (void)app;
}

// A disassembly window of 60 rows over the 1 MB of code.
struct Window {
  Window() {
    EnsureApp();
    g_pDisass = &disass;
    g_pMemAddrList = new CMemAddrList;
    owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, 2000, nullptr, nullptr);
    doc = new CDisview0Doc;
    view = new CDisview0View;
    doc->AddView(view);
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, kWidth, 1900), &owner,
                 AFX_IDW_PANE_FIRST);
    view->OnInitialUpdate();
    view->MoveWindow(0, 0, kWidth, kScreenLines * view->m_nLineHeight, TRUE);
  }
  ~Window() {
    // The view goes with its window, and the document with its last view.
    owner.DestroyWindow();
    delete g_pMemAddrList;
    g_pMemAddrList = nullptr;
    g_pDisass = nullptr;
  }
  // A fresh line source, as after a new debug session.
  void NewLineSource() {
    delete g_pMemAddrList;
    g_pMemAddrList = new CMemAddrList;
    view->ReloadLines();
  }
  void Paint() {
    view->Invalidate(FALSE);
    view->UpdateWindow();
  }

  bench_code::MemoryTarget target;
  CDisassx86 disass{&target};
  CWnd owner;
  CDisview0Doc* doc = nullptr;
  CDisview0View* view = nullptr;
};

std::vector<DWORD> RandomAddresses(std::mt19937& rng, int n) {
  std::vector<DWORD> v(static_cast<size_t>(n));
  for (auto& a : v) a = rng() % 0xF0000;
  return v;
}

// Each round jumps to 64 addresses never listed in a fresh line source;
// the ratio is that of the fastest rounds. A paint of 60 rows of text
// costs far more than decoding them, so the anchor paints too.
void BM_ViewGoToAddress(benchmark::State& state) {
  Window w;
  std::mt19937 rng(11);
  double decode = 1e9, base = 1e9, go = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < 20; ++round) {
      w.NewLineSource();
      auto jumps = RandomAddresses(rng, kJumps);
      auto t = Clock::now();
      for (DWORD a : jumps) DecodeScreen(w.disass, a);
      decode = std::min(decode, Seconds(t));
      t = Clock::now();
      for (DWORD a : jumps) {
        DecodeScreen(w.disass, a);
        w.Paint();
      }
      base = std::min(base, Seconds(t));
      t = Clock::now();
      for (DWORD a : jumps) w.view->GoToAddress(a);
      go = std::min(go, Seconds(t));
    }
    state.SetIterationTime(go / kJumps);
  }
  double ratio = go / base;
  state.counters["decode_us"] = decode / kJumps * 1e6;
  state.counters["decode_ratio"] = go / decode;
  state.counters["ratio"] = ratio;
  if (ratio > 2)
    state.SkipWithError(("going to an address and painting takes " + std::to_string(ratio) +
                         " times decoding and a paint, more than 2")
                            .c_str());
}
BENCHMARK(BM_ViewGoToAddress)->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);

// 1,000 pages down from a random address; the anchor paints the screen
// where the paging ended, as often as there were pages.
void BM_ViewPageDown(benchmark::State& state) {
  Window w;
  std::mt19937 rng(5);
  double perPage = 1e9, paint = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < 3; ++round) {
      w.NewLineSource();
      w.view->GoToAddress(RandomAddresses(rng, 1)[0]);
      auto t = Clock::now();
      for (int i = 0; i < kPages; ++i) w.view->SendMessage(WM_COMMAND, kPageDownCommand, 0);
      perPage = std::min(perPage, Seconds(t) / kPages);
      t = Clock::now();
      for (int i = 0; i < kPages; ++i) w.Paint();
      paint = std::min(paint, Seconds(t) / kPages);
    }
    state.SetIterationTime(perPage);
  }
  double ratio = perPage / paint;
  state.counters["paint_us"] = paint * 1e6;
  state.counters["ratio"] = ratio;
  if (ratio > 1.5)
    state.SkipWithError(
        ("a page down takes " + std::to_string(ratio) + " times a paint of the screen, more than 1.5")
            .c_str());
}
BENCHMARK(BM_ViewPageDown)->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);

}  // namespace
