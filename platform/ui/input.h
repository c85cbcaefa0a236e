// Input state: focus, activation, mouse capture, timers, key state,
// cursors and the mouse position.
#pragma once

#include "platform/ui/wintypes.h"

HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hWnd);
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);
SHORT GetKeyState(int nVirtKey);
SHORT GetAsyncKeyState(int vKey);
BOOL GetKeyboardState(PBYTE lpKeyState);
UINT GetDoubleClickTime();
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL SetCursorPos(int X, int Y);
int ShowCursor(BOOL bShow);
BOOL ClipCursor(const RECT* lpRect);
BOOL DragDetect(HWND hwnd, POINT pt);
