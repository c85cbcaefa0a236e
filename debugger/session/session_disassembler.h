// The disassembler of a board session: x86 code read through the
// session's target access, with planted breakpoints shown as the code
// they replaced, flagged by the session's breakpoint list, and source
// lines from the session's debug information.
#pragma once

#include <memory>

#include "disasm/disass_neighbours.h"
#include "disasm/listing_line.h"

class CSessionDisassembler {
 public:
  // Makes the session's disassembler the current one (g_pDisass) and
  // binds the line source to the session's breakpoints and debug
  // information.
  CSessionDisassembler();
  // Leaves no disassembler behind.
  ~CSessionDisassembler();
  CDisass* Disassembler() { return m_disass.get(); }

 private:
  class Target;
  class Breakpoints;
  class SourceInfo;
  std::unique_ptr<Target> m_target;
  std::unique_ptr<Breakpoints> m_breakpoints;
  std::unique_ptr<SourceInfo> m_sourceInfo;
  std::unique_ptr<CDisassx86> m_disass;
};
