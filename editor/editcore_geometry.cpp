#include "editor/editcore_geometry.h"

#include <algorithm>

HitCell HitTestCell(const CellGeometry& g, int x, int y) {
  HitCell cell;
  if (g.charWidth <= 0 || g.lineHeight <= 0) return cell;
  if (x < g.marginWidth) {
    x = g.marginWidth;
    cell.inMargin = true;
  }
  cell.screenColumn = (x - g.marginWidth + g.charWidth / 2) / g.charWidth;
  cell.row = std::max(0, y) / g.lineHeight;
  if ((cell.row + 1) * g.lineHeight > g.clientBottom && cell.row > 0) --cell.row;
  return cell;
}

int VScrollFactor(int lineCount) { return (std::max(lineCount, 1) - 1) / 65535 + 1; }

bool StreamLineSpan(SpanRole role, int startColumn, int endColumn, int lineEndColumn, LineSpan* span) {
  int from = 0;
  int to = lineEndColumn;
  switch (role) {
    case SpanRole::Outside:
      return false;
    case SpanRole::Start:
      from = std::min(startColumn, lineEndColumn);
      break;
    case SpanRole::End:
      to = std::min(endColumn, lineEndColumn);
      break;
    case SpanRole::StartAndEnd:
      from = std::min(startColumn, lineEndColumn);
      to = std::min(endColumn, lineEndColumn);
      break;
    case SpanRole::Inside:
      break;
  }
  span->start = from;
  span->width = to - from;
  return span->width > 0;
}

bool ColumnLineSpan(int column1, int column2, LineSpan* span) {
  span->start = std::min(column1, column2);
  span->width = std::max(column1, column2) - span->start;
  return span->width > 0;
}

bool ColumnOnSpan(SpanRole role, int column, const LineSpan& span, SpanEnd end) {
  int last = span.start + span.width;
  bool closed = end == SpanEnd::Closed || role == SpanRole::StartAndEnd;
  switch (role) {
    case SpanRole::Outside:
      return false;
    case SpanRole::Inside:
      return true;
    case SpanRole::Start:
      return column >= span.start;
    case SpanRole::End:
      return closed ? column <= last : column < last;
    case SpanRole::StartAndEnd:
      return column >= span.start && (closed ? column <= last : column < last);
  }
  return false;
}
