#include "editor/textcolumns.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace textcols {

namespace {

inline int CharWidth(char c, int column, int tabSize) { return c == '\t' ? TabWidth(column, tabSize) : 1; }

}  // namespace

int TextWidth(const char* text, int n, int tabSize) {
  if (text == nullptr) return 0;
  int width = 0;
  for (int i = 0; i < n; ++i) width += CharWidth(text[i], width, tabSize);
  return width;
}

int OffsetToColumn(const char* text, int length, int offset, int tabSize) {
  if (text == nullptr) return offset;
  if (offset < 1) return 0;
  if (offset <= length) return TextWidth(text, offset, tabSize);
  return TextWidth(text, length, tabSize) + (offset - length);
}

int ColumnToOffset(const char* text, int length, int column, int tabSize) {
  if (text == nullptr) return column;
  int width = 0;
  for (int i = 0; i < length; ++i) {
    int next = width + CharWidth(text[i], width, tabSize);
    if (next > column) return i;
    width = next;
  }
  return column > width ? length + (column - width) : length;
}

char* ExpandTabs(const char* text, int n, int tabSize, int lineEndLength, int* outLength) {
  if (text == nullptr || n < 0 || tabSize < 1) return nullptr;
  // Two passes: the first (out null) counts, the second copies.
  auto walk = [&](char* out) {
    long long len = 0;
    int column = 0;  // kept below the tab size: only the distance to the next stop counts
    for (int i = 0; i < n; ++i) {
      char c = text[i];
      if (c == '\r' || c == '\n') {
        int k = lineEndLength < 1 ? 1 : lineEndLength;
        if (k > n - i) k = n - i;
        if (out != nullptr) std::memcpy(out + len, text + i, k);
        len += k;
        i += k - 1;
        column = 0;
      } else if (c == '\t') {
        int w = TabWidth(column, tabSize);
        if (out != nullptr) std::memset(out + len, ' ', w);
        len += w;
        column = 0;
      } else {
        if (out != nullptr) out[len] = c;
        ++len;
        column = (column + 1) % tabSize;
      }
    }
    return len;
  };
  long long len = walk(nullptr);
  if (len >= INT_MAX) return nullptr;
  char* out = static_cast<char*>(std::calloc(1, len + 1));
  if (out == nullptr) return nullptr;
  walk(out);
  if (outLength != nullptr) *outLength = static_cast<int>(len);
  return out;
}

}  // namespace textcols
