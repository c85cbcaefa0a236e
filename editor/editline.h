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
  int capacity;     // bytes allocated for text; 0 while text lies in the
                    // buffer's loaded texts (see IsBorrowed)
  int lineNumber;   // 1-based, valid after renumbering
  UINT selColumns;  // kept by the editor core
  UINT flags;       // LINE_* and the core's selection marks
};

// A line read from a file whose text is still the one loaded: it is not
// the line's own, and is copied before it is changed (ReserveLine).
inline bool IsBorrowed(const EditLine* line) { return line->capacity == 0 && line->text != nullptr; }

struct EditPos {
  EditLine* line = nullptr;
  int offset = 0;  // byte index into line->text
};
