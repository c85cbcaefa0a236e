#include "platform/ui/person_dialog_impl.h"

#include <QDialog>

#include "platform/ui/message.h"

namespace mirt_ui {

bool RunPersonDialog(QDialog& dialog) {
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
  return dialog.result() == QDialog::Accepted;
}

}  // namespace mirt_ui
