#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/editbuffer.h"

int EditBuffer::LineWidth(const EditLine* line) {
  if (line == nullptr || line->text == nullptr) return 0;
  return TextWidth(line->text, ContentLength(line));
}

// Appends the buffer's line end to a line that has none (room must be there).
void EditBuffer::SetLineEnd(EditLine* line) {
  std::memcpy(line->text + line->length, m_szLineEnd, m_nLineEndLength);
  line->length += m_nLineEndLength;
  line->text[line->length] = '\0';
}

bool EditBuffer::RemoveLineEnd(EditLine* line) {
  int content = ContentLength(line);
  if (content == line->length || !MakeWritable(line)) return false;
  std::memset(line->text + content, 0, line->length - content);
  line->length = content;
  return true;
}

int EditBuffer::PadToOffset(EditPos& at, BOOL record) {
  EditLine* line = at.line;
  if (line == nullptr) return 0;
  if (m_bReadOnly) return EDIT_READ_ONLY;
  int content = ContentLength(line);
  if (line->text != nullptr && at.offset <= content) return 0;
  int n = at.offset - content;
  if (n <= 0) return 0;
  ForgetBlockStatesAfter(line->lineNumber);
  // Tabs where they fit, then spaces, unless only spaces are wanted.
  std::string pad;
  int tab = m_nTabSize;
  if (!m_bKeepTabs || m_bPadWithSpaces) {
    pad.assign(n, ' ');
  } else {
    int c0 = TextWidth(line->text, content);
    int c1 = c0 + n;
    int tabs = n / tab;
    int spaces = tabs == 0 ? n : c1 - (c0 / tab + tabs) * tab;
    pad.assign(tabs, '\t');
    pad.append(spaces, ' ');
  }
  int padLength = static_cast<int>(pad.size());
  bool hasEnd = content != line->length;
  if (!ReserveLine(line, content + padLength + m_nLineEndLength + 1)) return EDIT_NO_MEMORY;
  std::memmove(line->text + content + padLength, line->text + content, line->length - content);
  std::memcpy(line->text + content, pad.data(), padLength);
  line->length += padLength;
  line->text[line->length] = '\0';
  if (!hasEnd && line->next == nullptr) SetLineEnd(line);
  if (record) AddLineTextUndo(UNDO_INSERT_TEXT, line, content, content + padLength, pad.c_str());
  SetModified(TRUE);
  at.offset = content + padLength;
  return 0;
}

int EditBuffer::InsertChar(EditPos at, char ch, BOOL insert, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  EditLine* line = at.line;
  if (line == nullptr) return EDIT_NO_TEXT;
  ForgetBlockStatesAfter(line->lineNumber);
  if (at.offset < 0) at.offset = 0;
  int rc = PadToOffset(at, record);
  if (rc != 0) return rc;
  if (!ReserveLine(line, line->length + m_nLineEndLength + 1)) return EDIT_NO_MEMORY;
  int content = ContentLength(line);
  int off = std::min(at.offset, content);
  if (record) {
    UndoRecord rec{};
    rec.line = line->lineNumber;
    rec.offset = off;
    rec.ch = static_cast<BYTE>(ch);
    if (insert) {
      rec.type = UNDO_INSERT_CHAR;
    } else {
      rec.type = UNDO_OVERWRITE_CHAR;
      rec.oldCh = static_cast<BYTE>(off < content ? line->text[off] : m_szLineEnd[0]);
    }
    AddUndoRecord(rec, nullptr);
  }
  if (insert || off >= content) {
    std::memmove(line->text + off + 1, line->text + off, line->length - off);
    ++line->length;
  }
  line->text[off] = ch;
  line->text[line->length] = '\0';
  SetModified(TRUE);
  // Typing into the last line gives it a line end.
  if (line->next == nullptr && ContentLength(line) == line->length) SetLineEnd(line);
  return 0;
}

int EditBuffer::DeleteChar(EditPos at, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  EditLine* line = at.line;
  if (line == nullptr || line->text == nullptr || at.offset < 0) return 0;
  if (at.offset >= ContentLength(line)) return EDIT_JOIN_LINE;
  if (!MakeWritable(line)) return EDIT_NO_MEMORY;
  if (record) {
    UndoRecord rec{};
    rec.type = UNDO_DELETE_CHAR;
    rec.line = line->lineNumber;
    rec.offset = at.offset;
    rec.ch = static_cast<BYTE>(line->text[at.offset]);
    AddUndoRecord(rec, nullptr);
  }
  ForgetBlockStatesAfter(line->lineNumber);
  SetModified(TRUE);
  std::memmove(line->text + at.offset, line->text + at.offset + 1, line->length - at.offset - 1);
  --line->length;
  line->text[line->length] = '\0';
  return 0;
}

