// Update regions, paint cycles, window device contexts and scrolling.
#include "platform/ui/paint.h"

#include <QPainter>
#include <QWidget>
#include <cstring>

#include "platform/ui/caret.h"
#include "platform/ui/gdi_obj.h"
#include "platform/ui/message.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/window.h"

using namespace mirt_ui;

namespace mirt_ui {
void PaintNonClient(Wnd& w);

void CaretSuspend(HWND h);
void CaretResume(HWND h);

QRegion RegionOf(HRGN h) {
  auto* r = GdiAs<RgnObj>(h, OBJ_REGION);
  return r ? r->rgn : QRegion();
}

void SetRegion(HRGN h, const QRegion& v) {
  if (auto* r = GdiAs<RgnObj>(h, OBJ_REGION)) r->rgn = v;
}

void Invalidate(Wnd& w, const QRegion& rgn, bool erase) {
  QRegion r = rgn & QRegion(QRect(QPoint(0, 0), w.client.size()));
  if (r.isEmpty()) return;
  w.update += r;
  if (erase) w.erase = true;
  MarkDirty(w);
}

void Validate(Wnd& w, const QRegion& rgn) {
  w.update -= rgn;
  if (w.update.isEmpty()) w.erase = false;
}
}  // namespace mirt_ui

namespace {
QRegion ClientAll(const Wnd& w) { return QRegion(QRect(QPoint(0, 0), w.client.size())); }

QRegion FromRect(const Wnd& w, const RECT* r) {
  if (!r) return ClientAll(w);
  return QRegion(QRect(r->left, r->top, r->right - r->left, r->bottom - r->top).normalized());
}

void InvalidateTree(Wnd& w, const QRegion& rgn, bool erase, bool children) {
  Invalidate(w, rgn, erase);
  if (!children) return;
  for (HWND c : w.children) {
    auto cw = Find(c);
    if (!cw) continue;
    QRegion sub = rgn.translated(-cw->rect.topLeft() - cw->client.topLeft());
    InvalidateTree(*cw, sub, erase, true);
  }
}

void PaintNow(HWND h) {
  auto w = Find(h);
  if (!w || !IsWindowVisible(h) || w->noRedraw) return;
  if (w->update.isEmpty() && !w->frameDirty && !w->internalPaint) return;
  MSG m{h, WM_PAINT, 0, 0, 0, {0, 0}, 0};
  DispatchMessage(&m);
}

void UpdateTree(HWND h) {
  PaintNow(h);
  auto w = Find(h);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) UpdateTree(c);
}
}  // namespace

HDC BeginPaint(HWND h, LPPAINTSTRUCT ps) {
  auto w = Find(h);
  if (!w || !ps) return nullptr;
  CaretSuspend(h);
  w->paintServed = true;
  w->inPaint = true;
  if (w->frameDirty) {
    w->frameDirty = false;
    SendMessage(h, WM_NCPAINT, 1, 0);
  }
  w = Find(h);
  if (!w) return nullptr;
  QRegion rgn = w->update;
  bool erase = w->erase;
  w->update = QRegion();
  w->erase = false;
  w->internalPaint = false;
  HDC dc = MakeWindowDC(w, false);
  Dc* d = DcFind(dc);
  d->hasSystemClip = true;
  d->systemClip = rgn;
  DcStateChanged(*d);
  ps->hdc = dc;
  ps->fErase = TRUE;
  if (erase) ps->fErase = SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  QRect b = rgn.boundingRect();
  ps->rcPaint = RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
  ps->fRestore = FALSE;
  ps->fIncUpdate = FALSE;
  return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  DcRemove(ps->hdc);
  auto w = Find(h);
  if (w) w->inPaint = false;
  CaretResume(h);
  return TRUE;
}

HDC GetDC(HWND h) {
  if (!h || h == DesktopWnd()->handle) return GetWindowDC(nullptr);
  auto w = Find(h);
  if (!w) return nullptr;
  return MakeWindowDC(w, false);
}

HDC GetDCEx(HWND h, HRGN clip, DWORD flags) {
  HDC dc = (flags & DCX_WINDOW) ? GetWindowDC(h) : GetDC(h);
  Dc* d = DcFind(dc);
  if (d && clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    QRegion r = RegionOf(clip).translated(-d->origin);
    if (auto w = Find(h); w && !(flags & DCX_WINDOW))
      r = RegionOf(clip).translated(-WindowOriginOnScreen(*w) - w->client.topLeft());
    d->hasSystemClip = true;
    QRegion all(QRect(QPoint(0, 0), d->size));
    d->systemClip = (flags & DCX_INTERSECTRGN) ? (all & r) : (all - r);
    DcStateChanged(*d);
  }
  return dc;
}

