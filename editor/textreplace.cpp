#include "editor/textreplace.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/linepool.h"
#include "editor/lineswap.h"
#include "editor/shortcopy.h"

namespace {

// The new bytes of the line being replaced in: its old bytes up to
// `copied`, with the replacements between them. Each replacement's old
// bytes go to `kept` as it is made.
class ReplaceLineBuilder {
 public:
  ReplaceLineBuilder(EditBuffer& buffer, LineSwapText& kept) : m_buffer(buffer), m_kept(kept) {}

  void Start(EditLine* line) {
    m_line = line;
    m_content = m_buffer.ContentLength(line);
    m_copied = 0;
    m_changed = false;
    m_used = 0;
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

  // A match of no bytes replaced by none changes nothing and is not kept.
  void Replace(int at, int length, const char* replacement, int replacementLength) {
    if (length == 0 && replacementLength == 0) return;
    Append(m_line->text + m_copied, at - m_copied);
    LineSwapEntry old{m_line->lineNumber, static_cast<int>(m_used), replacementLength, length,
                      m_line->text + at};
    m_kept.Add(old);
    Append(replacement, replacementLength);
    m_copied = at + length;
    m_changed = true;
  }

  // Puts the built bytes into the line.
  // False when memory ran out (the line is then unchanged).
  bool Finish(bool* changed) {
    *changed = false;
    if (m_line == nullptr || !m_changed) return true;
    Append(m_line->text + m_copied, m_content - m_copied);
    // Lines changed all at once are seldom typed into afterwards: their
    // texts are packed.
    if (!m_buffer.SetLineContent(m_line, m_bytes.data(), static_cast<int>(m_used),
                                 EditBuffer::LineRoom::kShared))
      return false;
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
  LineSwapText& m_kept;
  EditLine* m_line = nullptr;
  int m_content = 0;
  int m_copied = 0;
  bool m_changed = false;
  std::vector<char> m_bytes;  // the first m_used of them built
  size_t m_used = 0;
};

}  // namespace

ReplaceAllResult ReplaceEveryMatch(EditBuffer& buffer, EditLine* first, FindRecord& rec, int maxColumns) {
  ReplaceAllResult result;
  if (buffer.IsReadOnly()) return result;
  rec.flags |= FIND_FORWARD;
  const bool regex = (rec.flags & FIND_REGEX) != 0;
  LineSwapText kept;
  ReplaceLineBuilder builder(buffer, kept);
  bool failed = false;
  // The lines' new texts come from the pool under one hold, let go now and
  // then for other threads.
  constexpr int kLinesPerHold = 4096;
  int linesHeld = 0;
  auto hold = std::make_optional<editpool::Hold>();
  auto finishLine = [&] {
    bool changed = false;
    if (!builder.Finish(&changed)) failed = true;
    if (changed && result.firstChanged == nullptr) result.firstChanged = builder.Line();
    if (++linesHeld == kLinesPerHold) {
      hold->Yield();
      linesHeld = 0;
    }
  };
  // The lines ahead of the search stay as loaded while the ones behind it
  // change, so the loaded blocks can be scanned as such.
  const LoadedLines* asLoaded = buffer.LinesAsLoaded();
  EditPos pos{first, 0};
  EditPos limit;
  while (!failed && pos.line != nullptr && FindText(pos, limit, &rec, asLoaded)) {
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
  hold.reset();
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
