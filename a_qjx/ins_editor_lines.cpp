#include "a_qjx/ins_editor_lines.h"

#include <algorithm>

#include "a_qjx/ins_interpreter.h"

namespace {

constexpr const char* kInsErrorBanner = "\r\n*************** Error ***************\r\n";

bool IsInsCommentOrEmpty(const CString& line) { return line.IsEmpty() || line[0] == '\'' || line[0] == ';'; }

}  // namespace

InsLineVerdict VerdictOfLine(InsInterpreter& interpreter, CString line) {
  line.TrimLeft();
  line.TrimRight();
  CString help, answer, result;
  const int16_t r = interpreter.ParseLine(line, FALSE, help, answer, result);
  return {r == kLineAccepted ? CString("OK") : result, help};
}

InsLineOutcome CheckInsLine(InsInterpreter& interpreter, int index, CString line, InsExecute execute,
                            CString* report) {
  report->Empty();
  line.TrimLeft();
  line.TrimRight();
  if (IsInsCommentOrEmpty(line)) return InsLineOutcome::Good;
  CString help, answer, result;
  const int16_t r = interpreter.ParseLine(line, execute == InsExecute::Run, help, answer, result);
  if (r == kLineAccepted) {
    report->Format("\r\n(%.3d) ", index);
    *report += line;
    if (!answer.IsEmpty()) *report += " -> " + answer;
    return InsLineOutcome::Good;
  }
  report->Format("\r\nLine %d: ", index);
  *report += line + kInsErrorBanner + result;
  return r == kLineWarning ? InsLineOutcome::Good : InsLineOutcome::Error;
}

CString SyntaxCheckEnd(unsigned long errors) {
  if (errors == 0) return "\r\n----------OK----------";
  CString text;
  text.Format("\r\n----------%lu Error(s)----------", errors);
  return text;
}

CString InsFileName(const CString& chosen) {
  const int slash = std::max(chosen.ReverseFind('/'), chosen.ReverseFind('\\'));
  const int dot = chosen.ReverseFind('.');
  // A dot that starts the file name is not an extension.
  if (dot > slash + 1) return chosen.Left(dot) + ".ins";
  return chosen + ".ins";
}
