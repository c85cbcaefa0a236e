#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/editbuffer.h"

namespace {

// A heap copy of n bytes with a NUL after them.
char* CopyText(const char* text, int n) {
  char* copy = static_cast<char*>(std::malloc(n + 1));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, text, n);
  copy[n] = '\0';
  return copy;
}

}  // namespace

// Converts a heap text of len bytes to CR LF line ends when it has others.
char* EditBuffer::ToCrLf(char* text, int len) {
  int type = DetectLineEnd(text, len);
  if (type > LINEEND_CRLF) ConvertLineEnds(&text, len, LINEEND_CRLF);
  return text;
}

int EditBuffer::InsertText(EditPos& at, const char* text, int length, BOOL record, int* outLength) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  if (outLength != nullptr) *outLength = 0;
  if (at.line == nullptr) return EDIT_NO_TEXT;
  if (text == nullptr || length <= 0) return 0;
  ForgetBlockStatesAfter(at.line->lineNumber);
  char* copy = CopyText(text, length);
  if (copy == nullptr) return EDIT_NO_MEMORY;
  length = static_cast<int>(std::strlen(copy));
  int type = DetectLineEnd(copy, length);
  if (type >= 0 && type != m_nLineEndType) length = ConvertLineEnds(&copy, length, m_nLineEndType);
  if (outLength != nullptr) *outLength = length;
  EditLine* chain = SplitText(copy);
  if (chain == nullptr) {
    std::free(copy);
    return EDIT_NO_MEMORY;
  }
  EditLine* last = GetTail(chain);
  int count = 1;
  for (EditLine* l = chain; l != last; l = l->next) ++count;
  bool lastEnds = HasLineEnd(last);
  EditLine* line = at.line;
  int content = ContentLength(line);
  int off = std::max(0, at.offset);
  // Refuse before changing anything when a joined line would be too wide.
  int before = TextWidth(line->text, std::min(off, content)) + std::max(0, off - content);
  int after = TextWidth(line->text + std::min(off, content), content - std::min(off, content));
  bool tooWide = count == 1 && !lastEnds ? before + LineWidth(chain) + after > kMaxLineColumns
                                         : before + LineWidth(chain) > kMaxLineColumns ||
                                               (!lastEnds && LineWidth(last) + after > kMaxLineColumns);
  if (tooWide) {
    FreeLines(chain);
    std::free(copy);
    return EDIT_LINE_TOO_LONG;
  }
  UndoRecord rec{};
  rec.type = UNDO_INSERT_TEXT;
  rec.line = line->lineNumber;
  rec.offset = off;
  if (lastEnds) {
    rec.endLine = rec.line + count;
    rec.endOffset = 0;
  } else {
    rec.endLine = rec.line + count - 1;
    rec.endOffset = count == 1 ? off + last->length : last->length;
  }
  EditPos split{line, off};
  int rc = SplitLine(split, FALSE);
  if (rc == 0) {
    // Link the chain between the line and the rest split off it.
    EditLine* rest = line->next;
    line->next = chain;
    chain->prev = line;
    last->next = rest;
    rest->prev = last;
    EditPos join{line, off};
    rc = JoinLines(join, FALSE);
    if (rc == 0 && !lastEnds) {
      EditLine* tail = count == 1 ? line : last;
      EditPos joinRest{tail, ContentLength(tail)};
      rc = JoinLines(joinRest, FALSE);
      if (rc == EDIT_END_OF_FILE) rc = 0;
    }
    RenumberFrom(line);
  } else {
    FreeLines(chain);
  }
  if (rc == 0 && record) AddUndoRecord(rec, copy);
  std::free(copy);
  return rc;
}

