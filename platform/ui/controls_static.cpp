// The static control: text, frames and rectangles, etched lines, icons and
// bitmaps, owner drawing, and clicks with SS_NOTIFY.
#include "platform/ui/controls_impl.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

struct StaticState {
  HANDLE image = nullptr;
  UINT imageType = IMAGE_ICON;
};

UINT TypeOf(HWND h) { return static_cast<UINT>(GetWindowLong(h, GWL_STYLE)) & SS_TYPEMASK; }

void FillWith(HDC dc, const RECT& r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

void PaintImage(HDC dc, const RECT& r, StaticState& s, DWORD style) {
  if (!s.image) return;
  if (s.imageType == IMAGE_BITMAP) {
    BITMAP bm{};
    GetObject(s.image, sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, s.image);
    int x = r.left, y = r.top;
    if (style & SS_CENTERIMAGE) {
      x = (r.left + r.right - bm.bmWidth) / 2;
      y = (r.top + r.bottom - bm.bmHeight) / 2;
    }
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
  } else {
    DrawIconEx(dc, r.left, r.top, static_cast<HICON>(s.image), 0, 0, 0, nullptr, DI_NORMAL);
  }
}

void PaintStatic(HWND h, StaticState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  UINT type = TypeOf(h);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(h));
  switch (type) {
    case SS_BLACKRECT:
      FillWith(dc, r, COLOR_WINDOWFRAME);
      break;
    case SS_GRAYRECT:
      FillWith(dc, r, COLOR_BTNSHADOW);
      break;
    case SS_WHITERECT:
      FillWith(dc, r, COLOR_BTNHIGHLIGHT);
      break;
    case SS_BLACKFRAME:
      FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
      break;
    case SS_GRAYFRAME:
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
      break;
    case SS_WHITEFRAME:
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      break;
    case SS_ETCHEDHORZ:
      DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
      break;
    case SS_ETCHEDVERT:
      DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
      break;
    case SS_ETCHEDFRAME:
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
      break;
    case SS_OWNERDRAW: {
      DRAWITEMSTRUCT dis{};
      dis.CtlType = ODT_STATIC;
      dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
      dis.itemAction = ODA_DRAWENTIRE;
      dis.hwndItem = h;
      dis.hDC = dc;
      dis.rcItem = r;
      if (!IsWindowEnabled(h)) dis.itemState |= ODS_DISABLED;
      SendMessage(NotifyTarget(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
      break;
    }
    case SS_ICON:
    case SS_BITMAP: {
      HBRUSH bg = ControlColors(h, dc, WM_CTLCOLORSTATIC);
      FillRect(dc, &r, bg);
      PaintImage(dc, r, s, style);
      break;
    }
    default: {
      HBRUSH bg = ControlColors(h, dc, WM_CTLCOLORSTATIC);
      if (bg) FillRect(dc, &r, bg);
      UINT fmt = DT_EXPANDTABS;
      if (type == SS_CENTER)
        fmt |= DT_CENTER | DT_WORDBREAK;
      else if (type == SS_RIGHT)
        fmt |= DT_RIGHT | DT_WORDBREAK;
      else if (type == SS_LEFT)
        fmt |= DT_WORDBREAK;
      else if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP)
        fmt |= DT_SINGLELINE;
      if (style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
      if (style & SS_CENTERIMAGE) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
      DrawControlText(dc, WindowTextOf(h), &r, fmt, IsWindowEnabled(h));
      break;
    }
  }
  if (style & SS_SUNKEN) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

LRESULT SetImage(HWND h, StaticState& s, UINT type, HANDLE image) {
  HANDLE old = s.image;
  s.image = image;
  s.imageType = type;
  if (image && !(GetWindowLong(h, GWL_STYLE) & (SS_CENTERIMAGE | SS_REALSIZEIMAGE))) {
    int cx = 0, cy = 0;
    if (type == IMAGE_BITMAP) {
      BITMAP bm{};
      GetObject(image, sizeof bm, &bm);
      cx = bm.bmWidth;
      cy = bm.bmHeight;
    } else {
      cx = GetSystemMetrics(SM_CXICON);
      cy = GetSystemMetrics(SM_CYICON);
    }
    SetWindowPos(h, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(h, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT fontResult;
  if (HandleFontMessage(h, msg, wp, lp, &fontResult)) return fontResult;
  StaticState* s;
  LRESULT outside;
  if (ControlStateMessage(h, msg, wp, lp, &s, &outside)) return outside;
  switch (msg) {
    case WM_NCCREATE: {
      LRESULT r = DefWindowProc(h, msg, wp, lp);
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lp);
      UINT type = static_cast<UINT>(cs->style) & SS_TYPEMASK;
      // An icon or bitmap named by a resource id in the template.
      if ((type == SS_ICON || type == SS_BITMAP) && cs->lpszName) {
        LPCSTR name = cs->lpszName;
        if (!IS_INTRESOURCE(name) && name[0] == '#') name = MAKEINTRESOURCE(atoi(name + 1));
        HANDLE img = type == SS_ICON ? static_cast<HANDLE>(LoadIcon(cs->hInstance, name))
                                     : static_cast<HANDLE>(LoadBitmap(cs->hInstance, name));
        s->image = img;
        s->imageType = type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
      }
      return r;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintStatic(h, *s);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      if (GetWindowLong(h, GWL_STYLE) & SS_NOTIFY) NotifyParent(h, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (GetWindowLong(h, GWL_STYLE) & SS_NOTIFY) NotifyParent(h, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (GetWindowLong(h, GWL_STYLE) & SS_NOTIFY) NotifyParent(h, wp ? STN_ENABLE : STN_DISABLE);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, msg, wp, lp);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case STM_SETICON:
      return SetImage(h, *s, IMAGE_ICON, reinterpret_cast<HANDLE>(wp));
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(s->image);
    case STM_SETIMAGE:
      return SetImage(h, *s, static_cast<UINT>(wp), reinterpret_cast<HANDLE>(lp));
    case STM_GETIMAGE:
      return reinterpret_cast<LRESULT>(s->image);
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterStatic() { RegisterControlClass("STATIC", StaticProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW); }
const bool kStaticRegistered = AddSystemClass(&RegisterStatic);

}  // namespace
}  // namespace mirt_ui
