// Results of the edit buffer's operations: 0 or a string-table id. File
// operations may return a Windows error code instead.
#pragma once

enum EditResult {
  EDIT_OK = 0,
  EDIT_READ_ONLY = 22575,        // "The file is read only."
  EDIT_CLIPBOARD_EMPTY = 22576,  // "The clipboard is empty."
  EDIT_CANT_READ = 22577,        // "Can't read data."
  EDIT_LINE_TOO_LONG = 22578,    // "... Maximum line length would be exceeded."
  EDIT_NO_MEMORY = 22579,        // "Out of memory."
  EDIT_END_OF_FILE = 22580,      // "End of file."
  EDIT_NO_SELECTION = 22581,     // "There is no selection."
  EDIT_TOP_OF_FILE = 22583,      // "Top of file."
  EDIT_NO_TEXT = 22584,          // "There is no text."
  EDIT_STREAM_ONLY = 22585,      // "Stream Only."
  EDIT_NOT_FOUND = 22586,        // "The string '%s' was not found."
  EDIT_FIND_FINISHED = 22588,    // "Finished searching for '%s'."
  EDIT_JOIN_LINE = 22589,        // "Join line."
  EDIT_DELETE_LINE = 22590,      // "Delete line."
  EDIT_NULLS_IN_FILE = 22609,    // "Nulls encounterd in file. ..."
  EDIT_LINES_WRAPPED = 22610,    // "This file contains lines longer than ..."
};

// The message text of an id (the string table's text), or null.
const char* EditResultText(int id);

// Limits of the text.
constexpr int kMaxLineColumns = 16384;  // widest line in display columns
constexpr int kReadChunk = 32767;       // bytes asked for by one file read
