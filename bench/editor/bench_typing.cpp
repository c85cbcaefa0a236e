// Typing character by character and undoing it: the cost of one typed
// character must not grow with the text typed before it (1 million against
// 100 thousand characters). The undo ring holds 2048 records, so undoing
// after a long run undoes what the ring holds; that is measured separately
// and its record count reported.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "editor/editbuffer.h"
#include "editor/undorecord.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSmall = 100000;
constexpr int kLarge = 1000000;
constexpr int kLineWidth = 64;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

struct Timing {
  double typing = 0;  // seconds for all characters
  double undo = 0;    // seconds to undo what the ring holds
  int records = 0;    // records the ring held
};

enum class Layout { kNewLineEvery64, kOneLine };

Timing TypeAndUndo(int n, Layout layout) {
  EditBuffer buffer;
  Timing r;
  auto t = Clock::now();
  EditLine* line = buffer.m_pLines;
  int offset = 0;
  for (int i = 0; i < n; ++i) {
    if (layout == Layout::kNewLineEvery64 && offset == kLineWidth) {
      EditPos at{line, offset};
      buffer.SplitLine(at, TRUE);
      line = line->next;
      offset = 0;
    }
    buffer.InsertChar(EditPos{line, offset++}, static_cast<char>('a' + i % 26), TRUE, TRUE);
  }
  r.typing = Since(t);
  r.records = buffer.m_nUndoCount;
  t = Clock::now();
  while (buffer.Undo()) {
  }
  r.undo = Since(t);
  return r;
}

void BM_TypeAndUndo(benchmark::State& state) {
  Layout layout = state.range(0) == 0 ? Layout::kNewLineEvery64 : Layout::kOneLine;
  for (auto _ : state) {
    // The fastest of a few runs of each size, so that start-up costs and a
    // busy machine weigh less.
    Timing small{1e9, 1e9}, large{1e9, 1e9};
    for (int i = 0; i < 3; ++i) {
      Timing r = TypeAndUndo(kSmall, layout);
      small = {std::min(small.typing, r.typing), std::min(small.undo, r.undo), r.records};
    }
    for (int i = 0; i < 2; ++i) {
      Timing r = TypeAndUndo(kLarge, layout);
      large = {std::min(large.typing, r.typing), std::min(large.undo, r.undo), r.records};
    }
    state.SetIterationTime(large.typing);
    state.counters["type_ns_per_char"] = large.typing * 1e9 / kLarge;
    state.counters["growth_ratio"] = (large.typing / kLarge) / (small.typing / kSmall);
    state.counters["undo_records"] = large.records;
    state.counters["undo_ms"] = large.undo * 1e3;
  }
  state.SetLabel(layout == Layout::kOneLine ? "one growing line" : "a new line every 64 characters");
}
BENCHMARK(BM_TypeAndUndo)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
