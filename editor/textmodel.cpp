#include "editor/textmodel.h"

#include <algorithm>
#include <cstring>

#include "editor/colourtext.h"
#include "editor/editplatform.h"

namespace {

constexpr int kMaxCharSet = 255;

void CopyDelimiter(char* out, const CString& value) {
  std::strncpy(out, value, TextModel::kDelimiterSize - 1);
  out[TextModel::kDelimiterSize - 1] = '\0';
}

void MarkChars(BYTE* table, const CString& chars) {
  int n = std::min(chars.GetLength(), kMaxCharSet);
  for (int i = 0; i < n; ++i) table[static_cast<unsigned char>(chars[i])] = 1;
}

}  // namespace

TextModel::TextModel() : m_strFontName("Courier New") {}

TextModel::~TextModel() = default;

void TextModel::SetTabSize(int size) { m_nTabSize = std::clamp(size, kMinTabSize, kMaxTabSize); }

void TextModel::SetLineEndType(int type) {
  static const char* const kEnds[] = {"\r\n", "\n\r", "\n", "\r"};
  m_nLineEndType = type;
  if (type < LINEEND_CRLF || type > LINEEND_CR) return;
  const char* end = kEnds[type];
  m_szLineEnd[0] = end[0];
  m_szLineEnd[1] = end[1];
  m_szLineEnd[2] = '\0';
  m_nLineEndLength = end[1] != '\0' ? 2 : 1;
}

BOOL TextModel::IsWordChar(char c) const {
  return EditIsAlphaNumeric(c) || m_wordChars[static_cast<unsigned char>(c)] != 0;
}

BOOL TextModel::LoadKeywordFile() {
  if (!m_keywords.Load(m_strKeywordFile, m_bCase != FALSE)) {
    m_bChroma = FALSE;
    return FALSE;
  }
  return TRUE;
}

void TextModel::ReadOptions(const CString& s) {
  SetTabSize(EditProfileInt(s, "Tab size", 3));
  m_bKeepTabs = EditProfileInt(s, "Keep tabs", 1);
  m_bShowTabs = EditProfileInt(s, "Show tabs", 0);
  m_strFontName = EditProfileString(s, "Font name", "Courier New");
  m_nFontSize = EditProfileInt(s, "Font size", 9);
  m_nFontWeight = EditProfileInt(s, "Font weight", 400);
  m_bFontItalic = EditProfileInt(s, "Font Italic", 0);
  m_nCharSet = EditProfileInt(s, "CharSet", 0);
  m_bWordWrap = EditProfileInt(s, "Word wrap", 0);
  m_bInsertMode = EditProfileInt(s, "Insert", 1);
  m_bLockFiles = EditProfileInt(s, "Lock files", 0);
}

void TextModel::ReadLanguageSettings() {
  m_strKeywordSection = "Keywords";
  const CString& s = m_strSection;
  m_strKeywordFile = EditProfileString(s, "Keywords", "Default.ini");
  // A keyword file not found under its name is the one beside the program.
  if (!EditFileExists(m_strKeywordFile)) {
    m_strKeywordFile = CString(EditProgramDir().c_str()) + m_strKeywordFile;
  }
  m_bChroma = EditProfileInt(s, "Chroma", 0);
  m_crComment = ParseColour(EditProfileString(s, "Comment", "0,128,0"));
  m_crKeyword = ParseColour(EditProfileString(s, "Keyword", "0,0,255"));
  m_crQuote = ParseColour(EditProfileString(s, "Quote", "255,0,0"));
  m_crText = ParseColour(EditProfileString(s, "Default Text", "0,0,0"));
  m_crBackground = ParseColour(EditProfileString(s, "Background", "255,255,255"));
  // Single quotes default to the colour of ordinary text of a window.
  m_crSQuote = ParseColour(EditProfileString(s, "SQuote", FormatColour(RGB(0, 0, 0))));
  CopyDelimiter(m_szCommentStart1, EditProfileString(s, "Comment Start 1", ""));
  CopyDelimiter(m_szCommentStart2, EditProfileString(s, "Comment Start 2", ""));
  CopyDelimiter(m_szCommentEnd1, EditProfileString(s, "Comment End 1", ""));
  CopyDelimiter(m_szCommentEnd2, EditProfileString(s, "Comment End 2", ""));
  m_bAutoIndent = EditProfileInt(s, "Autoindent", 1);
  m_bCase = EditProfileInt(s, "Case", 0);
  // Only a language section names extra word, terminator and start
  // characters; the application's own key has none.
  std::memset(m_wordChars, 0, sizeof m_wordChars);
  std::memset(m_terminatorChars, 0, sizeof m_terminatorChars);
  std::memset(m_startChars, 0, sizeof m_startChars);
  if (!s.IsEmpty()) {
    MarkChars(m_wordChars, EditProfileString(s, "Extra word chars", ""));
    MarkChars(m_terminatorChars, EditProfileString(s, "Terminator chars", ""));
    MarkChars(m_startChars, EditProfileString(s, "Start chars", ""));
  }
  LoadKeywordFile();
}
