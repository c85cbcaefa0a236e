// Searching the disassembly text for a plain text or a regular expression,
// line by line from the line source. The matching within a line is the
// editor's (FindInLine); only the walk over numbered lines is ours. A
// search never walks past its end position, so a caller bounds it to the
// lines worth decoding (DisassBoundedRange).
#pragma once

#include <string>

#include "disasm/disass_pos.h"
#include "editor/textsearch.h"
#include "platform/base/windef.h"

// The lines a search reads.
class DisassTextLines {
 public:
  virtual ~DisassTextLines() = default;
  // The line's text without a line end ("" past the text).
  virtual std::string LineText(int line) = 0;
};

// The lines of the line source (g_pMemAddrList); blank without one.
class MemAddrTextLines : public DisassTextLines {
 public:
  std::string LineText(int line) override;
};

// Searches from start towards end: forward (FIND_FORWARD) up to end's
// offset on end's line, backward down to it. On a match start is moved to
// it and request->matchLength set; FALSE when there is none or the pattern
// does not compile.
BOOL DisassSearchText(DisassTextLines& lines, DisassPos& start, DisassPos end, FindRecord* request);
