#include <cstdlib>
#include <cstring>

#include "editor/editbuffer.h"

namespace {

inline int CharWidth(char c, int column, int tab) { return c == '\t' ? tab - column % tab : 1; }

}  // namespace

int EditBuffer::TextWidth(const char* text, int n) {
  if (text == nullptr) return 0;
  int width = 0;
  for (int i = 0; i < n; ++i) width += CharWidth(text[i], width, m_nTabSize);
  return width;
}

int EditBuffer::OffsetToColumn(EditLine* line, int offset) {
  if (line == nullptr || line->text == nullptr) return offset;
  if (offset < 1) return 0;
  if (offset <= line->length) return TextWidth(line->text, offset);
  // Past the end every position is one column.
  return TextWidth(line->text, line->length) + (offset - line->length);
}

int EditBuffer::ColumnToOffset(EditLine* line, int column) {
  if (line == nullptr || line->text == nullptr) return column;
  int width = 0;
  for (int i = 0; i < line->length; ++i) {
    int next = width + CharWidth(line->text[i], width, m_nTabSize);
    if (next > column) return i;
    width = next;
  }
  return column > width ? line->length + (column - width) : line->length;
}

char* EditBuffer::ExpandTabs(const char* text, int n, int lineEndLength, int* outLength) {
  if (text == nullptr || n < 0) return nullptr;
  int tab = m_nTabSize;
  auto walk = [&](char* out) {
    long len = 0;
    int column = 0;
    for (int i = 0; i < n; ++i) {
      char c = text[i];
      if (c == '\r' || c == '\n') {
        int k = lineEndLength;
        if (k < 1) k = 1;
        if (i + k > n) k = n - i;
        if (out != nullptr) std::memcpy(out + len, text + i, k);
        len += k;
        i += k - 1;
        column = 0;
      } else if (c == '\t') {
        int w = tab - column % tab;
        if (out != nullptr) std::memset(out + len, ' ', w);
        len += w;
        column += w;
      } else {
        if (out != nullptr) out[len] = c;
        ++len;
        ++column;
      }
    }
    return len;
  };
  long len = walk(nullptr);
  if (len > 0x3FFFFFFF) return nullptr;
  char* out = static_cast<char*>(std::calloc(1, len + 1));
  if (out == nullptr) return nullptr;
  walk(out);
  if (outLength != nullptr) *outLength = static_cast<int>(len);
  return out;
}
