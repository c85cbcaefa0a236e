// The installation-file editor's work on single lines and names, apart
// from its window: the verdict of the caret line, the report of a checked
// or run line, the command ends and the name a file is saved under.
#pragma once
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class InsInterpreter;

enum class InsExecute { CheckOnly, Run };
enum class InsLineOutcome { Good, Error };

// The verdict of a line as the editor shows it while the caret is in it:
// "OK" or the interpreter's result text, and the command's help.
struct InsLineVerdict {
  CString syntax;
  CString help;
};
InsLineVerdict VerdictOfLine(InsInterpreter& interpreter, CString line);

// Checks or runs one line; *report gets what the messages field appends
// (nothing for comments and empty lines).
InsLineOutcome CheckInsLine(InsInterpreter& interpreter, int index, CString line, InsExecute execute,
                            CString* report);

// "\r\n----------N Error(s)----------" or "\r\n----------OK----------".
CString SyntaxCheckEnd(unsigned long errors);

// The name Save As stores under: the file name's extension (or its end,
// when it has none) becomes ".ins"; folders are kept whole.
CString InsFileName(const CString& chosen);
