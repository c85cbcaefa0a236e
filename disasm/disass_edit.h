// The text model of the disassembly editor. It holds no text: every line
// comes by number from the line source (g_pMemAddrList). Its settings and
// keywords are those of every text model (TextModel), read from the
// application's own key; it adds the disassembly colour, texts and column
// blocks over the line source, and the undo store. Its editing primitives
// change nothing.
#pragma once

#include <string>

#include "disasm/disass_pos.h"
#include "disasm/disass_undo.h"
#include "editor/textmodel.h"
#include "platform/base/windef.h"

// Message ids that edit operations return.
constexpr int kDisassErrReadOnly = 21000;  // "The file is read only."
constexpr int kDisassErrNothingToDelete = 21014;

class DisassEdit : public TextModel {
 public:
  DisassEdit();
  ~DisassEdit() override;

  // The language settings of the application's own key, the disassembly
  // colour, then the keyword file.
  virtual void LoadSyntaxSettings();
  // The language settings, then the editor options.
  void LoadSettings();

  // New zero-terminated texts that the caller delete[]s (ExpandTabs: free()s).
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

  // Lines that are not source lines are drawn in this colour.
  COLORREF m_crDisassembly = 0;

 private:
  static void ToCrLf(std::string& text);

  DisassUndo m_undo;
};
