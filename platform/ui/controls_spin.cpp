// The spin button (up-down control): a position in a range, a buddy window
// that can show it, UDN_DELTAPOS and scroll messages to the parent.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/ui/controls_impl.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

const char kBuddyProcProp[] = "MirtSpinBuddyProc";
const char kBuddySpinProp[] = "MirtSpinOfBuddy";

struct SpinState {
  int lo = 100, hi = 0;  // the control's own default range runs backwards
  int pos = 0;
  int base = 10;
  HWND buddy = nullptr;
  int pressed = 0;  // +1 up, -1 down, 0 none
  std::vector<UDACCEL> accel{{0, 1}};
};

int Clamp(const SpinState& s, int v) {
  int a = std::min(s.lo, s.hi), b = std::max(s.lo, s.hi);
  return std::clamp(v, a, b);
}

void ShowInBuddy(HWND h, SpinState& s) {
  if (!s.buddy || !(StyleOf(h) & UDS_SETBUDDYINT)) return;
  char buf[40];
  if (s.base == 16)
    snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(s.pos));
  else
    snprintf(buf, sizeof buf, "%d", s.pos);
  SetWindowText(s.buddy, buf);
}

// The buddy's number, when it shows one; false when it does not parse.
bool ReadBuddy(HWND h, SpinState& s) {
  if (!s.buddy || !(StyleOf(h) & UDS_SETBUDDYINT)) return true;
  std::string t = WindowTextOf(s.buddy);
  t.erase(std::remove(t.begin(), t.end(), ','), t.end());
  char* end = nullptr;
  long v = strtol(t.c_str(), &end, s.base == 16 ? 16 : 10);
  if (t.empty() || !end || *end) return false;
  s.pos = Clamp(s, static_cast<int>(v));
  return true;
}

void Step(HWND h, SpinState& s, int direction) {
  ReadBuddy(h, s);
  int delta = direction * static_cast<int>(s.accel.empty() ? 1 : s.accel[0].nInc);
  if (s.lo > s.hi) delta = -delta;  // a backwards range counts down going up
  NMUPDOWN nm{};
  nm.iPos = s.pos;
  nm.iDelta = delta;
  if (NotifyParentNm(h, &nm.hdr, UDN_DELTAPOS)) return;
  if (!IsWindow(h)) return;
  int a = std::min(s.lo, s.hi), b = std::max(s.lo, s.hi);
  int next = s.pos + nm.iDelta;
  if (next < a || next > b) {
    if (StyleOf(h) & UDS_WRAP)
      next = next < a ? b : a;
    else
      next = std::clamp(next, a, b);
  }
  if (next == s.pos) return;
  s.pos = next;
  ShowInBuddy(h, s);
  UINT msg = (StyleOf(h) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
  if (HWND parent = GetParent(h))
    SendMessage(parent, msg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(s.pos)),
                reinterpret_cast<LPARAM>(h));
}

void EndScroll(HWND h) {
  UINT msg = (StyleOf(h) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
  if (HWND parent = GetParent(h))
    SendMessage(parent, msg, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(h));
}

LRESULT CALLBACK BuddyProc(HWND b, UINT msg, WPARAM wp, LPARAM lp) {
  auto old = reinterpret_cast<WNDPROC>(GetProp(b, kBuddyProcProp));
  HWND spin = static_cast<HWND>(GetProp(b, kBuddySpinProp));
  if (msg == WM_KEYDOWN && (wp == VK_UP || wp == VK_DOWN) && spin && IsWindow(spin)) {
    if (auto* s = ControlState<SpinState>(spin)) {
      Step(spin, *s, wp == VK_UP ? 1 : -1);
      return 0;
    }
  }
  if (msg == WM_NCDESTROY) {
    RemoveProp(b, kBuddyProcProp);
    RemoveProp(b, kBuddySpinProp);
    SetWindowLongPtr(b, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  }
  return old ? CallWindowProc(old, b, msg, wp, lp) : DefWindowProc(b, msg, wp, lp);
}

void ReleaseBuddy(HWND h, SpinState& s) {
  if (!s.buddy || !IsWindow(s.buddy)) return;
  if (GetProp(s.buddy, kBuddySpinProp) == h) SetProp(s.buddy, kBuddySpinProp, nullptr);
}

void SetBuddy(HWND h, SpinState& s, HWND buddy) {
  ReleaseBuddy(h, s);
  s.buddy = buddy;
  if (!buddy) return;
  DWORD style = StyleOf(h);
  if (style & UDS_ARROWKEYS) {
    if (!GetProp(buddy, kBuddyProcProp)) {
      SetProp(buddy, kBuddyProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtr(buddy, GWL_WNDPROC)));
      SetWindowLongPtr(buddy, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProc));
    }
    SetProp(buddy, kBuddySpinProp, h);
  }
  if (style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
    RECT br, me;
    GetWindowRect(buddy, &br);
    GetWindowRect(h, &me);
    HWND parent = GetParent(h);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&br), 2);
    int w = me.right - me.left;
    if (style & UDS_ALIGNRIGHT) {
      MoveWindow(buddy, br.left, br.top, std::max<int>(0, br.right - br.left - w), br.bottom - br.top, TRUE);
      MoveWindow(h, br.right - w, br.top, w, br.bottom - br.top, TRUE);
    } else {
      MoveWindow(buddy, br.left + w, br.top, std::max<int>(0, br.right - br.left - w), br.bottom - br.top,
                 TRUE);
      MoveWindow(h, br.left, br.top, w, br.bottom - br.top, TRUE);
    }
  }
  ShowInBuddy(h, s);
}

