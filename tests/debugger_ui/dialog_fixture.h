// Shared by the debugger window tests: a QApplication, typing into a
// control by messages, and pictures of windows in <build>/pictures/debugger.
#pragma once

#include <string>

#include "platform/ui/ui.h"

namespace dbgui_test {

void EnsureApp();
// Sends each character as WM_CHAR to the window.
void TypeChars(HWND h, const std::string& text);
// Sends WM_KEYDOWN for a virtual key.
void PressKey(HWND h, UINT key);
// The window's text.
std::string WindowText(HWND h);
// Writes the window, with its children, to <build>/pictures/debugger/<name>.png.
void SavePicture(HWND h, const std::string& name);

}  // namespace dbgui_test
