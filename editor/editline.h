// One line of an edit buffer and a position in the text.
#pragma once

#include <cstring>

#include "platform/base/windef.h"

// Bits a line's flags have: the LINE_* values here, the editor core's
// selection marks (seceditcore.h) and the disassembly view's source-text
// mark (disass_line_window.h) share them.
constexpr int kLineFlagBits = 7;

// Line flags.
enum : UINT {
  LINE_BOOKMARK = 4,
  LINE_EXECUTION = 8,
  LINE_BREAKPOINT = 16,
  LINE_MESSAGE = 32,
};

// The most bytes a line's text holds, line end included (the range of its
// length); an own text's room is at most one more, for its NUL.
constexpr int kMaxLineBytes = (1 << 23) - 1;

// Millions of these make up a big file: the record is kept to 32 bytes.
struct EditLine {
  EditLine* next;              // null at the last line
  EditLine* prev;              // null at the first line
  char* text;                  // bytes with the line end; a NUL follows them. An own
                               // text has its room in front of it (TextCapacity)
  int lineNumber;              // 1-based, valid after renumbering
  UINT length : 23;            // bytes in text, line end included
  UINT flags : kLineFlagBits;  // LINE_* and the core's selection marks
  UINT borrowed : 1;           // text is not the line's own: it lies in the
                               // buffer's loaded texts or its shared ones
  UINT shared : 1;             // of those, in the shared ones (SharedTexts)
};
static_assert(sizeof(EditLine) == 32, "a line record is 32 bytes");

// What lies in front of an own text: the bytes allocated for the text.
struct EditTextHeader {
  int capacity;
  int unused;  // keeps the text 8-byte aligned
};

// A line whose text is still the one loaded, or one packed among the
// shared texts of lines rebuilt at once: it is not the line's own, and is
// copied before it is changed (ReserveLine).
inline bool IsBorrowed(const EditLine* line) { return line->borrowed != 0; }

// Bytes allocated for the line's own text; 0 when it has none or borrows it.
inline int TextCapacity(const EditLine* line) {
  if (line->text == nullptr || IsBorrowed(line)) return 0;
  EditTextHeader header;
  std::memcpy(&header, line->text - sizeof header, sizeof header);
  return header.capacity;
}

struct EditPos {
  EditLine* line = nullptr;
  int offset = 0;  // byte index into line->text
};
