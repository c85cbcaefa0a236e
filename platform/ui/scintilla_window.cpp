// The window class "Scintilla": a QScintilla widget as the window's widget;
// messages in the component's range go to it, its notifications to the
// parent as WM_NOTIFY.
#include <Qsci/qsciscintillabase.h>

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

#include "platform/ui/controls_impl.h"
#include "platform/ui/qt_input.h"
#include "platform/ui/scintilla.h"
#include "platform/ui/system_classes.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {
namespace {

constexpr UINT kSciFirstMessage = 2000, kSciLastMessage = 4999;
constexpr UINT kSciEmptyUndoBuffer = 2175;
constexpr UINT kEmEmptyUndoBuffer = 0x00CD;

// Messages that only ask; the others may change what the component shows.
bool IsSciQuery(UINT msg) {
  switch (msg) {
    case SCI_GETLENGTH:
    case SCI_GETCURRENTPOS:
    case SCI_GETSELECTIONSTART:
    case SCI_GETSELECTIONEND:
    case SCI_GETLINE:
    case SCI_GETLINECOUNT:
    case SCI_GETSELTEXT:
    case SCI_LINEFROMPOSITION:
    case SCI_GETTEXT:
    case SCI_LINELENGTH:
      return true;
    default:
      return false;
  }
}

QsciScintillaBase* SciOf(HWND h) { return qobject_cast<QsciScintillaBase*>(WidgetOf(h)); }

void NotifySci(HWND h, UINT code, SciNotification n = {}) { NotifyParentNm(h, &n.nmhdr, code); }

// The component takes the keyboard and the pointer itself. When clicked,
// the window becomes the focus window, as a click makes any other window.
// The keys of menus and mnemonics (with Alt, and F10), and every key while
// another window holds the capture (an open menu), go the layer's way; the
// rest stay the component's.
class SciInputFollower : public QObject {
 public:
  SciInputFollower(HWND h, QObject* parent) : QObject(parent), h_(h) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (!IsWindow(h_)) return false;
    if (e->type() == QEvent::FocusIn && GetFocus() != h_) SetFocus(h_);
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(e);
    const HWND capture = GetCapture();
    const bool menuKey = key->key() == Qt::Key_Alt || key->key() == Qt::Key_F10 ||
                         (key->modifiers() & Qt::AltModifier && !(key->modifiers() & Qt::ControlModifier)) ||
                         (capture && capture != h_);
    if (!menuKey) return false;
    PostKeyInput(h_, key, e->type() == QEvent::KeyPress);
    return true;
  }

 private:
  HWND h_;
};

QWidget* MakeSciWidget(Wnd& wnd, QWidget* parent) {
  auto* sci = new QsciScintillaBase(parent);
  const HWND h = wnd.handle;
  sci->installEventFilter(new SciInputFollower(h, sci));
  QObject::connect(sci, &QsciScintillaBase::SCN_SAVEPOINTREACHED,
                   [h] { NotifySci(h, SCN_SAVEPOINTREACHED); });
  QObject::connect(sci, &QsciScintillaBase::SCN_SAVEPOINTLEFT, [h] { NotifySci(h, SCN_SAVEPOINTLEFT); });
  QObject::connect(sci, &QsciScintillaBase::SCN_UPDATEUI, [h](int updated) {
    SciNotification n;
    n.updated = updated;
    NotifySci(h, SCN_UPDATEUI, n);
  });
  QObject::connect(
      sci, &QsciScintillaBase::SCN_MODIFIED,
      [h](int position, int type, const char*, int length, int linesAdded, int, int, int, int, int) {
        SciNotification n;
        n.position = position;
        n.modificationType = type;
        n.length = length;
        n.linesAdded = linesAdded;
        NotifySci(h, SCN_MODIFIED, n);
      });
  return sci;
}

// The component draws itself into the window's image too, so that pictures
// of the window show it; drawing is also when it reports the caret.
void PaintSci(HWND h, QsciScintillaBase* sci) {
  PAINTSTRUCT ps;
  BeginPaint(h, &ps);
  WndPtr w = Find(h);
  QImage* image = ImageOf(h);
  if (w && image && !image->isNull()) {
    QPainter painter(image);
    sci->render(&painter, w->client.topLeft(), QRegion(), QWidget::DrawChildren);
  }
  EndPaint(h, &ps);
}

LRESULT CALLBACK ScintillaProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  QsciScintillaBase* sci = SciOf(h);
  if (sci && msg == WM_PAINT) {
    PaintSci(h, sci);
    return 0;
  }
  if (sci && msg == kEmEmptyUndoBuffer) return sci->SendScintilla(kSciEmptyUndoBuffer);
  if (sci && msg >= kSciFirstMessage && msg <= kSciLastMessage) {
    const LRESULT result = sci->SendScintilla(msg, (unsigned long)wp, (long)lp);
    // The component repaints its widget; the window's image follows.
    if (!IsSciQuery(msg)) InvalidateRect(h, nullptr, FALSE);
    return result;
  }
  if (sci && msg == WM_SETFOCUS) sci->setFocus();
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterScintilla() {
  RegisterControlClass(SCINTILLA_CLASS, ScintillaProc, 0, IDC_IBEAM);
  RegisterWidgetFactory(SCINTILLA_CLASS, &MakeSciWidget);
}
const bool kScintillaRegistered = AddSystemClass(&RegisterScintilla);

}  // namespace
}  // namespace mirt_ui

bool IsScintillaAvailable() {
  mirt_ui::RegisterSystemClasses();
  WNDCLASS wc{};
  return GetClassInfo(nullptr, SCINTILLA_CLASS, &wc) != FALSE;
}
