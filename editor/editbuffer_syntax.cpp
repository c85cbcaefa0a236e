#include <algorithm>
#include <cstring>

#include "editor/editbuffer.h"
#include "editor/editplatform.h"
#include "platform/base/charcase.h"

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }
bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// Last occurrence of a pattern in the first len bytes (byte comparison).
int LastOccurrence(const char* pattern, const char* text, int len) {
  int n = static_cast<int>(std::strlen(pattern));
  if (n == 0 || n > len) return -1;
  for (int i = len - n; i >= 0; --i) {
    if (text[i] == pattern[0] && std::memcmp(text + i, pattern, n) == 0) return i;
  }
  return -1;
}

}  // namespace

const char* EditBuffer::NextWord(const char* text, int* len) {
  int n = *len;
  if (text == nullptr || n < 2) return nullptr;
  while (n > 0 && IsLineEndByte(text[n - 1])) --n;
  auto inWord = [this](char c) { return c == '_' || IsWordChar(c); };
  int i = 0;
  while (i < n && !inWord(text[i])) ++i;
  if (i >= n) return nullptr;
  int j = i;
  while (j < n) {
    unsigned char c = static_cast<unsigned char>(text[j]);
    if (j > i && m_startChars[c]) break;
    if (m_terminatorChars[c]) {
      ++j;
      break;
    }
    if (!inWord(text[j])) break;
    ++j;
  }
  *len = j - i;
  return text + i;
}

BOOL EditBuffer::NextKeywordSpan(const char** pos, int* start, int* end) {
  if (pos == nullptr || *pos == nullptr) return FALSE;
  if (!m_keywords.IsLoaded() && !LoadKeywordFile()) return FALSE;
  const char* base = *pos;
  const char* stop = base + std::strlen(base);
  for (const char* p = base; p < stop;) {
    int len = static_cast<int>(stop - p);
    const char* word = NextWord(p, &len);
    if (word == nullptr) return FALSE;
    int n = std::min(len, static_cast<int>(KeywordFile::kMaxWord));
    m_word.assign(word, word + n);
    if (!m_bCase) {
      for (char& c : m_word) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
    }
    COLORREF colour = m_crKeyword;
    if (m_keywords.Lookup(m_word.data(), n, &colour)) {
      m_crKeyword = colour;
      *start = static_cast<int>(word - base);
      *end = *start + len;
      *pos = word;
      return TRUE;
    }
    p = word + len;
  }
  return FALSE;
}

// Case-insensitive unless "Case" is set: both sides are upper-cased copies.
int EditBuffer::FindString(const char* pattern, const char* text, int len) {
  if (pattern == nullptr || text == nullptr || *pattern == '\0' || len <= 0) return -1;
  int n = static_cast<int>(std::strlen(pattern));
  if (n > len) return -1;
  if (m_bCase) {
    for (int i = 0; i + n <= len; ++i) {
      if (text[i] == pattern[0] && std::memcmp(text + i, pattern, n) == 0) return i;
    }
    return -1;
  }
  m_scratch.assign(text, text + len);
  m_scratch.insert(m_scratch.end(), pattern, pattern + n);
  for (char& c : m_scratch) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
  const char* t = m_scratch.data();
  const char* p = t + len;
  for (int i = 0; i + n <= len; ++i) {
    if (t[i] == p[0] && std::memcmp(t + i, p, n) == 0) return i;
  }
  return -1;
}

int EditBuffer::FindLastString(const char* pattern, const char* text, int len) {
  if (pattern == nullptr || text == nullptr) return -1;
  return LastOccurrence(pattern, text, len);
}

BOOL EditBuffer::IsInQuotes(const char* lineStart, const char* pos) {
  int count = 0;
  for (const char* p = lineStart; p < pos && *p != '\0'; ++p) {
    if (IsQuote(*p) && (count == 0 || p == lineStart || p[-1] != '\\')) ++count;
  }
  if (count % 2 == 0) return FALSE;
  for (const char* p = pos; *p != '\0' && !IsLineEndByte(*p); ++p) {
    if (IsQuote(*p) && (p == lineStart || p[-1] != '\\')) return TRUE;
  }
  return FALSE;
}

int EditBuffer::AddDelimiterPair(const CString& start, const CString& end) {
  if (start.IsEmpty() || start == m_szCommentStart1 || start == m_szCommentStart2) return -1;
  for (const DelimiterPair& pair : m_delimiterPairs) {
    if (pair.start == start) return -1;
  }
  m_delimiterPairs.push_back(DelimiterPair{start, end});
  return static_cast<int>(m_delimiterPairs.size()) - 1 + 3;
}

