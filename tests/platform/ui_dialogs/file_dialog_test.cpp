// The file dialog a person sees: Delete in its file view must not remove
// what it shows (Qt's own view would remove a whole folder after one
// question).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <string>

#include "../ui/ui_test_support.h"
#include "platform/ui/file_dialog.h"
#include "tests/support/test_support.h"

namespace {

constexpr auto kFolder = "keep";
constexpr auto kFile = "keep/inside.txt";
constexpr int kLoadWaitMs = 5000;
constexpr int kAnswerWaitMs = 300;

bool FileDialogTestExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// A hasty person: picks Delete in a context menu where it is offered
// (closes the menu where not) and answers every question with Yes.
void FileDialogTestPickDeleteAndYes() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible()) continue;
    if (auto* menu = qobject_cast<QMenu*>(w)) {
      QAction* del = nullptr;
      for (QAction* a : menu->actions())
        if (a->text().remove('&') == "Delete") del = a;
      if (del && del->isEnabled()) {
        // Later, so that its question is answered by the next tick.
        QMetaObject::invokeMethod(del, &QAction::trigger, Qt::QueuedConnection);
      }
      menu->close();
    } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
      if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
    }
  }
}

TEST(FileDialogTest, DeleteInTheFileViewRemovesNothing) {
  ui_test::EnsureApp();
  const std::string dir = mirt_test::MakeTempDir("file_dialog");
  ASSERT_EQ(::mkdir((dir + "/" + kFolder).c_str(), 0755), 0);
  mirt_test::WriteFile(dir + "/" + kFile, "data");

  QFileDialog d(nullptr, "Open", QString::fromStdString(dir));
  d.setOptions(mirt_ui::FileDialogOptions());
  d.show();
  auto* view = d.findChild<QListView*>("listView");
  auto* model = d.findChild<QFileSystemModel*>();
  ASSERT_NE(view, nullptr);
  ASSERT_NE(model, nullptr);
  const QString folder = QString::fromStdString(dir + "/" + kFolder);
  QModelIndex item;
  for (int waited = 0; waited < kLoadWaitMs && !item.isValid(); waited += 10) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    item = view->model()->index(0, 0, view->rootIndex());
  }
  ASSERT_TRUE(item.isValid()) << "the folder never listed";
  view->setCurrentIndex(item);
  view->selectionModel()->select(item, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view->setFocus();

  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, &FileDialogTestPickDeleteAndYes);
  answer.start(20);
  // The Delete key, and the view's context menu.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(view, &press);
  QApplication::processEvents();
  emit view->customContextMenuRequested(view->visualRect(item).center());
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kAnswerWaitMs) QApplication::processEvents(QEventLoop::AllEvents, 10);
  answer.stop();
  d.close();

  EXPECT_TRUE(FileDialogTestExists(dir + "/" + kFile));
  EXPECT_TRUE(FileDialogTestExists(folder.toStdString()));
}

}  // namespace
