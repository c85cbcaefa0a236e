// What printing the disassembly covers: the selection's lines, or the
// lines worth reading around the listed ones (never all 524,291 lines of
// the address space), and those lines laid out for pagination, pages
// beginning only at lines inside the target's memory.
#pragma once

#include <vector>

#include "disasm/disass_region.h"
#include "editor/pagelayout.h"

class CMemAddrList;

// Which lines a print job covers.
enum class DisassPrintScope { kAll, kSelection };

// The selection as printing sees it (lines 0 when there is none).
struct DisassPrintSelection {
  int startLine = 0;
  int endLine = 0;
  int endColumn = 0;
};

// The lines to print; a selection that ends at column 0 of a line stops
// at the line before it.
DisassLineRange DisassPrintRange(CMemAddrList* list, DisassPrintScope scope,
                                 const DisassPrintSelection& selection, int caretLine);

// The lines of a range with their lengths, for ComputePageStarts.
std::vector<PrintLine> DisassPrintLines(CMemAddrList* list, const DisassLineRange& range);
