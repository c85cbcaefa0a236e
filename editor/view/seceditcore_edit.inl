// Editor core: typing and the editing commands.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/view/seceditcore.h"

namespace seceditcore_detail {
// Brackets a multi-step edit in one undo group, ended on every path.
class UndoGroup {
 public:
  explicit UndoGroup(EditBuffer* buffer) : m_buffer(buffer) { m_buffer->BeginUndoGroup(); }
  ~UndoGroup() { m_buffer->EndUndoGroup(); }
  UndoGroup(const UndoGroup&) = delete;
  UndoGroup& operator=(const UndoGroup&) = delete;

 private:
  EditBuffer* m_buffer;
};

inline bool PrimaryButtonHeld() { return ::GetKeyState(VK_LBUTTON) < 0; }
}  // namespace seceditcore_detail

template <class TBase>
BOOL SECEditCore<TBase>::IsDelimiterChar(EditBuffer* buffer, char c) {
  auto last = [c](const char* s) { return s[0] != '\0' && s[std::strlen(s) - 1] == c; };
  if (last(buffer->m_szCommentStart1) || last(buffer->m_szCommentEnd1) || last(buffer->m_szCommentStart2) ||
      last(buffer->m_szCommentEnd2)) {
    return TRUE;
  }
  for (const DelimiterPair& pair : buffer->m_delimiterPairs) {
    if (pair.start.IsEmpty() || pair.end.IsEmpty()) continue;
    for (const CString* s : {&pair.start, &pair.end}) {
      if ((*s)[0] == c || (*s)[s->GetLength() - 1] == c) return TRUE;
    }
  }
  return FALSE;
}

template <class TBase>
void SECEditCore<TBase>::RepaintForChar(char c) {
  EditBuffer* buf = Buf();
  if (!m_bRedraw || buf == nullptr) return;
  if (buf->m_bChroma && (c == '"' || c == '\'' || IsDelimiterChar(buf, c))) {
    RepaintAll(FALSE);
  } else {
    RepaintRow(m_nCaretLine - m_nTopLine);
  }
}

template <class TBase>
void SECEditCore<TBase>::FinishTextChange(BOOL redraw) {
  SyncLineCount();
  if (redraw) {
    MakeCaretVisible();
    RepaintAll(FALSE);
  }
}

template <class TBase>
void SECEditCore<TBase>::ProcessChar(UINT ch, UINT, UINT) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return;
  if (seceditcore_detail::PrimaryButtonHeld() || buf->IsReadOnly()) return;
  if (ch == 27) {
    if (m_bSelection) ClearSelection(m_bRedraw);
    return;
  }
  if (ch == 13) {
    seceditcore_detail::UndoGroup group(buf);
    if (m_bSelection) {
      int result = CopySelection();
      if (result == 0) result = DeleteSelection(m_bRedraw, TRUE);
      if (result != 0) DoError(result, m_bRedraw);
    }
    int result = NewLine(TRUE, TRUE);
    if (result != 0) DoError(result, m_bRedraw);
    return;
  }
  if (ch < 32 || ch == 127 || ch > 255) return;
  char c = static_cast<char>(ch);
  seceditcore_detail::UndoGroup group(buf);
  if (EndColumn(m_pCaretLine) >= kMaxColumn) {
    DoError(EDIT_LINE_TOO_LONG, m_bRedraw);
    return;
  }
  if (m_bSelection) DeleteSelection(m_bRedraw, TRUE);
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  // Padding first, so that the caret knows where the character went.
  int result = buf->PadToOffset(at, TRUE);
  if (result == 0) result = buf->InsertChar(at, c, buf->m_bInsertMode, TRUE);
  if (result == 0) {
    RepaintForChar(c);
    if (m_bRedraw) UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
    // The caret goes one cell on, as the Right command moves.
    m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, at.offset + 1);
    if (m_bRedraw) MakeCaretVisible();
  } else {
    DoError(result, m_bRedraw);
  }
}