HDC GetWindowDC(HWND h) {
  WndPtr w = h ? Find(h) : DesktopWnd();
  if (!w) return nullptr;
  HDC dc = MakeWindowDC(w, true);
  // The desktop, by NULL or by its handle: what is drawn shows at once.
  if (w == DesktopWnd()) DcFind(dc)->overlay = true;
  return dc;
}

int ReleaseDC(HWND, HDC dc) {
  if (!DcFind(dc)) return 0;
  DcRemove(dc);
  return 1;
}

HWND WindowFromDC(HDC h) {
  Dc* dc = DcFind(h);
  return dc && dc->wnd ? dc->wnd->handle : nullptr;
}

BOOL InvalidateRect(HWND h, const RECT* r, BOOL erase) {
  if (!h) {
    for (HWND t : TopLevels())
      if (auto w = Find(t)) InvalidateTree(*w, ClientAll(*w), erase, true);
    return TRUE;
  }
  WndRef w(h);
  if (!w) return FALSE;
  // A window already waiting to paint all of its client area (a list
  // refilled page after page) keeps its region as it is.
  if (!r && w->update.rectCount() == 1 && w->update.boundingRect() == QRect(QPoint(0, 0), w->client.size())) {
    if (erase) w->erase = true;
    MarkDirty(*w);
    return TRUE;
  }
  Invalidate(*w, FromRect(*w, r), erase);
  return TRUE;
}

BOOL InvalidateRgn(HWND h, HRGN rgn, BOOL erase) {
  auto w = Find(h);
  if (!w) return FALSE;
  Invalidate(*w, rgn ? RegionOf(rgn) : ClientAll(*w), erase);
  return TRUE;
}

BOOL ValidateRect(HWND h, const RECT* r) {
  auto w = Find(h);
  if (!w) return FALSE;
  Validate(*w, FromRect(*w, r));
  return TRUE;
}

BOOL ValidateRgn(HWND h, HRGN rgn) {
  auto w = Find(h);
  if (!w) return FALSE;
  Validate(*w, rgn ? RegionOf(rgn) : ClientAll(*w));
  return TRUE;
}

BOOL GetUpdateRect(HWND h, LPRECT r, BOOL erase) {
  auto w = Find(h);
  if (!w) return FALSE;
  QRect b = w->update.boundingRect();
  if (r)
    *r = w->update.isEmpty() ? RECT{0, 0, 0, 0}
                             : RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
  if (erase && w->erase && !w->update.isEmpty()) {
    HDC dc = GetDC(h);
    Dc* d = DcFind(dc);
    d->hasSystemClip = true;
    d->systemClip = w->update;
    DcStateChanged(*d);
    w->erase = false;
    SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(h, dc);
  }
  return !w->update.isEmpty();
}

int GetUpdateRgn(HWND h, HRGN rgn, BOOL) {
  auto w = Find(h);
  if (!w) return ERROR;
  SetRegion(rgn, w->update);
  if (w->update.isEmpty()) return NULLREGION;
  return w->update.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL UpdateWindow(HWND h) {
  if (!IsWindow(h)) return FALSE;
  PaintNow(h);
  return TRUE;
}

BOOL RedrawWindow(HWND h, const RECT* r, HRGN rgn, UINT flags) {
  auto w = h ? Find(h) : nullptr;
  if (!w) {
    if (h) return FALSE;
    for (HWND t : TopLevels()) RedrawWindow(t, nullptr, nullptr, flags | RDW_ALLCHILDREN);
    return TRUE;
  }
  QRegion area = rgn ? RegionOf(rgn) : FromRect(*w, r);
  bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
  if (flags & RDW_INVALIDATE) {
    InvalidateTree(*w, area, flags & RDW_ERASE, children);
    if (flags & RDW_FRAME) {
      w->frameDirty = true;
      MarkDirty(*w);
    }
    if (flags & RDW_INTERNALPAINT) {
      w->internalPaint = true;
      MarkDirty(*w);
    }
  }
  if (flags & RDW_VALIDATE) {
    Validate(*w, area);
    if (flags & RDW_NOFRAME) w->frameDirty = false;
    if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  }
  if (flags & RDW_NOERASE) w->erase = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    if (children)
      UpdateTree(h);
    else
      PaintNow(h);
  }
  return TRUE;
}

BOOL LockWindowUpdate(HWND) { return TRUE; }

