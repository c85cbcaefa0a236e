// The disassembly editor core: the editor core (SECEditCore) over the
// lines of the line source. All caret, selection, scrolling, painting,
// clipboard, find and drag code is the editor's; this class supplies the
// lines (a DisassLineWindow per view, every line with its real number out
// of 524,291), the disassembly's command and message ids, its column-block
// marker, the colour of source and instruction lines, the bookmarks the
// view keeps, and bounds for walks over the whole text.
#pragma once

#include "disasm/disass_bookmarks.h"
#include "disasm/disass_edit.h"
#include "disasm/view/disass_line_window.h"
#include "editor/view/seceditcore.h"

// The disassembly core's command ids run from 24600 as the editor's from
// ID_EDIT_DOWN (45000), in the same order.
constexpr UINT kDisassCommandFirst = 24600;
constexpr UINT kDisassCommandLast = 24634;
// Its message ids run from 21000 as the editor's from EDIT_READ_ONLY.
constexpr int kDisassMessageFirst = 21000;
constexpr int kDisassMessageLast = 21015;
// The update hint of the disassembly's text model.
constexpr LPARAM kDisassHintLinesChanged = 21015;
// The column-block marker of the disassembly's clipboard and drag texts.
constexpr const char kDisassColumnBlockMarker[] = "*DisassEdit Column Block*";

// The editor's command id for one of ours (others unchanged).
UINT DisassToEditCommand(UINT id);
// Our message id for one of the editor's (others unchanged).
int DisassMessageId(int editResult);

template <class TBase>
class DisassEditCore : public SECEditCore<TBase> {
 public:
  using Core = SECEditCore<TBase>;
  // Lines made beyond each end of the held lines for a whole-text walk.
  static constexpr int kWalkWindow = 2048;
  // Held lines beyond which the view lets go of lines far from the ones
  // it points at.
  static constexpr int kMaxHeld = 4 * DisassLineWindow::kReach;

  DisassEditCore();
  ~DisassEditCore() override;

  // The document's text model; null without a document.
  virtual DisassEdit* GetDisassEdit() { return nullptr; }
  EditBuffer* GetEditBuffer() override { return &m_window; }

  EditLine* FirstLine() override { return LineAt(1); }
  EditLine* LastLine() override { return LineAt(m_window.Count()); }
  EditLine* NextLine(EditLine* line) override;
  EditLine* PrevLine(EditLine* line) override;
  EditLine* LineAt(int n) override;
  int CountLines() override;
  EditLine* PrepareWalk() override;
  void SetBookmark(EditLine* line, BOOL set) override;
  const char* ColumnBlockMarker() const override { return kDisassColumnBlockMarker; }
  COLORREF LineTextColor(EditLine* line) override;
  OEFindDlg* NewFindDialog() override;
  int DoError(int code, const char* argument, BOOL show) override;
  int DoError(int code, BOOL show) override;
  void InitView() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // Puts the caret on the instruction line of an address and makes it the
  // top row; FALSE without a line source.
  BOOL GoToAddress(DWORD linear);
  // The line becomes the caret line; a line off screen is centred.
  void CenterCaretLine(int line);
  // The line (kept within 1..count) becomes the caret line and the top
  // row, painted at once.
  void ShowLineAtTop(int line);
  // Makes the held lines again from the line source (a session began or
  // ended), keeping the top and caret line numbers.
  void ReloadLines();
  int CaretLineNumber() const { return this->m_nCaretLine; }
  int TopLineNumber() const { return this->m_nTopLine; }

  DisassLineWindow m_window;
  DisassBookmarks m_bookmarks;

 protected:
  // Starts the held lines afresh at line n, which becomes the caret and
  // the top line; the selection ends.
  EditLine* JumpTo(int n);

 private:
  static void MarkMadeLine(void* context, EditLine* line);
  // Lets go of held lines far from the top, caret, selection and search
  // start, once more than kMaxHeld are held.
  void TrimHeldLines();
  int m_nMessageDepth = 0;
};