template <class TBase>
int SECEditCore<TBase>::NewLine(BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return EDIT_NO_TEXT;
  if (buf->IsReadOnly()) return EDIT_READ_ONLY;
  seceditcore_detail::UndoGroup group(buf);
  if (redraw) MakeCaretVisible();
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  int result = buf->SplitLine(at, record);
  if (result != 0) return result;
  ++buf->m_nLineCount;  // the split added one line
  int oldRow = m_nCaretLine - m_nTopLine;
  if (m_pCaretLine->next != nullptr) {
    m_pCaretLine = m_pCaretLine->next;
    ++m_nCaretLine;
    if (oldRow == Rows() - 1 && m_pTopLine->next != nullptr) {
      m_pTopLine = m_pTopLine->next;
      ++m_nTopLine;
      if (redraw && this->m_hWnd != nullptr) this->ScrollWindow(0, -m_nLineHeight, nullptr, nullptr);
    }
  }
  UpdateViews(this, HINT_SCROLLED, nullptr);
  m_nCaretColumn = 0;
  if (buf->m_bAutoIndent) AutoIndent(record);
  if (redraw) {
    RepaintFromRow(m_nCaretLine - m_nTopLine - 1);
    RefreshLineCount();
    MakeCaretVisible();
    UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  }
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::AutoIndent(BOOL record) {
  EditBuffer* buf = Buf();
  auto firstText = [&](EditLine* l) {
    int n = buf->ContentLength(l);
    for (int i = 0; i < n; ++i) {
      if (l->text[i] != ' ' && l->text[i] != '\t') return i;
    }
    return -1;
  };
  EditLine* ref = m_pCaretLine->prev;
  while (ref != nullptr && firstText(ref) < 0) ref = ref->prev;
  if (ref == nullptr) return 0;
  int indent = buf->OffsetToColumn(ref, firstText(ref));
  int lead = firstText(m_pCaretLine);
  if (lead < 0) {
    m_nCaretColumn = indent;
    return 0;
  }
  int width = buf->OffsetToColumn(m_pCaretLine, lead);
  if (width > indent) {
    // Remove leading white space until the text starts at the indent.
    int keep = buf->ColumnToOffset(m_pCaretLine, indent);
    EditPos at{m_pCaretLine, keep};
    buf->DeleteChars(at, lead - keep, record);
    width = buf->OffsetToColumn(m_pCaretLine, firstText(m_pCaretLine));
  }
  if (width < indent) {
    int d = indent - width;
    std::string pad;
    if (buf->m_bKeepTabs) {
      int tab = std::max(buf->m_nTabSize, 1);
      pad.assign(d / tab, '\t');
      pad.append(d % tab, ' ');
    } else {
      pad.assign(d, ' ');
    }
    EditPos at{m_pCaretLine, 0};
    buf->InsertString(at, pad.c_str(), TRUE, record);
  }
  m_nCaretColumn = indent;
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::DeleteSelection(BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pSelStartLine == nullptr || m_pSelEndLine == nullptr) return EDIT_NO_TEXT;
  if (m_nSelMode == SEL_COLUMN) return DeleteColumnSelection(redraw, record);
  if (m_pSelStartLine == m_pSelEndLine && m_nSelStartColumn == m_nSelEndColumn) return EDIT_NO_TEXT;
  EditPos start{m_pSelStartLine, ColumnOffset(m_pSelStartLine, m_nSelStartColumn)};
  EditPos end{m_pSelEndLine, ColumnOffset(m_pSelEndLine, m_nSelEndColumn)};
  start.offset = std::min(start.offset, buf->ContentLength(start.line));
  end.offset = std::min(end.offset, buf->ContentLength(end.line));
  bool spanned = start.line != end.line;
  if (start.line == end.line && start.offset == end.offset) {
    ClearSelection(redraw);
    return 0;
  }
  int result = buf->DeleteRange(start, end, record);
  if (result != 0) return result;
  m_pCaretLine = start.line;
  m_nCaretLine = start.line->lineNumber;
  m_nCaretColumn = buf->OffsetToColumn(start.line, start.offset);
  ClearSelection(FALSE);
  if (spanned) {
    RevalidateTopLine(m_pCaretLine);
    SyncLineCount();
  }
  if (redraw) {
    SECEditHint hint;
    hint.line = m_pCaretLine;
    UpdateViews(nullptr, HINT_LINES_REMOVED, &hint);
    FinishTextChange(TRUE);
  }
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::DeleteColumnSelection(BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pSelStartLine == nullptr || m_pSelEndLine == nullptr) return EDIT_NO_TEXT;
  // Corners by line order, columns ordered left to right.
  bool startFirst = m_pSelStartLine->lineNumber <= m_pSelEndLine->lineNumber;
  EditLine* top = startFirst ? m_pSelStartLine : m_pSelEndLine;
  EditLine* bottom = startFirst ? m_pSelEndLine : m_pSelStartLine;
  int left = std::min(m_nSelStartColumn, m_nSelEndColumn);
  int right = std::max(m_nSelStartColumn, m_nSelEndColumn);
  EditPos c1{top, ColumnOffset(top, left)};
  EditPos c2{bottom, ColumnOffset(top, right) - ColumnOffset(top, left) + ColumnOffset(bottom, left)};
  int result = left == right ? 0 : buf->DeleteColumnBlock(c1, c2, record);
  if (result != 0) return result;
  m_pCaretLine = top;
  m_nCaretLine = top->lineNumber;
  m_nCaretColumn = left;
  ClearSelection(FALSE);
  if (redraw) {
    FinishTextChange(TRUE);
    SECEditHint hint;
    hint.line = m_pCaretLine;
    UpdateViews(nullptr, HINT_LINES_REMOVED, &hint);
  }
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::DeleteAtCaret(BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return EDIT_NO_TEXT;
  if (m_bSelection) return DeleteSelection(redraw, record);
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  char removed = at.offset < buf->ContentLength(m_pCaretLine) ? m_pCaretLine->text[at.offset] : '\0';
  int result = buf->DeleteChar(at, record);
  if (result == EDIT_JOIN_LINE) {
    result = buf->JoinLines(at, record);
    if (result == EDIT_END_OF_FILE) return 0;
    if (result != 0) return result;
    m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, at.offset);
    buf->m_nLineCount = buf->Renumber(buf->m_pLines);
    if (redraw) {
      RepaintFromRow(m_nCaretLine - m_nTopLine);
      SECEditHint hint;
      hint.line = m_pCaretLine;
      UpdateViews(nullptr, HINT_LINES_REMOVED, &hint);
      RefreshLineCount();
    }
    return 0;
  }
  if (result != 0) return result;
  if (redraw) {
    RepaintForChar(removed);
    PositionCaret();
    SECEditHint hint;
    hint.line = m_pCaretLine;
    UpdateViews(this, HINT_LINES_REMOVED, &hint);
  }
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::JoinWithNextLine(BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  int result = buf->JoinLines(at, record);
  if (result != 0) return result;
  buf->m_nLineCount = buf->Renumber(buf->m_pLines);
  if (redraw) {
    RepaintFromRow(m_nCaretLine - m_nTopLine);
    RefreshLineCount();
    MakeCaretVisible();
    SECEditHint hint;
    hint.line = m_pCaretLine;
    UpdateViews(nullptr, HINT_LINES_REMOVED, &hint);
  }
  return 0;
}

template <class TBase>
void SECEditCore<TBase>::OnEditClear() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->IsReadOnly()) return;
  int result = DeleteAtCaret(m_bRedraw, TRUE);
  if (result != 0) DoError(result, m_bRedraw);
}

