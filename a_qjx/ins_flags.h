// The flags word of an installation command, composed from seven lists:
// each list owns a bit field and each entry a value of that field.
#pragma once
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

struct InsFlagEntry {
  const char* text;
  DWORD value;
};

struct InsFlagList {
  int controlId;
  BYTE firstBit, lastBit;
  const InsFlagEntry* entries;
  int entryCount;
};

constexpr int kInsFlagLists = 7;
const InsFlagList& InsFlagListAt(int list);

// The entry of a list that the value selects; -1 when none matches.
int InsFlagSelection(int list, DWORD value);
// The value of the lists' entries (-1: the list adds nothing).
DWORD InsFlagsValue(const int (&selections)[kInsFlagLists]);
// The flags dialog's start value for a selection of the editor's text:
// empty or a word gives 0, else the text read as hex.
DWORD InsFlagsStartValue(const CString& selection);
