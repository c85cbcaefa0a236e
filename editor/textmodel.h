// What the source editor's buffer (EditBuffer) and the disassembly's text
// model (DisassEdit) share: the editor options and language settings read
// from the profile, the line-end convention, the keyword table and the
// word-character rule. Each model derives from it and adds its own lines
// and defaults; the editor core and its views reach both through this base.
#pragma once

#include "editor/keywordfile.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class CView;

// Line-end types.
enum LineEndType { LINEEND_CRLF = 0, LINEEND_LFCR = 1, LINEEND_LF = 2, LINEEND_CR = 3 };

class TextModel {
 public:
  // The tab sizes the editor options accept.
  static constexpr int kMinTabSize = 1;
  static constexpr int kMaxTabSize = 80;
  // A comment delimiter keeps 15 characters and a NUL.
  static constexpr int kDelimiterSize = 16;

  TextModel();
  virtual ~TextModel();
  TextModel(const TextModel&) = delete;
  TextModel& operator=(const TextModel&) = delete;

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModified(BOOL modified) { m_bModified = modified; }
  virtual void SetLockFiles(BOOL lock) { m_bLockFiles = lock; }
  virtual BOOL GetLockFiles() { return m_bLockFiles; }
  virtual void SetReadOnly(BOOL readOnly) { m_bReadOnly = readOnly; }
  virtual BOOL IsReadOnly() { return m_bReadOnly; }
  virtual void SetWordWrap(BOOL wrap) { m_bWordWrap = wrap; }
  virtual BOOL GetWordWrap() { return m_bWordWrap; }
  virtual void SetInsertMode(BOOL insert) { m_bInsertMode = insert; }
  virtual BOOL GetInsertMode() { return m_bInsertMode; }
  // Kept between kMinTabSize and kMaxTabSize: tab arithmetic divides by it.
  virtual void SetTabSize(int size);
  virtual int GetTabSize() { return m_nTabSize; }
  // Reads m_strKeywordFile into m_keywords; on failure colouring goes off.
  virtual BOOL LoadKeywordFile();

  // 0 CR LF, 1 LF CR, 2 LF, 3 CR; another type is stored and leaves the
  // line-end bytes as they were.
  void SetLineEndType(int type);
  // Letters and digits, and the section's extra word characters.
  BOOL IsWordChar(char c) const;

  // ---- settings ----
  BOOL m_bModified = FALSE;
  BOOL m_bReadOnly = FALSE;
  BOOL m_bWordWrap = FALSE;
  int m_nTabSize = 3;
  BOOL m_bKeepTabs = TRUE;
  BOOL m_bShowTabs = FALSE;
  BOOL m_bInsertMode = TRUE;
  BOOL m_bLockFiles = FALSE;
  int m_nLineEndType = LINEEND_CRLF;
  int m_nLineEndLength = 2;
  char m_szLineEnd[3] = {'\r', '\n', '\0'};
  CString m_strFontName;
  int m_nFontSize = 9;
  int m_nFontWeight = 400;
  BOOL m_bFontItalic = FALSE;
  int m_nCharSet = 0;
  int m_nBookmarks = 0;
  int m_nLineCount = 1;

  // ---- language settings ----
  BOOL m_bAutoIndent = TRUE;
  BOOL m_bChroma = FALSE;
  BOOL m_bCase = FALSE;
  COLORREF m_crKeyword = 0;
  COLORREF m_crQuote = 0;
  COLORREF m_crSQuote = 0;
  COLORREF m_crComment = 0;
  COLORREF m_crText = 0;
  COLORREF m_crBackground = 0;
  CString m_strSection;
  CString m_strKeywordFile;
  CString m_strKeywordSection;
  BYTE m_wordChars[256] = {};
  BYTE m_terminatorChars[256] = {};
  BYTE m_startChars[256] = {};
  char m_szCommentStart1[kDelimiterSize] = {};
  char m_szCommentEnd1[kDelimiterSize] = {};
  char m_szCommentStart2[kDelimiterSize] = {};
  char m_szCommentEnd2[kDelimiterSize] = {};
  KeywordFile m_keywords;

  // The view that last got the focus; not owned.
  CView* m_pActiveView = nullptr;

 protected:
  // The editor options of the section (the application's own key when it
  // is empty); "Line end type" is left to each model's own default.
  void ReadOptions(const CString& section);
  // The language settings of m_strSection: keyword file, colours, comment
  // delimiters, "Autoindent", "Case" and, for a named section, the word
  // character sets; then the keyword file.
  void ReadLanguageSettings();
};
