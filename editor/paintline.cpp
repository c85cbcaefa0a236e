#include "editor/paintline.h"

#include <algorithm>
#include <cstring>

#include "editor/editbuffer.h"

namespace {
constexpr unsigned char kShownTab = 0xBB;
}

void PaintLine::Expand(const char* text, int length, int tabSize, TabMarks marks, int lineEndLength) {
  if (tabSize < 1) tabSize = 1;
  if (std::memchr(text, '\t', length) == nullptr) {
    m_text.resize(length + 1);
    std::memcpy(m_text.data(), text, length);
    m_length = length;
  } else {
    m_text.clear();
    int column = 0;
    for (int i = 0; i < length; ++i) {
      char c = text[i];
      if (c == '\t') {
        int n = tabSize - column % tabSize;
        for (int k = 0; k < n; ++k) {
          m_text.push_back(k == 0 && marks == TabMarks::Shown ? static_cast<char>(kShownTab) : ' ');
        }
        column += n;
      } else if (c == '\r' || c == '\n') {
        int n = std::min(lineEndLength, length - i);
        m_text.insert(m_text.end(), text + i, text + i + std::max(n, 1));
        i += std::max(n, 1) - 1;
        column = 0;
      } else {
        m_text.push_back(c);
        ++column;
      }
    }
    m_length = static_cast<int>(m_text.size());
    m_text.push_back('\0');
  }
  m_text[m_length] = '\0';
  m_attr.assign(m_length + 1, PAINT_PLAIN);
}

int PaintLine::VisibleLength(const char* lineEnd, int lineEndLength) const {
  if (lineEndLength > 0 && m_length >= lineEndLength &&
      std::memcmp(m_text.data() + m_length - lineEndLength, lineEnd, lineEndLength) == 0) {
    return m_length - lineEndLength;
  }
  return m_length;
}

void PaintLine::MarkComments(EditBuffer& buffer, EditLine* line) {
  int kind = 0;
  int at = 0;
  bool inside = buffer.GetBlockKind(line, &kind);
  while (at < m_length) {
    int start;
    if (inside) {
      start = at;
      inside = false;
    } else {
      int found = buffer.FindCommentStart(m_text.data() + at, m_length - at, &kind);
      if (found < 0) return;
      start = at + found;
    }
    int len = buffer.FindCommentEnd(m_text.data() + start, m_length - start, kind);
    int end = std::min(m_length, start + std::max(len, 1));
    for (int i = start; i < end; ++i) m_attr[i] |= PAINT_COMMENT;
    at = end;
  }
}

void PaintLine::MarkQuotes() {
  int open = -1;
  char quote = 0;
  for (int i = 0; i < m_length; ++i) {
    if (m_attr[i] & PAINT_COMMENT) continue;
    char c = m_text[i];
    if (c == '\\') {
      ++i;
    } else if (open < 0 && (c == '"' || c == '\'')) {
      open = i;
      quote = c;
    } else if (open >= 0 && c == quote) {
      for (int k = open + 1; k < i; ++k) m_attr[k] |= PAINT_QUOTE;
      open = -1;
    }
  }
}

void PaintLine::MarkKeyword(int from, int to) {
  for (int i = std::max(from, 0); i < std::min(to, m_length); ++i) m_attr[i] |= PAINT_KEYWORD;
}

PaintAttr PaintLine::ClassAt(int i) const {
  unsigned char a = m_attr[i];
  if (a & PAINT_COMMENT) return PAINT_COMMENT;
  if (a & PAINT_QUOTE) return PAINT_QUOTE;
  if (a & PAINT_KEYWORD) return PAINT_KEYWORD;
  return PAINT_PLAIN;
}
