// Reading a value text of a watch (from the debug information or from
// gdb) into what the watch windows show: the text of the Value column and,
// for structures, arrays and bit fields, named members with their own
// values.
//
//   "text"                    a string, quotes kept ("text"... when cut)
//   'a' <repeats 9 times>     a character run
//   (type) 0x1f               a cast and its number
//   -12, 0x1f, 1234:0010      a number run, optionally followed by a blank
//                             and a string, a character ('A'), a marker
//                             (<sym>) or a parenthesised part
//   <not defined>             a marker
//   RED, true                 a name (enumerators and the like)
//   {a = 1, b = {c = 2}}      a structure: members "a", "b"; Value ""
//   {1, 2, 3}                 an array: members "[0]".."[2]"; Value ""
//   {}                        "<empty>"
//   [5: a = 1, b = 0]         a bit field: members; Value "<undef>"
#pragma once

#include <string>
#include <vector>

struct ParsedMember;

// A problem met while reading, for a message box.
struct ValueParseError {
  std::string caption;
  std::string text;
};

struct ParsedValue {
  std::string text = "<undef>";  // the Value column
  std::vector<ParsedMember> members;
};

struct ParsedMember {
  std::string name;
  ParsedValue value;
};

struct ValueParseResult {
  ParsedValue value;
  std::vector<ValueParseError> errors;
};

// Nesting deeper than this reads as an error.
constexpr int kValueTextMaxDepth = 64;

ValueParseResult ParseValueText(const char* text);
