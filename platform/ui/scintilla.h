// The editing component as the window class "Scintilla" (QScintilla behind
// it): the component's messages by number, sent with SendMessage, and its
// notifications as WM_NOTIFY to the parent with a SciNotification.
#pragma once
#include "platform/ui/wintypes.h"

#define SCINTILLA_CLASS "Scintilla"

// Messages (the component's numbers).
constexpr UINT SCI_ADDTEXT = 2001;
constexpr UINT SCI_CLEARALL = 2004;
constexpr UINT SCI_GETLENGTH = 2006;
constexpr UINT SCI_GETCURRENTPOS = 2008;
constexpr UINT SCI_SETUNDOCOLLECTION = 2012;
constexpr UINT SCI_SETSAVEPOINT = 2014;
constexpr UINT SCI_GOTOLINE = 2024;
constexpr UINT SCI_GOTOPOS = 2025;
constexpr UINT SCI_STYLESETFORE = 2051;
constexpr UINT SCI_STYLESETBACK = 2052;
constexpr UINT SCI_STYLESETSIZE = 2055;
constexpr UINT SCI_STYLESETFONT = 2056;
constexpr UINT SCI_SETCARETPERIOD = 2076;
constexpr UINT SCI_SETSTYLEBITS = 2090;
constexpr UINT SCI_GETSELECTIONSTART = 2143;
constexpr UINT SCI_GETSELECTIONEND = 2145;
constexpr UINT SCI_GETLINE = 2153;
constexpr UINT SCI_GETLINECOUNT = 2154;
constexpr UINT SCI_GETSELTEXT = 2161;
constexpr UINT SCI_LINEFROMPOSITION = 2166;
constexpr UINT SCI_REPLACESEL = 2170;
constexpr UINT SCI_CUT = 2177;
constexpr UINT SCI_COPY = 2178;
constexpr UINT SCI_PASTE = 2179;
constexpr UINT SCI_GETTEXT = 2182;
constexpr UINT SCI_CANCEL = 2325;
constexpr UINT SCI_LINELENGTH = 2350;
constexpr UINT SCI_SETLEXER = 4001;
constexpr UINT SCI_SETKEYWORDS = 4005;

// Notifications (codes of WM_NOTIFY).
constexpr UINT SCN_SAVEPOINTREACHED = 2002;
constexpr UINT SCN_SAVEPOINTLEFT = 2003;
constexpr UINT SCN_UPDATEUI = 2007;
constexpr UINT SCN_MODIFIED = 2008;

struct SciNotification {
  NMHDR nmhdr;
  LONG_PTR position = 0;     // SCN_MODIFIED
  int modificationType = 0;  // SCN_MODIFIED
  LONG_PTR length = 0;       // SCN_MODIFIED
  LONG_PTR linesAdded = 0;   // SCN_MODIFIED
  int updated = 0;           // SCN_UPDATEUI
};

// True when the editing component is present (its class can be made).
bool IsScintillaAvailable();
