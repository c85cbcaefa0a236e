// Private: what the standard controls share: per-window state, parent
// notifications, fonts, colours and text drawing.
#pragma once

#include <string>

#include "platform/base/winctrl.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/ui.h"
#include "platform/ui/wnd_obj.h"

namespace mirt_ui {

// Controls are reached on their own thread, where a window cannot go away
// under the caller: these run on every message and look the window up
// without the registry's lock.
inline Wnd* ControlWnd(HWND h) {
  Wnd* w = FindRaw(h);
  return w && !w->destroyed ? w : nullptr;
}

// A control's window style.
inline DWORD StyleOf(HWND h) {
  Wnd* w = ControlWnd(h);
  return w ? static_cast<DWORD>(static_cast<LONG>(w->style)) : 0;
}

// The C++ state object of a control window, kept with its window.
template <class T>
T* ControlState(HWND h) {
  Wnd* w = ControlWnd(h);
  return w ? static_cast<T*>(w->controlState) : nullptr;
}
template <class T>
T* MakeControlState(HWND h) {
  Wnd* w = FindRaw(h);
  if (!w) return nullptr;
  T* t = new T;
  w->controlState = t;
  return t;
}
template <class T>
void DropControlState(HWND h) {
  Wnd* w = FindRaw(h);
  if (!w) return;
  delete static_cast<T*>(w->controlState);
  w->controlState = nullptr;
}

// The state's life: made on WM_NCCREATE, freed on WM_NCDESTROY. Returns
// true (with the default procedure's *result) for messages outside it.
template <class T>
bool ControlStateMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp, T** state, LRESULT* result) {
  *state = msg == WM_NCCREATE ? MakeControlState<T>(h) : ControlState<T>(h);
  if (msg == WM_NCDESTROY) DropControlState<T>(h), *state = nullptr;
  if (*state) return false;
  *result = DefWindowProc(h, msg, wp, lp);
  return true;
}

// The opening of the procedure of a control that paints all of its client
// area itself: the state's life as above, WM_ERASEBKGND (nothing to erase)
// and WM_PAINT (paint(h, state)). True with *result for the messages it
// answered.
template <class T, class Paint>
bool PaintedControlMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp, T** state, LRESULT* result, Paint paint) {
  if (ControlStateMessage(h, msg, wp, lp, state, result)) return true;
  if (msg == WM_ERASEBKGND) {
    *result = 1;
    return true;
  }
  if (msg != WM_PAINT) return false;
  paint(h, **state);
  *result = 0;
  return true;
}

// The top row that a WM_VSCROLL asks a list of rows for: a row or a page
// (page rows) up or down from top, the thumb's row, the first row, or
// bottom for SB_BOTTOM; top for other codes. The caller bounds it.
int ScrolledTop(WPARAM wp, int top, int page, int bottom);

// Registers a control class of the layer (global, with CS_DBLCLKS as given).
void RegisterControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor,
                          HBRUSH background = nullptr);

// WM_COMMAND with the control's id and the code, sent to its parent.
void NotifyParent(HWND ctl, int code);
// WM_NOTIFY with the header filled in; returns the parent's answer.
LRESULT NotifyParentNm(HWND ctl, NMHDR* hdr, UINT code);
// The window that gets a control's notifications (its parent; a combo
// box's list and edit report to the combo box).
HWND NotifyTarget(HWND ctl);

// WM_SETFONT / WM_GETFONT for controls; the font of a control (the
// default GUI font when none was set).
bool HandleFontMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
HFONT ControlFont(HWND h);
// Asks the parent for colours (WM_CTLCOLOR*), sets them on the DC and
// returns the background brush.
HBRUSH ControlColors(HWND ctl, HDC dc, UINT ctlColorMsg);

// Text with '&' mnemonics; disabled text embossed.
void DrawControlText(HDC dc, const std::string& text, RECT* r, UINT format, bool enabled);
// The mnemonic letter of a text ('&x'), upper case; 0 when none.
int MnemonicOf(const std::string& text);
std::string WindowTextOf(HWND h);
// Average character width and height of a font, as dialog base units.
SIZE FontBaseUnits(HFONT font);
// Height of one line of text in a font.
int FontLineHeight(HFONT font);

}  // namespace mirt_ui
