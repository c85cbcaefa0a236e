#include "platform/ui/person_dialog_impl.h"

#include <QDialog>
#include <QWidget>

#include "platform/ui/input.h"
#include "platform/ui/message.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {

namespace {
// Counts the dialog on the thread's queue while it runs.
class PersonDialogScope {
 public:
  PersonDialogScope() : queue_(ThreadQueue::Current()) { ++queue_->personDialogs; }
  ~PersonDialogScope() { --queue_->personDialogs; }
  PersonDialogScope(const PersonDialogScope&) = delete;
  PersonDialogScope& operator=(const PersonDialogScope&) = delete;

 private:
  ThreadQueue* queue_;
};
}  // namespace

bool RunPersonDialog(QDialog& dialog) {
  // Input queued for the layer's windows before the dialog showed would
  // otherwise act on them behind it (a second close of a window whose
  // first close is still asking).
  PersonDialogScope scope;
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  while (dialog.isVisible()) {
    MSG m;
    if (!PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      dialog.reject();
      break;
    }
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  // The keys go back to the window that was active; without a window
  // manager nothing else would hand them back.
  QWidget* active = WidgetOf(GetActiveWindow());
  if (active && active->isVisible()) active->activateWindow();
  return dialog.result() == QDialog::Accepted;
}

}  // namespace mirt_ui
