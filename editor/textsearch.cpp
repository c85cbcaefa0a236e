#include "editor/textsearch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "editor/literalscan.h"
#include "editor/loadedlines.h"
#include "editor/regexp.h"
#include "editor/splitscan.h"

namespace {

void Lower(std::string& s) {
  const unsigned char* lower = LowerCaseTable();
  for (char& c : s) c = static_cast<char>(lower[static_cast<unsigned char>(c)]);
}

// NUL, CR and LF as keys.
const KeyBytes& TextsearchStopBytes() {
  static const KeyBytes keys = [] {
    KeyBytes k;
    k.Add('\0');
    k.Add('\r');
    k.Add('\n');
    return k;
  }();
  return keys;
}

// The first `length` bytes of a line before its first CR or LF, or a NUL
// (which ends the text for the regex matcher).
int TextsearchTextEnd(const char* text, int length) {
  const char* at = FindAnyByte(text, text + length, TextsearchStopBytes());
  return at != nullptr ? static_cast<int>(at - text) : length;
}

// Whether a line is known to hold one of the scanned strings in the bytes
// a search looks at.
enum class Seen { kNo, kYes };

// A pattern made ready for searching: compiled once and kept for the next
// search of the same pattern (replacing all calls FindText for each match).
struct Prepared {
  std::string typed;    // the pattern as given
  std::string pattern;  // lower case unless matchCase
  bool matchCase = false;
  bool regex = false;
  bool valid = false;
  bool ready = false;
  RegExp re;
  // The plain pattern, or strings every regex match contains, looked for
  // in the line bytes as they are (case folded unless matchCase).
  LiteralScan scan;
  std::string work;  // a line's text case folded for the regex matcher

