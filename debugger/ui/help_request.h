// F1 on a control of a debugger dialog: the control's help topic in a
// popup.
#pragma once

#include "platform/ui/ui.h"

// The record a help request (WM_HELP) carries in lParam.
struct DebuggerHelpInfo {
  UINT size;
  int contextType;  // kHelpOnWindow: a control asked
  int controlId;
  HANDLE item;
  DWORD_PTR contextId;
  POINT mouse;
};
constexpr int kHelpOnWindow = 1;
// HTML Help's popup mode for a control (the number of its command).
constexpr UINT kHtmlHelpPopupOnControl = 17;

// For a request on a control: opens `topic` ("file.chm::/page") of the
// program folder with the dialog's help-id table and returns true; other
// requests are left to the caller.
bool ShowControlHelp(void* info, const char* topic, const DWORD* helpIds);
