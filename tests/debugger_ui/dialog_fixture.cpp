#include "tests/debugger_ui/dialog_fixture.h"

#include <QDir>
#include <QImage>

#include "platform/ui/message.h"
#include "platform/ui/wnd_obj.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"

namespace dbgui_test {

void EnsureApp() { ui_test::EnsureApp(); }

void TypeChars(HWND h, const std::string& text) {
  for (char c : text) SendMessage(h, WM_CHAR, WPARAM(BYTE(c)), 1);
}

void PressKey(HWND h, UINT key) { SendMessage(h, WM_KEYDOWN, key, 1); }

std::string WindowText(HWND h) {
  char buffer[1024] = {};
  GetWindowText(h, buffer, sizeof buffer);
  return buffer;
}

void SavePicture(HWND h, const std::string& name) {
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/../pictures/debugger";
  QDir().mkpath(dir);
  mirt_ui::Capture(h).save(dir + "/" + QString::fromStdString(name) + ".png");
}

}  // namespace dbgui_test
