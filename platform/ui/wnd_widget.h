// Private: the Qt widget of a window. It shows the window's backing image
// and turns Qt input into queued WM_* messages.
#pragma once

#include <QWidget>

#include "platform/ui/wintypes.h"

class WndWidget : public QWidget {
  Q_OBJECT
 public:
  WndWidget(HWND hwnd, QWidget* parent, bool topLevel);
  HWND hwnd() const { return hwnd_; }
  void Detach() { hwnd_ = nullptr; }
  // Set while the layer itself moves or sizes the widget.
  bool applying = false;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  bool focusNextPrevChild(bool) override { return false; }
  bool event(QEvent* e) override;

 private:
  HWND hwnd_;
};
