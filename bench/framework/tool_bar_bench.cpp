// Tool bar painting and command UI; each benchmark times its work and an
// anchor in the same run and reports their ratio ("ratio").
//   paint       a tool bar of 40 buttons painted off-screen vs BitBlt of 40 button-sized images alone
//   (<= 1.5) command UI  one idle update of 10 bars of 20 buttons: time per button vs one message dispatch
//   (<= 3),
//               and 10 bars of 20 buttons vs 10 bars of 10 ("growth", <= 2.2: linear)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_custom_tool_bar.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kImageCx = 16, kImageCy = 15;
constexpr UINT kFirstCommand = 1000;

void EnsureApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  static CWinApp* app = new CWinApp("ToolBarBench");
  (void)app;
}

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// A frame whose commands all have handlers (through OnCmdMsg) and update handlers that enable them.
class BenchFrame : public CFrameWnd {
 public:
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nID >= kFirstCommand && nID < kFirstCommand + 1000) {
      if (nCode == CN_UPDATE_COMMAND_UI && pExtra) static_cast<CCmdUI*>(pExtra)->Enable((nID & 1) == 0);
      return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
};

// A strip of `count` images, each filled with its own colour.
HBITMAP MakeStrip(int count) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP strip = ::CreateCompatibleBitmap(screen, kImageCx * count, kImageCy);
  HDC mem = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(mem, strip);
  for (int i = 0; i < count; ++i)
    CDC::FromHandle(mem)->FillSolidRect(i * kImageCx, 0, kImageCx, kImageCy, RGB(i * 6, 255 - i * 6, 128));
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return strip;
}

struct Bars {
  Bars(int bars, int buttons) {
    frame = new BenchFrame;
    frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1600, 1000));
    strip = MakeStrip(buttons);
    std::vector<UINT> ids;
    for (int i = 0; i < buttons; ++i) ids.push_back(kFirstCommand + static_cast<UINT>(i));
    for (int b = 0; b < bars; ++b) {
      auto bar = std::make_unique<SECCustomToolBar>();
      bar->GetBmpMgr()->AddBitmap(strip, nullptr, ids.data(), buttons);
      bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE810 + static_cast<UINT>(b));
      bar->SetButtons(ids.data(), buttons);
      bar->CalcDynamicLayout(32767, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
      bar->SetWindowPos(nullptr, 0, b * 30, bar->m_szHorz.cx, bar->m_szHorz.cy, SWP_NOZORDER);
      list.push_back(std::move(bar));
    }
  }
  ~Bars() {
    list.clear();
    frame->DestroyWindow();
    ::DeleteObject(strip);
  }
  double UpdateSeconds(int passes) {
    auto t0 = Clock::now();
    for (int n = 0; n < passes; ++n)
      for (auto& bar : list) bar->OnUpdateCmdUI(frame, TRUE);
    return Seconds(t0, Clock::now());
  }
  BenchFrame* frame;
  HBITMAP strip;
  std::vector<std::unique_ptr<SECCustomToolBar>> list;
};

void BM_ToolBarPaint(benchmark::State& state) {
  EnsureApp();
  constexpr int kButtons = 40;
  Bars bars(1, kButtons);
  SECCustomToolBar& bar = *bars.list[0];
  const CSize size = bar.m_szHorz;
  HDC screen = ::GetDC(nullptr);
  HDC target = ::CreateCompatibleDC(screen);
  HBITMAP surface = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
  HDC images = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ oldTarget = ::SelectObject(target, surface);
  HGDIOBJ oldImages = ::SelectObject(images, bars.strip);
  CDC* dc = CDC::FromHandle(target);
  constexpr int kPaints = 20;
  double paint = 0, blit = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    for (int n = 0; n < kPaints; ++n) bar.DoPaint(dc);
    auto t1 = Clock::now();
    for (int n = 0; n < kPaints; ++n)
      for (int i = 0; i < kButtons; ++i) {
        const SECStdBtn* b = bar.GetBtn(i);
        ::BitBlt(target, b->m_x, b->m_y, b->m_cx, b->m_cy, images, i * kImageCx, 0, SRCCOPY);
      }
    auto t2 = Clock::now();
    paint += Seconds(t0, t1);
    blit += Seconds(t1, t2);
  }
  ::SelectObject(images, oldImages);
  ::SelectObject(target, oldTarget);
  ::DeleteDC(images);
  ::DeleteDC(target);
  ::DeleteObject(surface);
  state.counters["paint_us"] = paint * 1e6 / (state.iterations() * kPaints);
  state.counters["blit_us"] = blit * 1e6 / (state.iterations() * kPaints);
  state.counters["ratio"] = paint / blit;
}
BENCHMARK(BM_ToolBarPaint)->MinTime(0.5);

void BM_ToolBarCommandUi(benchmark::State& state) {
  EnsureApp();
  Bars wide(10, 20), narrow(10, 10);
  constexpr int kPasses = 20;
  constexpr UINT kUnhandled = WM_USER + 77;
  double many = 0, few = 0, dispatch = 0;
  for (auto _ : state) {
    many += wide.UpdateSeconds(kPasses);
    few += narrow.UpdateSeconds(kPasses);
    auto t0 = Clock::now();
    for (int n = 0; n < kPasses * 200; ++n) wide.frame->SendMessage(kUnhandled, 0, 0);
    dispatch += Seconds(t0, Clock::now());
  }
  const double perButton = many / (state.iterations() * kPasses * 200.0);
  const double perDispatch = dispatch / (state.iterations() * kPasses * 200.0);
  state.counters["button_us"] = perButton * 1e6;
  state.counters["dispatch_us"] = perDispatch * 1e6;
  state.counters["ratio"] = perButton / perDispatch;
  state.counters["growth"] = many / few;
}
BENCHMARK(BM_ToolBarCommandUi)->MinTime(0.5);

}  // namespace
