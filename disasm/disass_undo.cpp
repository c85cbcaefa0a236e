#include "disasm/disass_undo.h"

#include <cstring>
#include <new>
#include <utility>

#include "disasm/disass_edit.h"
#include "platform/sys/time.h"

namespace {

// Nesting of open groups, shared by every disassembly model.
int g_groupNesting = 0;
// Stamps are unique even for groups opened within one tick.
DWORD g_lastStamp = 0;

DWORD NewStamp() {
  DWORD stamp = GetTickCount();
  if (stamp <= g_lastStamp) stamp = g_lastStamp + 1;
  if (stamp == 0) stamp = 1;
  g_lastStamp = stamp;
  return stamp;
}

DisassPos Start(const DisassUndoRecord& r) { return {r.startLine, r.startOffset}; }

DisassPos End(const DisassUndoRecord& r) { return {r.endLine, r.endOffset}; }

}  // namespace

DisassUndo::DisassUndo(DisassEdit& model) : m_model(model), m_records(new DisassUndoRecord[kCapacity]) {}

DisassUndo::~DisassUndo() {
  ClearUndo();
  delete[] m_records;
}

bool DisassUndo::HasText(int kind) { return kind == 3 || kind == 4 || kind == 9 || kind == 10 || kind == 11; }

bool DisassUndo::IsSingleChar(int kind) { return kind == 1 || kind == 2 || kind == 8; }

void DisassUndo::FreeText(DisassUndoRecord& r) {
  delete[] r.text;
  r.text = nullptr;
}

BOOL DisassUndo::AddUndoRecord(const DisassUndoRecord& record, const char* text) {
  char* copy = nullptr;
  if (HasText(record.kind)) {
    size_t len = text ? std::strlen(text) : 0;
    copy = new (std::nothrow) char[len + 1];
    if (!copy) return FALSE;
    if (len) std::memcpy(copy, text, len);
    copy[len] = 0;
  }
  // The redo history goes first, so a full array never drops records
  // below the position.
  for (int i = m_position; i < m_count; ++i) FreeText(m_records[i]);
  m_count = m_position;
  if (m_count == kCapacity) DropOldestUndo();

  DisassUndoRecord& slot = m_records[m_position];
  FreeText(slot);
  slot = DisassUndoRecord();
  slot.kind = record.kind;
  slot.startLine = record.startLine;
  slot.startOffset = record.startOffset;
  slot.stamp = m_stamp;
  switch (record.kind) {
    case 1:
    case 2:
      slot.chars = record.chars & 0xFF;
      break;
    case 8:
      slot.chars = record.chars & 0xFFFF;
      break;
    case 6:
    case 7:
      slot.endLine = record.endLine;
      slot.endOffset = record.endOffset;
      break;
    case 3:
    case 4:
    case 9:
    case 10:
    case 11:
      slot.text = copy;
      copy = nullptr;
      slot.endLine = record.endLine;
      slot.endOffset = record.endOffset;
      if (slot.endLine == slot.startLine && slot.endOffset == slot.startOffset) FreeText(slot);
      if (slot.startLine > slot.endLine) {
        std::swap(slot.startLine, slot.endLine);
        std::swap(slot.startOffset, slot.endOffset);
      }
      break;
    default:
      break;
  }
  delete[] copy;
  ++m_position;
  m_count = m_position;
  return TRUE;
}

void DisassUndo::ClearUndo() {
  for (int i = 0; i < kCapacity; ++i) {
    FreeText(m_records[i]);
    m_records[i].kind = 0;
  }
  m_position = 0;
  m_count = 0;
}

int DisassUndo::DropOldestUndo() {
  for (int i = 0; i < kDropCount; ++i) FreeText(m_records[i]);
  for (int i = kDropCount; i < kCapacity; ++i) {
    m_records[i - kDropCount] = m_records[i];
    m_records[i].text = nullptr;
  }
  for (int i = kCapacity - kDropCount; i < kCapacity; ++i) m_records[i] = DisassUndoRecord();
  m_position = m_position > kDropCount ? m_position - kDropCount : 0;
  m_count = m_count > kDropCount ? m_count - kDropCount : 0;
  return 1;
}

void DisassUndo::UndoGroup(BOOL open) {
  if (open) {
    if (g_groupNesting == 0) m_stamp = NewStamp();
    ++g_groupNesting;
    return;
  }
  if (g_groupNesting > 0) --g_groupNesting;
  if (g_groupNesting == 0) m_stamp = 0;
}

// Whether replaying `done` goes on with `other`: the same group, or a run
// of single-character edits of one kind on one line.
bool DisassUndo::ContinuesWith(const DisassUndoRecord& done, const DisassUndoRecord& other) const {
  if (done.stamp != 0 && done.stamp == other.stamp) return true;
  return IsSingleChar(done.kind) && other.kind == done.kind && other.startLine == done.startLine;
}

BOOL DisassUndo::UndoStep() {
  if (m_position == 0) return FALSE;
  for (;;) {
    DisassUndoRecord done = m_records[m_position - 1];
    ReplayUndo(done);
    --m_position;
    if (m_position == 0 || !ContinuesWith(done, m_records[m_position - 1])) return TRUE;
  }
}

BOOL DisassUndo::RedoStep() {
  if (m_count == 0 || m_position + 1 > m_count) return FALSE;
  for (;;) {
    DisassUndoRecord done = m_records[m_position];
    ReplayRedo(done);
    ++m_position;
    // Only records that can be redone are looked at.
    if (m_position >= m_count || !ContinuesWith(done, m_records[m_position])) return TRUE;
  }
}

void DisassUndo::ReplayUndo(const DisassUndoRecord& r) {
  switch (r.kind) {
    case 3:
      m_model.InsertTextRange(Start(r), r.text, FALSE);
      break;
    case 4:
    case 11:
      m_model.DeleteRange(Start(r), End(r), FALSE);
      break;
    case 7:
      m_model.SplitLine(Start(r), FALSE);
      break;
    case 9:
      m_model.InsertColumnText(Start(r), r.text, FALSE);
      break;
    case 10: {
      DisassPos end = End(r);
      if (end.line != r.startLine) --end.line;
      m_model.DeleteColumnBlock(Start(r), end, FALSE);
      break;
    }
    default:
      break;
  }
}

void DisassUndo::ReplayRedo(const DisassUndoRecord& r) {
  switch (r.kind) {
    case 3:
      m_model.DeleteRange(Start(r), End(r), FALSE);
      break;
    case 4:
      m_model.InsertTextRange(Start(r), r.text, FALSE);
      break;
    case 6:
      m_model.SplitLine(Start(r), FALSE);
      break;
    case 9:
      m_model.DeleteColumnBlock(Start(r), End(r), FALSE);
      break;
    case 10:
      m_model.InsertColumnText(Start(r), r.text, FALSE);
      break;
    case 11:
      m_model.InsertText(Start(r), r.text, FALSE);
      break;
    default:
      break;
  }
}
