// The user's source breakpoints, kept across sessions and saved beside the
// project in a breakpoint list file (".bpl": per breakpoint the file name
// and the line number, each on a line of its own).
#pragma once

#include <string>

#include "debugger/breakpoint.h"
#include "platform/base/coll_list.h"

class CBreakpointList : public CList<CBreakpoint, const CBreakpoint&> {
 public:
  CBreakpointList() : CList(10) {}

  // Writes the list to the ".bpl" file of the project and empties it; an
  // empty list deletes the file. False, after a message box that says why,
  // when the file cannot be written (the list is then kept).
  bool SaveBreakpoints(const char* projectPath);
  // Appends the breakpoints of the project's ".bpl" file; a missing file
  // adds nothing.
  void LoadBreakpoints(const char* projectPath);

  // The first breakpoint equal to `bp`, or null.
  POSITION FindBreakpoint(const CBreakpoint& bp) const;

  // The project path with its extension replaced by ".bpl".
  static std::string ListFilePath(const char* projectPath);
  // The file's text for the list, and the breakpoints of such a text.
  std::string ToText() const;
  void AppendFromText(const std::string& text);
};

extern CBreakpointList g_breakpointList;
