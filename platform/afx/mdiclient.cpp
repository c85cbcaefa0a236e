// The MDI client: a plain window class that keeps the MDI children of a
// frame, the active one and the maximised state, lays them out and keeps
// the window menu's list of children.
#include <algorithm>
#include <map>
#include <vector>

#include "platform/afx/frame_menu.h"
#include "platform/afx/mdi.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui.h"

namespace afx {
namespace {

// The list of children at the end of the window popup: a separator and
// "&1 title", "&2 title", ... with the active child checked.
void WriteWindowList(HMENU menu, UINT idFirst, const std::vector<std::pair<UINT, CString>>& items,
                     UINT activeId) {
  int n = ::GetMenuItemCount(menu);
  for (int i = n - 1; i >= 0; --i) {
    UINT id = ::GetMenuItemID(menu, i);
    if (id >= idFirst && id < idFirst + 0x100) ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
  }
  // A separator we added last time, now at the end, goes too.
  n = ::GetMenuItemCount(menu);
  if (n > 0 && (::GetMenuState(menu, static_cast<UINT>(n - 1), MF_BYPOSITION) & MF_SEPARATOR))
    ::DeleteMenu(menu, static_cast<UINT>(n - 1), MF_BYPOSITION);
  if (items.empty()) return;
  ::AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  int number = 1;
  for (const auto& [id, title] : items) {
    CString text;
    text.Format(number < 10 ? "&%d %s" : "%d %s", number, static_cast<LPCSTR>(title));
    ++number;
    ::AppendMenu(menu, MF_STRING | (id == activeId ? MF_CHECKED : 0), id, text);
  }
}

WindowListWriter g_windowList = WriteWindowList;

struct ClientState {
  HMENU windowMenu = nullptr;
  UINT idFirstChild = AFX_IDM_FIRST_MDICHILD;
  HWND active = nullptr;
  bool maximized = false;
  UINT nextId = 0;
  std::map<HWND, RECT> restore;  // rectangles of maximised children
};

std::map<HWND, ClientState>& States() {
  static std::map<HWND, ClientState> s;
  return s;
}

ClientState* StateOf(HWND client) {
  auto it = States().find(client);
  return it == States().end() ? nullptr : &it->second;
}

bool IsChildFrame(HWND h) { return (::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0; }

// The children in z-order, top first.
std::vector<HWND> Children(HWND client) {
  std::vector<HWND> out;
  for (HWND h = ::GetTopWindow(client); h; h = ::GetNextWindow(h, GW_HWNDNEXT))
    if (IsChildFrame(h)) out.push_back(h);
  return out;
}

RECT ClientArea(HWND client) {
  RECT r;
  ::GetClientRect(client, &r);
  return r;
}

// The frame's menu bar shows the maximised child's icon and buttons.
void RedrawFrameBar(HWND client) { ::DrawMenuBar(::GetParent(client)); }

void Maximize(HWND client, ClientState& s, HWND child) {
  if (!(::GetWindowLong(child, GWL_STYLE) & WS_MAXIMIZE)) {
    RECT w;
    ::GetWindowRect(child, &w);
    ::MapWindowPoints(nullptr, client, reinterpret_cast<LPPOINT>(&w), 2);
    s.restore[child] = w;
  }
  ::SetWindowLong(child, GWL_STYLE, (::GetWindowLong(child, GWL_STYLE) | WS_MAXIMIZE) & ~WS_MINIMIZE);
  // The child's frame and caption lie outside the client area.
  RECT r = ClientArea(client);
  ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLong(child, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLong(child, GWL_EXSTYLE)));
  ::SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessage(child, WM_SIZE, SIZE_MAXIMIZED, 0);
  s.maximized = true;
  RedrawFrameBar(client);
}

void Restore(HWND client, ClientState& s, HWND child) {
  DWORD style = static_cast<DWORD>(::GetWindowLong(child, GWL_STYLE));
  if (!(style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
  ::SetWindowLong(child, GWL_STYLE, style & ~(WS_MAXIMIZE | WS_MINIMIZE));
  auto it = s.restore.find(child);
  if (it != s.restore.end()) {
    RECT r = it->second;
    s.restore.erase(it);
    ::SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::SendMessage(child, WM_SIZE, SIZE_RESTORED, 0);
  if (style & WS_MAXIMIZE) RedrawFrameBar(client);
}

void ArrangeIcons(HWND client);

// A minimised child keeps only its caption, in a row at the bottom.
void Minimize(HWND client, ClientState& s, HWND child) {
  DWORD style = static_cast<DWORD>(::GetWindowLong(child, GWL_STYLE));
  if (style & WS_MINIMIZE) return;
  if (style & WS_MAXIMIZE) {
    Restore(client, s, child);
    s.maximized = false;
  }
  RECT w;
  ::GetWindowRect(child, &w);
  ::MapWindowPoints(nullptr, client, reinterpret_cast<LPPOINT>(&w), 2);
  s.restore[child] = w;
  ::SetWindowLong(child, GWL_STYLE, static_cast<LONG>(::GetWindowLong(child, GWL_STYLE) | WS_MINIMIZE));
  ArrangeIcons(client);
  ::SendMessage(child, WM_SIZE, SIZE_MINIMIZED, 0);
  if (child == s.active) ::SetFocus(child);
}

void RefreshWindowMenu(HWND client, ClientState& s) {
  if (!g_windowList || !s.windowMenu) return;
  std::vector<HWND> kids = Children(client);
  std::sort(kids.begin(), kids.end(), [](HWND a, HWND b) { return ::GetDlgCtrlID(a) < ::GetDlgCtrlID(b); });
  std::vector<std::pair<UINT, CString>> items;
  for (HWND h : kids) {
    if (!::IsWindowVisible(h)) continue;
    char text[256] = {};
    ::GetWindowText(h, text, sizeof text);
    items.emplace_back(static_cast<UINT>(::GetDlgCtrlID(h)), CString(text));
  }
  g_windowList(s.windowMenu, s.idFirstChild, items,
               s.active ? static_cast<UINT>(::GetDlgCtrlID(s.active)) : 0);
}

void Activate(HWND client, ClientState& s, HWND child) {
  if (child == s.active) return;
  HWND old = s.active;
  bool wasMax = old && (::GetWindowLong(old, GWL_STYLE) & WS_MAXIMIZE);
  s.active = child;
  if (old && ::IsWindow(old)) {
    ::SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    ::SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  }
  if (child) {
    ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (wasMax && ::IsWindow(old)) Restore(client, s, old);
    if (wasMax || s.maximized) Maximize(client, s, child);
    ::SendMessage(child, WM_NCACTIVATE, TRUE, 0);
    ::SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    HWND focus = ::GetFocus();
    if (!focus || (focus != child && !::IsChild(child, focus))) ::SetFocus(child);
  }
  RefreshWindowMenu(client, s);
}

HWND NextOf(HWND client, HWND from, bool previous) {
  std::vector<HWND> kids = Children(client);
  kids.erase(std::remove_if(kids.begin(), kids.end(), [](HWND h) { return !::IsWindowVisible(h); }),
             kids.end());
  if (kids.size() < 2) return nullptr;
  auto it = std::find(kids.begin(), kids.end(), from);
  if (it == kids.end()) return kids.front();
  return previous ? kids.back() : (it + 1 == kids.end() ? kids.front() : *(it + 1));
}

void Cascade(HWND client, ClientState& s) {
  std::vector<HWND> kids = Children(client);
  std::reverse(kids.begin(), kids.end());  // the active one ends on top, last
  RECT area = ClientArea(client);
  int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
  int w = (area.right - area.left) * 3 / 4, h = (area.bottom - area.top) * 3 / 4;
  int n = 0;
  for (HWND k : kids) {
    if (!::IsWindowVisible(k) || (::GetWindowLong(k, GWL_STYLE) & WS_MINIMIZE)) continue;
    Restore(client, s, k);
    ::SetWindowPos(k, HWND_TOP, n * step, n * step, w, h, SWP_NOACTIVATE);
    ++n;
  }
  s.maximized = false;
}

void Tile(HWND client, ClientState& s, bool horizontal) {
  std::vector<HWND> kids;
  for (HWND k : Children(client))
    if (::IsWindowVisible(k) && !(::GetWindowLong(k, GWL_STYLE) & WS_MINIMIZE)) kids.push_back(k);
  if (kids.empty()) return;
  RECT area = ClientArea(client);
  int n = static_cast<int>(kids.size());
  int w = area.right - area.left, h = area.bottom - area.top;
  for (int i = 0; i < n; ++i) {
    Restore(client, s, kids[static_cast<size_t>(i)]);
    // Horizontal tiling stacks the children, vertical puts them side by side.
    if (horizontal)
      ::SetWindowPos(kids[static_cast<size_t>(i)], nullptr, 0, h * i / n, w, h * (i + 1) / n - h * i / n,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    else
      ::SetWindowPos(kids[static_cast<size_t>(i)], nullptr, w * i / n, 0, w * (i + 1) / n - w * i / n, h,
                     SWP_NOZORDER | SWP_NOACTIVATE);
  }
  s.maximized = false;
}

void ArrangeIcons(HWND client) {
  RECT area = ClientArea(client);
  int x = 0, w = 160, h = ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME);
  for (HWND k : Children(client)) {
    if (!(::GetWindowLong(k, GWL_STYLE) & WS_MINIMIZE)) continue;
    ::SetWindowPos(k, nullptr, x, area.bottom - h, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    x += w;
  }
}

HWND CreateChild(HWND client, ClientState& s, const MDICREATESTRUCT* mcs) {
  DWORD style = mcs->style | WS_CHILD | WS_CLIPSIBLINGS;
  if (!(::GetWindowLong(client, GWL_STYLE) & MDIS_ALLCHILDSTYLES))
    style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  int x = mcs->x, y = mcs->y, cx = mcs->cx, cy = mcs->cy;
  RECT area = ClientArea(client);
  int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
  int n = static_cast<int>(Children(client).size());
  if (x == CW_USEDEFAULT) x = y = (n % 8) * step;
  if (cx == CW_USEDEFAULT || cx == 0) {
    cx = (area.right - area.left) * 3 / 4;
    cy = (area.bottom - area.top) * 3 / 4;
  }
  UINT id = s.idFirstChild + s.nextId++;
  return ::CreateWindowEx(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, style & ~WS_VISIBLE, x, y, cx, cy,
                          client, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                          static_cast<HINSTANCE>(mcs->hOwner), const_cast<MDICREATESTRUCT*>(mcs));
}

LRESULT CALLBACK ClientProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lp);
      ClientState s;
      if (cs && cs->lpCreateParams) {
        auto* ccs = static_cast<CLIENTCREATESTRUCT*>(cs->lpCreateParams);
        s.windowMenu = static_cast<HMENU>(ccs->hWindowMenu);
        s.idFirstChild = ccs->idFirstChild;
      }
      States()[h] = s;
      return 0;
    }
    case WM_NCDESTROY:
      States().erase(h);
      return ::DefWindowProc(h, msg, wp, lp);
    default:
      break;
  }
  ClientState* s = StateOf(h);
  if (!s) return ::DefWindowProc(h, msg, wp, lp);
  if (s->active && !::IsWindow(s->active)) s->active = nullptr;
  switch (msg) {
    case WM_MDICREATE: {
      auto* mcs = reinterpret_cast<MDICREATESTRUCT*>(lp);
      HWND child = mcs ? CreateChild(h, *s, mcs) : nullptr;
      if (child) {
        ::ShowWindow(child, SW_SHOW);
        Activate(h, *s, child);
      }
      return reinterpret_cast<LRESULT>(child);
    }
    case WM_MDIDESTROY: {
      HWND child = reinterpret_cast<HWND>(wp);
      if (!::IsWindow(child)) return 0;
      if (child == s->active) {
        HWND next = NextOf(h, child, false);
        bool max = s->maximized;
        Activate(h, *s, next);
        s->maximized = max;
      }
      s->restore.erase(child);
      ::DestroyWindow(child);
      RedrawFrameBar(h);
      if (!s->active) {
        std::vector<HWND> kids = Children(h);
        if (!kids.empty()) Activate(h, *s, kids.front());
      }
      RefreshWindowMenu(h, *s);
      return 0;
    }
    case WM_MDIACTIVATE: {
      HWND child = reinterpret_cast<HWND>(wp);
      if (child && ::GetParent(child) == h) Activate(h, *s, child);
      return 0;
    }
    case WM_MDIGETACTIVE:
      if (lp)
        *reinterpret_cast<BOOL*>(lp) =
            s->active && (::GetWindowLong(s->active, GWL_STYLE) & WS_MAXIMIZE) ? TRUE : FALSE;
      return reinterpret_cast<LRESULT>(s->active);
    case WM_MDINEXT: {
      HWND from = wp ? reinterpret_cast<HWND>(wp) : s->active;
      HWND next = NextOf(h, from, lp != 0);
      if (next) {
        Activate(h, *s, next);
        if (!lp && from)
          ::SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_MDIMAXIMIZE: {
      HWND child = reinterpret_cast<HWND>(wp);
      if (child && child != s->active) Activate(h, *s, child);
      if (child) Maximize(h, *s, child);
      return 0;
    }
    case WM_MDIRESTORE: {
      HWND child = reinterpret_cast<HWND>(wp);
      if (child) Restore(h, *s, child);
      s->maximized = false;
      return 0;
    }
    case WM_MDICASCADE:
      Cascade(h, *s);
      return TRUE;
    case WM_MDITILE:
      Tile(h, *s, (wp & MDITILE_HORIZONTAL) != 0);
      return TRUE;
    case WM_MDIICONARRANGE:
      ArrangeIcons(h);
      return 0;
    case kMDIMinimize:
      if (HWND child = reinterpret_cast<HWND>(wp); child && ::GetParent(child) == h) Minimize(h, *s, child);
      return 0;
    case WM_MDISETMENU: {
      HWND frame = ::GetParent(h);
      HMENU old = FrameMenus().get(frame);
      // The same menu again changes nothing of the frame (no new layout).
      if (wp && reinterpret_cast<HMENU>(wp) != old) FrameMenus().set(frame, reinterpret_cast<HMENU>(wp));
      if (lp) s->windowMenu = reinterpret_cast<HMENU>(lp);
      RefreshWindowMenu(h, *s);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_MDIREFRESHMENU:
      RefreshWindowMenu(h, *s);
      return reinterpret_cast<LRESULT>(FrameMenus().get(::GetParent(h)));
    case WM_SIZE:
      if (s->active && (::GetWindowLong(s->active, GWL_STYLE) & WS_MAXIMIZE)) Maximize(h, *s, s->active);
      return 0;
    case WM_PARENTNOTIFY:
      if (LOWORD(wp) == WM_DESTROY && reinterpret_cast<HWND>(lp) == s->active) s->active = nullptr;
      return 0;
    default:
      return ::DefWindowProc(h, msg, wp, lp);
  }
}

}  // namespace

LPCSTR MDIClientClass() {
  static bool registered = [] {
    WNDCLASS wc{};
    wc.lpfnWndProc = ClientProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    wc.lpszClassName = "MDICLIENT";
    WNDCLASS existing;
    if (!::GetClassInfo(nullptr, "MDICLIENT", &existing)) ::RegisterClass(&wc);
    return true;
  }();
  (void)registered;
  return "MDICLIENT";
}

void SetWindowListWriter(WindowListWriter writer) { g_windowList = writer; }

}  // namespace afx

BOOL TranslateMDISysAccel(HWND client, LPMSG msg) {
  if (!client || !msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  if (!(::GetKeyState(VK_CONTROL) & 0x8000) || (::GetKeyState(VK_MENU) & 0x8000)) return FALSE;
  // A frame disabled under a modal dialog closes and switches no children.
  if (HWND frame = ::GetParent(client); frame && !::IsWindowEnabled(frame)) return FALSE;
  WPARAM command = 0;
  if (msg->wParam == VK_F4)
    command = SC_CLOSE;
  else if (msg->wParam == VK_F6)
    command = (::GetKeyState(VK_SHIFT) & 0x8000) ? SC_PREVWINDOW : SC_NEXTWINDOW;
  HWND active = reinterpret_cast<HWND>(::SendMessage(client, WM_MDIGETACTIVE, 0, 0));
  if (!command || !active || !::IsWindowEnabled(active)) return FALSE;
  ::SendMessage(active, WM_SYSCOMMAND, command, MAKELPARAM('-', 0));
  return TRUE;
}
