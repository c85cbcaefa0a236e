// The clipboard of the process, mirrored to the desktop's clipboard: text
// as Unicode text, every format also as its raw bytes, so that another
// mirt2 gets them back byte for byte.
#include "platform/base/winerror.h"
#include "platform/ui/clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "platform/base/winstring.h"
#include "platform/ui/text1252.h"
#include "platform/ui/thread_queue.h"

namespace {

const char kMarkerMime[] = "application/x-mirt2-clipboard";
const char kFormatMime[] = "application/x-mirt2-format-";

struct Clip {
  std::recursive_mutex m;
  bool open = false;
  DWORD openThread = 0;
  HWND openBy = nullptr;
  HWND owner = nullptr;
  bool changed = false;
  std::map<UINT, HGLOBAL> data;
  std::vector<UINT> order;
  std::vector<std::string> names;  // registered, from 0xC000
  QByteArray marker;               // what our last publication carries
  unsigned long long generation = 0;
};

Clip& C() {
  static Clip* c = new Clip;
  return *c;
}

bool OpenedHere(Clip& c) { return c.open && c.openThread == CurrentThreadId(); }

HGLOBAL CopyBytes(const void* p, size_t n) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
  if (h && n) std::memcpy(GlobalLock(h), p, n), GlobalUnlock(h);
  return h;
}

void Clear(Clip& c) {
  for (auto& [f, h] : c.data) GlobalFree(h);
  c.data.clear();
  c.order.clear();
}

void Put(Clip& c, UINT format, HGLOBAL h) {
  auto it = c.data.find(format);
  if (it != c.data.end()) {
    if (it->second != h) GlobalFree(it->second);
    it->second = h;
  } else {
    c.data[format] = h;
    c.order.push_back(format);
  }
}

std::string FormatKey(Clip& c, UINT f) {
  if (f >= 0xC000 && f - 0xC000 < c.names.size()) return c.names[f - 0xC000];
  return std::to_string(f);
}

UINT FormatFromKey(Clip& c, const std::string& key) {
  if (!key.empty() && key.find_first_not_of("0123456789") == std::string::npos)
    return static_cast<UINT>(std::stoul(key));
  return RegisterClipboardFormat(key.c_str());
}

bool GuiClipboard() { return qApp && QApplication::clipboard(); }

void Publish(Clip& c) {
  if (!GuiClipboard()) return;
  auto* mime = new QMimeData;
  for (UINT f : c.order) {
    HGLOBAL h = c.data[f];
    QByteArray bytes(static_cast<const char*>(h), static_cast<int>(GlobalSize(h)));
    mime->setData(QString(kFormatMime) + QString::fromStdString(FormatKey(c, f)), bytes);
    if (f == CF_TEXT || f == CF_OEMTEXT) {
      int n = static_cast<int>(strnlen(bytes.constData(), static_cast<size_t>(bytes.size())));
      mime->setText(mirt_ui::From1252(bytes.constData(), n));
    }
  }
  c.marker = QByteArray::number(static_cast<qulonglong>(QCoreApplication::applicationPid())) + ":" +
             QByteArray::number(++c.generation);
  mime->setData(kMarkerMime, c.marker);
  QApplication::clipboard()->setMimeData(mime);
}

