// Hooks of the current thread: a keyboard hook and a mouse hook see each key
// and mouse message as the thread's queue hands it out (a hook that answers
// non-zero swallows it), and message-filter hooks see the messages of the
// layer's modal loops (menus, dialogs) before they are dispatched.
#pragma once

#include "platform/base/windef.h"
#include "platform/ui/wintypes.h"

#define WH_MSGFILTER (-1)
#define WH_KEYBOARD 2
#define WH_MOUSE 7
#define HC_ACTION 0
// Message-filter codes: where the modal loop runs.
#define MSGF_DIALOGBOX 0
#define MSGF_MENU 2

typedef LRESULT (*HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

// For a mouse hook: lParam points at this; wParam is the message.
typedef struct tagMOUSEHOOKSTRUCT {
  POINT pt;  // screen coordinates
  HWND hwnd;
  UINT wHitTestCode;
  ULONG_PTR dwExtraInfo;
} MOUSEHOOKSTRUCT, *LPMOUSEHOOKSTRUCT;

// Installs a hook for the calling thread (the thread id 0 or the caller's; the
// module is ignored). The last one installed runs first.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL UnhookWindowsHookEx(HHOOK hhk);
// Runs the hooks after `hhk` in its chain; 0 past the last.
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
// Runs the thread's message-filter hooks; TRUE when one of them handled the message.
BOOL CallMsgFilter(LPMSG lpMsg, int nCode);

namespace mirt_ui {
// The queue asks before it hands out a key or mouse message: true when a
// keyboard or mouse hook swallowed it.
bool InputHooksSwallow(const MSG& msg);
}  // namespace mirt_ui
