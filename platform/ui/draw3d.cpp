// Three-dimensional edges and frame controls in the classic style.
#include <QPainterPath>

#include "platform/ui/raster.h"
#include "platform/ui/sysmetrics.h"

using namespace mirt_ui;

namespace {

void Line(HDC h, int x, int y, int w, int hh, COLORREF c) {
  RECT r{x, y, x + w, y + hh};
  if (w <= 0 || hh <= 0) return;
  HBRUSH b = CreateSolidBrush(c);
  FillRect(h, &r, b);
  DeleteObject(b);
}

void Edge(HDC h, RECT& r, COLORREF tl, COLORREF br, UINT flags) {
  int w = r.right - r.left, hh = r.bottom - r.top;
  if (w <= 0 || hh <= 0) return;
  if (flags & BF_TOP) Line(h, r.left, r.top, w - 1, 1, tl);
  if (flags & BF_LEFT) Line(h, r.left, r.top, 1, hh - 1, tl);
  if (flags & BF_BOTTOM) Line(h, r.left, r.bottom - 1, w, 1, br);
  if (flags & BF_RIGHT) Line(h, r.right - 1, r.top, 1, hh, br);
  if (flags & BF_LEFT) r.left++;
  if (flags & BF_TOP) r.top++;
  if (flags & BF_RIGHT) r.right--;
  if (flags & BF_BOTTOM) r.bottom--;
}

void Glyph(HDC h, const std::vector<POINT>& pts, COLORREF c) {
  HPEN pen = CreatePen(PS_SOLID, 1, c);
  HBRUSH br = CreateSolidBrush(c);
  HGDIOBJ op = SelectObject(h, pen), ob = SelectObject(h, br);
  Polygon(h, pts.data(), static_cast<int>(pts.size()));
  SelectObject(h, op);
  SelectObject(h, ob);
  DeleteObject(pen);
  DeleteObject(br);
}

// A filled triangle pointing in one direction, centred in r.
void Arrow(HDC h, const RECT& r, int dir, COLORREF c) {
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  int s = std::max(2, std::min(r.right - r.left, r.bottom - r.top) / 4);
  std::vector<POINT> p;
  switch (dir) {
    case 0:
      p = {{cx - s, cy + s / 2}, {cx + s, cy + s / 2}, {cx, cy - s / 2 - 1}};
      break;  // up
    case 1:
      p = {{cx - s, cy - s / 2}, {cx + s, cy - s / 2}, {cx, cy + s / 2 + 1}};
      break;  // down
    case 2:
      p = {{cx + s / 2, cy - s}, {cx + s / 2, cy + s}, {cx - s / 2 - 1, cy}};
      break;  // left
    default:
      p = {{cx - s / 2, cy - s}, {cx - s / 2, cy + s}, {cx + s / 2 + 1, cy}};
      break;  // right
  }
  Glyph(h, p, c);
}

void CheckMark(HDC h, const RECT& r, COLORREF c) {
  int x = r.left + (r.right - r.left - 7) / 2, y = r.top + (r.bottom - r.top - 7) / 2;
  for (int i = 0; i < 3; ++i) {
    Line(h, x + i, y + 2 + i, 1, 3, c);
  }
  for (int i = 0; i < 4; ++i) Line(h, x + 3 + i, y + 3 - i, 1, 3, c);
}

void PushButton(HDC h, RECT r, UINT state) {
  if (state & DFCS_PUSHED) {
    if (state & DFCS_FLAT) {
      DrawEdge(h, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else {
      Edge(h, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT), BF_RECT);
      Edge(h, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE), BF_RECT);
    }
  } else if (state & DFCS_FLAT) {
    DrawEdge(h, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  } else {
    DrawEdge(h, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  }
  FillRect(h, &r, GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

BOOL DrawEdge(HDC h, LPRECT rc, UINT edge, UINT flags) {
  if (!rc || !DcFind(h)) return FALSE;
  RECT r = *rc;
  COLORREF light = GetSysColor(COLOR_3DLIGHT), hi = GetSysColor(COLOR_BTNHIGHLIGHT),
           sh = GetSysColor(COLOR_BTNSHADOW), dk = GetSysColor(COLOR_3DDKSHADOW);
  if (flags & BF_MONO) {
    light = hi = sh = dk = GetSysColor(COLOR_WINDOWFRAME);
  } else if (flags & BF_FLAT) {
    light = hi = sh = dk = GetSysColor(COLOR_BTNSHADOW);
  } else if (flags & BF_SOFT) {
    std::swap(light, hi);
  }
  UINT sides = flags & BF_RECT;
  if (edge & BDR_RAISEDOUTER)
    Edge(h, r, light, dk, sides);
  else if (edge & BDR_SUNKENOUTER)
    Edge(h, r, sh, hi, sides);
  if (edge & BDR_RAISEDINNER)
    Edge(h, r, hi, sh, sides);
  else if (edge & BDR_SUNKENINNER)
    Edge(h, r, dk, light, sides);
  if (flags & BF_MIDDLE) FillRect(h, &r, GetSysColorBrush((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rc = r;
  return TRUE;
}

BOOL DrawFrameControl(HDC h, LPRECT rc, UINT type, UINT state) {
  if (!rc || !DcFind(h)) return FALSE;
  RECT r = *rc;
  COLORREF text = GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  int kind = state & 0xFF;
  switch (type) {
    case DFC_BUTTON: {
      if (kind & DFCS_BUTTONPUSH) {
        PushButton(h, r, state);
        return TRUE;
      }
      if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
        int s = std::min(r.right - r.left, r.bottom - r.top);
        RECT b{r.left, r.top, r.left + s, r.top + s};
        HBRUSH face = CreateSolidBrush(
            GetSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW));
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        HGDIOBJ ob = SelectObject(h, face), op = SelectObject(h, pen);
        Ellipse(h, b.left, b.top, b.right, b.bottom);
        SelectObject(h, ob);
        SelectObject(h, op);
        DeleteObject(face);
        DeleteObject(pen);
        if (state & DFCS_CHECKED) {
          int c = s / 4;
          HBRUSH dot = CreateSolidBrush(text);
          HGDIOBJ o = SelectObject(h, dot);
          HGDIOBJ np = SelectObject(h, GetStockObject(NULL_PEN));
          Ellipse(h, b.left + c, b.top + c, b.right - c + 1, b.bottom - c + 1);
          SelectObject(h, o);
          SelectObject(h, np);
          DeleteObject(dot);
        }
        return TRUE;
      }
      // Check box.
      int s = std::min(r.right - r.left, r.bottom - r.top);
      RECT b{r.left, r.top, r.left + s, r.top + s};
      if (state & DFCS_FLAT)
        FrameRect(h, &b, GetSysColorBrush(COLOR_BTNSHADOW)), InflateRect(&b, -1, -1);
      else
        DrawEdge(h, &b, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      FillRect(h, &b,
               GetSysColorBrush((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW));
      if (state & DFCS_CHECKED) CheckMark(h, b, text);
      return TRUE;
    }
    case DFC_SCROLL: {
      if (kind == DFCS_SCROLLSIZEGRIP) {
        FillRect(h, &r, GetSysColorBrush(COLOR_BTNFACE));
        for (int i = 0; i < 3; ++i) {
          int o = 4 * i + 2;
          HPEN p1 = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
          HPEN p2 = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
          HGDIOBJ old = SelectObject(h, p1);
          MoveToEx(h, r.right - o - 2, r.bottom, nullptr);
          LineTo(h, r.right, r.bottom - o - 2);
          SelectObject(h, p2);
          MoveToEx(h, r.right - o - 1, r.bottom, nullptr);
          LineTo(h, r.right, r.bottom - o - 1);
          SelectObject(h, old);
          DeleteObject(p1);
          DeleteObject(p2);
        }
        return TRUE;
      }
      PushButton(h, r, state);
      RECT g = r;
      if (state & DFCS_PUSHED) OffsetRect(&g, 1, 1);
      int dir = kind == DFCS_SCROLLUP                                      ? 0
                : (kind == DFCS_SCROLLDOWN || kind == DFCS_SCROLLCOMBOBOX) ? 1
                : kind == DFCS_SCROLLLEFT                                  ? 2
                                                                           : 3;
      if (state & DFCS_INACTIVE) {
        RECT s = g;
        OffsetRect(&s, 1, 1);
        Arrow(h, s, dir, GetSysColor(COLOR_BTNHIGHLIGHT));
      }
      Arrow(h, g, dir, text);
      return TRUE;
    }
    case DFC_CAPTION: {
      PushButton(h, r, state);
      RECT g = r;
      InflateRect(&g, -3, -3);
      if (state & DFCS_PUSHED) OffsetRect(&g, 1, 1);
      HPEN pen = CreatePen(PS_SOLID, 2, text);
      HGDIOBJ old = SelectObject(h, pen);
      switch (kind) {
        case DFCS_CAPTIONCLOSE:
          MoveToEx(h, g.left + 1, g.top + 1, nullptr);
          LineTo(h, g.right - 2, g.bottom - 2);
          MoveToEx(h, g.right - 2, g.top + 1, nullptr);
          LineTo(h, g.left + 1, g.bottom - 2);
          break;
        case DFCS_CAPTIONMIN:
          MoveToEx(h, g.left + 1, g.bottom - 2, nullptr);
          LineTo(h, g.right - 3, g.bottom - 2);
          break;
        case DFCS_CAPTIONMAX: {
          HGDIOBJ nb = SelectObject(h, GetStockObject(NULL_BRUSH));
          Rectangle(h, g.left + 1, g.top + 1, g.right - 1, g.bottom - 1);
          SelectObject(h, nb);
          break;
        }
        case DFCS_CAPTIONRESTORE: {
          // Two windows, the front one lower left.
          int step = std::max(2, (g.right - g.left) / 4);
          HGDIOBJ nb = SelectObject(h, GetStockObject(NULL_BRUSH));
          Rectangle(h, g.left + step, g.top, g.right, g.bottom - step);
          RECT front{g.left, g.top + step, g.right - step, g.bottom};
          FillRect(h, &front, GetSysColorBrush(COLOR_BTNFACE));
          Rectangle(h, g.left, g.top + step, g.right - step, g.bottom);
          SelectObject(h, nb);
          break;
        }
        case DFCS_CAPTIONHELP:
          SetBkMode(h, TRANSPARENT);
          SetTextColor(h, text);
          DrawText(h, "?", 1, &g, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
          break;
      }
      SelectObject(h, old);
      DeleteObject(pen);
      return TRUE;
    }
    case DFC_MENU: {
      FillRect(h, &r, GetSysColorBrush(COLOR_WINDOW));
      if (kind == DFCS_MENUARROW)
        Arrow(h, r, 3, RGB(0, 0, 0));
      else if (kind == DFCS_MENUCHECK)
        CheckMark(h, r, RGB(0, 0, 0));
      else if (kind == DFCS_MENUBULLET) {
        int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        HBRUSH b = CreateSolidBrush(0);
        HGDIOBJ ob = SelectObject(h, b), op = SelectObject(h, GetStockObject(NULL_PEN));
        Ellipse(h, cx - 2, cy - 2, cx + 3, cy + 3);
        SelectObject(h, ob);
        SelectObject(h, op);
        DeleteObject(b);
      }
      return TRUE;
    }
  }
  return FALSE;
}
