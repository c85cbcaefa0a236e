// Dialog windows from templates: creation, the dialog class and default
// dialog processing, modal loops, item helpers and dialog units.
#include "platform/ui/hooks.h"
#include "platform/ui/dialog.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ui/controls_impl.h"
#include "platform/ui/dialog_impl.h"
#include "platform/ui/modal.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

const char kDialogProp[] = "MirtDialogState";
const char kDialogClass[] = "#32770";

// Set while a dialog window is made, read by its class procedure.
struct Pending {
  DLGPROC proc = nullptr;
  void (*attach)(HWND, void*) = nullptr;
  void* attachData = nullptr;
  HFONT font = nullptr;
};
thread_local Pending* t_pending = nullptr;

void Setup(HWND h, const Pending& p) {
  if (GetProp(h, kDialogProp)) return;
  auto* st = new DialogState;
  st->font = p.font;
  st->base = FontBaseUnits(p.font);
  SetProp(h, kDialogProp, st);
  SetWindowLongPtr(h, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(p.proc));
  if (p.attach) p.attach(h, p.attachData);
}

LRESULT CALLBACK DialogClassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE && t_pending) {
    Pending p = *t_pending;
    t_pending = nullptr;
    Setup(h, p);
    // The window may have been subclassed by the attach step.
    WNDPROC now = reinterpret_cast<WNDPROC>(GetWindowLongPtr(h, GWL_WNDPROC));
    if (now != &DialogClassProc) return CallWindowProc(now, h, msg, wp, lp);
  }
  return DefDlgProc(h, msg, wp, lp);
}

void RegisterDialogClass() {
  WNDCLASS wc{};
  wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
  wc.lpfnWndProc = DialogClassProc;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kDialogClass;
  RegisterClass(&wc);
}
const bool kDialogRegistered = AddSystemClass(&RegisterDialogClass);

bool ReturnsValueDirectly(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
         msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON || msg == WM_INITDIALOG;
}

HWND FindDefaultStyleButton(HWND dlg) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
  return nullptr;
}

void SetButtonDefault(HWND btn, bool on) {
  if (!btn) return;
  UINT code = static_cast<UINT>(SendMessage(btn, WM_GETDLGCODE, 0, 0));
  if (on && (code & DLGC_UNDEFPUSHBUTTON)) SendMessage(btn, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  if (!on && (code & DLGC_DEFPUSHBUTTON)) SendMessage(btn, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
}

// The dialog's state is looked up only by the messages that use it: most
// reach DefWindowProc untouched.
LRESULT DefaultDialogProcessing(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wp);
      HBRUSH b = reinterpret_cast<HBRUSH>(SendMessage(h, WM_CTLCOLORDLG, wp, reinterpret_cast<LPARAM>(h)));
      RECT r;
      GetClientRect(h, &r);
      FillRect(dc, &r, b ? b : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(h, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
      }
      SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_NEXTDLGCTL: {
      HWND target = lp ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(h, GetFocus(), wp != 0);
      DialogSetFocus(h, target);
      return 0;
    }
    case DM_GETDEFID: {
      DialogState* st = DialogStateOf(h);
      if (st && st->defId) return MAKELONG(st->defId, DC_HASDEFID);
      HWND b = FindDefaultStyleButton(h);
      return b ? MAKELONG(GetDlgCtrlID(b), DC_HASDEFID) : 0;
    }
    case DM_SETDEFID: {
      DialogState* st = DialogStateOf(h);
      if (!st) return FALSE;
      HWND old = st->defId ? GetDlgItem(h, st->defId) : FindDefaultStyleButton(h);
      st->defId = static_cast<int>(wp);
      if (old && GetDlgCtrlID(old) != st->defId) SetButtonDefault(old, false);
      SetButtonDefault(GetDlgItem(h, st->defId), true);
      return TRUE;
    }
    case WM_SETFOCUS: {
      DialogState* st = DialogStateOf(h);
      HWND target = st && st->lastFocus && IsChild(h, st->lastFocus) ? st->lastFocus
                                                                     : GetNextDlgTabItem(h, nullptr, FALSE);
      if (target) DialogSetFocus(h, target);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        DialogState* st = DialogStateOf(h);
        HWND f = GetFocus();
        if (st && f && IsChild(h, f)) st->lastFocus = f;
      } else if (!GetFocus() || !IsChild(h, GetFocus())) {
        SendMessage(h, WM_SETFOCUS, 0, 0);
      }
      return 0;
    case WM_GETFONT: {
      DialogState* st = DialogStateOf(h);
      return reinterpret_cast<LRESULT>(st ? st->font : nullptr);
    }
    case WM_SETFONT:
      if (DialogState* st = DialogStateOf(h)) st->font = reinterpret_cast<HFONT>(wp);
      return 0;
    case WM_NCDESTROY: {
      LRESULT r = DefWindowProc(h, msg, wp, lp);
      if (auto* s = static_cast<DialogState*>(RemoveProp(h, kDialogProp))) {
        if (s->ownFont) DeleteObject(s->font);
        delete s;
      }
      return r;
    }
  }
  return DefWindowProc(h, msg, wp, lp);
}

std::string CaptionOf(HWND h) { return WindowTextOf(h); }

}  // namespace

