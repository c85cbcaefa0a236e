// The workbook's tab strip; each benchmark times its work with many sheets
// and the same work with few in the same run and reports their ratio.
//   tab switch  a click on a tab (activation, tab and caption repaint) with 50 sheets vs 5 (<= 2)
//   tab paint   painting the tab strip with 50 tabs vs 5 (<= 3)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "framework/sec_workbook.h"
#include "framework/sec_worksheet.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFewSheets = 5;
constexpr int kManySheets = 50;
constexpr UINT kBenchFrameId = 128;

void EnsureWorkbookApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  static CWinApp* app = new CWinApp("WorkbookBench");
  (void)app;
}

double Elapsed(Clock::time_point a) { return std::chrono::duration<double>(Clock::now() - a).count(); }

// A workbook in workbook mode with `sheets` worksheets.
struct Book {
  explicit Book(int sheets) {
    book = new SECWorkbook;
    book->LoadFrame(kBenchFrameId);
    book->MoveWindow(0, 0, 1024, 700);
    book->ShowWindow(SW_SHOW);
    book->SetWorkbookMode(TRUE);
    for (int i = 0; i < sheets; ++i) {
      auto* sheet = new SECWorksheet;
      sheet->LoadFrame(kBenchFrameId, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | WS_VISIBLE, book);
      sheet->SetWindowText(("Sheet " + std::to_string(i)).c_str());
    }
    book->UpdateWindow();
  }
  ~Book() { book->DestroyWindow(); }
  CPoint TabPoint(int index) {
    POINT* p = nullptr;
    int n = 0;
    book->GetTabPolygon(book->GetSheet(index), p, n);
    CPoint at((p[0].x + p[5].x) / 2, p[0].y + 8);
    delete[] p;
    return at;
  }
  // Clicks the tabs of sheets 0 and 1 in turn and repaints.
  double Switch(int clicks) {
    const CPoint at[2] = {TabPoint(0), TabPoint(1)};
    auto t0 = Clock::now();
    for (int n = 0; n < clicks; ++n) {
      const CPoint p = at[n & 1];
      book->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
      book->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
      book->UpdateWindow();
    }
    return Elapsed(t0);
  }
  double PaintStrip(int paints) {
    auto t0 = Clock::now();
    for (int n = 0; n < paints; ++n) {
      book->InvalidateStrip();
      book->UpdateWindow();
    }
    return Elapsed(t0);
  }
  SECWorkbook* book;
};

void BM_TabSwitch(benchmark::State& state) {
  EnsureWorkbookApp();
  Book few(kFewSheets), many(kManySheets);
  constexpr int kClicks = 20;
  double f = 0, m = 0;
  for (auto _ : state) {
    f += few.Switch(kClicks);
    m += many.Switch(kClicks);
  }
  state.counters["sheets5_us"] = f * 1e6 / (state.iterations() * kClicks);
  state.counters["sheets50_us"] = m * 1e6 / (state.iterations() * kClicks);
  state.counters["ratio"] = m / f;
}
BENCHMARK(BM_TabSwitch)->MinTime(0.5);

void BM_TabStripPaint(benchmark::State& state) {
  EnsureWorkbookApp();
  Book few(kFewSheets), many(kManySheets);
  constexpr int kPaints = 20;
  double f = 0, m = 0;
  for (auto _ : state) {
    f += few.PaintStrip(kPaints);
    m += many.PaintStrip(kPaints);
  }
  state.counters["tabs5_us"] = f * 1e6 / (state.iterations() * kPaints);
  state.counters["tabs50_us"] = m * 1e6 / (state.iterations() * kPaints);
  state.counters["ratio"] = m / f;
}
BENCHMARK(BM_TabStripPaint)->MinTime(0.5);

}  // namespace
