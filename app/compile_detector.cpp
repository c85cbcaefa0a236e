#include "app/compile_detector.h"

void CCompileDetector::Feed(const char* chunk, size_t length) {
  if (length == 0) return;
  std::string text(chunk, length);
  size_t tab = text.find('\t');
  if (tab != std::string::npos)
    m_compiled = (tab == 0 ? m_last : text[tab - 1]) == '\n';
  else if (NamesCompiler(text))
    m_compiled = true;
  m_last = text.back();
}

bool CCompileDetector::NamesCompiler(const std::string& chunk) const {
  for (const std::string& name : m_names)
    if (chunk.find(name) != std::string::npos) return true;
  return false;
}
