// One line made ready for painting: tabs expanded to cells and every cell
// given its colour class (plain, keyword, quote, comment). The work area
// grows with the longest line painted and is reused for every row.
#pragma once

#include <vector>

class EditBuffer;
struct EditLine;

// Colour classes of a painted cell; a cell's colour is decided in the
// order comment, quote, keyword, plain.
enum PaintAttr : unsigned char {
  PAINT_PLAIN = 2,
  PAINT_KEYWORD = 4,
  PAINT_QUOTE = 8,
  PAINT_COMMENT = 16,
};

// Whether the first of a tab's cells shows the byte 0xBB.
enum class TabMarks { Hidden, Shown };

class PaintLine {
 public:
  // Expands the line's bytes: a tab becomes blanks to the next multiple of
  // tabSize (0xBB in its first cell when shown); a line-end byte copies the
  // line end and restarts the tab count.
  void Expand(const char* text, int length, int tabSize, TabMarks marks, int lineEndLength);
  // Cells of the text without a trailing line end.
  int VisibleLength(const char* lineEnd, int lineEndLength) const;

  // Comment and quote classes from the buffer's language (keyword spans
  // are marked by the painter as it draws them).
  void MarkComments(EditBuffer& buffer, EditLine* line);
  void MarkQuotes();
  void MarkKeyword(int from, int to);
  // The colour class of a cell.
  PaintAttr ClassAt(int i) const;

  const char* Text() const { return m_text.data(); }
  int Length() const { return m_length; }

 private:
  std::vector<char> m_text;           // NUL-terminated
  std::vector<unsigned char> m_attr;  // one per cell
  int m_length = 0;
};
