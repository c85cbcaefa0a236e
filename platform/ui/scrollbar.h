// Scroll bars: the built-in bars of windows with WS_HSCROLL/WS_VSCROLL and
// scroll-bar controls (class "SCROLLBAR", SB_CTL).
#pragma once

#include "platform/ui/wintypes.h"

#define SBM_SETPOS 0x00E0
#define SBM_GETPOS 0x00E1
#define SBM_SETRANGE 0x00E2
#define SBM_SETRANGEREDRAW 0x00E6
#define SBM_GETRANGE 0x00E3
#define SBM_ENABLE_ARROWS 0x00E4
#define SBM_SETSCROLLINFO 0x00E9
#define SBM_GETSCROLLINFO 0x00EA

int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi);
int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
int GetScrollPos(HWND hWnd, int nBar);
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos);
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);
BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);
