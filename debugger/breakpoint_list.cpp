#include "debugger/breakpoint_list.h"

#include <cstring>

#include "debugger/debug_message.h"
#include "debugger/file_bytes.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"

CBreakpointList g_breakpointList;

namespace {

// Decimal conversion as atoi: blanks, a sign, then the leading digits.
uint16_t LineNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  uint32_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = v * 10 + uint32_t(text[i] - '0');
  return uint16_t(negative ? 0u - v : v);
}

}  // namespace

std::string CBreakpointList::ListFilePath(const char* projectPath) {
  std::string path(projectPath);
  size_t dot = path.rfind('.');
  size_t sep = path.find_last_of("/\\");
  if (dot != std::string::npos && (sep == std::string::npos || dot > sep)) path.erase(dot);
  return path + ".bpl";
}

std::string CBreakpointList::ToText() const {
  std::string text;
  for (POSITION pos = GetHeadPosition(); pos;) {
    const CBreakpoint& bp = GetNext(pos);
    text += bp.file.str();
    text += '\n';
    text += std::to_string(bp.line);
    text += '\n';
  }
  return text;
}

void CBreakpointList::AppendFromText(const std::string& text) {
  size_t at = 0;
  // One line without its end (a CR before the LF is dropped too).
  auto readLine = [&](std::string& line) {
    if (at >= text.size()) return false;
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    at = end + 1;
    return true;
  };
  std::string name, number;
  while (readLine(name)) {
    if (!readLine(number)) number.clear();
    name.resize(std::strlen(name.c_str()));  // a name ends at a NUL byte
    if (name.empty()) continue;
    AddTail(CBreakpoint(name.c_str(), LineNumber(number)));
  }
}

bool CBreakpointList::SaveBreakpoints(const char* projectPath) {
  std::string path = ListFilePath(projectPath);
  if (IsEmpty()) {
    DeleteFile(path.c_str());
    return true;
  }
  std::string error;
  if (!plat::ReplaceFileAtomically(path, ToText(), &error)) {
    DebugMessageBox(("The breakpoints could not be saved: " + error).c_str(), "MIRT",
                    MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  RemoveAll();
  return true;
}

void CBreakpointList::LoadBreakpoints(const char* projectPath) {
  std::string text;
  if (ReadFileBytes(ListFilePath(projectPath).c_str(), text)) AppendFromText(text);
}

POSITION CBreakpointList::FindBreakpoint(const CBreakpoint& bp) const {
  for (POSITION pos = GetHeadPosition(); pos;) {
    POSITION here = pos;
    if (GetNext(pos).IsEqual(bp)) return here;
  }
  return nullptr;
}
