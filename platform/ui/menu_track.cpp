// Popup menus: the popup windows of the layer (class "#32768"), their
// layout and drawing (owner-drawn items measured and drawn by the owner),
// and the modal tracking loop, answered by a test when one scripted it.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/charcase.h"
#include "platform/ui/hooks.h"
#include "platform/ui/gdi.h"
#include "platform/ui/controls_impl.h"
#include "platform/ui/menu_impl.h"
#include "platform/ui/modal.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

const char kPopupClass[] = "#32768";
const char kLevelProp[] = "MirtMenuLevel";
const int kGutter = 18;

struct Level {
  HMENU menu = nullptr;
  HWND wnd = nullptr;
  int hot = -1;
  std::vector<RECT> rects;  // client coordinates of each item
};

struct Tracker {
  HWND owner = nullptr;
  std::vector<Level> levels;
  UINT chosen = 0;
  bool done = false;
  BarTrack* bar = nullptr;  // a menu bar's popup
};

Tracker* g_active = nullptr;
BarTrack* g_nextBar = nullptr;

HFONT MenuFont(bool bold) {
  static HFONT normal = nullptr, heavy = nullptr;
  if (!normal) {
    LOGFONT lf{};
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    normal = CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    heavy = CreateFontIndirect(&lf);
  }
  return bold ? heavy : normal;
}

bool Selectable(const MenuItem& it) {
  return !(it.type & MF_SEPARATOR) && !(it.state & (MF_GRAYED | MF_DISABLED));
}

