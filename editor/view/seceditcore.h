// The editor core: one window onto an EditBuffer with its own caret,
// selection, scroll position and pixel geometry. It owns no text; the
// buffer comes from GetEditBuffer. TBase is the view class it builds on,
// so every editor window (source and disassembly) shares this code.
//
// Member definitions live in the seceditcore_*.inl files; a view class
// instantiates the template in one source file that includes them all
// (seceditcore.cpp does so for CView).
#pragma once

#include <string>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/editcore_geometry.h"
#include "editor/view/editcoreids.h"
#include "editor/paintline.h"
#include "editor/textreplace.h"
#include "editor/textsearch.h"
#include "platform/afx/afx.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/globalmem.h"
#include "platform/ui/ui.h"

class OEFindDlg;
class COleDataSource;

// Selection modes.
enum SelMode { SEL_STREAM = 1, SEL_COLUMN = 2 };

// Selection marks on a line: where the changed stretch of an extended
// selection begins and ends (the core keeps the marks' columns).
enum : UINT { LINE_INVERT_FROM = 1, LINE_INVERT_TO = 2, LINE_INVERT_MASK = 3 };
static_assert(LINE_INVERT_MASK < (1u << kLineFlagBits) &&
                  (LINE_INVERT_MASK & (LINE_BOOKMARK | LINE_EXECUTION | LINE_BREAKPOINT | LINE_MESSAGE)) == 0,
              "selection marks are line flags of their own");

// The update hint naming the line next to which lines were removed.
class SECEditHint : public CObject {
  DECLARE_DYNCREATE(SECEditHint)
 public:
  EditLine* line = nullptr;
};

// Whether an operation repaints, and whether it writes undo records.
// (Plain BOOLs in the operations' signatures, as the editor's callers pass them.)

template <class TBase>
class SECEditCore : public TBase {
 public:
  SECEditCore();
  ~SECEditCore() override;

  // ---- own virtual operations, in slot order ----
  virtual COleDataSource* CreateDataSource();
  virtual BOOL CacheDragData(COleDataSource* source, UINT format, HGLOBAL block);
  virtual CFrameWnd* GetActiveEditFrame() { return nullptr; }
  virtual COLORREF GetMarginColor() { return ::GetSysColor(COLOR_SCROLLBAR); }
  virtual void MakeCaretVisible();
  virtual void LoadFindSettings(OEFindDlg* dialog);
  virtual int DoError(int code, const char* argument, BOOL show);
  virtual int DoError(int code, BOOL show);
  virtual void DrawLineMarker(CDC* dc, CRect* rect, EditLine* line);
  virtual void UpdateViews(CView* sender, LPARAM hint, CObject* hintObject);
  virtual BOOL BuildContextMenu(CMenu* menu);
  virtual void ShowContextMenu(CPoint point);
  virtual void ProcessChar(UINT ch, UINT repeat, UINT flags);
  virtual int InsertClipText(const char* text, int length);
  virtual DROPEFFECT BeginDrag();
  virtual EditBuffer* GetEditBuffer() { return nullptr; }
  virtual void InitView();
  virtual void CaretMoved() {}
  virtual void PositionCaret();
  virtual void SetScrollRange(int bar, int low, int high, BOOL redraw);
  virtual void UpdateScrollInfo(int bar, int position, BOOL redraw);
  virtual int GetScrollPosition(int bar);
  virtual void GetScrollRange(int bar, int* low, int* high);
  virtual int NewLine(BOOL redraw, BOOL record);
  virtual int ClearSelection(BOOL redraw);
  virtual void SelectRange(EditPos at, int length, BOOL redraw);
  virtual BOOL GetWordAtCaret(CString& text);
  // A new find or replace dialog of this editor (not yet created).
  virtual OEFindDlg* NewFindDialog();

  // ---- the lines the core steps through: the buffer's list. A view whose
  // lines are made on demand (from a line source) overrides these. ----
  virtual EditLine* FirstLine() { return Buf() != nullptr ? Buf()->m_pLines : nullptr; }
  virtual EditLine* LastLine() { return Buf() != nullptr ? Buf()->GetTail(Buf()->m_pLines) : nullptr; }
  virtual EditLine* NextLine(EditLine* line) { return line->next; }
  virtual EditLine* PrevLine(EditLine* line) { return line->prev; }
  // Line n; past the ends the first or the last line.
  virtual EditLine* LineAt(int n) { return Buf() != nullptr ? Buf()->GetLine(n) : nullptr; }
  // Numbers the lines; returns their count.
  virtual int CountLines() { return Buf()->Renumber(Buf()->m_pLines); }
  // Readies the lines of a walk over the whole text (search, Replace All,
  // Mark All, Select All, bookmarks) and returns its first one; the walk
  // follows ->next from there to its end.
  virtual EditLine* PrepareWalk() { return FirstLine(); }
  // Sets or clears the bookmark of a line, keeping the count.
  virtual void SetBookmark(EditLine* line, BOOL set);
  // The column-block marker of clipboard and drag texts.
  virtual const char* ColumnBlockMarker() const;
  // The colour of a line's text without syntax colours.
  virtual COLORREF LineTextColor(EditLine*) { return Buf() != nullptr ? Buf()->m_crText : 0; }

