// The board tools' interactive work against the simulated boards: the
// installation-file editor's verdict per keystroke and the memory tool's
// paging, each with its anchor in the same process.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "a_qjx/a_qjx.h"
#include "a_qjx/board_family.h"
#include "a_qjx/ins_editor_dialog.h"
#include "a_qjx/ins_interpreter.h"
#include "a_qjx/tool_windows.h"
#include "drivers/rizo32/rizo32.h"
#include "drivers/sim/simulator.h"
#include "platform/ui/application.h"
#include "platform/ui/scintilla.h"
#include "platform/ui/ui.h"
#include "ytn1/settings_state.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

constexpr uint16_t kBenchTesseraBoard = 0;
constexpr WORD kBenchTesseraType = 8;
constexpr auto kBenchInsLine = "Q8INST PROGRAM.EXE 100 10 0 0 1180";
constexpr DWORD kBenchMegabyte = 0x100000;

void StartBenchBoards() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  mirt_ui::EnsureApplication();
  sim::Simulator::Instance().Configure();
  ytn1::LibraryStartup();
  qj8_select_card(kBenchTesseraBoard);
}

HWND EditorOf(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassName(child, name, sizeof name);
    if (std::string(name) == SCINTILLA_CLASS) return child;
  }
  return nullptr;
}

// What the editor does when the caret moves or the text changes, against
// ParseLine alone on the same line.
void BM_InsCaretVerdict(benchmark::State& state) {
  StartBenchBoards();
  InsInterpreter interpreter;
  CInsEditorDialog dialog(interpreter, nullptr);
  dialog.Create(144);
  HWND editor = EditorOf(dialog.m_hWnd);
  if (!editor) {
    state.SkipWithError("no editing component");
    return;
  }
  const std::string text = std::string("\n") + kBenchInsLine;
  SendMessage(editor, SCI_ADDTEXT, text.size(), LPARAM(text.c_str()));
  SciNotification update;
  update.nmhdr = {editor, 0, SCN_UPDATEUI};
  double editorTime = 0, parseTime = 0;
  for (auto _ : state) {
    const auto a = Clock::now();
    dialog.SendMessage(WM_NOTIFY, 0, LPARAM(&update));
    const auto b = Clock::now();
    CString help, answer, result;
    benchmark::DoNotOptimize(interpreter.ParseLine(kBenchInsLine, FALSE, help, answer, result));
    const auto c = Clock::now();
    editorTime += Seconds(a, b);
    parseTime += Seconds(b, c);
  }
  state.counters["editor_us"] = editorTime * 1e6 / double(state.iterations());
  state.counters["parse_us"] = parseTime * 1e6 / double(state.iterations());
  state.counters["ratio"] = editorTime / parseTime;
  dialog.DestroyWindow();
}
BENCHMARK(BM_InsCaretVerdict);

// Paging down through a megabyte of board memory in the memory tool, against
// the driver reads of each page.
void BM_MemoryPaging(benchmark::State& state) {
  StartBenchBoards();
  HWND dialog = a_qjx_memory(kBenchTesseraType);
  if (!dialog) {
    state.SkipWithError("no memory tool");
    return;
  }
  CBoardFamily& family = *g_currentFamily;
  HWND bar = GetDlgItem(dialog, 1019);
  BYTE page[160];
  double toolTime = 0, readTime = 0, checkedTime = 0;
  size_t pages = 0;
  for (auto _ : state) {
    family.viewAddress = family.viewStart;
    const DWORD end = family.viewStart + kBenchMegabyte;
    // Page by page, each step of the tool next to the reads of its page, so
    // that both meet the same (cold) board memory.
    while (family.viewAddress + 2 * 160 <= end) {
      const DWORD next = family.viewAddress + 160;
      const auto a = Clock::now();
      qj8_set_ram_pointer(next);
      qj8_read_ram(160, page);
      benchmark::DoNotOptimize(page);
      const auto b = Clock::now();
      qj8_set_ram_pointer(next);
      qj8_read_ram(160, page);
      BYTE cls = 0, code = 0;
      qj8_get_error_class_and_code(&cls, &code);
      benchmark::DoNotOptimize(page);
      const auto c = Clock::now();
      SendMessage(dialog, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), LPARAM(bar));
      const auto d = Clock::now();
      readTime += Seconds(a, b);
      checkedTime += Seconds(b, c);
      toolTime += Seconds(c, d);
      ++pages;
    }
  }
  state.counters["pages"] = double(pages) / double(state.iterations());
  state.counters["tool_us_per_page"] = toolTime * 1e6 / double(pages);
  state.counters["ratio"] = toolTime / readTime;
  state.counters["ratio_checked"] = toolTime / checkedTime;
  DestroyWindow(dialog);
}
BENCHMARK(BM_MemoryPaging)->Iterations(3);

}  // namespace
