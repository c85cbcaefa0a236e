#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/lineswap.h"
#include "editor/shortcopy.h"

// A line that has to grow gets its new block without its old bytes copied.
BOOL EditBuffer::SetLineContent(EditLine* line, const char* bytes, int n, LineRoom room) {
  if (m_bReadOnly || line == nullptr || n < 0) return FALSE;
  ForgetBlockStatesAfter(line->lineNumber);
  int content = ContentLength(line);
  // The line end is at most two bytes (none on a last line without one).
  int end = std::min(line->length - content, static_cast<int>(sizeof m_szLineEnd) - 1);
  char lineEnd[sizeof m_szLineEnd] = {};
  for (int i = 0; i < end; ++i) lineEnd[i] = line->text[content + i];
  if (room == LineRoom::kShared) {
    if (char* text = m_shared.Take(static_cast<size_t>(n + end))) {
      shortcopy::Copy(text, bytes, static_cast<size_t>(n));
      for (int i = 0; i < end; ++i) text[n + i] = lineEnd[i];
      FreeText(line);
      m_linesAsLoaded = false;
      line->text = text;
      line->length = n + end;
      line->borrowed = 1;
      line->shared = 1;
      return TRUE;
    }
    room = LineRoom::kTight;
  }
  int oldLength = line->length;
  if (line->text == nullptr || TextCapacity(line) <= n + end) {
    line->length = 0;
    if (!ReserveLine(line, n + end + 1, room)) {
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

// The record holds every replacement of one Replace All, however many:
// against the ring's limit it counts as one record. It is undone one
// replacement at a time and leaves the history only when none is applied.
BOOL EditBuffer::AddLineSwapUndo(char* block, int firstLine) {
  if (m_pUndoRing == nullptr || block == nullptr) {
    std::free(block);
    return FALSE;
  }
  UndoRecord& slot = NextUndoSlot();
  slot.type = UNDO_SWAP_LINES;
  slot.line = slot.endLine = static_cast<UINT>(firstLine);
  slot.text = block;
  m_nUndoPos = m_nUndoCount = m_nUndoPos + 1;
  return TRUE;
}

void EditBuffer::ForgetUndo() {
  FreeUndo();
  m_nSavedUndoPos = -1;
}

int EditBuffer::SwapStepsApplied(int position) const {
  if (m_pUndoRing == nullptr || position <= 0) return 0;
  const UndoRecord& rec = m_pUndoRing[position - 1];
  return rec.type == UNDO_SWAP_LINES ? LineSwapSteps(rec.text).Applied() : 0;
}

bool EditBuffer::HasSwapStepsToRedo() const {
  if (m_pUndoRing == nullptr || m_nUndoPos <= 0) return false;
  const UndoRecord& rec = m_pUndoRing[m_nUndoPos - 1];
  if (rec.type != UNDO_SWAP_LINES) return false;
  LineSwapSteps steps(rec.text);
  return steps.Applied() < steps.Count();
}

// Puts one kept span back and keeps the bytes it replaces in its place, so
// that the step the other way swaps them again. The span is checked before
// the line changes; a line that cannot take its bytes leaves a text the
// history no longer matches, so the history goes.
bool EditBuffer::SwapOneSpan(UndoRecord& slot, LineSwapStep step) {
  if (m_bReadOnly) return false;
  LineSwapSteps steps(slot.text);
  LineSwapEntry kept;
  if (!steps.Peek(step, &kept)) return false;
  EditLine* line = GetLine(kept.line);
  if (line == nullptr || line->lineNumber != kept.line) return false;
  int content = ContentLength(line);
  int after = kept.offset + kept.present;
  if (after > content) return false;
  std::vector<char> bytes(line->text, line->text + kept.offset);
  bytes.insert(bytes.end(), kept.bytes, kept.bytes + kept.count);
  bytes.insert(bytes.end(), line->text + after, line->text + content);
  steps.Swap(step, line->text + kept.offset);
  if (!SetLineContent(line, bytes.data(), static_cast<int>(bytes.size()))) {
    ForgetUndo();
    SetModified(TRUE);
    return false;
  }
  m_undoPlace = UndoPlace{kept.line, kept.offset};
  SetModified(TRUE);
  return true;
}
