// The desktop window: drawing without a window (drag outlines) lands in an
// image of the screen, where black means nothing drawn. What is drawn shows
// in one shaped window around it, on top, that takes no input; it needs no
// compositor, covers nothing else and goes when what was drawn is erased.
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "platform/ui/gdi_obj.h"
#include "platform/ui/modal.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"

namespace mirt_ui {
namespace {

// Runs of drawn pixels closer than this merge, so that a dithered outline
// is one shape and shows its pattern.
constexpr int kDesktopRunGap = 1;

class OverlayWidget : public QWidget {
 public:
  explicit OverlayWidget(Wnd* w)
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                             Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                             Qt::WindowTransparentForInput),
        wnd_(w) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  QRegion drawn;  // screen coordinates

 protected:
  void paintEvent(QPaintEvent* e) override {
    FlushSurface(&wnd_->image);
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(e->rect().topLeft(), wnd_->image, e->rect().translated(pos()));
  }

 private:
  Wnd* wnd_;
};

// The drawn (not black) pixels of an area of the image, row by row.
QRegion DrawnIn(const QImage& image, const QRect& area) {
  QRegion out;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int start = -1, last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
      if (!(line[x] & 0xFFFFFF)) continue;
      if (start >= 0 && x - last > kDesktopRunGap + 1) {
        out += QRect(start, y, last - start + 1, 1);
        start = -1;
      }
      if (start < 0) start = x;
      last = x;
    }
    if (start >= 0) out += QRect(start, y, last - start + 1, 1);
  }
  return out;
}

}  // namespace

WndPtr DesktopWnd() {
  static WndPtr desk = [] {
    auto w = std::make_shared<Wnd>();
    auto cls = std::make_shared<WndClass>();
    cls->name = kDesktopClass;
    w->cls = cls;
    w->style = WS_POPUP | WS_VISIBLE;
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    w->rect = QRect(0, 0, cx, cy);
    w->client = w->rect;
    w->image = QImage(cx, cy, QImage::Format_RGB32);
    w->image.fill(Qt::black);
    w->queue = ThreadQueue::Current();
    AllocHandle(w);
    w->proc = nullptr;
    w->widget = new OverlayWidget(w.get());
    return w;
  }();
  return desk;
}

void ShowDesktopArea(const QRect& area) {
  if (plat::IsHeadless()) return;  // no screen to show it on
  Wnd& desk = *DesktopWnd();
  auto* widget = static_cast<OverlayWidget*>(desk.widget.data());
  if (!widget) return;
  QRect changed = area.isNull() ? desk.image.rect() : area & desk.image.rect();
  FlushSurface(&desk.image);
  QRegion was = widget->drawn;
  widget->drawn = (widget->drawn - changed) | DrawnIn(desk.image, changed);
  if (widget->drawn.isEmpty()) {
    widget->hide();
    return;
  }
  QRect box = widget->drawn.boundingRect();
  if (widget->geometry() != box) widget->setGeometry(box);
  if (widget->drawn != was || !widget->isVisible()) widget->setMask(widget->drawn.translated(-box.topLeft()));
  if (!widget->isVisible()) widget->show();
  widget->update();
}

}  // namespace mirt_ui

HWND GetDesktopWindow() { return mirt_ui::DesktopWnd()->handle; }
