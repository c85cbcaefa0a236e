// Resource ids of the window framework: strings, commands and cursors.
// Texts of the string ids are built in (sec_strings.cpp) and a program's
// own string table may replace them.
#pragma once

#include "platform/afx/afxdefs.h"

// Strings.
#define IDS_SEC_PREVENT_DOCKING 20535  // status line during a bar drag
#define IDS_SEC_GRIPPER_CLOSE 20655
#define IDS_SEC_GRIPPER_EXPAND 20657
#define IDS_SEC_GRIPPER_CONTRACT 20658
// Tool bars and their customisation.
#define IDS_SEC_TOOLBAR_RESET 20536    // "&Reset" (a predefined bar's button)
#define IDS_SEC_TOOLBAR_DELETE 20537   // "&Delete" (a user bar's button)
#define IDS_SEC_MENUBAR_TITLE 20619    // "Menu bar"
#define IDS_SEC_TOOLBAR_TITLE_N 20674  // "ToolBar%d" (new user bars)
// Commands of a control bar's context menu (the strings of the same ids are the item texts).
#define ID_SEC_ALLOWDOCKING 43040
#define ID_SEC_HIDE 43041
#define ID_SEC_MDIFLOAT 43042
// Workspace commands the frames take and do nothing with (three ranges).
#define ID_SEC_WORKSPACE_FIRST 43007
#define ID_SEC_WORKSPACE_LAST 43009
#define ID_SEC_WORKSPACE2_FIRST 43012
#define ID_SEC_WORKSPACE2_LAST 43014
#define ID_SEC_WORKSPACE3_FIRST 43031
#define ID_SEC_WORKSPACE3_LAST 43039
// Splitter cursors of dock bars.
#define IDC_SEC_VSPLITBAR 30980
#define IDC_SEC_HSPLITBAR 30981
// The message a bar's dock site gets before the bar's context menu shows
// (wParam the bar, lParam the CMenu).
#define WM_SEC_BARCONTEXTMENU 0x38FF

// The text of a framework string: the program's string table first, else
// the built-in text.
CString SECLoadString(UINT nID);
