// A position in the disassembly text: 1-based line number and character
// offset in the line.
#pragma once

struct DisassPos {
  int line = 1;
  int offset = 0;
};
