// Private: the object behind an icon or cursor handle.
#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <string>

#include "platform/ui/gdi_obj.h"

namespace mirt_ui {

constexpr int OBJ_ICONCURSOR = 100;
struct IconObj : GdiObj {
  IconObj() : GdiObj(OBJ_ICONCURSOR) {}
  QImage image;    // ARGB32, transparent where the mask is set
  QImage xorMask;  // pixels inverted on screen (mask set, colour non-black)
  QPoint hotspot;
  bool icon = true;
  QCursor cursor;
  // Where a resource icon came from, to load another of its sizes.
  bool fromResource = false;
  HINSTANCE srcModule = nullptr;
  std::string srcName;  // "#n" for id n
};

// A new icon of a resource icon's group at the size nearest `size`
// (null when the icon is not from a resource).
HICON ReloadIconAtSize(HICON icon, int size);

HICON MakeIcon(const QImage& argb, QPoint hotspot, bool icon);

}  // namespace mirt_ui