int EditBuffer::InsertColumnBlock(EditPos& at, const char* text, int length, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  if (at.line == nullptr) return EDIT_NO_TEXT;
  if (text == nullptr || length <= 0) return 0;
  ForgetBlockStatesAfter(at.line->lineNumber);
  SetModified(TRUE);
  char* copy = CopyText(text, length);
  if (copy == nullptr) return EDIT_NO_MEMORY;
  length = static_cast<int>(std::strlen(copy));
  int type = DetectLineEnd(copy, length);
  if (type >= 0 && type != m_nLineEndType) length = ConvertLineEnds(&copy, length, m_nLineEndType);
  EditLine* block = SplitText(copy);
  if (block == nullptr) {
    std::free(copy);
    return EDIT_NO_MEMORY;
  }
  int width = ContentLength(block);
  int startLine = at.line->lineNumber;
  int startColumn = OffsetToColumn(at.line, at.offset);
  int count = 0;
  int rc = 0;
  EditLine* target = at.line;
  for (EditLine* b = block; b != nullptr && rc == 0; b = b->next) {
    ++count;
    EditPos pos{target, ColumnToOffset(target, startColumn)};
    rc = PadToOffset(pos, FALSE);
    if (rc != 0) break;
    // Each block line gives at most the first line's width.
    std::string piece(b->text != nullptr ? b->text : "", std::min(width, ContentLength(b)));
    rc = InsertString(pos, piece.c_str(), TRUE, FALSE);
    if (rc != 0 || b->next == nullptr) break;
    if (target->next == nullptr) {
      EditPos end{target, ContentLength(target)};
      rc = SplitLine(end, FALSE);
    }
    target = target->next;
  }
  RenumberFrom(at.line);
  if (rc == 0 && record) {
    UndoRecord rec{};
    rec.type = UNDO_INSERT_BLOCK;
    rec.line = startLine;
    rec.endLine = startLine + count;
    rec.offset = ColumnToOffset(at.line, startColumn);
    rec.endOffset = rec.offset + width;
    AddUndoRecord(rec, copy);
  }
  FreeLines(block);
  std::free(copy);
  return rc;
}

int EditBuffer::DeleteRange(EditPos& start, EditPos& end, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  if (start.line == nullptr || end.line == nullptr ||
      (start.line == end.line && start.offset == end.offset)) {
    return EDIT_NO_SELECTION;
  }
  EditPos from = start;
  EditPos to = end;
  if (!IsBefore(from, to)) std::swap(from, to);
  from.offset = std::max(0, from.offset);
  to.offset = std::max(0, to.offset);
  ForgetBlockStatesAfter(from.line->lineNumber);
  if (from.line != to.line) to.offset = std::min(to.offset, ContentLength(to.line));
  // Refuse a join that would be too wide before anything changes.
  if (from.line != to.line) {
    int content = ContentLength(from.line);
    int keep =
        TextWidth(from.line->text, std::min(from.offset, content)) + std::max(0, from.offset - content);
    int endContent = ContentLength(to.line);
    int tail = TextWidth(to.line->text + to.offset, endContent - to.offset);
    if (keep + tail > kMaxLineColumns) return EDIT_LINE_TOO_LONG;
    if (!MakeWritable(from.line)) return EDIT_NO_MEMORY;
  }
  char* text = nullptr;
  UndoRecord rec{};
  if (record) {
    text = GetRangeText(from, to);
    if (text == nullptr) return EDIT_NO_MEMORY;
    rec.type = UNDO_DELETE_TEXT;
    rec.line = from.line->lineNumber;
    rec.offset = from.offset;
    rec.endLine = to.line->lineNumber;
    rec.endOffset = to.offset;
  }
  int rc;
  if (from.line == to.line) {
    rc = DeleteChars(from, to.offset - from.offset, FALSE);
    if (rc == EDIT_JOIN_LINE) rc = 0;
  } else {
    EditLine* first = from.line;
    EditLine* last = to.line;
    int content = ContentLength(first);
    if (from.offset < content) {
      std::memset(first->text + from.offset, 0, first->length - from.offset);
      first->length = from.offset;
    }
    EditPos head{last, 0};
    rc = DeleteChars(head, to.offset, FALSE);
    if (rc == EDIT_JOIN_LINE) rc = 0;
    if (rc == 0) {
      for (EditLine* l = first->next; l != last && l != nullptr;) {
        EditLine* next = l->next;
        FreeLine(l);
        l = next;
      }
      first->next = last;
      last->prev = first;
      EditPos join{first, from.offset};
      rc = JoinLines(join, FALSE);
      if (rc == EDIT_END_OF_FILE) rc = 0;
    }
  }
  if (rc == 0) {
    if (record) AddUndoRecord(rec, text);
    SetModified(TRUE);
  }
  std::free(text);
  return rc;
}

