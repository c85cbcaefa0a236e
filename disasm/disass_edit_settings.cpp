// Settings of the disassembly text model: general and syntax settings from
// the application profile (section ""), keywords from the keyword file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "disasm/disass_edit.h"
#include "platform/base/winstring.h"
#include "platform/sys/inifile.h"
#include "platform/sys/path.h"
#include "platform/sys/profile.h"

namespace {

// Size of the buffer for a keyword file's key list.
constexpr DWORD kKeyListSize = 39321;

}  // namespace

COLORREF DisassEdit::ParseColour(const char* text) {
  int parts[3] = {0, 0, 0};
  const char* p = text ? text : "";
  for (int i = 0; i < 3; ++i) {
    parts[i] = std::atoi(p);
    const char* comma = std::strchr(p, ',');
    if (!comma) break;
    p = comma + 1;
  }
  return COLORREF((parts[0] & 255) + (parts[1] & 255) * 256 + (parts[2] & 255) * 65536);
}

CString DisassEdit::FormatColour(COLORREF colour) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d,%d,%d", int(colour & 255), int((colour >> 8) & 255),
                int((colour >> 16) & 255));
  return CString(buf);
}

int DisassEdit::ProfileInt(LPCSTR key, int def) {
  return int(plat::Profile::App().GetProfileInt(m_strSection, key, def));
}

CString DisassEdit::ProfileString(LPCSTR key, LPCSTR def) {
  return plat::Profile::App().GetProfileString(m_strSection, key, def);
}

void DisassEdit::SetTabSize(int size) {
  // Tab arithmetic divides by it and allocates with it.
  if (size < 1) size = 1;
  if (size > kMaxTabSize) size = kMaxTabSize;
  m_nTabSize = size;
}

void DisassEdit::LoadSettings() {
  LoadSyntaxSettings();
  SetTabSize(ProfileInt("Tab size", 3));
  m_bKeepTabs = ProfileInt("Keep tabs", 1);
  m_bShowTabs = ProfileInt("Show tabs", 0);
  m_strFontName = ProfileString("Font name", "Courier New");
  m_nFontSize = ProfileInt("Font size", 9);
  m_nCharSet = ProfileInt("CharSet", 0);
  m_nFontWeight = ProfileInt("Font weight", 400);
  m_nFontItalic = ProfileInt("Font Italic", 0);
  m_bWordWrap = ProfileInt("Word wrap", 0);
  m_bInsertMode = ProfileInt("Insert", 1);
  m_bLockFiles = ProfileInt("Lock files", 0);
}

// At most 15 characters of a delimiter are kept.
void DisassEdit::ReadDelimiter(LPCSTR key, char* field) {
  CString value = ProfileString(key, "");
  std::strncpy(field, value, kDelimiterSize - 1);
  field[kDelimiterSize - 1] = 0;
}

void DisassEdit::LoadSyntaxSettings() {
  m_pKeywords.reset();
  m_strKeywordSection = "Keywords";
  CString name = ProfileString("Keywords", "Default.ini");
  if (!plat::FileExists(std::string(static_cast<LPCSTR>(name))))
    m_strKeywordFile = plat::JoinPath(plat::ProgramDir(), std::string(static_cast<LPCSTR>(name))).c_str();
  else
    m_strKeywordFile = plat::AbsolutePath(std::string(static_cast<LPCSTR>(name))).c_str();
  m_bChroma = ProfileInt("Chroma", 0);
  m_crComment = ParseColour(ProfileString("Comment", "0,128,0"));
  m_crKeyword = ParseColour(ProfileString("Keyword", "0,0,255"));
  m_crQuote = ParseColour(ProfileString("Quote", "255,0,0"));
  m_crText = ParseColour(ProfileString("Default Text", "0,0,0"));
  m_crDisassembly = ParseColour(ProfileString("Disassembly", "128,128,128"));
  m_crBackground = ParseColour(ProfileString("Background", "255,255,255"));
  // A window's default text colour.
  m_crSQuote = ParseColour(ProfileString("SQuote", FormatColour(RGB(0, 0, 0))));
  ReadDelimiter("Comment Start 1", m_szCommentStart1);
  ReadDelimiter("Comment Start 2", m_szCommentStart2);
  ReadDelimiter("Comment End 1", m_szCommentEnd1);
  ReadDelimiter("Comment End 2", m_szCommentEnd2);
  m_nAutoIndent = ProfileInt("Autoindent", 1);
  m_bCase = ProfileInt("Case", 0);
  LoadWordCharacters();
  LoadKeywordFile();
}

void DisassEdit::LoadWordCharacters() {
  std::memset(m_ExtraWordChars, 0, sizeof m_ExtraWordChars);
  std::memset(m_TerminatorChars, 0, sizeof m_TerminatorChars);
  std::memset(m_StartChars, 0, sizeof m_StartChars);
  if (m_strSection.IsEmpty()) return;
  struct {
    LPCSTR key;
    int* table;
  } lists[] = {{"Extra word chars", m_ExtraWordChars},
               {"Terminator chars", m_TerminatorChars},
               {"Start chars", m_StartChars}};
  for (auto& l : lists) {
    CString chars = ProfileString(l.key, "");
    for (const char* p = chars; *p; ++p)
      l.table[static_cast<unsigned char>(*p)] = static_cast<unsigned char>(*p);
  }
}

BOOL DisassEdit::IsWordChar(char c) const {
  return IsCharAlphaNumericA(c) || m_ExtraWordChars[static_cast<unsigned char>(c)] != 0;
}

BOOL DisassEdit::LoadKeywordFile() {
  m_pKeywords.reset();
  std::string file(static_cast<LPCSTR>(m_strKeywordFile));
  if (!plat::FileExists(file)) {
    m_bChroma = FALSE;
    return FALSE;
  }
  std::vector<char> keys(kKeyListSize, 0);
  DWORD n =
      GetPrivateProfileString(m_strKeywordSection, nullptr, "", keys.data(), kKeyListSize, file.c_str());
  if (n == 0 || keys[0] == 0) {
    std::string title = plat::FileTitlePart(file);
    n = GetPrivateProfileString(title.c_str(), nullptr, "", keys.data(), kKeyListSize, file.c_str());
  }
  if (n == 0 || keys[0] == 0) {
    m_bChroma = FALSE;
    return FALSE;
  }
  m_pKeywords = std::make_unique<DisassKeywordTable>();
  m_pKeywords->Build(keys.data(), keys.size(), m_bCase);
  return TRUE;
}
