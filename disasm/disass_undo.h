// The undo and redo history of the disassembly text model: a fixed array of
// records, the oldest quarter dropped at once when it is full, groups
// stamped so that they undo together. Replays go through the model's own
// primitives, most of which leave the text as it is.
#pragma once

#include "disasm/disass_pos.h"
#include "platform/base/windef.h"

class DisassEdit;

struct DisassUndoRecord {
  int kind = 0;  // 1-11; 0 = empty
  int startLine = 0;
  int startOffset = 0;
  int endLine = 0;
  int endOffset = 0;
  DWORD chars = 0;  // byte 0: the character; byte 1: the one it replaced
  DWORD stamp = 0;
  char* text = nullptr;  // owned
};

class DisassUndo {
 public:
  static constexpr int kCapacity = 2048;
  static constexpr int kDropCount = 512;

  explicit DisassUndo(DisassEdit& model);
  ~DisassUndo();
  DisassUndo(const DisassUndo&) = delete;
  DisassUndo& operator=(const DisassUndo&) = delete;

  // FALSE only when the text cannot be copied.
  BOOL AddUndoRecord(const DisassUndoRecord& record, const char* text);
  void ClearUndo();
  int DropOldestUndo();
  DWORD GetUndoGroupStamp() const { return m_stamp; }
  void UndoGroup(BOOL open);
  BOOL UndoStep();
  BOOL RedoStep();

  int Position() const { return m_position; }
  int Count() const { return m_count; }
  const DisassUndoRecord& Record(int i) const { return m_records[i]; }

 private:
  static bool HasText(int kind);
  static bool IsSingleChar(int kind);
  static void FreeText(DisassUndoRecord& r);
  bool ContinuesWith(const DisassUndoRecord& done, const DisassUndoRecord& other) const;
  void ReplayUndo(const DisassUndoRecord& r);
  void ReplayRedo(const DisassUndoRecord& r);

  DisassEdit& m_model;
  DisassUndoRecord* m_records;
  int m_position = 0;
  int m_count = 0;
  DWORD m_stamp = 0;
};
