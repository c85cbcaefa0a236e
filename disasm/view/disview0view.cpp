#include "disasm/view/disview0view.h"

#include "debugger/segoff.h"
#include "disasm/disass_neighbours.h"
#include "disasm/mem_addr_list.h"
#include "debugger/session/debugger.h"

IMPLEMENT_DYNCREATE(CDisview0View, DisassEditView)

DisassEdit* CDisview0View::GetDisassEdit() {
  return GetDocument() != nullptr ? &GetDocument()->m_disassEdit : nullptr;
}

void CDisview0View::DrawLineMarker(CDC* dc, CRect* rect, EditLine* line) {
  // The breakpoint state is the line source's as of now.
  m_window.RefreshFlags(line);
  bool execution = m_nExecutionLine != 0 && line->lineNumber == m_nExecutionLine;
  m_marks.Draw(dc, *rect, MarginMarkOf(false, (line->flags & LINE_BREAKPOINT) != 0, execution));
  DisassEditView::DrawLineMarker(dc, rect, line);
}

BOOL CDisview0View::BuildContextMenu(CMenu* menu) {
  auto grey = [](bool off) { return off ? MF_GRAYED : 0u; };
  menu->AppendMenu(MF_STRING | grey(!CanUndo()), ID_EDIT_UNDO_TEXT, "&Undo");
  menu->AppendMenu(MF_STRING | grey(!CanRedo()), ID_EDIT_REDO_TEXT, "&Redo");
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING | grey(!m_bSelection), ID_EDIT_CUT_TEXT, "Cu&t");
  menu->AppendMenu(MF_STRING | grey(!m_bSelection), ID_EDIT_COPY_TEXT, "&Copy");
  bool canPaste = false;
  if (::OpenClipboard(m_hWnd)) {
    canPaste = ::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_OEMTEXT);
    ::CloseClipboard();
  }
  menu->AppendMenu(MF_STRING | grey(!canPaste), ID_EDIT_PASTE_TEXT, "&Paste");
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, ID_DISASS_RUN_TO_CURSOR, "Run To Cursor");
  menu->AppendMenu(MF_STRING, ID_DISASS_SET_IP, "Set Instruction Pointer");
  menu->AppendMenu(MF_STRING, ID_DISASS_TOGGLE_BREAKPOINT, "Toggle Breakpoint");
  return TRUE;
}

BOOL CDisview0View::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // Legend: the view's own commands and their handlers.
  struct Command {
    UINT id;
    void (CDisview0View::*run)();
  };
  static const Command kCommands[] = {
      {ID_DISASS_SET_IP, &CDisview0View::OnSetIPToCursor},
      {ID_DISASS_TOGGLE_BREAKPOINT, &CDisview0View::OnToggleBreakpoint},
      {ID_DISASS_RUN_TO_CURSOR, &CDisview0View::OnRunToCursor},
  };
  for (const Command& c : kCommands) {
    if (c.id != nID) continue;
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) {
      if (pExtra != nullptr) static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
      return TRUE;
    }
    if (nCode == CN_COMMAND && pHandlerInfo == nullptr) (this->*c.run)();
    return TRUE;
  }
  return DisassEditView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDisview0View::CursorLineAddress(DWORD* address) {
  if (g_pMemAddrList == nullptr) return FALSE;
  CMemAddrEntry entry;
  g_pMemAddrList->GetEntry(m_nCaretLine, entry);
  // A line never produced has no entry: its address is a guess.
  if (entry.Kind() == 0) return FALSE;
  *address = entry.address;
  return TRUE;
}

void CDisview0View::OnSetIPToCursor() {
  DWORD address = 0;
  if (g_pCurrentDebugger != nullptr && CursorLineAddress(&address))
    g_pCurrentDebugger->SetIPToAddress(address);
}

void CDisview0View::OnRunToCursor() {
  DWORD address = 0;
  if (g_pCurrentDebugger != nullptr && CursorLineAddress(&address)) g_pCurrentDebugger->RunToAddress(address);
}

void CDisview0View::OnToggleBreakpoint() {
  DWORD address = 0;
  // A gdb session has no breakpoint list of ours: nothing to toggle.
  if (g_pCurrentDebugger == nullptr || g_pDisassBreakpoints == nullptr || !CursorLineAddress(&address))
    return;
  CAddr at;
  LinearToSegOff(at, address);
  const uint8_t set = g_pDisassBreakpoints->IsBreakpointSet(&at) ? 0 : 1;
  g_pCurrentDebugger->SetAddressBreakpoint(address, set);
  RepaintLine(m_nCaretLine);
}

void CDisview0View::RepaintLine(int line) {
  if (m_hWnd == nullptr || m_nLineHeight <= 0) return;
  CRect row;
  GetClientRect(&row);
  int top = (line - m_nTopLine) * m_nLineHeight;
  if (top < row.top || top >= row.bottom) return;
  row.top = top;
  row.bottom = top + m_nLineHeight;
  InvalidateRect(&row, FALSE);
  UpdateViews(this, HINT_SCROLLED, nullptr);
}

void CDisview0View::MarkExecutionLine(BOOL set) {
  int old = m_nExecutionLine;
  m_nExecutionLine = set ? m_nCaretLine : 0;
  if (old != 0) RepaintLine(old);
  if (m_nExecutionLine != 0) RepaintLine(m_nExecutionLine);
}

void CDisview0View::RedrawAddressLine(DWORD linear) {
  if (g_pMemAddrList == nullptr) return;
  CAddr at;
  LinearToSegOff(at, linear);
  CMemAddrEntry entry;
  g_pMemAddrList->FindLine(&at, entry, TRUE);
  if (entry.Kind() == 0) return;
  RepaintLine(entry.line);
}
