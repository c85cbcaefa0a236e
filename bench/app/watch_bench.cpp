// Refreshing the Variable bar after a stop: every watch is requested
// again and its answer (a structure with a nested member) is read into the
// tree, then the bar is painted. Reported per watch for 200 watches
// against the same work for 20 ("growth", linear: <= 1.5).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/variable_control_bar.h"
#include "framework/sec_docking.h"
#include "platform/afx/afx.h"
#include "platform/ui/application.h"
#include "platform/ui/message.h"

namespace {

using WatchClock = std::chrono::steady_clock;

constexpr int kWatchMany = 200;
constexpr int kWatchFew = 20;
constexpr int kWatchRounds = 20;

// Queues each request in the bar, as the frame does after asking the
// debugger.
class QueueingRequester : public CWatchRequester {
 public:
  explicit QueueingRequester(CVariableControlBar& bar) : m_bar(bar) {}
  void RequestWatchValue(const char* name, HTREEITEM node) override { m_bar.AddPendingRequest(name, node); }
  void RefreshAll() override {}

 private:
  CVariableControlBar& m_bar;
};

struct WatchFrame {
  WatchFrame() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    mirt_ui::EnsureApplication();
    static CWinApp* app = new CWinApp("WatchBench");
    (void)app;
    frame->Create(nullptr, "Watch", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480));
    SECEnableDocking(frame, CBRS_ALIGN_ANY);
    bar.SetName("Variable");
    bar.Create(frame, "Variable", WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, SECBAR_GRIPPER, 0xE810);
    bar.m_szHorzDock = CSize(600, 300);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
    bar.SetFrameRequester(&requester);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    PumpWaitingMessages();
  }
  // The frame deletes itself when destroyed.
  ~WatchFrame() { frame->DestroyWindow(); }

  CFrameWnd* frame = new CFrameWnd;
  CVariableControlBar bar{WatchRefresh::kAfterEdit, WatchAssign::kEvaluator};
  QueueingRequester requester{bar};
};

std::string WatchValue(int watch, int round) {
  const std::string n = std::to_string(watch + round);
  return "{a = " + n + ", b = {c = " + n + ", d = 0x" + n + "}, s = \"text " + n + "\"}";
}

// Seconds of `rounds` refreshes of `watches` watches.
double WatchRefreshSeconds(int watches, int rounds) {
  WatchFrame f;
  CVariableTree& tree = f.bar.m_tree;
  for (int w = 0; w < watches; ++w)
    tree.SetValue(("w" + std::to_string(w)).c_str(), "0", "struct S", nullptr);
  std::vector<std::vector<std::string>> values{size_t(rounds), std::vector<std::string>(size_t(watches))};
  for (int r = 0; r < rounds; ++r)
    for (int w = 0; w < watches; ++w) values[size_t(r)][size_t(w)] = WatchValue(w, r);
  tree.ExpandAll(nullptr);
  const auto t0 = WatchClock::now();
  for (int r = 0; r < rounds; ++r) {
    f.bar.RefreshAll();
    for (int w = 0; w < watches; ++w) f.bar.OnWatchValue(values[size_t(r)][size_t(w)].c_str(), "struct S");
    tree.UpdateWindow();
  }
  return std::chrono::duration<double>(WatchClock::now() - t0).count();
}

void BM_WatchRefresh(benchmark::State& state) {
  double many = 0, few = 0;
  bool manyFirst = false;
  for (auto _ : state) {
    if (manyFirst) many += WatchRefreshSeconds(kWatchMany, kWatchRounds);
    few += WatchRefreshSeconds(kWatchFew, kWatchRounds);
    if (!manyFirst) many += WatchRefreshSeconds(kWatchMany, kWatchRounds);
    manyFirst = !manyFirst;
  }
  const double perMany = many / (double(kWatchMany) * kWatchRounds * state.iterations());
  const double perFew = few / (double(kWatchFew) * kWatchRounds * state.iterations());
  state.counters["per_watch_us_200"] = perMany * 1e6;
  state.counters["per_watch_us_20"] = perFew * 1e6;
  state.counters["growth"] = perMany / perFew;
}
BENCHMARK(BM_WatchRefresh)->Iterations(4)->Unit(benchmark::kMillisecond);

}  // namespace
