// Menu bars of top-level windows: a strip at the top of the non-client
// area, drawn by the layer, opened by the mouse, by Alt with an item's
// letter, or by F10; each item's popup is tracked as a popup menu.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/controls_impl.h"
#include "platform/ui/menu_bar_mdi.h"
#include "platform/ui/menu_impl.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {
namespace {

int BarHeight() { return GetSystemMetrics(SM_CYMENU); }

bool HasBar(const Wnd& w) { return !(w.style & WS_CHILD) && GetMenu(w.handle) != nullptr; }

// The bar in window coordinates: above the client area.
RECT BarRect(const Wnd& w) {
  return RECT{w.client.left(), w.client.top() - BarHeight(), w.client.left() + w.client.width(),
              w.client.top()};
}

std::vector<RECT> ItemRects(const Wnd& w, HMENU menu) {
  std::vector<RECT> out;
  MenuObj* m = FindMenu(menu);
  if (!m) return out;
  RECT bar = BarRect(w);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  MdiBarParts mdi = MdiBarPartsOf(w, bar);
  int x = mdi.child ? mdi.icon.right : bar.left;
  for (const MenuItem& it : m->items) {
    RECT r{0, 0, 0, 0};
    std::string label = MenuLabel(it.text);
    DrawText(dc, label.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    int width = (it.type & MF_SEPARATOR) ? 8 : r.right + 16;
    out.push_back(RECT{x, bar.top, x + width, bar.bottom});
    x += width;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return out;
}

void PaintBar(Wnd& w, int hot) {
  HMENU menu = GetMenu(w.handle);
  MenuObj* m = FindMenu(menu);
  if (!m) return;
  HDC dc = GetWindowDC(w.handle);
  RECT bar = BarRect(w);
  FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  std::vector<RECT> rects = ItemRects(w, menu);
  for (size_t i = 0; i < rects.size(); ++i) {
    const MenuItem& it = m->items[i];
    if (it.type & MF_SEPARATOR) continue;
    bool grayed = it.state & (MF_GRAYED | MF_DISABLED);
    if (static_cast<int>(i) == hot) {
      FillRect(dc, &rects[i], GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
      SetTextColor(dc, GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    }
    RECT t = rects[i];
    DrawText(dc, MenuLabel(it.text).c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  SelectObject(dc, old);
  PaintMdiBarParts(dc, MdiBarPartsOf(w, bar));
  ReleaseDC(w.handle, dc);
}

int g_barHot = -1;

// A child window passes the keys of the menu bar up to its top-level
// window: Alt with a letter, F10, a lone Alt and SC_KEYMENU.
bool ForwardToTopLevel(const Wnd& w, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  bool keys = msg == WM_SYSCHAR || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP || msg == WM_SYSCOMMAND;
  if (!(w.style & WS_CHILD) || !keys) return false;
  bool keymenu = msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU;
  bool shiftF10 = wp == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000);  // the context menu stays
  if (msg == WM_SYSCOMMAND && !keymenu) return false;
  if ((msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) && shiftF10) return false;
  HWND root = GetAncestor(w.handle, GA_ROOT);
  if (!root || root == w.handle) return false;
  if (msg == WM_SYSCHAR)
    *result = SendMessage(root, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wp));
  else
    *result = SendMessage(root, msg, wp, lp);
  return true;
}  // the highlighted item of the bar in menu mode

int ItemCount(HWND h) {
  MenuObj* m = FindMenu(GetMenu(h));
  return m ? static_cast<int>(m->items.size()) : 0;
}

// Opens the popup of bar item `index` and tracks it; the result says how
// the popup ended.
BarTrack TrackBarPopup(HWND h, int index, bool keyboard) {
  BarTrack track;
  track.keyboard = keyboard;
  auto w = Find(h);
  HMENU menu = GetMenu(h);
  MenuObj* m = FindMenu(menu);
  if (!w || !m || index < 0 || index >= static_cast<int>(m->items.size())) return track;
  const MenuItem it = m->items[static_cast<size_t>(index)];
  if (it.state & (MF_GRAYED | MF_DISABLED)) {
    track.escaped = true;
    return track;
  }
  PaintBar(*w, index);
  if (it.sub) {
    std::vector<RECT> rects = ItemRects(*w, menu);
    POINT p{rects[static_cast<size_t>(index)].left, rects[static_cast<size_t>(index)].bottom};
    QPoint org = WindowOriginOnScreen(*w);
    // The popup never covers its item: with no room below it opens above.
    TPMPARAMS params{sizeof(TPMPARAMS), rects[static_cast<size_t>(index)]};
    OffsetRect(&params.rcExclude, org.x(), org.y());
    SetBarTrack(&track);
    TrackPopupMenuEx(it.sub, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, org.x() + p.x, org.y() + p.y, h,
                     &params);
    SetBarTrack(nullptr);
  } else if (!(it.type & MF_SEPARATOR)) {
    PostMessage(h, WM_COMMAND, it.id, 0);
  }
  return track;
}

enum class BarKey { kNone, kLeave, kOpen, kLeft, kRight };

// A key in menu mode with no popup open.
BarKey BarKeyOf(HWND h, const MSG& m, int* hot) {
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
    switch (m.wParam) {
      case VK_LEFT:
        return BarKey::kLeft;
      case VK_RIGHT:
        return BarKey::kRight;
      case VK_DOWN:
      case VK_UP:
      case VK_RETURN:
        return BarKey::kOpen;
      case VK_ESCAPE:
      case VK_MENU:
      case VK_F10:
        return BarKey::kLeave;
    }
    return BarKey::kNone;
  }
  MenuObj* menu = FindMenu(GetMenu(h));
  int want = MnemonicOf(std::string("&") + static_cast<char>(m.wParam));
  for (size_t i = 0; menu && want && i < menu->items.size(); ++i)
    if (MnemonicOf(menu->items[i].text) == want) {
      *hot = static_cast<int>(i);
      return BarKey::kOpen;
    }
  return BarKey::kNone;
}

// Menu mode of a window's bar: item `index` highlighted, its popup open
// when `open`. Left and Right move between the bar's menus, Esc closes one
// level, a click elsewhere, Alt or F10 leave.
void RunMenuBar(HWND h, int index, bool open, bool keyboard) {
  int n = ItemCount(h);
  if (n == 0) return;
  SendMessage(h, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(h)), 0);
  int hot = std::clamp(index, 0, n - 1);
  bool leave = false;
  while (!leave && IsWindow(h)) {
    g_barHot = hot;
    if (open) {
      BarTrack track = TrackBarPopup(h, hot, keyboard);
      if (track.step) {
        hot = (hot + track.step + n) % n;
        keyboard = true;
        continue;
      }
      if (!track.escaped) break;  // chosen or dismissed
      open = false;
    }
    auto w = Find(h);
    if (!w) break;
    PaintBar(*w, hot);
    MSG m;
    while (!leave && !open) {
      if (!GetMessage(&m, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(m.wParam));
        leave = true;
        break;
      }
      bool key = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN || m.message == WM_CHAR ||
                 m.message == WM_SYSCHAR;
      if (key) {
        switch (BarKeyOf(h, m, &hot)) {
          case BarKey::kLeave:
            leave = true;
            break;
          case BarKey::kOpen:
            open = keyboard = true;
            break;
          case BarKey::kLeft:
            hot = (hot + n - 1) % n;
            break;
          case BarKey::kRight:
            hot = (hot + 1) % n;
            break;
          case BarKey::kNone:
            break;
        }
        if (auto again = Find(h)) PaintBar(*again, hot);
        g_barHot = hot;
        continue;
      }
      if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP) continue;
      bool press = m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN ||
                   m.message == WM_MBUTTONDOWN || m.message == WM_NCLBUTTONDOWN ||
                   m.message == WM_NCRBUTTONDOWN;
      if (press) {
        // The press ends menu mode and then does what it does.
        DispatchMessage(&m);
        leave = true;
        break;
      }
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
  g_barHot = -1;
  TakeLoneAlt();  // the Alt that left menu mode opens nothing when released
  if (auto w = Find(h)) PaintBar(*w, -1);
}

int ItemAt(const Wnd& w, POINT windowPoint) {
  std::vector<RECT> rects = ItemRects(w, GetMenu(w.handle));
  for (size_t i = 0; i < rects.size(); ++i)
    if (PtInRect(&rects[i], windowPoint)) return static_cast<int>(i);
  return -1;
}

}  // namespace

// Called first by the default window procedure; true when the message
// was the menu bar's.
bool MenuBarMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_NCCALCSIZE:
    case WM_NCHITTEST:
    case WM_NCLBUTTONDOWN:
    case WM_SYSCHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCOMMAND:
      break;
    default:
      return false;
  }
  auto w = Find(h);
  if (!w) return false;
  if (ForwardToTopLevel(*w, msg, wp, lp, result)) return true;
  // Alt+Space: the system menu of a top-level window.
  if (msg == WM_SYSCHAR && wp == ' ' && !(w->style & WS_CHILD) && (w->style & WS_SYSMENU)) {
    QPoint org = WindowOriginOnScreen(*w);
    TrackPopupMenuEx(GetSystemMenu(h, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN, org.x(),
                     org.y() + w->client.top(), h, nullptr);
    *result = 0;
    return true;
  }
  if (!HasBar(*w)) return false;
  switch (msg) {
    case WM_NCCALCSIZE: {
      auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
      if (!p) return false;
      RECT window = p->rgrc[0];
      QRect c = DefaultClientRect(
          w->style, w->exStyle,
          QRect(window.left, window.top, window.right - window.left, window.bottom - window.top));
      p->rgrc[0] = RECT{c.left(), c.top() + BarHeight(), c.left() + c.width(), c.top() + c.height()};
      if (p->rgrc[0].bottom < p->rgrc[0].top) p->rgrc[0].bottom = p->rgrc[0].top;
      *result = 0;
      return true;
    }
    case WM_NCHITTEST: {
      QPoint org = WindowOriginOnScreen(*w);
      POINT p{GET_X_LPARAM(lp) - org.x(), GET_Y_LPARAM(lp) - org.y()};
      RECT bar = BarRect(*w);
      if (!PtInRect(&bar, p)) return false;
      *result = HTMENU;
      return true;
    }
    case WM_NCLBUTTONDOWN:
      if (wp != HTMENU) return false;
      {
        QPoint org = WindowOriginOnScreen(*w);
        POINT p{GET_X_LPARAM(lp) - org.x(), GET_Y_LPARAM(lp) - org.y()};
        if (PressMdiBarPart(h, MdiBarPartsOf(*w, BarRect(*w)), p)) {
          *result = 0;
          return true;
        }
        if (int item = ItemAt(*w, p); item >= 0) RunMenuBar(h, item, true, false);
      }
      *result = 0;
      return true;
    case WM_SYSCHAR: {
      MenuObj* m = FindMenu(GetMenu(h));
      int want = MnemonicOf(std::string("&") + static_cast<char>(wp));
      for (size_t i = 0; m && i < m->items.size(); ++i)
        if (want && MnemonicOf(m->items[i].text) == want) {
          RunMenuBar(h, static_cast<int>(i), true, true);
          *result = 0;
          return true;
        }
      return false;
    }
    case WM_SYSKEYDOWN:
      if (wp != VK_F10 || (GetKeyState(VK_SHIFT) & 0x8000)) return false;
      RunMenuBar(h, 0, false, true);
      *result = 0;
      return true;
    case WM_SYSKEYUP:
      if (wp != VK_MENU || !TakeLoneAlt()) return false;
      RunMenuBar(h, 0, false, true);
      *result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) != SC_KEYMENU) return false;
      if (lp) return MenuBarMessage(h, WM_SYSCHAR, static_cast<WPARAM>(lp), 0, result);
      RunMenuBar(h, 0, false, true);
      *result = 0;
      return true;
  }
  return false;
}

bool MenuBarItemRect(HWND h, HMENU menu, UINT item, RECT* r) {
  auto w = Find(h);
  if (!w || !HasBar(*w) || GetMenu(h) != menu) return false;
  std::vector<RECT> rects = ItemRects(*w, menu);
  if (item >= rects.size()) return false;
  QPoint org = WindowOriginOnScreen(*w);
  *r = rects[item];
  OffsetRect(r, org.x(), org.y());
  return true;
}

std::string MenuStateLine() { return "menu " + std::to_string(g_barHot) + MenuPopupHotItems() + "\n"; }

// After the frame is painted: the bar on top of it.
void PaintMenuBar(HWND h) {
  auto w = Find(h);
  if (w && HasBar(*w)) PaintBar(*w, -1);
}

}  // namespace mirt_ui