SIZE MeasureItem(HWND owner, HDC dc, const MenuItem& it) {
  if (it.type & MF_SEPARATOR) return SIZE{0, 8};
  if (it.type & MF_OWNERDRAW) {
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, it.id, 0, 0, it.data};
    if (owner) SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    return SIZE{static_cast<LONG>(mis.itemWidth) + 2 * kGutter, static_cast<LONG>(mis.itemHeight)};
  }
  SelectObject(dc, MenuFont(it.state & MF_DEFAULT));
  std::string label = MenuLabel(it.text), accel = MenuAccelText(it.text);
  RECT r{0, 0, 0, 0};
  DrawText(dc, label.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
  int w = r.right;
  if (!accel.empty()) {
    RECT a{0, 0, 0, 0};
    DrawText(dc, accel.c_str(), -1, &a, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    w += a.right + 24;
  }
  return SIZE{w + 2 * kGutter, std::max<LONG>(r.bottom + 4, 18)};
}

// Lays the items out; returns the window size.
SIZE Layout(HWND owner, Level& lv) {
  MenuObj* m = FindMenu(lv.menu);
  lv.rects.clear();
  if (!m) return SIZE{10, 10};
  HDC dc = CreateCompatibleDC(nullptr);
  std::vector<SIZE> sizes;
  int width = 80;
  for (const MenuItem& it : m->items) {
    sizes.push_back(MeasureItem(owner, dc, it));
    width = std::max<int>(width, sizes.back().cx);
  }
  DeleteDC(dc);
  int y = 0;
  for (const SIZE& s : sizes) {
    lv.rects.push_back(RECT{0, y, width, y + s.cy});
    y += s.cy;
  }
  return SIZE{width + 6, y + 6};
}

void DrawCheck(HDC dc, const RECT& r, bool radio) {
  int cx = (r.left + r.left + kGutter) / 2, cy = (r.top + r.bottom) / 2;
  if (radio) {
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
    SelectObject(dc, old);
    return;
  }
  for (int i = 0; i < 3; ++i) {
    MoveToEx(dc, cx - 4, cy - 1 + i, nullptr);
    LineTo(dc, cx - 1, cy + 2 + i);
    LineTo(dc, cx + 5, cy - 4 + i);
  }
}

void DrawArrow(HDC dc, const RECT& r) {
  int x = r.right - 10, y = (r.top + r.bottom) / 2;
  POINT p[3] = {{x, y - 4}, {x + 4, y}, {x, y + 4}};
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Polygon(dc, p, 3);
  SelectObject(dc, oldBrush);
}

void PaintItem(HWND owner, HMENU menu, HDC dc, const MenuItem& it, RECT r, bool hot) {
  if (it.type & MF_SEPARATOR) {
    RECT line{r.left + 1, (r.top + r.bottom) / 2 - 1, r.right - 1, (r.top + r.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  bool grayed = it.state & (MF_GRAYED | MF_DISABLED);
  if (it.type & MF_OWNERDRAW) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = it.id;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState =
        (hot ? ODS_SELECTED : 0) | (grayed ? ODS_GRAYED : 0) | ((it.state & MF_CHECKED) ? ODS_CHECKED : 0);
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = dc;
    dis.rcItem = r;
    dis.itemData = it.data;
    if (owner) SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    return;
  }
  FillRect(dc, &r, GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_MENU));
  COLORREF color = GetSysColor(grayed ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  SetTextColor(dc, color);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  if (it.state & MF_CHECKED) DrawCheck(dc, r, it.type & MFT_RADIOCHECK);
  if (it.sub) DrawArrow(dc, r);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, MenuFont(it.state & MF_DEFAULT));
  RECT t{r.left + kGutter, r.top, r.right - kGutter, r.bottom};
  DrawText(dc, MenuLabel(it.text).c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER);
  std::string accel = MenuAccelText(it.text);
  if (!accel.empty())
    DrawText(dc, accel.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

LRESULT CALLBACK PopupProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT c;
      GetClientRect(h, &c);
      FillRect(dc, &c, GetSysColorBrush(COLOR_MENU));
      RECT edge = c;
      DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
      auto* lv = static_cast<Level*>(GetProp(h, kLevelProp));
      MenuObj* m = lv ? FindMenu(lv->menu) : nullptr;
      if (m) {
        SetViewportOrgEx(dc, 3, 3, nullptr);
        for (size_t i = 0; i < m->items.size() && i < lv->rects.size(); ++i)
          PaintItem(g_active ? g_active->owner : nullptr, lv->menu, dc, m->items[i], lv->rects[i],
                    static_cast<int>(i) == lv->hot);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterPopupClass() {
  WNDCLASS wc{};
  wc.style = CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = PopupProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kPopupClass;
  RegisterClass(&wc);
}
const bool kMenuTrackRegistered = AddSystemClass(&RegisterPopupClass);

void Notify(Tracker& t, UINT msg, WPARAM wp, LPARAM lp) {
  if (t.owner && IsWindow(t.owner)) SendMessage(t.owner, msg, wp, lp);
}

// Keeps a popup of size sz at (x, y) on the work area and off `exclude`
// (the bar item it drops from): it goes above or below the rectangle
// (TPM_VERTICAL) or beside it, where there is room.
POINT PlacePopup(int x, int y, SIZE sz, UINT flags, const RECT* exclude) {
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  x = std::max<int>(work.left, std::min<int>(x, work.right - sz.cx));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - sz.cy));
  RECT placed{x, y, x + sz.cx, y + sz.cy}, overlap;
  if (exclude && IntersectRect(&overlap, &placed, exclude)) {
    if (flags & TPM_VERTICAL)
      y = exclude->bottom + sz.cy <= work.bottom ? exclude->bottom
                                                 : std::max<int>(work.top, exclude->top - sz.cy);
    else
      x = exclude->right + sz.cx <= work.right ? exclude->right
                                               : std::max<int>(work.left, exclude->left - sz.cx);
  }
  return POINT{x, y};
}

void OpenLevel(Tracker& t, HMENU menu, int x, int y, UINT flags, int index, bool notify,
               const RECT* exclude = nullptr) {
  if (notify && !(flags & TPM_NONOTIFY))
    Notify(t, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(index, FALSE));
  t.levels.push_back(Level{menu, nullptr, -1, {}});
  Level& lv = t.levels.back();
  SIZE sz = Layout(t.owner, lv);
  if (flags & TPM_RIGHTALIGN)
    x -= sz.cx;
  else if (flags & TPM_CENTERALIGN)
    x -= sz.cx / 2;
  if (flags & TPM_BOTTOMALIGN)
    y -= sz.cy;
  else if (flags & TPM_VCENTERALIGN)
    y -= sz.cy / 2;
  POINT at = PlacePopup(x, y, sz, flags, exclude);
  x = at.x;
  y = at.y;
  lv.wnd = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, "", WS_POPUP, x, y, sz.cx, sz.cy,
                          nullptr, nullptr, nullptr, nullptr);
  for (Level& l : t.levels)
    if (l.wnd) SetProp(l.wnd, kLevelProp, &l);
  SetWindowPos(lv.wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(lv.wnd);
}

void CloseFrom(Tracker& t, size_t depth) {
  while (t.levels.size() > depth) {
    HWND w = t.levels.back().wnd;
    t.levels.pop_back();
    if (IsWindow(w)) {
      RemoveProp(w, kLevelProp);
      DestroyWindow(w);
    }
  }
  // The props point into the vector; keep them current.
  for (Level& lv : t.levels) SetProp(lv.wnd, kLevelProp, &lv);
}

void SetHot(Tracker& t, size_t depth, int hot) {
  Level& lv = t.levels[depth];
  if (lv.hot == hot) return;
  lv.hot = hot;
  InvalidateRect(lv.wnd, nullptr, FALSE);
  MenuObj* m = FindMenu(lv.menu);
  if (!m || hot < 0) return;
  const MenuItem& it = m->items[static_cast<size_t>(hot)];
  UINT flags = it.type | it.state | (it.sub ? MF_POPUP : 0) | MF_HILITE;
  WPARAM item = it.sub ? static_cast<WPARAM>(hot) : it.id;
  Notify(t, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(lv.menu));
}

void OpenSub(Tracker& t, size_t depth) {
  Level& lv = t.levels[depth];
  MenuObj* m = FindMenu(lv.menu);
  if (!m || lv.hot < 0) return;
  const MenuItem& it = m->items[static_cast<size_t>(lv.hot)];
  if (!it.sub || !Selectable(it)) return;
  CloseFrom(t, depth + 1);
  RECT wr;
  GetWindowRect(t.levels[depth].wnd, &wr);
  const RECT& r = t.levels[depth].rects[static_cast<size_t>(t.levels[depth].hot)];
  OpenLevel(t, it.sub, wr.right - 3, wr.top + r.top, 0, t.levels[depth].hot, true);
}

// The level and item under a screen point; false outside every popup.
bool HitTest(Tracker& t, POINT screen, size_t* depth, int* item) {
  for (size_t d = t.levels.size(); d-- > 0;) {
    RECT wr;
    GetWindowRect(t.levels[d].wnd, &wr);
    if (!PtInRect(&wr, screen)) continue;
    *depth = d;
    *item = -1;
    POINT p{screen.x - wr.left - 3, screen.y - wr.top - 3};
    for (size_t i = 0; i < t.levels[d].rects.size(); ++i)
      if (PtInRect(&t.levels[d].rects[i], p)) *item = static_cast<int>(i);
    return true;
  }
  return false;
}

void Choose(Tracker& t, size_t depth) {
  Level& lv = t.levels[depth];
  MenuObj* m = FindMenu(lv.menu);
  if (!m || lv.hot < 0) return;
  const MenuItem& it = m->items[static_cast<size_t>(lv.hot)];
  if (!Selectable(it)) return;
  if (it.sub) return OpenSub(t, depth);
  t.chosen = it.id;
  t.done = true;
}

void MoveHot(Tracker& t, int dir) {
  size_t d = t.levels.size() - 1;
  MenuObj* m = FindMenu(t.levels[d].menu);
  if (!m || m->items.empty()) return;
  int n = static_cast<int>(m->items.size());
  int i = t.levels[d].hot;
  for (int k = 0; k < n; ++k) {
    i = ((i < 0 ? (dir > 0 ? -1 : 0) : i) + dir + n) % n;
    if (!(m->items[static_cast<size_t>(i)].type & MF_SEPARATOR)) break;
  }
  SetHot(t, d, i);
}

bool Mnemonic(Tracker& t, int ch) {
  size_t d = t.levels.size() - 1;
  MenuObj* m = FindMenu(t.levels[d].menu);
  if (!m) return false;
  int want = mirt::ToUpper1252(static_cast<unsigned char>(ch));
  for (size_t i = 0; i < m->items.size(); ++i)
    if (MnemonicOf(m->items[i].text) == want) {
      SetHot(t, d, static_cast<int>(i));
      Choose(t, d);
      return true;
    }
  return false;
}

void RunLoop(Tracker& t) {
  SetCapture(t.levels[0].wnd);
  while (!t.done && !t.levels.empty()) {
    MSG m;
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (CallMsgFilter(&m, MSGF_MENU)) continue;
    if (GetCapture() != t.levels[0].wnd && m.message != WM_PAINT && m.message != WM_TIMER) {
      if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) break;
      SetCapture(t.levels[0].wnd);
    }
    if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
      POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(m.hwnd, &p);
      size_t depth;
      int item;
      bool inside = HitTest(t, p, &depth, &item);
      if (m.message == WM_MOUSEMOVE && inside) {
        CloseFrom(t, depth + 1);
        SetHot(t, depth, item);
        OpenSub(t, depth);
      } else if (m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP) {
        if (inside && item >= 0) {
          SetHot(t, depth, item);
          Choose(t, depth);
        }
      } else if ((m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN) && !inside) {
        break;
      }
      continue;
    }
    if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
      size_t d = t.levels.size() - 1;
      switch (m.wParam) {
        case VK_UP:
          MoveHot(t, -1);
          break;
        case VK_DOWN:
          MoveHot(t, 1);
          break;
        case VK_RIGHT:
          OpenSub(t, d);
          if (t.levels.size() > d + 1) {
            MoveHot(t, 1);
          } else if (t.bar) {
            t.bar->step = 1;
            t.done = true;
          }
          break;
        case VK_LEFT:
          if (d > 0) {
            CloseFrom(t, d);
          } else if (t.bar) {
            t.bar->step = -1;
            t.done = true;
          }
          break;
        case VK_RETURN:
          Choose(t, d);
          break;
        case VK_ESCAPE:
          if (d > 0) {
            CloseFrom(t, d);
          } else {
            if (t.bar) t.bar->escaped = true;
            t.done = true;
          }
          break;
        case VK_MENU:
        case VK_F10:
          t.done = true;
          break;
        default:
          TranslateMessage(&m);  // a letter comes back as WM_CHAR: the item's mnemonic
          break;
      }
      continue;
    }
    if (m.message == WM_CHAR || m.message == WM_SYSCHAR) {
      Mnemonic(t, static_cast<int>(m.wParam));
      continue;
    }
    if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (GetCapture() == (t.levels.empty() ? nullptr : t.levels[0].wnd)) ReleaseCapture();
}

// A scripted answer counts only for an enabled command of the menu.
bool IsChoosable(HMENU menu, UINT id) {
  HMENU owner = nullptr;
  MenuItem* it = FindItem(menu, id, false, &owner);
  if (!it || it->sub || !Selectable(*it)) return false;
  return true;
}

bool IsSystemMenu(HWND w, HMENU menu) { return w && GetSystemMenu(w, FALSE) == menu; }

}  // namespace
}  // namespace mirt_ui

