// The disassembly core over the framework's view.
#include "disasm/view/disass_edit_core.h"

#include "disasm/view/disass_edit_core.inl"

template class DisassEditCore<CView>;

UINT DisassToEditCommand(UINT id) {
  if (id >= kDisassCommandFirst && id <= kDisassCommandLast) return id - kDisassCommandFirst + ID_EDIT_DOWN;
  return id;
}

int DisassMessageId(int editResult) {
  int id = editResult - EDIT_READ_ONLY + kDisassMessageFirst;
  return id >= kDisassMessageFirst && id <= kDisassMessageLast ? id : editResult;
}
