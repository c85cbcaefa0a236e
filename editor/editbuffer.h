// The text of one source file: a doubly linked list of lines, each holding
// its own bytes with its line end, plus the file's line-end convention, the
// editor options, the language settings for syntax colouring and the undo
// history. Operations return 0 or an EditResult id; file operations may
// return a Windows error code instead.
#pragma once

#include <string>
#include <vector>

#include "editor/blockstates.h"
#include "editor/editline.h"
#include "editor/editplatform.h"
#include "editor/editresult.h"
#include "editor/lineswap.h"
#include "editor/loadedlines.h"
#include "editor/sharedtexts.h"
#include "editor/textmodel.h"
#include "editor/undorecord.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class CDocument;

struct DelimiterPair {
  CString start;
  CString end;
};

class EditBuffer : public TextModel {
 public:
  EditBuffer();
  ~EditBuffer() override;

  // ---- state (editbuffer.cpp) ----
  // Also marks the document's title with " *" when the flag becomes set.
  void SetModified(BOOL modified) override;

  // ---- syntax spans (editbuffer_syntax.cpp) ----
  virtual int FindCommentStart(const char* text, int len, int* kind);
  virtual int FindCommentEnd(const char* text, int len, int kind);
  virtual BOOL NextKeywordSpan(const char** pos, int* start, int* end);
  // ---- syntax spans ----
  // Walks back over the lines above every time; GetBlockKind keeps the
  // states it found per line (ForgetBlockStatesAfter).
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

  // ---- the line list (editbuffer_lines.cpp) ----
  EditLine* GetLine(int n);
  int GetLineNumber(EditLine* line) { return line->lineNumber; }
  int Renumber(EditLine* any);
  EditLine* GetHead(EditLine* any, int* index = nullptr);
  EditLine* GetTail(EditLine* line);
  void LinkAfter(EditLine* chainHead, EditLine* line);
  void FreeLine(EditLine* line);
  void FreeLines(EditLine* any);
  // kGrowth leaves room to type into; kTight only the NUL after the bytes;
  // kShared packs a text set whole among the buffer's shared texts (lines
  // changed all at once), or where it cannot, is kTight.
  enum class LineRoom { kGrowth, kTight, kShared };
  EditLine* CreateLine(int n, LineRoom room = LineRoom::kGrowth);
  // Makes the line's text its own and able to hold n bytes and a NUL; every
  // change of a line's bytes goes through it (or MakeWritable). A new text
  // gets the room asked for (kTight: no more than that).
  BOOL ReserveLine(EditLine* line, int n, LineRoom room = LineRoom::kGrowth);
  BOOL MakeWritable(EditLine* line) { return ReserveLine(line, line->length); }
  // A zero-filled own text of `capacity` bytes (its room in front of it);
  // null when memory runs out or the room is more than a line may have.
  char* AllocText(int capacity);
  // Frees the line's own text; a borrowed one stays, no longer borrowed.
  void FreeText(EditLine* line);
  BOOL IsBefore(EditPos a, EditPos b);
  // The blocks the lines were loaded into while the lines are exactly those
  // loaded, unchanged (a search may then scan the texts as blocks); else null.
  const LoadedLines* LinesAsLoaded() const { return m_linesAsLoaded ? &m_loaded : nullptr; }
  // Blocks of shared texts held (for tests).
  size_t SharedTextBlocks() const { return m_shared.BlockCount(); }
  // Bytes of the line without its line end.
  int ContentLength(const EditLine* line) const;
  bool HasLineEnd(const EditLine* line) const { return ContentLength(line) != line->length; }
  // The line holds nothing but the line end.
  bool IsBareLineEnd(const EditLine* line) const;

  // ---- splitting and line ends (editbuffer_split.cpp) ----
  EditLine* SplitText(const char* text);
  static int DetectLineEnd(const char* text, int len);
  // Shared by every text model (the disassembly's copies too).
  static int ConvertLineEnds(char** text, int len, int type);

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
  bool CanUndo() const { return m_pUndoRing != nullptr && m_nUndoPos > 0; }
  bool CanRedo() const { return m_nUndoPos < m_nUndoCount || HasSwapStepsToRedo(); }
  // Where the last undo or redo step leaves the caret: the start of what it
  // changed (after the character a redone typed character).
  struct UndoPlace {
    int line = 1;  // 1-based
    int offset = 0;
  };
  UndoPlace LastUndoPlace() const { return m_undoPlace; }
  // The text as last loaded or saved is the one at this undo position and
  // step of a Replace All record on top (-1 when no undo or redo can reach
  // it any more).
  void MarkSaved() {
    m_nSavedUndoPos = m_nUndoPos;
    m_nSavedSwapStep = SwapStepsApplied(m_nUndoPos);
  }
  bool IsAtSavedState() const {
    return m_nSavedUndoPos == m_nUndoPos && m_nSavedSwapStep == SwapStepsApplied(m_nUndoPos);
  }

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

