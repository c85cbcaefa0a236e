// The key=value line format of "mirt.cfg", project files and templates:
// KEY=VALUE lines, the first "=" separating key and value.
#pragma once

#include <string>

#include "app/core/heap_text.h"
#include "platform/base/windef.h"

// Longest key or value the reader takes, in bytes.
constexpr int kKeyValueMaxLength = 2047;

// Reads one line from a file opened for reading. A line ends at CR, at CR LF
// or at a LF alone; a line feed right behind a CR, or before anything else
// of a line, is skipped. A line without "=" reads as an empty key. A last
// line that the end of the file cuts off reads like a complete one.
// On 1, *key and *value are new heap strings (malloc) that the caller frees.
// Returns 0 at the end of the file or when a key or value is longer than
// kKeyValueMaxLength; *key and *value are then left as they were.
int ReadKeyValueLine(HANDLE file, char** key, char** value);
// The same, with the texts in owning holders.
int ReadKeyValueLine(HANDLE file, HeapText& key, HeapText& value);

// Writes "KEY=VALUE" and CR LF in one write. A null value (a field never
// set) writes nothing. FALSE when the write failed.
BOOL WriteKeyValueLine(HANDLE file, const char* key, const char* value);

// Writes the number in decimal ("%ld") as the line's value.
BOOL WriteKeyNumberLine(HANDLE file, const char* key, LONG number);

// The same lines appended to a text in memory, for writers that replace a
// file in one step.
void AppendKeyValueLine(std::string& text, const char* key, const char* value);
void AppendKeyNumberLine(std::string& text, const char* key, LONG number);
