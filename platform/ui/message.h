// The per-thread message queue: posting, sending (also across threads),
// retrieval with filters, dispatch, quit, waits that keep serving messages
// sent to the waiting thread, registered messages.
#pragma once

#include <functional>

#include "platform/ui/wintypes.h"

BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessage(const MSG* lpMsg);
BOOL WaitMessage();
BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL SendNotifyMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageTimeout(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout,
                           PDWORD_PTR lpdwResult);
BOOL InSendMessage();
DWORD GetQueueStatus(UINT flags);
BOOL GetInputState();
DWORD GetMessageTime();
DWORD GetMessagePos();
LONG GetMessageExtraInfo();
UINT RegisterWindowMessage(LPCSTR lpString);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);

// Dispatches every message already waiting (sent, posted, paint, due
// timers) without blocking; returns FALSE once WM_QUIT was seen.
BOOL PumpWaitingMessages();
// Serves messages sent to this thread by other threads.
void ServeSentMessages();
// Waits until `ready` returns true or the time-out (ms, INFINITE: none)
// passes, serving sent messages meanwhile; TRUE when ready.
BOOL WaitServingMessages(const std::function<bool()>& ready, DWORD dwMilliseconds);

#ifndef INFINITE
#define INFINITE 0xFFFFFFFF
#endif
