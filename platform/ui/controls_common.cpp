#include "platform/ui/controls_impl.h"

#include "platform/base/charcase.h"
#include "platform/ui/listbox_impl.h"

namespace mirt_ui {

namespace {
const char kFontProp[] = "MirtControlFont";
}

void RegisterControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor, HBRUSH background) {
  WNDCLASS wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursor(nullptr, cursor);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClass(&wc);
}

HWND NotifyTarget(HWND ctl) {
  if (HWND combo = ComboOfList(ctl)) return combo;
  HWND parent = GetParent(ctl);
  if (!parent) parent = GetWindow(ctl, GW_OWNER);
  return parent;
}

void NotifyParent(HWND ctl, int code) {
  HWND target = NotifyTarget(ctl);
  if (!target) return;
  SendMessage(target, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ctl), static_cast<WORD>(code)),
              reinterpret_cast<LPARAM>(ctl));
}

LRESULT NotifyParentNm(HWND ctl, NMHDR* hdr, UINT code) {
  hdr->hwndFrom = ctl;
  hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(ctl));
  hdr->code = code;
  HWND target = NotifyTarget(ctl);
  if (!target) return 0;
  return SendMessage(target, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

bool HandleFontMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_SETFONT) {
    SetProp(h, kFontProp, reinterpret_cast<HANDLE>(wp));
    if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
    *result = 0;
    return true;
  }
  if (msg == WM_GETFONT) {
    *result = reinterpret_cast<LRESULT>(GetProp(h, kFontProp));
    return true;
  }
  return false;
}

HFONT ControlFont(HWND h) {
  HFONT f = static_cast<HFONT>(GetProp(h, kFontProp));
  return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HBRUSH ControlColors(HWND ctl, HDC dc, UINT msg) {
  HWND target = NotifyTarget(ctl);
  LRESULT r =
      target ? SendMessage(target, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ctl)) : 0;
  if (r) return reinterpret_cast<HBRUSH>(r);
  return reinterpret_cast<HBRUSH>(
      DefWindowProc(ctl, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ctl)));
}

void DrawControlText(HDC dc, const std::string& text, RECT* r, UINT format, bool enabled) {
  int oldMode = SetBkMode(dc, TRANSPARENT);
  if (enabled) {
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), r, format);
  } else {
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = *r;
    OffsetRect(&shifted, 1, 1);
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), r, format);
    SetTextColor(dc, old);
  }
  SetBkMode(dc, oldMode);
}

int MnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return mirt::ToUpper1252(static_cast<unsigned char>(text[i + 1]));
  }
  return 0;
}

std::string WindowTextOf(HWND h) {
  int n = GetWindowTextLength(h);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  int got = GetWindowText(h, s.data(), n + 1);
  s.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return s;
}

SIZE FontBaseUnits(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SIZE sz{};
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32(dc, kLetters, 52, &sz);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{(sz.cx / 26 + 1) / 2, tm.tmHeight};
}

int FontLineHeight(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  return tm.tmHeight;
}

int ScrolledTop(WPARAM wp, int top, int page, int bottom) {
  switch (LOWORD(wp)) {
    case SB_LINEUP:
      return top - 1;
    case SB_LINEDOWN:
      return top + 1;
    case SB_PAGEUP:
      return top - page;
    case SB_PAGEDOWN:
      return top + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return static_cast<short>(HIWORD(wp));
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return bottom;
    default:
      return top;
  }
}

}  // namespace mirt_ui
