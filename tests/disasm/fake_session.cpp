#include "tests/disasm/fake_session.h"

#include <cstring>

#include "debugger/segoff.h"

namespace disasm_test {

BOOL FakeTarget::ReadMemory(DWORD linear, WORD count, BYTE* buffer) {
  ++reads;
  for (WORD i = 0; i < count; ++i) {
    DWORD at = linear + i;
    for (const auto& hole : m_holes)
      if (at >= hole.first && at < hole.second) return FALSE;
    if (at < m_base || at - m_base >= m_bytes.size()) return FALSE;
    buffer[i] = m_bytes[at - m_base];
  }
  return TRUE;
}

BOOL FakeBreakpoints::IsBreakpointSet(const CAddr* address) {
  auto it = user.find(SegOffToLinear(*address));
  return it != user.end() && it->second;
}

BOOL FakeBreakpoints::GetSavedBytes(const CAddr* address, BYTE** bytes, DWORD* count) {
  auto it = saved.find(SegOffToLinear(*address));
  if (it == saved.end()) return FALSE;
  *bytes = new BYTE[it->second.size()];
  std::memcpy(*bytes, it->second.data(), it->second.size());
  *count = DWORD(it->second.size());
  return TRUE;
}

void FakeSourceInfo::GetSourceLinesOfAddress(const CAddr* address, LPCSTR* file, short* firstLine,
                                             short* lastLine) {
  ++queries;
  auto it = lines.find(SegOffToLinear(*address));
  if (it == lines.end()) {
    *file = nullptr;
    return;
  }
  *file = it->second.file.c_str();
  *firstLine = it->second.first;
  *lastLine = it->second.last;
}

std::map<std::string, std::vector<std::string>> FakeSourceDoc::files;
int FakeSourceDoc::created = 0;

CDisassSourceDoc* FakeSourceDoc::Create() {
  ++created;
  return new FakeSourceDoc;
}

BOOL FakeSourceDoc::LoadSourceFile(LPCSTR path) {
  auto it = files.find(path);
  if (it == files.end()) return FALSE;
  m_lines = it->second;
  return TRUE;
}

LPCSTR FakeSourceDoc::GetLineText(int line) {
  if (m_lines.empty()) return "";
  if (line < 1) line = 1;
  if (size_t(line) > m_lines.size()) line = int(m_lines.size());
  return m_lines[line - 1].c_str();
}

}  // namespace disasm_test
