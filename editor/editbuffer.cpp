#include "editor/editbuffer.h"

#include <cstdlib>

#include "editor/editplatform.h"
#include "platform/sys/file.h"

void (*EditBuffer::s_pfnMarkTitle)(CDocument* doc) = nullptr;

namespace {

constexpr int kMinTabSize = 1;
constexpr int kMaxTabSize = 64;

#ifdef _WIN32
constexpr int kDefaultLineEnd = LINEEND_CRLF;
#else
constexpr int kDefaultLineEnd = LINEEND_LF;
#endif

}  // namespace

EditBuffer::EditBuffer() : m_strFontName("Courier New") { Init(); }

EditBuffer::~EditBuffer() {
  Unlock();
  ClearBuffer();
}

BOOL EditBuffer::IsModified() { return m_bModified; }

void EditBuffer::SetModified(BOOL modified) {
  m_bModified = modified;
  if (!modified) {
    m_bTitleMarked = FALSE;
    return;
  }
  if (m_pDocument != nullptr && !m_bTitleMarked) {
    if (s_pfnMarkTitle != nullptr) s_pfnMarkTitle(m_pDocument);
    m_bTitleMarked = TRUE;
  }
}

void EditBuffer::SetLockFiles(BOOL lock) { m_bLockFiles = lock; }
BOOL EditBuffer::GetLockFiles() { return m_bLockFiles; }
void EditBuffer::SetReadOnly(BOOL readOnly) { m_bReadOnly = readOnly; }
BOOL EditBuffer::IsReadOnly() { return m_bReadOnly; }
void EditBuffer::SetWordWrap(BOOL wrap) { m_bWordWrap = wrap; }
BOOL EditBuffer::GetWordWrap() { return m_bWordWrap; }
void EditBuffer::SetInsertMode(BOOL insert) { m_bInsertMode = insert; }
BOOL EditBuffer::GetInsertMode() { return m_bInsertMode; }

// Tab sizes outside 1..64 are taken as the nearest of the two: a size of 0
// or less has no tab stops, and a huge one would make a single tab wider
// than a line may be.
void EditBuffer::SetTabSize(int size) {
  m_nTabSize = size < kMinTabSize ? kMinTabSize : size > kMaxTabSize ? kMaxTabSize : size;
}

int EditBuffer::GetTabSize() { return m_nTabSize; }

void EditBuffer::Init() {
  if (m_pLines != nullptr || m_pUndoRing != nullptr) ClearBuffer();
  m_pLines = CreateLine(64);
  m_pUndoRing = static_cast<UndoRecord*>(std::calloc(kUndoRecords, sizeof(UndoRecord)));
  SetModified(FALSE);
  SetReadOnly(FALSE);
  m_hLockFile = nullptr;
  ResetUndo();
  m_nLineCount = 1;
  m_strSection.Empty();
  ReadSettings();
  SetLineEndType(EditProfileInt(m_strSection, "Line end type", kDefaultLineEnd));
}

void EditBuffer::ClearBuffer() {
  FreeLines(m_pLines);
  m_pLines = nullptr;
  FreeUndo();
  std::free(m_pUndoRing);
  m_pUndoRing = nullptr;
  FreeKeywordData();
}

void EditBuffer::ReadSettings() {
  LoadLanguageSettings();
  const CString& s = m_strSection;
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

void EditBuffer::SetLineEndType(int type) {
  static const char* const kEnds[] = {"\r\n", "\n\r", "\n", "\r"};
  m_nLineEndType = type;
  if (type < LINEEND_CRLF || type > LINEEND_CR) return;
  const char* end = kEnds[type];
  m_szLineEnd[0] = end[0];
  m_szLineEnd[1] = end[1];
  m_szLineEnd[2] = '\0';
  m_nLineEndLength = end[1] != '\0' ? 2 : 1;
}
