// The window layer against Qt and plain C++: each benchmark times both
// sides in the same run and reports their ratio ("ratio" counter).
//   editor paint      ExtTextOut runs on a 1600x1000 window vs QPainter on a QImage  (<= 1.5)
//   send, same thread SendMessage through a message map vs a virtual call       (<= 10)
//   send, two threads SendMessage round trip vs Qt BlockingQueuedConnection     (<= 1)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/platform_ui/direct_handler.h"
#include "platform/ui/application.h"
#include "platform/ui/cdc.h"
#include "platform/ui/cwnd.h"

namespace {

using Clock = std::chrono::steady_clock;

void EnsureApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
}

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// One screen of an editor: lines of coloured runs.
struct Run {
  int x, y;
  std::string text;
  COLORREF fg, bg;
};

std::vector<Run> EditorRuns(int charW, int lineH) {
  static const COLORREF kColors[] = {RGB(0, 0, 0), RGB(0, 0, 192), RGB(0, 128, 0), RGB(128, 0, 128),
                                     RGB(192, 0, 0)};
  std::vector<Run> runs;
  const char* words[] = {"for", " (",          "int",   " i", " =",
                         " 0;", " i < count;", " ++i)", " {", "  // comment text"};
  for (int line = 0; line * lineH < 1000; ++line) {
    int x = 0;
    for (int w = 0; x < 1600; ++w) {
      std::string t = words[(line + w) % 10];
      COLORREF bg = (line % 7 == 3) ? RGB(0, 0, 128) : RGB(255, 255, 255);
      runs.push_back({x, line * lineH, t, kColors[(line + w) % 5], bg});
      x += static_cast<int>(t.size()) * charW;
    }
  }
  return runs;
}

void BM_EditorPaint(benchmark::State& state) {
  EnsureApp();
  HWND h = CreateWindowEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 1000,
                          nullptr, nullptr, nullptr, nullptr);
  HFONT font =
      CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");
  HDC probe = GetDC(h);
  HGDIOBJ old = SelectObject(probe, font);
  TEXTMETRIC tm;
  GetTextMetrics(probe, &tm);
  SelectObject(probe, old);
  ReleaseDC(h, probe);
  std::vector<Run> runs = EditorRuns(tm.tmAveCharWidth, tm.tmHeight);

  QImage image(1600, 1000, QImage::Format_RGB32);
  QFont qfont("Liberation Mono");
  qfont.setPixelSize(13);
  std::vector<QString> texts;
  for (const Run& r : runs) texts.push_back(QString::fromLatin1(r.text.c_str()));

  double layer = 0, qt = 0;
  for (auto _ : state) {
    auto a = Clock::now();
    InvalidateRect(h, nullptr, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    SelectObject(dc, font);
    for (const Run& r : runs) {
      SetTextColor(dc, r.fg);
      SetBkColor(dc, r.bg);
      RECT rc{r.x, r.y, r.x + static_cast<LONG>(r.text.size()) * tm.tmAveCharWidth, r.y + tm.tmHeight};
      ExtTextOut(dc, r.x, r.y, ETO_OPAQUE, &rc, r.text.data(), static_cast<UINT>(r.text.size()), nullptr);
    }
    EndPaint(h, &ps);
    auto b = Clock::now();
    {
      QPainter p(&image);
      p.setFont(qfont);
      for (size_t i = 0; i < runs.size(); ++i) {
        const Run& r = runs[i];
        QRect rc(r.x, r.y, static_cast<int>(r.text.size()) * tm.tmAveCharWidth, tm.tmHeight);
        p.fillRect(rc, QColor(GetRValue(r.bg), GetGValue(r.bg), GetBValue(r.bg)));
        p.setPen(QColor(GetRValue(r.fg), GetGValue(r.fg), GetBValue(r.fg)));
        p.drawText(QPoint(r.x, r.y + tm.tmAscent), texts[i]);
      }
    }
    auto c = Clock::now();
    layer += Seconds(a, b);
    qt += Seconds(b, c);
  }
  state.counters["layer_ms"] = layer * 1000 / state.iterations();
  state.counters["qt_ms"] = qt * 1000 / state.iterations();
  state.counters["ratio"] = layer / qt;
  state.counters["runs"] = static_cast<double>(runs.size());
  DeleteObject(font);
  DestroyWindow(h);
}
BENCHMARK(BM_EditorPaint)->Unit(benchmark::kMillisecond)->MinTime(1.0);

class BenchWnd : public CWnd {
 public:
  LRESULT OnValue(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
  void OnSize(UINT, int, int) {}
  void OnPaint() { Default(); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BenchWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_MESSAGE(WM_USER + 7, OnValue)
END_MESSAGE_MAP()

void BM_SendSameThread(benchmark::State& state) {
  EnsureApp();
  BenchWnd w;
  w.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  // The handler lives in another translation unit: a real virtual call.
  std::unique_ptr<ValueHandler> direct(MakeDirectHandler());
  ValueHandler* handler = direct.get();
  constexpr int kBatch = 1000;
  double layer = 0, plain = 0;
  LRESULT sink = 0;
  for (auto _ : state) {
    auto a = Clock::now();
    for (int i = 0; i < kBatch; ++i) sink += ::SendMessage(w.m_hWnd, WM_USER + 7, i, 1);
    auto b = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      benchmark::DoNotOptimize(handler);
      sink += handler->OnValue(i, 1);
    }
    auto c = Clock::now();
    layer += Seconds(a, b);
    plain += Seconds(b, c);
  }
  benchmark::DoNotOptimize(sink);
  state.counters["layer_ns"] = layer * 1e9 / (state.iterations() * kBatch);
  state.counters["virtual_ns"] = plain * 1e9 / (state.iterations() * kBatch);
  state.counters["ratio"] = layer / plain;
  w.DestroyWindow();
}
BENCHMARK(BM_SendSameThread)->MinTime(0.5);

// Round trips from a worker to the GUI thread, which waits in GetMessage,
// against the same round trips through Qt: a blocking queued call from the
// worker to an object of the GUI thread, which waits in its event loop.
void BM_SendCrossThread(benchmark::State& state) {
  EnsureApp();
  BenchWnd w;
  w.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  HWND h = w.m_hWnd;
  constexpr int kTrips = 2000;
  QObject receiver;  // lives in the GUI thread
  double layer = 0, qt = 0;
  for (auto _ : state) {
    auto a = Clock::now();
    std::thread worker([h] {
      for (int i = 0; i < kTrips; ++i) ::SendMessage(h, WM_USER + 7, i, 1);
      ::PostMessage(h, WM_USER + 8, 0, 0);
    });
    MSG m;
    while (GetMessage(&m, nullptr, 0, 0) && m.message != WM_USER + 8) DispatchMessage(&m);
    worker.join();
    auto b = Clock::now();
    QEventLoop loop;
    long sum = 0;
    std::thread qtWorker([&] {
      for (int i = 0; i < kTrips; ++i) {
        QMetaObject::invokeMethod(
            &receiver, [&sum, i] { sum += i + 1; }, Qt::BlockingQueuedConnection);
      }
      QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    qtWorker.join();
    auto c = Clock::now();
    benchmark::DoNotOptimize(sum);
    layer += Seconds(a, b);
    qt += Seconds(b, c);
  }
  state.counters["layer_us"] = layer * 1e6 / (state.iterations() * kTrips);
  state.counters["qt_us"] = qt * 1e6 / (state.iterations() * kTrips);
  state.counters["ratio"] = layer / qt;
  w.DestroyWindow();
}
BENCHMARK(BM_SendCrossThread)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
