// Help: HTML Help calls over help files kept as folders of HTML pages
// beside the program ("x.chm" is the folder "x.chm" or "x"), shown by the
// desktop's browser when a person is there, recorded always.
#pragma once

#include <string>

#include "platform/ui/wintypes.h"

#define HH_DISPLAY_TOPIC 0x0000
#define HH_HELP_FINDER 0x0000
#define HH_DISPLAY_TOC 0x0001
#define HH_DISPLAY_INDEX 0x0002
#define HH_DISPLAY_SEARCH 0x0003
#define HH_HELP_CONTEXT 0x000F
#define HH_TP_HELP_CONTEXTMENU 0x0010
#define HH_TP_HELP_WM_HELP 0x0011
#define HH_CLOSE_ALL 0x0012

#define HELP_CONTEXT 0x0001
#define HELP_QUIT 0x0002
#define HELP_INDEX 0x0003
#define HELP_CONTENTS 0x0003
#define HELP_FINDER 0x000B

// The help window (one of the layer's windows, its text the page shown),
// or null when the file or topic does not exist.
HWND HtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
BOOL WinHelp(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);

namespace mirt_ui {
// The page a help call resolves to ("" when none): "file.chm::/topic.htm"
// or the file with the topic given separately.
std::string ResolveHelpPage(const char* file, const char* topic);
}  // namespace mirt_ui