  // ---- selection (seceditcore_select.inl) ----
  void StartSelection(int mode);
  void UpdateSelection(BOOL redraw);
  void InvertSelection();
  BOOL GetLineSelectionSpan(EditLine* line, int lineEndColumn, int* start, int* width);
  BOOL IsPointOnSelection(CPoint point);
  int PlaceCaretAtPoint(int x, int y);
  int AdjustColumn(int column);
  void SyncLineCount();
  void MarkInvert(EditLine* line, int column, UINT mark);
  // The column the line was given with the mark (LINE_INVERT_FROM or _TO).
  int MarkedColumn(const EditLine* line, UINT mark) const;
  // Marks old and new caret position by their order in the text.
  void MarkStretch(EditLine* oldLine, int oldColumn);

  // ---- queries ----
  int GetLinesPerPage() const { return m_nLineHeight > 0 ? m_rcClient.bottom / m_nLineHeight : 0; }
  int GetLastVisibleLine() const { return m_nTopLine + GetLinesPerPage() - 1; }
  BOOL IsLineVisible(int n) const { return n >= m_nTopLine && n <= GetLastVisibleLine(); }
  int GetCaretLineNumber() const { return m_nCaretLine; }
  void GetCaretLineText(CString& text);
  void GetLineText(CString& text, int n);
  // The column where a line's text ends (its line end excluded).
  int EndColumn(EditLine* line);
  // The byte offset of a column; past the text, one byte per column.
  int ColumnOffset(EditLine* line, int column);
  BOOL HasSelection() const { return m_bSelection; }

  // ---- caret movement (seceditcore_move.inl) ----
  int LineDown(BOOL redraw);
  int LineUp(BOOL redraw);
  int CharLeft(BOOL redraw);
  int CharRight(BOOL redraw);
  void MoveHome(BOOL redraw);
  void MoveEnd(BOOL redraw);
  void MoveTopOfFile(BOOL redraw);
  void MoveBottomOfFile(BOOL redraw);
  void MovePageDown(BOOL redraw);
  void MovePageUp(BOOL redraw);
  void MoveWordLeft(BOOL redraw);
  void MoveWordRight(BOOL redraw);
  void SelectAll(BOOL redraw);
  void GoToLine(int n);
  int MoveCaretToLineStart(BOOL redraw);
  // Runs a movement command: plain (clears the selection) or extending.
  void RunMove(UINT id);

  // ---- scrolling (seceditcore_scroll.inl) ----
  void SetTopLine(int n, BOOL redraw);
  void RevalidateTopLine(EditLine* line);
  int ScrollLineUp(BOOL redraw);
  int ScrollLineDown(BOOL redraw);
  void OnVScrollCode(UINT code, UINT position);
  void OnHScrollCode(UINT code, UINT position);

  // ---- editing (seceditcore_edit.inl) ----
  int DeleteSelection(BOOL redraw, BOOL record);
  int DeleteColumnSelection(BOOL redraw, BOOL record);
  int DeleteAtCaret(BOOL redraw, BOOL record);
  int JoinWithNextLine(BOOL redraw, BOOL record);
  int IndentSelection(BOOL outdent, BOOL redraw, BOOL record);
  int AutoIndent(BOOL record);
  static BOOL IsDelimiterChar(EditBuffer* buffer, char c);
  void OnEditClear();
  void OnBackspace();
  void OnTab();
  void OnBackTab();
  void OnEditUndo();
  void OnEditRedo();
  void CaretToUndoPlace(EditBuffer* buf);
  void OnToggleInsert();
  void OnToggleBookmark();
  void OnNextBookmark();
  void OnPrevBookmark();
  void OnClearAllBookmarks();
  void GoToBookmark(EditLine* line);

  // ---- clipboard (seceditcore_clip.inl) ----
  int CopySelection();
  int CopyColumnBlock();
  int PasteColumnBlock(BOOL redraw, BOOL record);
  int PasteLine(const char* text, BOOL redraw, BOOL record);
  void OnEditCut();
  void OnEditCopy();
  void OnEditPaste();
  // The selection's text in the clipboard layout (the column-block
  // marker first for a column selection); empty without a selection.
  std::string SelectionClipText();
  int PasteStream(const std::string& text);
  BOOL CanUndo();
  BOOL CanRedo();
  BOOL HasBookmarks();
  BOOL CanCopy();
  BOOL CanCut();
  BOOL CanPaste();
  void OnSelectAll();

