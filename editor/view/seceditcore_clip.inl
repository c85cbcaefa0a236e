// Editor core: clipboard, column blocks and the command table.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/view/seceditcore.h"
#include "editor/view/seceditcore_edit.inl"

template <class TBase>
std::string SECEditCore<TBase>::SelectionClipText() {
  EditBuffer* buf = Buf();
  std::string out;
  if (buf == nullptr || !m_bSelection || m_pSelStartLine == nullptr || m_pSelEndLine == nullptr) return out;
  char* text = nullptr;
  if (m_nSelMode == SEL_COLUMN) {
    EditPos c1{m_pSelStartLine, ColumnOffset(m_pSelStartLine, m_nSelStartColumn)};
    EditPos c2{m_pSelEndLine, ColumnOffset(m_pSelStartLine, m_nSelEndColumn)};
    // Both columns are measured on the top line by the text routine.
    if (m_pSelEndLine->lineNumber < m_pSelStartLine->lineNumber) {
      c1 = {m_pSelEndLine, ColumnOffset(m_pSelEndLine, m_nSelEndColumn)};
      c2 = {m_pSelStartLine, ColumnOffset(m_pSelEndLine, m_nSelStartColumn)};
    }
    text = buf->GetColumnText(c1, c2);
    if (text == nullptr) return out;
    out.assign(ColumnBlockMarker());
    out += "\r\n";
  } else {
    EditPos start{m_pSelStartLine, ColumnOffset(m_pSelStartLine, m_nSelStartColumn)};
    EditPos end{m_pSelEndLine, ColumnOffset(m_pSelEndLine, m_nSelEndColumn)};
    text = buf->GetRangeText(start, end);
    if (text == nullptr) return out;
  }
  out += text;
  std::free(text);
  return out;
}

template <class TBase>
int SECEditCore<TBase>::CopySelection() {
  if (!m_bSelection) return 0;
  std::string text = SelectionClipText();
  if (text.empty() && m_nSelMode == SEL_COLUMN) return EDIT_NO_MEMORY;
  if (!::OpenClipboard(this->m_hWnd)) return 0;
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (block == nullptr) {
    ::CloseClipboard();
    return EDIT_NO_MEMORY;
  }
  char* p = static_cast<char*>(::GlobalLock(block));
  std::memcpy(p, text.c_str(), text.size() + 1);
  ::GlobalUnlock(block);
  ::SetClipboardData(CF_TEXT, block);
  ::CloseClipboard();
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::CopyColumnBlock() {
  return m_nSelMode == SEL_COLUMN ? CopySelection() : 0;
}

namespace seceditcore_detail {
// The clipboard's text, or false when it cannot be opened or holds none.
inline bool ReadClipboardText(HWND owner, std::string* text) {
  if (!::OpenClipboard(owner)) return false;
  HANDLE h = ::GetClipboardData(CF_TEXT);
  bool ok = false;
  if (h != nullptr) {
    const char* p = static_cast<const char*>(::GlobalLock(h));
    if (p != nullptr) {
      size_t size = ::GlobalSize(h);
      text->assign(p, strnlen(p, size));
      ok = true;
    }
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return ok;
}
}  // namespace seceditcore_detail

template <class TBase>
int SECEditCore<TBase>::PasteColumnBlock(BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  seceditcore_detail::UndoGroup group(buf);
  std::string text;
  if (!seceditcore_detail::ReadClipboardText(this->m_hWnd, &text)) return EDIT_CLIPBOARD_EMPTY;
  int blockLength = 0;
  const char* block = ColumnBlockText(text.c_str(), static_cast<int>(text.size()), &blockLength, ColumnBlockMarker());
  if (block == nullptr) return EDIT_CLIPBOARD_EMPTY;
  if (m_bSelection) DeleteSelection(FALSE, record);
  if (blockLength == 0) return 0;
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  int result = buf->InsertColumnBlock(at, block, blockLength, record);
  if (redraw) {
    FinishTextChange(TRUE);
    UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  }
  return result;
}

template <class TBase>
int SECEditCore<TBase>::PasteLine(const char* text, BOOL redraw, BOOL record) {
  EditBuffer* buf = Buf();
  int length = static_cast<int>(std::strlen(text));
  if (EndColumn(m_pCaretLine) + length >= kMaxColumn) return EDIT_LINE_TOO_LONG;
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  int result = buf->PadToOffset(at, record);
  int start = at.offset;
  if (result == 0) result = buf->InsertString(at, text, TRUE, record);
  if (result != 0) return result;
  m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, start + length);
  if (redraw) {
    RepaintRow(m_nCaretLine - m_nTopLine);
    MakeCaretVisible();
    UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  }
  return 0;
}

// Whether a line of `length` more bytes stays within the widest line.
template <class TBase>
int SECEditCore<TBase>::InsertClipText(const char* text, int length) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return EDIT_NO_TEXT;
  bool column = false;
  int blockLength = 0;
  if (const char* block = ColumnBlockText(text, length, &blockLength, ColumnBlockMarker())) {
    text = block;
    length = blockLength;
    column = true;
  }
  std::string copy(text, length);
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  if (copy.find_first_of("\r\n") == std::string::npos) {
    if (EndColumn(m_pCaretLine) + length >= kMaxColumn) return EDIT_LINE_TOO_LONG;
    int result = buf->PadToOffset(at, TRUE);
    int start = at.offset;
    if (result == 0) result = buf->InsertString(at, copy.c_str(), TRUE, TRUE);
    if (result == 0) m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, start + length);
    return result;
  }
  if (column) return buf->InsertColumnBlock(at, copy.c_str(), length, TRUE);
  int inserted = 0;
  return buf->InsertText(at, copy.c_str(), length, TRUE, &inserted);
}