// Takes what the desktop's clipboard holds when someone else put it there.
void Import(Clip& c) {
  if (!GuiClipboard()) return;
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (!mime) return;
  if (mime->hasFormat(kMarkerMime) && mime->data(kMarkerMime) == c.marker) return;
  if (mime->formats().isEmpty() && c.marker.isEmpty()) return;
  Clear(c);
  c.owner = nullptr;
  for (const QString& f : mime->formats()) {
    if (!f.startsWith(kFormatMime)) continue;
    QByteArray b = mime->data(f);
    Put(c, FormatFromKey(c, f.mid(static_cast<int>(strlen(kFormatMime))).toStdString()),
        CopyBytes(b.constData(), b.size()));
  }
  if (!c.data.count(CF_TEXT) && mime->hasText()) {
    std::string t = mirt_ui::To1252(mime->text());
    Put(c, CF_TEXT, CopyBytes(t.c_str(), t.size() + 1));
  }
  c.marker = mime->hasFormat(kMarkerMime) ? mime->data(kMarkerMime) : QByteArray("foreign");
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  Clip& c = C();
  c.m.lock();
  if (c.open) {
    c.m.unlock();
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  c.open = true;
  c.openThread = CurrentThreadId();
  c.openBy = owner;
  c.changed = false;
  Import(c);
  c.m.unlock();
  return TRUE;
}

BOOL CloseClipboard() {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (!OpenedHere(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  if (c.changed) Publish(c);
  c.open = false;
  c.openBy = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (!OpenedHere(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  Clear(c);
  c.owner = c.openBy;
  c.changed = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE mem) {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (!OpenedHere(c) || !mem || GlobalSize(mem) == 0) {
    SetLastError(OpenedHere(c) ? ERROR_INVALID_PARAMETER : ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  Put(c, format, mem);
  c.changed = true;
  return mem;
}

HANDLE GetClipboardData(UINT format) {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (!OpenedHere(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  auto it = c.data.find(format);
  if (it != c.data.end()) return it->second;
  // Text in one form is offered in the other (the bytes are kept).
  UINT other = format == CF_TEXT ? CF_OEMTEXT : format == CF_OEMTEXT ? CF_TEXT : 0;
  auto o = other ? c.data.find(other) : c.data.end();
  if (o == c.data.end()) return nullptr;
  HGLOBAL copy = CopyBytes(o->second, GlobalSize(o->second));
  Put(c, format, copy);
  return copy;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (!c.open) Import(c);
  if (c.data.count(format)) return TRUE;
  return (format == CF_TEXT && c.data.count(CF_OEMTEXT)) || (format == CF_OEMTEXT && c.data.count(CF_TEXT));
}

UINT RegisterClipboardFormat(LPCSTR name) {
  if (!name || !*name) return 0;
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  for (size_t i = 0; i < c.names.size(); ++i)
    if (lstrcmpi(c.names[i].c_str(), name) == 0) return static_cast<UINT>(0xC000 + i);
  c.names.push_back(name);
  return static_cast<UINT>(0xC000 + c.names.size() - 1);
}

int GetClipboardFormatName(UINT format, LPSTR buf, int max) {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (format < 0xC000 || format - 0xC000 >= c.names.size() || !buf || max <= 0) return 0;
  return lstrlen(lstrcpyn(buf, c.names[format - 0xC000].c_str(), max));
}

UINT EnumClipboardFormats(UINT format) {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (!OpenedHere(c)) return 0;
  if (format == 0) return c.order.empty() ? 0 : c.order.front();
  for (size_t i = 0; i + 1 < c.order.size(); ++i)
    if (c.order[i] == format) return c.order[i + 1];
  return 0;
}

int CountClipboardFormats() {
  Clip& c = C();
  std::lock_guard<std::recursive_mutex> lock(c.m);
  if (!c.open) Import(c);
  return static_cast<int>(c.data.size());
}

HWND GetClipboardOwner() {
  std::lock_guard<std::recursive_mutex> lock(C().m);
  return C().owner;
}

HWND GetOpenClipboardWindow() {
  std::lock_guard<std::recursive_mutex> lock(C().m);
  return C().open ? C().openBy : nullptr;
}

namespace mirt_ui {

bool ClipboardText(std::string* out) {
  if (!OpenClipboard(nullptr)) return false;
  HANDLE h = GetClipboardData(CF_TEXT);
  bool ok = h != nullptr;
  if (ok) {
    const char* p = static_cast<const char*>(GlobalLock(h));
    *out = std::string(p, strnlen(p, GlobalSize(h)));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return ok;
}

bool SetClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  HGLOBAL h = CopyBytes(text.c_str(), text.size() + 1);
  bool ok = SetClipboardData(CF_TEXT, h) != nullptr;
  if (!ok) GlobalFree(h);
  CloseClipboard();
  return ok;
}

}  // namespace mirt_ui
