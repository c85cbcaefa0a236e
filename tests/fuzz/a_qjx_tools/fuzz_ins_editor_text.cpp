// Installation files as the editor reads them: any bytes become LF-ended
// lines, every line is checked as the syntax check does, and the text
// written back reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "a_qjx/ins_editor_lines.h"
#include "a_qjx/ins_interpreter.h"
#include "a_qjx/ins_text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CString text = InsTextOfBytes(reinterpret_cast<const char*>(data), size);
  const std::string s(LPCSTR(text), size_t(text.GetLength()));
  if (s.find('\r') != std::string::npos) std::abort();
  if (!s.empty() && s.back() != '\n') std::abort();
  InsInterpreter interpreter;
  size_t start = 0;
  int index = 0;
  for (size_t end; (end = s.find('\n', start)) != std::string::npos; start = end + 1, ++index) {
    CString report;
    CheckInsLine(interpreter, index, CString(s.data() + start, int(end - start)), InsExecute::CheckOnly,
                 &report);
    VerdictOfLine(interpreter, CString(s.data() + start, int(end - start)));
  }
  return 0;
}
