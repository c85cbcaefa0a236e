// The window and class registries, geometry helpers and backing images.
#include <QApplication>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/base/charcase.h"
#include "platform/ui/message.h"
#include "platform/ui/sysmetrics.h"
#include "platform/ui/system_classes.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"
#include "platform/ui/wnd_widget.h"

namespace mirt_ui {
namespace {
std::recursive_mutex g_windowRegistryMutex;
std::unordered_map<HWND, WndPtr> g_windows;
uintptr_t g_next = kFirstHandle;
std::vector<HWND> g_tops;
std::map<std::string, std::shared_ptr<WndClass>> g_classes;
std::map<std::string, WidgetFactory> g_factories;
ATOM g_nextAtom = 0xC000;
CreateHook g_createHook = nullptr;

// The slot of a handle in the lock-free table (under g_windowRegistryMutex).
void SetSlot(HWND h, Wnd* w) {
  size_t n = (reinterpret_cast<uintptr_t>(h) - kFirstHandle) >> 2;
  size_t chunk = n >> kSlotChunkBits;
  if (chunk >= kSlotChunks) return;
  std::atomic<Wnd*>* row = g_slotChunks[chunk].load(std::memory_order_acquire);
  if (!row) {
    if (!w) return;
    row = new std::atomic<Wnd*>[size_t{1} << kSlotChunkBits]();
    g_slotChunks[chunk].store(row, std::memory_order_release);
  }
  row[n & ((size_t{1} << kSlotChunkBits) - 1)].store(w, std::memory_order_release);
}

std::string Key(const char* name) {
  std::string k = name ? name : "";
  for (char& c : k) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
  return k;
}
}  // namespace

std::recursive_mutex& RegistryMutex() { return g_windowRegistryMutex; }

Wnd* FindOwn(HWND h) {
  Wnd* w = FindRawInTable(h);
  return w && w->queue && w->queue == t_currentQueue && !w->destroyed ? w : nullptr;
}

WndPtr Find(HWND h) {
  if (!h) return nullptr;
  // Only its own thread destroys a window: that thread reads the slot
  // without the lock.
  if (Wnd* w = FindRawInTable(h); w && w->queue && w->queue == t_currentQueue)
    return w->destroyed ? nullptr : w->shared_from_this();
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  auto it = g_windows.find(h);
  if (it == g_windows.end() || it->second->destroyed) return nullptr;
  return it->second;
}

std::atomic<std::atomic<Wnd*>*> g_slotChunks[kSlotChunks];

Wnd* FindRawBeyondSlots(HWND h) {
  WndPtr w = Find(h);
  return w.get();
}

void SetWindowObject(HWND h, void* object) {
  if (Wnd* w = FindRaw(h)) w->object = object;
}

void* GetWindowObject(HWND h) {
  Wnd* w = FindRaw(h);
  return w ? w->object : nullptr;
}

HWND AllocHandle(const WndPtr& w) {
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  HWND h = reinterpret_cast<HWND>(g_next);
  g_next += 4;
  g_windows[h] = w;
  w->handle = h;
  SetSlot(h, w.get());
  return h;
}

void FreeHandle(HWND h) {
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  SetSlot(h, nullptr);
  g_windows.erase(h);
}

void RetireWindowsOf(ThreadQueue* q, ThreadQueue* ended) {
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  for (auto& [h, w] : g_windows)
    if (w->queue == q) {
      w->queue = ended;
      w->destroyed = true;
    }
}

std::vector<HWND>& TopLevels() { return g_tops; }

std::shared_ptr<WndClass> FindClass(const std::string& name) {
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  auto it = g_classes.find(Key(name.c_str()));
  return it == g_classes.end() ? nullptr : it->second;
}

std::shared_ptr<WndClass> FindClassByName(LPCSTR name) {
  RegisterSystemClasses();
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  if (IS_INTRESOURCE(name)) {
    ATOM a = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
    for (auto& [k, c] : g_classes)
      if (c->atom == a) return c;
    return nullptr;
  }
  auto it = g_classes.find(Key(name));
  return it == g_classes.end() ? nullptr : it->second;
}

ATOM AddClass(std::shared_ptr<WndClass> c) {
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  std::string k = Key(c->name.c_str());
  if (g_classes.count(k)) return 0;
  auto f = g_factories.find(k);
  if (f != g_factories.end() && !c->factory) c->factory = f->second;
  c->atom = g_nextAtom++;
  g_classes[k] = c;
  return c->atom;
}

bool RemoveClass(LPCSTR name) {
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  auto c = FindClassByName(name);
  if (!c) return false;
  g_classes.erase(Key(c->name.c_str()));
  return true;
}

void RegisterWidgetFactory(const std::string& className, WidgetFactory f) {
  std::lock_guard<std::recursive_mutex> lock(g_windowRegistryMutex);
  g_factories[Key(className.c_str())] = f;
  auto it = g_classes.find(Key(className.c_str()));
  if (it != g_classes.end()) it->second->factory = f;
}

void SetCreateHook(CreateHook hook) { g_createHook = hook; }
CreateHook GetCreateHook() { return g_createHook; }

QPoint WindowOriginOnScreen(const Wnd& w) {
  if (w.parent) {
    if (auto p = Find(w.parent)) return ClientOriginOnScreen(*p) + w.rect.topLeft();
  }
  return w.rect.topLeft();
}

QPoint ClientOriginOnScreen(const Wnd& w) { return WindowOriginOnScreen(w) + w.client.topLeft(); }

// Width of the frame drawn by the layer on each side.
int FrameWidth(DWORD style, DWORD exStyle, bool desktopFrame) {
  int b = 0;
  if (!desktopFrame) {
    if (style & WS_THICKFRAME)
      b = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
      b = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
      b = GetSystemMetrics(SM_CXBORDER);
  }
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += GetSystemMetrics(SM_CXBORDER);
  return b;
}

bool HasDesktopFrame(DWORD style, DWORD exStyle) {
  return !(style & WS_CHILD) && (style & WS_CAPTION) == WS_CAPTION && !(exStyle & WS_EX_TOOLWINDOW);
}

int CaptionHeight(DWORD style, DWORD exStyle) {
  if (HasDesktopFrame(style, exStyle) || (style & WS_CAPTION) != WS_CAPTION) return 0;
  return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

QRect DefaultClientRect(DWORD style, DWORD exStyle, const QRect& windowRect) {
  // windowRect in any coordinates; the result in the same ones.
  int b = FrameWidth(style, exStyle, HasDesktopFrame(style, exStyle));
  QRect r = windowRect.adjusted(b, b + CaptionHeight(style, exStyle), -b, -b);
  if ((style & WS_VSCROLL) && r.width() >= GetSystemMetrics(SM_CXVSCROLL))
    r.setRight(r.right() - GetSystemMetrics(SM_CXVSCROLL));
  if ((style & WS_HSCROLL) && r.height() >= GetSystemMetrics(SM_CYHSCROLL))
    r.setBottom(r.bottom() - GetSystemMetrics(SM_CYHSCROLL));
  if (r.width() < 0) r.setWidth(0);
  if (r.height() < 0) r.setHeight(0);
  return r;
}

QRect NonClientClientRect(const Wnd& w, const QRect& windowRect) {
  return DefaultClientRect(w.style, w.exStyle, windowRect);
}

void RecalcClient(Wnd& w) {
  HWND h = w.handle;
  NCCALCSIZE_PARAMS p{};
  QRect r = w.rect;
  p.rgrc[0] = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  p.rgrc[1] = p.rgrc[0];
  p.rgrc[2] = p.rgrc[0];
  SendMessage(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&p));
  auto again = Find(h);
  if (!again) return;
  RECT c = p.rgrc[0];
  QRect client(c.left - r.left(), c.top - r.top(), std::max<int>(0, c.right - c.left),
               std::max<int>(0, c.bottom - c.top));
  again->client = client;
}

namespace {

// The backing image at the window's size, made now.
void RegistryMakeImage(Wnd& w) {
  w.imageLate = false;
  QSize s(std::max(1, w.rect.width()), std::max(1, w.rect.height()));
  if (w.image.size() == s) return;
  QImage img(s, QImage::Format_RGB32);
  // What the old image covers is copied row by row; the rest starts white.
  const QImage& old = w.image;
  const bool copies = !old.isNull() && old.format() == QImage::Format_RGB32;
  const int keptRows = copies ? std::min(old.height(), s.height()) : 0;
  const int keptWidth = copies ? std::min(old.width(), s.width()) : 0;
  if (keptRows == 0 || keptWidth == 0) {
    img.fill(Qt::white);
    if (!copies && !old.isNull()) {
      QPainter p(&img);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, old);
    }
  } else {
    const size_t keptBytes = sizeof(QRgb) * static_cast<size_t>(keptWidth);
    for (int y = 0; y < keptRows; ++y) {
      auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
      std::memcpy(row, old.constScanLine(y), keptBytes);
      std::fill(row + keptWidth, row + s.width(), QRgb{0xFFFFFFFFu});
    }
    for (int y = keptRows; y < s.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
      std::fill(row, row + s.width(), QRgb{0xFFFFFFFFu});
    }
  }
  w.image = std::move(img);
}

}  // namespace

