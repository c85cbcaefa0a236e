#include <cstdlib>
#include <cstring>
#include <utility>

#include "editor/editbuffer.h"

namespace {

// The group nesting depth is one for the whole program; each outermost
// group takes the next stamp, so two commands never share one.
int g_undoDepth = 0;
UINT g_undoStamp = 0;

UINT NextStamp() {
  if (++g_undoStamp == 0) ++g_undoStamp;
  return g_undoStamp;
}

bool IsCharRecord(UINT type) {
  return type == UNDO_INSERT_CHAR || type == UNDO_DELETE_CHAR || type == UNDO_OVERWRITE_CHAR;
}

bool HasText(UINT type) {
  return type == UNDO_DELETE_TEXT || type == UNDO_INSERT_TEXT || type == UNDO_DELETE_BLOCK ||
         type == UNDO_INSERT_BLOCK || type == UNDO_INSERT_FILE;
}

// Whether `other` is undone or redone in one step with `done`.
bool Belongs(const UndoRecord& done, const UndoRecord& other) {
  if (done.group != 0 && done.group == other.group) return true;
  return IsCharRecord(done.type) && other.type == done.type && other.line == done.line;
}

void ClearSlot(UndoRecord& slot) {
  std::free(slot.text);
  slot = UndoRecord{};
}

}  // namespace

BOOL EditBuffer::AddLineTextUndo(UndoType type, const EditLine* line, int from, int to, const char* text) {
  UndoRecord rec{};
  rec.type = type;
  rec.line = rec.endLine = line->lineNumber;
  rec.offset = from;
  rec.endOffset = to;
  return AddUndoRecord(rec, text);
}

// The slot for a new record, emptied.
UndoRecord& EditBuffer::NextUndoSlot() {
  // The redo tail goes first, so that a full ring never drops records at or
  // above the current position.
  for (int i = m_nUndoPos; i < m_nUndoCount; ++i) ClearSlot(m_pUndoRing[i]);
  if (m_nSavedUndoPos > m_nUndoPos) m_nSavedUndoPos = -1;  // the saved text was undone and left
  m_nUndoCount = m_nUndoPos;
  if (m_nUndoCount >= kUndoRecords) {
    m_nSavedUndoPos = m_nSavedUndoPos >= kUndoDrop ? m_nSavedUndoPos - kUndoDrop : -1;
    for (int i = 0; i < kUndoDrop; ++i) ClearSlot(m_pUndoRing[i]);
    std::memmove(m_pUndoRing, m_pUndoRing + kUndoDrop, (kUndoRecords - kUndoDrop) * sizeof(UndoRecord));
    for (int i = kUndoRecords - kUndoDrop; i < kUndoRecords; ++i) m_pUndoRing[i] = UndoRecord{};
    m_nUndoPos -= kUndoDrop;
    m_nUndoCount -= kUndoDrop;
  }
  UndoRecord& slot = m_pUndoRing[m_nUndoPos];
  ClearSlot(slot);
  return slot;
}

BOOL EditBuffer::AddUndoRecord(const UndoRecord& rec, const char* text) {
  if (m_pUndoRing == nullptr) return FALSE;
  UndoRecord& slot = NextUndoSlot();
  slot.type = rec.type;
  slot.line = rec.line;
  slot.offset = rec.offset;
  slot.group = m_nUndoGroup;
  switch (rec.type) {
    case UNDO_INSERT_CHAR:
    case UNDO_DELETE_CHAR:
      slot.ch = rec.ch;
      break;
    case UNDO_OVERWRITE_CHAR:
      slot.ch = rec.ch;
      slot.oldCh = rec.oldCh;
      break;
    case UNDO_SPLIT_LINE:
    case UNDO_JOIN_LINES:
      slot.endLine = rec.endLine;
      slot.endOffset = rec.endOffset;
      break;
    default:
      break;
  }
  if (HasText(rec.type)) {
    slot.endLine = rec.endLine;
    slot.endOffset = rec.endOffset;
    bool empty = slot.line == slot.endLine && slot.offset == slot.endOffset;
    if (text != nullptr && !empty) {
      slot.text = strdup(text);
      if (slot.text == nullptr) {
        slot = UndoRecord{};
        return FALSE;
      }
    }
    if (slot.line > slot.endLine) {
      std::swap(slot.line, slot.endLine);
      std::swap(slot.offset, slot.endOffset);
    }
  }
  m_nUndoPos = m_nUndoCount = m_nUndoPos + 1;
  return TRUE;
}

EditPos EditBuffer::PosOf(UINT line, UINT offset) {
  EditPos pos;
  pos.line = GetLine(static_cast<int>(line));
  pos.offset = static_cast<int>(offset);
  return pos;
}