template <class TBase>
void SECEditCore<TBase>::OnEditCopy() {
  int result = CopySelection();
  if (result != 0) DoError(result, m_bRedraw);
}

template <class TBase>
void SECEditCore<TBase>::OnEditCut() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || !m_bSelection) return;
  int result = CopySelection();
  // The text goes only once it is safely on the clipboard.
  if (result == 0 && !buf->IsReadOnly()) {
    std::string check;
    if (seceditcore_detail::ReadClipboardText(this->m_hWnd, &check))
      result = DeleteSelection(m_bRedraw, TRUE);
  }
  if (result != 0) DoError(result, m_bRedraw);
}

template <class TBase>
void SECEditCore<TBase>::OnEditPaste() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->IsReadOnly() || m_pCaretLine == nullptr) return;
  int result = 0;
  {
    seceditcore_detail::UndoGroup group(buf);
    std::string text;
    // The clipboard is read before the selection goes: a paste of nothing
    // leaves the selected text in place.
    if (!seceditcore_detail::ReadClipboardText(this->m_hWnd, &text)) {
      result = EDIT_CLIPBOARD_EMPTY;
    } else if (ColumnBlockText(text.c_str(), static_cast<int>(text.size()), nullptr, ColumnBlockMarker()) != nullptr) {
      result = PasteColumnBlock(m_bRedraw, TRUE);
    } else {
      if (m_bSelection) DeleteSelection(FALSE, TRUE);
      if (text.find_first_of("\r\n") != std::string::npos) {
        result = PasteStream(text);
      } else if (!text.empty()) {
        result = PasteLine(text.c_str(), m_bRedraw, TRUE);
      }
      if (m_bRedraw) FinishTextChange(TRUE);
      UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
    }
  }
  if (result != 0) DoError(result, m_bRedraw);
}

template <class TBase>
int SECEditCore<TBase>::PasteStream(const std::string& text) {
  EditBuffer* buf = Buf();
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  // No pasted line may grow past the widest line.
  int widest = 0, run = 0;
  for (char c : text) {
    run = (c == '\r' || c == '\n') ? 0 : run + 1;
    widest = std::max(widest, run);
  }
  if (EndColumn(m_pCaretLine) + widest >= kMaxColumn) return EDIT_LINE_TOO_LONG;
  int inserted = 0;
  int result = buf->InsertText(at, text.c_str(), static_cast<int>(text.size()), TRUE, &inserted);
  if (result != 0) return result;
  // The caret goes to the end of the inserted bytes.
  EditLine* line = at.line;
  int offset = at.offset;
  int left = inserted;
  while (left > 0 && line != nullptr) {
    int room = line->length - offset;
    if (left < room) {
      offset += left;
      left = 0;
    } else {
      left -= room;
      if (line->next == nullptr) {
        offset = line->length;
        break;
      }
      line = line->next;
      offset = 0;
    }
  }
  buf->m_nLineCount = buf->Renumber(buf->m_pLines);
  RefreshLineCount();
  m_pCaretLine = line;
  m_nCaretLine = line->lineNumber;
  m_nCaretColumn = buf->OffsetToColumn(line, std::min(offset, buf->ContentLength(line)));
  int rows = Rows();
  if (rows > 0 && m_nCaretLine > m_nTopLine + rows - 1) SetTopLine(m_nCaretLine - rows + 1, FALSE);
  return 0;
}

// ---- commands ----

