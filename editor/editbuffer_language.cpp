#include <cstring>

#include "editor/editbuffer.h"
#include "editor/editplatform.h"

namespace {

constexpr int kMaxDelimiter = 15;
constexpr int kMaxCharSet = 255;

void CopyDelimiter(char* out, const CString& value) {
  std::strncpy(out, value, kMaxDelimiter);
  out[kMaxDelimiter] = '\0';
}

void MarkChars(BYTE* table, const CString& chars) {
  int n = chars.GetLength() < kMaxCharSet ? chars.GetLength() : kMaxCharSet;
  for (int i = 0; i < n; ++i) table[static_cast<unsigned char>(chars[i])] = 1;
}

}  // namespace

void EditBuffer::LoadLanguageSettings() {
  FreeKeywordData();
  m_strKeywordSection = "Keywords";
  const CString& s = m_strSection;
  m_strKeywordFile = EditProfileString(s, "Keywords", "Default.ini");
  if (!EditFileExists(m_strKeywordFile)) {
    m_strKeywordFile = CString(EditProgramDir().c_str()) + m_strKeywordFile;
  }
  m_bChroma = EditProfileInt(s, "Chroma", 0);
  m_crComment = KeywordFile::ParseColour(EditProfileString(s, "Comment", "0,128,0"));
  m_crKeyword = KeywordFile::ParseColour(EditProfileString(s, "Keyword", "0,0,255"));
  m_crQuote = KeywordFile::ParseColour(EditProfileString(s, "Quote", "255,0,0"));
  m_crText = KeywordFile::ParseColour(EditProfileString(s, "Default Text", "0,0,0"));
  m_crBackground = KeywordFile::ParseColour(EditProfileString(s, "Background", "255,255,255"));
  // Single quotes default to the colour of ordinary text of a window.
  m_crSQuote = KeywordFile::ParseColour(EditProfileString(s, "SQuote", "0,0,0"));
  CopyDelimiter(m_szCommentStart1, EditProfileString(s, "Comment Start 1", ""));
  CopyDelimiter(m_szCommentStart2, EditProfileString(s, "Comment Start 2", ""));
  CopyDelimiter(m_szCommentEnd1, EditProfileString(s, "Comment End 1", ""));
  CopyDelimiter(m_szCommentEnd2, EditProfileString(s, "Comment End 2", ""));
  m_bAutoIndent = EditProfileInt(s, "Autoindent", 1);
  m_bCase = EditProfileInt(s, "Case", 0);
  if (!s.IsEmpty()) {
    std::memset(m_wordChars, 0, sizeof m_wordChars);
    std::memset(m_terminatorChars, 0, sizeof m_terminatorChars);
    std::memset(m_startChars, 0, sizeof m_startChars);
    MarkChars(m_wordChars, EditProfileString(s, "Extra word chars", ""));
    MarkChars(m_terminatorChars, EditProfileString(s, "Terminator chars", ""));
    MarkChars(m_startChars, EditProfileString(s, "Start chars", ""));
  }
  LoadKeywordFile();
}

BOOL EditBuffer::LoadKeywordFile() {
  if (!m_keywords.Load(m_strKeywordFile, m_bCase != FALSE)) {
    m_bChroma = FALSE;
    return FALSE;
  }
  return TRUE;
}

void EditBuffer::FreeKeywordData() {
  m_keywords.Clear();
  std::vector<char>().swap(m_scratch);
  std::vector<char>().swap(m_word);
}
