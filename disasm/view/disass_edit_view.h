// The disassembly editor view: the editor view (SECEditViewOver) over the
// disassembly core. Printing reads the line source: the selection's lines,
// or those around the listed ones, with pages beginning only at lines
// inside the target's memory.
#pragma once

#include <string>
#include <vector>

#include "disasm/view/disass_edit_core.h"
#include "editor/view/seceditview.h"

// The update hint object of the disassembly editor.
class DisassEditHint : public CObject {
  DECLARE_DYNCREATE(DisassEditHint)
 public:
  int line = 0;
};

class DisassEditView : public SECEditViewOver<DisassEditCore<CView>> {
  DECLARE_DYNCREATE(DisassEditView)
 public:
  DisassEditView() = default;

  std::vector<PrintLine> PrintLayoutLines(int charsPerRow) override;
  std::string PrintedLineText(int n) override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
};
