// Keyboard navigation in dialogs: tab order, groups and arrow keys, the
// default and cancel buttons on Enter and Esc, mnemonics.
#include <algorithm>
#include <vector>

#include "platform/ui/controls_impl.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_impl.h"

using namespace mirt_ui;

namespace {

bool Usable(HWND c) { return IsWindowVisible(c) && IsWindowEnabled(c); }
LONG NavStyleOf(HWND c) { return GetWindowLong(c, GWL_STYLE); }

// The controls of `parent` in their order; a child that holds controls
// of its own (WS_EX_CONTROLPARENT: a dialog page) stands for its
// controls, unless it is hidden or disabled.
void AddNavChildren(HWND parent, std::vector<HWND>& v) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!(GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
      v.push_back(c);
    else if (Usable(c))
      AddNavChildren(c, v);
  }
}

std::vector<HWND> Children(HWND dlg) {
  std::vector<HWND> v;
  AddNavChildren(dlg, v);
  return v;
}

// The control of `dlg` that holds `ctl` (controls inside a combo box count
// as the combo box, those of a page as themselves).
HWND TopChild(HWND dlg, HWND ctl) {
  const std::vector<HWND> kids = Children(dlg);
  for (HWND h = ctl; h && h != dlg; h = GetParent(h))
    if (std::find(kids.begin(), kids.end(), h) != kids.end()) return h;
  return nullptr;
}

UINT DlgCode(HWND c, MSG* m) {
  return static_cast<UINT>(SendMessage(c, WM_GETDLGCODE, m ? m->wParam : 0, reinterpret_cast<LPARAM>(m)));
}

// The control for a mnemonic letter, searched after the focus.
bool HandleMnemonic(HWND dlg, HWND focus, int ch) {
  int want = MnemonicOf(std::string("&") + static_cast<char>(ch));
  if (!want) return false;
  std::vector<HWND> kids = Children(dlg);
  if (kids.empty()) return false;
  size_t start = 0;
  HWND top = TopChild(dlg, focus);
  for (size_t i = 0; i < kids.size(); ++i)
    if (kids[i] == top) start = i + 1;
  for (size_t k = 0; k < kids.size(); ++k) {
    HWND c = kids[(start + k) % kids.size()];
    if (!Usable(c)) continue;
    UINT code = DlgCode(c, nullptr);
    if (MnemonicOf(WindowTextOf(c)) != want) continue;
    if (code & DLGC_STATIC) {
      HWND next = GetNextDlgTabItem(dlg, c, FALSE);
      if (next) DialogSetFocus(dlg, next);
      return true;
    }
    if (code & DLGC_BUTTON) {
      if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessage(c, BM_CLICK, 0, 0);
      } else {
        DialogSetFocus(dlg, c);
        SendMessage(c, BM_CLICK, 0, 0);
      }
      return true;
    }
    DialogSetFocus(dlg, c);
    return true;
  }
  return false;
}

// Tabbing into a group of radio buttons lands on its checked one.
HWND CheckedRadioOfGroup(HWND dlg, HWND ctl) {
  if (!ctl || !(DlgCode(ctl, nullptr) & DLGC_RADIOBUTTON)) return ctl;
  for (HWND c = GetNextDlgGroupItem(dlg, ctl, FALSE); c && c != ctl; c = GetNextDlgGroupItem(dlg, c, FALSE)) {
    if ((DlgCode(c, nullptr) & DLGC_RADIOBUTTON) && SendMessage(c, BM_GETCHECK, 0, 0) == BST_CHECKED)
      return c;
  }
  return ctl;
}

void PressDefault(HWND dlg, HWND focus) {
  HWND top = TopChild(dlg, focus);
  int id = IDOK;
  if (top && (DlgCode(top, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    id = GetDlgCtrlID(top);
  } else if (LRESULT d = SendMessage(dlg, DM_GETDEFID, 0, 0); HIWORD(d) == DC_HASDEFID) {
    id = LOWORD(d);
  }
  HWND btn = GetDlgItem(dlg, id);
  if (btn && !IsWindowEnabled(btn)) {
    MessageBeep(0);
    return;
  }
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(btn));
}

}  // namespace

