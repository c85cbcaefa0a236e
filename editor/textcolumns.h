// Display columns of a line's bytes: a byte is one column, a tab reaches the
// next multiple of the tab size (a full tab size from a tab stop). Both text
// models and their views count columns with these.
#pragma once

namespace textcols {

// Columns of a tab that starts at the column.
inline int TabWidth(int column, int tabSize) { return tabSize - column % tabSize; }

// Columns of the first n bytes.
int TextWidth(const char* text, int n, int tabSize);

// The column of a byte offset; past the end of the text each position is
// one column.
int OffsetToColumn(const char* text, int length, int offset, int tabSize);

// The offset of the byte whose span covers the column; past the end of
// the text each column is one position.
int ColumnToOffset(const char* text, int length, int column, int tabSize);

// A new NUL-terminated copy (free()) with every tab expanded to spaces; a
// CR or LF copies lineEndLength bytes (at least one) and starts column 0
// again. Null when the copy would not fit an int; *outLength is its length.
char* ExpandTabs(const char* text, int n, int tabSize, int lineEndLength, int* outLength);

}  // namespace textcols
