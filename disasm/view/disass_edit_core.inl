// Members of DisassEditCore; disass_edit_core.cpp instantiates them.
#pragma once

#include <algorithm>

#include "debugger/segoff.h"
#include "disasm/mem_addr_list.h"
#include "disasm/view/disass_edit_core.h"
#include "disasm/view/disass_find_dlg.h"

template <class TBase>
DisassEditCore<TBase>::DisassEditCore() {
  m_window.onMade = &DisassEditCore::MarkMadeLine;
  m_window.onMadeContext = this;
}

template <class TBase>
DisassEditCore<TBase>::~DisassEditCore() = default;

template <class TBase>
void DisassEditCore<TBase>::MarkMadeLine(void* context, EditLine* line) {
  auto* self = static_cast<DisassEditCore*>(context);
  if (self->m_bookmarks.IsSet(line->lineNumber)) line->flags |= LINE_BOOKMARK;
}

template <class TBase>
EditLine* DisassEditCore<TBase>::JumpTo(int n) {
  this->m_bSelection = FALSE;
  this->m_pSelStartLine = this->m_pSelEndLine = this->m_pSelOriginLine = nullptr;
  this->m_findSequenceStart = {};
  EditLine* line = m_window.Restart(n);
  if (line == nullptr) return nullptr;
  this->m_pCaretLine = this->m_pTopLine = line;
  this->m_nCaretLine = this->m_nTopLine = n;
  if (this->m_hWnd != nullptr) this->Invalidate(FALSE);
  return line;
}

template <class TBase>
EditLine* DisassEditCore<TBase>::LineAt(int n) {
  n = std::clamp(n, 1, m_window.Count());
  EditLine* line = m_window.Line(n);
  return line != nullptr ? line : JumpTo(n);
}

template <class TBase>
EditLine* DisassEditCore<TBase>::NextLine(EditLine* line) {
  if (line->next != nullptr) return line->next;
  return line->lineNumber < m_window.Count() ? LineAt(line->lineNumber + 1) : nullptr;
}

template <class TBase>
EditLine* DisassEditCore<TBase>::PrevLine(EditLine* line) {
  if (line->prev != nullptr) return line->prev;
  return line->lineNumber > 1 ? LineAt(line->lineNumber - 1) : nullptr;
}

template <class TBase>
int DisassEditCore<TBase>::CountLines() {
  m_window.m_nLineCount = m_window.Count();
  return m_window.m_nLineCount;
}

// A walk covers the held lines, which reach at least a window beyond the
// caret line either way; never the whole address space.
template <class TBase>
EditLine* DisassEditCore<TBase>::PrepareWalk() {
  int caret = this->m_pCaretLine != nullptr ? this->m_pCaretLine->lineNumber : 1;
  if (!m_window.Holds(caret)) LineAt(caret);
  this->BeginWaitCursor();
  m_window.Line(std::max(1, caret - kWalkWindow));
  m_window.Line(std::min(m_window.Count(), caret + kWalkWindow));
  this->EndWaitCursor();
  return m_window.m_pLines;
}

template <class TBase>
void DisassEditCore<TBase>::SetBookmark(EditLine* line, BOOL set) {
  if (line == nullptr) return;
  if (set && !m_bookmarks.Set(line->lineNumber, TRUE)) return;
  if (!set) m_bookmarks.Set(line->lineNumber, FALSE);
  if (set) {
    line->flags |= LINE_BOOKMARK;
  } else {
    line->flags &= ~LINE_BOOKMARK;
  }
  m_window.m_nBookmarks = m_bookmarks.Count();
}

template <class TBase>
COLORREF DisassEditCore<TBase>::LineTextColor(EditLine* line) {
  DisassEdit* model = GetDisassEdit();
  if (model == nullptr) return m_window.m_crText;
  return (line->flags & LINE_SOURCE_TEXT) ? model->m_crText : model->m_crDisassembly;
}

template <class TBase>
OEFindDlg* DisassEditCore<TBase>::NewFindDialog() {
  return new DisassOEFindDlg;
}

template <class TBase>
int DisassEditCore<TBase>::DoError(int code, const char* argument, BOOL show) {
  Core::DoError(code, argument, show);
  return DisassMessageId(code);
}

template <class TBase>
int DisassEditCore<TBase>::DoError(int code, BOOL show) {
  Core::DoError(code, show);
  return DisassMessageId(code);
}

template <class TBase>
void DisassEditCore<TBase>::InitView() {
  if (DisassEdit* model = GetDisassEdit()) m_window.TakeSettings(*model);
  Core::InitView();
  m_window.m_nBookmarks = m_bookmarks.Count();
}