DialogState* DialogStateOf(HWND h) { return static_cast<DialogState*>(GetProp(h, kDialogProp)); }

void DialogSetFocus(HWND dlg, HWND ctl) {
  if (!ctl || !IsWindow(ctl)) return;
  DialogState* st = DialogStateOf(dlg);
  UINT code = static_cast<UINT>(SendMessage(ctl, WM_GETDLGCODE, 0, 0));
  // A focused push button shows as the default; others give it back.
  HWND def = nullptr;
  if (LRESULT d = SendMessage(dlg, DM_GETDEFID, 0, 0); HIWORD(d) == DC_HASDEFID)
    def = GetDlgItem(dlg, LOWORD(d));
  HWND shown = FindDefaultStyleButton(dlg);
  if (code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) {
    if (shown && shown != ctl) SetButtonDefault(shown, false);
    SetButtonDefault(ctl, true);
  } else if (shown != def) {
    SetButtonDefault(shown, false);
    SetButtonDefault(def, true);
  }
  SetFocus(ctl);
  if (code & DLGC_HASSETSEL) SendMessage(ctl, EM_SETSEL, 0, -1);
  if (st) st->lastFocus = ctl;
}

HFONT DialogTemplateFont(const DialogTemplate& t) {
  if (!(t.style & DS_SETFONT) || t.faceName.empty())
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int height = -MulDiv(t.pointSize ? t.pointSize : 8, 96, 72);
  return CreateFont(height, 0, 0, 0, t.weight ? t.weight : FW_NORMAL, t.italic, 0, 0, DEFAULT_CHARSET, 0, 0,
                    0, 0, t.faceName.c_str());
}

bool CreateDialogControls(HINSTANCE inst, const DialogTemplate& t, HWND host, HFONT font) {
  SIZE base = FontBaseUnits(font);
  for (const DialogItemTemplate& it : t.items) {
    RECT r{it.x, it.y, it.x + it.cx, it.y + it.cy};
    r = RECT{MulDiv(r.left, base.cx, 4), MulDiv(r.top, base.cy, 8), MulDiv(r.right, base.cx, 4),
             MulDiv(r.bottom, base.cy, 8)};
    std::string text = it.textOrdinal >= 0 ? "#" + std::to_string(it.textOrdinal) : it.text;
    const void* data = it.creationData.empty() ? nullptr : it.creationData.data();
    HWND c = CreateWindowEx(it.exStyle | WS_EX_NOPARENTNOTIFY, it.className.c_str(), text.c_str(),
                            it.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, host,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(static_cast<WORD>(it.id))), inst,
                            const_cast<void*>(data));
    if (!c) {
      if (t.style & DS_NOFAILCREATE) continue;
      std::fprintf(stderr, "dialog control of class \"%s\" (id %u) could not be made\n", it.className.c_str(),
                   static_cast<unsigned>(it.id));
      return false;
    }
    SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return true;
}