template <class TBase>
void SECEditCore<TBase>::OnBackspace() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->IsReadOnly() || m_pCaretLine == nullptr) return;
  if (m_bSelection) {
    int result = DeleteSelection(m_bRedraw, TRUE);
    if (result != 0) DoError(result, m_bRedraw);
    return;
  }
  int end = EndColumn(m_pCaretLine);
  if (m_nCaretColumn > 0 && m_nCaretColumn > end) {
    m_nCaretColumn = SnapColumn(m_pCaretLine, m_nCaretColumn - 1);
    if (m_nCaretColumn > end && !m_bFreeCursor) m_nCaretColumn = end;
    MakeCaretVisible();
    UpdateViews(this, HINT_SCROLLED, nullptr);
    return;
  }
  if (m_nCaretColumn > 0) {
    int offset = ColumnOffset(m_pCaretLine, m_nCaretColumn);
    EditPos at{m_pCaretLine, offset - 1};
    char removed = m_pCaretLine->text[offset - 1];
    int result = buf->DeleteChar(at, TRUE);
    if (result == 0) {
      m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, offset - 1);
      RepaintForChar(removed);
      if (m_bRedraw) MakeCaretVisible();
      UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
      return;
    }
    if (result != EDIT_JOIN_LINE) {
      DoError(result, m_bRedraw);
      return;
    }
  }
  if (m_pCaretLine->prev == nullptr) return;
  if (m_nCaretLine == m_nTopLine) {
    m_pTopLine = m_pTopLine->prev;
    --m_nTopLine;
    if (m_bRedraw) ScrollRows(-1);
  }
  m_pCaretLine = m_pCaretLine->prev;
  --m_nCaretLine;
  UpdateViews(this, HINT_SCROLLED, nullptr);
  m_nCaretColumn = EndColumn(m_pCaretLine);
  int result = JoinWithNextLine(m_bRedraw, TRUE);
  if (result != 0) DoError(result, m_bRedraw);
}

