// The window class "Scintilla": a QScintilla widget as the window's widget;
// messages in the component's range go to it, its notifications to the
// parent as WM_NOTIFY.
#include <Qsci/qsciscintillabase.h>

#include <QPainter>

#include "platform/ui/controls_impl.h"
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

QWidget* MakeSciWidget(Wnd& wnd, QWidget* parent) {
  auto* sci = new QsciScintillaBase(parent);
  const HWND h = wnd.handle;
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
