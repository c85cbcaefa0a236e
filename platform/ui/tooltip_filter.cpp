#include <map>

#include "platform/ui/commctrl.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/tooltip.h"

namespace mirt_ui {
namespace {

struct Tips {
  HWND control = nullptr;
  INT_PTR lastHit = -1;
  TOOLINFO last{};
};

std::map<HWND, Tips>& All() {
  static auto* m = new std::map<HWND, Tips>;
  return *m;
}

}  // namespace

bool ToolTipsEnabled(HWND owner) { return All().count(owner) != 0; }

HWND ToolTipControlOf(HWND owner) {
  auto it = All().find(owner);
  return it == All().end() ? nullptr : it->second.control;
}

void FilterToolTipMessage(CWnd* owner, MSG* m) {
  if (!owner || !m || !owner->m_hWnd) return;
  auto it = All().find(owner->m_hWnd);
  if (it == All().end()) return;
  Tips& t = it->second;
  if (m->hwnd != owner->m_hWnd && !::IsChild(owner->m_hWnd, m->hwnd)) return;
  bool mouse = m->message == WM_MOUSEMOVE || m->message == WM_LBUTTONDOWN || m->message == WM_RBUTTONDOWN ||
               m->message == WM_MBUTTONDOWN || m->message == WM_LBUTTONUP || m->message == WM_RBUTTONUP;
  if (!mouse) return;
  if (!t.control || !::IsWindow(t.control)) {
    t.control = ::CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASS, "", WS_POPUP, 0, 0, 0, 0,
                                 owner->m_hWnd, nullptr, nullptr, nullptr);
    t.lastHit = -1;
  }
  POINT p{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
  ::MapWindowPoints(m->hwnd, owner->m_hWnd, &p, 1);
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  INT_PTR hit = owner->OnToolHitTest(CPoint(p), &ti);
  if (hit != t.lastHit || (hit != -1 && (ti.hwnd != t.last.hwnd || ti.uId != t.last.uId))) {
    if (t.lastHit != -1) ::SendMessage(t.control, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&t.last));
    if (hit != -1) {
      ::SendMessage(t.control, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
      t.last = ti;
      t.last.lpszText = nullptr;
    }
    t.lastHit = hit;
  }
  // A text the hit test made on the heap is freed here on every hit: the
  // tool keeps a copy of its own.
  if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACK && !IS_INTRESOURCE(ti.lpszText)) free(ti.lpszText);
  ::SendMessage(t.control, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(m));
}

}  // namespace mirt_ui

BOOL CWnd::EnableToolTips(BOOL enable) {
  auto& all = mirt_ui::All();
  auto it = all.find(m_hWnd);
  if (enable) {
    if (it == all.end()) all[m_hWnd] = mirt_ui::Tips{};
    return TRUE;
  }
  if (it != all.end()) {
    if (::IsWindow(it->second.control)) ::DestroyWindow(it->second.control);
    all.erase(it);
  }
  return TRUE;
}

// The child control under the point is the tool, its text asked for.
INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* ti) const {
  HWND child = nullptr;
  for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    ::GetWindowRect(c, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    if (::IsWindowVisible(c) && ::PtInRect(&r, point)) {
      child = c;
      break;
    }
  }
  if (!child || !ti) return -1;
  ti->hwnd = m_hWnd;
  ti->uId = reinterpret_cast<UINT_PTR>(child);
  ti->uFlags |= TTF_IDISHWND;
  ti->lpszText = LPSTR_TEXTCALLBACK;
  return ::GetDlgCtrlID(child);
}
