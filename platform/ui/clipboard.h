// The clipboard: formats by number (CF_TEXT and friends, registered
// formats), data in global memory handles, shared with the desktop's
// clipboard for text.
#pragma once

#include "platform/base/winctrl.h"
#include "platform/ui/globalmem.h"
#include "platform/ui/wintypes.h"

BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);
UINT RegisterClipboardFormat(LPCSTR lpszFormat);
int GetClipboardFormatName(UINT format, LPSTR lpszFormatName, int cchMaxCount);
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

namespace mirt_ui {
// Text of the clipboard as bytes (CF_TEXT up to its NUL); false when none.
bool ClipboardText(std::string* out);
// Replaces the clipboard with text (CF_TEXT), as the controls copy.
bool SetClipboardText(HWND owner, const std::string& text);
}  // namespace mirt_ui