int EditBuffer::FindCommentStart(const char* text, int len, int* kind) {
  int best = -1;
  int bestKind = 0;
  if (m_szCommentStart1[0] != '\0') {
    best = FindString(m_szCommentStart1, text, len);
    if (best >= 0) bestKind = 1;
  }
  if (m_szCommentStart2[0] != '\0') {
    int at = FindString(m_szCommentStart2, text, len);
    if (at >= 0 && (best < 0 || at <= best)) {
      best = at;
      bestKind = 2;
    }
  }
  int pairAt = -1;
  int pairKind = 0;
  for (size_t i = 0; i < m_delimiterPairs.size(); ++i) {
    int at = FindString(m_delimiterPairs[i].start, text, len);
    if (at >= 0 && (pairAt < 0 || at < pairAt)) {
      pairAt = at;
      pairKind = static_cast<int>(i) + 3;
    }
  }
  if (pairAt >= 0 && (best < 0 || pairAt < best)) {
    best = pairAt;
    bestKind = pairKind;
  }
  if (best < 0 || IsInQuotes(text, text + best)) return -1;
  if (kind != nullptr) *kind = bestKind;
  return best;
}

int EditBuffer::FindCommentEnd(const char* text, int len, int kind) {
  const char* end;
  if (kind == 1) {
    end = m_szCommentEnd1;
  } else if (kind == 2) {
    end = m_szCommentEnd2;
  } else if (kind >= 3 && kind - 3 < static_cast<int>(m_delimiterPairs.size())) {
    end = m_delimiterPairs[kind - 3].end;
  } else {
    return 0;
  }
  if (*end == '\0') {
    m_bInBlock = FALSE;
    return len;
  }
  int n = static_cast<int>(std::strlen(end));
  int at = n > len ? -1 : FindString(end, text, len);
  if (at >= 0 && kind == 2 && IsInQuotes(text, text + at)) at = -1;
  if (at < 0) {
    m_bInBlock = TRUE;
    return len;
  }
  m_bInBlock = FALSE;
  return at + n;
}

BOOL EditBuffer::GetBlockKind(EditLine* line, int* kind) {
  if (line == nullptr) return FALSE;
  const char* other2 = m_szCommentEnd2[0] == '\0' ? m_szCommentStart2 : "";
  const char* other1 = m_szCommentEnd1[0] == '\0' ? m_szCommentStart1 : "";
  KeepBlockStatesFor(BlockSettingsKey());
  int found = 0;
  if (BlockInsideCached(0, line, m_szCommentStart1, m_szCommentEnd1, other2)) {
    found = 1;
  } else if (BlockInsideCached(1, line, m_szCommentStart2, m_szCommentEnd2, other1)) {
    found = 2;
  } else {
    for (size_t i = 0; i < m_delimiterPairs.size() && found == 0; ++i) {
      if (BlockInsideCached(static_cast<int>(i) + 2, line, m_delimiterPairs[i].start, m_delimiterPairs[i].end,
                            "")) {
        found = static_cast<int>(i) + 3;
      }
    }
  }
  if (found == 0) return FALSE;
  if (kind != nullptr) *kind = found;
  return TRUE;
}

// Whether `start` is a comment start whose comment runs to the line end.
bool EditBuffer::IsLineComment(const char* start) const {
  return start != nullptr && *start != '\0' &&
         ((std::strcmp(start, m_szCommentStart1) == 0 && m_szCommentEnd1[0] == '\0') ||
          (std::strcmp(start, m_szCommentStart2) == 0 && m_szCommentEnd2[0] == '\0'));
}

EditBuffer::BlockDelims EditBuffer::BlockDelimsFor(const char* start, const char* end,
                                                   const char* otherStart) {
  BlockDelims d;
  d.start = start;
  d.end = end;
  d.startLength = static_cast<int>(std::strlen(start));
  // The line-comment starts that hide a block start standing after them.
  if (otherStart != nullptr && *otherStart != '\0') d.lineComments.push_back(otherStart);
  if (!m_delimiterPairs.empty()) {
    if (IsLineComment(m_szCommentStart1)) d.lineComments.push_back(m_szCommentStart1);
    if (IsLineComment(m_szCommentStart2)) d.lineComments.push_back(m_szCommentStart2);
    for (const DelimiterPair& pair : m_delimiterPairs) {
      if (std::strcmp(pair.start, start) != 0) d.lineComments.push_back(pair.start);
    }
  }
  return d;
}

// The last block start of the line outside quotes and not behind a line
// comment, or -1.
int EditBuffer::BlockStartIn(const char* text, int len, const BlockDelims& d) {
  auto lastUnquoted = [&](int within) {
    int at = FindLastString(d.start, text, within);
    while (at >= 0 && IsInQuotes(text, text + at)) {
      at = FindLastString(d.start, text, at + d.startLength - 1);
    }
    return at;
  };
  int candidate = lastUnquoted(len);
  while (candidate >= 0) {
    int cut = -1;
    for (const char* lc : d.lineComments) {
      int at = FindString(lc, text, candidate);
      while (at >= 0 && IsInQuotes(text, text + at)) {
        int next = FindString(lc, text + at + 1, candidate - at - 1);
        at = next < 0 ? -1 : at + 1 + next;
      }
      if (at >= 0 && (cut < 0 || at < cut)) cut = at;
    }
    if (cut < 0) break;
    candidate = lastUnquoted(cut);
  }
  return candidate;
}

