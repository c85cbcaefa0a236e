// The modeless find and replace dialogs: the built-in templates or the
// caller's, reporting to the owner with the registered message
// "commdlg_FindReplace".
#include <string>

#include "platform/base/winstring.h"
#include "platform/ui/commdlg.h"
#include "platform/ui/controls_impl.h"

namespace mirt_ui {
namespace {

DialogItemTemplate Item(const char* cls, const char* text, DWORD id, DWORD style, short x, short y, short cx,
                        short cy) {
  DialogItemTemplate it;
  it.className = cls;
  it.text = text;
  it.id = id;
  it.style = style | WS_CHILD | WS_VISIBLE;
  it.x = x, it.y = y, it.cx = cx, it.cy = cy;
  return it;
}

DialogTemplate BuiltIn(bool replace) {
  DialogTemplate t;
  t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  t.caption = replace ? "Replace" : "Find";
  t.pointSize = 8;
  t.faceName = "MS Sans Serif";
  t.cx = 236;
  t.cy = replace ? 94 : 62;
  short y = 7;
  t.items.push_back(Item("STATIC", "Fi&nd what:", stc1, SS_LEFT, 4, y + 2, 48, 8));
  t.items.push_back(
      Item("EDIT", "", edt1, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 54, y, 114, 12));
  if (replace) {
    y += 18;
    t.items.push_back(Item("STATIC", "Re&place with:", stc2, SS_LEFT, 4, y + 2, 48, 8));
    t.items.push_back(
        Item("EDIT", "", edt2, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 54, y, 114, 12));
  }
  short opts = replace ? 50 : 26;
  t.items.push_back(Item("BUTTON", "Match &whole word only", chx1, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 4,
                         opts, 100, 12));
  t.items.push_back(Item("BUTTON", "Match &case", chx2, BS_AUTOCHECKBOX | WS_TABSTOP, 4, opts + 12, 64, 12));
  if (!replace) {
    t.items.push_back(Item("BUTTON", "Direction", grp1, BS_GROUPBOX, 107, opts - 4, 64, 28));
    t.items.push_back(Item("BUTTON", "&Up", rad1, BS_AUTORADIOBUTTON | WS_GROUP, 111, opts + 8, 25, 12));
    t.items.push_back(Item("BUTTON", "&Down", rad2, BS_AUTORADIOBUTTON, 138, opts + 8, 30, 12));
  }
  t.items.push_back(
      Item("BUTTON", "&Find Next", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 176, 7, 56, 14));
  if (replace) {
    t.items.push_back(Item("BUTTON", "&Replace", psh1, BS_PUSHBUTTON | WS_TABSTOP, 176, 24, 56, 14));
    t.items.push_back(Item("BUTTON", "Replace &All", psh2, BS_PUSHBUTTON | WS_TABSTOP, 176, 41, 56, 14));
  }
  short cancelY = replace ? 58 : 24;
  t.items.push_back(Item("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 176, cancelY, 56, 14));
  t.items.push_back(Item("BUTTON", "&Help", pshHelp, BS_PUSHBUTTON | WS_TABSTOP, 176, cancelY + 17, 56, 14));
  return t;
}

const char kFindProp[] = "MirtFindReplace";

LPFINDREPLACE RecordOf(HWND h) { return static_cast<LPFINDREPLACE>(GetProp(h, kFindProp)); }

void Show(HWND h, int id, bool show) {
  if (HWND c = GetDlgItem(h, id)) ShowWindow(c, show ? SW_SHOW : SW_HIDE);
}
void Enable(HWND h, int id, bool on) {
  if (HWND c = GetDlgItem(h, id)) EnableWindow(c, on);
}

void Init(HWND h, LPFINDREPLACE fr) {
  SetDlgItemText(h, edt1, plat::TextInBuffer(fr->lpstrFindWhat, fr->wFindWhatLen).c_str());
  if (fr->lpstrReplaceWith)
    SetDlgItemText(h, edt2, plat::TextInBuffer(fr->lpstrReplaceWith, fr->wReplaceWithLen).c_str());
  CheckDlgButton(h, chx1, (fr->Flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(h, chx2, (fr->Flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(h, rad1, rad2, (fr->Flags & FR_DOWN) ? rad2 : rad1);
  Enable(h, chx1, !(fr->Flags & FR_NOWHOLEWORD));
  Enable(h, chx2, !(fr->Flags & FR_NOMATCHCASE));
  Enable(h, rad1, !(fr->Flags & FR_NOUPDOWN));
  Enable(h, rad2, !(fr->Flags & FR_NOUPDOWN));
  Show(h, chx1, !(fr->Flags & FR_HIDEWHOLEWORD));
  Show(h, chx2, !(fr->Flags & FR_HIDEMATCHCASE));
  Show(h, rad1, !(fr->Flags & FR_HIDEUPDOWN));
  Show(h, rad2, !(fr->Flags & FR_HIDEUPDOWN));
  Show(h, grp1, !(fr->Flags & FR_HIDEUPDOWN));
  Show(h, pshHelp, fr->Flags & FR_SHOWHELP);
  bool any = GetWindowTextLength(GetDlgItem(h, edt1)) > 0;
  Enable(h, IDOK, any);
  Enable(h, psh1, any);
  Enable(h, psh2, any);
}

// Texts and options into the record, then the owner is told.
void Notify(HWND h, LPFINDREPLACE fr, DWORD what) {
  if (fr->lpstrFindWhat && fr->wFindWhatLen) GetDlgItemText(h, edt1, fr->lpstrFindWhat, fr->wFindWhatLen);
  if (fr->lpstrReplaceWith && fr->wReplaceWithLen && GetDlgItem(h, edt2))
    GetDlgItemText(h, edt2, fr->lpstrReplaceWith, fr->wReplaceWithLen);
  DWORD f =
      fr->Flags & ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_WHOLEWORD | FR_MATCHCASE);
  if (GetDlgItem(h, chx1) && IsDlgButtonChecked(h, chx1)) f |= FR_WHOLEWORD;
  if (GetDlgItem(h, chx2) && IsDlgButtonChecked(h, chx2)) f |= FR_MATCHCASE;
  if (GetDlgItem(h, rad1)) f = IsDlgButtonChecked(h, rad1) ? (f & ~FR_DOWN) : (f | FR_DOWN);
  fr->Flags = f | what;
  static UINT msg = RegisterWindowMessage(FINDMSGSTRING);
  if (fr->hwndOwner) SendMessage(fr->hwndOwner, msg, 0, reinterpret_cast<LPARAM>(fr));
}

INT_PTR CALLBACK FindReplaceProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LPFINDREPLACE fr = RecordOf(h);
  switch (msg) {
    case WM_INITDIALOG:
      SetProp(h, kFindProp, reinterpret_cast<HANDLE>(lp));
      Init(h, reinterpret_cast<LPFINDREPLACE>(lp));
      return TRUE;
    case WM_COMMAND: {
      if (!fr) return FALSE;
      int id = LOWORD(wp);
      if (id == edt1 && HIWORD(wp) == EN_CHANGE) {
        bool any = GetWindowTextLength(GetDlgItem(h, edt1)) > 0;
        Enable(h, IDOK, any);
        Enable(h, psh1, any);
        Enable(h, psh2, any);
        return TRUE;
      }
      if (HIWORD(wp) != BN_CLICKED) return FALSE;
      switch (id) {
        case IDOK:
          Notify(h, fr, FR_FINDNEXT);
          return TRUE;
        case psh1:
          Notify(h, fr, FR_REPLACE);
          return TRUE;
        case psh2:
          Notify(h, fr, FR_REPLACEALL);
          return TRUE;
        case IDCANCEL:
          Notify(h, fr, FR_DIALOGTERM);
          DestroyWindow(h);
          return TRUE;
      }
      return FALSE;
    }
    case WM_NCDESTROY:
      RemoveProp(h, kFindProp);
      return FALSE;
  }
  return FALSE;
}

}  // namespace

HWND CreateFindReplaceWindow(LPFINDREPLACE fr, bool replace, void (*attach)(HWND, void*), void* data) {
  if (!fr || !fr->hwndOwner || !fr->lpstrFindWhat || !fr->wFindWhatLen) return nullptr;
  DialogTemplate t;
  HINSTANCE inst = fr->hInstance;
  bool custom = (fr->Flags & FR_ENABLETEMPLATE) && fr->lpTemplateName;
  if (!custom || !LoadDialogTemplate(inst, fr->lpTemplateName, &t)) t = BuiltIn(replace);
  t.style |= WS_VISIBLE;
  HWND owner = GetAncestor(fr->hwndOwner, GA_ROOT);
  return CreateDialogFromTemplate(inst, t, owner, &FindReplaceProc, reinterpret_cast<LPARAM>(fr), attach,
                                  data);
}

}  // namespace mirt_ui

HWND FindText(LPFINDREPLACE fr) { return mirt_ui::CreateFindReplaceWindow(fr, false, nullptr, nullptr); }
HWND ReplaceText(LPFINDREPLACE fr) { return mirt_ui::CreateFindReplaceWindow(fr, true, nullptr, nullptr); }