  // ---- block comment states (editbuffer_syntax.cpp) ----
  // Every change of the lines calls this with the first line it changes (or
  // the line before those it inserts): the states of the lines after it
  // are worked out again when asked for. 0 forgets them all.
  void ForgetBlockStatesAfter(int lineNumber);

  // ---- whole-line changes (editbuffer_swap.cpp) ----
  // Sets a line's bytes before its line end; the line end stays. A line
  // that needs a new text gets it with `room`.
  BOOL SetLineContent(EditLine* line, const char* bytes, int n, LineRoom room = LineRoom::kGrowth);
  // Records lines changed by SetLineContent as one undo step, from a block
  // of their old contents (LineSwapText) that the history now owns.
  BOOL AddLineSwapUndo(char* block, int firstLine);
  // For when the history cannot give the text back: it is emptied, and no
  // undo position holds the saved text any more.
  void ForgetUndo();

  // ---- fields ----
  std::vector<DelimiterPair> m_delimiterPairs;  // block delimiters, kinds 3 and up
  BOOL m_bPadWithSpaces = FALSE;
  EditLine* m_pLines = nullptr;  // the first line
  UndoRecord* m_pUndoRing = nullptr;
  int m_nUndoPos = 0;
  UINT m_nUndoGroup = 0;
  int m_nUndoCount = 0;
  int m_nSavedUndoPos = 0;
  int m_nSavedSwapStep = 0;  // replacements applied of the record below it
  HANDLE m_hLockFile = nullptr;
  // The file as last loaded or saved, to see at save time whether another
  // program changed it meanwhile.
  std::string m_strFileSeen;
  EditFileStamp m_fileSeen;
  BOOL m_bInBlock = FALSE;  // set by FindCommentEnd

  CDocument* m_pDocument = nullptr;
  BOOL m_bTitleMarked = FALSE;

 private:
  friend class LineSplitter;
  // editbuffer_lines.cpp
  void RenumberFrom(EditLine* line);
  EditLine* Head() { return GetHead(m_pLines); }
  // editbuffer_split.cpp; with `store` the text is put there (a loaded line)
  EditLine* MakeLine(const char* bytes, int n, bool withEnd, LoadedLines* store = nullptr);
  // editbuffer_file.cpp
  int ReadChunks(HANDLE file, EditLine** lines);
  void DropLines();
  void Unlock();
  int HoldLock(const char* path);
  void RememberFile(const char* path);
  bool ChangedByAnotherProgram(const char* path) const;
  // editbuffer_undo.cpp
  struct LineCache {
    UINT number = 0;
    EditLine* line = nullptr;
  };
  void Replay(const UndoRecord& rec, bool redo, LineCache& cache);
  UndoRecord& NextUndoSlot();
  // editbuffer_swap.cpp
  bool SwapOneSpan(UndoRecord& slot, LineSwapStep step);
  // Replacements applied of the record below `position` when it is a
  // Replace All record, else 0.
  int SwapStepsApplied(int position) const;
  bool HasSwapStepsToRedo() const;
  // Drops the undone replacements of a Replace All record on top.
  void DropSwapStepsToRedo();
  UndoPlace m_undoPlace;
  // editbuffer_syntax.cpp: block comments
  struct BlockDelims {
    const char* start = "";
    const char* end = "";
    int startLength = 0;
    std::vector<const char*> lineComments;  // starts that hide a block start after them
  };
  BlockDelims BlockDelimsFor(const char* start, const char* end, const char* otherStart);
  int BlockStartIn(const char* text, int len, const BlockDelims& d);
  bool BlockEndIn(const char* text, int len, const BlockDelims& d);
  bool BlockStateAfter(EditLine* line, bool inside, const BlockDelims& d);
  bool BlockInsideCached(int index, EditLine* line, const char* start, const char* end,
                         const char* otherStart);
  std::string BlockSettingsKey() const;
  void KeepBlockStatesFor(const std::string& key);
  std::vector<BlockStateRun> m_blockRuns;  // per block kind: 1, 2, the pairs
  std::string m_blockKey;                  // the settings they were found with
  EditPos PosOf(UINT line, UINT offset);
  // editbuffer_edit.cpp
  int LineWidth(const EditLine* line);
  void SetLineEnd(EditLine* line);
  bool RemoveLineEnd(EditLine* line);
  // editbuffer_range.cpp
  char* ToCrLf(char* text, int len);
  // editbuffer_syntax.cpp
  bool IsLineComment(const char* start) const;

  LoadedLines m_loaded;  // the lines as read from files, and their texts
  SharedTexts m_shared;  // texts of lines set whole (SetLineContent kShared)
  // The lines are exactly those loaded, in order and unchanged (nothing was
  // made or freed since), so freeing them frees nothing.
  bool m_linesAsLoaded = false;
  std::vector<char> m_scratch;  // upper-cased copies for case-insensitive search
  std::vector<char> m_word;     // the word being looked up
};