void PaintSpin(HWND h, SpinState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  bool horz = StyleOf(h) & UDS_HORZ;
  RECT a = r, b = r;
  if (horz) {
    a.right = b.left = (r.left + r.right) / 2;
  } else {
    a.bottom = b.top = (r.top + r.bottom) / 2;
  }
  UINT off = IsWindowEnabled(h) ? 0 : DFCS_INACTIVE;
  DrawFrameControl(
      dc, &a, DFC_SCROLL,
      (horz ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | off | (s.pressed == (horz ? -1 : 1) ? DFCS_PUSHED : 0));
  DrawFrameControl(
      dc, &b, DFC_SCROLL,
      (horz ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | off | (s.pressed == (horz ? 1 : -1) ? DFCS_PUSHED : 0));
  EndPaint(h, &ps);
}

LRESULT CALLBACK SpinProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  SpinState* s;
  LRESULT answered;
  if (PaintedControlMessage(h, msg, wp, lp, &s, &answered, PaintSpin)) return answered;
  switch (msg) {
    case WM_CREATE:
      if (StyleOf(h) & UDS_AUTOBUDDY) SetBuddy(h, *s, GetWindow(h, GW_HWNDPREV));
      return 0;
    case WM_DESTROY:
      ReleaseBuddy(h, *s);
      return DefWindowProc(h, msg, wp, lp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      RECT r;
      GetClientRect(h, &r);
      bool horz = StyleOf(h) & UDS_HORZ;
      bool first = horz ? GET_X_LPARAM(lp) < r.right / 2 : GET_Y_LPARAM(lp) < r.bottom / 2;
      int dir = horz ? (first ? -1 : 1) : (first ? 1 : -1);
      s->pressed = dir;
      SetCapture(h);
      InvalidateRect(h, nullptr, FALSE);
      Step(h, *s, dir);
      return 0;
    }
    case WM_LBUTTONUP:
      if (s->pressed) {
        s->pressed = 0;
        ReleaseCapture();
        InvalidateRect(h, nullptr, FALSE);
        EndScroll(h);
      }
      return 0;
    case UDM_SETRANGE:
      s->hi = static_cast<short>(LOWORD(lp));
      s->lo = static_cast<short>(HIWORD(lp));
      s->pos = Clamp(*s, s->pos);
      return 0;
    case UDM_GETRANGE:
      return MAKELONG(static_cast<WORD>(s->hi), static_cast<WORD>(s->lo));
    case UDM_SETRANGE32:
      s->lo = static_cast<int>(wp);
      s->hi = static_cast<int>(lp);
      s->pos = Clamp(*s, s->pos);
      return 0;
    case UDM_GETRANGE32:
      if (wp) *reinterpret_cast<int*>(wp) = s->lo;
      if (lp) *reinterpret_cast<int*>(lp) = s->hi;
      return 0;
    case UDM_SETPOS: {
      int old = s->pos;
      s->pos = Clamp(*s, static_cast<short>(LOWORD(lp)));
      ShowInBuddy(h, *s);
      return old;
    }
    case UDM_GETPOS: {
      bool ok = ReadBuddy(h, *s);
      return MAKELONG(static_cast<WORD>(s->pos), ok ? 0 : 1);
    }
    case UDM_SETBUDDY: {
      HWND old = s->buddy;
      SetBuddy(h, *s, reinterpret_cast<HWND>(wp));
      return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(s->buddy);
    case UDM_SETBASE: {
      if (wp != 10 && wp != 16) return 0;
      int old = s->base;
      s->base = static_cast<int>(wp);
      ShowInBuddy(h, *s);
      return old;
    }
    case UDM_GETBASE:
      return s->base;
    case UDM_SETACCEL:
      if (!lp || !wp) return FALSE;
      s->accel.assign(reinterpret_cast<UDACCEL*>(lp), reinterpret_cast<UDACCEL*>(lp) + wp);
      return TRUE;
    case UDM_GETACCEL: {
      size_t n = std::min<size_t>(wp, s->accel.size());
      if (lp) std::copy_n(s->accel.begin(), n, reinterpret_cast<UDACCEL*>(lp));
      return static_cast<LRESULT>(s->accel.size());
    }
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterSpin() { RegisterControlClass(UPDOWN_CLASS, SpinProc, CS_DBLCLKS, IDC_ARROW); }
const bool kSpinRegistered = AddSystemClass(&RegisterSpin);

}  // namespace
}  // namespace mirt_ui
