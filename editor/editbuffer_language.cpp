#include "editor/editbuffer.h"

void EditBuffer::LoadLanguageSettings() {
  FreeKeywordData();
  ReadLanguageSettings();
}

void EditBuffer::FreeKeywordData() {
  m_keywords.Clear();
  std::vector<char>().swap(m_scratch);
  std::vector<char>().swap(m_word);
}
