// The start-up anchor: a minimal Qt Widgets program that shows one main
// window and writes "idle" when its event loop first runs dry.
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu("&File");
  window.addToolBar("Tools")->addAction("New");
  window.statusBar()->showMessage("Ready");
  window.setCentralWidget(new QLabel("main"));
  window.resize(1024, 700);
  window.show();
  QTimer::singleShot(0, [&] {
    (void)!::write(1, "idle\n", 5);
    app.quit();
  });
  return app.exec();
}
