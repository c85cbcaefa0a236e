// The caret: one per thread, shown inverted on its window and blinking.
#pragma once

#include "platform/ui/wintypes.h"

BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
BOOL SetCaretPos(int X, int Y);
BOOL GetCaretPos(LPPOINT lpPoint);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT uMSeconds);
