// The drag image: a one-image list drawn over a window (or the screen)
// with the pixels under it kept, so moving or hiding it puts them back.
#include "platform/ui/imagelist_obj.h"
#include "platform/ui/paint.h"
#include "platform/ui/window.h"

using namespace mirt_ui;

namespace {

struct DragState {
  HIMAGELIST list = nullptr;
  POINT hotspot{0, 0};
  HWND lock = nullptr;
  POINT pos{0, 0};          // hotspot position, in the lock window's coordinates
  bool shown = false;       // drawn now
  bool visible = false;     // wanted on screen
  HBITMAP under = nullptr;  // the pixels the image hides
  POINT underAt{0, 0};
};

DragState& Drag() {
  static DragState s;
  return s;
}

HDC DragDC(HWND lock) { return lock ? GetWindowDC(lock) : GetDC(nullptr); }

void Hide() {
  DragState& d = Drag();
  if (!d.shown) return;
  d.shown = false;
  int cx = 0, cy = 0;
  ImageList_GetIconSize(d.list, &cx, &cy);
  if (!d.lock || IsWindow(d.lock)) {
    HDC dc = DragDC(d.lock);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, d.under);
    BitBlt(dc, d.underAt.x, d.underAt.y, cx, cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(d.lock, dc);
  }
  DeleteObject(d.under);
  d.under = nullptr;
}

void Show() {
  DragState& d = Drag();
  if (d.shown || !d.visible || !d.list || (d.lock && !IsWindow(d.lock))) return;
  int cx = 0, cy = 0;
  ImageList_GetIconSize(d.list, &cx, &cy);
  HDC dc = DragDC(d.lock);
  d.underAt = POINT{d.pos.x - d.hotspot.x, d.pos.y - d.hotspot.y};
  d.under = CreateCompatibleBitmap(dc, cx, cy);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, d.under);
  BitBlt(mem, 0, 0, cx, cy, dc, d.underAt.x, d.underAt.y, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  ImageList_Draw(d.list, 0, dc, d.underAt.x, d.underAt.y, ILD_TRANSPARENT);
  ReleaseDC(d.lock, dc);
  d.shown = true;
}

}  // namespace

BOOL ImageList_BeginDrag(HIMAGELIST h, int i, int dxHotspot, int dyHotspot) {
  ImageListObj* o = ImageListFind(h);
  if (!o || i < 0 || i >= o->count) return FALSE;
  ImageList_EndDrag();
  HIMAGELIST copy = ImageList_Create(o->cx, o->cy, o->flags | ILC_MASK, 1, 1);
  if (!copy) return FALSE;
  ImageList_SetImageCount(copy, 1);
  ImageList_Copy(copy, 0, h, i, ILCF_MOVE);
  DragState& d = Drag();
  d.list = copy;
  d.hotspot = POINT{dxHotspot, dyHotspot};
  return TRUE;
}

BOOL ImageList_DragEnter(HWND lock, int x, int y) {
  DragState& d = Drag();
  if (!d.list) return FALSE;
  Hide();
  d.lock = lock;
  d.pos = POINT{x, y};
  d.visible = true;
  Show();
  return TRUE;
}

BOOL ImageList_DragMove(int x, int y) {
  DragState& d = Drag();
  if (!d.list) return FALSE;
  Hide();
  d.pos = POINT{x, y};
  Show();
  return TRUE;
}

BOOL ImageList_DragLeave(HWND) {
  DragState& d = Drag();
  if (!d.list) return FALSE;
  Hide();
  d.visible = false;
  d.lock = nullptr;
  return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL show) {
  DragState& d = Drag();
  if (!d.list) return FALSE;
  d.visible = show != FALSE;
  if (show)
    Show();
  else
    Hide();
  return TRUE;
}

void ImageList_EndDrag() {
  DragState& d = Drag();
  Hide();
  if (d.list) ImageList_Destroy(d.list);
  d = DragState{};
}

HIMAGELIST ImageList_GetDragImage(POINT* pt, POINT* hotspot) {
  DragState& d = Drag();
  if (pt) *pt = d.pos;
  if (hotspot) *hotspot = d.hotspot;
  return d.list;
}
