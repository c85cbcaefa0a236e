// The text model of the disassembly editor. It holds no text: every line
// comes by number from the line source (g_pMemAddrList). It keeps the
// editor settings, syntax-colouring settings and keywords, the tab and
// column arithmetic and the undo store; its editing primitives change
// nothing.
#pragma once

#include <memory>
#include <string>

#include "disasm/disass_keywords.h"
#include "disasm/disass_pos.h"
#include "disasm/disass_undo.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class CView;

// Message ids that edit operations return.
constexpr int kDisassErrReadOnly = 21000;  // "The file is read only."
constexpr int kDisassErrNothingToDelete = 21014;

class DisassEdit {
 public:
  static constexpr int kMaxTabSize = 32;
  static constexpr int kDelimiterSize = 16;  // 15 characters and a zero

  DisassEdit();
  virtual ~DisassEdit();
  DisassEdit(const DisassEdit&) = delete;
  DisassEdit& operator=(const DisassEdit&) = delete;

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
  // Kept between 1 and kMaxTabSize.
  virtual void SetTabSize(int size);
  virtual int GetTabSize() { return m_nTabSize; }
  virtual BOOL LoadKeywordFile();
  virtual void LoadSyntaxSettings();

  void LoadSettings();
  void LoadWordCharacters();
  BOOL IsWordChar(char c) const;

  // New zero-terminated texts that the caller delete[]s.
  char* GetText(DisassPos start, DisassPos end);
  char* GetColumnText(DisassPos a, DisassPos b);
  static BOOL IsBefore(DisassPos a, DisassPos b);
  char* ExpandTabs(const char* text, int length, int tabSize, int lineEndLength, int* outLength);
  int OffsetToColumn(int line, int offset);
  int ColumnToOffset(int line, int column);

  int InsertText(DisassPos, const char*, BOOL) { return 0; }
  int DeleteRange(DisassPos, DisassPos, BOOL) { return 0; }
  int DeleteChar(DisassPos, BOOL) { return 0; }
  int InsertTextRange(DisassPos, const char*, BOOL) { return 0; }
  int SplitLine(DisassPos, BOOL) { return 0; }
  int InsertColumnText(DisassPos, const char*, BOOL) { return 1; }
  int DeleteChars(DisassPos pos, int count, BOOL undo);
  int DeleteColumnBlock(DisassPos a, DisassPos b, BOOL undo);
  void SetLineEndType(int type);

  // Undo store.
  DisassUndo& Undo() { return m_undo; }
  BOOL AddUndoRecord(const DisassUndoRecord& r, const char* text) { return m_undo.AddUndoRecord(r, text); }
  void ClearUndo() { m_undo.ClearUndo(); }
  DWORD GetUndoGroupStamp() const { return m_undo.GetUndoGroupStamp(); }
  void UndoGroup(BOOL open) { m_undo.UndoGroup(open); }
  BOOL UndoStep() { return m_undo.UndoStep(); }
  BOOL RedoStep() { return m_undo.RedoStep(); }

  // Lines from the line source; false past its valid lines.
  static BOOL IsLineValid(int line);
  static std::string LineText(int line);

  static COLORREF ParseColour(const char* text);
  static CString FormatColour(COLORREF colour);

  int m_nAutoIndent = 1;
  int m_nBookmarks = 0;
  int m_nLineEndLength = 2;
  char m_szLineEnd[3] = {'\r', '\n', 0};
  int m_nLineCount = 50;
  BOOL m_bModified = FALSE;
  BOOL m_bReadOnly = FALSE;
  BOOL m_bWordWrap = FALSE;
  int m_nTabSize = 3;
  BOOL m_bKeepTabs = TRUE;
  BOOL m_bShowTabs = FALSE;
  BOOL m_bInsertMode = TRUE;
  BOOL m_bLockFiles = FALSE;
  int m_nLineEndType = 0;
  CString m_strFontName;
  int m_nFontSize = 9;
  int m_nFontWeight = 400;
  int m_nFontItalic = 0;
  int m_nCharSet = 0;
  BOOL m_bChroma = FALSE;
  BOOL m_bCase = FALSE;
  COLORREF m_crKeyword = 0, m_crQuote = 0, m_crSQuote = 0, m_crComment = 0, m_crText = 0, m_crDisassembly = 0,
           m_crBackground = 0;
  CString m_strSection;
  CString m_strKeywordFile;
  CView* m_pActiveView = nullptr;
  int m_ExtraWordChars[256] = {};
  int m_TerminatorChars[256] = {};
  int m_StartChars[256] = {};
  std::unique_ptr<DisassKeywordTable> m_pKeywords;
  char m_szCommentStart1[kDelimiterSize] = {};
  char m_szCommentEnd1[kDelimiterSize] = {};
  char m_szCommentStart2[kDelimiterSize] = {};
  char m_szCommentEnd2[kDelimiterSize] = {};
  CString m_strKeywordSection;

 private:
  static void ToCrLf(std::string& text);
  int ProfileInt(LPCSTR key, int def);
  CString ProfileString(LPCSTR key, LPCSTR def);
  void ReadDelimiter(LPCSTR key, char* field);

  DisassUndo m_undo;
};