// Whether the bytes hold a block end outside quotes (counted from `text`).
bool EditBuffer::BlockEndIn(const char* text, int len, const BlockDelims& d) {
  for (int from = 0; from < len;) {
    int at = FindString(d.end, text + from, len - from);
    if (at < 0) return false;
    if (!IsInQuotes(text, text + from + at)) return true;
    from += at + 1;
  }
  return false;
}

// The state at the start of the line after `line`, from the state at its
// own start: a block start on it decides alone, else an end closes.
bool EditBuffer::BlockStateAfter(EditLine* line, bool inside, const BlockDelims& d) {
  if (line->text == nullptr) return false;
  int len = ContentLength(line);
  int candidate = BlockStartIn(line->text, len, d);
  if (candidate >= 0) {
    int after = candidate + d.startLength;
    return !BlockEndIn(line->text + after, len - after, d);
  }
  return inside && !BlockEndIn(line->text, len, d);
}

BOOL EditBuffer::IsInsideBlock(EditLine* line, const char* start, const char* end, const char* otherStart) {
  if (line == nullptr || start == nullptr || end == nullptr || *start == '\0' || *end == '\0') {
    return FALSE;
  }
  BlockDelims d = BlockDelimsFor(start, end, otherStart);
  for (EditLine* prev = line->prev; prev != nullptr; prev = prev->prev) {
    if (prev->text == nullptr) return FALSE;
    const char* text = prev->text;
    int len = ContentLength(prev);
    int candidate = BlockStartIn(text, len, d);
    if (candidate < 0) continue;
    int after = candidate + d.startLength;
    if (BlockEndIn(text + after, len - after, d)) return FALSE;
    for (EditLine* l = prev->next; l != nullptr && l != line; l = l->next) {
      if (l->text != nullptr && BlockEndIn(l->text, ContentLength(l), d)) return FALSE;
    }
    return TRUE;
  }
  return FALSE;
}

// IsInsideBlock through the run of known states of block kind `index`: the
// walk back stops at the run's end, at a line holding a block start or at
// the first line, and the states from there down to the line are kept.
bool EditBuffer::BlockInsideCached(int index, EditLine* line, const char* start, const char* end,
                                   const char* otherStart) {
  if (start == nullptr || end == nullptr || *start == '\0' || *end == '\0') return false;
  if (static_cast<int>(m_blockRuns.size()) <= index) m_blockRuns.resize(index + 1);
  BlockStateRun& run = m_blockRuns[index];
  bool inside = false;
  if (run.Get(line->lineNumber, &inside)) return inside;
  BlockDelims d = BlockDelimsFor(start, end, otherStart);
  EditLine* from = line;  // the first line whose state is known by the walk
  for (EditLine* prev = line->prev;; prev = prev->prev) {
    if (prev == nullptr) {
      inside = false;  // from is the first line
      break;
    }
    if (run.Get(prev->lineNumber, &inside)) {
      from = prev;
      break;
    }
    if (prev->text == nullptr) {
      inside = false;
      break;
    }
    if (BlockStartIn(prev->text, ContentLength(prev), d) >= 0) {
      inside = BlockStateAfter(prev, false, d);
      break;
    }
    from = prev;
  }
  for (EditLine* l = from; l != line; l = l->next) {
    run.Put(l->lineNumber, inside);
    inside = BlockStateAfter(l, inside, d);
  }
  run.Put(line->lineNumber, inside);
  return inside;
}

// What the block states depend on besides the lines: the delimiters, the
// case rule and the line end.
std::string EditBuffer::BlockSettingsKey() const {
  std::string key;
  for (const char* part :
       {m_szCommentStart1, m_szCommentEnd1, m_szCommentStart2, m_szCommentEnd2, m_szLineEnd}) {
    key += part;
    key += '\n';
  }
  for (const DelimiterPair& pair : m_delimiterPairs) {
    key += static_cast<const char*>(pair.start);
    key += '\n';
    key += static_cast<const char*>(pair.end);
    key += '\n';
  }
  key += m_bCase ? 'C' : 'c';
  return key;
}

void EditBuffer::KeepBlockStatesFor(const std::string& key) {
  if (key == m_blockKey) return;
  m_blockKey = key;
  m_blockRuns.clear();
}

void EditBuffer::ForgetBlockStatesAfter(int lineNumber) {
  for (BlockStateRun& run : m_blockRuns) run.ForgetAfter(lineNumber);
}
