// Cell arithmetic of the editor windows: which cell a mouse point hits,
// which cells of a line a selection covers, and how many lines one unit of
// a 16-bit scroll bar stands for. Plain values in and out, shared by every
// editor view over any line source.
#pragma once

// Pixel geometry of one editor window.
struct CellGeometry {
  int charWidth = 0;
  int lineHeight = 0;
  int marginWidth = 0;
  int clientBottom = 0;  // height that holds text rows
};

// The cell a client point falls on.
struct HitCell {
  int row = 0;            // text row from the top line
  int screenColumn = 0;   // column from the left column
  bool inMargin = false;  // the point lay left of the text
};

// Maps a client point to its nearest cell boundary; a partly visible last
// row is not used (the row above counts).
HitCell HitTestCell(const CellGeometry& g, int x, int y);

// Lines per vertical scroll-bar unit, so that the bar's range stays within
// 16 bits.
int VScrollFactor(int lineCount);

// Where a line stands relative to a stream selection.
enum class SpanRole { Outside, Start, End, StartAndEnd, Inside };

// Selected cells of one line: from `start` over `width` columns.
struct LineSpan {
  int start = 0;
  int width = 0;
};

// A stream selection's cells on a line whose text ends at lineEndColumn;
// line ends themselves are never selected. False when nothing is selected.
bool StreamLineSpan(SpanRole role, int startColumn, int endColumn, int lineEndColumn, LineSpan* span);

// A column block's cells on a line inside the block's rows.
bool ColumnLineSpan(int column1, int column2, LineSpan* span);

// Whether a display column lies on the selected cells of a line (the
// drag and drop test): the span's end counts only on a line that is both
// start and end of a stream selection, and always in a column block.
enum class SpanEnd { Open, Closed };
bool ColumnOnSpan(SpanRole role, int column, const LineSpan& span, SpanEnd end);
