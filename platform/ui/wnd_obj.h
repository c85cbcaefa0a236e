// Private: the window object behind an HWND, and the window registry.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/wintypes.h"

class QWidget;
class WndWidget;
class ThreadQueue;

namespace mirt_ui {

struct Wnd;
// Makes the Qt widget of a window; classes with their own widgets (the
// standard controls) set one.
using WidgetFactory = std::function<QWidget*(Wnd& wnd, QWidget* parent)>;

struct WndClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menuName;
  WidgetFactory factory;
};

struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  UINT disabledArrows = 0;
  bool tracking = false;
};

struct Wnd : std::enable_shared_from_this<Wnd> {
  HWND handle = nullptr;
  std::shared_ptr<WndClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT_PTR id = 0;
  HWND parent = nullptr;       // child windows
  HWND owner = nullptr;        // owned top-level windows
  std::vector<HWND> children;  // z-order, top first
  std::string text;
  LONG_PTR userData = 0;
  std::vector<unsigned char> extra;
  HINSTANCE instance = nullptr;
  std::map<std::string, HANDLE, std::less<>> props;  // looked up by string_view
  QRect rect;                                        // window rectangle, in the parent's client coordinates
  QRect client;                                      // client rectangle, in window coordinates
  QRegion update;                                    // in client coordinates
  bool erase = false;
  bool frameDirty = false;
  bool internalPaint = false;
  bool inPaint = false;
  bool paintServed = false;
  bool noRedraw = false;
  bool topmost = false;
  bool captionActive = false;
  bool clippedToParent = false;  // its widget's mask cuts what lies outside the parent's client area  // a
                                 // caption the layer draws shows the active colours
  int showState = SW_SHOWNORMAL;
  QImage image;            // backing image of the whole window (ImageReady)
  bool imageLate = false;  // the image is not yet at the window's size: it is not shown
  QPointer<QWidget> widget;
  ThreadQueue* queue = nullptr;
  ScrollBarState bars[2];
  bool destroying = false;
  bool destroyed = false;
  void* object = nullptr;        // the framework's object of the window (CWnd)
  void* controlState = nullptr;  // a standard control's state (controls_impl.h)
};

using WndPtr = std::shared_ptr<Wnd>;

WndPtr Find(HWND h);  // null for an invalid or destroyed handle
// The window of a handle that the calling thread owns, or null. No
// reference is taken: only its own thread destroys a window, so it stays
// while the caller sends it nothing.
Wnd* FindOwn(HWND h);

// A window for the length of a call that sends nothing: the calling
// thread's own windows without a reference, others held by one.
class WndRef {
 public:
  explicit WndRef(HWND h) : raw_(FindOwn(h)) {
    if (!raw_) {
      held_ = Find(h);
      raw_ = held_.get();
    }
  }
  Wnd* operator->() const { return raw_; }
  Wnd& operator*() const { return *raw_; }
  explicit operator bool() const { return raw_ != nullptr; }

 private:
  Wnd* raw_;
  WndPtr held_;
};

// WINDOWPOS flag the layer sets when the client area kept its size.
constexpr UINT kSwpClientSizeKept = 0x0800;

// Handles are kFirstHandle + 4 n, never reused; window n sits in slot n of a
// table read without a lock (chunks are made once and never freed).
constexpr uintptr_t kFirstHandle = 0x20000;
constexpr unsigned kSlotChunkBits = 12;
constexpr size_t kSlotChunks = 4096;
extern std::atomic<std::atomic<Wnd*>*> g_slotChunks[kSlotChunks];
Wnd* FindRawBeyondSlots(HWND h);

inline bool InSlotTable(HWND h) {
  return ((reinterpret_cast<uintptr_t>(h) - kFirstHandle) >> (kSlotChunkBits + 2)) < kSlotChunks;
}

// The window of a handle that lies in the table (null for others).
inline Wnd* FindRawInTable(HWND h) {
  uintptr_t v = reinterpret_cast<uintptr_t>(h) - kFirstHandle;
  size_t n = v >> 2;
  size_t chunk = n >> kSlotChunkBits;
  if ((v & 3) || chunk >= kSlotChunks) return nullptr;
  std::atomic<Wnd*>* row = g_slotChunks[chunk].load(std::memory_order_acquire);
  return row ? row[n & ((size_t{1} << kSlotChunkBits) - 1)].load(std::memory_order_acquire) : nullptr;
}

// Find without taking a reference, for the message fast path; valid until
// the window is destroyed.
inline Wnd* FindRaw(HWND h) {
  if (InSlotTable(h)) return FindRawInTable(h);
  return reinterpret_cast<uintptr_t>(h) > kFirstHandle ? FindRawBeyondSlots(h) : nullptr;
}

void SetWindowObject(HWND h, void* object);
void* GetWindowObject(HWND h);
std::vector<HWND>& TopLevels();  // top-level windows, top first
std::shared_ptr<WndClass> FindClass(const std::string& name);
void RegisterWidgetFactory(const std::string& className, WidgetFactory f);

// Geometry helpers (all from our own state, never from Qt).
QPoint ClientOriginOnScreen(const Wnd& w);
QPoint WindowOriginOnScreen(const Wnd& w);
QRect NonClientClientRect(const Wnd& w, const QRect& windowRect);  // default NC sizes
void RecalcClient(Wnd& w);                                         // sends WM_NCCALCSIZE
// Fits the backing image to the window's rectangle, keeping its pixels; for
// a window not shown that is left until ImageReady.
void ResizeImage(Wnd& w);
// The backing image at the window's size, for drawing on it or showing it.
QImage& ImageReady(Wnd& w);
void ShowImage(Wnd& w, const QRect& windowArea = QRect());  // widget repaint
// The desktop window: drawing on it (drag outlines) shows in a shaped
// window around what was drawn, which takes no input.
constexpr auto kDesktopClass = "#32769";
WndPtr DesktopWnd();
void ShowDesktopArea(const QRect& area);
void MarkDirty(Wnd& w);  // queue a WM_PAINT
// A window not shown (itself or an ancestor hidden), or one whose whole
// frame its next WM_PAINT repaints anyway, gets its frame painted then
// instead of now: true when that is so.
bool DeferFramePaint(Wnd& w);
QWidget* WidgetOf(HWND h);
QImage* ImageOf(HWND h);
// The composed picture of a window with its visible children.
QImage Capture(HWND h);

HWND AllocHandle(const WndPtr& w);
void FreeHandle(HWND h);
// Marks the windows of queue q destroyed and gives them the queue `ended`.
void RetireWindowsOf(ThreadQueue* q, ThreadQueue* ended);
std::shared_ptr<WndClass> FindClassByName(LPCSTR name);  // name or atom
ATOM AddClass(std::shared_ptr<WndClass> c);
bool RemoveClass(LPCSTR name);
int FrameWidth(DWORD style, DWORD exStyle, bool desktopFrame);
int CaptionHeight(DWORD style, DWORD exStyle);
// Top-level windows with a caption, but for tool frames, which draw their own.
bool HasDesktopFrame(DWORD style, DWORD exStyle);
QRect DefaultClientRect(DWORD style, DWORD exStyle, const QRect& windowRect);
// Client coordinates of a window to window coordinates and back.
inline QPoint ClientToWindow(const Wnd& w, QPoint p) { return p + w.client.topLeft(); }

// Called as a window object is made, before WM_NCCREATE (CWnd attaches).
using CreateHook = void (*)(HWND);
void SetCreateHook(CreateHook hook);
CreateHook GetCreateHook();

}  // namespace mirt_ui