void EditBuffer::Replay(const UndoRecord& rec, bool redo, LineCache& cache) {
  // Character records change no lines, so a run of them on one line finds
  // that line once.
  bool charRecord = IsCharRecord(rec.type);
  EditPos at;
  if (charRecord && cache.line != nullptr && cache.number == rec.line) {
    at.line = cache.line;
    at.offset = static_cast<int>(rec.offset);
  } else {
    at = PosOf(rec.line, rec.offset);
  }
  cache.number = rec.line;
  cache.line = charRecord ? at.line : nullptr;
  // Range records also need their end.
  EditPos end;
  if (rec.type != UNDO_SPLIT_LINE && rec.type != UNDO_JOIN_LINES && !charRecord) {
    end = PosOf(rec.endLine, rec.endOffset);
  }
  const char* text = rec.text != nullptr ? rec.text : "";
  int length = static_cast<int>(std::strlen(text));
  switch (rec.type) {
    case UNDO_INSERT_CHAR:
      if (redo)
        InsertChar(at, rec.ch, TRUE, FALSE);
      else
        DeleteChar(at, FALSE);
      break;
    case UNDO_DELETE_CHAR:
      if (redo)
        DeleteChar(at, FALSE);
      else
        InsertChar(at, rec.ch, TRUE, FALSE);
      break;
    case UNDO_DELETE_TEXT:
      if (redo)
        DeleteRange(at, end, FALSE);
      else if (length > 0)
        InsertText(at, text, length, FALSE, nullptr);
      break;
    case UNDO_INSERT_TEXT:
      if (redo) {
        if (length > 0) InsertText(at, text, length, FALSE, nullptr);
      } else {
        DeleteRange(at, end, FALSE);
      }
      break;
    case UNDO_SPLIT_LINE:
      if (redo)
        SplitLine(at, FALSE);
      else
        JoinLines(at, FALSE);
      break;
    case UNDO_JOIN_LINES:
      if (redo)
        JoinLines(at, FALSE);
      else
        SplitLine(at, FALSE);
      break;
    case UNDO_OVERWRITE_CHAR:
      if (redo)
        InsertChar(at, rec.ch, FALSE, FALSE);
      else if (rec.oldCh == static_cast<BYTE>(m_szLineEnd[0]))
        DeleteChar(at, FALSE);
      else
        InsertChar(at, rec.oldCh, FALSE, FALSE);
      break;
    case UNDO_DELETE_BLOCK:
      if (redo)
        DeleteColumnBlock(at, end, FALSE);
      else if (length > 0)
        InsertColumnBlock(at, text, length, FALSE);
      break;
    case UNDO_INSERT_BLOCK:
      if (redo) {
        if (length > 0) InsertColumnBlock(at, text, length, FALSE);
      } else {
        EditPos last = rec.endLine == rec.line ? end : PosOf(rec.endLine - 1, rec.endOffset);
        DeleteColumnBlock(at, last, FALSE);
      }
      break;
    case UNDO_INSERT_FILE:
      if (redo)
        InsertFile(at, text, FALSE);
      else
        DeleteRange(at, end, FALSE);
      break;
    default:
      break;  // not a record of ours: only the position moves
  }
}

BOOL EditBuffer::Undo() {
  if (m_pUndoRing == nullptr || m_nUndoPos <= 0) return 0;
  int done = 0;
  LineCache cache;
  for (;;) {
    UndoRecord rec = m_pUndoRing[m_nUndoPos - 1];
    if (rec.type == UNDO_SWAP_LINES) {
      if (!SwapLines(m_pUndoRing[m_nUndoPos - 1])) return done;
    } else {
      Replay(rec, false, cache);
    }
    --m_nUndoPos;
    ++done;
    if (m_nUndoPos == 0 || !Belongs(rec, m_pUndoRing[m_nUndoPos - 1])) break;
  }
  return done;
}

BOOL EditBuffer::Redo() {
  if (m_pUndoRing == nullptr || m_nUndoCount == 0 || m_nUndoPos + 1 > m_nUndoCount) return 0;
  int done = 0;
  LineCache cache;
  for (;;) {
    UndoRecord rec = m_pUndoRing[m_nUndoPos];
    if (rec.type == UNDO_SWAP_LINES) {
      if (!SwapLines(m_pUndoRing[m_nUndoPos])) return done;
    } else {
      Replay(rec, true, cache);
    }
    ++m_nUndoPos;
    ++done;
    if (m_nUndoPos + 1 > m_nUndoCount || !Belongs(rec, m_pUndoRing[m_nUndoPos])) break;
  }
  return done;
}

int EditBuffer::BeginUndoGroup(BOOL begin) {
  if (begin) {
    if (g_undoDepth == 0) m_nUndoGroup = NextStamp();
    return ++g_undoDepth;
  }
  if (g_undoDepth > 0 && --g_undoDepth == 0) m_nUndoGroup = 0;
  return g_undoDepth;
}

void EditBuffer::ResetUndo() {
  m_nUndoPos = 0;
  m_nSavedUndoPos = 0;
  m_nUndoCount = 0;
  m_nUndoGroup = 0;
}

void EditBuffer::FreeUndo() {
  if (m_pUndoRing != nullptr) {
    for (int i = 0; i < kUndoRecords; ++i) ClearSlot(m_pUndoRing[i]);
  }
  m_nUndoPos = 0;
  m_nUndoCount = 0;
  m_nSavedUndoPos = 0;
}
