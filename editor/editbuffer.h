// The text of one source file: a doubly linked list of lines, each holding
// its own bytes with its line end, plus the file's line-end convention, the
// editor options, the language settings for syntax colouring and the undo
// history. Operations return 0 or an EditResult id; file operations may
// return a Windows error code instead.
#pragma once

#include <vector>

#include "editor/editline.h"
#include "editor/editresult.h"
#include "editor/keywordfile.h"
#include "editor/undorecord.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class CDocument;
class CView;

struct DelimiterPair {
  CString start;
  CString end;
};

// Line-end types.
enum LineEndType { LINEEND_CRLF = 0, LINEEND_LFCR = 1, LINEEND_LF = 2, LINEEND_CR = 3 };

class EditBuffer {
 public:
  EditBuffer();
  virtual ~EditBuffer();
  EditBuffer(const EditBuffer&) = delete;
  EditBuffer& operator=(const EditBuffer&) = delete;

  // ---- options and state (editbuffer.cpp) ----
  virtual BOOL IsModified();
  virtual void SetModified(BOOL modified);
  virtual void SetLockFiles(BOOL lock);
  virtual BOOL GetLockFiles();
  virtual void SetReadOnly(BOOL readOnly);
  virtual BOOL IsReadOnly();
  virtual void SetWordWrap(BOOL wrap);
  virtual BOOL GetWordWrap();
  virtual void SetInsertMode(BOOL insert);
  virtual BOOL GetInsertMode();
  virtual void SetTabSize(int size);
  virtual int GetTabSize();

  // ---- syntax spans (editbuffer_syntax.cpp) ----
  virtual int FindCommentStart(const char* text, int len, int* kind);
  virtual int FindCommentEnd(const char* text, int len, int kind);
  virtual BOOL NextKeywordSpan(const char** pos, int* start, int* end);
  // ---- language settings (editbuffer_language.cpp) ----
  virtual BOOL LoadKeywordFile();
  // ---- syntax spans ----
  virtual BOOL IsInsideBlock(EditLine* line, const char* start, const char* end, const char* otherStart);
  virtual BOOL GetBlockKind(EditLine* line, int* kind);
  // ---- language settings ----
  virtual void LoadLanguageSettings();

  void SetDocument(CDocument* doc) { m_pDocument = doc; }
  // Set by the document layer: appends " *" to a document's title.
  static void (*s_pfnMarkTitle)(CDocument* doc);

  void Init();
  void ClearBuffer();
  void ReadSettings();
  void SetSection(const CString& section) { m_strSection = section; }
  void ClearSection() { m_strSection.Empty(); }
  void SetLineEndType(int type);

  // ---- the line list (editbuffer_lines.cpp) ----
  EditLine* GetLine(int n);
  int GetLineNumber(EditLine* line) { return line->lineNumber; }
  int Renumber(EditLine* any);
  EditLine* GetHead(EditLine* any, int* index = nullptr);
  EditLine* GetTail(EditLine* line);
  void LinkAfter(EditLine* chainHead, EditLine* line);
  void FreeLine(EditLine* line);
  void FreeLines(EditLine* any);
  EditLine* CreateLine(int n);
  BOOL ReserveLine(EditLine* line, int n);
  void* AllocZeroed(int size);
  BOOL IsBefore(EditPos a, EditPos b);
  // Bytes of the line without its line end.
  int ContentLength(const EditLine* line) const;
  bool HasLineEnd(const EditLine* line) const { return ContentLength(line) != line->length; }
  // The line holds nothing but the line end.
  bool IsBareLineEnd(const EditLine* line) const;

  // ---- splitting and line ends (editbuffer_split.cpp) ----
  EditLine* SplitText(const char* text);
  static int DetectLineEnd(const char* text, int len);
  int ConvertLineEnds(char** text, int len, int type);

  // ---- display columns (editbuffer_columns.cpp) ----
  int TextWidth(const char* text, int n);
  int ColumnToOffset(EditLine* line, int column);
  int OffsetToColumn(EditLine* line, int offset);
  char* ExpandTabs(const char* text, int n, int lineEndLength, int* outLength);

  // ---- files (editbuffer_file.cpp) ----
  int LoadFile(const char* path);
  int SaveFile(const char* path);
  int InsertFile(EditPos& at, const char* path, BOOL record);

  // ---- words and comments (editbuffer_syntax.cpp) ----
  BOOL IsWordChar(char c);
  const char* NextWord(const char* text, int* len);
  int FindString(const char* pattern, const char* text, int len);
  int FindLastString(const char* pattern, const char* text, int len);
  BOOL IsInQuotes(const char* lineStart, const char* pos);
  int AddDelimiterPair(const CString& start, const CString& end);
  void FreeKeywordData();