template <class TBase>
BOOL DisassEditCore<TBase>::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  nID = DisassToEditCommand(nID);
  bool run = nCode == CN_COMMAND && pHandlerInfo == nullptr;
  bool update = nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr;
  switch (nID) {
    case ID_EDIT_NEXT_BOOKMARK:
    case ID_EDIT_PREV_BOOKMARK:
      if (run && m_bookmarks.Count() > 0) {
        int from = this->m_nCaretLine;
        int line = nID == ID_EDIT_NEXT_BOOKMARK ? m_bookmarks.Next(from, BookmarkWrap::kYes)
                                                : m_bookmarks.Previous(from, BookmarkWrap::kYes);
        if (line != 0) CenterCaretLine(line);
        return TRUE;
      }
      break;
    case ID_EDIT_CLEAR_BOOKMARKS:
      if (run) {
        Core::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        m_bookmarks.Clear();
        m_window.m_nBookmarks = 0;
        return TRUE;
      }
      break;
    case ID_EDIT_BACKSPACE:
    case ID_EDIT_TAB:
    case ID_EDIT_BACKTAB:
    case ID_EDIT_ERASE:
      // Edits of the read-only text say so.
      if (run && m_window.IsReadOnly()) {
        DoError(EDIT_READ_ONLY, this->m_bRedraw);
        return TRUE;
      }
      break;
    case ID_EDIT_CUT_TEXT:
      // The text is read-only: Cut copies.
      if (m_window.IsReadOnly() && (run || update)) return Core::OnCmdMsg(ID_EDIT_COPY_TEXT, nCode, pExtra, pHandlerInfo);
      break;
    default:
      break;
  }
  return Core::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

template <class TBase>
BOOL DisassEditCore<TBase>::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // Lines made before a session began or ended are made again first.
  if (m_nMessageDepth == 0 && m_window.IsStale() && this->m_pTopLine != nullptr) ReloadLines();
  ++m_nMessageDepth;
  BOOL handled = Core::OnWndMsg(message, wParam, lParam, pResult);
  // Lines of earlier stretches, and held ones far away, go once nothing
  // is running that may hold one.
  if (--m_nMessageDepth == 0) {
    m_window.Release();
    TrimHeldLines();
  }
  return handled;
}

template <class TBase>
void DisassEditCore<TBase>::TrimHeldLines() {
  if (m_window.Size() <= kMaxHeld || this->m_pTopLine == nullptr || this->m_pCaretLine == nullptr) return;
  int low = std::min(this->m_pTopLine->lineNumber, this->m_pCaretLine->lineNumber);
  int high = std::max(this->m_pTopLine->lineNumber + this->Rows(), this->m_pCaretLine->lineNumber);
  for (EditLine* pinned : {this->m_pSelStartLine, this->m_pSelEndLine, this->m_pSelOriginLine,
                           this->m_findSequenceStart.line}) {
    if (pinned == nullptr) continue;
    low = std::min(low, pinned->lineNumber);
    high = std::max(high, pinned->lineNumber);
  }
  m_window.TrimTo(low - DisassLineWindow::kReach, high + DisassLineWindow::kReach);
}

template <class TBase>
BOOL DisassEditCore<TBase>::GoToAddress(DWORD linear) {
  if (g_pMemAddrList == nullptr) return FALSE;
  CAddr at;
  LinearToSegOff(at, linear);
  int n = g_pMemAddrList->LineFromAddress(&at);
  if (this->m_bSelection) this->ClearSelection(FALSE);
  // Lines made on the way from the held ones could show other code than
  // the address's listed line: start afresh there.
  EditLine* line = m_window.Holds(n) ? m_window.Line(n) : JumpTo(n);
  if (line == nullptr) return FALSE;
  this->SetTopLine(n, FALSE);
  this->m_pCaretLine = this->m_pTopLine;
  this->m_nCaretLine = this->m_nTopLine;
  this->m_nCaretColumn = 0;
  this->MakeCaretVisible();
  this->RepaintAll(FALSE);
  return TRUE;
}

template <class TBase>
void DisassEditCore<TBase>::CenterCaretLine(int line) {
  EditLine* target = LineAt(line);
  if (target != nullptr) this->GoToBookmark(target);
}

template <class TBase>
void DisassEditCore<TBase>::ShowLineAtTop(int line) {
  if (m_window.Count() < 1 || JumpTo(std::clamp(line, 1, m_window.Count())) == nullptr) return;
  if (this->m_hWnd != nullptr) this->UpdateWindow();
}

template <class TBase>
void DisassEditCore<TBase>::ReloadLines() {
  int top = this->m_nTopLine;
  int caret = this->m_nCaretLine;
  int column = this->m_nCaretColumn;
  JumpTo(std::clamp(top, 1, m_window.Count()));
  this->m_pCaretLine = LineAt(caret);
  this->m_nCaretLine = this->m_pCaretLine != nullptr ? this->m_pCaretLine->lineNumber : top;
  this->m_nCaretColumn = column;
  this->RefreshLineCount();
  if (this->m_hWnd != nullptr) this->Invalidate(FALSE);
}
