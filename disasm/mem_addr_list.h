// The whole 1 MB real-mode address space of the target as a virtual text of
// numbered lines: instruction lines, with the source lines that produced an
// instruction shown above it. Lines are produced on demand; every produced
// line is remembered so that a line number keeps showing the same thing.
// Lines never produced map to an estimated address (two bytes a line).
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "debugger/addr.h"
#include "disasm/mem_addr_entries.h"
#include "platform/base/windef.h"

class CDisassSourceDoc;

// Line flags of a DisassLine.
constexpr DWORD kLineSource = 1;
constexpr DWORD kLineBreakpoint = 2;
constexpr DWORD kLineBookmark = 4;

// One line as the line source hands it out.
struct DisassLine {
  char* text = nullptr;  // new[] 256 characters, freed by the receiver
  int length = 0;
  DWORD flags = 0;
};

class CMemAddrList {
 public:
  // 0x80000 lines of two bytes each and three more.
  static constexpr int kLineCount = 524291;
  static constexpr int kLineTextSize = 256;

  CMemAddrList() : m_serial(++s_lastSerial) {}
  ~CMemAddrList();
  CMemAddrList(const CMemAddrList&) = delete;
  CMemAddrList& operator=(const CMemAddrList&) = delete;

  int GetLineCount() const { return kLineCount; }
  BOOL IsLineValid(int n) const { return n > 0; }
  BOOL IsLineInMemory(int n);

  void GetEntry(int n, CMemAddrEntry& out);
  void FindLine(CAddr* address, CMemAddrEntry& out, BOOL instructionsOnly);
  int LineFromAddress(CAddr* address);
  int GetLine(int n, DisassLine& out);
  void FormatSourceLine(LPCSTR file, WORD line, char* out);
  // direction 1: entries above move up; 2: entries below move down.
  int InsertInstructionEntry(int line, DWORD address, DWORD next, int direction);
  int InsertSourceEntry(int line, DWORD address, DWORD next, WORD sourceLine, LPCSTR file, int direction);
  void ToggleBookmark(int, int);

  // Different for every line source made in the process, so that one made
  // where an old one was freed is not taken for it.
  unsigned Serial() const { return m_serial; }
  // The line made last by a walk down (the next one follows its code).
  int CachedLine() const { return m_cachedLine; }
  // The first and the last listed line; FALSE when none is listed.
  BOOL GetListedLines(int* first, int* last) const;

  // Listed entries in line order (for tests and diagnostics).
  std::vector<CMemAddrEntry> Entries() const { return m_entries.ToVector(); }

 private:
  using Pos = CMemAddrEntries::Pos;
  struct SourceLines {
    LPCSTR file = nullptr;
    short first = 0;
    short last = -1;
  };

  int InsertEntry(const CMemAddrEntry& entry, int line, int direction);
  Pos FindSame(const CMemAddrEntry& entry) const;
  void MoveTo(Pos p, int line, int direction);
  void Place(Pos p, CMemAddrEntry entry, int line);
  void RemoveLine(int n);
  Pos PosOfLine(int n) const;
  SourceLines SourceLinesOf(DWORD address);
  LPCSTR Intern(LPCSTR file);
  DWORD Format(DWORD address, char* text);
  DWORD FormatPrevious(DWORD* address, char* text);
  int ProduceLine(int n, char* text, DWORD* address, bool* source);

  // Lines ascending and addresses never descending in list order, so
  // that lookups both ways search by halves.
  CMemAddrEntries m_entries;
  int m_cachedLine = -1;
  DWORD m_currentAddress = 0;
  DWORD m_nextAddress = 0;
  // The entry found or listed last: painting and scrolling ask for it or
  // a neighbour.
  Pos m_hint;
  // File names are kept here, so entries never point into a debug
  // session that has ended.
  std::set<std::string> m_fileNames;
  std::vector<std::pair<std::string, CDisassSourceDoc*>> m_sourceDocs;
  unsigned m_serial = 0;
  static inline unsigned s_lastSerial = 0;
};

extern CMemAddrList* g_pMemAddrList;