using namespace mirt_ui;

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
  if (!FindMenu(menu) || g_active) return FALSE;
  RegisterSystemClasses();
  Tracker t;
  t.owner = owner;
  t.bar = std::exchange(g_nextBar, nullptr);
  t.levels.reserve(16);
  Tracker* saved = g_active;
  g_active = &t;
  bool notify = !(flags & TPM_NONOTIFY);
  if (notify) Notify(t, WM_ENTERMENULOOP, TRUE, 0);
  OpenLevel(t, menu, x, y, flags, 0, notify, params ? &params->rcExclude : nullptr);
  if (t.bar && t.bar->keyboard) MoveHot(t, 1);
  UINT answer = 0;
  if (TakeMenuAnswer(menu, &answer)) {
    t.chosen = answer && IsChoosable(menu, answer) ? answer : 0;
  } else if (plat::IsHeadless()) {
    ReportHeadless("menu", MenuSummary(menu), "0");
  } else {
    RunLoop(t);
  }
  CloseFrom(t, 0);
  g_active = saved;
  if (notify) {
    Notify(t, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(t, WM_EXITMENULOOP, TRUE, 0);
  }
  RecordModal("menu", MenuSummary(menu), t.chosen);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(t.chosen);
  if (t.chosen && owner && !(flags & TPM_NONOTIFY)) {
    if (IsSystemMenu(owner, menu))
      PostMessage(owner, WM_SYSCOMMAND, t.chosen, 0);
    else
      PostMessage(owner, WM_COMMAND, t.chosen, 0);
  }
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
  if (!g_active) return FALSE;
  g_active->done = true;
  PostMessage(nullptr, WM_NULL, 0, 0);
  return TRUE;
}

namespace mirt_ui {

void SetBarTrack(BarTrack* track) { g_nextBar = track; }

std::string MenuPopupHotItems() {
  std::string out;
  if (g_active)
    for (const Level& lv : g_active->levels) out += " " + std::to_string(lv.hot);
  return out;
}

}  // namespace mirt_ui

BOOL GetMenuItemRect(HWND h, HMENU menu, UINT item, LPRECT r) {
  if (r && h && MenuBarItemRect(h, menu, item, r)) return TRUE;
  if (!g_active || !r) return FALSE;
  for (Level& lv : g_active->levels) {
    if (lv.menu != menu || item >= lv.rects.size()) continue;
    RECT wr;
    GetWindowRect(lv.wnd, &wr);
    *r = lv.rects[item];
    OffsetRect(r, wr.left + 3, wr.top + 3);
    return TRUE;
  }
  return FALSE;
}
