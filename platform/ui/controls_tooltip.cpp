// The tool-tip control: tools by window and rectangle or by window handle,
// texts given, from resources or asked for (TTN_NEEDTEXT), shown after a
// pause over a tool as relayed mouse messages tell.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/controls_impl.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

const UINT_PTR kShowTimer = 1;

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{0, 0, 0, 0};
  HINSTANCE inst = nullptr;
  std::string text;
  bool callback = false;
  UINT_PTR resource = 0;
  LPARAM param = 0;
};

struct TipState {
  std::vector<Tool> tools;
  bool active = true;
  int hover = -1;  // tool under the mouse
  int shown = -1;  // tool whose tip is up
  std::string text;
  int initialDelay = 500;
  int maxWidth = -1;
};

bool Same(const Tool& t, HWND hwnd, UINT_PTR id) { return t.hwnd == hwnd && t.id == id; }

int FindTool(TipState& s, const TOOLINFO* ti) {
  if (!ti) return -1;
  for (size_t i = 0; i < s.tools.size(); ++i)
    if (Same(s.tools[i], ti->hwnd, ti->uId)) return static_cast<int>(i);
  return -1;
}

void Assign(Tool& t, const TOOLINFO* ti) {
  t.flags = ti->uFlags;
  t.hwnd = ti->hwnd;
  t.id = ti->uId;
  t.rect = ti->rect;
  t.inst = ti->hinst;
  t.param = ti->lParam;
  t.callback = ti->lpszText == LPSTR_TEXTCALLBACK;
  t.resource = 0;
  t.text.clear();
  if (t.callback || !ti->lpszText) return;
  if (IS_INTRESOURCE(ti->lpszText))
    t.resource = reinterpret_cast<UINT_PTR>(ti->lpszText);
  else
    t.text = ti->lpszText;
}

void Describe(const Tool& t, TOOLINFO* ti) {
  ti->uFlags = t.flags;
  ti->hwnd = t.hwnd;
  ti->uId = t.id;
  ti->rect = t.rect;
  ti->hinst = t.inst;
  ti->lParam = t.param;
}

// The tool under a point of a window.
int HitTool(TipState& s, HWND w, POINT p) {
  for (size_t i = 0; i < s.tools.size(); ++i) {
    const Tool& t = s.tools[i];
    if (t.flags & TTF_IDISHWND) {
      if (reinterpret_cast<HWND>(t.id) == w) return static_cast<int>(i);
    } else if (t.hwnd == w && PtInRect(&t.rect, p)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string TextOf(HWND tip, const Tool& t) {
  if (t.resource) {
    char buf[512] = {0};
    LoadString(t.inst, static_cast<UINT>(t.resource), buf, sizeof buf);
    return buf;
  }
  if (!t.callback) return t.text;
  NMTTDISPINFO di{};
  di.hdr.hwndFrom = tip;
  di.hdr.idFrom = t.id;
  di.hdr.code = TTN_NEEDTEXT;
  di.uFlags = t.flags;
  di.lParam = t.param;
  if (t.hwnd) SendMessage(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&di));
  if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACK) {
    if (IS_INTRESOURCE(di.lpszText)) {
      char buf[512] = {0};
      LoadString(di.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(di.lpszText)), buf, sizeof buf);
      return buf;
    }
    return di.lpszText;
  }
  return di.szText;
}

void Hide(HWND h, TipState& s) {
  KillTimer(h, kShowTimer);
  if (s.shown >= 0) {
    s.shown = -1;
    ShowWindow(h, SW_HIDE);
  }
}

