// Icons and cursors: standard shapes, images with masks, drawing.
#include <QCursor>
#include <QPainter>
#include <map>
#include <mutex>

#include "platform/ui/icon_obj.h"
#include "platform/ui/resources.h"

namespace mirt_ui {

HICON LoadIconResource(HINSTANCE inst, LPCSTR name, bool cursor);

HICON MakeIcon(const QImage& argb, QPoint hotspot, bool icon) {
  auto* o = new IconObj;
  o->image = argb.convertToFormat(QImage::Format_ARGB32);
  o->hotspot = hotspot;
  o->icon = icon;
  if (!icon) o->cursor = QCursor(QPixmap::fromImage(o->image), hotspot.x(), hotspot.y());
  return static_cast<HICON>(GdiAdd(o));
}

QCursor* CursorFromHandle(HCURSOR h) {
  auto* o = GdiAs<IconObj>(h, OBJ_ICONCURSOR);
  return o ? &o->cursor : nullptr;
}

namespace {
struct Standard {
  uintptr_t id;
  Qt::CursorShape shape;
};
const Standard kCursors[] = {
    {32512, Qt::ArrowCursor},        {32513, Qt::IBeamCursor},     {32514, Qt::WaitCursor},
    {32515, Qt::CrossCursor},        {32516, Qt::UpArrowCursor},   {32640, Qt::SizeAllCursor},
    {32642, Qt::SizeFDiagCursor},    {32643, Qt::SizeBDiagCursor}, {32644, Qt::SizeHorCursor},
    {32645, Qt::SizeVerCursor},      {32646, Qt::SizeAllCursor},   {32648, Qt::ForbiddenCursor},
    {32649, Qt::PointingHandCursor}, {32650, Qt::BusyCursor},      {32651, Qt::WhatsThisCursor},
};

// Standard icons: a plain drawn symbol each.
QImage StandardIcon(uintptr_t id) {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  QColor fill = id == 32513                  ? QColor(255, 0, 0)
                : id == 32515                ? QColor(255, 255, 0)
                : id == 32514 || id == 32516 ? QColor(0, 0, 255)
                                             : QColor(255, 255, 255);
  p.setPen(Qt::black);
  p.setBrush(fill);
  p.drawEllipse(2, 2, 27, 27);
  p.setPen(id == 32515 ? Qt::black : Qt::white);
  QFont f("Liberation Sans");
  f.setPixelSize(20);
  f.setBold(true);
  p.setFont(f);
  const char* glyph = id == 32513 ? "X" : id == 32514 ? "?" : id == 32515 ? "!" : id == 32516 ? "i" : "";
  p.drawText(QRect(2, 2, 28, 28), Qt::AlignCenter, glyph);
  return img;
}

std::mutex g_iconsMutex;
std::map<uintptr_t, HCURSOR>& g_stdCursors = *new std::map<uintptr_t, HCURSOR>;
std::map<uintptr_t, HICON>& g_stdIcons = *new std::map<uintptr_t, HICON>;
}  // namespace
}  // namespace mirt_ui

using namespace mirt_ui;

HCURSOR LoadCursor(HINSTANCE inst, LPCSTR name) {
  if (inst || !IS_INTRESOURCE(name)) return LoadIconResource(inst, name, true);
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  std::lock_guard<std::mutex> lock(g_iconsMutex);
  auto it = g_stdCursors.find(id);
  if (it != g_stdCursors.end()) return it->second;
  for (const Standard& s : kCursors) {
    if (s.id != id) continue;
    auto* o = new IconObj;
    o->stock = true;
    o->icon = false;
    o->cursor = QCursor(s.shape);
    HCURSOR h = static_cast<HCURSOR>(GdiAdd(o));
    g_stdCursors[id] = h;
    return h;
  }
  return nullptr;
}