template <class TBase>
void SECEditCore<TBase>::OnTab() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->IsReadOnly() || m_pCaretLine == nullptr) return;
  if (m_bSelection) {
    int result = IndentSelection(FALSE, m_bRedraw, TRUE);
    if (result != 0) DoError(result, m_bRedraw);
    return;
  }
  int tab = std::max(buf->m_nTabSize, 1);
  seceditcore_detail::UndoGroup group(buf);
  if (buf->m_bKeepTabs) {
    if (EndColumn(m_pCaretLine) + tab >= kMaxColumn) {
      DoError(EDIT_LINE_TOO_LONG, m_bRedraw);
      return;
    }
    EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
    int result = buf->InsertChar(at, '\t', TRUE, TRUE);
    if (result != 0) {
      DoError(result, m_bRedraw);
      return;
    }
    m_nCaretColumn = (m_nCaretColumn / tab + 1) * tab;
  } else {
    int offset = ColumnOffset(m_pCaretLine, m_nCaretColumn);
    int n = tab - offset % tab;
    for (int i = 0; i < n; ++i) {
      EditPos at{m_pCaretLine, offset + i};
      int result = buf->InsertChar(at, ' ', TRUE, TRUE);
      if (result != 0) {
        DoError(result, m_bRedraw);
        break;
      }
    }
    m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, offset + n);
  }
  if (m_bRedraw) {
    RepaintRow(m_nCaretLine - m_nTopLine);
    MakeCaretVisible();
    UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  }
}

template <class TBase>
void SECEditCore<TBase>::OnBackTab() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return;
  if (m_bSelection) {
    if (buf->IsReadOnly()) return;
    int result = IndentSelection(TRUE, m_bRedraw, TRUE);
    if (result != 0) DoError(result, m_bRedraw);
    return;
  }
  int tab = std::max(buf->m_nTabSize, 1);
  int column = m_nCaretColumn % tab == 0 ? m_nCaretColumn - tab : m_nCaretColumn / tab * tab;
  m_nCaretColumn = std::max(column, 0);
  MakeCaretVisible();
}

template <class TBase>
int SECEditCore<TBase>::IndentSelection(BOOL outdent, BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  seceditcore_detail::UndoGroup group(buf);
  if (m_nSelMode == SEL_COLUMN) return EDIT_STREAM_ONLY;
  if (m_pSelStartLine == nullptr || m_pSelEndLine == nullptr) return EDIT_NO_TEXT;
  int tab = std::max(buf->m_nTabSize, 1);
  m_nSelStartColumn = 0;
  bool endWasInside = m_nSelEndColumn != 0;
  EditLine* stop = m_pSelEndLine;
  if (endWasInside) {
    if (m_pSelEndLine->next != nullptr) {
      stop = m_pSelEndLine->next;
      m_pSelEndLine = stop;
      m_nSelEndColumn = 0;
    } else {
      stop = nullptr;  // the last line is included
      m_nSelEndColumn = EndColumn(m_pSelEndLine);
    }
  }
  EditLine* first = m_pSelStartLine;
  for (EditLine* l = first; l != nullptr && l != stop; l = l->next) {
    EditPos at{l, 0};
    if (!outdent) {
      if (buf->m_bKeepTabs) {
        if (EndColumn(l) + tab < kMaxColumn) buf->InsertChar(at, '\t', TRUE, record);
      } else {
        std::string spaces(tab, ' ');
        buf->InsertString(at, spaces.c_str(), TRUE, record);
      }
    } else {
      for (int i = 0; i < tab && buf->ContentLength(l) > 0; ++i) {
        char c = l->text[0];
        if (c != ' ' && c != '\t') break;
        buf->DeleteChar(at, record);
        if (c == '\t') break;
      }
    }
    if (stop == nullptr && l->next == nullptr) break;
  }
  m_bSelection = TRUE;
  if (endWasInside && stop == nullptr) m_nSelEndColumn = EndColumn(m_pSelEndLine);
  m_pSelOriginLine = m_pSelStartLine;
  m_nSelOriginColumn = 0;
  m_pCaretLine = m_pSelStartLine;
  m_nCaretLine = m_pCaretLine->lineNumber;
  m_nCaretColumn = 0;
  if (redraw) {
    RepaintAll(FALSE);
    UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  }
  return 0;
}

