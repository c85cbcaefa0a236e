// Replace All over an edit buffer: every match from a line on is replaced,
// each changed line is built once from its old bytes, and the whole change
// is one undo step.
#pragma once

#include "editor/editline.h"
#include "editor/textsearch.h"

class EditBuffer;

struct ReplaceAllResult {
  int matches = 0;                   // matches found, replaced or not
  int replaced = 0;                  // matches replaced
  EditLine* firstChanged = nullptr;  // null when no line changed
};

// Searches forward from the start of `first` (rec gets FIND_FORWARD). A
// match that would make its line `maxColumns` display columns wide or wider
// is left as it is; a match of no bytes moves the search on by one byte; a
// match running into the line end is left as it is. The search reads each
// line as it was before the replacements, so a replacement is never
// searched again. A read-only buffer is left alone (no match is counted).
ReplaceAllResult ReplaceEveryMatch(EditBuffer& buffer, EditLine* first, FindRecord& rec, int maxColumns);
