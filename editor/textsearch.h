// Searching the lines of an edit buffer for a plain text or a regular
// expression, forward or backward, with or without case.
#pragma once

#include "editor/editline.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class LoadedLines;

enum FindFlags : UINT {
  FIND_MATCH_CASE = 4,
  FIND_FORWARD = 8,
  FIND_REGEX = 0x40,
};

struct FindRecord {
  UINT flags = 0;
  int matchLength = 0;  // out: length of the match
  CString pattern;      // the text to find
  CString replacement;  // the replacement template; a search never changes it
  CString substituted;  // out: the template with the groups of the last regex match
};

// TRUE when the text holds one of $ * + . ? [ \ ] ^.
BOOL HasRegexChars(const char* text);

// First or last occurrence of a plain pattern in the first len bytes, or -1.
int FindFirst(const char* pattern, const char* text, int len);
int FindLast(const char* pattern, const char* text, int len);

// The match in bytes [from, to) of one line's text of length bytes (its
// line end, if any, included): the first one forward, the last one
// backward (FIND_FORWARD clear), whose offset is returned, or -1. The line
// walk of every text model shares it.
int FindInLine(const char* text, int length, int from, int to, FindRecord* rec);
// FALSE for an empty pattern or a regular expression that does not compile.
BOOL FindPatternCompiles(const FindRecord& rec);

// Searches from pos towards limit (forward: up to limit.offset on the limit
// line; backward: down to limit.offset on it; a null limit line searches to
// the end or the start). On a match pos is its position and
// rec->matchLength its length. `asLoaded`, the buffer's LinesAsLoaded(),
// lets the search scan the loaded texts as blocks.
BOOL FindText(EditPos& pos, EditPos& limit, FindRecord* rec, const LoadedLines* asLoaded = nullptr);
