// What the disassembler needs of the debug session and of the source
// editor, as small interfaces. A board session plugs its objects in through
// the globals below (CSessionDisassembler); with no session they are null.
// The disassembly document installs the source documents, the program the
// main frame.
#pragma once

#include "debugger/addr.h"
#include "platform/base/windef.h"

// Target memory (the session's board object).
class CDisassTarget {
 public:
  virtual ~CDisassTarget() = default;
  // Reads count bytes at a linear address; FALSE when they cannot be read.
  virtual BOOL ReadMemory(DWORD linear, WORD count, BYTE* buffer) = 0;
};

// The session's breakpoints by address.
class CDisassBreakpoints {
 public:
  virtual ~CDisassBreakpoints() = default;
  // TRUE for a user breakpoint at the address.
  virtual BOOL IsBreakpointSet(const CAddr* address) = 0;
  // The code bytes that a planted breakpoint replaced: a new[] copy that
  // the caller delete[]s, and their number (low 16 bits). FALSE when no
  // breakpoint is planted there.
  virtual BOOL GetSavedBytes(const CAddr* address, BYTE** bytes, DWORD* count) = 0;
};

// The session's debug information.
class CDisassSourceInfo {
 public:
  virtual ~CDisassSourceInfo() = default;
  // The file and the source lines that produced the code at the address;
  // *file is null when none did.
  virtual void GetSourceLinesOfAddress(const CAddr* address, LPCSTR* file, short* firstLine,
                                       short* lastLine) = 0;
};

// A source file loaded out of sight to show its lines.
class CDisassSourceDoc {
 public:
  virtual ~CDisassSourceDoc() = default;
  virtual BOOL LoadSourceFile(LPCSTR path) = 0;
  // The 1-based line (the last one beyond the end).
  virtual LPCSTR GetLineText(int line) = 0;
};

typedef CDisassSourceDoc* (*DisassSourceDocFactory)();

// The IDE's main frame, as the disassembly window asks it for things.
class CDisassMainFrame {
 public:
  virtual ~CDisassMainFrame() = default;
  // The main frame's File Open dialog.
  virtual void OpenFileWithDialog() = 0;
};

extern CDisassBreakpoints* g_pDisassBreakpoints;
extern CDisassSourceInfo* g_pDisassSourceInfo;
// Creates the documents of source lines; null shows source lines without text.
extern DisassSourceDocFactory g_pfnNewDisassSourceDoc;
// The main frame; null while there is none.
extern CDisassMainFrame* g_pDisassMainFrame;
