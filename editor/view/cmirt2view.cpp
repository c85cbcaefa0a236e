#include "editor/view/cmirt2view.h"

#include <cstring>

#include "debugger/breakpoint_list.h"
#include "editor/view/sourcedebugport.h"

IMPLEMENT_DYNCREATE(CMirt2View, SECEditView)

SourceDebugPort* g_pSourceDebugPort = nullptr;

namespace {
constexpr int kWheelLines = 3;
}  // namespace

EditBuffer* CMirt2View::GetEditBuffer() {
  return GetDocument() != nullptr ? &GetDocument()->m_editBuffer : nullptr;
}

BOOL CMirt2View::OnPreparePrinting(CPrintInfo* info) { return SECEditView::OnPreparePrinting(info); }

void CMirt2View::DrawLineMarker(CDC* dc, CRect* rect, EditLine* line) {
  m_marks.Draw(dc, *rect,
               MarginMarkOf((line->flags & LINE_MESSAGE) != 0, (line->flags & LINE_BREAKPOINT) != 0,
                            (line->flags & LINE_EXECUTION) != 0));
  SECEditView::DrawLineMarker(dc, rect, line);
}

BOOL CMirt2View::BuildContextMenu(CMenu* menu) {
  EditBuffer* buf = GetEditBuffer();
  if (buf == nullptr) return FALSE;
  auto grey = [](bool off) { return off ? MF_GRAYED : 0u; };
  bool session = g_pSourceDebugPort != nullptr;
  menu->AppendMenu(MF_STRING | grey(!CanUndo()), ID_EDIT_UNDO_TEXT, "&Undo");
  menu->AppendMenu(MF_STRING | grey(!CanRedo()), ID_EDIT_REDO_TEXT, "&Redo");
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING | grey(!m_bSelection), ID_EDIT_CUT_TEXT, "Cu&t");
  menu->AppendMenu(MF_STRING | grey(!m_bSelection), ID_EDIT_COPY_TEXT, "&Copy");
  menu->AppendMenu(MF_STRING | grey(!CanPaste()), ID_EDIT_PASTE_TEXT, "&Paste");
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, ID_RUN_TO_CURSOR, "Run To Cursor");
  menu->AppendMenu(MF_STRING | grey(!session), ID_SET_IP_TO_CURSOR, "Set Instruction Pointer");
  menu->AppendMenu(MF_STRING | grey(session && g_pSourceDebugPort->IsRunning()), ID_TOGGLE_BREAKPOINT,
                   "Toggle Breakpoint");
  menu->AppendMenu(MF_STRING | grey(!session || !m_bSelection), ID_WATCH_SELECTION, "Watch Selection");
  return TRUE;
}

BOOL CMirt2View::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_MOUSEWHEEL) {
    short delta = static_cast<short>(HIWORD(wParam));
    for (int i = 0; i < kWheelLines; ++i) RunMove(delta < 0 ? ID_EDIT_DOWN : ID_EDIT_UP);
    if (pResult != nullptr) *pResult = 1;
    return TRUE;
  }
  return SECEditView::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CMirt2View::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  struct Command {
    UINT id;
    void (CMirt2View::*run)();
  };
  static const Command kCommands[] = {
      {ID_TOGGLE_BREAKPOINT, &CMirt2View::OnToggleBreakpoint},
      {ID_SET_IP_TO_CURSOR, &CMirt2View::OnSetIPToCursor},
      {ID_RUN_TO_CURSOR, &CMirt2View::OnRunToCursor},
      {ID_WATCH_SELECTION, &CMirt2View::OnWatchSelection},
  };
  for (const Command& c : kCommands) {
    if (c.id != nID) continue;
    if (nCode == CN_COMMAND) {
      if (pHandlerInfo == nullptr) (this->*c.run)();
      return TRUE;
    }
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr) {
      static_cast<CCmdUI*>(pExtra)->Enable(nID != ID_SET_IP_TO_CURSOR || g_pSourceDebugPort != nullptr);
      return TRUE;
    }
  }
  // Copy and Cut follow the selection in either mode.
  if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr &&
      (nID == ID_EDIT_COPY_TEXT || nID == ID_EDIT_CUT_TEXT)) {
    static_cast<CCmdUI*>(pExtra)->Enable(m_bSelection);
    return TRUE;
  }
  return SECEditView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMirt2View::RepaintLineRow(EditLine* line) {
  if (m_hWnd == nullptr || line == nullptr) return;
  CRect row = m_rcClient;
  row.top = (line->lineNumber - m_nTopLine) * m_nLineHeight;
  row.bottom = row.top + m_nLineHeight;
  InvalidateRect(&row, FALSE);
  SECEditView::UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
}

