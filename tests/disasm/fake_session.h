// Small stand-ins for the debug session's objects: target memory, the
// breakpoint list, debug information and source documents.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "disasm/disass_neighbours.h"

namespace disasm_test {

// A byte image at a base address; reads outside it, or of a range marked
// unreadable, fail.
class FakeTarget : public CDisassTarget {
 public:
  FakeTarget(DWORD base, std::vector<BYTE> bytes) : m_base(base), m_bytes(std::move(bytes)) {}
  BOOL ReadMemory(DWORD linear, WORD count, BYTE* buffer) override;
  void MakeUnreadable(DWORD from, DWORD to) { m_holes.push_back({from, to}); }
  int reads = 0;

 private:
  DWORD m_base;
  std::vector<BYTE> m_bytes;
  std::vector<std::pair<DWORD, DWORD>> m_holes;
};

// Breakpoints by linear address with the bytes they replaced.
class FakeBreakpoints : public CDisassBreakpoints {
 public:
  BOOL IsBreakpointSet(const CAddr* address) override;
  BOOL GetSavedBytes(const CAddr* address, BYTE** bytes, DWORD* count) override;
  std::map<DWORD, std::vector<BYTE>> saved;
  std::map<DWORD, bool> user;
};

// Source lines by linear address: file and line range.
class FakeSourceInfo : public CDisassSourceInfo {
 public:
  void GetSourceLinesOfAddress(const CAddr* address, LPCSTR* file, short* firstLine,
                               short* lastLine) override;
  struct Lines {
    std::string file;
    short first, last;
  };
  std::map<DWORD, Lines> lines;
  int queries = 0;
};

// Source documents over in-memory files; counts the documents made.
class FakeSourceDoc : public CDisassSourceDoc {
 public:
  BOOL LoadSourceFile(LPCSTR path) override;
  LPCSTR GetLineText(int line) override;
  static std::map<std::string, std::vector<std::string>> files;
  static int created;
  static CDisassSourceDoc* Create();

 private:
  std::vector<std::string> m_lines;
};

}  // namespace disasm_test
