#include "editor/editbuffer.h"
#include "editor/textcolumns.h"

int EditBuffer::TextWidth(const char* text, int n) { return textcols::TextWidth(text, n, m_nTabSize); }

int EditBuffer::OffsetToColumn(EditLine* line, int offset) {
  if (line == nullptr) return offset;
  return textcols::OffsetToColumn(line->text, line->length, offset, m_nTabSize);
}

int EditBuffer::ColumnToOffset(EditLine* line, int column) {
  if (line == nullptr) return column;
  return textcols::ColumnToOffset(line->text, line->length, column, m_nTabSize);
}

char* EditBuffer::ExpandTabs(const char* text, int n, int lineEndLength, int* outLength) {
  return textcols::ExpandTabs(text, n, m_nTabSize, lineEndLength, outLength);
}
