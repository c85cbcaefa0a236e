// The test driver's hook: a sync message through the X server, answered
// with the program's state once the GUI thread has nothing left to do.
#include "platform/ui/test_hook.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/ui/input.h"
#include "platform/ui/menu_impl.h"
#include "platform/ui/message.h"
#include "platform/ui/text1252.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"
#include "platform/ui/wnd_widget.h"

namespace mirt_ui {
namespace {

constexpr char kSyncAtom[] = "_MIRT_TEST_SYNC";
constexpr char kTestClassProperty[] = "mirtTestClass";
constexpr char kTestIdProperty[] = "mirtTestId";

void ServeInToolkitModalLoop();

class SyncFilter : public QAbstractNativeEventFilter {
 public:
  explicit SyncFilter(xcb_atom_t atom) : atom_(atom) {}
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* ev = static_cast<xcb_generic_event_t*>(message);
    if ((ev->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
    auto* cm = static_cast<xcb_client_message_event_t*>(message);
    if (cm->type != atom_) return false;
    pending.push_back(cm->data.data32[0]);
    QTimer::singleShot(0, qApp, ServeInToolkitModalLoop);
    return true;
  }
  std::vector<uint32_t> pending;

 private:
  xcb_atom_t atom_;
};

struct Hook {
  int fd = -1;
  xcb_connection_t* connection = nullptr;
  SyncFilter* filter = nullptr;
  QWindow* target = nullptr;
  std::vector<TestStateReporter> reporters;
};

xcb_connection_t* XcbConnection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

void WriteAll(int fd, const std::string& s) {
  for (size_t done = 0; done < s.size();) {
    ssize_t n = ::write(fd, s.data() + done, s.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

Hook* StartHook() {
  const char* env = std::getenv("MIRT_TEST_HOOK");
  xcb_connection_t* c = env ? XcbConnection() : nullptr;
  if (!c) return nullptr;
  auto* hook = new Hook;
  hook->fd = std::atoi(env);
  hook->connection = c;
  auto reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(kSyncAtom), kSyncAtom), nullptr);
  hook->filter = new SyncFilter(reply ? reply->atom : 0);
  std::free(reply);
  qApp->installNativeEventFilter(hook->filter);
  hook->target = new QWindow;
  hook->target->create();
  char hello[64];
  std::snprintf(hello, sizeof hello, "hello %llu %d\n",
                static_cast<unsigned long long>(hook->target->winId()), static_cast<int>(::getpid()));
  xcb_flush(c);
  WriteAll(hook->fd, hello);
  return hook;
}

Hook* TheHook() {
  static Hook* hook = StartHook();
  return hook;
}

std::string Hex(const void* p) {
  char s[24];
  std::snprintf(s, sizeof s, "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
  return s;
}

void WindowLine(std::string& out, HWND h) {
  auto w = Find(h);
  if (!w) return;
  RECT r{};
  GetWindowRect(h, &r);
  unsigned long long xid = 0;
  if (!w->parent && w->widget) xid = w->widget->internalWinId();
  char line[256];
  std::snprintf(line, sizeof line, "wnd %s %s %s %lld %ld %ld %ld %ld %d %llu ", Hex(h).c_str(),
                Hex(w->parent).c_str(), Hex(w->owner).c_str(), static_cast<long long>(w->id), r.left, r.top,
                r.right - r.left, r.bottom - r.top, IsWindowVisible(h) ? 1 : 0, xid);
  out += line;
  out += w->cls ? w->cls->name : "";
  out += '\t';
  for (char ch : w->text) out += ch == '\n' || ch == '\r' ? ' ' : ch;
  out += '\n';
  for (HWND c : w->children) WindowLine(out, c);
}

void MarkedWidgetLine(std::string& out, QWidget* w, QWidget* parent) {
  const QRect r = parent ? QRect(w->mapToGlobal(QPoint(0, 0)), w->size()) : w->frameGeometry();
  const QString text = parent ? w->property("text").toString() : w->windowTitle();
  char line[256];
  std::snprintf(line, sizeof line, "wnd %s %s 0 %d %d %d %d %d 1 %llu ", Hex(w).c_str(), Hex(parent).c_str(),
                w->property(kTestIdProperty).toInt(), r.x(), r.y(), r.width(), r.height(),
                parent ? 0ULL : static_cast<unsigned long long>(w->internalWinId()));
  out += line;
  out += w->property(kTestClassProperty).toByteArray().toStdString();
  out += '\t';
  for (char ch : To1252(text)) out += ch == '\n' || ch == '\r' ? ' ' : ch;
  out += '\n';
}

void MarkedWidgetLines(std::string& out) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible() || !top->property(kTestClassProperty).isValid()) continue;
    MarkedWidgetLine(out, top, nullptr);
    for (QWidget* c : top->findChildren<QWidget*>())
      if (c->isVisible() && c->property(kTestClassProperty).isValid()) MarkedWidgetLine(out, c, top);
  }
}

// The modal dialog in front when it is the toolkit's own: not a window of
// the layer, and not a message box the layer shows in the state. A file
// dialog counts even with its marked controls: it reaches the whole disk.
QWidget* ToolkitModalDialog() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || dynamic_cast<WndWidget*>(modal)) return nullptr;
  if (modal->property(kTestClassProperty).isValid() && !qobject_cast<QFileDialog*>(modal)) return nullptr;
  return modal;
}

