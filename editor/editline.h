// One line of an edit buffer and a position in the text.
#pragma once

#include "platform/base/windef.h"

// Line flags.
enum : UINT {
  LINE_BOOKMARK = 4,
  LINE_EXECUTION = 8,
  LINE_BREAKPOINT = 16,
  LINE_MESSAGE = 32,
};

struct EditLine {
  EditLine* next;   // null at the last line
  EditLine* prev;   // null at the first line
  char* text;       // bytes with the line end; a NUL follows them
  int length;       // bytes in text, line end included
  int capacity;     // bytes allocated for text
  int lineNumber;   // 1-based, valid after renumbering
  UINT selColumns;  // kept by the editor core
  UINT flags;       // LINE_* and the core's selection marks
};

struct EditPos {
  EditLine* line = nullptr;
  int offset = 0;  // byte index into line->text
};
