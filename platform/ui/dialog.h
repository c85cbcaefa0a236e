// Dialogs from templates: creation (modeless and modal), the dialog
// procedure and default processing, keyboard navigation, item helpers,
// dialog units.
#pragma once

#include "platform/base/winctrl.h"
#include "platform/ui/resources.h"
#include "platform/ui/wintypes.h"

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef const void* LPCDLGTEMPLATE;  // a DIALOG or DIALOGEX template in memory

HWND CreateDialogParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam);
HWND CreateDialogIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline HWND CreateDialog(HINSTANCE inst, LPCSTR name, HWND parent, DLGPROC proc) {
  return CreateDialogParam(inst, name, parent, proc, 0);
}
INT_PTR DialogBoxParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam);
INT_PTR DialogBoxIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam);
inline INT_PTR DialogBox(HINSTANCE inst, LPCSTR name, HWND parent, DLGPROC proc) {
  return DialogBoxParam(inst, name, parent, proc, 0);
}
BOOL EndDialog(HWND hDlg, INT_PTR nResult);
LRESULT DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
LONG GetDialogBaseUnits();

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);

#define MB_OK_BEEP 0xFFFFFFFF
BOOL MessageBeep(UINT uType);

namespace mirt_ui {
// Creates a dialog window (or, with `host`, only the controls inside an
// existing window, as control bars built from templates do) from a
// parsed template. `attach` runs as the dialog window is made, before
// any control exists (the framework attaches its object there).
HWND CreateDialogFromTemplate(HINSTANCE inst, const DialogTemplate& t, HWND parent, DLGPROC proc,
                              LPARAM param, void (*attach)(HWND, void*) = nullptr,
                              void* attachData = nullptr);
bool CreateDialogControls(HINSTANCE inst, const DialogTemplate& t, HWND host, HFONT font);
// The modal loop of a dialog made hidden and modal: shows it, runs the
// scripted action or the person, returns the EndDialog value.
// `pretranslate` sees each message first (default: IsDialogMessage).
INT_PTR RunModalDialog(HWND hDlg, HWND owner, bool (*pretranslate)(HWND hDlg, MSG* msg) = nullptr);
// The font of a dialog template (the default GUI font without DS_SETFONT).
HFONT DialogTemplateFont(const DialogTemplate& t);
}  // namespace mirt_ui