  // The pattern up to its first NUL.
  void Prepare(const CString& text, bool withCase, bool asRegex) {
    // Equal lengths and bytes: the given text has no NUL before its end.
    if (ready && withCase == matchCase && asRegex == regex &&
        static_cast<size_t>(text.GetLength()) == typed.size() && SameBytes(text, typed.data(), typed.size()))
      return;
    ready = true;
    typed = static_cast<const char*>(text);
    pattern = typed;
    if (!withCase) Lower(pattern);
    matchCase = withCase;
    regex = asRegex;
    valid = !regex || re.Compile(pattern.c_str());
    auto fold = matchCase ? LiteralScan::Fold::kExact : LiteralScan::Fold::kLowerCase;
    scan.Set(regex ? re.RequiredStrings() : std::vector<std::string>{pattern}, fold);
  }
};

Prepared& PreparedFor(const CString& pattern, bool matchCase, bool regex) {
  thread_local Prepared prepared;
  prepared.Prepare(pattern, matchCase, regex);
  return prepared;
}

// Where the next line's text begins when the texts follow one another: a
// borrowed text takes its bytes and NUL, an own one its room and the next
// one's header (whose bytes a scan may hit: such a hit is only looked at).
const char* TextsearchSpanEnd(const EditLine* line) {
  int capacity = TextCapacity(line);
  return line->text +
         (capacity != 0 ? capacity + static_cast<int>(sizeof(EditTextHeader)) : line->length + 1);
}

// Passes over lines without any of the scanned strings, scanning runs of
// lines whose texts follow one another in memory as one block (a NUL ends
// each text, so no string found spans two lines): the first line at or
// after `line` that may hold one (from byte `from` on in `line`), the limit
// line, or null at the end; `seen` tells whether a string was found in the
// line's bytes.
EditLine* TextsearchSkip(EditLine* line, int from, const EditLine* limit, const LiteralScan& scan,
                         Seen* seen) {
  *seen = Seen::kNo;
  constexpr int kFirstRun = 4;  // lines; runs grow while nothing is found
  constexpr int kLongestRun = 4096;
  for (int run = kFirstRun; line != nullptr && line != limit && line->text != nullptr;) {
    EditLine* last = line;
    for (int n = 1; n < run; ++n) {
      EditLine* next = last->next;
      if (next == nullptr || next == limit || next->text != TextsearchSpanEnd(last)) break;
      last = next;
    }
    const char* begin = line->text + from;
    from = 0;
    long at = scan.Find(begin, static_cast<size_t>(last->text + last->length - begin));
    if (at >= 0) {
      const char* hit = begin + at;
      while (hit >= TextsearchSpanEnd(line)) line = line->next;
      if (hit < line->text + line->length) *seen = Seen::kYes;
      return line;
    }
    line = last->next;
    run = std::min(run * 2, kLongestRun);
  }
  return line;
}

// The same over lines exactly as loaded: each block of loaded texts is
// scanned whole from the line on, and a hit is mapped back to its line by
// its place among the block's texts. False when the blocks do not hold the
// lines as expected: `line` is then where the caller's walk goes on.
bool TextsearchSkipLoaded(EditLine*& line, int from, const EditLine* limit, const LiteralScan& scan,
                          const LoadedLines& loaded, Seen* seen) {
  *seen = Seen::kNo;
  // Line numbers are the loaded order (from 1), as nothing changed since.
  long end = limit != nullptr ? limit->lineNumber - 1 : -1;
  while (line != nullptr && line != limit && line->text != nullptr) {
    LoadedLines::Span span;
    long following = 0;  // lines whose records follow line's
    if (!loaded.TextSpanOf(line->text, &span) || loaded.LinesFrom(line->lineNumber - 1, &following) != line)
      return false;
    const char* stop = span.end;
    bool limitHere = limit != nullptr && end < span.endLine;
    if (limitHere) {
      if (limit->text == nullptr || limit->text < line->text || limit->text > span.end) return false;
      stop = limit->text;
    }
    const char* begin = line->text + from;
    // A long stretch of a block is scanned by two threads.
    long at = SplitScanFind(scan, begin, static_cast<size_t>(stop - begin));
    if (at >= 0) {
      const char* hit = begin + at;
      // Hits are often close by, among the records that follow line's
      // (read side by side, not one through the other); else the block's
      // texts are searched.
      constexpr long kNearLines = 32;
      EditLine* found = nullptr;
      for (long n = 0; n < std::min(following, kNearLines) && found == nullptr; ++n) {
        if (line[n].text != nullptr && hit <= line[n].text + line[n].length) found = &line[n];
      }
      if (found == nullptr) found = loaded.LineOfText(span, hit, line->lineNumber - 1);
      if (found == nullptr || found->text == nullptr || hit < found->text ||
          hit > found->text + found->length)
        return false;
      line = found;
      if (hit < found->text + found->length) *seen = Seen::kYes;
      return true;
    }
    if (limitHere) {
      line = const_cast<EditLine*>(limit);
      return true;
    }
    EditLine* next = loaded.LineAt(span.endLine);
    if (next == nullptr && span.endLine < loaded.LineCount()) return false;
    line = next;
    from = 0;
  }
  return true;
}

struct Search {
  FindRecord* rec;
  Prepared* p;
  bool forward;

  // The match in [from, to) of a line's bytes: its offset, or -1.
  int Plain(const char* text, int from, int to) {
    long at = forward ? p->scan.Find(text + from, to - from) : p->scan.FindLast(text + from, to - from);
    if (at < 0) return -1;
    rec->matchLength = static_cast<int>(p->pattern.size());
    return from + static_cast<int>(at);
  }

  // `seen`: the caller found a string every match holds in [from, to)
  // forward, [from, len) backward.
  int Regex(const char* text, int len, int from, int to, Seen seen) {
    // Lines without a string every match holds are passed over uncopied.
    int reach = forward ? to : len;
    if (!p->scan.Empty() && seen == Seen::kNo &&
        (from >= reach || p->scan.Find(text + from, reach - from) < 0))
      return -1;
    // Forward a limit cuts the text; backward a match must end before `to`.
    int end = TextsearchTextEnd(text, forward ? std::min(len, to) : len);
    if (from > end) return -1;
    std::string_view subject(text, end);
    if (!p->matchCase) {
      p->work.assign(subject);
      Lower(p->work);
      subject = p->work;
    }
    RegExp& re = p->re;
    if (forward) {
      // The line holds a required string: Exec need not look for it again.
      int at = re.ExecIn(subject, from, RegExp::Prefilter::kSeen);
      if (at < 0) return -1;
      Take();
      return at;
    }
    int found = -1;
    for (int s = from; s <= end;) {
      int at = re.ExecIn(subject, s, RegExp::Prefilter::kLookFirst);
      if (at < 0 || at > to) break;
      if (at + re.MatchLength() <= to) {
        found = at;
        Take();
      }
      s = at + 1;
    }
    return found;
  }

