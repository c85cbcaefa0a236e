#include "editor/editresult.h"

namespace {

struct IdText {
  int id;
  const char* text;
};

const IdText kTexts[] = {
    {EDIT_READ_ONLY, "The file is read only."},
    {EDIT_CLIPBOARD_EMPTY, "The clipboard is empty."},
    {EDIT_CANT_READ, "Can't read data."},
    {EDIT_LINE_TOO_LONG, "Cannot complete operation.  Maximum line length would be exceeded."},
    {EDIT_NO_MEMORY, "Out of memory."},
    {EDIT_END_OF_FILE, "End of file."},
    {EDIT_NO_SELECTION, "There is no selection."},
    {EDIT_TOP_OF_FILE, "Top of file."},
    {EDIT_NO_TEXT, "There is no text."},
    {EDIT_STREAM_ONLY, "Stream Only."},
    {EDIT_NOT_FOUND, "The string '%s' was not found."},
    {EDIT_FIND_FINISHED, "Finished searching for '%s'."},
    {EDIT_JOIN_LINE, "Join line."},
    {EDIT_DELETE_LINE, "Delete line."},
    {EDIT_NULLS_IN_FILE, "Nulls encounterd in file.  Use another editor to edit this file."},
    {EDIT_LINES_WRAPPED,
     "This file contains lines longer than the %d character maximum.\r\nThe lines will be wrapped."},
};

}  // namespace

const char* EditResultText(int id) {
  for (const IdText& t : kTexts) {
    if (t.id == id) return t.text;
  }
  return nullptr;
}