HICON LoadIcon(HINSTANCE inst, LPCSTR name) {
  if (inst || !IS_INTRESOURCE(name)) return LoadIconResource(inst, name, false);
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (id < 32512 || id > 32517) return nullptr;
  std::lock_guard<std::mutex> lock(g_iconsMutex);
  auto it = g_stdIcons.find(id);
  if (it != g_stdIcons.end()) return it->second;
  HICON h = MakeIcon(StandardIcon(id), QPoint(16, 16), true);
  GdiFind(h)->stock = true;
  g_stdIcons[id] = h;
  return h;
}

HICON CreateIconIndirect(PICONINFO ii) {
  if (!ii) return nullptr;
  auto* mask = GdiAs<BitmapObj>(ii->hbmMask, OBJ_BITMAP);
  auto* color = GdiAs<BitmapObj>(ii->hbmColor, OBJ_BITMAP);
  if (!mask) return nullptr;
  int w = mask->image.width();
  int h = color ? color->image.height() : mask->image.height() / 2;
  QImage out(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bool transparent = mask->image.pixel(x, y) & 0xFFFFFF;
      QRgb c =
          color ? color->image.pixel(x, std::min(y, color->image.height() - 1)) : mask->image.pixel(x, y + h);
      out.setPixel(x, y, transparent ? qRgba(0, 0, 0, 0) : (c | 0xFF000000u));
    }
  return MakeIcon(out, QPoint(ii->xHotspot, ii->yHotspot), ii->fIcon);
}

BOOL GetIconInfo(HICON h, PICONINFO ii) {
  auto* o = GdiAs<IconObj>(h, OBJ_ICONCURSOR);
  if (!o || !ii) return FALSE;
  QImage mask(o->image.size(), QImage::Format_RGB32), color(o->image.size(), QImage::Format_RGB32);
  for (int y = 0; y < o->image.height(); ++y)
    for (int x = 0; x < o->image.width(); ++x) {
      QRgb p = o->image.pixel(x, y);
      bool t = qAlpha(p) < 128;
      mask.setPixel(x, y, t ? 0xFFFFFFFFu : 0xFF000000u);
      color.setPixel(x, y, t ? 0xFF000000u : (p | 0xFF000000u));
    }
  ii->fIcon = o->icon;
  ii->xHotspot = static_cast<DWORD>(o->hotspot.x());
  ii->yHotspot = static_cast<DWORD>(o->hotspot.y());
  ii->hbmMask = MakeBitmap(mask, true, 1);
  ii->hbmColor = MakeBitmap(color, false, 32);
  return TRUE;
}

BOOL DestroyIcon(HICON h) { return DeleteObject(h); }
BOOL DestroyCursor(HCURSOR h) { return DeleteObject(h); }

HICON CopyIcon(HICON h) {
  auto* o = GdiAs<IconObj>(h, OBJ_ICONCURSOR);
  if (!o) return nullptr;
  return MakeIcon(o->image, o->hotspot, o->icon);
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON h, int cx, int cy, UINT, HBRUSH bg, UINT flags) {
  Dc* dc = DcFind(hdc);
  auto* o = GdiAs<IconObj>(h, OBJ_ICONCURSOR);
  if (!dc || !o) return FALSE;
  QImage img = o->image;
  if (cx > 0 && cy > 0 && (cx != img.width() || cy != img.height()))
    img = img.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QPoint at = DpToSurface(*dc, LpToDp(*dc, x, y));
  if (bg) {
    RECT r{x, y, x + img.width(), y + img.height()};
    FillRect(hdc, &r, bg);
  }
  QPainter* p = PainterFor(*dc);
  if (!p) return FALSE;
  if ((flags & DI_NORMAL) == DI_MASK) {
    QImage m(img.size(), QImage::Format_RGB32);
    for (int yy = 0; yy < img.height(); ++yy)
      for (int xx = 0; xx < img.width(); ++xx)
        m.setPixel(xx, yy, qAlpha(img.pixel(xx, yy)) < 128 ? 0xFFFFFFFFu : 0xFF000000u);
    p->drawImage(at, m);
  } else {
    p->drawImage(at, img);
  }
  Touch(*dc, QRect(at, img.size()));
  return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON h) {
  return DrawIconEx(hdc, x, y, h, 0, 0, 0, nullptr, DI_NORMAL);
}