HWND GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous) {
  std::vector<HWND> kids = Children(dlg);
  int n = static_cast<int>(kids.size());
  if (n == 0) return nullptr;
  HWND top = TopChild(dlg, ctl);
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (kids[i] == top) at = i;
  for (int k = 1; k <= n; ++k) {
    int i;
    if (at < 0)
      i = previous ? n - k : k - 1;
    else
      i = ((previous ? at - k : at + k) % n + n) % n;
    HWND c = kids[i];
    if ((NavStyleOf(c) & WS_TABSTOP) && Usable(c)) return c;
  }
  return top;
}

HWND GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous) {
  std::vector<HWND> kids = Children(dlg);
  int n = static_cast<int>(kids.size());
  HWND top = TopChild(dlg, ctl);
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (kids[i] == top) at = i;
  if (at < 0) return n ? kids[0] : nullptr;
  int first = at;
  while (first > 0 && !(NavStyleOf(kids[first]) & WS_GROUP)) --first;
  int last = at;
  while (last + 1 < n && !(NavStyleOf(kids[last + 1]) & WS_GROUP)) ++last;
  int size = last - first + 1;
  for (int k = 1; k <= size; ++k) {
    int i = first + (((at - first) + (previous ? -k : k)) % size + size) % size;
    if (Usable(kids[i])) return kids[i];
  }
  return top;
}

BOOL IsDialogMessage(HWND dlg, LPMSG m) {
  if (!dlg || !m || !IsWindow(dlg)) return FALSE;
  if (m->hwnd != dlg && !IsChild(dlg, m->hwnd)) return FALSE;
  HWND focus = GetFocus();
  if (!focus || (focus != dlg && !IsChild(dlg, focus))) focus = m->hwnd;
  switch (m->message) {
    case WM_KEYDOWN: {
      UINT code = DlgCode(m->hwnd, m);
      if (code & DLGC_WANTALLKEYS) break;
      bool shift = GetKeyState(VK_SHIFT) & 0x8000;
      switch (m->wParam) {
        case VK_TAB: {
          if (code & DLGC_WANTTAB) break;
          HWND next = CheckedRadioOfGroup(dlg, GetNextDlgTabItem(dlg, focus == dlg ? nullptr : focus, shift));
          if (next) DialogSetFocus(dlg, next);
          return TRUE;
        }
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
          if (code & DLGC_WANTARROWS) break;
          HWND next = GetNextDlgGroupItem(dlg, focus, m->wParam == VK_LEFT || m->wParam == VK_UP);
          if (next && next != TopChild(dlg, focus)) {
            DialogSetFocus(dlg, next);
            UINT nc = DlgCode(next, nullptr);
            if ((nc & DLGC_RADIOBUTTON) &&
                (GetWindowLong(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
              SendMessage(next, BM_CLICK, 0, 0);
          }
          return TRUE;
        }
        case VK_RETURN:
          PressDefault(dlg, focus);
          return TRUE;
        case VK_ESCAPE: {
          HWND cancel = GetDlgItem(dlg, IDCANCEL);
          if (cancel && !IsWindowEnabled(cancel)) return TRUE;
          SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
          return TRUE;
        }
      }
      break;
    }
    case WM_CHAR: {
      UINT code = DlgCode(m->hwnd, m);
      if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) break;
      if (m->wParam == '\t' || m->wParam == '\r' || m->wParam == 27) return TRUE;
      if (HandleMnemonic(dlg, focus, static_cast<int>(m->wParam))) return TRUE;
      break;
    }
    case WM_SYSCHAR:
      if (HandleMnemonic(dlg, focus, static_cast<int>(m->wParam))) return TRUE;
      break;
  }
  TranslateMessage(m);
  DispatchMessage(m);
  return TRUE;
}
