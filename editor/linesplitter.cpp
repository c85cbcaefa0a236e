#include "editor/linesplitter.h"

#include <cstring>

#include "editor/editbuffer.h"
#include "editor/literalscan.h"

namespace {

bool IsBreak(char c) { return c == '\r' || c == '\n'; }
// CR LF and LF CR are one line end; CR CR or LF LF are two.
bool IsPair(char first, char second) { return IsBreak(second) && second != first; }

}  // namespace

LineSplitter::LineSplitter(EditBuffer& buffer, LoadedLines* store) : m_buffer(buffer), m_store(store) {}

LineSplitter::~LineSplitter() {
  if (m_head != nullptr) m_buffer.FreeLines(m_head);
}

EditLine* LineSplitter::Take() {
  EditLine* head = m_head;
  m_head = m_tail = nullptr;
  m_count = 0;
  return head;
}

// One vector scan for CR or LF.
const char* LineSplitter::NextBreak(const char* p, const char* end) {
  const char* at = FindAnyByte(p, end, LineBreakBytes());
  return at != nullptr ? at : end;
}

bool LineSplitter::Feed(const char* data, int n) {
  const char* p = data;
  const char* end = data + n;
  if (m_held != 0 && p < end) {
    char c = m_held;
    m_held = 0;
    if (IsPair(c, *p)) ++p;
    if (!Line(m_pending.data(), static_cast<int>(m_pending.size()), true)) return false;
    m_pending.clear();
  }
  while (p < end) {
    const char* q = NextBreak(p, end);
    if (q == end || q + 1 == end) {
      // No line end yet, or one that may pair with the next piece's first byte.
      m_pending.append(p, q - p);
      if (q != end) m_held = *q;
      return CutPending();
    }
    const char* next = q + (IsPair(*q, q[1]) ? 2 : 1);
    bool ok;
    if (m_pending.empty()) {
      ok = Line(p, static_cast<int>(q - p), true);
    } else {
      m_pending.append(p, q - p);
      ok = Line(m_pending.data(), static_cast<int>(m_pending.size()), true);
      m_pending.clear();
    }
    if (!ok) return false;
    p = next;
  }
  return true;
}

bool LineSplitter::Finish() {
  bool ok = true;
  if (m_held != 0) {
    // A line end at the very end: with a two-byte line end it stays as it
    // was (a lone byte is no line end); a one-byte one becomes the buffer's.
    if (m_buffer.m_nLineEndLength == 2) {
      m_pending.push_back(m_held);
      ok = Line(m_pending.data(), static_cast<int>(m_pending.size()), false);
    } else {
      ok = Line(m_pending.data(), static_cast<int>(m_pending.size()), true);
    }
  } else if (!m_pending.empty()) {
    ok = Line(m_pending.data(), static_cast<int>(m_pending.size()), false);
  }
  m_held = 0;
  m_pending.clear();
  return ok;
}

// Bytes of p that fit in a line, at least one.
int LineSplitter::FittingBytes(const char* p, int n) const {
  int limit = kMaxLineColumns - m_buffer.m_nLineEndLength;
  int tab = m_buffer.m_nTabSize;
  int width = 0;
  int i = 0;
  for (; i < n; ++i) {
    int w = p[i] == '\t' ? tab - width % tab : 1;
    if (width + w > limit) break;
    width += w;
  }
  return i > 0 ? i : 1;
}

// Cuts what is already too wide off the held start of a line.
bool LineSplitter::CutPending() {
  int limit = kMaxLineColumns - m_buffer.m_nLineEndLength;
  size_t done = 0;
  while ((m_pending.size() - done) * m_buffer.m_nTabSize > (size_t)limit) {
    int n = static_cast<int>(m_pending.size() - done);
    int k = FittingBytes(m_pending.data() + done, n);
    if (k >= n) break;
    if (!Append(m_pending.data() + done, k, false)) return false;
    m_wrapped = true;
    done += k;
  }
  m_pending.erase(0, done);
  return true;
}

bool LineSplitter::Line(const char* p, int n, bool withEnd) {
  int limit = kMaxLineColumns - m_buffer.m_nLineEndLength;
  while ((long)n * m_buffer.m_nTabSize > limit) {
    int k = FittingBytes(p, n);
    if (k >= n) break;
    if (!Append(p, k, false)) return false;
    m_wrapped = true;
    p += k;
    n -= k;
  }
  return Append(p, n, withEnd);
}

bool LineSplitter::Append(const char* p, int n, bool withEnd) {
  EditLine* line = m_buffer.MakeLine(p, n, withEnd, m_store);
  if (line == nullptr) return false;
  if (m_tail == nullptr) {
    m_head = line;
  } else {
    m_tail->next = line;
    line->prev = m_tail;
  }
  m_tail = line;
  line->lineNumber = ++m_count;
  return true;
}
