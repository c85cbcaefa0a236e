// The caret: drawn by inverting its rectangle on the window's image.
#include "platform/ui/caret.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/sysmetrics.h"

#include "platform/ui/gdi_obj.h"
#include "platform/ui/message.h"
#include "platform/ui/raster.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"

using namespace mirt_ui;

namespace mirt_ui {
namespace {

constexpr UINT_PTR kBlinkTimer = 0xCA7E7;

// Inverts the caret's pixels (its bitmap: where the bitmap is not black).
void Toggle(CaretState& c) {
  auto w = Find(c.hwnd);
  if (!w) return;
  // A window not shown gets no caret drawn (taking one off always works).
  if (!c.drawn && !IsWindowVisible(c.hwnd)) return;
  QImage& img = ImageReady(*w);
  FlushSurface(&img);
  QRect r(w->client.topLeft() + QPoint(c.pos.x, c.pos.y), QSize(c.width, c.height));
  QRect vis = r & QRect(w->client.topLeft(), w->client.size());
  auto* bm = GdiAs<BitmapObj>(c.bitmap, OBJ_BITMAP);
  uintptr_t gray = reinterpret_cast<uintptr_t>(c.bitmap) == 1;
  for (int y = vis.top(); y <= vis.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = vis.left(); x <= vis.right(); ++x) {
      QRgb mask = 0xFFFFFFu;
      if (bm) {
        int bx = x - r.left(), by = y - r.top();
        if (bx >= bm->image.width() || by >= bm->image.height()) continue;
        mask = reinterpret_cast<const QRgb*>(bm->image.constScanLine(by))[bx] & 0xFFFFFF;
      } else if (gray && ((x + y) & 1)) {
        continue;
      }
      line[x] = 0xFF000000u | ((line[x] ^ mask) & 0xFFFFFF);
    }
  }
  c.drawn = !c.drawn;
  ShowImage(*w, vis);
}

void SetBlinkTimer(ThreadQueue* q, bool on) {
  auto& t = q->timers;
  t.erase(std::remove_if(t.begin(), t.end(), [](const QueueTimer& x) { return x.system; }), t.end());
  if (on && q->caretBlink != INFINITE)
    t.push_back(QueueTimer{nullptr, kBlinkTimer, q->caretBlink, nullptr,
                           std::chrono::steady_clock::now() + std::chrono::milliseconds(q->caretBlink),
                           true});
}

void Remove(CaretState& c) {
  if (c.drawn) Toggle(c);
}

void Draw(CaretState& c) {
  if (!c.drawn && c.hideCount == 0) Toggle(c);
}

}  // namespace

void BlinkCaret() {
  CaretState& c = ThreadQueue::Current()->caret;
  if (!c.hwnd || c.hideCount > 0) return;
  Toggle(c);
}

// Painting and scrolling take the caret off the image and put it back.
void CaretSuspend(HWND h) {
  CaretState& c = ThreadQueue::Current()->caret;
  if (c.hwnd != h) return;
  Remove(c);
  c.hideCount++;
}

void CaretResume(HWND h) {
  CaretState& c = ThreadQueue::Current()->caret;
  if (c.hwnd != h || c.hideCount == 0) return;
  if (--c.hideCount == 0) Draw(c);
}

}  // namespace mirt_ui

BOOL CreateCaret(HWND h, HBITMAP bm, int w, int hh) {
  if (!IsWindow(h)) return FALSE;
  ThreadQueue* q = ThreadQueue::Current();
  DestroyCaret();
  CaretState& c = q->caret;
  c.hwnd = h;
  c.bitmap = bm;
  if (auto* b = GdiAs<BitmapObj>(bm, OBJ_BITMAP)) {
    w = b->image.width();
    hh = b->image.height();
  }
  c.width = w > 0 ? w : GetSystemMetrics(SM_CXBORDER);
  c.height = hh > 0 ? hh : GetSystemMetrics(SM_CYBORDER);
  c.pos = POINT{0, 0};
  c.hideCount = 1;
  c.drawn = false;
  return TRUE;
}

BOOL DestroyCaret() {
  ThreadQueue* q = ThreadQueue::Current();
  CaretState& c = q->caret;
  if (!c.hwnd) return FALSE;
  Remove(c);
  c = CaretState();
  SetBlinkTimer(q, false);
  return TRUE;
}

BOOL ShowCaret(HWND h) {
  ThreadQueue* q = ThreadQueue::Current();
  CaretState& c = q->caret;
  if (!c.hwnd || (h && h != c.hwnd) || c.hideCount == 0) return FALSE;
  if (--c.hideCount == 0) {
    Draw(c);
    SetBlinkTimer(q, true);
  }
  return TRUE;
}

BOOL HideCaret(HWND h) {
  ThreadQueue* q = ThreadQueue::Current();
  CaretState& c = q->caret;
  if (!c.hwnd || (h && h != c.hwnd)) return FALSE;
  Remove(c);
  c.hideCount++;
  SetBlinkTimer(q, false);
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  ThreadQueue* q = ThreadQueue::Current();
  CaretState& c = q->caret;
  if (!c.hwnd) return FALSE;
  if (c.pos.x == x && c.pos.y == y) return TRUE;
  Remove(c);
  c.pos = POINT{x, y};
  Draw(c);
  if (c.hideCount == 0) SetBlinkTimer(q, true);  // restart: shown right after a move
  return TRUE;
}

BOOL GetCaretPos(LPPOINT p) {
  if (!p) return FALSE;
  *p = ThreadQueue::Current()->caret.pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return ThreadQueue::Current()->caretBlink; }

BOOL SetCaretBlinkTime(UINT ms) {
  ThreadQueue* q = ThreadQueue::Current();
  q->caretBlink = ms;
  if (q->caret.hwnd && q->caret.hideCount == 0) SetBlinkTimer(q, true);
  return TRUE;
}
