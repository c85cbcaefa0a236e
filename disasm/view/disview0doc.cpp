#include "disasm/view/disview0doc.h"

#include "disasm/disass_neighbours.h"
#include "disasm/mem_addr_list.h"
#include "disasm/view/disass_source_file.h"

BOOL g_bDisassemblyOpen = FALSE;

IMPLEMENT_DYNCREATE(CDisview0Doc, CDocument)

CDisview0Doc::CDisview0Doc() {
  m_disassEdit.SetReadOnly(TRUE);
  // The line source reads source lines through the editor's documents.
  if (g_pfnNewDisassSourceDoc == nullptr) g_pfnNewDisassSourceDoc = CDisassSourceFile::Create;
  g_bDisassemblyOpen = TRUE;
  SetTitle("disassembly");
}

void CDisview0Doc::OnCloseDocument() {
  g_bDisassemblyOpen = FALSE;
  // The closing deletes this document: keep nothing of it afterwards.
  CDocument::OnCloseDocument();
  delete g_pMemAddrList;
  g_pMemAddrList = nullptr;
}

BOOL CDisview0Doc::IsOpen() { return g_bDisassemblyOpen; }

BOOL CDisview0Doc::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nID == ID_FILE_OPEN && nCode == CN_COMMAND && g_pDisassMainFrame != nullptr) {
    if (pHandlerInfo == nullptr) g_pDisassMainFrame->OpenFileWithDialog();
    return TRUE;
  }
  return CDocument::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
