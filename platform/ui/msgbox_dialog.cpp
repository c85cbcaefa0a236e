// A real message box (QMessageBox) answers message boxes when a person can
// see them; runs without a display keep the scripted or default answers.
// While it is open the layer's messages keep flowing (timers, paints, the
// test hook), and the test hook shows it as a dialog with its text and
// buttons.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <vector>

#include "platform/sys/msgbox.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "platform/ui/person_dialog_impl.h"
#include "platform/ui/system_classes.h"
#include "platform/ui/test_hook.h"
#include "platform/ui/text1252.h"

namespace mirt_ui {
namespace {

const char* ButtonText(int id) {
  switch (id) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDABORT:
      return "&Abort";
    case IDRETRY:
      return "&Retry";
    case IDIGNORE:
      return "&Ignore";
    case IDYES:
      return "&Yes";
    case IDNO:
      return "&No";
    case IDHELP:
      return "Help";
    case IDTRYAGAIN:
      return "&Try Again";
    case IDCONTINUE:
      return "&Continue";
  }
  return "?";
}

QMessageBox::Icon IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONASTERISK:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// Classes and ids the message box's parts show under in the test state.
constexpr char kMsgBoxClass[] = "#32770";
constexpr char kMsgBoxStaticClass[] = "Static";
constexpr char kMsgBoxButtonClass[] = "Button";
constexpr int kMsgBoxTextId = 0xFFFF;

int Show(const plat::MessageBoxRecord& r) {
  QMessageBox box(IconOf(r.type), From1252(r.caption.c_str()), From1252(r.text.c_str()));
  std::vector<int> ids = plat::MessageBoxButtons(r.type);
  if (r.type & MB_HELP) ids.push_back(IDHELP);
  int def = plat::MessageBoxDefaultAnswer(r.type);
  std::vector<QAbstractButton*> buttons;
  for (int id : ids) {
    QMessageBox::ButtonRole role = id == IDCANCEL ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    QString text = QString::fromLatin1(ButtonText(id)).replace('&', QString());
    QAbstractButton* b = box.addButton(text, role);
    ShowInTestState(b, kMsgBoxButtonClass, id);
    buttons.push_back(b);
    if (id == def) box.setDefaultButton(static_cast<QPushButton*>(b));
  }
  bool hasCancel = false;
  for (size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == IDCANCEL) {
      box.setEscapeButton(buttons[i]);
      hasCancel = true;
    }
  if (!hasCancel && ids.size() == 1) box.setEscapeButton(buttons[0]);
  ShowInTestState(&box, kMsgBoxClass, 0);
  if (auto* label = box.findChild<QLabel*>("qt_msgbox_label"))
    ShowInTestState(label, kMsgBoxStaticClass, kMsgBoxTextId);
  RunPersonDialog(box);
  for (size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return ids[i];
  return hasCancel ? IDCANCEL : def;
}

int Answer(const plat::MessageBoxRecord& r) {
  if (!qApp) return plat::MessageBoxDefaultAnswer(r.type);
  if (QThread::currentThread() == qApp->thread()) return Show(r);
  int answer = plat::MessageBoxDefaultAnswer(r.type);
  QMetaObject::invokeMethod(
      qApp, [&] { answer = Show(r); }, Qt::BlockingQueuedConnection);
  return answer;
}

// Installed as the layer starts making windows, once Qt tells whether a
// display is there.
void Install() {
  if (!plat::IsHeadless()) plat::SetMessageBoxHandler(&Answer);
}
const bool kInstalled = AddSystemClass(&Install);

}  // namespace
}  // namespace mirt_ui
