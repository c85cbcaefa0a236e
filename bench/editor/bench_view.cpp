// The source view's speed, each against an anchor in the same run, over
// the generated 100 MB C file (bench_text.h), offscreen:
//   BM_ViewOpen       opening the file into a view up to its first paint, vs
//                     QScintilla's setText and first paint of the same file
//                     (ratio_qsci <= 0.5) and vs the engine's load alone
//                     (ratio_load <= 1.5); memory_ratio: resident bytes the
//                     first open added over the file's size (<= 3)
//   BM_ViewPaintAtEnd painting a screen at the end of the freshly loaded
//                     file vs one at its start (ratio <= 1.5)
//   BM_ViewTypeAt     typing a character at line 1,000,000 and repainting vs
//                     the same on the same text in a file of the big one's
//                     first 100 lines (ratio <= 1.2); a one-line scroll:
//                     left_to_paint_px after it (0), scroll_us against
//                     full_paint_us (a paint of the whole screen)
//   BM_ViewReplaceAll Replace All of a word on 1,000,000 lines vs the
//                     engine's search for it (ratio <= 3); growth: time per
//                     match against 100,000 lines (linear: about 1)
#include <benchmark/benchmark.h>

#include <Qsci/qscilexercpp.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/editor/bench_text.h"
#include "editor/textsearch.h"
#include "editor/view/cmirt2view.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1000;
constexpr int kHeight = 800;
constexpr int kTypeLine = 1000000;
constexpr int kSmallLines = 100;
constexpr int kTypings = 200;
constexpr int kRounds = 3;
constexpr const char* kWord = "kiwi";
constexpr const char* kReplacement = "melon";
constexpr int kManyMatches = 1000000;
constexpr int kFewMatches = 100000;

double ViewBenchSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

long ViewBenchResident() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  long pages = 0, resident = 0;
  if (f != nullptr) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * 4096;
}

void ViewBenchApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  static CWinApp* app = new CWinApp("EditorViewBench");
  (void)app;
}

// A source view filling a top-level window.
struct ViewBenchWindow {
  ViewBenchWindow() {
    ViewBenchApp();
    owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr);
    doc = new CMirt2Doc;
    view = new CMirt2View;
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                 CRect(0, 0, kWidth, kHeight), &owner, AFX_IDW_PANE_FIRST);
    doc->AddView(view);
  }
  ~ViewBenchWindow() { owner.DestroyWindow(); }  // the view goes with it, the document with its view
  bool Open(const std::string& path) {
    if (!doc->LoadSourceFile(path.c_str())) return false;
    view->OnInitialUpdate();
    view->UpdateWindow();
    return true;
  }
  void Paint() {
    view->Invalidate(FALSE);
    view->UpdateWindow();
  }
  CWnd owner;
  CMirt2Doc* doc = nullptr;
  CMirt2View* view = nullptr;
};

std::string ViewBenchWriteLines(int lines, const char* word, const char* name) {
  std::string path = "/tmp/mirt_view_bench_" + std::to_string(::getpid()) + "_" + name + ".c";
  FILE* f = std::fopen(path.c_str(), "wb");
  for (int i = 0; i < lines; ++i) std::fprintf(f, "    total%d = weight * %s + offset;\r\n", i % 97, word);
  std::fclose(f);
  return path;
}

double QsciOpen(const std::string& path) {
  auto t = Clock::now();
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return -1;
  QByteArray bytes = file.readAll();
  QsciScintilla editor;
  QsciLexerCPP lexer;
  editor.setLexer(&lexer);
  editor.resize(kWidth, kHeight);
  editor.show();
  editor.setText(QString::fromLatin1(bytes));
  editor.repaint();
  editor.viewport()->repaint();
  return ViewBenchSince(t);
}

void BM_ViewOpen(benchmark::State& state) {
  const std::string& path = bench_text::BigFile();
  ViewBenchApp();
  double size = double(QFile(QString::fromStdString(path)).size());
  for (auto _ : state) {
    double ours = 1e9, qsci = 1e9, load = 1e9, memory = 0;
    for (int round = 0; round < kRounds; ++round) {
      long before = ViewBenchResident();
      auto t = Clock::now();
      {
        ViewBenchWindow w;
        if (!w.Open(path)) {
          state.SkipWithError("open failed");
          return;
        }
        ours = std::min(ours, ViewBenchSince(t));
        if (round == 0) memory = double(ViewBenchResident() - before);
      }
      {
        EditBuffer buffer;
        buffer.SetLockFiles(FALSE);
        t = Clock::now();
        buffer.LoadFile(path.c_str());
        load = std::min(load, ViewBenchSince(t));
      }
      qsci = std::min(qsci, QsciOpen(path));
    }
    state.SetIterationTime(ours);
    state.counters["ours_ms"] = ours * 1e3;
    state.counters["qsci_ms"] = qsci * 1e3;
    state.counters["load_ms"] = load * 1e3;
    state.counters["ratio_qsci"] = ours / qsci;
    state.counters["ratio_load"] = ours / load;
    state.counters["memory_ratio"] = memory / size;
  }
}
BENCHMARK(BM_ViewOpen)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ViewPaintAtEnd(benchmark::State& state) {
  const std::string& path = bench_text::BigFile();
  ViewBenchWindow w;
  for (auto _ : state) {
    double end = 1e9, start = 1e9;
    for (int round = 0; round < kRounds; ++round) {
      // Both screens are reached by moves, so that both paints also carry
      // the scroll bars' change.
      w.Open(path);
      w.view->MoveBottomOfFile(FALSE);
      auto t = Clock::now();
      w.Paint();
      end = std::min(end, ViewBenchSince(t));
      w.Open(path);
      w.view->MoveBottomOfFile(FALSE);
      w.view->MoveTopOfFile(FALSE);
      t = Clock::now();
      w.Paint();
      start = std::min(start, ViewBenchSince(t));
    }
    state.SetIterationTime(end);
    state.counters["end_us"] = end * 1e6;
    state.counters["start_us"] = start * 1e6;
    state.counters["ratio"] = end / start;
  }
}
BENCHMARK(BM_ViewPaintAtEnd)->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);