  // ---- undo (editbuffer_undo.cpp) ----
  BOOL AddUndoRecord(const UndoRecord& rec, const char* text);
  // Records text inserted or removed between two offsets of one line.
  BOOL AddLineTextUndo(UndoType type, const EditLine* line, int from, int to, const char* text);
  BOOL Undo();
  BOOL Redo();
  int BeginUndoGroup(BOOL begin = TRUE);
  int EndUndoGroup() { return BeginUndoGroup(FALSE); }
  UINT GetUndoGroup() { return m_nUndoGroup; }
  void ResetUndo();
  void FreeUndo();
  // The text as last loaded or saved is the one at this undo position
  // (-1 when no undo or redo can reach it any more).
  void MarkSaved() { m_nSavedUndoPos = m_nUndoPos; }
  bool IsAtSavedState() const { return m_nSavedUndoPos == m_nUndoPos; }

  // ---- editing primitives (editbuffer_edit.cpp, editbuffer_range.cpp) ----
  int InsertChar(EditPos at, char ch, BOOL insert, BOOL record);
  int DeleteChar(EditPos at, BOOL record);
  int DeleteChars(EditPos at, int count, BOOL record);
  int InsertString(EditPos& at, const char* text, BOOL insert, BOOL record);
  int InsertText(EditPos& at, const char* text, int length, BOOL record, int* outLength);
  int InsertColumnBlock(EditPos& at, const char* text, int length, BOOL record);
  int DeleteRange(EditPos& start, EditPos& end, BOOL record);
  int DeleteColumnBlock(EditPos& corner1, EditPos& corner2, BOOL record);
  int SplitLine(EditPos& at, BOOL record);
  int JoinLines(EditPos& at, BOOL record);
  int PadToOffset(EditPos& at, BOOL record);
  // Heap texts (free()) with CR LF line ends; null on failure.
  char* GetRangeText(EditPos start, EditPos end);
  char* GetColumnText(EditPos corner1, EditPos corner2);

  // ---- fields ----
  std::vector<DelimiterPair> m_delimiterPairs;  // block delimiters, kinds 3 and up
  BOOL m_bPadWithSpaces = FALSE;
  BOOL m_bAutoIndent = TRUE;
  int m_nBookmarks = 0;
  EditLine* m_pLines = nullptr;  // the first line
  UndoRecord* m_pUndoRing = nullptr;
  int m_nUndoPos = 0;
  UINT m_nUndoGroup = 0;
  int m_nUndoCount = 0;
  int m_nSavedUndoPos = 0;
  HANDLE m_hLockFile = nullptr;
  int m_nLineEndLength = 2;
  char m_szLineEnd[3] = {'\r', '\n', '\0'};
  int m_nLineCount = 1;
  BOOL m_bModified = FALSE;
  BOOL m_bReadOnly = FALSE;
  BOOL m_bWordWrap = FALSE;
  int m_nTabSize = 3;
  BOOL m_bKeepTabs = TRUE;
  BOOL m_bShowTabs = FALSE;
  BOOL m_bInsertMode = TRUE;
  BOOL m_bLockFiles = FALSE;
  int m_nLineEndType = LINEEND_CRLF;
  CString m_strFontName;
  int m_nFontSize = 9;
  int m_nFontWeight = 400;
  BOOL m_bFontItalic = FALSE;
  int m_nCharSet = 0;

  // Language settings.
  BOOL m_bChroma = FALSE;
  BOOL m_bCase = FALSE;
  COLORREF m_crKeyword = 0;
  COLORREF m_crQuote = 0;
  COLORREF m_crSQuote = 0;
  COLORREF m_crComment = 0;
  COLORREF m_crText = 0;
  COLORREF m_crBackground = 0;
  BOOL m_bInBlock = FALSE;
  CString m_strSection;
  CString m_strKeywordFile;
  CString m_strKeywordSection;
  BYTE m_wordChars[256] = {};
  BYTE m_terminatorChars[256] = {};
  BYTE m_startChars[256] = {};
  char m_szCommentStart1[16] = {};
  char m_szCommentEnd1[16] = {};
  char m_szCommentStart2[16] = {};
  char m_szCommentEnd2[16] = {};
  KeywordFile m_keywords;

  CView* m_pActiveView = nullptr;
  CDocument* m_pDocument = nullptr;
  BOOL m_bTitleMarked = FALSE;

 private:
  friend class LineSplitter;
  // editbuffer_lines.cpp
  void RenumberFrom(EditLine* line);
  EditLine* Head() { return GetHead(m_pLines); }
  // editbuffer_split.cpp
  EditLine* MakeLine(const char* bytes, int n, bool withEnd);
  // editbuffer_file.cpp
  int ReadChunks(HANDLE file, EditLine** lines);
  void DropLines();
  void Unlock();
  int HoldLock(const char* path);
  // editbuffer_undo.cpp
  struct LineCache {
    UINT number = 0;
    EditLine* line = nullptr;
  };
  void Replay(const UndoRecord& rec, bool redo, LineCache& cache);
  EditPos PosOf(UINT line, UINT offset);
  // editbuffer_edit.cpp
  int LineWidth(const EditLine* line);
  void SetLineEnd(EditLine* line);
  bool RemoveLineEnd(EditLine* line);
  // editbuffer_range.cpp
  char* ToCrLf(char* text, int len);
  // editbuffer_syntax.cpp
  bool IsLineComment(const char* start) const;

  std::vector<char> m_scratch;  // upper-cased copies for case-insensitive search
  std::vector<char> m_word;     // the word being looked up
};
