#include "ui_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <cstring>

#include "platform/ui/cdc.h"
#include "platform/ui/imagelist.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/application.h"
#include "platform/ui/gdi_obj.h"
#include "platform/ui/wnd_obj.h"

namespace ui_test {

void EnsureApp() { mirt_ui::EnsureApplication(); }

void MakeSquareImages(CWnd* wnd, CImageList& images, COLORREF first, COLORREF second) {
  images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
  CClientDC screen(wnd);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 32, 16);
  {
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 16, 16, first);
    dc.FillSolidRect(16, 0, 16, 16, second);
    dc.SelectObject(old);
  }
  images.Add(&bitmap, RGB(255, 0, 255));
}

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::string text(item ? GetWindowTextLength(item) + 1 : 1, '\0');
  GetDlgItemText(dialog, id, text.data(), static_cast<int>(text.size()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

void PressButton(HWND dialog, int id) {
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
              reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> TakeMessageBoxTexts() {
  std::vector<std::string> out;
  for (const auto& r : plat::MessageBoxRecords()) out.push_back(r.text);
  plat::ClearMessageBoxRecords();
  return out;
}

void Mouse(HWND h, int type, int x, int y, int button, int buttons, int modifiers) {
  QWidget* w = mirt_ui::WidgetOf(h);
  QPointF local(x, y);
  QMouseEvent e(static_cast<QEvent::Type>(type), local, w->mapToGlobal(local),
                static_cast<Qt::MouseButton>(button), Qt::MouseButtons(buttons),
                Qt::KeyboardModifiers(modifiers));
  QApplication::sendEvent(w, &e);
}

void Key(HWND h, bool press, int qtKey, int modifiers, const std::string& text, bool autoRepeat) {
  QWidget* w = mirt_ui::WidgetOf(h);
  QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, Qt::KeyboardModifiers(modifiers),
              QString::fromLatin1(text.c_str()), autoRepeat);
  QApplication::sendEvent(w, &e);
}

COLORREF Pixel(HWND h, int x, int y) {
  QImage* img = mirt_ui::ImageOf(h);
  mirt_ui::FlushSurface(img);
  QRgb c = img->pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

QImage Picture(HWND h) { return mirt_ui::Capture(h); }

namespace {
LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
}  // namespace

HWND MakeTop(int w, int h, DWORD style, WNDPROC proc) {
  EnsureApp();
  static bool registered = [] {
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PlainProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "UiTestPlain";
    return RegisterClass(&wc) != 0;
  }();
  (void)registered;
  HWND hwnd = CreateWindowEx(0, "UiTestPlain", "test", style, 0, 0, w, h, nullptr, nullptr, nullptr, nullptr);
  if (proc) SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  return hwnd;
}

std::vector<ScrollStep> ScrollSteps(int page, int lastTop, int thumb) {
  return {
      {SB_LINEUP, 0},
      {SB_LINEDOWN, 1},
      {SB_PAGEDOWN, 1 + page},
      {SB_PAGEUP, 1},
      {SB_THUMBTRACK, thumb},
      {SB_BOTTOM, lastTop},
      {SB_LINEDOWN, lastTop},
      {SB_TOP, 0},
      {SB_THUMBPOSITION, thumb},
      {SB_ENDSCROLL, thumb},
  };
}

}  // namespace ui_test