  // ---- find and replace (seceditcore_find.inl) ----
  void OnEditFind();
  void OnEditReplace();
  void OnFindNext();
  BOOL CanFindNext();
  OEFindDlg* OpenFindDialog(BOOL replace);
  void CloseFindDialog();
  LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
  BOOL SearchAndSelect(FindRecord& rec, BOOL wrap, OEFindDlg* dialog);
  void MarkAllMatches(FindRecord& rec);
  BOOL ReplaceSelected(const FindRecord& rec, BOOL record);
  void ReplaceMatch(FindRecord& rec, OEFindDlg* dialog);
  void ReplaceAllMatches(FindRecord& rec, OEFindDlg* dialog);
  CString m_strLastMatch;       // the text of the last match found
  EditPos m_findSequenceStart;  // the first match of the running search
  HWND m_hFindDialogWnd = nullptr;

  // ---- drag and drop (seceditcore_drag.inl) ----
  DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) override;
  DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;
  BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override;
  // Puts the caret on the cell under a point, the selection untouched.
  void MoveCaretToPoint(CPoint point);

  // ---- window messages ----
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void OnDraw(CDC*) override {}
  void PaintWindow();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnTimer(UINT_PTR id);
  void OnSize(UINT type, int cx, int cy);
  void OnSetFocus();
  void OnKillFocus();
  BOOL OnSetCursor(UINT hitTest);

  // ---- state ----
  // The line last given each selection mark, and its column there.
  struct InvertMark {
    const EditLine* line = nullptr;  // only compared: the line may be gone
    int column = 0;
  };
  InvertMark m_invertFrom;
  InvertMark m_invertTo;
  EditLine* m_pSelOriginLine = nullptr;
  int m_nSelOriginColumn = 0;
  HACCEL m_hAccel = nullptr;
  CBrush m_marginBrush;
  BOOL m_bFreeCursor = FALSE;
  EditLine* m_pTopLine = nullptr;
  int m_nTopLine = 1;
  EditLine* m_pCaretLine = nullptr;
  int m_nCaretLine = 1;
  int m_nCaretColumn = 0;
  int m_nLeftColumn = 0;
  int m_nSelMode = SEL_STREAM;
  BOOL m_bSelection = FALSE;
  EditLine* m_pSelStartLine = nullptr;
  int m_nSelStartColumn = 0;
  EditLine* m_pSelEndLine = nullptr;
  int m_nSelEndColumn = 0;
  OEFindDlg* m_pFindDialog = nullptr;
  OEFindDlg* m_pReplaceDialog = nullptr;
  BOOL m_bFindDialogOpen = FALSE;
  BOOL m_bReplaceDialogOpen = FALSE;
  CRect m_rcClient;
  int m_nCharWidth = 0;
  int m_nLineHeight = 15;
  int m_nVScrollFactor = 1;
  BOOL m_bRedraw = TRUE;
  BOOL m_bMouseSelecting = FALSE;
  UINT_PTR m_nTimerId = 0;
  BOOL m_bSkipTimerTick = FALSE;
  CPoint m_ptLastMouse;
  BOOL m_bCaretCreated = FALSE;
  CRect m_rcFindDialog;
  CFont m_font;
  int m_nMarginWidth = 15;
  BOOL m_bScrolling = FALSE;
  HFONT m_hPrintFont = nullptr;
  int m_nKnownLineCount = 0;  // the line count the scroll range was set for

 protected:
  EditBuffer* Buf() { return GetEditBuffer(); }
  int Rows() const { return GetLinesPerPage(); }
  CellGeometry Geometry() const;
  // The line shown in a row (the last line below the text).
  EditLine* LineAtRow(int row);
  // Repaints one text row (relative to the top line) at once.
  void RepaintRow(int row);
  void RepaintFromRow(int row);
  void RepaintAll(BOOL erase);
  void ShowCaretHere();
  void DestroyCaretHere();
  void ScrollRows(int rows);
  // Column snapped to a tab's start and, unless free, to the line end.
  int SnapColumn(EditLine* line, int column);
  void CaretTo(EditLine* line, int column);
  void RefreshLineCount();
  void InvertCells(EditLine* line, int row, int from, int to);
  void InvertColumnChange(int oldEndNumber, int oldEndColumn);
  int RowOf(EditLine* line) const { return line->lineNumber - m_nTopLine; }
  void RevalidateAfterRemoval(EditLine* hintLine);
  void ApplyHint(LPARAM hint, CObject* hintObject);
  void FinishTextChange(BOOL redraw);
  void RepaintForChar(char c);
  void PaintRow(CDC& dc, EditBuffer& buf, EditLine* line, int y);

  PaintLine m_paint;
  static BOOL s_bMouseMoveBusy;
};

// The column-block marker of the source editor's clipboard and drag texts;
// the line end follows it, then the block.
constexpr const char kColumnBlockMarker[] = "*SECEdit Column Block*";
// The block text of a column-block text (one that begins with the whole
// marker), or null for stream text.
const char* ColumnBlockText(const char* text, int length, int* blockLength,
                            const char* marker = kColumnBlockMarker);

// The accelerator table of the editor views.
HACCEL CreateEditAccelerators();
