#include "a_qjx/ins_flags.h"

#include <cstdio>
#include <cstring>

#include "ytn1/ytn1.h"

namespace {

// Legend: list control id, bits, entries in list order with their value.
constexpr InsFlagEntry kTaskType[] = {{"NI-Task", 0}, {"II-Task", 1}, {"DI-Task", 2}, {"TI-Task", 3}};
constexpr InsFlagEntry kWhoDetermines[] = {{"PDT", 0}, {"QxINST (if bit 3 of PDT flag is =0)", 1}};
constexpr InsFlagEntry kPrivilege[] = {
    {"highest", 0}, {"second highest", 1}, {"third highest", 2}, {"lowest", 3}};
constexpr InsFlagEntry kProgramFormat[] = {{"Assembler tiny", 0},
                                           {"Assembler large", 4},
                                           {"C/Pascal (EXE not relocated)", 6},
                                           {"Reserved (EXE relocated)", 2},
                                           {"Reserved (PDT)", 1}};
constexpr InsFlagEntry kDataSize[] = {
    {"'Size' in PDT", 3}, {"'Minimum' in PDT", 2}, {"'Maximum' in PDT", 1}, {"datasize", 0}};
constexpr InsFlagEntry kAutoInit[] = {{"Do not call", 0}, {"Call", 1}};
constexpr InsFlagEntry kActivate[] = {{"Do not activate", 0}, {"Activate", 1}};

template <size_t N>
constexpr InsFlagList InsFlagListOf(int id, BYTE first, BYTE last, const InsFlagEntry (&entries)[N]) {
  return {id, first, last, entries, int(N)};
}

constexpr InsFlagList kInsFlagListTable[kInsFlagLists] = {
    InsFlagListOf(1154, 0, 2, kTaskType),   InsFlagListOf(1155, 3, 3, kWhoDetermines),
    InsFlagListOf(1156, 4, 5, kPrivilege),  InsFlagListOf(1157, 6, 8, kProgramFormat),
    InsFlagListOf(1158, 9, 10, kDataSize),  InsFlagListOf(1159, 11, 11, kAutoInit),
    InsFlagListOf(1160, 12, 12, kActivate),
};

// Characters of a selection that is a word rather than a number.
constexpr const char kInsFlagWordChars[] = "qwrtzuioplkjhgsyxvnm,.-!$%&/()=?\xFC\xE4\xF6\xA7";

}  // namespace

const InsFlagList& InsFlagListAt(int list) { return kInsFlagListTable[list]; }

int InsFlagSelection(int list, DWORD value) {
  const InsFlagList& l = kInsFlagListTable[list];
  const DWORD field = ulBITxy(value, l.firstBit, l.lastBit);
  for (int i = 0; i < l.entryCount; ++i)
    if (l.entries[i].value == field) return i;
  return -1;
}

DWORD InsFlagsValue(const int (&selections)[kInsFlagLists]) {
  DWORD value = 0;
  for (int list = 0; list < kInsFlagLists; ++list) {
    const InsFlagList& l = kInsFlagListTable[list];
    const int s = selections[list];
    if (s >= 0 && s < l.entryCount) ulxyBIT(&value, l.firstBit, l.lastBit, l.entries[s].value);
  }
  return value;
}

DWORD InsFlagsStartValue(const CString& selection) {
  CString text = selection;
  text.TrimLeft();
  text.TrimRight();
  text.MakeLower();
  if (text.IsEmpty()) return 0;
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] != ' ' && std::strchr(kInsFlagWordChars, text[i])) return 0;
  unsigned long value = 0;
  return std::sscanf(text, "%lX", &value) == 1 ? DWORD(value) : 0;
}
