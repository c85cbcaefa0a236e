// The keywords of a language: a private-profile file with the section
// [Keywords] (word=colour name; or the section named after the file's base
// name) and [Colors] (colour name=red,green,blue). Keywords shorter than 24
// characters live in a 2048-entry hash table with the colour cached per
// entry; longer ones, and those that do not fit the table, are looked up in
// the section as read.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/windef.h"

class KeywordFile {
 public:
  enum { kEntries = 2048, kMaxTableKey = 23, kMaxProbeWord = 22, kMaxWord = 259 };

  struct Entry {
    char key[24];
    int length;
    COLORREF colour;  // (COLORREF)-1 until first used
  };

  // Reads the file; false when it cannot be opened or has no keywords.
  bool Load(const char* path, bool caseSensitive);
  void Clear();
  bool IsLoaded() const { return !m_table.empty(); }

  // Whether the word (already upper-cased unless case-sensitive) is a
  // keyword; on a hit *colour becomes its colour (a colour name without an
  // entry in [Colors] leaves *colour as it is).
  bool Lookup(const char* word, int len, COLORREF* colour);

  // The whole file as read.
  const std::string& Image() const { return m_image; }

  static unsigned Hash(const char* word, int len);

 private:
  bool ReadSections(const char* path);
  void Enter(const std::string& key);
  int Probe(const char* word, int len) const;
  bool ColourOf(const std::string& upperKey, COLORREF* colour) const;

  bool m_case = false;
  bool m_overflow = false;  // some short keywords did not fit the table
  std::string m_image;
  std::vector<Entry> m_table;
  // Upper-cased key -> colour name, and upper-cased colour name -> value.
  std::unordered_map<std::string, std::string> m_values;
  std::unordered_map<std::string, std::string> m_colours;
};