// The caret goes where the undo or redo step changed the text.
template <class TBase>
void SECEditCore<TBase>::CaretToUndoPlace(EditBuffer* buf) {
  EditBuffer::UndoPlace place = buf->LastUndoPlace();
  EditLine* caret = buf->GetLine(place.line);
  m_pCaretLine = caret;
  m_nCaretLine = caret->lineNumber;
  m_nCaretColumn = buf->OffsetToColumn(caret, place.offset);
  RevalidateTopLine(nullptr);
  m_pCaretLine = caret;
  m_nCaretLine = caret->lineNumber;
  m_nCaretColumn = buf->OffsetToColumn(caret, place.offset);
}

template <class TBase>
void SECEditCore<TBase>::OnEditUndo() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || !buf->CanUndo()) return;
  if (m_bSelection) ClearSelection(m_bRedraw);
  if (!buf->Undo()) return;
  CaretToUndoPlace(buf);
  FinishTextChange(m_bRedraw);
  UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  // Modified unless this is the text as saved; undoing past a save, or
  // after the history dropped the saved state, still asks to save.
  buf->SetModified(!buf->IsAtSavedState());
}

template <class TBase>
void SECEditCore<TBase>::OnEditRedo() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || !buf->CanRedo()) return;
  if (m_bSelection) ClearSelection(m_bRedraw);
  if (!buf->Redo()) return;
  CaretToUndoPlace(buf);
  FinishTextChange(m_bRedraw);
  UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  buf->SetModified(!buf->IsAtSavedState());
}

template <class TBase>
void SECEditCore<TBase>::OnToggleInsert() {
  if (Buf() != nullptr) Buf()->SetInsertMode(!Buf()->GetInsertMode());
}

template <class TBase>
void SECEditCore<TBase>::OnToggleBookmark() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return;
  SetBookmark(m_pCaretLine, !(m_pCaretLine->flags & LINE_BOOKMARK));
  RepaintRow(m_nCaretLine - m_nTopLine);
  UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
}

template <class TBase>
void SECEditCore<TBase>::OnNextBookmark() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->m_nBookmarks == 0 || m_pCaretLine == nullptr) return;
  EditLine* first = PrepareWalk();
  EditLine* found = nullptr;
  for (EditLine* l = m_pCaretLine->next; l != nullptr && found == nullptr; l = l->next) {
    if (l->flags & LINE_BOOKMARK) found = l;
  }
  for (EditLine* l = first; l != nullptr && found == nullptr; l = l->next) {
    if (l->flags & LINE_BOOKMARK) found = l;
  }
  if (found != nullptr) GoToBookmark(found);
}

template <class TBase>
void SECEditCore<TBase>::OnPrevBookmark() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->m_nBookmarks == 0 || m_pCaretLine == nullptr) return;
  EditLine* first = PrepareWalk();
  EditLine* found = nullptr;
  for (EditLine* l = m_pCaretLine->prev; l != nullptr && found == nullptr; l = l->prev) {
    if (l->flags & LINE_BOOKMARK) found = l;
  }
  for (EditLine* l = buf->GetTail(first); l != nullptr && found == nullptr; l = l->prev) {
    if (l->flags & LINE_BOOKMARK) found = l;
  }
  if (found != nullptr) GoToBookmark(found);
}

template <class TBase>
void SECEditCore<TBase>::GoToBookmark(EditLine* line) {
  if (m_bSelection) ClearSelection(m_bRedraw);
  CaretTo(line, 0);
  if (!IsLineVisible(line->lineNumber)) {
    m_pTopLine = line;
    m_nTopLine = line->lineNumber;
    int half = Rows() / 2;
    while (m_nCaretLine - m_nTopLine < half && PrevLine(m_pTopLine) != nullptr) {
      m_pTopLine = PrevLine(m_pTopLine);
      --m_nTopLine;
    }
    RepaintAll(TRUE);
  }
  MakeCaretVisible();
}

template <class TBase>
void SECEditCore<TBase>::OnClearAllBookmarks() {
  EditBuffer* buf = Buf();
  if (buf == nullptr) return;
  for (EditLine* l = PrepareWalk(); l != nullptr; l = l->next) SetBookmark(l, FALSE);
  buf->m_nBookmarks = 0;
  RepaintAll(TRUE);
  UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
}
