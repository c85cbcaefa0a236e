// Helpers of the window-layer tests: a QApplication for the program, and
// synthesized Qt input sent to a window's widget.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "platform/ui/ui.h"

class CImageList;
class CWnd;

namespace ui_test {
void EnsureApp();

// The whole text of a dialog's control.
std::string ItemText(HWND dialog, int id);

// Fills `images` with two 16-pixel squares of the two colours, made on a
// bitmap compatible with the window's screen.
void MakeSquareImages(CWnd* wnd, CImageList& images, COLORREF first, COLORREF second);
// Clicks a dialog's push button by message (BN_CLICKED from the button).
void PressButton(HWND dialog, int id);
// The texts of the message boxes shown since the last call (which forgets them).
std::vector<std::string> TakeMessageBoxTexts();
// Mouse and key events as Qt delivers them (window coordinates).
void Mouse(HWND h, int type, int x, int y, int button, int buttons, int modifiers = 0);
void Key(HWND h, bool press, int qtKey, int modifiers, const std::string& text, bool autoRepeat = false);
// Pixels of a window's backing image, as COLORREF.
COLORREF Pixel(HWND h, int x, int y);
QImage Picture(HWND h);
// Registers a plain class (once) and makes a visible top-level window.
HWND MakeTop(int w, int h, DWORD style = WS_POPUP | WS_VISIBLE, WNDPROC proc = nullptr);

// WM_VSCROLL steps over a list of rows, each with the top row it must give,
// from the top: a row and a page each way, the thumb at `thumb`, the bottom
// (`lastTop` is the top row that shows the last row) and the top again.
// The steps send MAKEWPARAM(code, thumb).
struct ScrollStep {
  WORD code;
  int top;
};
std::vector<ScrollStep> ScrollSteps(int page, int lastTop, int thumb);

}  // namespace ui_test
