// The private messages through which the debugger's threads, the build
// reader and the source views report to the main frame. Sent messages may
// carry pointers to the sender's data; posted ones carry values only.
#pragma once

#include <cstdint>

#include "debugger/addr.h"
#include "platform/base/windef.h"

constexpr UINT kFrameMessageBase = 0x8000;  // WM_APP

constexpr UINT WM_OUTPUT_TEXT = kFrameMessageBase + 0;     // pane, text
constexpr UINT WM_DEBUG_FINISHED = kFrameMessageBase + 1;  // 0, text
constexpr UINT WM_CALLSTACK_TEXT = kFrameMessageBase + 2;  // 0, text
constexpr UINT WM_STOP_LOCATION = kFrameMessageBase + 3;   // 0, StopLocation*
constexpr UINT WM_WATCH_VALUE = kFrameMessageBase + 4;     // type text, value text
constexpr UINT WM_REGISTER_TEXT = kFrameMessageBase + 5;   // 0, text
constexpr UINT WM_PROGRAM_END = kFrameMessageBase + 6;     // posted
// + 7 WM_WATCH_SELECTION and + 10 WM_RUN_TO_CURSOR: the source view's
// (editor/view/sourcedebugport.h).
constexpr UINT WM_DISASSEMBLY_UPDATE = kFrameMessageBase + 8;   // posted, 0, linear address
constexpr UINT WM_DEBUG_ERROR_REQUEST = kFrameMessageBase + 9;  // 0, 0
constexpr UINT WM_KERNEL_NO_ANSWER = kFrameMessageBase + 11;    // posted
constexpr UINT WM_BUILD_OK = kFrameMessageBase + 12;            // 0, 0
constexpr UINT WM_BUILD_UP_TO_DATE = kFrameMessageBase + 13;    // 0, 0
constexpr UINT WM_BUILD_FAILED = kFrameMessageBase + 14;        // 0, 0
constexpr UINT WM_SYSTEM_CRASHED = kFrameMessageBase + 15;      // posted

// Output panes named by WM_OUTPUT_TEXT's wParam.
constexpr WPARAM kOutputPaneBuild = 0;
constexpr WPARAM kOutputPaneDebug = 1;

// Where the program stopped; owned by the sender.
struct StopLocation {
  const char* file = nullptr;  // as the debug information names it; may be null
  int16_t line = 0;            // 1-based, 0 when unknown
  CAddr address;
};
