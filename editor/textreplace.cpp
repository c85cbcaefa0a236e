#include "editor/textreplace.h"

#include <algorithm>
#include <string>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/lineswap.h"
#include "editor/shortcopy.h"

namespace {

// The new bytes of the line being replaced in: its old bytes up to
// `copied`, with the replacements between them.
class ReplaceLineBuilder {
 public:
  explicit ReplaceLineBuilder(EditBuffer& buffer) : m_buffer(buffer) {}

  void Start(EditLine* line) {
    m_line = line;
    m_content = m_buffer.ContentLength(line);
    m_copied = 0;
    m_changed = false;
    m_used = 0;
    m_spanStart = 0;
  }
  EditLine* Line() const { return m_line; }
  int Content() const { return m_content; }

  // Whether the line, as replaced so far, plus the replacement stays narrower than maxColumns.
  bool Fits(int replacementLength, int maxColumns) const {
    long bytes = static_cast<long>(m_used) + (m_content - m_copied);
    // A byte is at most a tab wide: most lines need no counting.
    if (bytes * m_buffer.m_nTabSize + replacementLength < maxColumns) return true;
    std::string line(m_bytes.data(), m_used);
    line.append(m_line->text + m_copied, m_content - m_copied);
    return m_buffer.TextWidth(line.data(), static_cast<int>(line.size())) + replacementLength < maxColumns;
  }

  void Replace(int at, int length, const char* replacement, int replacementLength) {
    if (!m_changed) m_spanStart = at;
    Append(m_line->text + m_copied, at - m_copied);
    Append(replacement, replacementLength);
    m_copied = at + length;
    m_spanEnd = m_used;
    m_changed = true;
  }

  // Puts the built bytes into the line and the old bytes of the span from
  // the first replacement to the last into `kept`.
  // False when memory ran out (the line is then unchanged).
  bool Finish(LineSwapText& kept, bool* changed) {
    *changed = false;
    if (m_line == nullptr || !m_changed) return true;
    LineSwapEntry old{m_line->lineNumber, m_spanStart, static_cast<int>(m_spanEnd) - m_spanStart,
                      m_copied - m_spanStart, m_line->text + m_spanStart};
    kept.Add(old);
    Append(m_line->text + m_copied, m_content - m_copied);
    if (!m_buffer.SetLineContent(m_line, m_bytes.data(), static_cast<int>(m_used))) return false;
    *changed = true;
    return true;
  }

 private:
  void Append(const char* bytes, int n) {
    size_t need = m_used + static_cast<size_t>(n);
    if (need > m_bytes.size()) m_bytes.resize(std::max(need, 2 * m_bytes.size()));
    shortcopy::Copy(m_bytes.data() + m_used, bytes, static_cast<size_t>(n));
    m_used = need;
  }

  EditBuffer& m_buffer;
  EditLine* m_line = nullptr;
  int m_content = 0;
  int m_copied = 0;
  bool m_changed = false;
  std::vector<char> m_bytes;  // the first m_used of them built
  size_t m_used = 0;
  int m_spanStart = 0;   // the first replacement's offset
  size_t m_spanEnd = 0;  // the end of the last one in m_bytes
};

}  // namespace

ReplaceAllResult ReplaceEveryMatch(EditBuffer& buffer, EditLine* first, FindRecord& rec, int maxColumns) {
  ReplaceAllResult result;
  if (buffer.IsReadOnly()) return result;
  rec.flags |= FIND_FORWARD;
  const bool regex = (rec.flags & FIND_REGEX) != 0;
  LineSwapText kept;
  ReplaceLineBuilder builder(buffer);
  bool failed = false;
  auto finishLine = [&] {
    bool changed = false;
    if (!builder.Finish(kept, &changed)) failed = true;
    if (changed && result.firstChanged == nullptr) result.firstChanged = builder.Line();
  };
  EditPos pos{first, 0};
  EditPos limit;
  while (!failed && pos.line != nullptr && FindText(pos, limit, &rec)) {
    if (pos.line != builder.Line()) {
      finishLine();
      builder.Start(pos.line);
    }
    ++result.matches;
    int at = pos.offset;
    int length = rec.matchLength;
    if (at + length > builder.Content()) {
      pos = {pos.line->next, 0};
      continue;
    }
    const CString& replacement = regex ? rec.substituted : rec.replacement;
    if (builder.Fits(replacement.GetLength(), maxColumns)) {
      builder.Replace(at, length, replacement, replacement.GetLength());
      ++result.replaced;
    }
    // A match of no bytes moves on by one, so the search always ends.
    int next = at + length + (length == 0 ? 1 : 0);
    if (next > builder.Content()) {
      pos = {pos.line->next, 0};
    } else {
      pos.offset = next;
    }
  }
  if (!failed) finishLine();
  if (result.firstChanged == nullptr) return result;
  buffer.SetModified(TRUE);
  // Without the old contents the history cannot give this text back.
  if (failed || kept.Failed()) {
    buffer.ForgetUndo();
  } else {
    buffer.AddLineSwapUndo(kept.Release(), result.firstChanged->lineNumber);
  }
  return result;
}
