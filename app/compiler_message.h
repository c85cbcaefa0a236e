// The file and line that a compiler message in the Build pane names.
#pragma once

#include <string>

#include "platform/base/windef.h"

struct CompilerMessageLocation {
  std::string file;
  int line = 0;
};

// line: one line of build output. projectKind: kProjectKindMake (Borland
// and gcc messages) or kProjectKindPascal. False when the line names no
// line number.
bool ParseCompilerMessage(const std::string& line, WORD projectKind, CompilerMessageLocation& out);
