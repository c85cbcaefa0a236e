// Private: geometry, drawing and mouse tracking of scroll bars, shared by
// the built-in bars of windows and the scroll-bar control.
#pragma once

#include <QRect>

#include "platform/ui/wnd_obj.h"

namespace mirt_ui {

enum ScrollPart { kPartNone, kPartArrowLo, kPartPageLo, kPartThumb, kPartPageHi, kPartArrowHi };

struct ScrollGeometry {
  QRect bar;      // the whole bar
  QRect arrowLo;  // up or left arrow
  QRect arrowHi;
  QRect thumb;  // empty when there is no room or nothing to scroll
  bool vertical = false;
};

ScrollGeometry ComputeScrollGeometry(const QRect& bar, bool vertical, const ScrollBarState& s);
ScrollPart HitScrollPart(const ScrollGeometry& g, QPoint p);
// The bar's rectangle in window coordinates (SB_HORZ or SB_VERT).
QRect BuiltInBarRect(const Wnd& w, int bar);
void DrawScrollBar(HDC hdc, const ScrollGeometry& g, const ScrollBarState& s, bool enabled);
void DrawBuiltInScrollBars(Wnd& w, HDC windowDC);
// Runs the mouse loop of a press on a bar: sends WM_HSCROLL/WM_VSCROLL to
// `notify` until the button is released. `bar` is SB_HORZ, SB_VERT or SB_CTL.
void TrackScrollBar(HWND owner, int bar, HWND notify, POINT screenPt);

}  // namespace mirt_ui
