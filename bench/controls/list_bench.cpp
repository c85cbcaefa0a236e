// The owner-drawn list with many rows; each benchmark times its work and an
// anchor in the same run and reports their ratio ("ratio").
//   paint at end   jumping to the last of 100,000 rows and painting, vs
//                  painting the first screen of a fresh list (both cold) (<= 2)
//   ctrl select    Ctrl-selecting 10,000 of 100,000 rows one by one, vs
//                  1,000 of 10,000 (sub-quadratic: <= 15)
//   insert rows    inserting 100,000 rows of 4 cells, vs pushing the same
//                  texts into a std::vector<std::string> (<= 3)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/list_ctrl.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100000;
constexpr int kColumns = 4;
constexpr int kWidth = 600;
constexpr int kHeight = 400;

void EnsureApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  static CWinApp* app = new CWinApp("ListBench");
  (void)app;
}

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// The text of a cell, long enough to live on the heap in a std::string.
std::string CellText(int row, int col) {
  return "row " + std::to_string(row) + " column " + std::to_string(col);
}

std::vector<std::vector<std::string>> MakeTexts(int rows) {
  std::vector<std::vector<std::string>> texts(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < kColumns; ++c) texts[static_cast<size_t>(r)].push_back(CellText(r, c));
  return texts;
}

struct Owner {
  Owner() {
    wnd.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr);
  }
  ~Owner() { wnd.DestroyWindow(); }
  CWnd wnd;
};

std::unique_ptr<SECListCtrl> MakeList(CWnd* owner) {
  auto list = std::make_unique<SECListCtrl>();
  list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, kWidth, kHeight), owner, 1);
  for (int c = 0; c < kColumns; ++c)
    list->AppendColumn(("Column " + std::to_string(c)).c_str(), LVCFMT_LEFT, 140);
  return list;
}

void InsertRows(SECListCtrl& list, const std::vector<std::vector<std::string>>& texts) {
  LV_ITEM lvi{};
  for (size_t r = 0; r < texts.size(); ++r) {
    const int row = static_cast<int>(r);
    list.InsertItem(row, texts[r][0].c_str());
    lvi.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    lvi.iItem = row;
    for (int c = 1; c < kColumns; ++c) {
      lvi.iSubItem = c;
      lvi.pszText = const_cast<char*>(texts[r][static_cast<size_t>(c)].c_str());
      list.SetItem(&lvi, FALSE);
    }
  }
}

void Paint(SECListCtrl& list) { list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void BM_PaintAtEnd(benchmark::State& state) {
  EnsureApp();
  Owner owner;
  const auto texts = MakeTexts(kRows);
  double start = 0, end = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = MakeList(&owner.wnd);
    InsertRows(*list, texts);
    list->EnableRedraw(TRUE);
    list->UpdateScrollBars();
    state.ResumeTiming();
    auto t0 = Clock::now();
    Paint(*list);
    auto t1 = Clock::now();
    list->EnsureVisible(kRows - 1);
    Paint(*list);
    auto t2 = Clock::now();
    start += Seconds(t0, t1);
    end += Seconds(t1, t2);
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.counters["first_screen_us"] = start * 1e6 / state.iterations();
  state.counters["last_screen_us"] = end * 1e6 / state.iterations();
  state.counters["ratio"] = end / start;
}
BENCHMARK(BM_PaintAtEnd)->Iterations(3)->Unit(benchmark::kMillisecond);

double CtrlSelectSeconds(CWnd* owner, int rows) {
  auto list = MakeList(owner);
  InsertRows(*list, MakeTexts(rows));
  list->EnableRedraw(TRUE);
  list->UpdateScrollBars();
  constexpr int kEvery = 10;
  auto t0 = Clock::now();
  for (int row = 0; row < rows; row += kEvery)
    list->SelectItemByInput(row, LVHT_ONITEMLABEL, MK_CONTROL, TRUE);
  return Seconds(t0, Clock::now());
}

void BM_CtrlSelect(benchmark::State& state) {
  EnsureApp();
  Owner owner;
  double small = 0, large = 0;
  for (auto _ : state) {
    small += CtrlSelectSeconds(&owner.wnd, kRows / 10);
    large += CtrlSelectSeconds(&owner.wnd, kRows);
  }
  state.counters["select_1k_ms"] = small * 1e3 / state.iterations();
  state.counters["select_10k_ms"] = large * 1e3 / state.iterations();
  state.counters["ratio"] = large / small;
}
BENCHMARK(BM_CtrlSelect)->Iterations(3)->Unit(benchmark::kMillisecond);

// Pushes every text into a reserved vector (the anchor).
double PushSeconds(const std::vector<std::vector<std::string>>& texts) {
  auto t0 = Clock::now();
  std::vector<std::string> plain;
  plain.reserve(texts.size() * kColumns);
  for (const auto& row : texts)
    for (const auto& text : row) plain.push_back(text);
  benchmark::DoNotOptimize(plain.data());
  return Seconds(t0, Clock::now());
}

void BM_InsertRows(benchmark::State& state) {
  EnsureApp();
  Owner owner;
  const auto texts = MakeTexts(kRows);
  double list = 0, vector = 0;
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto ctrl = MakeList(&owner.wnd);
    state.ResumeTiming();
    // Whoever goes first meets the colder heap: the order alternates.
    if (round % 2 == 0) vector += PushSeconds(texts);
    auto t0 = Clock::now();
    InsertRows(*ctrl, texts);
    list += Seconds(t0, Clock::now());
    if (round % 2 == 1) vector += PushSeconds(texts);
    ++round;
    state.PauseTiming();
    ctrl.reset();
    state.ResumeTiming();
  }
  state.counters["list_ms"] = list * 1e3 / state.iterations();
  state.counters["vector_ms"] = vector * 1e3 / state.iterations();
  state.counters["ratio"] = list / vector;
}
BENCHMARK(BM_InsertRows)->Iterations(4)->Unit(benchmark::kMillisecond);

}  // namespace
