// The object interface through which the IDE disassembles target code:
// listing lines of "%08x: " and the instruction text from column 10.
#pragma once

#include "platform/base/windef.h"

class CDisassTarget;

// Column at which the instruction text of a listing line starts.
constexpr int kDisassTextColumn = 10;
// Size of a listing-line buffer.
constexpr int kDisassLineSize = 256;

class CDisass {
 public:
  virtual ~CDisass() = default;
  // Writes the line of the instruction at the address; returns the
  // address of the next instruction.
  virtual DWORD FormatLine(DWORD address, char* line) = 0;
  // Writes the line of the instruction before *address and stores its end
  // in *address; returns its start.
  virtual DWORD FormatPreviousLine(DWORD* address, char* line) = 0;
  // 1 when the instruction of the line is a call.
  virtual int IsCallInstruction(const char* line) = 0;
};

// x86 code read from the session's target, with breakpoint bytes put back.
class CDisassx86 : public CDisass {
 public:
  explicit CDisassx86(CDisassTarget* target);
  DWORD FormatLine(DWORD address, char* line) override;
  DWORD FormatPreviousLine(DWORD* address, char* line) override;
  int IsCallInstruction(const char* line) override;
};

// The decoder's byte reader: the program's own bytes at the address, those
// under a planted breakpoint taken from the breakpoint list. Returns 0, or
// 1 when the target cannot be read.
int ReadCodeBytes(DWORD address, BYTE* buffer, int count);

extern CDisassTarget* g_pDisassTarget;
// The session's disassembler; null without a session.
extern CDisass* g_pDisass;