void CMirt2View::MarkExecutionLine(BOOL set) {
  if (set) {
    m_pExecLine = m_pCaretLine;
    if (m_pExecLine == nullptr) return;
    m_pExecLine->flags |= LINE_EXECUTION;
    RepaintLineRow(m_pExecLine);
    return;
  }
  // An edit may have deleted the marked line since: the mark is found by
  // its flag, never through the remembered line.
  m_pExecLine = nullptr;
  EditBuffer* buffer = GetEditBuffer();
  for (EditLine* line = buffer ? buffer->GetLine(1) : nullptr; line; line = line->next) {
    if (!(line->flags & LINE_EXECUTION)) continue;
    line->flags &= ~LINE_EXECUTION;
    RepaintLineRow(line);
  }
}

void CMirt2View::MarkMessageLine(BOOL set) {
  if (m_pCaretLine == nullptr) return;
  if (set) {
    m_pCaretLine->flags |= LINE_MESSAGE;
  } else {
    m_pCaretLine->flags &= ~LINE_MESSAGE;
  }
  RepaintLineRow(m_pCaretLine);
}

void CMirt2View::MarkBreakpointLine(WORD line) {
  EditBuffer* buf = GetEditBuffer();
  if (buf == nullptr) return;
  for (EditLine* l = buf->m_pLines; l != nullptr; l = l->next) {
    if (l->lineNumber == line) {
      l->flags |= LINE_BREAKPOINT;
      return;
    }
  }
}

void CMirt2View::ClearFlagEverywhere(UINT flag) {
  EditBuffer* buf = GetEditBuffer();
  if (buf == nullptr) return;
  for (EditLine* l = buf->m_pLines; l != nullptr; l = l->next) l->flags &= ~flag;
}

void CMirt2View::ClearBreakpointMarks() { ClearFlagEverywhere(LINE_BREAKPOINT); }
void CMirt2View::ClearMessageMarks() { ClearFlagEverywhere(LINE_MESSAGE); }

void CMirt2View::GetCursorLocation(CString& path, WORD& line) {
  path = GetDocument() != nullptr ? GetDocument()->GetPathName() : CString();
  line = static_cast<WORD>(m_nCaretLine);
}

void CMirt2View::GetSelectedText(CString& text, BOOL* column) {
  std::string clip = SelectionClipText();
  int blockLength = 0;
  const char* block = ColumnBlockText(clip.c_str(), static_cast<int>(clip.size()), &blockLength);
  if (column != nullptr) *column = block != nullptr;
  text = block != nullptr ? CString(block, blockLength) : CString(clip.c_str());
}

void CMirt2View::OnToggleBreakpoint() {
  if (m_pCaretLine == nullptr) return;
  m_pCaretLine->flags ^= LINE_BREAKPOINT;
  RepaintLineRow(m_pCaretLine);
  CString path;
  WORD line = 0;
  GetCursorLocation(path, line);
  BOOL set = (m_pCaretLine->flags & LINE_BREAKPOINT) != 0;
  CBreakpoint bp(path, line);
  if (set) {
    g_breakpointList.AddTail(bp);
  } else if (POSITION at = g_breakpointList.FindBreakpoint(bp)) {
    g_breakpointList.RemoveAt(at);
  }
  if (g_pSourceDebugPort != nullptr) g_pSourceDebugPort->SetLineBreakpoint(path, line, set);
}

void CMirt2View::OnSetIPToCursor() {
  if (g_pSourceDebugPort == nullptr) return;
  CString path;
  WORD line = 0;
  GetCursorLocation(path, line);
  g_pSourceDebugPort->SetIPToLine(path, line);
}

void CMirt2View::OnRunToCursor() {
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_RUN_TO_CURSOR, 0, 0);
}

void CMirt2View::OnWatchSelection() {
  CString text;
  GetSelectedText(text, nullptr);
  if (text.IsEmpty()) return;
  if (CWnd* main = AfxGetMainWnd()) {
    main->SendMessage(WM_WATCH_SELECTION, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text)));
  }
}