  int InRange(const char* text, int len, int from, int to, Seen seen = Seen::kNo) {
    if (text == nullptr || !(to > from || (p->regex && to >= from))) return -1;
    return p->regex ? Regex(text, len, from, to, seen) : Plain(text, from, to);
  }

  void Take() {
    rec->matchLength = p->re.MatchLength();
    if (rec->replacement.IsEmpty()) {
      if (!rec->substituted.IsEmpty()) rec->substituted.Empty();
      return;
    }
    char* sub = p->re.Substitute(rec->replacement);
    rec->substituted = sub != nullptr ? sub : "";
    std::free(sub);
  }
};

}  // namespace

BOOL HasRegexChars(const char* text) {
  return text != nullptr && std::strpbrk(text, "$*+.?[\\]^") != nullptr;
}

int FindFirst(const char* pattern, const char* text, int len) {
  if (pattern == nullptr || text == nullptr || *pattern == '\0' || len <= 0) return -1;
  size_t at = std::string_view(text, len).find(pattern);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int FindLast(const char* pattern, const char* text, int len) {
  if (pattern == nullptr || text == nullptr || *pattern == '\0' || len <= 0) return -1;
  size_t at = std::string_view(text, len).rfind(pattern);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int FindInLine(const char* text, int length, int from, int to, FindRecord* rec) {
  if (rec == nullptr || text == nullptr || rec->pattern.IsEmpty()) return -1;
  bool matchCase = (rec->flags & FIND_MATCH_CASE) != 0;
  bool regex = (rec->flags & FIND_REGEX) != 0;
  Search search{rec, &PreparedFor(rec->pattern, matchCase, regex), (rec->flags & FIND_FORWARD) != 0};
  if (!search.p->valid) return -1;
  from = std::clamp(from, 0, length);
  to = std::clamp(to, from, length);
  return search.InRange(text, length, from, to);
}

BOOL FindPatternCompiles(const FindRecord& rec) {
  if (rec.pattern.IsEmpty()) return FALSE;
  bool regex = (rec.flags & FIND_REGEX) != 0;
  return PreparedFor(rec.pattern, (rec.flags & FIND_MATCH_CASE) != 0, regex).valid ? TRUE : FALSE;
}

BOOL FindText(EditPos& pos, EditPos& limit, FindRecord* rec, const LoadedLines* asLoaded) {
  if (rec == nullptr || pos.line == nullptr || rec->pattern.IsEmpty()) return FALSE;
  if (*static_cast<const char*>(rec->pattern) == '\0') return FALSE;
  bool matchCase = (rec->flags & FIND_MATCH_CASE) != 0;
  bool regex = (rec->flags & FIND_REGEX) != 0;
  Search search{rec, &PreparedFor(rec->pattern, matchCase, regex), (rec->flags & FIND_FORWARD) != 0};
  if (!search.p->valid) return FALSE;
  pos.offset = std::max(0, std::min<int>(pos.offset, pos.line->length));
  bool skip = search.forward && !search.p->scan.Empty();
  for (EditLine* line = pos.line; line != nullptr; line = search.forward ? line->next : line->prev) {
    Seen seen = Seen::kNo;
    if (skip) {
      // The start line is scanned from the start on, with the lines after.
      auto from = [&pos](const EditLine* at) { return at == pos.line ? pos.offset : 0; };
      if (asLoaded == nullptr ||
          !TextsearchSkipLoaded(line, from(line), limit.line, search.p->scan, *asLoaded, &seen))
        line = TextsearchSkip(line, from(line), limit.line, search.p->scan, &seen);
      if (line == nullptr) break;
    }
    int len = line->text != nullptr ? line->length : 0;
    bool first = line == pos.line;
    bool last = line == limit.line;
    int from = 0;
    int to = len;
    if (search.forward) {
      if (first) from = pos.offset;
      if (last) to = std::max(from, std::min(limit.offset, len));
    } else {
      if (first) to = pos.offset;
      if (last) from = std::max(0, std::min(limit.offset, to));
    }
    // A string seen on the limit line may lie beyond the limit.
    int at = search.InRange(line->text, len, from, to, last ? Seen::kNo : seen);
    if (at >= 0) {
      pos.line = line;
      pos.offset = at;
      return TRUE;
    }
    if (last) break;
  }
  return FALSE;
}