HWND CreateDialogFromTemplate(HINSTANCE inst, const DialogTemplate& t, HWND parent, DLGPROC proc,
                              LPARAM param, void (*attach)(HWND, void*), void* attachData) {
  RegisterSystemClasses();
  HFONT font = DialogTemplateFont(t);
  bool ownFont = font != GetStockObject(DEFAULT_GUI_FONT);
  SIZE base = FontBaseUnits(font);
  DWORD style = t.style & ~WS_VISIBLE;
  DWORD exStyle = t.exStyle;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) {
    style = (style & ~(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
    exStyle |= WS_EX_CONTROLPARENT;
  }
  RECT r{0, 0, MulDiv(t.cx, base.cx, 4), MulDiv(t.cy, base.cy, 8)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  int x = MulDiv(t.x, base.cx, 4), y = MulDiv(t.y, base.cy, 8);
  if (!(style & WS_CHILD) && parent && !(style & DS_ABSALIGN)) {
    POINT o{0, 0};
    ClientToScreen(parent, &o);
    x += o.x;
    y += o.y;
  }
  Pending p{proc, attach, attachData, font};
  std::string cls = t.className.empty() ? kDialogClass : t.className;
  bool ownClass = cls == kDialogClass;
  t_pending = ownClass ? &p : nullptr;
  HWND h = CreateWindowEx(exStyle, cls.c_str(), t.caption.c_str(), style, x, y, r.right - r.left,
                          r.bottom - r.top, parent, nullptr, inst, nullptr);
  t_pending = nullptr;
  if (!h) {
    if (ownFont) DeleteObject(font);
    return nullptr;
  }
  if (!ownClass) Setup(h, p);
  DialogState* st = DialogStateOf(h);
  if (st) st->ownFont = ownFont;
  SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!CreateDialogControls(inst, t, h, font)) {
    DestroyWindow(h);
    return nullptr;
  }
  if (style & DS_CENTER) {
    RECT me, over;
    GetWindowRect(h, &me);
    if (parent && !(style & WS_CHILD))
      GetWindowRect(GetAncestor(parent, GA_ROOT), &over);
    else
      SystemParametersInfo(SPI_GETWORKAREA, 0, &over, 0);
    int w = me.right - me.left, hh = me.bottom - me.top;
    SetWindowPos(h, nullptr, (over.left + over.right - w) / 2, (over.top + over.bottom - hh) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HWND first = GetNextDlgTabItem(h, nullptr, FALSE);
  if (SendMessage(h, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && IsWindow(h)) {
    HWND target = GetNextDlgTabItem(h, nullptr, FALSE);
    if (target) DialogSetFocus(h, target);
  }
  if (!IsWindow(h)) return nullptr;
  if ((t.style & WS_VISIBLE) && !(DialogStateOf(h) && DialogStateOf(h)->ended)) ShowWindow(h, SW_SHOW);
  return h;
}

INT_PTR RunModalDialog(HWND h, HWND owner, bool (*pretranslate)(HWND, MSG*)) {
  DialogState* st = DialogStateOf(h);
  if (!st) return -1;
  st->modal = true;
  std::string caption = CaptionOf(h);
  bool ownerEnabled = owner && IsWindowEnabled(owner);
  if (ownerEnabled) EnableWindow(owner, FALSE);
  if (!st->ended) {
    ShowWindow(h, SW_SHOW);
    SetActiveWindow(h);
    UpdateWindow(h);
  }
  plat::DialogAction action;
  if (!st->ended && TakeDialogAction(&action)) action(h);
  bool headless = plat::IsHeadless();
  while (IsWindow(h) && (st = DialogStateOf(h)) && !st->ended) {
    MSG m;
    if (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (CallMsgFilter(&m, MSGF_DIALOGBOX)) continue;
      if (pretranslate ? !pretranslate(h, &m) : !IsDialogMessage(h, &m)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
      }
      continue;
    }
    if (headless) {
      ReportHeadless("dialog", caption, "IDCANCEL");
      SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(h, IDCANCEL)));
      if (IsWindow(h) && (st = DialogStateOf(h)) && !st->ended) EndDialog(h, IDCANCEL);
      continue;
    }
    WaitMessage();
  }
  INT_PTR result = IDCANCEL;
  if (IsWindow(h) && (st = DialogStateOf(h))) result = st->result;
  if (ownerEnabled && IsWindow(owner)) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  RecordModal("dialog", caption, result);
  return result;
}

}  // namespace mirt_ui

using namespace mirt_ui;

LRESULT DefDlgProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(h, DWLP_DLGPROC));
  if (proc) {
    SetWindowLongPtr(h, DWLP_MSGRESULT, 0);
    INT_PTR r = proc(h, msg, wp, lp);
    if (!IsWindow(h)) return r;
    if (r) return ReturnsValueDirectly(msg) ? r : GetWindowLongPtr(h, DWLP_MSGRESULT);
  }
  return DefaultDialogProcessing(h, msg, wp, lp);
}