int EditBuffer::DeleteColumnBlock(EditPos& corner1, EditPos& corner2, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  if (corner1.line == nullptr || corner2.line == nullptr) return EDIT_NO_SELECTION;
  EditLine* top = IsBefore(corner1, corner2) ? corner1.line : corner2.line;
  EditLine* bottom = top == corner1.line ? corner2.line : corner1.line;
  int left = std::min(corner1.offset, corner2.offset);
  int right = std::max(corner1.offset, corner2.offset);
  ForgetBlockStatesAfter(top->lineNumber);
  char* text = nullptr;
  if (record) {
    text = GetColumnText(corner1, corner2);
    if (text == nullptr) return EDIT_NO_MEMORY;
  }
  int startColumn = OffsetToColumn(top, left);
  int width = right - left;
  int rc = 0;
  for (EditLine* line = top; line != nullptr; line = line->next) {
    EditPos pos{line, ColumnToOffset(line, startColumn)};
    rc = DeleteChars(pos, width, FALSE);
    if (rc == EDIT_JOIN_LINE) rc = 0;  // a line too short for the block
    if (line == bottom) break;
  }
  if (rc == 0 && record) {
    UndoRecord rec{};
    rec.type = UNDO_DELETE_BLOCK;
    rec.line = top->lineNumber;
    rec.offset = left;
    rec.endLine = bottom->lineNumber;
    rec.endOffset = right;
    AddUndoRecord(rec, text);
  }
  std::free(text);
  return rc;
}

char* EditBuffer::GetRangeText(EditPos start, EditPos end) {
  if (start.line == nullptr || end.line == nullptr) return nullptr;
  if (!IsBefore(start, end)) std::swap(start, end);
  std::string out;
  auto part = [](EditLine* line, int from, int to) -> std::string {
    if (line->text == nullptr) return std::string();
    from = std::max(0, std::min<int>(from, line->length));
    to = std::max(from, std::min<int>(to, line->length));
    return std::string(line->text + from, to - from);
  };
  if (start.line == end.line) {
    out = part(start.line, start.offset, std::min(end.offset, ContentLength(start.line)));
  } else {
    out = part(start.line, start.offset, start.line->length);
    EditLine* line = start.line->next;
    for (; line != nullptr && line != end.line; line = line->next) {
      out += part(line, 0, line->length);
    }
    if (line == end.line) out += part(end.line, 0, std::min(end.offset, ContentLength(end.line)));
  }
  int len = static_cast<int>(out.size());
  char* text = static_cast<char*>(std::calloc(1, len + 16));
  if (text == nullptr) return nullptr;
  std::memcpy(text, out.data(), len);
  return ToCrLf(text, len);
}

char* EditBuffer::GetColumnText(EditPos corner1, EditPos corner2) {
  if (corner1.line == nullptr || corner2.line == nullptr) return nullptr;
  EditLine* top = IsBefore(corner1, corner2) ? corner1.line : corner2.line;
  EditLine* bottom = top == corner1.line ? corner2.line : corner1.line;
  int leftColumn = OffsetToColumn(top, std::min(corner1.offset, corner2.offset));
  int rightColumn = OffsetToColumn(top, std::max(corner1.offset, corner2.offset));
  int width = rightColumn - leftColumn;
  std::string out;
  for (EditLine* line = top; line != nullptr; line = line->next) {
    int expandedLength = 0;
    char* expanded = ExpandTabs(line->text != nullptr ? line->text : "", ContentLength(line),
                                m_nLineEndLength, &expandedLength);
    if (expanded == nullptr) return nullptr;
    int have = std::max(0, std::min(width, expandedLength - leftColumn));
    if (have > 0) out.append(expanded + leftColumn, have);
    out.append(width - have, ' ');
    std::free(expanded);
    if (line == bottom) break;
    out += "\r\n";
  }
  char* text = static_cast<char*>(std::calloc(1, out.size() + 16));
  if (text == nullptr) return nullptr;
  std::memcpy(text, out.data(), out.size());
  return text;
}
