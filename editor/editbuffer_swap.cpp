#include <cstdlib>
#include <cstring>

#include "editor/editbuffer.h"
#include "editor/lineswap.h"

BOOL EditBuffer::SetLineContent(EditLine* line, const char* bytes, int n) {
  if (m_bReadOnly || line == nullptr || n < 0) return FALSE;
  int content = ContentLength(line);
  int end = line->length - content;
  if (!ReserveLine(line, n + end + 1)) return FALSE;
  std::memmove(line->text + n, line->text + content, end);
  if (n > 0) std::memcpy(line->text, bytes, n);
  int oldLength = line->length;
  line->length = n + end;
  if (oldLength > line->length) std::memset(line->text + line->length, 0, oldLength - line->length);
  line->text[line->length] = '\0';
  return TRUE;
}

BOOL EditBuffer::AddLineSwapUndo(char* block, int firstLine) {
  if (m_pUndoRing == nullptr || block == nullptr) {
    std::free(block);
    return FALSE;
  }
  UndoRecord& slot = NextUndoSlot();
  slot.type = UNDO_SWAP_LINES;
  slot.line = slot.endLine = static_cast<UINT>(firstLine);
  slot.group = m_nUndoGroup;
  slot.text = block;
  m_nUndoPos = m_nUndoCount = m_nUndoPos + 1;
  return TRUE;
}

void EditBuffer::ForgetUndo() {
  FreeUndo();
  m_nSavedUndoPos = -1;
}

// Puts the kept contents back and keeps the ones they replace in the
// record, so that the next replay (redo after undo) swaps them again. The
// present contents are all copied before a line changes; a line that cannot
// take its bytes leaves a text the history no longer matches, so the
// history goes.
bool EditBuffer::SwapLines(UndoRecord& slot) {
  LineSwapText present;
  EditLine* line = nullptr;
  int number = 0;
  const char* bytes = nullptr;
  int n = 0;
  auto reach = [&](int wanted) {
    if (line == nullptr) {
      line = GetLine(wanted);
    } else {
      while (line != nullptr && line->lineNumber < wanted) line = line->next;
    }
    return line != nullptr && line->lineNumber == wanted;
  };
  for (LineSwapReader kept(slot.text); kept.Next(&number, &bytes, &n);) {
    if (!reach(number) || !present.Add(number, line->text, ContentLength(line))) return false;
  }
  char* block = present.Release();
  if (block == nullptr) return false;
  line = nullptr;
  for (LineSwapReader kept(slot.text); kept.Next(&number, &bytes, &n);) {
    reach(number);
    if (!SetLineContent(line, bytes, n)) {
      std::free(block);
      ForgetUndo();
      SetModified(TRUE);
      return false;
    }
  }
  std::free(slot.text);
  slot.text = block;
  SetModified(TRUE);
  return true;
}
