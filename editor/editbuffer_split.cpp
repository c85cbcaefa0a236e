#include <cstdlib>
#include <cstring>

#include "editor/editbuffer.h"
#include "editor/editplatform.h"
#include "editor/linesplitter.h"
#include "platform/base/format.h"

namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

// A new line holding n bytes, followed by the buffer's line end when asked.
EditLine* EditBuffer::MakeLine(const char* bytes, int n, bool withEnd, LoadedLines* store) {
  int total = n + (withEnd ? m_nLineEndLength : 0);
  if (total > kMaxLineBytes) return nullptr;  // the splitter cuts lines far shorter
  EditLine* line;
  if (store != nullptr) {
    // A loaded line: record and text (with a NUL after) from the store.
    line = store->TakeRecord();
    char* text = total > 0 && line != nullptr ? store->TakeText(static_cast<size_t>(total) + 1) : nullptr;
    if (line == nullptr || (total > 0 && text == nullptr)) return nullptr;
    line->text = text;
    line->borrowed = text != nullptr;
    line->lineNumber = 1;
  } else {
    line = CreateLine(total, LineRoom::kTight);
  }
  if (line == nullptr) return nullptr;
  if (n > 0) std::memcpy(line->text, bytes, n);
  if (withEnd) std::memcpy(line->text + n, m_szLineEnd, m_nLineEndLength);
  line->length = total;
  return line;
}

EditLine* EditBuffer::SplitText(const char* text) {
  if (text == nullptr) return nullptr;
  LineSplitter splitter(*this);
  if (!splitter.Feed(text, static_cast<int>(std::strlen(text))) || !splitter.Finish()) {
    return nullptr;
  }
  if (splitter.Wrapped()) {
    std::string message = mirt::FormatString(EditResultText(EDIT_LINES_WRAPPED), kMaxLineColumns);
    EditMessage(message.c_str());
  }
  return splitter.Take();
}

int EditBuffer::DetectLineEnd(const char* text, int len) {
  if (text == nullptr) return -1;
  for (int i = 0; i < len; ++i) {
    char c = text[i];
    if (!IsBreak(c)) continue;
    bool paired = i + 1 < len && IsBreak(text[i + 1]) && text[i + 1] != c;
    if (c == '\r') return paired ? LINEEND_CRLF : LINEEND_CR;
    return paired ? LINEEND_LFCR : LINEEND_LF;
  }
  return -1;
}

// Every line end of the text becomes that of `type`. A CR LF or LF CR pair
// is one line end, a lone CR or LF another, so that mixed texts keep their
// lines and nothing after a lone byte is skipped.
int EditBuffer::ConvertLineEnds(char** text, int len, int type) {
  static const char* const kEnds[] = {"\r\n", "\n\r", "\n", "\r"};
  if (text == nullptr || *text == nullptr || len <= 0) return len;
  if (type < LINEEND_CRLF || type > LINEEND_CR) return len;
  int source = DetectLineEnd(*text, len);
  if (source < 0) return len;
  const char* target = kEnds[type];
  int targetLength = static_cast<int>(std::strlen(target));
  const char* src = *text;
  // Measure, then build.
  auto walk = [&](char* out) {
    long n = 0;
    for (int i = 0; i < len; ++i) {
      char c = src[i];
      if (!IsBreak(c)) {
        if (out != nullptr) out[n] = c;
        ++n;
        continue;
      }
      if (i + 1 < len && src[i + 1] != c && IsBreak(src[i + 1])) ++i;
      if (out != nullptr) std::memcpy(out + n, target, targetLength);
      n += targetLength;
    }
    return n;
  };
  long newLength = walk(nullptr);
  if (newLength > 0x3FFFFFFF) return len;
  char* result = static_cast<char*>(std::calloc(1, ((newLength + 15) & ~15L) + 32));
  if (result == nullptr) return len;
  walk(result);
  std::free(*text);
  *text = result;
  return static_cast<int>(newLength);
}