// Types kTypings characters at the caret, each followed by a paint; seconds per character.
double ViewBenchType(ViewBenchWindow& w) {
  auto t = Clock::now();
  for (int i = 0; i < kTypings; ++i) {
    w.view->SendMessage(WM_CHAR, 'x', 1);
    w.view->UpdateWindow();
  }
  return ViewBenchSince(t) / kTypings;
}

// The first 100 lines of the big file, and the one of them that reads as
// line 1,000,000 of it does.
std::string ViewBenchSmallFile(EditBuffer& big, int* sameLine) {
  std::string path = "/tmp/mirt_view_bench_" + std::to_string(::getpid()) + "_small.c";
  FILE* f = std::fopen(path.c_str(), "wb");
  const EditLine* far = big.GetLine(kTypeLine);
  *sameLine = 1;
  int n = 1;
  for (EditLine* l = big.m_pLines; l != nullptr && n <= kSmallLines; l = l->next, ++n) {
    std::fwrite(l->text, 1, l->length, f);
    if (l->length == far->length && std::memcmp(l->text, far->text, l->length) == 0) *sameLine = n;
  }
  std::fclose(f);
  return path;
}

void BM_ViewTypeAt(benchmark::State& state) {
  ViewBenchWindow big, small;
  big.Open(bench_text::BigFile());
  int sameLine = 1;
  std::string smallPath = ViewBenchSmallFile(big.doc->m_editBuffer, &sameLine);
  small.Open(smallPath);
  big.view->GoToLine(kTypeLine);
  small.view->GoToLine(sameLine);
  big.Paint();
  small.Paint();
  for (auto _ : state) {
    double far = ViewBenchType(big);
    double near = ViewBenchType(small);
    state.SetIterationTime(far);
    state.counters["far_us"] = far * 1e6;
    state.counters["near_us"] = near * 1e6;
    state.counters["ratio"] = far / near;
  }
  // One line down by the scroll bar: what is left to paint afterwards (the
  // view paints the new row itself), and its time against a full paint.
  constexpr int kScrolls = 100;
  auto t = Clock::now();
  for (int i = 0; i < kScrolls; ++i) big.view->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  double scroll = ViewBenchSince(t) / kScrolls;
  RECT dirty{0, 0, 0, 0};
  ::GetUpdateRect(big.view->m_hWnd, &dirty, FALSE);
  t = Clock::now();
  big.Paint();
  double full = ViewBenchSince(t);
  state.counters["left_to_paint_px"] = double(dirty.bottom - dirty.top);
  state.counters["scroll_us"] = scroll * 1e6;
  state.counters["full_paint_us"] = full * 1e6;
  std::remove(smallPath.c_str());
}
BENCHMARK(BM_ViewTypeAt)->UseManualTime()->Iterations(3)->Unit(benchmark::kMicrosecond);

// Seconds of Replace All over a file of `lines` lines with the word once each.
double ViewBenchReplaceAll(int lines, double* search) {
  std::string path = ViewBenchWriteLines(lines, kWord, "replace");
  ViewBenchWindow w;
  w.Open(path);
  FindRecord find;
  find.flags = FIND_FORWARD | FIND_MATCH_CASE;
  find.pattern = kWord;
  auto t = Clock::now();
  EditPos pos{w.doc->m_editBuffer.m_pLines, 0};
  EditPos limit;
  int found = 0;
  // As the view's own find does: the loaded texts scanned block by block.
  while (pos.line != nullptr && FindText(pos, limit, &find, w.doc->m_editBuffer.LinesAsLoaded())) {
    ++found;
    pos.offset += find.matchLength;
  }
  *search = ViewBenchSince(t);
  FindRecord rec = find;
  rec.replacement = kReplacement;
  t = Clock::now();
  w.view->ReplaceAllMatches(rec, nullptr);
  w.view->UpdateWindow();
  double replace = ViewBenchSince(t);
  std::remove(path.c_str());
  return found == lines ? replace : -1;
}

void BM_ViewReplaceAll(benchmark::State& state) {
  for (auto _ : state) {
    double searchMany = 0, searchFew = 0;
    double many = ViewBenchReplaceAll(kManyMatches, &searchMany);
    double few = ViewBenchReplaceAll(kFewMatches, &searchFew);
    if (many < 0 || few < 0) {
      state.SkipWithError("the word was not found on every line");
      return;
    }
    state.SetIterationTime(many);
    state.counters["replace_ms"] = many * 1e3;
    state.counters["search_ms"] = searchMany * 1e3;
    state.counters["ratio"] = many / searchMany;
    state.counters["growth"] = (many / kManyMatches) / (few / kFewMatches);
  }
}
BENCHMARK(BM_ViewReplaceAll)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
