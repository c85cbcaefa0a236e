#include "app/command_rules.h"

#include "app/command_ids.h"

namespace {

// Enable rules. Legend:
//   Always, Never; Session, Project, NoProject, NoSession;
//   NoSessionProject  no session and a project;
//   SessionIdle       session and not running;
//   StartOrIdle       session: not running; no session: always;
//   Break             session, running and the break flag;
//   Breakpoint        a view and a project, and the debugger (if any) allows it;
//   SetIP             session, a view and not running;
//   RunToCursor       session: a view and not running; no session: a view;
//   SourceView        a source view is active.
enum class EnableRule {
  kAlways,
  kNever,
  kSession,
  kProject,
  kNoProject,
  kNoSession,
  kNoSessionProject,
  kSessionIdle,
  kStartOrIdle,
  kBreak,
  kBreakpoint,
  kSetIP,
  kRunToCursor,
  kSourceView,
};

// Check rules. Legend: None leaves the check alone; the others check the
// command while the named bar is visible (Session...: only in a session).
enum class CheckRule {
  kNone,
  kSessionCallStack,
  kOutput,
  kSessionVariable,
  kProjectBar,
  kToolBar,
  kStatusBar,
  kSessionDisassembly,
  kSessionRegisters,
  kDocumentTabs,
};

struct CommandRule {
  UINT id;
  EnableRule enable;
  CheckRule check;
};

constexpr CommandRule kCommandRules[] = {
    {ID_VIEW_CALLSTACK, EnableRule::kSession, CheckRule::kSessionCallStack},
    {ID_VIEW_OUTPUT, EnableRule::kAlways, CheckRule::kOutput},
    {ID_VIEW_VARIABLES, EnableRule::kSession, CheckRule::kSessionVariable},
    {ID_VIEW_PROJECT_TREE, EnableRule::kProject, CheckRule::kProjectBar},
    {ID_VIEW_TOOLBAR, EnableRule::kAlways, CheckRule::kToolBar},
    {ID_VIEW_STATUS_BAR, EnableRule::kAlways, CheckRule::kStatusBar},
    {ID_VIEW_DISASSEMBLY, EnableRule::kSession, CheckRule::kSessionDisassembly},
    {ID_VIEW_MEMORY, EnableRule::kSession, CheckRule::kNone},
    {ID_VIEW_REGISTERS, EnableRule::kSession, CheckRule::kSessionRegisters},
    {ID_VIEW_DOCUMENT_TABS, EnableRule::kAlways, CheckRule::kDocumentTabs},
    {ID_PROJECT_INSERT_FILE, EnableRule::kProject, CheckRule::kNone},
    {ID_PROJECT_MAKE, EnableRule::kProject, CheckRule::kNone},
    {ID_PROJECT_BUILD_ALL, EnableRule::kProject, CheckRule::kNone},
    {ID_PROJECT_INSTALL, EnableRule::kNoSessionProject, CheckRule::kNone},
    {ID_PROJECT_CLOSE, EnableRule::kProject, CheckRule::kNone},
    {ID_PROJECT_NEW, EnableRule::kNoProject, CheckRule::kNone},
    {ID_PROJECT_OPEN, EnableRule::kNoProject, CheckRule::kNone},
    {ID_PROJECT_SETTINGS, EnableRule::kProject, CheckRule::kNone},
    {ID_RECENT_PROJECT_FIRST, EnableRule::kNoProject, CheckRule::kNone},
    {ID_RECENT_PROJECT_FIRST + 1, EnableRule::kNoProject, CheckRule::kNone},
    {ID_RECENT_PROJECT_FIRST + 2, EnableRule::kNoProject, CheckRule::kNone},
    {ID_RECENT_PROJECT_LAST, EnableRule::kNoProject, CheckRule::kNone},
    {ID_DEBUG_IO_PORTS, EnableRule::kSession, CheckRule::kNone},
    {ID_DEBUG_NOTHING, EnableRule::kNever, CheckRule::kNone},
    {ID_DEBUG_TRACE_INTO, EnableRule::kStartOrIdle, CheckRule::kNone},
    {ID_DEBUG_STEP_OVER, EnableRule::kStartOrIdle, CheckRule::kNone},
    {ID_DEBUG_GO, EnableRule::kStartOrIdle, CheckRule::kNone},
    {ID_DEBUG_STEP_OUT, EnableRule::kSessionIdle, CheckRule::kNone},
    {ID_DEBUG_RESET, EnableRule::kSessionIdle, CheckRule::kNone},
    {ID_DEBUG_END, EnableRule::kSession, CheckRule::kNone},
    {ID_DEBUG_START, EnableRule::kNoSession, CheckRule::kNone},
    {ID_DEBUG_BREAK, EnableRule::kBreak, CheckRule::kNone},
    {ID_DEBUG_TOGGLE_BREAKPOINT, EnableRule::kBreakpoint, CheckRule::kNone},
    {ID_DEBUG_EDIT_BREAKPOINTS, EnableRule::kBreakpoint, CheckRule::kNone},
    {ID_DEBUG_WATCH_EXPRESSION, EnableRule::kSession, CheckRule::kNone},
    {ID_DEBUG_WATCH_SELECTION, EnableRule::kSession, CheckRule::kNone},
    {ID_DEBUG_OPEN_DEBUGEE, EnableRule::kNoSession, CheckRule::kNone},
    {ID_DEBUG_SET_IP, EnableRule::kSetIP, CheckRule::kNone},
    {ID_DEBUG_RUN_TO_CURSOR, EnableRule::kRunToCursor, CheckRule::kNone},
    {ID_HELP_MIRT, EnableRule::kAlways, CheckRule::kNone},
    {ID_FILE_SAVE, EnableRule::kSourceView, CheckRule::kNone},
    {ID_FILE_SAVE_AS, EnableRule::kSourceView, CheckRule::kNone},
    {ID_FILE_PRINT, EnableRule::kSourceView, CheckRule::kNone},
    {ID_FILE_PRINT_PREVIEW, EnableRule::kSourceView, CheckRule::kNone},
    {ID_FILE_PAGE_SETUP, EnableRule::kSourceView, CheckRule::kNone},
    {ID_INDICATOR_LINE, EnableRule::kAlways, CheckRule::kNone},
};

bool RuleEnabled(EnableRule rule, const CommandContext& c) {
  const bool view = c.view != ActiveViewKind::kNone;
  switch (rule) {
    case EnableRule::kAlways:
      return true;
    case EnableRule::kNever:
      return false;
    case EnableRule::kSession:
      return c.session;
    case EnableRule::kProject:
      return c.project;
    case EnableRule::kNoProject:
      return !c.project;
    case EnableRule::kNoSession:
      return !c.session;
    case EnableRule::kNoSessionProject:
      return !c.session && c.project;
    case EnableRule::kSessionIdle:
      return c.session && !c.running;
    case EnableRule::kStartOrIdle:
      return !c.session || !c.running;
    case EnableRule::kBreak:
      return c.session && c.running && c.breakFlag;
    case EnableRule::kBreakpoint:
      return view && c.project && (!c.debugger || c.breakpointsAllowed);
    case EnableRule::kSetIP:
      return c.session && view && !c.running;
    case EnableRule::kRunToCursor:
      return c.session ? view && !c.running : view;
    case EnableRule::kSourceView:
      return c.view == ActiveViewKind::kSource;
  }
  return false;
}

CommandCheck RuleCheck(CheckRule rule, const CommandContext& c) {
  auto check = [](bool on) { return on ? CommandCheck::kChecked : CommandCheck::kUnchecked; };
  switch (rule) {
    case CheckRule::kNone:
      return CommandCheck::kUntouched;
    case CheckRule::kSessionCallStack:
      return check(c.session && c.callStackBarVisible);
    case CheckRule::kOutput:
      return check(c.outputBarVisible);
    case CheckRule::kSessionVariable:
      return check(c.session && c.variableBarVisible);
    case CheckRule::kProjectBar:
      return check(c.projectBarVisible);
    case CheckRule::kToolBar:
      return check(c.toolBarVisible);
    case CheckRule::kStatusBar:
      return check(c.statusBarVisible);
    case CheckRule::kSessionDisassembly:
      return check(c.session && c.disassemblyOpen);
    case CheckRule::kSessionRegisters:
      return check(c.session && c.registersBarVisible);
    case CheckRule::kDocumentTabs:
      return check(c.documentTabs);
  }
  return CommandCheck::kUntouched;
}

}  // namespace

CommandState CommandStateFor(UINT id, const CommandContext& context) {
  for (const CommandRule& rule : kCommandRules)
    if (rule.id == id)
      return CommandState{true, RuleEnabled(rule.enable, context), RuleCheck(rule.check, context)};
  return CommandState{};
}