template <class TBase>
BOOL SECEditCore<TBase>::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  using Core = SECEditCore<TBase>;
  struct Command {
    UINT id;
    void (Core::*run)();
    BOOL (Core::*enabled)();
  };
  static const Command kCommands[] = {
      {ID_EDIT_ERASE, &Core::OnEditClear, nullptr},
      {ID_EDIT_BACKSPACE, &Core::OnBackspace, nullptr},
      {ID_EDIT_TAB, &Core::OnTab, nullptr},
      {ID_EDIT_BACKTAB, &Core::OnBackTab, nullptr},
      {ID_EDIT_UNDO_TEXT, &Core::OnEditUndo, &Core::CanUndo},
      {ID_EDIT_REDO_TEXT, &Core::OnEditRedo, &Core::CanRedo},
      {ID_EDIT_OVERWRITE, &Core::OnToggleInsert, nullptr},
      {ID_EDIT_TOGGLE_BOOKMARK, &Core::OnToggleBookmark, nullptr},
      {ID_EDIT_NEXT_BOOKMARK, &Core::OnNextBookmark, &Core::HasBookmarks},
      {ID_EDIT_PREV_BOOKMARK, &Core::OnPrevBookmark, &Core::HasBookmarks},
      {ID_EDIT_CLEAR_BOOKMARKS, &Core::OnClearAllBookmarks, &Core::HasBookmarks},
      {ID_EDIT_CUT_TEXT, &Core::OnEditCut, &Core::CanCut},
      {ID_EDIT_COPY_TEXT, &Core::OnEditCopy, &Core::CanCopy},
      {ID_EDIT_PASTE_TEXT, &Core::OnEditPaste, &Core::CanPaste},
      {ID_EDIT_SELECT_ALL_TEXT, &Core::OnSelectAll, nullptr},
      {ID_EDIT_FIND_TEXT, &Core::OnEditFind, nullptr},
      {ID_EDIT_REPLACE_TEXT, &Core::OnEditReplace, nullptr},
      {ID_EDIT_FIND_NEXT, &Core::OnFindNext, &Core::CanFindNext},
  };
  bool isMove = (nID >= ID_EDIT_DOWN && nID <= ID_EDIT_SELECT_WORD_RIGHT && nID != 45012) ||
                nID == ID_EDIT_SELECT_BOTTOM || nID == ID_EDIT_SELECT_TOP;
  if (nCode == CN_COMMAND || nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) {
    const Command* found = nullptr;
    for (const Command& c : kCommands) {
      if (c.id == nID) found = &c;
    }
    if (found != nullptr || isMove) {
      if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) {
        // A command-state update: the table's rule, or always enabled.
        auto* ui = static_cast<CCmdUI*>(pExtra);
        if (ui != nullptr) {
          BOOL on = found != nullptr && found->enabled != nullptr ? (this->*found->enabled)() : TRUE;
          if (nID == ID_EDIT_OVERWRITE) ui->SetText(Buf() != nullptr && !Buf()->GetInsertMode() ? "OVR" : "");
          ui->Enable(on);
        }
        return TRUE;
      }
      if (pHandlerInfo != nullptr) return TRUE;
      if (found != nullptr) {
        if (found->enabled == nullptr || (this->*found->enabled)()) (this->*found->run)();
      } else if (nID == ID_EDIT_WORD_RIGHT) {
        if (m_bSelection) ClearSelection(m_bRedraw);
        RunMove(nID);
      } else {
        RunMove(nID);
      }
      return TRUE;
    }
  }
  return TBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

template <class TBase>
BOOL SECEditCore<TBase>::CanUndo() {
  return Buf() != nullptr && Buf()->CanUndo();
}

template <class TBase>
BOOL SECEditCore<TBase>::CanRedo() {
  return Buf() != nullptr && Buf()->CanRedo();
}

template <class TBase>
BOOL SECEditCore<TBase>::HasBookmarks() {
  return Buf() != nullptr && Buf()->m_nBookmarks > 0;
}

template <class TBase>
BOOL SECEditCore<TBase>::CanCopy() {
  return m_bSelection && !seceditcore_detail::PrimaryButtonHeld();
}

template <class TBase>
BOOL SECEditCore<TBase>::CanCut() {
  return CanCopy() && Buf() != nullptr && !Buf()->IsReadOnly();
}

template <class TBase>
BOOL SECEditCore<TBase>::CanPaste() {
  if (Buf() == nullptr || Buf()->IsReadOnly() || !::OpenClipboard(this->m_hWnd)) return FALSE;
  BOOL any = ::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_OEMTEXT);
  ::CloseClipboard();
  return any;
}

template <class TBase>
void SECEditCore<TBase>::OnSelectAll() {
  SelectAll(m_bRedraw);
}