void ResizeImage(Wnd& w) {
  // A window not shown gets its image at its size when it is first drawn
  // on or shown; until then it keeps the one it has (one white pixel at first).
  if (!IsWindowVisible(w.handle) && !(w.cls && w.cls->name == kDesktopClass)) {
    if (w.image.isNull()) {
      w.image = QImage(1, 1, QImage::Format_RGB32);
      w.image.fill(Qt::white);
    }
    w.imageLate = w.image.size() != QSize(std::max(1, w.rect.width()), std::max(1, w.rect.height()));
    return;
  }
  RegistryMakeImage(w);
}

QImage& ImageReady(Wnd& w) {
  if (w.imageLate) RegistryMakeImage(w);
  return w.image;
}

void ShowImage(Wnd& w, const QRect& area) {
  if (w.noRedraw || !w.widget) return;
  if (w.cls && w.cls->name == kDesktopClass) {
    ShowDesktopArea(area);
    return;
  }
  if (area.isNull())
    w.widget->update();
  else
    w.widget->update(area);
}

void MarkDirty(Wnd& w) {
  ThreadQueue* q = w.queue;
  if (!q) return;
  {
    std::lock_guard<std::mutex> lock(q->m);
    if (std::find(q->dirty.begin(), q->dirty.end(), w.handle) == q->dirty.end()) q->dirty.push_back(w.handle);
  }
  if (q->tid != CurrentThreadId()) q->Wake();
}

bool DeferFramePaint(Wnd& w) {
  if (IsWindowVisible(w.handle) && !w.frameDirty) return false;
  w.frameDirty = true;
  MarkDirty(w);
  return true;
}

QWidget* WidgetOf(HWND h) {
  auto w = Find(h);
  return w ? w->widget.data() : nullptr;
}

QImage* ImageOf(HWND h) {
  auto w = Find(h);
  return w ? &ImageReady(*w) : nullptr;
}

QImage Capture(HWND h) {
  auto w = Find(h);
  if (!w) return QImage();
  QImage img;
  if (w->widget && !qobject_cast<WndWidget*>(w->widget.data()))
    img = w->widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  else
    img = ImageReady(*w).copy();
  QPainter p(&img);
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
    auto c = Find(*it);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    p.save();
    p.setClipRect(w->client);
    QPoint at = w->client.topLeft() + c->rect.topLeft();
    // A shaped child (a group box) shows only its shape.
    if (c->widget && !c->widget->mask().isEmpty())
      p.setClipRegion(c->widget->mask().translated(at), Qt::IntersectClip);
    p.drawImage(at, Capture(*it));
    p.restore();
  }
  return img;
}

}  // namespace mirt_ui
