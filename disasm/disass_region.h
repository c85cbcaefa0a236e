// The lines worth reading for a walk over the whole disassembly text
// (search, Replace All, Mark All, Select All, printing it all): the lines
// the line source has listed, and those around a line of interest, widened
// by a window. Past them lie lines nobody has looked at, which would have
// to be decoded one by one through the target's driver.
#pragma once

class CMemAddrList;

struct DisassLineRange {
  int first = 1;
  int last = 0;  // empty while last < first
  bool Contains(int line) const { return line >= first && line <= last; }
};

// Lines added before and after the listed ones.
constexpr int kDisassRegionWindow = 2048;

// The listed lines and the anchor line, widened by the window on both
// sides and kept within the line source's lines; empty without a line
// source.
DisassLineRange DisassBoundedRange(CMemAddrList* list, int anchorLine, int window = kDisassRegionWindow);
