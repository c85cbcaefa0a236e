#include "disasm/view/disass_source_file.h"

BOOL CDisassSourceFile::LoadSourceFile(LPCSTR path) { return m_doc.LoadSourceFile(path); }

LPCSTR CDisassSourceFile::GetLineText(int line) {
  const char* text = m_doc.GetLineText(line);
  m_line.assign(text != nullptr ? text : "");
  while (!m_line.empty() && (m_line.back() == '\n' || m_line.back() == '\r')) m_line.pop_back();
  return m_line.c_str();
}

CDisassSourceDoc* CDisassSourceFile::Create() { return new CDisassSourceFile; }