namespace {
// Moves a rectangle of an image's pixels to `to` in place, row by row in
// the order that never overwrites a row still to be read. Images whose
// pixels are not whole bytes go through a copy.
void PaintMovePixels(QImage& image, const QRect& src, const QPoint& to) {
  if (image.depth() % 8 != 0) {
    QImage copy = image.copy(src);
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(to, copy);
    return;
  }
  const size_t pixel = static_cast<size_t>(image.depth() / 8);
  const size_t rowBytes = static_cast<size_t>(src.width()) * pixel;
  const int down = to.y() > src.y() ? 1 : 0;
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int i = 0; i < src.height(); ++i) {
    int row = down ? src.height() - 1 - i : i;
    const uchar* from = bits + (src.y() + row) * stride + src.x() * pixel;
    uchar* into = bits + (to.y() + row) * stride + to.x() * pixel;
    std::memmove(into, from, rowBytes);
  }
}

// Moves pixels of the backing image; the area uncovered comes back.
QRegion ShiftPixels(Wnd& w, int dx, int dy, const QRect& scroll, const QRect& clip) {
  QRect area = scroll & clip & QRect(QPoint(0, 0), w.client.size());
  if (area.isEmpty()) return QRegion();
  QRect src = area.translated(-dx, -dy) & scroll;
  QRect dst = src.translated(dx, dy) & area;
  src = dst.translated(-dx, -dy);
  FlushSurface(&w.image);
  if (!dst.isEmpty()) {
    QRect image = w.image.rect();
    QRect from = src.translated(w.client.topLeft());
    // Only pixels the image holds, moved to where it holds them.
    QRect held = from & image & image.translated(-dx, -dy);
    if (!held.isEmpty()) PaintMovePixels(w.image, held, held.topLeft() + QPoint(dx, dy));
  }
  ShowImage(w, area.translated(w.client.topLeft()));
  return QRegion(area) - QRegion(dst);
}
}  // namespace

int ScrollWindowEx(HWND h, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   LPRECT prcUpdate, UINT flags) {
  auto w = Find(h);
  if (!w) return ERROR;
  QRect all(QPoint(0, 0), w->client.size());
  QRect scroll = prcScroll ? QRect(prcScroll->left, prcScroll->top, prcScroll->right - prcScroll->left,
                                   prcScroll->bottom - prcScroll->top)
                           : all;
  QRect clip = prcClip ? QRect(prcClip->left, prcClip->top, prcClip->right - prcClip->left,
                               prcClip->bottom - prcClip->top)
                       : all;
  bool caret = w->queue->caret.hwnd == h;
  if (caret) CaretSuspend(h);
  QRegion uncovered = ShiftPixels(*w, dx, dy, scroll, clip);
  // Pending invalid areas move with the pixels.
  QRegion inside = w->update & QRegion(scroll & clip);
  if (!inside.isEmpty()) {
    w->update -= inside;
    w->update += inside.translated(dx, dy) & QRegion(clip);
  }
  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> kids = w->children;
    for (HWND c : kids) {
      auto cw = Find(c);
      if (!cw || (prcScroll && !scroll.intersects(cw->rect))) continue;
      SetWindowPos(c, nullptr, cw->rect.x() + dx, cw->rect.y() + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
  }
  if (flags & SW_INVALIDATE) Invalidate(*w, uncovered, flags & SW_ERASE);
  if (hrgnUpdate) SetRegion(hrgnUpdate, uncovered);
  if (prcUpdate) {
    QRect b = uncovered.boundingRect();
    *prcUpdate = uncovered.isEmpty() ? RECT{0, 0, 0, 0}
                                     : RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
  }
  if (caret) CaretResume(h);
  if (uncovered.isEmpty()) return NULLREGION;
  return uncovered.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* rc, const RECT* clip) {
  // Without a rectangle children move with the contents.
  return ScrollWindowEx(h, dx, dy, rc, clip, nullptr, nullptr,
                        SW_INVALIDATE | SW_ERASE | (rc ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}

BOOL ScrollDC(HDC hdc, int dx, int dy, const RECT* rc, const RECT* clip, HRGN rgn, LPRECT upd) {
  Dc* dc = DcFind(hdc);
  if (!dc || !dc->wnd) return FALSE;
  Wnd& w = *dc->wnd;
  QRect all(QPoint(0, 0), w.client.size());
  QRect scroll = rc ? QRect(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top) : all;
  QRect c = clip ? QRect(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top) : all;
  QRegion uncovered = ShiftPixels(w, dx, dy, scroll, c);
  if (rgn) SetRegion(rgn, uncovered);
  if (upd) {
    QRect b = uncovered.boundingRect();
    *upd = RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
  }
  return TRUE;
}
