// The progress bar: a position in a range, drawn as blocks or smooth.
#include <algorithm>

#include "platform/ui/controls_impl.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

struct ProgressState {
  int lo = 0, hi = 100, pos = 0, step = 10;
  COLORREF bar = CLR_DEFAULT_BAR;
  static constexpr COLORREF CLR_DEFAULT_BAR = 0xFF000000;
};

void PaintProgress(HWND h, ProgressState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  bool vertical = GetWindowLong(h, GWL_STYLE) & PBS_VERTICAL;
  int span = std::max(1, s.hi - s.lo);
  int len = vertical ? r.bottom - r.top - 2 : r.right - r.left - 2;
  int fill = static_cast<int>(static_cast<long long>(len) * (s.pos - s.lo) / span);
  HBRUSH brush =
      s.bar == ProgressState::CLR_DEFAULT_BAR ? GetSysColorBrush(COLOR_HIGHLIGHT) : CreateSolidBrush(s.bar);
  bool smooth = GetWindowLong(h, GWL_STYLE) & PBS_SMOOTH;
  int block = smooth ? len : std::max(2, ((vertical ? r.right - r.left : r.bottom - r.top) - 2) * 2 / 3);
  for (int at = 0; at < fill; at += block + (smooth ? 0 : 2)) {
    int end = std::min(fill, at + block);
    RECT b = vertical ? RECT{r.left + 1, r.bottom - 1 - end, r.right - 1, r.bottom - 1 - at}
                      : RECT{r.left + 1 + at, r.top + 1, r.left + 1 + end, r.bottom - 1};
    FillRect(dc, &b, brush);
  }
  if (s.bar != ProgressState::CLR_DEFAULT_BAR) DeleteObject(brush);
  EndPaint(h, &ps);
}

int SetPos(HWND h, ProgressState& s, int pos) {
  int old = s.pos;
  s.pos = std::clamp(pos, std::min(s.lo, s.hi), std::max(s.lo, s.hi));
  if (old != s.pos) InvalidateRect(h, nullptr, FALSE);
  return old;
}

LRESULT CALLBACK ProgressProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  ProgressState* s;
  LRESULT answered;
  if (PaintedControlMessage(h, msg, wp, lp, &s, &answered, PaintProgress)) return answered;
  switch (msg) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
      LRESULT old = MAKELONG(static_cast<WORD>(s->lo), static_cast<WORD>(s->hi));
      if (msg == PBM_SETRANGE) {
        s->lo = LOWORD(lp);
        s->hi = HIWORD(lp);
      } else {
        s->lo = static_cast<int>(wp);
        s->hi = static_cast<int>(lp);
      }
      SetPos(h, *s, s->pos);
      InvalidateRect(h, nullptr, FALSE);
      return old;
    }
    case PBM_GETRANGE:
      if (lp) *reinterpret_cast<PBRANGE*>(lp) = PBRANGE{s->lo, s->hi};
      return wp ? s->lo : s->hi;
    case PBM_SETPOS:
      return SetPos(h, *s, static_cast<int>(wp));
    case PBM_DELTAPOS:
      return SetPos(h, *s, s->pos + static_cast<int>(wp));
    case PBM_GETPOS:
      return s->pos;
    case PBM_SETSTEP: {
      int old = s->step;
      s->step = static_cast<int>(wp);
      return old;
    }
    case PBM_STEPIT: {
      int next = s->pos + s->step;
      // Past the end the bar starts over.
      if (next > std::max(s->lo, s->hi)) next = std::min(s->lo, s->hi) + (next - std::max(s->lo, s->hi));
      int old = s->pos;
      SetPos(h, *s, next);
      return old;
    }
    case PBM_SETBARCOLOR: {
      COLORREF old = s->bar;
      s->bar = static_cast<COLORREF>(lp) == 0xFF000000 ? ProgressState::CLR_DEFAULT_BAR
                                                       : static_cast<COLORREF>(lp);
      InvalidateRect(h, nullptr, FALSE);
      return old;
    }
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterProgress() { RegisterControlClass(PROGRESS_CLASS, ProgressProc, 0, IDC_ARROW); }
const bool kProgressRegistered = AddSystemClass(&RegisterProgress);

}  // namespace
}  // namespace mirt_ui
