// The key=value line format of "mirt.cfg", project files and templates:
// KEY=VALUE lines, the first "=" separating key and value.
#pragma once

#include <string>

#include "app/core/heap_text.h"
#include "platform/base/windef.h"

// Longest key or value the reader takes, in bytes: far beyond any list a
// project holds, small enough that a file which is no text is refused soon.
constexpr size_t kKeyValueMaxLength = size_t(1) << 20;

// Results of ReadKeyValueLine. Every result but a line ends the reading; only
// kKeyValueEnd means that the whole file was read.
enum KeyValueRead : int {
  kKeyValueEnd = 0,         // the end of the file: nothing more to read
  kKeyValueLine = 1,        // a line was read
  kKeyValueTooLong = 2,     // a key or value is longer than kKeyValueMaxLength
  kKeyValueNulByte = 3,     // a line holds a NUL byte: the file is no text
  kKeyValueReadFailed = 4,  // the file could not be read (a folder, an I/O error)
};

// Reads one line from a file opened for reading. A line ends at CR, at CR LF
// or at a LF alone; a line feed right behind a CR, or before anything else
// of a line, is skipped. A line without "=" reads as an empty key. A last
// line that the end of the file cuts off reads like a complete one.
// On kKeyValueLine, *key and *value are new heap strings (malloc) that the
// caller frees; on any other result they are left as they were.
KeyValueRead ReadKeyValueLine(HANDLE file, char** key, char** value);
// The same, with the texts in owning holders.
KeyValueRead ReadKeyValueLine(HANDLE file, HeapText& key, HeapText& value);

// Writes "KEY=VALUE" and CR LF in one write. A null value (a field never
// set) writes nothing. FALSE when the write failed.
BOOL WriteKeyValueLine(HANDLE file, const char* key, const char* value);

// Writes the number in decimal ("%ld") as the line's value.
BOOL WriteKeyNumberLine(HANDLE file, const char* key, LONG number);

// The same lines appended to a text in memory, for writers that replace a
// file in one step.
void AppendKeyValueLine(std::string& text, const char* key, const char* value);
void AppendKeyNumberLine(std::string& text, const char* key, LONG number);

// True when every key and value of the text is short enough to be read back.
bool KeyValueTextReadable(const std::string& text);
