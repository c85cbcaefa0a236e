// One record of a buffer's undo history.
#pragma once

#include "platform/base/windef.h"

enum UndoType : UINT {
  UNDO_EMPTY = 0,
  UNDO_INSERT_CHAR = 1,
  UNDO_DELETE_CHAR = 2,
  UNDO_DELETE_TEXT = 3,
  UNDO_INSERT_TEXT = 4,
  UNDO_SPLIT_LINE = 6,
  UNDO_JOIN_LINES = 7,
  UNDO_OVERWRITE_CHAR = 8,
  UNDO_DELETE_BLOCK = 9,
  UNDO_INSERT_BLOCK = 10,
  UNDO_INSERT_FILE = 11,
  UNDO_SWAP_LINES = 12,  // text: the lines' other contents (lineswap.h)
};

struct UndoRecord {
  UINT type;     // UndoType
  UINT line;     // 1-based line of the start position
  UINT offset;   // byte offset of the start position
  UINT endLine;  // end position of range records
  UINT endOffset;
  BYTE ch;     // the character of character records
  BYTE oldCh;  // the character overwritten
  UINT group;  // group stamp, 0 outside a group
  char* text;  // heap text owned by the record (free())
};

constexpr int kUndoRecords = 2048;  // records in the ring
constexpr int kUndoDrop = 512;      // records dropped when the ring is full
