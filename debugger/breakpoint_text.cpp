#include "debugger/breakpoint_text.h"

#include <string>

CString BreakpointListText(const CBreakpoint& bp) {
  CString text;
  text.Format("file %s, line %d", static_cast<const char*>(bp.file), int(bp.line));
  return text;
}

bool ParseBreakpointListText(const char* text, CBreakpoint& bp) {
  const std::string s(text);
  const std::string head = "file ", tail = ", line ";
  size_t sep = s.rfind(tail);
  if (s.compare(0, head.size(), head) != 0 || sep == std::string::npos || sep < head.size()) return false;
  std::string number = s.substr(sep + tail.size());
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  bp.file = CString(s.substr(head.size(), sep - head.size()));
  bp.line = uint16_t(std::stoul(number.substr(0, 9)));
  return true;
}
