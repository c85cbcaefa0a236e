// The disassembly window: rows of the line source with a marker margin,
// a caret line, line and page scrolling over the whole address space, and
// the debugger's commands at the caret line's address. Without a session
// (no line source) it stays open and shows blank rows.
#pragma once

#include "disasm/view/disview0doc.h"
#include "platform/afx/afx.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"

// Command ids of the view.
constexpr UINT ID_DISASS_SET_IP = 32785;
constexpr UINT ID_DISASS_TOGGLE_BREAKPOINT = 32777;
constexpr UINT ID_DISASS_RUN_TO_CURSOR = 32824;

// Whether an operation repaints at once.
enum class DisassRedraw { kNo, kYes };

class CDisview0View : public CView {
  DECLARE_DYNCREATE(CDisview0View)
 public:
  CDisview0View();

  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  DisassEdit* GetEditBuffer();
  // The caret line's address; FALSE (and *address untouched) when the
  // line source has not listed the line or there is no session.
  BOOL CursorLineAddress(DWORD* address);
  void MarkExecutionLine(BOOL set);
  void RedrawAddressLine(DWORD linear);
  void GoToLine(int line, DisassRedraw redraw);
  // Lines of the vertical scroll range per scroll-bar unit.
  static int ScrollScale(int lineCount);
  int GetLinesPerPage() const;

  void OnSetIPToCursor();
  void OnToggleBreakpoint();
  void OnRunToCursor();

  int m_nTopLine = 1;
  int m_nCaretLine = 1;
  int m_nExecutionLine = 0;
  int m_nLineHeight = 0;
  int m_nCharWidth = 0;
  int m_nMarginWidth = 0;
  int m_nScrollScale = 1;

 private:
  int LineCount() const;
  void SetupFont();
  void SetScrollBarRange();
  void UpdateScrollPos();
  void SetTopLine(int line);
  void MoveCaret(int line);
  void PaintWindow();
  void PaintRow(CDC& dc, int row, int line);
  void DrawLineMarker(CDC& dc, const CRect& rect, int line, DWORD flags);
  void InvalidateRow(int line);
  void OnVScrollCode(UINT code, UINT position);
  void OnKey(UINT vk);

  CFont m_font;
  CBrush m_marginBrush;
};
