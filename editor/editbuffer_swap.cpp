#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/lineswap.h"
#include "editor/shortcopy.h"

// A line that has to grow gets its new block without its old bytes copied.
BOOL EditBuffer::SetLineContent(EditLine* line, const char* bytes, int n) {
  if (m_bReadOnly || line == nullptr || n < 0) return FALSE;
  ForgetBlockStatesAfter(line->lineNumber);
  int content = ContentLength(line);
  // The line end is at most two bytes (none on a last line without one).
  int end = std::min(line->length - content, static_cast<int>(sizeof m_szLineEnd) - 1);
  char lineEnd[sizeof m_szLineEnd] = {};
  for (int i = 0; i < end; ++i) lineEnd[i] = line->text[content + i];
  int oldLength = line->length;
  if (line->text == nullptr || line->capacity <= n + end) {
    line->length = 0;
    if (!ReserveLine(line, n + end + 1)) {
      line->length = oldLength;
      return FALSE;
    }
    oldLength = 0;
  }
  shortcopy::Copy(line->text, bytes, static_cast<size_t>(n));
  for (int i = 0; i < end; ++i) line->text[n + i] = lineEnd[i];
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

// Puts the kept spans back and keeps the ones they replace in the record,
// so that the next replay (redo after undo) swaps them again. Every line is
// checked and the present spans copied before any line changes; a line
// that cannot take its bytes leaves a text the history no longer matches,
// so the history goes.
bool EditBuffer::SwapLines(UndoRecord& slot) {
  if (m_bReadOnly) return false;
  LineSwapText present;
  EditLine* line = nullptr;
  auto reach = [&](int wanted) {
    if (line == nullptr) {
      line = GetLine(wanted);
    } else {
      while (line != nullptr && line->lineNumber < wanted) line = line->next;
    }
    return line != nullptr && line->lineNumber == wanted;
  };
  LineSwapEntry kept;
  for (LineSwapReader reader(slot.text); reader.Next(&kept);) {
    if (!reach(kept.line) || kept.offset + kept.present > ContentLength(line)) return false;
    LineSwapEntry now{kept.line, kept.offset, kept.count, kept.present, line->text + kept.offset};
    if (!present.Add(now)) return false;
  }
  char* block = present.Release();
  if (block == nullptr) return false;
  line = nullptr;
  std::vector<char> bytes;
  for (LineSwapReader reader(slot.text); reader.Next(&kept);) {
    reach(kept.line);
    int content = ContentLength(line);
    int after = kept.offset + kept.present;
    bytes.assign(line->text, line->text + kept.offset);
    bytes.insert(bytes.end(), kept.bytes, kept.bytes + kept.count);
    bytes.insert(bytes.end(), line->text + after, line->text + content);
    if (!SetLineContent(line, bytes.data(), static_cast<int>(bytes.size()))) {
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