HWND CreateDialogIndirectParam(HINSTANCE inst, LPCDLGTEMPLATE tmpl, HWND parent, DLGPROC proc, LPARAM param) {
  DialogTemplate t;
  // The size is not known here: a template is read until its last item.
  if (!ParseDialogTemplate(tmpl, 1 << 20, &t)) return nullptr;
  return CreateDialogFromTemplate(inst, t, parent, proc, param);
}

HWND CreateDialogParam(HINSTANCE inst, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
  DialogTemplate t;
  if (!LoadDialogTemplate(inst, name, &t)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return CreateDialogFromTemplate(inst, t, parent, proc, param);
}

static INT_PTR RunModal(HINSTANCE inst, DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param) {
  HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
  t.style &= ~WS_VISIBLE;
  HWND h = CreateDialogFromTemplate(inst, t, owner, proc, param);
  if (!h) return -1;
  INT_PTR r = RunModalDialog(h, owner);
  if (IsWindow(h)) DestroyWindow(h);
  return r;
}

INT_PTR DialogBoxParam(HINSTANCE inst, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
  DialogTemplate t;
  if (!LoadDialogTemplate(inst, name, &t)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  return RunModal(inst, t, parent, proc, param);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE inst, LPCDLGTEMPLATE tmpl, HWND parent, DLGPROC proc, LPARAM param) {
  DialogTemplate t;
  if (!ParseDialogTemplate(tmpl, 1 << 20, &t)) return -1;
  return RunModal(inst, t, parent, proc, param);
}

BOOL EndDialog(HWND h, INT_PTR result) {
  DialogState* st = DialogStateOf(h);
  if (!st) return FALSE;
  st->result = result;
  st->ended = true;
  ShowWindow(h, SW_HIDE);
  PostMessage(h, WM_NULL, 0, 0);
  return TRUE;
}

BOOL MapDialogRect(HWND h, LPRECT r) {
  DialogState* st = DialogStateOf(h);
  if (!r) return FALSE;
  SIZE base = st ? st->base : FontBaseUnits(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  r->left = MulDiv(r->left, base.cx, 4);
  r->right = MulDiv(r->right, base.cx, 4);
  r->top = MulDiv(r->top, base.cy, 8);
  r->bottom = MulDiv(r->bottom, base.cy, 8);
  return st != nullptr;
}

LONG GetDialogBaseUnits() {
  SIZE base = FontBaseUnits(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  return MAKELONG(base.cx, base.cy);
}

BOOL CheckDlgButton(HWND h, int id, UINT check) {
  HWND c = GetDlgItem(h, id);
  if (!c) return FALSE;
  SendMessage(c, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND h, int id) {
  HWND c = GetDlgItem(h, id);
  return c ? static_cast<UINT>(SendMessage(c, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND h, int first, int last, int check) {
  for (int id = first; id <= last; ++id)
    if (HWND c = GetDlgItem(h, id)) SendMessage(c, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  return TRUE;
}

BOOL SetDlgItemInt(HWND h, int id, UINT v, BOOL sign) {
  char buf[32];
  if (sign)
    snprintf(buf, sizeof buf, "%d", static_cast<int>(v));
  else
    snprintf(buf, sizeof buf, "%u", v);
  return SetDlgItemText(h, id, buf);
}

UINT GetDlgItemInt(HWND h, int id, BOOL* ok, BOOL sign) {
  if (ok) *ok = FALSE;
  HWND c = GetDlgItem(h, id);
  if (!c) return 0;
  std::string s = WindowTextOf(c);
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  if (a == std::string::npos) return 0;
  s = s.substr(a, b - a + 1);
  if (!sign && s[0] == '-') return 0;
  char* end = nullptr;
  long long v = sign ? strtoll(s.c_str(), &end, 10) : static_cast<long long>(strtoull(s.c_str(), &end, 10));
  bool good = end && end != s.c_str() && *end == 0;
  if (good && sign && (v < INT32_MIN || v > INT32_MAX)) good = false;
  if (good && !sign && (v < 0 || v > UINT32_MAX)) good = false;
  if (ok) *ok = good;
  return good ? static_cast<UINT>(v) : 0;
}

BOOL MessageBeep(UINT) {
  if (!plat::IsHeadless()) QApplication::beep();
  return TRUE;
}
