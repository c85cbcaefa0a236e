// Docking layout and drags of the window framework; each benchmark times its
// work and an anchor in the same run and reports their ratio ("ratio").
//   layout pass   RecalcLayout of a frame with 20 bars in 4 rows vs the frame's paint of its client area (<=
//   3) layout growth a layout pass with 40 bars vs one with 20 bars (<= 2.2) drag step     one mouse move of
//   a dock drag, outline drawn, vs one layout pass                     (<= 2)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_dock_context.h"
#include "framework/sec_docking.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

void EnsureApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  static CWinApp* app = new CWinApp("DockingBench");
  (void)app;
}

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

class Pane : public CWnd {};

// A frame with `bars` framework bars in 4 rows: two on the top dock bar and two on the bottom one.
struct Frame {
  explicit Frame(int bars) {
    constexpr UINT kFirstId = 0xE880;
    frame = new CFrameWnd;
    frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1600, 1000));
    pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST);
    SECEnableDocking(frame, CBRS_ALIGN_ANY);
    const int perRow = bars / 4;
    for (int i = 0; i < bars; ++i) {
      auto bar = std::make_unique<SECControlBar>();
      bar->Create(frame, "Bar", WS_CHILD | WS_VISIBLE | CBRS_TOP, SECBAR_GRIPPER | SECBAR_GRIPPERCLOSE,
                  kFirstId + static_cast<UINT>(i));
      bar->m_szHorzDock = CSize(200, 60);
      bar->EnableDocking(CBRS_ALIGN_ANY);
      const int row = i / perRow;
      auto* dock = static_cast<SECDockBar*>(
          frame->GetControlBar(row < 2 ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_BOTTOM));
      dock->DockControlBarAt(bar.get(), row % 2, i % perRow);
      list.push_back(std::move(bar));
    }
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
  }
  ~Frame() { frame->DestroyWindow(); }
  CFrameWnd* frame;
  Pane pane;
  std::vector<std::unique_ptr<SECControlBar>> list;
};

// One layout pass; the row thickness alternates so that bars really move.
void Pass(Frame& f, int n) {
  for (auto& bar : f.list) bar->m_szHorzDock.cy = 60 + (n & 1);
  f.frame->RecalcLayout();
}

double LayoutSeconds(Frame& f, int passes) {
  auto t0 = Clock::now();
  for (int n = 0; n < passes; ++n) Pass(f, n);
  return Seconds(t0, Clock::now());
}

void BM_LayoutPass(benchmark::State& state) {
  EnsureApp();
  Frame f(20);
  constexpr int kPasses = 20;
  double layout = 0, paint = 0;
  for (auto _ : state) {
    layout += LayoutSeconds(f, kPasses);
    auto t0 = Clock::now();
    for (int n = 0; n < kPasses; ++n)
      f.frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    paint += Seconds(t0, Clock::now());
  }
  state.counters["layout_us"] = layout * 1e6 / (state.iterations() * kPasses);
  state.counters["paint_us"] = paint * 1e6 / (state.iterations() * kPasses);
  state.counters["ratio"] = layout / paint;
}
BENCHMARK(BM_LayoutPass)->MinTime(0.5);

void BM_LayoutGrowth(benchmark::State& state) {
  EnsureApp();
  Frame small(20), large(40);
  constexpr int kPasses = 20;
  double s = 0, l = 0;
  for (auto _ : state) {
    s += LayoutSeconds(small, kPasses);
    l += LayoutSeconds(large, kPasses);
  }
  state.counters["bars20_us"] = s * 1e6 / (state.iterations() * kPasses);
  state.counters["bars40_us"] = l * 1e6 / (state.iterations() * kPasses);
  state.counters["ratio"] = l / s;
}
BENCHMARK(BM_LayoutGrowth)->MinTime(0.5);

void BM_DragStep(benchmark::State& state) {
  EnsureApp();
  Frame f(20);
  SECControlBar& bar = *f.list[0];
  auto* context = static_cast<SECDockContext*>(bar.m_pDockContext);
  CRect client;
  f.frame->GetClientRect(&client);
  f.frame->ClientToScreen(&client);
  CRect rect;
  bar.GetWindowRect(&rect);
  // A drag in progress over the top dock bar, as StartDrag leaves it.
  context->m_bDragging = TRUE;
  context->InitLoop();
  context->m_ptDragStart = context->m_ptLast = rect.CenterPoint();
  context->m_rectDragHorz = context->m_rectFrameDragHorz = rect;
  context->m_rectDragVert = context->m_rectFrameDragVert = CRect(rect.TopLeft(), bar.m_szVertDock);
  constexpr int kSteps = 20;
  double drag = 0, layout = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    for (int n = 0; n < kSteps; ++n)
      context->Move(CPoint(rect.CenterPoint().x + (n & 1 ? 7 : -7), client.top + 30));
    drag += Seconds(t0, Clock::now());
    layout += LayoutSeconds(f, kSteps);
  }
  context->CancelLoop();
  state.counters["step_us"] = drag * 1e6 / (state.iterations() * kSteps);
  state.counters["layout_us"] = layout * 1e6 / (state.iterations() * kSteps);
  state.counters["ratio"] = drag / layout;
}
BENCHMARK(BM_DragStep)->MinTime(0.5);

}  // namespace
