// What the source view asks of a running debug session. The session
// sets the process-wide port while it lives (null without a session).
#pragma once

#include "platform/base/windef.h"

class SourceDebugPort {
 public:
  virtual ~SourceDebugPort() = default;
  virtual void SetLineBreakpoint(const char* path, WORD line, BOOL set) = 0;
  virtual void SetIPToLine(const char* path, WORD line) = 0;
  virtual BOOL IsRunning() = 0;
};

extern SourceDebugPort* g_pSourceDebugPort;

// Messages the source view sends to the main window.
constexpr UINT WM_WATCH_SELECTION = 0x8000 + 7;  // WM_APP + 7: lParam the text
constexpr UINT WM_RUN_TO_CURSOR = 0x8000 + 10;   // WM_APP + 10
