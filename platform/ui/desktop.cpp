// The desktop window: a transparent overlay over the whole screen, where
// drawing without a window (drag outlines) lands. Black is transparent.
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "platform/ui/gdi_obj.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"

namespace mirt_ui {
namespace {

class OverlayWidget : public QWidget {
 public:
  explicit OverlayWidget(Wnd* w)
      : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), wnd_(w) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    FlushSurface(&wnd_->image);
    QImage shown = wnd_->image.copy(e->rect()).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shown.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
      for (int x = 0; x < shown.width(); ++x)
        if (!(line[x] & 0xFFFFFF)) line[x] = 0;
    }
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(e->rect().topLeft(), shown);
  }

 private:
  Wnd* wnd_;
};

}  // namespace

WndPtr DesktopWnd() {
  static WndPtr desk = [] {
    auto w = std::make_shared<Wnd>();
    auto cls = std::make_shared<WndClass>();
    cls->name = "#32769";
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
    auto* widget = new OverlayWidget(w.get());
    widget->setGeometry(w->rect);
    w->widget = widget;
    return w;
  }();
  return desk;
}

}  // namespace mirt_ui

HWND GetDesktopWindow() { return mirt_ui::DesktopWnd()->handle; }
