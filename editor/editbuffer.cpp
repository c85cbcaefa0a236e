#include "editor/editbuffer.h"

#include <cstdlib>

#include "editor/editplatform.h"
#include "platform/sys/file.h"

void (*EditBuffer::s_pfnMarkTitle)(CDocument* doc) = nullptr;

namespace {

// New documents take the platform's own line ends.
#ifdef _WIN32
constexpr int kDefaultLineEnd = LINEEND_CRLF;
#else
constexpr int kDefaultLineEnd = LINEEND_LF;
#endif

}  // namespace

EditBuffer::EditBuffer() { Init(); }

EditBuffer::~EditBuffer() {
  Unlock();
  ClearBuffer();
}

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

void EditBuffer::Init() {
  if (m_pLines != nullptr || m_pUndoRing != nullptr) ClearBuffer();
  ForgetBlockStatesAfter(0);
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
  ForgetBlockStatesAfter(0);
  FreeLines(m_pLines);
  m_pLines = nullptr;
  m_loaded.Clear();
  m_shared.Clear();
  FreeUndo();
  std::free(m_pUndoRing);
  m_pUndoRing = nullptr;
  FreeKeywordData();
}

void EditBuffer::ReadSettings() {
  LoadLanguageSettings();
  ReadOptions(m_strSection);
}
