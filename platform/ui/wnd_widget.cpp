#include "platform/ui/wnd_widget.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/ui/dropfiles.h"
#include "platform/ui/message.h"
#include "platform/ui/text1252.h"
#include "platform/ui/qt_input.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"

using namespace mirt_ui;

namespace mirt_ui {
void ApplyExternalGeometry(HWND h, const QRect& g);
}

namespace {
UINT ButtonMessage(Qt::MouseButton b, UINT left, UINT right, UINT middle) {
  if (b == Qt::RightButton) return right;
  if (b == Qt::MiddleButton) return middle;
  return left;
}
}  // namespace

WndWidget::WndWidget(HWND hwnd, QWidget* parent, bool topLevel) : QWidget(parent), hwnd_(hwnd) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setContextMenuPolicy(Qt::PreventContextMenu);
  if (topLevel) setAttribute(Qt::WA_DeleteOnClose, false);
}

void WndWidget::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (QImage* img = ImageOf(hwnd_)) {
    p.drawImage(e->rect(), *img, e->rect());
  } else {
    p.fillRect(e->rect(), Qt::white);
  }
}

void WndWidget::mousePressEvent(QMouseEvent* e) {
  PostMouseInput(hwnd_, ButtonMessage(e->button(), WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN), e,
                 e->position().toPoint().x(), e->position().toPoint().y());
}

void WndWidget::mouseReleaseEvent(QMouseEvent* e) {
  PostMouseInput(hwnd_, ButtonMessage(e->button(), WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP), e,
                 e->position().toPoint().x(), e->position().toPoint().y());
}

void WndWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  PostMouseInput(hwnd_, ButtonMessage(e->button(), WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK), e,
                 e->position().toPoint().x(), e->position().toPoint().y());
}

void WndWidget::mouseMoveEvent(QMouseEvent* e) {
  PostMouseInput(hwnd_, WM_MOUSEMOVE, e, e->position().toPoint().x(), e->position().toPoint().y());
}

void WndWidget::wheelEvent(QWheelEvent* e) {
  PostWheelInput(hwnd_, e, e->position().toPoint().x(), e->position().toPoint().y());
}

bool WndWidget::event(QEvent* e) {
  // Keys belong to the thread's focus window, also while the native window
  // the desktop gave them to is disabled (the owner of a modal dialog that
  // the window manager has not focused yet): Qt would drop them.
  if (!isEnabled() && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)) {
    PostKeyInput(hwnd_, static_cast<QKeyEvent*>(e), e->type() == QEvent::KeyPress);
    return true;
  }
  return QWidget::event(e);
}

namespace {

// The local files of a drag; empty when it carries none.
std::vector<std::string> WidgetDroppedFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(To1252(url.toLocalFile()));
  return paths;
}

bool WidgetAcceptsFiles(HWND h) {
  for (; h; h = GetParent(h))
    if (GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return true;
  return false;
}

}  // namespace

void WndWidget::dragEnterEvent(QDragEnterEvent* e) {
  if (WidgetAcceptsFiles(hwnd_) && !WidgetDroppedFiles(e->mimeData()).empty())
    e->acceptProposedAction();
  else
    e->ignore();
}

void WndWidget::dragMoveEvent(QDragMoveEvent* e) {
  if (WidgetAcceptsFiles(hwnd_))
    e->acceptProposedAction();
  else
    e->ignore();
}

void WndWidget::dropEvent(QDropEvent* e) {
  std::vector<std::string> paths = WidgetDroppedFiles(e->mimeData());
  QPoint at = mapToGlobal(e->position().toPoint());
  POINT point{at.x(), at.y()};
  ScreenToClient(hwnd_, &point);
  if (hwnd_ && !paths.empty() && mirt_ui::DropFiles(hwnd_, paths, point))
    e->acceptProposedAction();
  else
    e->ignore();
}

void WndWidget::keyPressEvent(QKeyEvent* e) { PostKeyInput(hwnd_, e, true); }
void WndWidget::keyReleaseEvent(QKeyEvent* e) { PostKeyInput(hwnd_, e, false); }
void WndWidget::contextMenuEvent(QContextMenuEvent* e) { e->accept(); }

void WndWidget::closeEvent(QCloseEvent* e) {
  e->ignore();
  if (hwnd_) PostMessage(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void WndWidget::resizeEvent(QResizeEvent*) {
  if (!applying && hwnd_ && isWindow()) ApplyExternalGeometry(hwnd_, geometry());
}

void WndWidget::moveEvent(QMoveEvent*) {
  if (!applying && hwnd_ && isWindow()) ApplyExternalGeometry(hwnd_, geometry());
}
