// The disassembly document: the read-only text model over the line source.
// At most one is open; g_bDisassemblyOpen tells the rest of the IDE.
#pragma once

#include "disasm/disass_edit.h"
#include "platform/afx/afx.h"

class CDisview0Doc : public CDocument {
  DECLARE_DYNCREATE(CDisview0Doc)
 public:
  CDisview0Doc();
  void OnCloseDocument() override;
  // File Open while the disassembly is active opens the main frame's dialog.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  static BOOL IsOpen();

  DisassEdit m_disassEdit;
};

extern BOOL g_bDisassemblyOpen;
