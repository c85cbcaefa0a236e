// A source file read for the disassembly's source lines: a source document
// of the editor that no window shows.
#pragma once

#include <string>

#include "disasm/disass_neighbours.h"
#include "editor/view/cmirt2doc.h"

class CDisassSourceFile : public CDisassSourceDoc {
 public:
  BOOL LoadSourceFile(LPCSTR path) override;
  // The line without its line end; valid until the next call.
  LPCSTR GetLineText(int line) override;
  // The line source's factory of source documents.
  static CDisassSourceDoc* Create();

 private:
  CMirt2Doc m_doc;
  std::string m_line;
};