std::string StateText(uint32_t seq) {
  std::string out = "state " + std::to_string(seq) + "\nfocus " + Hex(GetFocus()) + "\nactive " +
                    Hex(GetActiveWindow()) + "\ncapture " + Hex(GetCapture()) + "\n";
  int native = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->internalWinId()) ++native;
  out += "native " + std::to_string(native) + "\n";
  out += MenuStateLine();
  // A dialog of the toolkit's own (file, print, colour, font), by its title.
  if (QWidget* modal = ToolkitModalDialog()) out += "toolkit-dialog " + To1252(modal->windowTitle()) + "\n";
  for (HWND h : TopLevels()) WindowLine(out, h);
  MarkedWidgetLines(out);
  for (auto& r : TheHook()->reporters) r(out);
  out += "end\n";
  return out;
}

// A dialog of the toolkit's own (file, print, colour, font), and a popup
// of the toolkit's such as a file dialog's context menu, run loops where
// the layer's queue is not read: the hook answers from those loops.
void ServeInToolkitModalLoop() {
  Hook* hook = TheHook();
  if (!hook || hook->filter->pending.empty()) return;
  if (!ToolkitModalDialog() && !QApplication::activePopupWidget()) return;
  free(xcb_get_input_focus_reply(hook->connection, xcb_get_input_focus(hook->connection), nullptr));
  for (uint32_t seq : hook->filter->pending) WriteAll(hook->fd, StateText(seq));
  hook->filter->pending.clear();
}

}  // namespace

void ShowInTestState(QWidget* widget, const char* className, int id) {
  widget->setProperty(kTestClassProperty, QByteArray(className));
  widget->setProperty(kTestIdProperty, id);
}

void AddTestStateReporter(TestStateReporter reporter) {
  if (Hook* hook = TheHook()) hook->reporters.push_back(std::move(reporter));
}

bool ServeTestHook() {
  Hook* hook = TheHook();
  if (!hook || hook->filter->pending.empty()) return false;
  // Input that came before the sync may still wait in Qt's own queue.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  MSG m;
  if (PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) return true;
  // Everything drawn so far reaches the server before the answer.
  free(xcb_get_input_focus_reply(hook->connection, xcb_get_input_focus(hook->connection), nullptr));
  for (uint32_t seq : hook->filter->pending) WriteAll(hook->fd, StateText(seq));
  hook->filter->pending.clear();
  return true;
}

}  // namespace mirt_ui
