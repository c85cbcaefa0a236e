// The tree control with 100,000 items (1,000 parents of 100 children); each
// benchmark times its work and an anchor in the same run and reports their
// ratio ("ratio").
//   paint at end    ExpandAll, then jumping to the last row and painting, vs
//                   painting the first screen (<= 2)
//   collapse top    collapsing the first parent vs the last one (<= 3)
//   delete all      deleting the whole tree vs building it (<= 3)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/sec_tree_ctrl.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace {

using TreeClock = std::chrono::steady_clock;

constexpr int kTreeParents = 1000;
constexpr int kTreeChildren = 100;
constexpr int kTreeWidth = 600;
constexpr int kTreeHeight = 400;

void EnsureTreeApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  static CWinApp* app = new CWinApp("TreeBench");
  (void)app;
}

double TreeSeconds(TreeClock::time_point a, TreeClock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

struct TreeOwner {
  TreeOwner() {
    wnd.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, kTreeWidth, kTreeHeight, nullptr, nullptr);
  }
  ~TreeOwner() { wnd.DestroyWindow(); }
  CWnd wnd;
};

std::unique_ptr<SECTreeCtrl> MakeTree(CWnd* owner) {
  auto tree = std::make_unique<SECTreeCtrl>();
  tree->Create(WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, kTreeWidth, kTreeHeight), owner, 1);
  tree->SetTreeStyle(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
  tree->SetColumnWidth(0, kTreeWidth - 20);
  return tree;
}

// Builds the tree with redraw off; returns the parents.
std::vector<HTREEITEM> BuildTree(SECTreeCtrl& tree, const std::vector<std::string>& texts) {
  tree.EnableRedraw(FALSE);
  std::vector<HTREEITEM> parents;
  size_t next = 0;
  for (int p = 0; p < kTreeParents; ++p) {
    const HTREEITEM parent = tree.InsertItem(texts[next++].c_str());
    parents.push_back(parent);
    for (int c = 0; c < kTreeChildren; ++c) tree.InsertItem(texts[next++].c_str(), parent);
  }
  return parents;
}

std::vector<std::string> TreeTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < kTreeParents * (kTreeChildren + 1); ++i)
    texts.push_back("item number " + std::to_string(i));
  return texts;
}

void PaintTree(SECTreeCtrl& tree) { tree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void BM_TreePaintAtEnd(benchmark::State& state) {
  EnsureTreeApp();
  TreeOwner owner;
  const auto texts = TreeTexts();
  double start = 0, end = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto tree = MakeTree(&owner.wnd);
    BuildTree(*tree, texts);
    tree->ExpandAll(TVI_ROOT, FALSE);
    tree->EnableRedraw(TRUE);
    tree->UpdateScrollBars();
    state.ResumeTiming();
    auto t0 = TreeClock::now();
    PaintTree(*tree);
    auto t1 = TreeClock::now();
    tree->SECListBaseC::EnsureVisible(tree->GetItemCount() - 1);
    PaintTree(*tree);
    auto t2 = TreeClock::now();
    start += TreeSeconds(t0, t1);
    end += TreeSeconds(t1, t2);
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.counters["first_screen_us"] = start * 1e6 / state.iterations();
  state.counters["last_screen_us"] = end * 1e6 / state.iterations();
  state.counters["ratio"] = end / start;
}
BENCHMARK(BM_TreePaintAtEnd)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_TreeCollapseTop(benchmark::State& state) {
  EnsureTreeApp();
  TreeOwner owner;
  const auto texts = TreeTexts();
  double top = 0, bottom = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto tree = MakeTree(&owner.wnd);
    const auto parents = BuildTree(*tree, texts);
    tree->ExpandAll(TVI_ROOT, FALSE);
    tree->EnableRedraw(TRUE);
    state.ResumeTiming();
    auto t0 = TreeClock::now();
    tree->Expand(parents.front(), TVE_COLLAPSE);
    auto t1 = TreeClock::now();
    tree->Expand(parents.back(), TVE_COLLAPSE);
    auto t2 = TreeClock::now();
    top += TreeSeconds(t0, t1);
    bottom += TreeSeconds(t1, t2);
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.counters["top_us"] = top * 1e6 / state.iterations();
  state.counters["bottom_us"] = bottom * 1e6 / state.iterations();
  state.counters["ratio"] = top / bottom;
}
BENCHMARK(BM_TreeCollapseTop)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_TreeDeleteAll(benchmark::State& state) {
  EnsureTreeApp();
  TreeOwner owner;
  const auto texts = TreeTexts();
  double build = 0, remove = 0;
  for (auto _ : state) {
    auto tree = MakeTree(&owner.wnd);
    auto t0 = TreeClock::now();
    BuildTree(*tree, texts);
    auto t1 = TreeClock::now();
    tree->DeleteAllItems();
    auto t2 = TreeClock::now();
    build += TreeSeconds(t0, t1);
    remove += TreeSeconds(t1, t2);
  }
  state.counters["build_ms"] = build * 1e3 / state.iterations();
  state.counters["delete_ms"] = remove * 1e3 / state.iterations();
  state.counters["ratio"] = remove / build;
}
BENCHMARK(BM_TreeDeleteAll)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
