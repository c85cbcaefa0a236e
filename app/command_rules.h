// Which of the main frame's commands are enabled and checked: a pure
// function of the project, the debug session and the bars.
#pragma once

#include "platform/base/windef.h"

// What is in front in the MDI area.
enum class ActiveViewKind {
  kNone,    // no MDI child
  kSource,  // a source view
  kOther,   // any other view (the disassembly)
};

struct CommandContext {
  bool project = false;             // a project is open
  bool session = false;             // a debug session is active
  bool debugger = false;            // the current debugger exists
  bool running = false;             // the debugger reports the program running
  bool breakFlag = false;           // the debugger's break flag
  bool breakpointsAllowed = false;  // the debugger allows breakpoints now
  ActiveViewKind view = ActiveViewKind::kNone;
  bool callStackBarVisible = false;
  bool variableBarVisible = false;
  bool registersBarVisible = false;
  bool projectBarVisible = false;
  bool outputBarVisible = false;
  bool toolBarVisible = false;
  bool statusBarVisible = false;
  bool documentTabs = false;
  bool disassemblyOpen = false;
};

enum class CommandCheck { kUntouched, kUnchecked, kChecked };

struct CommandState {
  bool known = false;  // the id is one of the frame's rules
  bool enabled = false;
  CommandCheck check = CommandCheck::kUntouched;
};

CommandState CommandStateFor(UINT id, const CommandContext& context);
