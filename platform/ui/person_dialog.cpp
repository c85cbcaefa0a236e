#include "platform/ui/person_dialog_impl.h"

#include <QDialog>
#include <QWidget>

#include "platform/ui/input.h"
#include "platform/ui/message.h"
#include "platform/ui/wnd_obj.h"

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
  // The keys go back to the window that was active; without a window
  // manager nothing else would hand them back.
  QWidget* active = WidgetOf(GetActiveWindow());
  if (active && active->isVisible()) active->activateWindow();
  return dialog.result() == QDialog::Accepted;
}

}  // namespace mirt_ui
