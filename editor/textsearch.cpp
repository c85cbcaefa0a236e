#include "editor/textsearch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "editor/regexp.h"
#include "platform/base/charcase.h"

namespace {

void Lower(std::string& s) {
  for (char& c : s) c = static_cast<char>(mirt::ToLower1252(static_cast<unsigned char>(c)));
}

// The bytes of a line before its first CR or LF.
int TextEnd(const EditLine* line) {
  if (line->text == nullptr) return 0;
  for (int i = 0; i < line->length; ++i) {
    if (line->text[i] == '\r' || line->text[i] == '\n') return i;
  }
  return line->length;
}

struct Search {
  FindRecord* rec;
  std::string pattern;
  bool matchCase;
  bool forward;
  bool regex;
  RegExp re;
  std::string work;

  // The match in [from, to) of a line: its offset, or -1.
  int Plain(const EditLine* line, int from, int to) {
    const char* text = line->text + from;
    int len = to - from;
    if (!matchCase) {
      work.assign(text, len);
      Lower(work);
      text = work.data();
    }
    int at = forward ? FindFirst(pattern.c_str(), text, len) : FindLast(pattern.c_str(), text, len);
    if (at < 0) return -1;
    rec->matchLength = static_cast<int>(pattern.size());
    return from + at;
  }

  int Regex(const EditLine* line, int from, int to) {
    int end = TextEnd(line);
    // Forward a limit cuts the text; backward a match must end before `to`.
    work.assign(line->text != nullptr ? line->text : "", forward ? std::min(end, to) : end);
    if (!matchCase) Lower(work);
    if (from > static_cast<int>(work.size())) return -1;
    if (forward) {
      int at = re.Exec(work.c_str(), from);
      if (at < 0) return -1;
      Take();
      return at;
    }
    int found = -1;
    for (int s = from; s <= static_cast<int>(work.size());) {
      int at = re.Exec(work.c_str(), s);
      if (at < 0 || at > to) break;
      if (at + re.MatchLength() <= to) {
        found = at;
        Take();
      }
      s = at + 1;
    }
    return found;
  }

  void Take() {
    rec->matchLength = re.MatchLength();
    char* sub = re.Substitute(rec->replacement);
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

BOOL FindText(EditPos& pos, EditPos& limit, FindRecord* rec) {
  if (rec == nullptr || pos.line == nullptr || rec->pattern.IsEmpty()) return FALSE;
  Search search;
  search.rec = rec;
  search.pattern = rec->pattern.str();
  search.pattern.resize(std::strlen(search.pattern.c_str()));
  search.matchCase = (rec->flags & FIND_MATCH_CASE) != 0;
  search.forward = (rec->flags & FIND_FORWARD) != 0;
  search.regex = (rec->flags & FIND_REGEX) != 0;
  if (search.pattern.empty()) return FALSE;
  if (!search.matchCase) Lower(search.pattern);
  if (search.regex && !search.re.Compile(search.pattern.c_str())) return FALSE;
  pos.offset = std::max(0, std::min(pos.offset, pos.line->length));
  for (EditLine* line = pos.line; line != nullptr; line = search.forward ? line->next : line->prev) {
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
    int at = -1;
    if (to > from || (search.regex && to >= from)) {
      at = search.regex ? search.Regex(line, from, to) : search.Plain(line, from, to);
    }
    if (at >= 0) {
      pos.line = line;
      pos.offset = at;
      return TRUE;
    }
    if (last) break;
  }
  return FALSE;
}