void ShowTip(HWND h, TipState& s) {
  KillTimer(h, kShowTimer);
  if (!s.active || s.hover < 0 || s.hover >= static_cast<int>(s.tools.size())) return;
  s.text = TextOf(h, s.tools[static_cast<size_t>(s.hover)]);
  if (s.text.empty()) return;
  s.shown = s.hover;
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, ControlFont(h));
  RECT r{0, 0, s.maxWidth > 0 ? s.maxWidth : 0, 0};
  DrawText(dc, s.text.c_str(), -1, &r,
           DT_CALCRECT | DT_NOPREFIX | (s.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  POINT p;
  GetCursorPos(&p);
  SetWindowText(h, s.text.c_str());
  SetWindowPos(h, HWND_TOPMOST, p.x, p.y + 20, r.right + 8, r.bottom + 4, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(h, nullptr, TRUE);
}

void Relay(HWND h, TipState& s, const MSG* m) {
  if (!m) return;
  switch (m->message) {
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
      int hit = HitTool(s, m->hwnd, p);
      if (hit == s.hover) return;
      Hide(h, s);
      s.hover = hit;
      if (hit >= 0 && s.active) SetTimer(h, kShowTimer, static_cast<UINT>(s.initialDelay), nullptr);
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      Hide(h, s);
      return;
  }
}

// A pale yellow box with a black frame around the text.
void PaintTooltip(HWND h, TipState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  HBRUSH bg = CreateSolidBrush(RGB(255, 255, 225));
  FillRect(dc, &r, bg);
  DeleteObject(bg);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HGDIOBJ old = SelectObject(dc, ControlFont(h));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  InflateRect(&r, -4, -2);
  DrawText(dc, s.text.c_str(), -1, &r, DT_NOPREFIX | (s.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

LRESULT CALLBACK TipProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT fontResult;
  if (HandleFontMessage(h, msg, wp, lp, &fontResult)) return fontResult;
  TipState* s;
  LRESULT answered;
  if (PaintedControlMessage(h, msg, wp, lp, &s, &answered, PaintTooltip)) return answered;
  auto* ti = reinterpret_cast<TOOLINFO*>(lp);
  switch (msg) {
    case WM_TIMER:
      if (wp == kShowTimer) ShowTip(h, *s);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case TTM_ADDTOOL: {
      if (!ti) return FALSE;
      int i = FindTool(*s, ti);
      if (i < 0) {
        s->tools.emplace_back();
        i = static_cast<int>(s->tools.size()) - 1;
      }
      Assign(s->tools[static_cast<size_t>(i)], ti);
      return TRUE;
    }
    case TTM_DELTOOL: {
      int i = FindTool(*s, ti);
      if (i < 0) return 0;
      if (i == s->shown || i == s->hover) Hide(h, *s), s->hover = -1;
      s->tools.erase(s->tools.begin() + i);
      return 0;
    }
    case TTM_NEWTOOLRECT: {
      int i = FindTool(*s, ti);
      if (i >= 0) s->tools[static_cast<size_t>(i)].rect = ti->rect;
      return 0;
    }
    case TTM_GETTOOLINFO: {
      int i = FindTool(*s, ti);
      if (i < 0) return FALSE;
      Describe(s->tools[static_cast<size_t>(i)], ti);
      return TRUE;
    }
    case TTM_SETTOOLINFO:
    case TTM_UPDATETIPTEXT: {
      int i = FindTool(*s, ti);
      if (i < 0) return 0;
      Tool& t = s->tools[static_cast<size_t>(i)];
      if (msg == TTM_SETTOOLINFO) {
        Assign(t, ti);
      } else {
        TOOLINFO copy = *ti;
        Describe(t, &copy);
        copy.lpszText = ti->lpszText;
        copy.hinst = ti->hinst;
        Assign(t, &copy);
      }
      if (i == s->shown) ShowTip(h, *s);
      return 0;
    }
    case TTM_GETTEXT: {
      int i = FindTool(*s, ti);
      if (i < 0 || !ti->lpszText) return 0;
      std::string t = TextOf(h, s->tools[static_cast<size_t>(i)]);
      memcpy(ti->lpszText, t.c_str(), t.size() + 1);
      return 0;
    }
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(s->tools.size());
    case TTM_HITTEST: {
      auto* ht = reinterpret_cast<TTHITTESTINFO*>(lp);
      if (!ht) return FALSE;
      int i = HitTool(*s, ht->hwnd, ht->pt);
      if (i < 0) return FALSE;
      Describe(s->tools[static_cast<size_t>(i)], &ht->ti);
      return TRUE;
    }
    case TTM_ACTIVATE:
      s->active = wp != 0;
      if (!s->active) Hide(h, *s);
      return 0;
    case TTM_POP:
      Hide(h, *s);
      return 0;
    case TTM_RELAYEVENT:
      Relay(h, *s, reinterpret_cast<const MSG*>(lp));
      return 0;
    case TTM_SETDELAYTIME:
      if (static_cast<short>(LOWORD(lp)) >= 0) s->initialDelay = static_cast<short>(LOWORD(lp));
      return 0;
    case TTM_SETMAXTIPWIDTH: {
      int old = s->maxWidth;
      s->maxWidth = static_cast<int>(lp);
      return old;
    }
    case TTM_UPDATE:
      if (s->shown >= 0) ShowTip(h, *s);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterTip() { RegisterControlClass(TOOLTIPS_CLASS, TipProc, CS_SAVEBITS, IDC_ARROW); }
const bool kTooltipRegistered = AddSystemClass(&RegisterTip);

}  // namespace
}  // namespace mirt_ui