// Deletes what there is of `count` bytes within the line's content at once;
// the record keeps exactly the bytes deleted.
int EditBuffer::DeleteChars(EditPos at, int count, BOOL record) {
  if (count == 1) return DeleteChar(at, record);
  if (m_bReadOnly) return EDIT_READ_ONLY;
  EditLine* line = at.line;
  if (count <= 0 || line == nullptr || line->text == nullptr || at.offset < 0) return 0;
  int n = std::min(count, ContentLength(line) - at.offset);
  if (n <= 0) return 0;
  if (!MakeWritable(line)) return EDIT_NO_MEMORY;
  std::string removed(line->text + at.offset, n);
  std::memmove(line->text + at.offset, line->text + at.offset + n, line->length - at.offset - n);
  std::memset(line->text + line->length - n, 0, n);
  line->length -= n;
  ForgetBlockStatesAfter(line->lineNumber);
  SetModified(TRUE);
  if (record) AddLineTextUndo(UNDO_DELETE_TEXT, line, at.offset, at.offset + n, removed.c_str());
  return 0;
}

// The characters go in as InsertChar would put them one by one: inserted,
// or overwriting up to the content end and appended from there.
int EditBuffer::InsertString(EditPos& at, const char* text, BOOL insert, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  EditLine* line = at.line;
  if (line == nullptr) return EDIT_NO_TEXT;
  if (text == nullptr || *text == '\0') return 0;
  ForgetBlockStatesAfter(line->lineNumber);
  if (at.offset < 0) at.offset = 0;
  int rc = PadToOffset(at, record);
  if (rc != 0) return rc;
  int n = static_cast<int>(std::strlen(text));
  if (!ReserveLine(line, line->length + n + m_nLineEndLength + 1)) return EDIT_NO_MEMORY;
  int content = ContentLength(line);
  int start = std::min(at.offset, content);
  int overwritten = insert ? 0 : std::min(n, content - start);
  int grow = n - overwritten;
  std::memmove(line->text + start + n, line->text + start + overwritten, line->length - start - overwritten);
  std::memcpy(line->text + start, text, n);
  line->length += grow;
  line->text[line->length] = '\0';
  SetModified(TRUE);
  if (line->next == nullptr && ContentLength(line) == line->length) SetLineEnd(line);
  if (record) AddLineTextUndo(UNDO_INSERT_TEXT, line, start, start + n, text);
  return 0;
}

int EditBuffer::SplitLine(EditPos& at, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  EditLine* line = at.line;
  if (line == nullptr) return EDIT_NO_TEXT;
  ForgetBlockStatesAfter(line->lineNumber);
  int content = ContentLength(line);
  int off = std::max(0, std::min(at.offset, content));
  int rest = line->length - off;
  EditLine* fresh = CreateLine(rest > 0 ? rest : 16);
  if (fresh == nullptr || !ReserveLine(line, off + m_nLineEndLength + 1)) {
    FreeLine(fresh);
    return EDIT_NO_MEMORY;
  }
  if (rest > 0) std::memcpy(fresh->text, line->text + off, rest);
  fresh->length = rest;
  std::memset(line->text + off, 0, line->length - off);
  line->length = off;
  SetLineEnd(line);
  fresh->flags = 0;
  LinkAfter(fresh, line);
  RenumberFrom(line);
  if (record) {
    UndoRecord rec{};
    rec.type = UNDO_SPLIT_LINE;
    rec.line = line->lineNumber;
    rec.offset = off;
    AddUndoRecord(rec, nullptr);
  }
  SetModified(TRUE);
  return 0;
}

int EditBuffer::JoinLines(EditPos& at, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  EditLine* line = at.line;
  if (line == nullptr) return EDIT_NO_TEXT;
  EditLine* next = line->next;
  if (next == nullptr) return EDIT_END_OF_FILE;
  ForgetBlockStatesAfter(line->lineNumber);
  int content = ContentLength(line);
  int padding = std::max(0, at.offset - content);
  if (LineWidth(line) + padding + LineWidth(next) > kMaxLineColumns) return EDIT_LINE_TOO_LONG;
  BeginUndoGroup(TRUE);
  int rc = PadToOffset(at, record);
  if (rc == 0) {
    content = ContentLength(line);
    if ((next->flags & LINE_BOOKMARK) && IsBareLineEnd(line)) line->flags |= LINE_BOOKMARK;
    if (!ReserveLine(line, content + next->length + m_nLineEndLength + 1)) {
      rc = EDIT_NO_MEMORY;
    } else {
      RemoveLineEnd(line);
      if (next->length > 0) std::memcpy(line->text + line->length, next->text, next->length);
      line->length += next->length;
      line->text[line->length] = '\0';
      line->next = next->next;
      if (next->next != nullptr) next->next->prev = line;
      FreeLine(next);
      RenumberFrom(line);
      --m_nLineCount;
      SetModified(TRUE);
      if (record) {
        UndoRecord rec{};
        rec.type = UNDO_JOIN_LINES;
        rec.line = line->lineNumber;
        rec.offset = content;  // where the lines met
        AddUndoRecord(rec, nullptr);
      }
    }
  }
  BeginUndoGroup(FALSE);
  return rc;
}
