// The button control: push buttons, check boxes, radio buttons, group
// boxes and owner-drawn buttons.
#include <QRegion>
#include <QWidget>

#include "platform/ui/controls_impl.h"
#include "platform/ui/system_classes.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {
namespace {

struct ButtonState {
  int check = BST_UNCHECKED;
  bool pushed = false;  // drawn pressed (mouse or space held)
  bool tracking = false;
  bool spaceDown = false;
  HANDLE image = nullptr;
};

UINT TypeOf(HWND h) { return static_cast<UINT>(GetWindowLong(h, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckType(UINT t) {
  return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}
bool IsRadioType(UINT t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }
bool IsPushType(UINT t) { return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON; }

void DrawOwner(HWND h, HDC dc, ButtonState& s) {
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
  dis.itemAction = ODA_DRAWENTIRE;
  if (s.pushed) dis.itemState |= ODS_SELECTED;
  if (GetFocus() == h) dis.itemState |= ODS_FOCUS;
  if (!IsWindowEnabled(h)) dis.itemState |= ODS_DISABLED;
  dis.hwndItem = h;
  dis.hDC = dc;
  GetClientRect(h, &dis.rcItem);
  SendMessage(NotifyTarget(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void DrawPush(HWND h, HDC dc, ButtonState& s, const std::string& text, bool enabled, bool focused) {
  RECT r;
  GetClientRect(h, &r);
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  if (TypeOf(h) == BS_DEFPUSHBUTTON) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  bool down = s.pushed || ((style & BS_PUSHLIKE) && s.check == BST_CHECKED);
  RECT face = r;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  RECT t = r;
  InflateRect(&t, -4, -3);
  if (down) OffsetRect(&t, 1, 1);
  UINT fmt = DT_CENTER | DT_VCENTER | (style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawControlText(dc, text, &t, fmt, enabled);
  if (focused) {
    RECT f = r;
    InflateRect(&f, -3, -3);
    DrawFocusRect(dc, &f);
  }
}

void DrawCheck(HWND h, HDC dc, ButtonState& s, const std::string& text, bool enabled, bool focused) {
  RECT r;
  GetClientRect(h, &r);
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  const int box = 13;
  bool leftText = style & BS_LEFTTEXT;
  int top = (r.top + r.bottom - box) / 2;
  RECT b =
      leftText ? RECT{r.right - box, top, r.right, top + box} : RECT{r.left, top, r.left + box, top + box};
  UINT state = IsRadioType(TypeOf(h)) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (s.check == BST_CHECKED) state |= DFCS_CHECKED;
  if (s.check == BST_INDETERMINATE) state |= DFCS_CHECKED | DFCS_INACTIVE;
  if (s.pushed) state |= DFCS_PUSHED;
  if (!enabled) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &b, DFC_BUTTON, state);
  RECT t = r;
  if (leftText)
    t.right -= box + 4;
  else
    t.left += box + 4;
  UINT fmt = (style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
  RECT calc = t;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &calc, fmt | DT_CALCRECT);
  DrawControlText(dc, text, &t, fmt, enabled);
  if (focused && !text.empty()) {
    int h2 = calc.bottom - calc.top;
    RECT f{t.left - 1, (t.top + t.bottom - h2) / 2 - 1, t.left + (calc.right - calc.left) + 1,
           (t.top + t.bottom + h2) / 2 + 1};
    DrawFocusRect(dc, &f);
  }
}

void DrawGroup(HWND h, HDC dc, const std::string& text, bool enabled) {
  RECT r;
  GetClientRect(h, &r);
  SIZE sz{};
  GetTextExtentPoint32(dc, "X", 1, &sz);
  RECT frame = r;
  frame.top += sz.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT t{r.left + 8, r.top, r.right - 8, r.top + sz.cy};
  RECT calc = t;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &calc, DT_SINGLELINE | DT_CALCRECT);
  RECT back{t.left - 2, t.top, calc.right + 2, t.bottom};
  HBRUSH bg = reinterpret_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  FillRect(dc, &back, bg);
  DrawControlText(dc, text, &t, DT_SINGLELINE, enabled);
}

// A group box shows only its frame and caption: the controls inside it,
// lower in the z-order, show through.
void UpdateGroupMask(HWND h) {
  QWidget* w = WidgetOf(h);
  if (!w || TypeOf(h) != BS_GROUPBOX) return;
  RECT r;
  GetClientRect(h, &r);
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, ControlFont(h));
  std::string text = WindowTextOf(h);
  SIZE sz{};
  GetTextExtentPoint32(dc, text.empty() ? "X" : text.c_str(),
                       text.empty() ? 1 : static_cast<int>(text.size()), &sz);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  int top = sz.cy / 2;
  QRegion outer(r.left, r.top + top, r.right - r.left, r.bottom - r.top - top);
  QRegion inner(r.left + 2, r.top + top + 2, r.right - r.left - 4, r.bottom - r.top - top - 4);
  QRegion shape = outer.subtracted(inner);
  if (!text.empty()) shape += QRegion(r.left + 6, r.top, sz.cx + 4, sz.cy);
  w->setMask(shape);
}

void PaintButton(HWND h, ButtonState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  UINT type = TypeOf(h);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(h));
  if (type == BS_OWNERDRAW) {
    DrawOwner(h, dc, s);
  } else {
    HBRUSH bg = ControlColors(h, dc, IsPushType(type) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
    RECT r;
    GetClientRect(h, &r);
    if (!IsPushType(type)) FillRect(dc, &r, bg);
    HGDIOBJ oldBrush = SelectObject(dc, bg);
    std::string text = WindowTextOf(h);
    bool enabled = IsWindowEnabled(h);
    bool focused = GetFocus() == h;
    DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    if (type == BS_GROUPBOX)
      DrawGroup(h, dc, text, enabled);
    else if (IsPushType(type) || (style & BS_PUSHLIKE))
      DrawPush(h, dc, s, text, enabled, focused);
    else
      DrawCheck(h, dc, s, text, enabled, focused);
    SelectObject(dc, oldBrush);
  }
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

void SetPushed(HWND h, ButtonState& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  InvalidateRect(h, nullptr, FALSE);
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  if (style & BS_NOTIFY) NotifyParent(h, pushed ? BN_HILITE : BN_UNHILITE);
}

// Radio buttons of the group of `h` (between WS_GROUP marks).
void UncheckGroupSiblings(HWND h) {
  HWND parent = GetParent(h);
  if (!parent) return;
  HWND start = h;
  while (!(GetWindowLong(start, GWL_STYLE) & WS_GROUP)) {
    HWND prev = GetWindow(start, GW_HWNDPREV);
    if (!prev) break;
    start = prev;
  }
  for (HWND c = start; c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c != start && (GetWindowLong(c, GWL_STYLE) & WS_GROUP)) break;
    if (c != h && TypeOf(c) == BS_AUTORADIOBUTTON) SendMessage(c, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND h, ButtonState& s) {
  UINT type = TypeOf(h);
  switch (type) {
    case BS_AUTOCHECKBOX:
      SendMessage(h, BM_SETCHECK, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTO3STATE:
      SendMessage(h, BM_SETCHECK, (s.check + 1) % 3, 0);
      break;
    case BS_AUTORADIOBUTTON:
      SendMessage(h, BM_SETCHECK, BST_CHECKED, 0);
      UncheckGroupSiblings(h);
      break;
  }
  NotifyParent(h, BN_CLICKED);
}

UINT DialogCode(HWND h) {
  switch (TypeOf(h)) {
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
      return DLGC_STATIC;
    default:
      return DLGC_BUTTON;
  }
}

LRESULT CALLBACK ButtonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT fontResult;
  if (HandleFontMessage(h, msg, wp, lp, &fontResult)) {
    if (msg == WM_SETFONT) UpdateGroupMask(h);
    return fontResult;
  }
  ButtonState* s;
  LRESULT answered;
  if (PaintedControlMessage(h, msg, wp, lp, &s, &answered, PaintButton)) return answered;
  switch (msg) {
    case WM_GETDLGCODE:
      return DialogCode(h);
    case BM_GETCHECK:
      return s->check;
    case BM_SETCHECK: {
      UINT type = TypeOf(h);
      int v = static_cast<int>(wp);
      if (v == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) v = BST_CHECKED;
      if (!IsCheckType(type) && !IsRadioType(type) && !(GetWindowLong(h, GWL_STYLE) & BS_PUSHLIKE)) return 0;
      if (s->check != v) {
        s->check = v;
        if (IsRadioType(type)) {
          // A checked radio button is the one reached by the tab key.
          LONG style = GetWindowLong(h, GWL_STYLE);
          SetWindowLong(h, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
        }
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    }
    case BM_GETSTATE:
      return s->check | (s->pushed ? BST_PUSHED : 0) | (GetFocus() == h ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(h, *s, wp != 0);
      return 0;
    case BM_SETSTYLE: {
      LONG style = GetWindowLong(h, GWL_STYLE);
      SetWindowLong(h, GWL_STYLE, (style & ~0xFFFF) | static_cast<LONG>(LOWORD(wp)));
      if (LOWORD(lp)) InvalidateRect(h, nullptr, FALSE);
      return 0;
    }
    case BM_CLICK:
      if (!IsWindowEnabled(h)) return 0;
      SetPushed(h, *s, true);
      SetPushed(h, *s, false);
      Click(h, *s);
      return 0;
    case BM_SETIMAGE: {
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(lp);
      InvalidateRect(h, nullptr, FALSE);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE:
      return reinterpret_cast<LRESULT>(s->image);
    case WM_LBUTTONDBLCLK: {
      UINT type = TypeOf(h);
      if (IsRadioType(type) || type == BS_OWNERDRAW || (GetWindowLong(h, GWL_STYLE) & BS_NOTIFY)) {
        NotifyParent(h, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    }
    case WM_LBUTTONDOWN:
      if (TypeOf(h) == BS_GROUPBOX) return 0;
      if (GetFocus() != h) SetFocus(h);
      SetCapture(h);
      s->tracking = true;
      SetPushed(h, *s, true);
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking) {
        RECT r;
        GetClientRect(h, &r);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        SetPushed(h, *s, PtInRect(&r, p));
      }
      return 0;
    case WM_LBUTTONUP:
      if (s->tracking) {
        s->tracking = false;
        bool inside = s->pushed;
        SetPushed(h, *s, false);
        ReleaseCapture();
        if (inside) Click(h, *s);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (s->tracking) {
        s->tracking = false;
        SetPushed(h, *s, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_SPACE && TypeOf(h) != BS_GROUPBOX) {
        s->spaceDown = true;
        SetPushed(h, *s, true);
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wp == VK_SPACE && s->spaceDown) {
        s->spaceDown = false;
        SetPushed(h, *s, false);
        Click(h, *s);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      InvalidateRect(h, nullptr, FALSE);
      if (GetWindowLong(h, GWL_STYLE) & BS_NOTIFY) NotifyParent(h, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (s->spaceDown || s->pushed) {
        s->spaceDown = false;
        SetPushed(h, *s, false);
      }
      InvalidateRect(h, nullptr, FALSE);
      if (GetWindowLong(h, GWL_STYLE) & BS_NOTIFY) NotifyParent(h, BN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, msg, wp, lp);
      InvalidateRect(h, nullptr, TRUE);
      UpdateGroupMask(h);
      return r;
    }
    case WM_CREATE:
    case WM_SIZE:
      UpdateGroupMask(h);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterButton() { RegisterControlClass("BUTTON", ButtonProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW); }
const bool kButtonRegistered = AddSystemClass(&RegisterButton);

}  // namespace
}  // namespace mirt_ui
